// Public 3D polyline: degree 1 through its fit points, parameterised by chord length (or by
// the parameters of the curve it was sampled from).
#ifndef VQGE_POLYLINE3D_H
#define VQGE_POLYLINE3D_H

#include "vqge_splineent3d.h"

class VqGeImpPolyline3d;
class VqGeInterval;

class VQGE_API VqGePolyline3d : public VqGeSplineEnt3d {
public:
    VqGePolyline3d();
    VqGePolyline3d(const VqGePolyline3d& src) : VqGeSplineEnt3d(src) {}
    // closed = 1 ends the polyline on its first point and marks it periodic.
    explicit VqGePolyline3d(const VqArray<VqGePoint3d>& points, int closed = 0);
    VqGePolyline3d(const VqGeKnotVector& knots, const VqArray<VqGePoint3d>& points);
    // The curve's sample points within approxEps over its interval (or intrvl).
    VqGePolyline3d(const VqGeCurve3d& curve, double approxEps);
    VqGePolyline3d(const VqGeCurve3d& curve, const VqGeInterval& intrvl, double approxEps);
    VqGePolyline3d& operator=(const VqGePolyline3d& src) {
        VqGeSplineEnt3d::operator=(src);
        return *this;
    }

    int numFitPoints() const;
    VqGePoint3d fitPointAt(int idx) const;
    VqGePolyline3d& setFitPointAt(int idx, const VqGePoint3d& point);
    VqGePolyline3d& addFitPointAt(int idx, const VqGePoint3d& point);
    VqGePolyline3d& deleteFitPointAt(int idx);
    // Drops vertices within tol.equalPoint of the last kept one.
    VqGePolyline3d& compressFitData(const VqGeTol& tol = VqGeContext::gTol);
    // Segment index and fraction of a point on the polyline.
    int isOn(const VqGePoint3d& pnt, int& segIndex, double& frac,
             const VqGeTol& tol = VqGeContext::gTol) const;
    using VqGeSplineEnt3d::isOn;

    VqGeImpPolyline3d* impPolyline() const;

protected:
    struct Adopt {};
    VqGePolyline3d(Adopt) {}
};

#endif
