// Internal steps shared by the bracketed minimum searches of NmFunc and NmFuncDeriv.
#ifndef VQGE_NUMERIC_NM_MIN_COMMON_H
#define VQGE_NUMERIC_NM_MIN_COMMON_H

#include <cmath>

#include "nm_func.h"

namespace nmmin {

inline void order(double& a, double& b) {
    if (b < a) {
        double t = a;
        a = b;
        b = t;
    }
}

// The end with the lower value (a NaN value never wins); 0 when both values are NaN.
inline int lowerEnd(double a, double fa, double b, double fb, double& x, double& fx) {
    if (std::isnan(fa) || fa > fb) {
        x = b;
        fx = fb;
    } else {
        x = a;
        fx = fa;
    }
    return std::isnan(fx) ? 0 : 1;
}

// A trial point x not strictly inside (a, b) is replaced by the golden point on the side of
// the lower end, or the midpoint when the ends are level within tol.
inline void startPoint(double a, double fa, double b, double fb, double tol, double& x) {
    if (x > a && x < b) return;
    if (fb - tol > fa)
        x = NmFunc::kGoldLong * a + NmFunc::kGoldShort * b;
    else if (fa > fb + tol)
        x = NmFunc::kGoldShort * a + NmFunc::kGoldLong * b;
    else
        x = 0.5 * (a + b);
}

}  // namespace nmmin

#endif
