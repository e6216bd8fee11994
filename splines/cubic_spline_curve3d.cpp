// Public 3D cubic spline curve: forwards to the cubic spline implementation object.
#include "splines/imp_cubic_spline_curve3d.h"
#include "splines/imp_fit_data3d.h"
#include "vqge_cubicsplinecurve3d.h"

VqGeCubicSplineCurve3d::VqGeCubicSplineCurve3d() {
    adoptImp(new VqGeImpCubicSplineCurve3d(), VqGe::kCubicSplineCurve3d);
}

VqGeCubicSplineCurve3d::VqGeCubicSplineCurve3d(const VqArray<VqGePoint3d>& fitPoints,
                                               const VqGeVector3d& startDeriv,
                                               const VqGeVector3d& endDeriv, const VqGeTol& tol) {
    adoptImp(new VqGeImpCubicSplineCurve3d(fitPoints, startDeriv, endDeriv, tol),
             VqGe::kCubicSplineCurve3d);
}

VqGeCubicSplineCurve3d::VqGeCubicSplineCurve3d(const VqArray<VqGePoint3d>& fitPoints,
                                               const VqArray<VqGeVector3d>& firstDerivs,
                                               const VqGeTol& tol) {
    adoptImp(new VqGeImpCubicSplineCurve3d(fitPoints, firstDerivs, tol, 0),
             VqGe::kCubicSplineCurve3d);
}

VqGeCubicSplineCurve3d::VqGeCubicSplineCurve3d(const VqGeCurve3d& curve, double tol) {
    adoptImp(curve.impCurve() ? new VqGeImpCubicSplineCurve3d(*curve.impCurve(), tol)
                              : new VqGeImpCubicSplineCurve3d(),
             VqGe::kCubicSplineCurve3d);
}

VqGeImpCubicSplineCurve3d* VqGeCubicSplineCurve3d::impCubicSpline() const {
    return static_cast<VqGeImpCubicSplineCurve3d*>(impCurve());
}

int VqGeCubicSplineCurve3d::numFitPoints() const {
    return impCubicSpline() ? impCubicSpline()->numFitPoints() : 0;
}

VqGePoint3d VqGeCubicSplineCurve3d::fitPointAt(int idx) const {
    VqGePoint3d p;
    if (impCubicSpline()) impCubicSpline()->getFitPointAt(idx, p);
    return p;
}

VqGeCubicSplineCurve3d& VqGeCubicSplineCurve3d::setFitPointAt(int idx, const VqGePoint3d& point) {
    if (impCubicSpline()) impCubicSpline()->setFitPoint(idx, point);
    return *this;
}

VqGeVector3d VqGeCubicSplineCurve3d::firstDerivAt(int idx) const {
    return impCubicSpline() ? impCubicSpline()->firstDerivAt(idx) : VqGeVector3d(0, 0, 0);
}

VqGeCubicSplineCurve3d& VqGeCubicSplineCurve3d::setFirstDerivAt(int idx,
                                                                const VqGeVector3d& deriv) {
    if (impCubicSpline()) impCubicSpline()->setFirstDerivAt(idx, deriv);
    return *this;
}
