// Effective point tolerance at drawing scale.
//
// Tolerances are absolute: the host sets VqGeContext::gTol to its model's scale. A point that
// the library computes (a crossing, a foot, a projection) carries a rounding error of a few
// units in the last place of its coordinates, about 1.5e-8 at 1e8, which is far above the
// default point tolerance of 1e-10. A decision "is this computed point on that curve" must
// allow for it, or it fails at random as the model moves away from the origin.
//
// VqGeTolScale gathers the coordinates a decision involves and answers
//     pointTol() = max(|tol.equalPoint()|, kRoundingPerUnit * largest |coordinate| seen)
// so that nothing changes where the caller's tolerance already exceeds the rounding error.
// It also remembers whether every value it saw was finite: a decision on NaN or infinite
// input is refused by the caller (nothing found) instead of being taken on garbage.
//
// Use (any curve kind):
//     VqGeTolScale scale(tol);
//     scale.add(start1).add(end1).add(start2).add(end2).check(direction).check(param);
//     if (!scale.isFinite()) return 0;              // nothing found
//     const double eps = scale.pointTol();          // distance decisions
//     const VqGeTol tolE = scale.tol();             // same, for calls that take a VqGeTol
#ifndef VQGE_CURVES_TOL_SCALE_H
#define VQGE_CURVES_TOL_SCALE_H

#include <cfloat>
#include <cmath>

#include "vqge_point3d.h"
#include "vqge_tol.h"
#include "vqge_vector3d.h"

class VqGeTolScale {
public:
    // Rounding allowance per unit of coordinate magnitude: four units in the last place
    // (DBL_EPSILON is one unit at magnitude 1), enough for a point formed by a handful of
    // products and sums of the coordinates, about 9e-8 at 1e8 and 9e-16 at 1.
    static constexpr double kRoundingPerUnit = 4.0 * DBL_EPSILON;

    explicit VqGeTolScale(const VqGeTol& tol)
        : mTol(tol), mMagnitude(0.0), mFinite(std::isfinite(tol.equalPoint()) ? 1 : 0) {}

    // A coordinate magnitude (or a length standing for one).
    VqGeTolScale& add(double value) {
        if (!std::isfinite(value)) {
            mFinite = 0;
            return *this;
        }
        const double a = std::fabs(value);
        if (a > mMagnitude) mMagnitude = a;
        return *this;
    }
    VqGeTolScale& add(const VqGePoint3d& pnt) { return add(pnt.x).add(pnt.y).add(pnt.z); }
    // Values that only take part in the finiteness test: directions and parameters are no
    // coordinates, but a non-finite one poisons every point computed from it.
    VqGeTolScale& check(double value) {
        if (!std::isfinite(value)) mFinite = 0;
        return *this;
    }
    VqGeTolScale& check(const VqGeVector3d& vec) { return check(vec.x).check(vec.y).check(vec.z); }

    int isFinite() const { return mFinite; }
    double magnitude() const { return mMagnitude; }
    // The rounding error of a point computed from the coordinates seen.
    double roundingAllowance() const { return kRoundingPerUnit * mMagnitude; }
    // max(|equalPoint|, rounding allowance); a negative tolerance counts as its magnitude, as
    // in the squared comparisons of the point tests.
    double pointTol() const {
        const double own = std::fabs(mTol.equalPoint());
        const double round = roundingAllowance();
        return round > own ? round : own;
    }
    // The caller's tolerance with the point tolerance raised to pointTol().
    VqGeTol tol() const {
        VqGeTol result = mTol;
        result.setEqualPoint(pointTol());
        return result;
    }

private:
    VqGeTol mTol;
    double mMagnitude;
    int mFinite;
};

#endif
