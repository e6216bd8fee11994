// Closest points between two curves: a fixed grid over both intervals, local ranges about
// the best grid pair, and the Newton descent on the squared distance.
//
// Notation: s, t the parameters on this curve and the other; D = C1(s) - C2(t); A1, B1 and
// A2, B2 the first and second derivatives. Outcomes: the pair of the local search, or the
// best grid pair when the search ends farther apart (or outside +-1e21); a linear curve
// whose interval misses the other curve's shadow on its axis answers from its facing end.
#include <cmath>

#include "curves/curve_generic_util.h"
#include "curves/imp_bound_block3d.h"
#include "curves/imp_curve3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"

namespace {
constexpr int kGrid = 21;
constexpr int kMaxNewton = 44;
constexpr int kMaxCuts = 4;
constexpr double kHessianTol = 1.1102230246251565e-15;

void finiteBounds(const VqGeImpCurve3d& crv, const VqGeImpInterval* given, double& lo,
                  double& hi) {
    VqGeImpInterval intrvl;
    if (given)
        intrvl = *given;
    else
        crv.getInterval(intrvl, 0, 0);
    lo = intrvl.isBoundedBelow() ? intrvl.lowerBound() : -vqgen::kFar21;
    hi = intrvl.isBoundedAbove() ? intrvl.upperBound() : vqgen::kFar21;
}

// The line's shadow of the curve's block. 0 when the line's own interval misses it: then
// the facing bound of the line is written to facing.
int shadowOnLine(const VqGeImpLinearEnt3d& line, const VqGeImpCurve3d& crv, double& lo,
                 double& hi, double& facing) {
    VqGeImpLinearEnt3d axis(line);
    axis.setInterval(VqGeImpInterval(-vqgen::kFar21, vqgen::kFar21), 0);
    VqGeImpInterval shadow;
    axis.projectBlockTo(crv.boundBlock(3, 1), shadow);
    if (hi < shadow.lowerBound()) {
        facing = hi;
        return 0;
    }
    if (lo > shadow.upperBound()) {
        facing = lo;
        return 0;
    }
    if (shadow.lowerBound() > lo) lo = shadow.lowerBound();
    if (shadow.upperBound() < hi) hi = shadow.upperBound();
    return 1;
}

void localRange(const VqGeImpCurve3d& crv, double lo, double hi, double h, double best,
                double& a, double& b) {
    int k = 0;
    while (k < kGrid && lo + k * h < best) ++k;
    const double m = lo + k * h;
    a = m - 2.0 * h;
    b = m + h;
    double period;
    if (crv.isPeriodic(period, 0) && period > 0.0) {
        if (b > a + period) b = a + period;
    } else {
        if (a < lo) a = lo;
        if (b > hi) b = hi;
    }
}
}  // namespace

void VqGeImpCurve3d::getClosestPointTo(const VqGeImpCurve3d& crv,
                                       VqGeImpPointOnCurve3d& pntOnThis,
                                       VqGeImpPointOnCurve3d& pntOnOther,
                                       const VqGeTol& tol) const {
    pntOnThis.setCurve(this);
    pntOnOther.setCurve(&crv);
    const VqGe::EntityId otherKind = crv.type(1);
    if (otherKind == VqGe::kCompositeCurve2d || otherKind == VqGe::kCompositeCurve3d) {
        crv.getClosestPointTo(*this, pntOnOther, pntOnThis, tol);
        return;
    }
    double lo1, hi1, lo2, hi2;
    finiteBounds(*this, nullptr, lo1, hi1);
    finiteBounds(crv, nullptr, lo2, hi2);
    double facing;
    if (isKindOf(VqGe::kLinearEnt3d, 0) && !crv.isKindOf(VqGe::kLinearEnt3d, 0) &&
        !shadowOnLine(static_cast<const VqGeImpLinearEnt3d&>(*this), crv, lo1, hi1, facing)) {
        pntOnThis.setParameter(facing);
        crv.getClosestPointTo(pntOnThis.point(), pntOnOther, tol);
        return;
    }
    if (crv.isKindOf(VqGe::kLinearEnt3d, 0) && !isKindOf(VqGe::kLinearEnt3d, 0) &&
        !shadowOnLine(static_cast<const VqGeImpLinearEnt3d&>(crv), *this, lo2, hi2, facing)) {
        pntOnOther.setParameter(facing);
        getClosestPointTo(pntOnOther.point(), pntOnThis, tol);
        return;
    }
    const double h1 = (hi1 - lo1) / kGrid, h2 = (hi2 - lo2) / kGrid;
    VqGeImpPointOnCurve3d w1(this), w2(&crv);
    VqGePoint3d row[kGrid + 1];
    for (int j = 0; j <= kGrid; ++j) {
        double t = lo2 + j * h2;
        if (t > hi2) t = hi2;
        row[j] = w2.point(t);
    }
    double best = 1e66, s = lo1, t = lo2;
    for (int i = 0; i <= kGrid; ++i) {
        double si = lo1 + i * h1;
        if (si > hi1) si = hi1;
        const VqGePoint3d p = w1.point(si);
        for (int j = 0; j <= kGrid; ++j) {
            const double d = p.distanceTo(row[j]);
            if (d < best) {
                best = d;
                s = si;
                t = lo2 + j * h2 > hi2 ? hi2 : lo2 + j * h2;
            }
        }
    }
    double a1, b1, a2, b2;
    localRange(*this, lo1, hi1, h1, s, a1, b1);
    localRange(crv, lo2, hi2, h2, t, a2, b2);
    const VqGeImpInterval r1(a1, b1), r2(a2, b2);
    pntOnThis.setParameter(s);
    pntOnOther.setParameter(t);
    getLocalClosestPoints(crv, pntOnThis, pntOnOther, &r1, &r2, tol);
    // A minimum on the edge of the local ranges that is not an end of the curves lies
    // further along the valley of the distance: the descent goes on over the intervals.
    const double e1 = pntOnThis.parameter(), e2 = pntOnOther.parameter();
    if (((e1 == a1 && a1 > lo1) || (e1 == b1 && b1 < hi1)) ||
        ((e2 == a2 && a2 > lo2) || (e2 == b2 && b2 < hi2)))
        getLocalClosestPoints(crv, pntOnThis, pntOnOther, nullptr, nullptr, tol);
    const double s1 = pntOnThis.parameter(), t1 = pntOnOther.parameter();
    // The descent only improves on the grid; a pair that ended farther keeps the grid pair.
    const int outside = !(s1 > -vqgen::kFar21 && s1 < vqgen::kFar21) ||
                        !(t1 > -vqgen::kFar21 && t1 < vqgen::kFar21);
    if (outside || !(pntOnThis.point().distanceTo(pntOnOther.point()) <= best)) {
        pntOnThis.setParameter(s);
        pntOnOther.setParameter(t);
    }
}

void VqGeImpCurve3d::getLocalClosestPoints(const VqGeImpCurve3d& other,
                                           VqGeImpPointOnCurve3d& pntOnThis,
                                           VqGeImpPointOnCurve3d& pntOnOther,
                                           const VqGeImpInterval* nbhd1,
                                           const VqGeImpInterval* nbhd2,
                                           const VqGeTol& tol) const {
    pntOnThis.setCurve(this);
    pntOnOther.setCurve(&other);
    double lo1, hi1, lo2, hi2;
    finiteBounds(*this, nbhd1, lo1, hi1);
    finiteBounds(other, nbhd2, lo2, hi2);
    double s = pntOnThis.parameter(), t = pntOnOther.parameter();
    if (!(s >= lo1 && s <= hi1)) s = s < lo1 ? lo1 : (s > hi1 ? hi1 : 0.5 * (lo1 + hi1));
    if (!(t >= lo2 && t <= hi2)) t = t < lo2 ? lo2 : (t > hi2 ? hi2 : 0.5 * (lo2 + hi2));
    VqGeImpPointOnCurve3d w1(this), w2(&other);
    const double eps = tol.equalPoint();
    int cuts = 0;
    for (int step = 0; step < kMaxNewton; ++step) {
        if (vqgen::breakRequested()) break;
        w1.setParameter(s);
        w2.setParameter(t);
        w1.deriv(2);
        w2.deriv(2);
        const VqGePoint3d p1 = w1.point(), p2 = w2.point();
        const VqGeVector3d d = p1 - p2;
        const double tolHere =
            vqgen::reachableTol(eps, vqgen::maxAbs(p1) > vqgen::maxAbs(p2) ? vqgen::maxAbs(p1)
                                                                              : vqgen::maxAbs(p2));
        if (!(d.lengthSqrd() >= tolHere * tolHere)) break;  // coincide (or NaN)
        const VqGeVector3d a1 = w1.deriv(1), b1 = w1.deriv(2);
        const VqGeVector3d a2 = w2.deriv(1), b2 = w2.deriv(2);
        const double g0 = d.dotProduct(a1), g1 = -d.dotProduct(a2);
        const double m00 = a1.lengthSqrd() + d.dotProduct(b1);
        const double m01 = -a1.dotProduct(a2);
        const double m11 = a2.lengthSqrd() - d.dotProduct(b2);
        double ds, dt;
        vqgen::forceSolve2(m00, m01, m11, -g0, -g1, kHessianTol, ds, dt);
        // A parameter resting on a bound where the distance falls outwards stays there; the
        // other then takes its own Newton step for that fixed value.
        const int holdS = (s <= lo1 && g0 > 0.0) || (s >= hi1 && g0 < 0.0);
        const int holdT = (t <= lo2 && g1 > 0.0) || (t >= hi2 && g1 < 0.0);
        if (holdS && holdT) break;
        if (holdS) ds = 0.0, dt = m11 > 0.0 ? -g1 / m11 : 0.0;
        if (holdT) dt = 0.0, ds = m00 > 0.0 ? -g0 / m00 : 0.0;
        double ns = s + ds, nt = t + dt;
        if (ns < lo1 || ns > hi1) ++cuts, ns = ns < lo1 ? lo1 : hi1;
        if (nt < lo2 || nt > hi2) ++cuts, nt = nt < lo2 ? lo2 : hi2;
        if (!std::isfinite(ns) || !std::isfinite(nt)) break;
        const double moved1 = w1.point(ns).distanceTo(p1), moved2 = w2.point(nt).distanceTo(p2);
        s = ns;
        t = nt;
        if (cuts > kMaxCuts) break;
        if (moved1 < tolHere && moved2 < tolHere) break;
    }
    pntOnThis.setParameter(s);
    pntOnOther.setParameter(t);
}
