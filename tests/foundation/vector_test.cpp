#include <cmath>
#include <random>

#include "test_helpers.h"

namespace {
const double kPi = 3.14159265358979323846;
}

TEST(VqGePoint3d, IsEqualTo_ComparesDistanceWithEqualPoint) {
    EXPECT_TRUE(VqGePoint3d(0, 0, 0) == VqGePoint3d(1e-10, 0, 0));
    EXPECT_FALSE(VqGePoint3d(0, 0, 0) == VqGePoint3d(1.1e-10, 0, 0));
    EXPECT_TRUE(VqGePoint3d(0, 0, 0) != VqGePoint3d(1.1e-10, 0, 0));
    EXPECT_TRUE(VqGePoint2d(0, 0) == VqGePoint2d(0, 1e-10));
    EXPECT_FALSE(VqGePoint2d(0, 0) == VqGePoint2d(0, 1.1e-10));
}

TEST(VqGeVector3d, ZeroAndUnitLength_FollowTolerance) {
    VqGeVector3d tiny(1e-12, 0, 0);
    EXPECT_TRUE(tiny.isZeroLength());
    tiny.normalize();
    EXPECT_EQ(tiny.x, 1e-12);  // left unchanged, no failure
    EXPECT_FALSE(VqGeVector3d(1.1e-12, 0, 0).isZeroLength());
    VqGeTol loose;
    loose.setEqualVector(10.0);
    EXPECT_FALSE(VqGeVector3d(0.4, 0, 0).isUnitLength(loose));  // 0.5 or less is rejected first
    EXPECT_TRUE(VqGeVector3d(0.6, 0, 0).isUnitLength(loose));
    EXPECT_TRUE(VqGeVector3d(0, 1, 0).isUnitLength());
    EXPECT_FALSE(VqGeVector3d(0, 1.001, 0).isUnitLength());
    EXPECT_FALSE(VqGeVector2d(0.4, 0).isUnitLength(loose));
    EXPECT_TRUE(VqGeVector2d(0.6, 0.8).isUnitLength());
}

TEST(VqGeVector3d, DirectionTests_ParallelCodirectionalPerpendicular) {
    const VqGeVector3d a(1, 0, 0), b(-1, 1e-13, 0);
    EXPECT_TRUE(a.isParallelTo(b));
    EXPECT_FALSE(a.isCodirectionalTo(b));
    EXPECT_TRUE(a.isCodirectionalTo(VqGeVector3d(5, 1e-13, 0)));
    EXPECT_TRUE(a.isPerpendicularTo(VqGeVector3d(1e-13, 3, 0)));
    EXPECT_FALSE(a.isPerpendicularTo(VqGeVector3d(1e-11, 1, 0)));
    const VqGeVector2d c(1, 0), d(-1, 1e-13);
    EXPECT_TRUE(c.isParallelTo(d));
    EXPECT_FALSE(c.isCodirectionalTo(d));
    EXPECT_TRUE(c.isPerpendicularTo(VqGeVector2d(0, -2)));
}

TEST(VqGeVector3d, ConditionVariants_ReportZeroLengthOperands) {
    VqGe::ErrorCondition cond = VqGe::kPointTooFar;
    const VqGeVector3d zero, x(1, 0, 0);
    EXPECT_EQ(zero.isParallelTo(x, VqGeContext::gTol, cond), 0);
    EXPECT_EQ(cond, VqGe::kThisZeroLength);
    EXPECT_EQ(x.isCodirectionalTo(zero, VqGeContext::gTol, cond), 0);
    EXPECT_EQ(cond, VqGe::kArg1ZeroLength);
    EXPECT_EQ(x.isPerpendicularTo(VqGeVector3d(0, 1, 0), VqGeContext::gTol, cond), 1);
    EXPECT_EQ(cond, VqGe::kConditionOk);
    // Without the guard a zero operand is taken unnormalised: perpendicular to everything.
    EXPECT_EQ(zero.isPerpendicularTo(x), 1);
    VqGeVector3d z;
    z.normalize(VqGeContext::gTol, cond);
    EXPECT_EQ(cond, VqGe::kThisZeroLength);
    VqGeVector3d v(3, 0, 4);
    v.normalize(VqGeContext::gTol, cond);
    EXPECT_EQ(cond, VqGe::kConditionOk);
    EXPECT_PT3_NEAR(v, 0.6, 0, 0.8, 1e-15);
    VqGeVector2d z2;
    EXPECT_EQ(z2.isParallelTo(VqGeVector2d(1, 0), VqGeContext::gTol, cond), 0);
    EXPECT_EQ(cond, VqGe::kThisZeroLength);
}

TEST(VqGeVector2d, Angle_PinnedQuadrants) {
    EXPECT_DOUBLE_EQ(VqGeVector2d(0, 0).angle(), 1.5 * kPi);
    EXPECT_DOUBLE_EQ(VqGeVector2d(0, 1).angle(), 0.5 * kPi);
    EXPECT_DOUBLE_EQ(VqGeVector2d(-1, 0).angle(), kPi);
    EXPECT_DOUBLE_EQ(VqGeVector2d(1, -1).angle(), 1.75 * kPi);
    EXPECT_DOUBLE_EQ(VqGeVector2d(1, 0).angle(), 0.0);
    EXPECT_DOUBLE_EQ(VqGeVector2d(1e-11, -1).angle(), 1.5 * kPi);  // x below the fixed 1e-10
}

TEST(VqGeVector3d, AngleTo_RangesAndZeroOperand) {
    const VqGeVector3d x(1, 0, 0), y(0, 1, 0);
    EXPECT_DOUBLE_EQ(x.angleTo(y, VqGeVector3d(0, 0, -1)), 1.5 * kPi);
    EXPECT_DOUBLE_EQ(x.angleTo(y, VqGeVector3d(0, 0, 1)), 0.5 * kPi);
    EXPECT_DOUBLE_EQ(x.angleTo(y), 0.5 * kPi);
    EXPECT_DOUBLE_EQ(VqGeVector3d().angleTo(x), kPi);
    EXPECT_DOUBLE_EQ(x.angleTo(VqGeVector3d()), kPi);
    EXPECT_DOUBLE_EQ(x.angleTo(x * 3.0), 0.0);
    // A clamped result skips the reference test.
    EXPECT_DOUBLE_EQ(x.angleTo(-x, VqGeVector3d(0, 0, -1)), kPi);
    EXPECT_DOUBLE_EQ(VqGeVector2d(1, 0).angleTo(VqGeVector2d(-1, 1)), 0.75 * kPi);
    EXPECT_DOUBLE_EQ(VqGeVector2d().angleTo(VqGeVector2d(1, 0)), kPi);
}

TEST(VqGeVector3d, LargestElement_TieBreaksFavourEarlierAxis) {
    EXPECT_EQ(VqGeVector3d(1, -1, 1).largestElement(), 0u);
    EXPECT_EQ(VqGeVector3d(0, 2, -2).largestElement(), 1u);
    EXPECT_EQ(VqGeVector3d(0, 1, 3).largestElement(), 2u);
    EXPECT_EQ(VqGeVector3d(-5, 1, 3).largestElement(), 0u);
}

TEST(VqGeVector3d, Projection_PinnedAndConditionReporting) {
    const VqGeVector3d v(1, 2, 3), n(0, 0, 2);
    EXPECT_PT3_NEAR(v.orthoProject(n), 1, 2, 0, 1e-15);
    EXPECT_PT3_NEAR(v.project(n, VqGeVector3d(1, 0, 1)), -2, 2, 0, 1e-15);
    VqGe::ErrorCondition cond;
    EXPECT_PT3_NEAR(v.project(n, VqGeVector3d(1, 1, 0), VqGeContext::gTol, cond), 1, 2, 3, 0);
    EXPECT_EQ(cond, VqGe::kArgsPerpendicular);
    EXPECT_PT3_NEAR(v.project(VqGeVector3d(), VqGeVector3d(1, 1, 0), VqGeContext::gTol, cond), 1, 2, 3, 0);
    EXPECT_EQ(cond, VqGe::kArg1ZeroLength);
    EXPECT_PT3_NEAR(v.project(n, VqGeVector3d(), VqGeContext::gTol, cond), 1, 2, 3, 0);
    EXPECT_EQ(cond, VqGe::kArg2ZeroLength);
    EXPECT_PT3_NEAR(v.project(n, VqGeVector3d(0, 1, 1), VqGeContext::gTol, cond), 1, -1, 0, 1e-15);
    EXPECT_EQ(cond, VqGe::kConditionOk);
    EXPECT_PT3_NEAR(v.orthoProject(VqGeVector3d(), VqGeContext::gTol, cond), 1, 2, 3, 0);
    EXPECT_EQ(cond, VqGe::kArg1ZeroLength);
}

TEST(VqGeVector3d, RotateMirror_PinnedValues) {
    VqGeVector3d v(1, 0, 0);
    v.rotateBy(0.5 * kPi, VqGeVector3d(0, 0, 7));  // axis is normalised
    EXPECT_PT3_NEAR(v, 0, 1, 0, 1e-15);
    VqGeVector3d w(1, 1, 1);
    w.rotateBy(kPi, VqGeVector3d(0, 0, 1));
    EXPECT_PT3_NEAR(w, -1, -1, 1, 1e-15);
    VqGeVector3d m(1, 2, 3);
    m.mirror(VqGeVector3d(0, 0, 1));
    EXPECT_PT3_NEAR(m, 1, 2, -3, 0);
    VqGeVector2d r(1, 0);
    r.rotateBy(0.5 * kPi);
    EXPECT_PT2_NEAR(r, 0, 1, 1e-15);
    VqGeVector2d m2(1, 0);
    m2.mirror(VqGeVector2d(0, 1));  // reflection in the y axis
    EXPECT_PT2_NEAR(m2, -1, 0, 0);
    VqGeVector2d m3(1, 0);
    m3.mirror(VqGeVector2d(std::sqrt(0.5), std::sqrt(0.5)));
    EXPECT_PT2_NEAR(m3, 0, 1, 1e-15);
}

TEST(VqGePoint3d, RotateScaleAboutBase) {
    VqGePoint3d p(2, 1, 5);
    p.rotateBy(0.5 * kPi, VqGeVector3d(0, 0, 1), VqGePoint3d(1, 1, 0));
    EXPECT_PT3_NEAR(p, 1, 2, 5, 1e-15);
    p.scaleBy(2.0, VqGePoint3d(1, 2, 0));
    EXPECT_PT3_NEAR(p, 1, 2, 10, 0);
    p.rotateBy(1.0, VqGeVector3d(0, 0, 1), p);  // base aliases the point
    EXPECT_PT3_NEAR(p, 1, 2, 10, 1e-15);
    VqGePoint2d q(2, 0);
    q.rotateBy(kPi, VqGePoint2d(1, 0)).scaleBy(3.0);
    EXPECT_PT2_NEAR(q, 0, 0, 1e-15);
}

TEST(VqGeVector3d, Arithmetic_ChainsAndMatchesAlgebra) {
    VqGeVector3d v(1, 2, 3);
    v += VqGeVector3d(1, 1, 1);
    v *= 2.0;
    v -= VqGeVector3d(0, 0, 8);
    EXPECT_PT3_NEAR(v, 4, 6, 0, 0);
    EXPECT_PT3_NEAR(-v, -4, -6, 0, 0);
    EXPECT_PT3_NEAR(0.5 * v / 2.0, 1, 1.5, 0, 0);
    EXPECT_PT3_NEAR(VqGeVector3d(1, 0, 0).crossProduct(VqGeVector3d(0, 1, 0)), 0, 0, 1, 0);
    VqGePoint3d p(1, 1, 1);
    EXPECT_PT3_NEAR(p - VqGePoint3d(0, 1, 2), 1, 0, -1, 0);
    EXPECT_NEAR(p.distanceTo(VqGePoint3d(1, 4, 5)), 5.0, 1e-15);
    EXPECT_EQ(p[2], 1.0);
    p[1] = 7;
    EXPECT_EQ(p.y, 7.0);
    EXPECT_EQ(VqGeVector3d::kZAxis[2], 1.0);
}

// Seeded random: the rotation preserves length and the angle measured about the axis.
TEST(VqGeVector3d, RotateBy_RandomPreservesLengthAndAngle) {
    std::mt19937 gen(1234);
    std::uniform_real_distribution<double> u(-1.0, 1.0), ang(0.1, 3.0);
    for (int i = 0; i < 200; ++i) {
        const VqGeVector3d axis(u(gen), u(gen), u(gen));
        VqGeVector3d v(u(gen), u(gen), u(gen));
        v = v - axis * (v.dotProduct(axis) / axis.lengthSqrd());  // keep it in the plane
        const double a = ang(gen);
        VqGeVector3d r = v;
        r.rotateBy(a, axis);
        EXPECT_NEAR(r.length(), v.length(), 1e-12);
        EXPECT_NEAR(v.angleTo(r, axis), a, 1e-9);
    }
}
