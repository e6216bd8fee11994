// Knot vector: construction, assignment and storage.
#include <climits>
#include <cstring>

#include "foundation/vqge_mem.h"
#include "vqge_knotvector.h"

namespace {
const int kDefaultGrow = 8;
}  // namespace

VqGeKnotVector::VqGeKnotVector(double tol)
    : mKnots(nullptr),
      mPhysicalLength(0),
      mLogicalLength(0),
      mGrowLength(kDefaultGrow),
      mTolerance(tol) {}

VqGeKnotVector::VqGeKnotVector(int, int, double tol) : VqGeKnotVector(tol) {}

VqGeKnotVector::VqGeKnotVector(int n, const double* k, double tol) : VqGeKnotVector(tol) {
    // Without a source there is nothing to copy.
    if (!k || n < 0) n = 0;
    if (!allocExact(n > kDefaultGrow ? n : kDefaultGrow)) return;
    if (n > 0) std::memcpy(mKnots, k, sizeof(double) * n);
    mLogicalLength = n;
}

VqGeKnotVector::VqGeKnotVector(const VqArray<double>& k, double tol)
    : VqGeKnotVector(k.length(), k.asArrayPtr(), tol) {}

VqGeKnotVector::VqGeKnotVector(const VqGeKnotVector& src)
    : VqGeKnotVector(src.mLogicalLength, src.mKnots, src.mTolerance) {}

VqGeKnotVector::VqGeKnotVector(int plusMult, const VqGeKnotVector& src)
    : VqGeKnotVector(src.mTolerance) {
    // Runs are counted forward from their first knot and the length is taken from the same
    // walk, so knots exactly one tolerance apart (a run of their own here, but no interval
    // of their own) cannot make the writes outrun the storage.
    const int n = src.mLogicalLength;
    long total = 0;
    for (int i = 0; i < n;) {
        const int run = src.runFrom(i);
        if (run + static_cast<long>(plusMult) > 0) total += run + static_cast<long>(plusMult);
        i += run;
    }
    if (total > INT_MAX) return;
    if (!allocExact(total > kDefaultGrow ? static_cast<int>(total) : kDefaultGrow)) return;
    int w = 0;
    for (int i = 0; i < n;) {
        const int run = src.runFrom(i);
        const long copies = run + static_cast<long>(plusMult);
        for (long c = 0; c < copies; ++c) mKnots[w++] = src.mKnots[i];
        i += run;
    }
    mLogicalLength = w;
}

VqGeKnotVector::~VqGeKnotVector() {
    release();
}

VqGeKnotVector& VqGeKnotVector::operator=(const VqGeKnotVector& src) {
    if (this != &src) {
        mTolerance = src.mTolerance;
        assign(src.mLogicalLength, src.mKnots);
    }
    return *this;
}

VqGeKnotVector& VqGeKnotVector::operator=(const VqArray<double>& src) {
    assign(src.length(), src.asArrayPtr());
    return *this;
}

VqGeKnotVector& VqGeKnotVector::set(int n, const double* k, double tol) {
    mTolerance = tol;
    if (!k) n = 0;
    assign(n, k);
    return *this;
}

double& VqGeKnotVector::operator[](int i) {
    if (isValid(i)) return mKnots[i];
    // An index outside the knots must not reach the heap; it gets a scratch cell instead.
    static double sScratch;
    sScratch = 0.0;
    return sScratch;
}

double VqGeKnotVector::operator[](int i) const {
    return isValid(i) ? mKnots[i] : 0.0;
}

VqGeKnotVector& VqGeKnotVector::setLogicalLength(int n) {
    if (n < 0) n = 0;
    if (!reserve(n)) return *this;
    for (int i = mLogicalLength; i < n; ++i) mKnots[i] = 0.0;
    mLogicalLength = n;
    return *this;
}

VqGeKnotVector& VqGeKnotVector::setPhysicalLength(int n) {
    if (n <= 0) {
        release();
        return *this;
    }
    double* block = vqAllocBuffer<double>(n);
    if (!block) {
        release();
        return *this;
    }
    const int keep = mLogicalLength < n ? mLogicalLength : n;
    if (keep > 0) std::memcpy(block, mKnots, sizeof(double) * keep);
    vqFreeBuffer(mKnots);
    mKnots = block;
    mPhysicalLength = n;
    mLogicalLength = keep;
    return *this;
}

VqGeKnotVector& VqGeKnotVector::setGrowLength(int n) {
    mGrowLength = n;
    return *this;
}

VqGeKnotVector& VqGeKnotVector::setTolerance(double tol) {
    mTolerance = tol;
    return *this;
}

// Makes room for n knots, growing to max(physical + grow, n); the knots in use are kept.
// On failure the vector is emptied and 0 returned.
int VqGeKnotVector::reserve(long n) {
    if (n <= mPhysicalLength) return 1;
    const long target = growTarget(n);
    double* block = target <= INT_MAX ? vqAllocBuffer<double>(target) : nullptr;
    if (!block) {
        release();
        return 0;
    }
    if (mLogicalLength > 0) std::memcpy(block, mKnots, sizeof(double) * mLogicalLength);
    vqFreeBuffer(mKnots);
    mKnots = block;
    mPhysicalLength = static_cast<int>(target);
    return 1;
}

// max(physical + grow, n), falling back on n where the step would overflow the length type.
long VqGeKnotVector::growTarget(long n) const {
    long target = static_cast<long>(mPhysicalLength) + mGrowLength;
    if (target < n || target > INT_MAX) target = n;
    return target;
}

// Replaces the storage by exactly n empty cells.
int VqGeKnotVector::allocExact(int n) {
    release();
    double* block = vqAllocBuffer<double>(n);
    if (!block) return 0;
    mKnots = block;
    mPhysicalLength = n;
    return 1;
}

// Copies n knots in; k may point into this vector's own storage.
void VqGeKnotVector::assign(int n, const double* k) {
    if (n <= 0) {
        mLogicalLength = 0;
        return;
    }
    if (n <= mPhysicalLength) {
        std::memmove(mKnots, k, sizeof(double) * n);
        mLogicalLength = n;
        return;
    }
    // The new block is filled before the old one is freed, as k may live in it.
    const long target = growTarget(n);
    double* block = vqAllocBuffer<double>(target);
    if (!block) {
        release();
        return;
    }
    std::memcpy(block, k, sizeof(double) * n);
    vqFreeBuffer(mKnots);
    mKnots = block;
    mPhysicalLength = static_cast<int>(target);
    mLogicalLength = n;
}

void VqGeKnotVector::release() {
    vqFreeBuffer(mKnots);
    mKnots = nullptr;
    mPhysicalLength = 0;
    mLogicalLength = 0;
}
