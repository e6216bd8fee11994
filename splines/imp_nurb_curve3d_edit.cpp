// NURBS edits of form: periodic and closed forms, interval, derivative curve, transformation
// and reversal.
#include <cmath>

#include "splines/imp_nurb_curve3d.h"
#include "vqge_matrix3d.h"

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::makePeriodic() {
    if (mKnots.length() < mDegree + 2 || mControlPoints.length() < 2) return *this;
    if (!mInterval.isEqualAtLower(startDomain()) || !mInterval.isEqualAtUpper(endDomain()))
        hardTrim();
    if (isPeriodicStored()) return *this;
    hardTrim();
    if (!isClosed(VqGeContext::gTol)) makeClosed();
    if (!isClosed(VqGeContext::gTol) || mKnots.length() < 2 * mDegree + 2) return *this;
    mKnots.removeSubVector(mKnots.length() - mDegree, mKnots.length() - 1);
    mControlPoints.append(mControlPoints[0]);
    if (isRational()) mWeights.append(mWeights[0]);
    mFlags = static_cast<unsigned char>(mFlags | kPeriodic);
    mDirtyFlags = static_cast<unsigned char>(mDirtyFlags | kPeriodicMark);
    definitionChanged();
    removeKnot(mKnots[0], VqGeContext::gTol);
    mInterval.set(startDomain(), endDomain());
    return *this;
}

// Only a periodic curve has a form to leave: on any other curve the steps below would
// duplicate end knots and drop a real control point.
VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::makeNonPeriodic() {
    if (!isPeriodicStored() || mKnots.length() < 2) return *this;
    insertKnot(mKnots[0], mDegree + 1);
    const double last = mKnots.endParam();
    for (int i = 0; i < mDegree; ++i) mKnots.append(last);
    mControlPoints.removeLast();
    if (isRational()) mWeights.removeLast();
    mFlags = static_cast<unsigned char>(mFlags & ~kPeriodic);
    mDirtyFlags = static_cast<unsigned char>(mDirtyFlags | kPeriodicMark);
    mInterval.set(startDomain(), endDomain());
    definitionChanged();
    return *this;
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::makeOpen() { return makeNonPeriodic(); }

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::makeClosed() {
    if (mKnots.length() < mDegree + 2 || mControlPoints.length() < 2) return *this;
    if (isClosed(VqGeContext::gTol)) return *this;
    hardTrim();
    if (mDegree == 2) elevateDegree(1);
    VqGeVector3d dEnd[1], dStart[1];
    const VqGePoint3d pEnd = evalAt(endDomain(), 1, dEnd);
    const VqGePoint3d pStart = evalAt(startDomain(), 1, dStart);
    VqGeImpNurbCurve3d piece(pEnd, dEnd[0], pStart, dStart[0], 0.0, pEnd.distanceTo(pStart));
    if (mDegree > 3) piece.elevateDegree(mDegree - 3);
    joinWith(piece);
    notifyModified();
    return *this;
}

int VqGeImpNurbCurve3d::setInterval(const VqGeImpInterval& intrvl, int notify) {
    if (isPeriodicStored() &&
        (!intrvl.isEqualAtLower(startDomain()) || !intrvl.isEqualAtUpper(endDomain())))
        makeNonPeriodic();
    return VqGeImpSplineEnt3d::setInterval(intrvl, notify);
}

// Differences of the stored points (homogeneous on a rational curve: the result is the
// derivative of the numerator). A knot of full multiplicity inside the curve has no
// derivative across it: the point there is the zero vector.
void VqGeImpNurbCurve3d::getDerivativeCurve(int n, VqGeImpNurbCurve3d& out) const {
    if (n <= 0) {
        out = *this;
        return;
    }
    if (n > mDegree || mKnots.length() < mDegree + 2 || mControlPoints.length() < 2) {
        out = VqGeImpNurbCurve3d();
        return;
    }
    if (n > 1) {
        VqGeImpNurbCurve3d first;
        getDerivativeCurve(1, first);
        first.getDerivativeCurve(n - 1, out);
        return;
    }
    const int d = mDegree, len = mKnots.length(), m = mControlPoints.length();
    const double* u = mKnots.asArrayPtr();
    const VqArray<VqGePoint3d>& P = mControlPoints;
    auto diff = [d](const VqGePoint3d& a, const VqGePoint3d& b, double w) {
        const VqGeVector3d v = a - b;
        return w != 0.0 ? VqGePoint3d(v.x * d / w, v.y * d / w, v.z * d / w) : VqGePoint3d();
    };
    VqGeKnotVector knots(mKnots);
    VqArray<VqGePoint3d> Q(m, 8);
    const int periodic = isPeriodicStored();
    if (!periodic) {
        knots.removeAt(len - 1);
        knots.removeAt(0);
        for (int i = 0; i + 1 < m; ++i) Q.append(diff(P[i + 1], P[i], u[i + d + 1] - u[i + 1]));
    } else {
        // The wrap-around difference takes the last distinct point, not the stored repeat.
        Q.append(diff(P[0], P[m - 2], u[d] - u[0]));
        for (int i = 1; i <= m - 2; ++i) {
            const double w = i + d <= m - 1 ? u[i + d] - u[i]
                                            : u[i + d - (m - 1)] - u[0] + u[m - 1] - u[i];
            Q.append(diff(P[i], P[i - 1], w));
        }
        Q.append(Q[0]);
    }
    out.define(d - 1, knots, Q, nullptr, periodic);
    setEntityType(out, VqGe::kNurbCurve3d, VqGe::kNurbCurve2d);
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::transformBy(const VqGeMatrix3d& mat) {
    transformFitData(mat);
    VqGeImpSplineEnt3d::transformBy(mat);
    return *this;
}

// A periodic curve also turns its cyclic point order so each point keeps its span.
VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::reverseParam() {
    mWeights.reverse();
    VqGeImpSplineEnt3d::reverseParam();
    if (isPeriodicStored() && mControlPoints.length() > 2) {
        const int nd = mControlPoints.length() - 1;
        // After reversal stored j holds P(-j); it must hold P(-j - degree - 1).
        VqArray<VqGePoint3d> pts(mControlPoints);
        VqArray<double> w(mWeights);
        const int shift = ((mDegree + 1) % nd + nd) % nd;
        for (int j = 0; j < nd; ++j) {
            const int from = (j + shift) % nd;
            mControlPoints[j] = pts[from];
            if (isRational()) mWeights[j] = w[from];
        }
        mControlPoints[nd] = mControlPoints[0];
        if (isRational()) mWeights[nd] = mWeights[0];
        definitionChanged();
    }
    return *this;
}
