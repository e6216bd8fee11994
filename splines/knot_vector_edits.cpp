// Knot vector: insertion, removal, reparameterisation, joining and splitting.
#include <climits>
#include <cmath>
#include <cstring>

#include "vqge_knotvector.h"

VqGeKnotVector& VqGeKnotVector::insertAt(int i, double x, int multiplicity) {
    const int n = mLogicalLength;
    if (i < 0 || i > n || multiplicity <= 0) return *this;
    if (static_cast<long>(n) + multiplicity > INT_MAX) return *this;
    if (!reserve(static_cast<long>(n) + multiplicity)) return *this;
    std::memmove(mKnots + i + multiplicity, mKnots + i, sizeof(double) * (n - i));
    for (int j = 0; j < multiplicity; ++j) mKnots[i + j] = x;
    mLogicalLength = n + multiplicity;
    return *this;
}

// Values below the first knot go to the front and values at or past the last knot to the
// back, so the vector stays sorted; the span search alone would clamp them to position 1
// or to just before the last knot.
VqGeKnotVector& VqGeKnotVector::insert(double x) {
    const int n = mLogicalLength;
    int pos;
    if (n == 0 || x < mKnots[0])
        pos = 0;
    else if (x >= mKnots[n - 1])
        pos = n;
    else
        pos = findSpan(1, x) + 1;
    return insertAt(pos, x);
}

int VqGeKnotVector::append(double x) {
    if (mLogicalLength == INT_MAX || !reserve(static_cast<long>(mLogicalLength) + 1)) return -1;
    mKnots[mLogicalLength] = x;
    return mLogicalLength++;
}

VqGeKnotVector& VqGeKnotVector::append(VqGeKnotVector& tail, double ratio) {
    if (&tail == this) {
        // Remapping this part would remap the tail as well: join a copy.
        VqGeKnotVector copy(*this);
        if (copy.mLogicalLength != mLogicalLength) return *this;
        return append(copy, ratio);
    }
    const int tn = tail.mLogicalLength;
    if (tn == 0) return *this;
    if (mLogicalLength == 0) {
        // Nothing to join onto: the tail's knots as they are.
        assign(tn, tail.mKnots);
        return *this;
    }
    // A ratio that cannot be a ratio of two lengths (negative, -1 in particular, NaN,
    // infinite) keeps both parts' lengths, as ratio 0 does.
    if (!(ratio > 0.0) || !std::isfinite(ratio)) ratio = 0.0;
    const double start = startParam();
    const double len1 = endParam() - start;
    const double len2 = tail.endParam() - tail.startParam();
    double d = len2;
    if (ratio != 0.0) {
        d = (len1 + len2) / (ratio + 1.0);
        setRange(start, start + ratio * d);
    }
    const double end = endParam();
    tail.setRange(end, end + d);
    const int keep = mLogicalLength - 1;
    if (static_cast<long>(keep) + tn > INT_MAX) return *this;
    if (!reserve(static_cast<long>(keep) + tn)) return *this;
    std::memcpy(mKnots + keep, tail.mKnots, sizeof(double) * tn);
    mLogicalLength = keep + tn;
    return *this;
}

VqGeKnotVector& VqGeKnotVector::removeAt(int i) {
    if (!isValid(i)) return *this;
    std::memmove(mKnots + i, mKnots + i + 1, sizeof(double) * (mLogicalLength - i - 1));
    --mLogicalLength;
    return *this;
}

VqGeKnotVector& VqGeKnotVector::removeSubVector(int i, int j) {
    if (!isValid(i) || j < i) return *this;
    if (j >= mLogicalLength - 1) {
        mLogicalLength = i;
        return *this;
    }
    std::memmove(mKnots + i, mKnots + j + 1, sizeof(double) * (mLogicalLength - j - 1));
    mLogicalLength -= j - i + 1;
    return *this;
}

VqGeKnotVector& VqGeKnotVector::reverse() {
    const int n = mLogicalLength;
    if (n == 0) return *this;
    const double s = mKnots[0] + mKnots[n - 1];
    for (int i = 0, j = n - 1; i < j; ++i, --j) {
        const double t = mKnots[i];
        mKnots[i] = mKnots[j];
        mKnots[j] = t;
    }
    for (int i = 0; i < n; ++i) mKnots[i] = s - mKnots[i];
    return *this;
}

// Knots equal to the last one land exactly on b so that the new end is b to the last bit.
// When first and last knot coincide there is no length to scale; every knot goes to a.
VqGeKnotVector& VqGeKnotVector::setRange(double a, double b) {
    const int n = mLogicalLength;
    if (n == 0) return *this;
    const double f = mKnots[0];
    const double l = mKnots[n - 1];
    if (l - f == 0.0) {
        for (int i = 0; i < n; ++i) mKnots[i] = a;
        return *this;
    }
    const double scale = (b - a) / (l - f);
    for (int i = 0; i < n; ++i) mKnots[i] = mKnots[i] == l ? b : a + scale * (mKnots[i] - f);
    return *this;
}

// Notation: m is the span holding x (knot m <= x < knot m + 1). The head keeps knots 0 .. m
// less the run of knots equal to x that ends at m; the tail keeps knots m + 1 .. length - 1
// less the run equal to x that starts at m + 1. Counting each run on its own side keeps a
// cut at the last knot (where the span is clamped and the run reaches past m) from dropping
// head knots; elsewhere the counts equal the knot multiplicities.
int VqGeKnotVector::split(double x, VqGeKnotVector* head, int headExtra, VqGeKnotVector* tail,
                          int tailExtra) const {
    if (head == this || tail == this) {
        const VqGeKnotVector copy(*this);
        if (copy.mLogicalLength != mLogicalLength) return -1;
        return copy.split(x, head, headExtra, tail, tailExtra);
    }
    const int m = findSpan(1, x);
    if (m < 0) return -1;
    if (headExtra < 0) headExtra = 0;
    if (tailExtra < 0) tailExtra = 0;
    if (head) {
        int keep = m + 1;
        if (x - mKnots[m] <= mTolerance) keep -= runBefore(m);
        head->mTolerance = mTolerance;
        head->assign(keep, mKnots);
        if (head->mLogicalLength == keep) head->insertAt(keep, x, headExtra);
    }
    if (tail) {
        int from = m + 1;
        if (mKnots[m + 1] - x <= mTolerance) from += runFrom(m + 1);
        const int keep = mLogicalLength - from;
        tail->mTolerance = mTolerance;
        tail->assign(keep, mKnots + from);
        if (tail->mLogicalLength == keep) tail->insertAt(0, x, tailExtra);
    }
    return m;
}
