// Polyline: chord-length knots, evaluation, parameter tests, points on the polyline, closest
// and projected closest points against brute force, split, explode, compression and edits.
#include "curves/imp_bound_block3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "fit_checks.h"
#include "surfaces/imp_planar_ent.h"

using namespace fittest;

namespace {

VqGeImpPolyline3d threeLegs() {
    VqArray<VqGePoint3d> p;
    p.append(VqGePoint3d(0, 0, 0));
    p.append(VqGePoint3d(3, 4, 0));
    p.append(VqGePoint3d(3, 4, 12));
    return VqGeImpPolyline3d(p);
}

}  // namespace

TEST(VqGeImpPolyline3d, Evaluate_ThreeLegs_ChordKnotsAndLinearPoint) {
    VqGeImpPolyline3d pl = threeLegs();
    ASSERT_EQ(pl.numKnots(), 3);
    EXPECT_EQ(pl.knotAt(1), 5.0);
    EXPECT_EQ(pl.knotAt(2), 17.0);
    EXPECT_EQ(pl.degree(), 1);
    EXPECT_EQ(pl.type(1), VqGe::kPolyline3d);
    EXPECT_EQ(pl.dirtyFlags(), 4);
    EXPECT_EQ(pl.endParam(), 17.0);
    VqArray<VqGeVector3d> d;
    const VqGePoint3d p = pl.evalPoint(2.5, 3, d);
    EXPECT_PT3_NEAR(p, 1.5, 2, 0, 1e-15);
    ASSERT_EQ(d.length(), 3);
    EXPECT_PT3_NEAR(d[0], 0.6, 0.8, 0, 1e-15);
    EXPECT_EQ(d[1].length(), 0.0);
    EXPECT_EQ(d[2].length(), 0.0);
    EXPECT_PT3_NEAR(pl.evalPoint(17.0), 3, 4, 12, 0);
    EXPECT_PT3_NEAR(pl.evalPoint(5.0), 3, 4, 0, 0);
    // The point-on-curve protocol, plain and transformed.
    VqGeImpPointOnCurve3d pc(&pl, 11.0);
    EXPECT_PT3_NEAR(pc.point(), 3, 4, 6, 1e-15);
    EXPECT_PT3_NEAR(pc.deriv(1), 0, 0, 1, 1e-15);
    pc.transformBy(VqGeMatrix3d::translation(VqGeVector3d(1, 1, 1)));
    EXPECT_PT3_NEAR(pc.point(), 4, 5, 7, 1e-15);
}

TEST(VqGeImpPolyline3d, IsOnParam_ToleranceEdge_AcceptsAtMinusTolOnly) {
    const VqGeImpPolyline3d pl = threeLegs();
    const VqGeTol tol = tolOfPoint(1e-3);
    EXPECT_TRUE(pl.isOn(-1e-3, tol));
    EXPECT_FALSE(pl.isOn(-1.0001e-3, tol));
    EXPECT_TRUE(pl.isOn(17.001, tol));
    EXPECT_FALSE(pl.isOn(17.0011, tol));
    EXPECT_FALSE(pl.isOn(NAN, tol));
    EXPECT_EQ(pl.paramOf(VqGePoint3d(9, 9, 9), tol), -1.0);
}

TEST(VqGeImpPolyline3d, CompressFitData_CloseNeighbours_EndReplacesLastKept) {
    VqArray<VqGePoint3d> p;
    p.append(VqGePoint3d(0, 0, 0));
    p.append(VqGePoint3d(0.05, 0, 0));
    p.append(VqGePoint3d(1, 0, 0));
    p.append(VqGePoint3d(1.05, 0, 0));
    VqGeImpPolyline3d pl(p);
    pl.compressFitData(tolOfPoint(0.1));
    ASSERT_EQ(pl.numFitPoints(), 2);
    EXPECT_PT3_NEAR(pl.fitPointAt(0), 0, 0, 0, 0);
    EXPECT_PT3_NEAR(pl.fitPointAt(1), 1.05, 0, 0, 0);
    EXPECT_EQ(pl.knotAt(1), 1.05);
    // Everything within the tolerance: both ends stay.
    VqArray<VqGePoint3d> q;
    for (int i = 0; i < 4; ++i) q.append(VqGePoint3d(i * 0.01, 0, 0));
    VqGeImpPolyline3d tiny(q, 1);
    tiny.compressFitData(tolOfPoint(0.1));
    EXPECT_EQ(tiny.numFitPoints(), 2);
    EXPECT_FALSE(tiny.isPeriodicStored());
}

// isOn / paramOf against evaluation: the point at t is found on its segment and hands back t.
TEST(VqGeImpPolyline3d, ParamOf_RandomPolylines_AgreesWithEvaluation) {
    Rng rng(404u);
    for (int k = 0; k < 60; ++k) {
        const int n = rng.pick(2, 50);
        const double o = k % 3 == 0 ? 1e6 : (k % 3 == 1 ? -1e8 : 0.0);
        const VqArray<VqGePoint3d> pts = randomPoints(rng, n, k % 2 ? 100.0 : 1.0, o);
        VqGeImpPolyline3d pl(pts);
        const VqGeTol tol = tolOfPoint(allowance(pts, 1e-12) + 1e-10);
        for (int j = 0; j < 40; ++j) {
            const double t = rng(pl.startParam(), pl.endParam());
            const VqGePoint3d p = pl.evalPoint(t);
            int seg = -1;
            double frac = -1;
            ASSERT_TRUE(pl.isOn(p, seg, frac, tol)) << k << " " << t;
            EXPECT_LE(pl.knotAt(seg), t + 1e-9 * (1 + std::fabs(t)));
            const double back = pl.paramOf(p, tol);
            EXPECT_LT(pl.evalPoint(back).distanceTo(p), 4 * tol.equalPoint()) << k;
            double viaSlot = 0.0;
            EXPECT_TRUE(pl.isOn(p, viaSlot, tol));
            EXPECT_EQ(viaSlot, back);
            // Off the polyline, well away from every segment.
            const VqGePoint3d off = p + VqGeVector3d(0, 0, 1e3 + 1e-3 * std::fabs(o));
            EXPECT_EQ(pl.paramOf(off, tol), -1.0);
        }
    }
}

// Closest and projected closest points against a dense brute-force scan of every segment.
TEST(VqGeImpPolyline3d, ClosestPoints_RandomPolylines_NoScannedPointNearer) {
    Rng rng(77u);
    for (int k = 0; k < 40; ++k) {
        const int n = rng.pick(2, 30);
        const double o = k % 4 == 0 ? 1e6 : 0.0;
        const VqArray<VqGePoint3d> pts = randomPoints(rng, n, 3.0, o);
        VqGeImpPolyline3d pl(pts);
        const VqGePoint3d q(o + rng(-10, 30), o + rng(-10, 10), rng(-10, 10));
        const VqGeVector3d dir(rng(-1, 1), rng(-1, 1), rng(0.2, 1));
        const VqGeVector3d u = dir.normal();
        VqGeImpPointOnCurve3d pc, pp;
        pl.getClosestPointTo(q, pc, VqGeContext::gTol);
        pl.getProjClosestPointTo(q, dir, pp, VqGeContext::gTol);
        EXPECT_LT(pl.evalPoint(pc.parameter()).distanceTo(pc.point()), allowance(pts));
        EXPECT_LT(pl.evalPoint(pp.parameter()).distanceTo(pp.point()), allowance(pts, 1e-10));
        auto lineDist = [&](const VqGePoint3d& p) {
            const VqGeVector3d a = p - q;
            return (a - u * a.dotProduct(u)).length();
        };
        const double best = pc.point().distanceTo(q), bestProj = lineDist(pp.point());
        for (int i = 0; i + 1 < n; ++i)
            for (int s = 0; s <= 50; ++s) {
                const VqGePoint3d p = pts[i] + (pts[i + 1] - pts[i]) * (s / 50.0);
                EXPECT_GE(p.distanceTo(q), best - allowance(pts)) << k;
                EXPECT_GE(lineDist(p), bestProj - 1e-7 * (1 + bestProj) - allowance(pts, 1e-9)) << k;
            }
        EXPECT_EQ(pl.projClosestPointTo(q, dir, VqGeContext::gTol), pp.point());
    }
}

// Split pieces keep the parent's parameters: every point keeps its place on its piece.
TEST(VqGeImpPolyline3d, GetSplitCurves_RandomParams_PiecesRetraceParent) {
    Rng rng(12u);
    for (int k = 0; k < 40; ++k) {
        const int n = rng.pick(2, 20);
        VqGeImpPolyline3d pl(randomPoints(rng, n, 2.0, k % 2 ? 1e6 : 0.0));
        const double t = k == 0 ? pl.knotAt(1) : rng(pl.startParam(), pl.endParam());
        VqGeImpCurve3d *a = nullptr, *b = nullptr;
        pl.getSplitCurves(t, a, b);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->type(0), VqGe::kPolyline3d);
        VqGeImpPolyline3d* pa = static_cast<VqGeImpPolyline3d*>(a);
        VqGeImpPolyline3d* pb = static_cast<VqGeImpPolyline3d*>(b);
        EXPECT_EQ(pa->numFitPoints() + pb->numFitPoints(), n + 2);
        EXPECT_NEAR(pa->endParam(), t, 1e-9 * (1 + t));
        EXPECT_NEAR(pb->startParam(), t, 1e-9 * (1 + t));
        for (int j = 0; j <= 20; ++j) {
            const double s = pl.startParam() + (pl.endParam() - pl.startParam()) * j / 20;
            VqGeImpPolyline3d* piece = s <= t ? pa : pb;
            EXPECT_LT(piece->evalPoint(s).distanceTo(pl.evalPoint(s)), 1e-9 * (1 + 1e6 * (k % 2)));
        }
        delete a;
        delete b;
    }
}

TEST(VqGeImpPolyline3d, Explode_Interval_SegmentsCutToIt) {
    VqGeImpPolyline3d pl = threeLegs();
    VqArray<void*> curves;
    VqArray<int> isNew;
    EXPECT_EQ(pl.explode(curves, isNew, nullptr), 2);
    const VqGeImpInterval part(2.5, 11.0);
    EXPECT_EQ(pl.explode(curves, isNew, &part), 2);
    ASSERT_EQ(curves.length(), 4);
    const VqGeImpLinearEnt3d* s0 = static_cast<VqGeImpLinearEnt3d*>(curves[2]);
    const VqGeImpLinearEnt3d* s1 = static_cast<VqGeImpLinearEnt3d*>(curves[3]);
    EXPECT_PT3_NEAR(s0->startPoint(), 1.5, 2, 0, 1e-15);
    EXPECT_PT3_NEAR(s1->endPoint(), 3, 4, 6, 1e-15);
    for (int i = 0; i < curves.length(); ++i) {
        EXPECT_EQ(isNew[i], 1);
        delete static_cast<VqGeImpLinearEnt3d*>(curves[i]);
    }
}

TEST(VqGeImpPolyline3d, BoundBlock_BothFlags_HoldEveryVertex) {
    Rng rng(9u);
    const VqArray<VqGePoint3d> pts = randomPoints(rng, 25, 4.0, 1e6);
    VqGeImpPolyline3d pl(pts);
    const VqGeImpInterval anything(0.0, 1e-3);
    for (int flag = 0; flag < 2; ++flag) {
        const VqGeImpBoundBlock3d bb = pl.boundBlock(3, anything, flag);
        for (int i = 0; i < pts.length(); ++i) EXPECT_TRUE(bb.contains(pts[i], 1e-9)) << flag;
        EXPECT_EQ(bb.isBox(), flag ? 1 : bb.isBox());
    }
}

TEST(VqGeImpPolyline3d, Closed_OpenPoints_CompletedAndPeriodic) {
    Rng rng(21u);
    VqArray<VqGePoint3d> pts = randomLoop(rng, 5, 2.0);
    pts.removeLast();
    VqGeImpPolyline3d pl(pts, 1);
    ASSERT_EQ(pl.numFitPoints(), 6);
    EXPECT_EQ(pl.dirtyFlags(), 6);
    double period = 0;
    ASSERT_EQ(pl.isPeriodic(period, 0), 1);
    EXPECT_EQ(period, pl.knotAt(5));
    EXPECT_TRUE(pl.isClosed(VqGeContext::gTol));
    EXPECT_TRUE(pl.controlPointAt(0) == pts[0]);  // vertices in order, not in periodic storage
    const double t = rng(0, period);
    EXPECT_LT(pl.evalPoint(t + 3 * period).distanceTo(pl.evalPoint(t)), 1e-12);
    EXPECT_LT(pl.evalPoint(t - period).distanceTo(pl.evalPoint(t)), 1e-12);
    pl.deleteFitPointAt(2);
    EXPECT_FALSE(pl.isPeriodicStored());
    EXPECT_EQ(pl.numFitPoints(), 5);
}

TEST(VqGeImpPolyline3d, Edits_AddSetDelete_KnotsFollow) {
    VqGeImpPolyline3d pl = threeLegs();
    pl.addFitPointAt(1, VqGePoint3d(0, 0, 2));
    ASSERT_EQ(pl.numFitPoints(), 4);
    EXPECT_EQ(pl.knotAt(1), 2.0);
    pl.setFitPointAt(0, VqGePoint3d(0, 0, -1));
    EXPECT_EQ(pl.knotAt(1), 3.0);
    pl.addFitPointAt(99, VqGePoint3d(3, 4, 13));
    EXPECT_EQ(pl.numFitPoints(), 5);
    pl.deleteFitPointAt(-1).deleteFitPointAt(99).addFitPointAt(-3, VqGePoint3d());
    EXPECT_EQ(pl.numFitPoints(), 5);
    EXPECT_EQ(pl.endParam(), pl.knotAt(4));
    VqGePoint3d p;
    EXPECT_EQ(pl.getFitPointAt(5, p), 0);
}

TEST(VqGeImpPolyline3d, Project_OntoPlane_AlongDirection) {
    VqGeImpPolyline3d pl = threeLegs();
    VqGeImpPlanarEnt pln;
    pln.set(VqGePoint3d(0, 0, 1), VqGeVector3d(0, 0, 1));
    VqGeImpEntity3d* e = pl.project(pln, VqGeVector3d(1, 0, 1), VqGeContext::gTol);
    ASSERT_TRUE(e);
    VqGeImpPolyline3d* p = static_cast<VqGeImpPolyline3d*>(e);
    EXPECT_PT3_NEAR(p->fitPointAt(2), -8, 4, 1, 1e-12);
    delete e;
    EXPECT_EQ(pl.project(pln, VqGeVector3d(1, 0, 0), VqGeContext::gTol), nullptr);
}

TEST(VqGeImpPolyline3d, BadInput_EmptyAndNan_NoCrash) {
    VqGeImpPolyline3d empty;
    EXPECT_EQ(empty.evalPoint(1.0).x, 0.0);
    VqGeImpPointOnCurve3d pc;
    empty.getClosestPointTo(VqGePoint3d(), pc, VqGeContext::gTol);
    empty.getProjClosestPointTo(VqGePoint3d(), VqGeVector3d(0, 0, 1), pc, VqGeContext::gTol);
    VqGeImpCurve3d *a = nullptr, *b = nullptr;
    empty.getSplitCurves(0.5, a, b);
    EXPECT_FALSE(a || b);
    int seg;
    double frac;
    EXPECT_FALSE(empty.isOn(VqGePoint3d(), seg, frac, VqGeContext::gTol));
    VqGeImpPolyline3d pl = threeLegs();
    const VqGePoint3d p = pl.evalPoint(NAN);
    EXPECT_TRUE(std::isnan(p.x) || p.x == 0.0);
    EXPECT_EQ(pl.paramOf(VqGePoint3d(NAN, 0, 0), VqGeContext::gTol), -1.0);
    VqArray<VqGePoint3d> one;
    one.append(VqGePoint3d(1, 1, 1));
    VqGeImpPolyline3d single(one);
    EXPECT_PT3_NEAR(single.evalPoint(5.0), 1, 1, 1, 0);
}
