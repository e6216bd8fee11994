#include "curves/imp_curve3d.h"
#include "vqge_pointoncurvedata.h"

VqGeEvaluatorDataCurve::VqGeEvaluatorDataCurve(VqGeImpCurve3d* curveCopy)
    : mFlags(0), mCurve(curveCopy) {}

VqGeEvaluatorDataCurve::~VqGeEvaluatorDataCurve() { delete mCurve; }

VqGePointOnCurve3dData::VqGePointOnCurve3dData()
    : mParam(0.0), mTransform(nullptr), mEvalData(nullptr), mFlags(0) {}

void VqGePointOnCurve3dData::setPoint(const VqGePoint3d& pnt) {
    mPoint = pnt;
    mFlags |= 1;
    if (mEvalData) mEvalData->orFlags(1);
}

void VqGePointOnCurve3dData::setDeriv(int order, const VqGeVector3d& vec) {
    if (order < 1 || order > kMaxDeriv) return;
    mDerivs[order] = vec;
    const unsigned short bit = static_cast<unsigned short>(1u << order);
    mFlags = static_cast<unsigned short>(mFlags | bit);
    if (mEvalData) mEvalData->orFlags(bit);
}

int VqGePointOnCurve3dData::derivIsComputed(int order) const {
    if (order < 1 || order > kMaxDeriv) return 0;
    return (mFlags >> order) & 1;
}

VqGeVector3d VqGePointOnCurve3dData::deriv(int order) const {
    if (order < 1 || order > kMaxDeriv) return VqGeVector3d();
    return mDerivs[order];
}

void VqGePointOnCurve3dData::clearComputed() {
    mFlags = 0;
    if (mEvalData) mEvalData->clearFlags();
}
