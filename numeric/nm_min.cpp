// NmFunc bracketed minimum and parabolic search.
//
// Notation: a < x < b with values fa, fx, fb; u the clamped vertex of the parabola through
// the three points, m the fallback midpoint between u and x; tol is on function values.
#include <cmath>

#include "nm_func.h"
#include "numeric/nm_min_common.h"

int NmFunc::minimum(double& a, double& x, double& b, double& fx, double tol) {
    nmmin::order(a, b);
    const double fa = compute(a);
    const double fb = compute(b);
    nmmin::startPoint(a, fa, b, fb, tol, x);
    fx = compute(x);
    if (fx < fa - tol && fx < fb - tol) return minInBracket(a, x, b, fx, tol);
    return nmmin::lowerEnd(a, fa, b, fb, x, fx);
}

int NmFunc::minimum(double& x, double& fx, double tol) {
    double a = mLo;
    double b = mHi;
    return minimum(a, x, b, fx, tol);
}

int NmFunc::minInBracket(double& a, double& x, double& b, double& fx, double tol) {
    nmmin::order(a, b);
    double fa = compute(a);
    double fb = compute(b);
    if (!(x > a && x < b)) x = 0.5 * (a + b);
    fx = compute(x);
    if (!(fx < fa) || !(fx < fb)) return nmmin::lowerEnd(a, fa, b, fb, x, fx);

    for (int iter = 0; iter < kMaxParabolaIter; ++iter) {
        const double lo = 0.5 * (a + x);
        const double hi = 0.5 * (x + b);
        const double A = (fx - fa) * (b - a);
        const double D = (x - a) * (fb - fa);
        double u = 0.0;
        bool parabola = false;
        if (D - A != 0.0) {
            u = a - ((b - a) * A - (x - a) * D) * 0.5 / (D - A);
            parabola = std::isfinite(u);
        }
        if (!parabola) {
            // Collinear points (x has reached an end, or the values are flat): no vertex, so
            // halve the longer side instead.
            u = x - a >= b - x ? lo : hi;
        }
        if (u < lo) u = lo;
        if (u > hi) u = hi;

        const double fu = compute(u);
        double c = u;
        double fc = fu;
        bool better = fu < fx;
        if (!better) {
            if (u >= x) {
                b = u;
                fb = fu;
            } else {
                a = u;
                fa = fu;
            }
            c = 0.5 * (u + x);
            fc = compute(c);
            better = fc < fx;
        }
        if (better) {
            if (c >= x) {
                a = x;
                fa = fx;
            } else {
                b = x;
                fb = fx;
            }
            x = c;
            fx = fc;
        }
        if (fa - fx < tol && fb - fx < tol) return 1;
    }
    return 0;
}
