// Interval combinations: intersection, merge, subtraction, overlap, split, extension and the
// periodic parameter. Results are computed into locals first, so a result argument may be one
// of the operands.
#include <cmath>

#include "vqge_interval.h"

int VqGeImpInterval::intersectWith(const VqGeImpInterval& other, VqGeImpInterval& result) const {
    const int below = isBoundedBelow() || other.isBoundedBelow();
    const int above = isBoundedAbove() || other.isBoundedAbove();
    double lower = 0.0;
    double upper = 0.0;
    if (below) {
        if (!isBoundedBelow())
            lower = other.mLower;
        else if (!other.isBoundedBelow())
            lower = mLower;
        else
            lower = mLower > other.mLower ? mLower : other.mLower;
    }
    if (above) {
        if (!isBoundedAbove())
            upper = other.mUpper;
        else if (!other.isBoundedAbove())
            upper = mUpper;
        else
            upper = mUpper < other.mUpper ? mUpper : other.mUpper;
    }
    result.set();
    if (below) result.setLower(lower);
    if (above) result.setUpper(upper);
    return !(below && above && lower > upper + mTol);
}

VqGeImpInterval& VqGeImpInterval::merge(const VqGeImpInterval& other) {
    const int below = isBoundedBelow() && other.isBoundedBelow();
    const int above = isBoundedAbove() && other.isBoundedAbove();
    const double lower = mLower < other.mLower ? mLower : other.mLower;
    const double upper = mUpper > other.mUpper ? mUpper : other.mUpper;
    mFlags = 0;
    if (below) setLower(lower);
    if (above) setUpper(upper);
    return *this;
}

void VqGeImpInterval::getMerge(const VqGeImpInterval& other, VqGeImpInterval& result) const {
    VqGeImpInterval merged(*this);
    merged.merge(other);
    result = merged;
}

int VqGeImpInterval::subtract(const VqGeImpInterval& other, VqGeImpInterval& first,
                              VqGeImpInterval& second) const {
    if (isDisjoint(other) || isContinuousAtUpper(other) || other.isContinuousAtUpper(*this)) {
        first = *this;
        return 1;
    }
    if (*this == other) return 0;

    // Pieces of this interval left below other's lower and above other's upper.
    int count = 0;
    int lowerBounded[2] = {0, 0};
    int upperBounded[2] = {0, 0};
    double lowers[2] = {0.0, 0.0};
    double uppers[2] = {0.0, 0.0};
    if (other.isBoundedBelow() && contains(other.mLower) && !isEqualAtLower(other.mLower)) {
        lowerBounded[count] = isBoundedBelow();
        lowers[count] = mLower;
        upperBounded[count] = 1;
        uppers[count] = other.mLower;
        ++count;
    }
    if (other.isBoundedAbove() && contains(other.mUpper) && !isEqualAtUpper(other.mUpper)) {
        lowerBounded[count] = 1;
        lowers[count] = other.mUpper;
        upperBounded[count] = isBoundedAbove();
        uppers[count] = mUpper;
        ++count;
    }
    VqGeImpInterval* results[2] = {&first, &second};
    for (int i = 0; i < count; ++i) {
        results[i]->set();
        if (lowerBounded[i]) results[i]->setLower(lowers[i]);
        if (upperBounded[i]) results[i]->setUpper(uppers[i]);
    }
    return count;
}

int VqGeImpInterval::isOverlapAtUpper(const VqGeImpInterval& other, VqGeImpInterval& result) const {
    if (isDisjoint(other) || isSingleton() || other.isSingleton()) return 0;
    if (!isBoundedAbove() || !other.isBoundedBelow() || !contains(other.mLower)) return 0;
    if (isEqualAtLower(other) || isContinuousAtUpper(other)) return 0;
    if (other.isBoundedAbove() && !(*this < other.mUpper)) return 0;
    const double upper = mUpper;
    result.set(other.mLower, upper);
    return 1;
}

int VqGeImpInterval::split(double val, VqGeImpInterval& left, VqGeImpInterval& right) const {
    if (!contains(val)) return 0;
    const VqGeImpInterval whole(*this);
    left = whole;
    right = whole;
    left.setUpper(val);
    right.setLower(val);
    return 1;
}

VqGeImpInterval& VqGeImpInterval::extend(double val) {
    if (isBoundedBelow() && val < mLower) mLower = val;
    if (isBoundedAbove() && val > mUpper) mUpper = val;
    return *this;
}

namespace {

// Shifts param by whole periods (upwards when up is set) until it reaches limit. Far-away
// parameters jump most of the way in one step instead of looping millions of times; a shift
// that cannot get there (too many periods, or a period lost in param's rounding) fails.
int shiftByPeriods(double& param, double period, int up, double limit) {
    const double gap = up ? limit - param : param - limit;
    const double periods = std::floor(gap / period);
    const double kMaxPeriods = 1e15;
    if (!(periods < kMaxPeriods)) return 0;
    const double kLoopSteps = 8.0;
    if (periods > kLoopSteps) {
        const double jump = (periods - kLoopSteps) * period;
        param = up ? param + jump : param - jump;
    }
    const int kMaxSteps = 64;
    for (int i = 0; i < kMaxSteps; ++i) {
        if (up ? param >= limit : param <= limit) return 1;
        param = up ? param + period : param - period;
    }
    return up ? param >= limit : param <= limit;
}

}  // namespace

// A parameter the period cannot bring into range (a period that is not positive and finite,
// a NaN parameter, or one too many periods away) gives 0 and is left as it was passed.
int VqGeImpInterval::isPeriodicallyOn(double period, double& param) const {
    if (!isBounded()) return 1;
    const double lowest = mLower - mTol;
    const double highest = mUpper + mTol;
    if (std::isnan(param)) return 0;
    if (param >= lowest && param <= highest) return 1;
    if (!(period > 0.0) || !std::isfinite(period)) return 0;

    const double start = param;
    double moved = param;
    if (moved < lowest && !shiftByPeriods(moved, period, 1, lowest)) return 0;
    if (moved > highest && !shiftByPeriods(moved, period, 0, highest)) {
        param = start;
        return 0;
    }
    param = moved;
    return param < lowest ? 0 : 1;
}
