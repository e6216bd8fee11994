// NmFuncN construction, evaluation and the line minimisation without derivatives.
//
// Notation: g(t) = f(x + t dir) on [0, tmax]; tmax is the longest step that stays within
// 10 tol of the box (at most 1 / tol); f0 = g(0), f1 = g(tmax).
#include "nm_func_n.h"

#include <cmath>
#include <limits>

#include "numeric/nm_func_ray.h"
#include "vqge_context.h"

NmFuncN::NmFuncN() : mDim(0), mHandle(nullptr), mComputer(nullptr) {}

NmFuncN::NmFuncN(void* handle, int dim, Computer f, const NmVector& lo, const NmVector& hi)
    : mDim(dim < 0 ? 0 : dim), mHandle(handle), mComputer(f), mLo(lo), mHi(hi) {}

NmFuncN::NmFuncN(const NmFuncN& src)
    : mDim(src.mDim), mHandle(src.mHandle), mComputer(src.mComputer), mLo(src.mLo), mHi(src.mHi) {}

NmFuncN& NmFuncN::operator=(const NmFuncN& src) {
    mDim = src.mDim;
    mHandle = src.mHandle;
    mComputer = src.mComputer;
    mLo = src.mLo;
    mHi = src.mHi;
    return *this;
}

NmFuncN::~NmFuncN() {}

void NmFuncN::bracket(NmVector& lo, NmVector& hi) const {
    lo = mLo;
    hi = mHi;
}

NmFuncN& NmFuncN::setBracket(const NmVector& lo, const NmVector& hi) {
    mLo = lo;
    mHi = hi;
    return *this;
}

double NmFuncN::operator()(const NmVector& x) const {
    if (!mComputer) return std::numeric_limits<double>::quiet_NaN();
    return mComputer(mHandle, x);
}

int NmFuncN::consistent(const NmVector& x, const NmVector* dir) const {
    if (mDim < 1 || mLo.dim() != mDim || mHi.dim() != mDim || x.dim() != mDim) return 0;
    if (dir && dir->dim() != mDim) return 0;
    for (int i = 0; i < mDim; ++i) {
        if (!std::isfinite(x[i])) return 0;
        if (dir && !std::isfinite((*dir)[i])) return 0;
    }
    return 1;
}

double NmFuncN::usableTol(double tol) {
    if (tol > 0.0) return tol;
    const double fallback = std::fabs(VqGeContext::gTol.equalPoint());
    return fallback > 0.0 ? fallback : 1e-10;
}

double NmRay::value(void* handle, double t) {
    NmRay* ray = static_cast<NmRay*>(handle);
    ray->place(t);
    return (*ray->fn)(ray->work);
}

void NmRay::place(double t) {
    const int n = work.dim();
    for (int i = 0; i < n; ++i) work[i] = (*x)[i] + t * (*dir)[i];
}

void NmRay::moveAlong(NmVector& x, const NmVector& dir, double t) {
    const int n = x.dim();
    for (int i = 0; i < n; ++i) x[i] += t * dir[i];
}

Nm::Code NmFuncN::minOnRay(NmVector& x, NmVector& dir, double& fx, double tol) {
    if (!consistent(x, &dir)) return Nm::kStepTooSmall;
    tol = usableTol(tol);
    fx = (*this)(x);
    double tmax = 1.0 / tol;
    bool useful = false;
    for (int i = 0; i < mDim; ++i) {
        if (x[i] < mLo[i] + tol && dir[i] < 0) dir[i] = 0.0;
        if (x[i] > mHi[i] - tol && dir[i] > 0) dir[i] = 0.0;
        if (std::fabs(dir[i]) >= tol) {
            const double toLo = (mLo[i] - 10.0 * tol - x[i]) / dir[i];
            const double toHi = (mHi[i] + 10.0 * tol - x[i]) / dir[i];
            if (toLo >= 0 && toLo < tmax) tmax = toLo;
            if (toHi >= 0 && toHi < tmax) tmax = toHi;
        }
        if (std::fabs(dir[i]) > 2.0 * tol) useful = true;
    }
    if (!useful) return Nm::kZeroDirection;
    if (std::isnan(fx)) return Nm::kStepTooSmall;

    NmRay ray(this, x, dir);
    if (ray.work.dim() != mDim) return Nm::kStepTooSmall;
    NmRayFunc g(&ray, NmRay::value, 0.0, tmax);
    const double f0 = fx;
    const double f1 = g(tmax);
    double t = tmax;
    if (!(f1 < f0)) {
        while (t > tol) {
            t *= 0.5;
            if (g(t) < f0) break;
        }
    }
    if (t < 2.0 * tol) return Nm::kStepTooSmall;
    if (f1 < f0) {
        NmRay::moveAlong(x, dir, tmax);
        fx = f1;
        return Nm::kBoundaryReached;
    }
    double a = 0.0, tm = t, b = tmax, fm = f0;
    const int found = g.bracketed(a, tm, b, fm, tol);
    // On failure the best iterate is still kept when it improves on the start.
    if (found || fm < f0) {
        NmRay::moveAlong(x, dir, tm);
        fx = fm;
    }
    return found ? Nm::kMinimumFound : Nm::kNoConvergence;
}
