// The plane matrix: products, inverse, queries, the conformal test and the builders.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "test_helpers.h"
#include "vqge_matrix2d.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

void expectAllNear(const VqGeMatrix2d& a, const VqGeMatrix2d& b, double eps) {
    for (unsigned int r = 0; r < 3; ++r)
        for (unsigned int c = 0; c < 3; ++c)
            EXPECT_NEAR(a(r, c), b(r, c), eps) << "entry (" << r << ", " << c << ")";
}

VqGeMatrix2d fromRows(double a, double b, double c, double d, double e, double f, double g = 0,
                      double h = 0, double i = 1) {
    VqGeMatrix2d m;
    m(0, 0) = a;
    m(0, 1) = b;
    m(0, 2) = c;
    m(1, 0) = d;
    m(1, 1) = e;
    m(1, 2) = f;
    m(2, 0) = g;
    m(2, 1) = h;
    m(2, 2) = i;
    return m;
}
}  // namespace

TEST(Matrix2d, Products_AliasedAndOrdered_MatchPlainProduct) {
    const VqGeMatrix2d a = fromRows(1, 2, 3, 4, 5, 6, 7, 8, 9);
    const VqGeMatrix2d b = fromRows(0, -1, 2, 1, 0, -3, 0.5, 0, 1);
    const VqGeMatrix2d p = a * b;
    EXPECT_EQ(p(1, 2), 4 * 2 + 5 * -3 + 6 * 1);
    VqGeMatrix2d m(a);
    m.setToProduct(m, b);
    expectAllNear(m, p, 0.0);
    m = a;
    m.setToProduct(b, m);
    expectAllNear(m, b * a, 0.0);
    m = a;
    m.postMultBy(b);
    expectAllNear(m, p, 0.0);
    m = a;
    m.preMultBy(b);
    expectAllNear(m, b * a, 0.0);
    m = a;
    m *= m;
    expectAllNear(m, a * a, 0.0);
    expectAllNear(a.transpose().transpose(), a, 0.0);
    EXPECT_EQ(a.transpose()(0, 2), 7.0);
}

TEST(Matrix2d, Inverse_RandomAffineAndProjective_ProductIsIdentity) {
    std::mt19937 gen(31337);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 200; ++i) {
        VqGeMatrix2d m;
        for (unsigned int r = 0; r < 3; ++r)
            for (unsigned int c = 0; c < 3; ++c) m(r, c) = unit(gen) + (r == c ? 3.0 : 0.0);
        if (i % 2) {
            m(2, 0) = m(2, 1) = 0.0;
            m(2, 2) = 1.0;
        }
        const VqGeMatrix2d inv = m.inverse();
        expectAllNear(m * inv, VqGeMatrix2d::kIdentity, 1e-13);
        VqGeMatrix2d n(m);
        EXPECT_EQ(&n.invert(), &n);
        expectAllNear(n, inv, 0.0);
    }
}

TEST(Matrix2d, Inverse_Singular_GivesNonFiniteEntries) {
    const VqGeMatrix2d inv = fromRows(1, 2, 0, 2, 4, 0).inverse();
    EXPECT_FALSE(std::isfinite(inv(0, 0)));
}

TEST(Matrix2d, DetAndSingular_UpperBlockOnly) {
    EXPECT_EQ(VqGeMatrix2d::translation(VqGeVector2d(4, 5)).det(), 1.0);
    EXPECT_DOUBLE_EQ(fromRows(2, 1, 9, 1, 3, 9, 1, 1, 7).det(), 5.0);
    EXPECT_EQ(fromRows(1, 2, 0, 2, 4, 0).isSingular(), 1);
    EXPECT_EQ(fromRows(1, 0, 0, 0, 0, 0).isSingular(), 1);
    EXPECT_EQ(fromRows(1, 1, 0, 0, 1, 0).isSingular(), 0);
}

TEST(Matrix2d, Queries_EqualityOrthogonalityScale) {
    const VqGeMatrix2d a = fromRows(3, -4, 1, 4, 3, 2);
    VqGeMatrix2d b(a);
    b(2, 0) = 5.0;
    EXPECT_TRUE(a == b);  // the projective row is not compared
    b(1, 2) += 1e-9;
    EXPECT_TRUE(a != b);
    EXPECT_EQ(a.isScaledOrtho(), 1);
    EXPECT_EQ(a.isUniScaledOrtho(), 1);
    const VqGeMatrix2d stretched = fromRows(3, 0, 0, 0, 1, 0);
    EXPECT_EQ(stretched.isScaledOrtho(), 1);
    EXPECT_EQ(stretched.isUniScaledOrtho(), 0);
    EXPECT_EQ(fromRows(1, 0.5, 0, 0, 1, 0).isScaledOrtho(), 0);
    // The scale is the length of the first row: here it differs from the first column's.
    EXPECT_DOUBLE_EQ(fromRows(3, 4, 0, 1, 0, 0).scale(), 5.0);
}

TEST(Matrix2d, CoordSystem_RoundTrip) {
    VqGeMatrix2d m = fromRows(1, 2, 3, 4, 5, 6, 7, 8, 9);
    m.setCoordSystem(VqGePoint2d(1, 2), VqGeVector2d(3, 4), VqGeVector2d(5, 6));
    EXPECT_EQ(m(1, 0), 4.0);
    EXPECT_EQ(m(2, 2), 1.0);
    EXPECT_EQ(m(2, 0), 0.0);
    VqGePoint2d o;
    VqGeVector2d e0, e1;
    m.getCoordSystem(o, e0, e1);
    EXPECT_PT2_NEAR(o, 1, 2, 0.0);
    EXPECT_PT2_NEAR(e0, 3, 4, 0.0);
    EXPECT_PT2_NEAR(e1, 5, 6, 0.0);
    EXPECT_PT2_NEAR(m.translation(), 1, 2, 0.0);
    m.setTranslation(VqGeVector2d(-1, -1));
    EXPECT_PT2_NEAR(m.translation(), -1, -1, 0.0);
    EXPECT_EQ(m(0, 0), 3.0);
}

TEST(Matrix2d, IsConformal_ScaledRotation_ScaleAndAngle) {
    const VqGeMatrix2d m = VqGeMatrix2d::rotation(kPi / 6) * VqGeMatrix2d::scaling(2.0);
    double scale = 0, angle = 0;
    int mirror = -1;
    VqGeVector2d line(9, 9);
    ASSERT_EQ(m.isConformal(scale, angle, mirror, line), 1);
    EXPECT_NEAR(scale, 2.0, 1e-15);
    EXPECT_NEAR(angle, kPi / 6, 1e-15);
    EXPECT_EQ(mirror, 0);
}

TEST(Matrix2d, IsConformal_Reflections_LineOfReflection) {
    double scale = 0, angle = 1;
    int mirror = -1;
    VqGeVector2d line;
    ASSERT_EQ(fromRows(1, 0, 0, 0, -1, 0).isConformal(scale, angle, mirror, line), 1);
    EXPECT_EQ(mirror, 1);
    EXPECT_EQ(angle, 0.0);
    EXPECT_PT2_NEAR(line, 1, 0, 1e-15);
    // r00 < 0 takes the other form of the bisector.
    ASSERT_EQ(fromRows(-2, 0, 0, 0, 2, 0).isConformal(scale, angle, mirror, line), 1);
    EXPECT_EQ(mirror, 1);
    EXPECT_DOUBLE_EQ(scale, 2.0);
    EXPECT_PT2_NEAR(line, 0, 1, 1e-15);
    // Reflection in the line at 30 degrees.
    const double c = std::cos(kPi / 3), s = std::sin(kPi / 3);
    ASSERT_EQ(fromRows(c, s, 0, s, -c, 0).isConformal(scale, angle, mirror, line), 1);
    EXPECT_EQ(mirror, 1);
    EXPECT_PT2_NEAR(line, std::cos(kPi / 6), std::sin(kPi / 6), 1e-15);
}

TEST(Matrix2d, IsConformal_ShearOrTiny_ReturnsZero) {
    double scale = 0, angle = 0;
    int mirror = 0;
    VqGeVector2d line;
    EXPECT_EQ(fromRows(1, 0.5, 0, 0, 1, 0).isConformal(scale, angle, mirror, line), 0);
    EXPECT_EQ(fromRows(1, 0, 0, 0, 2, 0).isConformal(scale, angle, mirror, line), 0);
    EXPECT_EQ(fromRows(1e-8, 0, 0, 0, 1e-8, 0).isConformal(scale, angle, mirror, line), 0);
}

TEST(Matrix2d, Builders_AboutCenter_FixCenter) {
    const VqGePoint2d c(1, 2);
    const VqGeMatrix2d r = VqGeMatrix2d::rotation(kPi / 2, c);
    EXPECT_PT2_NEAR(r * VqGePoint2d(2, 2), 1, 3, 1e-15);
    const VqGeMatrix2d s = VqGeMatrix2d::scaling(-2.0, c);
    EXPECT_PT2_NEAR(s * VqGePoint2d(2, 2), -1, 2, 0.0);
    const VqGeMatrix2d m = VqGeMatrix2d::mirroring(c);
    EXPECT_PT2_NEAR(m * VqGePoint2d(2, 3), 0, 1, 1e-15);
    const VqGeMatrix2d t = VqGeMatrix2d::translation(VqGeVector2d(1, -1));
    EXPECT_PT2_NEAR(t * VqGePoint2d(2, 3), 3, 2, 0.0);
    VqGeMatrix2d x;
    expectAllNear(x.setToRotation(kPi / 2, c), r, 0.0);
    expectAllNear(x.setToScaling(-2.0, c), s, 0.0);
    expectAllNear(x.setToMirroring(c), m, 0.0);
    expectAllNear(x.setToTranslation(VqGeVector2d(1, -1)), t, 0.0);
}

TEST(Matrix2d, AlignCoordSys_RandomFrames_MapsOneOntoTheOther) {
    std::mt19937 gen(8);
    std::uniform_real_distribution<double> unit(-3.0, 3.0);
    for (int i = 0; i < 100; ++i) {
        const VqGePoint2d fo(unit(gen), unit(gen)), to(unit(gen), unit(gen));
        const VqGeVector2d fe0(1 + unit(gen) * 0.1, unit(gen) * 0.1);
        const VqGeVector2d fe1(unit(gen) * 0.1, 2 + unit(gen) * 0.1);
        const VqGeVector2d te0(unit(gen), unit(gen));
        const VqGeVector2d te1 = te0.perpVector() * 0.5;
        const VqGeMatrix2d m = VqGeMatrix2d::alignCoordSys(fo, fe0, fe1, to, te0, te1);
        const VqGePoint2d img = m * (fo + fe0 * 2.0 - fe1);
        const VqGePoint2d want = to + te0 * 2.0 - te1;
        EXPECT_LT(img.distanceTo(want), 1e-12);
        EXPECT_LT((m * fe1 - te1).length(), 1e-12);
    }
}
