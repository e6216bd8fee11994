// Typed links between implementation objects: the link itself, its type and the table of
// the types the library knows.
#ifndef VQGE_LINK_H
#define VQGE_LINK_H

#include "vqge_defs.h"
#include "vqge_heap.h"

class VqGeImpObject;

// A kind of link: which end depends on which, and how many of each end it expects.
// The counts describe the kind; links are not checked against them when created.
class VQGE_API VqGeLinkType {
public:
    VQGE_HOOKED_NEW

    VqGeLinkType();
    VqGeLinkType(const VqGeLinkType& src);
    // A count of -1 means no limit. The name is copied.
    VqGeLinkType(const char* name, VqGe::EntityId ownerType, VqGe::EntityId memberType,
                 long numOwnerMin, long numOwnerMax, long numMemberMin, long numMemberMax,
                 int ownerDependsOnMember, int memberDependsOnOwner);
    ~VqGeLinkType();

    // Replaces the name copy and the counts; the table chain link stays as it is.
    VqGeLinkType& operator=(const VqGeLinkType& src);

    // Null when the type has no name or its copy could not be allocated.
    const char* linkName() const { return mName; }
    VqGe::EntityId ownerType() const { return mOwnerType; }
    VqGe::EntityId memberType() const { return mMemberType; }
    long numOwnerMin() const { return mNumOwnerMin; }
    long numOwnerMax() const { return mNumOwnerMax; }
    long numMemberMin() const { return mNumMemberMin; }
    long numMemberMax() const { return mNumMemberMax; }
    int ownerDependsOnMember() const { return mOwnerDependsOnMember; }
    int memberDependsOnOwner() const { return mMemberDependsOnOwner; }

    const VqGeLinkType* next() const { return mNext; }

private:
    friend class VqGeLinkTypeTable;
    void setName(const char* name);

    char* mName;
    VqGe::EntityId mOwnerType;
    VqGe::EntityId mMemberType;
    long mNumOwnerMin;
    long mNumOwnerMax;
    long mNumMemberMin;
    long mNumMemberMax;
    int mOwnerDependsOnMember;
    int mMemberDependsOnOwner;
    VqGeLinkType* mNext;
};

// Singly linked chain of link types, newest first.
class VQGE_API VqGeLinkTypeTable {
public:
    VQGE_HOOKED_NEW

    VqGeLinkTypeTable();
    ~VqGeLinkTypeTable();

    // Puts a copy of type at the head; 0 when the copy could not be allocated.
    int addLinkType(const VqGeLinkType& type);
    // First entry whose name equals name byte for byte; null if none (or name is null).
    VqGeLinkType* linkType(const char* name) const;
    const VqGeLinkType* first() const { return mHead; }

    // The library's link types, filled when the library is loaded.
    static VqGeLinkTypeTable kLinkTypeTable;

private:
    VqGeLinkTypeTable(const VqGeLinkTypeTable&) = delete;
    VqGeLinkTypeTable& operator=(const VqGeLinkTypeTable&) = delete;

    VqGeLinkType* mHead;
};

// One link between an owner and a member. Each link sits in two chains at once, the
// owner's and the member's; only VqGeImpObject creates and destroys links.
class VQGE_API VqGeLink {
public:
    VqGeImpObject* owner() const { return mOwner; }
    VqGeImpObject* member() const { return mMember; }
    const VqGeLinkType* linkType() const { return mType; }

private:
    friend class VqGeImpObject;
    VQGE_HOOKED_NEW

    VqGeLink(VqGeImpObject* owner, VqGeImpObject* member, const VqGeLinkType* type)
        : mOwner(owner),
          mMember(member),
          mPrevInOwner(nullptr),
          mNextInOwner(nullptr),
          mPrevInMember(nullptr),
          mNextInMember(nullptr),
          mType(type),
          mPending(0) {}
    VqGeLink(const VqGeLink&) = delete;
    VqGeLink& operator=(const VqGeLink&) = delete;

    // Bit 0: the owner asked to be deleted and waits on this link; bit 1: the member does.
    enum { kOwnerWaits = 1, kMemberWaits = 2 };

    VqGeImpObject* mOwner;
    VqGeImpObject* mMember;
    VqGeLink* mPrevInOwner;
    VqGeLink* mNextInOwner;
    VqGeLink* mPrevInMember;
    VqGeLink* mNextInMember;
    const VqGeLinkType* mType;
    unsigned short mPending;
};

#endif
