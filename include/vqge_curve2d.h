// Public base of every two-dimensional curve: the 3D implementation with its data at z = 0.
#ifndef VQGE_CURVE2D_H
#define VQGE_CURVE2D_H

#include "vqge_array.h"
#include "vqge_boundblock2d.h"
#include "vqge_entity2d.h"
#include "vqge_interval.h"

class VqGeImpCurve3d;
class VqGeLine2d;
class VqGePointOnCurve2d;

class VQGE_API VqGeCurve2d : public VqGeEntity2d {
public:
    VqGeCurve2d(const VqGeCurve2d& src) : VqGeEntity2d(src) {}
    VqGeCurve2d& operator=(const VqGeCurve2d& src) {
        VqGeEntity2d::operator=(src);
        return *this;
    }

    void getInterval(VqGeInterval& intrvl) const;
    void getInterval(VqGeInterval& intrvl, VqGePoint2d& start, VqGePoint2d& end) const;
    int setInterval(const VqGeInterval& intrvl);
    int setInterval();
    VqGeCurve2d& reverseParam();

    double distanceTo(const VqGePoint2d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;
    double distanceTo(const VqGeCurve2d& crv, const VqGeTol& tol = VqGeContext::gTol) const;
    VqGePoint2d closestPointTo(const VqGePoint2d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;
    VqGePoint2d closestPointTo(const VqGeCurve2d& crv, VqGePoint2d& pntOnOther,
                               const VqGeTol& tol = VqGeContext::gTol) const;
    void getClosestPointTo(const VqGePoint2d& pnt, VqGePointOnCurve2d& pntOnCrv,
                           const VqGeTol& tol = VqGeContext::gTol) const;
    void getClosestPointTo(const VqGeCurve2d& crv, VqGePointOnCurve2d& pntOnThis,
                           VqGePointOnCurve2d& pntOnOther,
                           const VqGeTol& tol = VqGeContext::gTol) const;
    int getNormalPoint(const VqGePoint2d& pnt, VqGePointOnCurve2d& pntOnCrv,
                       const VqGeTol& tol = VqGeContext::gTol) const;

    VqGeBoundBlock2d boundBlock() const;
    VqGeBoundBlock2d boundBlock(const VqGeInterval& range) const;
    VqGeBoundBlock2d orthoBoundBlock() const;
    VqGeBoundBlock2d orthoBoundBlock(const VqGeInterval& range) const;

    int isOn(const VqGePoint2d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;
    int isOn(const VqGePoint2d& pnt, double& param, const VqGeTol& tol = VqGeContext::gTol) const;
    int isOn(double param, const VqGeTol& tol = VqGeContext::gTol) const;
    double paramOf(const VqGePoint2d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;
    // Appends new 2D curves owned by the caller to offsetCurveList.
    void getTrimmedOffset(double distance, VqArray<void*>& offsetCurveList,
                          VqGe::OffsetCrvExtType extensionType = VqGe::kOffsetJoinExtend,
                          const VqGeTol& tol = VqGeContext::gTol) const;

    int isClosed(const VqGeTol& tol = VqGeContext::gTol) const;
    int isLinear(VqGeLine2d& line, const VqGeTol& tol = VqGeContext::gTol) const;
    int isPeriodic(double& period) const;

    double length(double fromParam, double toParam,
                  double tol = VqGeContext::gTol.equalPoint()) const;
    double paramAtLength(double datumParam, double length, int posParamDir = 1,
                         double tol = VqGeContext::gTol.equalPoint()) const;
    int area(double startParam, double endParam, double& value,
             const VqGeTol& tol = VqGeContext::gTol) const;

    int isDegenerate(VqGe::EntityId& degenerateType, const VqGeTol& tol = VqGeContext::gTol) const;
    int isDegenerate(VqGeEntity2d*& pConvertedEntity, const VqGeTol& tol = VqGeContext::gTol) const;
    void getSplitCurves(double param, VqGeCurve2d*& piece1, VqGeCurve2d*& piece2) const;
    int explode(VqArray<void*>& explodedCurves, VqArray<int>& isNew) const;
    void getLocalClosestPoints(const VqGePoint2d& point, VqGePointOnCurve2d& approxPnt,
                               const VqGeInterval* nbhd = nullptr,
                               const VqGeTol& tol = VqGeContext::gTol) const;
    void getLocalClosestPoints(const VqGeCurve2d& otherCurve, VqGePointOnCurve2d& approxPntOnThis,
                               VqGePointOnCurve2d& approxPntOnOther,
                               const VqGeInterval* nbhd1 = nullptr,
                               const VqGeInterval* nbhd2 = nullptr,
                               const VqGeTol& tol = VqGeContext::gTol) const;

    int hasStartPoint(VqGePoint2d& startPoint) const;
    int hasEndPoint(VqGePoint2d& endPoint) const;
    VqGePoint2d evalPoint(double param) const;
    // derivArray is resized to the number of derivatives returned.
    VqGePoint2d evalPoint(double param, int numDeriv, VqArray<VqGeVector2d>& derivArray) const;
    void getSamplePoints(double fromParam, double toParam, double approxEps,
                         VqArray<VqGePoint2d>& pointArray, VqArray<double>& paramArray) const;
    void getSamplePoints(int numSample, VqArray<VqGePoint2d>& pointArray) const;

    VqGeImpCurve3d* impCurve() const;

protected:
    VqGeCurve2d() {}
    explicit VqGeCurve2d(VqGeImpCurve3d* imp);
    VqGeCurve2d(VqGeImpCurve3d& imp, int);
    static VqGeCurve2d* wrap(VqGeImpCurve3d* imp);
};

#endif
