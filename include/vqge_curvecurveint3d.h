// The intersection of two 3D curves as an entity: computed on the first query, kept until one
// of the curves changes.
#ifndef VQGE_CURVECURVEINT3D_H
#define VQGE_CURVECURVEINT3D_H

#include "vqge_entity3d.h"
#include "vqge_interval.h"

class VqGeCurve3d;
class VqGeImpCurveCurveInt3d;
class VqGePointOnCurve3d;

class VQGE_API VqGeCurveCurveInt3d : public VqGeEntity3d {
public:
    // The x and y axis lines.
    VqGeCurveCurveInt3d();
    // A zero plane normal is derived from the curves' common plane when they have one.
    VqGeCurveCurveInt3d(const VqGeCurve3d& curve1, const VqGeCurve3d& curve2,
                        const VqGeVector3d& planeNormal = VqGeVector3d::kIdentity,
                        const VqGeTol& tol = VqGeContext::gTol);
    VqGeCurveCurveInt3d(const VqGeCurve3d& curve1, const VqGeCurve3d& curve2,
                        const VqGeInterval& range1, const VqGeInterval& range2,
                        const VqGeVector3d& planeNormal = VqGeVector3d::kIdentity,
                        const VqGeTol& tol = VqGeContext::gTol);
    VqGeCurveCurveInt3d(const VqGeCurveCurveInt3d& src) : VqGeEntity3d(src) {}
    VqGeCurveCurveInt3d& operator=(const VqGeCurveCurveInt3d& src) {
        VqGeEntity3d::operator=(src);
        return *this;
    }

    VqGeCurveCurveInt3d& set(const VqGeCurve3d& curve1, const VqGeCurve3d& curve2,
                             const VqGeVector3d& planeNormal = VqGeVector3d::kIdentity,
                             const VqGeTol& tol = VqGeContext::gTol);
    VqGeCurveCurveInt3d& set(const VqGeCurve3d& curve1, const VqGeCurve3d& curve2,
                             const VqGeInterval& range1, const VqGeInterval& range2,
                             const VqGeVector3d& planeNormal = VqGeVector3d::kIdentity,
                             const VqGeTol& tol = VqGeContext::gTol);

    // The curves' public wrappers (made on demand); null once a curve was deleted.
    const VqGeCurve3d* curve1() const;
    const VqGeCurve3d* curve2() const;
    void getIntRanges(VqGeInterval& range1, VqGeInterval& range2) const;
    VqGeVector3d planeNormal() const;
    VqGeTol tolerance() const;

    // Indices run from 0 to numIntPoints() - 1; an index outside gives zero results and
    // leaves out-parameters alone.
    int numIntPoints() const;
    VqGePoint3d intPoint(int intNum) const;
    void getIntParams(int intNum, double& param1, double& param2) const;
    void getPointOnCurve1(int intNum, VqGePointOnCurve3d& pntOnCrv) const;
    void getPointOnCurve2(int intNum, VqGePointOnCurve3d& pntOnCrv) const;
    void getIntConfigs(int intNum, VqGe::VqGeXConfig& config1wrt2,
                       VqGe::VqGeXConfig& config2wrt1) const;
    int isTangential(int intNum) const;
    int isTransversal(int intNum) const;
    double intPointTol(int intNum) const;
    int overlapCount() const;
    // 1 when there is no overlap.
    int overlapDirection() const;
    void getOverlapRanges(int overlapNum, VqGeInterval& range1, VqGeInterval& range2) const;

    VqGeCurveCurveInt3d& changeCurveOrder();
    VqGeCurveCurveInt3d& orderWrt1();
    VqGeCurveCurveInt3d& orderWrt2();

    VqGeImpCurveCurveInt3d* impCurveCurveInt() const;
};

#endif
