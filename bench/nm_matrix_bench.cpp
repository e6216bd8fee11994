// Kernel matrix solvers on the small sizes the curve algorithms use.
#include <benchmark/benchmark.h>

#include "nm_matrix.h"
#include "nm_vector.h"

namespace {

void fill(NmMatrix& m, int n, double seed) {
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) m(i, j) = (i == j ? 4.0 : 0.0) + 0.1 * seed * (i + 1) / (j + 2);
}

void BM_InvertLUs4x4(benchmark::State& state) {
    NmMatrix src(4, 4);
    fill(src, 4, 1.0);
    NmMatrix m(4, 4);
    for (auto _ : state) {
        m = src;
        bool ok = false;
        m.invertLUs(1e-12, ok);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(m(0, 0));
    }
}
BENCHMARK(BM_InvertLUs4x4);

void BM_Force(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    NmMatrix src(n, n);
    fill(src, n, 2.0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < i; ++j) src(i, j) = src(j, i);  // symmetric, as the Newton systems
    NmMatrix m(n, n);
    NmVector b(n);
    for (auto _ : state) {
        m = src;
        for (int i = 0; i < n; ++i) b[i] = 1.0 + i;
        m.force(b, 1e-14);
        benchmark::DoNotOptimize(b[0]);
    }
}
BENCHMARK(BM_Force)->Arg(2)->Arg(3);

void BM_Eigensystem3x3(benchmark::State& state) {
    NmMatrix src(3, 3);
    const double a[3][3] = {{4, 1, 0.5}, {1, 3, 0.25}, {0.5, 0.25, 2}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) src(i, j) = a[i][j];
    NmMatrix m(3, 3);
    NmVector values(3);
    for (auto _ : state) {
        m = src;
        benchmark::DoNotOptimize(m.eigensystem(values));
        benchmark::DoNotOptimize(values[0]);
    }
}
BENCHMARK(BM_Eigensystem3x3);

}  // namespace
