// Implementation object of VqGeCurveCurveInt3d and VqGeCurveCurveInt2d: two linked curves, a
// parameter range on each, a projection direction and a tolerance, and the intersection
// record, computed on the first query and dropped whenever a curve changes.
#ifndef VQGE_INTERSECT_IMP_CURVE_CURVE_INT3D_H
#define VQGE_INTERSECT_IMP_CURVE_CURVE_INT3D_H

#include "entity/imp_entity3d.h"
#include "vqge_curveintdata.h"
#include "vqge_interval.h"

class VqGeImpCurve3d;
class VqGeImpPointOnCurve3d;

class VQGE_API VqGeImpCurveCurveInt3d : public VqGeImpEntity3d {
public:
    // The x and y axis lines, a plane normal derived from them, the global tolerance.
    VqGeImpCurveCurveInt3d();
    // Ranges: each curve's current interval.
    VqGeImpCurveCurveInt3d(const VqGeImpCurve3d* crv1, const VqGeImpCurve3d* crv2,
                           const VqGeVector3d& planeNormal, const VqGeTol& tol);
    VqGeImpCurveCurveInt3d(const VqGeImpCurve3d* crv1, const VqGeImpCurve3d* crv2,
                           const VqGeImpInterval& range1, const VqGeImpInterval& range2,
                           const VqGeVector3d& planeNormal, const VqGeTol& tol);
    // Copies the record and the computed state; links itself to the same curves.
    VqGeImpCurveCurveInt3d(const VqGeImpCurveCurveInt3d& src);
    // Takes src's curves, ranges, plane normal and tolerance; the result is computed anew.
    VqGeImpCurveCurveInt3d& operator=(const VqGeImpCurveCurveInt3d& src);
    ~VqGeImpCurveCurveInt3d() override;

    // Entity slots.
    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpCurveCurveInt3d* copy() const override;
    void eventModified(const VqGeLink& link) override;
    void eventDeleted(const VqGeLink& link) override;
    void eventTransformed(const VqGeLink& link, const VqGeMatrix3d& mat) override;
    void eventSetInterval(const VqGeLink& link) override;
    // Same public type and curves equal under the global tolerance, whatever tol says.
    int isEqualTo(const VqGeImpEntity3d& other,
                  const VqGeTol& tol = VqGeContext::gTol) const override;
    // Moves the carried-over results and the plane normal; the curves stay where they are.
    VqGeImpCurveCurveInt3d& transformBy(const VqGeMatrix3d& mat) override;
    int isOn(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const override;

    VqGeImpCurveCurveInt3d& set(const VqGeImpCurve3d* crv1, const VqGeImpCurve3d* crv2,
                                const VqGeVector3d& planeNormal, const VqGeTol& tol);
    VqGeImpCurveCurveInt3d& set(const VqGeImpCurve3d* crv1, const VqGeImpCurve3d* crv2,
                                const VqGeImpInterval& range1, const VqGeImpInterval& range2,
                                const VqGeVector3d& planeNormal, const VqGeTol& tol);

    // Null once the curve was deleted.
    const VqGeImpCurve3d* curve1() const { return mCurve1; }
    const VqGeImpCurve3d* curve2() const { return mCurve2; }
    void getIntRanges(VqGeImpInterval& range1, VqGeImpInterval& range2) const;
    // The stored normal, derived from the curves' common plane while it is zero.
    VqGeVector3d planeNormal() const;
    const VqGeTol& tolerance() const { return mTol; }
    int isComputed() const { return mComputed; }

    // Every query below computes the intersection first when needed. An index outside
    // 0 .. count - 1 gives zero results and leaves out-parameters alone.
    int numIntPoints() const;
    VqGePoint3d intPoint(int i) const;
    void getIntParams(int i, double& param1, double& param2) const;
    void getPointOnCurve1(int i, VqGeImpPointOnCurve3d& pntOnCrv) const;
    void getPointOnCurve2(int i, VqGeImpPointOnCurve3d& pntOnCrv) const;
    void getIntConfigs(int i, int& config1, int& config2) const;
    int isTangential(int i) const;
    int isTransversal(int i) const;
    double intPointTol(int i) const;
    int overlapCount() const;
    int overlapDirection() const;
    void getOverlapRanges(int i, VqGeImpInterval& range1, VqGeImpInterval& range2) const;
    // The whole record (computed first).
    const VqGeCurveIntData& intData() const;

    VqGeImpCurveCurveInt3d& changeCurveOrder();
    VqGeImpCurveCurveInt3d& orderWrt1() { return *this; }
    VqGeImpCurveCurveInt3d& orderWrt2() { return *this; }

private:
    // Links to the new curves (dropping the old links), stores them and starts afresh.
    void setCurves(const VqGeImpCurve3d* crv1, const VqGeImpCurve3d* crv2,
                   const VqGeVector3d& normal);
    void takeCurveRanges();
    void unlinkCurves();
    // A nonzero normal is stored; a zero one is derived, keeping the old normal's side.
    void reset(const VqGeVector3d& normal);
    // What a change of the curves resets with: the caller's normal, or zero to derive.
    VqGeVector3d normalToKeep() const;
    void intersectCurves() const;
    void computeInto(VqGeCurveIntData& data) const;
    // Rebuilds the record from its own entries, each passed through the edit.
    enum RecordEdit { kMoveBy, kExchange };
    void rebuildRecord(RecordEdit edit, const VqGeMatrix3d* mat);
    int validPoint(int i) const { return i >= 0 && i < numIntPoints(); }

    mutable VqGeVector3d mPlaneNormal;
    const VqGeImpCurve3d* mCurve1;
    const VqGeImpCurve3d* mCurve2;
    VqGeImpInterval mRange1;
    VqGeImpInterval mRange2;
    mutable VqGeCurveIntData mData;
    mutable int mComputing;
    VqGeTol mTol;
    mutable int mComputed;
    // The caller named the normal: curve changes keep it instead of deriving a new one.
    int mNormalGiven;
};

#endif
