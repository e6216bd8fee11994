// The public linear classes, 3D and 2D: constructors, identities, set, accessors, constants,
// the 2D-only members and the forwarding of intersections and overlaps.
#include "curves/imp_linear_ent3d.h"
#include "test_helpers.h"
#include "vqge_line2d.h"
#include "vqge_line3d.h"
#include "vqge_lineseg2d.h"
#include "vqge_lineseg3d.h"
#include "vqge_ray2d.h"
#include "vqge_ray3d.h"

TEST(VqGeLine3d, Constructors_KindsAndIds) {
    VqGeLine3d line;
    VqGeRay3d ray;
    VqGeLineSeg3d seg;
    EXPECT_EQ(line.type(), VqGe::kLine3d);
    EXPECT_EQ(ray.type(), VqGe::kRay3d);
    EXPECT_EQ(seg.type(), VqGe::kLineSeg3d);
    EXPECT_TRUE(seg.isKindOf(VqGe::kLinearEnt3d));
    EXPECT_TRUE(seg.isKindOf(VqGe::kCurve3d));
    VqGePoint3d p;
    EXPECT_FALSE(line.hasStartPoint(p));
    EXPECT_TRUE(ray.hasStartPoint(p));
    EXPECT_FALSE(ray.hasEndPoint(p));
    EXPECT_PT3_NEAR(seg.endPoint(), 1, 0, 0, 0);
    VqGeLineSeg3d fromVec(VqGePoint3d(1, 1, 1), VqGeVector3d(0, 3, 4));
    EXPECT_DOUBLE_EQ(fromVec.length(), 5.0);
    EXPECT_DOUBLE_EQ(fromVec.length(0.0, 2.0), 10.0);
    EXPECT_PT3_NEAR(fromVec.midPoint(), 1, 2.5, 3, 1e-15);
    VqGeRay3d fromPts(VqGePoint3d(1, 0, 0), VqGePoint3d(1, 2, 0));
    EXPECT_PT3_NEAR(fromPts.direction(), 0, 2, 0, 0);
    EXPECT_PT3_NEAR(fromPts.pointOnLine(), 1, 0, 0, 0);
}

TEST(VqGeLine3d, Constants_AxisLines) {
    EXPECT_EQ(VqGeLine3d::kZAxis.type(), VqGe::kLine3d);
    EXPECT_PT3_NEAR(VqGeLine3d::kYAxis.direction(), 0, 1, 0, 0);
    EXPECT_TRUE(VqGeLine3d::kXAxis.isOn(VqGePoint3d(-4, 0, 0)));
    EXPECT_PT3_NEAR(VqGeImpLinearEnt3d::kZAxis.direction(), 0, 0, 1, 0);
    EXPECT_EQ(VqGeLine2d::kXAxis.type(), VqGe::kLine2d);
    EXPECT_PT2_NEAR(VqGeLine2d::kYAxis.direction(), 0, 1, 0);
}

TEST(VqGeLine3d, Set_KeepsKind) {
    VqGeRay3d ray;
    ray.set(VqGePoint3d(1, 1, 1), VqGeVector3d(0, 0, 2));
    EXPECT_EQ(ray.type(), VqGe::kRay3d);
    EXPECT_TRUE(ray.isOn(VqGePoint3d(1, 1, 100)));
    EXPECT_FALSE(ray.isOn(VqGePoint3d(1, 1, 0)));
    VqGeLine3d line;
    line.set(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 1, 0));
    EXPECT_EQ(line.type(), VqGe::kLine3d);
    VqGeLine3d copy(line);
    EXPECT_TRUE(copy.isEqualTo(line));
    VqGeLine3d unbounded;
    ray.getLine(unbounded);
    EXPECT_TRUE(unbounded.isOn(VqGePoint3d(1, 1, -100)));
    EXPECT_EQ(unbounded.type(), VqGe::kLine3d);
}

TEST(VqGeLinearEnt3d, IntersectAndOverlap_Forwarding) {
    VqGeLineSeg3d a(VqGePoint3d(0, 0, 0), VqGePoint3d(4, 0, 0));
    VqGeLineSeg3d b(VqGePoint3d(2, -1, 0), VqGePoint3d(2, 1, 0));
    VqGePoint3d p;
    ASSERT_TRUE(a.intersectWith(b, p));
    EXPECT_PT3_NEAR(p, 2, 0, 0, 1e-15);
    EXPECT_TRUE(a.isPerpendicularTo(b));
    EXPECT_FALSE(a.isParallelTo(b));
    VqGeLine3d onA(VqGePoint3d(7, 0, 0), VqGeVector3d(-1, 0, 0));
    EXPECT_TRUE(a.isColinearTo(onA));
    VqGeLinearEnt3d* common = nullptr;
    ASSERT_TRUE(a.overlap(onA, common));
    ASSERT_NE(common, nullptr);
    EXPECT_EQ(common->type(), VqGe::kLineSeg3d);
    VqGePoint3d s, e;
    EXPECT_TRUE(common->hasStartPoint(s) && common->hasEndPoint(e));
    EXPECT_PT3_NEAR(s, 0, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(e, 4, 0, 0, 1e-15);
    delete common;
    VqGePoint3d p1, p2;
    VqGeLineSeg3d high(VqGePoint3d(2, -1, 9), VqGePoint3d(2, 1, 9));
    EXPECT_FALSE(a.intersectWith(high, p));
    ASSERT_TRUE(a.projIntersectWith(high, VqGeVector3d(0, 0, 1), p1, p2));
    EXPECT_PT3_NEAR(p1, 2, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(p2, 2, 0, 9, 1e-15);
}

TEST(VqGeLineSeg2d, Constructors_NegativeIdsAndAccessors) {
    VqGeLineSeg2d seg(VqGePoint2d(1, 1), VqGePoint2d(3, 1));
    EXPECT_EQ(seg.type(), VqGe::kLineSeg2d);
    EXPECT_EQ(seg.impLinearEnt()->entityType(), -VqGe::kLineSeg2d);
    EXPECT_TRUE(seg.isKindOf(VqGe::kLinearEnt2d));
    EXPECT_TRUE(seg.isKindOf(VqGe::kCurve2d));
    EXPECT_PT2_NEAR(seg.startPoint(), 1, 1, 0);
    EXPECT_PT2_NEAR(seg.endPoint(), 3, 1, 0);
    EXPECT_PT2_NEAR(seg.midPoint(), 2, 1, 0);
    EXPECT_PT2_NEAR(seg.baryComb(0.75), 2.5, 1, 1e-15);
    EXPECT_DOUBLE_EQ(seg.length(), 2.0);
    EXPECT_EQ(VqGeRay2d().type(), VqGe::kRay2d);
    EXPECT_EQ(VqGeLine2d().type(), VqGe::kLine2d);
    VqGeRay2d ray(VqGePoint2d(0, 0), VqGeVector2d(0, 1));
    ray.set(VqGePoint2d(5, 5), VqGePoint2d(6, 5));
    EXPECT_EQ(ray.type(), VqGe::kRay2d);
    EXPECT_PT2_NEAR(ray.direction(), 1, 0, 0);
}

TEST(VqGeLineSeg2d, BisectorAndPerpLine_QuarterTurnLeft) {
    VqGeLineSeg2d seg(VqGePoint2d(0, 0), VqGePoint2d(2, 0));
    VqGeLine2d bis;
    seg.getBisector(bis);
    EXPECT_PT2_NEAR(bis.pointOnLine(), 1, 0, 0);
    EXPECT_PT2_NEAR(bis.direction(), 0, 2, 0);
    EXPECT_EQ(bis.type(), VqGe::kLine2d);
    VqGeLine2d perp;
    seg.getPerpLine(VqGePoint2d(5, 5), perp);
    EXPECT_PT2_NEAR(perp.pointOnLine(), 5, 5, 0);
    EXPECT_PT2_NEAR(perp.direction(), 0, 2, 0);
    EXPECT_TRUE(perp.isPerpendicularTo(seg));
}

TEST(VqGeLinearEnt2d, IntersectAndOverlap_TwoD) {
    VqGeLineSeg2d a(VqGePoint2d(0, 0), VqGePoint2d(2, 2));
    VqGeLineSeg2d b(VqGePoint2d(0, 2), VqGePoint2d(2, 0));
    VqGePoint2d p;
    ASSERT_TRUE(a.intersectWith(b, p));
    EXPECT_PT2_NEAR(p, 1, 1, 1e-15);
    VqGeLine2d diag(VqGePoint2d(1, 1), VqGeVector2d(1, 1));
    VqGeLinearEnt2d* common = nullptr;
    ASSERT_TRUE(a.overlap(diag, common));
    ASSERT_NE(common, nullptr);
    EXPECT_EQ(common->type(), VqGe::kLineSeg2d);
    delete common;
    EXPECT_TRUE(a.isColinearTo(diag));
    VqGeLine2d line;
    a.getLine(line);
    EXPECT_TRUE(line.isOn(VqGePoint2d(-3, -3)));
}

TEST(VqGeLinearEnt3d, SplitThroughWrapper_PiecesOfSameKind) {
    VqGeLineSeg2d seg(VqGePoint2d(0, 0), VqGePoint2d(4, 0));
    VqGeCurve2d *a = nullptr, *b = nullptr;
    seg.getSplitCurves(0.5, a, b);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->type(), VqGe::kLineSeg2d);
    EXPECT_EQ(b->type(), VqGe::kLineSeg2d);
    VqGePoint2d end;
    EXPECT_TRUE(a->hasEndPoint(end));
    EXPECT_PT2_NEAR(end, 2, 0, 0);
    delete a;
    delete b;
}
