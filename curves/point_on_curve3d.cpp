// Public 3D point on a curve: forwards to the implementation object.
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "vqge_curve3d.h"
#include "vqge_pointoncurve3d.h"

namespace {
const VqGeImpCurve3d* impOf(const VqGeCurve3d& crv) { return crv.impCurve(); }
}  // namespace

VqGeImpPointOnCurve3d* VqGePointOnCurve3d::impPointOnCurve() const {
    return static_cast<VqGeImpPointOnCurve3d*>(mImp);
}

VqGePointOnCurve3d::VqGePointOnCurve3d(const VqGeCurve3d& crv) {
    adoptImp(new VqGeImpPointOnCurve3d(impOf(crv)), VqGe::kPointOnCurve3d);
}

VqGePointOnCurve3d::VqGePointOnCurve3d(const VqGeCurve3d& crv, double param) {
    adoptImp(new VqGeImpPointOnCurve3d(impOf(crv), param), VqGe::kPointOnCurve3d);
}

const VqGeCurve3d* VqGePointOnCurve3d::curve() const {
    VqGeImpPointOnCurve3d* p = impPointOnCurve();
    if (!p || !p->curve()) return nullptr;
    return static_cast<const VqGeCurve3d*>(p->curve()->entity3d(1));
}

double VqGePointOnCurve3d::parameter() const {
    return impPointOnCurve() ? impPointOnCurve()->parameter() : 0.0;
}

VqGePoint3d VqGePointOnCurve3d::point() const {
    return impPointOnCurve() ? impPointOnCurve()->point() : VqGePoint3d();
}

VqGePoint3d VqGePointOnCurve3d::point(double param) {
    return impPointOnCurve() ? impPointOnCurve()->point(param) : VqGePoint3d();
}

VqGePoint3d VqGePointOnCurve3d::point(const VqGeCurve3d& crv, double param) {
    return impPointOnCurve() ? impPointOnCurve()->point(impOf(crv), param) : VqGePoint3d();
}

VqGeVector3d VqGePointOnCurve3d::deriv(int order) const {
    return impPointOnCurve() ? impPointOnCurve()->deriv(order) : VqGeVector3d();
}

VqGeVector3d VqGePointOnCurve3d::deriv(int order, double param) {
    return impPointOnCurve() ? impPointOnCurve()->deriv(order, param) : VqGeVector3d();
}

VqGeVector3d VqGePointOnCurve3d::deriv(int order, const VqGeCurve3d& crv, double param) {
    return impPointOnCurve() ? impPointOnCurve()->deriv(order, impOf(crv), param)
                             : VqGeVector3d();
}

VqGePointOnCurve3d& VqGePointOnCurve3d::setCurve(const VqGeCurve3d& crv) {
    if (impPointOnCurve()) impPointOnCurve()->setCurve(impOf(crv));
    return *this;
}

VqGePointOnCurve3d& VqGePointOnCurve3d::setParameter(double param) {
    if (impPointOnCurve()) impPointOnCurve()->setParameter(param);
    return *this;
}
