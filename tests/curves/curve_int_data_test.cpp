#include "test_helpers.h"
#include "vqge_curveintdata.h"
#include "vqge_interval.h"

TEST(VqGeCurveIntData, AddIntPoint_ReversedReadsBackExchanged) {
    VqGeCurveIntData d;
    d.addIntPoint(VqGePoint3d(1, 2, 3), 0.25, 0.75, 4, 8, 1e-9);
    double p1, p2;
    int c1, c2;
    d.getIntParams(0, p1, p2);
    d.getIntConfigs(0, c1, c2);
    EXPECT_EQ(p1, 0.25);
    EXPECT_EQ(p2, 0.75);
    EXPECT_EQ(c1, 4);
    EXPECT_EQ(c2, 8);
    EXPECT_EQ(d.intTol(0), 1e-9);
    d.reverseOrder();
    EXPECT_EQ(d.orderReversed(), 1);
    d.getIntParams(0, p1, p2);
    d.getIntConfigs(0, c1, c2);
    EXPECT_EQ(p1, 0.75);
    EXPECT_EQ(p2, 0.25);
    EXPECT_EQ(c1, 8);
    EXPECT_EQ(c2, 4);
    // Added while reversed: reads back as added in the same state.
    d.addIntPoint(VqGePoint3d(), 0.1, 0.9, 16, 32, 0.0);
    d.getIntParams(1, p1, p2);
    EXPECT_EQ(p1, 0.1);
    EXPECT_EQ(p2, 0.9);
    d.reverseOrder();
    d.getIntParams(1, p1, p2);
    EXPECT_EQ(p1, 0.9);
    EXPECT_EQ(p2, 0.1);
}

TEST(VqGeCurveIntData, Overlap_PointsStayBehindIntersectionPoints) {
    VqGeCurveIntData d;
    d.addOverlap(VqGeImpInterval(0, 1), VqGeImpInterval(2, 3), VqGePoint3d(0, 0, 0),
                 VqGePoint3d(1, 0, 0), 1);
    d.addIntPoint(VqGePoint3d(5, 5, 5), 0.5, 0.5, 4, 8, 0);
    EXPECT_EQ(d.numIntPoints(), 1);
    EXPECT_EQ(d.numOverlap(), 1);
    EXPECT_PT3_NEAR(d.intPnt(0), 5, 5, 5, 0);
    VqGeImpInterval r1, r2;
    VqGePoint3d s, e;
    int same = -1;
    ASSERT_EQ(d.getOverlap(0, r1, r2, s, e, same), 1);
    EXPECT_EQ(same, 1);
    EXPECT_EQ(r1.lowerBound(), 0.0);
    EXPECT_EQ(r2.lowerBound(), 2.0);
    EXPECT_PT3_NEAR(s, 0, 0, 0, 0);
    EXPECT_PT3_NEAR(e, 1, 0, 0, 0);
    EXPECT_EQ(d.getOverlap(1, r1, r2, s, e, same), 0);
}

TEST(VqGeCurveIntData, OverlapOppositeAddedReversed_ReadUnreversedExchangesEnds) {
    VqGeCurveIntData d;
    d.reverseOrder();
    d.addOverlap(VqGeImpInterval(0, 1), VqGeImpInterval(2, 3), VqGePoint3d(0, 0, 0),
                 VqGePoint3d(1, 0, 0), 0);
    VqGeImpInterval r1, r2;
    VqGePoint3d s, e;
    int same;
    d.getOverlap(0, r1, r2, s, e, same);  // same state: as added
    EXPECT_PT3_NEAR(s, 0, 0, 0, 0);
    EXPECT_EQ(r1.lowerBound(), 0.0);
    d.reverseOrder();
    d.getOverlap(0, r1, r2, s, e, same);
    EXPECT_PT3_NEAR(s, 1, 0, 0, 0);
    EXPECT_PT3_NEAR(e, 0, 0, 0, 0);
    EXPECT_EQ(r1.lowerBound(), 2.0);
    EXPECT_EQ(r2.lowerBound(), 0.0);
}

TEST(VqGeCurveIntData, RemoveIntPoint_ShiftsLaterEntries) {
    VqGeCurveIntData d;
    for (int i = 0; i < 3; ++i) d.addIntPoint(VqGePoint3d(i, 0, 0), i, 10 + i, i, 100 + i, i * 0.5);
    d.removeIntPoint(1);
    d.removeIntPoint(7);  // out of range: ignored
    ASSERT_EQ(d.numIntPoints(), 2);
    double p1, p2;
    int c1, c2;
    d.getIntParams(1, p1, p2);
    d.getIntConfigs(1, c1, c2);
    EXPECT_EQ(p1, 2.0);
    EXPECT_EQ(p2, 12.0);
    EXPECT_EQ(c2, 102);
    EXPECT_EQ(d.intTol(1), 1.0);
    EXPECT_PT3_NEAR(d.intPnt(1), 2, 0, 0, 0);
    d.getIntParams(5, p1, p2);
    EXPECT_EQ(p1, 0.0);
}

TEST(VqGeCurveIntData, CopyAndReset_OwnRangesAndBalanceHooks) {
    CountingHooks hooks;
    {
        VqGeCurveIntData d;
        d.addOverlap(VqGeImpInterval(0, 1), VqGeImpInterval(2, 3), VqGePoint3d(), VqGePoint3d(), 1);
        d.reverseOrder();
        VqGeCurveIntData c(d);
        EXPECT_EQ(c.orderReversed(), 1);
        d.reset();
        EXPECT_EQ(d.numOverlap(), 0);
        EXPECT_EQ(d.orderReversed(), 1);  // kept by reset
        VqGeImpInterval r1, r2;
        VqGePoint3d s, e;
        int same;
        ASSERT_EQ(c.getOverlap(0, r1, r2, s, e, same), 1);  // the copy's ranges survive
        EXPECT_EQ(r1.lowerBound(), 2.0);
        d = c;
        d = d;
        EXPECT_EQ(d.numOverlap(), 1);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

// Regression: a failed allocation in addOverlap left ranges and points out of step, and
// reading the overlap back went past the end of the points.
TEST(VqGeCurveIntData, AddOverlap_OutOfMemory_RecordStaysConsistent) {
    CountingHooks hooks;
    for (long budget = 0; budget < 8; ++budget) {
        VqGeCurveIntData d;
        d.addIntPoint(VqGePoint3d(1, 1, 1), 0.5, 0.5, 4, 8, 0);
        CountingHooks::failAfter() = budget;
        d.addOverlap(VqGeImpInterval(0, 1), VqGeImpInterval(2, 3), VqGePoint3d(), VqGePoint3d(1, 0, 0), 1);
        CountingHooks::failAfter() = -1;
        VqGeImpInterval r1, r2;
        VqGePoint3d s, e;
        int same;
        for (int i = 0; i < d.numOverlap(); ++i) EXPECT_EQ(d.getOverlap(i, r1, r2, s, e, same), 1);
        EXPECT_EQ(d.numIntPoints(), 1);
        EXPECT_PT3_NEAR(d.intPnt(0), 1, 1, 1, 0);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

// Outputs of many elements are sized once (sample points, 2D copies) or grow geometrically
// (intersection records), not by the arrays' grow length of 8 per step.
TEST(VqGeCurveIntData, AddIntPoint_ManyPoints_FewAllocationsAndAllKept) {
    VqGeCurveIntData d;
    CountingHooks hooks;
    const int n = 20000;
    for (int i = 0; i < n; ++i) d.addIntPoint(VqGePoint3d(i, 0, 0), i, -i, 4, 8, 1e-9);
    EXPECT_LT(hooks.allocs(), 200);  // by grow length 8 it would be about 3 * n / 8
    ASSERT_EQ(d.numIntPoints(), n);
    double p1, p2;
    d.getIntParams(n - 1, p1, p2);
    EXPECT_EQ(p1, n - 1.0);
    EXPECT_EQ(p2, 1.0 - n);
    EXPECT_EQ(d.intPnt(n / 2).x, n / 2);
}

TEST(VqGeCurve2d, GetSamplePoints_ManySamples_OutputSizedOnce) {
    const VqGeLineSeg2d seg(VqGePoint2d(0, 0), VqGePoint2d(1e6, 1));
    VqArray<VqGePoint2d> pts;
    CountingHooks hooks;
    seg.getSamplePoints(100000, pts);
    EXPECT_LT(hooks.allocs(), 10);
    ASSERT_EQ(pts.length(), 100000);
    EXPECT_NEAR(pts[pts.length() - 1].x, 1e6, 1e-6);
}
