// Sampled intersection of curves of any kinds against a dense scan, with touchings, joints,
// drawing-scale coordinates and self-intersections.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "curves/curve_property_checks.h"
#include "curves/imp_linear_ent3d.h"

namespace {
VqGeMatrix3d placement(std::mt19937& rng, double spread) {
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    VqGeMatrix3d rot, move;
    rot.setToRotation(3.14159 * u(rng), VqGeVector3d::kZAxis);
    move.setToTranslation(VqGeVector3d(spread * u(rng), spread * u(rng), 0.0));
    return move * rot;
}

std::unique_ptr<VqGeImpCurve3d> randomPlanarCurve(std::mt19937& rng, int kind) {
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    VqGeMatrix3d m = placement(rng, 1.0);
    switch (kind % 5) {
        case 0: return std::unique_ptr<VqGeImpCurve3d>(FnCurve::circle(1.0 + 0.5 * u(rng))->place(m));
        case 1:
            return std::unique_ptr<VqGeImpCurve3d>(
                FnCurve::ellipse(1.5 + 0.5 * u(rng), 0.6 + 0.3 * u(rng))->place(m));
        case 2:
            return std::unique_ptr<VqGeImpCurve3d>(
                FnCurve::sine(0.8 + 0.3 * u(rng), 3.0 + u(rng), -3.0, 3.0)->place(m));
        case 3: {
            VqGePoint3d p[4];
            for (auto& q : p) q.set(2 * u(rng), 2 * u(rng), 0);
            return std::unique_ptr<VqGeImpCurve3d>(FnCurve::bezier(p));
        }
        default:
            return std::unique_ptr<VqGeImpCurve3d>(new VqGeImpLinearEnt3d(
                VqGePoint3d(2 * u(rng), 2 * u(rng), 0), VqGePoint3d(2 * u(rng), 2 * u(rng), 0), 1, 1));
    }
}
}  // namespace

TEST(GenericIntersect, IntersectWith_RandomPlanarPairs_MatchDenseScan) {
    std::mt19937 rng(11);
    for (int k = 0; k < 60; ++k) {
        auto a = randomPlanarCurve(rng, k);
        auto b = randomPlanarCurve(rng, k / 5 + 1);
        if (a->isKindOf(VqGe::kLinearEnt3d, 0) && b->isKindOf(VqGe::kLinearEnt3d, 0)) continue;
        SCOPED_TRACE(k);
        if (a->isKindOf(VqGe::kLinearEnt3d, 0))
            props::checkIntersections(*b, *a);
        else
            props::checkIntersections(*a, *b);
    }
}

TEST(GenericIntersect, IntersectWith_CurvesInSpace_MatchDenseScan) {
    // A helix through a tilted circle and a line through the helix.
    std::unique_ptr<FnCurve> helix(FnCurve::helix(1.0, 0.2, 0.0, 20.0));
    VqGeMatrix3d tilt;
    tilt.setToRotation(1.5707963267948966, VqGeVector3d::kXAxis);
    std::unique_ptr<FnCurve> ring(FnCurve::circle(1.0)->place(tilt));
    props::checkIntersections(*helix, *ring);
    VqGeImpLinearEnt3d axis(VqGePoint3d(1, 0, -1), VqGePoint3d(1, 0, 5), 1, 1);
    props::checkIntersections(*helix, axis);
}

TEST(GenericIntersect, IntersectWith_TangentialTouchings_AreReportedOnce) {
    // Circles touching from outside and inside, a line touching a circle, a sine wave
    // touching the lines at its crests.
    std::unique_ptr<FnCurve> c1(FnCurve::circle(1.0));
    VqGeMatrix3d right;
    right.setToTranslation(VqGeVector3d(2.0, 0, 0));
    std::unique_ptr<FnCurve> outside(FnCurve::circle(1.0)->place(right));
    VqGeMatrix3d inner;
    inner.setToTranslation(VqGeVector3d(0.5, 0, 0));
    std::unique_ptr<FnCurve> inside(FnCurve::circle(0.5)->place(inner));
    props::checkIntersections(*c1, *outside);
    props::checkIntersections(*c1, *inside);
    VqGeImpLinearEnt3d top(VqGePoint3d(-3, 1, 0), VqGePoint3d(3, 1, 0), 1, 1);
    props::checkIntersections(*c1, top);
    std::unique_ptr<FnCurve> wave(FnCurve::sine(1.0, 1.0, -7.0, 7.0));
    VqGeImpLinearEnt3d crest(VqGePoint3d(-8, 1, 0), VqGePoint3d(8, 1, 0), 1, 1);
    VqGeCurveIntData data;
    data.reverseOrder();
    wave->VqGeImpCurve3d::intersectWith(crest, VqGeVector3d::kZAxis, data, VqGeContext::gTol);
    // Left reversed: the record reads back in the order the entries were added.
    ASSERT_EQ(data.numIntPoints(), 2);  // crests at pi/2 - 2 pi and pi/2
    for (int i = 0; i < 2; ++i) {
        int c1c, c2c;
        data.getIntConfigs(i, c1c, c2c);
        EXPECT_TRUE(c1c == VqGe::kLeftLeft || c1c == VqGe::kRightRight || c1c == VqGe::kUnknown);
    }
    props::checkIntersections(*wave, crest);
}

TEST(GenericIntersect, IntersectWith_Crossing_ConfigurationsFollowTangentOrder) {
    std::unique_ptr<FnCurve> c(FnCurve::circle(1.0));
    VqGeImpLinearEnt3d across(VqGePoint3d(0, -3, 0), VqGePoint3d(0, 3, 0), 1, 1);
    VqGeCurveIntData data;
    data.reverseOrder();
    c->VqGeImpCurve3d::intersectWith(across, VqGeVector3d::kZAxis, data, VqGeContext::gTol);
    // Left reversed: the record reads back in the order the entries were added.
    ASSERT_EQ(data.numIntPoints(), 2);
    for (int i = 0; i < 2; ++i) {
        double s, t;
        data.getIntParams(i, s, t);
        int k1, k2;
        data.getIntConfigs(i, k1, k2);
        // At the top the circle runs in -x, the line in +y: (T1 x T2).z < 0.
        const bool top = data.intPnt(i).y > 0;
        EXPECT_EQ(k1, top ? VqGe::kRightLeft : VqGe::kLeftRight);
        EXPECT_EQ(k2, top ? VqGe::kLeftRight : VqGe::kRightLeft);
    }
}

TEST(GenericIntersect, IntersectWith_CurvesMeetingAtEnds_ReportJoints) {
    // Two Beziers sharing an end point, once at an angle and once tangentially, and a
    // sine wave ending on a circle.
    const VqGePoint3d a[4] = {{0, 0, 0}, {1, 1, 0}, {2, 1, 0}, {3, 0, 0}};
    const VqGePoint3d b[4] = {{3, 0, 0}, {4, 2, 0}, {5, -1, 0}, {6, 0, 0}};
    const VqGePoint3d g[4] = {{3, 0, 0}, {4, -1, 0}, {5, 1, 0}, {6, 2, 0}};  // G1 with a
    std::unique_ptr<FnCurve> ca(FnCurve::bezier(a)), cb(FnCurve::bezier(b)), cg(FnCurve::bezier(g));
    props::checkIntersections(*ca, *cb);
    VqGeCurveIntData data;
    data.reverseOrder();
    ca->VqGeImpCurve3d::intersectWith(*cg, VqGeVector3d::kZAxis, data, VqGeContext::gTol);
    // Left reversed: the record reads back in the order the entries were added.
    ASSERT_EQ(data.numIntPoints(), 1);
    double s, t;
    data.getIntParams(0, s, t);
    EXPECT_NEAR(s, 1.0, 1e-9);
    EXPECT_NEAR(t, 0.0, 1e-9);
    VqGeImpLinearEnt3d onEnd(VqGePoint3d(3, 0, 0), VqGePoint3d(3, 5, 0), 1, 1);
    props::checkIntersections(*ca, onEnd);
}

TEST(GenericIntersect, IntersectWith_DrawingScale_FindsEveryCrossing) {
    std::mt19937 rng(5);
    for (double scale : {1e3, 1e6, 1e8}) {
        for (int k = 0; k < 6; ++k) {
            VqGeMatrix3d grow, far;
            grow.setToScaling(scale / 100.0);
            far.setToTranslation(VqGeVector3d(scale, -0.5 * scale, 0));
            std::unique_ptr<FnCurve> a(FnCurve::ellipse(60, 30)->place(far * grow));
            std::unique_ptr<FnCurve> b(FnCurve::sine(40, 0.2 + 0.05 * k, -100, 100)->place(far * grow));
            SCOPED_TRACE(scale);
            props::checkIntersections(*a, *b, VqGeContext::gTol, 400, 1e-9);
            VqGePoint3d p0 = far * VqGePoint3d(-200 * scale / 100, 3 * k * scale / 100, 0);
            VqGePoint3d p1 = far * VqGePoint3d(200 * scale / 100, -2 * k * scale / 100, 0);
            VqGeImpLinearEnt3d line(p0, p1, 1, 1);
            props::checkIntersections(*a, line, VqGeContext::gTol, 400, 1e-9);
            (void)rng;
        }
    }
}

TEST(GenericIntersect, IntersectWith_UnboundedLineFarOut_IsNotCutShort) {
    // The crossing lies 5e7 along the line: a fixed reach of the line would miss it.
    VqGeMatrix3d far;
    far.setToTranslation(VqGeVector3d(5e7, 0, 0));
    std::unique_ptr<FnCurve> c(FnCurve::circle(10.0)->place(far));
    VqGeImpLinearEnt3d xAxis(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 0, 0);
    VqGeCurveIntData data;
    data.reverseOrder();
    c->VqGeImpCurve3d::intersectWith(xAxis, VqGeVector3d::kZAxis, data, VqGeContext::gTol);
    // Left reversed: the record reads back in the order the entries were added.
    EXPECT_EQ(data.numIntPoints(), 2);
}

TEST(GenericIntersect, IntersectWith_ManyCrossings_NoneMissed) {
    std::unique_ptr<FnCurve> a(FnCurve::sine(1.0, 5.0, -16.0, 16.0));
    std::unique_ptr<FnCurve> b(FnCurve::sine(0.7, 4.3, -16.0, 16.0));
    props::checkIntersections(*a, *b, VqGeContext::gTol, 1500);
}

TEST(GenericIntersect, IntersectWith_DoubleDispatch_ComesBackInCallerOrder) {
    std::unique_ptr<FnCurve> c(FnCurve::circle(1.0));
    VqGeImpLinearEnt3d across(VqGePoint3d(-3, 0.5, 0), VqGePoint3d(3, 0.5, 0), 1, 1);
    VqGeCurveIntData fromCurve, fromLine;
    c->intersectWith(across, VqGeVector3d::kZAxis, fromCurve, VqGeContext::gTol);
    across.intersectWith(*c, VqGeVector3d::kZAxis, fromLine, VqGeContext::gTol);
    ASSERT_EQ(fromCurve.numIntPoints(), 2);
    ASSERT_EQ(fromLine.numIntPoints(), 2);
    for (int i = 0; i < 2; ++i) {
        double s, t;
        fromCurve.getIntParams(i, s, t);
        EXPECT_NEAR(props::at(*c, s).distanceTo(props::at(across, t)), 0.0, 1e-9);
        fromLine.getIntParams(i, s, t);
        EXPECT_NEAR(props::at(across, s).distanceTo(props::at(*c, t)), 0.0, 1e-9);
    }
}

TEST(GenericIntersect, IntersectSelf_FigureEightAndClosedCurve) {
    // A lemniscate-like Bezier loop crosses itself once; a closed circle does not report
    // its joint; a polygon with a crossing edge pair reports it.
    const VqGePoint3d loop[4] = {{0, 0, 0}, {3, 2, 0}, {-1, 2, 0}, {2, 0, 0}};
    std::unique_ptr<FnCurve> b(FnCurve::bezier(loop));
    VqGeCurveIntData data;
    b->VqGeImpCurve3d::intersectSelf(data, VqGeVector3d::kZAxis, 0.0, VqGeContext::gTol);
    ASSERT_EQ(data.numIntPoints(), 1);
    double s, t;
    data.getIntParams(0, s, t);
    EXPECT_LT(props::at(*b, s).distanceTo(props::at(*b, t)), 1e-9);
    EXPECT_GT(std::fabs(s - t), 0.1);
    std::unique_ptr<FnCurve> c(FnCurve::circle(2.0));
    EXPECT_EQ(c->VqGeImpCurve3d::intersectSelf(data, VqGeVector3d::kZAxis, 0.0, VqGeContext::gTol), 0);
    std::unique_ptr<FnCurve> bow(FnCurve::polygon({{0, 0, 0}, {2, 2, 0}, {2, 0, 0}, {0, 2, 0}}));
    bow->VqGeImpCurve3d::intersectSelf(data, VqGeVector3d::kZAxis, 0.0, VqGeContext::gTol);
    ASSERT_EQ(data.numIntPoints(), 1);
    EXPECT_LT(data.intPnt(0).distanceTo(VqGePoint3d(1, 1, 0)), 1e-9);
}

TEST(GenericIntersect, IntersectWithRanges_OfOneCurve_PairsTheRanges) {
    const VqGePoint3d loop[4] = {{0, 0, 0}, {3, 2, 0}, {-1, 2, 0}, {2, 0, 0}};
    std::unique_ptr<FnCurve> b(FnCurve::bezier(loop));
    VqGeCurveIntData self, ranges, overlapping;
    b->VqGeImpCurve3d::intersectSelf(self, VqGeVector3d::kZAxis, 0.0, VqGeContext::gTol);
    ASSERT_EQ(self.numIntPoints(), 1);
    double s, t;
    self.getIntParams(0, s, t);
    const double m = 0.5 * (s + t);
    b->VqGeImpCurve3d::intersectWith(VqGeImpInterval(m, 1.0), VqGeImpInterval(0.0, m),
                                     VqGeVector3d::kZAxis, ranges, VqGeContext::gTol);
    ASSERT_EQ(ranges.numIntPoints(), 1);
    double a1, a2;
    ranges.getIntParams(0, a1, a2);
    EXPECT_NEAR(a1, t, 1e-8);
    EXPECT_NEAR(a2, s, 1e-8);
    b->VqGeImpCurve3d::intersectWith(VqGeImpInterval(0.0, 0.9), VqGeImpInterval(0.1, 1.0),
                                     VqGeVector3d::kZAxis, overlapping, VqGeContext::gTol);
    EXPECT_EQ(overlapping.numIntPoints(), 1);
}

TEST(GenericIntersect, IntersectWith_BadInput_FinishesCleanly) {
    std::unique_ptr<FnCurve> nan(FnCurve::nan()), dot(FnCurve::point(VqGePoint3d(1, 0, 0)));
    std::unique_ptr<FnCurve> c(FnCurve::circle(1.0));
    VqGeCurveIntData data;
    data.reverseOrder();
    nan->VqGeImpCurve3d::intersectWith(*c, VqGeVector3d::kZAxis, data, VqGeContext::gTol);
    EXPECT_EQ(data.numIntPoints(), 0);
    dot->VqGeImpCurve3d::intersectWith(*c, VqGeVector3d::kZAxis, data, VqGeContext::gTol);
    EXPECT_GE(data.numIntPoints(), 1);  // the point lies on the circle
    dot->VqGeImpCurve3d::intersectSelf(data, VqGeVector3d::kZAxis, 0.0, VqGeContext::gTol);
    EXPECT_EQ(data.numIntPoints(), 0);
}

// Regression: a line taken as the segment between far points lost the precision of its
// points near the curve (about 1e-6 at a reach of 1e10).
TEST(GenericIntersect, IntersectWith_UnboundedLineNearOrigin_KeepsFullPrecision) {
    std::unique_ptr<FnCurve> c(FnCurve::circle(1.0));
    VqGeImpLinearEnt3d line(VqGePoint3d(0.1, 0.3, 0), VqGeVector3d(1, 0, 0), 0, 0);
    VqGeCurveIntData data;
    data.reverseOrder();
    c->VqGeImpCurve3d::intersectWith(line, VqGeVector3d::kZAxis, data, VqGeContext::gTol);
    ASSERT_EQ(data.numIntPoints(), 2);
    for (int i = 0; i < 2; ++i) {
        double s, t;
        data.getIntParams(i, s, t);
        EXPECT_LT(props::at(*c, s).distanceTo(props::at(line, t)), 1e-10);
        EXPECT_NEAR(std::fabs(data.intPnt(i).x), std::sqrt(1.0 - 0.09), 1e-10);
    }
    double t1 = 0.3, t2 = 0.8;
    VqGePoint3d pnt;
    ASSERT_EQ(c->intersectLocal(line, t1, t2, 2, pnt, VqGeContext::gTol), 1);
    EXPECT_LT(props::at(*c, t1).distanceTo(props::at(line, t2)), 1e-10);
}
