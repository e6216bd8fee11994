#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <utility>

#include "nm_polynom.h"
#include "test_helpers.h"

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

NmPolynom fromRoots(const double* r, int n, double lead = 1.0) {
    NmPolynom p(lead);
    for (int i = 0; i < n; ++i) p *= poly({-r[i], 1.0});
    return p;
}

}  // namespace

TEST(NmPolynom, Root_SqrtTwoFromOne_ConvergesInsteadOfBouncing) {
    // Plain Newton ends alternating between the two doubles around sqrt(2); that is a root.
    const NmPolynom p = poly({-2, 0, 1});
    double x = 1.0;
    EXPECT_EQ(p.root(x), 1);
    EXPECT_NEAR(x, std::sqrt(2.0), 4e-16);
    x = -1.0;
    EXPECT_EQ(p.root(x), 1);
    EXPECT_NEAR(x, -std::sqrt(2.0), 4e-16);
    // The same for a spread of starts and scales.
    for (double s : {1e-6, 1.0, 3.0, 1e5}) {
        const NmPolynom q = poly({-2 * s * s, 0, 1});
        for (double x0 : {0.3, 1.0, 7.0, 100.0}) {
            double y = x0 * s;
            EXPECT_EQ(q.root(y), 1) << "scale " << s << " start " << x0;
            EXPECT_NEAR(y, std::sqrt(2.0) * s, 1e-14 * s);
        }
    }
}

TEST(NmPolynom, Root_MultipleRoot_RelaxedStepsReachIt) {
    // (x - 1)^2 (x + 2): plain Newton crawls at the double root; relaxed steps speed it up.
    const NmPolynom p = poly({2, -3, 0, 1});
    double x = 0.0;
    EXPECT_EQ(p.root(x), 1);
    EXPECT_NEAR(x, 1.0, 1e-7);
    // Triple root.
    const NmPolynom t = poly({-1, 3, -3, 1});
    x = 5.0;
    EXPECT_EQ(t.root(x), 1);
    EXPECT_NEAR(x, 1.0, 1e-4);
}

TEST(NmPolynom, Root_NoRealRoot_FailsWithinLimitAndStaysFinite) {
    const NmPolynom p = poly({1, 0, 1});  // x^2 + 1
    for (double x0 : {0.3, -2.0, 10.0, 0.0}) {
        double x = x0;
        EXPECT_EQ(p.root(x), 0) << x0;
        EXPECT_TRUE(std::isfinite(x));
    }
    double x = 1.0;
    EXPECT_EQ(NmPolynom(3.0).root(x), 0);  // constant: zero slope
    EXPECT_EQ(NmPolynom(0.0).root(x), 1);  // every point of the zero polynomial is a root
    EXPECT_EQ(NmPolynom(-1).root(x), 0);
    x = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(poly({-1, 1}).root(x), 0);
    x = 1.0;
    EXPECT_EQ(poly({std::nan(""), 1}).root(x), 0);
}

TEST(NmPolynom, Polish_RefinesPerturbedRoot) {
    const NmPolynom p = poly({-6, 11, -6, 1});
    double x = 2.0 + 1e-7;
    EXPECT_EQ(p.polish(x), 1);
    EXPECT_NEAR(x, 2.0, 4e-15);
    // Stops at the first sign change of the value, keeping the smaller of the two values.
    x = 2.001;
    EXPECT_EQ(p.polish(x), 1);
    EXPECT_NEAR(x, 2.0, 1e-8);
    x = 3.0;
    EXPECT_EQ(p.polish(x), 1);
    EXPECT_EQ(x, 3.0);
    x = 1.0;
    EXPECT_EQ(NmPolynom(2.0).polish(x), 0);  // zero slope
    x = std::numeric_limits<double>::infinity();
    EXPECT_EQ(p.polish(x), 0);
}

TEST(NmPolynom, RootBothEnds_BitsTellWhichEndsConverged) {
    double x = 0, y = 0;
    EXPECT_EQ(NmPolynom(2.0).root(x, y), 0);
    EXPECT_EQ(NmPolynom(-1).root(x, y), 0);
    EXPECT_EQ(poly({-3, 2}).root(x, y), 1);
    EXPECT_DOUBLE_EQ(x, 1.5);
    EXPECT_EQ(poly({-6, 11, -6, 1}).root(x, y), 3);
    EXPECT_NEAR(x, 1.0, 1e-12);
    EXPECT_NEAR(y, 3.0, 1e-12);
    EXPECT_EQ(poly({1, 0, 1}).root(x, y), 0);
}

TEST(NmPolynom, AllRoots_ClosedForms) {
    NmVector r;
    ASSERT_EQ(poly({2, -3, 1}).root(r), 2);
    EXPECT_DOUBLE_EQ(r[0], 1.0);
    EXPECT_DOUBLE_EQ(r[1], 2.0);
    ASSERT_EQ(poly({2, 3, 1}).root(r), 2);  // p > 0 branch
    EXPECT_DOUBLE_EQ(r[0], -2.0);
    EXPECT_DOUBLE_EQ(r[1], -1.0);
    EXPECT_EQ(poly({1, 0, 1}).root(r), 0);
    EXPECT_EQ(r.dim(), 0);
    ASSERT_EQ(poly({1, -2, 1}).root(r), 1);
    EXPECT_DOUBLE_EQ(r[0], 1.0);
    ASSERT_EQ(poly({-3, 2}).root(r), 1);
    EXPECT_DOUBLE_EQ(r[0], 1.5);
    // A leading coefficient within 1e-12 is dropped first: this is the line 2x - 3.
    ASSERT_EQ(poly({-3, 2, 1e-13}).root(r), 1);
    EXPECT_DOUBLE_EQ(r[0], 1.5);
    // Large roots keep full precision (no cancellation in either root).
    ASSERT_EQ(poly({1, -1e8, 1}).root(r), 2);
    EXPECT_NEAR(r[0], 1e-8, 1e-22);
    EXPECT_NEAR(r[1], 1e8, 1e-6);
}

TEST(NmPolynom, AllRoots_BadInput_GivesNoRoots) {
    NmVector r(3, 7.0);
    EXPECT_EQ(NmPolynom(0.0).root(r), 0);
    EXPECT_EQ(r.dim(), 0);
    EXPECT_EQ(NmPolynom(5.0).root(r), 0);
    EXPECT_EQ(NmPolynom(-1).root(r), 0);
    EXPECT_EQ(NmPolynom(4).root(r), 0);  // zero quartic
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(poly({1, nan, 1}).root(r), 0);
    EXPECT_EQ(poly({1, 2, 3, nan}).root(r), 0);
    EXPECT_EQ(poly({-1, 0, std::numeric_limits<double>::infinity()}).root(r), 0);
}

TEST(NmPolynom, AllRoots_CubicThreeDistinct) {
    NmVector r;
    ASSERT_EQ(poly({-6, 11, -6, 1}).root(r), 3);
    double s[3] = {r[0], r[1], r[2]};
    sortAscending(s, 3);
    EXPECT_NEAR(s[0], 1.0, 1e-13);
    EXPECT_NEAR(s[1], 2.0, 1e-13);
    EXPECT_NEAR(s[2], 3.0, 1e-13);
}

TEST(NmPolynom, AllRoots_SingleRealRootFoundFromBothEnds_ListedOnce) {
    // Both ends reach the root 1; it may be deflated out only once.
    NmVector r;
    ASSERT_EQ(poly({-1, 1, -1, 1}).root(r), 1);  // (x - 1)(x^2 + 1)
    EXPECT_NEAR(r[0], 1.0, 1e-14);
    const double planted[1] = {-0.75};
    NmPolynom p = fromRoots(planted, 1) * poly({2, 0, 0, 0, 1}) * poly({1, 0, 1});
    ASSERT_EQ(p.root(r), 1);
    EXPECT_NEAR(r[0], -0.75, 1e-12);
}

TEST(NmPolynom, AllRoots_PlantedLinearFactors_Recovered) {
    std::mt19937 rng(20261207);
    std::uniform_real_distribution<double> place(-10.0, 10.0);
    std::uniform_real_distribution<double> lead(0.2, 5.0);
    for (int trial = 0; trial < 150; ++trial) {
        const int n = 3 + trial % 6;
        double planted[8];
        // Roots at least 0.3 apart so that each is well conditioned.
        for (int i = 0; i < n; ++i) {
            bool ok;
            do {
                planted[i] = place(rng);
                ok = true;
                for (int j = 0; j < i; ++j)
                    if (std::fabs(planted[i] - planted[j]) < 0.3) ok = false;
            } while (!ok);
        }
        const double sign = trial % 2 ? -1.0 : 1.0;
        const NmPolynom p = fromRoots(planted, n, sign * lead(rng));
        NmVector r;
        ASSERT_EQ(p.root(r), n) << "trial " << trial;
        double found[8];
        for (int i = 0; i < n; ++i) found[i] = r[i];
        sortAscending(found, n);
        sortAscending(planted, n);
        for (int i = 0; i < n; ++i)
            EXPECT_NEAR(found[i], planted[i], 1e-8 * (1.0 + std::fabs(planted[i])))
                << "trial " << trial << " root " << i;
    }
}

TEST(NmPolynom, AllRoots_PlantedWithComplexPair_RealOnesOnly) {
    std::mt19937 rng(77);
    std::uniform_real_distribution<double> place(-4.0, 4.0);
    for (int trial = 0; trial < 60; ++trial) {
        double planted[3] = {place(rng), place(rng) + 10.0, place(rng) - 10.0};
        const double re = place(rng), im = 0.5 + std::fabs(place(rng));
        const NmPolynom p = fromRoots(planted, 3) * poly({re * re + im * im, -2 * re, 1});
        NmVector r;
        ASSERT_EQ(p.root(r), 3) << "trial " << trial;
        double found[3] = {r[0], r[1], r[2]};
        sortAscending(found, 3);
        sortAscending(planted, 3);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(found[i], planted[i], 1e-8);
    }
}
