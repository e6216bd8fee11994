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
constexpr int kMaxStarts = 8;
// Halvings of a step that does not bring the curves closer.
constexpr int kMaxHalvings = 30;
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

// A parameter within rounding of a bound is on it: a grid or a step that stops an ulp short
// must still be held there.
double snapToBound(double v, double lo, double hi) {
    const double near = 1e-14 * (std::fabs(lo) > std::fabs(hi) ? std::fabs(lo) : std::fabs(hi));
    if (std::fabs(v - lo) <= near) return lo;
    if (std::fabs(v - hi) <= near) return hi;
    return v;
}

// Newton step on the squared distance where its matrix is positive definite; else the
// Gauss-Newton step (the matrix without the curvature terms, never indefinite), which
// heads downhill; else steepest descent. q1, q2 are |A1|², |A2|².
void descentStep(double g0, double g1, double m00, double m01, double m11, double q1,
                 double q2, double& ds, double& dt) {
    ds = dt = 0.0;
    if (m00 > 0.0 && m11 > 0.0 && m00 * m11 - m01 * m01 > kHessianTol * m00 * m11)
        vqgen::forceSolve2(m00, m01, m11, -g0, -g1, kHessianTol, ds, dt);
    if (!(ds * g0 + dt * g1 < 0.0))
        vqgen::forceSolve2(q1, m01, q2, -g0, -g1, kHessianTol * (q1 + q2), ds, dt);
    if (!(ds * g0 + dt * g1 < 0.0) && q1 + q2 > 0.0) ds = -g0 / (q1 + q2), dt = -g1 / (q1 + q2);
}

// Step of one parameter while the other is held.
double oneSidedStep(double g, double m, double q) {
    if (m > 0.0) return -g / m;
    return q > 0.0 ? -g / q : 0.0;
}

double gridValue(double lo, double hi, double h, int i) {
    // The last grid value is the bound itself, so that a minimum there is seen as one on
    // the bound (rounding of lo + 21 h may stop just short of it).
    if (i >= kGrid) return hi;
    const double v = lo + i * h;
    return v > hi ? hi : v;
}

// No neighbour of the grid pair (i, j) is nearer.
int isGridMinimum(const double (&grid)[kGrid + 1][kGrid + 1], int i, int j) {
    const double d = grid[i][j];
    if (!(d == d)) return 0;
    for (int di = -1; di <= 1; ++di)
        for (int dj = -1; dj <= 1; ++dj) {
            const int ni = i + di, nj = j + dj;
            if ((di || dj) && ni >= 0 && nj >= 0 && ni <= kGrid && nj <= kGrid &&
                grid[ni][nj] < d)
                return 0;
        }
    return 1;
}

// Keeps the kMaxStarts nearest grid minima (the first start, the best pair, stays).
void addStart(int (&starts)[kMaxStarts][2], int& num,
              const double (&grid)[kGrid + 1][kGrid + 1], int i, int j) {
    int at = num;
    if (num == kMaxStarts) {
        at = 1;
        for (int k = 2; k < num; ++k)
            if (grid[starts[k][0]][starts[k][1]] > grid[starts[at][0]][starts[at][1]]) at = k;
        if (!(grid[i][j] < grid[starts[at][0]][starts[at][1]])) return;
    } else {
        ++num;
    }
    starts[at][0] = i, starts[at][1] = j;
}

struct ClosestPair {
    double s, t, dist;
};

void keepNearer(ClosestPair& best, VqGeImpPointOnCurve3d& p1, VqGeImpPointOnCurve3d& p2) {
    const double s = p1.parameter(), t = p2.parameter();
    if (!(s > -vqgen::kFar21 && s < vqgen::kFar21) || !(t > -vqgen::kFar21 && t < vqgen::kFar21))
        return;
    const double d = p1.point().distanceTo(p2.point());
    if (d < best.dist) best = ClosestPair{s, t, d};
}

int lowerBounded(const VqGeImpCurve3d& crv) {
    VqGeImpInterval intrvl;
    crv.getInterval(intrvl, 0, 0);
    return intrvl.isBoundedBelow();
}

int upperBounded(const VqGeImpCurve3d& crv) {
    VqGeImpInterval intrvl;
    crv.getInterval(intrvl, 0, 0);
    return intrvl.isBoundedAbove();
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
    for (int j = 0; j <= kGrid; ++j) row[j] = w2.point(gridValue(lo2, hi2, h2, j));
    double grid[kGrid + 1][kGrid + 1];
    double best = 1e66;
    int bi = 0, bj = 0;
    for (int i = 0; i <= kGrid; ++i) {
        const VqGePoint3d p = w1.point(gridValue(lo1, hi1, h1, i));
        for (int j = 0; j <= kGrid; ++j) {
            const double d = p.distanceTo(row[j]);
            grid[i][j] = d;
            if (d < best) best = d, bi = i, bj = j;
        }
    }
    const double s = gridValue(lo1, hi1, h1, bi), t = gridValue(lo2, hi2, h2, bj);
    // The best grid pair may sit in the basin of a local minimum only: every local minimum
    // of the grid starts a descent of its own, the nearest grid pairs first.
    int starts[kMaxStarts][2];
    int numStarts = 0;
    starts[numStarts][0] = bi, starts[numStarts++][1] = bj;
    for (int i = 0; i <= kGrid; ++i)
        for (int j = 0; j <= kGrid; ++j)
            if ((i != bi || j != bj) && isGridMinimum(grid, i, j))
                addStart(starts, numStarts, grid, i, j);
    ClosestPair result{s, t, best};
    for (int k = 0; k < numStarts && !vqgen::breakRequested(); ++k) {
        const double sk = gridValue(lo1, hi1, h1, starts[k][0]);
        const double tk = gridValue(lo2, hi2, h2, starts[k][1]);
        double a1, b1, a2, b2;
        localRange(*this, lo1, hi1, h1, sk, a1, b1);
        localRange(crv, lo2, hi2, h2, tk, a2, b2);
        const VqGeImpInterval r1(a1, b1), r2(a2, b2);
        pntOnThis.setParameter(sk);
        pntOnOther.setParameter(tk);
        getLocalClosestPoints(crv, pntOnThis, pntOnOther, &r1, &r2, tol);
        // A minimum on the edge of the local ranges that is not an end of the curves lies
        // further along the valley of the distance: the descent goes on over the intervals.
        const double e1 = pntOnThis.parameter(), e2 = pntOnOther.parameter();
        if (((e1 == a1 && a1 > lo1) || (e1 == b1 && b1 < hi1)) ||
            ((e2 == a2 && a2 > lo2) || (e2 == b2 && b2 < hi2))) {
            const VqGeImpInterval whole1(lo1, hi1), whole2(lo2, hi2);
            getLocalClosestPoints(crv, pntOnThis, pntOnOther, &whole1, &whole2, tol);
        }
        keepNearer(result, pntOnThis, pntOnOther);
    }
    // A minimum at an end of either curve is the end's closest point on the other curve,
    // which the point search finds over the whole curve.
    const int ends1[2] = {lowerBounded(*this), upperBounded(*this)};
    const int ends2[2] = {lowerBounded(crv), upperBounded(crv)};
    for (int k = 0; k < 4 && !vqgen::breakRequested(); ++k) {
        const int own = k < 2;
        if (!(own ? ends1[k] : ends2[k - 2])) continue;
        const double e = own ? (k == 0 ? lo1 : hi1) : (k == 2 ? lo2 : hi2);
        if (own) {
            pntOnThis.setParameter(e);
            crv.getClosestPointTo(pntOnThis.point(), pntOnOther, tol);
            pntOnOther.setCurve(&crv);
        } else {
            pntOnOther.setParameter(e);
            getClosestPointTo(pntOnOther.point(), pntOnThis, tol);
            pntOnThis.setCurve(this);
        }
        keepNearer(result, pntOnThis, pntOnOther);
    }
    pntOnThis.setParameter(result.s);
    pntOnOther.setParameter(result.t);
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
    for (int step = 0; step < kMaxNewton; ++step) {
        if (vqgen::breakRequested()) break;
        s = snapToBound(s, lo1, hi1);
        t = snapToBound(t, lo2, hi2);
        w1.setParameter(s);
        w2.setParameter(t);
        w1.deriv(2);
        w2.deriv(2);
        const VqGePoint3d p1 = w1.point(), p2 = w2.point();
        const VqGeVector3d d = p1 - p2;
        const double tolHere =
            vqgen::reachableTol(eps, vqgen::maxAbs(p1) > vqgen::maxAbs(p2) ? vqgen::maxAbs(p1)
                                                                              : vqgen::maxAbs(p2));
        const double f = d.lengthSqrd();
        if (!(f >= tolHere * tolHere)) break;  // coincide (or NaN)
        const VqGeVector3d a1 = w1.deriv(1), b1 = w1.deriv(2);
        const VqGeVector3d a2 = w2.deriv(1), b2 = w2.deriv(2);
        const double g0 = d.dotProduct(a1), g1 = -d.dotProduct(a2);
        const double m00 = a1.lengthSqrd() + d.dotProduct(b1);
        const double m01 = -a1.dotProduct(a2);
        const double m11 = a2.lengthSqrd() - d.dotProduct(b2);
        double ds, dt;
        descentStep(g0, g1, m00, m01, m11, a1.lengthSqrd(), a2.lengthSqrd(), ds, dt);
        // A parameter resting on a bound where the distance falls outwards stays there; the
        // other then takes its own step for that fixed value.
        const int holdS = (s <= lo1 && g0 > 0.0) || (s >= hi1 && g0 < 0.0);
        const int holdT = (t <= lo2 && g1 > 0.0) || (t >= hi2 && g1 < 0.0);
        if (holdS && holdT) break;
        if (holdS) ds = 0.0, dt = oneSidedStep(g1, m11, a2.lengthSqrd());
        if (holdT) dt = 0.0, ds = oneSidedStep(g0, m00, a1.lengthSqrd());
        // A step out of a bound where the distance falls inwards goes downhill instead.
        if ((s <= lo1 && ds < 0.0) || (s >= hi1 && ds > 0.0) || (t <= lo2 && dt < 0.0) ||
            (t >= hi2 && dt > 0.0)) {
            const double q = a1.lengthSqrd() + a2.lengthSqrd();
            ds = holdS || !(q > 0.0) ? 0.0 : -g0 / q;
            dt = holdT || !(q > 0.0) ? 0.0 : -g1 / q;
        }
        // The step is shortened as a whole to end on the first bound it crosses, which
        // keeps it a descent direction; a bound reached is then met exactly.
        double len = 1.0;
        int stopS = 0, stopT = 0;
        if (s + ds > hi1 || s + ds < lo1) len = ((ds > 0.0 ? hi1 : lo1) - s) / ds, stopS = 1;
        if (t + dt > hi2 || t + dt < lo2) {
            const double lt = ((dt > 0.0 ? hi2 : lo2) - t) / dt;
            if (lt <= len) stopS = stopS && lt == len, len = lt, stopT = 1;
        }
        if (!std::isfinite(len) || !(len >= 0.0)) break;
        // Halved until the distance falls: Newton far from the minimum may overshoot.
        double ns = s, nt = t;
        int better = 0;
        for (int k = 0; k < kMaxHalvings && !better; ++k, len *= 0.5, stopS = stopT = 0) {
            ns = stopS ? (ds > 0.0 ? hi1 : lo1) : s + len * ds;
            nt = stopT ? (dt > 0.0 ? hi2 : lo2) : t + len * dt;
            if (!std::isfinite(ns) || !std::isfinite(nt)) break;
            better = (w1.point(ns) - w2.point(nt)).lengthSqrd() < f;
        }
        if (!better) break;  // no lower distance within rounding: converged
        const double moved1 = w1.point(ns).distanceTo(p1), moved2 = w2.point(nt).distanceTo(p2);
        s = ns;
        t = nt;
        if (moved1 < tolHere && moved2 < tolHere) break;
    }
    pntOnThis.setParameter(s);
    pntOnOther.setParameter(t);
}
