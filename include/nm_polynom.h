// Numeric kernel real polynomial in one variable: arithmetic, evaluation, division, range
// estimate, real roots and root isolation by Sturm sequences.
#ifndef VQGE_NM_POLYNOM_H
#define VQGE_NM_POLYNOM_H

#include "nm_vector.h"
#include "vqge_defs.h"
#include "vqge_heap.h"

// Coefficients in ascending powers: coeff[i] multiplies x^i. A polynomial of degree -1 has
// no coefficients (the empty polynomial, value 0); it is what a failed allocation leaves and
// what a division produces where the quotient or remainder has no terms.
//
// The Sturm chain is a cache of owned copies linked through their own chain pointers. Every
// modifying member releases it; the const counting members build it on demand.
class VQGE_API NmPolynom {
public:
    VQGE_HOOKED_NEW

    // Newton steps allowed to root and polish.
    static constexpr int kMaxNewtonSteps = 66;
    // Normalisation tolerance of root (NmVector&) and count threshold of rootCount (side, x).
    static constexpr double kZeroTol = 1e-12;
    // Digits lost in evaluation from which a Sturm count is not trusted.
    static constexpr int kMaxDegradation = 15;

    NmPolynom();
    explicit NmPolynom(int n);
    explicit NmPolynom(double c);
    explicit NmPolynom(const NmVector& v);
    NmPolynom(const NmPolynom& src);
    ~NmPolynom();

    NmPolynom& operator=(const NmPolynom& src);
    NmPolynom& operator=(double c);
    NmPolynom& reset(int n);

    int degree() const { return mDegree; }
    // Outside 0..degree the const form reads 0 and the other form hands out a scratch cell,
    // so a bad index never reaches past the coefficients.
    double operator[](int i) const;
    double& operator[](int i);
    const NmVector& coeff() const { return mCoeff; }

    NmPolynom& normalize(double tol);

    double value(double x) const;
    double operator()(double x) const { return value(x); }
    void d1value(double x, double& value, double& deriv) const;
    void d2value(double x, double out[3]) const;
    double longValue(double x) const;

    NmPolynom operator+(const NmPolynom& p) const;
    NmPolynom operator-(const NmPolynom& p) const;
    NmPolynom& operator+=(const NmPolynom& p);
    NmPolynom& operator-=(const NmPolynom& p);
    NmPolynom operator*(const NmPolynom& p) const;
    NmPolynom& operator*=(const NmPolynom& p);
    NmPolynom& operator*=(double s);
    NmPolynom operator/(double s) const;
    NmPolynom& operator/=(double s);
    NmPolynom& negate();
    NmPolynom operator/(const NmPolynom& divisor) const;
    NmPolynom& operator/=(const NmPolynom& divisor);

    // This becomes the quotient by (x - r); remainder = value at r.
    NmPolynom& euclid(double r, double& remainder);
    // This becomes the quotient of the long division; remainder gets degree divisor - 1.
    NmPolynom& euclid(const NmPolynom& divisor, NmPolynom& remainder);

    NmPolynom derivative() const;
    NmPolynom& reverse();
    double norm() const;
    double height() const;

    void estimate(double a, double b, double& lo, double& hi) const;

    int root(double& x) const;
    int polish(double& x) const;
    int root(double& x, double& y) const;
    // All real roots; returns their number.
    int root(NmVector& roots) const;

    // Sturm counts; -1 when the evaluation lost too many digits to be trusted.
    int rootCount(int side, double x) const;
    int rootCount(double a, double b, double tol) const;
    // Isolating intervals of the real roots in ascending order; returns their number.
    int bracket(NmVector& lo, NmVector& hi, double tol) const;

private:
    friend struct NmPolynomProbe;

    // Matches mDegree to the coefficient storage after a (possibly failed) allocation.
    void syncDegree() { mDegree = mCoeff.dim() - 1; }
    int sturm(double tol) const;
    int sturmCount(double x, double tol) const;
    int degradation(double x) const;
    void dichotomy(double a, double b, int n, int vA, double tol, NmVector& lo, NmVector& hi,
                   int& count) const;
    void releaseSturm() const;

    int mDegree;
    NmVector mCoeff;
    mutable NmPolynom* mSturmChain;
    // Tolerance the cached chain was built with.
    mutable double mSturmTol;
};

#endif
