// NmFuncDeriv derivative-based minimum: end and trial-point analysis, then bisection on f'.
//
// Notation: a < x < b with values fa, fx, fb and slopes da, dx, db (a slope below tol
// counts as 0); tol is on function values and on slopes.
#include <cmath>

#include "numeric/nm_func_deriv.h"
#include "numeric/nm_min_common.h"

namespace {

inline double zeroed(double v, double tol) {
    return std::fabs(v) < tol ? 0.0 : v;
}

}  // namespace

int NmFuncDeriv::minimum(double& a, double& x, double& b, double& fx, double tol) {
    nmmin::order(a, b);
    const double fa = compute(a);
    const double fb = compute(b);
    nmmin::startPoint(a, fa, b, fb, tol, x);
    fx = compute(x);
    if (fx < fa - tol && fx < fb - tol) return minInBracket(a, x, b, fx, tol);
    if (std::isnan(fx) || (fx > fa - tol && fx > fb - tol))
        return nmmin::lowerEnd(a, fa, b, fb, x, fx);

    const double da = zeroed(computeDeriv(a), tol);
    const double db = zeroed(computeDeriv(b), tol);
    const double dx = zeroed(computeDeriv(x), tol);
    const double a0 = a;
    const double b0 = b;
    if (!(fx < fa - tol)) {
        // x is no better than a but better than b.
        if (dx >= 0) {
            if (da < 0) {
                b = x;
                x = 0.5 * (a + b);
                return minInBracket(a, x, b, fx, tol);
            }
            x = a;
            fx = fa;
            return 1;
        }
        int res = minInBracket(a, x, b, fx, tol);
        if (fa < fx || std::isnan(fx)) {
            x = a0;
            fx = fa;
            res = 1;
        }
        return res;
    }
    // Mirror image: x is no better than b but better than a.
    if (dx <= 0) {
        if (db > 0) {
            a = x;
            x = 0.5 * (a + b);
            return minInBracket(a, x, b, fx, tol);
        }
        x = b;
        fx = fb;
        return 1;
    }
    int res = minInBracket(a, x, b, fx, tol);
    if (fb < fx || std::isnan(fx)) {
        x = b0;
        fx = fb;
        res = 1;
    }
    return res;
}

int NmFuncDeriv::minimum(double& x, double& fx, double tol) {
    double lo = 0.0, hi = 0.0;
    bracket(lo, hi);
    return minimum(lo, x, hi, fx, tol);
}

int NmFuncDeriv::minInBracket(double& a, double& x, double& b, double& fx, double tol) {
    nmmin::order(a, b);
    const double fa = compute(a);
    const double fb = compute(b);
    double da = zeroed(computeDeriv(a), tol);
    double db = zeroed(computeDeriv(b), tol);
    if (!((da <= -tol && db >= tol) || (std::fabs(fa) <= tol && std::fabs(fb) <= tol))) {
        return nmmin::lowerEnd(a, fa, b, fb, x, fx);
    }
    for (int iter = 0; iter < kMaxDerivBisect; ++iter) {
        if (-da > db + tol) {
            x = kGoldShort * a + kGoldLong * b;
        } else if (std::fabs(-da - db) <= tol) {
            x = 0.5 * (a + b);
        } else {
            x = kGoldLong * a + kGoldShort * b;
        }
        const double dx = computeDeriv(x);
        if (std::isnan(dx)) break;
        const double scale = db > -da ? db : -da;
        if (std::fabs(dx) < tol * scale) {
            fx = compute(x);
            return std::isnan(fx) ? 0 : 1;
        }
        if (dx < 0) {
            a = x;
            da = dx;
        } else {
            b = x;
            db = dx;
        }
        if (b - a < tol) {
            fx = compute(x);
            return std::isnan(fx) ? 0 : 1;
        }
    }
    fx = compute(x);
    return 0;
}
