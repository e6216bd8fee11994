// Polynomial kernels on raw coefficient arrays, shared by NmPolynom and NmTrigPoly so that
// small root problems run on the stack. c[0..n] are the coefficients in ascending powers of a
// polynomial of degree n; n < 0 is the empty polynomial.
#ifndef VQGE_NUMERIC_NM_POLY_KERNEL_H
#define VQGE_NUMERIC_NM_POLY_KERNEL_H

#include "foundation/vqge_mem.h"

// Work buffer of n doubles: inside the object for small n, else from the allocation hooks.
// data() is null when n <= 0 or the hook fails.
class NmPolyScratch {
public:
    static constexpr int kLocal = 24;
    explicit NmPolyScratch(int n)
        : mHeap(n > kLocal ? vqAllocBuffer<double>(n) : nullptr),
          mData(n <= 0 ? nullptr : (n > kLocal ? mHeap : mLocal)) {}
    ~NmPolyScratch() { vqFreeBuffer(mHeap); }
    NmPolyScratch(const NmPolyScratch&) = delete;
    NmPolyScratch& operator=(const NmPolyScratch&) = delete;
    double* data() { return mData; }

private:
    double mLocal[kLocal];
    double* mHeap;
    double* mData;
};

double nmPolyValue(const double* c, int n, double x);
void nmPolyD1(const double* c, int n, double x, double& v, double& dv);
// Value, slope and a running bound of the rounding error of the value.
void nmPolyD1Err(const double* c, int n, double x, double& v, double& dv, double& err);
// Positive and negative terms summed apart.
double nmPolyLongValue(const double* c, int n, double x);
// Horner on the derivative polynomial, coefficients i * c[i] formed on the fly.
double nmPolySlope(const double* c, int n, double x);
// Degree after dropping leading coefficients with |c| <= tol (0 when all are).
int nmPolyNormDegree(const double* c, int n, double tol);
// Largest |c[i]|, i < n, over |c[n]|; 0 for n <= 0.
double nmPolyHeight(const double* c, int n);
// Synthetic division by (x - r) in place: c[0..n-1] becomes the quotient; returns p(r).
double nmPolyDeflate(double* c, int n, double r);
int nmPolyAllFinite(const double* c, int n);

// Newton from x (relaxed near multiple roots); 1 on convergence. x holds the best point
// seen when it fails.
int nmPolyNewton(const double* c, int n, double& x);
// Newton with the cancellation-reduced value; 1 on success.
int nmPolyPolish(const double* c, int n, double& x);
// Newton from both ends of the root bound; bit 1: x is a root, bit 2: y is a root.
int nmPolyEndRoots(const double* c, int n, double& x, double& y);
// All real roots into out (room for max(n, 0) entries); returns their number.
int nmPolyRealRoots(const double* c, int n, double* out);

#endif
