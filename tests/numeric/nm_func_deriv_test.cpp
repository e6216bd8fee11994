// NmFuncDeriv: Newton roots, the all-roots search and the derivative-based minimum.
#include "numeric/nm_func_deriv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

#include "nm_func_n.h"
#include "test_helpers.h"

namespace {

struct Probe {
    double (*f)(double);
    double (*df)(double);
    int calls = 0;
    int derivCalls = 0;
    double r[3] = {0.0, 0.0, 0.0};  // planted roots of the cubic
};

double probeF(void* h, double t) {
    Probe* p = static_cast<Probe*>(h);
    ++p->calls;
    return p->f(t);
}

double probeD(void* h, double t) {
    Probe* p = static_cast<Probe*>(h);
    ++p->derivCalls;
    return p->df(t);
}

double cubeMinusTwo(double t) {
    return t * t * t - 2.0;
}
double cubeMinusTwoD(double t) {
    return 3.0 * t * t;
}
double arctan(double t) {
    return std::atan(t - 0.3);
}
double arctanD(double t) {
    return 1.0 / (1.0 + (t - 0.3) * (t - 0.3));
}
double touch(double t) {
    return (t - 0.5) * (t - 0.5);
}
double touchD(double t) {
    return 2.0 * (t - 0.5);
}
double lifted(double t) {
    return t * t + 1.0;
}
double liftedD(double t) {
    return 2.0 * t;
}
double sine(double t) {
    return std::sin(t);
}
double cosine(double t) {
    return std::cos(t);
}
double sine40(double t) {
    return std::sin(40.0 * t);
}
double sine40D(double t) {
    return 40.0 * std::cos(40.0 * t);
}
double quarterHalf(double t) {
    return (t - 0.25) * (t - 0.5);
}
double quarterHalfD(double t) {
    return 2.0 * t - 0.75;
}
double bowl(double t) {
    return (t - 0.3) * (t - 0.3) + 2.0;
}
double bowlD(double t) {
    return 2.0 * (t - 0.3);
}
double nearA(double t) {
    return (t - 0.1) * (t - 0.1);
}
double nearAD(double t) {
    return 2.0 * (t - 0.1);
}
double nearB(double t) {
    return (t - 0.9) * (t - 0.9);
}
double nearBD(double t) {
    return 2.0 * (t - 0.9);
}
double rising(double t) {
    return t;
}
double one(double) {
    return 1.0;
}

double cubicF(void* h, double t) {
    const Probe* p = static_cast<Probe*>(h);
    return (t - p->r[0]) * (t - p->r[1]) * (t - p->r[2]);
}
double cubicD(void* h, double t) {
    const Probe* p = static_cast<Probe*>(h);
    const double u = t - p->r[0], v = t - p->r[1], w = t - p->r[2];
    return v * w + u * w + u * v;
}

// Vtable slot of a virtual member function (a pointer to one holds 1 + the slot's byte
// offset on this platform's ABI).
template <class M>
long slotOf(M m) {
    std::uintptr_t word;
    std::memcpy(&word, &m, sizeof word);
    return static_cast<long>((word - 1) / sizeof(void*));
}

// Reaches the protected slots through a derived class.
struct SlotProbe : NmFuncDeriv {
    static long innerSlot() { return slotOf(&SlotProbe::minInBracket); }
};

}  // namespace

TEST(NmFuncDeriv, VirtualSlots_InDeclaredOrder) {
    typedef int (NmFunc::*Root4)(double&, double, double, double);
    typedef int (NmFunc::*Root2)(double&, double);
    typedef int (NmFunc::*Min5)(double&, double&, double&, double&, double);
    typedef int (NmFuncDeriv::*Min3)(double&, double&, double);
    EXPECT_EQ(slotOf(static_cast<Root4>(&NmFunc::root)), 0);
    EXPECT_EQ(slotOf(static_cast<Root2>(&NmFunc::root)), 1);
    EXPECT_EQ(slotOf(static_cast<Min5>(&NmFunc::minimum)), 2);
    EXPECT_EQ(SlotProbe::innerSlot(), 3);
    EXPECT_EQ(slotOf(static_cast<Min3>(&NmFuncDeriv::minimum)), 4);
    EXPECT_EQ(slotOf(&NmFuncN::minOnRay), 0);
}

TEST(NmFuncDeriv, Root_Newton_FindsPlantedRootQuickly) {
    Probe p{cubeMinusTwo, cubeMinusTwoD};
    NmFuncDeriv f(&p, probeF, probeD, 1.0, 2.0);
    double x = 0.0;
    ASSERT_EQ(f.root(x, 1.0, 2.0, 1e-12), 1);
    EXPECT_NEAR(x, std::cbrt(2.0), 1e-12);
    EXPECT_GT(p.derivCalls, 0);
    // The stored-bracket form dispatches to the Newton slot.
    p.derivCalls = 0;
    NmFunc& base = f;
    ASSERT_EQ(base.root(x, 1e-12), 1);
    EXPECT_NEAR(x, std::cbrt(2.0), 1e-12);
    EXPECT_GT(p.derivCalls, 0);
}

TEST(NmFuncDeriv, Root_NewtonOvershoots_FallsBackToBisection) {
    Probe p{arctan, arctanD};
    NmFuncDeriv f(&p, probeF, probeD, -10.0, 10.0);
    double x = 0.0;
    ASSERT_EQ(f.root(x, -10.0, 10.0, 1e-12), 1);
    EXPECT_NEAR(x, 0.3, 1e-11);
    ASSERT_EQ(f.root(x, 10.0, -10.0, 1e-12), 1);  // reversed bracket
    EXPECT_NEAR(x, 0.3, 1e-11);
}

TEST(NmFuncDeriv, Root_TouchingRoot_ReturnsNewtonPointWithinTolerance) {
    // No sign change anywhere: the bisection cannot confirm the root Newton found.
    Probe p{touch, touchD};
    NmFuncDeriv f(&p, probeF, probeD, 0.0, 1.0);
    double x = -1.0;
    ASSERT_EQ(f.root(x, 0.0, 1.0, 1e-10), 1);
    EXPECT_LT(touch(x), 1e-10);
    EXPECT_NEAR(x, 0.5, 1e-5);
}

TEST(NmFuncDeriv, Root_NoRootOrNoCallbacks_ReturnsZero) {
    Probe p{lifted, liftedD};
    NmFuncDeriv f(&p, probeF, probeD, -1.0, 1.0);
    double x = 7.0;
    EXPECT_EQ(f.root(x, -1.0, 1.0, 1e-10), 0);
    NmFuncDeriv empty;
    EXPECT_EQ(empty.root(x, 0.0, 1.0, 1e-10), 0);
    EXPECT_TRUE(std::isnan(empty.computeDeriv(0.0)));
    // Without a derivative the Newton step hands over to bisection at once.
    Probe q{cubeMinusTwo, cubeMinusTwoD};
    NmFuncDeriv noDeriv(&q, probeF, nullptr, 1.0, 2.0);
    ASSERT_EQ(noDeriv.root(x, 1.0, 2.0, 1e-12), 1);
    EXPECT_NEAR(x, std::cbrt(2.0), 1e-12);
}

TEST(NmFuncDeriv, SafeNewton_FlatSlopeOrOutwardStep_Fails) {
    Probe p{lifted, liftedD};
    NmFuncDeriv f(&p, probeF, probeD);
    double x = 0.0;  // f' = 0 there
    EXPECT_EQ(f.safeNewton(x, -1.0, 1.0, 1e-10), 0);
    x = 1.0;  // on the upper end, the step points outward
    Probe q{cubeMinusTwo, cubeMinusTwoD};
    NmFuncDeriv g(&q, probeF, probeD);
    EXPECT_EQ(g.safeNewton(x, 0.0, 1.0, 1e-10), 0);
    x = 1.5;
    ASSERT_EQ(g.safeNewton(x, 1.0, 2.0, 1e-12), 1);
    EXPECT_NEAR(x, std::cbrt(2.0), 1e-12);
}

TEST(NmFuncDeriv, AllRoots_SineOverFullTurn_EachRootOnceAscending) {
    Probe p{sine, cosine};
    NmFuncDeriv f(&p, probeF, probeD, 0.0, 2.0 * M_PI);
    NmVector roots;
    ASSERT_EQ(f.allRoots(roots, 18, 1e-10), 1);
    ASSERT_EQ(roots.dim(), 3);  // pi lies on the end shared by pieces 9 and 10
    EXPECT_NEAR(roots[0], 0.0, 1e-10);
    EXPECT_NEAR(roots[1], M_PI, 1e-10);
    EXPECT_NEAR(roots[2], 2.0 * M_PI, 1e-10);
}

TEST(NmFuncDeriv, AllRoots_RootsOnSeveralSharedEnds_ListedOnce) {
    Probe p{quarterHalf, quarterHalfD};
    NmFuncDeriv f(&p, probeF, probeD, 0.0, 1.0);
    NmVector roots;
    ASSERT_EQ(f.allRoots(roots, 4, 1e-12), 1);
    ASSERT_EQ(roots.dim(), 2);
    EXPECT_EQ(roots[0], 0.25);
    EXPECT_EQ(roots[1], 0.5);
}

TEST(NmFuncDeriv, AllRoots_MoreRootsThanPieces_GrowsAndFindsAll) {
    Probe p{sine40, sine40D};
    NmFuncDeriv f(&p, probeF, probeD, 0.0, M_PI);
    NmVector roots;
    ASSERT_EQ(f.allRoots(roots, 30, 1e-10), 1);
    ASSERT_EQ(roots.dim(), 41);
    for (int k = 0; k <= 40; ++k) EXPECT_NEAR(roots[k], k * M_PI / 40.0, 1e-10) << k;
}

TEST(NmFuncDeriv, AllRoots_RandomPlantedCubics_AllFound) {
    std::mt19937 rng(20261207);
    std::uniform_real_distribution<double> pick(0.02, 0.98);
    for (int trial = 0; trial < 200; ++trial) {
        Probe p{nullptr, nullptr};
        do {
            for (double& r : p.r) r = pick(rng);
            std::sort(p.r, p.r + 3);
        } while (p.r[1] - p.r[0] < 0.05 || p.r[2] - p.r[1] < 0.05);
        NmFuncDeriv f(&p, cubicF, cubicD, 0.0, 1.0);
        NmVector roots;
        ASSERT_EQ(f.allRoots(roots, 18, 1e-13), 1);
        ASSERT_EQ(roots.dim(), 3) << trial;
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(roots[k], p.r[k], 1e-9) << trial;
    }
}

TEST(NmFuncDeriv, AllRoots_BadInput_FailsCleanly) {
    Probe p{sine, cosine};
    NmFuncDeriv f(&p, probeF, probeD, 0.0, 1.0);
    NmVector roots(3, 9.0);
    EXPECT_EQ(f.allRoots(roots, 0, 1e-10), 0);
    EXPECT_EQ(roots.dim(), 0);
    f.setBracket(0.0, NAN);
    EXPECT_EQ(f.allRoots(roots, 5, 1e-10), 0);
    // A zero tolerance would let the end roots go unseen; the default one is used.
    f.setBracket(0.0, 2.0 * M_PI);
    ASSERT_EQ(f.allRoots(roots, 18, 0.0), 1);
    EXPECT_EQ(roots.dim(), 3);
    f.setBracket(0.0, 0.0);  // a single point that is a root
    ASSERT_EQ(f.allRoots(roots, 5, 1e-10), 1);
    ASSERT_EQ(roots.dim(), 1);
    EXPECT_EQ(roots[0], 0.0);
    Probe q{one, cosine};  // no roots at all
    NmFuncDeriv g(&q, probeF, probeD, 0.0, 1.0);
    ASSERT_EQ(g.allRoots(roots, 5, 1e-10), 1);
    EXPECT_EQ(roots.dim(), 0);
}

TEST(NmFuncDeriv, AllRoots_AllocationFails_ReturnsZeroAndEmpty) {
    Probe p{sine, cosine};
    NmFuncDeriv f(&p, probeF, probeD, 0.0, 2.0 * M_PI);
    NmVector roots;
    {
        CountingHooks hooks;
        CountingHooks::failAfter() = 0;
        EXPECT_EQ(f.allRoots(roots, 18, 1e-10), 0);
        EXPECT_EQ(roots.dim(), 0);
    }
    {
        // The first block succeeds, growing fails.
        Probe q{sine40, sine40D};
        NmFuncDeriv g(&q, probeF, probeD, 0.0, M_PI);
        CountingHooks hooks;
        CountingHooks::failAfter() = 1;
        EXPECT_EQ(g.allRoots(roots, 30, 1e-10), 0);
        EXPECT_EQ(roots.dim(), 0);
        EXPECT_EQ(hooks.outstanding(), 0);
    }
}

TEST(NmFuncDeriv, Minimum_Quadratic_FindsVertex) {
    Probe p{bowl, bowlD};
    NmFuncDeriv f(&p, probeF, probeD, 0.0, 1.0);
    double a = 0.0, x = -1.0, b = 1.0, fx = 0.0;
    ASSERT_EQ(f.minimum(a, x, b, fx, 1e-12), 1);
    EXPECT_NEAR(x, 0.3, 1e-8);
    EXPECT_NEAR(fx, 2.0, 1e-14);
    // The stored-bracket form through both entries (base non-virtual, fifth slot).
    x = 5.0;
    NmFunc& base = f;
    ASSERT_EQ(base.minimum(x, fx, 1e-12), 1);
    EXPECT_NEAR(x, 0.3, 1e-8);
    x = 5.0;
    ASSERT_EQ(f.minimum(x, fx, 1e-12), 1);
    EXPECT_NEAR(x, 0.3, 1e-8);
    EXPECT_GT(p.derivCalls, 0);
}

TEST(NmFuncDeriv, Minimum_TrialPointWorseThanOneEnd_SlopesSteerTheSearch) {
    Probe p{nearA, nearAD};
    NmFuncDeriv f(&p, probeF, probeD);
    double a = 0.0, x = 0.0, b = 1.0, fx = 0.0;
    ASSERT_EQ(f.minimum(a, x, b, fx, 1e-12), 1);
    EXPECT_NEAR(x, 0.1, 1e-8);
    EXPECT_LE(b, 0.5);  // the search ran on [a, trial point]
    Probe q{nearB, nearBD};
    NmFuncDeriv g(&q, probeF, probeD);
    a = 0.0, x = 0.0, b = 1.0;
    ASSERT_EQ(g.minimum(a, x, b, fx, 1e-12), 1);
    EXPECT_NEAR(x, 0.9, 1e-8);
    EXPECT_GE(a, 0.5);
}

TEST(NmFuncDeriv, Minimum_MonotoneFunction_ReturnsLowerEnd) {
    Probe p{rising, one};
    NmFuncDeriv f(&p, probeF, probeD);
    double a = 2.0, x = 2.5, b = 3.0, fx = 0.0;
    ASSERT_EQ(f.minimum(a, x, b, fx, 1e-10), 1);
    EXPECT_EQ(x, 2.0);
    EXPECT_EQ(fx, 2.0);
}

namespace {
double infiniteSlope(double t) {
    return HUGE_VAL * t + 2.220446049250313e-16;
}
double infiniteSlopeD(double) {
    return HUGE_VAL;
}
double pole(double t) {
    return 1.0 / (t - 0.3) + 1.0;
}
double poleD(double t) {
    return -1.0 / ((t - 0.3) * (t - 0.3));
}
int gBreakAfter = -1;
int breakSoon() {
    return gBreakAfter >= 0 && --gBreakAfter < 0;
}
}  // namespace

// Values that never settle (infinite or NaN, a pole) let every piece split down to the
// nesting limit of 60 levels, 2^60 pieces in all. The splits of one search are now
// bounded, and the break hook ends them early.
TEST(NmFuncDeriv, AllRoots_InfiniteValuesOrPole_SplitsBoundedAndBreakHonoured) {
    struct Case {
        double (*f)(double);
        double (*df)(double);
        double lo, hi;
        int n;
    };
    const Case cases[] = {{infiniteSlope, infiniteSlopeD, -4.9406564584124654e-324, 1e308, 8},
                          {pole, poleD, 0.0, 1.0, 18},
                          {infiniteSlope, poleD, -1e8, 1e8, 64}};
    for (const Case& c : cases) {
        Probe p;
        p.f = c.f;
        p.df = c.df;
        NmFuncDeriv fd(&p, probeF, probeD, c.lo, c.hi);
        NmVector roots;
        fd.allRoots(roots, c.n, -1.0);
        // Two evaluations per split, plus searches on the pieces that end in one.
        EXPECT_LE(p.calls, 4 * NmFuncDeriv::kMaxSplits + 200 * c.n);
        for (int i = 0; i < roots.dim(); ++i) {
            EXPECT_GE(roots[i], c.lo);
            EXPECT_LE(roots[i], c.hi);
        }
    }
    // Away from the pole the search still works: 1/(t - 0.3) + 1 has its one root at -0.7.
    Probe p;
    p.f = pole;
    p.df = poleD;
    NmFuncDeriv fd(&p, probeF, probeD, -1.0, 0.0);
    NmVector roots;
    ASSERT_EQ(fd.allRoots(roots, 18, 1e-10), 1);
    ASSERT_EQ(roots.dim(), 1);
    EXPECT_NEAR(roots[0], -0.7, 1e-9);

    int (*old)() = VqGeUtil::gBreakFunc;
    VqGeUtil::gBreakFunc = breakSoon;
    gBreakAfter = 10;
    Probe q;
    q.f = infiniteSlope;
    q.df = infiniteSlopeD;
    NmFuncDeriv broken(&q, probeF, probeD, -1e8, 1e8);
    broken.allRoots(roots, 4, 1e-10);
    EXPECT_LE(q.calls, 200);
    VqGeUtil::gBreakFunc = old;
}
