// Closest point of a curve to a point: the global search over every root of the distance
// slope, the local bracketed minimum, and the surface forms (answered by the surface).
//
// Notation: p the query point, C, C1, C2 the curve point and its derivatives at t,
// f(t) = 2 (C - p).C1 the slope of the squared distance, f1 = 2 (|C1|^2 + (C - p).C2).
// Outcomes: the winner among the roots of f (ascending), then lo, then hi (a later
// candidate only when strictly nearer); a NaN point or curve leaves the lower end.
#include "curves/curve_generic_util.h"
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "numeric/nm_func_deriv.h"
#include "surfaces/imp_point_on_surface.h"
#include "surfaces/imp_surface.h"

namespace {
constexpr int kRootPieces = 18;
constexpr int kScanPerPiece = 8;

// The evaluation behind the function objects; one evaluation serves f and f1 at one t.
struct DistanceSlope {
    VqGeImpPointOnCurve3d* work;
    VqGePoint3d p;
    double t;
    int valid;
    VqGeVector3d diff, d1, d2;

    void at(double s) {
        if (valid && s == t) return;
        work->setParameter(s);
        work->deriv(2);
        diff = work->point() - p;
        d1 = work->deriv(1);
        d2 = work->deriv(2);
        t = s;
        valid = 1;
    }
    static double slope(void* h, double s) {
        DistanceSlope& d = *static_cast<DistanceSlope*>(h);
        d.at(s);
        return 2.0 * d.diff.dotProduct(d.d1);
    }
    static double slopeDeriv(void* h, double s) {
        DistanceSlope& d = *static_cast<DistanceSlope*>(h);
        d.at(s);
        return 2.0 * (d.d1.lengthSqrd() + d.diff.dotProduct(d.d2));
    }
    static double square(void* h, double s) {
        DistanceSlope& d = *static_cast<DistanceSlope*>(h);
        d.at(s);
        return d.diff.lengthSqrd();
    }
};

void finiteBounds(const VqGeImpInterval& intrvl, double& lo, double& hi) {
    lo = intrvl.isBoundedBelow() ? intrvl.lowerBound() : -vqgen::kFar21;
    hi = intrvl.isBoundedAbove() ? intrvl.upperBound() : vqgen::kFar21;
}
}  // namespace

void VqGeImpCurve3d::getClosestPointTo(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                                       const VqGeTol& tol) const {
    pntOnThis.setCurve(this);
    VqGeImpInterval intrvl;
    getInterval(intrvl, 0, 0);
    double lo, hi;
    finiteBounds(intrvl, lo, hi);
    VqGeImpPointOnCurve3d work(this);
    DistanceSlope ds{&work, pnt, 0.0, 0, VqGeVector3d(), VqGeVector3d(), VqGeVector3d()};
    double best = lo, bestDist = 0.0;
    int have = 0;
    auto consider = [&](double t) {
        const double d = work.point(t).distanceTo(pnt);
        ds.valid = 0;
        if (!have || d < bestDist) {
            best = t;
            bestDist = d;
            have = 1;
        }
    };
    if (vqgen::isFinitePoint(pnt)) {
        NmFuncDeriv f(&ds, DistanceSlope::slope, DistanceSlope::slopeDeriv, lo, hi);
        NmVector roots;
        if (f.allRoots(roots, kRootPieces, tol.equalPoint()))
            for (int i = 0; i < roots.dim(); ++i) consider(roots[i]);
        // The root search judges a piece by its ends and may pass over a pair of roots
        // inside it; a scan of the distance finds the dips it missed, and a bracketed
        // search settles each dip that lies below the best so far.
        const int n = kRootPieces * kScanPerPiece;
        const double h = (hi - lo) / n;
        double d0 = work.point(lo).distanceTo(pnt), d1 = work.point(lo + h).distanceTo(pnt);
        for (int i = 1; i < n && h > 0.0; ++i) {
            const double d2 = work.point(i + 1 == n ? hi : lo + (i + 1) * h).distanceTo(pnt);
            if (d1 <= d0 && d1 <= d2 && d1 < bestDist) {
                NmFuncDeriv g(&ds, DistanceSlope::square, DistanceSlope::slope, lo + (i - 1) * h,
                              lo + (i + 1) * h);
                double t = lo + i * h, ft = 0.0;
                ds.valid = 0;
                g.minimum(t, ft, 1e-30);
                if (t >= lo && t <= hi) consider(t);
            }
            d0 = d1;
            d1 = d2;
        }
    }
    consider(lo);
    consider(hi);
    pntOnThis.setParameter(best);
}

// Local minimum of the squared distance inside the bracket, from the current parameter.
void VqGeImpCurve3d::getLocalClosestPoints(const VqGePoint3d& pnt,
                                           VqGeImpPointOnCurve3d& pntOnThis,
                                           const VqGeImpInterval* nbhd, const VqGeTol& tol) const {
    pntOnThis.setCurve(this);
    VqGeImpInterval intrvl;
    if (nbhd)
        intrvl = *nbhd;
    else
        getInterval(intrvl, 0, 0);
    double lo, hi;
    finiteBounds(intrvl, lo, hi);
    double x = pntOnThis.parameter();
    if (!(x >= lo && x <= hi)) x = x < lo ? lo : (x > hi ? hi : 0.5 * (lo + hi));
    if (!vqgen::isFinitePoint(pnt)) {
        pntOnThis.setParameter(x);
        return;
    }
    VqGeImpPointOnCurve3d work(this);
    DistanceSlope ds{&work, pnt, 0.0, 0, VqGeVector3d(), VqGeVector3d(), VqGeVector3d()};
    NmFuncDeriv f(&ds, DistanceSlope::square, DistanceSlope::slope, lo, hi);
    const double eps = tol.equalPoint();
    double fx = 0.0;
    double t = x;
    f.minimum(t, fx, eps * eps > 1e-16 ? eps * eps : 1e-16);
    if (!(t >= lo && t <= hi)) t = x;
    pntOnThis.setParameter(t);
}

VqGePoint3d VqGeImpCurve3d::closestPointTo(const VqGeImpSurface& srf, VqGePoint3d& pntOnSrf,
                                           const VqGeTol& tol) const {
    VqGePoint3d onThis;
    pntOnSrf = srf.closestPointTo(*this, onThis, tol);
    return onThis;
}

void VqGeImpCurve3d::getClosestPointTo(const VqGeImpSurface& srf,
                                       VqGeImpPointOnCurve3d& pntOnThis,
                                       VqGeImpPointOnSurface& pntOnSrf,
                                       const VqGeTol& tol) const {
    srf.getClosestPointTo(*this, pntOnThis, pntOnSrf, tol);
}
