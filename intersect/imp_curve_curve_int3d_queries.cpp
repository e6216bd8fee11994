// Curve-curve intersection: the queries (each computes first when needed), the edits that
// carry the computed result over (transformBy, changeCurveOrder), equality and isOn.
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "intersect/imp_curve_curve_int3d.h"
#include "vqge_matrix3d.h"

void VqGeImpCurveCurveInt3d::getIntRanges(VqGeImpInterval& range1, VqGeImpInterval& range2) const {
    range1 = mRange1;
    range2 = mRange2;
}

const VqGeCurveIntData& VqGeImpCurveCurveInt3d::intData() const {
    intersectCurves();
    return mData;
}

int VqGeImpCurveCurveInt3d::numIntPoints() const {
    return intData().numIntPoints();
}

VqGePoint3d VqGeImpCurveCurveInt3d::intPoint(int i) const {
    return intData().intPnt(i);
}

void VqGeImpCurveCurveInt3d::getIntParams(int i, double& param1, double& param2) const {
    if (validPoint(i)) mData.getIntParams(i, param1, param2);
}

void VqGeImpCurveCurveInt3d::getPointOnCurve1(int i, VqGeImpPointOnCurve3d& pntOnCrv) const {
    if (!validPoint(i)) return;
    double param1 = 0.0, param2 = 0.0;
    mData.getIntParams(i, param1, param2);
    pntOnCrv.setCurve(mCurve1);
    pntOnCrv.setParameter(param1);
}

void VqGeImpCurveCurveInt3d::getPointOnCurve2(int i, VqGeImpPointOnCurve3d& pntOnCrv) const {
    if (!validPoint(i)) return;
    double param1 = 0.0, param2 = 0.0;
    mData.getIntParams(i, param1, param2);
    pntOnCrv.setCurve(mCurve2);
    pntOnCrv.setParameter(param2);
}

void VqGeImpCurveCurveInt3d::getIntConfigs(int i, int& config1, int& config2) const {
    if (validPoint(i)) mData.getIntConfigs(i, config1, config2);
}

int VqGeImpCurveCurveInt3d::isTangential(int i) const {
    if (!validPoint(i)) return 0;
    int config1 = 0, config2 = 0;
    mData.getIntConfigs(i, config1, config2);
    return config1 == VqGe::kLeftLeft || config1 == VqGe::kRightRight;
}

// An index outside the points is neither tangential nor transversal.
int VqGeImpCurveCurveInt3d::isTransversal(int i) const {
    return validPoint(i) && !isTangential(i);
}

double VqGeImpCurveCurveInt3d::intPointTol(int i) const {
    return intData().intTol(i);
}

int VqGeImpCurveCurveInt3d::overlapCount() const {
    return intData().numOverlap();
}

int VqGeImpCurveCurveInt3d::overlapDirection() const {
    if (overlapCount() == 0) return 1;
    VqGeImpInterval range1, range2;
    VqGePoint3d start, end;
    int sameDirection = 1;
    mData.getOverlap(0, range1, range2, start, end, sameDirection);
    return sameDirection;
}

void VqGeImpCurveCurveInt3d::getOverlapRanges(int i, VqGeImpInterval& range1,
                                              VqGeImpInterval& range2) const {
    VqGePoint3d start, end;
    int sameDirection = 1;
    intData().getOverlap(i, range1, range2, start, end, sameDirection);
}

// Overlaps are carried over with the points: dropping them would leave a computed result
// that reports no overlap where the curves coincide.
void VqGeImpCurveCurveInt3d::rebuildRecord(RecordEdit edit, const VqGeMatrix3d* mat) {
    VqGeCurveIntData old(mData);
    mData.reset();
    for (int i = 0; i < old.numIntPoints(); ++i) {
        double p1 = 0.0, p2 = 0.0;
        int c1 = 0, c2 = 0;
        old.getIntParams(i, p1, p2);
        old.getIntConfigs(i, c1, c2);
        VqGePoint3d pnt = old.intPnt(i);
        if (edit == kMoveBy)
            mData.addIntPoint(pnt.transformBy(*mat), p1, p2, c1, c2, old.intTol(i));
        else
            mData.addIntPoint(pnt, p2, p1, c2, c1, old.intTol(i));
    }
    for (int i = 0; i < old.numOverlap(); ++i) {
        VqGeImpInterval r1, r2;
        VqGePoint3d start, end;
        int same = 1;
        if (!old.getOverlap(i, r1, r2, start, end, same)) continue;
        if (edit == kMoveBy) {
            mData.addOverlap(r1, r2, start.transformBy(*mat), end.transformBy(*mat), same);
        } else {
            // Seen from the other curve an opposed overlap runs from its end to its start.
            mData.addOverlap(r2, r1, same ? start : end, same ? end : start, same);
        }
    }
}

VqGeImpCurveCurveInt3d& VqGeImpCurveCurveInt3d::transformBy(const VqGeMatrix3d& mat) {
    intersectCurves();
    rebuildRecord(kMoveBy, &mat);
    mPlaneNormal.transformBy(mat);
    notifyTransformed(mat);
    return *this;
}

VqGeImpCurveCurveInt3d& VqGeImpCurveCurveInt3d::changeCurveOrder() {
    if (mComputed) rebuildRecord(kExchange, nullptr);
    const VqGeImpCurve3d* crv = mCurve1;
    mCurve1 = mCurve2;
    mCurve2 = crv;
    const VqGeImpInterval range = mRange1;
    mRange1 = mRange2;
    mRange2 = range;
    notifyModified();
    return *this;
}

// A deleted curve only equals a deleted curve.
int VqGeImpCurveCurveInt3d::isEqualTo(const VqGeImpEntity3d& other, const VqGeTol&) const {
    if (other.type(1) != type(1) || !other.isKindOf(VqGe::kCurveCurveInt3d, 0)) return 0;
    const VqGeImpCurveCurveInt3d& cc = static_cast<const VqGeImpCurveCurveInt3d&>(other);
    const VqGeImpCurve3d* mine[2] = {mCurve1, mCurve2};
    const VqGeImpCurve3d* theirs[2] = {cc.mCurve1, cc.mCurve2};
    for (int k = 0; k < 2; ++k) {
        if (mine[k] == theirs[k]) continue;
        if (!mine[k] || !theirs[k] || !mine[k]->isEqualTo(*theirs[k], VqGeContext::gTol)) return 0;
    }
    return 1;
}

int VqGeImpCurveCurveInt3d::isOn(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    const VqGeCurveIntData& data = intData();
    for (int i = 0; i < data.numIntPoints(); ++i)
        if (pnt.isEqualTo(data.intPnt(i), tol)) return 1;
    if (data.numOverlap() == 0 || !mCurve1 || !mCurve2) return 0;
    return mCurve1->isOn(pnt, tol) && mCurve2->isOn(pnt, tol);
}
