// Public 2D point on a curve: forwards to the implementation object, dropping z.
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "curves/vqge_lift.h"
#include "vqge_curve2d.h"
#include "vqge_pointoncurve2d.h"

VqGeImpPointOnCurve3d* VqGePointOnCurve2d::impPointOnCurve() const {
    return static_cast<VqGeImpPointOnCurve3d*>(mImp);
}

VqGePointOnCurve2d::VqGePointOnCurve2d(const VqGeCurve2d& crv) {
    adoptImp(new VqGeImpPointOnCurve3d(crv.impCurve()), VqGe::kPointOnCurve2d);
}

VqGePointOnCurve2d::VqGePointOnCurve2d(const VqGeCurve2d& crv, double param) {
    adoptImp(new VqGeImpPointOnCurve3d(crv.impCurve(), param), VqGe::kPointOnCurve2d);
}

const VqGeCurve2d* VqGePointOnCurve2d::curve() const {
    VqGeImpPointOnCurve3d* p = impPointOnCurve();
    if (!p || !p->curve()) return nullptr;
    return static_cast<const VqGeCurve2d*>(p->curve()->entity2d(1));
}

double VqGePointOnCurve2d::parameter() const {
    return impPointOnCurve() ? impPointOnCurve()->parameter() : 0.0;
}

VqGePoint2d VqGePointOnCurve2d::point() const {
    return impPointOnCurve() ? vqDrop(impPointOnCurve()->point()) : VqGePoint2d();
}

VqGePoint2d VqGePointOnCurve2d::point(double param) {
    return impPointOnCurve() ? vqDrop(impPointOnCurve()->point(param)) : VqGePoint2d();
}

VqGePoint2d VqGePointOnCurve2d::point(const VqGeCurve2d& crv, double param) {
    return impPointOnCurve() ? vqDrop(impPointOnCurve()->point(crv.impCurve(), param))
                             : VqGePoint2d();
}

VqGeVector2d VqGePointOnCurve2d::deriv(int order) const {
    return impPointOnCurve() ? vqDrop(impPointOnCurve()->deriv(order)) : VqGeVector2d();
}

VqGeVector2d VqGePointOnCurve2d::deriv(int order, double param) {
    return impPointOnCurve() ? vqDrop(impPointOnCurve()->deriv(order, param)) : VqGeVector2d();
}

VqGeVector2d VqGePointOnCurve2d::deriv(int order, const VqGeCurve2d& crv, double param) {
    return impPointOnCurve() ? vqDrop(impPointOnCurve()->deriv(order, crv.impCurve(), param))
                             : VqGeVector2d();
}

VqGePointOnCurve2d& VqGePointOnCurve2d::setCurve(const VqGeCurve2d& crv) {
    if (impPointOnCurve()) impPointOnCurve()->setCurve(crv.impCurve());
    return *this;
}

VqGePointOnCurve2d& VqGePointOnCurve2d::setParameter(double param) {
    if (impPointOnCurve()) impPointOnCurve()->setParameter(param);
    return *this;
}
