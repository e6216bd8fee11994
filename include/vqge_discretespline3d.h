// Public discrete spline: grid points of a NURBS curve for fast drawing, their chords within
// a deviation of the curve.
#ifndef VQGE_DISCRETESPLINE3D_H
#define VQGE_DISCRETESPLINE3D_H

#include "vqge_splineent3d.h"

class VqGeImpDiscreteSpline3d;
class VqGeNurbCurve3d;

class VQGE_API VqGeDiscreteSpline3d : public VqGeSplineEnt3d {
public:
    VqGeDiscreteSpline3d();
    VqGeDiscreteSpline3d(const VqGeDiscreteSpline3d& src) : VqGeSplineEnt3d(src) {}
    // Sets the curve's evaluation mode to 1.
    VqGeDiscreteSpline3d(const VqGeNurbCurve3d& curve, double deviation);
    VqGeDiscreteSpline3d(int degree, const VqGeKnotVector& knots,
                         const VqArray<VqGePoint3d>& points, const VqArray<double>& weights,
                         double deviation);
    VqGeDiscreteSpline3d& operator=(const VqGeDiscreteSpline3d& src) {
        VqGeSplineEnt3d::operator=(src);
        return *this;
    }

    VqGeDiscreteSpline3d& setDeviation(double deviation);
    double deviation() const;
    int numIntervals() const;
    int numGridPointsAt(int idx) const;
    int numGridPointsAt(int from, int to) const;
    int numGridPoints() const;
    int evalPointArray(VqArray<VqGePoint3d>& points) const;
    int evalPointArray(int from, int to, VqArray<VqGePoint3d>& points) const;
    VqGePoint3d fitPointAt(int idx) const;

    VqGeImpDiscreteSpline3d* impDiscreteSpline() const;
};

#endif
