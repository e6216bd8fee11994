// NmFuncNGrad: derivative-based line minimisation and the conjugate-gradient minimum.
//
// Notation: g(t) = F(x + t dir) with slope g'(t) = grad F(x + t dir) . dir on [0, tmax],
// tmax the longest step inside the box; in the conjugate gradient, f and g are the value
// and gradient at the start of an iteration, h the search direction (d its working copy,
// whose outward components the line search may zero).
#include <cmath>

#include "numeric/nm_func_n_grad.h"
#include "numeric/nm_func_ray.h"

namespace {

// Steps below 2^-52 are not worth taking.
constexpr double kMinStep = 2.220446049250313e-16;
// Value differences below this share of the values are rounding noise.
constexpr double kNoiseShare = 2.220446049250313e-14;

}  // namespace

NmFuncNGrad::NmFuncNGrad() : NmFuncN(), mGradient(nullptr) {}

NmFuncNGrad::NmFuncNGrad(void* handle, int dim, Computer f, Gradient grad, const NmVector& lo,
                         const NmVector& hi)
    : NmFuncN(handle, dim, f, lo, hi), mGradient(grad) {}

NmFuncNGrad::NmFuncNGrad(const NmFuncNGrad& src) : NmFuncN(src), mGradient(src.mGradient) {}

NmFuncNGrad& NmFuncNGrad::operator=(const NmFuncNGrad& src) {
    NmFuncN::operator=(src);
    mGradient = src.mGradient;
    return *this;
}

NmVector NmFuncNGrad::grad(const NmVector& x) const {
    if (!mGradient) return NmVector();
    return mGradient(mHandle, x);
}

void NmFuncNGrad::clampIntoBox(NmVector& x) const {
    for (int i = 0; i < mDim; ++i) {
        if (x[i] < mLo[i]) x[i] = mLo[i];
        if (x[i] > mHi[i]) x[i] = mHi[i];
    }
}

double NmRay::slope(void* handle, double t) {
    NmRay* ray = static_cast<NmRay*>(handle);
    ray->place(t);
    const NmVector gv = ray->grad->grad(ray->work);
    // A gradient of the wrong length has no slope.
    if (gv.dim() != ray->dir->dim()) return NAN;
    return gv * (*ray->dir);
}

Nm::Code NmFuncNGrad::minOnRay(NmVector& x, NmVector& dir, double& fx, double tol) {
    if (!consistent(x, &dir)) return Nm::kStepTooSmall;
    tol = usableTol(tol);
    clampIntoBox(x);
    fx = (*this)(x);
    double tmax = 1.0 / tol;
    bool useful = false;
    for (int i = 0; i < mDim; ++i) {
        if (dir[i] == 0.0) continue;
        const double room = dir[i] > 0 ? mHi[i] - x[i] : x[i] - mLo[i];
        if (room < tol) {
            dir[i] = 0.0;
        } else {
            const double s = room / std::fabs(dir[i]);
            if (s < tmax) tmax = s;
        }
        if (std::fabs(dir[i]) > 2.0 * tol) useful = true;
    }
    if (!useful) return Nm::kZeroDirection;
    if (std::isnan(fx)) return Nm::kStepTooSmall;

    NmRay ray(this, x, dir);
    ray.grad = this;
    if (ray.work.dim() != mDim) return Nm::kStepTooSmall;
    NmRayFuncDeriv g(&ray, NmRay::value, NmRay::slope, 0.0, tmax);
    const double g0 = fx;
    if (!(g.computeDeriv(0.0) < 0)) return Nm::kStepTooSmall;
    const double g1 = g(tmax);
    if (g1 < g0) {
        NmRay::moveAlong(x, dir, tmax);
        clampIntoBox(x);
        fx = g1;
        return Nm::kBoundaryReached;
    }
    double t = tmax;
    double gt = g1;
    while (!(gt <= g0)) {
        if (gt - g0 < kNoiseShare * (std::fabs(gt) + std::fabs(g0))) return Nm::kStepTooSmall;
        t *= 0.5;
        if (t < kMinStep) return Nm::kStepTooSmall;
        gt = g(t);
    }
    // The search bracket never reaches past the box.
    double a = 0.0, tm = t, b = 2.0 * t < tmax ? 2.0 * t : tmax, fm = g0;
    const int found = g.bracketed(a, tm, b, fm, tol);
    if (found || fm < g0) {
        NmRay::moveAlong(x, dir, tm);
        clampIntoBox(x);
        fx = fm;
    }
    return found ? Nm::kMinimumFound : Nm::kNoConvergence;
}

int NmFuncNGrad::minimum(NmVector& x, double& fx, double tol) {
    if (!consistent(x, nullptr)) return 0;
    clampIntoBox(x);
    double f = (*this)(x);
    fx = f;
    NmVector g = grad(x);
    if (g.dim() != mDim) return 0;
    NmVector h = -g;
    NmVector d(h);
    NmVector xOld(x);
    for (int iter = 0; iter < kMaxCgIter; ++iter) {
        xOld = x;
        const Nm::Code code = minOnRay(x, d, fx, tol);
        if (code == Nm::kZeroDirection) return 1;
        bool converged = true;
        for (int i = 0; i < mDim && converged; ++i) {
            if (!(tol * std::fabs(x[i] - xOld[i]) >= 2.0 * std::fabs(fx - f))) converged = false;
        }
        if (converged) return 1;
        f = (*this)(x);
        NmVector gNew = grad(x);
        if (gNew.dim() != mDim) return 0;
        if (code == Nm::kBoundaryReached) {
            // A bound became active: the conjugacy is lost, restart downhill.
            for (int i = 0; i < mDim; ++i) h[i] = -gNew[i];
            g = gNew;
            d = h;
            continue;
        }
        const double gg = g * g;
        if (gg == 0.0) return 1;
        double num = 0.0;
        for (int i = 0; i < mDim; ++i) num += (gNew[i] - g[i]) * gNew[i];
        const double gamma = num / gg;
        g = gNew;
        for (int i = 0; i < mDim; ++i) h[i] = -g[i] + gamma * h[i];
        d = h;
    }
    return 0;
}
