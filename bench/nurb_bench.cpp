// NURBS curve kernels: evaluation (random and sorted parameters, with and without
// derivatives, rational), closest point, sub-range length and parameter at length, on a
// seeded cubic of 100 control points at drawing scale.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "splines/imp_nurb_curve3d.h"
#include "vqge_curveintdata.h"

namespace {

const int kPoints = 100;
const int kDegree = 3;

// Clamped cubic with uneven interior spans over about [0, 100], far from the origin. shape 0:
// a drawing-like walk (steps of 5 to 15 units turning by up to 40 degrees); shape 1: a zigzag
// whose points jump across a 1000-unit band (sharp turns, nearly vanishing speeds, span boxes
// that overlap). Weights in [0.5, 2] when rational.
VqGeImpNurbCurve3d* makeCurve(int rational, int shape = 0) {
    std::mt19937 gen(20261207u);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<double> k(kDegree + 1, 0.0);
    double t = 0.0;
    for (int i = 0; i < kPoints - kDegree - 1; ++i) {
        t += 0.5 + u(gen);
        k.push_back(t);
    }
    t += 0.5 + u(gen);
    for (int i = 0; i <= kDegree; ++i) k.push_back(t);
    VqArray<VqGePoint3d> pts;
    VqArray<double> w;
    double x = 1e5, y = 2e5, z = 0.0, dir = 0.0;
    for (int i = 0; i < kPoints; ++i) {
        if (shape == 0) {
            dir += (u(gen) - 0.5) * 1.4;
            const double step = 5.0 + 10.0 * u(gen);
            x += step * std::cos(dir);
            y += step * std::sin(dir);
            z += 2.0 * (u(gen) - 0.5);
            pts.append(VqGePoint3d(x, y, z));
        } else {
            pts.append(VqGePoint3d(1e5 + 10.0 * i + 200.0 * u(gen), 2e5 + 1000.0 * u(gen), 500.0 * u(gen)));
        }
        w.append(0.5 + 1.5 * u(gen));
    }
    VqGeKnotVector kv(static_cast<int>(k.size()), k.data());
    return rational ? new VqGeImpNurbCurve3d(kDegree, kv, pts, w) : new VqGeImpNurbCurve3d(kDegree, kv, pts);
}

// Points scattered over the box of the curve grown by a tenth of its size.
std::vector<VqGePoint3d> queryPoints(const VqGeImpNurbCurve3d& c, int n) {
    double lo[3] = {1e300, 1e300, 1e300}, hi[3] = {-1e300, -1e300, -1e300};
    for (int i = 0; i <= 1000; ++i) {
        const VqGePoint3d p = c.pointAt(c.startParam() + (c.endParam() - c.startParam()) * i / 1000.0);
        const double v[3] = {p.x, p.y, p.z};
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], v[a]);
            hi[a] = std::max(hi[a], v[a]);
        }
    }
    std::mt19937 gen(11u);
    std::uniform_real_distribution<double> u(-0.1, 1.1);
    std::vector<VqGePoint3d> qs;
    for (int i = 0; i < n; ++i)
        qs.push_back(VqGePoint3d(lo[0] + (hi[0] - lo[0]) * u(gen), lo[1] + (hi[1] - lo[1]) * u(gen),
                                 lo[2] + (hi[2] - lo[2]) * u(gen)));
    return qs;
}

std::vector<double> params(const VqGeImpNurbCurve3d& c, int n, int sorted) {
    std::mt19937 gen(7u);
    std::uniform_real_distribution<double> u(c.startParam(), c.endParam());
    std::vector<double> v(static_cast<size_t>(n));
    for (double& x : v) x = u(gen);
    if (sorted) std::sort(v.begin(), v.end());
    return v;
}

// One evaluation per iteration over 10^6 parameters; range(0): derivatives, range(1): sorted,
// range(2): rational.
void BM_NurbPoint(benchmark::State& state) {
    VqGeImpNurbCurve3d* c = makeCurve(static_cast<int>(state.range(2)));
    const std::vector<double> ts = params(*c, 1000000, static_cast<int>(state.range(1)));
    const int nd = static_cast<int>(state.range(0));
    VqGeVector3d d[2];
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(c->pointAt(ts[i], nd, d));
        benchmark::DoNotOptimize(d[0]);
        if (++i == ts.size()) i = 0;
    }
    delete c;
}
BENCHMARK(BM_NurbPoint)
    ->ArgNames({"derivs", "sorted", "rational"})
    ->Args({0, 0, 0})
    ->Args({2, 0, 0})
    ->Args({0, 1, 0})
    ->Args({2, 1, 0})
    ->Args({0, 0, 1})
    ->Args({2, 0, 1});

// Closest point of 2 * 10^4 random points around the curve; range(0): rational, range(1): shape.
void BM_NurbClosestPoint(benchmark::State& state) {
    VqGeImpNurbCurve3d* c = makeCurve(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::vector<VqGePoint3d> qs = queryPoints(*c, 20000);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(c->closestParamTo(qs[i], VqGeContext::gTol));
        if (++i == qs.size()) i = 0;
    }
    delete c;
}
BENCHMARK(BM_NurbClosestPoint)->ArgNames({"rational", "zigzag"})->Args({0, 0})->Args({1, 0})->Args({0, 1});

// Length of 10^4 random sub-ranges at tolerance 1e-10; range(0): rational, range(1): shape.
void BM_NurbLength(benchmark::State& state) {
    VqGeImpNurbCurve3d* c = makeCurve(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::vector<double> ts = params(*c, 20000, 0);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(c->length(ts[i], ts[i + 1], 1e-10));
        i += 2;
        if (i == ts.size()) i = 0;
    }
    delete c;
}
BENCHMARK(BM_NurbLength)->ArgNames({"rational", "zigzag"})->Args({0, 0})->Args({1, 0})->Args({0, 1});

// Parameter at a random share of the length after a random start.
void BM_NurbParamAtLength(benchmark::State& state) {
    VqGeImpNurbCurve3d* c = makeCurve(0);
    const std::vector<double> ts = params(*c, 2000, 0);
    std::vector<double> lens;
    for (size_t j = 0; j < ts.size(); ++j) lens.push_back(0.5 * c->length(ts[j], c->endParam(), 1e-10) * (j % 7) / 7.0);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(c->paramAtLength(ts[i], lens[i], 1, 1e-10));
        if (++i == ts.size()) i = 0;
    }
    delete c;
}
BENCHMARK(BM_NurbParamAtLength);

}  // namespace

namespace {

// A cubic waving across the x axis about 50 times and a flat cubic along it; with an offset
// to drawing scale.
VqGeImpNurbCurve3d* waveCurve(int points, double amp, double length, double o) {
    std::vector<double> k(kDegree + 1, 0.0);
    for (int i = 1; i < points - kDegree; ++i) k.push_back(i);
    for (int i = 0; i <= kDegree; ++i) k.push_back(points - kDegree);
    VqArray<VqGePoint3d> pts;
    for (int i = 0; i < points; ++i)
        pts.append(VqGePoint3d(o + length * i / (points - 1), o + (i % 2 ? amp : -amp), 0.0));
    return new VqGeImpNurbCurve3d(kDegree, VqGeKnotVector(static_cast<int>(k.size()), k.data()), pts);
}

void BM_NurbIntersectTwoCubics(benchmark::State& state) {
    VqGeImpNurbCurve3d* a = waveCurve(52, 10.0, 1000.0, 1e5);
    VqGeImpNurbCurve3d* b = waveCurve(8, 1.0, 1000.0, 1e5);
    int found = 0;
    for (auto _ : state) {
        VqGeCurveIntData data;
        a->intersectWith(*b, VqGeVector3d::kZAxis, data, VqGeContext::gTol);
        found = data.numIntPoints();
        benchmark::DoNotOptimize(found);
    }
    state.counters["crossings"] = found;
    delete a;
    delete b;
}
BENCHMARK(BM_NurbIntersectTwoCubics)->Unit(benchmark::kMicrosecond);

}  // namespace
