// Public 3D entity handle: ownership, copying and forwarding to the implementation object.
#include "vqge_entity3d.h"

#include "entity/imp_entity3d.h"
#include "vqge_matrix3d.h"

namespace {

VqGeImpEntity3d* copyOf(const VqGeImpEntity3d* imp) {
    return imp ? static_cast<VqGeImpEntity3d*>(imp->copy()) : nullptr;
}

}  // namespace

VqGeEntity3d::VqGeEntity3d() : mImp(nullptr), mMark(kOwned) {}

VqGeEntity3d::VqGeEntity3d(VqGeImpEntity3d* imp) : mImp(imp), mMark(kOwned) {
    if (imp) imp->setEntity3d(this, imp->type(1));
}

VqGeEntity3d::VqGeEntity3d(VqGeImpEntity3d& imp, int) : mImp(&imp), mMark(kBorrowed) {
    // A borrower is never recorded as the object's owner: borrowers are mostly temporaries,
    // and the object would keep pointing at a dead wrapper once one is gone. An object
    // without an owner still takes the borrower's dimension.
    imp.takeBorrowerIdentity(0);
}

VqGeEntity3d::VqGeEntity3d(const VqGeEntity3d& src) : mImp(copyOf(src.mImp)), mMark(kOwned) {
    if (mImp) mImp->setEntity3d(this, static_cast<VqGe::EntityId>(src.mImp->entityType()));
}

VqGeEntity3d::~VqGeEntity3d() {
    if (mImp && mMark > 0) {
        mImp->forgetOwner(this);
        delete mImp;
    }
    mImp = nullptr;
    mMark = kReleased;
}

VqGeEntity3d& VqGeEntity3d::operator=(const VqGeEntity3d& src) {
    if (this == &src) return *this;
    VqGeImpEntity3d* held = VqGeImpEntity3d::assignToWrapper(this, 0, mImp, mMark > 0, src.mImp);
    if (held != mImp) {
        mImp = held;
        mMark = kOwned;
    }
    return *this;
}

void VqGeEntity3d::adoptImp(VqGeImpEntity3d* imp, VqGe::EntityId id) {
    if (mImp && mMark > 0) {
        mImp->forgetOwner(this);
        delete mImp;
    }
    mImp = imp;
    mMark = kOwned;
    if (imp) imp->setEntity3d(this, id);
}

VqGeEntity3d* VqGeEntity3d::newEntity3d(VqGeImpEntity3d* imp) { return new VqGeEntity3d(imp); }

VqGeEntity3d* VqGeEntity3d::newEntity3d(VqGeImpEntity3d& imp, int) {
    return new VqGeEntity3d(imp, 1);
}

VqGe::EntityId VqGeEntity3d::type() const { return mImp ? mImp->type(1) : VqGe::kEntity3d; }

int VqGeEntity3d::isKindOf(VqGe::EntityId entType) const {
    return mImp ? mImp->isKindOf(entType, 1) : 0;
}

VqGeEntity3d* VqGeEntity3d::copy() const {
    VqGeImpEntity3d* fresh = copyOf(mImp);
    if (!fresh) return nullptr;
    VqGeEntity3d* wrapper = newEntity3d(fresh);
    if (!wrapper) delete fresh;
    return wrapper;
}

int VqGeEntity3d::isEqualTo(const VqGeEntity3d& other, const VqGeTol& tol) const {
    return mImp && other.mImp ? mImp->isEqualTo(*other.mImp, tol) : 0;
}

int VqGeEntity3d::isOn(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return mImp ? mImp->isOn(pnt, tol) : 0;
}

VqGeEntity3d& VqGeEntity3d::transformBy(const VqGeMatrix3d& leftSide) {
    if (mImp) mImp->transformBy(leftSide);
    return *this;
}

VqGeEntity3d& VqGeEntity3d::translateBy(const VqGeVector3d& vec) {
    if (mImp) mImp->translateBy(vec);
    return *this;
}

VqGeEntity3d& VqGeEntity3d::rotateBy(double angle, const VqGeVector3d& vec,
                                     const VqGePoint3d& wrtPoint) {
    if (mImp) mImp->rotateBy(angle, vec, wrtPoint);
    return *this;
}

VqGeEntity3d& VqGeEntity3d::scaleBy(double scaleFactor, const VqGePoint3d& wrtPoint) {
    if (mImp) mImp->scaleBy(scaleFactor, wrtPoint);
    return *this;
}
