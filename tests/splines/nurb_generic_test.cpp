// NURBS curves through the generic curve algorithms and their own queries, against dense
// references: intersections of random cubics and rational curves (the generic sampled
// intersection and the NURBS route that cuts at C1 breaks), closest points, lengths.
#include <memory>

#include "curves/curve_property_checks.h"
#include "nurb_checks.h"

using nurbtest::Def;
using nurbtest::Rng;

namespace {
// Planar random curve (z = 0) in a box of half-size s about (o, o), degree 2 or 3, rational
// when asked, clamped with simple interior knots (no breaks: the generic scan wants a
// connected curve).
std::unique_ptr<VqGeImpNurbCurve3d> planarCurve(Rng& rng, int degree, int rational, double s = 2.0,
                                                double o = 0.0) {
    Def d;
    do {
        d = nurbtest::randomDef(rng, degree, rng.pick(degree + 2, 8), rational, s, o);
        for (VqGePoint3d& p : d.pts) p.z = 0.0;
    } while ([&] {
        for (size_t i = 1; i < d.knots.size(); ++i)
            if (d.knots[i] == d.knots[i - 1] && d.knots[i] != d.knots.front() && d.knots[i] != d.knots.back())
                return true;
        return false;
    }());
    return std::unique_ptr<VqGeImpNurbCurve3d>(nurbtest::build(d));
}
}  // namespace

TEST(VqGeImpNurbCurve3d, Generic_RandomCubicsAndRational_IntersectionsMatchDenseScan) {
    Rng rng(81u);
    for (int n = 0; n < 40; ++n) {
        auto a = planarCurve(rng, 3, n % 2);
        auto b = planarCurve(rng, 2 + n % 2, n % 3 == 0);
        SCOPED_TRACE(n);
        props::checkIntersections(*a, *b);
    }
    // Against a closed-form curve as the other side.
    for (int n = 0; n < 10; ++n) {
        auto a = planarCurve(rng, 3, n % 2);
        std::unique_ptr<FnCurve> circle(FnCurve::circle(rng(0.5, 2.0)));
        SCOPED_TRACE(100 + n);
        props::checkIntersections(*a, *circle);
    }
}

// The NURBS's own intersection (pieces between C1 breaks) finds the dense scan's crossings,
// kinks included, and reports only points on both curves.
TEST(VqGeImpNurbCurve3d, IntersectWith_OwnRouteWithKinks_MatchesDenseScan) {
    Rng rng(82u);
    for (int n = 0; n < 30; ++n) {
        auto a = planarCurve(rng, 3, n % 2);
        if (n % 2 == 0) a->insertKnot(0.5 * (a->startParam() + a->endParam()), 3);  // C0 knot
        if (n % 2 == 0) {
            const double y = rng(-2, 2), x = rng(-2, 2);  // draws in a fixed order
            a->setControlPointAt(a->numControlPoints() / 2, VqGePoint3d(x, y, 0));
        }
        auto b = planarCurve(rng, 2 + n % 2, n % 3 == 0);
        VqGeCurveIntData data;
        a->intersectWith(*b, VqGeVector3d::kZAxis, data, VqGeContext::gTol);
        const std::vector<props::Crossing> ref = props::denseCrossings(*a, *b, 1e-7 * 4.0, 400);
        for (const props::Crossing& x : ref) {
            const VqGePoint3d p = a->pointAt(x.s);
            int hits = 0;
            for (int i = 0; i < data.numIntPoints(); ++i)
                if (data.intPnt(i).distanceTo(p) < 1e-6) ++hits;
            EXPECT_EQ(hits, 1) << n << " crossing at " << x.s << ", " << x.t;
        }
        for (int i = 0; i < data.numIntPoints(); ++i) {
            double s, t;
            data.getIntParams(i, s, t);
            EXPECT_LT(a->pointAt(s).distanceTo(b->pointAt(t)), 1e-8) << n;
        }
        EXPECT_EQ(data.numIntPoints(), static_cast<int>(ref.size())) << n;
    }
}

// Closest points: the generic search and the NURBS's own are no farther than dense samples,
// and the NURBS's own search is never worse than the generic one; the NURBS length agrees
// with a dense polyline; at drawing scale too. (The generic length across knots has its own
// test in nurb_generic_length_test.cpp.)
TEST(VqGeImpNurbCurve3d, Generic_ClosestPointsAndLength_AgreeWithDenseAndEachOther) {
    Rng rng(83u);
    for (int n = 0; n < 24; ++n) {
        const double s = n % 3 == 0 ? 1e4 : 2.0, o = n % 4 == 0 ? 1e7 : 0.0;
        auto c = planarCurve(rng, 2 + n % 2, n % 2, s, o);
        c->setControlPointAt(1, c->controlPointAt(1) + VqGeVector3d(0, 0, s));  // leave the plane
        for (int k = 0; k < 5; ++k) {
            const double qz = rng(-s, s), qy = o + rng(-1.5 * s, 1.5 * s), qx = o + rng(-1.5 * s, 1.5 * s);
            const VqGePoint3d q(qx, qy, qz);
            props::checkClosestPoint(*c, q);
            const double own = c->pointAt(c->closestParamTo(q, VqGeContext::gTol)).distanceTo(q);
            VqGeImpPointOnCurve3d pc(c.get());
            c->VqGeImpCurve3d::getClosestPointTo(q, pc, VqGeContext::gTol);
            EXPECT_LE(own, pc.point().distanceTo(q) + 1e-9 * props::scaleOf(*c)) << n;
            EXPECT_LE(own, props::denseDistance(*c, q) + 1e-9 * props::scaleOf(*c)) << n;
        }
        const double a = c->startParam(), b = c->endParam();
        const double own = c->length(a, b, 1e-10 * s);
        double poly = 0.0;
        for (int i = 0; i < 20000; ++i)
            poly += props::at(*c, a + (b - a) * i / 20000).distanceTo(props::at(*c, a + (b - a) * (i + 1) / 20000));
        EXPECT_NEAR(own, poly, 1e-7 * poly) << n;
    }
}
