// Intersections of linear entities: crossing, skew and parallel pairs, overlaps, projected
// intersections and the double dispatch towards other curve kinds.
#include "curves/imp_linear_ent3d.h"
#include "test_curve.h"
#include "test_helpers.h"
#include "vqge_curveintdata.h"

namespace {
using Lin = VqGeImpLinearEnt3d;
const VqGeVector3d kUp(0, 0, 1);

// A test curve that records how it was asked to intersect.
class RecordingHelix : public TestHelix {
public:
    using TestHelix::intersectWith;
    int intersectWith(const VqGeImpCurve3d& other, const VqGeVector3d&, VqGeCurveIntData& data,
                      const VqGeTol&) const override {
        ++mCalls;
        mSawReversed = data.orderReversed();
        mOther = &other;
        data.addIntPoint(VqGePoint3d(1, 2, 3), 0.25, 0.75, VqGe::kLeftRight, VqGe::kRightLeft,
                         1e-10);
        return 1;
    }
    mutable int mCalls = 0;
    mutable int mSawReversed = -1;
    mutable const VqGeImpCurve3d* mOther = nullptr;
};
}  // namespace

TEST(VqGeImpLinearEnt3d, IntersectWith_CrossingSegmentsXY_PointParamsConfigs) {
    Lin a(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 2, 0), 1, 1);
    Lin b(VqGePoint3d(0, 2, 0), VqGePoint3d(2, 0, 0), 1, 1);
    VqGeCurveIntData data;
    ASSERT_TRUE(a.intersectWith(b, kUp, data, VqGeContext::gTol));
    ASSERT_EQ(data.numIntPoints(), 1);
    EXPECT_PT3_NEAR(data.intPnt(0), 1, 1, 0, 1e-15);
    double p1, p2;
    data.getIntParams(0, p1, p2);
    EXPECT_DOUBLE_EQ(p1, 0.5);
    EXPECT_DOUBLE_EQ(p2, 0.5);
    int c1, c2;
    data.getIntConfigs(0, c1, c2);
    // d1 x d2 points down, against the projection direction.
    EXPECT_EQ(c1, VqGe::kRightLeft);
    EXPECT_EQ(c2, VqGe::kLeftRight);
    EXPECT_DOUBLE_EQ(data.intTol(0), 1e-10);
    ASSERT_TRUE(b.intersectWith(a, kUp, data, VqGeContext::gTol));
    data.getIntConfigs(0, c1, c2);
    EXPECT_EQ(c1, VqGe::kLeftRight);
}

TEST(VqGeImpLinearEnt3d, IntersectWith_SegmentsMissInBounds_NoPoint) {
    Lin a(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0), 1, 1);
    Lin b(VqGePoint3d(2, -1, 0), VqGePoint3d(2, 1, 0), 1, 1);
    VqGeCurveIntData data;
    EXPECT_FALSE(a.intersectWith(b, kUp, data, VqGeContext::gTol));
    EXPECT_EQ(data.numIntPoints(), 0);
    VqGePoint3d p;
    EXPECT_FALSE(a.intersectWithLine(b, p));
    Lin line(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 0, 0);
    EXPECT_TRUE(line.intersectWithLine(b, p));
    EXPECT_PT3_NEAR(p, 2, 0, 0, 1e-15);
}

TEST(VqGeImpLinearEnt3d, IntersectWithLine_LiftedOffPlane_NeedsDistanceTest) {
    // The same crossing lifted to z = 1: the point must also be on this segment.
    Lin a(VqGePoint3d(0, 0, 1), VqGePoint3d(2, 2, 1), 1, 1);
    Lin b(VqGePoint3d(0, 2, 1), VqGePoint3d(2, 0, 1), 1, 1);
    VqGePoint3d p;
    ASSERT_TRUE(a.intersectWithLine(b, p));
    EXPECT_PT3_NEAR(p, 1, 1, 1, 1e-15);
    // Skew lines: the solved point exists but lies off this line.
    Lin skew(VqGePoint3d(0, 2, 1.5), VqGePoint3d(2, 0, 1.5), 0, 0);
    Lin line(VqGePoint3d(0, 0, 1), VqGeVector3d(1, 1, 0), 0, 0);
    EXPECT_FALSE(line.intersectWithLine(skew, p));
    VqGeCurveIntData data;
    EXPECT_FALSE(line.intersectWith(skew, kUp, data, VqGeContext::gTol));
}

TEST(VqGeImpLinearEnt3d, IntersectWithLine_CollinearTouchingEnds_TouchPoint) {
    Lin a(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0), 1, 1);
    Lin b(VqGePoint3d(1, 0, 0), VqGePoint3d(3, 0, 0), 1, 1);
    VqGePoint3d p;
    ASSERT_TRUE(a.intersectWithLine(b, p));
    EXPECT_PT3_NEAR(p, 1, 0, 0, 1e-15);
    VqGeCurveIntData data;
    ASSERT_TRUE(a.intersectWith(b, kUp, data, VqGeContext::gTol));
    ASSERT_EQ(data.numIntPoints(), 1);
    EXPECT_EQ(data.numOverlap(), 0);
    int c1, c2;
    data.getIntConfigs(0, c1, c2);
    EXPECT_EQ(c1, VqGe::kOverlapTouch);
    EXPECT_EQ(c2, VqGe::kOverlapTouch);
    double p1, p2;
    data.getIntParams(0, p1, p2);
    EXPECT_DOUBLE_EQ(p1, 1.0);
    EXPECT_DOUBLE_EQ(p2, 0.0);
    // Parallel but apart: nothing.
    Lin c(VqGePoint3d(0, 1, 0), VqGePoint3d(1, 1, 0), 1, 1);
    EXPECT_FALSE(a.intersectWithLine(c, p));
    EXPECT_FALSE(a.intersectWith(c, kUp, data, VqGeContext::gTol));
}

TEST(VqGeImpLinearEnt3d, Overlap_OppositeSegments_RangesPointsAndCopy) {
    Lin a(VqGePoint3d(0, 0, 0), VqGePoint3d(4, 0, 0), 1, 1);
    Lin b(VqGePoint3d(3, 0, 0), VqGePoint3d(1, 0, 0), 1, 1);
    VqGeCurveIntData data;
    ASSERT_TRUE(a.overlap(static_cast<const VqGeImpCurve3d&>(b), data, VqGeContext::gTol));
    ASSERT_EQ(data.numOverlap(), 1);
    EXPECT_EQ(data.numIntPoints(), 0);
    VqGeImpInterval r1, r2;
    VqGePoint3d s, e;
    int same = -1;
    data.getOverlap(0, r1, r2, s, e, same);
    EXPECT_EQ(same, 0);
    EXPECT_NEAR(r1.lowerBound(), 0.25, 1e-15);
    EXPECT_NEAR(r1.upperBound(), 0.75, 1e-15);
    EXPECT_NEAR(r2.lowerBound(), 0.0, 1e-15);
    EXPECT_NEAR(r2.upperBound(), 1.0, 1e-15);
    EXPECT_PT3_NEAR(s, 1, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(e, 3, 0, 0, 1e-15);
    Lin* common = nullptr;
    ASSERT_TRUE(a.overlap(b, common));
    ASSERT_NE(common, nullptr);
    EXPECT_PT3_NEAR(common->startPoint(), 1, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(common->endPoint(), 3, 0, 0, 1e-15);
    EXPECT_EQ(common->type(1), VqGe::kLineSeg3d);
    delete common;
    Lin apart(VqGePoint3d(5, 0, 0), VqGePoint3d(6, 0, 0), 1, 1);
    common = &a;
    EXPECT_FALSE(a.overlap(apart, common));
    EXPECT_EQ(common, nullptr);
}

TEST(VqGeImpLinearEnt3d, Overlap_LineAndRay_UnboundedSideKept) {
    Lin line(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 0, 0);
    Lin ray(VqGePoint3d(2, 0, 0), VqGeVector3d(2, 0, 0), 1, 0);
    VqGeCurveIntData data;
    ASSERT_TRUE(line.overlap(static_cast<const VqGeImpCurve3d&>(ray), data, VqGeContext::gTol));
    ASSERT_EQ(data.numOverlap(), 1);
    VqGeImpInterval r1, r2;
    VqGePoint3d s, e;
    int same;
    data.getOverlap(0, r1, r2, s, e, same);
    EXPECT_EQ(same, 1);
    EXPECT_TRUE(r1.isBoundedBelow());
    EXPECT_FALSE(r1.isBoundedAbove());
    EXPECT_DOUBLE_EQ(r1.lowerBound(), 2.0);
    EXPECT_TRUE(r2.isBoundedBelow());
    EXPECT_FALSE(r2.isBoundedAbove());
    EXPECT_DOUBLE_EQ(r2.lowerBound(), 0.0);
}

TEST(VqGeImpLinearEnt3d, UnboundedOverlap_ParallelOnLine_SameDirectionFlag) {
    Lin a(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 1, 0), 1, 1);
    Lin b(VqGePoint3d(5, 5, 0), VqGeVector3d(-2, -2, 0), 1, 1);
    int same = -1;
    EXPECT_TRUE(a.unboundedOverlap(b, same, VqGeContext::gTol));
    EXPECT_EQ(same, 0);
    Lin c(VqGePoint3d(5, 5.1, 0), VqGeVector3d(1, 1, 0), 1, 1);
    EXPECT_FALSE(a.unboundedOverlap(c, same, VqGeContext::gTol));
    TestHelix helix;
    EXPECT_FALSE(a.unboundedOverlap(helix, same, VqGeContext::gTol));
}

TEST(VqGeImpLinearEnt3d, IntersectWith_OtherKind_AsksOtherInCallerOrder) {
    Lin seg(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0), 1, 1);
    RecordingHelix helix;
    VqGeCurveIntData data;
    ASSERT_TRUE(seg.intersectWith(helix, kUp, data, VqGeContext::gTol));
    EXPECT_EQ(helix.mCalls, 1);
    EXPECT_EQ(helix.mSawReversed, 1);
    EXPECT_EQ(helix.mOther, &seg);
    EXPECT_FALSE(data.orderReversed());
    double p1, p2;
    data.getIntParams(0, p1, p2);
    EXPECT_DOUBLE_EQ(p1, 0.75);  // the helix added (its own, the segment's)
    EXPECT_DOUBLE_EQ(p2, 0.25);
    // Arriving already reversed, the segment does not ask back.
    data.reverseOrder();
    seg.intersectWith(helix, kUp, data, VqGeContext::gTol);
    EXPECT_EQ(helix.mCalls, 1);
    EXPECT_TRUE(data.orderReversed());
}

TEST(VqGeImpLinearEnt3d, IntersectSelfAndRanges_ResetNothingFound) {
    Lin seg(1, 1);
    VqGeCurveIntData data;
    data.addIntPoint(VqGePoint3d(), 0, 0, 1, 1, 0);
    EXPECT_FALSE(seg.intersectSelf(data, kUp, 0.0, VqGeContext::gTol));
    EXPECT_EQ(data.numIntPoints(), 0);
    data.addIntPoint(VqGePoint3d(), 0, 0, 1, 1, 0);
    EXPECT_FALSE(seg.intersectWith(VqGeImpInterval(0.0, 0.5), VqGeImpInterval(0.5, 1.0), kUp, data,
                                   VqGeContext::gTol));
    EXPECT_EQ(data.numIntPoints(), 0);
}

TEST(VqGeImpLinearEnt3d, ProjIntersectWith_SkewSeenFromAbove_PointsOnBoth) {
    Lin a(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 2, 0), 1, 1);
    Lin b(VqGePoint3d(0, 2, 5), VqGePoint3d(2, 0, 5), 1, 1);
    VqGePoint3d p1, p2;
    ASSERT_TRUE(a.projIntersectWith(b, kUp, p1, p2));
    EXPECT_PT3_NEAR(p1, 1, 1, 0, 1e-14);
    EXPECT_PT3_NEAR(p2, 1, 1, 5, 1e-14);
    // Seen from above c stays at x = 0, y in [5, 6], away from a.
    Lin c(VqGePoint3d(0, 5, 0), VqGePoint3d(0, 6, 1), 1, 1);
    EXPECT_FALSE(a.projIntersectWith(c, kUp, p1, p2));
}

TEST(VqGeImpLinearEnt3d, ProjIntersectWith_DirectionAlongEntity_OriginAndLineHit) {
    Lin vertical(VqGePoint3d(1, 1, 3), VqGeVector3d(0, 0, 1), 1, 1);
    Lin b(VqGePoint3d(0, 2, 0), VqGePoint3d(2, 0, 0), 1, 1);
    VqGePoint3d p1, p2;
    ASSERT_TRUE(vertical.projIntersectWith(b, kUp, p1, p2));
    EXPECT_PT3_NEAR(p1, 1, 1, 3, 0);
    EXPECT_PT3_NEAR(p2, 1, 1, 0, 1e-15);
    ASSERT_TRUE(b.projIntersectWith(vertical, kUp, p1, p2));
    EXPECT_PT3_NEAR(p1, 1, 1, 0, 1e-15);
    EXPECT_PT3_NEAR(p2, 1, 1, 3, 0);
}

TEST(VqGeImpLinearEnt3d, ProjIntersectWith_SameProjectedLine_TouchingEitherEnd) {
    // Both lie in one vertical plane and project onto the x axis, running the same way.
    Lin a(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 1), 1, 1);
    Lin after(VqGePoint3d(1, 0, 4), VqGePoint3d(3, 0, 2), 1, 1);
    VqGePoint3d p1, p2;
    ASSERT_TRUE(a.projIntersectWith(after, kUp, p1, p2));  // a's end on the other's start
    EXPECT_PT3_NEAR(p1, 1, 0, 1, 1e-15);
    EXPECT_PT3_NEAR(p2, 1, 0, 4, 1e-15);
    Lin before(VqGePoint3d(-2, 0, 2), VqGePoint3d(0, 0, 4), 1, 1);
    ASSERT_TRUE(a.projIntersectWith(before, kUp, p1, p2));  // a's start on the other's end
    EXPECT_PT3_NEAR(p1, 0, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(p2, 0, 0, 4, 1e-15);
    // Running against each other: starts or ends meet.
    Lin backwards(VqGePoint3d(3, 0, 2), VqGePoint3d(1, 0, 4), 1, 1);
    ASSERT_TRUE(a.projIntersectWith(backwards, kUp, p1, p2));
    EXPECT_PT3_NEAR(p1, 1, 0, 1, 1e-15);
    EXPECT_PT3_NEAR(p2, 1, 0, 4, 1e-15);
    Lin gap(VqGePoint3d(1.5, 0, 4), VqGePoint3d(3, 0, 2), 1, 1);
    EXPECT_FALSE(a.projIntersectWith(gap, kUp, p1, p2));
}
