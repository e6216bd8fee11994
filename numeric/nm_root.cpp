// NmFunc golden-weighted bisection root.
//
// Notation: [a, b] the working bracket with values fa, fb; x the trial point, which leans
// toward the end of smaller |f| (weights 0.381966 / 0.618034).
#include <cmath>

#include "nm_func.h"

namespace {

// True when u and v do not have strictly opposite signs (the product would be >= 0); the
// sign test avoids the underflow of tiny products.
inline bool sameSideOrZero(double u, double v) {
    return !((u < 0 && v > 0) || (u > 0 && v < 0));
}

inline bool strictlySameSide(double u, double v) {
    return (u > 0 && v > 0) || (u < 0 && v < 0);
}

}  // namespace

int NmFunc::root(double& x, double a, double b, double tol) {
    if (!std::isfinite(a) || !std::isfinite(b)) return 0;
    if (b < a) {
        // The narrowing below assumes a <= b; a reversed bracket would stop at once.
        double t = a;
        a = b;
        b = t;
    }
    double fa = compute(a);
    double fb = compute(b);
    if (std::isnan(fa) || std::isnan(fb)) return 0;
    if (strictlySameSide(fa, fb)) return 0;
    for (;;) {
        // An end whose value is already within tol is the root (the smaller one when both are).
        if (std::fabs(fa) <= tol || std::fabs(fb) <= tol) {
            x = std::fabs(fb) < std::fabs(fa) ? b : a;
            return 1;
        }
        x = std::fabs(fb) <= std::fabs(fa) ? kGoldShort * a + kGoldLong * b
                                           : kGoldLong * a + kGoldShort * b;
        if (!(x > a && x < b)) {
            // Adjacent doubles around the sign change: the bracket cannot shrink any further.
            x = std::fabs(fb) < std::fabs(fa) ? b : a;
            return 1;
        }
        const double fx = compute(x);
        if (std::isnan(fx)) return 0;
        if (sameSideOrZero(fa, fx)) {
            a = x;
            fa = fx;
        } else {
            b = x;
            fb = fx;
        }
        if (!(b - a > kRootWidth) && std::fabs(fa) > tol && std::fabs(fb) > tol) return 1;
    }
}

int NmFunc::root(double& x, double tol) {
    return root(x, mLo, mHi, tol);
}
