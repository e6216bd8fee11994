// NmMatrix exact, least-squares, minimum-norm and forced solves.
#include <cmath>
#include <limits>
#include <random>

#include "nm_matrix.h"
#include "test_helpers.h"

namespace {

NmMatrix fromRows(int r, int c, const double* v) {
    NmMatrix m(r, c);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) m(i, j) = v[i * c + j];
    return m;
}

NmMatrix randomMatrix(std::mt19937& rng, int r, int c) {
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    NmMatrix m(r, c);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) m(i, j) = u(rng) + (i == j ? 2.0 : 0.0);
    return m;
}

NmVector randomVector(std::mt19937& rng, int n) {
    std::uniform_real_distribution<double> u(-4.0, 4.0);
    NmVector v(n);
    for (int i = 0; i < n; ++i) v[i] = u(rng);
    return v;
}

NmMatrix transposed(const NmMatrix& a) {
    NmMatrix t(a);
    t.transpose();
    return t;
}

}  // namespace

TEST(NmMatrixSolve, Square_RandomSystems_ResidualNear1e12) {
    std::mt19937 rng(2024);
    for (int trial = 0; trial < 40; ++trial) {
        const int n = 1 + trial % 10;
        const NmMatrix a = randomMatrix(rng, n, n);
        const NmVector b = randomVector(rng, n);
        NmMatrix work(a);
        NmVector x(b);
        ASSERT_EQ(work.solve(x, 1e-12), 1);
        ASSERT_EQ(x.dim(), n);
        EXPECT_LT((a * x - b).vecAbs(), 1e-12);
    }
}

TEST(NmMatrixSolve, OverDetermined_3x2_LeastSquaresOfLengthTwo) {
    // Fit y = p + q*t through (0,1), (1,2), (2,4): p = 5/6, q = 3/2.
    const double v[6] = {1, 0, 1, 1, 1, 2};
    NmMatrix a = fromRows(3, 2, v);
    NmVector b(3);
    b[0] = 1.0;
    b[1] = 2.0;
    b[2] = 4.0;
    ASSERT_EQ(a.solve(b, 1e-12), 1);
    ASSERT_EQ(b.dim(), 2);
    EXPECT_NEAR(b[0], 5.0 / 6.0, 1e-14);
    EXPECT_NEAR(b[1], 1.5, 1e-14);
}

TEST(NmMatrixSolve, OverDetermined_Random_SatisfiesNormalEquations) {
    std::mt19937 rng(55);
    for (int trial = 0; trial < 20; ++trial) {
        const int c = 1 + trial % 5;
        const int r = c + 1 + trial % 4;
        const NmMatrix a = randomMatrix(rng, r, c);
        const NmVector b = randomVector(rng, r);
        NmMatrix work(a);
        NmVector x(b);
        ASSERT_EQ(work.solve(x, 1e-12), 1);
        ASSERT_EQ(x.dim(), c);
        // At * (A x - b) = 0.
        const NmVector g = transposed(a) * (a * x - b);
        EXPECT_LT(g.vecAbs(), 1e-11);
    }
}

TEST(NmMatrixSolve, UnderDetermined_2x3_MinimumNormOfLengthThree) {
    // x + y + z = 3, x - y = 0: minimum norm solution (1, 1, 1).
    const double v[6] = {1, 1, 1, 1, -1, 0};
    NmMatrix a = fromRows(2, 3, v);
    NmVector b(2);
    b[0] = 3.0;
    b[1] = 0.0;
    ASSERT_EQ(a.solve(b, 1e-12), 1);
    ASSERT_EQ(b.dim(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(b[i], 1.0, 1e-14);
}

TEST(NmMatrixSolve, UnderDetermined_Random_SolvesAndLiesInRowSpace) {
    std::mt19937 rng(56);
    for (int trial = 0; trial < 20; ++trial) {
        const int r = 1 + trial % 4;
        const int c = r + 1 + trial % 3;
        const NmMatrix a = randomMatrix(rng, r, c);
        const NmVector b = randomVector(rng, r);
        NmMatrix work(a);
        NmVector x(b);
        ASSERT_EQ(work.solve(x, 1e-12), 1);
        ASSERT_EQ(x.dim(), c);
        EXPECT_LT((a * x - b).vecAbs(), 1e-12);
        // Minimum norm: x = At*y, so x is orthogonal to the null space of A. Check it
        // against the null-space component of a random vector.
        NmVector z = randomVector(rng, c);
        NmMatrix w2(a);
        NmVector az = a * z;
        ASSERT_EQ(w2.solve(az, 1e-12), 1);
        const NmVector nullPart = z - az;
        EXPECT_LT(std::fabs(x * nullPart), 1e-11);
    }
}

TEST(NmMatrixSolve, BadInput_EmptyMismatchedOrSingular_ReturnsZero) {
    NmMatrix e;
    NmVector b0;
    EXPECT_EQ(e.solve(b0, 1e-12), 0);
    NmMatrix a(3, 1.0);
    NmVector b2(2, 1.0);
    EXPECT_EQ(a.solve(b2, 1e-12), 0);
    EXPECT_EQ(b2.dim(), 2);
    const double v[4] = {1, 2, 2, 4};
    NmMatrix s = fromRows(2, 2, v);
    NmVector b(2, 1.0);
    EXPECT_EQ(s.solve(b, 1e-10), 0);
    // Rank-deficient rectangular systems fail through their Gram matrix.
    const double w[6] = {1, 2, 2, 4, 3, 6};
    NmMatrix r = fromRows(3, 2, w);
    NmVector b3(3, 1.0);
    EXPECT_EQ(r.solve(b3, 1e-10), 0);
    EXPECT_EQ(b3.dim(), 3);
    const double wt[6] = {1, 2, 3, 2, 4, 6};
    NmMatrix u = fromRows(2, 3, wt);
    NmVector bu(2, 1.0);
    EXPECT_EQ(u.solve(bu, 1e-10), 0);
    EXPECT_EQ(bu.dim(), 2);
}

TEST(NmMatrixSolve, Force_Regular_SameAsExactSolve) {
    std::mt19937 rng(3);
    const NmMatrix a = randomMatrix(rng, 5, 5);
    const NmVector b = randomVector(rng, 5);
    NmMatrix work(a);
    NmVector x(b);
    work.force(x, 1e-12);
    EXPECT_LT((a * x - b).vecAbs(), 1e-12);
}

TEST(NmMatrixSolve, Force_SingularSquare_TruncatedPseudoInverseAndMatrixChanged) {
    // Rank one: A = u*vt with u = (1, 2), v = (1, 1). The pseudo-inverse solution of
    // A x = b is v * (u.b) / (|u|^2 |v|^2).
    const double v[4] = {1, 1, 2, 2};
    NmMatrix a = fromRows(2, 2, v);
    NmVector b(2);
    b[0] = 1.0;
    b[1] = 3.0;
    a.force(b, 1e-10);
    ASSERT_EQ(b.dim(), 2);
    EXPECT_NEAR(b[0], 7.0 / 10.0, 1e-14);
    EXPECT_NEAR(b[1], 7.0 / 10.0, 1e-14);
    // The matrix now holds the eigenvectors of At*A: orthonormal columns.
    EXPECT_NEAR(a(0, 0) * a(0, 1) + a(1, 0) * a(1, 1), 0.0, 1e-14);
    EXPECT_NEAR(a(0, 0) * a(0, 0) + a(1, 0) * a(1, 0), 1.0, 1e-14);
}

TEST(NmMatrixSolve, Force_ZeroMatrix_ZeroSolution) {
    NmMatrix a(3);
    NmVector b(3, 2.0);
    a.force(b, 1e-12);
    ASSERT_EQ(b.dim(), 3);
    EXPECT_TRUE(b == 0.0);
}

TEST(NmMatrixSolve, Force_Rectangular_LeastSquaresAndMinimumNorm) {
    const double v[6] = {1, 0, 1, 1, 1, 2};
    NmMatrix a = fromRows(3, 2, v);
    NmVector b(3);
    b[0] = 1.0;
    b[1] = 2.0;
    b[2] = 4.0;
    a.force(b, 1e-12);
    ASSERT_EQ(b.dim(), 2);
    EXPECT_NEAR(b[0], 5.0 / 6.0, 1e-13);
    EXPECT_NEAR(b[1], 1.5, 1e-13);

    const double w[6] = {1, 1, 1, 1, -1, 0};
    NmMatrix u = fromRows(2, 3, w);
    NmVector c(2);
    c[0] = 3.0;
    c[1] = 0.0;
    u.force(c, 1e-12);
    ASSERT_EQ(c.dim(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(c[i], 1.0, 1e-13);

    // Rank-deficient and wide: still a solution, the minimum-norm one.
    const double s[6] = {1, 1, 0, 2, 2, 0};
    NmMatrix d = fromRows(2, 3, s);
    NmVector e(2);
    e[0] = 1.0;
    e[1] = 2.0;
    d.force(e, 1e-10);
    ASSERT_EQ(e.dim(), 3);
    EXPECT_NEAR(e[0], 0.5, 1e-13);
    EXPECT_NEAR(e[1], 0.5, 1e-13);
    EXPECT_NEAR(e[2], 0.0, 1e-13);
}

TEST(NmMatrixSolve, Force_MismatchedOrNonFinite_ZeroSolutionOfColumnLength) {
    NmMatrix a(2, 3);
    NmVector b(5, 1.0);
    a.force(b, 1e-12);
    EXPECT_EQ(b.dim(), 3);
    EXPECT_TRUE(b == 0.0);
    NmMatrix n(2, std::numeric_limits<double>::quiet_NaN());
    NmVector c(2, 1.0);
    n.force(c, 1e-12);
    ASSERT_EQ(c.dim(), 2);
    EXPECT_TRUE(c == 0.0);
}
