// Polyline-family queries that rest on the generic curve algorithms (sampling of curves of
// degree above 1). Until those are present, sampling yields nothing and these tests skip.
#include "fit_checks.h"
#include "curves/imp_point_on_curve3d.h"
#include "vqge_cubicsplinecurve3d.h"
#include "vqge_polyline3d.h"

using namespace fittest;

namespace {

int canSample(const VqGeImpCurve3d& c) {
    VqArray<VqGePoint3d> pts;
    VqArray<double> params;
    VqGeImpPointOnCurve3d work(&c);
    VqGeImpInterval iv;
    c.getInterval(iv, 0, 0);
    return c.getSamplePoints(iv.lowerBound(), iv.upperBound(), 1e-3, work, pts, params, nullptr,
                             nullptr) > 0;
}

}  // namespace

TEST(VqGeImpAugPolyline3d, FromCurve_CubicSource_VerticesAndVectorsFromSource) {
    Rng rng(311u);
    for (int k = 0; k < 20; ++k) {
        nurbtest::Def d = nurbtest::randomDef(rng, 3, rng.pick(4, 10), k % 2);
        VqGeImpNurbCurve3d* src = nurbtest::build(d);
        if (!canSample(*src)) {
            delete src;
            GTEST_SKIP() << "curve sampling not available";
        }
        checkAugAgainstSource(*src, k % 3);
        delete src;
    }
}

TEST(VqGePolyline3d, FromCurve_CubicSpline_VerticesOnTheCurve) {
    Rng rng(71u);
    VqArray<VqGePoint3d> p3;
    for (int i = 0; i < 12; ++i) p3.append(VqGePoint3d(i + rng(0, 0.5), rng(-3, 3), 0));
    VqGeCubicSplineCurve3d spline(p3, VqGeVector3d(0, 0, 0), VqGeVector3d(0, 0, 0));
    if (!canSample(*spline.impCurve())) GTEST_SKIP() << "curve sampling not available";
    VqGePolyline3d sampled(spline, 1e-3);
    ASSERT_GE(sampled.numFitPoints(), 12);
    for (int i = 0; i < sampled.numFitPoints(); ++i)
        EXPECT_LT(spline.evalPoint(sampled.knotAt(i)).distanceTo(sampled.fitPointAt(i)), 1e-12);
    EXPECT_EQ(sampled.knotAt(0), spline.startParam());
}
