// Fitting and polyline queries: cubic interpolation through 1,000 points (the banded kernel
// alone and the whole fitting constructor), and closest points on a polyline of 10^4 vertices.
#include <benchmark/benchmark.h>

#include <cmath>

#include "curves/imp_point_on_curve3d.h"
#include "splines/imp_fit_interp.h"
#include "splines/imp_nurb_curve3d.h"
#include "splines/imp_polyline3d.h"

namespace {

VqArray<VqGePoint3d> wave(int n) {
    VqArray<VqGePoint3d> pts(n, 8);
    for (int i = 0; i < n; ++i)
        pts.append(VqGePoint3d(i * 0.7, std::sin(i * 0.3) * 5.0, std::cos(i * 0.11) * 2.0));
    return pts;
}

VqArray<double> chords(const VqArray<VqGePoint3d>& pts) {
    VqArray<double> t(pts.length(), 8);
    double s = 0.0;
    for (int i = 0; i < pts.length(); ++i) {
        if (i > 0) s += pts[i].distanceTo(pts[i - 1]);
        t.append(s);
    }
    return t;
}

void BM_CubicInterpolationKernel1000(benchmark::State& state) {
    const VqArray<VqGePoint3d> pts = wave(1000);
    const VqArray<double> t = chords(pts);
    VqGeKnotVector knots;
    VqArray<VqGePoint3d> ctrl;
    for (auto _ : state) {
        const int ok = VqGeFitInterp::cubicOpen(pts.asArrayPtr(), t.asArrayPtr(), 1000, nullptr,
                                                nullptr, knots, ctrl);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(ctrl[500].x);
    }
}
BENCHMARK(BM_CubicInterpolationKernel1000)->Unit(benchmark::kMicrosecond);

void BM_CubicFitConstructor1000(benchmark::State& state) {
    const VqArray<VqGePoint3d> pts = wave(1000);
    for (auto _ : state) {
        VqGeImpNurbCurve3d c(pts, VqGeContext::gTol);
        benchmark::DoNotOptimize(c.numControlPoints());
    }
}
BENCHMARK(BM_CubicFitConstructor1000)->Unit(benchmark::kMicrosecond);

void BM_PeriodicCubicKernel1000(benchmark::State& state) {
    VqArray<VqGePoint3d> pts(1001, 8);
    for (int i = 0; i < 1000; ++i) {
        const double a = 2 * 3.141592653589793 * i / 1000;
        pts.append(VqGePoint3d(std::cos(a) * (10 + std::sin(7 * a)), std::sin(a) * 10, 0));
    }
    pts.append(pts[0]);
    const VqArray<double> t = chords(pts);
    VqGeKnotVector knots;
    VqArray<VqGePoint3d> ctrl;
    for (auto _ : state) {
        const int ok = VqGeFitInterp::cubicPeriodic(pts.asArrayPtr(), t.asArrayPtr(), 1001, knots,
                                                    ctrl);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_PeriodicCubicKernel1000)->Unit(benchmark::kMicrosecond);

void BM_PolylineClosestPoint10k(benchmark::State& state) {
    const VqGeImpPolyline3d pl(wave(10000));
    VqGeImpPointOnCurve3d pc;
    double x = 0.0;
    for (auto _ : state) {
        x = x > 6000.0 ? 0.0 : x + 13.7;
        pl.getClosestPointTo(VqGePoint3d(x, 1.0, 0.5), pc, VqGeContext::gTol);
        benchmark::DoNotOptimize(pc.parameter());
    }
}
BENCHMARK(BM_PolylineClosestPoint10k)->Unit(benchmark::kMicrosecond);

void BM_PolylineProjClosestPoint10k(benchmark::State& state) {
    const VqGeImpPolyline3d pl(wave(10000));
    VqGeImpPointOnCurve3d pc;
    double x = 0.0;
    for (auto _ : state) {
        x = x > 6000.0 ? 0.0 : x + 13.7;
        pl.getProjClosestPointTo(VqGePoint3d(x, 1.0, 0.5), VqGeVector3d(0, 0, 1), pc,
                                 VqGeContext::gTol);
        benchmark::DoNotOptimize(pc.parameter());
    }
}
BENCHMARK(BM_PolylineProjClosestPoint10k)->Unit(benchmark::kMicrosecond);

}  // namespace
