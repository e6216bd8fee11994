// Implementation object of the polylines, 2D or 3D: degree 1 through its vertices (the control
// points of the spline base), one knot per vertex, not clamped. Built from points the knots are
// the cumulative chord lengths; built by sampling a curve they are the curve's parameters.
// A closed polyline carries the periodic bit and ends on its first vertex.
#ifndef VQGE_SPLINES_IMP_POLYLINE3D_H
#define VQGE_SPLINES_IMP_POLYLINE3D_H

#include "splines/imp_spline_ent3d.h"

class VqGeImpCompositeCurve3d;
class VqGeImpDiscreteSpline3d;

class VQGE_API VqGeImpPolyline3d : public VqGeImpSplineEnt3d {
public:
    VqGeImpPolyline3d();
    // closed = 1 sets the periodic bit and appends the first vertex when the last differs.
    explicit VqGeImpPolyline3d(const VqArray<VqGePoint3d>& points, int closed = 0);
    // Knots taken as given; a count that does not match the vertices gives chord lengths.
    VqGeImpPolyline3d(const VqGeKnotVector& knots, const VqArray<VqGePoint3d>& points);
    // The curve's sample points over its interval (or intrvl) within approxEps.
    VqGeImpPolyline3d(const VqGeImpCurve3d& curve, double approxEps);
    VqGeImpPolyline3d(const VqGeImpCurve3d& curve, const VqGeImpInterval& intrvl,
                      double approxEps);
    // The grid points of a discrete spline, all of them or those of intervals i .. j.
    explicit VqGeImpPolyline3d(const VqGeImpDiscreteSpline3d& spline);
    VqGeImpPolyline3d(int i, int j, const VqGeImpDiscreteSpline3d& spline);
    VqGeImpPolyline3d(const VqGeImpPolyline3d& src);
    ~VqGeImpPolyline3d() override;
    VqGeImpPolyline3d& operator=(const VqGeImpPolyline3d& src);

    VqGeImpPolyline3d& set(const VqGeImpCurve3d& curve, const VqGeImpInterval& intrvl,
                           double approxEps);
    // Vertices and closure replaced; chord-length knots.
    VqGeImpPolyline3d& set(const VqArray<VqGePoint3d>& points, int closed);

    // Entity slots.
    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpPolyline3d* copy() const override;

    int degree() const override { return 1; }
    int numFitPoints() const { return mControlPoints.length(); }
    // The origin outside the range.
    VqGePoint3d fitPointAt(int i) const;
    const VqArray<VqGePoint3d>& getFitPoints() const { return mControlPoints; }
    int getFitPointAt(int i, VqGePoint3d& pnt) const;
    virtual VqGeImpPolyline3d& setFitPointAt(int i, const VqGePoint3d& pnt);
    // Vertex i as stored (a closed polyline keeps its vertices in order, not in periodic
    // storage).
    VqGePoint3d controlPointAt(int i) const override { return fitPointAt(i); }
    VqGeImpPolyline3d& setControlPointAt(int i, const VqGePoint3d& pnt) override;
    virtual VqGeImpPolyline3d& addFitPointAt(int i, const VqGePoint3d& pnt);
    virtual VqGeImpPolyline3d& deleteFitPointAt(int i);
    // Drops vertices within tol.equalPoint of the last kept one; the last vertex stays.
    VqGeImpPolyline3d& compressFitData(const VqGeTol& tol);
    // Cumulative chord lengths from 0.
    void recomputeKnots();

    // Segment and fraction of the nearest segment within tol.equalPoint; 0 when none.
    int isOn(const VqGePoint3d& pnt, int& segIndex, double& frac, const VqGeTol& tol) const;
    using VqGeImpSplineEnt3d::isOn;
    int isOn(double param, const VqGeTol& tol) const override;
    int isOn(const VqGePoint3d& pnt, double& param, const VqGeTol& tol) const override;
    // -1 for a point that is not on the polyline.
    double paramOf(const VqGePoint3d& pnt, const VqGeTol& tol) const override;

    // Evaluation: linear interpolation on the segment of param.
    using VqGeImpSplineEnt3d::evalPoint;
    VqGePoint3d evalPoint(double param) override;
    VqGePoint3d evalPoint(double param, int numDeriv, VqArray<VqGeVector3d>& derivs) override;
    // Segment a (0 .. n - 2) of param and its local fraction; -1 without a segment.
    int segmentAt(double param, double& frac) const;

    // A new composite of one line segment per pair of distinct consecutive vertices (the
    // caller deletes it); null with fewer than two distinct vertices. Its parameters are the
    // composite's own: the running segment lengths from 0 (the polyline's knots when those
    // are chord lengths from 0), or a lone segment's own; polylineParamOf maps them back.
    VqGeImpCompositeCurve3d* compositeCurve() const;
    // The polyline parameter of the point at parameter g of a composite made by
    // compositeCurve() from this polyline, unchanged since.
    double polylineParamOf(const VqGeImpCompositeCurve3d& comp, double g) const;
    // The segments of compositeCurve's members (index of the first vertex), in order.
    void distinctSegments(VqArray<int>& segOf) const;
    // polylineParamOf on the breaks and segment indices of a chain.
    double chainToKnots(const VqArray<double>& breaks, const VqArray<int>& segOf,
                        double g) const;

    // Curve slots.
    using VqGeImpSplineEnt3d::setInterval;
    int setInterval() override;
    int isPeriodic(double& period, int mode) const override;
    using VqGeImpSplineEnt3d::getClosestPointTo;
    void getClosestPointTo(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                           const VqGeTol& tol) const override;
    using VqGeImpSplineEnt3d::getProjClosestPointTo;
    void getProjClosestPointTo(const VqGePoint3d& pnt, const VqGeVector3d& dir,
                               VqGeImpPointOnCurve3d& pntOnThis,
                               const VqGeTol& tol) const override;
    VqGeImpEntity3d* project(const VqGeImpPlanarEnt& pln, const VqGeVector3d& dir,
                             const VqGeTol& tol) const override;
    void getSplitCurves(double param, VqGeImpCurve3d*& piece1,
                        VqGeImpCurve3d*& piece2) const override;
    int explode(VqArray<void*>& curves, VqArray<int>& isNew,
                const VqGeImpInterval* intrvl) const override;
    using VqGeImpSplineEnt3d::boundBlock;
    VqGeImpBoundBlock3d boundBlock(int dim, const VqGeImpInterval& intrvl,
                                   int oriented) const override;
    using VqGeImpSplineEnt3d::intersectWith;
    int intersectWith(const VqGeImpCurve3d& other, const VqGeVector3d& projDir,
                      VqGeCurveIntData& data, const VqGeTol& tol) const override;
    int intersectSelf(VqGeCurveIntData& data, const VqGeVector3d& projDir, double param,
                      const VqGeTol& tol) const override;

protected:
    explicit VqGeImpPolyline3d(VqGe::EntityId id);
    void evaluate(int order, VqGePointOnCurve3dData& data, int mode) const override;
    VqGePoint3d evalAt(double param, int numDeriv, VqGeVector3d* derivs) const override;
    // Vertices and knots replaced, the flags of a fresh open (or closed) polyline.
    void assign(const VqGeKnotVector* knots, const VqArray<VqGePoint3d>& points, int closed);
    // The vertices of a split piece: P0 .. Pb, X (head) or X, Pb+1 .. Pn-1 (tail).
    // Knots of a piece: knots first .. last with t in front (tail) or behind (head).
    VqGeKnotVector pieceKnots(int first, int last, double t, int tAtEnd) const;
    void splitVertices(double param, VqArray<VqGePoint3d>& head, VqArray<VqGePoint3d>& tail,
                       int& span, double& frac) const;
};

#endif
