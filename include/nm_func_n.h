// Numeric kernel: many-variable function objects on a box, with line minimisation.
#ifndef VQGE_NM_FUNC_N_H
#define VQGE_NM_FUNC_N_H

#include "nm_func.h"
#include "nm_vector.h"
#include "vqge_defs.h"
#include "vqge_heap.h"

// A caller's function f(handle, x) of dim variables bounded by the box [lo, hi]. The object
// holds the box, the handle and the callback; whatever the handle points to stays the
// caller's. A missing callback evaluates to NaN.
//
// One virtual slot: minOnRay. The destructor is deliberately not virtual (it would take
// slots of its own); the objects live by value on the caller's stack.
class VQGE_API NmFuncN {
public:
    VQGE_HOOKED_NEW

    typedef double (*Computer)(void* handle, const NmVector& x);

    NmFuncN();
    NmFuncN(void* handle, int dim, Computer f, const NmVector& lo, const NmVector& hi);
    NmFuncN(const NmFuncN& src);
    NmFuncN& operator=(const NmFuncN& src);
    ~NmFuncN();

    void bracket(NmVector& lo, NmVector& hi) const;
    NmFuncN& setBracket(const NmVector& lo, const NmVector& hi);
    int dim() const { return mDim; }
    void* handle() const { return mHandle; }
    Computer computer() const { return mComputer; }
    double operator()(const NmVector& x) const;

    // Minimum of f(x + t dir) over the admissible steps t >= 0. Components of dir that
    // point out of the box from its edge are zeroed first. x moves to the result and fx
    // receives its value. Vectors whose length differs from dim, non-finite x or dir, or
    // a box that does not match dim give kStepTooSmall with nothing changed.
    virtual Nm::Code minOnRay(NmVector& x, NmVector& dir, double& fx, double tol);

protected:
    // 1 when the box and the vectors have length dim >= 1 and x and dir are finite.
    int consistent(const NmVector& x, const NmVector* dir) const;
    // A usable tolerance: non-positive or NaN values become the default point tolerance.
    static double usableTol(double tol);

    int mDim;
    void* mHandle;
    Computer mComputer;
    NmVector mLo;
    NmVector mHi;
};

#endif
