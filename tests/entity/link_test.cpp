// Link types, the link-type table, and creating, walking and removing links.
#include <cstring>
#include <random>
#include <vector>

#include "entity/entity_probes.h"
#include "test_helpers.h"
#include "vqge_link.h"

namespace {

const char* const kPoc = "PointOnCurve3d_Curve3d";
const char* const kSamples = "Curve_SamplePoints";

struct Row {
    const char* name;
    int owner, member;
    long ownerMin, ownerMax, memberMin, memberMax;
    int ownerDepends, memberDepends;
};

// In load order; the chain holds them the other way round.
const Row kExpected[] = {
    {"PointOnCurve3d_Curve3d", 7, 15, 0, -1, 1, 1, 1, 0},
    {"PointOnSurface_Surface", 8, 28, 0, -1, 1, 1, 1, 0},
    {"ExactOffsetCurve_Curve", 15, 15, 0, -1, 0, -1, 1, 0},
    {"ExactOffsetSurface_Surface", 51, 28, 0, -1, 1, 1, 1, 0},
    {"CompositeCurve_Curve3d", 47, 15, 0, -1, 1, -1, 1, 0},
    {"CurveCurveInt3d_Curve3d", 60, 15, 0, -1, 2, 2, 1, 0},
    {"Curve_SamplePoints", 15, 41, 0, 1, 0, -1, 1, 1},
    {"Curve_IntervalBoundBlock", 15, 75, 0, 1, 0, -1, 1, 1},
    {"Curve_SampleData", 15, 72, 0, 1, 0, -1, 1, 1},
    {"CompositeCurve_InvalidArc", 47, 17, 0, -1, 0, -1, 1, 0},
    {"Entity_ExternalObj", 1, 77, 0, 1, 0, 1, 1, 1},
    {"CurveSurfaceInt_Entity3d", 78, 1, 0, -1, 2, 2, 1, 0},
    {"SurfaceSurfaceInt_Surface", 79, 28, 0, -1, 2, 2, 1, 0},
};

// Every link of o, checked to name o at one end and to be walked in both directions alike.
std::vector<VqGeLink*> chainOf(const VqGeImpObject& o) {
    std::vector<VqGeLink*> links;
    for (VqGeLink* l = o.firstLink(); l; l = o.nextLink(l)) {
        EXPECT_TRUE(l->owner() == &o || l->member() == &o);
        links.push_back(l);
        if (links.size() > 10000) break;
    }
    return links;
}

}  // namespace

TEST(VqGeLinkTypeTable, kLinkTypeTable_ThirteenTypes_NewestFirstWithTheirFields) {
    const int n = static_cast<int>(sizeof(kExpected) / sizeof(kExpected[0]));
    const VqGeLinkType* t = VqGeLinkTypeTable::kLinkTypeTable.first();
    for (int i = n - 1; i >= 0; --i, t = t->next()) {
        ASSERT_NE(t, nullptr) << i;
        const Row& r = kExpected[i];
        EXPECT_STREQ(t->linkName(), r.name);
        EXPECT_EQ(t->ownerType(), r.owner) << r.name;
        EXPECT_EQ(t->memberType(), r.member) << r.name;
        EXPECT_EQ(t->numOwnerMin(), r.ownerMin) << r.name;
        EXPECT_EQ(t->numOwnerMax(), r.ownerMax) << r.name;
        EXPECT_EQ(t->numMemberMin(), r.memberMin) << r.name;
        EXPECT_EQ(t->numMemberMax(), r.memberMax) << r.name;
        EXPECT_EQ(t->ownerDependsOnMember(), r.ownerDepends) << r.name;
        EXPECT_EQ(t->memberDependsOnOwner(), r.memberDepends) << r.name;
        EXPECT_EQ(VqGeLinkTypeTable::kLinkTypeTable.linkType(r.name), t);
    }
    EXPECT_EQ(t, nullptr);
}

TEST(VqGeLinkTypeTable, linkType_UnknownPrefixOrNullName_ReturnsNull) {
    const VqGeLinkTypeTable& table = VqGeLinkTypeTable::kLinkTypeTable;
    EXPECT_EQ(table.linkType("NoSuchLink"), nullptr);
    EXPECT_EQ(table.linkType("PointOnCurve3d"), nullptr);  // exact names only
    EXPECT_EQ(table.linkType("pointoncurve3d_curve3d"), nullptr);
    EXPECT_EQ(table.linkType(nullptr), nullptr);
}

TEST(VqGeLinkTypeTable, addLinkType_PutsIndependentCopyAtHead_FreesAllOnDestruction) {
    CountingHooks hooks;
    {
        VqGeLinkTypeTable table;
        VqGeLinkType a("A", VqGe::kCurve3d, VqGe::kCurve3d, 0, -1, 0, -1, 1, 0);
        ASSERT_EQ(table.addLinkType(a), 1);
        a = VqGeLinkType("B", VqGe::kSurface, VqGe::kCurve3d, 1, 2, 3, 4, 0, 1);
        ASSERT_EQ(table.addLinkType(a), 1);
        ASSERT_NE(table.linkType("A"), nullptr);
        EXPECT_EQ(table.linkType("A")->ownerDependsOnMember(), 1);
        EXPECT_STREQ(table.first()->linkName(), "B");
        EXPECT_EQ(table.first()->numMemberMax(), 4);
        EXPECT_EQ(table.first()->next(), table.linkType("A"));
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeLinkTypeTable, addLinkType_NoMemory_ReturnsZeroAndLeavesTable) {
    VqGeLinkType a("A", VqGe::kCurve3d, VqGe::kCurve3d, 0, -1, 0, -1, 1, 0);
    CountingHooks hooks;
    {
        VqGeLinkTypeTable table;
        CountingHooks::failAfter() = 1;  // the entry, but not its name copy
        EXPECT_EQ(table.addLinkType(a), 0);
        EXPECT_EQ(table.first(), nullptr);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeLinkType, CopyAndAssignment_OwnNameCopies_SelfAssignmentKeepsName) {
    CountingHooks hooks;
    {
        char name[] = "Mutable";
        VqGeLinkType a(name, VqGe::kCurve3d, VqGe::kSurface, 0, 1, 2, 3, 1, 1);
        VqGeLinkType b(a);
        VqGeLinkType c;
        EXPECT_EQ(c.linkName(), nullptr);
        c = a;
        name[0] = 'X';
        EXPECT_STREQ(a.linkName(), "Mutable");
        EXPECT_NE(b.linkName(), a.linkName());
        EXPECT_STREQ(b.linkName(), "Mutable");
        EXPECT_STREQ(c.linkName(), "Mutable");
        EXPECT_EQ(c.memberType(), VqGe::kSurface);
        const VqGeLinkType& self = c;  // through a reference: clang rejects a literal c = c
        c = self;
        EXPECT_STREQ(c.linkName(), "Mutable");
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeImpObject, createLink_UnknownName_ReturnsZeroAndCreatesNothing) {
    CountingHooks hooks;
    Probe a, b;
    EXPECT_EQ(a.createLink(&b, "NoSuchLink"), 0);
    EXPECT_EQ(a.createLink(&b, nullptr), 0);
    EXPECT_EQ(a.firstLink(), nullptr);
    EXPECT_EQ(b.firstLink(), nullptr);
    EXPECT_EQ(hooks.allocs(), 0);
}

TEST(VqGeImpObject, createLink_SelfOrNullMember_ReturnsZero) {
    Probe a;
    EXPECT_EQ(a.createLink(&a, kPoc), 0);
    EXPECT_EQ(a.createLink(nullptr, kPoc), 0);
    EXPECT_EQ(a.firstLink(), nullptr);
}

TEST(VqGeImpObject, createLink_KnownName_BothEndsSeeItFirst) {
    Probe point, curve, other;
    ASSERT_EQ(curve.createLink(&other, kSamples), 1);
    ASSERT_EQ(point.createLink(&curve, kPoc), 1);
    VqGeLink* l = point.firstLink();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(curve.firstLink(), l);
    EXPECT_EQ(l->owner(), &point);
    EXPECT_EQ(l->member(), &curve);
    EXPECT_STREQ(l->linkType()->linkName(), kPoc);
    EXPECT_EQ(point.nextLink(l), nullptr);
    ASSERT_NE(curve.nextLink(l), nullptr);
    EXPECT_EQ(curve.nextLink(l)->member(), &other);
    // A link that does not touch the object has no successor in its chain.
    EXPECT_EQ(other.nextLink(l), nullptr);
    EXPECT_EQ(point.nextLink(nullptr), nullptr);
}

TEST(VqGeImpObject, createLink_TwiceSameMember_CountsTwo_RemoveLinkRemovesOne) {
    Probe owner, member;
    ASSERT_EQ(owner.createLink(&member, kPoc), 1);
    ASSERT_EQ(owner.createLink(&member, kPoc), 1);
    EXPECT_EQ(owner.numMembers(kPoc), 2);
    EXPECT_EQ(member.numOwners(kPoc), 2);
    EXPECT_EQ(owner.numOwners(kPoc), 0);
    EXPECT_EQ(owner.linked(&member, kPoc), 1);
    EXPECT_EQ(member.linked(&owner, kPoc), 0);  // owner to member only
    EXPECT_EQ(owner.removeLink(&member, kPoc), 1);
    EXPECT_EQ(owner.numMembers(kPoc), 1);
    EXPECT_EQ(member.removeLink(&owner, kPoc), 0);  // member is not the owner
    EXPECT_EQ(owner.removeLink(&member, kSamples), 0);
    EXPECT_EQ(owner.removeLink(&member, kPoc), 1);
    EXPECT_EQ(owner.firstLink(), nullptr);
    EXPECT_EQ(member.firstLink(), nullptr);
}

TEST(VqGeImpObject, removeAllLinks_ByName_TouchesOnlyThatTypeInBothRoles) {
    Probe hub, a, b, c;
    ASSERT_EQ(hub.createLink(&a, kSamples), 1);
    ASSERT_EQ(b.createLink(&hub, kSamples), 1);
    ASSERT_EQ(hub.createLink(&c, kPoc), 1);
    EXPECT_EQ(hub.removeAllLinks(kSamples), 1);
    EXPECT_EQ(hub.traverseLinks(), 1);
    EXPECT_EQ(hub.firstLink(kPoc)->member(), &c);
    EXPECT_EQ(a.firstLink(), nullptr);
    EXPECT_EQ(b.firstLink(), nullptr);
    EXPECT_EQ(hub.removeAllLinks(kSamples), 0);
    EXPECT_EQ(hub.removeAllLinks(), 1);
    EXPECT_EQ(c.firstLink(), nullptr);
    EXPECT_EQ(hub.removeAllLinks(), 0);
}

TEST(VqGeImpObject, firstLinkByName_SkipsOtherTypes) {
    Probe hub, a, b, c;
    ASSERT_EQ(hub.createLink(&a, kPoc), 1);
    ASSERT_EQ(hub.createLink(&b, kSamples), 1);
    ASSERT_EQ(hub.createLink(&c, kPoc), 1);
    VqGeLink* l = hub.firstLink(kPoc);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->member(), &c);
    l = hub.nextLink(l, kPoc);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->member(), &a);
    EXPECT_EQ(hub.nextLink(l, kPoc), nullptr);
    EXPECT_EQ(hub.firstLink("Curve_SampleData"), nullptr);
}

TEST(VqGeImpObject, createLink_NoMemory_ReturnsZeroWithoutLeftovers) {
    CountingHooks hooks;
    {
        Probe a, b;  // on the stack: only records and links are counted
        for (long budget = 0; budget < 3; ++budget) {
            CountingHooks::failAfter() = budget;
            EXPECT_EQ(a.createLink(&b, kPoc), 0) << budget;
            EXPECT_EQ(a.firstLink(), nullptr);
            EXPECT_EQ(b.firstLink(), nullptr);
            EXPECT_EQ(hooks.outstanding(), 0) << budget;
        }
        CountingHooks::failAfter() = -1;
        EXPECT_EQ(a.createLink(&b, kPoc), 1);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

// Random creations and removals among a few objects, checked against a plain list of
// (owner, member, type) after every step: chains, counts and roles must agree.
TEST(VqGeImpObject, LinkChains_RandomCreateAndRemove_MatchModel) {
    CountingHooks hooks;
    {
        const char* const names[] = {kPoc, kSamples, "CompositeCurve_Curve3d"};
        const int kObjects = 5;
        Probe objs[kObjects];
        struct Entry {
            int owner, member, name;
        };
        std::vector<Entry> model;
        std::mt19937 rng(20261207u);
        for (int step = 0; step < 600; ++step) {
            const int op = static_cast<int>(rng() % 4);
            const int o = static_cast<int>(rng() % kObjects);
            int m = static_cast<int>(rng() % kObjects);
            if (m == o) m = (m + 1) % kObjects;
            const int n = static_cast<int>(rng() % 3);
            if (op <= 1) {
                ASSERT_EQ(objs[o].createLink(&objs[m], names[n]), 1);
                model.push_back({o, m, n});
            } else if (op == 2) {
                int found = -1;
                // removeLink takes the newest matching link, the last in the model.
                for (int i = static_cast<int>(model.size()) - 1; i >= 0 && found < 0; --i) {
                    if (model[i].owner == o && model[i].member == m && model[i].name == n)
                        found = i;
                }
                ASSERT_EQ(objs[o].removeLink(&objs[m], names[n]), found >= 0 ? 1 : 0);
                if (found >= 0) model.erase(model.begin() + found);
            } else if (rng() % 8 == 0) {
                int any = 0;
                for (size_t i = 0; i < model.size();) {
                    if ((model[i].owner == o || model[i].member == o) && model[i].name == n) {
                        model.erase(model.begin() + static_cast<long>(i));
                        any = 1;
                    } else {
                        ++i;
                    }
                }
                ASSERT_EQ(objs[o].removeAllLinks(names[n]), any);
            }
            for (int k = 0; k < kObjects; ++k) {
                // Newest first: the model, read backwards, filtered to the links of k.
                std::vector<VqGeLink*> chain = chainOf(objs[k]);
                size_t pos = 0;
                for (int i = static_cast<int>(model.size()) - 1; i >= 0; --i) {
                    const Entry& e = model[i];
                    if (e.owner != k && e.member != k) continue;
                    ASSERT_LT(pos, chain.size());
                    EXPECT_EQ(chain[pos]->owner(), &objs[e.owner]);
                    EXPECT_EQ(chain[pos]->member(), &objs[e.member]);
                    EXPECT_STREQ(chain[pos]->linkType()->linkName(), names[e.name]);
                    ++pos;
                }
                ASSERT_EQ(pos, chain.size()) << "step " << step << " object " << k;
                for (int t = 0; t < 3; ++t) {
                    int asOwner = 0, asMember = 0;
                    for (const Entry& e : model) {
                        if (e.name != t) continue;
                        asOwner += e.owner == k;
                        asMember += e.member == k;
                    }
                    EXPECT_EQ(objs[k].numMembers(names[t]), asOwner);
                    EXPECT_EQ(objs[k].numOwners(names[t]), asMember);
                }
            }
        }
    }
    // Objects going out of scope took their remaining links and records with them.
    EXPECT_EQ(hooks.outstanding(), 0);
}
