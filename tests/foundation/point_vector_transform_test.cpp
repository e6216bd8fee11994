// Points and vectors by matrices: projective division, aliasing, rotations between vectors
// and vectors as translations.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "test_helpers.h"
#include "vqge_matrix2d.h"
#include "vqge_matrix3d.h"
#include "vqge_point2d.h"
#include "vqge_point3d.h"
#include "vqge_vector2d.h"
#include "vqge_vector3d.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

VqGeMatrix3d sample3d() {
    VqGeMatrix3d m = VqGeMatrix3d::rotation(0.4, VqGeVector3d(1, 2, -1), VqGePoint3d(3, 0, 1));
    m.postMultBy(VqGeMatrix3d::scaling(1.5));
    return m;
}
}  // namespace

TEST(PointTransform, Point3d_ProjectiveRowTwo_HalvesCoordinates) {
    VqGeMatrix3d m;
    m(3, 3) = 2.0;
    EXPECT_PT3_NEAR(m * VqGePoint3d(2, -4, 6), 1, -2, 3, 0.0);
    VqGePoint3d p(2, -4, 6);
    EXPECT_EQ(&p.transformBy(m), &p);
    EXPECT_PT3_NEAR(p, 1, -2, 3, 0.0);
    // Vectors ignore the projective row.
    EXPECT_PT3_NEAR(m * VqGeVector3d(2, -4, 6), 2, -4, 6, 0.0);
}

TEST(PointTransform, Point3d_GeneralProjectiveRow_DividesByW) {
    VqGeMatrix3d m = VqGeMatrix3d::translation(VqGeVector3d(1, 1, 1));
    m(3, 0) = 1.0;  // w = x + 1
    EXPECT_PT3_NEAR(m * VqGePoint3d(1, 2, 3), 1.0, 1.5, 2.0, 0.0);
    // A row that only nearly is (0, 0, 0, 1) still divides.
    VqGeMatrix3d n;
    n(3, 3) = 1.0 + 1e-12;
    const VqGePoint3d q = n * VqGePoint3d(1e6, 0, 0);
    EXPECT_NE(q.x, 1e6);
    EXPECT_NEAR(q.x, 1e6 / (1.0 + 1e-12), 1e-9);
}

TEST(PointTransform, Point3d_AffineMatrix_TranslatesPointsNotVectors) {
    const VqGeMatrix3d m = sample3d();
    const VqGePoint3d a(1, 2, 3), b(-2, 0.5, 4);
    const VqGeVector3d diff = m * (a - b);
    EXPECT_LT(((m * a) - (m * b) - diff).length(), 1e-14);
    EXPECT_PT3_NEAR(VqGeMatrix3d::translation(VqGeVector3d(1, 2, 3)) * VqGeVector3d(1, 1, 1), 1, 1,
                    1, 0.0);
}

TEST(PointTransform, SetToProduct_ArgumentIsThis_UsesTemporary) {
    const VqGeMatrix3d m = sample3d();
    const VqGePoint3d p0(1, -2, 3);
    VqGePoint3d p(p0);
    p.setToProduct(m, p);
    const VqGePoint3d expect = m * p0;
    EXPECT_PT3_NEAR(p, expect.x, expect.y, expect.z, 0.0);
    VqGeVector3d v(1, -2, 3);
    v.setToProduct(m, v);
    const VqGeVector3d expectV = m * VqGeVector3d(1, -2, 3);
    EXPECT_PT3_NEAR(v, expectV.x, expectV.y, expectV.z, 0.0);
    VqGeVector3d w(1, -2, 3);
    EXPECT_EQ(&w.transformBy(m), &w);
    EXPECT_PT3_NEAR(w, expectV.x, expectV.y, expectV.z, 0.0);

    const VqGeMatrix2d m2 = VqGeMatrix2d::rotation(0.3, VqGePoint2d(1, 1));
    VqGePoint2d q(2, 5);
    const VqGePoint2d expect2 = m2 * VqGePoint2d(2, 5);
    q.setToProduct(m2, q);
    EXPECT_PT2_NEAR(q, expect2.x, expect2.y, 0.0);
    VqGeVector2d u(2, 5);
    const VqGeVector2d expectU = m2 * VqGeVector2d(2, 5);
    u.setToProduct(m2, u);
    EXPECT_PT2_NEAR(u, expectU.x, expectU.y, 0.0);
}

TEST(PointTransform, Point2d_ProjectiveRowTwo_HalvesCoordinates) {
    VqGeMatrix2d m;
    m(2, 2) = 2.0;
    EXPECT_PT2_NEAR(m * VqGePoint2d(4, -6), 2, -3, 0.0);
    VqGePoint2d p(4, -6);
    EXPECT_EQ(&p.transformBy(m), &p);
    EXPECT_PT2_NEAR(p, 2, -3, 0.0);
    EXPECT_PT2_NEAR(m * VqGeVector2d(4, -6), 4, -6, 0.0);
    VqGeVector2d v(4, -6);
    EXPECT_EQ(&v.transformBy(VqGeMatrix2d::rotation(kPi / 2)), &v);
    EXPECT_PT2_NEAR(v, 6, 4, 1e-15);
}

TEST(PointTransform, Point2d_AffineMatrix_TranslatesPointsNotVectors) {
    const VqGeMatrix2d t = VqGeMatrix2d::translation(VqGeVector2d(3, -1));
    EXPECT_PT2_NEAR(t * VqGePoint2d(1, 1), 4, 0, 0.0);
    EXPECT_PT2_NEAR(t * VqGeVector2d(1, 1), 1, 1, 0.0);
}

TEST(VectorTransform, Conversion_ToMatrix_IsTranslation) {
    const VqGeMatrix3d m = VqGeVector3d(1, 2, 3);
    EXPECT_TRUE(m == VqGeMatrix3d::translation(VqGeVector3d(1, 2, 3)));
    EXPECT_EQ(m(3, 3), 1.0);
    EXPECT_EQ(m(0, 0), 1.0);
    const VqGeMatrix2d m2 = VqGeVector2d(4, 5);
    EXPECT_PT2_NEAR(m2 * VqGePoint2d(1, 1), 5, 6, 0.0);
    EXPECT_EQ(m2(2, 2), 1.0);
}

TEST(VectorTransform, RotateTo_RandomPairs_TurnsOntoTarget) {
    std::mt19937 gen(12);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 200; ++i) {
        const VqGeVector3d from(unit(gen), unit(gen), unit(gen));
        const VqGeVector3d to(unit(gen), unit(gen), unit(gen));
        const VqGeMatrix3d m = from.rotateTo(to);
        EXPECT_LT(((m * from).normal() - to.normal()).length(), 1e-12);
        EXPECT_NEAR(m.det(), 1.0, 1e-13);
        EXPECT_EQ(m.translation().isZeroLength(), 1);
    }
}

TEST(VectorTransform, RotateTo_Opposite_HalfTurnAboutGivenAxis) {
    const VqGeMatrix3d m =
        VqGeVector3d(0, 1, 0).rotateTo(VqGeVector3d(0, -3, 0), VqGeVector3d::kZAxis);
    EXPECT_PT3_NEAR(m * VqGeVector3d(0, 1, 0), 0, -1, 0, 1e-15);
    EXPECT_PT3_NEAR(m * VqGeVector3d(0, 0, 1), 0, 0, 1, 1e-15);  // the axis stays
    const VqGeMatrix3d same = VqGeVector3d(1, 1, 0).rotateTo(VqGeVector3d(2, 2, 0));
    EXPECT_TRUE(same == VqGeMatrix3d::kIdentity);
}
