// Implementation object of every circular and elliptic arc, full circle and ellipse, 2D or
// 3D: centre, unit major and minor axes, the two radii, the parameter range and the offset
// that turns a parameter into an angle. The point at parameter t is
// center + cos(θ)·A + sin(θ)·B with A = majorRadius·majorAxis, B = minorRadius·minorAxis and
// θ = adjustParam(angleOffset + t).
#ifndef VQGE_CURVES_IMP_ELLIP_ARC3D_H
#define VQGE_CURVES_IMP_ELLIP_ARC3D_H

#include "curves/imp_curve3d.h"

class VqGeImpLinearEnt3d;
class VqGeImpPlanarEnt;

class VQGE_API VqGeImpEllipArc3d : public VqGeImpCurve3d {
public:
    static constexpr double kTwoPi = 6.283185307179586;
    static constexpr double kPi = 3.141592653589793;

    // Unit circle about the origin in the XY plane, [0, 2π], id 17.
    VqGeImpEllipArc3d();
    VqGeImpEllipArc3d(const VqGePoint3d& center, const VqGeVector3d& majorAxis,
                      const VqGeVector3d& minorAxis, double majorRadius, double minorRadius);
    VqGeImpEllipArc3d(const VqGePoint3d& center, const VqGeVector3d& majorAxis,
                      const VqGeVector3d& minorAxis, double majorRadius, double minorRadius,
                      double startAngle, double endAngle);
    VqGeImpEllipArc3d(const VqGePoint3d& center, const VqGeVector3d& normal, double radius);
    VqGeImpEllipArc3d(const VqGePoint3d& p1, const VqGePoint3d& p2, const VqGePoint3d& p3);
    VqGeImpEllipArc3d(const VqGeImpEllipArc3d& src);
    // Replaces the geometry and the identity, then tells the dependants.
    VqGeImpEllipArc3d& operator=(const VqGeImpEllipArc3d& src);

    // Entity slots.
    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpEllipArc3d* copy() const override;
    int isEqualTo(const VqGeImpEntity3d& other,
                  const VqGeTol& tol = VqGeContext::gTol) const override;
    VqGeImpEllipArc3d& transformBy(const VqGeMatrix3d& mat) override;
    VqGeImpEllipArc3d& translateBy(const VqGeVector3d& vec) override;
    VqGeImpEllipArc3d& scaleBy(double factor, const VqGePoint3d& center) override;

    // Curve slots.
    using VqGeImpCurve3d::getInterval;
    void getInterval(VqGeImpInterval& intrvl, int extendLower, int extendUpper) const override;
    int setInterval() override;
    int setInterval(const VqGeImpInterval& intrvl, int notify) override;
    VqGeImpEllipArc3d& reverseParam() override;
    using VqGeImpCurve3d::closestPointTo;
    VqGePoint3d closestPointTo(const VqGePoint3d& pnt, const VqGeTol& tol) const override;
    using VqGeImpCurve3d::getClosestPointTo;
    void getClosestPointTo(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                           const VqGeTol& tol) const override;
    void getClosestPointTo(const VqGeImpCurve3d& crv, VqGeImpPointOnCurve3d& pntOnThis,
                           VqGeImpPointOnCurve3d& pntOnOther, const VqGeTol& tol) const override;
    int getNormalPoint(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                       const VqGeTol& tol) const override;
    VqGeImpEntity3d* project(const VqGeImpPlanarEnt& pln, const VqGeVector3d& dir,
                             const VqGeTol& tol) const override;
    VqGeImpEntity3d* exactOffset(double distance, const VqGeVector3d& normal,
                                 VqArray<double>* params1, VqArray<double>* params2,
                                 VqGe::OffsetCrvExtType extType, const VqGeTol& tol) const override;
    using VqGeImpCurve3d::isOn;
    int isOn(double param, const VqGeTol& tol) const override;
    int isOn(const VqGePoint3d& pnt, double& param, const VqGeTol& tol) const override;
    double paramOf(const VqGePoint3d& pnt, const VqGeTol& tol) const override;
    int isClosed(const VqGeTol& tol) const override;
    int isPlanar(VqGeImpPlanarEnt& pln, const VqGeTol& tol) const override;
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
    int getSamplePoints(double fromParam, double toParam, double approxTol,
                        VqGeImpPointOnCurve3d& work, VqArray<VqGePoint3d>& points,
                        VqArray<double>& params, VqArray<VqGeVector3d>* firstDerivs,
                        VqArray<VqGeVector3d>* secondDerivs) const override;
    // Public here: the intersection algorithms ask it of the other arc.
    int isWithinBounds(const VqGePoint3d& pnt, const VqGeTol& tol) const override;

    // Setters; each sends the modified event.
    VqGeImpEllipArc3d& set(const VqGePoint3d& center, const VqGeVector3d& majorAxis,
                           const VqGeVector3d& minorAxis, double majorRadius, double minorRadius);
    VqGeImpEllipArc3d& set(const VqGePoint3d& center, const VqGeVector3d& majorAxis,
                           const VqGeVector3d& minorAxis, double majorRadius, double minorRadius,
                           double startAngle, double endAngle);
    VqGeImpEllipArc3d& set(const VqGePoint3d& center, const VqGeVector3d& normal, double radius);
    VqGeImpEllipArc3d& set(const VqGePoint3d& p1, const VqGePoint3d& p2, const VqGePoint3d& p3);
    // The three-point arc with the conditions 5 to 8; nothing changes on a condition.
    VqGeImpEllipArc3d& set(const VqGePoint3d& p1, const VqGePoint3d& p2, const VqGePoint3d& p3,
                           VqGe::ErrorCondition& cond);
    // The bulge form in the plane z = 0: the arc from p1 to p2 whose middle lies h to the
    // right of the chord, h = value (isHeight) or value·|chord|/2. The ends are p1 and p2.
    VqGeImpEllipArc3d& setBulge(const VqGePoint3d& p1, const VqGePoint3d& p2, double value,
                                int isHeight);
    // The circle tangent to three curves; t1..t3 in: reference parameters, out: tangency.
    VqGeImpEllipArc3d& set(const VqGeImpCurve3d& crv1, const VqGeImpCurve3d& crv2,
                           const VqGeImpCurve3d& crv3, double& t1, double& t2, double& t3,
                           int& success);
    // The arc of radius r tangent to two curves; needs offset curves (not available yet).
    VqGeImpEllipArc3d& set(const VqGeImpCurve3d& crv1, const VqGeImpCurve3d& crv2, double radius,
                           double& t1, double& t2, int& success);
    VqGeImpEllipArc3d& setAngles(double startAngle, double endAngle, int notify);
    VqGeImpEllipArc3d& setCenter(const VqGePoint3d& center);
    VqGeImpEllipArc3d& setAxes(const VqGeVector3d& majorAxis, const VqGeVector3d& minorAxis);
    VqGeImpEllipArc3d& setRadii(double majorRadius, double minorRadius);
    VqGeImpEllipArc3d& setToComplement();
    VqGeImpEllipArc3d& setRefVec(const VqGeVector3d& vec);
    // The identity the public circular / elliptic classes give (dimension kept).
    void setCircularKind(int circular);

    // Accessors.
    const VqGePoint3d& center() const { return mCenter; }
    const VqGeVector3d& majorAxis() const { return mMajorAxis; }
    const VqGeVector3d& minorAxis() const { return mMinorAxis; }
    double majorRadius() const { return mMajorRadius; }
    double minorRadius() const { return mMinorRadius; }
    double startParam() const { return mStartParam; }
    double endParam() const { return mEndParam; }
    double angleOffset() const { return mAngleOffset; }
    VqGeVector3d normal() const { return mMajorAxis.crossProduct(mMinorAxis); }
    double startAngle() const { return mAngleOffset + mStartParam; }
    double endAngle() const { return mAngleOffset + mEndParam; }
    VqGePoint3d startPoint() const { return pointAt(mStartParam); }
    VqGePoint3d endPoint() const { return pointAt(mEndParam); }
    VqGePoint3d pointAt(double param) const;
    void getPlane(VqGeImpPlanarEnt& pln) const;
    int isCircular(const VqGeTol& tol = VqGeContext::gTol) const;
    int isInside(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;
    int isClockWise() const { return normal().z < 0.0; }

    // Parameter helpers.
    static double adjustParam(double x);
    // Brings t into [lower, upper] by whole turns; 1 when it ends at or above lower.
    static int rangeWrap(double lower, double upper, double& t);
    double normalizeParam(double t) const;
    void normalizeAngles();

    // Closed forms of the arc queries.
    int tangent(const VqGePoint3d& pnt, VqGeImpLinearEnt3d& line, const VqGeTol& tol) const;
    // The checks of the condition-reporting tangent forms (0 when the tangent may be asked).
    int tangentCondition(const VqGePoint3d& pnt, int is2d, const VqGeTol& tol,
                         VqGe::ErrorCondition& cond) const;
    int intersectWithPlane(const VqGeImpPlanarEnt& pln, int& numInt, VqGePoint3d& p1,
                           VqGePoint3d& p2, int& tangentFlag, const VqGeTol& tol) const;
    int intersectWithLine(const VqGeImpLinearEnt3d& line, int& numInt, VqGePoint3d& p1,
                          VqGePoint3d& p2, int& tangentFlag, const VqGeTol& tol) const;
    int intersectWithArc(const VqGeImpEllipArc3d& arc, int& numInt, VqGePoint3d& p1,
                         VqGePoint3d& p2, int& tangentFlag, const VqGeTol& tol) const;
    int projIntersectWith(const VqGeImpLinearEnt3d& line, const VqGeVector3d& projDir,
                          int& numInt, VqGePoint3d& pntOnArc1, VqGePoint3d& pntOnArc2,
                          VqGePoint3d& pntOnLine1, VqGePoint3d& pntOnLine2,
                          const VqGeTol& tol) const;
    void getClosestPointToLine(const VqGeImpLinearEnt3d& line, VqGeImpPointOnCurve3d& pntOnArc,
                               VqGeImpPointOnCurve3d& pntOnLine, const VqGeTol& tol) const;
    void getClosestPointToArc(const VqGeImpEllipArc3d& arc, VqGeImpPointOnCurve3d& pntOnThis,
                              VqGeImpPointOnCurve3d& pntOnOther, const VqGeTol& tol) const;
    // Parameter of the closest point to pnt (no point-on-curve involved).
    double closestParamTo(const VqGePoint3d& pnt, const VqGeTol& tol) const;
    // Point tolerance widened to the rounding of coordinates of this arc's size.
    double roundingTol(const VqGeTol& tol) const;

protected:
    void evaluate(int order, VqGePointOnCurve3dData& data, int mode) const override;

private:
    // Stores the data of the general set; no event.
    void assign(const VqGePoint3d& center, const VqGeVector3d& majorAxis,
                const VqGeVector3d& minorAxis, double majorRadius, double minorRadius,
                double startAngle, double endAngle);
    void assignThreePoints(const VqGePoint3d& p1, const VqGePoint3d& p2, const VqGePoint3d& p3);
    int is2d() const { return entityType() < 0; }
    // Parameters and points of the arc on the plane n·(x - q) = 0 (n unit): 0, 1 or 2 points,
    // tangent set when the arc only touches the plane within tol. Bounds are not applied.
    int planeParams(const VqGeVector3d& n, const VqGePoint3d& q, double params[2],
                    VqGePoint3d pts[2], int& tangentFlag, double slack) const;
    // The same with the signed distance gamma = n·(center − q) of the centre given.
    int planeParams(const VqGeVector3d& n, double gamma, double params[2], VqGePoint3d pts[2],
                    int& tangentFlag, double slack) const;
    // The solved points of a pair joined with the ends of both curves (curve_end_joints.h);
    // returns the new count.
    int addEndJoints(const VqGeImpLinearEnt3d& line, VqGePoint3d found[2], int num,
                     const VqGeTol& tol) const;
    int addEndJoints(const VqGeImpEllipArc3d& arc, VqGePoint3d found[2], int num,
                     const VqGeTol& tol) const;
    // Distance within which a solved touching point stands for an end: √(2·ρ·eps) for the
    // largest radius of curvature ρ, at least eps.
    double jointReach(double eps) const;
    // The transform for a non-similarity: the ellipse rebuilt from the images of A and B.
    void transformGeneral(const VqGeMatrix3d& mat);
    // Centre and conjugate semi-diameters of the new ellipse; the parameters keep their points.
    void rebuildFromConjugate(const VqGePoint3d& center, const VqGeVector3d& a,
                              const VqGeVector3d& b, const VqGeVector3d& minorHint);

    VqGePoint3d mCenter;
    VqGeVector3d mMajorAxis;
    VqGeVector3d mMinorAxis;
    double mMinorRadius;
    double mMajorRadius;
    double mStartParam;
    double mEndParam;
    double mAngleOffset;
};

#endif
