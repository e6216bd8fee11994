// NmFunc bracketed minimum and parabolic search.
#include <gtest/gtest.h>

#include <cmath>

#include "nm_func.h"

namespace {

struct Probe {
    double (*f)(double);
    int calls = 0;
    int nanArgs = 0;
};

double probe(void* h, double t) {
    Probe* p = static_cast<Probe*>(h);
    ++p->calls;
    if (std::isnan(t)) ++p->nanArgs;
    return p->f(t);
}

double bowl(double t) {
    return (t - 0.3) * (t - 0.3) + 2.0;
}
double square(double t) {
    return t * t;
}
double rising(double t) {
    return t;
}
double falling(double t) {
    return -t;
}
double vee(double t) {
    return std::fabs(t - 0.3);
}
double cosine(double t) {
    return std::cos(t);
}
double nanEverywhere(double) {
    return std::nan("");
}

// Exposes the parabolic search to the tests.
class OpenFunc : public NmFunc {
public:
    using NmFunc::NmFunc;
    int parabola(double& a, double& x, double& b, double& fx, double tol) {
        return minInBracket(a, x, b, fx, tol);
    }
};

}  // namespace

TEST(NmFunc, Minimum_Quadratic_FindsVertex) {
    Probe p{bowl};
    NmFunc f(&p, probe);
    double a = 0.0, x = -1.0, b = 1.0, fx = 0.0;
    ASSERT_EQ(f.minimum(a, x, b, fx, 1e-14), 1);
    EXPECT_NEAR(x, 0.3, 1e-6);
    EXPECT_NEAR(fx, 2.0, 1e-13);
    EXPECT_EQ(fx, bowl(x));
    EXPECT_LE(a, x);
    EXPECT_LE(x, b);
}

TEST(NmFunc, Minimum_CosineOnStoredBracket_FindsPi) {
    Probe p{cosine};
    NmFunc f(&p, probe, 5.0, 1.0);
    double x = 0.0, fx = 0.0;  // outside the bracket: the solver picks its own trial point
    ASSERT_EQ(f.minimum(x, fx, 1e-15), 1);
    EXPECT_NEAR(x, M_PI, 1e-6);
    EXPECT_NEAR(fx, -1.0, 1e-14);
    double lo = 0.0, hi = 0.0;
    f.bracket(lo, hi);
    EXPECT_EQ(lo, 1.0);  // the stored bracket is not narrowed
    EXPECT_EQ(hi, 5.0);
}

TEST(NmFunc, Minimum_MonotoneFunction_ReturnsLowerEnd) {
    Probe up{rising};
    NmFunc f(&up, probe);
    double a = 1.0, x = 2.0, b = 4.0, fx = 0.0;
    ASSERT_EQ(f.minimum(a, x, b, fx, 1e-10), 1);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(fx, 1.0);
    Probe down{falling};
    NmFunc g(&down, probe);
    a = 1.0, x = 2.0, b = 4.0;
    ASSERT_EQ(g.minimum(a, x, b, fx, 1e-10), 1);
    EXPECT_EQ(x, 4.0);
    EXPECT_EQ(fx, -4.0);
    // A reversed bracket is ordered first.
    a = 4.0, x = 0.0, b = 1.0;
    ASSERT_EQ(g.minimum(a, x, b, fx, 1e-10), 1);
    EXPECT_EQ(x, 4.0);
}

TEST(NmFunc, MinInBracket_TrialPointOnVertexOfExactQuadratic_NoDivisionByZero) {
    // The first parabola lands on x itself; the bracket then collapses onto x and the next
    // three points are collinear.
    Probe p{square};
    OpenFunc f(&p, probe);
    double a = -1.0, x = 0.0, b = 1.0, fx = 1.0;
    ASSERT_EQ(f.parabola(a, x, b, fx, 1e-10), 1);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(fx, 0.0);
    EXPECT_EQ(p.nanArgs, 0);
    // Through the public entry with the vertex as the given trial point.
    Probe q{square};
    NmFunc g(&q, probe);
    a = -1.0, x = 0.0, b = 1.0;
    ASSERT_EQ(g.minimum(a, x, b, fx, 1e-10), 1);
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(q.nanArgs, 0);
}

TEST(NmFunc, MinInBracket_TrialPointNotBelowEnds_ReturnsLowerEnd) {
    Probe p{rising};
    OpenFunc f(&p, probe);
    double a = 3.0, x = 10.0, b = -1.0, fx = 0.0;  // x outside: the midpoint is taken
    ASSERT_EQ(f.parabola(a, x, b, fx, 1e-10), 1);
    EXPECT_EQ(x, -1.0);
    EXPECT_EQ(fx, -1.0);
}

TEST(NmFunc, MinInBracket_ZeroTolerance_StopsAfterIterationLimitWithBestIterate) {
    Probe p{vee};
    OpenFunc f(&p, probe);
    double a = 0.0, x = 0.5, b = 1.0, fx = 0.0;
    EXPECT_EQ(f.parabola(a, x, b, fx, 0.0), 0);
    // 3 initial values and at most two per iteration.
    EXPECT_LE(p.calls, 3 + 2 * NmFunc::kMaxParabolaIter);
    EXPECT_LT(fx, 0.2);  // better than the start
    EXPECT_EQ(fx, vee(x));
    EXPECT_LT(a, b);
}

TEST(NmFunc, Minimum_NaNValues_ReturnZero) {
    Probe p{nanEverywhere};
    NmFunc f(&p, probe);
    double a = 0.0, x = 0.5, b = 1.0, fx = 0.0;
    EXPECT_EQ(f.minimum(a, x, b, fx, 1e-10), 0);
    NmFunc empty;
    EXPECT_EQ(empty.minimum(x, fx, 1e-10), 0);
}
