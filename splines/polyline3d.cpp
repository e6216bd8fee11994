// Public 3D polyline: forwards to the polyline implementation object.
#include "splines/imp_polyline3d.h"
#include "vqge_curve3d.h"
#include "vqge_interval.h"
#include "vqge_polyline3d.h"

VqGePolyline3d::VqGePolyline3d() { adoptImp(new VqGeImpPolyline3d(), VqGe::kPolyline3d); }

VqGePolyline3d::VqGePolyline3d(const VqArray<VqGePoint3d>& points, int closed) {
    adoptImp(new VqGeImpPolyline3d(points, closed), VqGe::kPolyline3d);
}

VqGePolyline3d::VqGePolyline3d(const VqGeKnotVector& knots, const VqArray<VqGePoint3d>& points) {
    adoptImp(new VqGeImpPolyline3d(knots, points), VqGe::kPolyline3d);
}

VqGePolyline3d::VqGePolyline3d(const VqGeCurve3d& curve, double approxEps) {
    adoptImp(curve.impCurve() ? new VqGeImpPolyline3d(*curve.impCurve(), approxEps)
                              : new VqGeImpPolyline3d(),
             VqGe::kPolyline3d);
}

VqGePolyline3d::VqGePolyline3d(const VqGeCurve3d& curve, const VqGeInterval& intrvl,
                               double approxEps) {
    const VqGeImpInterval* iv = VqGeImpInterval::impInterval(intrvl);
    adoptImp(curve.impCurve() && iv ? new VqGeImpPolyline3d(*curve.impCurve(), *iv, approxEps)
                                    : new VqGeImpPolyline3d(),
             VqGe::kPolyline3d);
}

VqGeImpPolyline3d* VqGePolyline3d::impPolyline() const {
    return static_cast<VqGeImpPolyline3d*>(impCurve());
}

int VqGePolyline3d::numFitPoints() const { return impPolyline() ? impPolyline()->numFitPoints() : 0; }

VqGePoint3d VqGePolyline3d::fitPointAt(int idx) const {
    return impPolyline() ? impPolyline()->fitPointAt(idx) : VqGePoint3d();
}

VqGePolyline3d& VqGePolyline3d::setFitPointAt(int idx, const VqGePoint3d& point) {
    if (impPolyline()) impPolyline()->setFitPointAt(idx, point);
    return *this;
}

VqGePolyline3d& VqGePolyline3d::addFitPointAt(int idx, const VqGePoint3d& point) {
    if (impPolyline()) impPolyline()->addFitPointAt(idx, point);
    return *this;
}

VqGePolyline3d& VqGePolyline3d::deleteFitPointAt(int idx) {
    if (impPolyline()) impPolyline()->deleteFitPointAt(idx);
    return *this;
}

VqGePolyline3d& VqGePolyline3d::compressFitData(const VqGeTol& tol) {
    if (impPolyline()) impPolyline()->compressFitData(tol);
    return *this;
}

int VqGePolyline3d::isOn(const VqGePoint3d& pnt, int& segIndex, double& frac,
                         const VqGeTol& tol) const {
    return impPolyline() ? impPolyline()->isOn(pnt, segIndex, frac, tol) : 0;
}
