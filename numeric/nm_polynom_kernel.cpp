// Raw-array polynomial evaluation, normalisation and deflation.
#include <cmath>

#include "numeric/nm_poly_kernel.h"

double nmPolyValue(const double* c, int n, double x) {
    if (n < 0) return 0.0;
    double v = c[n];
    for (int i = n - 1; i >= 0; --i) v = v * x + c[i];
    return v;
}

void nmPolyD1(const double* c, int n, double x, double& v, double& dv) {
    v = 0.0;
    dv = 0.0;
    if (n < 0) return;
    v = c[n];
    for (int i = n - 1; i >= 0; --i) {
        dv = dv * x + v;
        v = v * x + c[i];
    }
}

void nmPolyD1Err(const double* c, int n, double x, double& v, double& dv, double& err) {
    v = 0.0;
    dv = 0.0;
    err = 0.0;
    if (n < 0) return;
    // Running error bound of Horner's rule: |fl(p) - p| <= u (2 mu - |fl(p)|).
    const double u = 0x1p-53;
    const double ax = std::fabs(x);
    v = c[n];
    double mu = std::fabs(v) / 2.0;
    for (int i = n - 1; i >= 0; --i) {
        dv = dv * x + v;
        v = v * x + c[i];
        mu = mu * ax + std::fabs(v);
    }
    err = u * (2.0 * mu - std::fabs(v));
    if (err < 0.0) err = 0.0;
}

double nmPolyLongValue(const double* c, int n, double x) {
    double pos = 0.0;
    double neg = 0.0;
    double xi = 1.0;
    for (int i = 0; i <= n; ++i) {
        const double t = c[i] * xi;
        if (t > 0.0)
            pos += t;
        else
            neg -= t;
        xi *= x;
    }
    return pos - neg;
}

double nmPolySlope(const double* c, int n, double x) {
    if (n < 1) return 0.0;
    double s = n * c[n];
    for (int i = n - 1; i >= 1; --i) s = s * x + i * c[i];
    return s;
}

int nmPolyNormDegree(const double* c, int n, double tol) {
    while (n > 0 && std::fabs(c[n]) <= tol) --n;
    return n;
}

double nmPolyHeight(const double* c, int n) {
    if (n <= 0) return 0.0;
    double m = 0.0;
    for (int i = 0; i < n; ++i)
        if (std::fabs(c[i]) > m) m = std::fabs(c[i]);
    return m / std::fabs(c[n]);
}

double nmPolyDeflate(double* c, int n, double r) {
    if (n < 0) return 0.0;
    double acc = c[n];
    for (int i = n - 1; i >= 0; --i) {
        const double t = c[i];
        c[i] = acc;
        acc = t + r * acc;
    }
    return acc;
}

int nmPolyAllFinite(const double* c, int n) {
    for (int i = 0; i <= n; ++i)
        if (!std::isfinite(c[i])) return 0;
    return 1;
}
