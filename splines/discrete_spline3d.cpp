// Public discrete spline: forwards to the discrete spline implementation object.
#include "splines/imp_discrete_spline3d.h"
#include "splines/imp_nurb_curve3d.h"
#include "vqge_discretespline3d.h"
#include "vqge_nurbcurve3d.h"

VqGeDiscreteSpline3d::VqGeDiscreteSpline3d() {
    adoptImp(new VqGeImpDiscreteSpline3d(), VqGe::kDiscreteSpline3d);
}

VqGeDiscreteSpline3d::VqGeDiscreteSpline3d(const VqGeNurbCurve3d& curve, double deviation) {
    adoptImp(curve.impNurbCurve() ? new VqGeImpDiscreteSpline3d(*curve.impNurbCurve(), deviation)
                                  : new VqGeImpDiscreteSpline3d(),
             VqGe::kDiscreteSpline3d);
}

VqGeDiscreteSpline3d::VqGeDiscreteSpline3d(int degree, const VqGeKnotVector& knots,
                                           const VqArray<VqGePoint3d>& points,
                                           const VqArray<double>& weights, double deviation) {
    adoptImp(new VqGeImpDiscreteSpline3d(degree, knots, points, weights, deviation),
             VqGe::kDiscreteSpline3d);
}

VqGeImpDiscreteSpline3d* VqGeDiscreteSpline3d::impDiscreteSpline() const {
    return static_cast<VqGeImpDiscreteSpline3d*>(impCurve());
}

VqGeDiscreteSpline3d& VqGeDiscreteSpline3d::setDeviation(double deviation) {
    if (impDiscreteSpline()) impDiscreteSpline()->setDeviation(deviation);
    return *this;
}

double VqGeDiscreteSpline3d::deviation() const {
    return impDiscreteSpline() ? impDiscreteSpline()->deviation() : 0.0;
}

int VqGeDiscreteSpline3d::numIntervals() const {
    return impDiscreteSpline() ? impDiscreteSpline()->numIntervals() : 0;
}

int VqGeDiscreteSpline3d::numGridPointsAt(int idx) const {
    return impDiscreteSpline() ? impDiscreteSpline()->numGridPointsAt(idx) : 0;
}

int VqGeDiscreteSpline3d::numGridPointsAt(int from, int to) const {
    return impDiscreteSpline() ? impDiscreteSpline()->numGridPointsAt(from, to) : 0;
}

int VqGeDiscreteSpline3d::numGridPoints() const {
    return impDiscreteSpline() ? impDiscreteSpline()->numGridPoints() : 0;
}

int VqGeDiscreteSpline3d::evalPointArray(VqArray<VqGePoint3d>& points) const {
    points.removeAll();
    return impDiscreteSpline() ? impDiscreteSpline()->evalPointArray(points) : 0;
}

int VqGeDiscreteSpline3d::evalPointArray(int from, int to, VqArray<VqGePoint3d>& points) const {
    points.removeAll();
    return impDiscreteSpline() ? impDiscreteSpline()->evalPointArray(from, to, points) : 0;
}

VqGePoint3d VqGeDiscreteSpline3d::fitPointAt(int idx) const {
    return impDiscreteSpline() ? impDiscreteSpline()->fitPointAt(idx) : VqGePoint3d();
}
