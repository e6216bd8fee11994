// Public 2D entity handle: the 3D implementation object with its data at z = 0; arguments
// are lifted to z = 0 on the way in.
#include "vqge_entity2d.h"

#include "entity/imp_entity3d.h"
#include "vqge_matrix2d.h"
#include "vqge_matrix3d.h"

namespace {

VqGeImpEntity3d* copyOf(const VqGeImpEntity3d* imp) {
    return imp ? static_cast<VqGeImpEntity3d*>(imp->copy()) : nullptr;
}

VqGePoint3d lift(const VqGePoint2d& p) { return VqGePoint3d(p.x, p.y, 0.0); }

}  // namespace

VqGeEntity2d::VqGeEntity2d() : mImp(nullptr), mMark(kOwned) {}

VqGeEntity2d::VqGeEntity2d(VqGeImpEntity3d* imp) : mImp(imp), mMark(kOwned) {
    if (imp) imp->setEntity2d(this, imp->type(1));
}

VqGeEntity2d::VqGeEntity2d(VqGeImpEntity3d& imp, int) : mImp(&imp), mMark(kBorrowed) {
    // As in 3D: a borrower is never recorded as the owner.
    imp.takeBorrowerIdentity(1);
}

VqGeEntity2d::VqGeEntity2d(const VqGeEntity2d& src) : mImp(copyOf(src.mImp)), mMark(kOwned) {
    if (mImp) mImp->setEntity2d(this, static_cast<VqGe::EntityId>(src.mImp->entityType()));
}

VqGeEntity2d::~VqGeEntity2d() {
    if (mImp && mMark > 0) {
        mImp->forgetOwner(this);
        delete mImp;
    }
    mImp = nullptr;
    mMark = kReleased;
}

VqGeEntity2d& VqGeEntity2d::operator=(const VqGeEntity2d& src) {
    if (this == &src) return *this;
    VqGeImpEntity3d* held = VqGeImpEntity3d::assignToWrapper(this, 1, mImp, mMark > 0, src.mImp);
    if (held != mImp) {
        mImp = held;
        mMark = kOwned;
    }
    return *this;
}

void VqGeEntity2d::adoptImp(VqGeImpEntity3d* imp, VqGe::EntityId id) {
    if (mImp && mMark > 0) {
        mImp->forgetOwner(this);
        delete mImp;
    }
    mImp = imp;
    mMark = kOwned;
    if (imp) imp->setEntity2d(this, id);
}

VqGeEntity2d* VqGeEntity2d::newEntity2d(VqGeImpEntity3d* imp) { return new VqGeEntity2d(imp); }

VqGeEntity2d* VqGeEntity2d::newEntity2d(VqGeImpEntity3d& imp, int) {
    return new VqGeEntity2d(imp, 1);
}

VqGe::EntityId VqGeEntity2d::type() const { return mImp ? mImp->type(1) : VqGe::kEntity2d; }

int VqGeEntity2d::isKindOf(VqGe::EntityId entType) const {
    return mImp ? mImp->isKindOf(entType, 1) : 0;
}

VqGeEntity2d* VqGeEntity2d::copy() const {
    VqGeImpEntity3d* fresh = copyOf(mImp);
    if (!fresh) return nullptr;
    VqGeEntity2d* wrapper = newEntity2d(fresh);
    if (!wrapper) delete fresh;
    return wrapper;
}

int VqGeEntity2d::isEqualTo(const VqGeEntity2d& other, const VqGeTol& tol) const {
    return mImp && other.mImp ? mImp->isEqualTo(*other.mImp, tol) : 0;
}

int VqGeEntity2d::isOn(const VqGePoint2d& pnt, const VqGeTol& tol) const {
    return mImp ? mImp->isOn(lift(pnt), tol) : 0;
}

VqGeMatrix3d VqGeEntity2d::liftMatrix(const VqGeMatrix2d& m) {
    VqGeMatrix3d r;
    for (unsigned row = 0; row < 2; ++row) {
        r(row, 0) = m(row, 0);
        r(row, 1) = m(row, 1);
        r(row, 2) = 0.0;
        r(row, 3) = m(row, 2);
    }
    const VqGeVector2d xImage(m(0, 0), m(1, 0));
    const double s = xImage.isUnitLength(VqGeContext::gTol) ? 1.0 : xImage.length();
    r(2, 0) = 0.0;
    r(2, 1) = 0.0;
    r(2, 2) = s;
    r(2, 3) = 0.0;
    r(3, 0) = m(2, 0);
    r(3, 1) = m(2, 1);
    r(3, 2) = 0.0;
    r(3, 3) = m(2, 2);
    return r;
}

VqGeEntity2d& VqGeEntity2d::transformBy(const VqGeMatrix2d& leftSide) {
    if (mImp) mImp->transformBy(liftMatrix(leftSide));
    return *this;
}

VqGeEntity2d& VqGeEntity2d::translateBy(const VqGeVector2d& vec) {
    if (mImp) mImp->translateBy(VqGeVector3d(vec.x, vec.y, 0.0));
    return *this;
}

VqGeEntity2d& VqGeEntity2d::rotateBy(double angle, const VqGePoint2d& wrtPoint) {
    if (mImp) mImp->rotateBy(angle, VqGeVector3d::kZAxis, lift(wrtPoint));
    return *this;
}

VqGeEntity2d& VqGeEntity2d::scaleBy(double scaleFactor, const VqGePoint2d& wrtPoint) {
    if (mImp) mImp->scaleBy(scaleFactor, lift(wrtPoint));
    return *this;
}
