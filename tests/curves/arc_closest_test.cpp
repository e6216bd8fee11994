// Arc closest points: to a point (circle and ellipse), to a linear entity, to another
// circular arc, to a plane, and the normal points; each against a dense sampling reference.
#include "tests/curves/arc_checks.h"
#include "tests/test_helpers.h"

using namespace arctest;

namespace {
// Smallest distance between a sampled arc and a sampled linear entity range [lo, hi].
double sampledArcLine(const VqGeImpEllipArc3d& arc, const VqGeImpLinearEnt3d& line) {
    double best = 1e300;
    for (int k = 0; k <= 3000; ++k) {
        const VqGePoint3d p =
            arc.pointAt(arc.startParam() + (arc.endParam() - arc.startParam()) * k / 3000);
        const double d = line.closestPointTo(p, VqGeContext::gTol).distanceTo(p);
        if (d < best) best = d;
    }
    return best;
}
}  // namespace

TEST(VqGeImpEllipArc3d, ClosestPointTo_RandomEllipseArcs_NoFartherThanDenseSamples) {
    std::mt19937 rng(21);
    for (int i = 0; i < 400; ++i) {
        const VqGeImpEllipArc3d arc = randomArc(rng, i % 5 == 0, i % 2, 5.0, 4.0);
        VqGePoint3d p(uniform(rng, -12, 12), uniform(rng, -12, 12), uniform(rng, -3, 3));
        if (i % 4 == 0) p = arc.center() + (arc.pointAt(uniform(rng, 0, 7)) - arc.center()) * 0.3;
        const VqGePoint3d q = arc.closestPointTo(p, VqGeContext::gTol);
        const double dense = sampledDistance(arc, p, 10000);
        EXPECT_LE(q.distanceTo(p), dense + 1e-12) << i;
        EXPECT_TRUE(onArc(arc, q, 1e-9)) << i;
    }
}

TEST(VqGeImpEllipArc3d, ClosestPointTo_DrawingScale_FootOnTheCurve) {
    std::mt19937 rng(22);
    for (int i = 0; i < 100; ++i) {
        VqGeImpEllipArc3d arc = randomArc(rng, i % 2, 1, 1e8, 1e5);
        const VqGePoint3d p = arc.center() + VqGeVector3d(uniform(rng, -3e5, 3e5),
                                                          uniform(rng, -3e5, 3e5), 0);
        const VqGePoint3d q = arc.closestPointTo(p, VqGeContext::gTol);
        EXPECT_LE(q.distanceTo(p), sampledDistance(arc, p, 10000) + 1e-6) << i;
    }
}

TEST(VqGeImpEllipArc3d, ClosestPointTo_CircleCentre_NearerEndStartOnTie) {
    VqGeImpEllipArc3d arc(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 1, 1, 0, 1);
    EXPECT_LE(arc.closestPointTo(VqGePoint3d(), VqGeContext::gTol).distanceTo(arc.startPoint()),
              1e-15);
    VqGeImpPointOnCurve3d pc;
    arc.getClosestPointTo(VqGePoint3d(-2, -3, 0), pc, VqGeContext::gTol);
    EXPECT_EQ(pc.parameter(), 0.0);
    arc.getClosestPointTo(VqGePoint3d(0, 5, 0), pc, VqGeContext::gTol);
    EXPECT_EQ(pc.parameter(), 1.0);
    arc.getClosestPointTo(VqGePoint3d(3, 3, 7), pc, VqGeContext::gTol);
    EXPECT_NEAR(pc.parameter(), 0.25 * kPi, 1e-15);
}

TEST(VqGeImpEllipArc3d, ClosestPointToLine_RandomPairs_NoFartherThanDenseSamples) {
    std::mt19937 rng(23);
    for (int i = 0; i < 300; ++i) {
        const VqGeImpEllipArc3d arc = randomArc(rng, i % 3 == 0, i % 2);
        VqGePoint3d o(uniform(rng, -8, 8), uniform(rng, -8, 8), i % 2 ? 0 : uniform(rng, -8, 8));
        VqGeVector3d d = i % 2 ? VqGeVector3d(uniform(rng, -3, 3), uniform(rng, -3, 3), 0)
                               : randomUnit(rng) * uniform(rng, 0.5, 5);
        if (i % 7 == 0) d = arc.majorAxis() * 2.0 + arc.minorAxis();  // parallel to the plane
        const int kind = i % 3;  // segment, ray, line
        VqGeImpLinearEnt3d line(o, d, 1, kind == 0);
        if (kind == 2) line.set(o, d, 0, 0);
        VqGeImpPointOnCurve3d onArcPc, onLinePc;
        arc.getClosestPointTo(line, onArcPc, onLinePc, VqGeContext::gTol);
        const VqGePoint3d pa = onArcPc.point(), pl = onLinePc.point();
        const double dense = sampledArcLine(arc, line);
        EXPECT_LE(pa.distanceTo(pl), dense + 1e-9) << i;
        EXPECT_TRUE(onArc(arc, pa, 1e-9)) << i;
        EXPECT_TRUE(onLine(line, pl, 1e-9)) << i;
        // The line's own entry point answers the same pair.
        VqGePoint3d other;
        const VqGePoint3d fromLine = line.closestPointTo(arc, other, VqGeContext::gTol);
        EXPECT_NEAR(fromLine.distanceTo(other), pa.distanceTo(pl), 1e-9) << i;
    }
}

TEST(VqGeImpEllipArc3d, ClosestPointToLine_ParallelLineCrossingCircle_SmallerLineParameter) {
    VqGeImpEllipArc3d circle;
    VqGeImpLinearEnt3d line(VqGePoint3d(-5, 0.5, 2), VqGeVector3d(1, 0, 0), 0, 0);
    VqGeImpPointOnCurve3d pa, pl;
    circle.getClosestPointToLine(line, pa, pl, VqGeContext::gTol);
    EXPECT_NEAR(pa.point().distanceTo(pl.point()), 2.0, 1e-14);
    EXPECT_NEAR(pl.point().x, -std::sqrt(0.75), 1e-14);
    EXPECT_NEAR(pa.point().x, -std::sqrt(0.75), 1e-14);
}

TEST(VqGeImpEllipArc3d, ClosestPointToLine_StretchWithMaximumAndMinimum_GlobalMinimumFound) {
    // A flat ellipse arc swept past a line: the near lobe and the far lobe fall in one ninth
    // of the range when the arc is short.
    VqGeImpEllipArc3d arc(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 10, 0.2,
                          -0.3, 3.3);
    const VqGeImpLinearEnt3d line(VqGePoint3d(0, 3, 1), VqGeVector3d(1, 0.05, 0), 0, 0);
    VqGeImpPointOnCurve3d pa, pl;
    arc.getClosestPointToLine(line, pa, pl, VqGeContext::gTol);
    EXPECT_LE(pa.point().distanceTo(pl.point()), sampledArcLine(arc, line) + 1e-12);
}

TEST(VqGeImpEllipArc3d, ClosestPointToArc_CoplanarCircles_NoFartherThanDenseSamples) {
    std::mt19937 rng(24);
    for (int i = 0; i < 200; ++i) {
        const VqGeImpEllipArc3d a = randomArc(rng, 1, 1), b = randomArc(rng, 1, 1);
        VqGeImpPointOnCurve3d pa, pb;
        a.getClosestPointTo(b, pa, pb, VqGeContext::gTol);
        // Dense samples of each arc against the other's (separately tested) point closest.
        double dense = 1e300;
        for (int k = 0; k <= 3000; ++k) {
            const VqGePoint3d p = a.pointAt(a.startParam() + (a.endParam() - a.startParam()) * k / 3000);
            const VqGePoint3d q = b.pointAt(b.startParam() + (b.endParam() - b.startParam()) * k / 3000);
            dense = std::min(dense, b.closestPointTo(p, VqGeContext::gTol).distanceTo(p));
            dense = std::min(dense, a.closestPointTo(q, VqGeContext::gTol).distanceTo(q));
        }
        EXPECT_LE(pa.point().distanceTo(pb.point()), dense + 1e-9) << i;
        EXPECT_TRUE(onArc(a, pa.point(), 1e-9)) << i;
        EXPECT_TRUE(onArc(b, pb.point(), 1e-9)) << i;
    }
}

TEST(VqGePlane, ClosestPointTo_ArcAcrossAndParallel_PairOnBoth) {
    std::mt19937 rng(25);
    for (int i = 0; i < 100; ++i) {
        VqGeImpEllipArc3d imp = randomArc(rng, i % 2, 0);
        VqGeEllipArc3d arc(imp.center(), imp.majorAxis(), imp.minorAxis(), imp.majorRadius(),
                           imp.minorRadius(), imp.startAngle(), imp.endAngle());
        const VqGePlane plane(VqGePoint3d(uniform(rng, -3, 3), 0, 0), randomUnit(rng));
        VqGePoint3d onPlane;
        const VqGePoint3d onArcPt = arc.closestPointToPlane(plane, onPlane);
        EXPECT_TRUE(plane.isOn(onPlane, VqGeTol()));
        double best = 1e300;
        for (int k = 0; k <= 4000; ++k) {
            const VqGePoint3d p = arc.evalPoint(arc.startAng() + (arc.endAng() - arc.startAng()) * k / 4000);
            best = std::min(best, std::fabs(plane.signedDistanceTo(p)));
        }
        EXPECT_LE(onArcPt.distanceTo(onPlane), best + 1e-9) << i;
    }
}

TEST(VqGeImpEllipArc3d, GetNormalPoint_CircleAndEllipse_NormalThroughThePoint) {
    std::mt19937 rng(26);
    for (int i = 0; i < 200; ++i) {
        const VqGeImpEllipArc3d arc = randomArc(rng, i % 2, 1);
        const VqGePoint3d p(uniform(rng, -10, 10), uniform(rng, -10, 10), 0);
        VqGeImpPointOnCurve3d pc(&arc, arc.startParam());
        if (!arc.getNormalPoint(p, pc, VqGeContext::gTol)) continue;
        const VqGeVector3d off = p - pc.point();
        EXPECT_NEAR(off.dotProduct(pc.deriv(1).normal()), 0.0, 1e-8 * (1 + off.length())) << i;
        EXPECT_TRUE(onArc(arc, pc.point(), 1e-9));
    }
    VqGeImpEllipArc3d circle;
    VqGeImpPointOnCurve3d pc(&circle, 0.0);
    EXPECT_FALSE(circle.getNormalPoint(VqGePoint3d(0, 0, 0), pc, VqGeContext::gTol));
    EXPECT_FALSE(circle.getNormalPoint(VqGePoint3d(2, 0, 1), pc, VqGeContext::gTol));
    ASSERT_TRUE(circle.getNormalPoint(VqGePoint3d(2, 0, 0), pc, VqGeContext::gTol));
    EXPECT_PT3_NEAR(pc.point(), 1, 0, 0, 1e-15);
}

// Regression: the foot search converged onto its bracket's edge and a bisection step then
// moved it away again, leaving a foot 0.025 rad off.
TEST(VqGeImpEllipArc3d, ClosestPointTo_FootSearchConvergedAtBracketEdge_StaysOnTheRoot) {
    const VqGeImpEllipArc3d arc(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0),
                                2.9448959728225637, 1.6102996090564949, -2.41371, -0.114081);
    const VqGePoint3d p(0.87882715076023066, -0.049455196057749451, 0);
    EXPECT_NEAR(arc.closestParamTo(p, VqGeContext::gTol), -1.1377299534481262, 1e-12);
}
