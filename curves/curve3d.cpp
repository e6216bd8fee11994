// Public 3D curve: forwarding to the curve implementation object. A wrapper without an object
// (its construction ran out of memory) answers 0 or the zero value and changes nothing.
#include "curves/imp_bound_block3d.h"
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "vqge_curve3d.h"
#include "vqge_pointoncurve3d.h"

namespace {
VqGeImpPointOnCurve3d& impOf(const VqGePointOnCurve3d& pc) { return *pc.impPointOnCurve(); }
VqGeImpInterval& impOf(const VqGeInterval& iv) { return *VqGeImpInterval::impInterval(iv); }
}  // namespace

VqGeCurve3d::VqGeCurve3d(VqGeImpCurve3d* imp) : VqGeEntity3d(imp) {}

VqGeCurve3d::VqGeCurve3d(VqGeImpCurve3d& imp, int borrow) : VqGeEntity3d(imp, borrow) {}

VqGeImpCurve3d* VqGeCurve3d::impCurve() const { return static_cast<VqGeImpCurve3d*>(mImp); }

VqGeCurve3d* VqGeCurve3d::wrap(VqGeImpCurve3d* imp) {
    if (!imp) return nullptr;
    VqGeCurve3d* crv = new VqGeCurve3d(imp);
    if (!crv) delete imp;
    return crv;
}

void VqGeCurve3d::getInterval(VqGeInterval& intrvl) const {
    if (impCurve()) impCurve()->getInterval(impOf(intrvl), 0, 0);
}

void VqGeCurve3d::getInterval(VqGeInterval& intrvl, VqGePoint3d& start, VqGePoint3d& end) const {
    if (impCurve()) impCurve()->getInterval(impOf(intrvl), start, end);
}

int VqGeCurve3d::setInterval(const VqGeInterval& intrvl) {
    if (!impCurve()) return 0;
    VqGeImpInterval current;
    impCurve()->getInterval(current, 0, 0);
    if (current.isBoundedBelow() != intrvl.isBoundedBelow() ||
        current.isBoundedAbove() != intrvl.isBoundedAbove())
        return 0;
    impCurve()->setInterval(impOf(intrvl), 1);
    return 1;
}

int VqGeCurve3d::setInterval() { return impCurve() ? impCurve()->setInterval() : 0; }

VqGeCurve3d& VqGeCurve3d::reverseParam() {
    if (impCurve()) impCurve()->reverseParam();
    return *this;
}

double VqGeCurve3d::distanceTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return impCurve() ? impCurve()->distanceTo(pnt, tol) : 0.0;
}

double VqGeCurve3d::distanceTo(const VqGeCurve3d& crv, const VqGeTol& tol) const {
    return impCurve() && crv.impCurve() ? impCurve()->distanceTo(*crv.impCurve(), tol) : 0.0;
}

VqGePoint3d VqGeCurve3d::closestPointTo(const VqGeCurve3d& crv, VqGePoint3d& pntOnOther,
                                        const VqGeTol& tol) const {
    if (!impCurve() || !crv.impCurve()) return VqGePoint3d();
    return impCurve()->closestPointTo(*crv.impCurve(), pntOnOther, tol);
}

void VqGeCurve3d::getClosestPointTo(const VqGePoint3d& pnt, VqGePointOnCurve3d& pntOnCrv,
                                    const VqGeTol& tol) const {
    if (impCurve() && pntOnCrv.impPointOnCurve())
        impCurve()->getClosestPointTo(pnt, impOf(pntOnCrv), tol);
}

void VqGeCurve3d::getClosestPointTo(const VqGeCurve3d& crv, VqGePointOnCurve3d& pntOnThis,
                                    VqGePointOnCurve3d& pntOnOther, const VqGeTol& tol) const {
    if (impCurve() && crv.impCurve() && pntOnThis.impPointOnCurve() &&
        pntOnOther.impPointOnCurve())
        impCurve()->getClosestPointTo(*crv.impCurve(), impOf(pntOnThis), impOf(pntOnOther), tol);
}

VqGePoint3d VqGeCurve3d::projClosestPointTo(const VqGePoint3d& pnt,
                                            const VqGeVector3d& projectDirection,
                                            const VqGeTol& tol) const {
    return impCurve() ? impCurve()->projClosestPointTo(pnt, projectDirection, tol) : VqGePoint3d();
}

VqGePoint3d VqGeCurve3d::projClosestPointTo(const VqGeCurve3d& crv,
                                            const VqGeVector3d& projectDirection,
                                            VqGePoint3d& pntOnOther, const VqGeTol& tol) const {
    if (!impCurve() || !crv.impCurve()) return VqGePoint3d();
    return impCurve()->projClosestPointTo(*crv.impCurve(), projectDirection, pntOnOther, tol);
}

void VqGeCurve3d::getProjClosestPointTo(const VqGePoint3d& pnt,
                                        const VqGeVector3d& projectDirection,
                                        VqGePointOnCurve3d& pntOnCrv, const VqGeTol& tol) const {
    if (impCurve() && pntOnCrv.impPointOnCurve())
        impCurve()->getProjClosestPointTo(pnt, projectDirection, impOf(pntOnCrv), tol);
}

void VqGeCurve3d::getProjClosestPointTo(const VqGeCurve3d& crv,
                                        const VqGeVector3d& projectDirection,
                                        VqGePointOnCurve3d& pntOnThis,
                                        VqGePointOnCurve3d& pntOnOther,
                                        const VqGeTol& tol) const {
    if (impCurve() && crv.impCurve() && pntOnThis.impPointOnCurve() &&
        pntOnOther.impPointOnCurve())
        impCurve()->getProjClosestPointTo(*crv.impCurve(), projectDirection, impOf(pntOnThis),
                                          impOf(pntOnOther), tol);
}

int VqGeCurve3d::getNormalPoint(const VqGePoint3d& pnt, VqGePointOnCurve3d& pntOnCrv,
                                const VqGeTol& tol) const {
    if (!impCurve() || !pntOnCrv.impPointOnCurve()) return 0;
    return impCurve()->getNormalPoint(pnt, impOf(pntOnCrv), tol);
}

namespace {
// Copies an implementation block into a public one.
VqGeBoundBlock3d toPublic(const VqGeImpBoundBlock3d& block) {
    VqGeBoundBlock3d result;
    VqGePoint3d base;
    VqGeVector3d d0, d1, d2;
    block.get(base, d0, d1, d2);
    result.set(base, d0, d1, d2);
    result.setToBox(block.isBox());
    return result;
}
}  // namespace

// Blocks of a 3D curve are computed in three dimensions.
VqGeBoundBlock3d VqGeCurve3d::boundBlock() const {
    return impCurve() ? toPublic(impCurve()->boundBlock(3, 1)) : VqGeBoundBlock3d();
}

VqGeBoundBlock3d VqGeCurve3d::boundBlock(const VqGeInterval& range) const {
    return impCurve() ? toPublic(impCurve()->boundBlock(3, impOf(range), 1)) : VqGeBoundBlock3d();
}

VqGeBoundBlock3d VqGeCurve3d::orthoBoundBlock() const {
    return impCurve() ? toPublic(impCurve()->boundBlock(3, 0)) : VqGeBoundBlock3d();
}

VqGeBoundBlock3d VqGeCurve3d::orthoBoundBlock(const VqGeInterval& range) const {
    return impCurve() ? toPublic(impCurve()->boundBlock(3, impOf(range), 0)) : VqGeBoundBlock3d();
}

int VqGeCurve3d::isOn(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return impCurve() && impCurve()->isOn(pnt, tol);
}

int VqGeCurve3d::isOn(const VqGePoint3d& pnt, double& param, const VqGeTol& tol) const {
    return impCurve() && impCurve()->isOn(pnt, param, tol);
}

int VqGeCurve3d::isOn(double param, const VqGeTol& tol) const {
    return impCurve() && impCurve()->isOn(param, tol);
}

double VqGeCurve3d::paramOf(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return impCurve() ? impCurve()->paramOf(pnt, tol) : 0.0;
}

int VqGeCurve3d::isClosed(const VqGeTol& tol) const { return impCurve() && impCurve()->isClosed(tol); }

int VqGeCurve3d::isPeriodic(double& period) const {
    return impCurve() && impCurve()->isPeriodic(period, 0);
}

double VqGeCurve3d::length(double fromParam, double toParam, double tol) const {
    return impCurve() ? impCurve()->length(fromParam, toParam, tol) : 0.0;
}

double VqGeCurve3d::paramAtLength(double datumParam, double len, int posParamDir,
                                  double tol) const {
    return impCurve() ? impCurve()->paramAtLength(datumParam, len, posParamDir, tol) : datumParam;
}

int VqGeCurve3d::area(double startParam, double endParam, double& value,
                      const VqGeTol& tol) const {
    return impCurve() && impCurve()->area(startParam, endParam, value, tol);
}

int VqGeCurve3d::isDegenerate(VqGe::EntityId& degenerateType, const VqGeTol& tol) const {
    return impCurve() && impCurve()->isDegenerate(degenerateType, tol);
}

int VqGeCurve3d::isDegenerate(VqGeEntity3d*& pConvertedEntity, const VqGeTol& tol) const {
    pConvertedEntity = nullptr;
    if (!impCurve()) return 0;
    VqGeImpEntity3d* ent = nullptr;
    const int result = impCurve()->isDegenerate(ent, tol);
    if (ent) {
        pConvertedEntity = newEntity3d(ent);
        if (!pConvertedEntity) delete ent;
    }
    return result;
}

void VqGeCurve3d::getSplitCurves(double param, VqGeCurve3d*& piece1, VqGeCurve3d*& piece2) const {
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

// New entries get a new wrapper; existing ones hand back the wrapper that serves them.
int VqGeCurve3d::explode(VqArray<void*>& explodedCurves, VqArray<int>& isNew) const {
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
            explodedCurves[i] = piece->entity3d(1);
    }
    return result;
}

int VqGeCurve3d::hasStartPoint(VqGePoint3d& startPoint) const {
    return impCurve() && impCurve()->hasStartPoint(startPoint);
}

int VqGeCurve3d::hasEndPoint(VqGePoint3d& endPoint) const {
    return impCurve() && impCurve()->hasEndPoint(endPoint);
}

VqGePoint3d VqGeCurve3d::evalPoint(double param) const {
    return impCurve() ? impCurve()->evalPoint(param) : VqGePoint3d();
}

VqGePoint3d VqGeCurve3d::evalPoint(double param, int numDeriv,
                                   VqArray<VqGeVector3d>& derivArray) const {
    return impCurve() ? impCurve()->evalPoint(param, numDeriv, derivArray) : VqGePoint3d();
}

void VqGeCurve3d::getSamplePoints(double fromParam, double toParam, double approxEps,
                                  VqArray<VqGePoint3d>& pointArray,
                                  VqArray<double>& paramArray) const {
    if (!impCurve()) return;
    VqGeImpPointOnCurve3d work(impCurve());
    impCurve()->getSamplePoints(fromParam, toParam, approxEps, work, pointArray, paramArray,
                                nullptr, nullptr);
}

void VqGeCurve3d::getSamplePoints(int numSample, VqArray<VqGePoint3d>& pointArray) const {
    if (impCurve()) impCurve()->getSamplePoints(numSample, pointArray);
}
