// NURBS curve from an arc of an ellipse (circles included): rational quadratic pieces of at
// most a quarter turn.
//
// Notation: the arc is center + cos(θ) A + sin(θ) B for θ in [a, b] (A, B the major and minor
// half-axis vectors), sweep s = b - a, g pieces of h = s / g. On the unit circle piece k runs
// from angle θk = a + k h to θk+1; its end points have weight 1 and its middle point, where the
// end tangents meet, lies at angle θk + h/2 and distance 1/cos(h/2) with weight cos(h/2). The
// affine map (x, y) -> center + x A + y B keeps a rational curve rational with the same
// weights, so the pieces map onto the ellipse.
#include <cmath>

#include "curves/imp_ellip_arc3d.h"
#include "splines/imp_nurb_curve3d.h"

namespace {
const double kPi = 3.141592653589793;
// A piece may turn by less than a half turn (its middle weight cos(h/2) stays positive):
// sweeps up to twice a full turn are representable with four pieces.
const double kMaxSweep = 4.0 * kPi;
}  // namespace

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::setToArc(const VqGePoint3d& center,
                                                 const VqGeVector3d& majorVec,
                                                 const VqGeVector3d& minorVec, double startAngle,
                                                 double endAngle) {
    const double s = endAngle - startAngle;
    const int finite = std::isfinite(center.x) && std::isfinite(center.y) &&
                       std::isfinite(center.z) && std::isfinite(majorVec.x) &&
                       std::isfinite(majorVec.y) && std::isfinite(majorVec.z) &&
                       std::isfinite(minorVec.x) && std::isfinite(minorVec.y) &&
                       std::isfinite(minorVec.z);
    if (!finite || !(s > 0.0) || !(s < kMaxSweep)) {
        // No arc to follow: the curve keeps no knots and no points, as for any definition that
        // does not make a curve.
        define(2, VqGeKnotVector(), VqArray<VqGePoint3d>(), nullptr, 0);
        return *this;
    }
    const int g = s <= kPi / 2 ? 1 : (s <= kPi ? 2 : (s <= 1.5 * kPi ? 3 : 4));
    const double h = s / g;
    const double wMid = std::cos(h / 2), rMid = 1.0 / wMid;
    VqArray<double> knots(2 * g + 4, 8);
    VqArray<VqGePoint3d> pts(2 * g + 1, 8);
    VqArray<double> w(2 * g + 1, 8);
    for (int i = 0; i < 3; ++i) knots.append(startAngle);
    // Each point from its own angle rather than by rotating the one two before: no rounding
    // piles up along the arc, and the last point is exactly the end of the arc.
    auto add = [&](double theta, double radius, double weight) {
        const double x = radius * std::cos(theta), y = radius * std::sin(theta);
        const VqGePoint3d p = center + majorVec * x + minorVec * y;
        pts.append(VqGePoint3d(p.x * weight, p.y * weight, p.z * weight));
        w.append(weight);
    };
    add(startAngle, 1.0, 1.0);
    for (int k = 0; k < g; ++k) {
        const double t0 = startAngle + k * h;
        const double t1 = k + 1 == g ? endAngle : startAngle + (k + 1) * h;
        add(t0 + h / 2, rMid, wMid);
        add(t1, 1.0, 1.0);
        knots.append(t1);
        knots.append(t1);
    }
    knots.append(endAngle);
    if (knots.length() != 2 * g + 4 || pts.length() != 2 * g + 1 || w.length() != 2 * g + 1) {
        define(2, VqGeKnotVector(), VqArray<VqGePoint3d>(), nullptr, 0);
        return *this;
    }
    VqGeKnotVector kv(knots.length(), knots.asArrayPtr());
    define(2, kv, pts, &w, 0);
    return *this;
}

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(const VqGeImpEllipArc3d& arc) : VqGeImpNurbCurve3d(2, 1) {
    setToArc(arc.center(), arc.majorAxis() * arc.majorRadius(), arc.minorAxis() * arc.minorRadius(),
             arc.startAngle(), arc.endAngle());
}
