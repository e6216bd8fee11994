// NmFunc Simpson, Simpson marching, Romberg and adaptive Gauss quadrature.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "nm_func.h"
#include "vqge_util.h"

namespace {

struct Probe {
    double (*f)(double);
    long calls = 0;
    long outside = 0;  // arguments outside [0, 1]
};

double probe(void* h, double t) {
    Probe* p = static_cast<Probe*>(h);
    ++p->calls;
    if (!(t >= 0.0 && t <= 1.0)) ++p->outside;
    return p->f(t);
}

double cube(double t) {
    return t * t * t;
}
double expo(double t) {
    return std::exp(t);
}
double root2(double t) {
    return std::sqrt(t);
}
double cosine(double t) {
    return std::cos(t);
}
double sine(double t) {
    return std::sin(t);
}
double sineSquared(double t) {
    return std::sin(t) * std::sin(t);
}
double negLine(double t) {
    return -(1.0 + t);
}
double jump(double t) {
    return t < 1.0 / 3.0 ? 0.0 : 1.0;
}
double nanMid(double t) {
    return t > 0.4 && t < 0.6 ? std::nan("") : 1.0;
}
// Deterministic noise in [1, 2]: no rule ever converges on it.
double noise(double t) {
    uint64_t bits;
    std::memcpy(&bits, &t, sizeof bits);
    bits ^= bits >> 33;
    bits *= 0xff51afd7ed558ccdULL;
    bits ^= bits >> 33;
    return 1.0 + static_cast<double>(bits >> 11) / 9007199254740992.0;
}

}  // namespace

TEST(NmFunc, Simpson_ClosedFormIntegrals_Match) {
    Probe p{cube};
    NmFunc f(&p, probe, 0.0, 2.0);
    double s = 0.0;
    ASSERT_EQ(f.simpson(s, 1e-12), 1);
    EXPECT_NEAR(s, 4.0, 1e-12);
    Probe e{expo};
    NmFunc g(&e, probe);
    ASSERT_EQ(g.simpson(0.0, 1.0, s, 1e-12), 1);
    EXPECT_NEAR(s, M_E - 1.0, 1e-10);
    int steps = g.simpson(0.0, 1.0, s, 21, 1e-12);
    EXPECT_GE(steps, 5);  // never before the fifth refinement
    EXPECT_LE(steps, 21);
    ASSERT_EQ(g.simpson(1.0, 0.0, s, 1e-12), 1);
    EXPECT_NEAR(s, 1.0 - M_E, 1e-10);
    ASSERT_EQ(g.simpson(0.5, 0.5, s, 1e-12), 1);
    EXPECT_EQ(s, 0.0);
}

TEST(NmFunc, Simpson_UnreachableAccuracy_ReturnsFailureAndLeavesResult) {
    Probe p{root2};
    NmFunc f(&p, probe, 0.0, 1.0);
    double s = 12345.0;
    EXPECT_EQ(f.simpson(s, 1e-300), 0);
    EXPECT_EQ(s, 12345.0);
    EXPECT_EQ(f.simpson(0.0, 1.0, s, 8, 1e-300), 9);
    EXPECT_EQ(s, 12345.0);
    // 2 + 1 + 2 + ... + 2^6 evaluations for eight levels.
    p.calls = 0;
    f.simpson(0.0, 1.0, s, 8, 1e-300);
    EXPECT_EQ(p.calls, 2 + 127);
}

TEST(NmFunc, SimpsonAdapt_BothDirections_MatchClosedForm) {
    Probe p{cosine};
    NmFunc f(&p, probe);
    double sum = 0.0;
    f.simpsonAdapt(0.0, 3.0, 0.1, 0, sum, 12, 1e-12);
    EXPECT_NEAR(sum, std::sin(3.0), 1e-10);
    f.simpsonAdapt(0.0, 3.0, 0.1, 1, sum, 12, 1e-12);
    EXPECT_NEAR(sum, std::sin(3.0), 1e-10);
    f.simpsonAdapt(3.0, 0.0, 0.1, 0, sum, 12, 1e-12);
    EXPECT_NEAR(sum, -std::sin(3.0), 1e-10);
    // A step longer than the range and a non-positive step both cover the range at once.
    f.simpsonAdapt(0.0, 3.0, 10.0, 0, sum, 12, 1e-12);
    EXPECT_NEAR(sum, std::sin(3.0), 1e-10);
    f.simpsonAdapt(0.0, 3.0, -1.0, 1, sum, 12, 1e-12);
    EXPECT_NEAR(sum, std::sin(3.0), 1e-10);
}

TEST(NmFunc, SimpsonAdapt_PieceThatCannotConverge_EndsWithNaN) {
    Probe p{cosine};
    NmFunc f(&p, probe);
    double sum = 0.0;
    // Simpson never converges before its fifth refinement.
    f.simpsonAdapt(0.0, 1.0, 0.25, 0, sum, 4, 1e-12);
    EXPECT_TRUE(std::isnan(sum));
    EXPECT_LT(p.calls, 10000);
}

TEST(NmFunc, Romberg_SignFollowsOrientation) {
    Probe p{sine};
    NmFunc f(&p, probe);
    double s = 0.0;
    ASSERT_EQ(f.romberg(0.0, M_PI, 1e-11, s), 1);
    EXPECT_NEAR(s, 2.0, 1e-10);
    ASSERT_EQ(f.romberg(M_PI, 0.0, 1e-11, s), 1);
    EXPECT_NEAR(s, -2.0, 1e-10);
    // A negative integrand keeps its sign.
    Probe n{negLine};
    NmFunc g(&n, probe);
    ASSERT_EQ(g.romberg(0.0, 1.0, 1e-12, s), 1);
    EXPECT_NEAR(s, -1.5, 1e-12);
    ASSERT_EQ(g.romberg(1.0, 0.0, 1e-12, s), 1);
    EXPECT_NEAR(s, 1.5, 1e-12);
}

TEST(NmFunc, Romberg_UnreachableAccuracy_ReturnsLastTrapezoidAfterTwentyLevels) {
    Probe p{root2};
    NmFunc f(&p, probe);
    double s = 0.0;
    EXPECT_EQ(f.romberg(0.0, 1.0, 0.0, s), 0);
    EXPECT_NEAR(s, 2.0 / 3.0, 1e-8);
    EXPECT_EQ(p.calls, 2 + (1L << 19) - 1);
}

TEST(NmFunc, Quadra_ClosedFormIntegrals_Match) {
    Probe p{expo};
    NmFunc f(&p, probe);
    double s = 0.0, err = -1.0, failAt = -1.0;
    ASSERT_EQ(f.quadra(0.0, 1.0, s, 1e-12, err, failAt), 1);
    EXPECT_NEAR(s, M_E - 1.0, 1e-13);
    EXPECT_GE(err, 0.0);
    EXPECT_LT(err, 1e-10);
    EXPECT_EQ(failAt, 0.0);
    ASSERT_EQ(f.quadra(1.0, 0.0, s, 1e-12, err, failAt), 1);
    EXPECT_NEAR(s, 1.0 - M_E, 1e-13);
    Probe q{sineSquared};
    NmFunc g(&q, probe);
    ASSERT_EQ(g.quadra(0.0, 2.0 * M_PI, s, 1e-12, err, failAt), 1);
    EXPECT_NEAR(s, M_PI, 1e-11);
    // Unbounded derivative at 0 needs deep refinement there.
    Probe r{root2};
    NmFunc h(&r, probe);
    ASSERT_EQ(h.quadra(0.0, 1.0, s, 1e-8, err, failAt), 1);
    EXPECT_NEAR(s, 2.0 / 3.0, 1e-9);
    EXPECT_GT(r.calls, 100);
    ASSERT_EQ(h.quadra(0.25, 0.25, s, 1e-10, err, failAt), 1);
    EXPECT_EQ(s, 0.0);
}

TEST(NmFunc, Quadra_JumpBelowAccuracy_HitsDepthLimitAndReportsItsInterval) {
    Probe p{jump};
    NmFunc f(&p, probe);
    double s = 0.0, err = -1.0, failAt = -1.0;
    EXPECT_EQ(f.quadra(0.0, 1.0, s, 1e-15, err, failAt), 0);
    EXPECT_EQ(err, -1.0);
    EXPECT_LE(failAt, 1.0 / 3.0);
    EXPECT_GT(failAt, 1.0 / 3.0 - 1e-8);
    EXPECT_NEAR(s, 2.0 / 3.0, 1e-6);
    // One path down to the deepest level (2^31 pieces) and back, nothing else.
    EXPECT_LT(p.calls, 1000);
    EXPECT_EQ(p.outside, 0);
}

TEST(NmFunc, Quadra_NoiseIntegrand_StaysWithinEvaluationBudget) {
    Probe p{noise};
    NmFunc f(&p, probe);
    double s = 0.0, err = 0.0, failAt = -1.0;
    EXPECT_EQ(f.quadra(0.0, 1.0, s, 1e-15, err, failAt), 0);
    EXPECT_GE(p.calls, NmFunc::kGaussCapacity - 16);
    // After the budget runs out only the shallow levels are still visited.
    EXPECT_LT(p.calls, NmFunc::kGaussCapacity + 8 * 2 * (1 << NmFunc::kGaussReducedDepth));
    EXPECT_GE(failAt, 0.0);
    EXPECT_LE(failAt, 1.0);
    EXPECT_GT(s, 1.0);
    EXPECT_LT(s, 2.0);
    EXPECT_EQ(p.outside, 0);
}

TEST(NmFunc, Quadra_NonFiniteInput_Fails) {
    Probe p{nanMid};
    NmFunc f(&p, probe);
    double s = 0.0, err = -1.0, failAt = -1.0;
    EXPECT_EQ(f.quadra(0.0, 1.0, s, 1e-10, err, failAt), 0);
    EXPECT_GE(failAt, 0.0);
    EXPECT_LT(failAt, 0.6);
    EXPECT_EQ(err, -1.0);
    EXPECT_EQ(f.quadra(0.0, 1.0, s, std::nan(""), err, failAt), 0);
    EXPECT_EQ(f.quadra(0.0, INFINITY, s, 1e-10, err, failAt), 0);
    NmFunc empty;
    EXPECT_EQ(empty.quadra(0.0, 1.0, s, 1e-10, err, failAt), 0);
}

// jmax = INT_MAX made the failure value jmax + 1 overflow, and the levels past the deepest
// refined one left the trapezoid value standing still, which passed for convergence. The
// refinement now stops at the deepest level; NaN integrands and NaN or negative accuracies
// end early instead of refining to the bottom.
TEST(NmFunc, Simpson_HugeJmaxOrHostileAccuracy_NoOverflowNoFalseConvergence) {
    Probe p{noise};
    NmFunc f(&p, probe);
    double s = 7.0;
    EXPECT_EQ(f.simpson(0.0, 1.0, s, INT_MAX, 1e-300), INT_MAX);
    EXPECT_EQ(s, 7.0);
    EXPECT_LE(p.calls, 2L << NmFunc::kTrapMaxLevel);
    EXPECT_EQ(f.simpson(0.0, 1.0, s, 1000, 1e-300), 1001);
    Probe q{nanMid};
    NmFunc g(&q, probe);
    EXPECT_EQ(g.simpson(0.0, 1.0, s, INT_MAX, 1e-6), INT_MAX);
    EXPECT_EQ(g.simpson(0.0, 1.0, s, INT_MAX - 1, 1e-6), INT_MAX);
    EXPECT_LT(q.calls, 100);
    // NaN and negative accuracies count as 0: the exact Simpson value of a cubic meets it.
    Probe c{cube};
    NmFunc h(&c, probe);
    for (double eps : {std::nan(""), -1.0, 0.0}) {
        s = 0.0;
        EXPECT_LE(h.simpson(0.0, 1.0, s, 30, eps), 6) << eps;
        EXPECT_DOUBLE_EQ(s, 0.25);
    }
    double sum = 0.0;
    h.simpsonAdapt(0.0, 1.0, 0.5, 0, sum, INT_MAX, 1e-12);
    EXPECT_NEAR(sum, 0.25, 1e-12);
    g.simpsonAdapt(0.0, 1.0, 0.5, 1, sum, INT_MAX, 1e-12);
    EXPECT_TRUE(std::isnan(sum));
}

namespace {
double quartic(double t) {
    return (((1e-12 * t + 2.0) * t + 0.5) * t - 62.5) * t;
}
double quarticIntegral(double t) {
    return (((1e-12 / 5.0 * t + 0.5) * t + 0.5 / 3.0) * t - 31.25) * t * t;
}
int alwaysBreak() {
    return 1;
}
}  // namespace

// Under a negative accuracy a zero-width piece (a + h == a) "converged" while every real
// piece failed: the step doubled and halved for ever and the march never moved. The accuracy
// now counts as 0, a march tries a bounded number of pieces, and the break hook ends it.
TEST(NmFunc, SimpsonAdapt_NegativeAccuracy_MarchEndsAndBreakHonoured) {
    Probe p{quartic};
    NmFunc f(&p, probe);
    double sum = 0.0;
    f.simpsonAdapt(-10.5, -9.5, -8.5, 1, sum, 10, -9.7134047659044073e+146);
    EXPECT_LT(p.calls, 50000000L);
    if (!std::isnan(sum)) {
        EXPECT_NEAR(sum, quarticIntegral(-9.5) - quarticIntegral(-10.5), 1e-6);
    }
    f.simpsonAdapt(-10.5, -9.5, 0.25, 0, sum, 12, 1e-12);
    EXPECT_NEAR(sum, quarticIntegral(-9.5) - quarticIntegral(-10.5), 1e-8);

    int (*old)() = VqGeUtil::gBreakFunc;
    VqGeUtil::gBreakFunc = alwaysBreak;
    p.calls = 0;
    f.simpsonAdapt(-10.5, -9.5, 0.25, 0, sum, 12, 1e-12);
    VqGeUtil::gBreakFunc = old;
    EXPECT_TRUE(std::isnan(sum));
    EXPECT_EQ(p.calls, 0);
}
