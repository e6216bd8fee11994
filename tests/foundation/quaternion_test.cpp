// The rotation quaternion: angle and axis, vector pairs, matrices and Hamilton products.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "test_helpers.h"
#include "vqge_quaternion.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

#define EXPECT_QUAT_NEAR(q, ew, ex, ey, ez, eps) \
    do {                                         \
        EXPECT_NEAR((q).w, (ew), (eps));         \
        EXPECT_NEAR((q).x, (ex), (eps));         \
        EXPECT_NEAR((q).y, (ey), (eps));         \
        EXPECT_NEAR((q).z, (ez), (eps));         \
    } while (0)

void expectBlockNear(const VqGeMatrix3d& a, const VqGeMatrix3d& b, double eps) {
    for (unsigned int r = 0; r < 3; ++r)
        for (unsigned int c = 0; c < 3; ++c)
            EXPECT_NEAR(a(r, c), b(r, c), eps) << "entry (" << r << ", " << c << ")";
}

VqGeVector3d randomVector(std::mt19937& gen) {
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    return VqGeVector3d(unit(gen), unit(gen), unit(gen));
}
}  // namespace

TEST(Quaternion, AngleAndAxis_QuarterTurnAboutZ_KnownValues) {
    const VqGeQuaternion q(kPi / 2, VqGeVector3d(0, 0, 7));
    EXPECT_QUAT_NEAR(q, std::cos(kPi / 4), 0, 0, std::sin(kPi / 4), 1e-16);
    VqGeVector3d axis(0, 0, 1);
    EXPECT_NEAR(q.getAngleAndAxis(axis), kPi / 2, 1e-15);
    EXPECT_PT3_NEAR(axis, 0, 0, 1, 1e-15);
    // An opposite hint turns the answer around.
    axis.set(0, 0, -1);
    EXPECT_NEAR(q.getAngleAndAxis(axis), 3 * kPi / 2, 1e-15);
    EXPECT_PT3_NEAR(axis, 0, 0, -1, 1e-15);
    VqGeQuaternion r;
    EXPECT_EQ(&r.setToAngleAndAxis(kPi / 2, VqGeVector3d::kZAxis), &r);
    EXPECT_TRUE(r == q);
}

TEST(Quaternion, GetAngleAndAxis_Identity_ReturnsZeroAxisUntouched) {
    VqGeVector3d axis(3, 4, 5);
    EXPECT_EQ(VqGeQuaternion::kIdentity.getAngleAndAxis(axis), 0.0);
    EXPECT_PT3_NEAR(axis, 3, 4, 5, 0.0);
    const VqGeQuaternion def;
    EXPECT_QUAT_NEAR(def, 1, 0, 0, 0, 0.0);
}

TEST(Quaternion, GetAngleAndAxis_ScalarJustPastOne_ReadsAsNoRotation) {
    // A scalar part rounded past 1 must not turn into a NaN angle and axis.
    VqGeQuaternion q;
    q.set(std::nextafter(1.0, 2.0), 0, 0, 0);
    VqGeVector3d axis(1, 2, 3);
    EXPECT_EQ(q.getAngleAndAxis(axis), 0.0);
    EXPECT_PT3_NEAR(axis, 1, 2, 3, 0.0);
    q.set(-std::nextafter(1.0, 2.0), 0, 0, 1e-300);
    const double a = q.getAngleAndAxis(axis);
    EXPECT_TRUE(std::isfinite(a));
    EXPECT_NEAR(a, 2 * kPi, 1e-15);
}

TEST(Quaternion, Matrix_QuarterTurn_RotatesXOntoY) {
    const VqGeMatrix3d m = VqGeQuaternion(kPi / 2, VqGeVector3d::kZAxis);
    EXPECT_PT3_NEAR(m * VqGeVector3d(1, 0, 0), 0, 1, 0, 1e-15);
    EXPECT_EQ(m(3, 3), 1.0);
    EXPECT_EQ(m(0, 3), 0.0);
    // getMatrix writes only the block.
    VqGeMatrix3d t = VqGeMatrix3d::translation(VqGeVector3d(1, 2, 3));
    t(3, 0) = 0.5;
    VqGeQuaternion(kPi / 2, VqGeVector3d::kZAxis).getMatrix(t);
    EXPECT_PT3_NEAR(t.translation(), 1, 2, 3, 0.0);
    EXPECT_EQ(t(3, 0), 0.5);
    expectBlockNear(t, m, 0.0);
}

TEST(Quaternion, ExtractRotation_RandomRotations_RoundTrip) {
    std::mt19937 gen(606);
    std::uniform_real_distribution<double> ang(0.0, kPi);
    for (int i = 0; i < 300; ++i) {
        // Angles near pi reach the branches that start from a diagonal entry.
        const double a = i % 3 == 0 ? kPi - 1e-3 * ang(gen) : ang(gen);
        const VqGeQuaternion q(a, randomVector(gen));
        const VqGeMatrix3d m = q;
        VqGeQuaternion back;
        back.extractRotation(m);
        // q and -q are the same rotation; extraction may pick either.
        const double sign = back.w * q.w + back.x * q.x + back.y * q.y + back.z * q.z < 0 ? -1 : 1;
        EXPECT_QUAT_NEAR(back, sign * q.w, sign * q.x, sign * q.y, sign * q.z, 1e-12);
        expectBlockNear(static_cast<VqGeMatrix3d>(back), m, 1e-12);
    }
}

TEST(Quaternion, ExtractRotation_HalfTurns_EachDiagonalBranch) {
    for (const VqGeVector3d& axis :
         {VqGeVector3d::kXAxis, VqGeVector3d::kYAxis, VqGeVector3d::kZAxis}) {
        const VqGeMatrix3d m = VqGeQuaternion(kPi, axis);
        VqGeQuaternion q;
        q.extractRotation(m);
        EXPECT_QUAT_NEAR(q, 0, axis.x, axis.y, axis.z, 1e-15);
    }
    VqGeQuaternion q;
    q.extractRotation(VqGeMatrix3d::kIdentity);
    EXPECT_QUAT_NEAR(q, 1, 0, 0, 0, 0.0);
}

TEST(Quaternion, Products_Random_ComposeLikeMatrices) {
    std::mt19937 gen(4711);
    std::uniform_real_distribution<double> ang(-kPi, kPi);
    for (int i = 0; i < 200; ++i) {
        const VqGeQuaternion a(ang(gen), randomVector(gen)), b(ang(gen), randomVector(gen));
        const VqGeMatrix3d ma = a, mb = b;
        expectBlockNear(static_cast<VqGeMatrix3d>(a * b), ma * mb, 1e-14);
        const VqGeVector3d v = randomVector(gen) * 5.0;
        const VqGeVector3d rotated = static_cast<VqGeMatrix3d>(a) * v;
        EXPECT_NEAR(rotated.length(), v.length(), 1e-14);
        // Rotating by a quaternion and back by its conjugate gives the vector back.
        const VqGeVector3d back = static_cast<VqGeMatrix3d>(a.conjugate()) * rotated;
        EXPECT_LT((back - v).length(), 1e-14);
    }
}

TEST(Quaternion, Products_MembersAndAliasing_AgreeWithOperator) {
    const VqGeQuaternion a(0.5, VqGeVector3d(1, 2, 3)), b(1.5, VqGeVector3d(-1, 0, 2));
    VqGeQuaternion c(a);
    c.postMultBy(b);
    EXPECT_TRUE(c == a * b);
    c = a;
    c *= b;
    EXPECT_TRUE(c == a * b);
    c = a;
    c.preMultBy(b);
    EXPECT_TRUE(c == b * a);
    EXPECT_FALSE(c == a * b);  // the product does not commute
    c = a;
    c.setToProduct(c, c);
    EXPECT_TRUE(c == a * a);
    c = b;
    c.setToProduct(a, c);
    EXPECT_TRUE(c == a * b);
    // i * j = k.
    VqGeQuaternion i, j;
    i.set(0, 1, 0, 0);
    j.set(0, 0, 1, 0);
    EXPECT_QUAT_NEAR(i * j, 0, 0, 0, 1, 0.0);
}

TEST(Quaternion, NegateConjugate_SignsOfParts) {
    VqGeQuaternion q;
    q.set(1, 2, 3, 4);
    EXPECT_QUAT_NEAR(-q, -1, -2, -3, -4, 0.0);
    EXPECT_QUAT_NEAR(q.conjugate(), 1, -2, -3, -4, 0.0);
    VqGeQuaternion r(q);
    r.negate().conjugateIt();
    EXPECT_QUAT_NEAR(r, -1, 2, 3, 4, 0.0);
    EXPECT_QUAT_NEAR(q * q.conjugate(), 30, 0, 0, 0, 0.0);
}

TEST(Quaternion, IsEqualTo_UsesPointTolerance) {
    VqGeQuaternion a, b;
    b.set(1, 0, 0, 1e-10);
    EXPECT_TRUE(a == b);
    b.set(1, 0, 0, 1.1e-10);
    EXPECT_TRUE(a != b);
    VqGeTol tol;
    tol.setEqualPoint(1e-9);
    tol.setEqualVector(0.0);
    EXPECT_EQ(a.isEqualTo(b, tol), 1);
}

TEST(Quaternion, FromTo_RandomPairs_TurnsFromOntoTo) {
    std::mt19937 gen(1001);
    for (int i = 0; i < 200; ++i) {
        const VqGeVector3d from = randomVector(gen), to = randomVector(gen) * 3.0;
        const VqGeMatrix3d m = VqGeQuaternion(from, to, VqGeVector3d::kIdentity);
        const VqGeVector3d img = m * from;
        EXPECT_LT((img.normal() - to.normal()).length(), 1e-12);
        EXPECT_NEAR(img.length(), from.length(), 1e-14);
        // The turn is about from x to: that axis stays fixed.
        const VqGeVector3d axis = from.crossProduct(to);
        EXPECT_LT((m * axis - axis).length(), 1e-13);
    }
}

TEST(Quaternion, FromTo_Codirectional_IsIdentity) {
    const VqGeQuaternion q(VqGeVector3d(1, 2, 3), VqGeVector3d(2, 4, 6), VqGeVector3d(5, 5, 5));
    EXPECT_QUAT_NEAR(q, 1, 0, 0, 0, 0.0);
}

TEST(Quaternion, FromTo_Opposite_HalfTurnAboutUsableAxis) {
    const VqGeVector3d from(1, 0, 0), to(-2, 0, 0);
    // A perpendicular axis is used as given.
    const VqGeQuaternion q(from, to, VqGeVector3d(0, 0, 3));
    EXPECT_QUAT_NEAR(q, std::cos(kPi / 2), 0, 0, 1, 1e-16);
    // A zero or slanted axis is replaced by from.perpVector().
    for (const VqGeVector3d& axis : {VqGeVector3d(0, 0, 0), VqGeVector3d(1, 1, 0)}) {
        const VqGeQuaternion r(from, to, axis);
        const VqGeVector3d used(r.x, r.y, r.z);
        EXPECT_LT((used - from.perpVector()).length(), 1e-15);
        const VqGeMatrix3d m = r;
        EXPECT_PT3_NEAR(m * from, -1, 0, 0, 1e-15);
    }
}
