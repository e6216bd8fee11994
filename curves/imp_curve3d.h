// Implementation base of every curve, 2D or 3D. The virtual operations continue the entity
// table in a fixed slot order (17 to 67); kinds override what they answer in closed form and
// fall back on the numerical defaults otherwise.
#ifndef VQGE_CURVES_IMP_CURVE3D_H
#define VQGE_CURVES_IMP_CURVE3D_H

#include "entity/imp_entity3d.h"
#include "vqge_array.h"
#include "vqge_context.h"
#include "vqge_defs.h"
#include "vqge_interval.h"
#include "vqge_point3d.h"
#include "vqge_tol.h"
#include "vqge_vector3d.h"

class VqGeCurveIntData;
class VqGeImpBoundBlock3d;
class VqGeImpLinearEnt3d;
class VqGeImpPlanarEnt;
class VqGeImpPointOnCurve3d;
class VqGeImpPointOnSurface;
class VqGeImpSurface;
class VqGePointOnCurve3dData;
class VqGeEvaluatorDataCurve;

class VQGE_API VqGeImpCurve3d : public VqGeImpEntity3d {
public:
    ~VqGeImpCurve3d() override;

    // Slot 1: 14 for a curve serving a 2D wrapper (asked publicly), 15 otherwise.
    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    // Slot 14: the point form of slot 40, the parameter discarded.
    int isOn(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const override;

    // 17. Points at the bounded ends; one bounded side gives both points that side's point.
    virtual void getInterval(VqGeImpInterval& intrvl, VqGePoint3d& start, VqGePoint3d& end) const;
    // 18. (0, 0): the stored interval; a set flag asks for that side extended.
    virtual void getInterval(VqGeImpInterval& intrvl, int extendLower, int extendUpper) const = 0;
    // 19. The kind's natural interval, then the set-interval event.
    virtual int setInterval() = 0;
    // 20. Stores the interval; the set-interval event when notify is nonzero.
    virtual int setInterval(const VqGeImpInterval& intrvl, int notify) = 0;
    // 21.
    virtual VqGeImpCurve3d& reverseParam() = 0;
    // 22-24. Distance to the matching closest point.
    virtual double distanceTo(const VqGeImpSurface& srf, const VqGeTol& tol) const;
    virtual double distanceTo(const VqGeImpCurve3d& crv, const VqGeTol& tol) const;
    virtual double distanceTo(const VqGePoint3d& pnt, const VqGeTol& tol) const;
    // 25-27. The point on this curve; the other entity's point through the out-parameter.
    virtual VqGePoint3d closestPointTo(const VqGeImpSurface& srf, VqGePoint3d& pntOnSrf,
                                       const VqGeTol& tol) const;
    virtual VqGePoint3d closestPointTo(const VqGeImpCurve3d& crv, VqGePoint3d& pntOnOther,
                                       const VqGeTol& tol) const;
    virtual VqGePoint3d closestPointTo(const VqGePoint3d& pnt, const VqGeTol& tol) const;
    // 28-30.
    virtual void getClosestPointTo(const VqGeImpSurface& srf, VqGeImpPointOnCurve3d& pntOnThis,
                                   VqGeImpPointOnSurface& pntOnSrf, const VqGeTol& tol) const;
    virtual void getClosestPointTo(const VqGeImpCurve3d& crv, VqGeImpPointOnCurve3d& pntOnThis,
                                   VqGeImpPointOnCurve3d& pntOnOther, const VqGeTol& tol) const;
    virtual void getClosestPointTo(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                                   const VqGeTol& tol) const;
    // 31-34. Closest points as seen along a projection direction.
    virtual VqGePoint3d projClosestPointTo(const VqGeImpCurve3d& crv, const VqGeVector3d& dir,
                                           VqGePoint3d& pntOnOther, const VqGeTol& tol) const;
    virtual VqGePoint3d projClosestPointTo(const VqGePoint3d& pnt, const VqGeVector3d& dir,
                                           const VqGeTol& tol) const;
    virtual void getProjClosestPointTo(const VqGeImpCurve3d& crv, const VqGeVector3d& dir,
                                       VqGeImpPointOnCurve3d& pntOnThis,
                                       VqGeImpPointOnCurve3d& pntOnOther,
                                       const VqGeTol& tol) const;
    virtual void getProjClosestPointTo(const VqGePoint3d& pnt, const VqGeVector3d& dir,
                                       VqGeImpPointOnCurve3d& pntOnThis,
                                       const VqGeTol& tol) const;
    // 35.
    virtual int getNormalPoint(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                               const VqGeTol& tol) const;
    // 36. A new entity (caller owns it), or null when there is no projection.
    virtual VqGeImpEntity3d* project(const VqGeImpPlanarEnt& pln, const VqGeVector3d& dir,
                                     const VqGeTol& tol) const;
    // 37. A new curve (caller owns it) or null.
    virtual VqGeImpEntity3d* exactOffset(double distance, const VqGeVector3d& normal,
                                         VqArray<double>* params1, VqArray<double>* params2,
                                         VqGe::OffsetCrvExtType extType,
                                         const VqGeTol& tol) const;
    // 38.
    virtual const VqGeImpCurve3d* offsetBaseCurve() const;
    // 39-40.
    virtual int isOn(double param, const VqGeTol& tol) const;
    virtual int isOn(const VqGePoint3d& pnt, double& param, const VqGeTol& tol) const;
    // 41.
    virtual VqGe::PointContainment contains(const VqGePoint3d& pnt, int& side,
                                            const VqGeTol& tol) const;
    // 42.
    virtual int isCounterClock() const;
    // 43.
    virtual double paramOf(const VqGePoint3d& pnt, const VqGeTol& tol) const;
    // 44.
    virtual int isClosed(const VqGeTol& tol) const;
    // 45-46. The plane / line is written when the answer is true.
    virtual int isPlanar(VqGeImpPlanarEnt& pln, const VqGeTol& tol) const;
    virtual int isLinear(VqGeImpLinearEnt3d& line, const VqGeTol& tol) const;
    // 47. The second argument has no use yet; callers pass 0.
    virtual int isPeriodic(double& period, int mode) const = 0;
    // 48-49.
    virtual double length(double fromParam, double toParam, double tol) const;
    virtual double paramAtLength(double fromParam, double len, int forward, double tol) const;
    // 50-51. The degenerate entity is new (caller owns it).
    virtual int isDegenerate(VqGeImpEntity3d*& entity, const VqGeTol& tol) const = 0;
    virtual int isDegenerate(VqGe::EntityId& id, const VqGeTol& tol) const = 0;
    // 52. New pieces (caller owns them), null where there is no piece.
    virtual void getSplitCurves(double param, VqGeImpCurve3d*& piece1,
                                VqGeImpCurve3d*& piece2) const = 0;
    // 53. Per entry of curves, isNew gets 1 for a new entity and 0 for an existing one.
    virtual int explode(VqArray<void*>& curves, VqArray<int>& isNew,
                        const VqGeImpInterval* intrvl) const;
    // 54-57.
    virtual VqGePoint3d evalPoint(double param, int numDeriv, VqArray<VqGeVector3d>& derivs);
    virtual VqGePoint3d evalPoint(double param);
    virtual VqGePoint3d evalPointOnLeft(double param, int numDeriv,
                                        VqArray<VqGeVector3d>& derivs);
    virtual VqGePoint3d evalPointOnRight(double param, int numDeriv,
                                         VqArray<VqGeVector3d>& derivs);
    // 58. 1 on success.
    virtual int area(double startParam, double endParam, double& value,
                     const VqGeTol& tol) const;
    // 59.
    virtual int reverseProject(const VqGeImpPointOnCurve3d& projected,
                               const VqGeImpPlanarEnt& pln, const VqGeVector3d& dir,
                               VqGeImpPointOnCurve3d& result, const VqGeTol& tol) const;
    // 60. dim 2 or 3; oriented nonzero for the oriented block, 0 for the axis-aligned box.
    virtual VqGeImpBoundBlock3d boundBlock(int dim, const VqGeImpInterval& intrvl,
                                           int oriented) const;
    // 61. Intersection of two ranges of this curve.
    virtual int intersectWith(const VqGeImpInterval& range1, const VqGeImpInterval& range2,
                              const VqGeVector3d& projDir, VqGeCurveIntData& data,
                              const VqGeTol& tol) const;
    // 62.
    virtual int intersectWith(const VqGeImpCurve3d& other, const VqGeVector3d& projDir,
                              VqGeCurveIntData& data, const VqGeTol& tol) const;
    // 63.
    virtual int intersectSelf(VqGeCurveIntData& data, const VqGeVector3d& projDir,
                              double param, const VqGeTol& tol) const;
    // 64.
    virtual int unboundedOverlap(const VqGeImpCurve3d& other, int& sameDirection,
                                 const VqGeTol& tol) const;
    // 65. Points within approxTol of the curve over [fromParam, toParam].
    virtual int getSamplePoints(double fromParam, double toParam, double approxTol,
                                VqGeImpPointOnCurve3d& work, VqArray<VqGePoint3d>& points,
                                VqArray<double>& params, VqArray<VqGeVector3d>* firstDerivs,
                                VqArray<VqGeVector3d>* secondDerivs) const;

    // Non-virtual services.
    int hasStartPoint(VqGePoint3d& pnt) const;
    int hasEndPoint(VqGePoint3d& pnt) const;
    VqGeImpEntity3d* orthoProject(const VqGeImpPlanarEnt& pln, const VqGeTol& tol) const;
    // Both curves lie in one plane, which is written when the answer is true.
    int isCoplanarWith(const VqGeImpCurve3d& other, VqGeImpPlanarEnt& pln,
                       const VqGeTol& tol) const;
    // Block over the curve's own interval; a degenerate curve gives the box of its end points.
    // Kinds that override slot 60 bring these into scope with a using-declaration.
    VqGeImpBoundBlock3d boundBlock(int dim, int oriented) const;
    // numSample points at equal parameter steps (a periodic curve leaves out the repeat).
    void getSamplePoints(int numSample, VqArray<VqGePoint3d>& points) const;
    // Marks a known point valid, so a search hands it back without a new evaluation.
    static void setPoint(VqGeImpPointOnCurve3d& pntOnCrv, double param, const VqGePoint3d& pnt);
    static VqGeEvaluatorDataCurve* curveEvalData(const VqGeImpPointOnCurve3d& pntOnCrv);
    static void deleteExternalEntity(void* ext);
    // Common stretches of two curves on one carrier: overlap ranges, or a single point where
    // the common part shrinks to one (configuration 16384 on both curves). 1 when any.
    int overlap(const VqGeImpCurve3d& other, VqGeCurveIntData& data, const VqGeTol& tol) const;
    // Local closest points, from the point-on-curves' current parameters, within the given
    // intervals (the curves' own when null).
    void getLocalClosestPoints(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                               const VqGeImpInterval* nbhd, const VqGeTol& tol) const;
    void getLocalClosestPoints(const VqGeImpCurve3d& other, VqGeImpPointOnCurve3d& pntOnThis,
                               VqGeImpPointOnCurve3d& pntOnOther, const VqGeImpInterval* nbhd1,
                               const VqGeImpInterval* nbhd2, const VqGeTol& tol) const;
    // Local minimum over [a, b] of the distance to pnt seen along dir (plain distance for
    // the zero vector).
    double minimalPoint(const VqGePoint3d& pnt, double a, double b, const VqGeVector3d& dir,
                        double tol) const;
    // Extends this curve beyond its end and the other before its start until they meet;
    // 1 with both intervals trimmed to the meeting point.
    int extendCurves(VqGeImpCurve3d& other, double endParam, double startParam,
                     const VqGeVector3d& projDir, const VqGeTol& tol);
    // Newton solve of C1(t1) = C2(t2) from the given parameters; 1 with the parameters and
    // the midpoint of the two curve points written.
    int intersectLocal(const VqGeImpCurve3d& other, double& t1, double& t2, int dim,
                       VqGePoint3d& pnt, const VqGeTol& tol) const;

protected:
    // Parameters on this curve of the other's start and end (+-1e50 for an unbounded end).
    void getOverlapParams(const VqGeImpCurve3d& other, int sameDirection, double& atStart,
                          double& atEnd, const VqGeTol& tol) const;
    // Moves param onto a bound of this curve when its point is that end point.
    double snapOverlapParam(double param, const VqGeImpCurve3d& other, double otherParam,
                            int isStart, const VqGeTol& tol) const;
    // The closest pair among the end points of both curves and the other curve; 0 when
    // neither curve has a bounded end.
    int boundaryClosestPoints(const VqGeImpCurve3d& other, VqGePoint3d& pnt1, VqGePoint3d& pnt2,
                              double& param1, double& param2, const VqGeTol& tol) const;
    // Keeps pair i only when both curves hold their point i within their bounds; removed
    // pairs close up the arrays and decrease count.
    void testIntPoints(const VqGeImpCurve3d& other, int& count, VqArray<VqGePoint3d>& onThis,
                       VqArray<VqGePoint3d>& onOther, const VqGeTol& tol) const;
    void testIntPoints(const VqGeImpCurve3d& other, int& count, VqArray<VqGePoint3d>& points,
                       const VqGeTol& tol) const;

    friend class VqGeImpPointOnCurve3d;
    explicit VqGeImpCurve3d(VqGe::EntityId id) : VqGeImpEntity3d(id) {}
    VqGeImpCurve3d(const VqGeImpCurve3d& src) = default;
    VqGeImpCurve3d& operator=(const VqGeImpCurve3d& src) = default;

    // 66. Fills the point (bit 0) and the derivatives 1..order whose bits are clear.
    virtual void evaluate(int order, VqGePointOnCurve3dData& data, int mode) const = 0;
    // 67.
    virtual int isWithinBounds(const VqGePoint3d& pnt, const VqGeTol& tol) const;
};

#endif
