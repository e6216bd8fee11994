// The intersection of two 2D curves as an entity, intersected in the plane (z axis normal).
#ifndef VQGE_CURVECURVEINT2D_H
#define VQGE_CURVECURVEINT2D_H

#include "vqge_entity2d.h"
#include "vqge_interval.h"

class VqGeCurve2d;
class VqGeImpCurveCurveInt3d;
class VqGePointOnCurve2d;

class VQGE_API VqGeCurveCurveInt2d : public VqGeEntity2d {
public:
    // The x and y axis lines.
    VqGeCurveCurveInt2d();
    VqGeCurveCurveInt2d(const VqGeCurve2d& curve1, const VqGeCurve2d& curve2,
                        const VqGeTol& tol = VqGeContext::gTol);
    VqGeCurveCurveInt2d(const VqGeCurve2d& curve1, const VqGeCurve2d& curve2,
                        const VqGeInterval& range1, const VqGeInterval& range2,
                        const VqGeTol& tol = VqGeContext::gTol);
    VqGeCurveCurveInt2d(const VqGeCurveCurveInt2d& src) : VqGeEntity2d(src) {}
    VqGeCurveCurveInt2d& operator=(const VqGeCurveCurveInt2d& src) {
        VqGeEntity2d::operator=(src);
        return *this;
    }

    VqGeCurveCurveInt2d& set(const VqGeCurve2d& curve1, const VqGeCurve2d& curve2,
                             const VqGeTol& tol = VqGeContext::gTol);
    VqGeCurveCurveInt2d& set(const VqGeCurve2d& curve1, const VqGeCurve2d& curve2,
                             const VqGeInterval& range1, const VqGeInterval& range2,
                             const VqGeTol& tol = VqGeContext::gTol);

    // The curves' 2D wrappers (made on demand); null once a curve was deleted.
    const VqGeCurve2d* curve1() const;
    const VqGeCurve2d* curve2() const;
    void getIntRanges(VqGeInterval& range1, VqGeInterval& range2) const;
    VqGeTol tolerance() const;

    // Indices run from 0 to numIntPoints() - 1; an index outside gives zero results and
    // leaves out-parameters alone.
    int numIntPoints() const;
    VqGePoint2d intPoint(int intNum) const;
    void getIntParams(int intNum, double& param1, double& param2) const;
    void getPointOnCurve1(int intNum, VqGePointOnCurve2d& pntOnCrv) const;
    void getPointOnCurve2(int intNum, VqGePointOnCurve2d& pntOnCrv) const;
    void getIntConfigs(int intNum, VqGe::VqGeXConfig& config1wrt2,
                       VqGe::VqGeXConfig& config2wrt1) const;
    int isTangential(int intNum) const;
    int isTransversal(int intNum) const;
    double intPointTol(int intNum) const;
    int overlapCount() const;
    // 1 when there is no overlap.
    int overlapDirection() const;
    void getOverlapRanges(int overlapNum, VqGeInterval& range1, VqGeInterval& range2) const;

    VqGeCurveCurveInt2d& changeCurveOrder();
    VqGeCurveCurveInt2d& orderWrt1();
    VqGeCurveCurveInt2d& orderWrt2();

    VqGeImpCurveCurveInt3d* impCurveCurveInt() const;
};

#endif
