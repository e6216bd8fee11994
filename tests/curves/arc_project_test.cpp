// Arc projections and the way back, tangent lines with their conditions, exact offsets, the
// self-intersections of inward ellipse offsets, the circle tangent to three curves, and the
// segment constructions tangent to arcs.
#include "tests/curves/arc_checks.h"
#include "tests/test_helpers.h"
#include "entity/imp_position3d.h"
#include "surfaces/imp_planar_ent.h"
#include "vqge_curveintdata.h"

using namespace arctest;

namespace {
VqGePoint3d projectPoint(const VqGePoint3d& p, const VqGeImpPlanarEnt& pln, const VqGeVector3d& w) {
    const VqGeVector3d n = pln.normal();
    return p - w * ((p - pln.pointOnPlane()).dotProduct(n) / w.dotProduct(n));
}
}  // namespace

TEST(VqGeImpEllipArc3d, Project_RandomArcs_ParametersLandOnProjectedPoints) {
    std::mt19937 rng(41);
    for (int i = 0; i < 300; ++i) {
        const VqGeImpEllipArc3d arc = randomArc(rng, i % 2, 0);
        const VqGeImpPlanarEnt pln(VqGePoint3d(uniform(rng, -3, 3), 0, 1), randomUnit(rng));
        VqGeVector3d w = randomUnit(rng);
        if (std::fabs(w.dotProduct(pln.normal())) < 0.2) w = pln.normal();
        VqGeImpEntity3d* ent = arc.project(pln, w, VqGeContext::gTol);
        ASSERT_TRUE(ent != nullptr);
        ASSERT_TRUE(ent->isKindOf(VqGe::kEllipArc3d, 0)) << i;
        const VqGeImpEllipArc3d& proj = *static_cast<VqGeImpEllipArc3d*>(ent);
        EXPECT_NEAR(proj.majorAxis().dotProduct(proj.minorAxis()), 0.0, 1e-12);
        EXPECT_GE(proj.majorRadius(), proj.minorRadius());
        for (int k = 0; k <= 12; ++k) {
            const double t = arc.startParam() + (arc.endParam() - arc.startParam()) * k / 12;
            EXPECT_LE(proj.pointAt(t).distanceTo(projectPoint(arc.pointAt(t), pln, w)), 1e-10) << i;
        }
        // Back from the projection to the arc.
        const double t = uniform(rng, arc.startParam(), arc.endParam());
        VqGeImpPointOnCurve3d onProj(&proj, t), back;
        EXPECT_TRUE(arc.reverseProject(onProj, pln, w, back, VqGeContext::gTol)) << i;
        EXPECT_LE(back.point().distanceTo(arc.pointAt(t)), 1e-9) << i;
        delete ent;
    }
}

TEST(VqGeImpEllipArc3d, Project_CircleEdgeOn_SegmentAcrossTheDiameter) {
    const VqGeImpEllipArc3d circle(VqGePoint3d(1, 2, 3), VqGeVector3d(0, 0, 1), 2.0);
    const VqGeImpPlanarEnt xz(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 1, 0));
    VqGeImpEntity3d* ent = circle.project(xz, VqGeVector3d(0, 1, 0), VqGeContext::gTol);
    ASSERT_TRUE(ent && ent->isKindOf(VqGe::kLinearEnt3d, 0));
    const VqGeImpLinearEnt3d& seg = *static_cast<VqGeImpLinearEnt3d*>(ent);
    const double x1 = seg.startPoint().x, x2 = seg.endPoint().x;
    EXPECT_NEAR(std::min(x1, x2), -1.0, 1e-14);
    EXPECT_NEAR(std::max(x1, x2), 3.0, 1e-14);
    EXPECT_NEAR(seg.startPoint().y, 0.0, 1e-14);
    EXPECT_NEAR(seg.startPoint().z, 3.0, 1e-14);
    delete ent;
    // Parallel to the plane there is no projection; a point arc projects to a position.
    EXPECT_EQ(circle.project(xz, VqGeVector3d(1, 0, 0), VqGeContext::gTol), nullptr);
    const VqGeImpEllipArc3d dot(VqGePoint3d(1, 2, 3), VqGeVector3d(0, 0, 1), 0.0);
    ent = dot.project(xz, VqGeVector3d(0, 1, 0), VqGeContext::gTol);
    ASSERT_TRUE(ent && ent->isKindOf(VqGe::kPosition3d, 0));
    delete ent;
    // Straight down onto a parallel plane a circle stays a circle.
    const VqGeImpPlanarEnt floor(VqGePoint3d(0, 0, -5), VqGeVector3d(0, 0, 1));
    ent = circle.project(floor, VqGeVector3d(0, 0, -1), VqGeContext::gTol);
    ASSERT_TRUE(ent != nullptr);
    EXPECT_EQ(ent->type(1), VqGe::kCircArc3d);
    delete ent;
}

TEST(VqGeImpEllipArc3d, Tangent_EllipsePoints_AlongTheDerivative) {
    std::mt19937 rng(42);
    for (int i = 0; i < 200; ++i) {
        const VqGeImpEllipArc3d arc = randomArc(rng, i % 4 == 0, i % 2);
        const double t = uniform(rng, 0, kTwoPi);
        const VqGePoint3d p = arc.pointAt(t);
        VqGeImpLinearEnt3d line;
        ASSERT_TRUE(arc.tangent(p, line, VqGeContext::gTol));
        VqGeImpPointOnCurve3d pc(&arc, t);
        EXPECT_TRUE(line.direction().isParallelTo(pc.deriv(1), VqGeTol())) << i;
        EXPECT_TRUE(line.isOn(p));
    }
    const VqGeImpEllipArc3d circle;
    VqGeImpLinearEnt3d line;
    EXPECT_FALSE(circle.tangent(VqGePoint3d(1, 0, 1), line, VqGeContext::gTol));
}

TEST(VqGeCircArc3d, Tangent_ErrorConditions_FarInsideOnAndOk) {
    const VqGeCircArc3d arc(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 0, 1), 2.0);
    VqGeLine3d line;
    VqGe::ErrorCondition cond;
    EXPECT_FALSE(arc.tangent(VqGePoint3d(1e67, 0, 0), line, VqGeContext::gTol, cond));
    EXPECT_EQ(cond, VqGe::kPointTooFar);
    // A point far out on the negative side is as far.
    EXPECT_FALSE(arc.tangent(VqGePoint3d(0, -1e67, 0), line, VqGeContext::gTol, cond));
    EXPECT_EQ(cond, VqGe::kPointTooFar);
    EXPECT_FALSE(arc.tangent(VqGePoint3d(0.5, 0, 0), line, VqGeContext::gTol, cond));
    EXPECT_EQ(cond, VqGe::kPointInsideCircle);
    EXPECT_FALSE(arc.tangent(VqGePoint3d(0, 2, 0), line, VqGeContext::gTol, cond));
    EXPECT_EQ(cond, VqGe::kPointOnCurve);
    EXPECT_TRUE(arc.tangent(VqGePoint3d(3, 0, 0), line, VqGeContext::gTol, cond));
    EXPECT_EQ(cond, VqGe::kConditionOk);
    EXPECT_TRUE(arc.tangent(VqGePoint3d(0, 2, 0), line));
    EXPECT_TRUE(line.direction().isParallelTo(VqGeVector3d(1, 0, 0)));
    const VqGeCircArc2d arc2(VqGePoint2d(0, 0), 2.0);
    VqGeLine2d line2;
    EXPECT_FALSE(arc2.tangent(VqGePoint2d(-2e66, 0), line2, VqGeContext::gTol, cond));
    EXPECT_EQ(cond, VqGe::kPointTooFar);
    EXPECT_TRUE(arc2.tangent(VqGePoint2d(-2, 0), line2));
    EXPECT_TRUE(line2.direction().isParallelTo(VqGeVector2d(0, 1)));
}

TEST(VqGeImpEllipArc3d, ExactOffset_CircularArc_RadiusChangesCollapsesAndTurns) {
    const VqGeImpEllipArc3d arc(VqGePoint3d(1, 1, 0), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0),
                                3, 3, 0.2, 1.5);
    VqArray<double> p1, p2;
    VqGeImpEntity3d* ent =
        arc.exactOffset(1.0, VqGeVector3d(0, 0, 1), &p1, &p2, VqGe::kOffsetJoinExtend,
                        VqGeContext::gTol);
    ASSERT_TRUE(ent && ent->isKindOf(VqGe::kEllipArc3d, 0));
    EXPECT_EQ(static_cast<VqGeImpEllipArc3d*>(ent)->majorRadius(), 2.0);
    EXPECT_TRUE(ent->linked(&arc, "ExactOffsetCurve_Curve"));
    delete ent;
    ent = arc.exactOffset(1.0, VqGeVector3d(0, 0, -1), &p1, &p2, VqGe::kOffsetJoinExtend,
                          VqGeContext::gTol);
    EXPECT_EQ(static_cast<VqGeImpEllipArc3d*>(ent)->majorRadius(), 4.0);
    delete ent;
    ent = arc.exactOffset(3.0, VqGeVector3d(0, 0, 1), &p1, &p2, VqGe::kOffsetJoinExtend,
                          VqGeContext::gTol);
    ASSERT_TRUE(ent && ent->isKindOf(VqGe::kPosition3d, 0));
    EXPECT_PT3_NEAR(static_cast<VqGeImpPosition3d*>(ent)->point(), 1, 1, 0, 0);
    delete ent;
    ent = arc.exactOffset(5.0, VqGeVector3d(0, 0, 1), &p1, &p2, VqGe::kOffsetJoinExtend,
                          VqGeContext::gTol);
    ASSERT_TRUE(ent && ent->isKindOf(VqGe::kEllipArc3d, 0));
    const VqGeImpEllipArc3d& turned = *static_cast<VqGeImpEllipArc3d*>(ent);
    EXPECT_EQ(turned.majorRadius(), 2.0);
    EXPECT_PT3_NEAR(turned.majorAxis(), -1, 0, 0, 0);
    ASSERT_EQ(p1.length(), 1);
    EXPECT_EQ(p1[0], 0.2);
    EXPECT_EQ(p2[0], 1.5);
    delete ent;
}

TEST(VqGeImpEllipArc3d, IntersectSelf_InwardOffsets_PointsAtOffsetDistanceFromBothFeet) {
    const VqGeImpEllipArc3d ell(VqGePoint3d(1, 2, 0), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0),
                                2, 1);
    const double offsets[] = {0.8, 0.6, 2.5, 3.5};
    for (double delta : offsets) {
        VqGeCurveIntData data;
        ASSERT_TRUE(ell.intersectSelf(data, VqGeVector3d(0, 0, 1), delta, VqGeContext::gTol))
            << delta;
        for (int k = 0; k < data.numIntPoints(); ++k) {
            double t1, t2;
            data.getIntParams(k, t1, t2);
            const VqGePoint3d q = data.intPnt(k);
            EXPECT_NEAR(q.distanceTo(ell.pointAt(t1)), delta, 1e-12) << delta;
            EXPECT_NEAR(q.distanceTo(ell.pointAt(t2)), delta, 1e-12) << delta;
            if (delta < 1.0) {
                EXPECT_TRUE(ell.isInside(q));
            }
        }
    }
    VqGeCurveIntData data;
    EXPECT_FALSE(ell.intersectSelf(data, VqGeVector3d(0, 0, 1), -0.8, VqGeContext::gTol));
    EXPECT_FALSE(ell.intersectSelf(data, VqGeVector3d(0, 0, 1), 0.3, VqGeContext::gTol));
    EXPECT_FALSE(ell.intersectSelf(data, VqGeVector3d(0, 0, 1), 1.7, VqGeContext::gTol));
    const VqGeImpEllipArc3d circle;
    EXPECT_FALSE(circle.intersectSelf(data, VqGeVector3d(0, 0, 1), 0.8, VqGeContext::gTol));
}

TEST(VqGeImpEllipArc3d, SetTangentToThreeLines_RandomTriangles_TouchesAllThreeNearReferences) {
    std::mt19937 rng(43);
    for (int i = 0; i < 200; ++i) {
        VqGePoint3d v[3];
        for (int k = 0; k < 3; ++k) v[k] = VqGePoint3d(uniform(rng, -9, 9), uniform(rng, -9, 9), 0);
        const VqGeVector3d e1 = v[1] - v[0], e2 = v[2] - v[0];
        if (std::fabs(e1.x * e2.y - e1.y * e2.x) < 4.0) continue;
        const VqGeImpLinearEnt3d s0(v[0], v[1], 1, 1), s1(v[1], v[2], 1, 1), s2(v[2], v[0], 1, 1);
        double t0 = 0.5, t1 = 0.5, t2 = 0.5;
        int ok = 0;
        VqGeImpEllipArc3d circle;
        circle.set(s0, s1, s2, t0, t1, t2, ok);
        ASSERT_TRUE(ok) << i;
        const double r = circle.majorRadius();
        const VqGeImpLinearEnt3d* sides[3] = {&s0, &s1, &s2};
        const double params[3] = {t0, t1, t2};
        for (int k = 0; k < 3; ++k) {
            VqGeImpLinearEnt3d line;
            sides[k]->getLine(line);
            const VqGePoint3d foot = line.closestPointTo(circle.center(), VqGeContext::gTol);
            EXPECT_NEAR(foot.distanceTo(circle.center()), r, 1e-9) << i;
            EXPECT_LE(sides[k]->pointAt(params[k]).distanceTo(foot), 1e-9) << i;
            // The incircle: every tangency point on its side.
            EXPECT_GE(params[k], -1e-9);
            EXPECT_LE(params[k], 1 + 1e-9);
        }
        EXPECT_TRUE(circle.isClosed(VqGeContext::gTol));
    }
    // Three parallel lines have no tangent circle: nothing changes.
    const VqGeImpLinearEnt3d a(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 0, 0);
    const VqGeImpLinearEnt3d b(VqGePoint3d(0, 1, 0), VqGeVector3d(1, 0, 0), 0, 0);
    const VqGeImpLinearEnt3d c(VqGePoint3d(0, 3, 0), VqGeVector3d(1, 0, 0), 0, 0);
    double t0 = 0, t1 = 0, t2 = 0;
    int ok = 1;
    VqGeImpEllipArc3d circle;
    circle.set(a, b, c, t0, t1, t2, ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(circle.isEqualTo(VqGeImpEllipArc3d()));
}

TEST(VqGeImpEllipArc3d, SetTangentToThreeCurves_TwoLinesAndACircle_NewtonTouchesAll) {
    std::mt19937 rng(44);
    int solved = 0;
    for (int i = 0; i < 100; ++i) {
        const VqGeImpLinearEnt3d xAxis(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 0, 0);
        const VqGeImpLinearEnt3d yAxis(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 1, 0), 0, 0);
        const double cx = uniform(rng, 4, 8), cy = uniform(rng, 4, 8), r = uniform(rng, 0.5, 2);
        const VqGeImpEllipArc3d round(VqGePoint3d(cx, cy, 0), VqGeVector3d(0, 0, 1), r);
        double t0 = cx * 0.5, t1 = cy * 0.5, t2 = round.paramOf(VqGePoint3d(0, 0, 0), VqGeContext::gTol);
        int ok = 0;
        VqGeImpEllipArc3d circle;
        circle.set(xAxis, yAxis, round, t0, t1, t2, ok);
        if (!ok) continue;
        ++solved;
        const VqGePoint3d c = circle.center();
        const double rr = circle.majorRadius();
        EXPECT_NEAR(std::fabs(c.y), rr, 1e-9) << i;
        EXPECT_NEAR(std::fabs(c.x), rr, 1e-9) << i;
        const double d = c.distanceTo(round.center());
        EXPECT_TRUE(std::fabs(d - (rr + r)) < 1e-9 || std::fabs(d - std::fabs(rr - r)) < 1e-9) << i;
        EXPECT_LE(round.pointAt(t2).distanceTo(c), rr + 1e-9);
    }
    EXPECT_GT(solved, 90);
}

TEST(VqGeLineSeg3d, SetTangentFromPoint_ToCircularArc_TouchesAtRightAngle) {
    std::mt19937 rng(45);
    for (int i = 0; i < 100; ++i) {
        const VqGeCircArc3d arc(VqGePoint3d(uniform(rng, -5, 5), uniform(rng, -5, 5), 0),
                                VqGeVector3d(0, 0, 1), uniform(rng, 1, 3));
        const double ang = uniform(rng, 0, kTwoPi), dist = arc.radius() * uniform(rng, 1.5, 4);
        const VqGePoint3d p = arc.center() + VqGeVector3d(std::cos(ang), std::sin(ang), 0) * dist;
        double t = ang;
        int ok = 0;
        VqGeLineSeg3d seg;
        seg.set(arc, p, t, ok);
        ASSERT_TRUE(ok) << i;
        const VqGePoint3d touch = arc.evalPoint(t);
        EXPECT_NEAR((touch - arc.center()).dotProduct((p - touch).normal()), 0.0, 1e-8) << i;
    }
}

TEST(VqGeLineSeg3d, SetTangentToTwoArcs_OuterTangent_PerpendicularToBothRadii) {
    const VqGeCircArc3d a(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 0, 1), 1.0);
    const VqGeCircArc3d b(VqGePoint3d(6, 1, 0), VqGeVector3d(0, 0, 1), 2.0);
    double t1 = 0.5 * kPi, t2 = 0.5 * kPi;
    int ok = 0;
    VqGeLineSeg3d seg;
    seg.set(a, b, t1, t2, ok);
    ASSERT_TRUE(ok);
    const VqGeVector3d dir = seg.direction().normal();
    EXPECT_NEAR((a.evalPoint(t1) - a.center()).dotProduct(dir), 0.0, 1e-9);
    EXPECT_NEAR((b.evalPoint(t2) - b.center()).dotProduct(dir), 0.0, 1e-9);
}

TEST(VqGeCircArc3d, SetRadiusTangentToTwoCurves_NotAvailable_ReportsFailureUnchanged) {
    VqGeCircArc3d arc(VqGePoint3d(1, 1, 1), VqGeVector3d(0, 0, 1), 2.0);
    const VqGeLineSeg3d s1(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0));
    const VqGeLineSeg3d s2(VqGePoint3d(0, 0, 0), VqGePoint3d(0, 1, 0));
    double t1 = 0.5, t2 = 0.5;
    int ok = 1;
    arc.set(s1, s2, 0.2, t1, t2, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(arc.radius(), 2.0);
}
