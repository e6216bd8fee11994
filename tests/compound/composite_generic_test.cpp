// Composite curve with members that only the generic curve algorithms answer (sampling,
// intersection and closest points of curves that are not lines). Until those algorithms are
// part of the library the tests report themselves skipped.
#include "composite_fixtures.h"
#include "vqge_curveintdata.h"

namespace {

const VqGeVector3d kUp(0, 0, 1);

// The generic algorithms are there when a plain curve kind can be sampled.
bool genericAlgorithms() {
    TestArc arc(VqGePoint3d(0, 0, 0), 1.0, 0.0, 1.0);
    VqGeImpPointOnCurve3d work(&arc);
    VqArray<VqGePoint3d> pts;
    VqArray<double> params;
    return arc.getSamplePoints(0.0, 1.0, 1e-3, work, pts, params, nullptr, nullptr) &&
           pts.length() > 1;
}

#define REQUIRE_GENERIC()                                                  \
    do {                                                                   \
        if (!genericAlgorithms()) GTEST_SKIP() << "no generic algorithms"; \
    } while (0)

// Crossings of a chain with a segment, found by walking dense samples for sign changes of
// the side of the segment's line and keeping those within the segment.
int crossingsBySamples(VqGeImpCompositeCurve3d& c, const VqGeImpLinearEnt3d& seg) {
    VqGeImpInterval i;
    c.getInterval(i, 0, 0);
    const VqGeVector3d d = seg.direction();
    const VqGePoint3d o = seg.pointOnLine();
    const int n = 20000;
    int count = 0;
    double prev = d.crossProduct(c.evalPoint(i.lowerBound()) - o).z;
    for (int k = 1; k <= n; ++k) {
        const VqGePoint3d p =
            c.evalPoint(i.lowerBound() + (i.upperBound() - i.lowerBound()) * k / n);
        const double side = d.crossProduct(p - o).z;
        if ((prev < 0) != (side < 0)) {
            const double t = (p - o).dotProduct(d) / d.lengthSqrd();
            if (t >= 0.0 && t <= 1.0) ++count;
        }
        prev = side;
    }
    return count;
}

TEST(CompositeGeneric, IntersectWith_ChainsWithArcs_MatchesSampledCrossings) {
    REQUIRE_GENERIC();
    std::mt19937 rng(1351);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int trial = 0; trial < 20; ++trial) {
        VqGeImpCompositeCurve3d* c = randomChain(rng, 4 + trial % 5, 1, 0.0, 10.0);
        const VqGeImpLinearEnt3d seg(VqGePoint3d(u(rng), u(rng), 0) * 30.0,
                                     VqGePoint3d(u(rng), u(rng), 0) * 30.0, 1, 1);
        VqGeCurveIntData d;
        c->intersectWith(seg, kUp, d, VqGeContext::gTol);
        EXPECT_EQ(d.numIntPoints(), crossingsBySamples(*c, seg));
        for (int k = 0; k < d.numIntPoints(); ++k) {
            double g1, g2;
            d.getIntParams(k, g1, g2);
            EXPECT_TRUE(pointsNear(c->evalPoint(g1), d.intPnt(k), 1e-9, 1e-7));
        }
        delete c;
    }
}

TEST(CompositeGeneric, GetClosestPointTo_SegmentNearArcMember_BestPair) {
    REQUIRE_GENERIC();
    VqArray<void*> list;
    list.append(newSeg(VqGePoint3d(-5, 0, 0), VqGePoint3d(0, 0, 0)));
    list.append(new TestArc(VqGePoint3d(0, 2, 0), 2.0, -0.5 * M_PI, 0.5 * M_PI));
    VqGeImpCompositeCurve3d* c = ownedChain(list);
    VqGeImpLinearEnt3d seg(VqGePoint3d(5, -3, 0), VqGePoint3d(5, 7, 0), 1, 1);
    VqGeImpPointOnCurve3d a(c), b(&seg);
    c->getClosestPointTo(seg, a, b, VqGeContext::gTol);
    EXPECT_TRUE(pointsNear(a.point(), VqGePoint3d(2, 2, 0), 0, 1e-6));
    EXPECT_TRUE(pointsNear(b.point(), VqGePoint3d(5, 2, 0), 0, 1e-6));
    delete c;
}

TEST(CompositeGeneric, IntersectSelf_FigureOfCrossingSides_OneCrossing) {
    REQUIRE_GENERIC();
    VqArray<VqGePoint3d> p;
    p.append(VqGePoint3d(0, 0, 0));
    p.append(VqGePoint3d(2, 2, 0));
    p.append(VqGePoint3d(2, 0, 0));
    p.append(VqGePoint3d(0, 2, 0));
    VqGeImpCompositeCurve3d* c = polyline(p);
    VqGeCurveIntData d;
    c->intersectSelf(d, kUp, 0.0, VqGeContext::gTol);
    ASSERT_EQ(d.numIntPoints(), 1);
    EXPECT_TRUE(pointsNear(d.intPnt(0), VqGePoint3d(1, 1, 0), 0, 1e-7));
    delete c;
}

TEST(CompositeGeneric, GetSamplePoints_Chain_PointsOnTheCurveInOrder) {
    REQUIRE_GENERIC();
    std::mt19937 rng(1352);
    VqGeImpCompositeCurve3d* c = randomChain(rng, 6, 1, 1e5, 20.0);
    VqGeImpInterval i;
    c->getInterval(i, 0, 0);
    VqGeImpPointOnCurve3d work(c);
    VqArray<VqGePoint3d> pts;
    VqArray<double> params;
    VqArray<VqGeVector3d> d1;
    ASSERT_TRUE(
        c->getSamplePoints(i.lowerBound(), i.upperBound(), 1e-3, work, pts, params, &d1, nullptr));
    ASSERT_EQ(pts.length(), params.length());
    for (int k = 0; k < pts.length(); ++k) {
        EXPECT_TRUE(pointsNear(c->evalPoint(params[k]), pts[k], 1e-12, 1e-9));
        if (k > 0) {
            EXPECT_GT(params[k], params[k - 1]);
        }
    }
    delete c;
}

}  // namespace
