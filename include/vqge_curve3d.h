// Public base of every three-dimensional curve: forwards to the curve implementation object.
#ifndef VQGE_CURVE3D_H
#define VQGE_CURVE3D_H

#include "vqge_array.h"
#include "vqge_boundblock3d.h"
#include "vqge_entity3d.h"
#include "vqge_interval.h"

class VqGeImpCurve3d;
class VqGeLine3d;
class VqGePlane;
class VqGePointOnCurve3d;

class VQGE_API VqGeCurve3d : public VqGeEntity3d {
public:
    VqGeCurve3d(const VqGeCurve3d& src) : VqGeEntity3d(src) {}
    VqGeCurve3d& operator=(const VqGeCurve3d& src) {
        VqGeEntity3d::operator=(src);
        return *this;
    }

    void getInterval(VqGeInterval& intrvl) const;
    void getInterval(VqGeInterval& intrvl, VqGePoint3d& start, VqGePoint3d& end) const;
    // 0 (nothing changed) unless the new interval is bounded on the same sides as the current.
    int setInterval(const VqGeInterval& intrvl);
    int setInterval();
    VqGeCurve3d& reverseParam();

    double distanceTo(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;
    double distanceTo(const VqGeCurve3d& crv, const VqGeTol& tol = VqGeContext::gTol) const;
    VqGePoint3d closestPointTo(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;
    VqGePoint3d closestPointTo(const VqGeCurve3d& crv, VqGePoint3d& pntOnOther,
                               const VqGeTol& tol = VqGeContext::gTol) const;
    void getClosestPointTo(const VqGePoint3d& pnt, VqGePointOnCurve3d& pntOnCrv,
                           const VqGeTol& tol = VqGeContext::gTol) const;
    void getClosestPointTo(const VqGeCurve3d& crv, VqGePointOnCurve3d& pntOnThis,
                           VqGePointOnCurve3d& pntOnOther,
                           const VqGeTol& tol = VqGeContext::gTol) const;
    VqGePoint3d projClosestPointTo(const VqGePoint3d& pnt, const VqGeVector3d& projectDirection,
                                   const VqGeTol& tol = VqGeContext::gTol) const;
    VqGePoint3d projClosestPointTo(const VqGeCurve3d& crv, const VqGeVector3d& projectDirection,
                                   VqGePoint3d& pntOnOther,
                                   const VqGeTol& tol = VqGeContext::gTol) const;
    void getProjClosestPointTo(const VqGePoint3d& pnt, const VqGeVector3d& projectDirection,
                               VqGePointOnCurve3d& pntOnCrv,
                               const VqGeTol& tol = VqGeContext::gTol) const;
    void getProjClosestPointTo(const VqGeCurve3d& crv, const VqGeVector3d& projectDirection,
                               VqGePointOnCurve3d& pntOnThis, VqGePointOnCurve3d& pntOnOther,
                               const VqGeTol& tol = VqGeContext::gTol) const;
    int getNormalPoint(const VqGePoint3d& pnt, VqGePointOnCurve3d& pntOnCrv,
                       const VqGeTol& tol = VqGeContext::gTol) const;

    // Oriented blocks; the ortho forms are axis-aligned boxes.
    VqGeBoundBlock3d boundBlock() const;
    VqGeBoundBlock3d boundBlock(const VqGeInterval& range) const;
    VqGeBoundBlock3d orthoBoundBlock() const;
    VqGeBoundBlock3d orthoBoundBlock(const VqGeInterval& range) const;

    // A new entity owned by the caller, or null.
    VqGeEntity3d* project(const VqGePlane& projectionPlane, const VqGeVector3d& projectDirection,
                          const VqGeTol& tol = VqGeContext::gTol) const;
    VqGeEntity3d* orthoProject(const VqGePlane& projectionPlane,
                               const VqGeTol& tol = VqGeContext::gTol) const;

    int isOn(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;
    int isOn(const VqGePoint3d& pnt, double& param, const VqGeTol& tol = VqGeContext::gTol) const;
    int isOn(double param, const VqGeTol& tol = VqGeContext::gTol) const;
    double paramOf(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;
    // Appends new curves owned by the caller to offsetCurveList.
    void getTrimmedOffset(double distance, const VqGeVector3d& planeNormal,
                          VqArray<void*>& offsetCurveList,
                          VqGe::OffsetCrvExtType extensionType = VqGe::kOffsetJoinExtend,
                          const VqGeTol& tol = VqGeContext::gTol) const;

    int isClosed(const VqGeTol& tol = VqGeContext::gTol) const;
    int isPlanar(VqGePlane& plane, const VqGeTol& tol = VqGeContext::gTol) const;
    int isLinear(VqGeLine3d& line, const VqGeTol& tol = VqGeContext::gTol) const;
    int isCoplanarWith(const VqGeCurve3d& curve, VqGePlane& plane,
                       const VqGeTol& tol = VqGeContext::gTol) const;
    int isPeriodic(double& period) const;

    double length(double fromParam, double toParam,
                  double tol = VqGeContext::gTol.equalPoint()) const;
    double paramAtLength(double datumParam, double length, int posParamDir = 1,
                         double tol = VqGeContext::gTol.equalPoint()) const;
    int area(double startParam, double endParam, double& value,
             const VqGeTol& tol = VqGeContext::gTol) const;

    int isDegenerate(VqGe::EntityId& degenerateType, const VqGeTol& tol = VqGeContext::gTol) const;
    // A new entity owned by the caller, or null.
    int isDegenerate(VqGeEntity3d*& pConvertedEntity, const VqGeTol& tol = VqGeContext::gTol) const;
    // New pieces owned by the caller; null where there is no piece.
    void getSplitCurves(double param, VqGeCurve3d*& piece1, VqGeCurve3d*& piece2) const;
    // Per entry, isNew is 1 for a new curve (owned by the caller) and 0 for an existing one.
    int explode(VqArray<void*>& explodedCurves, VqArray<int>& isNew) const;
    void getLocalClosestPoints(const VqGePoint3d& point, VqGePointOnCurve3d& approxPnt,
                               const VqGeInterval* nbhd = nullptr,
                               const VqGeTol& tol = VqGeContext::gTol) const;
    void getLocalClosestPoints(const VqGeCurve3d& otherCurve, VqGePointOnCurve3d& approxPntOnThis,
                               VqGePointOnCurve3d& approxPntOnOther,
                               const VqGeInterval* nbhd1 = nullptr,
                               const VqGeInterval* nbhd2 = nullptr,
                               const VqGeTol& tol = VqGeContext::gTol) const;

    int hasStartPoint(VqGePoint3d& startPoint) const;
    int hasEndPoint(VqGePoint3d& endPoint) const;
    VqGePoint3d evalPoint(double param) const;
    VqGePoint3d evalPoint(double param, int numDeriv, VqArray<VqGeVector3d>& derivArray) const;
    void getSamplePoints(double fromParam, double toParam, double approxEps,
                         VqArray<VqGePoint3d>& pointArray, VqArray<double>& paramArray) const;
    void getSamplePoints(int numSample, VqArray<VqGePoint3d>& pointArray) const;

    VqGeImpCurve3d* impCurve() const;

protected:
    VqGeCurve3d() {}
    explicit VqGeCurve3d(VqGeImpCurve3d* imp);
    VqGeCurve3d(VqGeImpCurve3d& imp, int);
    // A new public curve owning imp (null stays null).
    static VqGeCurve3d* wrap(VqGeImpCurve3d* imp);
};

#endif
