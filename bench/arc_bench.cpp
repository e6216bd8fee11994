// Arc hot paths: segment-circle intersection in closed form, the closest point of an ellipse
// to a point, and evaluation with two derivatives through a point on the arc.
#include <benchmark/benchmark.h>

#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "vqge.h"

namespace {

void BM_SegmentCircleIntersect(benchmark::State& state) {
    const VqGeImpEllipArc3d circle(VqGePoint3d(1, 2, 0), VqGeVector3d(0, 0, 1), 3.0);
    const VqGeImpLinearEnt3d seg(VqGePoint3d(-5, 1, 0), VqGePoint3d(6, 3.5, 0), 1, 1);
    VqGePoint3d p1, p2;
    int num = 0, tangent = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            circle.intersectWithLine(seg, num, p1, p2, tangent, VqGeContext::gTol));
        benchmark::DoNotOptimize(p1);
    }
}
BENCHMARK(BM_SegmentCircleIntersect);

void BM_SegmentCircleIntersectPublic(benchmark::State& state) {
    const VqGeCircArc3d circle(VqGePoint3d(1, 2, 0), VqGeVector3d(0, 0, 1), 3.0);
    const VqGeLineSeg3d seg(VqGePoint3d(-5, 1, 0), VqGePoint3d(6, 3.5, 0));
    VqGePoint3d p1, p2;
    int num = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(circle.intersectWith(seg, num, p1, p2));
        benchmark::DoNotOptimize(p1);
    }
}
BENCHMARK(BM_SegmentCircleIntersectPublic);

void BM_EllipseClosestPoint(benchmark::State& state) {
    const VqGeImpEllipArc3d ell(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0),
                                5.0, 2.0);
    double x = 0.0;
    for (auto _ : state) {
        x += 0.37;
        if (x > 8.0) x -= 16.0;
        benchmark::DoNotOptimize(ell.closestPointTo(VqGePoint3d(x, 0.5 * x + 1.0, 0.0),
                                                    VqGeContext::gTol));
    }
}
BENCHMARK(BM_EllipseClosestPoint);

void BM_ArcEvalTwoDerivs(benchmark::State& state) {
    const VqGeImpEllipArc3d arc(VqGePoint3d(1, 1, 1), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0),
                                5.0, 2.0, 0.0, 3.0);
    VqGeImpPointOnCurve3d pc(&arc, 0.0);
    double t = 0.0;
    for (auto _ : state) {
        t += 0.001;
        if (t > 3.0) t = 0.0;
        benchmark::DoNotOptimize(pc.point(t));
        benchmark::DoNotOptimize(pc.deriv(1));
        benchmark::DoNotOptimize(pc.deriv(2));
    }
}
BENCHMARK(BM_ArcEvalTwoDerivs);

void BM_ArcEvalPointDerivArray(benchmark::State& state) {
    VqGeImpEllipArc3d arc(VqGePoint3d(1, 1, 1), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 5.0,
                          2.0, 0.0, 3.0);
    VqArray<VqGeVector3d> derivs;
    double t = 0.0;
    for (auto _ : state) {
        t += 0.001;
        if (t > 3.0) t = 0.0;
        benchmark::DoNotOptimize(arc.evalPoint(t, 2, derivs));
    }
}
BENCHMARK(BM_ArcEvalPointDerivArray);

}  // namespace
