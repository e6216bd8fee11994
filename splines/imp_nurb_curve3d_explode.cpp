// NURBS cutting at parameters, explosion at G1 breaks, exact offset and sampling.
#include "splines/imp_nurb_curve3d.h"

int VqGeImpNurbCurve3d::explodeAtParams(const VqArray<double>& params, VqArray<void*>& pieces,
                                        const VqGeImpInterval* intrvl) const {
    pieces.removeAll();
    VqGeImpNurbCurve3d* work = nullptr;  // a copy of ours, or null while working on this
    if (intrvl && *intrvl != mInterval) {
        work = copy();
        if (!work) return 0;
        work->hardTrimByParams(intrvl->lowerBound(), intrvl->upperBound());
    } else if (isPeriodicStored()) {
        work = copy();
        if (!work) return 0;
        work->makeNonPeriodic();
    }
    const VqGeImpNurbCurve3d* cur = work ? work : this;
    int cuts = 0;
    for (int i = 0; i < params.length(); ++i) {
        const double t = params[i];
        const VqGeImpInterval& iv = cur->interval();
        if (!iv.contains(t) || iv.isEqualAtUpper(t)) break;
        if (iv.isEqualAtLower(t)) continue;
        VqGeImpCurve3d* head = nullptr;
        VqGeImpCurve3d* tail = nullptr;
        cur->getSplitCurves(t, head, tail);
        if (!head || !tail) {
            delete head;
            delete tail;
            break;
        }
        pieces.append(head);
        ++cuts;
        delete work;
        work = static_cast<VqGeImpNurbCurve3d*>(tail);
        cur = work;
    }
    if (!cuts) {
        delete work;
        return 0;
    }
    pieces.append(work);
    return 1;
}

int VqGeImpNurbCurve3d::explode(VqArray<void*>& curves, VqArray<int>& isNew,
                                const VqGeImpInterval* intrvl) const {
    curves.removeAll();
    isNew.removeAll();
    VqArray<double> params;
    if (!getParamsOfG1Discontinuity(params, VqGeContext::gTol)) return 0;
    if (!explodeAtParams(params, curves, intrvl)) return 0;
    isNew.setLogicalLength(curves.length());
    for (int i = 0; i < isNew.length(); ++i) isNew[i] = 1;
    return 1;
}

// PENDING: a curve that breaks at G1 discontinuities is offset through a composite curve of
// its pieces, which arrives with the compound curves; until then such a curve has no exact
// offset here (null). Smooth curves go to the generic offset.
VqGeImpEntity3d* VqGeImpNurbCurve3d::exactOffset(double distance, const VqGeVector3d& normal,
                                                 VqArray<double>* params1,
                                                 VqArray<double>* params2,
                                                 VqGe::OffsetCrvExtType extType,
                                                 const VqGeTol& tol) const {
    VqArray<void*> pieces;
    VqArray<int> isNew;
    if (explode(pieces, isNew, nullptr)) {
        for (int i = 0; i < pieces.length(); ++i)
            delete static_cast<VqGeImpCurve3d*>(pieces[i]);
        return nullptr;
    }
    VqGe::EntityId id;
    if (isDegenerate(id, tol)) return nullptr;
    return VqGeImpCurve3d::exactOffset(distance, normal, params1, params2, extType, tol);
}

int VqGeImpNurbCurve3d::getSamplePoints(double fromParam, double toParam, double approxTol,
                                        VqGeImpPointOnCurve3d& work, VqArray<VqGePoint3d>& points,
                                        VqArray<double>& params, VqArray<VqGeVector3d>* firstDerivs,
                                        VqArray<VqGeVector3d>* secondDerivs) const {
    if (mDegree != 1) {
        VqGeImpNurbCurve3d* self = const_cast<VqGeImpNurbCurve3d*>(this);  // mode and cache
        self->setEvalMode(1);
        releaseEvalData();
    }
    return VqGeImpSplineEnt3d::getSamplePoints(fromParam, toParam, approxTol, work, points, params,
                                               firstDerivs, secondDerivs);
}
