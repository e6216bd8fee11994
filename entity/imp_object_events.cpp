// Notifications to dependants and the deferred-deletion protocol.
#include "entity/imp_object.h"
#include "entity/link_record.h"

int VqGeNotifyFrame::append(VqGeLink* link) {
    if (mCount == mCapacity) {
        const int capacity = mCapacity + kGrow;
        VqGeLink** items =
            static_cast<VqGeLink**>(VqGeContext::gAllocMem(sizeof(VqGeLink*) * capacity));
        if (!items) return 0;
        for (int i = 0; i < mCount; ++i) items[i] = mItems[i];
        if (mItems != mInline) VqGeContext::gFreeMem(mItems);
        mItems = items;
        mCapacity = capacity;
    }
    mItems[mCount++] = link;
    return 1;
}

void VqGeNotifyFrame::withdraw(const VqGeLink* link) {
    for (int i = 0; i < mCount; ++i) {
        if (mItems[i] == link) mItems[i] = nullptr;
    }
}

void VqGeImpObject::removeNotifyList(const VqGeLink* link) const {
    if (!mLinks) return;
    // Every running notification, not only the innermost: an outer one resumes later.
    for (VqGeNotifyFrame* f = mLinks->mNotifying; f; f = f->mOuter) f->withdraw(link);
}

void VqGeImpObject::notify(EventKind kind, const VqGeMatrix3d* mat) const {
    if (!mLinks) return;
    VqGeNotifyFrame frame;
    for (VqGeLink* l = mLinks->mHead; l; l = nextLink(l)) {
        const VqGeLinkType* t = l->mType;
        const int othersDepend =
            l->mOwner == this ? t->memberDependsOnOwner() : t->ownerDependsOnMember();
        // Without memory for a longer list, the dependants collected so far still hear.
        if (othersDepend && !frame.append(l)) break;
    }
    if (frame.mCount == 0) return;

    VqGeLifeWatch watch(this);
    frame.mOuter = mLinks->mNotifying;
    mLinks->mNotifying = &frame;
    for (int i = 0; i < frame.mCount; ++i) {
        VqGeLink* l = frame.mItems[i];
        if (!l) continue;  // removed by an earlier handler
        VqGeImpObject* other = l->mOwner == this ? l->mMember : l->mOwner;
        switch (kind) {
            case kModified: other->eventModified(*l); break;
            case kDeleted: other->eventDeleted(*l); break;
            case kTransformed: other->eventTransformed(*l, *mat); break;
            case kSetInterval: other->eventSetInterval(*l); break;
        }
        if (!watch.alive()) return;  // a handler deleted this object
    }
    // A handler may have emptied the chain (record released) and started a new one.
    if (mLinks && mLinks->mNotifying == &frame) mLinks->mNotifying = frame.mOuter;
}

void VqGeImpObject::notifyModified() const { notify(kModified, nullptr); }

void VqGeImpObject::notifyDeleted() const { notify(kDeleted, nullptr); }

void VqGeImpObject::notifyTransformed(const VqGeMatrix3d& mat) const {
    notify(kTransformed, &mat);
}

void VqGeImpObject::notifySetInterval() const { notify(kSetInterval, nullptr); }

int VqGeImpObject::deleteIfNotUsed() const {
    for (VqGeLink* l = firstLink(); l; l = nextLink(l)) {
        const VqGeLinkType* t = l->mType;
        if (l->mOwner == this) {
            if (t->memberDependsOnOwner() && !(l->mPending & VqGeLink::kMemberWaits)) {
                l->mPending |= VqGeLink::kOwnerWaits;
                return 0;
            }
        } else if (t->ownerDependsOnMember() && !(l->mPending & VqGeLink::kOwnerWaits)) {
            l->mPending |= VqGeLink::kMemberWaits;
            return 0;
        }
    }
    delete const_cast<VqGeImpObject*>(this);
    return 1;
}

void VqGeImpObject::undoDelete() const {
    for (VqGeLink* l = firstLink(); l; l = nextLink(l)) {
        l->mPending &= l->mOwner == this ? ~VqGeLink::kOwnerWaits : ~VqGeLink::kMemberWaits;
    }
}
