// NmTrigPoly values, derivative, roots in one period and root polish.
//
// Notation: a cos^2 + b sin cos + c sin^2 + d cos + e sin + f; t = tan(theta / 2) turns it
// into a quartic in t; phi = 2 theta turns the pure quadratic form into a linear one.
#include "nm_trigpoly.h"

#include <cmath>

#include "numeric/nm_poly_kernel.h"

namespace {

inline int signFlip(double a, double b) {
    return (a < 0.0 && b > 0.0) || (a > 0.0 && b < 0.0);
}

inline double clampUnit(double v) {
    return v < -1.0 ? -1.0 : (v > 1.0 ? 1.0 : v);
}

}  // namespace

NmTrigPoly::NmTrigPoly()
    : mA(0.0), mB(0.0), mC(0.0), mD(0.0), mE(0.0), mF(0.0), mTol(kDefaultTol) {}

NmTrigPoly::NmTrigPoly(double d, double e, double f, double tol)
    : mA(0.0), mB(0.0), mC(0.0), mD(d), mE(e), mF(f), mTol(tol) {}

NmTrigPoly::NmTrigPoly(double a, double b, double c, double d, double e, double f, double tol)
    : mA(a), mB(b), mC(c), mD(d), mE(e), mF(f), mTol(tol) {}

double NmTrigPoly::value(double theta) const {
    const double co = std::cos(theta);
    const double si = std::sin(theta);
    return mA * co * co + mB * si * co + mC * si * si + mD * co + mE * si + mF;
}

void NmTrigPoly::value(double theta, double& value, double& deriv) const {
    const double co = std::cos(theta);
    const double si = std::sin(theta);
    value = mA * co * co + mB * si * co + mC * si * si + mD * co + mE * si + mF;
    deriv = 2.0 * (mC - mA) * si * co + mB * (co * co - si * si) - mD * si + mE * co;
}

void NmTrigPoly::derivative(NmTrigPoly& out) const {
    out = NmTrigPoly(mB, 2.0 * (mC - mA), -mB, mE, -mD, 0.0, mTol);
}

int NmTrigPoly::solveLinear(double d, double e, double f, double* out) const {
    const double g = std::sqrt(d * d + e * e);
    // Without an angular term the equation holds for every angle or for none; neither
    // gives roots to list.
    if (!(g > 0.0) || !std::isfinite(g) || !std::isfinite(f)) return 0;
    const double x = d / g;
    const double h = e / g;
    const double r = f / g;
    double phi;
    if (std::fabs(x) >= std::fabs(h))
        phi = x >= 0.0 ? std::asin(h) : kPi - std::asin(h);
    else
        phi = h >= 0.0 ? std::acos(x) : -std::acos(x);
    if (std::fabs(r) > 1.0 + mTol) return 0;
    if (std::fabs(r) > 1.0 - mTol) {
        out[0] = r >= 0.0 ? phi + kPi : phi;
        return 1;
    }
    const double half = std::acos(clampUnit(-r));
    out[0] = phi + half;
    out[1] = phi - half;
    return 2;
}

int NmTrigPoly::solve(NmVector& angles) const {
    double out[8];
    int count = 0;
    const double tol = mTol;
    const double all[7] = {mA, mB, mC, mD, mE, mF, mTol};
    if (!nmPolyAllFinite(all, 6)) {
        angles.reset(0);
        return 0;
    }
    if (std::fabs(mA) <= tol && std::fabs(mB) <= tol && std::fabs(mC) <= tol) {
        count = solveLinear(mD, mE, mF, out);
    } else if (std::fabs(mD) >= tol || std::fabs(mE) >= tol) {
        const double q[5] = {mA + mD + mF, 2.0 * (mB + mE), 4.0 * mC + 2.0 * mF - 2.0 * mA,
                             2.0 * (mE - mB), mA - mD + mF};
        const int m = nmPolyNormDegree(q, 4, tol);
        // A vanishing top term means t runs off to infinity: theta = pi.
        if (std::fabs(q[4]) < tol) out[count++] = kPi;
        double t[4];
        const int k = nmPolyRealRoots(q, m, t);
        for (int i = 0; i < k; ++i) out[count++] = 2.0 * std::atan(t[i]);
        for (int i = 0; i < count; ++i) {
            if (!polish(out[i])) {
                count = 0;
                break;
            }
        }
    } else {
        double half[2];
        const int k = solveLinear(mA - mC, mB, mA + mC + 2.0 * mF, half);
        for (int i = 0; i < k; ++i) {
            out[count++] = 0.5 * half[i];
            out[count++] = 0.5 * half[i] + kPi;
        }
    }
    angles.reset(count, out);
    return angles.dim();
}

int NmTrigPoly::solve(NmVector& cosines, NmVector& sines) const {
    NmVector angles;
    const int n = solve(angles);
    cosines.reset(n);
    sines.reset(n);
    for (int i = 0; i < n && i < cosines.dim() && i < sines.dim(); ++i) {
        cosines[i] = std::cos(angles[i]);
        sines[i] = std::sin(angles[i]);
    }
    return n;
}

int NmTrigPoly::polish(double& theta) const {
    if (!std::isfinite(theta)) return 0;
    double v, dv;
    value(theta, v, dv);
    int converged = 0;
    double step = 0.0, vNext = 0.0, thetaNext = theta;
    for (int i = 0; i < kMaxPolishSteps; ++i) {
        if (v == 0.0 || dv == 0.0) return 1;
        step = -v / dv;
        if (!std::isfinite(step)) return 1;
        thetaNext = theta + step;
        double dvNext;
        value(thetaNext, vNext, dvNext);
        if (!signFlip(v, vNext) && vNext != 0.0 && std::fabs(vNext) < std::fabs(v)) {
            theta = thetaNext;
            v = vNext;
            dv = dvNext;
            continue;
        }
        converged = 1;
        break;
    }
    if (!converged) return 0;
    // The Newton phase overshot or stalled. Halve the last step until the sign change is
    // caught, then bisect; the best point seen (never worse than the Newton result) wins.
    double best = theta, bestAbs = std::fabs(v);
    double lo = theta, vLo = v, hi = thetaNext, vHi = vNext;
    int bracketed = signFlip(v, vNext) || vNext == 0.0;
    for (int i = 0; !bracketed && i < kMaxPolishSteps; ++i) {
        step *= 0.5;
        const double t = lo + step;
        if (t == lo) break;
        const double vt = value(t);
        if (std::fabs(vt) < bestAbs) {
            best = t;
            bestAbs = std::fabs(vt);
        }
        if (signFlip(vLo, vt) || vt == 0.0) {
            hi = t;
            vHi = vt;
            bracketed = 1;
        } else if (std::fabs(vt) < std::fabs(vLo)) {
            lo = t;
            vLo = vt;
        }
    }
    if (bracketed && std::fabs(vHi) < bestAbs) {
        best = hi;
        bestAbs = std::fabs(vHi);
    }
    for (int i = 0; bracketed && vHi != 0.0 && i < kMaxPolishSteps; ++i) {
        const double mid = 0.5 * (lo + hi);
        if (!(mid != lo && mid != hi)) break;
        const double vm = value(mid);
        if (std::fabs(vm) < bestAbs) {
            best = mid;
            bestAbs = std::fabs(vm);
        }
        if (vm == 0.0) break;
        if (signFlip(vLo, vm)) {
            hi = mid;
            vHi = vm;
        } else {
            lo = mid;
            vLo = vm;
        }
    }
    theta = best;
    return 1;
}
