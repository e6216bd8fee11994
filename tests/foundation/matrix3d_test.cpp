// Products, queries and builders of the space matrix.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "test_helpers.h"
#include "vqge_matrix3d.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

void expectAllNear(const VqGeMatrix3d& a, const VqGeMatrix3d& b, double eps) {
    for (unsigned int r = 0; r < 4; ++r)
        for (unsigned int c = 0; c < 4; ++c)
            EXPECT_NEAR(a(r, c), b(r, c), eps) << "entry (" << r << ", " << c << ")";
}

VqGeMatrix3d numbered() {
    VqGeMatrix3d m;
    for (unsigned int r = 0; r < 4; ++r)
        for (unsigned int c = 0; c < 4; ++c) m(r, c) = 1.0 + r * 4 + c + (r == c ? 10.0 : 0.0);
    return m;
}

VqGeVector3d randomVector(std::mt19937& gen, double size) {
    std::uniform_real_distribution<double> unit(-size, size);
    return VqGeVector3d(unit(gen), unit(gen), unit(gen));
}
}  // namespace

TEST(Matrix3d, Constructor_Default_IsIdentity) {
    const VqGeMatrix3d m;
    for (unsigned int r = 0; r < 4; ++r)
        for (unsigned int c = 0; c < 4; ++c) EXPECT_EQ(m(r, c), r == c ? 1.0 : 0.0);
    VqGeMatrix3d n = numbered();
    EXPECT_EQ(&n.setToIdentity(), &n);
    expectAllNear(n, VqGeMatrix3d::kIdentity, 0.0);
}

TEST(Matrix3d, Products_KnownMatrices_RowByColumn) {
    const VqGeMatrix3d a = numbered();
    const VqGeMatrix3d b = numbered().transpose();
    const VqGeMatrix3d p = a * b;
    double expected = 0.0;
    for (unsigned int k = 0; k < 4; ++k) expected += a(1, k) * b(k, 2);
    EXPECT_EQ(p(1, 2), expected);
    VqGeMatrix3d post(a), pre(a), times(a);
    post.postMultBy(b);
    pre.preMultBy(b);
    times *= b;
    expectAllNear(post, a * b, 0.0);
    expectAllNear(times, a * b, 0.0);
    expectAllNear(pre, b * a, 0.0);
}

TEST(Matrix3d, SetToProduct_OperandIsThis_UsesTemporary) {
    const VqGeMatrix3d a = numbered();
    const VqGeMatrix3d b = VqGeMatrix3d::rotation(0.3, VqGeVector3d(1, 1, 0));
    VqGeMatrix3d m(a);
    m.setToProduct(m, b);
    expectAllNear(m, a * b, 0.0);
    m = a;
    m.setToProduct(b, m);
    expectAllNear(m, b * a, 0.0);
    m = a;
    m.setToProduct(m, m);
    expectAllNear(m, a * a, 0.0);
}

TEST(Matrix3d, Transpose_Twice_GivesBack) {
    const VqGeMatrix3d a = numbered();
    const VqGeMatrix3d t = a.transpose();
    EXPECT_EQ(t(0, 3), a(3, 0));
    EXPECT_EQ(t(2, 1), a(1, 2));
    VqGeMatrix3d b(a);
    b.transposeIt().transposeIt();
    expectAllNear(b, a, 0.0);
}

TEST(Matrix3d, IsEqualTo_ProjectiveRow_NotCompared) {
    VqGeMatrix3d a = numbered();
    VqGeMatrix3d b(a);
    b(3, 1) += 100.0;
    EXPECT_EQ(a.isEqualTo(b), 1);
    EXPECT_TRUE(a == b);
    b(2, 3) += 2e-12;  // column 3 moves by more than equalVector
    EXPECT_EQ(a.isEqualTo(b), 0);
    EXPECT_TRUE(a != b);
    VqGeTol loose;
    loose.setEqualVector(1e-11);
    EXPECT_EQ(a.isEqualTo(b, loose), 1);
}

TEST(Matrix3d, Orthogonality_ScaledAndSheared_Distinguished) {
    VqGeMatrix3d rot = VqGeMatrix3d::rotation(1.1, VqGeVector3d(1, -2, 0.5));
    VqGeMatrix3d uniform = rot * VqGeMatrix3d::scaling(3.0);
    uniform.setTranslation(VqGeVector3d(4, 5, 6));
    EXPECT_EQ(uniform.isScaledOrtho(), 1);
    EXPECT_EQ(uniform.isUniScaledOrtho(VqGeTol()), 1);
    VqGeMatrix3d nonUniform;
    nonUniform(0, 0) = 1;
    nonUniform(1, 1) = 2;
    nonUniform(2, 2) = -3;
    EXPECT_EQ(nonUniform.isScaledOrtho(), 1);
    EXPECT_EQ(nonUniform.isUniScaledOrtho(), 0);
    VqGeMatrix3d shear;
    shear(0, 1) = 0.1;
    EXPECT_EQ(shear.isScaledOrtho(), 0);
    EXPECT_EQ(shear.isUniScaledOrtho(), 0);
}

TEST(Matrix3d, ScaleAndNorm_LargestAxisAndEntry) {
    VqGeMatrix3d m;
    m.setCoordSystem(VqGePoint3d(100, 200, 300), VqGeVector3d(3, 4, 0), VqGeVector3d(0, 0, -2),
                     VqGeVector3d(1, 1, 1));
    EXPECT_DOUBLE_EQ(m.scale(), 5.0);
    EXPECT_DOUBLE_EQ(m.norm(), 4.0);  // the translation does not count
}

TEST(Matrix3d, CoordSystem_RoundTrip_ResetsProjectiveRow) {
    VqGeMatrix3d m = numbered();
    m.setCoordSystem(VqGePoint3d(1, 2, 3), VqGeVector3d(4, 5, 6), VqGeVector3d(7, 8, 9),
                     VqGeVector3d(10, 11, 12));
    EXPECT_EQ(m(3, 0), 0.0);
    EXPECT_EQ(m(3, 2), 0.0);
    EXPECT_EQ(m(3, 3), 1.0);
    EXPECT_EQ(m(1, 0), 5.0);  // the axes are columns
    VqGePoint3d o;
    VqGeVector3d x, y, z;
    m.getCoordSystem(o, x, y, z);
    EXPECT_PT3_NEAR(o, 1, 2, 3, 0.0);
    EXPECT_PT3_NEAR(x, 4, 5, 6, 0.0);
    EXPECT_PT3_NEAR(y, 7, 8, 9, 0.0);
    EXPECT_PT3_NEAR(z, 10, 11, 12, 0.0);
    EXPECT_PT3_NEAR(m.translation(), 1, 2, 3, 0.0);
}

TEST(Matrix3d, Translation_BuilderAndSetter_TouchOnlyTheirPart) {
    const VqGeMatrix3d t = VqGeMatrix3d::translation(VqGeVector3d(1, 2, 3));
    EXPECT_PT3_NEAR(t * VqGePoint3d(1, 1, 1), 2, 3, 4, 0.0);
    VqGeMatrix3d m = numbered();
    m.setTranslation(VqGeVector3d(-1, -2, -3));
    EXPECT_EQ(m(0, 0), numbered()(0, 0));
    EXPECT_EQ(m(3, 3), numbered()(3, 3));
    EXPECT_PT3_NEAR(m.translation(), -1, -2, -3, 0.0);
    VqGeMatrix3d s = numbered();
    s.setToTranslation(VqGeVector3d(1, 2, 3));
    expectAllNear(s, t, 0.0);
}

TEST(Matrix3d, Rotation_AboutCenter_FixesAxisThroughCenter) {
    const VqGeMatrix3d r =
        VqGeMatrix3d::rotation(kPi / 2, VqGeVector3d(0, 0, 5), VqGePoint3d(1, 0, 0));
    EXPECT_PT3_NEAR(r * VqGePoint3d(2, 0, 0), 1, 1, 0, 1e-15);
    EXPECT_PT3_NEAR(r * VqGePoint3d(1, 0, 7), 1, 0, 7, 1e-15);
    VqGeMatrix3d s;
    s.setToRotation(kPi / 2, VqGeVector3d(0, 0, 5), VqGePoint3d(1, 0, 0));
    expectAllNear(s, r, 0.0);
}

TEST(Matrix3d, Rotation_Random_PreservesLengthsAndAngles) {
    std::mt19937 gen(2024);
    std::uniform_real_distribution<double> ang(-7.0, 7.0);
    for (int i = 0; i < 200; ++i) {
        const VqGePoint3d c = VqGePoint3d::kOrigin + randomVector(gen, 10.0);
        const VqGeMatrix3d r = VqGeMatrix3d::rotation(ang(gen), randomVector(gen, 1.0), c);
        const VqGePoint3d p = VqGePoint3d::kOrigin + randomVector(gen, 10.0);
        const VqGePoint3d q = VqGePoint3d::kOrigin + randomVector(gen, 10.0);
        EXPECT_NEAR((r * p).distanceTo(r * q), p.distanceTo(q), 1e-12);
        EXPECT_NEAR((r * p).distanceTo(c), p.distanceTo(c), 1e-12);
        EXPECT_EQ(r.isUniScaledOrtho(VqGeTol()), 1);
        EXPECT_NEAR(r.det(), 1.0, 1e-14);  // a rotation, never a reflection
    }
}

TEST(Matrix3d, Scaling_AboutCenter_KeepsCenter) {
    const VqGeMatrix3d s = VqGeMatrix3d::scaling(3.0, VqGePoint3d(1, 1, 1));
    EXPECT_PT3_NEAR(s * VqGePoint3d(1, 1, 1), 1, 1, 1, 0.0);
    EXPECT_PT3_NEAR(s * VqGePoint3d(2, 1, 0), 4, 1, -2, 1e-15);
    VqGeMatrix3d t;
    t.setToScaling(3.0, VqGePoint3d(1, 1, 1));
    expectAllNear(t, s, 0.0);
}

TEST(Matrix3d, MirroringPoint_ReflectsThroughPoint) {
    const VqGeMatrix3d m = VqGeMatrix3d::mirroring(VqGePoint3d(1, 2, 3));
    EXPECT_PT3_NEAR(m * VqGePoint3d(2, 2, 5), 0, 2, 1, 0.0);
    EXPECT_EQ(m(3, 3), 1.0);
    EXPECT_DOUBLE_EQ(m.det(), -1.0);
}

TEST(Matrix3d, AlignCoordSys_RandomFrames_MapsOneOntoTheOther) {
    std::mt19937 gen(55);
    for (int i = 0; i < 100; ++i) {
        const VqGePoint3d fo = VqGePoint3d::kOrigin + randomVector(gen, 5.0);
        const VqGePoint3d to = VqGePoint3d::kOrigin + randomVector(gen, 5.0);
        const VqGeMatrix3d fr = VqGeMatrix3d::rotation(i * 0.1, randomVector(gen, 1.0));
        const VqGeMatrix3d tr = VqGeMatrix3d::rotation(i * 0.07 + 1, randomVector(gen, 1.0));
        VqGePoint3d dummy;
        VqGeVector3d fx, fy, fz, tx, ty, tz;
        fr.getCoordSystem(dummy, fx, fy, fz);
        tr.getCoordSystem(dummy, tx, ty, tz);
        fy *= 2.0;  // frames need not be orthonormal
        tz *= 0.5;
        const VqGeMatrix3d m = VqGeMatrix3d::alignCoordSys(fo, fx, fy, fz, to, tx, ty, tz);
        const VqGePoint3d img = m * fo;
        EXPECT_PT3_NEAR(img, to.x, to.y, to.z, 1e-12);
        EXPECT_LT((m * fx - tx).length(), 1e-12);
        EXPECT_LT((m * fy - ty).length(), 1e-12);
        EXPECT_LT((m * fz - tz).length(), 1e-12);
        const VqGePoint3d p = fo + fx * 0.3 - fy + fz * 2.0;
        const VqGePoint3d q = to + tx * 0.3 - ty + tz * 2.0;
        EXPECT_LT((m * p).distanceTo(q), 1e-11);
    }
}

TEST(Matrix3d, WorldToPlane_AlongZ_IsIdentity) {
    expectAllNear(VqGeMatrix3d::worldToPlane(VqGeVector3d(0, 0, 3)), VqGeMatrix3d::kIdentity, 0.0);
    expectAllNear(VqGeMatrix3d::planeToWorld(VqGeVector3d(0, 0, 3)), VqGeMatrix3d::kIdentity, 0.0);
    // The opposite direction is not codirectional: it gets a frame of its own.
    const VqGeMatrix3d down = VqGeMatrix3d::worldToPlane(VqGeVector3d(0, 0, -1));
    EXPECT_PT3_NEAR(down * VqGeVector3d(0, 0, -1), 0, 0, 1, 1e-15);
}

TEST(Matrix3d, WorldToPlane_TiltedNormal_OrthonormalFrame) {
    const VqGeVector3d normal(1, 2, 2);
    const VqGeMatrix3d w = VqGeMatrix3d::worldToPlane(normal);
    const VqGeMatrix3d p = VqGeMatrix3d::planeToWorld(normal);
    EXPECT_PT3_NEAR(w * normal, 0, 0, 3, 1e-14);
    EXPECT_EQ(w.isUniScaledOrtho(VqGeTol()), 1);
    EXPECT_NEAR(w.det(), 1.0, 1e-15);
    expectAllNear(p, w.transpose(), 0.0);
    expectAllNear(p * w, VqGeMatrix3d::kIdentity, 1e-15);
    VqGeMatrix3d s, t;
    s.setToWorldToPlane(normal);
    t.setToPlaneToWorld(normal);
    expectAllNear(s, w, 0.0);
    expectAllNear(t, p, 0.0);
}

TEST(Matrix3d, ConvertToLocal_Identity_KeepsPlane) {
    VqGeVector3d normal(0, 0, 1);
    double elev = 2.5;
    const VqGeMatrix2d local = VqGeMatrix3d::kIdentity.convertToLocal(normal, elev);
    EXPECT_PT3_NEAR(normal, 0, 0, 1, 0.0);
    EXPECT_DOUBLE_EQ(elev, 2.5);
    for (unsigned int r = 0; r < 3; ++r)
        for (unsigned int c = 0; c < 3; ++c) EXPECT_NEAR(local(r, c), r == c ? 1.0 : 0.0, 1e-15);
}

TEST(Matrix3d, ConvertToLocal_RotationAboutNormal_RotatesPlaneCoordinates) {
    VqGeVector3d normal(0, 0, 1);
    double elev = 1.0;
    VqGeMatrix3d m = VqGeMatrix3d::rotation(kPi / 6, VqGeVector3d::kZAxis);
    m.setTranslation(VqGeVector3d(0, 0, 3));
    const VqGeMatrix2d local = m.convertToLocal(normal, elev);
    EXPECT_PT3_NEAR(normal, 0, 0, 1, 1e-15);
    EXPECT_NEAR(elev, 4.0, 1e-15);
    double scale = 0, angle = 0;
    int mirror = -1;
    VqGeVector2d line;
    ASSERT_EQ(local.isConformal(scale, angle, mirror, line), 1);
    EXPECT_NEAR(scale, 1.0, 1e-15);
    EXPECT_NEAR(angle, kPi / 6, 1e-15);
    EXPECT_EQ(mirror, 0);
}

TEST(Matrix3d, ConvertToLocal_TiltedPlane_MapsPlanePointsConsistently) {
    // A point with plane coordinates (s, t) in the old plane, moved by M, has the coordinates
    // local * (s, t) in the new plane.
    VqGeVector3d normal = VqGeVector3d(1, 2, 2).normal();
    const VqGeVector3d oldNormal = normal;
    double elev = -1.5;
    const double oldElev = elev;
    VqGeMatrix3d m = VqGeMatrix3d::rotation(0.8, VqGeVector3d(1, -1, 0.3), VqGePoint3d(1, 2, 3));
    const VqGeMatrix2d local = m.convertToLocal(normal, elev);
    const VqGeVector3d u = oldNormal.perpVector(), v = oldNormal.crossProduct(u);
    const VqGeVector3d a = normal.perpVector(), b = normal.crossProduct(a);
    const VqGePoint3d oldPnt = VqGePoint3d::kOrigin + oldNormal * oldElev + u * 0.7 - v * 1.3;
    const VqGePoint3d moved = m * oldPnt;
    EXPECT_NEAR(moved.asVector().dotProduct(normal), elev, 1e-12);
    const VqGePoint2d mapped = local * VqGePoint2d(0.7, -1.3);
    EXPECT_NEAR(mapped.x, moved.asVector().dotProduct(a), 1e-12);
    EXPECT_NEAR(mapped.y, moved.asVector().dotProduct(b), 1e-12);
    EXPECT_LT((normal - m * oldNormal).length(), 1e-12);
}

TEST(Matrix3d, ConvertToLocal_Reflection_NormalFollowsImage) {
    VqGeVector3d normal(0, 0, 1);
    double elev = 2.0;
    VqGeMatrix3d m;
    m(2, 2) = -1.0;
    m.convertToLocal(normal, elev);
    EXPECT_PT3_NEAR(normal, 0, 0, -1, 0.0);
    EXPECT_DOUBLE_EQ(elev, 2.0);
}
