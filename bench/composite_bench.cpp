// Composite curve evaluation over long chains: member lookup, the evaluation through a point on
// the curve (per-member cache), lengths and closest points.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "compound/imp_composite_curve3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"

namespace {

// A zigzag of n segments at drawing scale, handed over to the chain.
VqGeImpCompositeCurve3d* zigzag(int n) {
    VqArray<void*> curves;
    VqArray<int> flags;
    VqGePoint3d p(1e6, 1e6, 0);
    for (int i = 0; i < n; ++i) {
        const VqGePoint3d q = p + VqGeVector3d(10.0 + (i % 7), (i % 2 ? 1 : -1) * (3.0 + i % 5), 0);
        curves.append(new VqGeImpLinearEnt3d(p, q, 1, 1));
        flags.append(1);
        p = q;
    }
    return new VqGeImpCompositeCurve3d(curves, flags, 1);
}

// Parameters spread over the chain in random order, so that lookups jump between members.
void params(const VqGeImpCompositeCurve3d& c, VqArray<double>& out) {
    VqGeImpInterval i;
    c.getInterval(i, 0, 0);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(i.lowerBound(), i.upperBound());
    out.removeAll();
    for (int k = 0; k < 1024; ++k) out.append(u(rng));
}

void BM_CompositeEvalPoint(benchmark::State& state) {
    VqGeImpCompositeCurve3d* c = zigzag(static_cast<int>(state.range(0)));
    VqArray<double> g;
    params(*c, g);
    int k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(c->evalPoint(g[k++ & 1023]));
    }
    delete c;
}
BENCHMARK(BM_CompositeEvalPoint)->Arg(1)->Arg(100)->Arg(10000);

void BM_CompositeEvalDerivs(benchmark::State& state) {
    VqGeImpCompositeCurve3d* c = zigzag(static_cast<int>(state.range(0)));
    VqArray<double> g;
    params(*c, g);
    VqArray<VqGeVector3d> d(3, 8);
    int k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(c->evalPoint(g[k++ & 1023], 2, d));
        benchmark::DoNotOptimize(d[1]);
    }
    delete c;
}
BENCHMARK(BM_CompositeEvalDerivs)->Arg(100);

// Through a point on the curve: the member's cached point on it is reused.
void BM_CompositePointOnCurve(benchmark::State& state) {
    VqGeImpCompositeCurve3d* c = zigzag(static_cast<int>(state.range(0)));
    VqArray<double> g;
    params(*c, g);
    VqGeImpPointOnCurve3d poc(c);
    int k = 0;
    for (auto _ : state) {
        poc.setParameter(g[k++ & 1023]);
        benchmark::DoNotOptimize(poc.point());
        benchmark::DoNotOptimize(poc.deriv(1));
    }
    delete c;
}
BENCHMARK(BM_CompositePointOnCurve)->Arg(100);

void BM_CompositeLength(benchmark::State& state) {
    VqGeImpCompositeCurve3d* c = zigzag(static_cast<int>(state.range(0)));
    VqGeImpInterval i;
    c->getInterval(i, 0, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(c->length(i.lowerBound(), i.upperBound(), 1e-10));
    }
    delete c;
}
BENCHMARK(BM_CompositeLength)->Arg(100);

void BM_CompositeClosestPoint(benchmark::State& state) {
    VqGeImpCompositeCurve3d* c = zigzag(static_cast<int>(state.range(0)));
    VqGeImpPointOnCurve3d poc(c);
    const VqGePoint3d q(1e6 + 500.0, 1e6 + 40.0, 3.0);
    for (auto _ : state) {
        c->getClosestPointTo(q, poc, VqGeContext::gTol);
        benchmark::DoNotOptimize(poc.parameter());
    }
    delete c;
}
BENCHMARK(BM_CompositeClosestPoint)->Arg(100);

}  // namespace
