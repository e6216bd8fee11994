// NmDirCone setting, opening angle, containment, disjointness and fitting.
#include <cmath>
#include <limits>
#include <random>

#include "nm_dircone.h"
#include "test_helpers.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

NmVector v2(double x, double y) {
    const double d[] = {x, y};
    return NmVector(2, d);
}

NmVector v3(double x, double y, double z) {
    const double d[] = {x, y, z};
    return NmVector(3, d);
}

// 2D cone about the direction at angle theta, opening by half-angle alpha either side.
NmDirCone cone2(double theta, double alpha) {
    const NmVector axis = v2(std::cos(theta), std::sin(theta));
    const NmVector spread = std::tan(alpha) * v2(-std::sin(theta), std::cos(theta));
    NmDirCone c;
    c.set(2, axis, 1, &spread);
    return c;
}

NmVector dir2(double angle) { return v2(std::cos(angle), std::sin(angle)); }

}  // namespace

TEST(NmDirCone, Set_StoresAxisAndSpreads) {
    const NmVector spreads[] = {v3(0, 0.1, 0), v3(0, 0, 0.2)};
    NmDirCone c;
    c.set(3, v3(1, 0, 0), 2, spreads);
    ASSERT_FALSE(c.isEmpty());
    EXPECT_EQ(3, c.dim());
    EXPECT_EQ(2, c.spreadCount());
    EXPECT_EQ(0.2, c.spread(1)[2]);
    const NmDirCone o = c.opposite();
    EXPECT_EQ(-1.0, o.axis()[0]);
    EXPECT_EQ(0.1, o.spread(0)[1]);
    EXPECT_EQ(1.0, c.axis()[0]);
    // Setting a cone from its own data keeps it.
    c.set(3, c.axis(), c.spreadCount(), &c.spread(0));
    EXPECT_EQ(0.2, c.spread(1)[2]);
}

TEST(NmDirCone, Set_BadInputOrSpreadsAroundAxis_GiveEmptyCone) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    NmDirCone c;
    const NmVector s2 = v2(0, 1);
    const NmVector s3 = v3(0, 1, 0);
    EXPECT_TRUE(c.set(3, v2(1, 0), 0, nullptr).isEmpty());
    EXPECT_TRUE(c.set(2, v2(1, 0), 1, &s3).isEmpty());
    EXPECT_TRUE(c.set(2, v2(1, 0), 3, &s2).isEmpty());
    EXPECT_TRUE(c.set(2, v2(1, 0), 1, nullptr).isEmpty());
    EXPECT_TRUE(c.set(0, NmVector(), 0, nullptr).isEmpty());
    EXPECT_TRUE(c.set(2, v2(nan, 0), 0, nullptr).isEmpty());
    // Spread longer than the axis along it: a - s points backwards.
    const NmVector along = v2(2, 0);
    EXPECT_TRUE(c.set(2, v2(1, 0), 1, &along).isEmpty());
    const NmVector shortAlong = v2(0.5, 0);
    EXPECT_FALSE(c.set(2, v2(1, 0), 1, &shortAlong).isEmpty());
    EXPECT_FALSE(c.set(2, v2(1, 0), 1, &s2).isEmpty());
}

TEST(NmDirCone, OpeningAngle_FromSpreads) {
    EXPECT_NEAR(kPi / 3.0, cone2(0.7, kPi / 6.0).openingAngle(), 1e-12);
    NmDirCone c;
    c.set(2, v2(0, 2), 0, nullptr);
    EXPECT_EQ(0.0, c.openingAngle());
    EXPECT_EQ(kPi, NmDirCone().openingAngle());
    // Two spreads: the wider pair decides.
    const NmVector spreads[] = {v3(0, 0.1, 0), v3(0, 0, 1)};
    c.set(3, v3(1, 0, 0), 2, spreads);
    EXPECT_NEAR(kPi / 2.0, c.openingAngle(), 1e-12);
}

TEST(NmDirCone, Contains_TwoDimensionalCone_MatchesAngles) {
    const NmDirCone c = cone2(0.0, kPi / 4.0);
    EXPECT_TRUE(c.contains(v2(1, 0.5), 1e-12));
    EXPECT_TRUE(c.contains(v2(3, -3), 1e-12));  // on the boundary
    EXPECT_FALSE(c.contains(v2(1, 1.1), 1e-12));
    EXPECT_FALSE(c.contains(v2(-1, 0), 1e-12));
    EXPECT_TRUE(c.contains(v2(1e-14, -1e-14), 1e-12));  // no direction at all
    EXPECT_TRUE(c.containsLine(v2(-1, -0.5), 1e-12));
    EXPECT_FALSE(c.containsLine(v2(0, 1), 1e-12));
    // Scale does not matter.
    EXPECT_TRUE(c.contains(v2(1e8, 5e7), 1e-12));
}

TEST(NmDirCone, Contains_SingleDirection_ByCosine) {
    NmDirCone c;
    c.set(2, v2(2, 0), 0, nullptr);
    EXPECT_TRUE(c.contains(v2(1, 1e-7), 1e-12));
    EXPECT_FALSE(c.contains(v2(1, 1e-5), 1e-12));
    EXPECT_FALSE(c.contains(v2(-1, 0), 1e-12));
    EXPECT_TRUE(c.containsLine(v2(-1, 0), 1e-12));
}

TEST(NmDirCone, Contains_ThreeDimensionalPyramid) {
    // Generators (1, +-0.5, +-0.1): the cross-section at x = 1 is |y| <= 0.5, |z| <= 0.1.
    const NmVector spreads[] = {v3(0, 0.5, -0.1), v3(0, 0.5, 0.1)};
    NmDirCone c;
    c.set(3, v3(1, 0, 0), 2, spreads);
    EXPECT_TRUE(c.contains(v3(1, 0.4, 0.05), 1e-12));
    EXPECT_TRUE(c.contains(v3(2, -1, 0.2), 1e-12));
    EXPECT_FALSE(c.contains(v3(1, 0.4, 0.2), 1e-12));
    EXPECT_FALSE(c.contains(v3(1, 0.6, 0), 1e-12));
}

TEST(NmDirCone, Contains_BadInput_CleanAnswers) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const NmDirCone c = cone2(0.0, 0.3);
    EXPECT_FALSE(c.contains(v3(1, 0, 0), 1e-12));
    EXPECT_FALSE(c.contains(v2(nan, 0), 1e-12));
    EXPECT_FALSE(c.contains(v2(1, 0), nan));
    // The empty cone stands for unbounded directions.
    EXPECT_TRUE(NmDirCone().contains(v2(-1, 0), 1e-12));
    NmDirCone zero;
    zero.set(2, v2(0, 0), 0, nullptr);
    EXPECT_TRUE(zero.contains(v2(0, 1), 1e-12));
}

TEST(NmDirCone, IsDisjoint_TwoDimensional_AgreesWithAnglesSeeded) {
    std::mt19937 rng(31415);
    std::uniform_real_distribution<double> angle(-kPi, kPi);
    std::uniform_real_distribution<double> half(0.01, 1.3);
    int disjoint = 0;
    int overlapping = 0;
    for (int trial = 0; trial < 500; ++trial) {
        const double t1 = angle(rng);
        const double t2 = angle(rng);
        const double a1 = half(rng);
        const double a2 = half(rng);
        double dist = std::fabs(std::remainder(t1 - t2, 2.0 * kPi));
        const double margin = dist - (a1 + a2);
        if (std::fabs(margin) < 1e-6) continue;
        const int expected = margin > 0.0;
        (expected ? disjoint : overlapping)++;
        const NmDirCone c1 = cone2(t1, a1);
        const NmDirCone c2 = cone2(t2, a2);
        EXPECT_EQ(expected, c1.isDisjoint(c2, 1e-10)) << trial;
        EXPECT_EQ(expected, c2.isDisjoint(c1, 1e-10)) << trial;
        // As lines: the opposite of the second cone counts too.
        const double distLine = std::fabs(std::remainder(t1 - t2 - kPi, 2.0 * kPi));
        const double lineMargin = distLine - (a1 + a2);
        if (std::fabs(lineMargin) < 1e-6) continue;
        EXPECT_EQ(expected && lineMargin > 0.0, c1.isDisjointAsLines(c2, 1e-10)) << trial;
    }
    EXPECT_GT(disjoint, 50);
    EXPECT_GT(overlapping, 50);
}

TEST(NmDirCone, IsDisjoint_SingleDirectionOrDegenerate) {
    const NmDirCone wide = cone2(0.0, 0.5);
    NmDirCone single;
    single.set(2, v2(1, 0.2), 0, nullptr);
    EXPECT_FALSE(single.isDisjoint(wide, 1e-12));
    EXPECT_FALSE(wide.isDisjoint(single, 1e-12));
    single.set(2, v2(0, 1), 0, nullptr);
    EXPECT_TRUE(single.isDisjoint(wide, 1e-12));
    EXPECT_TRUE(wide.isDisjoint(single, 1e-12));
    NmDirCone same;
    same.set(2, v2(0, 3), 0, nullptr);
    EXPECT_FALSE(single.isDisjoint(same, 1e-12));
    // Empty, zero-axis and mismatched cones are never reported disjoint.
    EXPECT_FALSE(NmDirCone().isDisjoint(wide, 1e-12));
    EXPECT_FALSE(wide.isDisjoint(NmDirCone(), 1e-12));
    NmDirCone zero;
    zero.set(2, v2(0, 0), 0, nullptr);
    EXPECT_FALSE(wide.isDisjoint(zero, 1e-12));
    const NmVector s3 = v3(0, 0.1, 0);
    NmDirCone c3;
    c3.set(3, v3(-1, 0, 0), 1, &s3);
    EXPECT_FALSE(wide.isDisjoint(c3, 1e-12));
    EXPECT_FALSE(wide.isDisjoint(cone2(kPi, 0.1), std::numeric_limits<double>::quiet_NaN()));
}

TEST(NmDirCone, IsDisjoint_ThreeDimensionalPyramids) {
    const NmVector s[] = {v3(0, 0.2, -0.2), v3(0, 0.2, 0.2)};
    NmDirCone x;
    x.set(3, v3(1, 0, 0), 2, s);
    const NmVector t[] = {v3(0.2, 0, -0.2), v3(0.2, 0, 0.2)};
    NmDirCone y;
    y.set(3, v3(0, 1, 0), 2, t);
    EXPECT_TRUE(x.isDisjoint(y, 1e-12));
    EXPECT_TRUE(x.isDisjointAsLines(y, 1e-12));
    NmDirCone tilted;
    tilted.set(3, v3(1, 0.15, 0), 2, t);
    EXPECT_FALSE(x.isDisjoint(tilted, 1e-12));
    EXPECT_TRUE(x.isDisjoint(x.opposite(), 1e-12));
    EXPECT_FALSE(x.isDisjointAsLines(x.opposite(), 1e-12));
}

TEST(NmDirCone, Fit_PlanarArcOfDirections_ContainsSamples) {
    double dirs[2 * 11];
    for (int k = 0; k <= 10; ++k) {
        const double a = -0.35 + 0.06 * k;  // -20 to +14 degrees
        dirs[2 * k] = std::cos(a);
        dirs[2 * k + 1] = std::sin(a);
    }
    NmDirCone c;
    ASSERT_EQ(1, c.fit(2, 11, dirs));
    ASSERT_FALSE(c.isEmpty());
    EXPECT_EQ(1, c.spreadCount());
    for (int k = 0; k <= 10; ++k)
        EXPECT_TRUE(c.contains(NmVector(2, dirs + 2 * k), 1e-9)) << k;
    EXPECT_FALSE(c.contains(dir2(0.3), 1e-9));
    EXPECT_FALSE(c.contains(dir2(-0.45), 1e-9));
    // Symmetric about -0.05: the spread is m / sqrt(1 - m^2) = tan 0.3 for the outermost lean.
    const NmVector& s = c.spread(0);
    EXPECT_NEAR(std::tan(0.3), std::sqrt(s * s), 1e-12);
    EXPECT_NEAR(0.6, c.openingAngle(), 1e-12);
}

TEST(NmDirCone, Fit_BackwardSamples_AxisFollowsFirstSample) {
    const double dirs[] = {-1, 0.1, -1, 0, -1, -0.1};
    NmDirCone c;
    ASSERT_EQ(1, c.fit(2, 3, dirs));
    EXPECT_LT(c.axis()[0], 0.0);
    EXPECT_TRUE(c.contains(v2(-1, 0.05), 1e-9));
}

TEST(NmDirCone, Fit_SideChangeOrSteepSample_ReturnsZero) {
    // The last sample turns back past the perpendicular: not simple.
    const double back[] = {1, 0.2, 1, 0, 0.3, -1, -0.2, -1};
    NmDirCone c;
    EXPECT_EQ(0, c.fit(2, 4, back));
    // A sample exactly perpendicular to the axis cannot be bounded: empty cone.
    const double steep[] = {1, 0, 1, 0, 1, 0, 0, 1};
    EXPECT_EQ(0, c.fit(2, 4, steep));
    EXPECT_TRUE(c.isEmpty());
}

TEST(NmDirCone, Fit_ThreeDimensionalHelixTangents_CoverSamples) {
    // Tangents of a gentle helix: turning in two directions at once.
    double dirs[3 * 9];
    for (int k = 0; k < 9; ++k) {
        const double t = -0.2 + 0.05 * k;
        double d[] = {1.0, 0.3 * std::sin(t), 0.3 * std::cos(t) - 0.3};
        const double len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        for (int i = 0; i < 3; ++i) dirs[3 * k + i] = d[i] / len;
    }
    NmDirCone c;
    ASSERT_EQ(1, c.fit(3, 9, dirs));
    EXPECT_EQ(2, c.spreadCount());
    for (int k = 0; k < 9; ++k) EXPECT_TRUE(c.contains(NmVector(3, dirs + 3 * k), 1e-9)) << k;
    EXPECT_LT(c.openingAngle(), 0.2);
    EXPECT_FALSE(c.contains(v3(0, 1, 0), 1e-9));
}

TEST(NmDirCone, Fit_TwoPassMatchesConvenienceForm) {
    const double dirs[] = {0.9, 0.1, 0.2, 1, 0.3, 0.1, 1, 0.1, 0.4};
    NmDirCone a;
    const int ra = a.fit(3, 3, dirs);
    NmDirConeFit f(3);
    for (int k = 0; k < 3; ++k) f.addMoment(dirs + 3 * k);
    ASSERT_EQ(1, f.prepare());
    for (int k = 0; k < 3; ++k) f.addSample(dirs + 3 * k);
    NmDirCone b;
    EXPECT_EQ(ra, f.finish(b));
    ASSERT_EQ(a.spreadCount(), b.spreadCount());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a.axis()[i], b.axis()[i]);
        EXPECT_EQ(a.spread(1)[i], b.spread(1)[i]);
    }
}

TEST(NmDirCone, Fit_BadInput_EmptyConeAndZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double dirs[] = {1, 0, 0, 1, 0.1, 0};
    NmDirCone c = cone2(0, 0.2);
    EXPECT_EQ(0, c.fit(4, 1, dirs));
    EXPECT_TRUE(c.isEmpty());
    c = cone2(0, 0.2);
    EXPECT_EQ(0, c.fit(3, 0, dirs));
    EXPECT_TRUE(c.isEmpty());
    EXPECT_EQ(0, c.fit(3, 2, nullptr));
    const double withNan[] = {1, 0, nan, 1};
    EXPECT_EQ(0, c.fit(2, 2, withNan));
    EXPECT_TRUE(c.isEmpty());
    // Samples without a prepare pass leave the cone empty.
    NmDirConeFit f(2);
    f.addSample(dirs);
    EXPECT_EQ(0, f.finish(c));
    EXPECT_TRUE(c.isEmpty());
}

TEST(NmDirCone, Queries_DoNotAllocate) {
    const NmVector s[] = {v3(0, 0.2, -0.2), v3(0, 0.2, 0.2)};
    NmDirCone x;
    x.set(3, v3(1, 0, 0), 2, s);
    const NmDirCone y = x.opposite();
    const NmVector d = v3(1, 0.1, 0);
    CountingHooks hooks;
    EXPECT_TRUE(x.containsLine(d, 1e-12));
    EXPECT_FALSE(x.isDisjointAsLines(y, 1e-12));
    EXPECT_GT(x.openingAngle(), 0.0);
    EXPECT_EQ(0, CountingHooks::allocs());
}
