// Inverses, determinant and singularity of the space matrix.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "test_helpers.h"
#include "vqge_matrix3d.h"

namespace {
void expectAllNear(const VqGeMatrix3d& a, const VqGeMatrix3d& b, double eps) {
    for (unsigned int r = 0; r < 4; ++r)
        for (unsigned int c = 0; c < 4; ++c)
            EXPECT_NEAR(a(r, c), b(r, c), eps) << "entry (" << r << ", " << c << ")";
}

bool allFinite(const VqGeMatrix3d& m) {
    for (unsigned int r = 0; r < 4; ++r)
        for (unsigned int c = 0; c < 4; ++c)
            if (!std::isfinite(m(r, c))) return false;
    return true;
}

VqGeMatrix3d diag(double a, double b, double c, double d = 1.0) {
    VqGeMatrix3d m;
    m(0, 0) = a;
    m(1, 1) = b;
    m(2, 2) = c;
    m(3, 3) = d;
    return m;
}

// Random well-conditioned affine matrix: rotation, per-axis scale in [0.5, 2], translation.
VqGeMatrix3d randomAffine(std::mt19937& gen) {
    std::uniform_real_distribution<double> unit(-1.0, 1.0), fac(0.5, 2.0);
    const VqGeVector3d axis(unit(gen), unit(gen), unit(gen) + 2.0);
    VqGeMatrix3d m = VqGeMatrix3d::rotation(3.0 * unit(gen), axis);
    m.postMultBy(diag(fac(gen), fac(gen), fac(gen)));
    m.setTranslation(VqGeVector3d(10 * unit(gen), 10 * unit(gen), 10 * unit(gen)));
    return m;
}

// Random matrix with a genuine projective row, kept away from singularity by its diagonal.
VqGeMatrix3d randomProjective(std::mt19937& gen) {
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    VqGeMatrix3d m;
    for (unsigned int r = 0; r < 4; ++r)
        for (unsigned int c = 0; c < 4; ++c) m(r, c) = unit(gen) + (r == c ? 4.0 : 0.0);
    return m;
}
}  // namespace

TEST(Matrix3d, Inverse_RandomAffine_ProductIsIdentity) {
    std::mt19937 gen(1234);
    for (int i = 0; i < 200; ++i) {
        const VqGeMatrix3d m = randomAffine(gen);
        const VqGeMatrix3d inv = m.inverse();
        expectAllNear(m * inv, VqGeMatrix3d::kIdentity, 1e-12);
        expectAllNear(inv * m, VqGeMatrix3d::kIdentity, 1e-12);
        // The affine path writes the projective row exactly.
        EXPECT_EQ(inv(3, 0), 0.0);
        EXPECT_EQ(inv(3, 1), 0.0);
        EXPECT_EQ(inv(3, 2), 0.0);
        EXPECT_EQ(inv(3, 3), 1.0);
    }
}

TEST(Matrix3d, Inverse_RandomProjective_ProductIsIdentity) {
    std::mt19937 gen(98765);
    for (int i = 0; i < 200; ++i) {
        const VqGeMatrix3d m = randomProjective(gen);
        const VqGeMatrix3d inv = m.inverse();
        expectAllNear(m * inv, VqGeMatrix3d::kIdentity, 1e-12);
        expectAllNear(inv * m, VqGeMatrix3d::kIdentity, 1e-12);
    }
}

TEST(Matrix3d, Inverse_RowWithinAffineBound_TakesCofactorPath) {
    VqGeMatrix3d m = VqGeMatrix3d::rotation(0.7, VqGeVector3d(1, 2, 3));
    m.setTranslation(VqGeVector3d(1, -2, 3));
    m(3, 3) = 1.0 + 1e-11;
    const VqGeMatrix3d inv = m.inverse();
    // Elimination would give 1 / (1 + 1e-11) here; the cofactor path writes 1 exactly.
    EXPECT_EQ(inv(3, 3), 1.0);
    EXPECT_EQ(inv(3, 0), 0.0);
    VqGeMatrix3d affine(m);
    affine(3, 3) = 1.0;
    expectAllNear(affine * inv, VqGeMatrix3d::kIdentity, 1e-14);
}

TEST(Matrix3d, Inverse_ProjectiveRowTwo_TakesEliminationPath) {
    VqGeMatrix3d m = VqGeMatrix3d::rotation(0.7, VqGeVector3d(1, 2, 3));
    m.setTranslation(VqGeVector3d(1, -2, 3));
    m(3, 3) = 2.0;
    const VqGeMatrix3d inv = m.inverse();
    EXPECT_DOUBLE_EQ(inv(3, 3), 0.5);
    expectAllNear(m * inv, VqGeMatrix3d::kIdentity, 1e-14);
    expectAllNear(inv * m, VqGeMatrix3d::kIdentity, 1e-14);
}

TEST(Matrix3d, Inverse_PivotNeedsRowSwap_ProductIsIdentity) {
    // Zero leading entries force the elimination to swap rows.
    VqGeMatrix3d m;
    m(0, 0) = 0.0;
    m(0, 1) = 1.0;
    m(1, 0) = 1.0;
    m(1, 1) = 0.0;
    m(3, 2) = 0.5;
    const VqGeMatrix3d inv = m.inverse();
    expectAllNear(m * inv, VqGeMatrix3d::kIdentity, 1e-15);
}

TEST(Matrix3d, Inverse_Singular_GivesNonFiniteEntries) {
    // The plain inverses do not test: callers detect the failure by the non-finite entries.
    EXPECT_FALSE(allFinite(diag(1, 1, 0).inverse()));
    VqGeMatrix3d projective = diag(1, 1, 1, 2);
    projective(3, 0) = 1.0;
    projective(0, 0) = 0.5;  // row 3 = 2 x row 0: singular on the elimination path
    projective(0, 3) = 1.0;
    EXPECT_FALSE(allFinite(projective.inverse()));
}

TEST(Matrix3d, Invert_InPlace_MatchesInverseAndChains) {
    std::mt19937 gen(77);
    const VqGeMatrix3d m = randomAffine(gen);
    VqGeMatrix3d n(m);
    VqGeMatrix3d& ref = n.invert();
    EXPECT_EQ(&ref, &n);
    expectAllNear(n, m.inverse(), 0.0);
}

TEST(Matrix3d, InverseTol_RandomMatrices_MatchPlainInverse) {
    std::mt19937 gen(4242);
    for (int i = 0; i < 100; ++i) {
        const VqGeMatrix3d m = (i % 2) ? randomAffine(gen) : randomProjective(gen);
        VqGeMatrix3d inv;
        ASSERT_EQ(m.inverse(inv, 1e-10), 1);
        expectAllNear(inv, m.inverse(), 1e-12);
        expectAllNear(m * inv, VqGeMatrix3d::kIdentity, 1e-12);
    }
}

TEST(Matrix3d, InverseTol_UpperTriangular_InvertsWithoutDecomposing) {
    VqGeMatrix3d m = diag(2, 4, 8);
    m.setTranslation(VqGeVector3d(1, 2, 3));
    m(0, 1) = 1.0;
    VqGeMatrix3d inv;
    ASSERT_EQ(m.inverse(inv, 1e-10), 1);
    expectAllNear(m * inv, VqGeMatrix3d::kIdentity, 1e-15);
}

TEST(Matrix3d, InverseTol_SingularUpperTriangular_FailsAndLeavesResult) {
    const VqGeMatrix3d sentinel = VqGeMatrix3d::translation(VqGeVector3d(7, 8, 9));
    const VqGeMatrix3d cases[] = {diag(1, 1, 0), diag(1, 1, 1e-12), diag(0, 1, 1, 1),
                                  diag(1, 1, 1, 0)};
    for (const VqGeMatrix3d& m : cases) {
        VqGeMatrix3d result(sentinel);
        EXPECT_EQ(m.inverse(result, 1e-10), 0);
        expectAllNear(result, sentinel, 0.0);
    }
}

TEST(Matrix3d, InverseTol_SingularWithZeroTolerance_Fails) {
    // Row 1 = 2 x row 0: the decomposition meets an exact zero pivot that a tolerance of 0
    // (or below) does not reject; the quotient must still not come back as an inverse.
    VqGeMatrix3d m;
    m(0, 1) = 2.0;
    m(1, 0) = 2.0;
    m(1, 1) = 4.0;
    const VqGeMatrix3d sentinel = VqGeMatrix3d::translation(VqGeVector3d(1, 1, 1));
    for (double tol : {0.0, -1.0, 1e-10}) {
        VqGeMatrix3d result(sentinel);
        EXPECT_EQ(m.inverse(result, tol), 0) << "tol " << tol;
        expectAllNear(result, sentinel, 0.0);
    }
}

TEST(Matrix3d, InverseTol_NotANumberEntry_Fails) {
    VqGeMatrix3d m;
    m(1, 2) = std::numeric_limits<double>::quiet_NaN();
    VqGeMatrix3d result;
    EXPECT_EQ(m.inverse(result, 1e-10), 0);
    EXPECT_TRUE(allFinite(result));
    m(1, 2) = 0.0;
    m(2, 1) = std::numeric_limits<double>::quiet_NaN();  // below the diagonal: decomposed
    EXPECT_EQ(m.inverse(result, 1e-10), 0);
    EXPECT_TRUE(allFinite(result));
}

TEST(Matrix3d, InverseTol_ResultIsThisMatrix_Works) {
    VqGeMatrix3d m = diag(2, 4, 8);
    ASSERT_EQ(m.inverse(m, 1e-10), 1);
    expectAllNear(m, diag(0.5, 0.25, 0.125), 0.0);
}

TEST(Matrix3d, Det_IgnoresTranslationAndProjectiveRow) {
    EXPECT_EQ(VqGeMatrix3d::translation(VqGeVector3d(5, 6, 7)).det(), 1.0);
    VqGeMatrix3d m;
    m(0, 0) = 2;
    m(0, 1) = 1;
    m(1, 0) = 1;
    m(1, 1) = 3;
    m(2, 2) = 4;
    m(3, 0) = 9;
    m(3, 3) = 5;
    EXPECT_DOUBLE_EQ(m.det(), 20.0);
    EXPECT_DOUBLE_EQ(diag(1, 1, -1).det(), -1.0);
}

TEST(Matrix3d, IsSingular_AxisCases_FollowAxisTests) {
    EXPECT_EQ(diag(1, 1, 0).isSingular(), 1);
    EXPECT_EQ(VqGeMatrix3d::kIdentity.isSingular(), 0);
    VqGeMatrix3d coplanar;
    coplanar.setCoordSystem(VqGePoint3d::kOrigin, VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0),
                            VqGeVector3d(1, 1, 0));
    EXPECT_EQ(coplanar.isSingular(), 0);  // pairwise non-parallel axes only are tested
    EXPECT_EQ(coplanar.det(), 0.0);
    VqGeMatrix3d parallel;
    parallel.setCoordSystem(VqGePoint3d::kOrigin, VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0),
                            VqGeVector3d(-3, 0, 0));
    EXPECT_EQ(parallel.isSingular(), 1);
    // A loose tolerance makes nearly parallel axes singular.
    VqGeMatrix3d near;
    near.setCoordSystem(VqGePoint3d::kOrigin, VqGeVector3d(1, 0, 0), VqGeVector3d(1, 1e-6, 0),
                        VqGeVector3d(0, 0, 1));
    EXPECT_EQ(near.isSingular(), 0);
    VqGeTol loose;
    loose.setEqualVector(1e-5);
    EXPECT_EQ(near.isSingular(loose), 1);
}
