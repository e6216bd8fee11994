// NURBS curve: construction, identity, definition data, weights and the diagnostic dump.
#include "splines/imp_nurb_curve3d.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "splines/imp_nurb_eval_data.h"

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d()
    : VqGeImpSplineEnt3d(VqGe::kNurbCurve3d),
      mDegree(1),
      mWeights(0, 8),
      mFitData(nullptr),
      mEvalMode(0),
      mEvalData(nullptr) {
    const double k[4] = {0.0, 0.0, 1.0, 1.0};
    VqArray<VqGePoint3d> pts(2, 8);
    pts.append(VqGePoint3d(0, 0, 0));
    pts.append(VqGePoint3d(1, 0, 0));
    define(1, VqGeKnotVector(4, k), pts, nullptr, 0);
}

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(int degree, int isRational)
    : VqGeImpSplineEnt3d(VqGe::kNurbCurve3d),
      mDegree(degree > 0 ? degree : 1),
      mWeights(0, 8),
      mFitData(nullptr),
      mEvalMode(0),
      mEvalData(nullptr) {
    if (isRational == 1) mFlags = kRational;
}

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(int degree, const VqGeKnotVector& knots,
                                       const VqArray<VqGePoint3d>& controlPoints, int isPeriodic)
    : VqGeImpNurbCurve3d(degree, 0) {
    fromLongForm(degree, knots, controlPoints, nullptr, isPeriodic);
}

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(int degree, const VqGeKnotVector& knots,
                                       const VqArray<VqGePoint3d>& controlPoints,
                                       const VqArray<double>& weights, int isPeriodic)
    : VqGeImpNurbCurve3d(degree, 0) {
    fromLongForm(degree, knots, controlPoints, &weights, isPeriodic);
}

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(const VqArray<VqGePoint3d>& points)
    : VqGeImpNurbCurve3d(1, 0) {
    const int count = points.length();
    if (count < 2) {
        mControlPoints = points;
        return;
    }
    VqGeKnotVector knots;
    knots.setLogicalLength(2 * count);
    for (int i = 0; i < 2 * count; ++i) knots[i] = i < count ? 0.0 : 1.0;
    define(count - 1, knots, points, nullptr, 0);
}

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(const VqGeImpNurbCurve3d& src)
    : VqGeImpSplineEnt3d(src),
      mDegree(src.mDegree),
      mWeights(src.mWeights),
      mFitData(cloneFitData(src.mFitData)),
      mEvalMode(src.mEvalMode),
      mEvalData(nullptr) {}

VqGeImpNurbCurve3d::~VqGeImpNurbCurve3d() {
    discardFitData();
    releaseEvalData();
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::operator=(const VqGeImpNurbCurve3d& src) {
    if (this == &src) return *this;
    mDegree = src.mDegree;
    mWeights = src.mWeights;
    discardFitData();
    mFitData = cloneFitData(src.mFitData);
    mEvalMode = src.mEvalMode;
    VqGeImpSplineEnt3d::operator=(src);  // releases the record and notifies
    return *this;
}

int VqGeImpNurbCurve3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == (servesAs2d(isPublic) ? VqGe::kNurbCurve2d : VqGe::kNurbCurve3d)) return 1;
    return VqGeImpSplineEnt3d::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeImpNurbCurve3d::type(int isPublic) const {
    return servesAs2d(isPublic) ? VqGe::kNurbCurve2d : VqGe::kNurbCurve3d;
}

VqGeImpNurbCurve3d* VqGeImpNurbCurve3d::copy() const { return new VqGeImpNurbCurve3d(*this); }

int VqGeImpNurbCurve3d::isEqualTo(const VqGeImpEntity3d& other, const VqGeTol& tol) const {
    if (!VqGeImpSplineEnt3d::isEqualTo(other, tol)) return 0;
    const VqGeImpNurbCurve3d& o = static_cast<const VqGeImpNurbCurve3d&>(other);
    if (o.mDegree != mDegree || o.mWeights.length() != mWeights.length()) return 0;
    for (int i = 0; i < mWeights.length(); ++i)
        if (std::fabs(mWeights[i] - o.mWeights[i]) > tol.equalPoint()) return 0;
    return 1;
}

void VqGeImpNurbCurve3d::definitionChanged() {
    releaseEvalData();
    VqGeImpSplineEnt3d::definitionChanged();
}

double VqGeImpNurbCurve3d::storedWeight(int i) const {
    return isRational() && i >= 0 && i < mWeights.length() ? mWeights[i] : 1.0;
}


void VqGeImpNurbCurve3d::define(int degree, const VqGeKnotVector& knots,
                                const VqArray<VqGePoint3d>& stored, const VqArray<double>* weights,
                                int isPeriodic) {
    releaseEvalData();
    mDegree = degree;
    mKnots = knots;
    mControlPoints = stored;
    mWeights.removeAll();
    mFlags = 0;
    if (weights) {
        mWeights = *weights;
        mFlags = kRational;
    }
    if (isPeriodic) mFlags = static_cast<unsigned char>(mFlags | kPeriodic);
    mDirtyFlags = kFreshMarks;
    mEvalMode = 0;
    discardFitData();
    mInterval.set(startDomain(), endDomain());
    definitionChanged();
}

namespace {
int isClamped(const VqGeKnotVector& k, int degree) {
    const int len = k.length();
    return len >= 2 * degree + 2 && k.multiplicityAt(0) >= degree + 1 &&
           k.multiplicityAt(len - 1) >= degree + 1;
}
}  // namespace

// Homogeneous storage; missing weights count as 1.
void VqGeImpNurbCurve3d::fromLongForm(int degree, const VqGeKnotVector& knots,
                                      const VqArray<VqGePoint3d>& pts,
                                      const VqArray<double>* weights, int isPeriodic) {
    const int n = pts.length(), m = knots.length();
    VqArray<VqGePoint3d> stored(pts);
    VqArray<double> w(n, 8);
    if (weights) {
        for (int i = 0; i < n; ++i) {
            const double wi = i < weights->length() ? (*weights)[i] : 1.0;
            w.append(wi);
            stored[i].set(pts[i].x * wi, pts[i].y * wi, pts[i].z * wi);
        }
        if (w.length() != n) return;
    }
    mControlPoints = pts;
    if (degree < 1 || n < 2 || stored.length() != n) return;  // knots stay unassigned
    for (int i = 0; i < m; ++i)
        if (!std::isfinite(knots[i]) || (i > 0 && knots[i] < knots[i - 1])) return;
    if (m == n && isPeriodic) {
        if (n < degree + 2) return;
        define(degree, knots, stored, weights ? &w : nullptr, 1);
        return;
    }
    if (m != n + degree + 1) return;
    define(degree, knots, stored, weights ? &w : nullptr, 0);
    if (!isClamped(knots, degree)) {
        // Clamp at the domain ends and drop what lies outside.
        const double s = knots[degree], e = knots[n];
        if (!(s < e)) {
            mKnots.setLogicalLength(0);
            return;
        }
        clipToDomain(s, e);
    }
    if (isPeriodic) makePeriodic();
}

void VqGeImpNurbCurve3d::setFromLine(const VqGePoint3d& start, const VqGePoint3d& end) {
    const double len = start.distanceTo(end);
    const double k[4] = {0.0, 0.0, len, len};
    VqArray<VqGePoint3d> pts(2, 8);
    pts.append(start);
    pts.append(end);
    define(1, VqGeKnotVector(4, k), pts, nullptr, 0);
}

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(const VqGeImpLinearEnt3d& line) : VqGeImpNurbCurve3d(1, 0) {
    setFromLinear(line);
}

double VqGeImpNurbCurve3d::weightAt(int i) const {
    if (!isRational()) return 1.0;
    if (i < 0 || i >= mWeights.length()) return 0.0;
    return mWeights[storedIndex(i)];
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::makeRational(double w) {
    const int n = mControlPoints.length();
    if (!isRational()) {
        mWeights.setLogicalLength(n);
        if (mWeights.length() != n) return *this;
        for (int i = 0; i < n; ++i) {
            mWeights[i] = w;
            if (w != 1.0) mControlPoints[i] *= w;
        }
    } else {
        for (int i = 0; i < n; ++i) {
            mWeights[i] *= w;
            mControlPoints[i] *= w;
        }
    }
    mFlags = static_cast<unsigned char>(mFlags | kRational);
    mDirtyFlags = static_cast<unsigned char>(mDirtyFlags | kRationalMark);
    definitionChanged();
    return *this;
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::setWeightAt(int i, double w) {
    const int n = mControlPoints.length();
    if (i < 0 || i >= n || !std::isfinite(w)) return *this;
    if (!isRational()) makeRational(1.0);
    if (!isRational() || mWeights.length() != n) return *this;
    const int isEnd = i == 0 || i == n - 1;
    if (isPeriodicStored()) {
        if (isEnd) {
            if (w == mWeights[storedIndex(i)]) return *this;
            makeNonPeriodic();
            return setWeightAt(i, w);
        }
        const int s = storedIndex(i);
        const double old = mWeights[s];
        if (old != 0.0) mControlPoints[s] *= w / old;
        mWeights[s] = w;
        if (s == 0) {
            mControlPoints.last() = mControlPoints[0];
            mWeights.last() = w;
        }
        definitionChanged();
        return *this;
    }
    const double old = mWeights[i];
    if (old != 0.0) mControlPoints[i] *= w / old;
    mWeights[i] = w;
    definitionChanged();
    if (isEnd && isClosed(VqGeContext::gTol)) makePeriodic();
    return *this;
}

void VqGeImpNurbCurve3d::getDefinitionData(int& degree, int& rational, int& periodic,
                                           VqGeKnotVector& knots,
                                           VqArray<VqGePoint3d>& controlPoints,
                                           VqArray<double>& weights) const {
    degree = mDegree;
    rational = isRational();
    periodic = isPeriodicStored();
    knots = mKnots;
    const int n = mControlPoints.length();
    controlPoints.removeAll();
    weights.removeAll();
    auto cart = [&](int i) {
        const double w = storedWeight(i);
        const VqGePoint3d& p = mControlPoints[i];
        return w == 0.0 || w == 1.0 ? p : VqGePoint3d(p.x / w, p.y / w, p.z / w);
    };
    if (!periodic || n < 2 || knots.isEmpty()) {
        for (int i = 0; i < n; ++i) controlPoints.append(cart(i));
        if (rational) weights = mWeights;
        return;
    }
    // Long form: the stored repeat is left out, the last distinct point leads.
    knots.insertAt(0, mKnots[0]);
    for (int i = 0; i < mDegree; ++i) knots.append(mKnots.endParam());
    controlPoints.append(cart(n - 2));
    if (rational) weights.append(mWeights[n - 2]);
    for (int i = 0; i < n - 1; ++i) {
        controlPoints.append(cart(i));
        if (rational) weights.append(mWeights[i]);
    }
}

int VqGeImpNurbCurve3d::record(const char* path) const {
    if (!path) return 0;
    std::FILE* f = std::fopen(path, "ab");
    if (!f) return 0;
    auto put32 = [f](int32_t v) { std::fwrite(&v, sizeof v, 1, f); };
    auto put64 = [f](double v) { std::fwrite(&v, sizeof v, 1, f); };
    put32(mDegree);
    double period = 0.0;
    const int periodic = isPeriodic(period, 0);
    put32(periodic);
    if (periodic) put64(period);
    put32(mKnots.length());
    for (int i = 0; i < mKnots.length(); ++i) put64(mKnots[i]);
    put32(isRational());
    put32(mControlPoints.length());
    for (int i = 0; i < mControlPoints.length(); ++i) {
        put64(mControlPoints[i].x);
        put64(mControlPoints[i].y);
        put64(mControlPoints[i].z);
        if (isRational()) put64(storedWeight(i));
    }
    const int ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}
