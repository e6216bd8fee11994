// Elliptic arc against a point: the closest point and the normal points.
//
// Outcomes: the foot of the perpendicular when it lies on the arc; otherwise the nearest
// interior critical point of the distance or, failing those, the nearer end (the start on a
// tie). A point at the centre of a circle gives the nearer end.
//
// Notation: (u, v) the point in the axes' coordinates, a ≥ b the radii after the roles are
// exchanged for a tall ellipse. The foot point solves F(λ) = a²u²/(λ+a²)² + b²v²/(λ+b²)² − 1
// = 0; the critical points of the distance solve
// g(θ) = (b² − a²) sin θ cos θ + a·u·sin θ − b·v·cos θ = 0.
#include <cmath>

#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "nm_trigpoly.h"
#include "vqge_util.h"

namespace {
const int kMaxFootSteps = 44;
const double kFootStop = 1.110223e-15;

// The root of F with λ > −b² for a point (u, v) of the first quadrant, u, v > 0; safeguarded
// Newton inside a bracket on which F decreases.
double footLambda(double a, double b, double u, double v) {
    const double au = a * u, bv = b * v, a2 = a * a, b2 = b * b;
    double lo = -b2 + bv, hi = -b2 + std::sqrt(au * au + bv * bv);
    if (!(hi > lo)) return lo;
    double x = 0.5 * (lo + hi);
    for (int i = 0; i < kMaxFootSteps; ++i) {
        if (VqGeUtil::gBreakFunc && VqGeUtil::gBreakFunc()) break;
        const double p = au / (x + a2), q = bv / (x + b2);
        const double f = p * p + q * q - 1.0;
        // Converged at x: a bisection step taken now would only move away from it.
        if (std::fabs(f) < kFootStop) break;
        if (f > 0.0)
            lo = x;
        else
            hi = x;
        const double df = -2.0 * (p * p / (x + a2) + q * q / (x + b2));
        double next = df < 0.0 ? x - f / df : 0.5 * (lo + hi);
        if (!(next >= lo && next <= hi)) next = 0.5 * (lo + hi);
        const double step = std::fabs(next - x);
        x = next;
        if (step <= kFootStop * (std::fabs(x) + a2)) break;
    }
    return x;
}

// The angle of the foot point on the full ellipse x = a cos θ, y = b sin θ (a ≥ b > 0).
// Points within eps (relative to the radii) of an axis line are taken on it: the general
// root is ill-conditioned there.
double footAngle(double a, double b, double u, double v, double eps) {
    const double au = std::fabs(u), av = std::fabs(v);
    double x, y;
    if (au < a * eps) return v < -b * eps ? -0.5 * 3.141592653589793 : 0.5 * 3.141592653589793;
    if (av < b * eps) {
        const double d = a * a - b * b;
        if (au < d / a) {
            x = a * a * au / d;
            const double r = 1.0 - (x * x) / (a * a);
            y = b * std::sqrt(r > 0.0 ? r : 0.0);
        } else {
            x = a;
            y = 0.0;
        }
    } else if (au == 0.0) {
        x = 0.0;
        y = b;
    } else {
        const double lambda = footLambda(a, b, au, av);
        x = a * a * au / (lambda + a * a);
        y = b * b * av / (lambda + b * b);
    }
    const double ang = std::atan2(y / b, x / a);
    const double sx = u < 0.0 ? -1.0 : 1.0, sy = v < 0.0 ? -1.0 : 1.0;
    return std::atan2(sy * std::sin(ang), sx * std::cos(ang));
}
}  // namespace

double VqGeImpEllipArc3d::closestParamTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    const VqGeVector3d d = pnt - mCenter;
    const double u = d.dotProduct(mMajorAxis), v = d.dotProduct(mMinorAxis);
    const VqGePoint3d s = startPoint(), e = endPoint();
    // In-plane distances: the normal component is the same for every arc point.
    auto planeDist2 = [&](const VqGePoint3d& q) {
        const VqGeVector3d w = q - mCenter;
        const double du = w.dotProduct(mMajorAxis) - u, dv = w.dotProduct(mMinorAxis) - v;
        return du * du + dv * dv;
    };
    double best = mStartParam, bestDist = planeDist2(s);
    const double endDist = planeDist2(e);
    if (endDist < bestDist) best = mEndParam, bestDist = endDist;
    const double eps = tol.equalPoint();
    const double a0 = mMajorRadius, b0 = mMinorRadius;
    if (eps * a0 > std::fabs(a0 - b0) || (a0 == b0)) {
        if (!(std::sqrt(u * u + v * v) > eps)) return best;
        double t = std::atan2(v, u) - mAngleOffset;
        return rangeWrap(mStartParam, mEndParam, t) ? t : best;
    }
    // Exchange the roles for a tall ellipse so that a ≥ b.
    const int tall = a0 < b0;
    const double a = tall ? b0 : a0, b = tall ? a0 : b0;
    const double pu = tall ? v : u, pv = tall ? -u : v;
    const double turn = tall ? 0.5 * kPi : 0.0;
    if (b > 0.0) {
        double t = footAngle(a, b, pu, pv, eps) + turn - mAngleOffset;
        if (rangeWrap(mStartParam, mEndParam, t)) {
            const double dist = planeDist2(pointAt(t));
            if (dist < bestDist) return t;
            return best;
        }
    }
    // The global foot is off the arc: another local minimum may still lie on it.
    const NmTrigPoly g(0.0, b0 * b0 - a0 * a0, 0.0, -b0 * v, a0 * u, 0.0, 1e-12);
    NmVector roots;
    const int n = g.solve(roots);
    for (int i = 0; i < n && i < roots.dim(); ++i) {
        double t = roots[i] - mAngleOffset;
        if (!rangeWrap(mStartParam, mEndParam, t)) continue;
        const double dist = planeDist2(pointAt(t));
        if (dist < bestDist) best = t, bestDist = dist;
    }
    return best;
}

VqGePoint3d VqGeImpEllipArc3d::closestPointTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return pointAt(closestParamTo(pnt, tol));
}

void VqGeImpEllipArc3d::getClosestPointTo(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                                          const VqGeTol& tol) const {
    pntOnThis.setCurve(this);
    const double t = closestParamTo(pnt, tol);
    setPoint(pntOnThis, t, pointAt(t));
}

// The normal points are the critical points of the distance on the arc (for a circle the two
// ends of the diameter through the point); the one nearer to the point-on-curve's current
// point wins, the later candidate on a tie.
int VqGeImpEllipArc3d::getNormalPoint(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                                      const VqGeTol& tol) const {
    const VqGeVector3d d = pnt - mCenter;
    const double h = d.dotProduct(normal());
    if (h > tol.equalPoint() || h < -tol.equalPoint()) return 0;
    const VqGePoint3d current = pntOnThis.curve() ? pntOnThis.point() : mCenter;
    double cand[4];
    int num = 0;
    const double u = d.dotProduct(mMajorAxis), v = d.dotProduct(mMinorAxis);
    if (isCircular(tol)) {
        if (!(std::sqrt(u * u + v * v) > tol.equalPoint())) return 0;
        const double ang = std::atan2(v, u);
        cand[num++] = ang;
        cand[num++] = ang + kPi;
    } else {
        const double a = mMajorRadius, b = mMinorRadius;
        const NmTrigPoly g(0.0, b * b - a * a, 0.0, -b * v, a * u, 0.0, 1e-12);
        NmVector roots;
        const int n = g.solve(roots);
        for (int i = 0; i < n && i < roots.dim() && num < 4; ++i) cand[num++] = roots[i];
    }
    int found = 0;
    double bestT = 0.0, bestDist = 0.0;
    for (int i = 0; i < num; ++i) {
        double t = cand[i] - mAngleOffset;
        const VqGePoint3d q = pointAt(t);
        if (!rangeWrap(mStartParam, mEndParam, t)) {
            if (q.isEqualTo(startPoint(), tol))
                t = mStartParam;
            else if (q.isEqualTo(endPoint(), tol))
                t = mEndParam;
            else
                continue;
        }
        const double dist = q.distanceTo(current);
        if (found && dist > bestDist) continue;
        found = 1;
        bestT = t;
        bestDist = dist;
    }
    if (!found) return 0;
    pntOnThis.setCurve(this);
    setPoint(pntOnThis, bestT, pointAt(bestT));
    return 1;
}
