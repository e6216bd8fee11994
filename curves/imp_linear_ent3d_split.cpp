// Linear entity: splitting, reversing the parameter and the exact offset.
#include "curves/imp_linear_ent3d.h"

namespace {
const char* const kOffsetLink = "ExactOffsetCurve_Curve";
}  // namespace

VqGeImpLinearEnt3d& VqGeImpLinearEnt3d::reverseParam() {
    if (mInterval.isBounded()) {
        mOrigin = pointAt(mInterval.lowerBound() + mInterval.upperBound());
    } else if (mInterval.isBoundedBelow()) {
        mInterval.set(0, -mInterval.lowerBound());
    } else if (mInterval.isBoundedAbove()) {
        mInterval.set(1, -mInterval.upperBound());
    }
    mDirection = -mDirection;
    notifyModified();
    return *this;
}

// Both pieces or neither: when the second cannot be allocated the first is released.
void VqGeImpLinearEnt3d::getSplitCurves(double param, VqGeImpCurve3d*& piece1,
                                        VqGeImpCurve3d*& piece2) const {
    piece1 = piece2 = nullptr;
    const VqGePoint3d q = pointAt(param);
    const VqGeTol& gtol = VqGeContext::gTol;
    if (mInterval.isBoundedBelow() &&
        (param < mInterval.lowerBound() || startPoint().isEqualTo(q, gtol)))
        return;
    if (mInterval.isBoundedAbove() &&
        (param > mInterval.upperBound() || endPoint().isEqualTo(q, gtol)))
        return;
    VqGeImpLinearEnt3d* first;
    if (mInterval.isBoundedBelow()) {
        first = new VqGeImpLinearEnt3d(startPoint(), q, 1, 1);
    } else {
        first = new VqGeImpLinearEnt3d(q, -mDirection, 1, 0);
        if (first) first->reverseParam();
    }
    if (!first) return;
    VqGeImpLinearEnt3d* second = mInterval.isBoundedAbove()
                                     ? new VqGeImpLinearEnt3d(q, endPoint(), 1, 1)
                                     : new VqGeImpLinearEnt3d(q, mDirection, 1, 0);
    if (!second) {
        delete first;
        return;
    }
    if (mInterval.isBoundedBelow())
        setEntityType(*first, VqGe::kLineSeg3d, VqGe::kLineSeg2d);
    else
        setEntityType(*first, VqGe::kRay3d, VqGe::kRay2d);
    if (mInterval.isBoundedAbove())
        setEntityType(*second, VqGe::kLineSeg3d, VqGe::kLineSeg2d);
    else
        setEntityType(*second, VqGe::kRay3d, VqGe::kRay2d);
    piece1 = first;
    piece2 = second;
}

VqGeImpEntity3d* VqGeImpLinearEnt3d::exactOffset(double distance, const VqGeVector3d& normal,
                                                 VqArray<double>* params1, VqArray<double>* params2,
                                                 VqGe::OffsetCrvExtType, const VqGeTol& tol) const {
    if (params1) params1->removeAll();
    if (params2) params2->removeAll();
    VqGeImpLinearEnt3d* offset = copy();
    if (!offset) return nullptr;
    if (distance > tol.equalPoint() || distance < -tol.equalPoint())
        offset->translateBy(normal.crossProduct(mDirection).normal(VqGeContext::gTol) * distance);
    offset->createLink(this, kOffsetLink);
    return offset;
}
