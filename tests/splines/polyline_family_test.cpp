// Augmented polylines (sampling, derivative vectors, the tie to the source), discrete splines
// (deviation bound, grid counts, forward differences) and the public wrappers of the polyline
// family and of the cubic spline curves, 2D against lifted 3D.
#include "fit_checks.h"
#include "splines/imp_aug_polyline3d.h"
#include "splines/imp_cubic_spline_curve3d.h"
#include "splines/imp_discrete_spline3d.h"
#include "vqge_lineseg3d.h"
#include "vqge_matrix3d.h"

using namespace fittest;

namespace {

double segmentDistance(const VqGePoint3d& p, const VqGePoint3d& a, const VqGePoint3d& b) {
    const VqGeVector3d d = b - a;
    const double dd = d.dotProduct(d);
    double f = dd > 0.0 ? (p - a).dotProduct(d) / dd : 0.0;
    f = f < 0.0 ? 0.0 : (f > 1.0 ? 1.0 : f);
    return p.distanceTo(a + d * f);
}

}  // namespace

TEST(VqGeImpAugPolyline3d, FromCurve_DegreeOneSource_VerticesAndVectorsFromSource) {
    Rng rng(311u);
    for (int k = 0; k < 20; ++k) {
        nurbtest::Def d = nurbtest::randomDef(rng, 1, rng.pick(2, 10), 0, 10.0, k % 2 ? 1e6 : 0.0);
        VqGeImpNurbCurve3d* src = nurbtest::build(d);
        checkAugAgainstSource(*src, k % 3);
        delete src;
    }
}

// Through the public classes: the wrapper of a released object holds nothing any more. A
// line segment announces a transformation alone; a small move keeps the samples.
TEST(VqGeAugPolyline3d, SourceEvents_ModifyAndBigScale_ReleaseSmallMoveKeeps) {
    VqGeLineSeg3d src(VqGePoint3d(0, 0, 0), VqGePoint3d(4, 3, 0));
    {
        VqGeAugPolyline3d aug(src, 0.0, 1.0, 1e-3);
        ASSERT_NE(aug.impAugPolyline(), nullptr);
        EXPECT_EQ(aug.impAugPolyline()->sourceCurve(), src.impCurve());
        src.transformBy(VqGeMatrix3d::rotation(0.3, VqGeVector3d(0, 0, 1), VqGePoint3d()));
        ASSERT_NE(aug.impAugPolyline(), nullptr);
        src.transformBy(VqGeMatrix3d::scaling(1.05, VqGePoint3d()));
        ASSERT_NE(aug.impAugPolyline(), nullptr);
        src.transformBy(VqGeMatrix3d::scaling(2.0, VqGePoint3d()));
        EXPECT_EQ(aug.impAugPolyline(), nullptr);
        EXPECT_EQ(aug.getPoint(1).x, 0.0);
        EXPECT_EQ(aug.numFitPoints(), 0);
    }
    {
        VqGeAugPolyline3d aug(src, 0.0, 1.0, 1e-3);
        ASSERT_NE(aug.impAugPolyline(), nullptr);
        src.set(VqGePoint3d(1, 1, 1), VqGePoint3d(2, 2, 2));
        EXPECT_EQ(aug.impAugPolyline(), nullptr);
    }
    // The vertices and both vector arrays move with a transformation of the polyline itself.
    VqArray<VqGePoint3d> p;
    VqArray<VqGeVector3d> v;
    for (int i = 0; i < 4; ++i) {
        p.append(VqGePoint3d(i, i * i, 1));
        v.append(VqGeVector3d(1, 2 * i, 0));
    }
    VqGeImpAugPolyline3d own(p, v);
    own.setD2Vector(0, VqGeVector3d(0, 2, 0));  // no source: nothing to compute, nothing set
    EXPECT_EQ(own.getD2Vectors().length(), 0);
    const VqGeMatrix3d m = VqGeMatrix3d::rotation(0.9, VqGeVector3d(1, 0, 0), VqGePoint3d(0, 1, 0));
    own.transformBy(m);
    EXPECT_LT(own.getPoint(2).distanceTo(m * p[2]), 1e-14);
    EXPECT_LT((own.getVector(3) - m * v[3]).length(), 1e-14);
}

TEST(VqGeImpAugPolyline3d, GetSplitCurves_Vectors_BlendedAtCut) {
    VqArray<VqGePoint3d> p;
    VqArray<VqGeVector3d> v;
    for (int i = 0; i < 4; ++i) {
        p.append(VqGePoint3d(i, i * i, 0));
        v.append(VqGeVector3d(1, 2 * i, 0));
    }
    VqGeImpAugPolyline3d aug(p, v);
    const double t = 0.5 * (aug.knotAt(1) + aug.knotAt(2));
    VqGeImpCurve3d *a = nullptr, *b = nullptr;
    aug.getSplitCurves(t, a, b);
    ASSERT_TRUE(a && b);
    VqGeImpAugPolyline3d* pa = static_cast<VqGeImpAugPolyline3d*>(a);
    VqGeImpAugPolyline3d* pb = static_cast<VqGeImpAugPolyline3d*>(b);
    EXPECT_EQ(pa->type(1), VqGe::kAugPolyline3d);
    ASSERT_EQ(pa->numFitPoints(), 3);
    ASSERT_EQ(pb->numFitPoints(), 3);
    EXPECT_PT3_NEAR(pa->getVector(2), 1, 3, 0, 1e-15);
    EXPECT_PT3_NEAR(pb->getVector(0), 1, 3, 0, 1e-15);
    EXPECT_PT3_NEAR(pa->getPoint(2), 1.5, 2.5, 0, 1e-15);
    EXPECT_EQ(pa->getD2Vectors().length(), 0);
    EXPECT_NEAR(pb->startParam(), t, 1e-12);
    delete a;
    delete b;
}

// Every chord of the grid stays within the deviation of the source over its step, and every
// grid point lies on the source.
TEST(VqGeImpDiscreteSpline3d, Grid_RandomCurves_WithinDeviationOfSource) {
    Rng rng(6006u);
    for (int k = 0; k < 40; ++k) {
        const int degree = rng.pick(1, 6);
        const double off = k % 3 == 0 ? 1e6 : 0.0, s = k % 4 == 1 ? 500.0 : 10.0;
        nurbtest::Def d = nurbtest::randomDef(rng, degree, rng.pick(degree + 1, degree + 6), 0, s, off);
        // Curves with breaks (a knot of multiplicity above the degree) are left out: the grid
        // joins the two sides of a break with a chord.
        int broken = 0;
        for (size_t i = 1; i + 1 < d.knots.size(); ++i) {
            int mult = 1;
            while (i + mult < d.knots.size() && d.knots[i + mult] == d.knots[i]) ++mult;
            if (d.knots[i] > d.knots.front() && d.knots[i] < d.knots.back() && mult > degree)
                broken = 1;
        }
        if (broken) continue;
        VqGeImpNurbCurve3d* src = nurbtest::build(d);
        const double dev = (k % 2 ? 1e-2 : 1e-4) * s / 10.0;
        VqGeImpDiscreteSpline3d ds(*src, dev);
        EXPECT_EQ(src->evalMode(), 1);
        ASSERT_GE(ds.numIntervals(), 1);
        VqArray<VqGePoint3d> grid;
        ASSERT_EQ(ds.evalPointArray(grid), ds.numGridPoints());
        int at = 0;
        double worst = 0.0, onCurve = 0.0;
        for (int i = 0; i < ds.numIntervals(); ++i) {
            const int steps = ds.numGridPointsAt(i) - 1;
            if (steps >= 1000) {  // the cap: no promise there
                at += steps;
                continue;
            }
            const double k0 = ds.knotAt(i), h = (ds.knotAt(i + 1) - k0) / steps;
            for (int j = 0; j < steps; ++j, ++at) {
                const VqGePoint3d& a = grid[at];
                const VqGePoint3d& b = grid[at + 1];
                onCurve = std::fmax(onCurve, a.distanceTo(src->pointAt(k0 + j * h)));
                for (int q = 1; q < 8; ++q)
                    worst = std::fmax(worst, segmentDistance(src->pointAt(k0 + (j + q / 8.0) * h), a, b));
            }
        }
        EXPECT_LT(worst, dev * (1 + 1e-6) + 1e-9 * off) << k << " degree " << degree;
        EXPECT_LT(onCurve, 1e-9 * (s + off)) << k;
        // Evaluation of the stored spans reproduces the source.
        for (int j = 0; j < 20; ++j) {
            const double t = rng(src->startParam(), src->endParam());
            VqGeVector3d dd[1], ref[1];
            const VqGePoint3d p = ds.pointOnSpans(t, dd);
            const VqGePoint3d r = src->pointAt(t, 1, ref);
            EXPECT_LT(p.distanceTo(r), 1e-9 * (s + off));
            EXPECT_LT((dd[0] - ref[0]).length(), 1e-6 * (1 + ref[0].length()));
        }
        delete src;
    }
}

TEST(VqGeImpDiscreteSpline3d, Counts_StraightAndDeviationChanges_FollowRules) {
    // A straight segment as a NURBS: one step per interval.
    VqArray<VqGePoint3d> pts;
    pts.append(VqGePoint3d(0, 0, 0));
    pts.append(VqGePoint3d(3, 4, 0));
    const double k[4] = {0, 0, 5, 5};
    VqGeImpNurbCurve3d line(1, VqGeKnotVector(4, k), pts);
    VqGeImpDiscreteSpline3d ds(line, 1e-6);
    EXPECT_EQ(ds.numIntervals(), 1);
    EXPECT_EQ(ds.numGridPoints(), 2);

    Rng rng(12u);
    nurbtest::Def d = nurbtest::randomDef(rng, 3, 9, 0);
    VqGeImpNurbCurve3d* src = nurbtest::build(d);
    VqGeImpDiscreteSpline3d grid(*src, 1e-3);
    const int before = grid.numGridPoints();
    grid.setDeviation(1.9e-3);  // less than twice: the grid stays
    EXPECT_EQ(grid.numGridPoints(), before);
    EXPECT_EQ(grid.deviation(), 1.9e-3);
    grid.setDeviation(1e-5);  // smaller: rebuilt, finer
    EXPECT_GT(grid.numGridPoints(), before);
    int sum = 1;
    for (int i = 0; i < grid.numIntervals(); ++i) sum += grid.numGridPointsAt(i) - 1;
    EXPECT_EQ(sum, grid.numGridPoints());
    const int ni = grid.numIntervals();
    ASSERT_GE(ni, 3);
    VqArray<VqGePoint3d> part;
    EXPECT_EQ(grid.evalPointArray(1, ni - 2, part), grid.numGridPointsAt(1, ni - 2));
    EXPECT_EQ(grid.numGridPointsAt(2, 1), 0);
    EXPECT_EQ(grid.numGridPointsAt(-1, 1), 0);
    VqGeImpPolyline3d pl(1, ni - 2, grid);
    ASSERT_EQ(pl.numFitPoints(), part.length());
    EXPECT_TRUE(pl.fitPointAt(3) == part[3]);
    VqGeImpPolyline3d whole(grid);
    EXPECT_EQ(whole.numFitPoints(), grid.numGridPoints());
    VqGeImpCurve3d *a = &whole, *b = &whole;
    grid.getSplitCurves(0.5, a, b);
    EXPECT_TRUE(a == nullptr && b == nullptr);
    delete src;
}

TEST(VqGeImpDiscreteSpline3d, Rational_GridOnCurveAndTransformFollows) {
    Rng rng(90u);
    nurbtest::Def d = nurbtest::randomDef(rng, 2, 7, 1);
    VqGeImpNurbCurve3d* src = nurbtest::build(d);
    VqGeImpDiscreteSpline3d ds(*src, 1e-3);
    EXPECT_EQ(ds.dimension(), 4);
    const VqGeMatrix3d m = VqGeMatrix3d::rotation(1.1, VqGeVector3d(1, 1, 0), VqGePoint3d(5, 0, 2)) *
                           VqGeMatrix3d::scaling(3.0, VqGePoint3d(1, 1, 1));
    VqGeImpDiscreteSpline3d moved(ds);
    moved.transformBy(m);
    for (int j = 0; j <= 30; ++j) {
        const double t = src->startParam() + (src->endParam() - src->startParam()) * j / 30;
        const VqGePoint3d p = ds.pointOnSpans(t, nullptr);
        EXPECT_LT(p.distanceTo(src->pointAt(t)), 1e-9);
        EXPECT_LT(moved.pointOnSpans(t, nullptr).distanceTo(m * p), 1e-9);
    }
    VqArray<VqGePoint3d> grid;
    moved.evalPointArray(grid);
    const double step = (ds.knotAt(1) - ds.knotAt(0)) / (moved.numGridPointsAt(0) - 1);
    EXPECT_LT(grid[1].distanceTo(m * ds.pointOnSpans(ds.knotAt(0) + step, nullptr)), 1e-9);
    EXPECT_GE(moved.numGridPoints(), ds.numGridPoints());  // three times larger, finer grid
    delete src;
}

TEST(VqGeImpDiscreteSpline3d, BadInput_EmptyAndHugeDegree_NoGrid) {
    VqGeImpDiscreteSpline3d empty;
    VqArray<VqGePoint3d> pts;
    EXPECT_EQ(empty.evalPointArray(pts), 0);
    EXPECT_EQ(empty.numGridPoints(), 0);
    EXPECT_EQ(empty.numGridPointsAt(0), 0);
    VqArray<VqGePoint3d> cps;
    for (int i = 0; i < 20; ++i) cps.append(VqGePoint3d(i, i % 3, 0));
    VqGeImpNurbCurve3d bezier(cps);  // degree 19
    VqGeImpDiscreteSpline3d high(bezier, 1e-3);
    EXPECT_EQ(high.numGridPoints(), 0);
    VqGeImpDiscreteSpline3d zero(bezier, 0.0);
    VqGeImpDiscreteSpline3d nanDev(bezier, NAN);
    EXPECT_EQ(nanDev.evalPointArray(pts), 0);
}

// Cubic spline curves: identity, power-basis evaluation, tangents at the fit points, and
// the setters rebuilding the curve; 2D against the same data lifted to 3D.
TEST(VqGeCubicSplineCurve3d, Wrappers_2dAnd3d_AgreeAndRebuild) {
    Rng rng(44u);
    for (int k = 0; k < 20; ++k) {
        const int n = rng.pick(3, 15);
        VqArray<VqGePoint2d> p2;
        VqArray<VqGePoint3d> p3;
        const VqArray<VqGePoint3d> src = randomPoints(rng, n, 2.0, k % 2 ? 1e6 : 0.0);
        for (int i = 0; i < n; ++i) {
            p2.append(VqGePoint2d(src[i].x, src[i].y));
            p3.append(VqGePoint3d(src[i].x, src[i].y, 0));
        }
        const VqGeVector2d s2(1, rng(-1, 1));
        VqGeCubicSplineCurve2d c2(p2, s2, VqGeVector2d(0, 0));
        VqGeCubicSplineCurve3d c3(p3, VqGeVector3d(s2.x, s2.y, 0), VqGeVector3d(0, 0, 0));
        ASSERT_NE(c3.impCubicSpline(), nullptr);
        EXPECT_EQ(c3.type(), VqGe::kCubicSplineCurve3d);
        EXPECT_EQ(c2.type(), VqGe::kCubicSplineCurve2d);
        EXPECT_TRUE(c2.isKindOf(VqGe::kSplineEnt2d));
        EXPECT_EQ(c3.impCubicSpline()->evalMode(), 1);
        EXPECT_EQ(c3.numFitPoints(), n);
        for (int j = 0; j <= 20; ++j) {
            const double t = c3.startParam() + (c3.endParam() - c3.startParam()) * j / 20;
            const VqGePoint2d a = c2.evalPoint(t);
            const VqGePoint3d b = c3.evalPoint(t);
            EXPECT_LT(std::hypot(a.x - b.x, a.y - b.y), 1e-12 * scaleOf(b));
        }
        EXPECT_LT((c3.firstDerivAt(0) - VqGeVector3d(s2.x, s2.y, 0)).length(), 1e-15);
        VqArray<VqGeVector3d> dv;
        c3.evalPoint(c3.impCubicSpline()->fitData()->knotAt(1), 1, dv);
        EXPECT_LT((c3.firstDerivAt(1) - dv[0]).length(), 1e-8 * (1 + dv[0].length()));
        const VqGePoint3d moved = p3[1] + VqGeVector3d(0.5, -0.25, 0);
        c3.setFitPointAt(1, moved);
        EXPECT_LT(c3.evalPoint(c3.impCubicSpline()->fitData()->knotAt(1)).distanceTo(moved),
                  1e-11 * scaleOf(moved));
        EXPECT_EQ(c3.impCubicSpline()->evalMode(), 1);
        c3.setFirstDerivAt(n - 1, VqGeVector3d(0, 1, 0));
        EXPECT_LT((c3.firstDerivAt(n - 1) - VqGeVector3d(0, 1, 0)).length(), 1e-15);
        EXPECT_EQ(c3.impCubicSpline()->isInterpolating(VqGeTol()), 1);
        EXPECT_EQ(c2.fitPointAt(n - 1).x, p2[n - 1].x);
    }
    VqGeCubicSplineCurve3d unit;
    EXPECT_PT3_NEAR(unit.evalPoint(0.5), 0.5, 0, 0, 1e-15);
}

TEST(VqGePolyline2d, Wrappers_2dAnd3d_SamePolyline) {
    Rng rng(71u);
    VqArray<VqGePoint2d> p2;
    VqArray<VqGePoint3d> p3;
    for (int i = 0; i < 12; ++i) {
        p2.append(VqGePoint2d(i + rng(0, 0.5), rng(-3, 3)));
        p3.append(VqGePoint3d(p2[i].x, p2[i].y, 0));
    }
    VqGePolyline2d a(p2);
    VqGePolyline3d b(p3);
    EXPECT_EQ(a.type(), VqGe::kPolyline2d);
    EXPECT_EQ(b.type(), VqGe::kPolyline3d);
    ASSERT_EQ(a.numFitPoints(), 12);
    for (int j = 0; j <= 50; ++j) {
        const double t = b.endParam() * j / 50;
        const VqGePoint2d q = a.evalPoint(t);
        const VqGePoint3d r = b.evalPoint(t);
        EXPECT_NEAR(q.x, r.x, 1e-13);
        EXPECT_NEAR(q.y, r.y, 1e-13);
        int s2, s3;
        double f2, f3;
        ASSERT_TRUE(a.isOn(q, s2, f2));
        ASSERT_TRUE(b.isOn(r, s3, f3));
        EXPECT_EQ(s2, s3);
        EXPECT_NEAR(f2, f3, 1e-12);
    }
    a.addFitPointAt(0, VqGePoint2d(-1, 0)).deleteFitPointAt(0).compressFitData();
    EXPECT_EQ(a.numFitPoints(), 12);
}

// Regression: a count of floor(sqrt(L M / d)) + 1 alone lets chords of long parameter spans
// (L of hundreds, as with chord-length parameters at drawing scale) stray beyond d.
TEST(VqGeImpDiscreteSpline3d, Grid_LongParameterSpans_StillWithinDeviation) {
    Rng rng(2718u);
    for (int k = 0; k < 10; ++k) {
        const VqArray<VqGePoint3d> pts = randomPoints(rng, 8, 300.0, 1e6);
        VqGeImpNurbCurve3d c(pts, VqGeContext::gTol);  // chord-length knots: spans of ~300
        ASSERT_GT(c.numKnots(), 0);
        const double dev = 0.01;
        VqGeImpDiscreteSpline3d ds(c, dev);
        VqArray<VqGePoint3d> grid;
        ds.evalPointArray(grid);
        int at = 0;
        double worst = 0.0;
        for (int i = 0; i < ds.numIntervals(); ++i) {
            const int steps = ds.numGridPointsAt(i) - 1;
            ASSERT_LT(steps, 1000);
            const double h = (ds.knotAt(i + 1) - ds.knotAt(i)) / steps;
            for (int j = 0; j < steps; ++j, ++at)
                for (int q = 1; q < 6; ++q)
                    worst = std::fmax(worst, segmentDistance(c.pointAt(ds.knotAt(i) + (j + q / 6.0) * h),
                                                             grid[at], grid[at + 1]));
        }
        EXPECT_LT(worst, dev * (1 + 1e-6) + 1e-8) << k;
    }
}

// The public cubic spline sampled from another curve (adaptive Hermite data) follows it.
TEST(VqGeCubicSplineCurve3d, FromCurve_Nurbs_WithinTolerance) {
    Rng rng(55u);
    nurbtest::Def d = nurbtest::randomDef(rng, 4, 9, 1);
    VqArray<VqGePoint3d> cps;
    VqArray<double> w;
    for (size_t i = 0; i < d.pts.size(); ++i) {
        cps.append(d.pts[i]);
        w.append(d.w[i]);
    }
    VqGeNurbCurve3d src(4, VqGeKnotVector(static_cast<int>(d.knots.size()), d.knots.data()), cps, w);
    VqGeCubicSplineCurve3d fit(src, 1e-5);
    ASSERT_GE(fit.numFitPoints(), 2);
    EXPECT_EQ(fit.degree(), 3);
    for (int i = 0; i <= 200; ++i) {
        const double t = src.startParam() + (src.endParam() - src.startParam()) * i / 200;
        EXPECT_LT(fit.evalPoint(t).distanceTo(src.evalPoint(t)), 2e-5);
    }
    for (int i = 0; i < fit.numFitPoints(); ++i) {
        VqArray<VqGeVector3d> dv;
        const double t = fit.impCubicSpline()->fitData()->knotAt(i);
        src.evalPoint(t, 1, dv);
        EXPECT_LT((fit.firstDerivAt(i) - dv[0]).length(), 1e-9 * (1 + dv[0].length()));
    }
}
