// Closest points of linear entities: clamped projections, the closest pair of two entities
// (crossing, skew, parallel, degenerate), normal points and projected closest points.
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "surfaces/imp_planar_ent.h"
#include "test_curve.h"
#include "test_helpers.h"

namespace {
using Lin = VqGeImpLinearEnt3d;
}

TEST(VqGeImpLinearEnt3d, ClosestPointTo_Point_ClampedToBounds) {
    Lin seg(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 0, 0), 1, 1);
    EXPECT_PT3_NEAR(seg.closestPointTo(VqGePoint3d(1, 5, 0), VqGeContext::gTol), 1, 0, 0, 0);
    EXPECT_PT3_NEAR(seg.closestPointTo(VqGePoint3d(-3, 1, 0), VqGeContext::gTol), 0, 0, 0, 0);
    EXPECT_PT3_NEAR(seg.closestPointTo(VqGePoint3d(9, 1, 0), VqGeContext::gTol), 2, 0, 0, 0);
    EXPECT_DOUBLE_EQ(seg.closestParamTo(VqGePoint3d(9, 1, 0), VqGeContext::gTol), 1.0);
    Lin ray(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 0, 1);  // bounded above at 1
    EXPECT_PT3_NEAR(ray.closestPointTo(VqGePoint3d(-7, 1, 0), VqGeContext::gTol), -7, 0, 0, 0);
    EXPECT_PT3_NEAR(ray.closestPointTo(VqGePoint3d(7, 1, 0), VqGeContext::gTol), 1, 0, 0, 0);
    Lin dot(VqGePoint3d(1, 2, 3), VqGeVector3d(0, 0, 0), 1, 1);
    EXPECT_PT3_NEAR(dot.closestPointTo(VqGePoint3d(7, 1, 0), VqGeContext::gTol), 1, 2, 3, 0);
    VqGeImpPointOnCurve3d pc;
    seg.getClosestPointTo(VqGePoint3d(1.5, -1, 0), pc, VqGeContext::gTol);
    EXPECT_EQ(pc.curve(), &seg);
    EXPECT_DOUBLE_EQ(pc.parameter(), 0.75);
    EXPECT_PT3_NEAR(pc.point(), 1.5, 0, 0, 0);
}

TEST(VqGeImpLinearEnt3d, ClosestPointToLine_SkewLines_CommonPerpendicular) {
    Lin a(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 0, 0);
    Lin b(VqGePoint3d(3, -1, 2), VqGeVector3d(0, 1, 0), 0, 0);
    VqGePoint3d onB;
    const VqGePoint3d onA = a.closestPointToLine(b, onB, VqGeContext::gTol);
    EXPECT_PT3_NEAR(onA, 3, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(onB, 3, 0, 2, 1e-15);
    EXPECT_NEAR(a.distanceTo(b, VqGeContext::gTol), 2.0, 1e-15);
}

TEST(VqGeImpLinearEnt3d, ClosestPointToLine_OutsideBounds_EndPointPair) {
    Lin a(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0), 1, 1);
    Lin b(VqGePoint3d(3, -1, 1), VqGePoint3d(3, 1, 1), 1, 1);
    VqGePoint3d onB;
    const VqGePoint3d onA = a.closestPointToLine(b, onB, VqGeContext::gTol);
    EXPECT_PT3_NEAR(onA, 1, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(onB, 3, 0, 1, 1e-15);
}

TEST(VqGeImpLinearEnt3d, ClosestPointToLine_ParallelAndDegenerate) {
    Lin a(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 0, 0), 1, 1);
    Lin b(VqGePoint3d(3, 1, 0), VqGePoint3d(5, 1, 0), 1, 1);
    VqGePoint3d onB;
    EXPECT_PT3_NEAR(a.closestPointToLine(b, onB, VqGeContext::gTol), 2, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(onB, 3, 1, 0, 1e-15);
    // Two parallel unbounded lines: this origin and the other's foot point.
    Lin l1(VqGePoint3d(1, 0, 0), VqGeVector3d(1, 0, 0), 0, 0);
    Lin l2(VqGePoint3d(0, 0, 4), VqGeVector3d(-1, 0, 0), 0, 0);
    EXPECT_PT3_NEAR(l1.closestPointToLine(l2, onB, VqGeContext::gTol), 1, 0, 0, 0);
    EXPECT_PT3_NEAR(onB, 1, 0, 4, 1e-15);
    Lin dot(VqGePoint3d(1, 1, 0), VqGeVector3d(0, 0, 0), 1, 1);
    EXPECT_PT3_NEAR(dot.closestPointToLine(a, onB, VqGeContext::gTol), 1, 1, 0, 0);
    EXPECT_PT3_NEAR(onB, 1, 0, 0, 0);
    EXPECT_PT3_NEAR(a.closestPointToLine(dot, onB, VqGeContext::gTol), 1, 0, 0, 0);
    EXPECT_PT3_NEAR(onB, 1, 1, 0, 0);
}

TEST(VqGeImpLinearEnt3d, GetClosestPointTo_Curve_PointsOnCurvesWithParams) {
    Lin a(VqGePoint3d(0, 0, 0), VqGeVector3d(2, 0, 0), 0, 0);
    Lin b(VqGePoint3d(1, 1, 1), VqGeVector3d(0, 0, 3), 0, 0);
    VqGeImpPointOnCurve3d pa, pb;
    a.getClosestPointTo(b, pa, pb, VqGeContext::gTol);
    EXPECT_EQ(pa.curve(), &a);
    EXPECT_EQ(pb.curve(), &b);
    EXPECT_DOUBLE_EQ(pa.parameter(), 0.5);
    EXPECT_NEAR(pb.parameter(), -1.0 / 3.0, 1e-15);
    EXPECT_PT3_NEAR(pa.point(), 1, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(pb.point(), 1, 1, 0, 1e-15);
}

TEST(VqGeImpLinearEnt3d, GetNormalPoint_InsideAndBeyond) {
    Lin seg(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 0, 0), 1, 1);
    VqGeImpPointOnCurve3d pc;
    ASSERT_TRUE(seg.getNormalPoint(VqGePoint3d(1, 3, 0), pc, VqGeContext::gTol));
    EXPECT_PT3_NEAR(pc.point(), 1, 0, 0, 0);
    EXPECT_FALSE(seg.getNormalPoint(VqGePoint3d(4, 3, 0), pc, VqGeContext::gTol));
    EXPECT_TRUE(seg.getNormalPoint(VqGePoint3d(2, 0, 0), pc, VqGeContext::gTol));
}

TEST(VqGeImpLinearEnt3d, GetProjClosestPointTo_SeenAlongZ) {
    Lin seg(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 2, 0), 1, 1);
    VqGeImpPointOnCurve3d pc;
    seg.getProjClosestPointTo(VqGePoint3d(0, 2, 7), VqGeVector3d(0, 0, 1), pc, VqGeContext::gTol);
    EXPECT_PT3_NEAR(pc.point(), 1, 1, 0, 1e-15);
    EXPECT_EQ(pc.curve(), &seg);
}

TEST(VqGeImpLinearEnt3d, ReverseProject_TakesParameter) {
    Lin seg(1, 1);
    Lin other(VqGePoint3d(0, 0, 5), VqGeVector3d(1, 0, 0), 1, 1);
    VqGeImpPointOnCurve3d projected(&other, 0.375), result;
    EXPECT_TRUE(seg.reverseProject(projected, VqGeImpPlanarEnt::kXYPlane, VqGeVector3d(0, 0, 1),
                                   result, VqGeContext::gTol));
    EXPECT_EQ(result.curve(), &seg);
    EXPECT_DOUBLE_EQ(result.parameter(), 0.375);
}
