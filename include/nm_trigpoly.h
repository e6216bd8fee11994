// Numeric kernel trigonometric polynomial of the second order in one angle.
#ifndef VQGE_NM_TRIGPOLY_H
#define VQGE_NM_TRIGPOLY_H

#include "nm_vector.h"
#include "vqge_defs.h"

// a cos^2 t + b sin t cos t + c sin^2 t + d cos t + e sin t + f, with the tolerance that
// decides which of its forms solve takes. A plain value of seven doubles.
class VQGE_API NmTrigPoly {
public:
    // The half-turn of the solver: the 12-digit value, not full double precision.
    static constexpr double kPi = 3.14159265359;
    static constexpr double kDefaultTol = 1e-12;
    // Newton steps allowed to the polish of a root.
    static constexpr int kMaxPolishSteps = 66;

    NmTrigPoly();
    NmTrigPoly(double d, double e, double f, double tol = kDefaultTol);
    NmTrigPoly(double a, double b, double c, double d, double e, double f,
               double tol = kDefaultTol);

    double value(double theta) const;
    double operator()(double theta) const { return value(theta); }
    void value(double theta, double& value, double& deriv) const;
    void derivative(NmTrigPoly& out) const;

    // All roots in one period; returns their number (0 also when every angle is a root).
    int solve(NmVector& angles) const;
    int solve(NmVector& cosines, NmVector& sines) const;

private:
    friend struct NmTrigPolyProbe;

    int solveLinear(double d, double e, double f, double* out) const;
    int polish(double& theta) const;

    double mA;
    double mB;
    double mC;
    double mD;
    double mE;
    double mF;
    double mTol;
};

#endif
