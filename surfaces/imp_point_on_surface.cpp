// Point on a surface: the link to the surface, caching of the evaluated values and the events
// that invalidate them.
#include "surfaces/imp_point_on_surface.h"

#include "foundation/vqge_mem.h"
#include "surfaces/imp_planar_ent.h"
#include "surfaces/imp_surface.h"
#include "vqge_matrix3d.h"

namespace {
const char* const kSurfaceLink = "PointOnSurface_Surface";
}

VqGeImpPointOnSurface::VqGeImpPointOnSurface()
    : VqGeImpPointEnt3d(VqGe::kPointOnSurface), mSurface(nullptr) {
    attach(&VqGeImpPlanarEnt::kXYPlane);
}

VqGeImpPointOnSurface::VqGeImpPointOnSurface(const VqGeImpSurface* srf)
    : VqGeImpPointEnt3d(VqGe::kPointOnSurface), mSurface(nullptr) {
    attach(srf);
}

VqGeImpPointOnSurface::VqGeImpPointOnSurface(const VqGeImpSurface* srf, const VqGePoint2d& param)
    : VqGeImpPointEnt3d(VqGe::kPointOnSurface), mSurface(nullptr) {
    attach(srf);
    mData.setParameter(param);
}

// The record is copied with its values, but the cache and the matrix belong to the source.
VqGeImpPointOnSurface::VqGeImpPointOnSurface(const VqGeImpPointOnSurface& src)
    : VqGeImpPointEnt3d(src), mSurface(nullptr), mData(src.mData) {
    mData.setEvalData(nullptr);
    mData.setTransform(nullptr);
    attach(src.mSurface);
    if (src.mData.transform()) mData.setTransform(vqNew<VqGeMatrix3d>(*src.mData.transform()));
}

VqGeImpPointOnSurface& VqGeImpPointOnSurface::operator=(const VqGeImpPointOnSurface& src) {
    if (this == &src) return *this;
    VqGeImpPointEnt3d::operator=(src);
    if (mSurface != src.mSurface) {
        if (mSurface) removeLink(mSurface, kSurfaceLink);
        mSurface = nullptr;
        attach(src.mSurface);
    }
    dropCache();
    dropTransform();
    mData = src.mData;
    mData.setEvalData(nullptr);
    mData.setTransform(nullptr);
    if (src.mData.transform()) mData.setTransform(vqNew<VqGeMatrix3d>(*src.mData.transform()));
    notifyModified();
    return *this;
}

VqGeImpPointOnSurface::~VqGeImpPointOnSurface() {
    dropCache();
    dropTransform();
    if (mSurface) removeLink(mSurface, kSurfaceLink);
}

void VqGeImpPointOnSurface::attach(const VqGeImpSurface* srf) {
    mSurface = srf;
    if (srf) createLink(srf, kSurfaceLink);
}

void VqGeImpPointOnSurface::dropCache() {
    delete mData.evalData();
    mData.setEvalData(nullptr);
    mData.clearComputed();
}

void VqGeImpPointOnSurface::dropTransform() {
    vqDelete(mData.transform());
    mData.setTransform(nullptr);
}

int VqGeImpPointOnSurface::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == VqGe::kPointOnSurface) return 1;
    return VqGeImpPointEnt3d::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeImpPointOnSurface::type(int) const { return VqGe::kPointOnSurface; }

VqGeImpPointOnSurface* VqGeImpPointOnSurface::copy() const {
    return new VqGeImpPointOnSurface(*this);
}

void VqGeImpPointOnSurface::eventModified(const VqGeLink&) { dropCache(); }

void VqGeImpPointOnSurface::eventDeleted(const VqGeLink&) {
    mSurface = nullptr;
    dropCache();
}

int VqGeImpPointOnSurface::isEqualTo(const VqGeImpEntity3d& other, const VqGeTol& tol) const {
    if (other.type(1) != type(1) || !other.isKindOf(VqGe::kPointOnSurface, 0)) return 0;
    const VqGeImpPointOnSurface& ps = static_cast<const VqGeImpPointOnSurface&>(other);
    if (mSurface != ps.mSurface &&
        (!mSurface || !ps.mSurface || !mSurface->isEqualTo(*ps.mSurface, tol)))
        return 0;
    const VqGeMatrix3d* m1 = mData.transform();
    const VqGeMatrix3d* m2 = ps.mData.transform();
    if (m1 != m2 && (!m1 || !m2 || !(*m1 == *m2))) return 0;
    return point().isEqualTo(ps.point(), tol);
}

VqGeImpPointOnSurface& VqGeImpPointOnSurface::transformBy(const VqGeMatrix3d& mat) {
    if (VqGeMatrix3d* old = mData.transform())
        old->preMultBy(mat);
    else
        mData.setTransform(vqNew<VqGeMatrix3d>(mat));
    dropCache();
    notifyTransformed(mat);
    return *this;
}

void VqGeImpPointOnSurface::evaluateTo(int order) const {
    if (mSurface) mSurface->evaluate(order, mData, 0);
}

VqGeImpPointOnSurface& VqGeImpPointOnSurface::setSurface(const VqGeImpSurface* srf) {
    if (srf == mSurface) return *this;
    if (mSurface) removeLink(mSurface, kSurfaceLink);
    mSurface = nullptr;
    attach(srf);
    dropCache();
    dropTransform();
    notifyModified();
    return *this;
}

VqGeImpPointOnSurface& VqGeImpPointOnSurface::setParameter(const VqGePoint2d& param) {
    mData.setParameter(param);
    mData.clearComputed();
    notifyModified();
    return *this;
}

void VqGeImpPointOnSurface::setPoint(const VqGePoint2d& param, const VqGePoint3d& pnt) {
    setParameter(param);
    mData.setPoint(pnt);
}

VqGePoint3d VqGeImpPointOnSurface::point() const {
    if (!mData.pointIsComputed()) evaluateTo(0);
    return mData.point();
}

VqGePoint3d VqGeImpPointOnSurface::point(const VqGePoint2d& param) {
    setParameter(param);
    return point();
}

VqGePoint3d VqGeImpPointOnSurface::point(const VqGeImpSurface* srf, const VqGePoint2d& param) {
    setSurface(srf);
    return point(param);
}

VqGeVector3d VqGeImpPointOnSurface::normal() const {
    if (!mData.normalIsComputed() && mSurface) mSurface->evalNormal(mData);
    return mData.normal();
}

VqGeVector3d VqGeImpPointOnSurface::normal(const VqGePoint2d& param) {
    setParameter(param);
    return normal();
}

VqGeVector3d VqGeImpPointOnSurface::normal(const VqGeImpSurface* srf, const VqGePoint2d& param) {
    setSurface(srf);
    return normal(param);
}

VqGeVector3d VqGeImpPointOnSurface::uDeriv(int order) const {
    if (order < 1 || order > 2) return VqGeVector3d();
    if (!mData.uDerivIsComputed(order)) evaluateTo(order);
    return mData.uDeriv(order);
}

VqGeVector3d VqGeImpPointOnSurface::uDeriv(int order, const VqGePoint2d& param) {
    setParameter(param);
    return uDeriv(order);
}

VqGeVector3d VqGeImpPointOnSurface::uDeriv(int order, const VqGeImpSurface* srf,
                                           const VqGePoint2d& param) {
    setSurface(srf);
    return uDeriv(order, param);
}

VqGeVector3d VqGeImpPointOnSurface::vDeriv(int order) const {
    if (order < 1 || order > 2) return VqGeVector3d();
    if (!mData.vDerivIsComputed(order)) evaluateTo(order);
    return mData.vDeriv(order);
}

VqGeVector3d VqGeImpPointOnSurface::vDeriv(int order, const VqGePoint2d& param) {
    setParameter(param);
    return vDeriv(order);
}

VqGeVector3d VqGeImpPointOnSurface::vDeriv(int order, const VqGeImpSurface* srf,
                                           const VqGePoint2d& param) {
    setSurface(srf);
    return vDeriv(order, param);
}

VqGeVector3d VqGeImpPointOnSurface::mixedPartial() const {
    if (!mData.mixedPartialIsComputed()) evaluateTo(2);
    return mData.mixedPartial();
}

VqGeVector3d VqGeImpPointOnSurface::mixedPartial(const VqGePoint2d& param) {
    setParameter(param);
    return mixedPartial();
}

VqGeVector3d VqGeImpPointOnSurface::mixedPartial(const VqGeImpSurface* srf,
                                                 const VqGePoint2d& param) {
    setSurface(srf);
    return mixedPartial(param);
}

VqGeVector3d VqGeImpPointOnSurface::tangentVector(const VqGeVector2d& vec) const {
    return uDeriv(1) * vec.x + vDeriv(1) * vec.y;
}

VqGeVector3d VqGeImpPointOnSurface::tangentVector(const VqGeVector2d& vec,
                                                  const VqGePoint2d& param) {
    setParameter(param);
    return tangentVector(vec);
}

VqGeVector3d VqGeImpPointOnSurface::tangentVector(const VqGeVector2d& vec,
                                                  const VqGeImpSurface* srf,
                                                  const VqGePoint2d& param) {
    setSurface(srf);
    return tangentVector(vec, param);
}

// Normal equations of Su a + Sv b = t. Dependent derivatives leave no unique direction; the
// zero vector is answered instead of dividing by zero.
VqGeVector2d VqGeImpPointOnSurface::inverseTangentVector(const VqGeVector3d& vec) const {
    const VqGeVector3d su = uDeriv(1), sv = vDeriv(1);
    const double g = su.dotProduct(su), h = sv.dotProduct(sv), o = su.dotProduct(sv);
    const double a = su.dotProduct(vec), b = sv.dotProduct(vec);
    const double d = g * h - o * o;
    if (!(d > 1e-30 * g * h) || !(d > 0.0)) return VqGeVector2d();
    return VqGeVector2d((a * h - b * o) / d, (b * g - o * a) / d);
}

VqGeVector2d VqGeImpPointOnSurface::inverseTangentVector(const VqGeVector3d& vec,
                                                         const VqGePoint2d& param) {
    setParameter(param);
    return inverseTangentVector(vec);
}

VqGeVector2d VqGeImpPointOnSurface::inverseTangentVector(const VqGeVector3d& vec,
                                                         const VqGeImpSurface* srf,
                                                         const VqGePoint2d& param) {
    setSurface(srf);
    return inverseTangentVector(vec, param);
}
