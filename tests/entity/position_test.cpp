// Positions: values, equality, transformations with their events, and 2D lifting.
#include <cmath>

#include "entity/entity_probes.h"
#include "entity/imp_position3d.h"
#include "test_helpers.h"
#include "vqge_matrix2d.h"
#include "vqge_matrix3d.h"
#include "vqge_position2d.h"
#include "vqge_position3d.h"

namespace {
const char* const kDependsOn = "PointOnCurve3d_Curve3d";  // the owner hears the member
const double kPi = 3.14159265358979323846;
}  // namespace

TEST(VqGePosition3d, ConstructorsAndSet_HoldThePoint) {
    EXPECT_PT3_NEAR(VqGePosition3d().point3d(), 0, 0, 0, 0);
    EXPECT_PT3_NEAR(VqGePosition3d(VqGePoint3d(1, 2, 3)).point3d(), 1, 2, 3, 0);
    VqGePosition3d p(4, 5, 6);
    const VqGePoint3d asPoint = p;
    EXPECT_PT3_NEAR(asPoint, 4, 5, 6, 0);
    p.set(VqGePoint3d(7, 8, 9));
    EXPECT_PT3_NEAR(p.point3d(), 7, 8, 9, 0);
}

TEST(VqGePosition2d, ConstructorsAndSet_StoreZeroZ) {
    VqGePosition2d p(VqGePoint2d(1, 2));
    EXPECT_PT3_NEAR(static_cast<VqGeImpPosition3d*>(p.impEntity())->point(), 1, 2, 0, 0);
    p.set(3, 4);
    const VqGePoint2d asPoint = p;
    EXPECT_PT2_NEAR(asPoint, 3, 4, 0);
    EXPECT_PT3_NEAR(static_cast<VqGeImpPosition3d*>(p.impEntity())->point(), 3, 4, 0, 0);
}

TEST(VqGeImpPosition3d, isEqualTo_DifferentPublicTypes_NeverEqual) {
    VqGePosition2d flat(1, 2);
    VqGePosition3d solid(1, 2, 0);
    EXPECT_EQ(*flat.impEntity() == *solid.impEntity(), 0);
    EXPECT_EQ(*flat.impEntity() != *solid.impEntity(), 1);
    EXPECT_TRUE(flat == VqGePosition2d(1, 2));
    EXPECT_TRUE(solid != VqGePosition3d(1, 2, 1e-6));
}

TEST(VqGePosition3d, isEqualToAndIsOn_UseTheTolerance) {
    VqGeTol loose;
    loose.setEqualPoint(1e-3);
    VqGePosition3d p(1, 2, 3);
    EXPECT_EQ(p.isEqualTo(VqGePosition3d(1, 2, 3.0005), loose), 1);
    EXPECT_EQ(p.isEqualTo(VqGePosition3d(1, 2, 3.0005)), 0);
    EXPECT_EQ(p.isOn(VqGePoint3d(1, 2, 3.0005), loose), 1);
    EXPECT_EQ(p.isOn(VqGePoint3d(1, 2, 3.0005)), 0);
    VqGePosition2d q(1, 2);
    EXPECT_EQ(q.isOn(VqGePoint2d(1, 2)), 1);
    EXPECT_EQ(q.isOn(VqGePoint2d(1, 2.1)), 0);
}

TEST(VqGePosition3d, Transformations_MoveThePointAndChain) {
    VqGePosition3d p(1, 0, 0);
    p.translateBy(VqGeVector3d(1, 2, 3)).scaleBy(2.0, VqGePoint3d(0, 0, 3));
    EXPECT_PT3_NEAR(p.point3d(), 4, 4, 3, 1e-12);
    p.rotateBy(kPi / 2, VqGeVector3d::kZAxis, VqGePoint3d(0, 0, 0));
    EXPECT_PT3_NEAR(p.point3d(), -4, 4, 3, 1e-12);
    p.transformBy(VqGeMatrix3d::translation(VqGeVector3d(0, 0, -3)));
    EXPECT_PT3_NEAR(p.point3d(), -4, 4, 0, 1e-12);
}

TEST(VqGePosition2d, Transformations_LiftedToZeroZ) {
    VqGePosition2d p(1, 0);
    p.rotateBy(kPi / 2, VqGePoint2d(1, 1));
    EXPECT_PT2_NEAR(p.point2d(), 2, 1, 1e-12);
    p.translateBy(VqGeVector2d(-2, 0)).scaleBy(3.0, VqGePoint2d(0, 0));
    EXPECT_PT2_NEAR(p.point2d(), 0, 3, 1e-12);
    p.transformBy(VqGeMatrix2d::rotation(kPi / 2));
    EXPECT_PT2_NEAR(p.point2d(), -3, 0, 1e-12);
    EXPECT_EQ(static_cast<VqGeImpPosition3d*>(p.impEntity())->point().z, 0.0);
}

TEST(VqGeImpPosition3d, Changes_SendModifiedOrTransformedToDependants) {
    VqGePosition3d p(1, 2, 3);
    Probe dependant;
    ASSERT_EQ(dependant.createLink(p.impEntity(), kDependsOn), 1);
    p.set(0, 0, 0);
    EXPECT_EQ(dependant.modified, 1);
    p.translateBy(VqGeVector3d(1, 0, 0));  // transformed, forwarded to modified
    EXPECT_EQ(dependant.modified, 2);
    p.transformBy(VqGeMatrix3d::kIdentity);
    EXPECT_EQ(dependant.modified, 3);
    VqGeImpPosition3d other(5, 5, 5);
    *static_cast<VqGeImpPosition3d*>(p.impEntity()) = other;
    EXPECT_EQ(dependant.modified, 4);
    EXPECT_PT3_NEAR(p.point3d(), 5, 5, 5, 0);
}

// Implementation assignment copies the identity but keeps the dimension of the wrapper that
// serves the target.
TEST(VqGeImpPosition3d, Assignment_KeepsOwnersDimensionAndOwner) {
    VqGePosition2d flat(1, 2);
    VqGeImpPosition3d solid(4, 5, 6);
    VqGeImpPosition3d* imp = static_cast<VqGeImpPosition3d*>(flat.impEntity());
    *imp = solid;
    EXPECT_EQ(imp->entityType(), -5);
    EXPECT_EQ(imp->entity2d(), &flat);
    VqGeImpPosition3d loose;
    loose = *imp;  // no owner: the identity is copied as it is
    EXPECT_EQ(loose.entityType(), -5);
}

TEST(VqGeEntity2d, liftMatrix_UniformScaling_ScalesZAlike) {
    const VqGeMatrix3d m = VqGeEntity2d::liftMatrix(VqGeMatrix2d::scaling(3.0));
    EXPECT_DOUBLE_EQ(m(0, 0), 3.0);
    EXPECT_DOUBLE_EQ(m(1, 1), 3.0);
    EXPECT_DOUBLE_EQ(m(2, 2), 3.0);
    EXPECT_DOUBLE_EQ(m(3, 3), 1.0);
}

TEST(VqGeEntity2d, liftMatrix_Rotation_ZEntryOneAndPlanePartCopied) {
    const VqGeMatrix2d r = VqGeMatrix2d::rotation(0.7, VqGePoint2d(2, -1));
    const VqGeMatrix3d m = VqGeEntity2d::liftMatrix(r);
    EXPECT_EQ(m(2, 2), 1.0);
    for (unsigned row = 0; row < 2; ++row) {
        EXPECT_EQ(m(row, 0), r(row, 0));
        EXPECT_EQ(m(row, 1), r(row, 1));
        EXPECT_EQ(m(row, 2), 0.0);
        EXPECT_EQ(m(row, 3), r(row, 2));
        EXPECT_EQ(m(2, row), 0.0);
    }
    EXPECT_EQ(m(2, 3), 0.0);
    EXPECT_EQ(m(3, 0), 0.0);
    EXPECT_EQ(m(3, 2), 0.0);
}

TEST(VqGeEntity2d, liftMatrix_XAxisImageLength_GivesZScaleAndProjectiveRowMoves) {
    VqGeMatrix2d m;
    m(0, 0) = 2.0;
    m(1, 1) = 5.0;
    m(2, 0) = 0.25;
    m(2, 1) = 0.5;
    m(2, 2) = 2.0;
    const VqGeMatrix3d l = VqGeEntity2d::liftMatrix(m);
    EXPECT_DOUBLE_EQ(l(2, 2), 2.0);  // |m (1, 0)|, not the y factor
    EXPECT_EQ(l(3, 0), 0.25);
    EXPECT_EQ(l(3, 1), 0.5);
    EXPECT_EQ(l(3, 2), 0.0);
    EXPECT_EQ(l(3, 3), 2.0);
    // A shear whose x axis keeps unit length counts as unscaled.
    VqGeMatrix2d shear;
    shear(0, 1) = 4.0;
    EXPECT_EQ(VqGeEntity2d::liftMatrix(shear)(2, 2), 1.0);
}

TEST(VqGePosition2d, transformBy_Projective_DividesLikeThePoint) {
    VqGeMatrix2d m;
    m(2, 0) = 1.0;  // w = x + 1
    VqGePosition2d p(1, 4);
    p.transformBy(m);
    EXPECT_PT2_NEAR(p.point2d(), 0.5, 2.0, 1e-12);
}
