// Length and parameter at length of the curve base against closed forms and dense
// polylines, with overruns, periodic curves and bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "curves/curve_property_checks.h"
#include "curves/imp_linear_ent3d.h"

namespace {
double pick(std::mt19937& rng, double a, double b) {
    return std::uniform_real_distribution<double>(a, b)(rng);
}
}  // namespace

TEST(GenericLength, Length_SegmentsAndCircles_MatchClosedFormTo1e10) {
    std::mt19937 rng(21);
    for (int k = 0; k < 100; ++k) {
        const double s = std::pow(10.0, pick(rng, 0, 8));
        VqGeImpLinearEnt3d seg(VqGePoint3d(pick(rng, -s, s), pick(rng, -s, s), 0),
                               VqGePoint3d(pick(rng, -s, s), pick(rng, -s, s), pick(rng, -s, s)), 1, 1);
        const double a = pick(rng, 0, 1), b = pick(rng, 0, 1);
        const double exact = seg.length(a, b, 0.0);
        EXPECT_NEAR(seg.VqGeImpCurve3d::length(a, b, 1e-12), exact, 1e-10 * exact + 1e-300);
        const double r = std::pow(10.0, pick(rng, -2, 6));
        std::unique_ptr<FnCurve> c(FnCurve::circle(r, -10.0, 10.0));
        const double u = pick(rng, -10, 10), v = pick(rng, -10, 10);
        EXPECT_NEAR(c->VqGeImpCurve3d::length(u, v, 1e-12), r * std::fabs(v - u),
                    1e-10 * r * std::fabs(v - u));
    }
}

TEST(GenericLength, Length_WigglyCurves_MatchDensePolyline) {
    std::unique_ptr<FnCurve> e(FnCurve::ellipse(3.0, 1.0)), w(FnCurve::sine(1.0, 2.0, -5.0, 5.0));
    const VqGePoint3d ctrl[4] = {{0, 0, 0}, {5, 4, 1}, {-1, 4, -1}, {4, 0, 0}};
    std::unique_ptr<FnCurve> b(FnCurve::bezier(ctrl));
    props::checkLength(*e, 0.2, 5.0);
    props::checkLength(*w, -4.0, 3.5);
    props::checkLength(*b, 0.0, 1.0);
}

TEST(GenericLength, ParamAtLength_RoundTrip_ReturnsTheEnd) {
    std::mt19937 rng(22);
    std::unique_ptr<FnCurve> e(FnCurve::ellipse(3.0, 1.0)), w(FnCurve::sine(1.0, 2.0, -5.0, 5.0));
    std::unique_ptr<FnCurve> h(FnCurve::helix(2.0, 0.3, 0.0, 20.0));
    for (int k = 0; k < 20; ++k) {
        props::checkParamAtLength(*w, pick(rng, -5, 5), pick(rng, -5, 5));
        props::checkParamAtLength(*h, pick(rng, 0, 20), pick(rng, 0, 20));
        const double a = pick(rng, 0, 3), b = a + pick(rng, 0, 3);
        props::checkParamAtLength(*e, a, b);
    }
}

TEST(GenericLength, ParamAtLength_Overrun_EndsOnTheBound) {
    std::unique_ptr<FnCurve> w(FnCurve::sine(1.0, 2.0, -5.0, 5.0));
    EXPECT_DOUBLE_EQ(w->VqGeImpCurve3d::paramAtLength(0.0, 1e6, 1, 1e-10), 5.0);
    EXPECT_DOUBLE_EQ(w->VqGeImpCurve3d::paramAtLength(0.0, 1e6, 0, 1e-10), -5.0);
    // A negative length walks the other way.
    const double fwd = w->VqGeImpCurve3d::paramAtLength(0.0, 2.0, 1, 1e-12);
    EXPECT_NEAR(w->VqGeImpCurve3d::paramAtLength(0.0, -2.0, 0, 1e-12), fwd, 1e-9);
}

TEST(GenericLength, ParamAtLength_PeriodicCurve_WrapsWholeLaps) {
    std::unique_ptr<FnCurve> c(FnCurve::circle(2.0));
    const double lap = 2.0 * 6.283185307179586;
    EXPECT_NEAR(c->VqGeImpCurve3d::paramAtLength(0.5, 3 * lap + 1.0, 1, 1e-12), 1.0, 1e-9);
}

TEST(GenericLength, Length_BadInputAndPointCurve_FinishCleanly) {
    std::unique_ptr<FnCurve> dot(FnCurve::point(VqGePoint3d(1, 2, 3))), nan(FnCurve::nan());
    const double q = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(dot->VqGeImpCurve3d::length(0.0, 1.0, 1e-10), 0.0);
    const double t = dot->VqGeImpCurve3d::paramAtLength(0.0, 1.0, 1, 1e-10);
    EXPECT_DOUBLE_EQ(t, 1.0);  // a point covers no length: the walk runs to the bound
    EXPECT_EQ(nan->VqGeImpCurve3d::length(0.0, 1.0, 1e-10), 0.0);
    EXPECT_TRUE(std::isfinite(nan->VqGeImpCurve3d::paramAtLength(0.0, 1.0, 1, 1e-10)));
    EXPECT_TRUE(std::isnan(dot->VqGeImpCurve3d::paramAtLength(q, 1.0, 1, 1e-10)));
    EXPECT_EQ(dot->VqGeImpCurve3d::length(q, 1.0, 1e-10), 0.0);
}

// The speed of a polygon jumps at every corner: the length is the sum of the edges, and a
// walk of part of it lands on the edge the sum says, in either direction.
TEST(GenericLength, Length_PolygonWithCorners_MatchesEdgeSum) {
    std::mt19937 rng(23);
    for (int k = 0; k < 30; ++k) {
        const double s = std::pow(10.0, pick(rng, -2, 5)), o = k % 3 == 0 ? 1e3 * s : 0.0;
        std::vector<VqGePoint3d> v;
        const int n = 3 + k % 9;
        for (int i = 0; i < n; ++i)
            v.push_back(VqGePoint3d(o + pick(rng, -s, s), o + pick(rng, -s, s), pick(rng, -s, s)));
        std::unique_ptr<FnCurve> c(FnCurve::polygon(v));
        const double lo = pick(rng, 0, 0.5 * n), hi = pick(rng, 0.5 * n, n);
        // Exact length of [lo, hi]: whole edges plus the partial ends.
        double exact = 0.0;
        for (int i = static_cast<int>(std::floor(lo)); i < hi; ++i) {
            const double e = v[i].distanceTo(v[(i + 1) % n]);
            exact += e * (std::fmin(hi, i + 1.0) - std::fmax(lo, static_cast<double>(i)));
        }
        SCOPED_TRACE(k);
        EXPECT_NEAR(c->VqGeImpCurve3d::length(lo, hi, 1e-12), exact, 1e-10 * exact);
        const double t = c->VqGeImpCurve3d::paramAtLength(lo, exact, 1, 1e-12 * exact);
        EXPECT_NEAR(t, hi, 1e-8 * n);
        const double back = c->VqGeImpCurve3d::paramAtLength(hi, exact, 0, 1e-12 * exact);
        EXPECT_NEAR(back, lo, 1e-8 * n);
    }
}
