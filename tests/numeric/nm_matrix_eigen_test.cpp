// NmMatrix symmetric eigen-decomposition.
#include <cmath>
#include <limits>
#include <random>

#include "nm_matrix.h"
#include "test_helpers.h"

namespace {

NmMatrix randomSymmetric(std::mt19937& rng, int n) {
    std::uniform_real_distribution<double> u(-10.0, 10.0);
    NmMatrix m(n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j <= i; ++j) m(i, j) = m(j, i) = u(rng);
    return m;
}

// |V*diag(d)*Vt - A| and |Vt*V - I|, largest entries.
void decompositionErrors(const NmMatrix& a, const NmMatrix& v, const NmVector& d,
                         double& reconstruct, double& orthonormal) {
    const int n = a.rowDim();
    reconstruct = orthonormal = 0.0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            double r = 0.0, o = 0.0;
            for (int k = 0; k < n; ++k) {
                r += v(i, k) * d[k] * v(j, k);
                o += v(k, i) * v(k, j);
            }
            reconstruct = std::fmax(reconstruct, std::fabs(r - a(i, j)));
            orthonormal = std::fmax(orthonormal, std::fabs(o - (i == j ? 1.0 : 0.0)));
        }
}

}  // namespace

TEST(NmMatrixEigen, Eigensystem_RandomSymmetric_ReconstructsWithOrthonormalVectors) {
    std::mt19937 rng(1234);
    for (int trial = 0; trial < 30; ++trial) {
        const int n = 1 + trial % 12;
        const NmMatrix a = randomSymmetric(rng, n);
        NmMatrix v(a);
        NmVector d;
        ASSERT_EQ(v.eigensystem(d), 1);
        ASSERT_EQ(d.dim(), n);
        double rec, orth;
        decompositionErrors(a, v, d, rec, orth);
        EXPECT_LT(rec, 1e-11);
        EXPECT_LT(orth, 1e-13);
        // Each column is an eigenvector of its own value.
        for (int i = 0; i < n; ++i) {
            const NmVector col = v.column(i);
            EXPECT_LT((a * col - d[i] * col).vecAbs(), 1e-11);
        }
    }
}

TEST(NmMatrixEigen, Eigensystem_Diagonal_DiagonalValuesIdentityVectors) {
    const double p[4] = {3.0, -1.0, 7.0, 0.5};
    NmMatrix a(NmVector(4, p));
    NmVector d;
    ASSERT_EQ(a.eigensystem(d), 1);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(d[i], p[i]);
        for (int j = 0; j < 4; ++j) EXPECT_EQ(a(i, j), i == j ? 1.0 : 0.0);
    }
}

TEST(NmMatrixEigen, Eigensystem_Known2x2_ValuesAndVectors) {
    NmMatrix a(2);
    a(0, 0) = 2.0;
    a(0, 1) = a(1, 0) = 1.0;
    a(1, 1) = 2.0;
    NmVector d;
    ASSERT_EQ(a.eigensystem(d), 1);
    const int hi = d[0] > d[1] ? 0 : 1;
    EXPECT_NEAR(d[hi], 3.0, 1e-14);
    EXPECT_NEAR(d[1 - hi], 1.0, 1e-14);
    EXPECT_NEAR(std::fabs(a(0, hi)), std::sqrt(0.5), 1e-14);
    EXPECT_NEAR(a(0, hi), a(1, hi), 1e-14);
    EXPECT_NEAR(a(0, 1 - hi), -a(1, 1 - hi), 1e-14);
}

TEST(NmMatrixEigen, Eigensystem_RepeatedAndZeroEigenvalues_StillOrthonormal) {
    // Rank one 5 x 5 (all ones): eigenvalues 5 and four zeros.
    NmMatrix a(5, 5);
    a = 1.0;
    const NmMatrix orig(a);
    NmVector d;
    ASSERT_EQ(a.eigensystem(d), 1);
    int big = 0;
    for (int i = 0; i < 5; ++i) {
        if (std::fabs(d[i] - 5.0) < 1e-12)
            ++big;
        else
            EXPECT_NEAR(d[i], 0.0, 1e-12);
    }
    EXPECT_EQ(big, 1);
    double rec, orth;
    decompositionErrors(orig, a, d, rec, orth);
    EXPECT_LT(rec, 1e-13);
    EXPECT_LT(orth, 1e-13);
}

TEST(NmMatrixEigen, Eigensystem_TinyRowScale_RowSkippedButResultValid) {
    // The last row's entries left of the diagonal sum below 1e-12: no reflection there.
    NmMatrix a(3);
    a(0, 0) = 2.0;
    a(0, 1) = a(1, 0) = 0.5;
    a(1, 1) = 1.0;
    a(2, 2) = 4.0;
    a(2, 0) = a(0, 2) = 1e-14;
    const NmMatrix orig(a);
    NmVector d;
    ASSERT_EQ(a.eigensystem(d), 1);
    double rec, orth;
    decompositionErrors(orig, a, d, rec, orth);
    EXPECT_LT(rec, 1e-12);
    EXPECT_LT(orth, 1e-13);
}

TEST(NmMatrixEigen, Eigensystem_NonFinite_IterationLimitEndsWithFailure) {
    NmMatrix a(3, 1.0);
    a(0, 1) = a(1, 0) = std::numeric_limits<double>::quiet_NaN();
    NmVector d;
    EXPECT_EQ(a.eigensystem(d), 0);
    NmMatrix b(4, 1.0);
    b(3, 2) = b(2, 3) = std::numeric_limits<double>::infinity();
    EXPECT_EQ(b.eigensystem(d), 0);
}

TEST(NmMatrixEigen, Eigensystem_NonSquareOrEmpty_Fails) {
    NmMatrix r(2, 3), e;
    NmVector d(7, 1.0);
    EXPECT_EQ(r.eigensystem(d), 0);
    EXPECT_EQ(d.dim(), 2);
    EXPECT_EQ(e.eigensystem(d), 0);
    EXPECT_EQ(d.dim(), 0);
}

TEST(NmMatrixEigen, Eigensystem_OneByOne_ValueAndUnitVector) {
    NmMatrix a(1, -2.5);
    NmVector d;
    ASSERT_EQ(a.eigensystem(d), 1);
    EXPECT_EQ(d[0], -2.5);
    EXPECT_EQ(a(0, 0), 1.0);
}
