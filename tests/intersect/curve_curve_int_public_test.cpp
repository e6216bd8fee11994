// The public intersection classes over public segments: 2D against lifted 3D, the wrappers'
// forwarding, curve deletion and the allocation balance.
#include <random>

#include "entity/imp_entity3d.h"
#include "test_helpers.h"
#include "vqge_curvecurveint2d.h"
#include "vqge_curvecurveint3d.h"
#include "vqge_lineseg2d.h"
#include "vqge_lineseg3d.h"
#include "vqge_matrix2d.h"
#include "vqge_matrix3d.h"
#include "vqge_pointoncurve2d.h"
#include "vqge_pointoncurve3d.h"

namespace {
VqGePoint3d lift(const VqGePoint2d& p) {
    return VqGePoint3d(p.x, p.y, 0.0);
}
}  // namespace

TEST(VqGeCurveCurveInt3d, CrossingSegments_TransversalConfigs) {
    VqGeLineSeg3d a(VqGePoint3d(-1, 0, 0), VqGePoint3d(1, 0, 0));
    VqGeLineSeg3d b(VqGePoint3d(0, -1, 0), VqGePoint3d(0, 1, 0));
    VqGeCurveCurveInt3d cc(a, b);
    EXPECT_EQ(cc.curve1(), &a);
    EXPECT_TRUE(cc.planeNormal().isParallelTo(VqGeVector3d::kZAxis));
    ASSERT_EQ(cc.numIntPoints(), 1);
    VqGe::VqGeXConfig c1 = VqGe::kNotDefined, c2 = VqGe::kNotDefined;
    cc.getIntConfigs(0, c1, c2);
    EXPECT_TRUE(c1 == VqGe::kLeftRight || c1 == VqGe::kRightLeft);
    EXPECT_NE(c1, c2);
    EXPECT_TRUE(cc.isTransversal(0));
    EXPECT_FALSE(cc.isTangential(0));
    VqGePointOnCurve3d pc(a);
    cc.getPointOnCurve2(0, pc);
    EXPECT_EQ(pc.curve(), &b);
    EXPECT_PT3_NEAR(pc.point(), 0, 0, 0, 1e-15);
    cc.changeCurveOrder();
    EXPECT_EQ(cc.curve1(), &b);
    VqGe::VqGeXConfig d1 = VqGe::kNotDefined, d2 = VqGe::kNotDefined;
    cc.getIntConfigs(0, d1, d2);
    EXPECT_EQ(d1, c2);
    EXPECT_EQ(d2, c1);
}

TEST(VqGeCurveCurveInt3d, TransformedCurve_Recomputes) {
    VqGeLineSeg3d a(VqGePoint3d(-1, 0, 0), VqGePoint3d(1, 0, 0));
    VqGeLineSeg3d b(VqGePoint3d(0, -1, 0), VqGePoint3d(0, 1, 0));
    VqGeCurveCurveInt3d cc(a, b);
    EXPECT_PT3_NEAR(cc.intPoint(0), 0, 0, 0, 1e-15);
    b.translateBy(VqGeVector3d(0.5, 0, 0));
    ASSERT_EQ(cc.numIntPoints(), 1);
    EXPECT_PT3_NEAR(cc.intPoint(0), 0.5, 0, 0, 1e-15);
    b.translateBy(VqGeVector3d(5, 0, 0));
    EXPECT_EQ(cc.numIntPoints(), 0);
}

TEST(VqGeCurveCurveInt2d, RandomSegments_EqualLifted3d) {
    std::mt19937 rng(59);
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    int points = 0;
    for (int trial = 0; trial < 200; ++trial) {
        const VqGePoint2d p(u(rng), u(rng)), q(u(rng), u(rng));
        VqGePoint2d s(u(rng), u(rng)), t(u(rng), u(rng));
        if (trial % 6 == 0) {  // on one carrier line
            s = p + (q - p) * 0.3;
            t = p + (q - p) * (1.5 - u(rng) / 3.0);
        }
        VqGeLineSeg2d a(p, q), b(s, t);
        VqGeLineSeg3d a3(lift(p), lift(q)), b3(lift(s), lift(t));
        VqGeCurveCurveInt2d cc(a, b);
        VqGeCurveCurveInt3d cc3(a3, b3, VqGeVector3d::kZAxis);
        SCOPED_TRACE(trial);
        ASSERT_EQ(cc.numIntPoints(), cc3.numIntPoints());
        ASSERT_EQ(cc.overlapCount(), cc3.overlapCount());
        EXPECT_EQ(cc.overlapDirection(), cc3.overlapDirection());
        points += cc.numIntPoints();
        for (int i = 0; i < cc.numIntPoints(); ++i) {
            const VqGePoint3d w = cc3.intPoint(i);
            EXPECT_PT2_NEAR(cc.intPoint(i), w.x, w.y, 1e-14);
            double p1, p2, q1, q2;
            cc.getIntParams(i, p1, p2);
            cc3.getIntParams(i, q1, q2);
            EXPECT_NEAR(p1, q1, 1e-14);
            EXPECT_NEAR(p2, q2, 1e-14);
            VqGe::VqGeXConfig c1, c2, d1, d2;
            cc.getIntConfigs(i, c1, c2);
            cc3.getIntConfigs(i, d1, d2);
            EXPECT_EQ(c1, d1);
            EXPECT_EQ(c2, d2);
        }
        for (int i = 0; i < cc.overlapCount(); ++i) {
            VqGeInterval r1, r2, s1, s2;
            cc.getOverlapRanges(i, r1, r2);
            cc3.getOverlapRanges(i, s1, s2);
            EXPECT_TRUE(r1 == s1);
            EXPECT_TRUE(r2 == s2);
        }
    }
    EXPECT_GT(points, 20);
}

TEST(VqGeCurveCurveInt2d, Default_AxesMeetAtOriginWithZNormal) {
    VqGeCurveCurveInt2d cc;
    EXPECT_EQ(cc.type(), VqGe::kCurveCurveInt2d);
    EXPECT_TRUE(cc.impEntity()->entityType() == -VqGe::kCurveCurveInt2d);
    EXPECT_TRUE(cc.isKindOf(VqGe::kCurveCurveInt2d));
    EXPECT_TRUE(cc.isKindOf(VqGe::kEntity2d));
    EXPECT_FALSE(cc.isKindOf(VqGe::kCurveCurveInt3d));
    EXPECT_EQ(cc.impEntity()->type(0), VqGe::kCurveCurveInt3d);
    ASSERT_EQ(cc.numIntPoints(), 1);
    EXPECT_PT2_NEAR(cc.intPoint(0), 0, 0, 1e-15);
}

TEST(VqGeCurveCurveInt2d, Wrappers_CurvesRangesAndPoints) {
    VqGeLineSeg2d a(VqGePoint2d(0, 0), VqGePoint2d(4, 0));
    VqGeLineSeg2d b(VqGePoint2d(1, -1), VqGePoint2d(1, 1));
    VqGeCurveCurveInt2d cc(a, b, VqGeInterval(0.0, 0.5), VqGeInterval(0.0, 1.0));
    EXPECT_EQ(cc.curve1(), &a);
    EXPECT_EQ(cc.curve2(), &b);
    ASSERT_EQ(cc.numIntPoints(), 1);
    EXPECT_PT2_NEAR(cc.intPoint(0), 1, 0, 1e-15);
    VqGePointOnCurve2d pc(b);
    cc.getPointOnCurve1(0, pc);
    EXPECT_EQ(pc.curve(), &a);
    EXPECT_NEAR(pc.parameter(), 0.25, 1e-15);
    VqGeInterval r1, r2;
    cc.getIntRanges(r1, r2);
    EXPECT_EQ(r1.upperBound(), 0.5);
    cc.set(a, b, VqGeInterval(0.5, 1.0), VqGeInterval(0.0, 1.0));
    EXPECT_EQ(cc.numIntPoints(), 0);
    cc.set(b, a);
    EXPECT_EQ(cc.numIntPoints(), 1);
    EXPECT_EQ(cc.curve1(), &b);
    // The 2D transformation moves the carried-over point.
    cc.transformBy(VqGeMatrix2d::translation(VqGeVector2d(0, 2)));
    EXPECT_PT2_NEAR(cc.intPoint(0), 1, 2, 1e-15);
}

TEST(VqGeCurveCurveInt3d, DeletedCurve_NullCurvesNoCrash) {
    VqGeLineSeg3d a(VqGePoint3d(-1, 0, 0), VqGePoint3d(1, 0, 0));
    VqGeLineSeg3d* b = new VqGeLineSeg3d(VqGePoint3d(0, -1, 0), VqGePoint3d(0, 1, 0));
    VqGeCurveCurveInt3d cc(a, *b);
    delete b;
    EXPECT_EQ(cc.curve1(), nullptr);
    EXPECT_EQ(cc.curve2(), nullptr);
    EXPECT_EQ(cc.numIntPoints(), 0);
    EXPECT_EQ(cc.overlapCount(), 0);
    VqGePointOnCurve3d pc(a, 0.25);
    cc.getPointOnCurve1(0, pc);  // no point 0: left alone
    EXPECT_EQ(pc.parameter(), 0.25);
    VqGeCurveCurveInt3d copied(cc);
    EXPECT_TRUE(copied == cc);  // both without curves
    cc.set(a, a);
    EXPECT_EQ(cc.curve1(), &a);
    EXPECT_FALSE(copied == cc);
}

TEST(VqGeCurveCurveInt3d, Lifecycle_BalancesAllocationHooks) {
    CountingHooks hooks;
    {
        VqGeLineSeg3d a(VqGePoint3d(-1, 0, 0), VqGePoint3d(1, 0, 0));
        VqGeLineSeg3d b(VqGePoint3d(0, -1, 0), VqGePoint3d(0, 1, 0));
        VqGeLineSeg3d c(VqGePoint3d(-1, 0, 0), VqGePoint3d(3, 0, 0));
        VqGeCurveCurveInt3d cc(a, c);  // an overlap record with its own ranges
        EXPECT_EQ(cc.overlapCount(), 1);
        VqGeCurveCurveInt3d copied(cc);
        copied.transformBy(VqGeMatrix3d::translation(VqGeVector3d(0, 0, 1)));
        copied.changeCurveOrder();
        EXPECT_EQ(copied.overlapCount(), 1);
        VqGeCurveCurveInt3d other(a, b);
        other = copied;
        other.set(b, c, VqGeInterval(0.0, 0.4), VqGeInterval(0.0, 1.0));
        EXPECT_EQ(other.numIntPoints(), 0);
        VqGeEntity3d* dup = cc.copy();
        EXPECT_EQ(dup->type(), VqGe::kCurveCurveInt3d);
        delete dup;
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}
