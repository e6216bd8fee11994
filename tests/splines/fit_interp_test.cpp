// Interpolation from fit data: global cubic (open and periodic), piecewise Hermite (open and
// closed) and interpolation of any degree, on seeded point sets at drawing scale too.
#include "fit_checks.h"
#include "splines/imp_fit_interp.h"

using namespace fittest;

TEST(VqGeImpFitData3d, Knots_ThreePoints_ChordLengthsAndCubicLayout) {
    VqArray<VqGePoint3d> pts;
    pts.append(VqGePoint3d(0, 0, 0));
    pts.append(VqGePoint3d(1, 0, 0));
    pts.append(VqGePoint3d(3, 0, 0));
    VqGeImpNurbCurve3d c(pts, VqGeContext::gTol);
    ASSERT_TRUE(c.hasFitData());
    const VqGeKnotVector& fk = c.fitData()->knots();
    ASSERT_EQ(fk.length(), 3);
    EXPECT_EQ(fk[0], 0.0);
    EXPECT_EQ(fk[1], 1.0);
    EXPECT_EQ(fk[2], 3.0);
    const double expect[9] = {0, 0, 0, 0, 1, 3, 3, 3, 3};
    ASSERT_EQ(c.numKnots(), 9);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(c.knotAt(i), expect[i]);
    EXPECT_EQ(c.numControlPoints(), 5);
    EXPECT_EQ(c.degree(), 3);
    EXPECT_EQ(c.isInterpolating(), 1);
}

TEST(VqGeImpFitData3d, Regenerate_StartTangent_SecondControlPointOneThirdStep) {
    VqArray<VqGePoint3d> pts;
    pts.append(VqGePoint3d(0, 0, 0));
    pts.append(VqGePoint3d(2, 0, 0));
    pts.append(VqGePoint3d(3, 1, 0));
    VqGeImpNurbCurve3d c(pts, VqGeVector3d(1, 0, 0), VqGeVector3d(0, 0, 0), 1, 0,
                         VqGeContext::gTol);
    EXPECT_PT3_NEAR(c.controlPointAt(1), 2.0 / 3.0, 0.0, 0.0, 1e-15);
    VqGeVector3d d[2];
    c.pointAt(0.0, 2, d);
    EXPECT_PT3_NEAR(d[0], 1, 0, 0, 1e-13);
    c.pointAt(c.endParam(), 2, d);
    EXPECT_LT(d[1].length(), 1e-12);
}

// Random point sets with every combination of end tangents, at unit and drawing scale.
TEST(VqGeImpNurbCurve3d, Regenerate_RandomFitPoints_InterpolatesAndHonoursEnds) {
    Rng rng(4301u);
    for (int k = 0; k < 160; ++k) {
        const int n = rng.pick(2, 40);
        const double s = k % 4 == 3 ? 300.0 : 1.0, o = k % 2 ? 1e6 : 0.0;
        const VqArray<VqGePoint3d> pts = randomPoints(rng, n, s, o);
        const VqGeVector3d ts(rng(-2, 2), rng(-2, 2), rng(-2, 2)), te(rng(-2, 2), 1, 0);
        const int hs = k & 1 ? 0 : 1, he = k & 2 ? 1 : 0;
        VqGeImpNurbCurve3d c(pts, ts, te, hs, he, VqGeContext::gTol);
        ASSERT_TRUE(c.hasFitData());
        ASSERT_EQ(c.numKnots(), n + 6) << k;
        const VqGeImpFitData3d& fd = *c.fitData();
        const double eps = allowance(pts, 2e-12);
        expectThroughFitPoints(c, fd, eps);
        EXPECT_EQ(c.isInterpolating(), 1) << k;
        VqGeVector3d d[2];
        c.sidePoint(fd.knotAt(0), 1, 2, d);
        if (hs)
            EXPECT_LT((d[0] - ts).length(), 1e-9 * (1 + ts.length())) << k;
        else
            EXPECT_LT(d[1].length() * (fd.knotAt(1) - fd.knotAt(0)), eps) << k;
        c.sidePoint(fd.knotAt(n - 1), 0, 2, d);
        if (he)
            EXPECT_LT((d[0] - te).length(), 1e-9 * (1 + te.length())) << k;
        else
            EXPECT_LT(d[1].length() * (fd.knotAt(n - 1) - fd.knotAt(n - 2)), eps) << k;
        // C2 at every interior knot.
        for (int i = 1; i + 1 < n; ++i) expectContinuous(c, fd.knotAt(i), fd.knotAt(i), 2, 1e-8);
    }
}

TEST(VqGeImpNurbCurve3d, Regenerate_TangentsAtEveryPoint_HermiteThroughPointsAndTangents) {
    Rng rng(912u);
    for (int k = 0; k < 80; ++k) {
        const int n = rng.pick(2, 25);
        const VqArray<VqGePoint3d> pts = randomPoints(rng, n, 2.0, k % 2 ? -3e6 : 0.0);
        const VqArray<VqGeVector3d> tans = randomVectors(rng, n, 1.0);
        VqGeImpNurbCurve3d c(pts, tans, VqGeContext::gTol, 0);
        ASSERT_EQ(c.numKnots(), 2 * n + 4);
        ASSERT_EQ(c.numControlPoints(), 2 * n);
        const VqGeImpFitData3d& fd = *c.fitData();
        EXPECT_EQ(fd.hasFitTangents(), 1);
        expectThroughFitPoints(c, fd, allowance(pts, 2e-12));
        for (int i = 0; i < n; ++i) {
            VqGeVector3d l[1], r[1];
            c.sidePoint(fd.knotAt(i), 0, 1, l);
            c.sidePoint(fd.knotAt(i), 1, 1, r);
            const double eps = 1e-9 + allowance(pts, 1e-14);
            if (i > 0) {
                EXPECT_LT((l[0] - tans[i]).length(), eps) << k << " " << i;
            }
            if (i < n - 1) {
                EXPECT_LT((r[0] - tans[i]).length(), eps) << k << " " << i;
            }
        }
        EXPECT_EQ(c.isInterpolating(), 1);
    }
}

// Closed points give a periodic curve through them that is C2 at every knot and across the
// seam, and that evaluates to the same point a period later.
TEST(VqGeImpNurbCurve3d, Regenerate_ClosedFitPoints_PeriodicC2AcrossSeam) {
    Rng rng(5150u);
    for (int k = 0; k < 60; ++k) {
        const int m = rng.pick(2, 30);
        const double o = k % 3 == 0 ? 1e6 : 0.0;
        const VqArray<VqGePoint3d> pts = randomLoop(rng, m, 5.0, o);
        VqGeImpFitData3d* fd = new VqGeImpFitData3d(pts, VqGeContext::gTol, 1);
        VqGeImpNurbCurve3d c;
        c.adoptFitData(fd);
        ASSERT_EQ(c.regenerate(), 1) << k;
        double period = 0.0;
        ASSERT_EQ(c.isPeriodic(period, 0), 1);
        const int n = fd->numFitPoints();
        EXPECT_NEAR(period, fd->knotAt(n - 1) - fd->knotAt(0), 1e-9);
        expectThroughFitPoints(c, *fd, allowance(pts, 2e-12));
        EXPECT_EQ(c.isInterpolating(), 1);
        // Seam: the end of the period against its start.
        expectContinuous(c, fd->knotAt(n - 1), fd->knotAt(0), 3 - 1, 1e-8);
        for (int i = 1; i + 1 < n; ++i) expectContinuous(c, fd->knotAt(i), fd->knotAt(i), 2, 1e-8);
        const double t = fd->knotAt(0) + rng(0, period);
        EXPECT_LT(c.pointAt(t).distanceTo(c.pointAt(t + period)), allowance(pts, 1e-11));
    }
}

// An open set without end points equal stays open when not marked closed; marked closed it
// is completed with the first point.
TEST(VqGeImpNurbCurve3d, Regenerate_ClosedFlagOpenPoints_CompletedLoop) {
    Rng rng(7u);
    VqArray<VqGePoint3d> pts = randomLoop(rng, 6, 3.0);
    pts.removeLast();
    VqGeImpNurbCurve3d c;
    c.adoptFitData(new VqGeImpFitData3d(pts, VqGeContext::gTol, 1));
    ASSERT_EQ(c.regenerate(), 1);
    EXPECT_LT(c.startPoint().distanceTo(pts[0]), 1e-12);
    EXPECT_LT(c.endPoint().distanceTo(pts[0]), 1e-12);
    for (int i = 0; i < pts.length(); ++i) {
        double t;
        EXPECT_TRUE(c.isOn(pts[i], t, VqGeTol()));
    }
}

TEST(VqGeImpNurbCurve3d, Regenerate_ClosedWithTangents_HermiteC1AcrossSeam) {
    Rng rng(88u);
    for (int k = 0; k < 40; ++k) {
        const int m = rng.pick(3, 15);
        const VqArray<VqGePoint3d> pts = randomLoop(rng, m, 4.0, k % 2 ? 2e6 : 0.0);
        const VqArray<VqGeVector3d> tans = randomVectors(rng, m, 2.0);  // one fewer than points
        VqGeImpNurbCurve3d c(pts, tans, VqGeContext::gTol, 1);
        ASSERT_TRUE(c.hasFitData());
        ASSERT_EQ(c.fitData()->hasFitTangents(), 1);
        double period;
        ASSERT_EQ(c.isPeriodic(period, 0), 1) << k;
        const VqGeImpFitData3d& fd = *c.fitData();
        const int n = fd.numFitPoints();
        expectThroughFitPoints(c, fd, allowance(pts, 2e-12));
        expectContinuous(c, fd.knotAt(n - 1), fd.knotAt(0), 1, 1e-8);
        VqGeVector3d d[1];
        for (int i = 0; i < m; ++i) {
            c.sidePoint(fd.knotAt(i), 1, 1, d);
            EXPECT_LT((d[0] - tans[i]).length(), 1e-8 * (1 + tans[i].length())) << k << " " << i;
        }
    }
}

// Any degree, open and periodic, by averaged knots and the collocation matrix.
TEST(VqGeImpNurbCurve3d, InterpolatingConstructor_AnyDegree_PassesThroughPoints) {
    Rng rng(2024u);
    for (int k = 0; k < 90; ++k) {
        const int p = rng.pick(1, 5), periodic = k % 3 == 0;
        const int n = rng.pick(p + 2, p + 20);
        const double o = k % 2 ? 1e6 : 0.0;
        const VqArray<VqGePoint3d> pts =
            periodic ? randomLoop(rng, n, 5.0, o) : randomPoints(rng, n, 1.0, o);
        VqGeImpNurbCurve3d c(p, pts, VqGeContext::gTol, periodic);
        ASSERT_EQ(c.degree(), p);
        ASSERT_GT(c.numKnots(), 0) << k;
        ASSERT_TRUE(c.hasFitData());
        EXPECT_EQ(c.isPeriodicStored(), periodic);
        expectThroughFitPoints(c, *c.fitData(), allowance(pts, 1e-9));
    }
}

// The global cubic and the collocation solve agree where both apply: degree 3 with averaged
// knots is a different curve, but degree 3 periodic with uniform parameters is the same one.
TEST(VqGeFitInterp, PeriodicCubic_UniformParams_MatchesCollocation) {
    Rng rng(31u);
    for (int k = 0; k < 20; ++k) {
        const int m = rng.pick(4, 20);
        std::vector<VqGePoint3d> F;
        std::vector<double> t;
        for (int i = 0; i < m; ++i) F.push_back(VqGePoint3d(rng(-5, 5), rng(-5, 5), rng(-5, 5)));
        F.push_back(F[0]);
        for (int i = 0; i <= m; ++i) t.push_back(2.0 * i);
        VqGeKnotVector k1, k2;
        VqArray<VqGePoint3d> c1, c2;
        ASSERT_TRUE(VqGeFitInterp::cubicPeriodic(F.data(), t.data(), m + 1, k1, c1));
        ASSERT_TRUE(VqGeFitInterp::interpolate(3, F.data(), t.data(), m + 1, 1, k2, c2));
        VqGeImpNurbCurve3d a(3, k1, c1, 1), b(3, k2, c2, 1);
        nurbtest::expectSameShape(a, b, 1e-10);
    }
}

TEST(VqGeFitInterp, BadInput_NanRepeatsAndTooFewPoints_FailCleanly) {
    VqGeKnotVector kv;
    VqArray<VqGePoint3d> ctrl;
    const VqGePoint3d F[4] = {VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0), VqGePoint3d(2, 1, 0),
                              VqGePoint3d(0, 0, 0)};
    const double nanT[4] = {0, NAN, 2, 3}, rep[4] = {0, 1, 1, 2}, ok[4] = {0, 1, 2, 3};
    EXPECT_FALSE(VqGeFitInterp::cubicOpen(F, nanT, 4, nullptr, nullptr, kv, ctrl));
    EXPECT_FALSE(VqGeFitInterp::cubicOpen(F, rep, 4, nullptr, nullptr, kv, ctrl));
    EXPECT_FALSE(VqGeFitInterp::cubicOpen(F, ok, 1, nullptr, nullptr, kv, ctrl));
    EXPECT_FALSE(VqGeFitInterp::cubicPeriodic(F, ok, 2, kv, ctrl));
    EXPECT_FALSE(VqGeFitInterp::hermiteClosed(F, nullptr, ok, 2, kv, ctrl));
    EXPECT_FALSE(VqGeFitInterp::interpolate(9, F, ok, 4, 0, kv, ctrl));
    EXPECT_FALSE(VqGeFitInterp::interpolate(3, F, ok, 3, 0, kv, ctrl));
    EXPECT_TRUE(VqGeFitInterp::cubicOpen(F, ok, 4, nullptr, nullptr, kv, ctrl));
    // A NaN point gives NaN control points but no crash; the curve from one point is empty.
    VqArray<VqGePoint3d> one;
    one.append(VqGePoint3d(1, 2, 3));
    VqGeImpNurbCurve3d c(one, VqGeContext::gTol);
    EXPECT_EQ(c.regenerate(), 0);
    EXPECT_EQ(c.isInterpolating(), 0);
    VqArray<VqGePoint3d> withNan;
    withNan.append(VqGePoint3d(0, 0, 0));
    withNan.append(VqGePoint3d(NAN, 0, 0));
    withNan.append(VqGePoint3d(1, 0, 0));
    VqGeImpNurbCurve3d d(withNan, VqGeContext::gTol);
    EXPECT_EQ(d.isInterpolating(), 0);
}
