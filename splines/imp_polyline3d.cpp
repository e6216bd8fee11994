// Polyline: construction, vertex access and edits, compression and evaluation.
#include "splines/imp_polyline3d.h"

#include <cmath>

#include "curves/imp_point_on_curve3d.h"
#include "splines/imp_eval_copy.h"

VqGeImpPolyline3d::VqGeImpPolyline3d() : VqGeImpPolyline3d(VqGe::kPolyline3d) {}

VqGeImpPolyline3d::VqGeImpPolyline3d(VqGe::EntityId id) : VqGeImpSplineEnt3d(id) {
    mDirtyFlags = 4;
    mInterval.set(0.0, 0.0);
}

VqGeImpPolyline3d::VqGeImpPolyline3d(const VqArray<VqGePoint3d>& points, int closed)
    : VqGeImpPolyline3d(VqGe::kPolyline3d) {
    assign(nullptr, points, closed);
}

VqGeImpPolyline3d::VqGeImpPolyline3d(const VqGeKnotVector& knots,
                                     const VqArray<VqGePoint3d>& points)
    : VqGeImpPolyline3d(VqGe::kPolyline3d) {
    assign(&knots, points, 0);
}

VqGeImpPolyline3d::VqGeImpPolyline3d(const VqGeImpCurve3d& curve, double approxEps)
    : VqGeImpPolyline3d(VqGe::kPolyline3d) {
    VqGeImpInterval intrvl;
    curve.getInterval(intrvl, 0, 0);
    set(curve, intrvl, approxEps);
}

VqGeImpPolyline3d::VqGeImpPolyline3d(const VqGeImpCurve3d& curve, const VqGeImpInterval& intrvl,
                                     double approxEps)
    : VqGeImpPolyline3d(VqGe::kPolyline3d) {
    set(curve, intrvl, approxEps);
}

VqGeImpPolyline3d::VqGeImpPolyline3d(const VqGeImpPolyline3d& src) : VqGeImpSplineEnt3d(src) {}

VqGeImpPolyline3d::~VqGeImpPolyline3d() {}

VqGeImpPolyline3d& VqGeImpPolyline3d::operator=(const VqGeImpPolyline3d& src) {
    VqGeImpSplineEnt3d::operator=(src);
    return *this;
}

void VqGeImpPolyline3d::assign(const VqGeKnotVector* knots, const VqArray<VqGePoint3d>& points,
                               int closed) {
    mControlPoints = points;
    const int n = mControlPoints.length();
    // A closed polyline ends where it starts, so its periodic evaluation has no jump.
    if (closed == 1 && n > 1 && !(mControlPoints[0] == mControlPoints[n - 1]))
        mControlPoints.append(mControlPoints[0]);
    mFlags = closed == 1 ? kPeriodic : 0;
    mDirtyFlags = closed == 1 ? 6 : 4;
    if (knots && knots->length() == mControlPoints.length()) {
        mKnots = *knots;
        const int m = mKnots.length();
        mInterval.set(m ? mKnots[0] : 0.0, m ? mKnots[m - 1] : 0.0);
        definitionChanged();
    } else {
        recomputeKnots();
    }
}

VqGeImpPolyline3d& VqGeImpPolyline3d::set(const VqArray<VqGePoint3d>& points, int closed) {
    assign(nullptr, points, closed);
    return *this;
}

// The curve decides the spacing; its parameters become the knots and the result is open.
VqGeImpPolyline3d& VqGeImpPolyline3d::set(const VqGeImpCurve3d& curve,
                                          const VqGeImpInterval& intrvl, double approxEps) {
    VqArray<VqGePoint3d> pts(0, 64);
    VqArray<double> params(0, 64);
    if (intrvl.isBounded()) {
        VqGeImpPointOnCurve3d work(&curve);
        curve.getSamplePoints(intrvl.lowerBound(), intrvl.upperBound(), approxEps, work, pts,
                              params, nullptr, nullptr);
    }
    if (params.length() != pts.length()) params.removeAll();
    VqGeKnotVector knots(params);
    assign(params.isEmpty() ? nullptr : &knots, pts, 0);
    return *this;
}

int VqGeImpPolyline3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == (servesAs2d(isPublic) ? VqGe::kPolyline2d : VqGe::kPolyline3d)) return 1;
    return VqGeImpSplineEnt3d::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeImpPolyline3d::type(int isPublic) const {
    return servesAs2d(isPublic) ? VqGe::kPolyline2d : VqGe::kPolyline3d;
}

VqGeImpPolyline3d* VqGeImpPolyline3d::copy() const { return new VqGeImpPolyline3d(*this); }

void VqGeImpPolyline3d::recomputeKnots() {
    const int n = mControlPoints.length();
    mKnots.setLogicalLength(n);
    if (mKnots.length() != n) {
        mInterval.set(0.0, 0.0);
        definitionChanged();
        return;
    }
    double s = 0.0;
    for (int i = 0; i < n; ++i) {
        if (i > 0) s += mControlPoints[i - 1].distanceTo(mControlPoints[i]);
        mKnots[i] = s;
    }
    mInterval.set(0.0, s);
    definitionChanged();
}

VqGePoint3d VqGeImpPolyline3d::fitPointAt(int i) const {
    return i >= 0 && i < mControlPoints.length() ? mControlPoints[i] : VqGePoint3d();
}

int VqGeImpPolyline3d::getFitPointAt(int i, VqGePoint3d& pnt) const {
    if (i < 0 || i >= mControlPoints.length()) return 0;
    pnt = mControlPoints[i];
    return 1;
}

VqGeImpPolyline3d& VqGeImpPolyline3d::setFitPointAt(int i, const VqGePoint3d& pnt) {
    if (i < 0 || i >= mControlPoints.length()) return *this;
    mControlPoints[i] = pnt;
    resetLinFlags();
    recomputeKnots();
    return *this;
}

VqGeImpPolyline3d& VqGeImpPolyline3d::setControlPointAt(int i, const VqGePoint3d& pnt) {
    return setFitPointAt(i, pnt);
}

// An index at or past the end appends.
VqGeImpPolyline3d& VqGeImpPolyline3d::addFitPointAt(int i, const VqGePoint3d& pnt) {
    if (i < 0) return *this;
    if (i >= mControlPoints.length())
        mControlPoints.append(pnt);
    else
        mControlPoints.insertAt(i, pnt);
    resetLinFlags();
    recomputeKnots();
    return *this;
}

VqGeImpPolyline3d& VqGeImpPolyline3d::deleteFitPointAt(int i) {
    if (i < 0 || i >= mControlPoints.length()) return *this;
    mControlPoints.removeAt(i);
    mFlags = static_cast<unsigned char>(mFlags & ~kPeriodic);
    resetLinFlags();
    recomputeKnots();
    return *this;
}

VqGeImpPolyline3d& VqGeImpPolyline3d::compressFitData(const VqGeTol& tol) {
    const int n = mControlPoints.length();
    if (n > 1) {
        const double eps = tol.equalPoint();
        int kept = 1;
        for (int i = 1; i < n - 1; ++i)
            if (mControlPoints[i].distanceTo(mControlPoints[kept - 1]) > eps)
                mControlPoints[kept++] = mControlPoints[i];
        const VqGePoint3d last = mControlPoints[n - 1];
        // The first vertex is never replaced: a polyline keeps both of its ends.
        if (last.distanceTo(mControlPoints[kept - 1]) > eps || kept == 1)
            mControlPoints[kept++] = last;
        else
            mControlPoints[kept - 1] = last;
        mControlPoints.setLogicalLength(kept);
    }
    mFlags = static_cast<unsigned char>(mFlags & ~kPeriodic);
    resetLinFlags();
    recomputeKnots();
    return *this;
}

// Knots of equal value (coincident vertices) form empty segments, which are skipped; a
// parameter outside the knots extends the first or the last segment.
int VqGeImpPolyline3d::segmentAt(double param, double& frac) const {
    const int n = mControlPoints.length();
    frac = 0.0;
    if (n < 2 || mKnots.length() != n) return -1;
    const double* k = mKnots.asArrayPtr();
    double t = param;
    if (isPeriodicStored()) {
        const double period = k[n - 1] - k[0];
        if (period > 0.0 && std::isfinite(t)) {
            if (t < k[0] || t > k[n - 1]) t = k[0] + std::fmod(t - k[0], period);
            if (t < k[0]) t += period;
        }
    }
    int lo = 0, hi = n - 1;  // k[lo] <= t < k[hi] kept by the bisection
    if (!(t > k[0]))
        hi = 1;
    else if (!(t < k[n - 1]))
        lo = n - 2;
    else
        while (hi - lo > 1) {
            const int mid = (lo + hi) / 2;
            (t < k[mid] ? hi : lo) = mid;
        }
    int a = lo;
    while (a > 0 && !(k[a + 1] > k[a])) --a;
    while (a < n - 2 && !(k[a + 1] > k[a])) ++a;
    const double len = k[a + 1] - k[a];
    frac = len > 0.0 ? (t - k[a]) / len : 0.0;
    return a;
}

VqGePoint3d VqGeImpPolyline3d::evalAt(double param, int numDeriv, VqGeVector3d* derivs) const {
    const int n = mControlPoints.length();
    if (n == 0) return VqGePoint3d();
    for (int i = 0; i < numDeriv && derivs; ++i) derivs[i].set(0, 0, 0);
    double u;
    const int a = segmentAt(param, u);
    if (a < 0) return mControlPoints[0];
    const VqGePoint3d& p = mControlPoints[a];
    const VqGeVector3d d = mControlPoints[a + 1] - p;
    if (numDeriv > 0 && derivs) {
        const double len = mKnots[a + 1] - mKnots[a];
        if (len > 0.0) derivs[0] = d / len;
    }
    return p + d * u;
}

VqGePoint3d VqGeImpPolyline3d::evalPoint(double param) { return evalAt(param, 0, nullptr); }

VqGePoint3d VqGeImpPolyline3d::evalPoint(double param, int numDeriv,
                                         VqArray<VqGeVector3d>& derivs) {
    if (numDeriv < 0) numDeriv = 0;
    derivs.setLogicalLength(numDeriv);
    if (derivs.length() != numDeriv) return evalAt(param, 0, nullptr);
    VqGeVector3d d[1];
    const VqGePoint3d p = evalAt(param, numDeriv > 0 ? 1 : 0, d);
    for (int i = 0; i < numDeriv; ++i) derivs[i] = i == 0 ? d[0] : VqGeVector3d(0, 0, 0);
    return p;
}

// A transformed evaluation works on a transformed copy kept in the evaluation data.
void VqGeImpPolyline3d::evaluate(int order, VqGePointOnCurve3dData& data, int) const {
    const VqGeImpPolyline3d* crv = evalTarget(this, data);
    if (!crv) return;
    VqGeVector3d d[1];
    const VqGePoint3d p = crv->evalAt(data.parameter(), 1, d);
    if (!data.pointIsComputed()) data.setPoint(p);
    for (int k = 1; k <= order && k <= VqGePointOnCurve3dData::kMaxDeriv; ++k)
        if (!data.derivIsComputed(k)) data.setDeriv(k, k == 1 ? d[0] : VqGeVector3d(0, 0, 0));
}

int VqGeImpPolyline3d::setInterval() {
    const int n = mKnots.length();
    mInterval.set(n ? mKnots[0] : 0.0, n ? mKnots[n - 1] : 0.0);
    notifySetInterval();
    return 1;
}

int VqGeImpPolyline3d::isPeriodic(double& period, int) const {
    const int n = mKnots.length();
    if (!isPeriodicStored() || n < 2) return 0;
    period = mKnots[n - 1] - mKnots[0];
    return 1;
}
