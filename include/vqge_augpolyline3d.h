// Public augmented polyline: a polyline with derivative vectors at its points, sampled from
// a source curve it stays tied to (a modified source releases it; the wrapper then holds no
// object and answers zeros).
#ifndef VQGE_AUGPOLYLINE3D_H
#define VQGE_AUGPOLYLINE3D_H

#include "vqge_polyline3d.h"

class VqGeImpAugPolyline3d;

class VQGE_API VqGeAugPolyline3d : public VqGePolyline3d {
public:
    VqGeAugPolyline3d();
    VqGeAugPolyline3d(const VqGeAugPolyline3d& src) : VqGePolyline3d(src) {}
    VqGeAugPolyline3d(const VqGeCurve3d& curve, double fromParam, double toParam,
                      double approxTol);
    VqGeAugPolyline3d(const VqGeKnotVector& knots, const VqArray<VqGePoint3d>& points,
                      const VqArray<VqGeVector3d>& d1Vectors);
    VqGeAugPolyline3d(const VqArray<VqGePoint3d>& points, const VqArray<VqGeVector3d>& d1Vectors);
    VqGeAugPolyline3d& operator=(const VqGeAugPolyline3d& src) {
        VqGePolyline3d::operator=(src);
        return *this;
    }

    VqGePoint3d getPoint(int idx) const;
    VqGeAugPolyline3d& setPoint(int idx, const VqGePoint3d& pnt);
    VqGeVector3d getVector(int idx) const;
    VqGeAugPolyline3d& setVector(int idx, const VqGeVector3d& vec);
    void getD1Vectors(VqArray<VqGeVector3d>& d1Vectors) const;
    VqGeVector3d getD2Vector(int idx) const;
    VqGeAugPolyline3d& setD2Vector(int idx, const VqGeVector3d& vec);
    void getD2Vectors(VqArray<VqGeVector3d>& d2Vectors) const;
    double approxTol() const;
    VqGeAugPolyline3d& setApproxTol(double approxTol);

    VqGeImpAugPolyline3d* impAugPolyline() const;
};

#endif
