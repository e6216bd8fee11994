#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <utility>

#include "nm_polynom.h"
#include "test_helpers.h"

// Reaches the cached Sturm chain and the digit-loss estimate of a polynomial.
struct NmPolynomProbe {
    static int hasChain(const NmPolynom& p) { return p.mSturmChain != nullptr; }
    static int chainLength(const NmPolynom& p) {
        int n = 0;
        for (const NmPolynom* q = p.mSturmChain; q; q = q->mSturmChain) ++n;
        return n;
    }
    static const NmPolynom* head(const NmPolynom& p) { return p.mSturmChain; }
    static int degradation(const NmPolynom& p, double x) { return p.degradation(x); }
};

namespace {

// Insertion sort (std::sort on short stack arrays trips a false array-bounds warning).
void sortAscending(double* v, int n) {
    for (int i = 1; i < n; ++i)
        for (int j = i; j > 0 && v[j] < v[j - 1]; --j) std::swap(v[j], v[j - 1]);
}

NmPolynom poly(std::initializer_list<double> c) {
    NmPolynom p(static_cast<int>(c.size()) - 1);
    int i = 0;
    for (double v : c) p[i++] = v;
    return p;
}

NmPolynom fromRoots(const double* r, int n) {
    NmPolynom p(1.0);
    for (int i = 0; i < n; ++i) p *= poly({-r[i], 1.0});
    return p;
}

}  // namespace

TEST(NmPolynom, RootCount_CubicBySide) {
    const NmPolynom p = poly({0, -1, 0, 1});  // x^3 - x
    EXPECT_EQ(p.rootCount(0, 0.0), 3);
    EXPECT_EQ(p.rootCount(-1, 0.0), 2);  // (-inf, 0]: -1 and the root 0 itself
    EXPECT_EQ(p.rootCount(1, 0.0), 1);
    EXPECT_EQ(p.rootCount(-1, -5.0), 0);
    EXPECT_EQ(p.rootCount(1, 0.5), 1);
    EXPECT_EQ(poly({-1, 0, 1}).rootCount(-1, 0.0), 1);
    EXPECT_EQ(poly({1, 0, 1}).rootCount(0, 0.0), 0);
    EXPECT_EQ(p.rootCount(-1, std::nan("")), -1);
}

TEST(NmPolynom, RootCount_MultipleRoots_CountedOnce) {
    // (x - 1)^2 (x + 2): the chain is divided by the common factor with the derivative.
    const NmPolynom p = poly({2, -3, 0, 1});
    EXPECT_EQ(p.rootCount(0, 0.0), 2);
    EXPECT_EQ(NmPolynomProbe::head(p)->degree(), 2);
    EXPECT_EQ(p.rootCount(0.0, 2.0, 1e-12), 1);
    // (x - 1)^3 (x + 1)^2
    const NmPolynom q = poly({-1, 3, -3, 1}) * poly({1, 2, 1});
    EXPECT_EQ(q.rootCount(0, 0.0), 2);
}

TEST(NmPolynom, RootCount_BadInput_Unreliable) {
    EXPECT_EQ(NmPolynom(0.0).rootCount(0, 0.0), -1);
    EXPECT_EQ(NmPolynom(3).rootCount(0, 0.0), -1);
    EXPECT_EQ(NmPolynom(-1).rootCount(0, 0.0), -1);
    EXPECT_EQ(NmPolynom(2.0).rootCount(0, 0.0), 0);
    EXPECT_EQ(poly({-6, 11, -6, 1}).rootCount(0.0, std::nan(""), 1e-12), -1);
    EXPECT_EQ(poly({1, std::nan(""), 1}).rootCount(0, 0.0), -1);
    EXPECT_EQ(poly({1, 2, std::numeric_limits<double>::infinity()}).rootCount(0.0, 1.0, 1e-12), -1);
}

TEST(NmPolynom, Degradation_CountsDigitsLostToCancellation) {
    // x - 1 at 1: 1 + (-1) = 0 loses everything.
    EXPECT_EQ(NmPolynomProbe::degradation(poly({-1, 1}), 1.0), 16);
    // x^2 - 2x + 1 at 1: the first step loses nothing (2 -> 1), the second all.
    EXPECT_EQ(NmPolynomProbe::degradation(poly({1, -2, 1}), 1.0), 16);
    // 1000x - 999 at 1: 1000 - 999 = 1 loses three digits.
    EXPECT_EQ(NmPolynomProbe::degradation(poly({-999, 1000}), 1.0), 3);
    // No opposite signs, no loss.
    EXPECT_EQ(NmPolynomProbe::degradation(poly({1, 2, 3}), 2.0), 0);
    EXPECT_EQ(NmPolynomProbe::degradation(NmPolynom(5.0), 2.0), 0);
    EXPECT_GE(NmPolynomProbe::degradation(poly({-1e308, 1e308, 1e308}), 10.0), 15);
}

TEST(NmPolynom, RootCount_AtMultipleRoot_DeclaredUnreliable) {
    // At the double root itself the value vanishes in total cancellation.
    const NmPolynom p = poly({1, -2, 1});
    EXPECT_EQ(p.rootCount(-1, 1.0), -1);
    EXPECT_EQ(p.rootCount(0.0, 1.0, 1e-12), -1);
    EXPECT_EQ(p.rootCount(0.0, 1.5, 1e-12), 1);
}

TEST(NmPolynom, Bracket_SqrtTwo_TwoIsolatingIntervals) {
    const NmPolynom p = poly({-2, 0, 1});
    NmVector lo, hi;
    ASSERT_EQ(p.bracket(lo, hi, 1e-12), 2);
    ASSERT_EQ(lo.dim(), 2);
    ASSERT_EQ(hi.dim(), 2);
    EXPECT_LT(lo[0], -std::sqrt(2.0));
    EXPECT_GE(hi[0], -std::sqrt(2.0));
    EXPECT_LE(hi[0], lo[1]);
    EXPECT_LT(lo[1], std::sqrt(2.0));
    EXPECT_GE(hi[1], std::sqrt(2.0));
    EXPECT_EQ(p.rootCount(lo[0], hi[0], 1e-12), 1);
    EXPECT_EQ(p.rootCount(lo[1], hi[1], 1e-12), 1);
}

TEST(NmPolynom, Bracket_RootAtBisectionPoint_MovesSplitPoint) {
    // x^3 - x on [-2, 2]: the second halving lands on the root -1, where the count is
    // unreliable and the split point must move.
    const NmPolynom p = poly({0, -1, 0, 1});
    NmVector lo, hi;
    ASSERT_EQ(p.bracket(lo, hi, 1e-12), 3);
    const double planted[3] = {-1.0, 0.0, 1.0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_LT(lo[i], planted[i]);
        EXPECT_GE(hi[i], planted[i]);
        if (i > 0) {
            EXPECT_GE(lo[i], hi[i - 1]);
            EXPECT_GE(lo[i], planted[i - 1]);
        }
    }
}

TEST(NmPolynom, Bracket_BadInputAndNoRoots) {
    NmVector lo(3, 1.0), hi(3, 1.0);
    EXPECT_EQ(poly({1, 0, 1}).bracket(lo, hi, 1e-12), 0);
    EXPECT_EQ(lo.dim(), 0);
    EXPECT_EQ(hi.dim(), 0);
    EXPECT_EQ(NmPolynom(0.0).bracket(lo, hi, 1e-12), -1);
    EXPECT_EQ(NmPolynom(-1).bracket(lo, hi, 1e-12), -1);
    EXPECT_EQ(poly({std::nan(""), 1}).bracket(lo, hi, 1e-12), -1);
    EXPECT_EQ(lo.dim(), 0);
    ASSERT_EQ(poly({-3, 2}).bracket(lo, hi, 1e-12), 1);
    EXPECT_LT(lo[0], 1.5);
    EXPECT_GE(hi[0], 1.5);
}

TEST(NmPolynom, Bracket_ClusteredRoots_ToleranceDecidesSeparation) {
    // x^2 - 2x + (1 - 2^-53): roots 1 -+ 1.05e-8. The remainder -2^-53 is below 1e-12, so
    // with that tolerance the pair is one double root; with 0 the two are isolated.
    const NmPolynom p = poly({1.0 - std::ldexp(1.0, -53), -2.0, 1.0});
    const double d = std::sqrt(std::ldexp(1.0, -53));
    NmVector lo, hi;
    ASSERT_EQ(p.bracket(lo, hi, 1e-12), 1);
    EXPECT_LT(lo[0], 1.0 - d);
    EXPECT_GE(hi[0], 1.0 + d);
    ASSERT_EQ(p.bracket(lo, hi, 0.0), 2);
    EXPECT_LT(lo[0], 1.0 - d);
    EXPECT_GE(hi[0], 1.0 - d);
    EXPECT_LT(hi[0], 1.0 + d);
    EXPECT_LT(lo[1], 1.0 + d);
    EXPECT_GE(hi[1], 1.0 + d);
    EXPECT_EQ(p.rootCount(0, 0.0), 1);
}

TEST(NmPolynom, SturmCounts_PlantedRoots_Agree) {
    std::mt19937 rng(4242);
    std::uniform_real_distribution<double> place(-20.0, 20.0);
    for (int trial = 0; trial < 100; ++trial) {
        const int n = 1 + trial % 7;
        double planted[7];
        for (int i = 0; i < n; ++i) {
            bool ok;
            do {
                planted[i] = place(rng);
                ok = true;
                for (int j = 0; j < i; ++j)
                    if (std::fabs(planted[i] - planted[j]) < 0.5) ok = false;
            } while (!ok);
        }
        // A quadratic factor without real roots does not add to the counts.
        NmPolynom p = fromRoots(planted, n);
        if (trial % 3 == 0) p *= poly({2.0, 1.0, 1.0});
        sortAscending(planted, n);
        ASSERT_EQ(p.rootCount(0, 0.0), n) << "trial " << trial;
        const double x = place(rng);
        const int below =
            static_cast<int>(std::count_if(planted, planted + n, [x](double r) { return r <= x; }));
        EXPECT_EQ(p.rootCount(-1, x), below) << "trial " << trial;
        EXPECT_EQ(p.rootCount(1, x), n - below) << "trial " << trial;
        const double a = place(rng), b = place(rng);
        const int inside = static_cast<int>(std::count_if(planted, planted + n, [&](double r) {
            return r > std::min(a, b) && r <= std::max(a, b);
        }));
        EXPECT_EQ(p.rootCount(a, b, 1e-12), inside) << "trial " << trial;

        NmVector lo, hi;
        ASSERT_EQ(p.bracket(lo, hi, 1e-12), n) << "trial " << trial;
        for (int i = 0; i < n; ++i) {
            EXPECT_LT(lo[i], planted[i]) << "trial " << trial;
            EXPECT_GE(hi[i], planted[i]) << "trial " << trial;
            if (i + 1 < n) {
                EXPECT_LT(hi[i], planted[i + 1]) << "trial " << trial;
            }
        }
    }
}

TEST(NmPolynom, SturmChain_CachedAndReleasedByModifiers) {
    NmPolynom p = poly({0, -1, 0, 1});  // x^3 - x
    EXPECT_FALSE(NmPolynomProbe::hasChain(p));
    EXPECT_EQ(p.rootCount(0, 0.0), 3);
    EXPECT_EQ(NmPolynomProbe::chainLength(p), 4);
    NmPolynom copy(p);
    EXPECT_FALSE(NmPolynomProbe::hasChain(copy));  // the cache is not copied
    p[0] = 0.0;
    EXPECT_FALSE(NmPolynomProbe::hasChain(p));
    p.rootCount(0, 0.0);
    p *= 2.0;
    EXPECT_FALSE(NmPolynomProbe::hasChain(p));
    p.rootCount(0, 0.0);
    p.reverse();
    EXPECT_FALSE(NmPolynomProbe::hasChain(p));
    p.rootCount(0, 0.0);
    p.normalize(0.0);
    EXPECT_FALSE(NmPolynomProbe::hasChain(p));
    p.rootCount(0, 0.0);
    p = copy;
    EXPECT_FALSE(NmPolynomProbe::hasChain(p));
    NmVector lo, hi;
    p.bracket(lo, hi, 1e-12);
    EXPECT_FALSE(NmPolynomProbe::hasChain(p));  // bracket releases it when done
}

// A negative or NaN tolerance never let a remainder count as zero: with a multiple root the
// chain alternated between a zero remainder and the division by it without end. Such a
// tolerance now counts as zero, and the chain stays within degree + 1 members.
TEST(NmPolynom, RootCountBracket_NegativeOrNaNTolMultipleRoot_CountAsZeroTol) {
    std::mt19937 rng(4);
    std::uniform_int_distribution<int> count(1, 5), mult(1, 3);
    std::uniform_real_distribution<double> where(-100.0, 100.0);
    const double bad[] = {-1e-12, -1.0, -HUGE_VAL, std::numeric_limits<double>::quiet_NaN()};
    for (int trial = 0; trial < 200; ++trial) {
        double r[16];
        int n = 0;
        for (int k = count(rng); k > 0; --k) {
            const double x = std::round(where(rng));
            for (int m = mult(rng); m > 0 && n < 16; --m) r[n++] = x;
        }
        const NmPolynom p = fromRoots(r, n);
        const int expected = p.rootCount(-200.0, 200.0, 0.0);
        NmVector lo0, hi0;
        const int brackets = p.bracket(lo0, hi0, 0.0);
        for (double tol : bad) {
            EXPECT_EQ(p.rootCount(-200.0, 200.0, tol), expected) << "tol " << tol;
            EXPECT_LE(NmPolynomProbe::chainLength(p), p.degree() + 1);
            NmVector lo, hi;
            ASSERT_EQ(p.bracket(lo, hi, tol), brackets);
            for (int i = 0; i < brackets; ++i) {
                EXPECT_EQ(lo[i], lo0[i]);
                EXPECT_EQ(hi[i], hi0[i]);
            }
        }
    }
    // (x - 1)^2 (x + 2): two distinct roots whatever the tolerance's sign.
    const double r[] = {1, 1, -2};
    const NmPolynom p = fromRoots(r, 3);
    EXPECT_EQ(p.rootCount(-3, 3, -1e-9), 2);
    NmVector lo, hi;
    EXPECT_EQ(p.bracket(lo, hi, std::numeric_limits<double>::quiet_NaN()), 2);
}
