// Closest-point defaults of the curve base against closed forms (lines, segments, circles)
// and dense samples (ellipses, sine waves, Beziers, helices), with bad input.
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
VqGePoint3d randomPoint(std::mt19937& rng, double r) {
    return VqGePoint3d(pick(rng, -r, r), pick(rng, -r, r), pick(rng, -r, r));
}
}  // namespace

TEST(GenericClosest, GetClosestPointTo_SegmentsAtDrawingScale_MatchClosedForm) {
    std::mt19937 rng(3);
    for (double scale : {1.0, 1e3, 1e6, 1e8}) {
        for (int k = 0; k < 40; ++k) {
            const VqGePoint3d a = randomPoint(rng, scale), b = randomPoint(rng, scale);
            VqGeImpLinearEnt3d seg(a, b, 1, 1);
            const VqGePoint3d p = randomPoint(rng, 2 * scale);
            VqGeImpPointOnCurve3d pc(&seg);
            seg.VqGeImpCurve3d::getClosestPointTo(p, pc, VqGeContext::gTol);
            const VqGePoint3d exact = seg.closestPointTo(p, VqGeContext::gTol);
            EXPECT_NEAR(pc.point().distanceTo(p), exact.distanceTo(p), 1e-12 * scale + 1e-12);
        }
    }
}

TEST(GenericClosest, GetClosestPointTo_CirclesAndArcs_MatchClosedForm) {
    std::mt19937 rng(4);
    for (int k = 0; k < 100; ++k) {
        const double r = pick(rng, 0.1, 100.0);
        const double lo = pick(rng, -3.0, 3.0), hi = lo + pick(rng, 0.2, 6.0);
        VqGeMatrix3d m;
        m.setToTranslation(VqGeVector3d(pick(rng, -1e3, 1e3), pick(rng, -1e3, 1e3), 0));
        std::unique_ptr<FnCurve> c(FnCurve::circle(r, lo, hi)->place(m));
        const VqGePoint3d centre = m * VqGePoint3d::kOrigin;
        const VqGePoint3d p = centre + VqGeVector3d(pick(rng, -3 * r, 3 * r), pick(rng, -3 * r, 3 * r),
                                                    pick(rng, -r, r));
        // Closed form: the angle of p, else the nearer end.
        double ang = std::atan2(p.y - centre.y, p.x - centre.x);
        while (ang < lo) ang += 6.283185307179586;
        double best = 1e300;
        if (ang <= hi) best = props::at(*c, ang).distanceTo(p);
        best = std::fmin(best, std::fmin(props::at(*c, lo).distanceTo(p), props::at(*c, hi).distanceTo(p)));
        VqGeImpPointOnCurve3d pc(c.get());
        c->VqGeImpCurve3d::getClosestPointTo(p, pc, VqGeContext::gTol);
        EXPECT_NEAR(pc.point().distanceTo(p), best, 1e-9 * r) << k;
    }
}

TEST(GenericClosest, GetClosestPointTo_WigglyCurves_GlobalNotLocal) {
    std::mt19937 rng(5);
    std::unique_ptr<FnCurve> curves[] = {
        std::unique_ptr<FnCurve>(FnCurve::ellipse(3.0, 0.5)),
        std::unique_ptr<FnCurve>(FnCurve::sine(1.0, 3.0, -6.0, 6.0)),
        std::unique_ptr<FnCurve>(FnCurve::helix(2.0, 0.3, 0.0, 20.0)),
    };
    const VqGePoint3d ctrl[4] = {{0, 0, 0}, {5, 4, 1}, {-1, 4, -1}, {4, 0, 0}};
    std::unique_ptr<FnCurve> bez(FnCurve::bezier(ctrl));
    for (int k = 0; k < 30; ++k) {
        const VqGePoint3d p = randomPoint(rng, 6.0);
        for (auto& c : curves) props::checkClosestPoint(*c, p);
        props::checkClosestPoint(*bez, p);
    }
}

TEST(GenericClosest, GetClosestPointTo_CurveToCurve_MatchesClosedForms) {
    std::mt19937 rng(6);
    for (int k = 0; k < 60; ++k) {
        VqGeImpLinearEnt3d s1(randomPoint(rng, 10), randomPoint(rng, 10), 1, 1);
        VqGeImpLinearEnt3d s2(randomPoint(rng, 10), randomPoint(rng, 10), 1, 1);
        VqGeImpPointOnCurve3d a(&s1), b(&s2);
        s1.VqGeImpCurve3d::getClosestPointTo(s2, a, b, VqGeContext::gTol);
        VqGePoint3d onOther;
        const VqGePoint3d exact = s1.closestPointTo(s2, onOther, VqGeContext::gTol);
        EXPECT_NEAR(a.point().distanceTo(b.point()), exact.distanceTo(onOther), 1e-9) << k;
        // A circle and a line crossing its plane away from it: distance r - d or the gap.
        const double r = pick(rng, 0.5, 3.0);
        std::unique_ptr<FnCurve> c(FnCurve::circle(r));
        const double d = pick(rng, 0.0, 2 * r), h = pick(rng, 0.1, 2.0);
        VqGeImpLinearEnt3d up(VqGePoint3d(d, 0, -5), VqGePoint3d(d, 0, 5), 1, 1);
        VqGeImpPointOnCurve3d pc(c.get()), pl(&up);
        c->VqGeImpCurve3d::getClosestPointTo(up, pc, pl, VqGeContext::gTol);
        EXPECT_NEAR(pc.point().distanceTo(pl.point()), std::fabs(r - d), 1e-8) << k;
        VqGeImpLinearEnt3d over(VqGePoint3d(-5, d, h), VqGePoint3d(5, d, h), 1, 1);
        c->VqGeImpCurve3d::getClosestPointTo(over, pc, pl, VqGeContext::gTol);
        const double flat = d < r ? 0.0 : d - r;
        EXPECT_NEAR(pc.point().distanceTo(pl.point()), std::sqrt(flat * flat + h * h), 1e-7) << k;
    }
}

TEST(GenericClosest, GetLocalClosestPoints_StaysInBracket_FindsLocalMinimum) {
    std::unique_ptr<FnCurve> wave(FnCurve::sine(1.0, 1.0, -10.0, 10.0));
    const VqGePoint3d p(7.5, 5, 0);
    VqGeImpPointOnCurve3d pc(wave.get(), 7.0);
    const VqGeImpInterval near(6.0, 9.0);
    wave->getLocalClosestPoints(p, pc, &near, VqGeContext::gTol);
    EXPECT_GE(pc.parameter(), 6.0);
    EXPECT_LE(pc.parameter(), 9.0);
    // The slope of the distance vanishes there.
    const VqGeVector3d d = pc.point() - p;
    EXPECT_NEAR(d.dotProduct(pc.deriv(1)), 0.0, 1e-7);
}

TEST(GenericClosest, ProjClosestPointTo_AlongDirection_IgnoresThatComponent) {
    std::unique_ptr<FnCurve> h(FnCurve::helix(1.0, 0.5, 0.0, 12.0));
    std::mt19937 rng(8);
    for (int k = 0; k < 20; ++k) {
        const VqGePoint3d p = randomPoint(rng, 3.0);
        const VqGePoint3d got = h->VqGeImpCurve3d::projClosestPointTo(p, VqGeVector3d::kZAxis,
                                                                       VqGeContext::gTol);
        // Seen along z the helix is the unit circle.
        const double rho = std::hypot(p.x, p.y);
        EXPECT_NEAR(std::hypot(got.x - p.x, got.y - p.y), std::fabs(rho - 1.0), 1e-8) << k;
    }
}

TEST(GenericClosest, GetNormalPoint_OnEllipse_IsPerpendicular) {
    std::unique_ptr<FnCurve> e(FnCurve::ellipse(3.0, 1.0));
    VqGeImpPointOnCurve3d pc(e.get(), 0.3);
    const VqGePoint3d p(1.0, 0.2, 0.0);
    ASSERT_EQ(e->VqGeImpCurve3d::getNormalPoint(p, pc, VqGeContext::gTol), 1);
    EXPECT_NEAR((pc.point() - p).dotProduct(pc.deriv(1)), 0.0, 1e-8);
}

TEST(GenericClosest, DistanceTo_AllForms_AgreeWithClosestPoints) {
    std::unique_ptr<FnCurve> c(FnCurve::circle(2.0));
    EXPECT_NEAR(c->VqGeImpCurve3d::distanceTo(VqGePoint3d(5, 0, 0), VqGeContext::gTol), 3.0, 1e-9);
    VqGeImpLinearEnt3d line(VqGePoint3d(-9, 4, 0), VqGePoint3d(9, 4, 0), 1, 1);
    EXPECT_NEAR(c->VqGeImpCurve3d::distanceTo(line, VqGeContext::gTol), 2.0, 1e-8);
}

TEST(GenericClosest, GetClosestPointTo_NaNPointAndPointCurve_FinishCleanly) {
    std::unique_ptr<FnCurve> c(FnCurve::circle(1.0)), dot(FnCurve::point(VqGePoint3d(1, 2, 3)));
    const double q = std::numeric_limits<double>::quiet_NaN();
    VqGeImpPointOnCurve3d pc(c.get());
    c->VqGeImpCurve3d::getClosestPointTo(VqGePoint3d(q, 0, 0), pc, VqGeContext::gTol);
    EXPECT_TRUE(std::isfinite(pc.parameter()));
    c->getLocalClosestPoints(VqGePoint3d(q, q, q), pc, nullptr, VqGeContext::gTol);
    EXPECT_TRUE(std::isfinite(pc.parameter()));
    VqGeImpPointOnCurve3d pd(dot.get());
    dot->VqGeImpCurve3d::getClosestPointTo(VqGePoint3d(0, 0, 0), pd, VqGeContext::gTol);
    EXPECT_EQ(pd.point(), VqGePoint3d(1, 2, 3));
    VqGeImpPointOnCurve3d a(dot.get()), b(c.get());
    dot->VqGeImpCurve3d::getClosestPointTo(*c, a, b, VqGeContext::gTol);
    EXPECT_NEAR(a.point().distanceTo(b.point()),
                std::sqrt((std::sqrt(5.0) - 1) * (std::sqrt(5.0) - 1) + 9), 1e-7);
    EXPECT_EQ(dot->VqGeImpCurve3d::getNormalPoint(VqGePoint3d(q, 0, 0), pd, VqGeContext::gTol), 0);
}
