// NmFunc Simpson, Simpson marching, Romberg and adaptive Gauss quadrature.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "nm_func.h"

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
