// Fit data sampled from a curve: points and tangents placed so that the piecewise Hermite
// cubic through them stays within tol of the curve.
//
// Notation: [lo, hi] the curve's interval; at a step from t to t + h with points P0, P1 and
// tangents T0, T1 the Hermite midpoint is M = (P0 + P1) / 2 + (h / 8)(T0 - T1), and the step
// error e is the distance of C(t + h / 2) from M. Steps grow while e is small and shrink by
// (0.5 tol / e)^(1/4) while it is too large (the error of a cubic Hermite step goes with h^4).
#include <cmath>

#include "curves/imp_point_on_curve3d.h"
#include "splines/imp_fit_data3d.h"
#include "vqge_util.h"

namespace {

const int kMaxPoints = 100000;
const int kMaxRetries = 60;

struct Sampler {
    VqGeImpPointOnCurve3d pc;
    explicit Sampler(const VqGeImpCurve3d& c) : pc(&c) {}
    VqGePoint3d point(double t) { return pc.point(t); }
    VqGeVector3d tangent(double t) { return pc.deriv(1, t); }
};

}  // namespace

VqGeImpFitData3d::VqGeImpFitData3d(const VqGeImpCurve3d& curve, double tol) : VqGeImpFitData3d() {
    VqGeImpInterval intrvl;
    curve.getInterval(intrvl, 0, 0);
    if (!intrvl.isBounded() || !(tol > 0.0) || !std::isfinite(tol)) return;
    const double lo = intrvl.lowerBound(), hi = intrvl.upperBound();
    if (!(hi > lo) || !std::isfinite(hi - lo)) return;
    const int closed = curve.isClosed(VqGeContext::gTol);
    Sampler s(curve);
    VqArray<double> params(0, 64);
    VqArray<VqGePoint3d>& P = mControlPoints;
    VqArray<VqGeVector3d>& T = mFitTangents;
    P.setGrowLength(64);
    T.setGrowLength(64);
    params.append(lo);
    P.append(s.point(lo));
    T.append(s.tangent(lo));

    // First step from the change of the tangent over two trial steps.
    const double h0 = 0.01 * (hi - lo);
    const VqGeVector3d E3 = s.tangent(lo + 2 * h0) - s.tangent(lo + h0) * 2.0 + T[0];
    const double E = E3.length(), G = h0 * h0 * tol;
    double h = E >= G && E > 0.0 ? std::pow(24.0 * G / E, 0.25) : hi - lo;
    double t = lo, e = 1.0;
    int first = 1;
    while (t < hi && P.length() < kMaxPoints) {
        if (VqGeUtil::gBreakFunc && VqGeUtil::gBreakFunc()) break;
        if (e < 0.02 * tol)
            h *= 2.0;
        else if (e < tol / 6.0)
            h *= std::pow(2.0 * tol / e, 0.25);
        if (!(h > 0.0)) h = (hi - lo) * 1e-6;
        if (t + h > hi) h = hi - t;
        const VqGePoint3d& p0 = P.last();
        const VqGeVector3d t0 = T.last();
        VqGePoint3d p1;
        VqGeVector3d t1;
        int forced = first && closed;
        for (int tries = 0;; ++tries) {
            const double end = t + h >= hi ? hi : t + h;
            p1 = s.point(end);
            t1 = s.tangent(end);
            const VqGePoint3d mid = s.point(t + 0.5 * h);
            const VqGePoint3d M = p0 + (p1 - p0) * 0.5 + (t0 - t1) * (h / 8.0);
            e = mid.distanceTo(M);
            // A closed curve's first step is always cut once, so its ends do not meet at once.
            if (!forced && (e <= tol || p1.distanceTo(p0) <= tol)) break;
            if (tries >= kMaxRetries) break;
            const double f = e > 0.0 ? std::pow(0.5 * tol / e, 0.25) : 0.5;
            h *= forced ? std::fmin(f, 0.5) : f;
            forced = 0;
        }
        const double next = t + h >= hi ? hi : t + h;
        if (!(next > t)) break;  // the step vanished below the parameter's resolution
        t = next;
        first = 0;
        params.append(t);
        P.append(p1);
        T.append(t1);
    }
    if (t < hi) {
        // Interrupted or out of room: the end still closes the data.
        params.append(hi);
        P.append(s.point(hi));
        T.append(s.tangent(hi));
    }
    mHasStartTangent = mHasEndTangent = 1;
    if (closed) {
        mFlags = kPeriodic;
        mDirtyFlags = 6;
        if (P.length() == 2) {
            const double mid = 0.5 * (lo + hi);
            params.insertAt(1, mid);
            P.insertAt(1, s.point(mid));
            T.insertAt(1, s.tangent(mid));
        }
        P.last() = P[0];
        T.last() = T[0];
    }
    // The tangents are derivatives in the curve's parameter, so the curve's parameters are
    // the knots (chord lengths would rescale every tangent).
    mKnots = params;
    mInterval.set(lo, hi);
    definitionChanged();
}
