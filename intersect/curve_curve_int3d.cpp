// Public 3D curve-curve intersection: forwards to the implementation object. A wrapper
// without an object (its construction ran out of memory) answers zero values.
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "intersect/imp_curve_curve_int3d.h"
#include "vqge_curve3d.h"
#include "vqge_curvecurveint3d.h"
#include "vqge_pointoncurve3d.h"

namespace {
const VqGeImpInterval& impOf(const VqGeInterval& iv) {
    static const VqGeImpInterval kUnbounded;
    const VqGeImpInterval* imp = VqGeImpInterval::impInterval(iv);
    return imp ? *imp : kUnbounded;
}
}  // namespace

VqGeImpCurveCurveInt3d* VqGeCurveCurveInt3d::impCurveCurveInt() const {
    return static_cast<VqGeImpCurveCurveInt3d*>(mImp);
}

VqGeCurveCurveInt3d::VqGeCurveCurveInt3d() {
    adoptImp(new VqGeImpCurveCurveInt3d(), VqGe::kCurveCurveInt3d);
}

VqGeCurveCurveInt3d::VqGeCurveCurveInt3d(const VqGeCurve3d& curve1, const VqGeCurve3d& curve2,
                                         const VqGeVector3d& planeNormal, const VqGeTol& tol) {
    adoptImp(new VqGeImpCurveCurveInt3d(curve1.impCurve(), curve2.impCurve(), planeNormal, tol),
             VqGe::kCurveCurveInt3d);
}

VqGeCurveCurveInt3d::VqGeCurveCurveInt3d(const VqGeCurve3d& curve1, const VqGeCurve3d& curve2,
                                         const VqGeInterval& range1, const VqGeInterval& range2,
                                         const VqGeVector3d& planeNormal, const VqGeTol& tol) {
    adoptImp(new VqGeImpCurveCurveInt3d(curve1.impCurve(), curve2.impCurve(), impOf(range1),
                                        impOf(range2), planeNormal, tol),
             VqGe::kCurveCurveInt3d);
}

VqGeCurveCurveInt3d& VqGeCurveCurveInt3d::set(const VqGeCurve3d& curve1, const VqGeCurve3d& curve2,
                                              const VqGeVector3d& planeNormal, const VqGeTol& tol) {
    if (impCurveCurveInt())
        impCurveCurveInt()->set(curve1.impCurve(), curve2.impCurve(), planeNormal, tol);
    return *this;
}

VqGeCurveCurveInt3d& VqGeCurveCurveInt3d::set(const VqGeCurve3d& curve1, const VqGeCurve3d& curve2,
                                              const VqGeInterval& range1,
                                              const VqGeInterval& range2,
                                              const VqGeVector3d& planeNormal, const VqGeTol& tol) {
    if (impCurveCurveInt())
        impCurveCurveInt()->set(curve1.impCurve(), curve2.impCurve(), impOf(range1), impOf(range2),
                                planeNormal, tol);
    return *this;
}

const VqGeCurve3d* VqGeCurveCurveInt3d::curve1() const {
    const VqGeImpCurveCurveInt3d* imp = impCurveCurveInt();
    if (!imp || !imp->curve1()) return nullptr;
    return static_cast<const VqGeCurve3d*>(imp->curve1()->entity3d(1));
}

const VqGeCurve3d* VqGeCurveCurveInt3d::curve2() const {
    const VqGeImpCurveCurveInt3d* imp = impCurveCurveInt();
    if (!imp || !imp->curve2()) return nullptr;
    return static_cast<const VqGeCurve3d*>(imp->curve2()->entity3d(1));
}

void VqGeCurveCurveInt3d::getIntRanges(VqGeInterval& range1, VqGeInterval& range2) const {
    VqGeImpInterval* r1 = VqGeImpInterval::impInterval(range1);
    VqGeImpInterval* r2 = VqGeImpInterval::impInterval(range2);
    if (!impCurveCurveInt() || !r1 || !r2) return;
    impCurveCurveInt()->getIntRanges(*r1, *r2);
}

VqGeVector3d VqGeCurveCurveInt3d::planeNormal() const {
    return impCurveCurveInt() ? impCurveCurveInt()->planeNormal() : VqGeVector3d::kIdentity;
}

VqGeTol VqGeCurveCurveInt3d::tolerance() const {
    return impCurveCurveInt() ? impCurveCurveInt()->tolerance() : VqGeContext::gTol;
}

int VqGeCurveCurveInt3d::numIntPoints() const {
    return impCurveCurveInt() ? impCurveCurveInt()->numIntPoints() : 0;
}

VqGePoint3d VqGeCurveCurveInt3d::intPoint(int intNum) const {
    return impCurveCurveInt() ? impCurveCurveInt()->intPoint(intNum) : VqGePoint3d::kOrigin;
}

void VqGeCurveCurveInt3d::getIntParams(int intNum, double& param1, double& param2) const {
    if (impCurveCurveInt()) impCurveCurveInt()->getIntParams(intNum, param1, param2);
}

void VqGeCurveCurveInt3d::getPointOnCurve1(int intNum, VqGePointOnCurve3d& pntOnCrv) const {
    if (impCurveCurveInt() && pntOnCrv.impPointOnCurve())
        impCurveCurveInt()->getPointOnCurve1(intNum, *pntOnCrv.impPointOnCurve());
}

void VqGeCurveCurveInt3d::getPointOnCurve2(int intNum, VqGePointOnCurve3d& pntOnCrv) const {
    if (impCurveCurveInt() && pntOnCrv.impPointOnCurve())
        impCurveCurveInt()->getPointOnCurve2(intNum, *pntOnCrv.impPointOnCurve());
}

void VqGeCurveCurveInt3d::getIntConfigs(int intNum, VqGe::VqGeXConfig& config1wrt2,
                                        VqGe::VqGeXConfig& config2wrt1) const {
    if (!impCurveCurveInt() || intNum < 0 || intNum >= numIntPoints()) return;
    int c1 = 0, c2 = 0;
    impCurveCurveInt()->getIntConfigs(intNum, c1, c2);
    config1wrt2 = static_cast<VqGe::VqGeXConfig>(c1);
    config2wrt1 = static_cast<VqGe::VqGeXConfig>(c2);
}

int VqGeCurveCurveInt3d::isTangential(int intNum) const {
    return impCurveCurveInt() ? impCurveCurveInt()->isTangential(intNum) : 0;
}

int VqGeCurveCurveInt3d::isTransversal(int intNum) const {
    return impCurveCurveInt() ? impCurveCurveInt()->isTransversal(intNum) : 0;
}

double VqGeCurveCurveInt3d::intPointTol(int intNum) const {
    return impCurveCurveInt() ? impCurveCurveInt()->intPointTol(intNum) : 0.0;
}

int VqGeCurveCurveInt3d::overlapCount() const {
    return impCurveCurveInt() ? impCurveCurveInt()->overlapCount() : 0;
}

int VqGeCurveCurveInt3d::overlapDirection() const {
    return impCurveCurveInt() ? impCurveCurveInt()->overlapDirection() : 1;
}

void VqGeCurveCurveInt3d::getOverlapRanges(int overlapNum, VqGeInterval& range1,
                                           VqGeInterval& range2) const {
    VqGeImpInterval* r1 = VqGeImpInterval::impInterval(range1);
    VqGeImpInterval* r2 = VqGeImpInterval::impInterval(range2);
    if (!impCurveCurveInt() || !r1 || !r2) return;
    impCurveCurveInt()->getOverlapRanges(overlapNum, *r1, *r2);
}

VqGeCurveCurveInt3d& VqGeCurveCurveInt3d::changeCurveOrder() {
    if (impCurveCurveInt()) impCurveCurveInt()->changeCurveOrder();
    return *this;
}

VqGeCurveCurveInt3d& VqGeCurveCurveInt3d::orderWrt1() {
    return *this;
}

VqGeCurveCurveInt3d& VqGeCurveCurveInt3d::orderWrt2() {
    return *this;
}
