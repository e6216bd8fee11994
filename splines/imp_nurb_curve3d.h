// Implementation object of every NURBS curve, 2D or 3D: degree, optional weights (the stored
// points are then homogeneous), optional periodicity, fit data, the evaluation mode and the
// cached evaluation record of the current span.
//
// Periodic storage: m stored knots u0..u(m-1) and m stored points whose last repeats the
// first; the period is u(m-1) - u0 and the knots continue periodically beyond both ends. The
// span [u(i), u(i+1)] is shaped by the stored points i - degree .. i taken cyclically over
// the m - 1 distinct points.
#ifndef VQGE_SPLINES_IMP_NURB_CURVE3D_H
#define VQGE_SPLINES_IMP_NURB_CURVE3D_H

#include "splines/imp_spline_ent3d.h"

class VqGeImpEllipArc3d;
class VqGeImpFitData3d;
struct VqGeEvalDataNurbCrv;

class VQGE_API VqGeImpNurbCurve3d : public VqGeImpSplineEnt3d {
public:
    // Degree 1 from (0,0,0) to (1,0,0) over [0, 1].
    VqGeImpNurbCurve3d();
    // Counts decide the form: as many knots as points takes the data as periodic storage
    // (only with isPeriodic set); points + degree + 1 knots is the long form, clamped first
    // when it is not; any other count leaves the curve without knots.
    VqGeImpNurbCurve3d(int degree, const VqGeKnotVector& knots,
                       const VqArray<VqGePoint3d>& controlPoints, int isPeriodic = 0);
    // Cartesian points with their weights; stored homogeneous. Missing weights count as 1.
    VqGeImpNurbCurve3d(int degree, const VqGeKnotVector& knots,
                       const VqArray<VqGePoint3d>& controlPoints, const VqArray<double>& weights,
                       int isPeriodic = 0);
    // Degree 1 over [0, length] of the bounded part (an unbounded side is bounded first).
    explicit VqGeImpNurbCurve3d(const VqGeImpLinearEnt3d& line);
    // The arc (circular or elliptic) as rational quadratic pieces over its start and end
    // angles (setToArc).
    explicit VqGeImpNurbCurve3d(const VqGeImpEllipArc3d& arc);
    // Conversion by kind: polyline, linear entity, arc, NURBS of degree at most 3. A composite
    // curve gives no knots and no points; other kinds need fit data, which do not exist yet,
    // and give the same empty curve.
    VqGeImpNurbCurve3d(const VqGeImpCurve3d& curve, const VqGeTol& tol);
    // Bezier curve of degree count - 1 over [0, 1].
    explicit VqGeImpNurbCurve3d(const VqArray<VqGePoint3d>& points);
    // Cubic from p0 to p1 over [a, b] along the tangent directions t0, t1, with the tangent
    // lengths chosen from where the two tangent lines come closest.
    VqGeImpNurbCurve3d(const VqGePoint3d& p0, const VqGeVector3d& t0, const VqGePoint3d& p1,
                       const VqGeVector3d& t1, double a = 0.0, double b = 1.0);
    VqGeImpNurbCurve3d(const VqGeImpNurbCurve3d& src);
    // Fitting constructors: degree 3 built by regenerate() from the fit data they keep.
    VqGeImpNurbCurve3d(const VqArray<VqGePoint3d>& fitPoints, const VqGeVector3d& startTangent,
                       const VqGeVector3d& endTangent, int startDefined, int endDefined,
                       const VqGeTol& fitTol);
    VqGeImpNurbCurve3d(const VqArray<VqGePoint3d>& fitPoints, const VqGeTol& fitTol);
    VqGeImpNurbCurve3d(const VqArray<VqGePoint3d>& fitPoints,
                       const VqArray<VqGeVector3d>& fitTangents, const VqGeTol& fitTol,
                       int isPeriodic);
    VqGeImpNurbCurve3d(const VqGeKnotVector& fitKnots, const VqArray<VqGePoint3d>& fitPoints,
                       const VqArray<VqGeVector3d>& fitTangents, const VqGeTol& fitTol,
                       int isPeriodic);
    // Interpolation of the given degree through the points by averaged knots (fit data kept).
    VqGeImpNurbCurve3d(int degree, const VqArray<VqGePoint3d>& fitPoints, const VqGeTol& fitTol,
                       int isPeriodic);
    // The same through a polyline's vertices at its knots, without fit data.
    VqGeImpNurbCurve3d(int degree, const VqGeImpSplineEnt3d& polyline, int isPeriodic);
    ~VqGeImpNurbCurve3d() override;
    VqGeImpNurbCurve3d& operator=(const VqGeImpNurbCurve3d& src);

    // Entity slots.
    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpNurbCurve3d* copy() const override;
    int isEqualTo(const VqGeImpEntity3d& other,
                  const VqGeTol& tol = VqGeContext::gTol) const override;

    // Definition.
    int degree() const override { return mDegree; }
    int numWeights() const { return mWeights.length(); }
    // 1 on a non-rational curve (0 outside the range on a rational one).
    double weightAt(int i) const;
    VqGeImpNurbCurve3d& setWeightAt(int i, double w);
    const VqArray<double>& storedWeights() const { return mWeights; }
    // Long form: a periodic curve is reported with the first knot once more, degree copies of
    // the last knot appended and its last distinct point in front.
    void getDefinitionData(int& degree, int& rational, int& periodic, VqGeKnotVector& knots,
                           VqArray<VqGePoint3d>& controlPoints, VqArray<double>& weights) const;
    int hasFitData() const { return mFitData != nullptr; }

    // Fit data. Accessors answer 0 without fit data or out of range; edits do not rebuild the
    // curve until regenerate().
    const VqGeImpFitData3d* fitData() const { return mFitData; }
    int numFitPoints() const;
    int getFitPointAt(int i, VqGePoint3d& pnt) const;
    int setFitPointAt(int i, const VqGePoint3d& pnt);
    int addFitPointAt(int i, const VqGePoint3d& pnt);
    int deleteFitPointAt(int i);
    int getFitTangentAt(int i, VqGeVector3d& vec) const;
    int setFitTangentAt(int i, const VqGeVector3d& vec);
    int getFitTolerance(VqGeTol& tol) const;
    int setFitTolerance(const VqGeTol& tol);
    int getFitTangents(VqGeVector3d& startTangent, VqGeVector3d& endTangent) const;
    int getFitTangents(VqGeVector3d& startTangent, VqGeVector3d& endTangent, int& startDefined,
                       int& endDefined) const;
    int setFitTangents(const VqGeVector3d& startTangent, const VqGeVector3d& endTangent);
    int setFitTangents(const VqGeVector3d& startTangent, const VqGeVector3d& endTangent,
                       int startDefined, int endDefined);
    // Points, tolerance, the end tangents (zero where absent); 0 without fit data.
    int getFitData(VqArray<VqGePoint3d>& fitPoints, VqGeTol& fitTol, int& tangentsExist,
                   VqGeVector3d& startTangent, VqGeVector3d& endTangent) const;
    // Replace the fit data and rebuild the curve.
    VqGeImpNurbCurve3d& setFitData(const VqArray<VqGePoint3d>& fitPoints,
                                   const VqGeVector3d& startTangent,
                                   const VqGeVector3d& endTangent, const VqGeTol& fitTol);
    VqGeImpNurbCurve3d& setFitData(const VqArray<VqGePoint3d>& fitPoints,
                                   const VqArray<VqGeVector3d>& fitTangents,
                                   const VqGeTol& fitTol, int isPeriodic);
    VqGeImpNurbCurve3d& setFitData(const VqGeKnotVector& fitKnots,
                                   const VqArray<VqGePoint3d>& fitPoints,
                                   const VqArray<VqGeVector3d>& fitTangents,
                                   const VqGeTol& fitTol, int isPeriodic);
    // Takes ownership of data (null purges); the curve is not rebuilt.
    void adoptFitData(VqGeImpFitData3d* data);
    int purgeFitData();
    int compressFitData();
    int isInterpolating(const VqGeTol& tol = VqGeContext::gTol) const;
    // Rebuilds the curve from its fit data; 0 (curve unchanged) without usable data.
    int regenerate();

    // Evaluation. None of these allocates once the record exists.
    using VqGeImpCurve3d::evalPoint;
    VqGePoint3d evalPoint(double param) override;
    VqGePoint3d evalPoint(double param, int numDeriv, VqArray<VqGeVector3d>& derivs) override;
    // weight receives the weight function's value at param (1 when non-rational).
    VqGePoint3d evalPoint(double param, double& weight);
    // The homogeneous point (weight times point) at param.
    VqGePoint3d evalCannonPoint(double param);
    // The const path the queries use: point and up to three derivatives (derivs may be null
    // when numDeriv is 0).
    VqGePoint3d pointAt(double param, int numDeriv = 0, VqGeVector3d* derivs = nullptr) const {
        return evalAt(param, numDeriv, derivs);
    }
    // Point by forward differences over the span of param, degree steps from the span start.
    VqGePoint3d evalPntInForwardDiffBasis(double param) const;
    int evalMode() const { return mEvalMode; }
    // A new mode drops the evaluation record.
    VqGeImpNurbCurve3d& setEvalMode(int mode);
    VqGePoint3d evalPointOnLeft(double param, int numDeriv, VqArray<VqGeVector3d>& derivs) override;
    VqGePoint3d evalPointOnRight(double param, int numDeriv,
                                 VqArray<VqGeVector3d>& derivs) override;
    // Left (fromRight 0) or right limit at param, with up to three derivatives.
    VqGePoint3d sidePoint(double param, int fromRight, int numDeriv, VqGeVector3d* derivs) const;

    // Editing.
    VqGeImpNurbCurve3d& makeRational(double w = 1.0);
    VqGeImpNurbCurve3d& makeClosed();
    // The periodic form becomes the long form; an open curve stays as it is.
    VqGeImpNurbCurve3d& makeOpen();
    VqGeImpNurbCurve3d& makePeriodic();
    // Nothing on a curve that is not periodic.
    VqGeImpNurbCurve3d& makeNonPeriodic();
    VqGeImpNurbCurve3d& insertKnot(double param, int mult = 1);
    VqGeImpNurbCurve3d& addKnot(double param, int mult = 1);
    VqGeImpNurbCurve3d& removeKnot(double param, const VqGeTol& tol = VqGeContext::gTol);
    VqGeImpNurbCurve3d& elevateDegree(int plusDegree);
    VqGeImpNurbCurve3d& joinWith(const VqGeImpNurbCurve3d& other);
    VqGeImpNurbCurve3d& hardTrimByParams(double newStart, double newEnd);
    VqGeImpNurbCurve3d& hardTrim();
    // The arc center + cos(θ) majorVec + sin(θ) minorVec for θ from startAngle to endAngle
    // (angles as knots): degree 2, rational, one piece per started quarter turn. A sweep that
    // is not positive (or not below two turns) or non-finite data leave no knots and no points.
    VqGeImpNurbCurve3d& setToArc(const VqGePoint3d& center, const VqGeVector3d& majorVec,
                                 const VqGeVector3d& minorVec, double startAngle, double endAngle);
    VqGeImpNurbCurve3d& setToHermiteCubic(const VqGePoint3d& p0, const VqGePoint3d& p1,
                                          const VqGeVector3d& t0, const VqGeVector3d& t1,
                                          double a, double b);
    // out receives the n-th derivative curve.
    void getDerivativeCurve(int n, VqGeImpNurbCurve3d& out) const;
    int explodeAtParams(const VqArray<double>& params, VqArray<void*>& pieces,
                        const VqGeImpInterval* intrvl) const;
    int getParamsOfC1Discontinuity(VqArray<double>& params, const VqGeTol& tol) const;
    // Makes no interval test: knots outside a narrowed interval are reported too, as callers
    // have come to expect.
    int getParamsOfG1Discontinuity(VqArray<double>& params, const VqGeTol& tol) const;
    int isLocallyLinear(double param, VqGeImpInterval& intrvl, VqGeImpLinearEnt3d& line,
                        const VqGeTol& tol) const;

    // Curve slots.
    VqGeImpNurbCurve3d& transformBy(const VqGeMatrix3d& mat) override;
    VqGeImpNurbCurve3d& reverseParam() override;
    using VqGeImpSplineEnt3d::setInterval;
    int setInterval(const VqGeImpInterval& intrvl, int notify) override;
    using VqGeImpSplineEnt3d::isOn;
    int isOn(const VqGePoint3d& pnt, double& param, const VqGeTol& tol) const override;
    double length(double fromParam, double toParam, double tol) const override;
    double paramAtLength(double fromParam, double len, int forward, double tol) const override;
    using VqGeImpSplineEnt3d::getClosestPointTo;
    void getClosestPointTo(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                           const VqGeTol& tol) const override;
    // The parameter of the closest point (the search behind getClosestPointTo).
    double closestParamTo(const VqGePoint3d& pnt, const VqGeTol& tol) const;
    using VqGeImpSplineEnt3d::isDegenerate;
    int isDegenerate(VqGeImpEntity3d*& entity, const VqGeTol& tol) const override;
    void getSplitCurves(double param, VqGeImpCurve3d*& piece1,
                        VqGeImpCurve3d*& piece2) const override;
    int explode(VqArray<void*>& curves, VqArray<int>& isNew,
                const VqGeImpInterval* intrvl) const override;
    VqGeImpEntity3d* project(const VqGeImpPlanarEnt& pln, const VqGeVector3d& dir,
                             const VqGeTol& tol) const override;
    VqGeImpEntity3d* exactOffset(double distance, const VqGeVector3d& normal,
                                 VqArray<double>* params1, VqArray<double>* params2,
                                 VqGe::OffsetCrvExtType extType, const VqGeTol& tol) const override;
    using VqGeImpSplineEnt3d::intersectWith;
    int intersectWith(const VqGeImpCurve3d& other, const VqGeVector3d& projDir,
                      VqGeCurveIntData& data, const VqGeTol& tol) const override;
    int intersectCut(const VqGeImpCurve3d& other, const VqGeVector3d& projDir,
                     VqGeCurveIntData& data, const VqGeTol& tol) const;
    int getSamplePoints(double fromParam, double toParam, double approxTol,
                        VqGeImpPointOnCurve3d& work, VqArray<VqGePoint3d>& points,
                        VqArray<double>& params, VqArray<VqGeVector3d>* firstDerivs,
                        VqArray<VqGeVector3d>* secondDerivs) const override;

    // Appends the dump of the definition to the file at path (nothing when it cannot be
    // opened). 1 when written.
    int record(const char* path) const;

    // Periodic parameter brought into [start, end] of the knots; others unchanged.
    double bringParamToBounds(double param) const;
    // The parameter used to pick the span of param (inside the knot domain).
    double intervalParam(double param) const;
    // Drops the evaluation record.
    void releaseEvalData() const;
    // Point and up to three derivatives of span i's own polynomial (i a knot index starting a
    // span of non-zero length) at t, ends included: the right end gives the left limit there.
    // Costs a Horner pass once the span's coefficients exist.
    VqGePoint3d spanPointAt(int i, double t, int numDeriv, VqGeVector3d* derivs) const;
    // Speed |C'| on span i's own polynomial at t.
    double spanSpeedAt(int i, double t) const;

protected:
    VqGeImpNurbCurve3d(int degree, int isRational);
    void evaluate(int order, VqGePointOnCurve3dData& data, int mode) const override;
    void definitionChanged() override;
    double storedWeight(int i) const override;
    VqGePoint3d evalAt(double param, int numDeriv, VqGeVector3d* derivs) const override;

private:
    friend struct VqGeNurbEdit;

    // Replaces the whole definition (non-periodic unless isPeriodic) and resets the marks,
    // interval, mode and record. weights may be null (non-rational).
    void define(int degree, const VqGeKnotVector& knots, const VqArray<VqGePoint3d>& stored,
                const VqArray<double>* weights, int isPeriodic);
    void fromLongForm(int degree, const VqGeKnotVector& knots, const VqArray<VqGePoint3d>& pts,
                      const VqArray<double>* weights, int isPeriodic);
    void setFromLine(const VqGePoint3d& start, const VqGePoint3d& end);
    // A linear entity, its unbounded sides bounded first.
    void setFromLinear(const VqGeImpLinearEnt3d& line);
    // Cuts the non-periodic curve to [a, b] of its knots: full-multiplicity knots at both
    // ends and everything outside them dropped.
    void clipToDomain(double a, double b);
    void setFromSpline(const VqGeImpSplineEnt3d& polyline);
    // Homogeneous stored point i with its weight as fourth coordinate.
    void homogeneous(int i, double h[4]) const;
    void setHomogeneous(int i, const double h[4]);
    int dim() const { return isRational() ? 4 : 3; }
    int numDistinct() const;
    VqGeEvalDataNurbCrv* evalData() const;
    // The record with the span of param loaded; t receives param brought into bounds, x the
    // parameter that chose the span. Null without memory.
    VqGeEvalDataNurbCrv* spanRecord(double param, double& t, double& x) const;
    void setCurrentData(VqGeEvalDataNurbCrv& rec, double x) const;
    const double* spanPower(VqGeEvalDataNurbCrv& rec) const;
    // Power coefficients of span i in t - knot i, built on first use; null without memory or
    // for an index outside the knots.
    const double* spanCoefficients(int i) const;
    // Point and derivatives at t on the loaded span (x: the span-choice parameter).
    VqGePoint3d evalLoaded(VqGeEvalDataNurbCrv& rec, double t, double x, int numDeriv,
                           VqGeVector3d* derivs) const;
    // Boehm insertion of one knot at param into span (stored index); returns 0 without memory.
    int insertOnce(double param, int span);
    void discardFitData();
    static VqGeImpFitData3d* cloneFitData(const VqGeImpFitData3d* src);
    void transformFitData(const VqGeMatrix3d& mat);

    int mDegree;
    VqArray<double> mWeights;
    VqGeImpFitData3d* mFitData;
    int mEvalMode;
    mutable VqGeEvalDataNurbCrv* mEvalData;
};

// NURBS against NURBS in one plane by Bezier subdivision (records points of a, b); 0 when
// the pair does not suit that route and nothing was recorded.
int intersectNurbPair(const VqGeImpNurbCurve3d& a, const VqGeImpNurbCurve3d& b,
                      const VqGeVector3d& dir, VqGeCurveIntData& data, const VqGeTol& tol);

#endif
