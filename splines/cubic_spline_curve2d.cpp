// Public 2D cubic spline curve: points and vectors lifted to z = 0 and forwarded to the
// cubic spline implementation object.
#include "curves/vqge_lift.h"
#include "splines/imp_cubic_spline_curve3d.h"
#include "vqge_cubicsplinecurve2d.h"

namespace {

VqArray<VqGeVector3d> lifted(const VqArray<VqGeVector2d>& v) {
    VqArray<VqGeVector3d> out(v.length(), 8);
    for (int i = 0; i < v.length(); ++i) out.append(vqLift(v[i]));
    return out;
}

}  // namespace

VqGeCubicSplineCurve2d::VqGeCubicSplineCurve2d() {
    adoptImp(new VqGeImpCubicSplineCurve3d(), VqGe::kCubicSplineCurve2d);
}

VqGeCubicSplineCurve2d::VqGeCubicSplineCurve2d(const VqArray<VqGePoint2d>& fitPoints,
                                               const VqGeVector2d& startDeriv,
                                               const VqGeVector2d& endDeriv, const VqGeTol& tol) {
    VqArray<VqGePoint3d> pts;
    VqGeImpSplineEnt3d::convertPntArr(fitPoints, pts);
    adoptImp(new VqGeImpCubicSplineCurve3d(pts, vqLift(startDeriv), vqLift(endDeriv), tol),
             VqGe::kCubicSplineCurve2d);
}

VqGeCubicSplineCurve2d::VqGeCubicSplineCurve2d(const VqArray<VqGePoint2d>& fitPoints,
                                               const VqArray<VqGeVector2d>& firstDerivs,
                                               const VqGeTol& tol) {
    VqArray<VqGePoint3d> pts;
    VqGeImpSplineEnt3d::convertPntArr(fitPoints, pts);
    adoptImp(new VqGeImpCubicSplineCurve3d(pts, lifted(firstDerivs), tol, 0),
             VqGe::kCubicSplineCurve2d);
}

VqGeImpCubicSplineCurve3d* VqGeCubicSplineCurve2d::impCubicSpline() const {
    return static_cast<VqGeImpCubicSplineCurve3d*>(impCurve());
}

int VqGeCubicSplineCurve2d::numFitPoints() const {
    return impCubicSpline() ? impCubicSpline()->numFitPoints() : 0;
}

VqGePoint2d VqGeCubicSplineCurve2d::fitPointAt(int idx) const {
    VqGePoint3d p;
    if (impCubicSpline()) impCubicSpline()->getFitPointAt(idx, p);
    return vqDrop(p);
}

VqGeCubicSplineCurve2d& VqGeCubicSplineCurve2d::setFitPointAt(int idx, const VqGePoint2d& point) {
    if (impCubicSpline()) impCubicSpline()->setFitPoint(idx, vqLift(point));
    return *this;
}

VqGeVector2d VqGeCubicSplineCurve2d::firstDerivAt(int idx) const {
    return impCubicSpline() ? vqDrop(impCubicSpline()->firstDerivAt(idx)) : VqGeVector2d(0, 0);
}

VqGeCubicSplineCurve2d& VqGeCubicSplineCurve2d::setFirstDerivAt(int idx,
                                                                const VqGeVector2d& deriv) {
    if (impCubicSpline()) impCubicSpline()->setFirstDerivAt(idx, vqLift(deriv));
    return *this;
}
