// NmVector storage, assignment and arithmetic; NmIntVec.
#include "nm_vector.h"

#include <cmath>
#include <cstring>

#include "foundation/vqge_mem.h"

namespace {

inline int minDim(int a, int b) {
    return a < b ? a : b;
}

}  // namespace

// ---------------------------------------------------------------- storage

void NmVector::releaseStorage() {
    if (usesHeap()) vqFreeBuffer(mData);
    mData = nullptr;
    mDim = 0;
}

void NmVector::takeStorage(int n) {
    if (n < 0) n = 0;
    if (n == mDim) return;
    releaseStorage();
    if (n == 0) return;
    if (n <= kInlineDim) {
        mData = mInline;
        mDim = n;
        return;
    }
    mData = vqAllocBuffer<double>(n);
    mDim = mData ? n : 0;
}

NmVector::NmVector() : mDim(0), mData(nullptr), mInline{0.0, 0.0, 0.0, 0.0} {}

NmVector::NmVector(int n) : NmVector() {
    reset(n);
}

NmVector::NmVector(int n, double v) : NmVector() {
    reset(n, v);
}

NmVector::NmVector(int n, const double* p) : NmVector() {
    reset(n, p);
}

NmVector::NmVector(const NmVector& src) : NmVector() {
    reset(src);
}

NmVector::~NmVector() {
    releaseStorage();
}

NmVector& NmVector::reset(int n) {
    return reset(n, 0.0);
}

NmVector& NmVector::reset(int n, double v) {
    takeStorage(n);
    for (int i = 0; i < mDim; ++i) mData[i] = v;
    return *this;
}

NmVector& NmVector::reset(int n, const double* p) {
    if (!p) return reset(n);
    if (n != mDim && mDim > 0 && p >= mData && p < mData + mDim) {
        // Source inside the storage about to be replaced.
        NmVector tmp(n, p);
        return reset(tmp);
    }
    takeStorage(n);
    // p may point into this vector's own storage only when the length is unchanged.
    if (mDim > 0 && mData != p) std::memmove(mData, p, sizeof(double) * mDim);
    return *this;
}

NmVector& NmVector::reset(const NmVector& src) {
    if (this == &src) return *this;
    takeStorage(src.mDim);
    if (mDim > 0) std::memcpy(mData, src.mData, sizeof(double) * mDim);
    return *this;
}

NmVector& NmVector::reset(double v) {
    for (int i = 0; i < mDim; ++i) mData[i] = v;
    return *this;
}

NmVector& NmVector::operator=(const NmVector& src) {
    return reset(src);
}

NmVector& NmVector::operator=(double v) {
    return reset(v);
}

NmVector& NmVector::resize(int n) {
    if (n < 0) n = 0;
    if (n == mDim) return *this;
    const int keep = minDim(n, mDim);
    if (n <= kInlineDim && !usesHeap()) {
        // Inline to inline: the common prefix is already in place.
        mData = n > 0 ? mInline : nullptr;
        mDim = n;
        return *this;
    }
    double* target = nullptr;
    if (n > kInlineDim) {
        target = vqAllocBuffer<double>(n);
        if (!target) {
            releaseStorage();
            return *this;
        }
    } else if (n > 0) {
        target = mInline;
    }
    // Heap to inline or into a new heap block: copy before the old block goes.
    if (keep > 0) std::memmove(target, mData, sizeof(double) * keep);
    if (usesHeap()) vqFreeBuffer(mData);
    mData = target;
    mDim = n;
    return *this;
}

// ---------------------------------------------------------------- arithmetic

NmVector& NmVector::negate() {
    for (int i = 0; i < mDim; ++i) mData[i] = -mData[i];
    return *this;
}

NmVector& NmVector::operator+=(const NmVector& v) {
    const int n = minDim(mDim, v.mDim);
    for (int i = 0; i < n; ++i) mData[i] += v.mData[i];
    return *this;
}

NmVector& NmVector::operator-=(const NmVector& v) {
    const int n = minDim(mDim, v.mDim);
    for (int i = 0; i < n; ++i) mData[i] -= v.mData[i];
    return *this;
}

NmVector& NmVector::operator*=(double s) {
    for (int i = 0; i < mDim; ++i) mData[i] *= s;
    return *this;
}

NmVector& NmVector::operator/=(double s) {
    for (int i = 0; i < mDim; ++i) mData[i] /= s;
    return *this;
}

NmVector NmVector::operator+(const NmVector& v) const {
    NmVector r(*this);
    r += v;
    return r;
}

NmVector NmVector::operator-(const NmVector& v) const {
    NmVector r(*this);
    r -= v;
    return r;
}

NmVector NmVector::operator/(double s) const {
    NmVector r(*this);
    r /= s;
    return r;
}

NmVector NmVector::operator-() const {
    NmVector r(*this);
    r.negate();
    return r;
}

double NmVector::operator*(const NmVector& v) const {
    const int n = minDim(mDim, v.mDim);
    double s = 0.0;
    for (int i = 0; i < n; ++i) s += mData[i] * v.mData[i];
    return s;
}

NmVector operator*(double s, const NmVector& v) {
    NmVector r(v);
    r *= s;
    return r;
}

NmVector NmVector::coord(double (*f)(double)) const {
    NmVector r(*this);
    r.coordSet(f);
    return r;
}

NmVector& NmVector::coordSet(double (*f)(double)) {
    if (!f) return *this;
    for (int i = 0; i < mDim; ++i) mData[i] = f(mData[i]);
    return *this;
}

double NmVector::vecMax() const {
    if (mDim == 0) return 0.0;
    double m = mData[0];
    for (int i = 1; i < mDim; ++i)
        if (mData[i] > m) m = mData[i];
    return m;
}

double NmVector::vecMin() const {
    if (mDim == 0) return 0.0;
    double m = mData[0];
    for (int i = 1; i < mDim; ++i)
        if (mData[i] < m) m = mData[i];
    return m;
}

double NmVector::vecAbs() const {
    double m = 0.0;
    for (int i = 0; i < mDim; ++i)
        if (std::fabs(mData[i]) > m) m = std::fabs(mData[i]);
    return m;
}

// ---------------------------------------------------------------- comparisons

int NmVector::operator==(const NmVector& v) const {
    if (mDim != v.mDim) return 0;
    for (int i = 0; i < mDim; ++i)
        if (!(std::fabs(mData[i] - v.mData[i]) <= kEqualTol)) return 0;
    return 1;
}

int NmVector::operator!=(const NmVector& v) const {
    return !(*this == v);
}

int NmVector::operator==(double v) const {
    for (int i = 0; i < mDim; ++i)
        if (!(std::fabs(mData[i] - v) <= kEqualTol)) return 0;
    return 1;
}

int NmVector::operator!=(double v) const {
    return !(*this == v);
}

#define NM_VECTOR_RELATION(OP)                           \
    int NmVector::operator OP(const NmVector& v) const { \
        if (mDim != v.mDim) return 0;                    \
        for (int i = 0; i < mDim; ++i)                   \
            if (!(mData[i] OP v.mData[i])) return 0;     \
        return 1;                                        \
    }                                                    \
    int NmVector::operator OP(double v) const {          \
        for (int i = 0; i < mDim; ++i)                   \
            if (!(mData[i] OP v)) return 0;              \
        return 1;                                        \
    }

NM_VECTOR_RELATION(<)
NM_VECTOR_RELATION(<=)
NM_VECTOR_RELATION(>)
NM_VECTOR_RELATION(>=)

#undef NM_VECTOR_RELATION

// ---------------------------------------------------------------- NmIntVec

NmIntVec::NmIntVec() : mDim(0), mData(nullptr) {}

NmIntVec::NmIntVec(int n) : NmIntVec() {
    reset(n, 0);
}

NmIntVec::NmIntVec(int n, int v) : NmIntVec() {
    reset(n, v);
}

NmIntVec::NmIntVec(const NmIntVec& src) : NmIntVec() {
    *this = src;
}

NmIntVec::~NmIntVec() {
    vqFreeBuffer(mData);
}

NmIntVec& NmIntVec::operator=(const NmIntVec& src) {
    if (this == &src) return *this;
    reset(src.mDim, 0);
    if (mDim > 0) std::memcpy(mData, src.mData, sizeof(int) * mDim);
    return *this;
}

NmIntVec& NmIntVec::reset(int n) {
    return reset(n, 0);
}

NmIntVec& NmIntVec::reset(int n, int v) {
    if (n < 0) n = 0;
    if (n != mDim) {
        vqFreeBuffer(mData);
        mData = vqAllocBuffer<int>(n);
        mDim = mData ? n : 0;
    }
    for (int i = 0; i < mDim; ++i) mData[i] = v;
    return *this;
}
