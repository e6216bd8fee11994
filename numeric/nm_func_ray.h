// Internal: a many-variable function restricted to the ray x + t dir, as one-variable
// function objects for the line searches of NmFuncN and NmFuncNGrad.
#ifndef VQGE_NUMERIC_NM_FUNC_RAY_H
#define VQGE_NUMERIC_NM_FUNC_RAY_H

#include "nm_func.h"
#include "nm_func_n.h"
#include "numeric/nm_func_deriv.h"

class NmFuncNGrad;

// Handle of the ray callbacks; work holds the current point so that evaluations along the
// ray reuse one vector.
struct NmRay {
    NmRay(const NmFuncN* f, const NmVector& origin, const NmVector& direction)
        : fn(f), grad(nullptr), x(&origin), dir(&direction), work(origin) {}

    static double value(void* handle, double t);
    // g'(t) = gradient(x + t dir) . dir; needs grad.
    static double slope(void* handle, double t);
    static void moveAlong(NmVector& x, const NmVector& dir, double t);
    void place(double t);

    const NmFuncN* fn;
    const NmFuncNGrad* grad;
    const NmVector* x;
    const NmVector* dir;
    NmVector work;
};

// Exposes the parabolic bracketed search to the line minimisation.
class NmRayFunc : public NmFunc {
public:
    using NmFunc::NmFunc;
    int bracketed(double& a, double& x, double& b, double& fx, double tol) {
        return minInBracket(a, x, b, fx, tol);
    }
};

// Exposes the derivative-based bracketed search to the gradient line minimisation.
class NmRayFuncDeriv : public NmFuncDeriv {
public:
    using NmFuncDeriv::NmFuncDeriv;
    int bracketed(double& a, double& x, double& b, double& fx, double tol) {
        return minInBracket(a, x, b, fx, tol);
    }
};

#endif
