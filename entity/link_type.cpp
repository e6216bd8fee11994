// Link types and the table of the library's link types.
#include <cstring>

#include "vqge_link.h"

VqGeLinkType::VqGeLinkType()
    : mName(nullptr),
      mOwnerType(VqGe::kObject),
      mMemberType(VqGe::kObject),
      mNumOwnerMin(0),
      mNumOwnerMax(-1),
      mNumMemberMin(0),
      mNumMemberMax(-1),
      mOwnerDependsOnMember(0),
      mMemberDependsOnOwner(0),
      mNext(nullptr) {}

VqGeLinkType::VqGeLinkType(const VqGeLinkType& src) : VqGeLinkType() { *this = src; }

VqGeLinkType::VqGeLinkType(const char* name, VqGe::EntityId ownerType, VqGe::EntityId memberType,
                           long numOwnerMin, long numOwnerMax, long numMemberMin,
                           long numMemberMax, int ownerDependsOnMember, int memberDependsOnOwner)
    : mName(nullptr),
      mOwnerType(ownerType),
      mMemberType(memberType),
      mNumOwnerMin(numOwnerMin),
      mNumOwnerMax(numOwnerMax),
      mNumMemberMin(numMemberMin),
      mNumMemberMax(numMemberMax),
      mOwnerDependsOnMember(ownerDependsOnMember),
      mMemberDependsOnOwner(memberDependsOnOwner),
      mNext(nullptr) {
    setName(name);
}

VqGeLinkType::~VqGeLinkType() { setName(nullptr); }

VqGeLinkType& VqGeLinkType::operator=(const VqGeLinkType& src) {
    if (this == &src) return *this;
    setName(src.mName);
    mOwnerType = src.mOwnerType;
    mMemberType = src.mMemberType;
    mNumOwnerMin = src.mNumOwnerMin;
    mNumOwnerMax = src.mNumOwnerMax;
    mNumMemberMin = src.mNumMemberMin;
    mNumMemberMax = src.mNumMemberMax;
    mOwnerDependsOnMember = src.mOwnerDependsOnMember;
    mMemberDependsOnOwner = src.mMemberDependsOnOwner;
    return *this;
}

void VqGeLinkType::setName(const char* name) {
    // The new copy is made before the old one goes, in case name points into it.
    char* copy = nullptr;
    if (name) {
        const size_t n = std::strlen(name) + 1;
        copy = static_cast<char*>(VqGeContext::gAllocMem(n));
        if (copy) std::memcpy(copy, name, n);
    }
    if (mName) VqGeContext::gFreeMem(mName);
    mName = copy;
}

VqGeLinkTypeTable::VqGeLinkTypeTable() : mHead(nullptr) {}

VqGeLinkTypeTable::~VqGeLinkTypeTable() {
    while (mHead) {
        VqGeLinkType* next = mHead->mNext;
        delete mHead;
        mHead = next;
    }
}

int VqGeLinkTypeTable::addLinkType(const VqGeLinkType& type) {
    VqGeLinkType* copy = new VqGeLinkType(type);
    if (!copy) return 0;
    if (type.mName && !copy->mName) {
        delete copy;
        return 0;
    }
    copy->mNext = mHead;
    mHead = copy;
    return 1;
}

VqGeLinkType* VqGeLinkTypeTable::linkType(const char* name) const {
    if (!name) return nullptr;
    for (VqGeLinkType* t = mHead; t; t = t->mNext) {
        if (t->mName && std::strcmp(t->mName, name) == 0) return t;
    }
    return nullptr;
}

namespace {

// Fills the table at load time, right after the table itself is constructed (same
// translation unit, so in definition order).
struct LinkTypeTableFiller {
    explicit LinkTypeTableFiller(VqGeLinkTypeTable& table) {
        struct Row {
            const char* name;
            VqGe::EntityId owner, member;
            long ownerMin, ownerMax, memberMin, memberMax;
            int ownerDepends, memberDepends;
        };
        static const Row kRows[] = {
            {"PointOnCurve3d_Curve3d", VqGe::kPointOnCurve3d, VqGe::kCurve3d, 0, -1, 1, 1, 1, 0},
            {"PointOnSurface_Surface", VqGe::kPointOnSurface, VqGe::kSurface, 0, -1, 1, 1, 1, 0},
            {"ExactOffsetCurve_Curve", VqGe::kCurve3d, VqGe::kCurve3d, 0, -1, 0, -1, 1, 0},
            {"ExactOffsetSurface_Surface", VqGe::kOffsetSurface, VqGe::kSurface, 0, -1, 1, 1, 1,
             0},
            {"CompositeCurve_Curve3d", VqGe::kCompositeCurve3d, VqGe::kCurve3d, 0, -1, 1, -1, 1,
             0},
            {"CurveCurveInt3d_Curve3d", VqGe::kCurveCurveInt3d, VqGe::kCurve3d, 0, -1, 2, 2, 1,
             0},
            {"Curve_SamplePoints", VqGe::kCurve3d, VqGe::kAugPolyline3d, 0, 1, 0, -1, 1, 1},
            {"Curve_IntervalBoundBlock", VqGe::kCurve3d, VqGe::kIntervalBoundBlock, 0, 1, 0, -1, 1,
             1},
            {"Curve_SampleData", VqGe::kCurve3d, VqGe::kSampleData, 0, 1, 0, -1, 1, 1},
            {"CompositeCurve_InvalidArc", VqGe::kCompositeCurve3d, VqGe::kEllipArc3d, 0, -1, 0,
             -1, 1, 0},
            {"Entity_ExternalObj", VqGe::kEntity3d, VqGe::kExternalObj, 0, 1, 0, 1, 1, 1},
            {"CurveSurfaceInt_Entity3d", VqGe::kCurveSurfaceInt, VqGe::kEntity3d, 0, -1, 2, 2, 1,
             0},
            {"SurfaceSurfaceInt_Surface", VqGe::kSurfaceSurfaceInt, VqGe::kSurface, 0, -1, 2, 2,
             1, 0},
        };
        for (const Row& r : kRows) {
            table.addLinkType(VqGeLinkType(r.name, r.owner, r.member, r.ownerMin, r.ownerMax,
                                           r.memberMin, r.memberMax, r.ownerDepends,
                                           r.memberDepends));
        }
    }
};

}  // namespace

VqGeLinkTypeTable VqGeLinkTypeTable::kLinkTypeTable;
static LinkTypeTableFiller sFillLinkTypes(VqGeLinkTypeTable::kLinkTypeTable);
