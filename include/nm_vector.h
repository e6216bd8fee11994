// Numeric kernel vectors: NmVector (doubles, four entries inline) and NmIntVec (ints).
#ifndef VQGE_NM_VECTOR_H
#define VQGE_NM_VECTOR_H

#include "vqge_defs.h"
#include "vqge_heap.h"

// Dense vector of doubles. Lengths 1 to 4 live in the object's own buffer; longer
// vectors take one heap block through the allocation hooks. When a heap block cannot
// be had the vector becomes empty (length 0), so a failed allocation is visible as a
// length mismatch rather than a write through a null pointer.
//
// Binary operations run over this vector's length; entries the argument does not have
// count as 0 there, so a shorter argument is never read past its end.
class VQGE_API NmVector {
public:
    VQGE_HOOKED_NEW

    // Tolerance of == and != per entry.
    static constexpr double kEqualTol = 1e-12;
    // Entries kept inside the object.
    static constexpr int kInlineDim = 4;

    NmVector();
    explicit NmVector(int n);
    NmVector(int n, double v);
    NmVector(int n, const double* p);
    NmVector(const NmVector& src);
    ~NmVector();

    NmVector& reset(int n);
    NmVector& reset(int n, double v);
    NmVector& reset(int n, const double* p);
    NmVector& reset(const NmVector& src);
    NmVector& reset(double v);
    NmVector& operator=(const NmVector& src);
    NmVector& operator=(double v);
    NmVector& resize(int n);

    int dim() const { return mDim; }
    // No bounds check.
    double operator[](int i) const { return mData[i]; }
    double& operator[](int i) { return mData[i]; }
    // Raw entries (null for length 0).
    const double* data() const { return mData; }
    double* data() { return mData; }

    NmVector& negate();
    NmVector& operator+=(const NmVector& v);
    NmVector& operator-=(const NmVector& v);
    NmVector& operator*=(double s);
    NmVector& operator/=(double s);
    NmVector operator+(const NmVector& v) const;
    NmVector operator-(const NmVector& v) const;
    NmVector operator/(double s) const;
    // Negated copy.
    NmVector operator-() const;
    // Dot product; 0 for length 0.
    double operator*(const NmVector& v) const;

    NmVector coord(double (*f)(double)) const;
    NmVector& coordSet(double (*f)(double));

    // Defined for length at least 1; 0.0 for an empty vector.
    double vecMax() const;
    double vecMin() const;
    double vecAbs() const;

    // Vectors of different lengths are never equal and satisfy no relation.
    int operator==(const NmVector& v) const;
    int operator!=(const NmVector& v) const;
    int operator==(double v) const;
    int operator!=(double v) const;
    int operator<(const NmVector& v) const;
    int operator<=(const NmVector& v) const;
    int operator>(const NmVector& v) const;
    int operator>=(const NmVector& v) const;
    int operator<(double v) const;
    int operator<=(double v) const;
    int operator>(double v) const;
    int operator>=(double v) const;

private:
    // Points mData at storage for n entries (contents undefined); mDim = n, or 0 on failure.
    void takeStorage(int n);
    void releaseStorage();
    int usesHeap() const { return mDim > kInlineDim; }

    int mDim;
    double* mData;
    double mInline[kInlineDim];
};

// Scalar times vector (new vector).
VQGE_API NmVector operator*(double s, const NmVector& v);

// Vector of ints for pivot permutations and state codes; always on the heap. A failed
// allocation leaves it empty.
class VQGE_API NmIntVec {
public:
    VQGE_HOOKED_NEW

    NmIntVec();
    explicit NmIntVec(int n);
    NmIntVec(int n, int v);
    NmIntVec(const NmIntVec& src);
    ~NmIntVec();

    NmIntVec& operator=(const NmIntVec& src);
    NmIntVec& reset(int n);
    NmIntVec& reset(int n, int v);

    int dim() const { return mDim; }
    // No bounds check.
    int operator[](int i) const { return mData[i]; }
    int& operator[](int i) { return mData[i]; }

private:
    int mDim;
    int* mData;
};

#endif
