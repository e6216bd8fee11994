// Implementation object of every line, ray and segment, 2D or 3D: a point, a direction (not
// normalised; end minus start for a segment from two points) and a parameter interval. The
// kind is carried by the entity identity and mirrored by how the interval is bounded.
#ifndef VQGE_CURVES_IMP_LINEAR_ENT3D_H
#define VQGE_CURVES_IMP_LINEAR_ENT3D_H

#include "curves/imp_curve3d.h"

class VQGE_API VqGeImpLinearEnt3d : public VqGeImpCurve3d {
public:
    // Unbounded lines through the origin along the unit axis vectors.
    static const VqGeImpLinearEnt3d kXAxis;
    static const VqGeImpLinearEnt3d kYAxis;
    static const VqGeImpLinearEnt3d kZAxis;

    // The unbounded x axis line, id 19.
    VqGeImpLinearEnt3d();
    // Origin 0, direction x: [0, 1] with both flags, a ray at 0 on the flagged side, else a line.
    VqGeImpLinearEnt3d(int boundedBelow, int boundedAbove);
    // Lower bound 0 / upper bound 1 as flagged.
    VqGeImpLinearEnt3d(const VqGePoint3d& pnt, const VqGeVector3d& dir, int boundedBelow,
                       int boundedAbove);
    VqGeImpLinearEnt3d(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2, int boundedBelow,
                       int boundedAbove);
    VqGeImpLinearEnt3d(const VqGeImpLinearEnt3d& src);
    // Segment tangent to two curves; t1, t2 in: start values, out: tangency parameters.
    VqGeImpLinearEnt3d(const VqGeImpCurve3d& crv1, const VqGeImpCurve3d& crv2, double& t1,
                       double& t2, int& success);
    // Segment tangent to a planar curve from a point; t in: reference, out: tangency.
    VqGeImpLinearEnt3d(const VqGeImpCurve3d& crv, const VqGePoint3d& pnt, double& t, int& success);
    // Replaces origin, direction and interval, then tells the dependants.
    VqGeImpLinearEnt3d& operator=(const VqGeImpLinearEnt3d& src);

    // Entity slots.
    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpLinearEnt3d* copy() const override;
    int isEqualTo(const VqGeImpEntity3d& other,
                  const VqGeTol& tol = VqGeContext::gTol) const override;
    VqGeImpLinearEnt3d& transformBy(const VqGeMatrix3d& mat) override;
    VqGeImpLinearEnt3d& translateBy(const VqGeVector3d& vec) override;

    // Curve slots answered in closed form.
    using VqGeImpCurve3d::getInterval;
    void getInterval(VqGeImpInterval& intrvl, int extendLower, int extendUpper) const override;
    int setInterval() override;
    int setInterval(const VqGeImpInterval& intrvl, int notify) override;
    VqGeImpLinearEnt3d& reverseParam() override;
    using VqGeImpCurve3d::closestPointTo;
    VqGePoint3d closestPointTo(const VqGeImpCurve3d& crv, VqGePoint3d& pntOnOther,
                               const VqGeTol& tol) const override;
    VqGePoint3d closestPointTo(const VqGePoint3d& pnt, const VqGeTol& tol) const override;
    using VqGeImpCurve3d::getClosestPointTo;
    void getClosestPointTo(const VqGeImpCurve3d& crv, VqGeImpPointOnCurve3d& pntOnThis,
                           VqGeImpPointOnCurve3d& pntOnOther, const VqGeTol& tol) const override;
    void getClosestPointTo(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                           const VqGeTol& tol) const override;
    using VqGeImpCurve3d::getProjClosestPointTo;
    void getProjClosestPointTo(const VqGePoint3d& pnt, const VqGeVector3d& dir,
                               VqGeImpPointOnCurve3d& pntOnThis, const VqGeTol& tol) const override;
    int getNormalPoint(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                       const VqGeTol& tol) const override;
    VqGeImpEntity3d* project(const VqGeImpPlanarEnt& pln, const VqGeVector3d& dir,
                             const VqGeTol& tol) const override;
    VqGeImpEntity3d* exactOffset(double distance, const VqGeVector3d& normal,
                                 VqArray<double>* params1, VqArray<double>* params2,
                                 VqGe::OffsetCrvExtType extType, const VqGeTol& tol) const override;
    using VqGeImpCurve3d::isOn;
    int isOn(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const override;
    int isOn(double param, const VqGeTol& tol) const override;
    int isOn(const VqGePoint3d& pnt, double& param, const VqGeTol& tol) const override;
    double paramOf(const VqGePoint3d& pnt, const VqGeTol& tol) const override;
    int isClosed(const VqGeTol& tol) const override;
    int isPlanar(VqGeImpPlanarEnt& pln, const VqGeTol& tol) const override;
    int isLinear(VqGeImpLinearEnt3d& line, const VqGeTol& tol) const override;
    int isPeriodic(double& period, int mode) const override;
    double length(double fromParam, double toParam, double tol) const override;
    double paramAtLength(double fromParam, double len, int forward, double tol) const override;
    int isDegenerate(VqGeImpEntity3d*& entity, const VqGeTol& tol) const override;
    int isDegenerate(VqGe::EntityId& id, const VqGeTol& tol) const override;
    void getSplitCurves(double param, VqGeImpCurve3d*& piece1,
                        VqGeImpCurve3d*& piece2) const override;
    using VqGeImpCurve3d::evalPoint;
    VqGePoint3d evalPoint(double param, int numDeriv, VqArray<VqGeVector3d>& derivs) override;
    VqGePoint3d evalPoint(double param) override;
    int area(double startParam, double endParam, double& value, const VqGeTol& tol) const override;
    int reverseProject(const VqGeImpPointOnCurve3d& projected, const VqGeImpPlanarEnt& pln,
                       const VqGeVector3d& dir, VqGeImpPointOnCurve3d& result,
                       const VqGeTol& tol) const override;
    using VqGeImpCurve3d::boundBlock;
    VqGeImpBoundBlock3d boundBlock(int dim, const VqGeImpInterval& intrvl,
                                   int oriented) const override;
    using VqGeImpCurve3d::intersectWith;
    int intersectWith(const VqGeImpInterval& range1, const VqGeImpInterval& range2,
                      const VqGeVector3d& projDir, VqGeCurveIntData& data,
                      const VqGeTol& tol) const override;
    int intersectWith(const VqGeImpCurve3d& other, const VqGeVector3d& projDir,
                      VqGeCurveIntData& data, const VqGeTol& tol) const override;
    int intersectSelf(VqGeCurveIntData& data, const VqGeVector3d& projDir, double param,
                      const VqGeTol& tol) const override;
    int unboundedOverlap(const VqGeImpCurve3d& other, int& sameDirection,
                         const VqGeTol& tol) const override;
    // Public here: the linear algorithms ask it of the other entity.
    int isWithinBounds(const VqGePoint3d& pnt, const VqGeTol& tol) const override;

    // Set and accessors.
    VqGeImpLinearEnt3d& set(const VqGePoint3d& pnt, const VqGeVector3d& dir, int boundedBelow,
                            int boundedAbove);
    VqGeImpLinearEnt3d& set(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2, int boundedBelow,
                            int boundedAbove);
    VqGeImpLinearEnt3d& set(const VqGeImpCurve3d& crv1, const VqGeImpCurve3d& crv2, double& t1,
                            double& t2, int& success);
    VqGeImpLinearEnt3d& set(const VqGeImpCurve3d& crv, const VqGePoint3d& pnt, double& t,
                            int& success);
    VqGeVector3d direction() const { return mDirection; }
    VqGeVector3d velocity() const { return mDirection; }
    VqGePoint3d pointOnLine() const { return mOrigin; }
    const VqGeImpInterval& interval() const { return mInterval; }
    VqGePoint3d pointAt(double param) const { return mOrigin + mDirection * param; }
    VqGePoint3d startPoint() const { return pointAt(mInterval.lowerBound()); }
    VqGePoint3d endPoint() const { return pointAt(mInterval.upperBound()); }
    VqGePoint3d midPoint() const;
    VqGePoint3d baryComb(double blend) const;
    void getLine(VqGeImpLinearEnt3d& line) const;

    // Linear queries.
    int isParallelTo(const VqGeImpLinearEnt3d& other, const VqGeTol& tol = VqGeContext::gTol) const;
    int isPerpendicularTo(const VqGeImpLinearEnt3d& other,
                          const VqGeTol& tol = VqGeContext::gTol) const;
    int isColinearTo(const VqGeImpLinearEnt3d& other, const VqGeTol& tol = VqGeContext::gTol) const;
    // Clamped parameter of the closest point; a zero direction gives 0.
    double closestParamTo(const VqGePoint3d& pnt, const VqGeTol& tol) const;
    // The closest pair; the point on this entity is returned.
    VqGePoint3d closestPointToLine(const VqGeImpLinearEnt3d& other, VqGePoint3d& pntOnOther,
                                   const VqGeTol& tol) const;
    int intersectWithLine(const VqGeImpLinearEnt3d& other, VqGePoint3d& pnt,
                          const VqGeTol& tol = VqGeContext::gTol) const;
    // Every crossing, joint, touch or overlap of the two entities, decided by distance with
    // the tolerance raised to the rounding of the coordinates; appended to data in this
    // entity's order (the record is not reset). 1 when anything was added.
    int intersectLinear(const VqGeImpLinearEnt3d& other, const VqGeVector3d& projDir,
                        VqGeCurveIntData& data, const VqGeTol& tol) const;
    // Intersection as seen along projDir: pnt1 on this entity, pnt2 on the other.
    int projIntersectWith(const VqGeImpLinearEnt3d& other, const VqGeVector3d& projDir,
                          VqGePoint3d& pnt1, VqGePoint3d& pnt2,
                          const VqGeTol& tol = VqGeContext::gTol) const;
    using VqGeImpCurve3d::overlap;
    // result: a new entity (caller owns it) over the common part, or null.
    int overlap(const VqGeImpLinearEnt3d& other, VqGeImpLinearEnt3d*& result,
                const VqGeTol& tol = VqGeContext::gTol) const;
    // Smallest interval holding the clamped parameters of the block's corners.
    void projectBlockTo(const VqGeImpBoundBlock3d& block, VqGeImpInterval& result) const;

protected:
    void evaluate(int order, VqGePointOnCurve3dData& data, int mode) const override;

private:
    // Stores the geometry and the interval of the flagged kind; no event.
    void assign(const VqGePoint3d& pnt, const VqGeVector3d& dir, int boundedBelow,
                int boundedAbove);
    // Makes this a segment over [0, 1] (id of the current dimension) and tells the dependants.
    void becomeSegment();
    int is2d() const { return entityType() < 0; }
    // The plane of a planar curve (its isPlanar with the global tolerance): 0 when not planar.
    static int curvePlane(const VqGeImpCurve3d& crv, VqGePoint3d& pnt, VqGeVector3d& normal);
    // Start of the tangent-from-a-point search: the sign change of the tangency residual
    // nearest to ref among the curve's samples, or ref when the samples show none.
    static double tangentStart(const VqGeImpCurve3d& crv, const VqGePoint3d& pnt,
                               const VqGeVector3d& normal, double ref);

    VqGePoint3d mOrigin;
    VqGeVector3d mDirection;
    VqGeImpInterval mInterval;
};

#endif
