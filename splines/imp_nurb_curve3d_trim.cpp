// NURBS hard trimming, splitting and joining.
#include <algorithm>
#include <cmath>

#include "splines/imp_nurb_curve3d.h"

void VqGeImpNurbCurve3d::clipToDomain(double a, double b) {
    const int k = mDegree + 1;
    const double ktol = mKnots.tolerance();
    insertKnot(a, k);
    int f = 0;
    while (f < mKnots.length() && !(std::fabs(mKnots[f] - a) < ktol)) ++f;
    if (f > 0 && f < mKnots.length() && f <= mControlPoints.length()) {
        mKnots.removeSubVector(0, f - 1);
        for (int i = 0; i < f; ++i) mControlPoints.removeFirst();
        if (isRational())
            for (int i = 0; i < f; ++i) mWeights.removeFirst();
    }
    insertKnot(b, k);
    int l = mKnots.length() - 1;
    while (l >= 0 && !(std::fabs(mKnots[l] - b) < ktol)) --l;
    if (l >= k && l < mKnots.length() - 1) {
        mKnots.removeSubVector(l + 1, mKnots.length() - 1);
        const int keep = l + 1 - k;
        while (mControlPoints.length() > keep) mControlPoints.removeLast();
        if (isRational())
            while (mWeights.length() > keep) mWeights.removeLast();
    }
    discardFitData();
    mInterval.set(startDomain(), endDomain());
    definitionChanged();
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::hardTrimByParams(double newStart, double newEnd) {
    if (mKnots.length() < mDegree + 2 || mControlPoints.isEmpty()) return *this;
    double a = bringParamToBounds(newStart), b = bringParamToBounds(newEnd);
    if (!std::isfinite(a) || !std::isfinite(b)) return *this;
    if (a > b) std::swap(a, b);
    const double ktol = mKnots.tolerance();
    if (std::fabs(a - startDomain()) < ktol && std::fabs(b - endDomain()) < ktol) {
        mInterval.set(a, b);
        return *this;
    }
    if (!(b - a > ktol)) return *this;
    if (isPeriodicStored()) makeNonPeriodic();
    a = std::max(a, startDomain());
    b = std::min(b, endDomain());
    if (!(b - a > ktol)) return *this;
    clipToDomain(a, b);
    return *this;
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::hardTrim() {
    if (!mInterval.isBounded()) return *this;
    if (!mInterval.isEqualAtLower(startDomain()) || !mInterval.isEqualAtUpper(endDomain()))
        hardTrimByParams(mInterval.lowerBound(), mInterval.upperBound());
    return *this;
}

// The pieces before and after param over the whole knot range; none when param does not
// lie strictly inside it.
void VqGeImpNurbCurve3d::getSplitCurves(double param, VqGeImpCurve3d*& piece1,
                                        VqGeImpCurve3d*& piece2) const {
    piece1 = piece2 = nullptr;
    if (mKnots.length() < mDegree + 2 || mControlPoints.isEmpty()) return;
    const double t = bringParamToBounds(param);
    const double ktol = mKnots.tolerance();
    const double s = startDomain(), e = endDomain();
    if (!(t > s + ktol && t < e - ktol)) return;
    VqGeImpNurbCurve3d* head = copy();
    VqGeImpNurbCurve3d* tail = copy();
    if (!head || !tail) {
        delete head;
        delete tail;
        return;
    }
    head->hardTrimByParams(s, t);
    tail->hardTrimByParams(t, e);
    if (isPeriodicStored()) {
        // A periodic curve opens at its first knot; both pieces come from that open form.
        head->makeNonPeriodic();
        tail->makeNonPeriodic();
    }
    setEntityType(*head, VqGe::kNurbCurve3d, VqGe::kNurbCurve2d);
    setEntityType(*tail, VqGe::kNurbCurve3d, VqGe::kNurbCurve2d);
    piece1 = head;
    piece2 = tail;
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::joinWith(const VqGeImpNurbCurve3d& other) {
    if (mKnots.length() < mDegree + 2 || other.mKnots.length() < other.mDegree + 2) return *this;
    VqGeImpNurbCurve3d* tail = other.copy();
    if (!tail) return *this;
    makeNonPeriodic();
    hardTrim();
    tail->makeNonPeriodic();
    tail->hardTrim();
    if (isRational() && tail->isRational()) {
        const double w1 = mWeights.last(), w2 = tail->mWeights.first();
        if (w1 != w2 && w2 != 0.0) tail->makeRational(w1 / w2);
    } else if (isRational()) {
        tail->makeRational(mWeights.last());
    } else if (tail->isRational()) {
        makeRational(tail->mWeights.first());
    }
    if (mDegree < tail->mDegree) elevateDegree(tail->mDegree - mDegree);
    if (tail->mDegree < mDegree) tail->elevateDegree(mDegree - tail->mDegree);
    const int k = mDegree + 1;
    const double shift = mKnots.endParam() - tail->mKnots.startParam();
    for (int i = k; i < tail->mKnots.length(); ++i) mKnots.append(tail->mKnots[i] + shift);
    mControlPoints.append(tail->mControlPoints);
    if (isRational()) mWeights.append(tail->mWeights);
    const double joint = mKnots[mKnots.length() - tail->mKnots.length() + k - 1];
    delete tail;
    discardFitData();
    mInterval.set(startDomain(), endDomain());
    definitionChanged();
    removeKnot(joint, VqGeContext::gTol);
    mInterval.set(startDomain(), endDomain());
    return *this;
}
