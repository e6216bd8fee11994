// Knot vector: the non-decreasing parameter values that cut a spline into pieces, with the
// knot tolerance that decides when two knots count as the same.
#ifndef VQGE_KNOTVECTOR_H
#define VQGE_KNOTVECTOR_H

#include "vqge_array.h"
#include "vqge_defs.h"
#include "vqge_heap.h"

class VqGeImpInterval;
class VqGeInterval;

// Knots are kept non-decreasing by the curve code; the class relies on it but does not
// enforce it. Two knots are the same when they differ by less than the tolerance, and bound
// an interval when they differ by more. Index arguments are the caller's duty, but an index
// outside the knots never reaches storage: reads give 0 and edits are ignored.
// When storage cannot be had the vector is left empty (no knots, no storage).
class VQGE_API VqGeKnotVector {
public:
    VQGE_HOOKED_NEW

    explicit VqGeKnotVector(double tol = 1e-9);
    // The storage hints are accepted for compatibility and not kept.
    VqGeKnotVector(int size, int growSize, double tol = 1e-9);
    VqGeKnotVector(int n, const double* k, double tol = 1e-9);
    explicit VqGeKnotVector(const VqArray<double>& k, double tol = 1e-9);
    VqGeKnotVector(const VqGeKnotVector& src);
    // Every distinct knot of src repeated its multiplicity plus plusMult times (degree
    // elevation); the tolerance is src's.
    VqGeKnotVector(int plusMult, const VqGeKnotVector& src);
    ~VqGeKnotVector();

    VqGeKnotVector& operator=(const VqGeKnotVector& src);
    // Keeps this vector's tolerance.
    VqGeKnotVector& operator=(const VqArray<double>& src);
    VqGeKnotVector& set(int n, const double* k, double tol);

    double& operator[](int i);
    double operator[](int i) const;
    double* asArrayPtr() { return mKnots; }
    const double* asArrayPtr() const { return mKnots; }

    int length() const { return mLogicalLength; }
    int logicalLength() const { return mLogicalLength; }
    int physicalLength() const { return mPhysicalLength; }
    int growLength() const { return mGrowLength; }
    int isEmpty() const { return mLogicalLength == 0; }
    // New entries are 0.
    VqGeKnotVector& setLogicalLength(int n);
    VqGeKnotVector& setPhysicalLength(int n);
    VqGeKnotVector& setGrowLength(int n);
    double tolerance() const { return mTolerance; }
    VqGeKnotVector& setTolerance(double tol);

    // 0 for an empty vector.
    double startParam() const;
    double endParam() const;
    int isEqualTo(const VqGeKnotVector& other) const;
    int multiplicityAt(int i) const;
    int numIntervals() const;
    // Replaces the contents of knots; returns their number.
    int getDistinctKnots(VqArray<double>& knots) const;
    int contains(double x) const;
    int isOn(double x) const;
    // Span b with knot b <= x < knot b + 1 among spans order - 1 .. length - order, and
    // iv = [knot b, knot b + 1]. Below two knots there is no span: -1 and iv is untouched.
    int getInterval(int order, double x, VqGeInterval& iv) const;
    // The same for the implementation classes, which hold their intervals by value.
    int getInterval(int order, double x, VqGeImpInterval& iv) const;

    VqGeKnotVector& insertAt(int i, double x, int multiplicity = 1);
    VqGeKnotVector& insert(double x);
    // Returns the new knot's index, or -1 when no storage could be had.
    int append(double x);
    // Joins tail behind this vector; a positive ratio sets (length of this part) : (length of
    // tail part) while keeping the total. tail is remapped in place.
    VqGeKnotVector& append(VqGeKnotVector& tail, double ratio);
    VqGeKnotVector& removeAt(int i);
    VqGeKnotVector& removeSubVector(int i, int j);
    VqGeKnotVector& reverse();
    VqGeKnotVector& setRange(double a, double b);
    // Knot vectors of the two parts of a spline cut at x, each padded with the given number
    // of copies of x at the cut; either output may be null. Returns the span index of x, or -1
    // (outputs untouched) below two knots.
    int split(double x, VqGeKnotVector* head, int headExtra, VqGeKnotVector* tail,
              int tailExtra) const;

protected:
    int isValid(int i) const { return i >= 0 && i < mLogicalLength; }

private:
    int findSpan(int order, double x) const;
    int runBefore(int i) const;
    int runFrom(int i) const;
    int reserve(long n);
    long growTarget(long n) const;
    int allocExact(int n);
    void assign(int n, const double* k);
    void release();

    double* mKnots;
    int mPhysicalLength;
    int mLogicalLength;
    int mGrowLength;
    double mTolerance;
};

#endif
