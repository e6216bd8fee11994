// The intersection entity as a frame around the curves' own intersection operations: when it
// computes, which intervals are in force, what the events and edits do to the result.
#include "curves/imp_point_on_curve3d.h"
#include "intersect/imp_curve_curve_int3d.h"
#include "scripted_curve.h"
#include "test_helpers.h"
#include "vqge_curvecurveint3d.h"
#include "vqge_pointoncurve3d.h"

namespace {
const char* const kLink = "CurveCurveInt3d_Curve3d";
const VqGeVector3d kDir(0, 0, 2);
}  // namespace

TEST(VqGeImpCurveCurveInt3d, Queries_ComputeOnceOnFirstQuery) {
    ScriptedCurve a, b;
    VqGeImpCurveCurveInt3d cc(&a, &b, kDir, VqGeContext::gTol);
    EXPECT_EQ(a.mWithCalls, 0);
    EXPECT_FALSE(cc.isComputed());
    EXPECT_EQ(a.numOwners(kLink), 1);
    EXPECT_EQ(b.numOwners(kLink), 1);
    ASSERT_EQ(cc.numIntPoints(), 1);
    EXPECT_PT3_NEAR(cc.intPoint(0), 1, 2, 3, 0);
    double p1 = -1, p2 = -1;
    cc.getIntParams(0, p1, p2);
    EXPECT_EQ(p1, 0.0);
    EXPECT_EQ(p2, 0.0);
    EXPECT_EQ(cc.intPointTol(0), 1e-9);
    EXPECT_TRUE(cc.isTransversal(0));
    EXPECT_FALSE(cc.isTangential(0));
    EXPECT_EQ(cc.overlapCount(), 0);
    EXPECT_EQ(cc.overlapDirection(), 1);
    EXPECT_EQ(a.mWithCalls, 1);
    EXPECT_EQ(b.mWithCalls, 0);
    EXPECT_PT3_NEAR(a.mLastDir, 0, 0, 2, 0);  // the given normal, as given
}

TEST(VqGeImpCurveCurveInt3d, CurveChanges_DropResultAndRecompute) {
    ScriptedCurve a, b;
    VqGeImpCurveCurveInt3d cc(&a, &b, kDir, VqGeContext::gTol);
    cc.numIntPoints();
    a.setRadius(2.0);  // modified
    EXPECT_FALSE(cc.isComputed());
    cc.numIntPoints();
    EXPECT_EQ(a.mWithCalls, 2);
    b.setInterval(VqGeImpInterval(0.0, 1.0), 1);  // interval set
    EXPECT_FALSE(cc.isComputed());
    cc.numIntPoints();
    b.transformBy(VqGeMatrix3d::rotation(1.0, VqGeVector3d::kXAxis));  // transformed
    EXPECT_FALSE(cc.isComputed());
    EXPECT_EQ(cc.numIntPoints(), 1);
    EXPECT_EQ(a.mWithCalls, 4);
    // The stored normal followed the curve's transformation.
    EXPECT_PT3_NEAR(cc.planeNormal(), 0, -2 * std::sin(1.0), 2 * std::cos(1.0), 1e-15);
}

TEST(VqGeImpCurveCurveInt3d, Compute_UsesRangesAndRestoresIntervals) {
    ScriptedCurve a, b;
    VqGeImpCurveCurveInt3d cc(&a, &b, VqGeImpInterval(0.5, 1.0), VqGeImpInterval(2.0, 3.0), kDir,
                              VqGeContext::gTol);
    double p1 = -1, p2 = -1;
    cc.getIntParams(0, p1, p2);
    EXPECT_EQ(p1, 0.5);  // the ranges were in force during the call
    EXPECT_EQ(p2, 2.0);
    VqGeImpInterval ia, ib;
    a.getInterval(ia, 0, 0);
    b.getInterval(ib, 0, 0);
    EXPECT_EQ(ia.lowerBound(), 0.0);
    EXPECT_NEAR(ia.upperBound(), 6.283185307179586, 0);
    EXPECT_EQ(ib.lowerBound(), 0.0);
    EXPECT_TRUE(cc.isComputed());  // our own interval events did not reset the result
    VqGeImpInterval r1, r2;
    cc.getIntRanges(r1, r2);
    EXPECT_EQ(r1.lowerBound(), 0.5);
    EXPECT_EQ(r2.upperBound(), 3.0);
}

TEST(VqGeImpCurveCurveInt3d, SameCurve_SelfOrTwoRanges) {
    ScriptedCurve a;
    VqGeImpCurveCurveInt3d self(&a, &a, kDir, VqGeContext::gTol);
    EXPECT_EQ(a.numOwners(kLink), 1);  // one link for both roles
    ASSERT_EQ(self.numIntPoints(), 1);
    EXPECT_EQ(a.mSelfCalls, 1);
    EXPECT_EQ(a.mRangeCalls, 0);

    const VqGeImpInterval r(1.0, 2.0);
    VqGeImpCurveCurveInt3d selfRange(&a, &a, r, r, kDir, VqGeContext::gTol);
    double p1 = -1, p2 = -1;
    selfRange.getIntParams(0, p1, p2);
    EXPECT_EQ(p1, 1.0);  // intersectSelf saw the range as the curve's interval
    EXPECT_EQ(p2, 2.0);
    VqGeImpInterval ia;
    a.getInterval(ia, 0, 0);
    EXPECT_EQ(ia.upperBound(), 6.283185307179586);

    VqGeImpCurveCurveInt3d pieces(&a, &a, VqGeImpInterval(0.0, 1.0), VqGeImpInterval(3.0, 4.0),
                                  kDir, VqGeContext::gTol);
    pieces.getIntParams(0, p1, p2);
    EXPECT_EQ(a.mRangeCalls, 1);
    EXPECT_EQ(p1, 0.0);
    EXPECT_EQ(p2, 3.0);
    EXPECT_TRUE(pieces.isTangential(0));
}

TEST(VqGeImpCurveCurveInt3d, ChangeCurveOrder_SwapsWithoutRecomputing) {
    ScriptedCurve a, b;
    a.mWithOverlap = 1;
    VqGeImpCurveCurveInt3d cc(&a, &b, VqGeImpInterval(0.5, 1.0), VqGeImpInterval(2.0, 3.0), kDir,
                              VqGeContext::gTol);
    ASSERT_EQ(cc.numIntPoints(), 2);
    cc.changeCurveOrder();
    EXPECT_EQ(cc.curve1(), &b);
    EXPECT_EQ(cc.curve2(), &a);
    EXPECT_EQ(a.mWithCalls, 1);
    double p1 = -1, p2 = -1;
    int c1 = 0, c2 = 0;
    cc.getIntParams(0, p1, p2);
    cc.getIntConfigs(0, c1, c2);
    EXPECT_EQ(p1, 2.0);
    EXPECT_EQ(p2, 0.5);
    EXPECT_EQ(c1, VqGe::kRightLeft);
    EXPECT_EQ(c2, VqGe::kLeftRight);
    cc.getIntConfigs(1, c1, c2);
    EXPECT_EQ(c1, VqGe::kRightRight);
    EXPECT_EQ(cc.intPointTol(1), 2e-9);
    EXPECT_PT3_NEAR(cc.intPoint(1), 4, 5, 6, 0);
    VqGeImpInterval r1, r2;
    cc.getIntRanges(r1, r2);
    EXPECT_EQ(r1.lowerBound(), 2.0);
    EXPECT_EQ(r2.lowerBound(), 0.5);
    // The overlap is kept, seen from the other curve.
    ASSERT_EQ(cc.overlapCount(), 1);
    cc.getOverlapRanges(0, r1, r2);
    EXPECT_EQ(r1.lowerBound(), 3.0);
    EXPECT_EQ(r2.lowerBound(), 1.0);
    EXPECT_EQ(cc.overlapDirection(), 0);
    // Twice gives back the original.
    cc.changeCurveOrder();
    cc.getIntParams(0, p1, p2);
    EXPECT_EQ(p1, 0.5);
    EXPECT_EQ(cc.curve1(), &a);
    EXPECT_EQ(a.mWithCalls, 1);
    // A later recomputation follows the new order.
    cc.changeCurveOrder();
    b.setRadius(3.0);
    cc.getIntParams(0, p1, p2);
    EXPECT_EQ(b.mWithCalls, 1);
    EXPECT_EQ(p1, 2.0);
}

TEST(VqGeImpCurveCurveInt3d, TransformBy_MovesResultNotCurves) {
    ScriptedCurve a, b;
    a.mWithOverlap = 1;
    VqGeImpCurveCurveInt3d cc(&a, &b, kDir, VqGeContext::gTol);
    const VqGeMatrix3d m = VqGeMatrix3d::translation(VqGeVector3d(10, 0, 0));
    cc.transformBy(m);  // computes first
    EXPECT_EQ(a.mWithCalls, 1);
    EXPECT_TRUE(cc.isComputed());
    ASSERT_EQ(cc.numIntPoints(), 2);
    EXPECT_PT3_NEAR(cc.intPoint(0), 11, 2, 3, 0);
    EXPECT_PT3_NEAR(cc.intPoint(1), 14, 5, 6, 0);
    double p1 = -1, p2 = -1;
    cc.getIntParams(1, p1, p2);
    EXPECT_EQ(p1, 0.25);
    EXPECT_EQ(p2, 0.75);
    EXPECT_PT3_NEAR(cc.planeNormal(), 0, 0, 2, 0);  // a translation leaves vectors alone
    ASSERT_EQ(cc.overlapCount(), 1);
    EXPECT_EQ(cc.overlapDirection(), 0);
    EXPECT_EQ(a.mWithCalls, 1);
    VqGeImpPointOnCurve3d pc(&a, 0.0);
    EXPECT_PT3_NEAR(pc.point(), 1, 0, 0, 1e-15);  // the curve did not move
}

TEST(VqGeImpCurveCurveInt3d, DeletedCurve_NullCurvesEmptyResult) {
    ScriptedCurve a;
    ScriptedCurve* b = new ScriptedCurve();
    VqGeImpCurveCurveInt3d cc(&a, b, kDir, VqGeContext::gTol);
    EXPECT_EQ(cc.numIntPoints(), 1);
    delete b;
    EXPECT_EQ(cc.curve1(), nullptr);
    EXPECT_EQ(cc.curve2(), nullptr);
    EXPECT_EQ(a.numOwners(kLink), 0);  // the survivor's link went too
    EXPECT_EQ(cc.numIntPoints(), 0);
    EXPECT_EQ(cc.overlapCount(), 0);
    EXPECT_FALSE(cc.isOn(VqGePoint3d(1, 2, 3)));
    EXPECT_EQ(a.mWithCalls, 1);
    a.setRadius(2.0);  // no longer heard
    EXPECT_TRUE(cc.isComputed());
    ScriptedCurve c;
    cc.set(&a, &c, kDir, VqGeContext::gTol);
    EXPECT_EQ(cc.numIntPoints(), 1);
    EXPECT_EQ(a.numOwners(kLink), 1);
}

TEST(VqGeImpCurveCurveInt3d, BadIndex_ZeroResultsOutputsUntouched) {
    ScriptedCurve a, b;
    VqGeImpCurveCurveInt3d cc(&a, &b, kDir, VqGeContext::gTol);
    double p1 = 7, p2 = 7;
    int c1 = 7, c2 = 7;
    cc.getIntParams(-1, p1, p2);
    cc.getIntConfigs(5, c1, c2);
    EXPECT_EQ(p1, 7);
    EXPECT_EQ(c2, 7);
    EXPECT_FALSE(cc.isTangential(3));
    EXPECT_FALSE(cc.isTransversal(3));
    EXPECT_EQ(cc.intPointTol(-2), 0.0);
    EXPECT_PT3_NEAR(cc.intPoint(9), 0, 0, 0, 0);
    VqGeImpPointOnCurve3d pc(&b, 0.5);
    cc.getPointOnCurve1(4, pc);
    EXPECT_EQ(pc.curve(), &b);
    EXPECT_EQ(pc.parameter(), 0.5);
    VqGeImpInterval r1(1.0, 2.0), r2;
    cc.getOverlapRanges(0, r1, r2);
    EXPECT_EQ(r1.lowerBound(), 1.0);
}

TEST(VqGeImpCurveCurveInt3d, PointOnCurve_CurveAndParameterOfPoint) {
    ScriptedCurve a, b;
    VqGeImpCurveCurveInt3d cc(&a, &b, VqGeImpInterval(0.5, 1.0), VqGeImpInterval(2.0, 3.0), kDir,
                              VqGeContext::gTol);
    VqGeImpPointOnCurve3d pc;
    cc.getPointOnCurve1(0, pc);
    EXPECT_EQ(pc.curve(), &a);
    EXPECT_EQ(pc.parameter(), 0.5);
    cc.getPointOnCurve2(0, pc);
    EXPECT_EQ(pc.curve(), &b);
    EXPECT_EQ(pc.parameter(), 2.0);
}

TEST(VqGeImpCurveCurveInt3d, CopyAndAssign_CopyRecordOrStartAfresh) {
    ScriptedCurve a, b;
    VqGeImpCurveCurveInt3d cc(&a, &b, kDir, VqGeContext::gTol);
    cc.numIntPoints();
    VqGeImpCurveCurveInt3d copied(cc);
    EXPECT_TRUE(copied.isComputed());
    EXPECT_EQ(a.numOwners(kLink), 2);
    EXPECT_EQ(copied.numIntPoints(), 1);
    EXPECT_EQ(a.mWithCalls, 1);
    EXPECT_TRUE(copied.isEqualTo(cc));
    a.setRadius(5.0);  // the copy listens too
    EXPECT_FALSE(copied.isComputed());

    ScriptedCurve c;
    VqGeImpCurveCurveInt3d other(&c, &c, kDir, VqGeContext::gTol);
    EXPECT_FALSE(other.isEqualTo(cc));
    other = cc;
    EXPECT_EQ(c.numOwners(kLink), 0);
    EXPECT_EQ(other.curve1(), &a);
    EXPECT_FALSE(other.isComputed());
    EXPECT_TRUE(other.isEqualTo(cc));
}

TEST(VqGeImpCurveCurveInt3d, IsOn_PointsThenOverlapCurves) {
    ScriptedCurve a, b;
    a.mWithOverlap = 1;
    VqGeImpCurveCurveInt3d cc(&a, &b, kDir, VqGeContext::gTol);
    EXPECT_TRUE(cc.isOn(VqGePoint3d(4, 5, 6 + 1e-11)));
    EXPECT_FALSE(cc.isOn(VqGePoint3d(4, 5, 6.1)));
    // On both (identical) helices, so inside the overlap.
    EXPECT_TRUE(cc.isOn(VqGePoint3d(0, 1, 0.25 * 3.14159265358979323846)));
    a.mWithOverlap = 0;
    a.setRadius(1.0);
    EXPECT_FALSE(cc.isOn(VqGePoint3d(0, 1, 0.25 * 3.14159265358979323846)));
}

TEST(VqGeCurveCurveInt3d, PublicWrapper_ForwardsAndBalancesHooks) {
    CountingHooks hooks;
    {
        TestCurve3d a(new ScriptedCurve()), b(new ScriptedCurve());
        VqGeCurveCurveInt3d cc(a, b, VqGeInterval(0.5, 1.0), VqGeInterval(2.0, 3.0), kDir);
        EXPECT_EQ(cc.type(), VqGe::kCurveCurveInt3d);
        EXPECT_TRUE(cc.isKindOf(VqGe::kEntity3d));
        EXPECT_EQ(cc.curve1(), &a);
        EXPECT_EQ(cc.curve2(), &b);
        ASSERT_EQ(cc.numIntPoints(), 1);
        VqGe::VqGeXConfig c1 = VqGe::kNotDefined, c2 = VqGe::kNotDefined;
        cc.getIntConfigs(0, c1, c2);
        EXPECT_EQ(c1, VqGe::kLeftRight);
        EXPECT_EQ(c2, VqGe::kRightLeft);
        VqGePointOnCurve3d pc(b);
        cc.getPointOnCurve1(0, pc);
        EXPECT_EQ(pc.parameter(), 0.5);
        EXPECT_EQ(pc.curve(), &a);
        VqGeInterval r1, r2;
        cc.getIntRanges(r1, r2);
        EXPECT_EQ(r2.lowerBound(), 2.0);
        EXPECT_EQ(cc.tolerance().equalPoint(), VqGeContext::gTol.equalPoint());
        VqGeCurveCurveInt3d copied(cc);
        EXPECT_TRUE(copied == cc);
        copied.changeCurveOrder().orderWrt1().orderWrt2();
        EXPECT_EQ(copied.curve1(), &b);
        VqGeTol tight;
        tight.setEqualPoint(1e-3);
        cc.set(b, a, kDir, tight);
        EXPECT_EQ(cc.tolerance().equalPoint(), 1e-3);
        EXPECT_EQ(cc.numIntPoints(), 1);
        EXPECT_EQ(static_cast<ScriptedCurve*>(b.impCurve())->mLastTol, 1e-3);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}
