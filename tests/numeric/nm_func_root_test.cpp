// NmFunc golden-weighted bisection root.
#include <gtest/gtest.h>

#include <cmath>

#include "nm_func.h"
#include "vqge_util.h"

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

double cubeMinusTwo(double t) {
    return t * t * t - 2.0;
}
double shifted(double t) {
    return t - 1.0;
}
double shiftedHi(double t) {
    return t - 3.0;
}
double positive(double t) {
    return t * t + 1.0;
}
double tinyPositive(double t) {
    return 1e-200 * (1.0 + t * t);
}
double huge(double t) {
    return t - 1e20 - 3e5;
}
double nanAbove(double t) {
    return t > 0.5 ? std::nan("") : t - 0.75;
}

int gBreaks = 0;
int breakAlways() {
    ++gBreaks;
    return 1;
}

}  // namespace

TEST(NmFunc, Root_PlantedRoot_FoundWithinTolerance) {
    Probe p{cubeMinusTwo};
    NmFunc f(&p, probe, 0.0, 2.0);
    double x = -1.0;
    ASSERT_EQ(f.root(x, 0.0, 2.0, 1e-12), 1);
    EXPECT_NEAR(x, std::cbrt(2.0), 1e-12);
    EXPECT_LE(std::fabs(cubeMinusTwo(x)), 1e-12);
    EXPECT_LT(p.calls, 200);
}

TEST(NmFunc, Root_SameStrictSignAtEnds_ReturnsZeroAndKeepsX) {
    Probe p{positive};
    NmFunc f(&p, probe);
    double x = 42.0;
    EXPECT_EQ(f.root(x, -1.0, 1.0, 1e-10), 0);
    EXPECT_EQ(x, 42.0);
    // Values so small that their product underflows still have the same sign.
    Probe q{tinyPositive};
    NmFunc g(&q, probe);
    EXPECT_EQ(g.root(x, -1.0, 1.0, 0.0), 0);
    EXPECT_EQ(x, 42.0);
}

TEST(NmFunc, Root_RootExactlyAtEitherEnd_ReturnsThatEnd) {
    Probe lo{shifted};
    NmFunc f(&lo, probe);
    double x = 0.0;
    ASSERT_EQ(f.root(x, 1.0, 3.0, 1e-10), 1);
    EXPECT_EQ(x, 1.0);
    Probe hi{shiftedHi};
    NmFunc g(&hi, probe);
    ASSERT_EQ(g.root(x, 1.0, 3.0, 1e-10), 1);
    EXPECT_EQ(x, 3.0);
    // Also with a zero tolerance: an exact zero counts.
    ASSERT_EQ(g.root(x, 1.0, 3.0, 0.0), 1);
    EXPECT_EQ(x, 3.0);
}

TEST(NmFunc, Root_StoredBracketSortedAndReversedBracketAccepted) {
    Probe p{cubeMinusTwo};
    NmFunc f(&p, probe, 2.0, 0.0);
    double lo = 0.0, hi = 0.0;
    f.bracket(lo, hi);
    EXPECT_EQ(lo, 0.0);
    EXPECT_EQ(hi, 2.0);
    double x = 0.0;
    ASSERT_EQ(f.root(x, 1e-12), 1);
    EXPECT_NEAR(x, std::cbrt(2.0), 1e-12);
    // setBracket keeps the given order; the solver orders its own copy.
    f.setBracket(2.0, 0.0);
    f.bracket(lo, hi);
    EXPECT_EQ(lo, 2.0);
    x = 0.0;
    ASSERT_EQ(f.root(x, 1e-12), 1);
    EXPECT_NEAR(x, std::cbrt(2.0), 1e-12);
}

TEST(NmFunc, Root_BracketAtLargeMagnitude_TerminatesNextToTheRoot) {
    // Doubles near 1e20 are 16384 apart: the bracket can never get 2.2e-13 wide.
    Probe p{huge};
    NmFunc f(&p, probe);
    double x = 0.0;
    ASSERT_EQ(f.root(x, 1e20, 1e20 + 1e6, 0.0), 1);
    EXPECT_NEAR(x, 1e20 + 3e5, 20000.0);
    EXPECT_LT(p.calls, 500);
}

TEST(NmFunc, Root_BadInput_FailsCleanly) {
    NmFunc empty;
    double x = 5.0;
    EXPECT_EQ(empty.root(x, 0.0, 1.0, 1e-10), 0);
    EXPECT_EQ(empty.root(x, 1e-10), 0);
    EXPECT_EQ(x, 5.0);
    EXPECT_TRUE(std::isnan(empty.compute(0.5)));
    Probe p{nanAbove};
    NmFunc f(&p, probe);
    EXPECT_EQ(f.root(x, 0.0, 1.0, 1e-10), 0);  // NaN at b
    EXPECT_EQ(f.root(x, 0.0, std::nan(""), 1e-10), 0);
    EXPECT_EQ(f.root(x, 0.0, INFINITY, 1e-10), 0);
}

TEST(NmFunc, CopyAndAccessors_CopyBracketHandleAndComputer) {
    Probe p{shifted};
    NmFunc f(&p, probe, 0.0, 4.0);
    NmFunc g(f);
    NmFunc h;
    h = f;
    for (const NmFunc* c : {&g, &h}) {
        EXPECT_EQ(c->handle(), &p);
        EXPECT_EQ(c->computer(), &probe);
        EXPECT_EQ((*c)(3.0), 2.0);
    }
    Probe q{positive};
    h.setHandle(&q).setComputer(probe).setBracket(-1.0, 1.0);
    EXPECT_EQ(h(0.0), 1.0);
    EXPECT_EQ(h.compute(2.0), 5.0);
    EXPECT_EQ(f(0.0), -1.0);  // the copy does not share state with the original
}

TEST(NmFunc, Solvers_BreakHookSet_RunToTheirOwnLimits) {
    // The break hook belongs to the arc-length search; these solvers do not poll it.
    int (*old)() = VqGeUtil::gBreakFunc;
    VqGeUtil::gBreakFunc = breakAlways;
    gBreaks = 0;
    Probe p{cubeMinusTwo};
    NmFunc f(&p, probe, 0.0, 2.0);
    double x = 0.0, s = 0.0, err = 0.0, failAt = 0.0, fx = 0.0;
    EXPECT_EQ(f.root(x, 1e-12), 1);
    EXPECT_NEAR(x, std::cbrt(2.0), 1e-12);
    EXPECT_EQ(f.quadra(0.0, 1.0, s, 1e-12, err, failAt), 1);
    EXPECT_NEAR(s, -1.75, 1e-12);  // integral of t^3 - 2 over [0, 1]
    EXPECT_EQ(f.minimum(x, fx, 1e-12), 1);
    EXPECT_EQ(gBreaks, 0);
    VqGeUtil::gBreakFunc = old;
}
