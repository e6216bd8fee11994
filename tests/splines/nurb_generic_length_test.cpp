// The generic length (the curve base's quadrature of the speed) on NURBS curves whose speed
// bends or jumps at knots: against the NURBS's own span-wise length and a dense polyline
// taken span by span, and the generic parameter at length back to the end of the range.
#include <algorithm>
#include <memory>

#include "nurb_checks.h"

using nurbtest::Def;
using nurbtest::Rng;

namespace {
// Random quadratic or cubic with repeated interior knots and one knot of full multiplicity
// minus one (a C0 point: the tangent may turn and the speed jump there), in a box of half-size
// s about (o, o, 0).
std::unique_ptr<VqGeImpNurbCurve3d> kinkedCurve(Rng& rng, int degree, int rational, double s,
                                                double o, std::vector<double>& knots) {
    Def d = nurbtest::randomDef(rng, degree, rng.pick(degree + 3, 9), rational, s, o);
    std::unique_ptr<VqGeImpNurbCurve3d> c(nurbtest::build(d));
    const double a = d.knots.front(), b = d.knots.back();
    const double kink = a + (b - a) * rng(0.2, 0.8);
    c->insertKnot(kink, degree);
    // Move the point at the kink so the curve has a real corner there.
    for (int i = 0; i < c->numControlPoints(); ++i)
        if (c->controlPointAt(i).distanceTo(c->pointAt(kink)) < 1e-12 * (s + std::fabs(o))) {
            c->setControlPointAt(i, c->controlPointAt(i) + VqGeVector3d(rng(-s, s), rng(-s, s), 0) * 0.5);
            break;
        }
    knots = d.knots;
    knots.push_back(kink);
    std::sort(knots.begin(), knots.end());
    knots.erase(std::unique(knots.begin(), knots.end()), knots.end());
    return c;
}

double polyline(const VqGeImpNurbCurve3d& c, double a, double b, int n) {
    double sum = 0.0;
    VqGePoint3d prev = c.pointAt(a);
    for (int i = 1; i <= n; ++i) {
        const VqGePoint3d q = c.pointAt(i == n ? b : a + (b - a) * i / n);
        sum += q.distanceTo(prev);
        prev = q;
    }
    return sum;
}

// Polylines of n and 2n chords on every smooth span, extrapolated: the chord error is even in
// the chord length, so the extrapolation leaves a fourth-order error.
double denseLength(const VqGeImpNurbCurve3d& c, double lo, double hi, const std::vector<double>& knots) {
    double sum = 0.0, a = lo;
    for (size_t i = 0; i <= knots.size(); ++i) {
        const double b = i < knots.size() ? std::min(knots[i], hi) : hi;
        if (b > a) {
            sum += (4.0 * polyline(c, a, b, 2000) - polyline(c, a, b, 1000)) / 3.0;
            a = b;
        }
    }
    return sum;
}
}  // namespace

// The generic length used to integrate across the knots with a nested rule whose error
// estimate is fooled where the speed is not smooth, and missed by up to 5e-5.
TEST(GenericLength, Length_QuadraticNurbsWithKinks_MatchesOwnLength) {
    Rng rng(4711u);
    for (int n = 0; n < 60; ++n) {
        SCOPED_TRACE(n);
        const double s = n % 3 == 0 ? 1e4 : (n % 3 == 1 ? 1.0 : 0.01);
        const double o = n % 4 == 0 ? 1e3 * s : 0.0;
        std::vector<double> knots;
        auto c = kinkedCurve(rng, 2 + n % 2, n % 5 == 0, s, o, knots);
        const double a = c->startParam(), b = c->endParam();
        double lo = a, hi = b;
        if (n % 2 == 1) {
            lo = a + (b - a) * rng(0.0, 0.4);
            hi = a + (b - a) * rng(0.6, 1.0);
        }
        const double ref = denseLength(*c, lo, hi, knots);
        const double own = c->length(lo, hi, 1e-13 * ref);
        const double gen = c->VqGeImpCurve3d::length(lo, hi, 1e-11);
        EXPECT_NEAR(gen, own, 2e-9 * ref);
        EXPECT_NEAR(gen, ref, 2e-9 * ref);
        // Reversed ends measure the same stretch.
        EXPECT_NEAR(c->VqGeImpCurve3d::length(hi, lo, 1e-11), gen, 1e-10 * ref);
        // The generic walk of that length from one end comes back to the other.
        const double t = c->VqGeImpCurve3d::paramAtLength(lo, own, 1, 1e-11 * own);
        EXPECT_NEAR(c->VqGeImpCurve3d::length(lo, t, 1e-11), own, 1e-9 * own);
    }
}
