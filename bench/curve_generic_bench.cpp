// Generic curve algorithms on curves that answer nothing in closed form: the global closest
// point on a cubic, the length of a sub-range, and the sampled intersection of two curves
// that cross about 50 times.
#include <benchmark/benchmark.h>

#include <cmath>

#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "foundation/vqge_mem.h"
#include "vqge_curveintdata.h"
#include "vqge_pointoncurvedata.h"

namespace {

// A plane cubic Bezier (kind 0) or the wave (t, a sin(b t)) (kind 1).
class BenchCurve : public VqGeImpCurve3d {
public:
    BenchCurve(int kind, double lo, double hi, double a, double b)
        : VqGeImpCurve3d(VqGe::kCurve3d), mKind(kind), mA(a), mB(b), mInterval(lo, hi) {}
    BenchCurve(const BenchCurve& src) = default;
    VqGe::EntityId type(int) const override { return VqGe::kCurve3d; }
    BenchCurve* copy() const override { return new BenchCurve(*this); }
    int isEqualTo(const VqGeImpEntity3d& other, const VqGeTol&) const override {
        return &other == this;
    }
    BenchCurve& transformBy(const VqGeMatrix3d&) override { return *this; }
    void getInterval(VqGeImpInterval& intrvl, int, int) const override { intrvl = mInterval; }
    using VqGeImpCurve3d::getInterval;
    int setInterval() override { return 1; }
    int setInterval(const VqGeImpInterval& intrvl, int) override {
        mInterval = intrvl;
        return 1;
    }
    BenchCurve& reverseParam() override { return *this; }
    int isPeriodic(double&, int) const override { return 0; }
    int isDegenerate(VqGeImpEntity3d*& ent, const VqGeTol&) const override {
        ent = nullptr;
        return 0;
    }
    int isDegenerate(VqGe::EntityId&, const VqGeTol&) const override { return 0; }
    void getSplitCurves(double, VqGeImpCurve3d*& a, VqGeImpCurve3d*& b) const override {
        a = b = nullptr;
    }

protected:
    void evaluate(int order, VqGePointOnCurve3dData& data, int) const override {
        const double t = data.parameter();
        VqGePoint3d p;
        VqGeVector3d d[3];
        if (mKind == 0) {
            // Control points (0,0) (1,3) (2,-3) (3,0).
            const double u = 1 - t;
            const double x[4] = {0, 1, 2, 3}, y[4] = {0, 3, -3, 0};
            auto bez = [&](const double* c) {
                return c[0] * u * u * u + 3 * c[1] * u * u * t + 3 * c[2] * u * t * t +
                       c[3] * t * t * t;
            };
            auto d1 = [&](const double* c) {
                return 3 * (c[1] - c[0]) * u * u + 6 * (c[2] - c[1]) * u * t +
                       3 * (c[3] - c[2]) * t * t;
            };
            auto d2 = [&](const double* c) {
                return 6 * (c[2] - 2 * c[1] + c[0]) * u + 6 * (c[3] - 2 * c[2] + c[1]) * t;
            };
            auto d3 = [&](const double* c) { return 6 * (c[3] - 3 * c[2] + 3 * c[1] - c[0]); };
            p.set(bez(x), bez(y), 0);
            d[0].set(d1(x), d1(y), 0);
            d[1].set(d2(x), d2(y), 0);
            d[2].set(d3(x), d3(y), 0);
        } else {
            const double s = std::sin(mB * t), c = std::cos(mB * t);
            p.set(t, mA * s, 0);
            d[0].set(1, mA * mB * c, 0);
            d[1].set(0, -mA * mB * mB * s, 0);
            d[2].set(0, -mA * mB * mB * mB * c, 0);
        }
        if (!data.pointIsComputed()) data.setPoint(p);
        for (int k = 1; k <= order && k <= 3; ++k)
            if (!data.derivIsComputed(k)) data.setDeriv(k, d[k - 1]);
    }

private:
    int mKind;
    double mA, mB;
    VqGeImpInterval mInterval;
};

void BM_ClosestPointOnCubic(benchmark::State& state) {
    BenchCurve cubic(0, 0.0, 1.0, 0, 0);
    VqGeImpPointOnCurve3d work(&cubic);
    int i = 0;
    for (auto _ : state) {
        const VqGePoint3d p(0.3 * (i % 11), -1.0 + 0.2 * (i % 13), 0.0);
        cubic.VqGeImpCurve3d::getClosestPointTo(p, work, VqGeContext::gTol);
        benchmark::DoNotOptimize(work.parameter());
        ++i;
    }
}
BENCHMARK(BM_ClosestPointOnCubic);

void BM_LengthOfSubRange(benchmark::State& state) {
    BenchCurve cubic(0, 0.0, 1.0, 0, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(cubic.VqGeImpCurve3d::length(0.13, 0.87, 1e-10));
}
BENCHMARK(BM_LengthOfSubRange);

// Two waves over [0, 80]: sin(2.0 t) against 0.8 sin(2.4 t) cross about 50 times.
void BM_IntersectFiftyCrossings(benchmark::State& state) {
    BenchCurve a(1, 0.0, 80.0, 1.0, 2.0), b(1, 0.0, 80.0, 0.8, 2.4);
    VqGeCurveIntData data;
    data.reverseOrder();
    int count = 0;
    for (auto _ : state) {
        a.VqGeImpCurve3d::intersectWith(b, VqGeVector3d::kZAxis, data, VqGeContext::gTol);
        count = data.numIntPoints();
        benchmark::DoNotOptimize(count);
    }
    state.counters["crossings"] = count;
}
BENCHMARK(BM_IntersectFiftyCrossings)->Unit(benchmark::kMicrosecond);

}  // namespace
