// Elliptic arc against a linear entity: the closest pair of points.
//
// Outcomes: an interior pair (the arc point where the distance to the unbounded line is
// stationary, with its foot inside the line's interval); an arc end against the line (the
// line's clamped closest point); a line end against the arc (the arc's closest point). The
// nearest wins; on equal distances the smaller line parameter (a line parallel to the arc's
// plane crossing the ellipse twice gives the crossing met first along the line).
//
// Notation: P0, d the line's point at parameter 0 and its direction; for a vector x, x⊥ is
// its part across the line. The squared distance of the arc point at angle θ to the
// unbounded line is |w0 + cos θ A⊥ + sin θ B⊥|² with w0 = (center − P0)⊥, a trigonometric
// polynomial of the second order whose stationary angles are the roots of its derivative.
// Considering every stationary angle finds the global minimum, which a search over a few
// stretches of the arc can miss when one stretch holds both a maximum and a minimum.
#include <cmath>

#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "nm_trigpoly.h"

namespace {
struct Pair {
    double t = 0.0;     // on the arc
    double q = 0.0;     // on the line
    double dist = 0.0;  // distance between the two points
    int found = 0;
};

void offer(Pair& best, double t, double q, double dist, double window) {
    if (!best.found || dist < best.dist - window ||
        (dist <= best.dist + window && q < best.q)) {
        best.t = t;
        best.q = q;
        best.dist = dist;
        best.found = 1;
    }
}
}  // namespace

void VqGeImpEllipArc3d::getClosestPointToLine(const VqGeImpLinearEnt3d& line,
                                              VqGeImpPointOnCurve3d& pntOnArc,
                                              VqGeImpPointOnCurve3d& pntOnLine,
                                              const VqGeTol& tol) const {
    pntOnArc.setCurve(this);
    pntOnLine.setCurve(&line);
    const VqGePoint3d p0 = line.pointOnLine();
    const VqGeVector3d d = line.direction();
    const VqGeImpInterval& range = line.interval();
    const double lo = range.isBoundedBelow() ? range.lowerBound() : -1e22;
    const double hi = range.isBoundedAbove() ? range.upperBound() : 1e22;
    const double dd = d.lengthSqrd();
    const double window = 1e-12 * (roundingTol(tol) + mMajorRadius);
    Pair best;
    auto lineParam = [&](const VqGePoint3d& p) {
        double q = dd > 0.0 ? (p - p0).dotProduct(d) / dd : 0.0;
        if (q < lo) q = lo;
        if (q > hi) q = hi;
        return q;
    };
    auto tryArcParam = [&](double t, int clampOnLine) {
        const VqGePoint3d c = pointAt(t);
        double q = dd > 0.0 ? (c - p0).dotProduct(d) / dd : 0.0;
        if (q < lo || q > hi) {
            if (!clampOnLine) return;
            q = lineParam(c);
        }
        offer(best, t, q, c.distanceTo(line.pointAt(q)), window);
    };
    if (dd > 0.0) {
        const VqGeVector3d unit = d / std::sqrt(dd);
        auto across = [&](const VqGeVector3d& x) { return x - unit * x.dotProduct(unit); };
        const VqGeVector3d w0 = across(mCenter - p0);
        const VqGeVector3d a = across(mMajorAxis * mMajorRadius);
        const VqGeVector3d b = across(mMinorAxis * mMinorRadius);
        const NmTrigPoly f(a.lengthSqrd(), 2.0 * a.dotProduct(b), b.lengthSqrd(),
                           2.0 * w0.dotProduct(a), 2.0 * w0.dotProduct(b), w0.lengthSqrd(),
                           1e-12);
        NmTrigPoly df;
        f.derivative(df);
        NmVector roots;
        const int n = df.solve(roots);
        for (int i = 0; i < n && i < roots.dim(); ++i) {
            double t = roots[i] - mAngleOffset;
            if (rangeWrap(mStartParam, mEndParam, t)) tryArcParam(t, 0);
        }
    }
    // The arc's ends against the line, then the line's ends against the arc.
    tryArcParam(mStartParam, 1);
    tryArcParam(mEndParam, 1);
    if (range.isBoundedBelow() || dd == 0.0) {
        const double q = dd == 0.0 ? 0.0 : lo;
        const VqGePoint3d e = line.pointAt(q);
        const double t = closestParamTo(e, tol);
        offer(best, t, q, pointAt(t).distanceTo(e), window);
    }
    if (range.isBoundedAbove() && dd > 0.0) {
        const VqGePoint3d e = line.pointAt(hi);
        const double t = closestParamTo(e, tol);
        offer(best, t, hi, pointAt(t).distanceTo(e), window);
    }
    setPoint(pntOnArc, best.t, pointAt(best.t));
    setPoint(pntOnLine, best.q, line.pointAt(best.q));
}

void VqGeImpEllipArc3d::getClosestPointTo(const VqGeImpCurve3d& crv,
                                          VqGeImpPointOnCurve3d& pntOnThis,
                                          VqGeImpPointOnCurve3d& pntOnOther,
                                          const VqGeTol& tol) const {
    if (crv.isKindOf(VqGe::kLinearEnt3d, 0)) {
        getClosestPointToLine(static_cast<const VqGeImpLinearEnt3d&>(crv), pntOnThis, pntOnOther,
                              tol);
        return;
    }
    if (crv.isKindOf(VqGe::kEllipArc3d, 0)) {
        getClosestPointToArc(static_cast<const VqGeImpEllipArc3d&>(crv), pntOnThis, pntOnOther,
                             tol);
        return;
    }
    crv.getClosestPointTo(*this, pntOnOther, pntOnThis, tol);
}
