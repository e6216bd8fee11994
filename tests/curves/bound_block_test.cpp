#include <cmath>
#include <random>

#include "curves/imp_bound_block3d.h"
#include "test_helpers.h"
#include "vqge_boundblock2d.h"
#include "vqge_boundblock3d.h"
#include "vqge_matrix3d.h"

TEST(VqGeBoundBlock3d, SetTwoCorners_OrderFreeAndBox) {
    VqGeBoundBlock3d a, b;
    a.set(VqGePoint3d(3, 0, 5), VqGePoint3d(1, 2, 4));
    b.set(VqGePoint3d(1, 2, 4), VqGePoint3d(3, 0, 5));
    EXPECT_TRUE(a.isBox());
    EXPECT_TRUE(a == b);
    VqGePoint3d base;
    VqGeVector3d d0, d1, d2;
    a.get(base, d0, d1, d2);
    EXPECT_PT3_NEAR(base, 1, 0, 4, 0);
    EXPECT_PT3_NEAR(d0, 2, 0, 0, 0);
    EXPECT_PT3_NEAR(d1, 0, 2, 0, 0);
    EXPECT_PT3_NEAR(d2, 0, 0, 1, 0);
    a.set(VqGePoint3d(1, 1, 1), VqGePoint3d(1, 1, 1));
    a.get(base, d0, d1, d2);
    EXPECT_TRUE(d0.isZeroLength() && d1.isZeroLength() && d2.isZeroLength());
    a.set(base, d0, d1, d2);
    EXPECT_FALSE(a.isBox());  // the general setter always clears the flag
    a.setToBox(1);
    EXPECT_TRUE(a.isBox());
}

TEST(VqGeBoundBlock3d, MinMaxPoints_NegativeEdgeComponents) {
    VqGeBoundBlock3d b(VqGePoint3d(0, 0, 0), VqGeVector3d(1, -2, 0), VqGeVector3d(0, 1, 3),
                       VqGeVector3d(-1, 0, 0));
    VqGePoint3d lo, hi;
    b.getMinMaxPoints(lo, hi);
    EXPECT_PT3_NEAR(lo, -1, -2, 0, 0);
    EXPECT_PT3_NEAR(hi, 1, 1, 3, 0);
}

TEST(VqGeImpBoundBlock3d, SetPoints_CollinearAndSinglePoint) {
    VqArray<VqGePoint3d> pts;
    for (int i = 0; i < 5; ++i) pts.append(VqGePoint3d(i, 2 * i, 1));
    VqGeImpBoundBlock3d b(pts, 1e-10);
    VqGePoint3d base;
    VqGeVector3d d0, d1, d2;
    b.get(base, d0, d1, d2);
    EXPECT_NEAR(d0.length(), std::sqrt(80.0), 1e-9);
    EXPECT_TRUE(d1.isZeroLength());
    EXPECT_TRUE(d2.isZeroLength());
    EXPECT_FALSE(b.isBox());
    for (int i = 0; i < pts.length(); ++i) EXPECT_TRUE(b.contains(pts[i], 1e-9));
    VqArray<VqGePoint3d> one;
    one.append(VqGePoint3d(4, 5, 6));
    b.set(one, 1e-10);
    b.get(base, d0, d1, d2);
    EXPECT_PT3_NEAR(base, 4, 5, 6, 1e-15);
    EXPECT_TRUE(d0.isZeroLength() && d1.isZeroLength() && d2.isZeroLength());
    VqArray<VqGePoint3d> none;  // an empty set gives the flat block at the origin
    b.set(none, 1e-10);
    b.get(base, d0, d1, d2);
    EXPECT_PT3_NEAR(base, 0, 0, 0, 0);
}

// Seeded random: an oriented block contains its points and its transformed copy contains the
// transformed points.
TEST(VqGeImpBoundBlock3d, RandomPointSets_ContainPointsBeforeAndAfterTransform) {
    std::mt19937 gen(42);
    std::uniform_real_distribution<double> u(-5.0, 5.0);
    for (int trial = 0; trial < 40; ++trial) {
        VqArray<VqGePoint3d> pts;
        for (int i = 0; i < 12; ++i) pts.append(VqGePoint3d(u(gen), u(gen), 0.3 * u(gen)));
        VqGeImpBoundBlock3d b(pts, 1e-10);
        VqGeImpBoundBlock3d box(pts[0], pts[0]);
        for (int i = 1; i < pts.length(); ++i) box.extend(pts[i]);
        const VqGeMatrix3d m = VqGeMatrix3d::rotation(u(gen), VqGeVector3d(u(gen), u(gen), 1),
                                                      VqGePoint3d(u(gen), 0, 0));
        VqGeImpBoundBlock3d bt(b), boxt(box);
        bt.transformBy(m);
        boxt.transformBy(m);
        EXPECT_FALSE(boxt.isBox());
        for (int i = 0; i < pts.length(); ++i) {
            EXPECT_TRUE(b.contains(pts[i], 1e-9));
            EXPECT_TRUE(box.contains(pts[i], 1e-9));
            EXPECT_TRUE(bt.contains(m * pts[i], 1e-9));
            EXPECT_TRUE(boxt.contains(m * pts[i], 1e-9));
        }
    }
}

TEST(VqGeBoundBlock3d, Swell_ZeroEdgesUseAxes) {
    VqGeBoundBlock3d b(VqGePoint3d(1, 1, 1), VqGeVector3d(), VqGeVector3d(), VqGeVector3d());
    b.swell(0.5);
    VqGePoint3d base;
    VqGeVector3d d0, d1, d2;
    b.get(base, d0, d1, d2);
    EXPECT_PT3_NEAR(base, 0.5, 0.5, 0.5, 1e-15);
    EXPECT_PT3_NEAR(d0, 1, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(d1, 0, 1, 0, 1e-15);
    EXPECT_PT3_NEAR(d2, 0, 0, 1, 1e-15);
}

// Regression: a box flat in z whose y edge is the longest swelled its z edge backwards,
// leaving a box that no longer contained its own face.
TEST(VqGeBoundBlock3d, Swell_FlatBoxLongestEdgeAfterMiddle_StillContainsFace) {
    VqGeBoundBlock3d b;
    b.set(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 3, 0));
    b.swell(1e-8);
    EXPECT_TRUE(b.isBox());
    VqGePoint3d lo, hi;
    b.getMinMaxPoints(lo, hi);
    EXPECT_PT3_NEAR(lo, -1e-8, -1e-8, -1e-8, 1e-15);
    EXPECT_PT3_NEAR(hi, 1 + 1e-8, 3 + 1e-8, 1e-8, 1e-15);
    EXPECT_TRUE(b.contains(VqGePoint3d(0.5, 2.0, 0.0)));
    EXPECT_TRUE(b.contains(VqGePoint3d(1.0, 3.0, 0.0)));
    VqGeBoundBlock3d line;
    line.set(VqGePoint3d(0, 0, 0), VqGePoint3d(0, 2, 0));  // flat in x and z
    line.swell(0.25);
    line.getMinMaxPoints(lo, hi);
    EXPECT_PT3_NEAR(lo, -0.25, -0.25, -0.25, 1e-15);
    EXPECT_PT3_NEAR(hi, 0.25, 2.25, 0.25, 1e-15);
}

TEST(VqGeBoundBlock3d, TransformBy_BoxStaysBoxUnderAxisMapsProjectiveIgnored) {
    VqGeBoundBlock3d b;
    b.set(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 2, 3));
    b.transformBy(VqGeMatrix3d::scaling(2.0, VqGePoint3d(0, 0, 0)));
    b.transformBy(VqGeMatrix3d::translation(VqGeVector3d(1, 1, 1)));
    EXPECT_TRUE(b.isBox());
    VqGePoint3d lo, hi;
    b.getMinMaxPoints(lo, hi);
    EXPECT_PT3_NEAR(lo, 1, 1, 1, 1e-15);
    EXPECT_PT3_NEAR(hi, 3, 5, 7, 1e-15);
    VqGeMatrix3d proj;
    proj(3, 0) = 0.5;
    VqGeBoundBlock3d before(b);
    b.transformBy(proj);
    EXPECT_TRUE(b == before);
    const double kPi = 3.14159265358979323846;
    b.transformBy(VqGeMatrix3d::rotation(kPi / 6, VqGeVector3d::kZAxis, VqGePoint3d(0, 0, 0)));
    EXPECT_FALSE(b.isBox());
    EXPECT_FALSE(b.contains(VqGePoint3d(1, 1, 1)));  // the rotated box, not its hull
}

TEST(VqGeBoundBlock3d, ContainsDisjoint_AndTwoD) {
    VqGeBoundBlock3d a, c;
    a.set(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 1, 1));
    c.set(VqGePoint3d(2, 0, 0), VqGePoint3d(3, 1, 1));
    EXPECT_TRUE(a.isDisjoint(c));
    c.extend(VqGePoint3d(0.5, 0.5, 0.5));
    EXPECT_FALSE(a.isDisjoint(c));
    EXPECT_TRUE(c.contains(VqGePoint3d(0.5, 0.5, 0.5)));
    VqGeBoundBlock2d b2;
    b2.set(VqGePoint2d(0, 0), VqGePoint2d(2, 1));
    EXPECT_EQ(b2.type(), VqGe::kBoundBlock2d);
    EXPECT_TRUE(b2.contains(VqGePoint2d(1, 0.5)));
    EXPECT_FALSE(b2.contains(VqGePoint2d(1, 1.5)));  // inside in x, outside in y
    VqGePoint2d lo, hi;
    b2.swell(1.0).getMinMaxPoints(lo, hi);
    EXPECT_PT2_NEAR(lo, -1, -1, 1e-15);
    EXPECT_PT2_NEAR(hi, 3, 2, 1e-15);
}

TEST(VqGeBoundBlock3d, Lifecycle_BalancesHooks) {
    CountingHooks hooks;
    {
        VqGeBoundBlock3d a;
        a.set(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 1, 1));
        VqGeBoundBlock3d b(a), c;
        c = a;
        c = c;
        VqGeEntity3d* d = a.copy();
        delete d;
        EXPECT_TRUE(b.contains(VqGePoint3d(1, 1, 1)));
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}
