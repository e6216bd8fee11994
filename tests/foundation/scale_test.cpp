// Per-axis scales in the plane and in space, and their link with matrices.
#include <gtest/gtest.h>

#include <cmath>

#include "test_helpers.h"
#include "vqge_scale2d.h"
#include "vqge_scale3d.h"

#define EXPECT_SCALE3_NEAR(s, ex, ey, ez, eps) \
    do {                                       \
        EXPECT_NEAR((s).sx, (ex), (eps));      \
        EXPECT_NEAR((s).sy, (ey), (eps));      \
        EXPECT_NEAR((s).sz, (ez), (eps));      \
    } while (0)

#define EXPECT_SCALE2_NEAR(s, ex, ey, eps) \
    do {                                   \
        EXPECT_NEAR((s).sx, (ex), (eps));  \
        EXPECT_NEAR((s).sy, (ey), (eps));  \
    } while (0)

namespace {
VqGeMatrix3d diag3(double a, double b, double c) {
    VqGeMatrix3d m;
    m(0, 0) = a;
    m(1, 1) = b;
    m(2, 2) = c;
    return m;
}
}  // namespace

TEST(Scale3d, Constructors_DefaultsAndUniform) {
    EXPECT_SCALE3_NEAR(VqGeScale3d(), 1, 1, 1, 0.0);
    const VqGeScale3d u(2.5);
    EXPECT_EQ(u[0], 2.5);
    EXPECT_EQ(u[1], 2.5);
    EXPECT_EQ(u[2], 2.5);
    EXPECT_TRUE(VqGeScale3d::kIdentity == VqGeScale3d(1, 1, 1));
    VqGeScale3d s;
    s[2] = 4.0;
    EXPECT_EQ(s.sz, 4.0);
}

TEST(Scale3d, Products_Componentwise) {
    const VqGeScale3d a(1, 2, 3), b(4, 5, 6);
    EXPECT_SCALE3_NEAR(a * b, 4, 10, 18, 0.0);
    EXPECT_SCALE3_NEAR(a * 2.0, 2, 4, 6, 0.0);
    EXPECT_SCALE3_NEAR(2.0 * a, 2, 4, 6, 0.0);
    VqGeScale3d c(a);
    c.preMultBy(b);
    EXPECT_SCALE3_NEAR(c, 4, 10, 18, 0.0);
    c = a;
    c.postMultBy(b).setToProduct(c, c);
    EXPECT_SCALE3_NEAR(c, 16, 100, 324, 0.0);
    c = a;
    c *= 3.0;
    c *= b;
    EXPECT_SCALE3_NEAR(c, 12, 30, 54, 0.0);
    EXPECT_SCALE3_NEAR(c.setToProduct(a, -1.0), -1, -2, -3, 0.0);
}

TEST(Scale3d, Inverse_ReciprocalsAndUnguardedZero) {
    EXPECT_SCALE3_NEAR(VqGeScale3d(2, 4, -8).inverse(), 0.5, 0.25, -0.125, 0.0);
    VqGeScale3d s(2, 0, 1);
    s.invert();
    EXPECT_EQ(s.sx, 0.5);
    EXPECT_TRUE(std::isinf(s.sy));
}

TEST(Scale3d, Tests_ProportionalAndEqual) {
    EXPECT_EQ(VqGeScale3d(2, -2, 2).isProportional(), 1);
    EXPECT_EQ(VqGeScale3d(1, 2, 1).isProportional(), 0);
    EXPECT_EQ(VqGeScale3d(1, 1, 1 + 1e-13).isProportional(), 1);
    EXPECT_TRUE(VqGeScale3d(1, 2, 3) == VqGeScale3d(1, 2, 3 + 1e-13));
    EXPECT_TRUE(VqGeScale3d(1, 2, 3) != VqGeScale3d(1, 2, 3 + 1e-11));
    VqGeTol loose;
    loose.setEqualVector(1e-10);
    EXPECT_EQ(VqGeScale3d(1, 2, 3).isEqualTo(VqGeScale3d(1, 2, 3 + 1e-11), loose), 1);
}

TEST(Scale3d, GetMatrix_KeepsTranslationAndProjectiveRow) {
    VqGeMatrix3d m = VqGeMatrix3d::rotation(0.5, VqGeVector3d(1, 1, 1));
    m.setTranslation(VqGeVector3d(7, 8, 9));
    m(3, 1) = 0.25;
    VqGeScale3d(2, 3, 4).getMatrix(m);
    EXPECT_EQ(m(0, 0), 2.0);
    EXPECT_EQ(m(2, 2), 4.0);
    EXPECT_EQ(m(0, 1), 0.0);
    EXPECT_EQ(m(2, 0), 0.0);
    EXPECT_PT3_NEAR(m.translation(), 7, 8, 9, 0.0);
    EXPECT_EQ(m(3, 1), 0.25);
    const VqGeMatrix3d conv = VqGeScale3d(2, 3, 4);
    EXPECT_EQ(conv(1, 1), 3.0);
    EXPECT_EQ(conv(0, 3), 0.0);
    EXPECT_EQ(conv(3, 3), 1.0);
}

TEST(Scale3d, ExtractScale_Reflection_NegatesZ) {
    VqGeScale3d s;
    s.extractScale(diag3(1, 1, -1));
    EXPECT_SCALE3_NEAR(s, 1, 1, -1, 0.0);
    VqGeMatrix3d rs = VqGeMatrix3d::rotation(1.0, VqGeVector3d(0, 1, 1)) * diag3(2, 3, 4);
    s.extractScale(rs);
    EXPECT_SCALE3_NEAR(s, 2, 3, 4, 1e-14);
}

TEST(Scale3d, RemoveScale_ReflectedScale_LeavesRotation) {
    VqGeMatrix3d m = diag3(2, 3, -4);
    VqGeScale3d s;
    s.removeScale(m);
    EXPECT_SCALE3_NEAR(s, 2, 3, -4, 0.0);
    for (unsigned int r = 0; r < 3; ++r)
        for (unsigned int c = 0; c < 3; ++c) EXPECT_EQ(m(r, c), r == c ? 1.0 : 0.0);
    const VqGeMatrix3d rot = VqGeMatrix3d::rotation(2.0, VqGeVector3d(1, -1, 3));
    VqGeMatrix3d rs = rot * diag3(5, 0.5, 2);
    rs.setTranslation(VqGeVector3d(1, 2, 3));
    s.removeScale(rs);
    EXPECT_SCALE3_NEAR(s, 5, 0.5, 2, 1e-14);
    VqGeMatrix3d expected(rot);
    expected.setTranslation(VqGeVector3d(1, 2, 3));
    EXPECT_EQ(rs.isEqualTo(expected, VqGeTol()), 1);
}

TEST(Scale2d, Basics_ProductsInverseTests) {
    EXPECT_SCALE2_NEAR(VqGeScale2d(), 1, 1, 0.0);
    EXPECT_SCALE2_NEAR(VqGeScale2d(3.0), 3, 3, 0.0);
    const VqGeScale2d a(1, 2), b(3, 4);
    EXPECT_SCALE2_NEAR(a * b, 3, 8, 0.0);
    EXPECT_SCALE2_NEAR(a * 2.0, 2, 4, 0.0);
    VqGeScale2d c(a);
    c.setToProduct(c, c).postMultBy(b).preMultBy(b);
    EXPECT_SCALE2_NEAR(c, 9, 64, 0.0);
    EXPECT_SCALE2_NEAR(VqGeScale2d(4, -2).inverse(), 0.25, -0.5, 0.0);
    EXPECT_EQ(VqGeScale2d(-3, 3).isProportional(), 1);
    EXPECT_EQ(VqGeScale2d(3, 3.1).isProportional(), 0);
    EXPECT_TRUE(VqGeScale2d(1, 2) == VqGeScale2d(1, 2));
    EXPECT_TRUE(VqGeScale2d(1, 2) != VqGeScale2d(1, 2.5));
    EXPECT_EQ(VqGeScale2d(1, 2)[1], 2.0);
}

TEST(Scale2d, ExtractScale_Reflection_NegatesX) {
    VqGeMatrix2d m;
    m(1, 1) = -1.0;
    VqGeScale2d s;
    s.extractScale(m);
    EXPECT_SCALE2_NEAR(s, -1, 1, 0.0);
}

TEST(Scale2d, RemoveScale_ReflectedScale_LeavesUnitColumns) {
    VqGeMatrix2d m;
    m(0, 0) = 2.0;
    m(1, 1) = -5.0;
    m(0, 2) = 7.0;
    VqGeScale2d s;
    s.removeScale(m);
    EXPECT_SCALE2_NEAR(s, -2, 5, 0.0);
    EXPECT_EQ(m(0, 0), -1.0);
    EXPECT_EQ(m(1, 1), -1.0);
    EXPECT_EQ(m(0, 2), 7.0);
    EXPECT_DOUBLE_EQ(m.det(), 1.0);
}

TEST(Scale2d, GetMatrix_KeepsTranslation) {
    VqGeMatrix2d m = VqGeMatrix2d::rotation(0.3);
    m.setTranslation(VqGeVector2d(5, 6));
    VqGeScale2d(2, 3).getMatrix(m);
    EXPECT_EQ(m(0, 0), 2.0);
    EXPECT_EQ(m(0, 1), 0.0);
    EXPECT_EQ(m(1, 0), 0.0);
    EXPECT_EQ(m(1, 1), 3.0);
    EXPECT_PT2_NEAR(m.translation(), 5, 6, 0.0);
    const VqGeMatrix2d conv = VqGeScale2d(2, 3);
    EXPECT_EQ(conv(0, 2), 0.0);
    EXPECT_EQ(conv(1, 1), 3.0);
}
