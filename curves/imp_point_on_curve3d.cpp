// Point on a curve: caching of the point and derivatives, the link to the curve and the
// events that invalidate the cache.
#include "curves/imp_point_on_curve3d.h"

#include "curves/imp_curve3d.h"
#include "foundation/vqge_mem.h"
#include "vqge_matrix3d.h"

namespace {
const char* const kCurveLink = "PointOnCurve3d_Curve3d";
}

VqGeImpPointOnCurve3d::VqGeImpPointOnCurve3d()
    : VqGeImpPointEnt3d(VqGe::kPointOnCurve3d), mCurve(nullptr) {}

VqGeImpPointOnCurve3d::VqGeImpPointOnCurve3d(const VqGeImpCurve3d* crv, double param)
    : VqGeImpPointEnt3d(VqGe::kPointOnCurve3d), mCurve(nullptr) {
    attach(crv);
    mData.setParameter(param);
}

VqGeImpPointOnCurve3d::VqGeImpPointOnCurve3d(const VqGeImpPointOnCurve3d& src)
    : VqGeImpPointEnt3d(src), mCurve(nullptr) {
    attach(src.mCurve);
    mData.setParameter(src.mData.parameter());
    if (src.mData.transform()) mData.setTransform(vqNew<VqGeMatrix3d>(*src.mData.transform()));
}

VqGeImpPointOnCurve3d& VqGeImpPointOnCurve3d::operator=(const VqGeImpPointOnCurve3d& src) {
    if (this == &src) return *this;
    VqGeImpPointEnt3d::operator=(src);
    if (mCurve != src.mCurve) {
        if (mCurve) removeLink(mCurve, kCurveLink);
        mCurve = nullptr;
        attach(src.mCurve);
    }
    deleteEvalData();
    deleteTransform();
    if (src.mData.transform()) mData.setTransform(vqNew<VqGeMatrix3d>(*src.mData.transform()));
    mData.setParameter(src.mData.parameter());
    mData.clearComputed();
    notifyModified();
    return *this;
}

VqGeImpPointOnCurve3d::~VqGeImpPointOnCurve3d() {
    deleteEvalData();
    deleteTransform();
    if (mCurve) removeLink(mCurve, kCurveLink);
}

void VqGeImpPointOnCurve3d::attach(const VqGeImpCurve3d* crv) {
    mCurve = crv;
    if (crv) createLink(crv, kCurveLink);
}

int VqGeImpPointOnCurve3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == type(isPublic)) return 1;
    return VqGeImpPointEnt3d::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeImpPointOnCurve3d::type(int isPublic) const {
    if (!isPublic) return VqGe::kPointOnCurve3d;
    const int id = entityType();
    return static_cast<VqGe::EntityId>(id < 0 ? -id : id);
}

VqGeImpPointOnCurve3d* VqGeImpPointOnCurve3d::copy() const {
    return new VqGeImpPointOnCurve3d(*this);
}

void VqGeImpPointOnCurve3d::eventModified(const VqGeLink&) { deleteEvalData(); }

void VqGeImpPointOnCurve3d::eventDeleted(const VqGeLink&) {
    mCurve = nullptr;
    deleteEvalData();
}

int VqGeImpPointOnCurve3d::isEqualTo(const VqGeImpEntity3d& other, const VqGeTol& tol) const {
    if (other.type(1) != type(1) || !other.isKindOf(VqGe::kPointOnCurve3d, 0)) return 0;
    const VqGeImpPointOnCurve3d& pc = static_cast<const VqGeImpPointOnCurve3d&>(other);
    if (mCurve != pc.mCurve && (!mCurve || !pc.mCurve || !mCurve->isEqualTo(*pc.mCurve, tol)))
        return 0;
    const VqGeMatrix3d* m1 = mData.transform();
    const VqGeMatrix3d* m2 = pc.mData.transform();
    if (m1 != m2 && (!m1 || !m2 || !(*m1 == *m2))) return 0;
    return point().isEqualTo(pc.point(), tol);
}

VqGeImpPointOnCurve3d& VqGeImpPointOnCurve3d::transformBy(const VqGeMatrix3d& mat) {
    if (VqGeMatrix3d* old = mData.transform())
        old->preMultBy(mat);
    else
        mData.setTransform(vqNew<VqGeMatrix3d>(mat));
    deleteEvalData();
    notifyTransformed(mat);
    return *this;
}

void VqGeImpPointOnCurve3d::evaluateTo(int order) const {
    if (!mCurve) return;
    mCurve->evaluate(order, mData, 0);
}

VqGePoint3d VqGeImpPointOnCurve3d::point() const {
    if (!mData.pointIsComputed()) evaluateTo(0);
    return mData.point();
}

VqGePoint3d VqGeImpPointOnCurve3d::point(double param) {
    setParameter(param);
    return point();
}

VqGePoint3d VqGeImpPointOnCurve3d::point(const VqGeImpCurve3d* crv, double param) {
    setCurve(crv);
    return point(param);
}

VqGeVector3d VqGeImpPointOnCurve3d::deriv(int order) const {
    if (order < 1 || order > VqGePointOnCurve3dData::kMaxDeriv) return VqGeVector3d();
    if (!mData.derivIsComputed(order)) evaluateTo(order);
    return mData.deriv(order);
}

VqGeVector3d VqGeImpPointOnCurve3d::deriv(int order, double param) {
    setParameter(param);
    return deriv(order);
}

VqGeVector3d VqGeImpPointOnCurve3d::deriv(int order, const VqGeImpCurve3d* crv, double param) {
    setCurve(crv);
    return deriv(order, param);
}

VqGeImpPointOnCurve3d& VqGeImpPointOnCurve3d::setCurve(const VqGeImpCurve3d* crv) {
    if (crv == mCurve) return *this;
    if (mCurve) removeLink(mCurve, kCurveLink);
    mCurve = nullptr;
    attach(crv);
    deleteTransform();
    deleteEvalData();
    notifyModified();
    return *this;
}

VqGeImpPointOnCurve3d& VqGeImpPointOnCurve3d::setParameter(double param) {
    mData.setParameter(param);
    mData.clearComputed();
    notifyModified();
    return *this;
}

int VqGeImpPointOnCurve3d::isSingular(const VqGeTol& tol) const {
    return deriv(1).isEqualTo(VqGeVector3d::kIdentity, tol);
}

int VqGeImpPointOnCurve3d::curvature(double& k) {
    VqGeVector3d normal;
    return curvature(k, normal);
}

int VqGeImpPointOnCurve3d::curvature(double param, double& k) {
    setParameter(param);
    return curvature(k);
}

// k = |d1 x d2| / |d1|^3; the normal is d2 less its part along d1, not normalised.
int VqGeImpPointOnCurve3d::curvature(double& k, VqGeVector3d& normal) {
    if (isSingular(VqGeContext::gTol)) return 0;
    const VqGeVector3d d1 = deriv(1), d2 = deriv(2);
    const double len = d1.length();
    k = d1.crossProduct(d2).length() / (len * len * len);
    normal = d2 - d1 * (d1.dotProduct(d2) / d1.lengthSqrd());
    return 1;
}

int VqGeImpPointOnCurve3d::curvature(double param, double& k, VqGeVector3d& normal) {
    setParameter(param);
    return curvature(k, normal);
}

void VqGeImpPointOnCurve3d::setPoint(double param, const VqGePoint3d& pnt) {
    mData.setParameter(param);
    mData.clearComputed();
    mData.setPoint(pnt);
}

void VqGeImpPointOnCurve3d::resetComputedData() { mData.clearComputed(); }

void VqGeImpPointOnCurve3d::deleteEvalData() {
    delete mData.evalData();
    mData.setEvalData(nullptr);
    mData.clearComputed();
}

void VqGeImpPointOnCurve3d::deleteTransform() {
    vqDelete(mData.transform());
    mData.setTransform(nullptr);
}
