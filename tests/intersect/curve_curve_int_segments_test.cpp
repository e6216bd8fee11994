// The intersection entity over line segments: real answers, the derived plane normal, and a
// seeded differential check against the segments' own intersectWith.
#include <random>

#include "curves/imp_linear_ent3d.h"
#include "intersect/imp_curve_curve_int3d.h"
#include "test_helpers.h"

namespace {

VqGeImpLinearEnt3d segment(double x1, double y1, double z1, double x2, double y2, double z2) {
    return VqGeImpLinearEnt3d(VqGePoint3d(x1, y1, z1), VqGePoint3d(x2, y2, z2), 1, 1);
}

void expectSameRecord(const VqGeCurveIntData& want, const VqGeImpCurveCurveInt3d& cc) {
    ASSERT_EQ(cc.numIntPoints(), want.numIntPoints());
    for (int i = 0; i < want.numIntPoints(); ++i) {
        double a1, a2, b1, b2;
        int c1, c2, d1, d2;
        want.getIntParams(i, a1, a2);
        cc.getIntParams(i, b1, b2);
        want.getIntConfigs(i, c1, c2);
        cc.getIntConfigs(i, d1, d2);
        EXPECT_EQ(a1, b1);
        EXPECT_EQ(a2, b2);
        EXPECT_EQ(c1, d1);
        EXPECT_EQ(c2, d2);
        EXPECT_EQ(want.intTol(i), cc.intPointTol(i));
        const VqGePoint3d p = want.intPnt(i), q = cc.intPoint(i);
        EXPECT_PT3_NEAR(q, p.x, p.y, p.z, 0);
    }
    ASSERT_EQ(cc.overlapCount(), want.numOverlap());
    for (int i = 0; i < want.numOverlap(); ++i) {
        VqGeImpInterval w1, w2, g1, g2;
        VqGePoint3d s, e;
        int same = -1;
        want.getOverlap(i, w1, w2, s, e, same);
        cc.getOverlapRanges(i, g1, g2);
        EXPECT_TRUE(w1 == g1);
        EXPECT_TRUE(w2 == g2);
        if (i == 0) {
            EXPECT_EQ(cc.overlapDirection(), same);
        }
    }
}

}  // namespace

TEST(VqGeImpCurveCurveInt3d, CrossingSegments_OneTransversalPoint) {
    VqGeImpLinearEnt3d a = segment(-1, 0, 0, 1, 0, 0);
    VqGeImpLinearEnt3d b = segment(0, -1, 0, 0, 3, 0);
    VqGeImpCurveCurveInt3d cc(&a, &b, VqGeVector3d::kIdentity, VqGeContext::gTol);
    ASSERT_EQ(cc.numIntPoints(), 1);
    EXPECT_PT3_NEAR(cc.intPoint(0), 0, 0, 0, 1e-15);
    double p1, p2;
    cc.getIntParams(0, p1, p2);
    EXPECT_NEAR(p1, 0.5, 1e-15);
    EXPECT_NEAR(p2, 0.25, 1e-15);
    int c1, c2;
    cc.getIntConfigs(0, c1, c2);
    EXPECT_TRUE(c1 == VqGe::kLeftRight || c1 == VqGe::kRightLeft);
    EXPECT_EQ(c1 + c2, VqGe::kLeftRight + VqGe::kRightLeft);
    EXPECT_TRUE(cc.isTransversal(0));
    EXPECT_EQ(cc.overlapDirection(), 1);
    EXPECT_TRUE(cc.isOn(VqGePoint3d(0, 0, 0)));
    EXPECT_FALSE(cc.isOn(VqGePoint3d(0.5, 0, 0)));  // on a, not an intersection, no overlap
}

TEST(VqGeImpCurveCurveInt3d, Default_AxisLinesMeetAtOrigin) {
    VqGeImpCurveCurveInt3d cc;
    EXPECT_EQ(cc.curve1(), &VqGeImpLinearEnt3d::kXAxis);
    EXPECT_EQ(cc.curve2(), &VqGeImpLinearEnt3d::kYAxis);
    EXPECT_EQ(cc.tolerance().equalPoint(), VqGeContext::gTol.equalPoint());
    EXPECT_TRUE(cc.planeNormal().isParallelTo(VqGeVector3d::kZAxis));
    ASSERT_EQ(cc.numIntPoints(), 1);
    EXPECT_PT3_NEAR(cc.intPoint(0), 0, 0, 0, 1e-15);
}

TEST(VqGeImpCurveCurveInt3d, PlaneNormal_DerivedAndKeepsSide) {
    VqGeImpLinearEnt3d a = segment(0, 0, 5, 1, 0, 5);
    VqGeImpLinearEnt3d b = segment(0, 0, 5, 0, 1, 5);
    VqGeImpCurveCurveInt3d cc(&a, &b, VqGeVector3d::kIdentity, VqGeContext::gTol);
    const VqGeVector3d n = cc.planeNormal();
    EXPECT_TRUE(n.isParallelTo(VqGeVector3d::kZAxis));
    // The same pair in the other order derives the opposite normal, but keeps the side.
    cc.set(&b, &a, VqGeVector3d::kIdentity, VqGeContext::gTol);
    EXPECT_GT(cc.planeNormal().dotProduct(n), 0.0);
    // A caller's normal is kept as given.
    cc.set(&b, &a, VqGeVector3d(0, 0, -3), VqGeContext::gTol);
    EXPECT_PT3_NEAR(cc.planeNormal(), 0, 0, -3, 0);
    cc.set(&a, &b, VqGeVector3d::kIdentity, VqGeContext::gTol);
    EXPECT_LT(cc.planeNormal().z, 0.0);
    // Skew segments have no common plane: the normal stays zero.
    VqGeImpLinearEnt3d c = segment(0, 0, 0, 1, 0, 0);
    VqGeImpLinearEnt3d d = segment(0, 0, 1, 0, 1, 1);
    cc.set(&c, &d, VqGeVector3d::kIdentity, VqGeContext::gTol);
    EXPECT_TRUE(cc.planeNormal().isZeroLength());
    EXPECT_EQ(cc.numIntPoints(), 0);
}

TEST(VqGeImpCurveCurveInt3d, ModifiedSegment_Recomputes) {
    VqGeImpLinearEnt3d a = segment(-1, 0, 0, 1, 0, 0);
    VqGeImpLinearEnt3d b = segment(0, -1, 0, 0, 1, 0);
    VqGeImpCurveCurveInt3d cc(&a, &b, VqGeVector3d::kIdentity, VqGeContext::gTol);
    ASSERT_EQ(cc.numIntPoints(), 1);
    a.set(VqGePoint3d(2, -1, 0), VqGePoint3d(2, 1, 0), 1, 1);  // now parallel to b
    EXPECT_EQ(cc.numIntPoints(), 0);
    a.translateBy(VqGeVector3d(-2, 0, 0));  // on b's line: an overlap
    EXPECT_EQ(cc.numIntPoints(), 0);
    ASSERT_EQ(cc.overlapCount(), 1);
    EXPECT_EQ(cc.overlapDirection(), 1);
    EXPECT_TRUE(cc.isOn(VqGePoint3d(0, 0.5, 0)));
    EXPECT_FALSE(cc.isOn(VqGePoint3d(0.5, 0.5, 0)));
}

TEST(VqGeImpCurveCurveInt3d, Ranges_RestrictTheSegments) {
    VqGeImpLinearEnt3d a = segment(-1, 0, 0, 1, 0, 0);
    VqGeImpLinearEnt3d b = segment(0, -1, 0, 0, 1, 0);
    VqGeImpCurveCurveInt3d cc(&a, &b, VqGeImpInterval(0.0, 0.4), VqGeImpInterval(0.0, 1.0),
                              VqGeVector3d::kZAxis, VqGeContext::gTol);
    EXPECT_EQ(cc.numIntPoints(), 0);  // the crossing at 0.5 on a lies outside its range
    VqGeImpInterval ia;
    a.getInterval(ia, 0, 0);
    EXPECT_EQ(ia.upperBound(), 1.0);
}

TEST(VqGeImpCurveCurveInt3d, RandomSegments_MatchDirectIntersection) {
    std::mt19937 rng(20261207);
    std::uniform_real_distribution<double> u(-2.0, 2.0);
    std::uniform_real_distribution<double> r(0.0, 1.0);
    int points = 0, overlaps = 0;
    for (int trial = 0; trial < 300; ++trial) {
        VqGePoint3d p(u(rng), u(rng), 0), q(u(rng), u(rng), 0);
        VqGePoint3d s(u(rng), u(rng), 0), t(u(rng), u(rng), 0);
        if (trial % 5 == 0) {  // on one carrier line, so that overlaps occur
            s = p + (q - p) * u(rng);
            t = p + (q - p) * u(rng);
        }
        if (trial % 7 == 0) {  // lifted off the plane: a 3D pair
            s.z = u(rng) * 1e-3;
            t.z = u(rng);
        }
        VqGeImpLinearEnt3d a(p, q, 1, 1), b(s, t, 1, 1);
        const VqGeVector3d dir = trial % 2 ? VqGeVector3d::kZAxis : VqGeVector3d(0, 0, -1);
        const double lo1 = 0.5 * r(rng), hi1 = 0.5 + 0.5 * r(rng);
        const VqGeImpInterval r1(lo1, hi1), r2(0.0, 1.0);

        VqGeImpCurveCurveInt3d cc(&a, &b, r1, r2, dir, VqGeContext::gTol);
        VqGeImpLinearEnt3d ra(a), rb(b);
        ra.setInterval(r1, 0);
        rb.setInterval(r2, 0);
        VqGeCurveIntData want;
        ra.intersectWith(rb, dir, want, VqGeContext::gTol);
        SCOPED_TRACE(trial);
        expectSameRecord(want, cc);
        points += want.numIntPoints();
        overlaps += want.numOverlap();
    }
    // The sample holds both kinds of answer.
    EXPECT_GT(points, 30);
    EXPECT_GT(overlaps, 10);
}

TEST(VqGeImpCurveCurveInt3d, ChangeCurveOrder_SegmentsMatchReversedPair) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-2.0, 2.0);
    for (int trial = 0; trial < 100; ++trial) {
        VqGeImpLinearEnt3d a(VqGePoint3d(u(rng), u(rng), 0), VqGePoint3d(u(rng), u(rng), 0), 1, 1);
        VqGeImpLinearEnt3d b(VqGePoint3d(u(rng), u(rng), 0), VqGePoint3d(u(rng), u(rng), 0), 1, 1);
        VqGeImpCurveCurveInt3d ab(&a, &b, VqGeVector3d::kZAxis, VqGeContext::gTol);
        VqGeImpCurveCurveInt3d ba(&b, &a, VqGeVector3d::kZAxis, VqGeContext::gTol);
        ab.numIntPoints();
        ab.changeCurveOrder();
        ASSERT_EQ(ab.numIntPoints(), ba.numIntPoints());
        for (int i = 0; i < ab.numIntPoints(); ++i) {
            double p1, p2, q1, q2;
            int c1, c2, d1, d2;
            ab.getIntParams(i, p1, p2);
            ba.getIntParams(i, q1, q2);
            ab.getIntConfigs(i, c1, c2);
            ba.getIntConfigs(i, d1, d2);
            EXPECT_NEAR(p1, q1, 1e-12);
            EXPECT_NEAR(p2, q2, 1e-12);
            EXPECT_EQ(c1, d1);
            EXPECT_EQ(c2, d2);
        }
    }
}

TEST(VqGeImpCurveCurveInt3d, ModifiedCurve_KeepsGivenNormalRederivesDerived) {
    VqGeImpLinearEnt3d a = segment(0, 0, 0, 1, 0, 0);
    VqGeImpLinearEnt3d b = segment(0, 0, 0, 0, 1, 0);
    VqGeImpCurveCurveInt3d given(&a, &b, VqGeVector3d(0, 0, 4), VqGeContext::gTol);
    VqGeImpCurveCurveInt3d derived(&a, &b, VqGeVector3d::kIdentity, VqGeContext::gTol);
    a.set(VqGePoint3d(0, 0, 0), VqGePoint3d(0, 0, 1), 1, 1);  // now in the YZ plane with b
    EXPECT_PT3_NEAR(given.planeNormal(), 0, 0, 4, 0);
    EXPECT_TRUE(derived.planeNormal().isParallelTo(VqGeVector3d::kXAxis));
    a.set(VqGePoint3d(1, 0, 1), VqGePoint3d(2, 0, 1), 1, 1);  // skew to b
    EXPECT_PT3_NEAR(given.planeNormal(), 0, 0, 4, 0);
    EXPECT_TRUE(derived.planeNormal().isZeroLength());
}
