// Line pairs at drawing scale: a crossing, a joint of two segments that share an end, and a
// short segment along a long one (an overlap), through the point-only and the record forms.
#include <benchmark/benchmark.h>

#include "curves/imp_linear_ent3d.h"
#include "vqge_curveintdata.h"

namespace {
using Lin = VqGeImpLinearEnt3d;

const Lin kWall(VqGePoint3d(1e6, 2e6, 0), VqGePoint3d(1e6 + 3e4, 2e6 + 1e4, 0), 1, 1);
const Lin kPairs[3] = {
    Lin(VqGePoint3d(1e6 + 1e4, 2e6 - 5e3, 0), VqGePoint3d(1e6 + 1.2e4, 2e6 + 9e3, 0), 1, 1),
    Lin(VqGePoint3d(1e6 + 3e4, 2e6 + 1e4, 0), VqGePoint3d(1e6 + 4e4, 2e6 + 3e4, 0), 1, 1),
    Lin(VqGePoint3d(1e6 + 3e3, 2e6 + 1e3, 0), VqGePoint3d(1e6 + 6e3, 2e6 + 2e3, 0), 1, 1)};

void BM_LinePairPoint(benchmark::State& state) {
    const Lin& other = kPairs[state.range(0)];
    VqGePoint3d p;
    for (auto _ : state) benchmark::DoNotOptimize(kWall.intersectWithLine(other, p));
}
BENCHMARK(BM_LinePairPoint)->DenseRange(0, 2);

void BM_LinePairRecord(benchmark::State& state) {
    const Lin& other = kPairs[state.range(0)];
    VqGeCurveIntData data;
    const VqGeVector3d w(0, 0, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(kWall.intersectWith(other, w, data, VqGeContext::gTol));
}
BENCHMARK(BM_LinePairRecord)->DenseRange(0, 2);
}  // namespace
