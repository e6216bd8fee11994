// Parameter interval: a closed range, bounded or unbounded at either end, that carries the
// tolerance of all its comparisons. VqGeInterval is the public handle; VqGeImpInterval is the
// value the implementation classes embed and use directly.
#ifndef VQGE_INTERVAL_H
#define VQGE_INTERVAL_H

#include "vqge_defs.h"
#include "vqge_heap.h"

class VqGeInterval;

class VQGE_API VqGeImpInterval {
public:
    VQGE_HOOKED_NEW

    // Unbounded both ways.
    explicit VqGeImpInterval(double tol = 1e-12);
    // Bounded both ways; the bounds are not ordered.
    VqGeImpInterval(double lower, double upper, double tol = 1e-12);
    // Bounded below at bound when boundedBelow is nonzero, otherwise above.
    VqGeImpInterval(int boundedBelow, double bound, double tol = 1e-12);
    // Two integers are read as bounds, never as the one-sided form's flag and bound.
    VqGeImpInterval(int lower, int upper, double tol = 1e-12)
        : VqGeImpInterval(double(lower), double(upper), tol) {}
    // The copy serves no public interval; assignment keeps this object's own one.
    VqGeImpInterval(const VqGeImpInterval& src);
    VqGeImpInterval& operator=(const VqGeImpInterval& src);

    static VqGeImpInterval* impInterval(const VqGeInterval& interval);
    // A public interval borrowing this object.
    operator VqGeInterval();
    VqGeInterval* interval() const { return mInterval; }
    VqGeImpInterval& setInterval(VqGeInterval* interval);

    VqGeImpInterval& set();
    VqGeImpInterval& set(double lower, double upper);
    VqGeImpInterval& set(int boundedBelow, double bound);
    VqGeImpInterval& set(int lower, int upper) { return set(double(lower), double(upper)); }
    VqGeImpInterval& setLower(double lower);
    VqGeImpInterval& setUpper(double upper);
    VqGeImpInterval& setTolerance(double tol);

    double tolerance() const { return mTol; }
    double lowerBound() const { return mLower; }
    double upperBound() const { return mUpper; }
    void getBounds(double& lower, double& upper) const;
    int isBoundedBelow() const { return (mFlags & kBoundedBelow) != 0; }
    int isBoundedAbove() const { return (mFlags & kBoundedAbove) != 0; }
    int isBounded() const { return (mFlags & kBoundedBoth) == kBoundedBoth; }
    int isUnBounded() const { return (mFlags & kBoundedBoth) == 0; }
    double element() const;
    double length() const;

    int isSingleton() const;
    int contains(double val) const;
    int contains(const VqGeImpInterval& other) const;
    int isEqualAtLower(double val) const;
    int isEqualAtLower(const VqGeImpInterval& other) const;
    int isEqualAtUpper(double val) const;
    int isEqualAtUpper(const VqGeImpInterval& other) const;
    int operator==(const VqGeImpInterval& other) const;
    int operator!=(const VqGeImpInterval& other) const;

    int operator<(const VqGeImpInterval& other) const;
    int operator<(double val) const;
    int operator<=(const VqGeImpInterval& other) const;
    int operator<=(double val) const;
    int operator>(const VqGeImpInterval& other) const;
    int operator>(double val) const;
    int operator>=(const VqGeImpInterval& other) const;
    int operator>=(double val) const;
    // x < I, x <= I, x > I, x >= I.
    static int isBelow(double val, const VqGeImpInterval& interval);
    static int isBelowOrAtLower(double val, const VqGeImpInterval& interval);

    int isDisjoint(const VqGeImpInterval& other) const;
    int intersectWith(const VqGeImpInterval& other) const;
    int intersectWith(const VqGeImpInterval& other, VqGeImpInterval& result) const;
    void getMerge(const VqGeImpInterval& other, VqGeImpInterval& result) const;
    VqGeImpInterval& merge(const VqGeImpInterval& other);
    int subtract(const VqGeImpInterval& other, VqGeImpInterval& first,
                 VqGeImpInterval& second) const;
    int isContinuousAtUpper(const VqGeImpInterval& other) const;
    int isOverlapAtUpper(const VqGeImpInterval& other, VqGeImpInterval& result) const;
    int isPeriodicallyOn(double period, double& param) const;
    int split(double val, VqGeImpInterval& left, VqGeImpInterval& right) const;
    VqGeImpInterval& extend(double val);

private:
    enum : short { kBoundedAbove = 1, kBoundedBelow = 2, kBoundedBoth = 3 };

    double mLower;
    double mUpper;
    double mTol;
    short mFlags;
    VqGeInterval* mInterval;
};

VQGE_API int operator<(double val, const VqGeImpInterval& interval);
VQGE_API int operator<=(double val, const VqGeImpInterval& interval);
VQGE_API int operator>(double val, const VqGeImpInterval& interval);
VQGE_API int operator>=(double val, const VqGeImpInterval& interval);

class VQGE_API VqGeInterval {
public:
    explicit VqGeInterval(double tol = 1e-12);
    VqGeInterval(double lower, double upper, double tol = 1e-12);
    VqGeInterval(int boundedBelow, double bound, double tol = 1e-12);
    VqGeInterval(int lower, int upper, double tol = 1e-12)
        : VqGeInterval(double(lower), double(upper), tol) {}
    VqGeInterval(const VqGeInterval& src);
    ~VqGeInterval();
    // Takes a fresh copy of src's object, so assigning an interval to itself, or to a wrapper
    // borrowing its object, is harmless.
    VqGeInterval& operator=(const VqGeInterval& src);

    VqGeInterval& set();
    VqGeInterval& set(double lower, double upper);
    VqGeInterval& set(int boundedBelow, double bound);
    VqGeInterval& set(int lower, int upper) { return set(double(lower), double(upper)); }
    VqGeInterval& setLower(double lower);
    VqGeInterval& setUpper(double upper);
    VqGeInterval& setTolerance(double tol);

    double tolerance() const;
    double lowerBound() const;
    double upperBound() const;
    void getBounds(double& lower, double& upper) const;
    int isBoundedBelow() const;
    int isBoundedAbove() const;
    int isBounded() const;
    int isUnBounded() const;
    double element() const;
    double length() const;

    int isSingleton() const;
    int contains(double val) const;
    int contains(const VqGeInterval& other) const;
    int isEqualAtLower(double val) const;
    int isEqualAtLower(const VqGeInterval& other) const;
    int isEqualAtUpper(double val) const;
    int isEqualAtUpper(const VqGeInterval& other) const;
    int operator==(const VqGeInterval& other) const;
    int operator!=(const VqGeInterval& other) const;

    int operator<(const VqGeInterval& other) const;
    int operator<(double val) const;
    int operator<=(const VqGeInterval& other) const;
    int operator<=(double val) const;
    int operator>(const VqGeInterval& other) const;
    int operator>(double val) const;
    int operator>=(const VqGeInterval& other) const;
    int operator>=(double val) const;

    int isDisjoint(const VqGeInterval& other) const;
    int intersectWith(const VqGeInterval& other) const;
    int intersectWith(const VqGeInterval& other, VqGeInterval& result) const;
    void getMerge(const VqGeInterval& other, VqGeInterval& result) const;
    int subtract(const VqGeInterval& other, VqGeInterval& first, VqGeInterval& second) const;
    int isContinuousAtUpper(const VqGeInterval& other) const;
    int isOverlapAtUpper(const VqGeInterval& other, VqGeInterval& result) const;
    int isPeriodicallyOn(double period, double& param) const;

protected:
    // Borrows imp: this wrapper never releases it.
    VqGeInterval(VqGeImpInterval& imp, int);

private:
    friend class VqGeImpInterval;
    // What a wrapper without an object (its allocation failed) reads: unbounded both ways.
    const VqGeImpInterval& imp() const;

    VqGeImpInterval* mImp;
    int mMark;
};

VQGE_API int operator<(double val, const VqGeInterval& interval);
VQGE_API int operator<=(double val, const VqGeInterval& interval);
VQGE_API int operator>(double val, const VqGeInterval& interval);
VQGE_API int operator>=(double val, const VqGeInterval& interval);

#endif
