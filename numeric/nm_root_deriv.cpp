// NmFuncDeriv construction, Newton root with fallback and safeguarded Newton.
//
// Notation: t the Newton iterate on [a, b]; [u, v] the bracket widened around a Newton
// root until it shows a sign change, within [L, H] (the stored bracket when it holds t).
#include <cmath>
#include <limits>

#include "numeric/nm_func_deriv.h"

namespace {

inline bool strictlySameSide(double u, double v) {
    return (u > 0 && v > 0) || (u < 0 && v < 0);
}

}  // namespace

NmFuncDeriv::NmFuncDeriv() : NmFunc(), mDerivative(nullptr) {}

NmFuncDeriv::NmFuncDeriv(void* handle, Computer f, Computer df)
    : NmFunc(handle, f), mDerivative(df) {}

NmFuncDeriv::NmFuncDeriv(void* handle, Computer f, Computer df, double a, double b)
    : NmFunc(handle, f, a, b), mDerivative(df) {}

NmFuncDeriv::NmFuncDeriv(const NmFuncDeriv& src) : NmFunc(src), mDerivative(src.mDerivative) {}

NmFuncDeriv& NmFuncDeriv::operator=(const NmFuncDeriv& src) {
    NmFunc::operator=(src);
    mDerivative = src.mDerivative;
    return *this;
}

double NmFuncDeriv::computeDeriv(double t) const {
    if (!mDerivative) return std::numeric_limits<double>::quiet_NaN();
    return mDerivative(handle(), t);
}

int NmFuncDeriv::root(double& x, double a, double b, double tol) {
    if (!std::isfinite(a) || !std::isfinite(b)) return 0;
    if (b < a) {
        double s = a;
        a = b;
        b = s;
    }
    double t = a;
    bool exhausted = true;
    for (int step = 0; step < kMaxNewtonSteps && exhausted; ++step) {
        const double ft = compute(t);
        if (std::isnan(ft)) {
            exhausted = false;
            break;
        }
        if (std::fabs(ft) < tol) {
            double lo = 0.0, hi = 0.0;
            bracket(lo, hi);
            if (!(lo < hi && lo <= t && t <= hi)) {
                lo = a;
                hi = b;
            }
            double w = tol;
            double u = t - w > lo ? t - w : lo;
            double v = t + w < hi ? t + w : hi;
            double fu = compute(u);
            double fv = compute(v);
            while (strictlySameSide(fu, fv) && (u > lo || v < hi)) {
                u = t - 2.0 * w > lo ? t - 2.0 * w : lo;
                w *= 2.0;
                v = t + w < hi ? t + w : hi;
                fu = compute(u);
                fv = compute(v);
            }
            // A touching root shows no sign change however wide the bracket; t is already
            // within tol then and is the answer.
            if (!NmFunc::root(x, u, v, tol)) x = t;
            return 1;
        }
        const double dt = computeDeriv(t);
        // A step too long for the bracket, or one that leaves it, hands over to bisection.
        const bool steep = std::fabs(ft) * 0.3 <= std::fabs(dt) * (b - a);
        const double next = steep ? t - ft / dt : t;
        if (!steep || !(next >= a - tol && next <= b + tol)) {
            exhausted = false;
            break;
        }
        t = next;
    }
    if (NmFunc::root(x, a, b, tol)) return 1;
    // Out of Newton steps without a bracketed root: leave the last iterate.
    if (exhausted) x = t;
    return 0;
}

int NmFuncDeriv::safeNewton(double& x, double a, double b, double tol) {
    if (b < a) {
        double s = a;
        a = b;
        b = s;
    }
    if (!(x >= a)) x = a;
    if (x > b) x = b;
    for (int step = 0; step < kMaxNewtonSteps; ++step) {
        const double fx = compute(x);
        if (std::isnan(fx)) return 0;
        if (std::fabs(fx) < tol) return 1;
        const double dx = computeDeriv(x);
        if (!(tol <= std::fabs(dx) * (b - a))) return 0;
        const double move = -fx / dx;
        if ((x <= a && move < 0) || (x >= b && move > 0)) return 0;
        x += move;
        if (x < a) x = a;
        if (x > b) x = b;
    }
    return 0;
}
