#include "nm_trigpoly.h"

#include <cmath>
#include <limits>
#include <random>

#include "test_helpers.h"

namespace {

const double kTruePi = 3.14159265358979323846;

// Distance between two angles modulo a full turn.
double angleGap(double a, double b) {
    double d = std::fmod(std::fabs(a - b), 2.0 * kTruePi);
    return std::fmin(d, 2.0 * kTruePi - d);
}

int containsAngle(const NmVector& v, double a, double eps) {
    for (int i = 0; i < v.dim(); ++i)
        if (angleGap(v[i], a) < eps) return 1;
    return 0;
}

}  // namespace

TEST(NmTrigPoly, Value_AndDerivative_MatchTerms) {
    const NmTrigPoly p(0.5, -1.0, 2.0, 0.3, -0.7, 0.1);
    const double t = 0.8;
    const double c = std::cos(t), s = std::sin(t);
    const double v = 0.5 * c * c - s * c + 2.0 * s * s + 0.3 * c - 0.7 * s + 0.1;
    EXPECT_NEAR(p.value(t), v, 1e-15);
    EXPECT_NEAR(p(t), v, 1e-15);
    double value, deriv;
    p.value(t, value, deriv);
    EXPECT_NEAR(value, v, 1e-15);
    const double h = 1e-6;
    EXPECT_NEAR(deriv, (p.value(t + h) - p.value(t - h)) / (2 * h), 1e-8);
    NmTrigPoly d;
    p.derivative(d);
    for (double x : {-2.0, 0.0, 0.8, 3.0}) {
        p.value(x, value, deriv);
        EXPECT_NEAR(d.value(x), deriv, 1e-14) << x;
    }
    EXPECT_EQ(NmTrigPoly().value(1.0), 0.0);
    EXPECT_NEAR(NmTrigPoly(1.0, 2.0, 3.0).value(0.0), 4.0, 1e-15);
}

TEST(NmTrigPoly, Solve_LinearCosZero_TwoRoots) {
    NmVector a;
    ASSERT_EQ(NmTrigPoly(1.0, 0.0, 0.0).solve(a), 2);
    EXPECT_DOUBLE_EQ(a[0], std::acos(0.0));
    EXPECT_DOUBLE_EQ(a[1], -std::acos(0.0));
}

TEST(NmTrigPoly, Solve_LinearTangent_SingleTwelveDigitPi) {
    NmVector a;
    ASSERT_EQ(NmTrigPoly(-1.0, 0.0, -1.0).solve(a), 1);
    EXPECT_EQ(a[0], 3.14159265359);
    // r just inside 1 + tol still counts as tangent; beyond it there is no root.
    ASSERT_EQ(NmTrigPoly(0.0, 2.0, 2.0 * (1 - 1e-13)).solve(a), 1);
    EXPECT_NEAR(std::sin(a[0]), -1.0, 1e-12);
    EXPECT_EQ(NmTrigPoly(0.0, 2.0, 2.0 * (1 + 1e-11)).solve(a), 0);
}

TEST(NmTrigPoly, Solve_LinearPhaseBranches_RootsSolveEquation) {
    // Phase from asin or acos depending on which of cos and sin dominates, both signs.
    const double dirs[4][2] = {{3, 1}, {-3, 1}, {1, 3}, {1, -3}};
    for (const auto& de : dirs) {
        const NmTrigPoly p(de[0], de[1], 0.5);
        NmVector a;
        ASSERT_EQ(p.solve(a), 2);
        for (int i = 0; i < 2; ++i) EXPECT_NEAR(p.value(a[i]), 0.0, 1e-11);
        EXPECT_GT(angleGap(a[0], a[1]), 0.1);
    }
}

TEST(NmTrigPoly, Solve_PureQuadratic_FourAnglesInPairs) {
    NmVector a;
    ASSERT_EQ(NmTrigPoly(1, 0, 0, 0, 0, -0.5).solve(a), 4);
    for (int i = 0; i < 4; i += 2) EXPECT_NEAR(a[i + 1] - a[i], 3.14159265359, 0.0);
    EXPECT_NEAR(a[0], kTruePi / 4, 1e-12);
    EXPECT_NEAR(a[2], -kTruePi / 4, 1e-12);
    const NmTrigPoly p(1, 0, 0, 0, 0, -0.5);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(p.value(a[i]), 0.0, 1e-11);
    // a = c, b = 0: a constant, no isolated roots.
    EXPECT_EQ(NmTrigPoly(1, 0, 1, 0, 0, -1).solve(a), 0);
}

TEST(NmTrigPoly, Solve_GeneralLostTopTerm_PiListedFirst) {
    // sin(t) (sin(t) + 0.5): roots pi, 0, -pi/6, -5pi/6; a - d + f = 0.
    const NmTrigPoly p(0, 0, 1, 0, 0.5, 0);
    NmVector a;
    ASSERT_EQ(p.solve(a), 4);
    EXPECT_NEAR(a[0], kTruePi, 1e-11);
    EXPECT_TRUE(containsAngle(a, 0.0, 1e-12));
    EXPECT_TRUE(containsAngle(a, -kTruePi / 6, 1e-12));
    EXPECT_TRUE(containsAngle(a, -5 * kTruePi / 6, 1e-12));
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(p.value(a[i]), 0.0, 1e-14);
    NmVector co, si;
    ASSERT_EQ(p.solve(co, si), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(co[i], std::cos(a[i]), 1e-15);
        EXPECT_NEAR(si[i], std::sin(a[i]), 1e-15);
    }
}

TEST(NmTrigPoly, Solve_BadInput_NoRoots) {
    NmVector a(2, 1.0);
    EXPECT_EQ(NmTrigPoly().solve(a), 0);  // zero: every angle
    EXPECT_EQ(a.dim(), 0);
    EXPECT_EQ(NmTrigPoly(0, 0, 3).solve(a), 0);  // nonzero constant
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(NmTrigPoly(nan, 1, 0).solve(a), 0);
    EXPECT_EQ(NmTrigPoly(1, 0, 0, nan, 0, 0).solve(a), 0);
    EXPECT_EQ(NmTrigPoly(nan, 0, 0, 0, 0, 0).solve(a), 0);
    EXPECT_EQ(NmTrigPoly(1, 0, 0, 1, 0, nan).solve(a), 0);
    NmVector co(1, 1.0), si(1, 1.0);
    EXPECT_EQ(NmTrigPoly(0, 0, 3).solve(co, si), 0);
    EXPECT_EQ(co.dim(), 0);
    EXPECT_EQ(si.dim(), 0);
}

TEST(NmTrigPoly, Solve_PlantedSolutions_Found) {
    // Products of two first-order forms L_i = u_i cos + v_i sin + w_i, each with a planted
    // root, give second-order polynomials whose roots include both plants.
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> coef(-2.0, 2.0);
    std::uniform_real_distribution<double> angle(-3.0, 3.0);
    int tested = 0;
    for (int trial = 0; tested < 200 && trial < 1000; ++trial) {
        double u[2], v[2], w[2], th[2];
        bool usable = true;
        for (int i = 0; i < 2; ++i) {
            u[i] = coef(rng);
            v[i] = coef(rng);
            th[i] = angle(rng);
            w[i] = -(u[i] * std::cos(th[i]) + v[i] * std::sin(th[i]));
            // Keep away from tangency, where the root is double and poorly conditioned.
            const double g = std::hypot(u[i], v[i]);
            if (g < 0.2 || std::fabs(w[i]) > 0.9 * g) usable = false;
        }
        if (!usable || angleGap(th[0], th[1]) < 0.05) continue;
        ++tested;
        const NmTrigPoly p(u[0] * u[1], u[0] * v[1] + v[0] * u[1], v[0] * v[1],
                           u[0] * w[1] + w[0] * u[1], v[0] * w[1] + w[0] * v[1], w[0] * w[1]);
        NmVector a;
        const int n = p.solve(a);
        ASSERT_GE(n, 2) << "trial " << trial;
        EXPECT_LE(n, 4);
        EXPECT_TRUE(containsAngle(a, th[0], 1e-8)) << "trial " << trial;
        EXPECT_TRUE(containsAngle(a, th[1], 1e-8)) << "trial " << trial;
        for (int i = 0; i < n; ++i) EXPECT_NEAR(p.value(a[i]), 0.0, 1e-10) << "trial " << trial;
    }
    EXPECT_EQ(tested, 200);
}

TEST(NmTrigPoly, Solve_PlantedPureQuadratic_Found) {
    std::mt19937 rng(999);
    std::uniform_real_distribution<double> angle(-1.5, 1.5);
    std::uniform_real_distribution<double> coef(0.5, 2.0);
    for (int trial = 0; trial < 100; ++trial) {
        // k (cos^2 - cos^2 th) + m sin cos-free: a = k, c = 0, f = -k cos^2 th.
        const double th = angle(rng), k = coef(rng);
        const NmTrigPoly p(k, 0, 0, 0, 0, -k * std::cos(th) * std::cos(th));
        NmVector a;
        const int n = p.solve(a);
        ASSERT_EQ(n % 2, 0);
        if (std::fabs(std::cos(th)) > 0.999) continue;  // tangent: a single pair
        ASSERT_EQ(n, 4) << "trial " << trial;
        EXPECT_TRUE(containsAngle(a, th, 1e-9)) << "trial " << trial;
        EXPECT_TRUE(containsAngle(a, -th, 1e-9)) << "trial " << trial;
    }
}

TEST(NmTrigPoly, Solve_AllocatesNothingAndCopiesAsValue) {
    CountingHooks hooks;
    const NmTrigPoly p(0.3, 1.1, -0.4, 0.9, -0.2, 0.05);
    NmTrigPoly q = p;
    EXPECT_EQ(q.value(0.7), p.value(0.7));
    NmVector a;
    q.solve(a);
    EXPECT_EQ(hooks.allocs(), 0);
}

TEST(NmTrigPoly, Solve_TangentRoot_PolishKeepsSmallValue) {
    // (cos t - 1)(0.1 cos t + 1.1): a double root at t = 0 through the quartic.
    const NmTrigPoly p(0.1, 0, 0, 1.0, 0, -1.1);
    NmVector a;
    const int n = p.solve(a);
    ASSERT_GE(n, 1);
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(a[i], 0.0, 1e-6);
        EXPECT_LE(std::fabs(p.value(a[i])), 1e-13);
    }
}
