// Public 2D curve: lifts arguments to z = 0, forwards to the curve implementation object and
// drops z from the results. A wrapper without an object answers 0 or the zero value.
#include "curves/imp_bound_block3d.h"
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "curves/vqge_lift.h"
#include "vqge_curve2d.h"
#include "vqge_pointoncurve2d.h"

namespace {
// The 2D points of a 3D result, written into an output sized once.
void vqDropAll(const VqArray<VqGePoint3d>& points, VqArray<VqGePoint2d>& out) {
    out.removeAll();
    if (points.length() > out.physicalLength()) out.setPhysicalLength(points.length());
    for (int i = 0; i < points.length(); ++i) out.append(vqDrop(points[i]));
}
}  // namespace

namespace {
VqGeImpPointOnCurve3d& impOf(const VqGePointOnCurve2d& pc) { return *pc.impPointOnCurve(); }
VqGeImpInterval& impOf(const VqGeInterval& iv) { return *VqGeImpInterval::impInterval(iv); }

VqGeBoundBlock2d toPublic(const VqGeImpBoundBlock3d& block) {
    VqGeBoundBlock2d result;
    VqGePoint3d base;
    VqGeVector3d d0, d1, d2;
    block.get(base, d0, d1, d2);
    result.set(vqDrop(base), vqDrop(d0), vqDrop(d1));
    result.setToBox(block.isBox());
    return result;
}
}  // namespace

VqGeCurve2d::VqGeCurve2d(VqGeImpCurve3d* imp) : VqGeEntity2d(imp) {}

VqGeCurve2d::VqGeCurve2d(VqGeImpCurve3d& imp, int borrow) : VqGeEntity2d(imp, borrow) {}

VqGeImpCurve3d* VqGeCurve2d::impCurve() const { return static_cast<VqGeImpCurve3d*>(mImp); }

VqGeCurve2d* VqGeCurve2d::wrap(VqGeImpCurve3d* imp) {
    if (!imp) return nullptr;
    VqGeCurve2d* crv = new VqGeCurve2d(imp);
    if (!crv) delete imp;
    return crv;
}

void VqGeCurve2d::getInterval(VqGeInterval& intrvl) const {
    if (impCurve()) impCurve()->getInterval(impOf(intrvl), 0, 0);
}

void VqGeCurve2d::getInterval(VqGeInterval& intrvl, VqGePoint2d& start, VqGePoint2d& end) const {
    if (!impCurve()) return;
    VqGePoint3d s = vqLift(start), e = vqLift(end);
    impCurve()->getInterval(impOf(intrvl), s, e);
    start = vqDrop(s);
    end = vqDrop(e);
}

int VqGeCurve2d::setInterval(const VqGeInterval& intrvl) {
    if (!impCurve()) return 0;
    VqGeImpInterval current;
    impCurve()->getInterval(current, 0, 0);
    if (current.isBoundedBelow() != intrvl.isBoundedBelow() ||
        current.isBoundedAbove() != intrvl.isBoundedAbove())
        return 0;
    impCurve()->setInterval(impOf(intrvl), 1);
    return 1;
}

int VqGeCurve2d::setInterval() { return impCurve() ? impCurve()->setInterval() : 0; }

VqGeCurve2d& VqGeCurve2d::reverseParam() {
    if (impCurve()) impCurve()->reverseParam();
    return *this;
}

double VqGeCurve2d::distanceTo(const VqGePoint2d& pnt, const VqGeTol& tol) const {
    return impCurve() ? impCurve()->distanceTo(vqLift(pnt), tol) : 0.0;
}

double VqGeCurve2d::distanceTo(const VqGeCurve2d& crv, const VqGeTol& tol) const {
    return impCurve() && crv.impCurve() ? impCurve()->distanceTo(*crv.impCurve(), tol) : 0.0;
}

VqGePoint2d VqGeCurve2d::closestPointTo(const VqGeCurve2d& crv, VqGePoint2d& pntOnOther,
                                        const VqGeTol& tol) const {
    if (!impCurve() || !crv.impCurve()) return VqGePoint2d();
    VqGePoint3d other;
    const VqGePoint3d onThis = impCurve()->closestPointTo(*crv.impCurve(), other, tol);
    pntOnOther = vqDrop(other);
    return vqDrop(onThis);
}

void VqGeCurve2d::getClosestPointTo(const VqGePoint2d& pnt, VqGePointOnCurve2d& pntOnCrv,
                                    const VqGeTol& tol) const {
    if (impCurve() && pntOnCrv.impPointOnCurve())
        impCurve()->getClosestPointTo(vqLift(pnt), impOf(pntOnCrv), tol);
}

void VqGeCurve2d::getClosestPointTo(const VqGeCurve2d& crv, VqGePointOnCurve2d& pntOnThis,
                                    VqGePointOnCurve2d& pntOnOther, const VqGeTol& tol) const {
    if (impCurve() && crv.impCurve() && pntOnThis.impPointOnCurve() &&
        pntOnOther.impPointOnCurve())
        impCurve()->getClosestPointTo(*crv.impCurve(), impOf(pntOnThis), impOf(pntOnOther), tol);
}

int VqGeCurve2d::getNormalPoint(const VqGePoint2d& pnt, VqGePointOnCurve2d& pntOnCrv,
                                const VqGeTol& tol) const {
    if (!impCurve() || !pntOnCrv.impPointOnCurve()) return 0;
    return impCurve()->getNormalPoint(vqLift(pnt), impOf(pntOnCrv), tol);
}

VqGeBoundBlock2d VqGeCurve2d::boundBlock() const {
    return impCurve() ? toPublic(impCurve()->boundBlock(2, 1)) : VqGeBoundBlock2d();
}

VqGeBoundBlock2d VqGeCurve2d::boundBlock(const VqGeInterval& range) const {
    return impCurve() ? toPublic(impCurve()->boundBlock(2, impOf(range), 1)) : VqGeBoundBlock2d();
}

VqGeBoundBlock2d VqGeCurve2d::orthoBoundBlock() const {
    return impCurve() ? toPublic(impCurve()->boundBlock(2, 0)) : VqGeBoundBlock2d();
}

VqGeBoundBlock2d VqGeCurve2d::orthoBoundBlock(const VqGeInterval& range) const {
    return impCurve() ? toPublic(impCurve()->boundBlock(2, impOf(range), 0)) : VqGeBoundBlock2d();
}

int VqGeCurve2d::isOn(const VqGePoint2d& pnt, const VqGeTol& tol) const {
    return impCurve() && impCurve()->isOn(vqLift(pnt), tol);
}

int VqGeCurve2d::isOn(const VqGePoint2d& pnt, double& param, const VqGeTol& tol) const {
    return impCurve() && impCurve()->isOn(vqLift(pnt), param, tol);
}

int VqGeCurve2d::isOn(double param, const VqGeTol& tol) const {
    return impCurve() && impCurve()->isOn(param, tol);
}

double VqGeCurve2d::paramOf(const VqGePoint2d& pnt, const VqGeTol& tol) const {
    return impCurve() ? impCurve()->paramOf(vqLift(pnt), tol) : 0.0;
}

int VqGeCurve2d::isClosed(const VqGeTol& tol) const { return impCurve() && impCurve()->isClosed(tol); }

int VqGeCurve2d::isPeriodic(double& period) const {
    return impCurve() && impCurve()->isPeriodic(period, 0);
}

double VqGeCurve2d::length(double fromParam, double toParam, double tol) const {
    return impCurve() ? impCurve()->length(fromParam, toParam, tol) : 0.0;
}

double VqGeCurve2d::paramAtLength(double datumParam, double len, int posParamDir,
                                  double tol) const {
    return impCurve() ? impCurve()->paramAtLength(datumParam, len, posParamDir, tol) : datumParam;
}

int VqGeCurve2d::area(double startParam, double endParam, double& value,
                      const VqGeTol& tol) const {
    return impCurve() && impCurve()->area(startParam, endParam, value, tol);
}

int VqGeCurve2d::isDegenerate(VqGe::EntityId& degenerateType, const VqGeTol& tol) const {
    return impCurve() && impCurve()->isDegenerate(degenerateType, tol);
}

int VqGeCurve2d::isDegenerate(VqGeEntity2d*& pConvertedEntity, const VqGeTol& tol) const {
    pConvertedEntity = nullptr;
    if (!impCurve()) return 0;
    VqGeImpEntity3d* ent = nullptr;
    const int result = impCurve()->isDegenerate(ent, tol);
    if (ent) {
        pConvertedEntity = newEntity2d(ent);
        if (!pConvertedEntity) delete ent;
    }
    return result;
}

void VqGeCurve2d::getSplitCurves(double param, VqGeCurve2d*& piece1, VqGeCurve2d*& piece2) const {
    piece1 = piece2 = nullptr;
    if (!impCurve()) return;
    VqGeImpCurve3d* a = nullptr;
    VqGeImpCurve3d* b = nullptr;
    impCurve()->getSplitCurves(param, a, b);
    piece1 = wrap(a);
    piece2 = wrap(b);
    if ((a && !piece1) || (b && !piece2)) {  // out of memory: both pieces or neither
        delete piece1;
        delete piece2;
        piece1 = piece2 = nullptr;
    }
}

int VqGeCurve2d::explode(VqArray<void*>& explodedCurves, VqArray<int>& isNew) const {
    if (!impCurve()) {
        explodedCurves.removeAll();
        isNew.removeAll();
        return 0;
    }
    const int result = impCurve()->explode(explodedCurves, isNew, nullptr);
    for (int i = 0; i < explodedCurves.length(); ++i) {
        VqGeImpCurve3d* piece = static_cast<VqGeImpCurve3d*>(explodedCurves[i]);
        if (!piece) continue;
        if (i < isNew.length() && isNew[i])
            explodedCurves[i] = wrap(piece);
        else
            explodedCurves[i] = piece->entity2d(1);
    }
    return result;
}

int VqGeCurve2d::hasStartPoint(VqGePoint2d& startPoint) const {
    if (!impCurve()) return 0;
    VqGePoint3d p = vqLift(startPoint);
    const int result = impCurve()->hasStartPoint(p);
    startPoint = vqDrop(p);
    return result;
}

int VqGeCurve2d::hasEndPoint(VqGePoint2d& endPoint) const {
    if (!impCurve()) return 0;
    VqGePoint3d p = vqLift(endPoint);
    const int result = impCurve()->hasEndPoint(p);
    endPoint = vqDrop(p);
    return result;
}

VqGePoint2d VqGeCurve2d::evalPoint(double param) const {
    return impCurve() ? vqDrop(impCurve()->evalPoint(param)) : VqGePoint2d();
}

VqGePoint2d VqGeCurve2d::evalPoint(double param, int numDeriv,
                                   VqArray<VqGeVector2d>& derivArray) const {
    if (!impCurve()) return VqGePoint2d();
    VqArray<VqGeVector3d> derivs;
    const VqGePoint3d p = impCurve()->evalPoint(param, numDeriv, derivs);
    derivArray.setLogicalLength(derivs.length());
    for (int i = 0; i < derivs.length() && i < derivArray.length(); ++i)
        derivArray[i] = vqDrop(derivs[i]);
    return vqDrop(p);
}

void VqGeCurve2d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                  VqArray<VqGePoint2d>& pointArray,
                                  VqArray<double>& paramArray) const {
    if (!impCurve()) return;
    VqGeImpPointOnCurve3d work(impCurve());
    VqArray<VqGePoint3d> points;
    impCurve()->getSamplePoints(fromParam, toParam, approxEps, work, points, paramArray, nullptr,
                                nullptr);
    vqDropAll(points, pointArray);
}

void VqGeCurve2d::getSamplePoints(int numSample, VqArray<VqGePoint2d>& pointArray) const {
    if (!impCurve()) return;
    VqArray<VqGePoint3d> points;
    impCurve()->getSamplePoints(numSample, points);
    vqDropAll(points, pointArray);
}
