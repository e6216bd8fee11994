// Interval value: construction, bounds, point tests, comparisons and ordering.
#include <cmath>

#include "vqge_interval.h"

VqGeImpInterval::VqGeImpInterval(double tol)
    : mLower(0.0), mUpper(0.0), mTol(tol), mFlags(0), mInterval(nullptr) {}

VqGeImpInterval::VqGeImpInterval(double lower, double upper, double tol)
    : mLower(lower), mUpper(upper), mTol(tol), mFlags(kBoundedBoth), mInterval(nullptr) {}

VqGeImpInterval::VqGeImpInterval(int boundedBelow, double bound, double tol)
    : mLower(0.0), mUpper(0.0), mTol(tol), mFlags(0), mInterval(nullptr) {
    set(boundedBelow, bound);
}

VqGeImpInterval::VqGeImpInterval(const VqGeImpInterval& src)
    : mLower(src.mLower),
      mUpper(src.mUpper),
      mTol(src.mTol),
      mFlags(src.mFlags),
      mInterval(nullptr) {}

VqGeImpInterval& VqGeImpInterval::operator=(const VqGeImpInterval& src) {
    mLower = src.mLower;
    mUpper = src.mUpper;
    mTol = src.mTol;
    mFlags = src.mFlags;
    return *this;
}

VqGeImpInterval& VqGeImpInterval::setInterval(VqGeInterval* interval) {
    mInterval = interval;
    return *this;
}

VqGeImpInterval& VqGeImpInterval::set() {
    mFlags = 0;
    return *this;
}

VqGeImpInterval& VqGeImpInterval::set(double lower, double upper) {
    mLower = lower;
    mUpper = upper;
    mFlags = kBoundedBoth;
    return *this;
}

VqGeImpInterval& VqGeImpInterval::set(int boundedBelow, double bound) {
    if (boundedBelow) {
        mLower = bound;
        mFlags = kBoundedBelow;
    } else {
        mUpper = bound;
        mFlags = kBoundedAbove;
    }
    return *this;
}

VqGeImpInterval& VqGeImpInterval::setLower(double lower) {
    mLower = lower;
    mFlags |= kBoundedBelow;
    return *this;
}

VqGeImpInterval& VqGeImpInterval::setUpper(double upper) {
    mUpper = upper;
    mFlags |= kBoundedAbove;
    return *this;
}

VqGeImpInterval& VqGeImpInterval::setTolerance(double tol) {
    mTol = tol;
    return *this;
}

void VqGeImpInterval::getBounds(double& lower, double& upper) const {
    lower = mLower;
    upper = mUpper;
}

double VqGeImpInterval::element() const {
    if (isBoundedAbove()) return mUpper;
    if (isBoundedBelow()) return mLower;
    return 0.0;
}

double VqGeImpInterval::length() const {
    if (isSingleton()) return 0.0;
    if (isBounded()) return mUpper - mLower;
    return -1.0;
}

int VqGeImpInterval::isSingleton() const {
    return isBounded() && mUpper - mTol < mLower && mLower < mUpper + mTol;
}

// A NaN lies in no interval: every test below would otherwise let it through.
int VqGeImpInterval::contains(double val) const {
    if (std::isnan(val)) return 0;
    if (isBoundedBelow() && mLower - mTol > val) return 0;
    if (isBoundedAbove() && val > mUpper + mTol) return 0;
    return 1;
}

int VqGeImpInterval::contains(const VqGeImpInterval& other) const {
    if (isUnBounded()) return 1;
    if (other.isBounded()) return contains(other.mUpper) && contains(other.mLower);
    if (other.isBoundedAbove()) return !isBoundedBelow() && contains(other.mUpper);
    if (other.isBoundedBelow()) return !isBoundedAbove() && contains(other.mLower);
    return 0;
}

int VqGeImpInterval::isEqualAtLower(double val) const {
    return isBoundedBelow() && std::fabs(mLower - val) <= mTol;
}

int VqGeImpInterval::isEqualAtUpper(double val) const {
    return isBoundedAbove() && std::fabs(mUpper - val) <= mTol;
}

int VqGeImpInterval::isEqualAtLower(const VqGeImpInterval& other) const {
    if (!isBoundedBelow() && !other.isBoundedBelow()) return 1;
    return isBoundedBelow() && other.isBoundedBelow() && std::fabs(mLower - other.mLower) <= mTol;
}

int VqGeImpInterval::isEqualAtUpper(const VqGeImpInterval& other) const {
    if (!isBoundedAbove() && !other.isBoundedAbove()) return 1;
    return isBoundedAbove() && other.isBoundedAbove() && std::fabs(mUpper - other.mUpper) <= mTol;
}

int VqGeImpInterval::operator==(const VqGeImpInterval& other) const {
    return isEqualAtLower(other) && isEqualAtUpper(other);
}

int VqGeImpInterval::operator!=(const VqGeImpInterval& other) const {
    return !(*this == other);
}

int VqGeImpInterval::isContinuousAtUpper(const VqGeImpInterval& other) const {
    return isBoundedAbove() && other.isBoundedBelow() && other.mLower - mTol < mUpper &&
           mUpper < other.mLower + mTol;
}

// Ordering. "I < x" means the whole interval lies below x beyond its tolerance; comparing two
// intervals asks the second one whether the first one's upper lies below it.

int VqGeImpInterval::isBelow(double val, const VqGeImpInterval& interval) {
    return interval.isBoundedBelow() && interval.mLower - interval.mTol > val;
}

int VqGeImpInterval::isBelowOrAtLower(double val, const VqGeImpInterval& interval) {
    return isBelow(val, interval) || interval.isEqualAtLower(val);
}

int VqGeImpInterval::operator<(double val) const {
    return isBoundedAbove() && mUpper + mTol < val;
}

int VqGeImpInterval::operator<(const VqGeImpInterval& other) const {
    return isBoundedAbove() && isBelow(mUpper, other);
}

int VqGeImpInterval::operator<=(double val) const {
    return *this < val || isEqualAtUpper(val);
}

int VqGeImpInterval::operator<=(const VqGeImpInterval& other) const {
    return *this < other || isContinuousAtUpper(other);
}

int VqGeImpInterval::operator>(double val) const {
    return isBelow(val, *this);
}

int VqGeImpInterval::operator>(const VqGeImpInterval& other) const {
    return other < *this;
}

int VqGeImpInterval::operator>=(double val) const {
    return isBelowOrAtLower(val, *this);
}

int VqGeImpInterval::operator>=(const VqGeImpInterval& other) const {
    return other <= *this;
}

int operator<(double val, const VqGeImpInterval& interval) {
    return VqGeImpInterval::isBelow(val, interval);
}

int operator<=(double val, const VqGeImpInterval& interval) {
    return VqGeImpInterval::isBelowOrAtLower(val, interval);
}

int operator>(double val, const VqGeImpInterval& interval) {
    return interval < val;
}

int operator>=(double val, const VqGeImpInterval& interval) {
    return interval <= val;
}

int VqGeImpInterval::isDisjoint(const VqGeImpInterval& other) const {
    return *this > other || *this < other;
}

int VqGeImpInterval::intersectWith(const VqGeImpInterval& other) const {
    return !isDisjoint(other);
}
