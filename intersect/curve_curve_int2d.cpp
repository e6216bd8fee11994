// Public 2D curve-curve intersection: the 3D implementation object with the z axis as plane
// normal; results lose their z. A wrapper without an object answers zero values.
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "curves/vqge_lift.h"
#include "intersect/imp_curve_curve_int3d.h"
#include "vqge_curve2d.h"
#include "vqge_curvecurveint2d.h"
#include "vqge_pointoncurve2d.h"

namespace {
const VqGeImpInterval& impOf(const VqGeInterval& iv) {
    static const VqGeImpInterval kUnbounded;
    const VqGeImpInterval* imp = VqGeImpInterval::impInterval(iv);
    return imp ? *imp : kUnbounded;
}
}  // namespace

VqGeImpCurveCurveInt3d* VqGeCurveCurveInt2d::impCurveCurveInt() const {
    return static_cast<VqGeImpCurveCurveInt3d*>(mImp);
}

VqGeCurveCurveInt2d::VqGeCurveCurveInt2d() {
    adoptImp(new VqGeImpCurveCurveInt3d(), VqGe::kCurveCurveInt2d);
}

VqGeCurveCurveInt2d::VqGeCurveCurveInt2d(const VqGeCurve2d& curve1, const VqGeCurve2d& curve2,
                                         const VqGeTol& tol) {
    adoptImp(
        new VqGeImpCurveCurveInt3d(curve1.impCurve(), curve2.impCurve(), VqGeVector3d::kZAxis, tol),
        VqGe::kCurveCurveInt2d);
}

VqGeCurveCurveInt2d::VqGeCurveCurveInt2d(const VqGeCurve2d& curve1, const VqGeCurve2d& curve2,
                                         const VqGeInterval& range1, const VqGeInterval& range2,
                                         const VqGeTol& tol) {
    adoptImp(new VqGeImpCurveCurveInt3d(curve1.impCurve(), curve2.impCurve(), impOf(range1),
                                        impOf(range2), VqGeVector3d::kZAxis, tol),
             VqGe::kCurveCurveInt2d);
}

VqGeCurveCurveInt2d& VqGeCurveCurveInt2d::set(const VqGeCurve2d& curve1, const VqGeCurve2d& curve2,
                                              const VqGeTol& tol) {
    if (impCurveCurveInt())
        impCurveCurveInt()->set(curve1.impCurve(), curve2.impCurve(), VqGeVector3d::kZAxis, tol);
    return *this;
}

VqGeCurveCurveInt2d& VqGeCurveCurveInt2d::set(const VqGeCurve2d& curve1, const VqGeCurve2d& curve2,
                                              const VqGeInterval& range1,
                                              const VqGeInterval& range2, const VqGeTol& tol) {
    if (impCurveCurveInt())
        impCurveCurveInt()->set(curve1.impCurve(), curve2.impCurve(), impOf(range1), impOf(range2),
                                VqGeVector3d::kZAxis, tol);
    return *this;
}

const VqGeCurve2d* VqGeCurveCurveInt2d::curve1() const {
    const VqGeImpCurveCurveInt3d* imp = impCurveCurveInt();
    if (!imp || !imp->curve1()) return nullptr;
    return static_cast<const VqGeCurve2d*>(imp->curve1()->entity2d(1));
}

const VqGeCurve2d* VqGeCurveCurveInt2d::curve2() const {
    const VqGeImpCurveCurveInt3d* imp = impCurveCurveInt();
    if (!imp || !imp->curve2()) return nullptr;
    return static_cast<const VqGeCurve2d*>(imp->curve2()->entity2d(1));
}

void VqGeCurveCurveInt2d::getIntRanges(VqGeInterval& range1, VqGeInterval& range2) const {
    VqGeImpInterval* r1 = VqGeImpInterval::impInterval(range1);
    VqGeImpInterval* r2 = VqGeImpInterval::impInterval(range2);
    if (!impCurveCurveInt() || !r1 || !r2) return;
    impCurveCurveInt()->getIntRanges(*r1, *r2);
}

VqGeTol VqGeCurveCurveInt2d::tolerance() const {
    return impCurveCurveInt() ? impCurveCurveInt()->tolerance() : VqGeContext::gTol;
}

int VqGeCurveCurveInt2d::numIntPoints() const {
    return impCurveCurveInt() ? impCurveCurveInt()->numIntPoints() : 0;
}

VqGePoint2d VqGeCurveCurveInt2d::intPoint(int intNum) const {
    return impCurveCurveInt() ? vqDrop(impCurveCurveInt()->intPoint(intNum)) : VqGePoint2d::kOrigin;
}

void VqGeCurveCurveInt2d::getIntParams(int intNum, double& param1, double& param2) const {
    if (impCurveCurveInt()) impCurveCurveInt()->getIntParams(intNum, param1, param2);
}

void VqGeCurveCurveInt2d::getPointOnCurve1(int intNum, VqGePointOnCurve2d& pntOnCrv) const {
    if (impCurveCurveInt() && pntOnCrv.impPointOnCurve())
        impCurveCurveInt()->getPointOnCurve1(intNum, *pntOnCrv.impPointOnCurve());
}

void VqGeCurveCurveInt2d::getPointOnCurve2(int intNum, VqGePointOnCurve2d& pntOnCrv) const {
    if (impCurveCurveInt() && pntOnCrv.impPointOnCurve())
        impCurveCurveInt()->getPointOnCurve2(intNum, *pntOnCrv.impPointOnCurve());
}

void VqGeCurveCurveInt2d::getIntConfigs(int intNum, VqGe::VqGeXConfig& config1wrt2,
                                        VqGe::VqGeXConfig& config2wrt1) const {
    if (!impCurveCurveInt() || intNum < 0 || intNum >= numIntPoints()) return;
    int c1 = 0, c2 = 0;
    impCurveCurveInt()->getIntConfigs(intNum, c1, c2);
    config1wrt2 = static_cast<VqGe::VqGeXConfig>(c1);
    config2wrt1 = static_cast<VqGe::VqGeXConfig>(c2);
}

int VqGeCurveCurveInt2d::isTangential(int intNum) const {
    return impCurveCurveInt() ? impCurveCurveInt()->isTangential(intNum) : 0;
}

int VqGeCurveCurveInt2d::isTransversal(int intNum) const {
    return impCurveCurveInt() ? impCurveCurveInt()->isTransversal(intNum) : 0;
}

double VqGeCurveCurveInt2d::intPointTol(int intNum) const {
    return impCurveCurveInt() ? impCurveCurveInt()->intPointTol(intNum) : 0.0;
}

int VqGeCurveCurveInt2d::overlapCount() const {
    return impCurveCurveInt() ? impCurveCurveInt()->overlapCount() : 0;
}

int VqGeCurveCurveInt2d::overlapDirection() const {
    return impCurveCurveInt() ? impCurveCurveInt()->overlapDirection() : 1;
}

void VqGeCurveCurveInt2d::getOverlapRanges(int overlapNum, VqGeInterval& range1,
                                           VqGeInterval& range2) const {
    VqGeImpInterval* r1 = VqGeImpInterval::impInterval(range1);
    VqGeImpInterval* r2 = VqGeImpInterval::impInterval(range2);
    if (!impCurveCurveInt() || !r1 || !r2) return;
    impCurveCurveInt()->getOverlapRanges(overlapNum, *r1, *r2);
}

VqGeCurveCurveInt2d& VqGeCurveCurveInt2d::changeCurveOrder() {
    if (impCurveCurveInt()) impCurveCurveInt()->changeCurveOrder();
    return *this;
}

VqGeCurveCurveInt2d& VqGeCurveCurveInt2d::orderWrt1() {
    return *this;
}

VqGeCurveCurveInt2d& VqGeCurveCurveInt2d::orderWrt2() {
    return *this;
}
