// Tolerance pair used by every geometric test.
#ifndef VQGE_TOL_H
#define VQGE_TOL_H

#include "vqge_defs.h"

class VQGE_API VqGeTol {
public:
    constexpr VqGeTol() : mEqualPoint(1e-10), mEqualVector(1e-12) {}

    double equalPoint() const { return mEqualPoint; }
    double equalVector() const { return mEqualVector; }
    // Values are not validated: the squared comparisons treat a negative value as its magnitude.
    void setEqualPoint(double val) { mEqualPoint = val; }
    void setEqualVector(double val) { mEqualVector = val; }

private:
    double mEqualPoint;
    double mEqualVector;
};

#endif
