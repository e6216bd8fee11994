// Composite curve: evaluation through the members (derivative k scaled by scale^k, scale being
// the member's parameter per composite parameter), the per-member evaluation cache, lengths
// and the parameter at a length, and sampling.
#include "compound/imp_composite_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "vqge_matrix3d.h"

VqGeCompCrvEvalData::VqGeCompCrvEvalData()
    : VqGeEvaluatorDataCurve(nullptr), mPoints(0, 8), mLastScale(1.0) {}

VqGeCompCrvEvalData::~VqGeCompCrvEvalData() {
    for (int i = 0; i < mPoints.length(); ++i)
        delete static_cast<VqGeImpPointOnCurve3d*>(mPoints[i]);
}

VqGeImpPointOnCurve3d* VqGeCompCrvEvalData::memberPoint(const VqGeImpCurve3d* member, int index,
                                                        const VqGeMatrix3d* transform) {
    if (index < 0) return nullptr;
    if (index >= mPoints.length()) {
        const int old = mPoints.length();
        mPoints.setLogicalLength(index + 1);
        if (mPoints.length() != index + 1) return nullptr;
        for (int i = old; i <= index; ++i) mPoints[i] = nullptr;
    }
    VqGeImpPointOnCurve3d* pnt = static_cast<VqGeImpPointOnCurve3d*>(mPoints[index]);
    if (pnt && pnt->curve() != member) {  // the member died or was replaced
        delete pnt;
        pnt = nullptr;
    }
    if (!pnt) {
        pnt = new VqGeImpPointOnCurve3d(member);
        if (pnt && transform) pnt->transformBy(*transform);
        mPoints[index] = pnt;
    }
    return pnt;
}

void VqGeImpCompositeCurve3d::evaluate(int order, VqGePointOnCurve3dData& data, int) const {
    if (mMembers.isEmpty()) return;
    if (!data.evalData()) {
        VqGeCompCrvEvalData* cache = new VqGeCompCrvEvalData();
        if (!cache) return;
        data.setEvalData(cache);
    }
    VqGeCompCrvEvalData* cache = static_cast<VqGeCompCrvEvalData*>(data.evalData());
    int index;
    double scale;
    const double local = globalToLocalParam(data.parameter(), index, scale);
    VqGeImpPointOnCurve3d* pnt = cache->memberPoint(curveAt(index), index, data.transform());
    if (!pnt) return;
    cache->setLastScale(scale);
    pnt->setParameter(local);
    if (!data.pointIsComputed()) data.setPoint(pnt->point());
    double factor = 1.0;
    for (int k = 1; k <= order && k <= VqGePointOnCurve3dData::kMaxDeriv; ++k) {
        factor *= scale;
        if (!data.derivIsComputed(k)) data.setDeriv(k, pnt->deriv(k) * factor);
    }
}

VqGePoint3d VqGeImpCompositeCurve3d::evalPoint(double param) {
    int index;
    double scale;
    const double local = globalToLocalParam(param, index, scale);
    return index < 0 ? VqGePoint3d() : curveAt(index)->evalPoint(local);
}

VqGePoint3d VqGeImpCompositeCurve3d::evalPoint(double param, int numDeriv,
                                               VqArray<VqGeVector3d>& derivs) {
    int index;
    double scale;
    const double local = globalToLocalParam(param, index, scale);
    if (index < 0) {
        derivs.removeAll();
        return VqGePoint3d();
    }
    const VqGePoint3d pnt = curveAt(index)->evalPoint(local, numDeriv, derivs);
    double factor = 1.0;
    for (int k = 0; k < derivs.length(); ++k) {
        factor *= scale;
        derivs[k] *= factor;
    }
    return pnt;
}

// Members i0..i1 are measured: from the local start in the first, to the local end in the
// last, over their whole interval in between.
double VqGeImpCompositeCurve3d::length(double fromParam, double toParam, double tol) const {
    int i0, i1;
    double s0, s1;
    const double l0 = globalToLocalParam(fromParam, i0, s0);
    const double l1 = globalToLocalParam(toParam, i1, s1);
    if (i0 < 0 || i1 < i0) return 0.0;
    double sum = 0.0;
    for (int i = i0; i <= i1; ++i) {
        VqGeImpInterval intrvl;
        curveAt(i)->getInterval(intrvl, 0, 0);
        const double a = i == i0 ? l0 : intrvl.lowerBound();
        const double b = i == i1 ? l1 : intrvl.upperBound();
        sum += curveAt(i)->length(a, b, tol);
    }
    return sum;
}

namespace {
// Length of a member between two of its parameters, whatever their order.
double memberLength(const VqGeImpCurve3d& member, double a, double b, double tol) {
    return a <= b ? member.length(a, b, tol) : member.length(b, a, tol);
}
}  // namespace

double VqGeImpCompositeCurve3d::paramAtLength(double fromParam, double len, int forward,
                                              double tol) const {
    const int n = mMembers.length();
    if (n == 0 || len != len) return fromParam;
    if (len < 0.0) {
        len = -len;
        forward = !forward;
    }
    if (len == 0.0) return fromParam;
    int i;
    double scale;
    double start = globalToLocalParam(fromParam, i, scale);
    double remaining = len;
    for (;;) {
        const VqGeImpCurve3d& member = *curveAt(i);
        VqGeImpInterval intrvl;
        member.getInterval(intrvl, 0, 0);
        const double end = forward ? intrvl.upperBound() : intrvl.lowerBound();
        const double avail = memberLength(member, start, end, tol);
        if (remaining < avail)
            return localToGlobalParam(member.paramAtLength(start, remaining, forward, tol), i);
        if (remaining == avail) return localToGlobalParam(end, i);
        remaining -= avail;
        i += forward ? 1 : -1;
        if (i >= n) return mBreaks[n];
        if (i < 0) return mBreaks[0];
        VqGeImpInterval next;
        curveAt(i)->getInterval(next, 0, 0);
        start = forward ? next.lowerBound() : next.upperBound();
    }
}

// Each member samples its own stretch of [fromParam, toParam]; the parameters are mapped
// back and the derivatives scaled. A point shared by two members is kept once.
int VqGeImpCompositeCurve3d::getSamplePoints(double fromParam, double toParam, double approxTol,
                                             VqGeImpPointOnCurve3d&, VqArray<VqGePoint3d>& points,
                                             VqArray<double>& params,
                                             VqArray<VqGeVector3d>* firstDerivs,
                                             VqArray<VqGeVector3d>* secondDerivs) const {
    points.removeAll();
    params.removeAll();
    if (firstDerivs) firstDerivs->removeAll();
    if (secondDerivs) secondDerivs->removeAll();
    if (mMembers.isEmpty() || !(fromParam <= toParam)) return 0;
    int i0, i1;
    double s0, s1;
    const double l0 = globalToLocalParam(fromParam, i0, s0);
    const double l1 = globalToLocalParam(toParam, i1, s1);
    VqArray<VqGePoint3d> pts;
    VqArray<double> prm;
    VqArray<VqGeVector3d> d1, d2;
    for (int i = i0; i <= i1; ++i) {
        const VqGeImpCurve3d& member = *curveAt(i);
        VqGeImpInterval intrvl;
        member.getInterval(intrvl, 0, 0);
        const double a = i == i0 ? l0 : intrvl.lowerBound();
        const double b = i == i1 ? l1 : intrvl.upperBound();
        VqGeImpPointOnCurve3d work(&member);
        if (!member.getSamplePoints(a, b, approxTol, work, pts, prm, firstDerivs ? &d1 : nullptr,
                                    secondDerivs ? &d2 : nullptr))
            return 0;
        const double scale = memberScale(i);
        const int skip = points.isEmpty() ? 0 : 1;
        for (int k = skip; k < pts.length(); ++k) {
            points.append(pts[k]);
            params.append(localToGlobalParam(prm[k], i));
            if (firstDerivs && k < d1.length()) firstDerivs->append(d1[k] * scale);
            if (secondDerivs && k < d2.length()) secondDerivs->append(d2[k] * (scale * scale));
        }
    }
    return points.isEmpty() ? 0 : 1;
}
