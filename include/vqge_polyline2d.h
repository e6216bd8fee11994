// Public 2D polyline: the 3D implementation at z = 0.
#ifndef VQGE_POLYLINE2D_H
#define VQGE_POLYLINE2D_H

#include "vqge_splineent2d.h"

class VqGeImpPolyline3d;

class VQGE_API VqGePolyline2d : public VqGeSplineEnt2d {
public:
    VqGePolyline2d();
    VqGePolyline2d(const VqGePolyline2d& src) : VqGeSplineEnt2d(src) {}
    explicit VqGePolyline2d(const VqArray<VqGePoint2d>& points, int closed = 0);
    VqGePolyline2d(const VqGeKnotVector& knots, const VqArray<VqGePoint2d>& points);
    VqGePolyline2d(const VqGeCurve2d& curve, double approxEps);
    VqGePolyline2d& operator=(const VqGePolyline2d& src) {
        VqGeSplineEnt2d::operator=(src);
        return *this;
    }

    int numFitPoints() const;
    VqGePoint2d fitPointAt(int idx) const;
    VqGePolyline2d& setFitPointAt(int idx, const VqGePoint2d& point);
    VqGePolyline2d& addFitPointAt(int idx, const VqGePoint2d& point);
    VqGePolyline2d& deleteFitPointAt(int idx);
    VqGePolyline2d& compressFitData(const VqGeTol& tol = VqGeContext::gTol);
    int isOn(const VqGePoint2d& pnt, int& segIndex, double& frac,
             const VqGeTol& tol = VqGeContext::gTol) const;
    using VqGeSplineEnt2d::isOn;

    VqGeImpPolyline3d* impPolyline() const;
};

#endif
