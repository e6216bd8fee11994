// Evaluation record of a point on a surface.
#include "vqge_pointonsurfacedata.h"

VqGeEvaluatorDataSurface::~VqGeEvaluatorDataSurface() {}

VqGePointOnSurfaceData::VqGePointOnSurfaceData()
    : mTransform(nullptr), mEvalData(nullptr), mFlags(0) {}

void VqGePointOnSurfaceData::mark(unsigned short bit) {
    mFlags = static_cast<unsigned short>(mFlags | bit);
    if (mEvalData) mEvalData->orFlags(bit);
}

void VqGePointOnSurfaceData::setPoint(const VqGePoint3d& pnt) {
    mPoint = pnt;
    mark(kPoint);
}

void VqGePointOnSurfaceData::setUDeriv(int order, const VqGeVector3d& vec) {
    if (order < 1 || order > 2) return;
    mUDerivs[order - 1] = vec;
    mark(order == 1 ? kUDeriv1 : kUDeriv2);
}

void VqGePointOnSurfaceData::setVDeriv(int order, const VqGeVector3d& vec) {
    if (order < 1 || order > 2) return;
    mVDerivs[order - 1] = vec;
    mark(order == 1 ? kVDeriv1 : kVDeriv2);
}

void VqGePointOnSurfaceData::setMixedPartial(const VqGeVector3d& vec) {
    mMixed = vec;
    mark(kMixedPartial);
}

void VqGePointOnSurfaceData::setNormal(const VqGeVector3d& vec) {
    mNormal = vec;
    mark(kNormal);
}

VqGeVector3d VqGePointOnSurfaceData::uDeriv(int order) const {
    return order >= 1 && order <= 2 ? mUDerivs[order - 1] : VqGeVector3d();
}

VqGeVector3d VqGePointOnSurfaceData::vDeriv(int order) const {
    return order >= 1 && order <= 2 ? mVDerivs[order - 1] : VqGeVector3d();
}

int VqGePointOnSurfaceData::uDerivIsComputed(int order) const {
    if (order < 1 || order > 2) return 0;
    return (mFlags & (order == 1 ? kUDeriv1 : kUDeriv2)) != 0;
}

int VqGePointOnSurfaceData::vDerivIsComputed(int order) const {
    if (order < 1 || order > 2) return 0;
    return (mFlags & (order == 1 ? kVDeriv1 : kVDeriv2)) != 0;
}

void VqGePointOnSurfaceData::clearComputed() {
    mFlags = 0;
    if (mEvalData) mEvalData->clearFlags();
}
