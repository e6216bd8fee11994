// Public 2D polyline: points lifted to z = 0 and forwarded to the polyline implementation.
#include "curves/vqge_lift.h"
#include "splines/imp_polyline3d.h"
#include "vqge_curve2d.h"
#include "vqge_polyline2d.h"

VqGePolyline2d::VqGePolyline2d() { adoptImp(new VqGeImpPolyline3d(), VqGe::kPolyline2d); }

VqGePolyline2d::VqGePolyline2d(const VqArray<VqGePoint2d>& points, int closed) {
    VqArray<VqGePoint3d> pts;
    VqGeImpSplineEnt3d::convertPntArr(points, pts);
    adoptImp(new VqGeImpPolyline3d(pts, closed), VqGe::kPolyline2d);
}

VqGePolyline2d::VqGePolyline2d(const VqGeKnotVector& knots, const VqArray<VqGePoint2d>& points) {
    VqArray<VqGePoint3d> pts;
    VqGeImpSplineEnt3d::convertPntArr(points, pts);
    adoptImp(new VqGeImpPolyline3d(knots, pts), VqGe::kPolyline2d);
}

VqGePolyline2d::VqGePolyline2d(const VqGeCurve2d& curve, double approxEps) {
    adoptImp(curve.impCurve() ? new VqGeImpPolyline3d(*curve.impCurve(), approxEps)
                              : new VqGeImpPolyline3d(),
             VqGe::kPolyline2d);
}

VqGeImpPolyline3d* VqGePolyline2d::impPolyline() const {
    return static_cast<VqGeImpPolyline3d*>(impCurve());
}

int VqGePolyline2d::numFitPoints() const { return impPolyline() ? impPolyline()->numFitPoints() : 0; }

VqGePoint2d VqGePolyline2d::fitPointAt(int idx) const {
    return impPolyline() ? vqDrop(impPolyline()->fitPointAt(idx)) : VqGePoint2d();
}

VqGePolyline2d& VqGePolyline2d::setFitPointAt(int idx, const VqGePoint2d& point) {
    if (impPolyline()) impPolyline()->setFitPointAt(idx, vqLift(point));
    return *this;
}

VqGePolyline2d& VqGePolyline2d::addFitPointAt(int idx, const VqGePoint2d& point) {
    if (impPolyline()) impPolyline()->addFitPointAt(idx, vqLift(point));
    return *this;
}

VqGePolyline2d& VqGePolyline2d::deleteFitPointAt(int idx) {
    if (impPolyline()) impPolyline()->deleteFitPointAt(idx);
    return *this;
}

VqGePolyline2d& VqGePolyline2d::compressFitData(const VqGeTol& tol) {
    if (impPolyline()) impPolyline()->compressFitData(tol);
    return *this;
}

int VqGePolyline2d::isOn(const VqGePoint2d& pnt, int& segIndex, double& frac,
                         const VqGeTol& tol) const {
    return impPolyline() ? impPolyline()->isOn(vqLift(pnt), segIndex, frac, tol) : 0;
}
