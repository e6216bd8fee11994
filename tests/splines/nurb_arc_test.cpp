// NURBS curves from arcs: the rational quadratic pieces against the arc's own equation, at
// drawing scale, with the knot and weight layout of quarter, half and full turns.
#include <cmath>

#include "curves/imp_ellip_arc3d.h"
#include "nurb_checks.h"
#include "tests/curves/arc_checks.h"
#include "vqge_circarc3d.h"
#include "vqge_elliparc2d.h"
#include "vqge_elliparc3d.h"
#include "vqge_nurbcurve2d.h"
#include "vqge_nurbcurve3d.h"

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

// Conversions evaluate onto the source arc (by the arc's own closest point), share its ends,
// and the conversion by kind gives the same curve as the arc constructor.
TEST(VqGeImpNurbCurve3d, FromArc_RandomArcs_OnSourceArcSameEndsBothRoutes) {
    std::mt19937 gen(73u);
    Rng rng(74u);
    for (int n = 0; n < 150; ++n) {
        const double scale = n % 3 == 0 ? 1e7 : 5.0, size = n % 3 == 0 ? 1e5 : 3.0;
        const VqGeImpEllipArc3d arc = arctest::randomArc(gen, n % 2, n % 4 == 1, scale, size);
        const VqGeImpNurbCurve3d crv(arc);
        const VqGeImpNurbCurve3d byKind(static_cast<const VqGeImpCurve3d&>(arc), VqGeContext::gTol);
        ASSERT_EQ(crv.numKnots(), byKind.numKnots());
        ASSERT_EQ(crv.numControlPoints(), byKind.numControlPoints());
        for (int i = 0; i < crv.numControlPoints(); ++i) {
            EXPECT_EQ(crv.controlPointAt(i).x, byKind.controlPointAt(i).x);
            EXPECT_EQ(crv.weightAt(i), byKind.weightAt(i));
        }
        EXPECT_EQ(crv.startParam(), arc.startAngle());
        EXPECT_EQ(crv.endParam(), arc.endAngle());
        const double eps = 1e-14 * (scale + size) + 1e-15;
        EXPECT_LT(crv.pointAt(crv.startParam()).distanceTo(arc.startPoint()), 4 * eps) << n;
        EXPECT_LT(crv.pointAt(crv.endParam()).distanceTo(arc.endPoint()), 4 * eps) << n;
        for (int j = 0; j < 30; ++j) {
            const VqGePoint3d p = crv.pointAt(rng(crv.startParam(), crv.endParam()));
            const double t = arc.closestParamTo(p, VqGeContext::gTol);
            EXPECT_LT(arc.pointAt(t).distanceTo(p), 10 * eps) << n;
        }
        // The length is the arc's (the generic length of the arc as the second route).
        const double len = crv.length(crv.startParam(), crv.endParam(), 1e-10 * size);
        EXPECT_NEAR(len, arc.length(arc.startParam(), arc.endParam(), 1e-10 * size), 1e-8 * len) << n;
    }
}

// Circles of every size at the origin stay on the circle to 1e-14 of the radius; a full
// circle from the public classes has nine points and doubled breaks.
TEST(VqGeNurbCurve3d, FromArc_CirclesAndPublicClasses_OnCircleAndAgreeIn2d) {
    Rng rng(75u);
    for (int n = 0; n < 60; ++n) {
        const double R = std::pow(10.0, rng(-3, 6)), a = rng(-7, 7);
        const double e = n % 4 == 0 ? a + 2 * kPi : a + rng(0.01, 2 * kPi);
        VqGeVector3d nrm(rng(-1, 1), rng(-1, 1), rng(-1, 1));
        const VqGeCircArc3d circ(VqGePoint3d(0, 0, 0), nrm, nrm.perpVector(), R, a, e);
        const VqGeEllipArc3d ell(circ);
        const VqGeNurbCurve3d crv(ell);
        ASSERT_TRUE(crv.impNurbCurve());
        const VqGeImpNurbCurve3d& imp = *crv.impNurbCurve();
        for (int j = 0; j < 40; ++j) {
            const VqGePoint3d p = imp.pointAt(rng(imp.startParam(), imp.endParam()));
            EXPECT_NEAR(p.asVector().length() / R, 1.0, 1e-14) << n;
        }
        if (n % 4 == 0) {
            EXPECT_EQ(crv.numControlPoints(), 9);
            EXPECT_EQ(crv.numKnots(), 12);
        }
        // 2D: the same arc in the plane gives the lifted curve's points.
        const VqGeEllipArc2d e2(VqGePoint2d(1e6, -1e6), VqGeVector2d(1, 0), VqGeVector2d(0, 1), R, 0.5 * R, a, e);
        const VqGeEllipArc3d e3(VqGePoint3d(1e6, -1e6, 0), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), R, 0.5 * R, a, e);
        const VqGeNurbCurve2d c2(e2);
        const VqGeNurbCurve3d c3(e3);
        ASSERT_EQ(c2.numControlPoints(), c3.numControlPoints());
        EXPECT_EQ(c2.type(), VqGe::kNurbCurve2d);
        for (int j = 0; j <= 10; ++j) {
            const double t = a + (e - a) * j / 10.0;
            const VqGePoint2d p2 = c2.evalPoint(t);
            const VqGePoint3d p3 = c3.evalPoint(t);
            EXPECT_NEAR(p2.x, p3.x, 1e-9);
            EXPECT_NEAR(p2.y, p3.y, 1e-9);
            EXPECT_EQ(p3.z, 0.0);
        }
    }
}
