// Arc queries that the arcs hand to the generic curve algorithms: the closest points of two
// ellipses or of circles in different planes, and the intersections of non-circular arcs.
// Each test checks the answer against a dense sampling reference; they skip while the
// generic algorithms are not part of the build (their placeholders find nothing).
#include "tests/curves/arc_checks.h"
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

TEST(VqGeImpEllipArc3d, IntersectWith_TwoEllipses_PointsOnBoth) {
    REQUIRE_GENERIC();
    std::mt19937 rng(52);
    int total = 0;
    for (int i = 0; i < 100; ++i) {
        const VqGeImpEllipArc3d a = randomArc(rng, 0, 1), b = randomArc(rng, i % 2, 1);
        VqGeCurveIntData data;
        a.intersectWith(b, VqGeVector3d(0, 0, 1), data, VqGeContext::gTol);
        total += data.numIntPoints();
        for (int k = 0; k < data.numIntPoints(); ++k) {
            EXPECT_TRUE(onArc(a, data.intPnt(k), 1e-7)) << i;
            EXPECT_TRUE(onArc(b, data.intPnt(k), 1e-7)) << i;
        }
    }
    EXPECT_GT(total, 20);
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
