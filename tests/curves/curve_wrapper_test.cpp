#include "test_helpers.h"
#include "vqge_line2d.h"
#include "vqge_line3d.h"
#include "vqge_lineseg2d.h"
#include "vqge_lineseg3d.h"
#include "vqge_matrix2d.h"
#include "vqge_matrix3d.h"
#include "vqge_pointoncurve2d.h"
#include "vqge_pointoncurve3d.h"

TEST(VqGePointOnCurve3d, Default_OnXAxisLine) {
    VqGePointOnCurve3d pc;
    EXPECT_PT3_NEAR(pc.point(2.5), 2.5, 0, 0, 0);
    ASSERT_NE(pc.curve(), nullptr);
    EXPECT_EQ(pc.curve()->type(), VqGe::kLine3d);
    VqGePointOnCurve2d pc2;
    EXPECT_PT2_NEAR(pc2.point(-1.0), -1, 0, 0);
    EXPECT_PT2_NEAR(pc2.deriv(1), 1, 0, 0);
    EXPECT_EQ(pc2.type(), VqGe::kPointOnCurve2d);
}

TEST(VqGePointOnCurve2d, FollowsCurveChangesAndDeletion) {
    VqGeLineSeg2d* seg = new VqGeLineSeg2d(VqGePoint2d(0, 0), VqGePoint2d(2, 0));
    VqGePointOnCurve2d pc(*seg, 0.5);
    EXPECT_PT2_NEAR(pc.point(), 1, 0, 1e-15);
    seg->transformBy(VqGeMatrix2d::translation(VqGeVector2d(0, 3)));
    EXPECT_PT2_NEAR(pc.point(), 1, 3, 1e-15);
    seg->set(VqGePoint2d(0, 0), VqGePoint2d(0, 4));
    EXPECT_PT2_NEAR(pc.point(), 0, 2, 1e-15);
    EXPECT_EQ(pc.curve(), seg);
    delete seg;
    EXPECT_EQ(pc.curve(), nullptr);
}

TEST(VqGeCurve3d, ClosestPointTo_DegenerateSegmentGivesItsPoint) {
    const VqGeLineSeg3d dot(VqGePoint3d(1, 2, 3), VqGePoint3d(1, 2, 3));
    EXPECT_PT3_NEAR(dot.closestPointTo(VqGePoint3d(10, -4, 7)), 1, 2, 3, 0);
    const VqGeLineSeg2d dot2(VqGePoint2d(1, 2), VqGePoint2d(1, 2));
    EXPECT_PT2_NEAR(dot2.closestPointTo(VqGePoint2d(5, 5)), 1, 2, 0);
    const VqGeLineSeg3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 0, 0));
    EXPECT_PT3_NEAR(seg.closestPointTo(VqGePoint3d(5, 1, 0)), 2, 0, 0, 0);
}

TEST(VqGeCurve3d, SetInterval_BoundednessMustMatch) {
    VqGeLine3d line(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0));
    EXPECT_EQ(line.setInterval(VqGeInterval(0.0, 1.0)), 0);
    VqGeInterval iv;
    line.getInterval(iv);
    EXPECT_TRUE(iv.isUnBounded());
    VqGeLineSeg3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0));
    EXPECT_EQ(seg.setInterval(VqGeInterval(0.25, 0.5)), 1);
    VqGePoint3d s, e;
    seg.getInterval(iv, s, e);
    EXPECT_PT3_NEAR(s, 0.25, 0, 0, 0);
    EXPECT_PT3_NEAR(e, 0.5, 0, 0, 0);
}

TEST(VqGeCurve2d, EvalPoint_DerivativesResizedAndDropZ) {
    const VqGeLineSeg2d seg(VqGePoint2d(1, 1), VqGePoint2d(3, 2));
    VqArray<VqGeVector2d> d;
    d.setLogicalLength(7);
    EXPECT_PT2_NEAR(seg.evalPoint(0.5, 2, d), 2, 1.5, 1e-15);
    ASSERT_EQ(d.length(), 2);
    EXPECT_PT2_NEAR(d[0], 2, 1, 0);
    EXPECT_PT2_NEAR(d[1], 0, 0, 0);
}

TEST(VqGeCurve3d, SplitAndCopy_PiecesOwnedByCallerBalanceHooks) {
    CountingHooks hooks;
    {
        VqGeLineSeg3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(4, 0, 0));
        VqGeCurve3d* a = nullptr;
        VqGeCurve3d* b = nullptr;
        seg.getSplitCurves(0.25, a, b);
        ASSERT_NE(a, nullptr);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(a->type(), VqGe::kLineSeg3d);
        VqGePoint3d p;
        EXPECT_TRUE(a->hasEndPoint(p));
        EXPECT_PT3_NEAR(p, 1, 0, 0, 0);
        delete a;
        delete b;
        seg.getSplitCurves(0.0, a, b);  // at the start: no pieces
        EXPECT_EQ(a, nullptr);
        EXPECT_EQ(b, nullptr);
        VqGeEntity3d* c = seg.copy();
        delete c;
        VqGePointOnCurve3d pc(seg, 0.5);
        pc.point();
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

// Regression: the axis-aligned block of a segment flat in z must contain the segment.
TEST(VqGeCurve3d, OrthoBoundBlock_FlatSegment_ContainsItsPoints) {
    const VqGeLineSeg3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 3, 0));
    const VqGeBoundBlock3d box = seg.orthoBoundBlock();
    EXPECT_TRUE(box.isBox());
    for (int i = 0; i <= 10; ++i) EXPECT_TRUE(box.contains(seg.evalPoint(0.1 * i)));
    const VqGeLineSeg2d seg2(VqGePoint2d(0, 0), VqGePoint2d(1, 3));
    const VqGeBoundBlock2d box2 = seg2.orthoBoundBlock();
    for (int i = 0; i <= 10; ++i) EXPECT_TRUE(box2.contains(seg2.evalPoint(0.1 * i)));
    const VqGeBoundBlock3d oriented = seg.boundBlock();
    EXPECT_FALSE(oriented.isBox());
    EXPECT_TRUE(oriented.contains(VqGePoint3d(0.5, 1.5, 0)));
}
