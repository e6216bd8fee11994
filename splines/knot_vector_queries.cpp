// Knot vector: multiplicities, intervals, membership and the span search.
#include <cmath>

#include "vqge_interval.h"
#include "vqge_knotvector.h"

double VqGeKnotVector::startParam() const {
    return mLogicalLength > 0 ? mKnots[0] : 0.0;
}

double VqGeKnotVector::endParam() const {
    return mLogicalLength > 0 ? mKnots[mLogicalLength - 1] : 0.0;
}

int VqGeKnotVector::isEqualTo(const VqGeKnotVector& other) const {
    if (mLogicalLength != other.mLogicalLength) return 0;
    for (int i = 0; i < mLogicalLength; ++i) {
        if (!(std::fabs(mKnots[i] - other.mKnots[i]) <= mTolerance)) return 0;
    }
    return 1;
}

int VqGeKnotVector::multiplicityAt(int i) const {
    if (!isValid(i)) return 0;
    const double k = mKnots[i];
    int count = 1;
    for (int j = i - 1; j >= 0 && std::fabs(mKnots[j] - k) < mTolerance; --j) ++count;
    for (int j = i + 1; j < mLogicalLength && std::fabs(mKnots[j] - k) < mTolerance; ++j) ++count;
    return count;
}

// Knots from i on that are the same as knot i (at least 1 for a valid i).
int VqGeKnotVector::runFrom(int i) const {
    if (!isValid(i)) return 0;
    int j = i + 1;
    while (j < mLogicalLength && std::fabs(mKnots[j] - mKnots[i]) < mTolerance) ++j;
    return j - i;
}

// Knots up to and including i that are the same as knot i.
int VqGeKnotVector::runBefore(int i) const {
    if (!isValid(i)) return 0;
    int j = i - 1;
    while (j >= 0 && std::fabs(mKnots[j] - mKnots[i]) < mTolerance) --j;
    return i - j;
}

int VqGeKnotVector::numIntervals() const {
    int count = 0;
    for (int i = 1; i < mLogicalLength; ++i) {
        if (mKnots[i] - mKnots[i - 1] > mTolerance) ++count;
    }
    return count;
}

// The output is sized once for the knots it will hold: growing it by its grow length per
// knot would copy the array over and over (quadratic in the number of distinct knots).
int VqGeKnotVector::getDistinctKnots(VqArray<double>& knots) const {
    knots.setLogicalLength(0);
    if (mLogicalLength == 0) return 0;
    const int count = numIntervals() + 1;
    if (knots.physicalLength() < count) knots.setPhysicalLength(count);
    if (knots.physicalLength() < count) return 0;
    knots.append(mKnots[0]);
    for (int i = 1; i < mLogicalLength; ++i) {
        if (mKnots[i] - mKnots[i - 1] > mTolerance) knots.append(mKnots[i]);
    }
    return knots.length();
}

int VqGeKnotVector::contains(double x) const {
    if (mLogicalLength == 0) return 0;
    return mKnots[0] - mTolerance <= x && x <= mKnots[mLogicalLength - 1] + mTolerance;
}

int VqGeKnotVector::isOn(double x) const {
    for (int i = 0; i < mLogicalLength; ++i) {
        if (std::fabs(mKnots[i] - x) < mTolerance) return 1;
    }
    return 0;
}

// Bisection over spans order - 1 .. length - order, starting from the middle of the whole
// vector and clamped to 0 .. length - 2 afterwards. An order below 1 is taken as 1, and a
// probe at the last knot (order 1) stops there, as it has no right neighbour to read.
int VqGeKnotVector::findSpan(int order, double x) const {
    const int n = mLogicalLength;
    if (n < 2) return -1;
    if (order < 1) order = 1;
    int lower = order - 1;
    int upper = n - order;
    int b = (n - 1) / 2;
    while (lower <= upper) {
        if (mKnots[b] > x)
            upper = b - 1;
        else if (b + 1 >= n || x < mKnots[b + 1])
            break;
        else
            lower = b + 1;
        b = (lower + upper) / 2;
    }
    if (b < 0) b = 0;
    if (b > n - 2) b = n - 2;
    return b;
}

int VqGeKnotVector::getInterval(int order, double x, VqGeInterval& iv) const {
    const int b = findSpan(order, x);
    if (b >= 0) iv.set(mKnots[b], mKnots[b + 1]);
    return b;
}

int VqGeKnotVector::getInterval(int order, double x, VqGeImpInterval& iv) const {
    const int b = findSpan(order, x);
    if (b >= 0) iv.set(mKnots[b], mKnots[b + 1]);
    return b;
}
