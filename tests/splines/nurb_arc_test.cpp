// NURBS curves from arcs: the rational quadratic pieces against the arc's own equation, at
// drawing scale, with the knot and weight layout of quarter, half and full turns.
#include <cmath>

#include "nurb_checks.h"

using namespace nurbtest;

namespace {
const double kPi = 3.141592653589793;

// Coordinates of p in the (A, B) frame of an arc at center, on the unit circle when p is on the
// ellipse: p - center = u A + v B.
void frameCoords(const VqGePoint3d& p, const VqGePoint3d& center, const VqGeVector3d& A,
                 const VqGeVector3d& B, double& u, double& v) {
    const VqGeVector3d d = p - center;
    const double aa = A.dotProduct(A), ab = A.dotProduct(B), bb = B.dotProduct(B);
    const double da = d.dotProduct(A), db = d.dotProduct(B), det = aa * bb - ab * ab;
    u = (da * bb - db * ab) / det;
    v = (db * aa - da * ab) / det;
}

// A random frame: unit major axis, minor axis perpendicular, radii up to 1e6, center up to 1e8.
void randomArcFrame(Rng& rng, VqGePoint3d& c, VqGeVector3d& A, VqGeVector3d& B, int circle) {
    c.set(rng(-1e8, 1e8), rng(-1e8, 1e8), rng(-1e4, 1e4));
    VqGeVector3d x(rng(-1, 1), rng(-1, 1), rng(-1, 1));
    VqGeVector3d y(rng(-1, 1), rng(-1, 1), rng(-1, 1));
    x = x * (1.0 / x.length());
    y = y - x * x.dotProduct(y);
    y = y * (1.0 / y.length());
    const double R = std::pow(10.0, rng(-3, 6));
    const double r = circle ? R : R * rng(0.05, 1.0);
    A = x * R;
    B = y * r;
}
}  // namespace

TEST(VqGeImpNurbCurve3d, SetToArc_RandomArcs_PointsOnEllipseEndsAndLayout) {
    Rng rng(71u);
    for (int n = 0; n < 200; ++n) {
        VqGePoint3d c;
        VqGeVector3d A, B;
        randomArcFrame(rng, c, A, B, n % 2);
        const double a = rng(-10, 10), s = n % 7 == 0 ? 2 * kPi : rng(1e-3, 2 * kPi);
        VqGeImpNurbCurve3d crv;
        crv.setToArc(c, A, B, a, a + s);
        const int g = s <= kPi / 2 ? 1 : (s <= kPi ? 2 : (s <= 1.5 * kPi ? 3 : 4));
        ASSERT_EQ(crv.degree(), 2);
        ASSERT_TRUE(crv.isRational());
        ASSERT_EQ(crv.numKnots(), 2 * g + 4) << s;
        ASSERT_EQ(crv.numControlPoints(), 2 * g + 1);
        EXPECT_EQ(crv.startParam(), a);
        EXPECT_EQ(crv.endParam(), a + s);
        for (int i = 0; i < crv.numControlPoints(); ++i)
            EXPECT_NEAR(crv.weightAt(i), i % 2 ? std::cos(s / g / 2) : 1.0, 1e-15);
        for (int k = 1; k < g; ++k) {
            EXPECT_NEAR(crv.knotAt(1 + 2 * k), a + k * s / g, 1e-12);
            EXPECT_EQ(crv.knotAt(1 + 2 * k), crv.knotAt(2 + 2 * k));
        }
        const double scale = A.length() + std::fabs(c.x) + std::fabs(c.y) + std::fabs(c.z);
        EXPECT_LT(crv.pointAt(a).distanceTo(c + A * std::cos(a) + B * std::sin(a)), 1e-15 * scale);
        EXPECT_LT(crv.pointAt(a + s).distanceTo(c + A * std::cos(a + s) + B * std::sin(a + s)), 1e-15 * scale);
        for (int j = 0; j < 40; ++j) {
            const double t = rng(a, a + s);
            double u, v;
            frameCoords(crv.pointAt(t), c, A, B, u, v);
            // On the ellipse, to the rounding of the coordinates relative to the radius.
            EXPECT_NEAR(std::sqrt(u * u + v * v), 1.0, 1e-14 + 4e-16 * scale / B.length()) << n;
            // Within the swept angles, moving forward.
            double ang = std::atan2(v, u) - a;
            ang -= 2 * kPi * std::floor(ang / (2 * kPi));
            if (s < 2 * kPi - 1e-9) {
                EXPECT_LE(ang, s + 1e-9) << n;
            }
        }
    }
}

// Circles at the origin: the rational form stays on the circle to 1e-14 of the radius.
TEST(VqGeImpNurbCurve3d, SetToArc_CircleAtOrigin_OnCircleTo1e14) {
    Rng rng(72u);
    for (int n = 0; n < 100; ++n) {
        const double R = std::pow(10.0, rng(-3, 6));
        const double a = rng(-7, 7), s = n % 5 == 0 ? 2 * kPi : rng(0.01, 2 * kPi);
        VqGeImpNurbCurve3d crv;
        crv.setToArc(VqGePoint3d(0, 0, 0), VqGeVector3d(R, 0, 0), VqGeVector3d(0, R, 0), a, a + s);
        for (int j = 0; j < 60; ++j) {
            const VqGePoint3d p = crv.pointAt(rng(a, a + s));
            EXPECT_NEAR(p.asVector().length() / R, 1.0, 1e-14);
            EXPECT_EQ(p.z, 0.0);
        }
        // The length is the arc's.
        EXPECT_NEAR(crv.length(a, a + s, 1e-10 * R), R * s, 1e-9 * R * s);
    }
}

TEST(VqGeImpNurbCurve3d, SetToArc_FullCircle_NinePointsDoubledBreaksClosed) {
    VqGeImpNurbCurve3d crv;
    crv.setToArc(VqGePoint3d(1, 2, 3), VqGeVector3d(5, 0, 0), VqGeVector3d(0, 5, 0), 0, 2 * kPi);
    ASSERT_EQ(crv.numControlPoints(), 9);
    ASSERT_EQ(crv.numKnots(), 12);
    const double want[12] = {0, 0, 0, kPi / 2, kPi / 2, kPi, kPi, 1.5 * kPi, 1.5 * kPi, 2 * kPi, 2 * kPi, 2 * kPi};
    for (int i = 0; i < 12; ++i) EXPECT_NEAR(crv.knotAt(i), want[i], 1e-15);
    EXPECT_TRUE(crv.isClosed(VqGeContext::gTol));
    EXPECT_NEAR(crv.weightAt(1), std::cos(kPi / 4), 1e-16);
    // A quarter circle: three points, knots {a, a, a, b, b, b}.
    crv.setToArc(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 0.25, 0.25 + kPi / 2);
    EXPECT_EQ(crv.numControlPoints(), 3);
    EXPECT_EQ(crv.numKnots(), 6);
    EXPECT_EQ(crv.knotAt(3), 0.25 + kPi / 2);
}

// No arc to follow: no knots, no points, and the curve still answers without crashing.
TEST(VqGeImpNurbCurve3d, SetToArc_BadSweepOrData_EmptyCurve) {
    const VqGeVector3d A(1, 0, 0), B(0, 1, 0);
    const double bad[5][2] = {{1, 1}, {2, 1}, {0, NAN}, {0, 4 * kPi}, {-INFINITY, 0}};
    for (const auto& ab : bad) {
        VqGeImpNurbCurve3d crv;
        crv.setToArc(VqGePoint3d(0, 0, 0), A, B, ab[0], ab[1]);
        EXPECT_EQ(crv.numKnots(), 0);
        EXPECT_EQ(crv.numControlPoints(), 0);
        VqGeVector3d d[2];
        crv.pointAt(0.5, 2, d);
        EXPECT_EQ(crv.length(0, 1, 1e-10), 0.0);
    }
    VqGeImpNurbCurve3d crv;
    crv.setToArc(VqGePoint3d(NAN, 0, 0), A, B, 0, 1);
    EXPECT_EQ(crv.numKnots(), 0);
}
