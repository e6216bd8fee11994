// NURBS against NURBS in one plane (the Bezier subdivision route): against a dense scan and
// the sampled route, in both orders, for random curves of degrees 1 to 5, rational, with
// repeated and C0 knots, trimmed intervals, in the XY plane and in tilted planes at drawing
// scale; touchings and curves meeting at their ends.
#include <memory>

#include "curves/curve_property_checks.h"
#include "nurb_checks.h"

using nurbtest::Def;
using nurbtest::Rng;

namespace {
typedef std::unique_ptr<VqGeImpNurbCurve3d> Nurb;

Nurb randomPlanar(Rng& rng, int degree, int rational, double s, int kink) {
    Def d;
    // Repeated knots may break a low degree curve apart; kinks are made below instead.
    do {
        d = nurbtest::randomDef(rng, degree, rng.pick(degree + 2, 9), rational, s);
    } while ([&] {
        for (size_t i = degree + 1; i + degree + 1 < d.knots.size(); ++i)
            if (d.knots[i] == d.knots[i - 1]) return true;
        return false;
    }());
    for (VqGePoint3d& p : d.pts) p.z = 0.0;
    Nurb c(nurbtest::build(d));
    if (kink && degree > 1) {
        const double at = 0.5 * (c->startParam() + c->endParam());
        c->insertKnot(at, degree);
        const double y = rng(-s, s), x = rng(-s, s);
        c->setControlPointAt(c->numControlPoints() / 2, VqGePoint3d(x, y, 0));
    }
    return c;
}

// A similarity placing the XY plane: scaled up to 1e5, tilted, shifted up to 1e6.
VqGeMatrix3d placement(Rng& rng, int tilted, double scale) {
    VqGeMatrix3d m, rot, shift;
    m.setToScaling(scale);
    const double ax = rng(-1, 1), ay = rng(-1, 1), az = rng(-1, 1), angle = rng(0.1, 3.0);
    const double oz = rng(-1e6, 1e6), oy = rng(-1e6, 1e6), ox = rng(-1e6, 1e6);
    if (!tilted) return m;
    rot.setToRotation(angle, VqGeVector3d(ax, ay, az + 2.0), VqGePoint3d(0, 0, 0));
    shift.setToTranslation(VqGeVector3d(ox, oy, oz));
    return shift * rot * m;
}

// Every point of x has a point of y within eps with the same parameters (exchanged when
// swap), x's points placed by map first when given.
int covers(const VqGeCurveIntData& y, const VqGeCurveIntData& x, double eps, int swap,
           const VqGeMatrix3d* map = nullptr) {
    for (int i = 0; i < x.numIntPoints(); ++i) {
        VqGePoint3d p = x.intPnt(i);
        if (map) p.transformBy(*map);
        double s, t;
        x.getIntParams(i, s, t);
        int hit = 0;
        for (int j = 0; j < y.numIntPoints() && !hit; ++j) {
            double u, v;
            y.getIntParams(j, u, v);
            if (swap) std::swap(u, v);
            hit = y.intPnt(j).distanceTo(p) <= eps && std::fabs(u - s) <= 1e-6 &&
                  std::fabs(v - t) <= 1e-6;
        }
        if (!hit) return 0;
    }
    return 1;
}

VqGeCurveIntData intersect(const VqGeImpNurbCurve3d& a, const VqGeImpNurbCurve3d& b) {
    VqGeCurveIntData data;
    a.intersectWith(b, VqGeVector3d::kZAxis, data, VqGeContext::gTol);
    return data;
}
}  // namespace

// Unit-size curves in the XY plane against the dense scan and the sampled route (the
// Bezier route finds at least what the sampled one finds); then the same pair placed at
// drawing scale, in both orders: the same crossings, placed, with the same parameters and
// exchanged configurations.
TEST(VqGeImpNurbCurve3d, IntersectWith_BezierRoute_MatchesScanSampledRouteAndPlacedCopies) {
    Rng rng(91u);
    int crossings = 0;
    for (int n = 0; n < 160; ++n) {
        Nurb a = randomPlanar(rng, 1 + n % 5, n % 2, 2.0, n % 5 == 2);
        Nurb b = randomPlanar(rng, 1 + (n / 5) % 4, n % 3 == 0, 2.0, 0);
        if (n % 7 == 0) a->setInterval(VqGeImpInterval(0.2 * a->endParam(), 0.8 * a->endParam()), 1);
        const double scale = n % 3 == 0 ? 1.0 : (n % 3 == 1 ? 1e3 : 1e5);
        const VqGeMatrix3d m = placement(rng, n % 2, scale);
        SCOPED_TRACE(n);
        const VqGeCurveIntData ab = intersect(*a, *b);
        VqGeCurveIntData sampled;
        sampled.reverseOrder();
        a->VqGeImpCurve3d::intersectWith(*b, VqGeVector3d::kZAxis, sampled, VqGeContext::gTol);
        // Every crossing of the scan is found; what else is found lies on both curves (two
        // crossings closer than the scan's step count as one there).
        const std::vector<props::Crossing> ref = props::denseCrossings(*a, *b, 1e-7 * 4.0, 400);
        for (const props::Crossing& x : ref) {
            int hits = 0;
            for (int i = 0; i < ab.numIntPoints(); ++i)
                if (ab.intPnt(i).distanceTo(a->pointAt(x.s)) < 1e-6) ++hits;
            EXPECT_GE(hits, 1) << x.s << " " << x.t;
        }
        EXPECT_GE(ab.numIntPoints(), static_cast<int>(ref.size()));
        for (int i = 0; i < ab.numIntPoints(); ++i) {
            double u, v;
            ab.getIntParams(i, u, v);
            EXPECT_LE(a->pointAt(u).distanceTo(b->pointAt(v)), VqGeContext::gTol.equalPoint());
        }
        EXPECT_TRUE(covers(ab, sampled, 1e-6, 0));
        crossings += ab.numIntPoints();
        Nurb pa(a->copy()), pb(b->copy());
        pa->transformBy(m);
        pb->transformBy(m);
        const VqGeCurveIntData placed = intersect(*pa, *pb), back = intersect(*pb, *pa);
        EXPECT_EQ(placed.numIntPoints(), ab.numIntPoints());
        EXPECT_EQ(back.numIntPoints(), ab.numIntPoints());
        const double eps = 1e-9 * scale + 1e-9;
        EXPECT_TRUE(covers(placed, ab, eps, 0, &m));
        EXPECT_TRUE(covers(back, ab, eps, 1, &m));
        for (int i = 0; i < placed.numIntPoints(); ++i) {
            double u, v;
            placed.getIntParams(i, u, v);
            const VqGePoint3d p = placed.intPnt(i);
            const double tol = 16 * 2.3e-16 * (std::fabs(p.x) + std::fabs(p.y) + std::fabs(p.z)) + eps;
            EXPECT_LE(pa->pointAt(u).distanceTo(p), tol);
            EXPECT_LE(pb->pointAt(v).distanceTo(p), tol);
            int c1, c2, d1, d2;
            placed.getIntConfigs(i, c1, c2);
            for (int j = 0; j < back.numIntPoints(); ++j)
                if (back.intPnt(j).distanceTo(p) <= eps) {
                    back.getIntConfigs(j, d1, d2);
                    EXPECT_EQ(c1, d2);
                    EXPECT_EQ(c2, d1);
                }
        }
    }
    EXPECT_GT(crossings, 300);
}

// A parabola touching its tangent line, a cubic leaving another's end along its tangent and
// two cubics meeting end to end at an angle: each meeting once, in both orders.
TEST(VqGeImpNurbCurve3d, IntersectWith_BezierRouteTouchingsAndJoints_EachOnce) {
    Rng rng(92u);
    for (int n = 0; n < 60; ++n) {
        const double s = n % 2 ? 1e5 : 1.0, o = n % 3 == 0 ? 1e6 : 0.0;
        const double k = rng(0.2, 2.0);
        VqArray<VqGePoint3d> par, line, tail;
        par.append(VqGePoint3d(o - s, o + k * s, 0));
        par.append(VqGePoint3d(o, o - k * s, 0));
        par.append(VqGePoint3d(o + s, o + k * s, 0));  // touches y = o at x = o
        line.append(VqGePoint3d(o - 2 * s, o, 0));
        line.append(VqGePoint3d(o + 3 * s, o, 0));
        // Leaves the parabola's end along its end tangent (direction (1, 2k)).
        const VqGePoint3d e = par[2];
        tail.append(e);
        tail.append(e + VqGeVector3d(1, 2 * k, 0) * (0.5 * s));
        tail.append(e + VqGeVector3d(2.0, rng(-3, 3), 0) * s);
        tail.append(e + VqGeVector3d(3.0, rng(-3, 3), 0) * s);
        VqGeImpNurbCurve3d cp(par), cl(line), ct(tail);
        const struct {
            const VqGeImpNurbCurve3d* a;
            const VqGeImpNurbCurve3d* b;
            VqGePoint3d at;
        } cases[2] = {{&cp, &cl, VqGePoint3d(o, o, 0)}, {&cp, &ct, e}};
        for (const auto& c : cases)
            for (int order = 0; order < 2; ++order) {
                VqGeCurveIntData data;
                (order ? c.b : c.a)->intersectWith(*(order ? c.a : c.b), VqGeVector3d::kZAxis, data,
                                                   VqGeContext::gTol);
                int near = 0;
                for (int i = 0; i < data.numIntPoints(); ++i)
                    if (data.intPnt(i).distanceTo(c.at) <= 1e-3 * s) ++near;
                EXPECT_EQ(near, 1) << n << " " << order;
            }
    }
}
