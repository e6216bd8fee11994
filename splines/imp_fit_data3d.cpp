// Fit data: construction, tolerance, end tangents and tangents at every point.
#include "splines/imp_fit_data3d.h"

#include "vqge_matrix3d.h"

VqGeImpFitData3d::VqGeImpFitData3d()
    : VqGeImpPolyline3d(VqGe::kPolyline3d),
      mFitTolerance(VqGeContext::gTol),
      mFitTangents(0, 8),
      mHasStartTangent(0),
      mHasEndTangent(0) {}

VqGeImpFitData3d::VqGeImpFitData3d(const VqArray<VqGePoint3d>& fitPoints,
                                   const VqGeVector3d& startTangent,
                                   const VqGeVector3d& endTangent, int startDefined,
                                   int endDefined, const VqGeTol& fitTol)
    : VqGeImpFitData3d() {
    set(fitPoints, fitTol, 0);
    if (startDefined) setTangentAtStart(startTangent);
    if (endDefined) setTangentAtEnd(endTangent);
}

VqGeImpFitData3d::VqGeImpFitData3d(const VqArray<VqGePoint3d>& fitPoints, const VqGeTol& fitTol,
                                   int closed)
    : VqGeImpFitData3d() {
    set(fitPoints, fitTol, closed);
}

VqGeImpFitData3d::VqGeImpFitData3d(const VqGeKnotVector& knots,
                                   const VqArray<VqGePoint3d>& fitPoints,
                                   const VqArray<VqGeVector3d>& fitTangents,
                                   const VqGeTol& fitTol, int closed)
    : VqGeImpFitData3d() {
    set(knots, fitPoints, fitTangents, fitTol, closed);
}

VqGeImpFitData3d::VqGeImpFitData3d(const VqArray<VqGePoint3d>& fitPoints,
                                   const VqArray<VqGeVector3d>& fitTangents,
                                   const VqGeTol& fitTol, int closed)
    : VqGeImpFitData3d() {
    set(fitPoints, fitTangents, fitTol, closed);
}

VqGeImpFitData3d::VqGeImpFitData3d(const VqGeImpFitData3d& src)
    : VqGeImpPolyline3d(src),
      mFitTolerance(src.mFitTolerance),
      mFitTangents(src.mFitTangents),
      mHasStartTangent(src.mHasStartTangent),
      mHasEndTangent(src.mHasEndTangent) {}

VqGeImpFitData3d::~VqGeImpFitData3d() {}

VqGeImpFitData3d& VqGeImpFitData3d::operator=(const VqGeImpFitData3d& src) {
    if (this == &src) return *this;
    mFitTolerance = src.mFitTolerance;
    mFitTangents = src.mFitTangents;
    mHasStartTangent = src.mHasStartTangent;
    mHasEndTangent = src.mHasEndTangent;
    VqGeImpPolyline3d::operator=(src);
    return *this;
}

VqGeImpFitData3d* VqGeImpFitData3d::copy() const { return new VqGeImpFitData3d(*this); }

void VqGeImpFitData3d::clearTangents() {
    mFitTangents.removeAll();
    mHasStartTangent = mHasEndTangent = 0;
}

// The points are taken as they are: a closed set is marked, not completed (makeClosed does).
VqGeImpFitData3d& VqGeImpFitData3d::set(const VqArray<VqGePoint3d>& fitPoints,
                                        const VqGeTol& fitTol, int closed) {
    mFitTolerance = fitTol;
    clearTangents();
    mControlPoints = fitPoints;
    mFlags = closed == 1 ? kPeriodic : 0;
    mDirtyFlags = closed == 1 ? 6 : 4;
    recomputeKnots();
    return *this;
}

VqGeImpFitData3d& VqGeImpFitData3d::set(const VqArray<VqGePoint3d>& fitPoints,
                                        const VqArray<VqGeVector3d>& fitTangents,
                                        const VqGeTol& fitTol, int closed) {
    set(fitPoints, fitTol, closed);
    setFitTangents(fitTangents);
    return *this;
}

VqGeImpFitData3d& VqGeImpFitData3d::set(const VqGeKnotVector& knots,
                                        const VqArray<VqGePoint3d>& fitPoints,
                                        const VqArray<VqGeVector3d>& fitTangents,
                                        const VqGeTol& fitTol, int closed) {
    set(fitPoints, fitTangents, fitTol, closed);
    if (knots.length() == mControlPoints.length()) {
        mKnots = knots;
        const int n = mKnots.length();
        mInterval.set(n ? mKnots[0] : 0.0, n ? mKnots[n - 1] : 0.0);
    }
    return *this;
}

VqGeImpFitData3d& VqGeImpFitData3d::setFitTangents(const VqArray<VqGeVector3d>& tangents) {
    mFitTangents = tangents;
    mHasStartTangent = mHasEndTangent = tangents.isEmpty() ? 0 : 1;
    return *this;
}

int VqGeImpFitData3d::isEqualTo(const VqGeImpEntity3d& other, const VqGeTol& tol) const {
    if (!VqGeImpPolyline3d::isEqualTo(other, tol)) return 0;
    const VqGeImpFitData3d* o = dynamic_cast<const VqGeImpFitData3d*>(&other);
    if (!o || o->mFitTangents.length() != mFitTangents.length() ||
        o->mHasStartTangent != mHasStartTangent || o->mHasEndTangent != mHasEndTangent)
        return 0;
    for (int i = 0; i < mFitTangents.length(); ++i)
        if (!mFitTangents[i].isEqualTo(o->mFitTangents[i], tol)) return 0;
    return 1;
}

// The parameters stay: with the same knots the regenerated curve is the transformed curve
// (interpolation is affine invariant), whether the parameters were chord lengths or a
// sampled curve's own.
VqGeImpFitData3d& VqGeImpFitData3d::transformBy(const VqGeMatrix3d& mat) {
    for (int i = 0; i < mFitTangents.length(); ++i) mFitTangents[i] = mat * mFitTangents[i];
    VqGeImpPolyline3d::transformBy(mat);
    return *this;
}

VqGeImpFitData3d& VqGeImpFitData3d::translateBy(const VqGeVector3d& vec) {
    for (int i = 0; i < mControlPoints.length(); ++i) mControlPoints[i] += vec;
    definitionChanged();
    return *this;
}

int VqGeImpFitData3d::isOn(const VqGePoint3d& pnt, int& index, const VqGeTol& tol) const {
    for (int i = 0; i < mControlPoints.length(); ++i)
        if (mControlPoints[i].isEqualTo(pnt, tol)) {
            index = i;
            return 1;
        }
    return 0;
}

int VqGeImpFitData3d::getTangentAtStart(VqGeVector3d& vec) const {
    if (!mHasStartTangent || mFitTangents.isEmpty()) return 0;
    vec = mFitTangents[0];
    return 1;
}

int VqGeImpFitData3d::getTangentAtEnd(VqGeVector3d& vec) const {
    if (!mHasEndTangent || mFitTangents.isEmpty()) return 0;
    vec = mFitTangents.last();
    return 1;
}

VqGeImpFitData3d& VqGeImpFitData3d::setTangentAtStart(const VqGeVector3d& vec) {
    if (mHasStartTangent && !mFitTangents.isEmpty()) {
        mFitTangents[0] = vec;
    } else {
        mFitTangents.insertAt(0, vec);
        mHasStartTangent = 1;
    }
    return *this;
}

VqGeImpFitData3d& VqGeImpFitData3d::setTangentAtEnd(const VqGeVector3d& vec) {
    if (mHasEndTangent && !mFitTangents.isEmpty()) {
        mFitTangents.last() = vec;
    } else {
        mFitTangents.append(vec);
        mHasEndTangent = 1;
    }
    return *this;
}

VqGeImpFitData3d& VqGeImpFitData3d::removeTangentAtStart() {
    if (!mHasStartTangent || mFitTangents.isEmpty()) return *this;
    mFitTangents.removeAt(0);
    mHasStartTangent = 0;
    if (mFitTangents.isEmpty()) mHasEndTangent = 0;
    return *this;
}

VqGeImpFitData3d& VqGeImpFitData3d::removeTangentAtEnd() {
    if (!mHasEndTangent || mFitTangents.isEmpty()) return *this;
    mFitTangents.removeLast();
    mHasEndTangent = 0;
    if (mFitTangents.isEmpty()) mHasStartTangent = 0;
    return *this;
}

int VqGeImpFitData3d::hasFitTangents() const {
    const int n = mControlPoints.length(), m = mFitTangents.length();
    if (n == 0 || m == 0) return 0;
    return m == n || (isPeriodicStored() && m == n - 1);
}

VqGeVector3d VqGeImpFitData3d::fitTangentAt(int i) const {
    return i >= 0 && i < mFitTangents.length() ? mFitTangents[i] : VqGeVector3d(0, 0, 0);
}

int VqGeImpFitData3d::getFitTangentAt(int i, VqGeVector3d& vec) const {
    if (i < 0 || i >= mFitTangents.length()) return 0;
    vec = mFitTangents[i];
    return 1;
}

int VqGeImpFitData3d::setFitTangentAt(int i, const VqGeVector3d& vec) {
    if (i < 0 || i >= mFitTangents.length()) return 0;
    mFitTangents[i] = vec;
    return 1;
}

VqGeTol VqGeImpFitData3d::adjustFitTolerance(const VqGeTol& tol) {
    VqGeTol out;
    const VqGeTol& g = VqGeContext::gTol;
    out.setEqualPoint(tol.equalPoint() < g.equalPoint() ? tol.equalPoint() : g.equalPoint());
    out.setEqualVector(tol.equalVector() < g.equalVector() ? tol.equalVector() : g.equalVector());
    return out;
}

int VqGeImpFitData3d::hasApproximationData() const {
    return mFitTolerance.equalPoint() > VqGeContext::gTol.equalPoint() &&
           mControlPoints.length() > 2;
}
