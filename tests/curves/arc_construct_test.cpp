// Arc construction: defaults, the general set, circles, three points with and without
// conditions, the bulge form, the 2D clockwise forms, complement and reference vector.
#include <algorithm>
#include <cfloat>

#include "tests/curves/arc_checks.h"
#include "tests/test_helpers.h"

using namespace arctest;

TEST(VqGeImpEllipArc3d, Construct_Default_UnitCircleFullTurn) {
    VqGeImpEllipArc3d arc;
    EXPECT_PT3_NEAR(arc.center(), 0, 0, 0, 0);
    EXPECT_PT3_NEAR(arc.majorAxis(), 1, 0, 0, 0);
    EXPECT_PT3_NEAR(arc.minorAxis(), 0, 1, 0, 0);
    EXPECT_EQ(arc.majorRadius(), 1.0);
    EXPECT_EQ(arc.minorRadius(), 1.0);
    EXPECT_EQ(arc.startParam(), 0.0);
    EXPECT_EQ(arc.endParam(), kTwoPi);
    EXPECT_EQ(arc.type(0), VqGe::kEllipArc3d);
    EXPECT_EQ(arc.type(1), VqGe::kEllipArc3d);
    EXPECT_TRUE(arc.isKindOf(VqGe::kEllipArc3d, 0));
    EXPECT_TRUE(arc.isKindOf(VqGe::kCurve3d, 0));
    EXPECT_FALSE(arc.isKindOf(VqGe::kLinearEnt3d, 0));
}

TEST(VqGeImpEllipArc3d, Set_NegativeRadiiAndReversedAngles_AxesFlipEndLifted) {
    VqGeImpEllipArc3d arc;
    arc.set(VqGePoint3d(1, 2, 3), VqGeVector3d(2, 0, 0), VqGeVector3d(0, 3, 0), -2.0, -1.0, 1.0,
            -20.0);
    EXPECT_PT3_NEAR(arc.majorAxis(), -1, 0, 0, 0);
    EXPECT_PT3_NEAR(arc.minorAxis(), 0, -1, 0, 0);
    EXPECT_EQ(arc.majorRadius(), 2.0);
    EXPECT_EQ(arc.minorRadius(), 1.0);
    EXPECT_EQ(arc.startParam(), 1.0);
    EXPECT_GE(arc.endParam(), 1.0);
    EXPECT_LT(arc.endParam() - 1.0, kTwoPi);
    EXPECT_NEAR(std::remainder(arc.endParam() + 20.0, kTwoPi), 0.0, 1e-12);
    // Far and non-finite angles neither hang nor crash.
    arc.set(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 1, 1, 1e300, -1e300);
    arc.set(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 1, 1, NAN, INFINITY);
}

TEST(VqGeImpEllipArc3d, SetCircle_NormalAndRadius_PerpendicularUnitAxes) {
    VqGeImpEllipArc3d arc(VqGePoint3d(1, 1, 1), VqGeVector3d(1, 2, 3), -4.0);
    EXPECT_NEAR(arc.majorAxis().length(), 1.0, 1e-15);
    EXPECT_NEAR(arc.minorAxis().length(), 1.0, 1e-15);
    EXPECT_NEAR(arc.majorAxis().dotProduct(arc.minorAxis()), 0.0, 1e-15);
    EXPECT_TRUE(arc.normal().isCodirectionalTo(VqGeVector3d(1, 2, 3)));
    EXPECT_EQ(arc.majorRadius(), 4.0);
    EXPECT_TRUE(arc.isCircular());
}

TEST(VqGeImpEllipArc3d, ThreePoints_HalfCircle_CentreOriginNormalZ) {
    VqGeImpEllipArc3d arc(VqGePoint3d(1, 0, 0), VqGePoint3d(0, 1, 0), VqGePoint3d(-1, 0, 0));
    EXPECT_PT3_NEAR(arc.center(), 0, 0, 0, 1e-15);
    EXPECT_NEAR(arc.majorRadius(), 1.0, 1e-15);
    EXPECT_NEAR(arc.startParam(), 0.0, 1e-15);
    EXPECT_NEAR(arc.endParam(), kPi, 1e-15);
    EXPECT_PT3_NEAR(arc.normal(), 0, 0, 1, 1e-15);
}

TEST(VqGeImpEllipArc3d, ThreePoints_Collinear_FlatHalfEllipseAndCondition8) {
    const VqGePoint3d p1(0, 0, 0), p2(1, 0, 0), p3(2, 0, 0);
    VqGeImpEllipArc3d arc(p1, p2, p3);
    EXPECT_EQ(arc.majorRadius(), 1.0);
    EXPECT_EQ(arc.minorRadius(), 0.0);
    EXPECT_PT3_NEAR(arc.center(), 1, 0, 0, 0);
    EXPECT_EQ(arc.startParam(), 0.0);
    EXPECT_EQ(arc.endParam(), kPi);
    VqGeImpEllipArc3d other;
    VqGe::ErrorCondition cond;
    other.set(p1, p2, p3, cond);
    EXPECT_EQ(cond, VqGe::kPointsCollinear);
    EXPECT_TRUE(other.isEqualTo(VqGeImpEllipArc3d()));
}

TEST(VqGeImpEllipArc3d, ThreePoints_EqualPoints_Conditions5To7NoChange) {
    const VqGePoint3d a(1, 2, 0), b(3, 1, 0), c(0, 5, 0);
    struct Case {
        VqGePoint3d p1, p2, p3;
        VqGe::ErrorCondition expected;
    } cases[] = {{a, a, c, VqGe::kPoints12Equal},
                 {a, b, a, VqGe::kPoints13Equal},
                 {a, b, b, VqGe::kPoints23Equal},
                 {a, b, c, VqGe::kConditionOk}};
    for (const Case& k : cases) {
        VqGeImpEllipArc3d arc;
        VqGe::ErrorCondition cond = VqGe::kPointTooFar;
        arc.set(k.p1, k.p2, k.p3, cond);
        EXPECT_EQ(cond, k.expected);
        if (k.expected != VqGe::kConditionOk) {
            EXPECT_EQ(arc.center().x, 0.0);
        }
    }
}

TEST(VqGeImpEllipArc3d, ThreePoints_RandomDrawingScale_PassesThroughItsPoints) {
    std::mt19937 rng(11);
    for (int i = 0; i < 300; ++i) {
        const double scale = i < 100 ? 5.0 : (i < 200 ? 1e6 : 1e8);
        const VqGeVector3d off(uniform(rng, -scale, scale), uniform(rng, -scale, scale),
                               i % 2 ? 0.0 : uniform(rng, -scale, scale));
        const double r = uniform(rng, 0.5, 1000.0);
        const VqGeVector3d n = i % 2 ? VqGeVector3d(0, 0, 1) : randomUnit(rng);
        const VqGeImpEllipArc3d circle(VqGePoint3d() + off, n, r);
        const double t1 = uniform(rng, 0, 2), t2 = t1 + uniform(rng, 0.3, 2), t3 = t2 + uniform(rng, 0.3, 2);
        const VqGePoint3d p1 = circle.pointAt(t1), p2 = circle.pointAt(t2), p3 = circle.pointAt(t3);
        VqGeImpEllipArc3d arc(p1, p2, p3);
        const double eps = 1e-9 * (scale + r);
        EXPECT_LE(arc.startPoint().distanceTo(p1), eps);
        EXPECT_LE(arc.endPoint().distanceTo(p3), eps);
        double t;
        VqGeTol tol;
        tol.setEqualPoint(eps);
        EXPECT_TRUE(arc.isOn(p2, t, tol)) << i;
        EXPECT_NEAR(arc.majorRadius(), r, eps);
    }
    // Nearly collinear points (bulges down to 1e-6, centres up to 1e10 away): the ends come
    // back to the rounding of the centre's coordinates. Regression: the end angle came from
    // acos of the dot product, which put the end of a radius-5e7 arc 5e-4 off its point.
    for (int i = 0; i < 300; ++i) {
        const VqGePoint3d p1(uniform(rng, -1e6, 1e6), uniform(rng, -1e6, 1e6),
                             i % 2 ? 0.0 : uniform(rng, -1e6, 1e6));
        const VqGeVector3d dir = i % 2 ? VqGeVector3d(std::cos(i), std::sin(i), 0) : randomUnit(rng);
        const VqGeVector3d side = dir.perpVector() / dir.perpVector().length();
        const double len = std::exp(uniform(rng, 0.0, std::log(1e5)));
        const double bulge = std::exp(uniform(rng, std::log(1e-6), std::log(1e-2)));
        const VqGePoint3d p3 = p1 + dir * len;
        const VqGePoint3d p2 = p1 + dir * (0.5 * len) + side * (0.5 * bulge * len);
        VqGeImpEllipArc3d arc(p1, p2, p3);
        const VqGePoint3d c = arc.center();
        const double size = std::max({std::fabs(c.x), std::fabs(c.y), std::fabs(c.z)}) +
                            arc.majorRadius();
        const double eps = 16.0 * DBL_EPSILON * size;
        EXPECT_LE(arc.startPoint().distanceTo(p1), eps) << i;
        EXPECT_LE(arc.endPoint().distanceTo(p3), eps) << i;
        EXPECT_LE(arc.pointAt(0.5 * (arc.startParam() + arc.endParam())).distanceTo(p2),
                  eps + 1e-12 * len) << i;
    }
}

TEST(VqGeCircArc2d, Bulge_UnitBulge_HalfCircleBelowChord) {
    VqGeCircArc2d arc(VqGePoint2d(0, 0), VqGePoint2d(2, 0), 1.0, 0);
    EXPECT_PT2_NEAR(arc.center(), 1, 0, 1e-15);
    EXPECT_NEAR(arc.radius(), 1.0, 1e-15);
    EXPECT_PT2_NEAR(arc.startPoint(), 0, 0, 1e-15);
    EXPECT_PT2_NEAR(arc.endPoint(), 2, 0, 1e-15);
    EXPECT_PT2_NEAR(arc.evalPoint(0.5 * (arc.startAng() + arc.endAng())), 1, -1, 1e-15);
    VqGeCircArc2d height(VqGePoint2d(0, 0), VqGePoint2d(2, 0), -1.0, 1);
    EXPECT_PT2_NEAR(height.center(), 1, 0, 1e-15);
    EXPECT_NEAR(height.evalPoint(0.5 * (height.startAng() + height.endAng())).y, 1.0, 1e-15);
}

TEST(VqGeCircArc2d, Bulge_ExtremeValues_EndsAreTheGivenPoints) {
    std::mt19937 rng(5);
    const double values[] = {1e-12, -1e-12, 1e12, -1e12, 1e-6, -0.25, 3.0};
    for (double value : values) {
        for (int i = 0; i < 20; ++i) {
            const double scale = i < 10 ? 10.0 : 1e6;
            const VqGePoint2d p1(uniform(rng, -scale, scale), uniform(rng, -scale, scale));
            const VqGePoint2d p2(p1.x + uniform(rng, -100, 100), p1.y + uniform(rng, -100, 100));
            VqGeCircArc2d arc(p1, p2, value, 0);
            const double eps = 64 * 2.3e-16 * (scale + 200) + 1e-11;
            // The ends come back to the rounding of the coordinates, or of the arc's own
            // numbers where a flat arc is stored with its centre beyond them.
            const VqGePoint2d c = arc.center();
            const double own = 16 * DBL_EPSILON * (std::max(std::fabs(c.x), std::fabs(c.y)) + arc.radius());
            EXPECT_LE(arc.startPoint().distanceTo(p1), std::max(eps, own)) << value;
            EXPECT_LE(arc.endPoint().distanceTo(p2), std::max(eps, own)) << value;
            // The arc still passes through its middle point.
            const VqGePoint2d chordMid(0.5 * (p1.x + p2.x), 0.5 * (p1.y + p2.y));
            const VqGeVector2d d = p2 - p1;
            const double h = value * d.length() * 0.5;
            const VqGePoint2d mid(chordMid.x + h * d.y / d.length(), chordMid.y - h * d.x / d.length());
            if (std::fabs(value) < 1e6) {
                EXPECT_LE(arc.distanceTo(mid), 1e-6 * (1.0 + std::fabs(h))) << value;
            }
            // A flat arc keeps the circle's shape (and so its end tangents), not only its
            // three points. Regression: very flat bulges became the half ellipse on the chord,
            // vertical at its ends and a quarter of the height off the circle.
            if (std::fabs(value) <= 1.0) {
                // Height of the circle over the chord at u from its middle, without forming
                // the far centre: h − u²/(R + √(R² − u²)).
                const double len = d.length(), hh = std::fabs(h);
                const double radius = (len * len / 4 + hh * hh) / (2 * hh);
                double worst = 0.0;
                for (int k = 0; k <= 64; ++k) {
                    const double t = arc.startAng() + (arc.endAng() - arc.startAng()) * k / 64;
                    const VqGeVector2d rel = arc.evalPoint(t) - chordMid;
                    const double u = rel.dotProduct(d) / len;
                    const double v = (rel.x * d.y - rel.y * d.x) / len;  // towards the middle
                    const double circle =
                        hh - u * u / (radius + std::sqrt(std::fabs(radius * radius - u * u)));
                    worst = std::max(worst, std::fabs(std::fabs(v) - circle));
                }
                EXPECT_LE(worst, 4 * eps) << value;
            }
        }
    }
}

TEST(VqGeCircArc2d, Set_ClockwiseFlag_NormalDownAndTurnsClockwise) {
    VqGeCircArc2d arc(VqGePoint2d(1, 1), 2.0, 0.0, 0.5 * kPi, VqGeVector2d(1, 0), 1);
    EXPECT_TRUE(arc.isClockWise());
    EXPECT_PT2_NEAR(arc.startPoint(), 3, 1, 1e-15);
    EXPECT_PT2_NEAR(arc.endPoint(), 1, -1, 1e-15);
    VqGeCircArc2d ccw(VqGePoint2d(1, 1), 2.0, 0.0, 0.5 * kPi);
    EXPECT_FALSE(ccw.isClockWise());
    EXPECT_PT2_NEAR(ccw.endPoint(), 1, 3, 1e-15);
    EXPECT_EQ(ccw.type(), VqGe::kCircArc2d);
    EXPECT_TRUE(ccw.isKindOf(VqGe::kCircArc2d));
}

TEST(VqGeCircArc2d, SetToComplement_QuarterArc_ThreeQuartersBetweenSameEnds) {
    std::mt19937 rng(3);
    for (int i = 0; i < 50; ++i) {
        const double s = uniform(rng, -3, 3), e = s + uniform(rng, 0.1, 6.0);
        VqGeCircArc2d arc(VqGePoint2d(uniform(rng, -9, 9), uniform(rng, -9, 9)), 2.0, s, e,
                          VqGeVector2d(1, 0), i % 2);
        const VqGePoint2d p1 = arc.startPoint(), p2 = arc.endPoint();
        const double len = arc.length(arc.startAng(), arc.endAng());
        const VqGePoint2d mid = arc.evalPoint(0.5 * (s + e));
        arc.setToComplement();
        EXPECT_EQ(arc.isClockWise(), !(i % 2));
        EXPECT_LE(arc.startPoint().distanceTo(p1) + arc.endPoint().distanceTo(p2), 1e-12);
        EXPECT_NEAR(arc.length(arc.startAng(), arc.endAng()) + len, 2.0 * kTwoPi, 1e-9);
        EXPECT_GT(arc.distanceTo(mid), 1e-3);
    }
}

TEST(VqGeCircArc2d, SetRefVec_TurnedReference_StartFollows) {
    VqGeCircArc2d arc(VqGePoint2d(0, 0), 1.0, 0.0, 1.0);
    arc.setRefVec(VqGeVector2d(0, 1));
    EXPECT_PT2_NEAR(arc.startPoint(), 0, 1, 1e-15);
    EXPECT_PT2_NEAR(arc.refVec(), 0, 1, 0);
    EXPECT_FALSE(arc.isClockWise());
}

TEST(VqGeCircArc3d, Set_ReferenceNotInPlane_MadePerpendicular) {
    VqGeCircArc3d arc(VqGePoint3d(0, 0, 5), VqGeVector3d(0, 0, 1), VqGeVector3d(1, 0, 1), 2.0,
                      0.0, kPi);
    EXPECT_PT3_NEAR(arc.refVec(), 1, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(arc.startPoint(), 2, 0, 5, 1e-15);
    EXPECT_PT3_NEAR(arc.endPoint(), -2, 0, 5, 1e-15);
    EXPECT_EQ(arc.type(), VqGe::kCircArc3d);
    VqGeEllipArc3d ell(arc);
    EXPECT_EQ(ell.type(), VqGe::kEllipArc3d);
    EXPECT_TRUE(ell.isCircular());
    EXPECT_PT3_NEAR(ell.endPoint(), -2, 0, 5, 1e-15);
}

TEST(VqGeCircArc3d, Construct_AllocationFails_WrapperAnswersZero) {
    CountingHooks hooks;
    CountingHooks::failAfter() = 0;
    VqGeCircArc3d arc(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 0, 1), 1.0);
    CountingHooks::failAfter() = -1;
    EXPECT_EQ(arc.impEllipArc(), nullptr);
    EXPECT_EQ(arc.radius(), 0.0);
    int n = 5;
    VqGePoint3d p1, p2;
    EXPECT_FALSE(arc.intersectWith(VqGeLineSeg3d(), n, p1, p2));
    EXPECT_EQ(n, 0);
}
