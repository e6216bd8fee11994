// Linear entities against planes: projection along a direction, the entity's own plane, and
// the closest pair among end points of two curves.
#include "curves/imp_linear_ent3d.h"
#include "entity/imp_position3d.h"
#include "surfaces/imp_planar_ent.h"
#include "test_helpers.h"

namespace {
using Lin = VqGeImpLinearEnt3d;

// Opens the protected end-point search for the tests.
struct EndProbe : public VqGeImpLinearEnt3d {
    using VqGeImpCurve3d::boundaryClosestPoints;
    using VqGeImpLinearEnt3d::VqGeImpLinearEnt3d;
};
}  // namespace

TEST(VqGeImpLinearEnt3d, Project_AlongDirection_SameKindOnPlane) {
    const VqGeImpPlanarEnt pln(VqGePoint3d(0, 0, 1), VqGeVector3d(0, 0, 1));
    Lin seg(VqGePoint3d(0, 0, 5), VqGePoint3d(2, 0, 7), 1, 1);
    VqGeImpEntity3d* ent = seg.project(pln, VqGeVector3d(0, 1, -1), VqGeContext::gTol);
    ASSERT_NE(ent, nullptr);
    ASSERT_EQ(ent->type(1), VqGe::kLineSeg3d);
    const Lin* proj = static_cast<Lin*>(ent);
    EXPECT_PT3_NEAR(proj->startPoint(), 0, 4, 1, 1e-14);
    EXPECT_PT3_NEAR(proj->endPoint(), 2, 6, 1, 1e-14);
    delete ent;
    Lin ray(VqGePoint3d(0, 0, 5), VqGeVector3d(1, 1, 1), 1, 0);
    ent = ray.project(pln, VqGeVector3d(0, 0, 1), VqGeContext::gTol);
    ASSERT_NE(ent, nullptr);
    EXPECT_EQ(ent->type(1), VqGe::kRay3d);
    EXPECT_PT3_NEAR(static_cast<Lin*>(ent)->pointOnLine(), 0, 0, 1, 1e-15);
    EXPECT_PT3_NEAR(static_cast<Lin*>(ent)->direction(), 1, 1, 0, 1e-15);
    delete ent;
}

TEST(VqGeImpLinearEnt3d, Project_DirectionAlongEntity_Position) {
    const VqGeImpPlanarEnt pln(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 0, 1));
    Lin seg(VqGePoint3d(3, 4, 5), VqGeVector3d(0, 0, 2), 1, 1);
    VqGeImpEntity3d* ent = seg.project(pln, VqGeVector3d(0, 0, -1), VqGeContext::gTol);
    ASSERT_NE(ent, nullptr);
    EXPECT_EQ(ent->type(1), VqGe::kPosition3d);
    EXPECT_PT3_NEAR(static_cast<VqGeImpPosition3d*>(ent)->point(), 3, 4, 0, 1e-15);
    delete ent;
}

TEST(VqGeImpLinearEnt3d, Project_DirectionInPlane_NoProjection) {
    const VqGeImpPlanarEnt pln(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 0, 1));
    Lin seg(VqGePoint3d(3, 4, 5), VqGeVector3d(1, 0, 2), 1, 1);
    EXPECT_EQ(seg.project(pln, VqGeVector3d(1, 0, 0), VqGeContext::gTol), nullptr);
}

TEST(VqGeImpLinearEnt3d, IsPlanar_PlaneHoldsEntity) {
    Lin seg(VqGePoint3d(1, 2, 3), VqGeVector3d(1, -1, 2), 1, 1);
    VqGeImpPlanarEnt pln;
    ASSERT_TRUE(seg.isPlanar(pln, VqGeContext::gTol));
    EXPECT_TRUE(pln.isOn(seg.startPoint()));
    EXPECT_TRUE(pln.isOn(seg.pointAt(100.0)));
}

TEST(VqGeImpCurve3d, BoundaryClosestPoints_EndsAndUnbounded) {
    EndProbe a(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0), 1, 1);
    EndProbe b(VqGePoint3d(3, -1, 2), VqGeVector3d(0, 1, 0), 0, 0);
    VqGePoint3d p1, p2;
    double t1 = -7, t2 = -7;
    ASSERT_TRUE(a.boundaryClosestPoints(b, p1, p2, t1, t2, VqGeContext::gTol));
    EXPECT_PT3_NEAR(p1, 1, 0, 0, 0);
    EXPECT_DOUBLE_EQ(t1, 1.0);
    EXPECT_PT3_NEAR(p2, 3, 0, 2, 1e-15);
    EXPECT_DOUBLE_EQ(t2, 1.0);
    // The other's end wins when it is nearer; this curve's point comes back as p1.
    EndProbe c(VqGePoint3d(0.5, 0.25, 0), VqGePoint3d(0.5, 9, 0), 1, 1);
    ASSERT_TRUE(a.boundaryClosestPoints(c, p1, p2, t1, t2, VqGeContext::gTol));
    EXPECT_PT3_NEAR(p1, 0.5, 0, 0, 1e-15);
    EXPECT_DOUBLE_EQ(t1, 0.5);
    EXPECT_PT3_NEAR(p2, 0.5, 0.25, 0, 0);
    EXPECT_DOUBLE_EQ(t2, 0.0);
    EndProbe d(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 0, 0);
    t1 = t2 = -7;
    EXPECT_FALSE(d.boundaryClosestPoints(b, p1, p2, t1, t2, VqGeContext::gTol));
    EXPECT_DOUBLE_EQ(t1, -7);
}
