// NmPolynom range estimate and real roots.
#include <cmath>

#include "nm_polynom.h"
#include "numeric/nm_poly_kernel.h"

void NmPolynom::estimate(double a, double b, double& lo, double& hi) const {
    const int n = mDegree;
    if (n < 0) {
        lo = hi = 0.0;
        return;
    }
    NmPolyScratch scratch(n + 1);
    double* t = scratch.data();
    if (!t) {
        // Without work space only the trivial bounds are certain.
        lo = -HUGE_VAL;
        hi = HUGE_VAL;
        return;
    }
    for (int i = 0; i <= n; ++i) t[i] = mCoeff[i];
    // Taylor shift to a: t[k] = p^(k)(a) / k!, then scaled by (b - a)^k so that t holds
    // the power form of p(a + u (b - a)) on u in [0, 1].
    for (int k = 0; k < n; ++k)
        for (int i = n - 1; i >= k; --i) t[i] += a * t[i + 1];
    const double h = b - a;
    double hk = 1.0;
    for (int k = 1; k <= n; ++k) {
        hk *= h;
        t[k] *= hk;
    }
    // Bernstein coefficient j = sum over k <= j of C(j, k) / C(n, k) * t[k].
    for (int j = 0; j <= n; ++j) {
        double ratio = 1.0;
        double beta = t[0];
        for (int k = 0; k < j; ++k) {
            ratio *= static_cast<double>(j - k) / (n - k);
            beta += ratio * t[k + 1];
        }
        if (j == 0 || beta < lo) lo = beta;
        if (j == 0 || beta > hi) hi = beta;
    }
}

int NmPolynom::root(double& x) const {
    return nmPolyNewton(mCoeff.data(), mDegree, x);
}

int NmPolynom::polish(double& x) const {
    return nmPolyPolish(mCoeff.data(), mDegree, x);
}

int NmPolynom::root(double& x, double& y) const {
    return nmPolyEndRoots(mCoeff.data(), mDegree, x, y);
}

int NmPolynom::root(NmVector& roots) const {
    roots.reset(0);
    if (mDegree < 1) return 0;
    NmPolyScratch scratch(mDegree);
    double* out = scratch.data();
    if (!out) return 0;
    const int count = nmPolyRealRoots(mCoeff.data(), mDegree, out);
    roots.reset(count, out);
    return roots.dim();
}
