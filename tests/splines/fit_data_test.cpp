// Fit data: end tangents, closing, compression, approximation by point adjustment, sampling
// a curve into Hermite data, and fit data carried along by copies and transformations.
#include "fit_checks.h"
#include "vqge_matrix3d.h"

using namespace fittest;

namespace {

VqArray<VqGePoint3d> line3(double x0, double x1, double x2) {
    VqArray<VqGePoint3d> p;
    p.append(VqGePoint3d(x0, 0, 0));
    p.append(VqGePoint3d(x1, 0, 0));
    p.append(VqGePoint3d(x2, 0, 0));
    return p;
}

}  // namespace

TEST(VqGeImpFitData3d, EndTangents_SetRemoveOverwrite_FollowTheirEntries) {
    VqGeImpFitData3d fd(line3(0, 1, 2), VqGeContext::gTol, 0);
    VqGeVector3d v;
    EXPECT_EQ(fd.getTangentAtStart(v), 0);
    EXPECT_EQ(fd.hasEndTangents(), 0);
    fd.setTangentAtEnd(VqGeVector3d(0, 1, 0));
    fd.setTangentAtStart(VqGeVector3d(1, 0, 0));
    EXPECT_EQ(fd.numFitTangents(), 2);
    EXPECT_EQ(fd.hasEndTangents(), 1);
    fd.setTangentAtStart(VqGeVector3d(2, 0, 0));  // overwrites
    EXPECT_EQ(fd.numFitTangents(), 2);
    ASSERT_EQ(fd.getTangentAtStart(v), 1);
    EXPECT_EQ(v.x, 2.0);
    fd.removeTangentAtStart();
    fd.removeTangentAtStart();  // absent: nothing
    EXPECT_EQ(fd.numFitTangents(), 1);
    ASSERT_EQ(fd.getTangentAtEnd(v), 1);
    EXPECT_EQ(v.y, 1.0);
    EXPECT_EQ(fd.hasFitTangents(), 0);
    EXPECT_EQ(fd.fitTangentAt(7).length(), 0.0);
    EXPECT_EQ(fd.setFitTangentAt(-1, v), 0);
    // The curve's getFitData reports the zero vector for the missing start tangent.
    VqGeImpNurbCurve3d c(line3(0, 1, 2), VqGeVector3d(5, 5, 5), VqGeVector3d(0, 1, 0), 0, 1,
                         VqGeContext::gTol);
    VqArray<VqGePoint3d> pts;
    VqGeTol tol;
    int exist = 0;
    VqGeVector3d s(9, 9, 9), e;
    ASSERT_EQ(c.getFitData(pts, tol, exist, s, e), 1);
    EXPECT_EQ(exist, 1);
    EXPECT_EQ(s.length(), 0.0);
    EXPECT_EQ(e.y, 1.0);
    EXPECT_EQ(pts.length(), 3);
    VqGeImpNurbCurve3d plain;
    EXPECT_EQ(plain.getFitData(pts, tol, exist, s, e), 0);
    EXPECT_EQ(plain.numFitPoints(), 0);
    EXPECT_EQ(plain.regenerate(), 0);
}

TEST(VqGeImpFitData3d, MakeClosed_OpenLoop_AppendsFirstPointAndSharesSeamTangent) {
    Rng rng(61u);
    VqArray<VqGePoint3d> pts = randomLoop(rng, 7, 2.0);
    pts.removeLast();
    VqGeImpFitData3d fd(pts, VqGeContext::gTol, 0);
    fd.makeClosed();
    ASSERT_EQ(fd.numFitPoints(), 8);
    EXPECT_EQ(fd.isClosedSet(), 1);
    EXPECT_TRUE(fd.fitPointAt(7) == fd.fitPointAt(0));
    VqGeVector3d a, b;
    ASSERT_TRUE(fd.getTangentAtStart(a) && fd.getTangentAtEnd(b));
    EXPECT_TRUE(a == b);
    EXPECT_GT(a.length(), 0.0);
    EXPECT_NEAR(fd.knotAt(7), fd.knotAt(6) + pts[6].distanceTo(pts[0]), 1e-12);
    // Closing again changes no point.
    fd.makeClosed();
    EXPECT_EQ(fd.numFitPoints(), 8);
}

// Compression keeps a closed set closed and keeps tangents paired with their points.
TEST(VqGeImpFitData3d, CompressFitData_RepeatsAndCloseset_StaysClosedAndPaired) {
    VqArray<VqGePoint3d> pts;
    VqArray<VqGeVector3d> tans;
    const double xs[6] = {0, 0, 1, 1 + 1e-12, 2, 0};
    for (int i = 0; i < 6; ++i) {
        pts.append(VqGePoint3d(xs[i], i == 4 ? 1.0 : 0.0, 0));
        tans.append(VqGeVector3d(1, i, 0));
    }
    VqGeImpFitData3d fd(pts, tans, VqGeContext::gTol, 0);
    fd.compressFitData();
    ASSERT_EQ(fd.numFitPoints(), 4);
    ASSERT_EQ(fd.numFitTangents(), 4);
    EXPECT_EQ(fd.fitTangentAt(1).y, 2.0);  // the point at x = 1 kept its own tangent
    EXPECT_EQ(fd.fitTangentAt(3).y, 5.0);

    VqArray<VqGePoint3d> loop = line3(0, 1, 1);
    loop.append(VqGePoint3d(0, 1, 0));
    loop.append(VqGePoint3d(0, 0, 0));
    VqGeImpFitData3d closed(loop, VqGeContext::gTol, 1);
    closed.compressFitData();
    EXPECT_EQ(closed.isClosedSet(), 1);
    EXPECT_EQ(closed.numFitPoints(), 4);
    EXPECT_TRUE(closed.fitPointAt(3) == closed.fitPointAt(0));
}

// A fit tolerance above the global one moves interior points towards the Bezier of the ends
// by at most that tolerance: the curve no longer meets every point but stays within the
// tolerance of each.
TEST(VqGeImpNurbCurve3d, Regenerate_ApproximationTolerance_WithinToleranceOfEveryPoint) {
    Rng rng(1703u);
    for (int k = 0; k < 40; ++k) {
        const int n = rng.pick(3, 20);
        const double o = k % 2 ? 1e6 : 0.0;
        const VqArray<VqGePoint3d> pts = randomPoints(rng, n, 1.0, o);
        VqGeTol fitTol;
        fitTol.setEqualPoint(rng(0.01, 0.3));
        VqGeImpNurbCurve3d c(pts, fitTol);
        ASSERT_GT(c.numKnots(), 0);
        EXPECT_EQ(c.fitData()->hasApproximationData(), 1);
        // The stored fit data are untouched by regeneration.
        for (int i = 0; i < n; ++i) EXPECT_TRUE(c.fitData()->fitPointAt(i) == pts[i]);
        for (int i = 0; i < n; ++i) {
            const double t = c.closestParamTo(pts[i], VqGeContext::gTol);
            EXPECT_LT(c.pointAt(t).distanceTo(pts[i]), fitTol.equalPoint() * (1 + 1e-6) + 1e-9)
                << k << " " << i;
        }
        VqGeImpFitData3d work(*c.fitData());
        work.adjustFitPoints();
        EXPECT_EQ(work.getFitTolerance().equalPoint(), 0.0);
        EXPECT_EQ(work.hasEndTangents(), 1);
    }
}

// Fit data sampled from a curve keep the curve's parameters and tangents; the Hermite curve
// regenerated from them stays within the tolerance of the source at every parameter.
TEST(VqGeImpFitData3d, FromCurve_RandomNurbs_HermiteWithinTolerance) {
    Rng rng(818u);
    for (int k = 0; k < 40; ++k) {
        const int degree = rng.pick(2, 5), rational = k % 3 == 0;
        const double off = k % 4 == 1 ? 1e6 : 0.0;
        nurbtest::Def d = nurbtest::randomDef(rng, degree, rng.pick(degree + 1, degree + 8), rational,
                                              10.0, off);
        VqGeImpNurbCurve3d* src = nurbtest::build(d);
        const double tol = k % 2 ? 1e-3 : 1e-6;
        VqGeImpFitData3d* fd = new VqGeImpFitData3d(*src, tol);
        ASSERT_GE(fd->numFitPoints(), 2);
        EXPECT_EQ(fd->hasFitTangents(), 1);
        EXPECT_EQ(fd->hasEndTangents(), 1);
        EXPECT_EQ(fd->knotAt(0), src->startParam());
        EXPECT_EQ(fd->knotAt(fd->numFitPoints() - 1), src->endParam());
        VqGeImpNurbCurve3d fit;
        fit.adoptFitData(fd);
        ASSERT_EQ(fit.regenerate(), 1);
        double worst = 0.0;
        for (int i = 0; i <= 400; ++i) {
            const double t = src->startParam() + (src->endParam() - src->startParam()) * i / 400;
            worst = std::fmax(worst, fit.pointAt(t).distanceTo(src->pointAt(t)));
        }
        EXPECT_LT(worst, 2.0 * tol + 1e-9 * off) << k << " points " << fd->numFitPoints();
        delete src;
    }
}

TEST(VqGeImpFitData3d, FromCurve_ClosedCurve_ClosedHermiteData) {
    Rng rng(5u);
    const VqArray<VqGePoint3d> loop = randomLoop(rng, 8, 10.0);
    VqGeImpNurbCurve3d src;
    src.adoptFitData(new VqGeImpFitData3d(loop, VqGeContext::gTol, 1));
    ASSERT_EQ(src.regenerate(), 1);
    const double tol = 1e-4;
    VqGeImpFitData3d fd(src, tol);
    ASSERT_EQ(fd.isClosedSet(), 1);
    const int n = fd.numFitPoints();
    ASSERT_GE(n, 4);
    EXPECT_TRUE(fd.fitPointAt(0) == fd.fitPointAt(n - 1));
    EXPECT_TRUE(fd.fitTangentAt(0) == fd.fitTangentAt(n - 1));
    VqGeImpNurbCurve3d fit;
    fit.adoptFitData(fd.copy());
    ASSERT_EQ(fit.regenerate(), 1);
    for (int i = 0; i <= 300; ++i) {
        const double t = src.startParam() + (src.endParam() - src.startParam()) * i / 300;
        EXPECT_LT(fit.pointAt(t).distanceTo(src.pointAt(t)), 2 * tol);
    }
}

TEST(VqGeImpFitData3d, FromCurve_BadTolerance_EmptyData) {
    VqGeImpNurbCurve3d src;
    EXPECT_EQ(VqGeImpFitData3d(src, 0.0).numFitPoints(), 0);
    EXPECT_EQ(VqGeImpFitData3d(src, -1.0).numFitPoints(), 0);
    EXPECT_EQ(VqGeImpFitData3d(src, NAN).numFitPoints(), 0);
    // A huge tolerance takes the whole range in one step.
    EXPECT_EQ(VqGeImpFitData3d(src, 1e30).numFitPoints(), 2);
}

TEST(VqGeImpNurbCurve3d, FitData_CopyAndTransform_CarriedAlong) {
    Rng rng(3u);
    const VqArray<VqGePoint3d> pts = randomPoints(rng, 6, 1.0);
    VqGeImpNurbCurve3d c(pts, VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 1, 1,
                         VqGeContext::gTol);
    VqGeImpNurbCurve3d* cp = c.copy();
    ASSERT_TRUE(cp->hasFitData());
    EXPECT_NE(cp->fitData(), c.fitData());
    const VqGeMatrix3d m = VqGeMatrix3d::rotation(0.7, VqGeVector3d(0, 0, 1), VqGePoint3d(1, 2, 3));
    cp->transformBy(m);
    EXPECT_LT(cp->fitData()->fitPointAt(3).distanceTo(m * pts[3]), 1e-12);
    EXPECT_EQ(cp->isInterpolating(), 1);
    VqGeVector3d s;
    cp->fitData()->getTangentAtStart(s);
    EXPECT_LT((s - m * VqGeVector3d(1, 0, 0)).length(), 1e-14);
    VqGeImpNurbCurve3d assigned;
    assigned = c;
    EXPECT_TRUE(assigned.hasFitData());
    EXPECT_EQ(assigned.purgeFitData(), 1);
    EXPECT_FALSE(assigned.hasFitData());
    EXPECT_TRUE(c.hasFitData());
    delete cp;
}

// Regenerating after a scaling gives the scaled curve: the fit parameters stay with the data.
TEST(VqGeImpNurbCurve3d, FitData_ScaledThenRegenerated_SameAsScaledCurve) {
    Rng rng(17u);
    const VqArray<VqGePoint3d> pts = randomPoints(rng, 9, 1.0);
    VqGeImpNurbCurve3d c(pts, VqGeVector3d(1, 1, 0), VqGeVector3d(0, 0, 0), 1, 0,
                         VqGeContext::gTol);
    VqGeImpNurbCurve3d scaled(c);
    const VqGeMatrix3d m = VqGeMatrix3d::scaling(3.0, VqGePoint3d(1, 2, 3));
    scaled.transformBy(m);
    VqGeImpNurbCurve3d again(scaled);
    ASSERT_EQ(again.regenerate(), 1);
    for (int i = 0; i <= 40; ++i) {
        const double t = c.startParam() + (c.endParam() - c.startParam()) * i / 40;
        EXPECT_LT(again.pointAt(t).distanceTo(m * c.pointAt(t)), 1e-11);
    }
}

TEST(VqGeImpFitData3d, Queries_ClosedTangentsAndPointIndex_Answer) {
    Rng rng(4u);
    const VqArray<VqGePoint3d> loop = randomLoop(rng, 5, 1.0);
    VqGeImpFitData3d fd(loop, randomVectors(rng, 5, 1.0), VqGeContext::gTol, 1);
    EXPECT_EQ(fd.numFitPoints(), 6);
    EXPECT_EQ(fd.hasFitTangents(), 1);  // one fewer than the points on a closed set
    VqGeImpFitData3d open(loop, randomVectors(rng, 5, 1.0), VqGeContext::gTol, 0);
    EXPECT_EQ(open.hasFitTangents(), 0);
    int idx = -1;
    EXPECT_EQ(fd.isOn(loop[3], idx, VqGeContext::gTol), 1);
    EXPECT_EQ(idx, 3);
    EXPECT_EQ(fd.isOn(VqGePoint3d(50, 50, 50), idx, VqGeContext::gTol), 0);
    VqGeImpFitData3d* cp = fd.copy();
    EXPECT_TRUE(cp->isEqualTo(fd));
    cp->setFitTangentAt(0, VqGeVector3d(9, 9, 9));
    EXPECT_FALSE(cp->isEqualTo(fd));
    delete cp;
    const VqGeTol eff = VqGeImpFitData3d::adjustFitTolerance(tolOfPoint(1.0));
    EXPECT_EQ(eff.equalPoint(), VqGeContext::gTol.equalPoint());
    EXPECT_EQ(VqGeImpFitData3d::adjustFitTolerance(tolOfPoint(1e-13)).equalPoint(), 1e-13);
}
