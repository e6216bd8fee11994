// Closest points seen along a projection direction: the local projected minimum
// (minimalPoint), the sampled search of a point, the curve form through projections onto
// the plane across the direction, and the way back from a projection onto the curve.
//
// Notation: w the unit direction (zero for plain distance), P(v) = v - (v.w) w, D(t) =
// P(C(t) - p), D1 = P(C1), g = D.D1 the slope of |D|^2 / 2, g1 = |D1|^2 + D.P(C2).
#include <cmath>

#include "curves/curve_generic_util.h"
#include "curves/imp_curve3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "surfaces/imp_planar_ent.h"
#include "vqge_curveintdata.h"

namespace {
constexpr double kGridStep = 0.047619047619047616;  // 1 / 21
constexpr int kMaxNewton = 21;
constexpr int kMaxBisect = 66;
constexpr int kMaxClamps = 3;

struct Projected {
    VqGeImpPointOnCurve3d work;
    VqGePoint3d p;
    VqGeVector3d w;
    VqGeVector3d d, d1, d2;

    Projected(const VqGeImpCurve3d* crv, const VqGePoint3d& pnt, const VqGeVector3d& dir)
        : work(crv), p(pnt), w(dir) {}
    VqGeVector3d proj(const VqGeVector3d& v) const { return v - w * v.dotProduct(w); }
    void at(double t, int order) {
        work.setParameter(t);
        if (order > 0) work.deriv(order);
        d = proj(work.point() - p);
        if (order >= 1) d1 = proj(work.deriv(1));
        if (order >= 2) d2 = proj(work.deriv(2));
    }
    double dist(double t) {
        at(t, 0);
        return d.length();
    }
    double g(double t) {
        at(t, 1);
        return d.dotProduct(d1);
    }
};

VqGeVector3d unitOrZero(const VqGeVector3d& dir) {
    const double len = dir.length();
    if (!(len > 0.0) || !std::isfinite(len)) return VqGeVector3d();
    return dir / len;
}

double minimalOn(Projected& f, double a, double b, double tol) {
    const double ga = f.g(a), gb = f.g(b);
    if (!(ga * (b - a) <= -tol && gb * (b - a) >= tol))
        return f.dist(b) < f.dist(a) ? b : a;
    double t = 0.5 * (a + b);
    int clamps = 0;
    double lastG = 1e300;
    for (int k = 0; k < kMaxNewton; ++k) {
        if (vqgen::breakRequested()) return t;
        f.at(t, 2);
        const double g = f.d.dotProduct(f.d1);
        const double g1 = f.d1.lengthSqrd() + f.d.dotProduct(f.d2);
        if (std::fabs(lastG) < tol) return t;
        if (!(std::fabs(g1) >= tol)) break;
        t -= g / g1;
        if (t < a || t > b) {
            t = t < a ? a : b;
            if (++clamps >= kMaxClamps) break;
        }
        if (!std::isfinite(t)) break;
        lastG = g;
    }
    // Golden-weighted bisection on g.
    double lo = a, hi = b, glo = ga, ghi = gb;
    const double small = std::pow(tol, 1.5);
    t = 0.5 * (lo + hi);
    for (int k = 0; k < kMaxBisect; ++k) {
        if (vqgen::breakRequested()) break;
        f.at(t, 1);
        if (f.d.length() < tol || (-glo < small && ghi < small)) break;
        const double g = f.d.dotProduct(f.d1);
        if ((g < 0) == (glo < 0)) {
            lo = t;
            glo = g;
        } else {
            hi = t;
            ghi = g;
        }
        t = -glo >= ghi ? 0.618034 * hi + 0.381966 * lo : 0.618034 * lo + 0.381966 * hi;
    }
    return t;
}
}  // namespace

double VqGeImpCurve3d::minimalPoint(const VqGePoint3d& pnt, double a, double b,
                                    const VqGeVector3d& dir, double tol) const {
    Projected f(this, pnt, unitOrZero(dir));
    return minimalOn(f, a, b, tol);
}

void VqGeImpCurve3d::getProjClosestPointTo(const VqGePoint3d& pnt, const VqGeVector3d& dir,
                                           VqGeImpPointOnCurve3d& pntOnThis,
                                           const VqGeTol& tol) const {
    pntOnThis.setCurve(this);
    VqGeImpInterval intrvl;
    getInterval(intrvl, 0, 0);
    const double lo = intrvl.isBoundedBelow() ? intrvl.lowerBound() : -vqgen::kFar21;
    const double hi = intrvl.isBoundedAbove() ? intrvl.upperBound() : vqgen::kFar21;
    const double h = (hi - lo) * kGridStep;
    Projected f(this, pnt, unitOrZero(dir));
    double best = 1e21, bestT = lo;
    if (h > 0.0 && vqgen::isFinitePoint(pnt)) {
        for (double s = lo + h; s < hi + 1e-7; s += h) {
            if (vqgen::breakRequested()) break;
            const double t = minimalOn(f, s - h, s, tol.equalPoint());
            const double d = f.dist(t);
            if (d < best) best = d, bestT = t;
        }
    }
    const double ends[2] = {lo, hi};
    for (int k = 0; k < 2; ++k) {
        const double d = f.dist(ends[k]);
        if (d < best) best = d, bestT = ends[k];
    }
    pntOnThis.setParameter(bestT);
}

namespace {
int isPointEntity(const VqGeImpEntity3d* ent) {
    return ent && ent->type(0) == VqGe::kPointEnt3d;
}

// Projected distance pairs without projections of the curves (a kind that has none): the
// grid of both intervals, then a descent on |P(C1 - C2)|^2 like the plain one.
void projectedPairSearch(const VqGeImpCurve3d& c1, const VqGeImpCurve3d& c2,
                         const VqGeVector3d& w, VqGeImpPointOnCurve3d& on1,
                         VqGeImpPointOnCurve3d& on2) {
    VqGeImpInterval i1, i2;
    c1.getInterval(i1, 0, 0);
    c2.getInterval(i2, 0, 0);
    const double lo1 = i1.isBoundedBelow() ? i1.lowerBound() : -1e6;
    const double hi1 = i1.isBoundedAbove() ? i1.upperBound() : 1e6;
    const double lo2 = i2.isBoundedBelow() ? i2.lowerBound() : -1e6;
    const double hi2 = i2.isBoundedAbove() ? i2.upperBound() : 1e6;
    const int n = 64;
    VqGeImpPointOnCurve3d w1(&c1), w2(&c2);
    auto proj = [&](const VqGeVector3d& v) { return v - w * v.dotProduct(w); };
    double best = 1e300, s = lo1, t = lo2;
    VqGePoint3d row[n + 1];
    for (int j = 0; j <= n; ++j) row[j] = w2.point(lo2 + (hi2 - lo2) * j / n);
    for (int i = 0; i <= n; ++i) {
        const double si = lo1 + (hi1 - lo1) * i / n;
        const VqGePoint3d p = w1.point(si);
        for (int j = 0; j <= n; ++j) {
            const double d = proj(p - row[j]).lengthSqrd();
            if (d < best) best = d, s = si, t = lo2 + (hi2 - lo2) * j / n;
        }
    }
    for (int k = 0; k < 44 && !vqgen::breakRequested(); ++k) {
        w1.setParameter(s);
        w2.setParameter(t);
        w1.deriv(2);
        w2.deriv(2);
        const VqGeVector3d d = proj(w1.point() - w2.point());
        const VqGeVector3d a1 = proj(w1.deriv(1)), b1 = proj(w1.deriv(2));
        const VqGeVector3d a2 = proj(w2.deriv(1)), b2 = proj(w2.deriv(2));
        double ds, dt;
        vqgen::forceSolve2(a1.lengthSqrd() + d.dotProduct(b1), -a1.dotProduct(a2),
                           a2.lengthSqrd() - d.dotProduct(b2), -d.dotProduct(a1),
                           d.dotProduct(a2), 1e-15, ds, dt);
        double ns = s + ds, nt = t + dt;
        ns = ns < lo1 ? lo1 : (ns > hi1 ? hi1 : ns);
        nt = nt < lo2 ? lo2 : (nt > hi2 ? hi2 : nt);
        if (!std::isfinite(ns) || !std::isfinite(nt)) break;
        const VqGeVector3d nd = proj(w1.point(ns) - w2.point(nt));
        if (!(nd.lengthSqrd() <= d.lengthSqrd())) break;
        const int still = std::fabs(ns - s) < 1e-15 * (1 + std::fabs(s)) &&
                          std::fabs(nt - t) < 1e-15 * (1 + std::fabs(t));
        s = ns, t = nt;
        if (still) break;
    }
    on1.setParameter(s);
    on2.setParameter(t);
}
}  // namespace

void VqGeImpCurve3d::getProjClosestPointTo(const VqGeImpCurve3d& crv, const VqGeVector3d& dir,
                                           VqGeImpPointOnCurve3d& pntOnThis,
                                           VqGeImpPointOnCurve3d& pntOnOther,
                                           const VqGeTol& tol) const {
    pntOnThis.setCurve(this);
    pntOnOther.setCurve(&crv);
    const VqGeVector3d w = unitOrZero(dir);
    if (w.isZeroLength()) {
        getClosestPointTo(crv, pntOnThis, pntOnOther, tol);
        return;
    }
    const VqGeImpPlanarEnt plane(VqGePoint3d::kOrigin, w);
    VqGeImpEntity3d* proj1 = orthoProject(plane, tol);
    VqGeImpEntity3d* proj2 = crv.orthoProject(plane, tol);
    VqGeImpInterval i1, i2;
    getInterval(i1, 0, 0);
    crv.getInterval(i2, 0, 0);
    if (!proj1 || !proj2) {
        // A kind without a projection of its own: the search runs on the projected distance.
        projectedPairSearch(*this, crv, w, pntOnThis, pntOnOther);
    } else if (isPointEntity(proj1) || isPointEntity(proj2)) {
        const int firstIsPoint = isPointEntity(proj1);
        const VqGeImpCurve3d& across = firstIsPoint ? crv : *this;
        VqGeImpPointOnCurve3d& onAlong = firstIsPoint ? pntOnThis : pntOnOther;
        VqGeImpPointOnCurve3d& onAcross = firstIsPoint ? pntOnOther : pntOnThis;
        onAlong.setParameter((firstIsPoint ? i1 : i2).element());
        if (isPointEntity(firstIsPoint ? proj2 : proj1)) {
            onAcross.setParameter((firstIsPoint ? i2 : i1).element());
        } else {
            const VqGeImpLinearEnt3d sight(onAlong.point(), w, 0, 0);
            VqGeImpPointOnCurve3d onSight(&sight);
            across.getClosestPointTo(sight, onAcross, onSight, tol);
        }
    } else {
        const VqGeImpCurve3d& flat1 = *static_cast<VqGeImpCurve3d*>(proj1);
        const VqGeImpCurve3d& flat2 = *static_cast<VqGeImpCurve3d*>(proj2);
        VqGeImpPointOnCurve3d f1(&flat1), f2(&flat2);
        flat1.getClosestPointTo(flat2, f1, f2, VqGeContext::gTol);
        reverseProject(f1, plane, w, pntOnThis, tol);
        crv.reverseProject(f2, plane, w, pntOnOther, tol);
    }
    delete proj1;
    delete proj2;
}

int VqGeImpCurve3d::reverseProject(const VqGeImpPointOnCurve3d& projected,
                                   const VqGeImpPlanarEnt&, const VqGeVector3d& dir,
                                   VqGeImpPointOnCurve3d& result, const VqGeTol& tol) const {
    result.setCurve(this);
    const VqGeImpLinearEnt3d sight(projected.point(), dir, 0, 0);
    VqGeCurveIntData data;
    if (!dir.isZeroLength() && intersectWith(sight, VqGeVector3d(), data, tol) &&
        data.numIntPoints() > 0) {
        double t1, t2;
        data.getIntParams(0, t1, t2);
        setPoint(result, t1, data.intPnt(0));
        return 1;
    }
    VqGeImpInterval intrvl;
    getInterval(intrvl, 0, 0);
    result.setParameter(intrvl.element());
    return 0;
}

VqGePoint3d VqGeImpCurve3d::projClosestPointTo(const VqGeImpCurve3d& crv, const VqGeVector3d& dir,
                                               VqGePoint3d& pntOnOther, const VqGeTol& tol) const {
    VqGeImpPointOnCurve3d onThis(this), onOther(&crv);
    getProjClosestPointTo(crv, dir, onThis, onOther, tol);
    pntOnOther = onOther.point();
    return onThis.point();
}

VqGePoint3d VqGeImpCurve3d::projClosestPointTo(const VqGePoint3d& pnt, const VqGeVector3d& dir,
                                               const VqGeTol& tol) const {
    VqGeImpPointOnCurve3d onThis(this);
    getProjClosestPointTo(pnt, dir, onThis, tol);
    return onThis.point();
}
