#include <cmath>
#include <limits>
#include <random>

#include "nm_polynom.h"
#include "test_helpers.h"

namespace {

NmPolynom poly(std::initializer_list<double> c) {
    NmPolynom p(static_cast<int>(c.size()) - 1);
    int i = 0;
    for (double v : c) p[i++] = v;
    return p;
}

void expectCoeffs(const NmPolynom& p, std::initializer_list<double> c, double eps = 1e-12) {
    ASSERT_EQ(p.degree(), static_cast<int>(c.size()) - 1);
    int i = 0;
    for (double v : c) EXPECT_NEAR(p[i++], v, eps) << "coefficient " << i - 1;
}

}  // namespace

TEST(NmPolynom, Construct_Forms_GiveStatedDegreeAndCoefficients) {
    expectCoeffs(NmPolynom(), {1.0});
    expectCoeffs(NmPolynom(3), {0, 0, 0, 0});
    expectCoeffs(NmPolynom(2.5), {2.5});
    const double v[3] = {1, 2, 3};
    expectCoeffs(NmPolynom(NmVector(3, v)), {1, 2, 3});
    NmPolynom p(6);
    p[6] = 7.0;
    NmPolynom q(p);
    expectCoeffs(q, {0, 0, 0, 0, 0, 0, 7});
    q = 4.0;
    expectCoeffs(q, {4});
    q = p;
    EXPECT_EQ(q.degree(), 6);
    q.reset(1);
    expectCoeffs(q, {0, 0});
    EXPECT_EQ(q.coeff().dim(), 2);
}

TEST(NmPolynom, NegativeDegree_IsEmptyAndEvaluatesToZero) {
    NmPolynom p(-3);
    EXPECT_EQ(p.degree(), -1);
    EXPECT_EQ(p.coeff().dim(), 0);
    EXPECT_EQ(p.value(2.0), 0.0);
    double out[3] = {1, 1, 1};
    p.d2value(1.0, out);
    EXPECT_EQ(out[0], 0.0);
    EXPECT_EQ(out[2], 0.0);
    EXPECT_EQ(p.longValue(3.0), 0.0);
    EXPECT_EQ(p.norm(), 0.0);
    EXPECT_EQ(p.height(), 0.0);
    EXPECT_EQ(NmPolynom(NmVector()).degree(), -1);
    // As an operand it has no terms.
    const NmPolynom a = poly({1, 2});
    EXPECT_EQ((a + p).degree(), 1);
    EXPECT_EQ((p - a)[1], -2.0);
    EXPECT_EQ((a * p).degree(), -1);
}

TEST(NmPolynom, Index_OutOfRange_ReadsZeroAndNeverWritesCoefficients) {
    NmPolynom p = poly({1, 2});
    EXPECT_EQ(static_cast<const NmPolynom&>(p)[5], 0.0);
    EXPECT_EQ(static_cast<const NmPolynom&>(p)[-1], 0.0);
    p[7] = 99.0;
    p[-2] = 98.0;
    expectCoeffs(p, {1, 2});
    NmPolynom e(-1);
    e[0] = 5.0;
    EXPECT_EQ(e.degree(), -1);
}

TEST(NmPolynom, Normalize_DropsSmallLeadingCoefficients) {
    NmPolynom p = poly({1, 2, 3, 4, 1e-13, -1e-12});
    p.normalize(1e-12);
    expectCoeffs(p, {1, 2, 3, 4});  // back into the inline storage, values kept
    NmPolynom z = poly({1e-13, 0, 1e-14});
    z.normalize(1e-12);
    expectCoeffs(z, {1e-13}, 0.0);
    NmPolynom keep = poly({1, 2e-12});
    keep.normalize(1e-12);
    EXPECT_EQ(keep.degree(), 1);
    NmPolynom empty(-1);
    empty.normalize(1.0);
    EXPECT_EQ(empty.degree(), -1);
}

TEST(NmPolynom, Values_HornerDerivativesAndLongValue_Agree) {
    // 2 - 3x + 0.5x^2 + x^3
    const NmPolynom p = poly({2, -3, 0.5, 1});
    const double x = 1.7;
    const double v = 2 - 3 * x + 0.5 * x * x + x * x * x;
    const double d1 = -3 + x + 3 * x * x;
    const double d2 = 1 + 6 * x;
    EXPECT_NEAR(p.value(x), v, 1e-14);
    EXPECT_NEAR(p(x), v, 1e-14);
    double value = 0, deriv = 0;
    p.d1value(x, value, deriv);
    EXPECT_NEAR(value, v, 1e-14);
    EXPECT_NEAR(deriv, d1, 1e-14);
    double out[3];
    p.d2value(x, out);
    EXPECT_NEAR(out[0], v, 1e-14);
    EXPECT_NEAR(out[1], d1, 1e-14);
    EXPECT_NEAR(out[2], d2, 1e-14);
    EXPECT_NEAR(p.longValue(x), v, 1e-13);
    EXPECT_NEAR(p.longValue(-2.0), 2 + 6 + 2 - 8, 1e-14);
}

TEST(NmPolynom, LongValue_SumsSignsApart) {
    // 1e-17 + x - x^2 at 1: the positive terms 1e-17 + 1 and the negative term 1 are summed
    // apart, so the small term is absorbed before the final difference (Horner keeps it).
    const NmPolynom p = poly({1e-17, 1.0, -1.0});
    EXPECT_EQ(p.longValue(1.0), 0.0);
    EXPECT_EQ(p.value(1.0), 1e-17);
    EXPECT_EQ(poly({3, -5, 2}).longValue(2.0), 1.0);
}

TEST(NmPolynom, Arithmetic_SumsProductsAndScalars) {
    const NmPolynom a = poly({1, 1});
    expectCoeffs(a * a, {1, 2, 1});
    NmPolynom b = poly({1, 2, 3});
    expectCoeffs(a + b, {2, 3, 3});
    expectCoeffs(b - a, {0, 1, 3});
    expectCoeffs(a - b, {0, -1, -3});
    NmPolynom c = a;
    c += b;
    expectCoeffs(c, {2, 3, 3});
    c -= b;
    expectCoeffs(c, {1, 1, 0});
    c *= b;
    expectCoeffs(c, {1, 3, 5, 3, 0});
    c *= 2.0;
    expectCoeffs(c, {2, 6, 10, 6, 0});
    expectCoeffs(c / 2.0, {1, 3, 5, 3, 0});
    c /= -2.0;
    expectCoeffs(c, {-1, -3, -5, -3, 0});
    c.negate();
    expectCoeffs(c, {1, 3, 5, 3, 0});
    NmPolynom self = b;
    self += self;
    expectCoeffs(self, {2, 4, 6});
    self *= self;
    expectCoeffs(self, {4, 16, 40, 48, 36});
}

TEST(NmPolynom, Euclid_ByRoot_GivesQuotientAndValue) {
    NmPolynom p = poly({-6, 11, -6, 1});  // (x-1)(x-2)(x-3)
    double rem = 1.0;
    p.euclid(2.0, rem);
    EXPECT_EQ(rem, 0.0);
    expectCoeffs(p, {3, -4, 1});
    p.euclid(10.0, rem);
    EXPECT_DOUBLE_EQ(rem, 63.0);
    expectCoeffs(p, {6, 1});
    NmPolynom k(4.0);
    k.euclid(1.0, rem);
    EXPECT_EQ(rem, 4.0);
    EXPECT_EQ(k.degree(), -1);
}

TEST(NmPolynom, Euclid_LongDivision_QuotientAndRemainder) {
    NmPolynom p = poly({-1, 0, 0, 1});  // x^3 - 1
    NmPolynom r;
    p.euclid(poly({-1, 1}), r);
    expectCoeffs(p, {1, 1, 1});
    expectCoeffs(r, {0});
    NmPolynom q = poly({5, 0, 3, 2});
    q.euclid(poly({1, 0, 1}), r);  // 2x^3 + 3x^2 + 5 = (2x + 3)(x^2 + 1) + (-2x + 2)
    expectCoeffs(q, {3, 2});
    expectCoeffs(r, {2, -2});
    expectCoeffs(poly({5, 0, 3, 2}) / poly({1, 0, 1}), {3, 2});
    NmPolynom self = poly({1, 2, 3});
    self /= self;
    expectCoeffs(self, {1});
}

TEST(NmPolynom, Euclid_DegenerateDivisors_StayFiniteAndConsistent) {
    // Divisor of larger degree: quotient 0, remainder the dividend padded to divisor - 1.
    NmPolynom p = poly({1, 2});
    NmPolynom r;
    p.euclid(poly({1, 1, 1, 1}), r);
    expectCoeffs(p, {0});
    expectCoeffs(r, {1, 2, 0});
    // Constant divisor: no remainder terms.
    p = poly({2, 4, 6});
    p.euclid(NmPolynom(2.0), r);
    expectCoeffs(p, {1, 2, 3});
    EXPECT_EQ(r.degree(), -1);
    // Zero leading divisor coefficients are skipped; remainder keeps the stated degree.
    p = poly({-1, 0, 1});
    p.euclid(poly({1, 1, 0, 0}), r);
    expectCoeffs(p, {-1, 1});
    expectCoeffs(r, {0, 0, 0});
    // Zero divisor: quotient 0, remainder the dividend (dividend = 0 * 0 + remainder).
    p = poly({3, 4});
    p.euclid(NmPolynom(2), r);
    expectCoeffs(p, {0});
    expectCoeffs(r, {3, 4});
    p = poly({3, 4});
    p /= NmPolynom(-1);
    expectCoeffs(p, {0});
}

TEST(NmPolynom, Division_ThenMultiplication_RestoresDividend) {
    std::mt19937 rng(8201);
    std::uniform_real_distribution<double> coef(-5.0, 5.0);
    std::uniform_int_distribution<int> deg(0, 9);
    for (int trial = 0; trial < 200; ++trial) {
        NmPolynom a(deg(rng));
        NmPolynom b(deg(rng) % 6);
        for (int i = 0; i <= a.degree(); ++i) a[i] = coef(rng);
        for (int i = 0; i <= b.degree(); ++i) b[i] = coef(rng);
        b[b.degree()] = (b[b.degree()] < 0 ? -1.0 : 1.0) + b[b.degree()] * 0.2;
        NmPolynom q(a);
        NmPolynom r;
        q.euclid(b, r);
        EXPECT_EQ(r.degree(), b.degree() - 1);
        const NmPolynom back = q * b + r;
        ASSERT_GE(back.degree(), a.degree());
        for (int i = 0; i <= back.degree(); ++i)
            EXPECT_NEAR(back[i], a[i], 1e-9 * (1.0 + a.norm())) << "trial " << trial;
    }
}

TEST(NmPolynom, Derivative_ReverseNormHeight) {
    expectCoeffs(poly({1, 2, 3}).derivative(), {2, 6});
    expectCoeffs(NmPolynom(5.0).derivative(), {0});
    EXPECT_EQ(NmPolynom(-1).derivative().degree(), -1);
    NmPolynom p = poly({1, 2, 3, 4, 5, 6});
    p.reverse();
    expectCoeffs(p, {6, 5, 4, 3, 2, 1});
    EXPECT_EQ(poly({1, -7, 2}).norm(), 7.0);
    EXPECT_EQ(poly({1, -7, 2}).height(), 3.5);
    EXPECT_EQ(NmPolynom(3.0).height(), 0.0);
}

TEST(NmPolynom, Estimate_BernsteinBoundsEncloseValues) {
    double lo, hi;
    poly({-1, 0, 1}).estimate(-2.0, 2.0, lo, hi);
    // Bernstein coefficients of x^2 - 1 on [-2, 2]: 3, -5, 3.
    EXPECT_NEAR(lo, -5.0, 1e-12);
    EXPECT_NEAR(hi, 3.0, 1e-12);
    poly({1, 2}).estimate(0.0, 3.0, lo, hi);
    EXPECT_NEAR(lo, 1.0, 1e-12);
    EXPECT_NEAR(hi, 7.0, 1e-12);
    NmPolynom(4.0).estimate(0.0, 1.0, lo, hi);
    EXPECT_EQ(lo, 4.0);
    EXPECT_EQ(hi, 4.0);
    NmPolynom(-1).estimate(0.0, 1.0, lo, hi);
    EXPECT_EQ(lo, 0.0);
    EXPECT_EQ(hi, 0.0);

    std::mt19937 rng(82);
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    for (int trial = 0; trial < 100; ++trial) {
        NmPolynom p(trial % 8);
        for (int i = 0; i <= p.degree(); ++i) p[i] = u(rng);
        double a = u(rng), b = u(rng);
        p.estimate(a, b, lo, hi);
        double vmin = HUGE_VAL, vmax = -HUGE_VAL;
        for (int k = 0; k <= 200; ++k) {
            const double v = p.value(a + (b - a) * k / 200.0);
            vmin = std::fmin(vmin, v);
            vmax = std::fmax(vmax, v);
        }
        const double slack = 1e-9 * (1.0 + std::fabs(vmin) + std::fabs(vmax));
        EXPECT_LE(lo, vmin + slack) << "trial " << trial;
        EXPECT_GE(hi, vmax - slack) << "trial " << trial;
    }
}

TEST(NmPolynom, Storage_SmallDegreesInlineAndNoLeaks) {
    CountingHooks hooks;
    {
        NmPolynom p = poly({1, 2, 3, 4});
        NmPolynom q = p * NmPolynom(1.0);
        q += p;
        EXPECT_EQ(hooks.allocs(), 0);
        NmPolynom big = p * p;
        EXPECT_EQ(big.degree(), 6);
        EXPECT_GT(hooks.allocs(), 0);
        NmVector roots;
        big.root(roots);
        NmVector lo, hi;
        big.bracket(lo, hi, 1e-12);
        EXPECT_GE(big.rootCount(0, 0.0), 0);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(NmPolynom, AllocationFailure_LeavesEmptyPolynomial) {
    CountingHooks hooks;
    CountingHooks::failAfter() = 0;
    NmPolynom p(10);
    EXPECT_EQ(p.degree(), -1);
    EXPECT_EQ(p.value(1.0), 0.0);
    NmPolynom small(3);
    EXPECT_EQ(small.degree(), 3);  // inline, needs no heap
    const NmPolynom prod = small * small;
    EXPECT_EQ(prod.degree(), -1);
    EXPECT_EQ(small.rootCount(0, 0.0), -1);  // no chain can be built
    CountingHooks::failAfter() = -1;
    EXPECT_EQ(hooks.outstanding(), 0);
}
