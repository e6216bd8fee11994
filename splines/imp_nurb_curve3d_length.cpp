// NURBS arc length (Romberg per span, Simpson marching at rational ends whose weights fall
// steeply) and its inverse (Newton on the length with bisection fallback).
#include <algorithm>
#include <cmath>

#include "nm_func.h"
#include "splines/imp_nurb_curve3d.h"
#include "vqge_util.h"

namespace {
const double kSteepRatio = 0.1;
const double kSteepReach = 21.0;
const int kSimpsonRefine = 12;
const int kMaxNewton = 24;
const int kMaxRounds = 200;
const double kFarParam = 1e21;
const double kUnboundedRange = 1e11;

// The speed on one span, from that span's own polynomial even at its ends, so a kink at a
// knot does not leak the neighbour's speed into the end values of the quadrature. shift moves
// a parameter of a later period of a periodic curve back onto the stored span.
struct SpanSpeed {
    const VqGeImpNurbCurve3d* crv;
    int span;
    double shift;
};

double speed(void* handle, double t) {
    const SpanSpeed& s = *static_cast<const SpanSpeed*>(handle);
    return s.crv->spanSpeedAt(s.span, t - s.shift);
}

// The last knot is integrated by its end speed over the knot tolerance only when that is a
// negligible share of the span: on spans not much longer than the tolerance the constant
// speed would be a coarse guess, and on shorter ones it would leave nothing to integrate.
const double kTailShare = 1e-6;

// Romberg of the speed over [a, b] on the unit variable s, t = a + (b - a) s: the
// extrapolation and its spacing limit then see the same numbers whatever the parametrisation's
// scale (spans of 1e-12 and of 1e6 alike).
struct UnitSpan {
    SpanSpeed on;
    double a, w;
};

double unitSpeed(void* handle, double s) {
    const UnitSpan& u = *static_cast<const UnitSpan*>(handle);
    return speed(const_cast<SpanSpeed*>(&u.on), u.a + u.w * s) * u.w;
}

// The extrapolation's own error estimate, from its last two values, runs an order of
// magnitude below the error it leaves on a span (lengths of ranges were off by up to 3e-9
// relative at tol 1e-10): the span is asked for a third of the tolerance, which costs one
// more halving where the speed varies and brings the error near 1e-11.
const double kRombergShare = 3e-1;

double rombergOnSpan(const SpanSpeed& on, double a, double b, double tol) {
    UnitSpan u{on, a, b - a};
    NmFunc g(&u, &unitSpeed);
    double part = 0.0;
    g.romberg(0.0, 1.0, kRombergShare * tol, part);
    return part;
}
}  // namespace

double VqGeImpNurbCurve3d::length(double fromParam, double toParam, double tol) const {
    const int len = mKnots.length();
    if (len < mDegree + 2 || mControlPoints.isEmpty()) return 0.0;
    if (!std::isfinite(fromParam) || !std::isfinite(toParam)) return 0.0;
    double lo = std::fmin(fromParam, toParam), hi = std::fmax(fromParam, toParam);
    const int periodic = isPeriodicStored();
    const double ktol = mKnots.tolerance();
    if (!(tol > 0.0)) tol = VqGeContext::gTol.equalPoint();
    if (!periodic) {
        lo = std::fmax(lo, startDomain());
        hi = std::fmin(hi, endDomain());
    }
    SpanSpeed spanSpeed{this, 0, 0.0};
    NmFunc f(&spanSpeed, &speed);
    double sum = 0.0;
    if (periodic) {
        // Spans of every period the range touches.
        const double s = mKnots[0], period = mKnots[len - 1] - s;
        if (!(period > 0.0)) return 0.0;
        const double kFirst = std::floor((lo - s) / period), kLast = std::floor((hi - s) / period);
        if (kLast - kFirst > 1e6) return 0.0;
        for (double kp = kFirst; kp <= kLast; kp += 1.0)
            for (int i = 0; i + 1 < len; ++i) {
                const double a = std::fmax(mKnots[i] + kp * period, lo);
                const double b = std::fmin(mKnots[i + 1] + kp * period, hi);
                spanSpeed.span = i;
                spanSpeed.shift = kp * period;
                if (a < b) {
                    const double part = rombergOnSpan(spanSpeed, a, b, tol);
                    if (std::isfinite(part)) sum += std::fabs(part);
                }
            }
        return fromParam > toParam ? -sum : sum;
    }
    // Rational ends whose weight ratio is small: the speed changes too fast there for the
    // extrapolation, so those spans are marched.
    const int n = mWeights.length();
    int firstSpan = -1, lastSpan = -1;
    double rs = 1.0, re = 1.0;
    if (isRational() && n > 2) {
        rs = mWeights[1] != 0.0 ? mWeights[0] / mWeights[1] : 1.0;
        re = mWeights[n - 2] != 0.0 ? mWeights[n - 1] / mWeights[n - 2] : 1.0;
        const int fs = mKnots.multiplicityAt(0) - 1;
        const int ls = len - mKnots.multiplicityAt(len - 1) - 1;
        if (rs > 0.0 && rs <= kSteepRatio && std::fabs(mKnots[fs] - lo) <= kSteepReach * rs)
            firstSpan = fs;
        if (re > 0.0 && re <= kSteepRatio && std::fabs(mKnots[ls + 1] - hi) <= kSteepReach * re)
            lastSpan = ls;
    }
    const double end = mKnots[len - 1];
    for (int i = mDegree; i + 1 < len; ++i) {
        const double k0 = mKnots[i], k1 = mKnots[i + 1];
        if (!(k0 < k1)) continue;
        const double a = std::fmax(k0, lo);
        double b = std::fmin(k1, hi);
        if (!(a < b)) continue;
        spanSpeed.span = i;
        double part = 0.0;
        if (i == firstSpan && i == lastSpan) {
            const double m = 0.5 * (a + b);
            double p1 = 0.0, p2 = 0.0;
            f.simpsonAdapt(a, m, rs, 0, p1, kSimpsonRefine, tol);
            f.simpsonAdapt(m, b, re, 1, p2, kSimpsonRefine, tol);
            part = p1 + p2;
        } else if (i == firstSpan) {
            f.simpsonAdapt(a, b, rs, 0, part, kSimpsonRefine, tol);
        } else if (i == lastSpan) {
            f.simpsonAdapt(a, b, re, 1, part, kSimpsonRefine, tol);
        } else {
            double tail = 0.0;
            if (hi == end && b == end && ktol <= kTailShare * (b - a)) {
                // The last knot itself is integrated by its end speed.
                b -= ktol;
                tail = speed(&spanSpeed, b) * ktol;
            }
            part = rombergOnSpan(spanSpeed, a, b, tol) + tail;
        }
        if (std::isfinite(part)) sum += std::fabs(part);
    }
    return fromParam > toParam ? -sum : sum;
}

// A length beyond the curve gives the end of the search range, as the generic version does.
double VqGeImpNurbCurve3d::paramAtLength(double fromParam, double len, int forward,
                                         double tol) const {
    if (mKnots.length() < mDegree + 2 || mControlPoints.isEmpty()) return fromParam;
    if (!std::isfinite(fromParam) || !std::isfinite(len)) return fromParam;
    if (!(tol > 0.0)) tol = VqGeContext::gTol.equalPoint();
    double lo, hi, period;
    if (isPeriodic(period, 0)) {
        lo = forward ? fromParam : fromParam - period;
        hi = forward ? fromParam + period : fromParam;
    } else if (mInterval.isBounded()) {
        lo = mInterval.lowerBound();
        hi = mInterval.upperBound();
    } else if (mInterval.isBoundedBelow()) {
        lo = mInterval.lowerBound();
        hi = lo + kFarParam;
    } else if (mInterval.isBoundedAbove()) {
        hi = mInterval.upperBound();
        lo = hi - kFarParam;
    } else {
        lo = -kUnboundedRange;
        hi = kUnboundedRange;
    }
    const double rangeEnd = forward ? hi : lo;
    const double total = std::fabs(length(fromParam, rangeEnd, tol));
    if (std::fabs(total - len) < tol || total < len) return rangeEnd;
    double x = fromParam;
    double r = forward ? -len : len;
    for (int round = 0; round < kMaxRounds; ++round) {
        int clamps = 0;
        for (int step = 0; step < kMaxNewton; ++step) {
            if (std::fabs(r) < tol) return x;
            if (VqGeUtil::gBreakFunc && VqGeUtil::gBreakFunc()) return x;
            VqGeVector3d d[1];
            pointAt(x, 1, d);
            const double v = d[0].length();
            if (v * (hi - lo) < tol) break;
            double xn = x - r / v;
            if (xn < lo || xn > hi) {
                ++clamps;
                xn = clamps > 2 ? x : std::fmin(std::fmax(xn, lo), hi);
            }
            if (xn == x) break;
            r += length(x, xn, tol);
            x = xn;
        }
        if (std::fabs(r) < tol) return x;
        const double m = 0.5 * (lo + hi);
        r += length(x, m, tol);
        x = m;
        if (r >= 0.0)
            hi = m;
        else
            lo = m;
        if (!(hi > lo)) break;
    }
    return x;
}
