// Internal: NmFunc that also carries the derivative, with Newton roots, the all-roots
// search and derivative-based minima.
#ifndef VQGE_NUMERIC_NM_FUNC_DERIV_H
#define VQGE_NUMERIC_NM_FUNC_DERIV_H

#include "nm_func.h"
#include "nm_vector.h"

// Virtual slots, in order: root (x, a, b, tol) (Newton with fallback), the inherited
// root (x, tol), minimum (a, x, b, fx, tol), minInBracket (a, x, b, fx, tol), and
// minimum (x, fx, tol) on the stored bracket.
class VQGE_API NmFuncDeriv : public NmFunc {
public:
    VQGE_HOOKED_NEW

    static constexpr int kMaxNewtonSteps = 66;
    static constexpr int kMaxDerivBisect = 44;
    // Entries the all-roots result grows by when full.
    static constexpr int kRootsGrowBy = 10;
    // Nesting limit of the piece splitting of the all-roots search.
    static constexpr int kMaxSplitDepth = 60;
    // Splits one all-roots search may make in all: the nesting limit alone would allow
    // 2^60 pieces on a function that never settles (a pole, a fast oscillation).
    static constexpr int kMaxSplits = 1 << 12;

    NmFuncDeriv();
    NmFuncDeriv(void* handle, Computer f, Computer df);
    // The bracket is stored sorted.
    NmFuncDeriv(void* handle, Computer f, Computer df, double a, double b);
    NmFuncDeriv(const NmFuncDeriv& src);
    NmFuncDeriv& operator=(const NmFuncDeriv& src);

    Computer derivative() const { return mDerivative; }
    NmFuncDeriv& setDerivative(Computer df) {
        mDerivative = df;
        return *this;
    }
    // f'(t); NaN without a derivative callback.
    double computeDeriv(double t) const;

    // Newton from a, falling back on the golden-weighted bisection.
    int root(double& x, double a, double b, double tol) override;
    using NmFunc::root;
    int minimum(double& a, double& x, double& b, double& fx, double tol) override;
    // Minimum on copies of the stored bracket; x is the trial point when strictly inside.
    virtual int minimum(double& x, double& fx, double tol);

    // Every root in the stored bracket, searched over n equal pieces; roots comes back
    // sorted ascending with one entry per root. 1 on success, 0 when n < 1, the bracket is
    // not finite, or the result could not be stored (roots is then empty). A tol that is
    // not positive is replaced by the default point tolerance.
    int allRoots(NmVector& roots, int n, double tol);

    // Newton kept inside [a, b] from x; 1 with |f(x)| < tol.
    int safeNewton(double& x, double a, double b, double tol);

protected:
    // Bisection on f' for its zero in [a, b]; tol bounds f' and the bracket width.
    int minInBracket(double& a, double& x, double& b, double& fx, double tol) override;

private:
    struct RootList;
    struct EndInfo;
    int examinePiece(RootList& list, EndInfo& ea, EndInfo& eb, double tol, int depth);

    Computer mDerivative;
};

#endif
