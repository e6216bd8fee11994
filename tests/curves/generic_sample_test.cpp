// Sampling, planarity, linearity, bounding blocks, areas, containment and orientation of
// the curve base against closed forms and dense samples.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "curves/curve_property_checks.h"
#include "curves/imp_linear_ent3d.h"
#include "surfaces/imp_planar_ent.h"

namespace {
double pick(std::mt19937& rng, double a, double b) {
    return std::uniform_real_distribution<double>(a, b)(rng);
}

// A random simple (star-shaped) polygon about the origin, counter-clockwise when ccw.
std::vector<VqGePoint3d> starPolygon(std::mt19937& rng, int n, int ccw, double scale) {
    std::vector<VqGePoint3d> v;
    for (int i = 0; i < n; ++i) {
        const double a = 6.283185307179586 * (i + pick(rng, 0.1, 0.9)) / n;
        const double r = scale * pick(rng, 0.3, 1.0);
        v.push_back(VqGePoint3d(r * std::cos(ccw ? a : -a), r * std::sin(ccw ? a : -a), 0));
    }
    return v;
}

double shoelace(const std::vector<VqGePoint3d>& v) {
    double s = 0.0;
    for (size_t i = 0; i < v.size(); ++i) {
        const VqGePoint3d& a = v[i];
        const VqGePoint3d& b = v[(i + 1) % v.size()];
        s += a.x * b.y - b.x * a.y;
    }
    return 0.5 * s;
}
}  // namespace

TEST(GenericSample, GetSamplePoints_ByTolerance_ChordsStayWithinTolerance) {
    std::unique_ptr<FnCurve> w(FnCurve::sine(1.0, 2.0, -5.0, 5.0));
    VqGeImpPointOnCurve3d work(w.get());
    VqArray<VqGePoint3d> pts;
    VqArray<double> params;
    VqArray<VqGeVector3d> d1;
    for (double tol : {1e-1, 1e-3, 1e-5}) {
        ASSERT_EQ(w->VqGeImpCurve3d::getSamplePoints(-5.0, 5.0, tol, work, pts, params, &d1, nullptr), 1);
        ASSERT_EQ(pts.length(), params.length());
        ASSERT_EQ(d1.length(), params.length());
        EXPECT_EQ(params[0], -5.0);
        EXPECT_EQ(params[params.length() - 1], 5.0);
        for (int i = 0; i + 1 < params.length(); ++i) {
            ASSERT_LT(params[i], params[i + 1]);
            for (int k = 1; k < 8; ++k) {
                const double t = params[i] + (params[i + 1] - params[i]) * k / 8.0;
                const VqGePoint3d chord = pts[i] + (pts[i + 1] - pts[i]) * (k / 8.0);
                EXPECT_LT(props::at(*w, t).distanceTo(chord), 2.0 * tol);
            }
        }
    }
    EXPECT_EQ(w->VqGeImpCurve3d::getSamplePoints(-5.0, 5.0, 0.0, work, pts, params, nullptr, nullptr), 0);
    EXPECT_EQ(pts.length(), 0);
}

TEST(GenericSample, GetSamplePoints_ByCount_SpacingAndPeriodicRepeat) {
    std::unique_ptr<FnCurve> c(FnCurve::circle(1.0));
    VqArray<VqGePoint3d> pts;
    c->getSamplePoints(5, pts);
    EXPECT_EQ(pts.length(), 4);
    VqGeImpLinearEnt3d line(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 0, 0);
    line.getSamplePoints(5, pts);
    ASSERT_EQ(pts.length(), 5);
    EXPECT_EQ(pts[0].x, -1000.0);
    EXPECT_EQ(pts[1].x, -500.0);
}

TEST(GenericSample, IsPlanarAndIsLinear_AgreeWithTheKinds) {
    VqGeMatrix3d tilt;
    tilt.setToRotation(0.7, VqGeVector3d(1, 1, 0));
    std::unique_ptr<FnCurve> c(FnCurve::circle(2.0)->place(tilt));
    VqGeImpPlanarEnt plane;
    ASSERT_TRUE(c->VqGeImpCurve3d::isPlanar(plane, VqGeContext::gTol));
    EXPECT_TRUE(plane.normal().isParallelTo(tilt * VqGeVector3d::kZAxis));
    std::unique_ptr<FnCurve> h(FnCurve::helix(1.0, 0.3, 0.0, 10.0));
    EXPECT_FALSE(h->VqGeImpCurve3d::isPlanar(plane, VqGeContext::gTol));
    VqGeImpLinearEnt3d seg(VqGePoint3d(1, 2, 3), VqGePoint3d(4, 6, 3), 1, 1), fit;
    ASSERT_TRUE(seg.VqGeImpCurve3d::isLinear(fit, VqGeContext::gTol));
    EXPECT_TRUE(fit.direction().isParallelTo(VqGeVector3d(3, 4, 0)));
    EXPECT_FALSE(c->VqGeImpCurve3d::isLinear(fit, VqGeContext::gTol));
}

TEST(GenericSample, BoundBlock_ContainsEveryDenseSample) {
    std::mt19937 rng(31);
    for (double scale : {1.0, 1e4, 1e8}) {
        VqGeMatrix3d m, grow;
        m.setToRotation(pick(rng, 0, 3), VqGeVector3d(1, 2, 3));
        grow.setToScaling(scale);
        std::unique_ptr<FnCurve> e(FnCurve::ellipse(3.0, 1.0)->place(grow * m));
        std::unique_ptr<FnCurve> h(FnCurve::helix(2.0, 0.3, 0.0, 20.0)->place(grow * m));
        std::unique_ptr<FnCurve> w(FnCurve::sine(1.0, 7.0, -5.0, 5.0)->place(grow));
        props::checkBlockContains(*e);
        props::checkBlockContains(*h);
        props::checkBlockContains(*w);
    }
    // A segment's box is its own box, swelled.
    VqGeImpLinearEnt3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(3, 4, 0), 1, 1);
    VqGePoint3d lo, hi;
    seg.VqGeImpCurve3d::boundBlock(3, VqGeImpInterval(0, 1), 0).getMinMaxPoints(lo, hi);
    EXPECT_NEAR(lo.x, 0.0, 1e-6);
    EXPECT_NEAR(hi.y, 4.0, 1e-6);
}

TEST(GenericSample, BoundBlock_IsCachedAndDroppedOnChange) {
    std::unique_ptr<FnCurve> c(FnCurve::circle(1.0));
    const VqGeImpInterval whole(0.0, 6.283185307179586);
    VqGePoint3d lo, hi;
    c->VqGeImpCurve3d::boundBlock(3, whole, 0).getMinMaxPoints(lo, hi);
    EXPECT_EQ(c->numMembers("Curve_IntervalBoundBlock"), 1);
    c->VqGeImpCurve3d::boundBlock(3, whole, 0);
    EXPECT_EQ(c->numMembers("Curve_IntervalBoundBlock"), 1);
    VqGeMatrix3d move;
    move.setToTranslation(VqGeVector3d(10, 0, 0));
    c->transformBy(move);
    EXPECT_EQ(c->numMembers("Curve_IntervalBoundBlock"), 0);
    VqGePoint3d lo2, hi2;
    c->VqGeImpCurve3d::boundBlock(3, whole, 0).getMinMaxPoints(lo2, hi2);
    EXPECT_NEAR(lo2.x, lo.x + 10.0, 1e-6);
}

TEST(GenericSample, Area_CirclesAndPolygons_MatchClosedForms) {
    std::mt19937 rng(32);
    for (int k = 0; k < 20; ++k) {
        const double r = pick(rng, 0.1, 1e4);
        std::unique_ptr<FnCurve> c(FnCurve::circle(r));
        double a = 0.0;
        ASSERT_TRUE(c->VqGeImpCurve3d::area(0.0, 6.283185307179586, a, VqGeContext::gTol));
        EXPECT_NEAR(a, 3.141592653589793 * r * r, 1e-9 * r * r);
        ASSERT_TRUE(c->VqGeImpCurve3d::area(6.283185307179586, 0.0, a, VqGeContext::gTol));
        EXPECT_NEAR(a, -3.141592653589793 * r * r, 1e-9 * r * r);
        const std::vector<VqGePoint3d> v = starPolygon(rng, 5 + k % 7, 1, pick(rng, 1, 100));
        std::unique_ptr<FnCurve> poly(FnCurve::polygon(v));
        ASSERT_TRUE(poly->VqGeImpCurve3d::area(0.0, static_cast<double>(v.size()), a, VqGeContext::gTol));
        EXPECT_NEAR(a, shoelace(v), 1e-8 * std::fabs(shoelace(v)));
    }
    std::unique_ptr<FnCurve> h(FnCurve::helix(1.0, 0.3, 0.0, 10.0));
    double a = 0.0;
    EXPECT_FALSE(h->VqGeImpCurve3d::area(0.0, 10.0, a, VqGeContext::gTol));
}

TEST(GenericSample, ContainsAndIsCounterClock_RandomPolygons_MatchShoelaceAndWinding) {
    std::mt19937 rng(33);
    for (int k = 0; k < 40; ++k) {
        const int ccw = k % 2;
        const double scale = k < 30 ? pick(rng, 1, 100) : 1e6;
        const std::vector<VqGePoint3d> v = starPolygon(rng, 4 + k % 9, ccw, scale);
        std::unique_ptr<FnCurve> poly(FnCurve::polygon(v));
        EXPECT_EQ(poly->VqGeImpCurve3d::isCounterClock(), shoelace(v) > 0 ? 1 : 0) << k;
        int side = -1;
        // The origin is inside every star polygon; a far point is outside; a vertex is on it.
        EXPECT_EQ(poly->VqGeImpCurve3d::contains(VqGePoint3d(0, 0, 0), side, VqGeContext::gTol),
                  VqGe::kInside);
        EXPECT_EQ(poly->VqGeImpCurve3d::contains(VqGePoint3d(3 * scale, 0.1, 0), side,
                                                 VqGeContext::gTol),
                  VqGe::kOutside);
        const VqGePoint3d mid = v[0] + (v[1] - v[0]) * 0.5;
        EXPECT_EQ(poly->VqGeImpCurve3d::contains(mid, side, VqGeContext::gTol), VqGe::kOnBoundary);
    }
    std::unique_ptr<FnCurve> c(FnCurve::circle(1.0));
    EXPECT_EQ(c->VqGeImpCurve3d::isCounterClock(), 1);
    int side;
    EXPECT_EQ(c->VqGeImpCurve3d::contains(VqGePoint3d(0.99, 0, 0), side, VqGeContext::gTol), VqGe::kInside);
    EXPECT_EQ(c->VqGeImpCurve3d::contains(VqGePoint3d(1.01, 0, 0), side, VqGeContext::gTol), VqGe::kOutside);
    const double q = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(c->VqGeImpCurve3d::contains(VqGePoint3d(q, 0, 0), side, VqGeContext::gTol), VqGe::kOutside);
}
