// NURBS discontinuities at knots, local linearity and degeneracy of the control polygon.
#include <cmath>

#include "curves/imp_linear_ent3d.h"
#include "splines/imp_nurb_curve3d.h"
#include "splines/nurb_periodic_index.h"

namespace {
// Walks the distinct interior knots whose continuity is below C1; fn (t) decides.
template <class Fn>
int walkBreaks(const VqGeImpNurbCurve3d& crv, VqArray<double>& params, Fn fn) {
    params.removeAll();
    const VqGeKnotVector& k = crv.knots();
    const int len = k.length();
    if (len < 2) return 0;
    const int end = len - k.multiplicityAt(len - 1);
    for (int i = k.multiplicityAt(0); i < end;) {
        const int mult = k.multiplicityAt(i);
        if (crv.continuityAtKnot(i, VqGeContext::gTol) < 1 && fn(k[i])) params.append(k[i]);
        i += mult > 0 ? mult : 1;
    }
    return params.isEmpty() ? 0 : 1;
}
}  // namespace

int VqGeImpNurbCurve3d::getParamsOfC1Discontinuity(VqArray<double>& params,
                                                   const VqGeTol& tol) const {
    return walkBreaks(*this, params, [&](double t) {
        if (!mInterval.contains(t) || mInterval.isEqualAtLower(t) || mInterval.isEqualAtUpper(t))
            return false;
        VqGeVector3d dl[1], dr[1];
        const VqGePoint3d pl = sidePoint(t, 0, 1, dl), pr = sidePoint(t, 1, 1, dr);
        return !pl.isEqualTo(pr, tol) || !dl[0].isEqualTo(dr[0], tol);
    });
}

int VqGeImpNurbCurve3d::getParamsOfG1Discontinuity(VqArray<double>& params,
                                                   const VqGeTol& tol) const {
    return walkBreaks(*this, params, [&](double t) {
        VqGeVector3d dl[1], dr[1];
        const VqGePoint3d pl = sidePoint(t, 0, 1, dl), pr = sidePoint(t, 1, 1, dr);
        if (!pl.isEqualTo(pr, tol)) return true;
        if (dl[0].isZeroLength(VqGeContext::gTol) || dr[0].isZeroLength(VqGeContext::gTol))
            return true;
        return !dl[0].isCodirectionalTo(dr[0], tol);
    });
}

// The stored points of the span of param (homogeneous on a rational curve, as stored). A
// periodic span wraps over the distinct points, never onto the stored repeat.
int VqGeImpNurbCurve3d::isLocallyLinear(double param, VqGeImpInterval& intrvl,
                                        VqGeImpLinearEnt3d& line, const VqGeTol& tol) const {
    if (mKnots.length() < mDegree + 2 || mControlPoints.length() < 2) return 0;
    const int periodic = isPeriodicStored();
    const int f = mKnots.getInterval(periodic ? 1 : mDegree + 1, bringParamToBounds(param), intrvl);
    if (f < 0) return 0;
    const int nd = numDistinct();
    auto at = [&](int i) -> const VqGePoint3d& {
        if (periodic) {
            i = nurbWrapIndex(i, nd);
        } else if (i >= mControlPoints.length()) {
            i = mControlPoints.length() - 1;
        }
        return mControlPoints[i < 0 ? 0 : i];
    };
    int e = f - mDegree;
    if (e < 0 && !periodic) e = 0;
    const VqGePoint3d& pe = at(e);
    const VqGePoint3d& pf = at(f);
    if (pe.isEqualTo(pf, tol)) return 0;
    line.set(pe, pf, 0, 0);
    for (int i = e + 1; i < f; ++i)
        if (!line.isOn(at(i), tol)) return 0;
    return 1;
}

// The spline tests, then the control polygon: a run of degree equal points, or one less
// with a reversal of direction, makes a curve without a proper tangent somewhere. A run
// needs at least two points: a single point is no run, or every polyline would qualify.
int VqGeImpNurbCurve3d::isDegenerate(VqGeImpEntity3d*& entity, const VqGeTol& tol) const {
    baseDegenerate(entity, tol);
    if (mControlPoints.length() < 2) return entity != nullptr;
    int run = 1, longest = 1, reversal = 0;
    VqGeVector3d prev(0, 0, 0);
    int havePrev = 0;
    for (int i = 1; i < mControlPoints.length(); ++i) {
        const VqGeVector3d edge = mControlPoints[i] - mControlPoints[i - 1];
        if (mControlPoints[i].isEqualTo(mControlPoints[i - 1], tol)) {
            if (++run > longest) longest = run;
            continue;
        }
        run = 1;
        if (havePrev && edge.isCodirectionalTo(-prev, VqGeContext::gTol)) reversal = 1;
        prev = edge;
        havePrev = 1;
    }
    if ((longest >= mDegree && longest >= 2) || (longest == mDegree - 1 && reversal)) {
        delete entity;
        entity = copy();
    }
    return entity != nullptr;
}
