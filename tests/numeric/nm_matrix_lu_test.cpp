// NmMatrix LU decompositions, determinant, inverses and the Cholesky solve.
#include <cmath>
#include <limits>
#include <random>

#include "nm_matrix.h"
#include "numeric/nm_lu4.h"
#include "test_helpers.h"

namespace {

NmMatrix fromRows(int r, int c, const double* v) {
    NmMatrix m(r, c);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) m(i, j) = v[i * c + j];
    return m;
}

// Diagonally dominated random matrix: well conditioned.
NmMatrix randomWell(std::mt19937& rng, int n) {
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    NmMatrix m(n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) m(i, j) = u(rng) + (i == j ? n : 0.0);
    return m;
}

double residual(const NmMatrix& a, const NmVector& x, const NmVector& b) {
    return (a * x - b).vecAbs();
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

TEST(NmMatrixLU, DecomposeLU_RandomSystems_ResidualNear1e12) {
    std::mt19937 rng(812);
    std::uniform_real_distribution<double> u(-5.0, 5.0);
    for (int trial = 0; trial < 40; ++trial) {
        const int n = 1 + trial % 9;
        const NmMatrix a = randomWell(rng, n);
        NmVector b(n);
        for (int i = 0; i < n; ++i) b[i] = u(rng);
        NmMatrix lu(a);
        NmIntVec perm;
        ASSERT_EQ(lu.decomposeLU(perm, 1e-10), 1);
        NmVector x(b);
        lu.solveLU(perm, x);
        EXPECT_LT(residual(a, x, b), 1e-12);

        NmMatrix lu2(a);
        NmIntVec perm2;
        ASSERT_EQ(lu2.LUdecompose(perm2), 1);
        NmVector y(b);
        lu2.solveAfterLUdecompose(y, perm2);
        EXPECT_LT(residual(a, y, b), 1e-12);
    }
}

TEST(NmMatrixLU, Crout_KnownMatrix_LowerWithDiagonalUnitUpperAndPivotRows) {
    // Column 0 pivots on row 1 (|4| > |2|, then ties keep the first).
    const double v[9] = {2, 1, 1, 4, 3, 3, 4, 1, 2};
    NmMatrix a = fromRows(3, 3, v);
    NmIntVec perm;
    ASSERT_EQ(a.decomposeLU(perm, 1e-12), 1);
    ASSERT_EQ(perm.dim(), 3);
    EXPECT_EQ(perm[0], 1);
    // L carries the pivot, U is unit upper: first row of U = row / pivot.
    EXPECT_DOUBLE_EQ(a(0, 0), 4.0);
    EXPECT_DOUBLE_EQ(a(0, 1), 0.75);
    EXPECT_DOUBLE_EQ(a(0, 2), 0.75);
    // Rebuild P*A from the factors.
    NmMatrix l(3), uu(3, 1.0);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) (j <= i ? l(i, j) : uu(i, j)) = a(i, j);
    NmMatrix pa = fromRows(3, 3, v);
    for (int i = 0; i < 3; ++i)
        if (perm[i] != i)
            for (int k = 0; k < 3; ++k) std::swap(pa(i, k), pa(perm[i], k));
    NmMatrix prod = l * uu;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(prod(i, j), pa(i, j), 1e-14);
}

TEST(NmMatrixLU, DecomposeLU_Singular2x2Tol1e10_FailsWithUnsetTail) {
    const double v[4] = {1, 2, 2, 4};
    NmMatrix a = fromRows(2, 2, v);
    NmIntVec perm;
    EXPECT_EQ(a.decomposeLU(perm, 1e-10), 0);
    ASSERT_EQ(perm.dim(), 2);
    EXPECT_EQ(perm[1], -1);
    // A solve with the failed permutation leaves b alone instead of indexing with -1.
    NmVector b(2, 1.0);
    a.solveLU(perm, b);
    EXPECT_EQ(b[0], 1.0);
    EXPECT_EQ(b[1], 1.0);
}

TEST(NmMatrixLU, DecomposeLU_ZeroPivotWithNonPositiveTol_StillFails) {
    const double v[4] = {0, 0, 0, 0};
    NmMatrix a = fromRows(2, 2, v);
    NmIntVec perm;
    EXPECT_EQ(a.decomposeLU(perm, 0.0), 0);
    NmMatrix n(2, kNaN);
    EXPECT_EQ(n.decomposeLU(perm, -1.0), 0);
}

TEST(NmMatrixLU, Decompositions_NonSquareOrEmpty_Fail) {
    NmMatrix r(2, 3), e;
    NmIntVec perm;
    EXPECT_EQ(r.decomposeLU(perm, 1e-12), 0);
    EXPECT_EQ(perm.dim(), 2);
    EXPECT_EQ(e.decomposeLU(perm, 1e-12), 0);
    EXPECT_EQ(r.LUdecompose(perm), 0);
    EXPECT_EQ(e.LUdecompose(perm), 0);
    double sign = 0.0;
    NmMatrix three(3, 1.0);
    EXPECT_EQ(three.decomposeLUScaling(perm, sign, 1e-12), 0);
    EXPECT_EQ(sign, 1.0);
}

TEST(NmMatrixLU, LUdecompose_TinyRow_RejectedAndMatrixUntouched) {
    const double v[4] = {3, 1, 1e-13, -1e-13};
    NmMatrix a = fromRows(2, 2, v);
    NmIntVec perm(2, 5);
    EXPECT_EQ(a.LUdecompose(perm), 0);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(a(k / 2, k % 2), v[k]);
}

TEST(NmMatrixLU, LUdecompose_SingularWithLargeRows_ReportsFailureNotInfinity) {
    // Every row passes the size test, but the second pivot is exactly zero.
    const double v[4] = {1, 2, 2, 4};
    NmMatrix a = fromRows(2, 2, v);
    NmIntVec perm;
    EXPECT_EQ(a.LUdecompose(perm), 0);
}

TEST(NmMatrixLU, SolveAfterLUdecompose_LeadingZerosInB_SameAsFullSums) {
    std::mt19937 rng(7);
    const NmMatrix a = randomWell(rng, 6);
    NmVector b(6);
    b[4] = 2.0;
    b[5] = -1.0;
    NmMatrix lu(a);
    NmIntVec perm;
    ASSERT_EQ(lu.LUdecompose(perm), 1);
    NmVector x(b), y(b);
    lu.solveAfterLUdecompose(x, perm);
    lu.solveLU(perm, y);
    EXPECT_LT((x - y).vecAbs(), 1e-15);
    EXPECT_LT(residual(a, x, b), 1e-12);
}

TEST(NmMatrixLU, Solves_MismatchedLengths_LeaveBUnchanged) {
    NmMatrix a(3, 2.0);
    NmIntVec perm;
    ASSERT_EQ(a.decomposeLU(perm, 1e-12), 1);
    NmVector b(2, 1.0);
    a.solveLU(perm, b);
    a.solveAfterLUdecompose(b, perm);
    EXPECT_EQ(b[0], 1.0);
    NmVector c(3, 1.0);
    a.solveLU(NmIntVec(2), c);
    EXPECT_EQ(c[2], 1.0);
    NmIntVec bad(3, 0);
    bad[2] = 7;
    a.solveLU(bad, c);
    EXPECT_EQ(c[2], 1.0);
}

TEST(NmMatrixLU, Determinant_KnownAndSingular_ProductWithSwapSign) {
    const double v[9] = {0, 2, 1, 1, 1, 1, 3, 0, 2};
    NmMatrix a = fromRows(3, 3, v);
    // Expansion along the first row: -2*(2-3) + 1*(0-3) = -1.
    EXPECT_NEAR(a.determinant(1e-12), -1.0, 1e-14);
    const double s[4] = {1, 2, 2, 4};
    NmMatrix b = fromRows(2, 2, s);
    EXPECT_EQ(b.determinant(1e-10), 0.0);
    NmMatrix r(2, 3);
    EXPECT_EQ(r.determinant(1e-10), 0.0);
    NmMatrix d(4, 2.0);
    EXPECT_DOUBLE_EQ(d.determinant(1e-12), 16.0);
}

TEST(NmMatrixLU, Invert_RandomMatrix_ProductIsIdentity) {
    std::mt19937 rng(99);
    for (int n = 1; n <= 7; ++n) {
        const NmMatrix a = randomWell(rng, n);
        NmMatrix inv(a);
        inv.invert(1e-12);
        NmMatrix p = a * inv;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) EXPECT_NEAR(p(i, j), i == j ? 1.0 : 0.0, 1e-13);
    }
}

TEST(NmMatrixLU, Invert_Singular_LeavesMatrixAsItWas) {
    const double v[4] = {1, 2, 2, 4};
    NmMatrix a = fromRows(2, 2, v);
    a.invert(1e-10);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(a(k / 2, k % 2), v[k]);
}

TEST(NmMatrixLU, DecomposeLUScaling_Random4x4_SolvesAndSignMatchesSwaps) {
    std::mt19937 rng(4);
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    for (int trial = 0; trial < 30; ++trial) {
        NmMatrix a(4);
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) a(i, j) = u(rng) * (i == 2 ? 1000.0 : 1.0);
        NmMatrix det(a);
        const double d = det.determinant(1e-14);
        NmMatrix lu(a);
        NmIntVec perm;
        double sign = 0.0;
        ASSERT_EQ(lu.decomposeLUScaling(perm, sign, 1e-14), 1);
        double prod = sign;
        for (int i = 0; i < 4; ++i) prod *= lu(i, i);
        EXPECT_NEAR(prod, d, 1e-9 * std::fabs(d) + 1e-12);
        NmVector b(4);
        for (int i = 0; i < 4; ++i) b[i] = u(rng);
        NmVector x(b);
        lu.solveLUs(perm, x);
        EXPECT_LT(residual(a, x, b), 1e-10);
    }
}

TEST(NmMatrixLU, DecomposeLUScaling_TieOnScaledPivot_LaterRowWins) {
    // Column 0 scaled values are all 1: the last row becomes the pivot.
    const double v[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    NmMatrix a = fromRows(4, 4, v);
    for (int i = 0; i < 4; ++i) a(i, 0) = 1.0;
    NmIntVec perm;
    double sign;
    ASSERT_EQ(a.decomposeLUScaling(perm, sign, 1e-12), 1);
    EXPECT_EQ(perm[0], 3);
    EXPECT_EQ(sign, -1.0);
}

TEST(NmMatrixLU, DecomposeLUScaling_SmallRowOrPivot_Fails) {
    NmMatrix a(4, 1.0);
    a(2, 2) = 1e-9;
    NmIntVec perm;
    double sign;
    EXPECT_EQ(a.decomposeLUScaling(perm, sign, 1e-6), 0);
    const double v[16] = {1, 2, 3, 4, 2, 4, 6, 8, 0, 0, 1, 0, 0, 0, 0, 1};
    NmMatrix s = fromRows(4, 4, v);
    EXPECT_EQ(s.decomposeLUScaling(perm, sign, 1e-10), 0);
}

TEST(NmMatrixLU, InvertLUs_General4x4_ProductIsIdentity) {
    const double v[16] = {2, 0, 1, 3, 1, 1, 0, 2, 0, 4, 1, 1, 3, 0, 0, 1};
    const NmMatrix a = fromRows(4, 4, v);
    NmMatrix inv(a);
    bool ok = false;
    inv.invertLUs(1e-12, ok);
    ASSERT_TRUE(ok);
    NmMatrix p = a * inv;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_NEAR(p(i, j), i == j ? 1.0 : 0.0, 1e-13);
}

TEST(NmMatrixLU, InvertLUs_UpperTriangular_InvertedWithoutDecomposition) {
    const double v[16] = {2, 1, 0, 5, 0, 4, 1, -2, 0, 0, 0.5, 3, 0, 0, 0, 1};
    const NmMatrix a = fromRows(4, 4, v);
    NmMatrix inv(a);
    bool ok = false;
    inv.invertLUs(1e-12, ok);
    ASSERT_TRUE(ok);
    NmMatrix p = inv * a;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_NEAR(p(i, j), i == j ? 1.0 : 0.0, 1e-14);
}

TEST(NmMatrixLU, InvertLUs_UpperTriangularZeroDiagonal_FailsAndKeepsMatrix) {
    // diag(1, 1, 0, 1): upper triangular, so no decomposition would test the zero pivot.
    NmMatrix a(4, 1.0);
    a(2, 2) = 0.0;
    bool ok = true;
    a.invertLUs(1e-12, ok);
    EXPECT_FALSE(ok);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            EXPECT_TRUE(std::isfinite(a(i, j)));
            EXPECT_EQ(a(i, j), i == j && i != 2 ? 1.0 : 0.0);
        }
    // A diagonal entry below the tolerance fails as the decomposition's pivot would.
    NmMatrix b(4, 1.0);
    b(0, 3) = 7.0;
    b(3, 3) = 1e-9;
    b.invertLUs(1e-6, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(b(3, 3), 1e-9);
    b(3, 3) = kNaN;
    b.invertLUs(1e-6, ok);
    EXPECT_FALSE(ok);
}

TEST(NmMatrixLU, InvertLUs_SingularOrWrongSize_FailsAndKeepsMatrix) {
    const double v[16] = {1, 2, 3, 4, 2, 4, 6, 8, 1, 0, 1, 0, 0, 1, 0, 1};
    NmMatrix a = fromRows(4, 4, v);
    bool ok = true;
    a.invertLUs(1e-10, ok);
    EXPECT_FALSE(ok);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(a(k / 4, k % 4), v[k]);
    NmMatrix three(3, 1.0);
    ok = true;
    three.invertLUs(1e-10, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(three(0, 0), 1.0);
}

TEST(NmMatrixLU, InvertLUs_ZeroTolTinyPivot_OverflowIsFailure) {
    NmMatrix a(4, 1.0);
    a(1, 1) = 1e-310;
    a(1, 3) = 1e10;
    bool ok = true;
    a.invertLUs(0.0, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(a(1, 1), 1e-310);
    a(1, 1) = 0.0;
    a.invertLUs(0.0, ok);
    EXPECT_FALSE(ok);
    a(1, 0) = 1.0;  // no longer triangular: the decomposition meets the zero pivot
    a.invertLUs(-1.0, ok);
    EXPECT_FALSE(ok);
}

TEST(NmMatrixLU, InvertLU4_RawBlock_NoHeapTraffic) {
    CountingHooks hooks;
    double a[16] = {4, 1, 0, 0, 1, 3, 1, 0, 0, 1, 2, 0, 1, 2, 3, 1};
    const double orig[16] = {4, 1, 0, 0, 1, 3, 1, 0, 0, 1, 2, 0, 1, 2, 3, 1};
    ASSERT_EQ(nmInvertLU4(a, 1e-12), 1);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double s = 0.0;
            for (int k = 0; k < 4; ++k) s += orig[i * 4 + k] * a[k * 4 + j];
            EXPECT_NEAR(s, i == j ? 1.0 : 0.0, 1e-14);
        }
    EXPECT_EQ(CountingHooks::allocs(), 0);
}

TEST(NmMatrixLU, SymmetricLU_PositiveDefinite_SolvesSystem) {
    std::mt19937 rng(31);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int n = 1; n <= 8; ++n) {
        NmMatrix g(n);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) g(i, j) = u(rng);
        NmMatrix gt(g);
        gt.transpose();
        NmMatrix a = g * gt + NmMatrix(n, 0.5);
        NmVector b(n);
        for (int i = 0; i < n; ++i) b[i] = u(rng);
        NmMatrix f(a);
        NmVector x(b);
        ASSERT_EQ(f.symmetricLU(x, 1e-12), 0);
        EXPECT_LT(residual(a, x, b), 1e-12);
    }
}

TEST(NmMatrixLU, SymmetricLU_ReadsUpperTriangleOnly) {
    const double v[4] = {4, 2, -99, 3};  // lower entry is scratch
    NmMatrix a = fromRows(2, 2, v);
    NmVector b(2);
    b[0] = 6.0;
    b[1] = 5.0;
    ASSERT_EQ(a.symmetricLU(b, 1e-12), 0);
    EXPECT_NEAR(b[0], 1.0, 1e-15);
    EXPECT_NEAR(b[1], 1.0, 1e-15);
}

TEST(NmMatrixLU, SymmetricLU_NotPositiveDefinite_NamesFirstFailingPivot) {
    const double v[9] = {4, 2, 0, 2, 1, 0, 0, 0, 1};
    NmMatrix a = fromRows(3, 3, v);
    NmVector b(3, 1.0);
    EXPECT_EQ(a.symmetricLU(b, 1e-12), 2);
    NmMatrix neg(3, -1.0);
    EXPECT_EQ(neg.symmetricLU(b, 1e-12), 1);
    // A zero pivot does not pass a negative tolerance.
    NmMatrix z(2);
    NmVector b2(2, 1.0);
    EXPECT_EQ(z.symmetricLU(b2, -1.0), 1);
    NmMatrix nan(2, kNaN);
    EXPECT_EQ(nan.symmetricLU(b2, 1e-12), 1);
}

TEST(NmMatrixLU, SymmetricLU_MatrixSmallerThanB_NamesNoPivot) {
    NmMatrix a(2, 1.0);
    NmVector b(3, 1.0);
    EXPECT_EQ(a.symmetricLU(b, 1e-12), -1);
    EXPECT_EQ(b[2], 1.0);
}
