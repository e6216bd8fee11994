// Creating, removing and walking the links of an implementation object.
// Each link sits in the owner's chain and in the member's chain; seen from an object o the
// neighbours of a link are its in-owner neighbours when o is its owner, else its in-member ones.
#include <cstring>

#include "entity/imp_object.h"
#include "entity/link_record.h"

namespace {

int sameName(const VqGeLink* link, const char* name) {
    const char* own = link->linkType() ? link->linkType()->linkName() : nullptr;
    return own && name && std::strcmp(own, name) == 0;
}

}  // namespace

int VqGeImpObject::hasRole(const VqGeLink* link) const {
    return link && (link->mOwner == this || link->mMember == this);
}

int VqGeImpObject::createLink(const VqGeImpObject* member, const char* name) const {
    // A link to oneself would sit twice in one chain and corrupt it.
    if (!member || member == this) return 0;
    const VqGeLinkType* type = VqGeLinkTypeTable::kLinkTypeTable.linkType(name);
    if (!type) return 0;
    VqGeImpObject* owner = const_cast<VqGeImpObject*>(this);
    VqGeImpObject* mem = const_cast<VqGeImpObject*>(member);

    if (!mLinks) mLinks = new VqGeLinkRecord;
    if (!mem->mLinks) mem->mLinks = new VqGeLinkRecord;
    VqGeLink* link = (mLinks && mem->mLinks) ? new VqGeLink(owner, mem, type) : nullptr;
    if (!link) {
        releaseRecordIfIdle();
        mem->releaseRecordIfIdle();
        return 0;
    }

    VqGeLink* head = mLinks->mHead;
    link->mNextInOwner = head;
    if (head) (head->mOwner == owner ? head->mPrevInOwner : head->mPrevInMember) = link;
    mLinks->mHead = link;

    head = mem->mLinks->mHead;
    link->mNextInMember = head;
    if (head) (head->mOwner == mem ? head->mPrevInOwner : head->mPrevInMember) = link;
    mem->mLinks->mHead = link;
    return 1;
}

void VqGeImpObject::unhook(VqGeLink* link) const {
    const bool asOwner = link->mOwner == this;
    VqGeLink* prev = asOwner ? link->mPrevInOwner : link->mPrevInMember;
    VqGeLink* next = asOwner ? link->mNextInOwner : link->mNextInMember;
    if (prev)
        (prev->mOwner == this ? prev->mNextInOwner : prev->mNextInMember) = next;
    else
        mLinks->mHead = next;
    if (next) (next->mOwner == this ? next->mPrevInOwner : next->mPrevInMember) = prev;
    releaseRecordIfIdle();
}

void VqGeImpObject::releaseRecordIfIdle() const {
    if (mLinks && !mLinks->mHead) {
        delete mLinks;
        mLinks = nullptr;
    }
}

void VqGeImpObject::destroyLink(VqGeLink* link, const VqGeImpObject* dying) const {
    VqGeImpObject* owner = link->mOwner;
    VqGeImpObject* member = link->mMember;
    owner->removeNotifyList(link);
    member->removeNotifyList(link);
    owner->unhook(link);
    member->unhook(link);
    const unsigned pending = link->mPending;
    // The link is gone from both chains before a waiting end is asked again, so that end
    // no longer counts it.
    delete link;
    if ((pending & VqGeLink::kOwnerWaits) && owner != dying) owner->deleteIfNotUsed();
    if ((pending & VqGeLink::kMemberWaits) && member != dying) member->deleteIfNotUsed();
}

int VqGeImpObject::removeLink(const VqGeImpObject* member, const char* name) const {
    for (VqGeLink* l = firstLink(); l; l = nextLink(l)) {
        if (l->mOwner == this && l->mMember == member && sameName(l, name)) {
            // This object may be deleted by the removal (when it waited on the link).
            destroyLink(l, nullptr);
            return 1;
        }
    }
    return 0;
}

int VqGeImpObject::removeAllLinks(const char* name) const {
    // Removals re-ask waiting ends, which may delete further objects and take other links
    // of ours with them, or delete this object: restart from the head each time.
    VqGeLifeWatch watch(this);
    int removed = 0;
    while (watch.alive()) {
        VqGeLink* l = firstLink(name);
        if (!l) break;
        destroyLink(l, nullptr);
        removed = 1;
    }
    return removed;
}

int VqGeImpObject::removeAllLinks() const {
    VqGeLifeWatch watch(this);
    int removed = 0;
    while (watch.alive() && mLinks && mLinks->mHead) {
        destroyLink(mLinks->mHead, nullptr);
        removed = 1;
    }
    return removed;
}

VqGeLink* VqGeImpObject::firstLink() const { return mLinks ? mLinks->mHead : nullptr; }

VqGeLink* VqGeImpObject::nextLink(const VqGeLink* link) const {
    if (!hasRole(link)) return nullptr;
    return link->mOwner == this ? link->mNextInOwner : link->mNextInMember;
}

VqGeLink* VqGeImpObject::firstLink(const char* name) const {
    VqGeLink* l = firstLink();
    while (l && !sameName(l, name)) l = nextLink(l);
    return l;
}

VqGeLink* VqGeImpObject::nextLink(const VqGeLink* link, const char* name) const {
    VqGeLink* l = nextLink(link);
    while (l && !sameName(l, name)) l = nextLink(l);
    return l;
}

int VqGeImpObject::numOwners(const char* name) const {
    int n = 0;
    for (VqGeLink* l = firstLink(name); l; l = nextLink(l, name)) {
        if (l->mMember == this) ++n;
    }
    return n;
}

int VqGeImpObject::numMembers(const char* name) const {
    int n = 0;
    for (VqGeLink* l = firstLink(name); l; l = nextLink(l, name)) {
        if (l->mOwner == this) ++n;
    }
    return n;
}

int VqGeImpObject::linked(const VqGeImpObject* other, const char* name) const {
    for (VqGeLink* l = firstLink(name); l; l = nextLink(l, name)) {
        if (l->mOwner == this && l->mMember == other) return 1;
    }
    return 0;
}

int VqGeImpObject::traverseLinks() const {
    int n = 0;
    for (VqGeLink* l = firstLink(); l; l = nextLink(l)) ++n;
    return n;
}
