// Public point on a surface: forwarding to its implementation object.
#include "surfaces/imp_point_on_surface.h"
#include "surfaces/imp_surface.h"
#include "vqge_pointonsurface.h"
#include "vqge_surface.h"

namespace {
const VqGeImpSurface* impOf(const VqGeSurface& srf) { return srf.impSurface(); }
}  // namespace

VqGePointOnSurface::VqGePointOnSurface() {
    adoptImp(new VqGeImpPointOnSurface(), VqGe::kPointOnSurface);
}

VqGePointOnSurface::VqGePointOnSurface(const VqGeSurface& surf) {
    adoptImp(new VqGeImpPointOnSurface(impOf(surf)), VqGe::kPointOnSurface);
}

VqGePointOnSurface::VqGePointOnSurface(const VqGeSurface& surf, const VqGePoint2d& param) {
    adoptImp(new VqGeImpPointOnSurface(impOf(surf), param), VqGe::kPointOnSurface);
}

VqGeImpPointOnSurface* VqGePointOnSurface::impPointOnSurface() const {
    return static_cast<VqGeImpPointOnSurface*>(mImp);
}

const VqGeSurface* VqGePointOnSurface::surface() const {
    if (!mImp || !impPointOnSurface()->surface()) return nullptr;
    const VqGeImpSurface* srf = impPointOnSurface()->surface();
    return static_cast<const VqGeSurface*>(srf->entity3d(1));
}

VqGePoint2d VqGePointOnSurface::parameter() const {
    return mImp ? impPointOnSurface()->parameter() : VqGePoint2d();
}

VqGePoint3d VqGePointOnSurface::point() const {
    return mImp ? impPointOnSurface()->point() : VqGePoint3d();
}

VqGePoint3d VqGePointOnSurface::point(const VqGePoint2d& param) {
    return mImp ? impPointOnSurface()->point(param) : VqGePoint3d();
}

VqGePoint3d VqGePointOnSurface::point(const VqGeSurface& surf, const VqGePoint2d& param) {
    return mImp ? impPointOnSurface()->point(impOf(surf), param) : VqGePoint3d();
}

VqGeVector3d VqGePointOnSurface::normal() const {
    return mImp ? impPointOnSurface()->normal() : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurface::normal(const VqGePoint2d& param) {
    return mImp ? impPointOnSurface()->normal(param) : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurface::normal(const VqGeSurface& surf, const VqGePoint2d& param) {
    return mImp ? impPointOnSurface()->normal(impOf(surf), param) : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurface::uDeriv(int order) const {
    return mImp ? impPointOnSurface()->uDeriv(order) : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurface::uDeriv(int order, const VqGePoint2d& param) {
    return mImp ? impPointOnSurface()->uDeriv(order, param) : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurface::uDeriv(int order, const VqGeSurface& surf,
                                        const VqGePoint2d& param) {
    return mImp ? impPointOnSurface()->uDeriv(order, impOf(surf), param) : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurface::vDeriv(int order) const {
    return mImp ? impPointOnSurface()->vDeriv(order) : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurface::vDeriv(int order, const VqGePoint2d& param) {
    return mImp ? impPointOnSurface()->vDeriv(order, param) : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurface::vDeriv(int order, const VqGeSurface& surf,
                                        const VqGePoint2d& param) {
    return mImp ? impPointOnSurface()->vDeriv(order, impOf(surf), param) : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurface::mixedPartial() const {
    return mImp ? impPointOnSurface()->mixedPartial() : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurface::mixedPartial(const VqGePoint2d& param) {
    return mImp ? impPointOnSurface()->mixedPartial(param) : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurface::mixedPartial(const VqGeSurface& surf, const VqGePoint2d& param) {
    return mImp ? impPointOnSurface()->mixedPartial(impOf(surf), param) : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurface::tangentVector(const VqGeVector2d& vec) const {
    return mImp ? impPointOnSurface()->tangentVector(vec) : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurface::tangentVector(const VqGeVector2d& vec, const VqGePoint2d& param) {
    return mImp ? impPointOnSurface()->tangentVector(vec, param) : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurface::tangentVector(const VqGeVector2d& vec,
                                               const VqGeSurface& vecSurf,
                                               const VqGePoint2d& param) {
    return mImp ? impPointOnSurface()->tangentVector(vec, impOf(vecSurf), param)
                : VqGeVector3d();
}

VqGeVector2d VqGePointOnSurface::inverseTangentVector(const VqGeVector3d& vec) const {
    return mImp ? impPointOnSurface()->inverseTangentVector(vec) : VqGeVector2d();
}

VqGeVector2d VqGePointOnSurface::inverseTangentVector(const VqGeVector3d& vec,
                                                      const VqGePoint2d& param) {
    return mImp ? impPointOnSurface()->inverseTangentVector(vec, param) : VqGeVector2d();
}

VqGeVector2d VqGePointOnSurface::inverseTangentVector(const VqGeVector3d& vec,
                                                      const VqGeSurface& surf,
                                                      const VqGePoint2d& param) {
    return mImp ? impPointOnSurface()->inverseTangentVector(vec, impOf(surf), param)
                : VqGeVector2d();
}

VqGePointOnSurface& VqGePointOnSurface::setSurface(const VqGeSurface& surf) {
    if (mImp) impPointOnSurface()->setSurface(impOf(surf));
    return *this;
}

VqGePointOnSurface& VqGePointOnSurface::setParameter(const VqGePoint2d& param) {
    if (mImp) impPointOnSurface()->setParameter(param);
    return *this;
}
