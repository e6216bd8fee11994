// Entity base: identity, owner wrapper bookkeeping and the default transformations.
#include "entity/imp_entity3d.h"

#include <cstdlib>

#include "vqge_entity2d.h"
#include "vqge_entity3d.h"
#include "vqge_matrix3d.h"

VqGeImpEntity3d::VqGeImpEntity3d(VqGe::EntityId id)
    : mOwner(nullptr), mEntityType(static_cast<short>(id)), mDeleteApiObj(0) {}

VqGeImpEntity3d::VqGeImpEntity3d(const VqGeImpEntity3d& src)
    : VqGeImpObject(src), mOwner(nullptr), mEntityType(src.mEntityType), mDeleteApiObj(0) {}

VqGeImpEntity3d::~VqGeImpEntity3d() {
    if (!mOwner) return;
    if (mDeleteApiObj) {
        releaseDemandWrapper();
        return;
    }
    // The owning wrapper is still there (someone else deleted this object): release it, so
    // that it does not delete the object a second time.
    if (mEntityType < 0) {
        VqGeEntity2d* w = static_cast<VqGeEntity2d*>(mOwner);
        w->mImp = nullptr;
        w->mMark = VqGeEntity2d::kReleased;
    } else {
        VqGeEntity3d* w = static_cast<VqGeEntity3d*>(mOwner);
        w->mImp = nullptr;
        w->mMark = VqGeEntity3d::kReleased;
    }
    mOwner = nullptr;
}

VqGeImpEntity3d& VqGeImpEntity3d::operator=(const VqGeImpEntity3d& src) {
    if (this == &src) return *this;
    VqGeImpObject::operator=(src);
    // The sign tells which kind of wrapper serves this object; an owned object keeps it.
    const short magnitude = static_cast<short>(std::abs(src.mEntityType));
    if (mOwner)
        mEntityType = mEntityType < 0 ? static_cast<short>(-magnitude) : magnitude;
    else
        mEntityType = src.mEntityType;
    return *this;
}

int VqGeImpEntity3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == (servesAs2d(isPublic) ? VqGe::kEntity2d : VqGe::kEntity3d)) return 1;
    return VqGeImpObject::isKindOf(id, isPublic);
}

VqGeImpEntity3d& VqGeImpEntity3d::translateBy(const VqGeVector3d& vec) {
    return transformBy(VqGeMatrix3d::translation(vec));
}

VqGeImpEntity3d& VqGeImpEntity3d::rotateBy(double angle, const VqGeVector3d& axis,
                                           const VqGePoint3d& center) {
    return transformBy(VqGeMatrix3d::rotation(angle, axis, center));
}

VqGeImpEntity3d& VqGeImpEntity3d::scaleBy(double factor, const VqGePoint3d& center) {
    return transformBy(VqGeMatrix3d::scaling(factor, center));
}

void* VqGeImpEntity3d::getExternalEntity() const { return nullptr; }

void VqGeImpEntity3d::setOwner(void* wrapper, int is2d, VqGe::EntityId id) {
    if (mOwner && mOwner != wrapper && mDeleteApiObj) releaseDemandWrapper();
    mOwner = wrapper;
    const short value = static_cast<short>(id);
    mEntityType = is2d ? static_cast<short>(-std::abs(value)) : value;
}

VqGeImpEntity3d* VqGeImpEntity3d::assignToWrapper(void* wrapper, int is2d, VqGeImpEntity3d* held,
                                                  int ownsHeld, const VqGeImpEntity3d* src) {
    // The handle keeps the kind it serves: a foreign or empty source, or an empty target whose
    // kind is unknown, leaves it as it is.
    if (!held || !src || !held->isReplaceableBy(*src)) return held;
    // The copy is taken before the held object goes, since src may be that same object (a
    // borrowing wrapper of it).
    VqGeImpEntity3d* fresh = static_cast<VqGeImpEntity3d*>(src->copy());
    if (!fresh) return held;
    // Read now: deleting the held object may take src with it (a dependant that waited on it).
    const VqGe::EntityId id = static_cast<VqGe::EntityId>(src->entityType());
    if (ownsHeld) {
        held->forgetOwner(wrapper);
        delete held;
    }
    fresh->setOwner(wrapper, is2d, id);
    return fresh;
}

void VqGeImpEntity3d::setEntity3d(VqGeEntity3d* wrapper, VqGe::EntityId id) {
    setOwner(wrapper, 0, id);
}

void VqGeImpEntity3d::setEntity2d(VqGeEntity2d* wrapper, VqGe::EntityId id) {
    setOwner(wrapper, 1, id);
}

void VqGeImpEntity3d::setEntityType(VqGeImpEntity3d& other, VqGe::EntityId id3d,
                                    VqGe::EntityId id2d) const {
    other.mEntityType = mEntityType < 0 ? static_cast<short>(-std::abs(static_cast<int>(id2d)))
                                        : static_cast<short>(id3d);
}

void VqGeImpEntity3d::takeBorrowerIdentity(int is2d) {
    if (mOwner) return;
    const short id = static_cast<short>(type(1));
    mEntityType = is2d ? static_cast<short>(-std::abs(id)) : id;
}

void VqGeImpEntity3d::forgetOwner(const void* wrapper) {
    if (mOwner != wrapper) return;
    mOwner = nullptr;
    mDeleteApiObj = 0;
}

void VqGeImpEntity3d::releaseDemandWrapper() {
    void* w = mOwner;
    mOwner = nullptr;
    mDeleteApiObj = 0;
    // Detached first, so the wrapper's destructor leaves this object alone.
    if (mEntityType < 0) {
        VqGeEntity2d* e = static_cast<VqGeEntity2d*>(w);
        e->mMark = VqGeEntity2d::kBorrowed;
        e->mImp = nullptr;
        delete e;
    } else {
        VqGeEntity3d* e = static_cast<VqGeEntity3d*>(w);
        e->mMark = VqGeEntity3d::kBorrowed;
        e->mImp = nullptr;
        delete e;
    }
}

VqGeEntity3d* VqGeImpEntity3d::entity3d(int create) const {
    if (mOwner) return mEntityType >= 0 ? static_cast<VqGeEntity3d*>(mOwner) : nullptr;
    if (!create) return nullptr;
    VqGeImpEntity3d* self = const_cast<VqGeImpEntity3d*>(this);
    VqGeEntity3d* w = new VqGeEntity3d(*self, 1);
    if (!w) return nullptr;
    self->setOwner(w, 0, type(1));
    self->mDeleteApiObj = 1;
    return w;
}

VqGeEntity2d* VqGeImpEntity3d::entity2d(int create) const {
    if (mOwner) return mEntityType < 0 ? static_cast<VqGeEntity2d*>(mOwner) : nullptr;
    if (!create) return nullptr;
    VqGeImpEntity3d* self = const_cast<VqGeImpEntity3d*>(this);
    VqGeEntity2d* w = new VqGeEntity2d(*self, 1);
    if (!w) return nullptr;
    self->setOwner(w, 1, type(1));
    self->mDeleteApiObj = 1;
    return w;
}

VqGeImpEntity3d::operator VqGeEntity3d() const {
    return VqGeEntity3d(const_cast<VqGeImpEntity3d&>(*this), 1);
}
