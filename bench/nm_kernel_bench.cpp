// Numeric kernel kernels: adaptive Gauss quadrature and the all-roots search.
#include <benchmark/benchmark.h>

#include <cmath>

#include "nm_func.h"
#include "nm_vector.h"
#include "numeric/nm_func_deriv.h"

namespace {

double dampedWave(void*, double t) {
    return std::exp(-0.3 * t) * std::cos(3.0 * t) + 1.5;
}

double trig(void*, double t) {
    return std::sin(5.0 * t) + 0.5 * std::cos(3.0 * t);
}
double trigD(void*, double t) {
    return 5.0 * std::cos(5.0 * t) - 1.5 * std::sin(3.0 * t);
}

void BM_QuadraSmooth(benchmark::State& state) {
    NmFunc f(nullptr, dampedWave);
    const double eps = std::pow(10.0, -static_cast<double>(state.range(0)));
    double s = 0.0, err = 0.0, failAt = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.quadra(0.0, 10.0, s, eps, err, failAt));
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_QuadraSmooth)->Arg(6)->Arg(10)->Arg(13);

void BM_AllRootsTrig(benchmark::State& state) {
    NmFuncDeriv f(nullptr, trig, trigD, 0.0, 2.0 * M_PI);
    NmVector roots;
    const int pieces = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.allRoots(roots, pieces, 1e-10));
        benchmark::DoNotOptimize(roots.dim());
    }
}
BENCHMARK(BM_AllRootsTrig)->Arg(18)->Arg(72);

}  // namespace
