// Real roots of raw-array polynomials: relaxed Newton, polishing, both-end roots and the
// complete real root set.
//
// Notation: c[0..n] coefficients (ascending), v = p(x), dv = p'(x), err = rounding bound of
// v, s = step, w = 1 - |s / sPrev| (step ratio watch), relax = step factor after a slow start.
#include <cmath>

#include "numeric/nm_poly_kernel.h"

namespace {

const int kMaxSteps = 66;
const double kTinyValue = 1e-36;
// Below this the value counts as a root where the slope turns over during plain steps.
const double kTurnValue = 1e-24;
const double kQuadTol = 1e-12;
const double kUnit = 0x1p-53;

enum NewtonMode { kWatch, kRelaxed, kPlain };

inline int signFlip(double a, double b) {
    return (a < 0.0 && b > 0.0) || (a > 0.0 && b < 0.0);
}

}  // namespace

int nmPolyNewton(const double* c, int n, double& x) {
    if (n < 0 || !std::isfinite(x)) return 0;
    NewtonMode mode = kWatch;
    double relax = 1.0;
    double sPrev = 4.0 * std::fabs(x);
    double xPrev = x, vPrev = 0.0, dvPrev = 0.0;
    int havePrev = 0;
    double best = x, bestAbs = HUGE_VAL;
    for (int step = 0; step < kMaxSteps; ++step) {
        double v, dv, err;
        nmPolyD1Err(c, n, x, v, dv, err);
        if (!std::isfinite(v) || !std::isfinite(dv)) break;
        if (std::fabs(v) < bestAbs) {
            best = x;
            bestAbs = std::fabs(v);
        }
        if (std::fabs(v) < kTinyValue) return 1;
        // An unchanged value is convergence only where the value is lost in rounding
        // anyway; elsewhere it may be a symmetric pair of points far from any root.
        if (havePrev && v == vPrev && std::fabs(v) <= 16.0 * err) return 1;
        if (havePrev) {
            const int dvFlip = signFlip(dv, dvPrev);
            if (mode != kPlain && (signFlip(v, vPrev) || dvFlip)) {
                // Overshot: take the last step again from the previous point, unrelaxed.
                mode = kPlain;
                relax = 1.0;
                x = xPrev;
                v = vPrev;
                dv = dvPrev;
            } else if (mode == kPlain && dvFlip && std::fabs(v) < kTurnValue) {
                // The slope turned over next to a near-multiple root: accept the point.
                return 1;
            }
        }
        if (dv == 0.0) break;
        double s = -v / dv;
        if (mode == kWatch) {
            // Steps shrinking by a steady ratio above 1/3 mean a multiple root or a far
            // start; a ratio of 1 or more gives no usable factor.
            const double w = 1.0 - std::fabs(s / sPrev);
            if (w > 0.0 && w < 1.0 / 1.5) {
                mode = kRelaxed;
                relax = 0.9 / w;
            }
        }
        if (mode == kRelaxed) s *= relax;
        const double xNew = x + s;
        if (xNew == x) return 1;
        // A step inside the rounding of x and of the value cannot improve x: without this
        // test the iteration can bounce between the two doubles next to a root.
        if (std::fabs(s) <= 4.0 * kUnit * std::fabs(x) + relax * err / std::fabs(dv)) {
            x = xNew;
            return 1;
        }
        sPrev = s;
        xPrev = x;
        vPrev = v;
        dvPrev = dv;
        havePrev = 1;
        x = xNew;
        if (!std::isfinite(x)) break;
    }
    x = best;
    return 0;
}

int nmPolyPolish(const double* c, int n, double& x) {
    if (n < 0 || !std::isfinite(x)) return 0;
    double xPrev = x, vPrev = 0.0, dvPrev = 0.0;
    int havePrev = 0;
    for (int step = 0; step < kMaxSteps; ++step) {
        const double v = nmPolyLongValue(c, n, x);
        const double dv = nmPolySlope(c, n, x);
        if (!std::isfinite(v) || !std::isfinite(dv)) {
            x = xPrev;
            return 0;
        }
        if (std::fabs(v) < kTinyValue) return 1;
        if (havePrev && (signFlip(v, vPrev) || signFlip(dv, dvPrev))) {
            // The root lies between the last two points: keep the smaller value.
            if (std::fabs(vPrev) < std::fabs(v)) x = xPrev;
            return 1;
        }
        if (dv == 0.0) return 0;
        const double xNew = x - v / dv;
        if (xNew == x) return 1;
        xPrev = x;
        vPrev = v;
        dvPrev = dv;
        havePrev = 1;
        x = xNew;
    }
    return 0;
}

int nmPolyEndRoots(const double* c, int n, double& x, double& y) {
    if (n < 1) return 0;
    const double h = nmPolyHeight(c, n);
    x = -(h + 1.0);
    y = h + 1.0;
    int bits = 0;
    if (nmPolyNewton(c, n, x)) bits |= 1;
    if (n > 1 && nmPolyNewton(c, n, y)) bits |= 2;
    return bits;
}

namespace {

int quadraticRoots(const double* c, double* out) {
    const double p = c[1] / (2.0 * c[2]);
    const double q = c[0] / c[2];
    const double disc = p * p - q;
    if (disc < -kQuadTol) return 0;
    if (disc >= kQuadTol) {
        // Each root from the form without cancellation.
        const double sq = std::sqrt(disc);
        if (p > 0.0) {
            out[0] = -p - sq;
            out[1] = -q / (p + sq);
        } else {
            out[0] = q / (sq - p);
            out[1] = sq - p;
        }
        return 2;
    }
    out[0] = -p;
    return 1;
}

}  // namespace

int nmPolyRealRoots(const double* c, int n, double* out) {
    if (n < 1 || !nmPolyAllFinite(c, n)) return 0;
    const int m = nmPolyNormDegree(c, n, kQuadTol);
    if (m == 0) return 0;
    if (m == 1) {
        out[0] = -c[0] / c[1];
        return 1;
    }
    if (m == 2) return quadraticRoots(c, out);

    NmPolyScratch scratch(m + 1);
    double* work = scratch.data();
    if (!work) return 0;
    for (int i = 0; i <= m; ++i) work[i] = c[i];
    int found = 0;
    while (found < m) {
        int d = m - found;
        double x, y;
        const int bits = nmPolyEndRoots(work, d, x, y);
        if (bits == 0) break;
        if (bits & 1) {
            out[found++] = x;
            nmPolyDeflate(work, d, x);
            --d;
        }
        // Both ends may have reached the same simple root: y counts only when it is still
        // a root of what is left after deflating x.
        if ((bits & 2) && d >= 1 && ((bits & 1) == 0 || nmPolyNewton(work, d, y))) {
            out[found++] = y;
            nmPolyDeflate(work, d, y);
        }
    }
    for (int i = 0; i < found; ++i)
        if (!nmPolyPolish(c, n, out[i])) return 0;
    return found;
}
