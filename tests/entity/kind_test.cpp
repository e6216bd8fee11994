// Identity and kind chains of the entity frame, 3D and 2D.
#include "entity/entity_probes.h"
#include "entity/imp_external_obj.h"
#include "entity/imp_position3d.h"
#include "test_helpers.h"
#include "vqge_position2d.h"
#include "vqge_position3d.h"

TEST(VqGePosition3d, typeAndIsKindOf_PublicChain_PositionPointEntEntityObject) {
    VqGePosition3d p;
    EXPECT_EQ(p.type(), VqGe::kPosition3d);
    for (VqGe::EntityId yes : {VqGe::kPosition3d, VqGe::kPointEnt3d, VqGe::kEntity3d,
                               VqGe::kObject})
        EXPECT_EQ(p.isKindOf(yes), 1) << yes;
    for (VqGe::EntityId no : {VqGe::kPosition2d, VqGe::kPointEnt2d, VqGe::kEntity2d,
                              VqGe::kPointOnCurve3d, VqGe::kCurve3d, VqGe::kExternalObj})
        EXPECT_EQ(p.isKindOf(no), 0) << no;
}

TEST(VqGePosition2d, typeAndIsKindOf_PublicChainUses2dIdentities) {
    VqGePosition2d p;
    EXPECT_EQ(p.type(), VqGe::kPosition2d);
    EXPECT_EQ(p.impEntity()->entityType(), -4);
    for (VqGe::EntityId yes : {VqGe::kPosition2d, VqGe::kPointEnt2d, VqGe::kEntity2d,
                               VqGe::kObject})
        EXPECT_EQ(p.isKindOf(yes), 1) << yes;
    for (VqGe::EntityId no : {VqGe::kPosition3d, VqGe::kPointEnt3d, VqGe::kEntity3d})
        EXPECT_EQ(p.isKindOf(no), 0) << no;
}

// Asked about the implementation class, a 2D-served object answers the 3D identities.
TEST(VqGeImpPosition3d, typeAndIsKindOf_ImplementationChain_Ignores2dSign) {
    VqGePosition2d p;
    const VqGeImpEntity3d* imp = p.impEntity();
    EXPECT_EQ(imp->type(0), VqGe::kPosition3d);
    EXPECT_EQ(imp->type(1), VqGe::kPosition2d);
    for (VqGe::EntityId yes : {VqGe::kPosition3d, VqGe::kPointEnt3d, VqGe::kEntity3d,
                               VqGe::kObject})
        EXPECT_EQ(imp->isKindOf(yes, 0), 1) << yes;
    for (VqGe::EntityId no : {VqGe::kPosition2d, VqGe::kPointEnt2d, VqGe::kEntity2d})
        EXPECT_EQ(imp->isKindOf(no, 0), 0) << no;
}

TEST(VqGeImpEntity3d, isKindOf_EntityLevel_ByFlagAndSign) {
    Probe p3(VqGe::kEntity3d);
    EXPECT_EQ(p3.isKindOf(VqGe::kEntity3d, 1), 1);
    EXPECT_EQ(p3.isKindOf(VqGe::kEntity2d, 1), 0);
    EXPECT_EQ(p3.isKindOf(VqGe::kObject, 1), 1);
    Probe p2(VqGe::kEntity3d);
    VqGeEntity2d* w = p2.entity2d(1);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(p2.isKindOf(VqGe::kEntity2d, 1), 1);
    EXPECT_EQ(p2.isKindOf(VqGe::kEntity3d, 1), 0);
    EXPECT_EQ(p2.isKindOf(VqGe::kEntity3d, 0), 1);
    EXPECT_EQ(p2.isKindOf(VqGe::kObject, 0), 1);
}

TEST(VqGeImpEntity3d, setEntityType_GivesOtherObjectThisDimension) {
    VqGePosition2d flat;
    VqGePosition3d solid;
    VqGeImpPosition3d other;
    flat.impEntity()->setEntityType(other, VqGe::kLineSeg3d, VqGe::kLineSeg2d);
    EXPECT_EQ(other.entityType(), -22);
    solid.impEntity()->setEntityType(other, VqGe::kLineSeg3d, VqGe::kLineSeg2d);
    EXPECT_EQ(other.entityType(), 23);
}

TEST(VqGeImpExternalObj, typeAndIsKindOf_Identity77BothWays_CopyIsNull) {
    static int twin = 0;
    VqGeImpExternalObj* holder = new VqGeImpExternalObj(&twin, VqGe::kCurve3d);
    EXPECT_EQ(holder->type(0), VqGe::kExternalObj);
    EXPECT_EQ(holder->type(1), VqGe::kExternalObj);
    EXPECT_EQ(holder->isKindOf(VqGe::kExternalObj, 0), 1);
    EXPECT_EQ(holder->isKindOf(VqGe::kObject, 1), 1);
    EXPECT_EQ(holder->isKindOf(VqGe::kEntity3d, 1), 0);
    EXPECT_EQ(holder->copy(), nullptr);
    EXPECT_EQ(holder->external(), &twin);
    EXPECT_EQ(holder->kind(), VqGe::kCurve3d);
    delete holder;  // without the extension library the deleter does nothing
}
