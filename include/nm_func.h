// Numeric kernel: one-variable function objects with root, minimum and quadrature solvers,
// and the result codes of the line minimisers.
#ifndef VQGE_NM_FUNC_H
#define VQGE_NM_FUNC_H

#include "vqge_defs.h"
#include "vqge_heap.h"

// Result codes of the kernel's line minimisers.
struct VQGE_API Nm {
    enum Code {
        kNoConvergence = 4,   // the bracketed minimum search failed
        kMinimumFound = 5,    // an interior minimum was found; x moved to it
        kStepTooSmall = 6,    // no admissible step of useful length (or not a descent direction)
        kZeroDirection = 7,   // no component of the direction exceeds twice the tolerance
        kBoundaryReached = 8  // the full admissible step was taken to the edge of the box
    };
};

// Working record of the adaptive Gauss quadrature; lives for one call of NmFunc::quadra.
struct VQGE_API VqGeGaussData {
    int depth;              // current recursion depth
    int maxDepth;           // depth limit
    int evaluations;        // function evaluations so far
    int capacity;           // evaluation budget
    int pieces;             // 2 to the power depth
    double eps;             // requested relative accuracy
    double errorSum;        // accumulated error estimate
    double lastError;       // error estimate of the last refinement
    double failAt;          // left end of the first interval that missed the accuracy
    double length;          // b - a of the whole range
    double correction;      // accumulated extrapolation correction
    double total;           // running estimate of the whole integral
    double lastCorrection;  // extrapolation correction of the last refinement
    int failed;             // 1 once the accuracy could not be reached somewhere
};

// A caller's function f(handle, t) on a bracket [lo, hi]. The object holds only the bracket,
// the handle and the callback; whatever the handle points to stays the caller's. A missing
// callback evaluates to NaN, which every solver turns into a failure result.
//
// Virtual slots, in order: root (x, a, b, tol), root (x, tol), minimum (a, x, b, fx, tol),
// minInBracket (a, x, b, fx, tol). There is deliberately no virtual destructor: it would
// take slots of its own, and the objects live by value on the caller's stack.
class VQGE_API NmFunc {
public:
    VQGE_HOOKED_NEW

    typedef double (*Computer)(void* handle, double t);

    // Trial-point weights of the golden-weighted searches.
    static constexpr double kGoldShort = 0.381966;
    static constexpr double kGoldLong = 0.618034;
    // The bisection stops once the bracket is this narrow (1000 double epsilons).
    static constexpr double kRootWidth = 2.220446049250313e-13;
    static constexpr int kMaxParabolaIter = 44;
    static constexpr int kSimpsonMaxRefine = 21;
    // Deepest trapezoid level refined (2^24 new points).
    static constexpr int kTrapMaxLevel = 26;
    static constexpr int kRombergMaxRefine = 20;
    static constexpr int kGaussMaxDepth = 31;
    static constexpr int kGaussCapacity = 500000;
    static constexpr int kGaussReducedDepth = 7;

    NmFunc();
    NmFunc(void* handle, Computer f);
    // The bracket is stored sorted.
    NmFunc(void* handle, Computer f, double a, double b);
    NmFunc(const NmFunc& src);
    NmFunc& operator=(const NmFunc& src);

    void bracket(double& lo, double& hi) const {
        lo = mLo;
        hi = mHi;
    }
    // Stored as given, not sorted; the solvers order their own working bracket.
    NmFunc& setBracket(double lo, double hi) {
        mLo = lo;
        mHi = hi;
        return *this;
    }
    void* handle() const { return mHandle; }
    NmFunc& setHandle(void* handle) {
        mHandle = handle;
        return *this;
    }
    Computer computer() const { return mComputer; }
    NmFunc& setComputer(Computer f) {
        mComputer = f;
        return *this;
    }

    double compute(double t) const;
    double operator()(double t) const { return compute(t); }

    // Golden-weighted bisection on [a, b]: 1 with x a root within tol, 0 without a sign change.
    virtual int root(double& x, double a, double b, double tol);
    // root on the stored bracket.
    virtual int root(double& x, double tol);
    // Minimum on [a, b]; x is used as the trial point when strictly inside. tol is on
    // function values. The bracket comes back narrowed around the result.
    virtual int minimum(double& a, double& x, double& b, double& fx, double tol);
    // minimum on copies of the stored bracket.
    int minimum(double& x, double& fx, double tol);

    // Composite Simpson by trapezoid refinement on the stored bracket or on [a, b]; 1 when
    // the relative accuracy eps was reached (s untouched otherwise).
    int simpson(double& s, double eps);
    int simpson(double a, double b, double& s, double eps);
    // Returns the refinement count at convergence, jmax + 1 when not converged. Levels past
    // kTrapMaxLevel add no points, so the refinement stops there: a count above it always
    // means failure (jmax = INT_MAX, which has no successor, fails with INT_MAX).
    int simpson(double a, double b, double& s, int jmax, double eps);
    // Simpson marching from a (fromEnd 0) or from b in steps starting at step.
    void simpsonAdapt(double a, double b, double step, int fromEnd, double& sum, int jmax,
                      double eps);
    // Romberg integration with polynomial extrapolation; eps is absolute.
    int romberg(double a, double b, double eps, double& s);
    // Adaptive four-point Gauss-Legendre quadrature with extrapolation; eps is relative.
    // failAt reports the left end of the first interval that missed the accuracy.
    int quadra(double a, double b, double& s, double eps, double& err, double& failAt);

protected:
    // Parabolic search on a < x < b with f(x) below both ends; tol is on function values.
    virtual int minInBracket(double& a, double& x, double& b, double& fx, double tol);

private:
    void trapezoid(double a, double b, double& s, int n);
    double gauss(VqGeGaussData& g, double a, double m, double b, double coarse);
    double gaussRule(double a, double w);

    double mLo;
    double mHi;
    void* mHandle;
    Computer mComputer;
};

#endif
