// Fitting a direction cone to sample directions.
// Notation: M = sum c c^T (second-moment matrix), a = eigenvector of its largest eigenvalue,
// e_0, e_1 = the other eigenvectors in cyclic column order after a. A sample leans away from
// a along e_i by the slope |c . e_i| / |c . a|; spread i is the largest slope times e_i, so
// the cone's cross-section at a holds every sample. (For a unit sample in the plane of a and
// e_i the slope is m / sqrt(1 - m^2) with m = |c . e_i|; out of that plane m / sqrt(1 - m^2)
// understates it and would leave the outermost samples outside the cone.)
#include <cmath>

#include "nm_dircone.h"
#include "nm_matrix.h"

namespace {

// A sample leaning off the axis by more than this (as |c . e_i| of a unit sample in the
// plane of a and e_i) leaves the cone unbounded.
constexpr double kMaxLean = 0.9999999;

}  // namespace

NmDirConeFit::NmDirConeFit(int n)
    : mDim(n == 2 || n == 3 ? n : 0),
      mMoments(0),
      mSamples(0),
      mPrepared(0),
      mSameSide(1),
      mFirstNegative(0),
      mMoment{},
      mAxis{},
      mSecondary{},
      mMax{} {}

void NmDirConeFit::addMoment(const double* c) {
    if (!mDim || !c) return;
    for (int i = 0; i < mDim; ++i)
        for (int j = 0; j < mDim; ++j) mMoment[i * mDim + j] += c[i] * c[j];
    ++mMoments;
}

int NmDirConeFit::prepare() {
    mPrepared = 0;
    mSamples = 0;
    mSameSide = 1;
    mFirstNegative = 0;
    mMax[0] = mMax[1] = 0.0;
    if (!mDim || mMoments == 0) return 0;
    const int n = mDim;
    NmMatrix m(n, n);
    if (m.rowDim() != n) return 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            if (!std::isfinite(mMoment[i * n + j])) return 0;
            m(i, j) = mMoment[i * n + j];
        }
    NmVector values;
    if (!m.eigensystem(values) || values.dim() != n) return 0;
    int top = 0;
    for (int i = 1; i < n; ++i)
        if (values[i] > values[top]) top = i;
    for (int i = 0; i < n; ++i) {
        mAxis[i] = m(i, top);
        for (int s = 0; s + 1 < n; ++s) mSecondary[s][i] = m(i, (top + 1 + s) % n);
    }
    mPrepared = 1;
    return 1;
}

void NmDirConeFit::addSample(const double* c) {
    if (!mPrepared || !c) return;
    const int n = mDim;
    double dot = 0.0;
    for (int i = 0; i < n; ++i) dot += mAxis[i] * c[i];
    if (mSamples == 0) mFirstNegative = dot < 0.0;
    // Same side as the first sample: a zero or NaN product counts as a change of side. The
    // opposite sample would be negated here, which leaves |c . e_i| as it is.
    const double side = mFirstNegative ? -dot : dot;
    if (!(side > 0.0)) mSameSide = 0;
    const double along = std::fabs(dot);
    for (int s = 0; s + 1 < n; ++s) {
        double lean = 0.0;
        for (int i = 0; i < n; ++i) lean += mSecondary[s][i] * c[i];
        lean = std::fabs(lean);
        // A perpendicular sample has no finite slope; a NaN sticks. Both empty the cone.
        const double slope = along > 0.0 ? lean / along : (lean > 0.0 ? HUGE_VAL : 0.0);
        if (!(slope <= mMax[s])) mMax[s] = slope;
    }
    ++mSamples;
}

int NmDirConeFit::finish(NmDirCone& cone) const {
    if (!mPrepared || mSamples == 0) {
        cone.setEmpty();
        return 0;
    }
    const int n = mDim;
    const double maxSlope = kMaxLean / std::sqrt(1.0 - kMaxLean * kMaxLean);
    for (int s = 0; s + 1 < n; ++s)
        if (!(mMax[s] <= maxSlope)) {  // also NaN
            cone.setEmpty();
            return 0;
        }
    NmVector axis(n, mAxis);
    if (mFirstNegative) axis.negate();
    NmVector spreads[2];
    const NmVector e0(n, mSecondary[0]);
    if (n == 2) {
        spreads[0] = mMax[0] * e0;
    } else {
        const NmVector e1(n, mSecondary[1]);
        spreads[0] = mMax[0] * e0 - mMax[1] * e1;
        spreads[1] = mMax[0] * e0 + mMax[1] * e1;
    }
    cone.set(n, axis, n - 1, spreads);
    if (cone.isEmpty()) return 0;
    return mSameSide;
}

int NmDirCone::fit(int n, int count, const double* dirs) {
    NmDirConeFit f(n);
    if (count < 1 || !dirs || (n != 2 && n != 3)) {
        setEmpty();
        return 0;
    }
    for (int s = 0; s < count; ++s) f.addMoment(dirs + s * n);
    f.prepare();
    for (int s = 0; s < count; ++s) f.addSample(dirs + s * n);
    return f.finish(*this);
}
