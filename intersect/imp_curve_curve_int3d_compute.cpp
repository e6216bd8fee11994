// Curve-curve intersection: the lazy computation and the derived plane normal. The curves'
// own intervals are borrowed for the computation and restored afterwards, since every curve
// kind intersects within its current interval.
#include "curves/imp_curve3d.h"
#include "intersect/imp_curve_curve_int3d.h"
#include "surfaces/imp_planar_ent.h"

namespace {

// Same bounds, same boundedness and same tolerance: storing it would change nothing.
int sameInterval(const VqGeImpInterval& a, const VqGeImpInterval& b) {
    if (a.isBoundedBelow() != b.isBoundedBelow() || a.isBoundedAbove() != b.isBoundedAbove())
        return 0;
    if (a.isBoundedBelow() && a.lowerBound() != b.lowerBound()) return 0;
    if (a.isBoundedAbove() && a.upperBound() != b.upperBound()) return 0;
    return a.tolerance() == b.tolerance();
}

// The intersection borrows the curve's interval: a curve whose interval already is the
// wanted one is left untouched, which spares its dependants the events and never writes to
// a shared constant curve (the default axis lines).
void applyInterval(const VqGeImpCurve3d* crv, const VqGeImpInterval& intrvl) {
    VqGeImpInterval current;
    crv->getInterval(current, 0, 0);
    if (!sameInterval(current, intrvl)) const_cast<VqGeImpCurve3d*>(crv)->setInterval(intrvl, 1);
}

}  // namespace

void VqGeImpCurveCurveInt3d::intersectCurves() const {
    if (mComputed) return;
    mComputing = 1;
    mData.reset();
    computeInto(mData);
    mComputed = 1;
    mComputing = 0;
}

// A deleted curve leaves nothing to intersect: the result is empty rather than a call
// through a null curve.
void VqGeImpCurveCurveInt3d::computeInto(VqGeCurveIntData& data) const {
    if (!mCurve1 || !mCurve2) return;
    const VqGeVector3d normal = mPlaneNormal;
    VqGeImpInterval saved1, saved2;
    mCurve1->getInterval(saved1, 0, 0);
    mCurve2->getInterval(saved2, 0, 0);
    if (mCurve1 == mCurve2) {
        if (mRange1 == mRange2) {
            applyInterval(mCurve1, mRange1);
            mCurve1->intersectSelf(data, normal, 0.0, mTol);
            applyInterval(mCurve1, saved1);
        } else {
            mCurve1->intersectWith(mRange1, mRange2, normal, data, mTol);
        }
        return;
    }
    applyInterval(mCurve1, mRange1);
    applyInterval(mCurve2, mRange2);
    mCurve1->intersectWith(*mCurve2, normal, data, mTol);
    applyInterval(mCurve1, saved1);
    applyInterval(mCurve2, saved2);
}

VqGeVector3d VqGeImpCurveCurveInt3d::planeNormal() const {
    if (mPlaneNormal.isZeroLength(VqGeContext::gTol)) {
        VqGeImpPlanarEnt plane;
        if (!mCurve1 || !mCurve2 || mCurve1->isCoplanarWith(*mCurve2, plane, mTol))
            mPlaneNormal = plane.normal();
    }
    return mPlaneNormal;
}
