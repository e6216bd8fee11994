// Numeric kernel cone of directions, used to bound the turning of sampled curve pieces.
#ifndef VQGE_NM_DIRCONE_H
#define VQGE_NM_DIRCONE_H

#include "nm_vector.h"
#include "vqge_defs.h"
#include "vqge_heap.h"

// The cone of non-negative combinations of axis - spread_i and axis + spread_i (with no
// spread, the single direction of the axis). The empty cone (no axis) stands for directions
// that could not be bounded: it contains every direction, is disjoint from no cone and
// opens by pi. A zero axis is treated the same way by the containment and disjointness tests.
class VQGE_API NmDirCone {
public:
    VQGE_HOOKED_NEW

    // Empty cone.
    NmDirCone();

    // Stores n, axis and k spreads. Inconsistent input (n < 1, a length other than n, k
    // outside 0..2) and spreads whose parallelepiped holds the axis point (the cone would
    // take in opposite directions) give the empty cone.
    NmDirCone& set(int n, const NmVector& axis, int k, const NmVector* spreads);
    NmDirCone& setEmpty();

    int isEmpty() const { return mAxis.dim() == 0; }
    int dim() const { return mAxis.dim(); }
    const NmVector& axis() const { return mAxis; }
    int spreadCount() const { return mSpreadCount; }
    // No bounds check (0 or 1).
    const NmVector& spread(int i) const { return mSpreads[i]; }

    // 0 without spreads, pi for the empty cone.
    double openingAngle() const;
    int contains(const NmVector& d, double tol) const;
    // contains(d) or contains(-d).
    int containsLine(const NmVector& d, double tol) const;
    // Negated axis, same spreads.
    NmDirCone opposite() const;
    // Cones of different dimension are not reported disjoint.
    int isDisjoint(const NmDirCone& other, double tol) const;
    // Disjoint from the other cone and from its opposite.
    int isDisjointAsLines(const NmDirCone& other, double tol) const;

    // Fit to count directions of n = 2 or 3 coordinates, stored one after the other in
    // dirs; see NmDirConeFit. The result is 1 when every direction lies on the side of the
    // first one.
    int fit(int n, int count, const double* dirs);

private:
    int spansAxisPoint() const;

    NmVector mAxis;
    int mSpreadCount;
    NmVector mSpreads[2];
};

// Two-pass fit of a cone to a chain of sample directions that the caller walks itself:
// every direction goes to addMoment, then prepare, then every direction again, in the same
// order, to addSample, and finish sets the cone. The axis is the principal direction of the
// second-moment matrix, oriented like the first sample; the spreads bound the samples'
// slopes along the other eigen-directions. finish gives 1 when no sample points against
// the first one's side of the axis, 0 otherwise or when the cone is left empty (fewer than
// one sample, n not 2 or 3, a failed decomposition, a slope too steep to bound).
class VQGE_API NmDirConeFit {
public:
    explicit NmDirConeFit(int n);

    void addMoment(const double* c);
    int prepare();
    void addSample(const double* c);
    int finish(NmDirCone& cone) const;

private:
    int mDim;
    int mMoments;
    int mSamples;
    int mPrepared;
    int mSameSide;
    int mFirstNegative;
    double mMoment[9];
    double mAxis[3];
    double mSecondary[2][3];
    double mMax[2];  // largest slope off the axis along each secondary direction
};

#endif
