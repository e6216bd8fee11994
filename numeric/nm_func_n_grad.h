// Internal: NmFuncN that also carries the gradient, with a derivative-based line search and
// a conjugate-gradient minimum.
#ifndef VQGE_NUMERIC_NM_FUNC_N_GRAD_H
#define VQGE_NUMERIC_NM_FUNC_N_GRAD_H

#include "nm_func_n.h"

class VQGE_API NmFuncNGrad : public NmFuncN {
public:
    VQGE_HOOKED_NEW

    typedef NmVector (*Gradient)(void* handle, const NmVector& x);

    static constexpr int kMaxCgIter = 66;

    NmFuncNGrad();
    NmFuncNGrad(void* handle, int dim, Computer f, Gradient grad, const NmVector& lo,
                const NmVector& hi);
    NmFuncNGrad(const NmFuncNGrad& src);
    NmFuncNGrad& operator=(const NmFuncNGrad& src);

    Gradient gradient() const { return mGradient; }
    NmFuncNGrad& setGradient(Gradient grad) {
        mGradient = grad;
        return *this;
    }
    // The gradient at x; empty without a gradient callback.
    NmVector grad(const NmVector& x) const;

    // Line search along dir using the slope gradient . dir; x is clamped into the box first
    // and stays inside it.
    Nm::Code minOnRay(NmVector& x, NmVector& dir, double& fx, double tol) override;
    // Polak-Ribiere conjugate gradient with restarts inside the box; 1 when converged.
    // 0 after the iteration limit (x and fx hold the last iterate), when the gradient is
    // missing or of the wrong length, or on inconsistent input (nothing changed then).
    int minimum(NmVector& x, double& fx, double tol);

private:
    void clampIntoBox(NmVector& x) const;

    Gradient mGradient;
};

#endif
