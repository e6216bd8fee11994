// Fit data editing: closing, compression and the point adjustment that turns interpolation
// into approximation.
#include <cmath>

#include "splines/imp_fit_data3d.h"
#include "splines/imp_fit_interp.h"
#include "splines/imp_nurb_curve3d.h"

namespace {

// First derivative at t of the cubic through the points with the tangents present.
int interpolatedTangents(const VqArray<VqGePoint3d>& F, const VqGeKnotVector& t,
                         const VqGeVector3d* startTan, const VqGeVector3d* endTan,
                         VqGeVector3d& atStart, VqGeVector3d& atEnd) {
    VqGeKnotVector knots;
    VqArray<VqGePoint3d> ctrl;
    const int n = F.length();
    if (!VqGeFitInterp::cubicOpen(F.asArrayPtr(), t.asArrayPtr(), n, startTan, endTan, knots,
                                  ctrl))
        return 0;
    VqGeImpNurbCurve3d crv(3, knots, ctrl, 0);
    VqGeVector3d d[1];
    crv.pointAt(t[0] + 1e-10, 1, d);
    atStart = d[0];
    crv.pointAt(t[n - 1] - 1e-10, 1, d);
    atEnd = d[0];
    return 1;
}

}  // namespace

// The seam tangent, when none is given, is the central difference across the seam.
VqGeImpFitData3d& VqGeImpFitData3d::makeClosed() {
    mFitTolerance = adjustFitTolerance();
    int n = mControlPoints.length();
    if (n == 0) return *this;
    if (!mControlPoints[0].isEqualTo(mControlPoints[n - 1], mFitTolerance)) {
        mControlPoints.append(mControlPoints[0]);
        ++n;
    }
    recomputeKnots();
    VqGeVector3d tan(0, 0, 0);
    if (!getTangentAtStart(tan) || tan.isZeroLength(mFitTolerance)) {
        tan.set(0, 0, 0);
        if (n >= 3) {
            const double h = (mKnots[1] - mKnots[0]) + (mKnots[n - 1] - mKnots[n - 2]);
            if (h > 0.0) tan = (mControlPoints[1] - mControlPoints[n - 2]) / h;
        }
    }
    setTangentAtStart(tan);
    setTangentAtEnd(tan);
    mFlags = static_cast<unsigned char>(mFlags | kPeriodic);
    return *this;
}

// A closed set stays closed: both of its ends survive the polyline rule. With tangents at
// every point a removed point takes its tangent along, so the two arrays stay paired.
VqGeImpFitData3d& VqGeImpFitData3d::compressFitData() {
    const VqGeTol saved = mFitTolerance;
    const VqGeTol eff = adjustFitTolerance();
    const int closed = isPeriodicStored();
    const int paired = hasFitTangents();
    const int n = mControlPoints.length();
    if (n > 1) {
        VqArray<VqGePoint3d>& P = mControlPoints;
        VqArray<VqGeVector3d>& T = mFitTangents;
        const int m = paired ? T.length() : 0;
        int kept = 1;
        for (int i = 1; i < n; ++i) {
            const int last = i == n - 1;
            const int near = P[i].isEqualTo(P[kept - 1], eff);
            // The tangent rule: point and tangent both repeat the last kept ones.
            const int repeat = paired && near && i < m && kept - 1 < m &&
                               T[i].isEqualTo(T[kept - 1], eff);
            const int drop = repeat || (P[i].distanceTo(P[kept - 1]) <= eff.equalPoint());
            if (last && drop && kept > 1) {
                P[kept - 1] = P[i];
                if (paired && i < m) T[kept - 1] = T[i];
                continue;
            }
            if (drop && !last) continue;
            P[kept] = P[i];
            if (paired && i < m) T[kept] = T[i];
            ++kept;
        }
        P.setLogicalLength(kept);
        if (paired) T.setLogicalLength(m == n ? kept : kept - 1);
    }
    // Parameters are recomputed only when points went: data that lose nothing keep their
    // parameters, so a regenerated curve stays the curve the data were transformed with.
    if (mControlPoints.length() != n) recomputeKnots();
    if (closed) mFlags = static_cast<unsigned char>(mFlags | kPeriodic);
    mFitTolerance = saved;
    return *this;
}

// Interior points move towards the Bezier cubic of the end points and end tangents, by at
// most the fit tolerance; the tolerance is spent and becomes zero.
VqGeImpFitData3d& VqGeImpFitData3d::adjustFitPoints() {
    if (!hasApproximationData()) return *this;
    VqArray<VqGePoint3d>& F = mControlPoints;
    const int n = F.length();
    double d = mFitTolerance.equalPoint();
    mFitTolerance.setEqualPoint(0.0);
    mFitTolerance.setEqualVector(0.0);
    if (F[0].isEqualTo(F[n - 1], VqGeContext::gTol)) {
        double far = 0.0;
        for (int i = 1; i < n; ++i) far = std::fmax(far, F[0].distanceTo(F[i]));
        d = std::fmin(d, 0.9 * far);
    }
    VqGeVector3d t0(0, 0, 0), t1(0, 0, 0);
    const int hasStart = getTangentAtStart(t0), hasEnd = getTangentAtEnd(t1);
    if (!hasStart || !hasEnd) {
        VqGeVector3d s, e;
        if (!interpolatedTangents(F, mKnots, hasStart ? &t0 : nullptr, hasEnd ? &t1 : nullptr, s,
                                  e))
            return *this;
        if (!hasStart) setTangentAtStart(t0 = s);
        if (!hasEnd) setTangentAtEnd(t1 = e);
    }
    const double ta = mKnots[0], tb = mKnots[n - 1];
    const double L = (tb - ta) / 3.0;
    const VqGePoint3d b0 = F[0], b1 = F[0] + t0 * L, b2 = F[n - 1] - t1 * L, b3 = F[n - 1];
    for (int i = 1; i < n - 1; ++i) {
        const double s = tb > ta ? (mKnots[i] - ta) / (tb - ta) : 0.0, r = 1.0 - s;
        const double w0 = r * r * r, w1 = 3 * r * r * s, w2 = 3 * r * s * s, w3 = s * s * s;
        const VqGePoint3d B(w0 * b0.x + w1 * b1.x + w2 * b2.x + w3 * b3.x,
                            w0 * b0.y + w1 * b1.y + w2 * b2.y + w3 * b3.y,
                            w0 * b0.z + w1 * b1.z + w2 * b2.z + w3 * b3.z);
        const VqGeVector3d D = B - F[i];
        const double len = D.length();
        F[i] = len <= d ? B : F[i] + D * (d / len);
    }
    const int closed = isPeriodicStored();
    recomputeKnots();
    if (closed) mFlags = static_cast<unsigned char>(mFlags | kPeriodic);
    return *this;
}
