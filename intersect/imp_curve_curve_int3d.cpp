// Curve-curve intersection: construction, the curves and their links, identity and the events
// from the curves that drop the computed result.
#include "intersect/imp_curve_curve_int3d.h"

#include <cstdlib>

#include "curves/imp_curve3d.h"
#include "curves/imp_linear_ent3d.h"
#include "vqge_matrix3d.h"

namespace {
const char* const kCurveLink = "CurveCurveInt3d_Curve3d";
}

VqGeImpCurveCurveInt3d::VqGeImpCurveCurveInt3d()
    : VqGeImpEntity3d(VqGe::kCurveCurveInt3d),
      mCurve1(nullptr),
      mCurve2(nullptr),
      mComputing(0),
      mTol(VqGeContext::gTol),
      mComputed(0),
      mNormalGiven(0) {
    set(&VqGeImpLinearEnt3d::kXAxis, &VqGeImpLinearEnt3d::kYAxis, VqGeVector3d::kIdentity,
        VqGeContext::gTol);
}

VqGeImpCurveCurveInt3d::VqGeImpCurveCurveInt3d(const VqGeImpCurve3d* crv1,
                                               const VqGeImpCurve3d* crv2,
                                               const VqGeVector3d& planeNormal, const VqGeTol& tol)
    : VqGeImpEntity3d(VqGe::kCurveCurveInt3d),
      mCurve1(nullptr),
      mCurve2(nullptr),
      mComputing(0),
      mTol(tol),
      mComputed(0),
      mNormalGiven(0) {
    set(crv1, crv2, planeNormal, tol);
}

VqGeImpCurveCurveInt3d::VqGeImpCurveCurveInt3d(const VqGeImpCurve3d* crv1,
                                               const VqGeImpCurve3d* crv2,
                                               const VqGeImpInterval& range1,
                                               const VqGeImpInterval& range2,
                                               const VqGeVector3d& planeNormal, const VqGeTol& tol)
    : VqGeImpEntity3d(VqGe::kCurveCurveInt3d),
      mCurve1(nullptr),
      mCurve2(nullptr),
      mComputing(0),
      mTol(tol),
      mComputed(0),
      mNormalGiven(0) {
    set(crv1, crv2, range1, range2, planeNormal, tol);
}

VqGeImpCurveCurveInt3d::VqGeImpCurveCurveInt3d(const VqGeImpCurveCurveInt3d& src)
    : VqGeImpEntity3d(src),
      mPlaneNormal(src.mPlaneNormal),
      mCurve1(src.mCurve1),
      mCurve2(src.mCurve2),
      mRange1(src.mRange1),
      mRange2(src.mRange2),
      mData(src.mData),
      mComputing(0),
      mTol(src.mTol),
      mComputed(src.mComputed),
      mNormalGiven(src.mNormalGiven) {
    if (mCurve1) createLink(mCurve1, kCurveLink);
    if (mCurve2 && mCurve2 != mCurve1) createLink(mCurve2, kCurveLink);
}

VqGeImpCurveCurveInt3d& VqGeImpCurveCurveInt3d::operator=(const VqGeImpCurveCurveInt3d& src) {
    if (this == &src) return *this;
    VqGeImpEntity3d::operator=(src);
    mTol = src.mTol;
    mNormalGiven = src.mNormalGiven;
    // A derived normal is derived again from the same curves.
    setCurves(src.mCurve1, src.mCurve2, src.normalToKeep());
    mRange1 = src.mRange1;
    mRange2 = src.mRange2;
    return *this;
}

VqGeImpCurveCurveInt3d::~VqGeImpCurveCurveInt3d() {
    unlinkCurves();
}

void VqGeImpCurveCurveInt3d::unlinkCurves() {
    if (mCurve1) removeLink(mCurve1, kCurveLink);
    if (mCurve2 && mCurve2 != mCurve1) removeLink(mCurve2, kCurveLink);
}

int VqGeImpCurveCurveInt3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == type(isPublic)) return 1;
    return VqGeImpEntity3d::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeImpCurveCurveInt3d::type(int isPublic) const {
    if (!isPublic) return VqGe::kCurveCurveInt3d;
    return static_cast<VqGe::EntityId>(std::abs(static_cast<int>(entityType())));
}

VqGeImpCurveCurveInt3d* VqGeImpCurveCurveInt3d::copy() const {
    return new VqGeImpCurveCurveInt3d(*this);
}

void VqGeImpCurveCurveInt3d::setCurves(const VqGeImpCurve3d* crv1, const VqGeImpCurve3d* crv2,
                                       const VqGeVector3d& normal) {
    unlinkCurves();
    if (crv1) createLink(crv1, kCurveLink);
    if (crv2 && crv2 != crv1) createLink(crv2, kCurveLink);
    mCurve1 = crv1;
    mCurve2 = crv2;
    mComputing = 0;
    reset(normal);
    notifyModified();
}

// A missing curve leaves its range unbounded.
void VqGeImpCurveCurveInt3d::takeCurveRanges() {
    mRange1 = VqGeImpInterval();
    mRange2 = VqGeImpInterval();
    if (mCurve1) mCurve1->getInterval(mRange1, 0, 0);
    if (mCurve2) mCurve2->getInterval(mRange2, 0, 0);
}

// The tolerance is stored before the curves, so that the plane normal derived for them is
// judged under the tolerance the caller asked for, not the previous one.
VqGeImpCurveCurveInt3d& VqGeImpCurveCurveInt3d::set(const VqGeImpCurve3d* crv1,
                                                    const VqGeImpCurve3d* crv2,
                                                    const VqGeVector3d& planeNormal,
                                                    const VqGeTol& tol) {
    mTol = tol;
    mNormalGiven = !planeNormal.isZeroLength(VqGeContext::gTol);
    setCurves(crv1, crv2, planeNormal);
    takeCurveRanges();
    return *this;
}

VqGeImpCurveCurveInt3d& VqGeImpCurveCurveInt3d::set(
    const VqGeImpCurve3d* crv1, const VqGeImpCurve3d* crv2, const VqGeImpInterval& range1,
    const VqGeImpInterval& range2, const VqGeVector3d& planeNormal, const VqGeTol& tol) {
    set(crv1, crv2, planeNormal, tol);
    mRange1 = range1;
    mRange2 = range2;
    return *this;
}

void VqGeImpCurveCurveInt3d::reset(const VqGeVector3d& normal) {
    if (!normal.isZeroLength(VqGeContext::gTol)) {
        mPlaneNormal = normal;
    } else {
        const VqGeVector3d old = mPlaneNormal;
        mPlaneNormal = VqGeVector3d::kIdentity;
        VqGeVector3d derived = planeNormal();
        if (derived.dotProduct(old) < 0.0) {
            derived.negate();
            mPlaneNormal = derived;
        }
    }
    mData.reset();
    mComputed = 0;
}

// Deriving the normal anew after every change of a curve would silently turn a projected
// intersection the caller asked for into a plain 3D one whenever the curves are not
// coplanar; only a derived normal is derived again.
VqGeVector3d VqGeImpCurveCurveInt3d::normalToKeep() const {
    return mNormalGiven ? mPlaneNormal : VqGeVector3d::kIdentity;
}

void VqGeImpCurveCurveInt3d::eventModified(const VqGeLink&) {
    // Our own computation sets the curves' intervals and hears about it here.
    if (!mComputing) reset(normalToKeep());
}

void VqGeImpCurveCurveInt3d::eventSetInterval(const VqGeLink& link) {
    eventModified(link);
}

void VqGeImpCurveCurveInt3d::eventDeleted(const VqGeLink& link) {
    // The surviving curve's link would otherwise outlive its pointer: later sets could not
    // remove it and its events would keep resetting this object.
    const VqGeImpObject* gone = link.owner() == this ? link.member() : link.owner();
    const VqGeImpCurve3d* survivor = nullptr;
    if (mCurve1 && mCurve1 != gone) survivor = mCurve1;
    if (mCurve2 && mCurve2 != gone) survivor = mCurve2;
    if (survivor) removeLink(survivor, kCurveLink);
    mCurve1 = nullptr;
    mCurve2 = nullptr;
    reset(normalToKeep());
}

void VqGeImpCurveCurveInt3d::eventTransformed(const VqGeLink&, const VqGeMatrix3d& mat) {
    if (mComputing) return;
    VqGeVector3d normal = mPlaneNormal;
    normal.transformBy(mat);
    reset(normal);
}
