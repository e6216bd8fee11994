// Arc queries that the arcs hand to the generic curve algorithms: the closest points of two
// ellipses or of circles in different planes, and the intersections of non-circular arcs.
// Each test checks the answer against a dense sampling reference; they skip while the
// generic algorithms are not part of the build (their placeholders find nothing).
#include "tests/curves/arc_checks.h"
#include "tests/curves/curve_property_checks.h"
#include "tests/curves/test_curve.h"
#include "tests/test_helpers.h"
#include "vqge_curveintdata.h"

using namespace arctest;

namespace {
// The generic length of a curve kind without a closed form is 0 until the generic algorithms
// are present.
int genericAlgorithmsPresent() {
    const TestHelix helix;
    return helix.length(0.0, 1.0, 1e-8) > 0.0;
}

#define REQUIRE_GENERIC()                                                            \
    do {                                                                             \
        if (!genericAlgorithmsPresent())                                             \
            GTEST_SKIP() << "needs the generic curve algorithms (closest points and " \
                            "intersections of arbitrary curves)";                    \
    } while (0)
}  // namespace

TEST(VqGeImpEllipArc3d, GetClosestPointToArc_TwoEllipses_NoFartherThanDenseSamples) {
    REQUIRE_GENERIC();
    std::mt19937 rng(51);
    for (int i = 0; i < 50; ++i) {
        const VqGeImpEllipArc3d a = randomArc(rng, 0, i % 2), b = randomArc(rng, i % 3 == 0, 0);
        VqGeImpPointOnCurve3d pa, pb;
        a.getClosestPointTo(b, pa, pb, VqGeContext::gTol);
        double dense = 1e300;
        for (int k = 0; k <= 2000; ++k) {
            const VqGePoint3d p = a.pointAt(a.startParam() + (a.endParam() - a.startParam()) * k / 2000);
            dense = std::min(dense, b.closestPointTo(p, VqGeContext::gTol).distanceTo(p));
        }
        EXPECT_LE(pa.point().distanceTo(pb.point()), dense + 1e-7) << i;
    }
}

// Every crossing a dense scan with local refinement finds is reported once, and nothing else.
TEST(VqGeImpEllipArc3d, IntersectWith_TwoEllipses_MatchDenseScan) {
    REQUIRE_GENERIC();
    std::mt19937 rng(52);
    for (int i = 0; i < 100; ++i) {
        const VqGeImpEllipArc3d a = randomArc(rng, 0, 1), b = randomArc(rng, i % 2, 1);
        VqGeCurveIntData data;
        a.intersectWith(b, VqGeVector3d(0, 0, 1), data, VqGeContext::gTol);
        SCOPED_TRACE(i);
        props::checkIntersectionRecord(a, b, data);
        for (int k = 0; k < data.numIntPoints(); ++k) {
            EXPECT_TRUE(onArc(a, data.intPnt(k), 1e-7)) << i;
            EXPECT_TRUE(onArc(b, data.intPnt(k), 1e-7)) << i;
        }
    }
}

// Ellipses that touch: b is a scaled about a point P of a (same tangent, other curvature,
// touching from inside) or a mirrored in a's tangent at P (touching from outside). Both
// orders of the pair report the touch once.
TEST(VqGeImpEllipArc3d, IntersectWith_TangentEllipses_ReportTheTouchOnce) {
    REQUIRE_GENERIC();
    std::mt19937 rng(54);
    for (int i = 0; i < 40; ++i) {
        const VqGeImpEllipArc3d a = randomArc(rng, 0, i % 2, i % 4 < 2 ? 5.0 : 1e6, 3.0);
        const double th = a.startParam() + uniform(rng, 0.2, 0.8) * (a.endParam() - a.startParam());
        const VqGePoint3d p = a.pointAt(th);
        VqGeImpPointOnCurve3d w(&a, th);
        const VqGeVector3d tan = w.deriv(1).normal();
        const VqGeVector3d n = a.majorAxis().crossProduct(a.minorAxis()).normal();
        VqGeImpEllipArc3d b(a);
        if (i % 3 == 0) {  // mirrored in the tangent line at P
            const VqGeVector3d across = n.crossProduct(tan);
            auto mirror = [&](const VqGeVector3d& v) { return v - across * (2.0 * v.dotProduct(across)); };
            const VqGePoint3d c = p + mirror(a.center() - p);
            b = VqGeImpEllipArc3d(c, mirror(a.majorAxis()), mirror(a.minorAxis()), a.majorRadius(),
                                  a.minorRadius(), th - 0.3, th + 0.4);
        } else {
            const double k = i % 3 == 1 ? 0.4 : 1.8;
            b = VqGeImpEllipArc3d(p + (a.center() - p) * k, a.majorAxis(), a.minorAxis(),
                                  a.majorRadius() * k, a.minorRadius() * k, th - 0.5, th + 0.3);
        }
        ASSERT_LT(b.pointAt(th).distanceTo(p), 1e-9 * (1.0 + props::scaleOf(a)));
        SCOPED_TRACE(i);
        for (int order = 0; order < 2; ++order) {
            const VqGeImpEllipArc3d& x = order ? b : a;
            const VqGeImpEllipArc3d& y = order ? a : b;
            VqGeCurveIntData data;
            x.intersectWith(y, n, data, VqGeContext::gTol);
            props::checkIntersectionRecord(x, y, data, 400, 1e-13);
            // Where the curves touch they stay within the tolerance over a stretch of about
            // sqrt(tol / curvature difference): the touch lies anywhere on it.
            const double stretch = 1e-4 * a.majorRadius() + 1e-9 * props::scaleOf(a);
            int touches = 0;
            for (int k = 0; k < data.numIntPoints(); ++k)
                if (data.intPnt(k).distanceTo(p) < stretch) ++touches;
            EXPECT_EQ(touches, 1) << "order " << order;
        }
    }
}

TEST(VqGeImpEllipArc3d, GetClosestPointToArc_CirclesInTwoPlanes_NoFartherThanDenseSamples) {
    REQUIRE_GENERIC();
    std::mt19937 rng(53);
    for (int i = 0; i < 50; ++i) {
        const VqGeImpEllipArc3d a = randomArc(rng, 1, 0), b = randomArc(rng, 1, 0);
        VqGeImpPointOnCurve3d pa, pb;
        a.getClosestPointTo(b, pa, pb, VqGeContext::gTol);
        double dense = 1e300;
        for (int k = 0; k <= 2000; ++k) {
            const VqGePoint3d p = a.pointAt(a.startParam() + (a.endParam() - a.startParam()) * k / 2000);
            dense = std::min(dense, b.closestPointTo(p, VqGeContext::gTol).distanceTo(p));
        }
        EXPECT_LE(pa.point().distanceTo(pb.point()), dense + 1e-7) << i;
    }
}

// Regression: the best grid pair sat an ulp short of an end of one arc, so the end was not
// held and the Newton step on an indefinite matrix left the basin; the grid pair came back
// unconverged. The answer now is the end's closest point on the other arc.
TEST(VqGeImpEllipArc3d, GetClosestPointToArc_MinimumAtAnEnd_ConvergedToTheEndsClosestPoint) {
    REQUIRE_GENERIC();
    std::mt19937 rng(51);
    for (int i = 0; i < 50; ++i) {
        const VqGeImpEllipArc3d a = randomArc(rng, 0, i % 2), b = randomArc(rng, i % 3 == 0, 0);
        VqGeImpPointOnCurve3d pa, pb;
        a.getClosestPointTo(b, pa, pb, VqGeContext::gTol);
        // Each point is the other's closest point on its arc (within the tolerance).
        const double d = pa.point().distanceTo(pb.point());
        EXPECT_NEAR(b.closestPointTo(pa.point(), VqGeContext::gTol).distanceTo(pa.point()), d, 1e-9) << i;
        EXPECT_NEAR(a.closestPointTo(pb.point(), VqGeContext::gTol).distanceTo(pb.point()), d, 1e-9) << i;
    }
}
