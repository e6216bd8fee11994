// Implementation object of the composite curves, 2D or 3D: a chain of member curves answered
// as one curve with one parameter. Member i covers the composite parameters
// [break i, break i+1] and maps them linearly onto its own interval; with two or more members
// the breaks grow by the members' lengths, so the parameter is arc-length-like. Members are
// held through links (the composite depends on them) and are never composites themselves
// when the list was exploded.
#ifndef VQGE_COMPOUND_IMP_COMPOSITE_CURVE3D_H
#define VQGE_COMPOUND_IMP_COMPOSITE_CURVE3D_H

#include "curves/imp_curve3d.h"
#include "vqge_pointoncurvedata.h"

class VqGeImpPointOnCurve3d;

// Evaluation cache of a point on a composite: one point on each member, made on first use
// and carrying the point's transform, and the scale of the member used last.
class VQGE_API VqGeCompCrvEvalData : public VqGeEvaluatorDataCurve {
public:
    VqGeCompCrvEvalData();
    ~VqGeCompCrvEvalData() override;
    // The point on member index (null when memory runs out).
    VqGeImpPointOnCurve3d* memberPoint(const VqGeImpCurve3d* member, int index,
                                       const VqGeMatrix3d* transform);
    double lastScale() const { return mLastScale; }
    void setLastScale(double scale) { mLastScale = scale; }

private:
    VqArray<void*> mPoints;
    double mLastScale;
};

class VQGE_API VqGeImpCompositeCurve3d : public VqGeImpCurve3d {
public:
    // Link type names.
    static const char* const kMemberLink;
    static const char* const kInvalidArcLink;

    VqGeImpCompositeCurve3d();
    VqGeImpCompositeCurve3d(const VqArray<void*>& curves, int explode);
    // Per curve, a nonzero flag hands the curve over: it goes when no longer used.
    VqGeImpCompositeCurve3d(const VqArray<void*>& curves, const VqArray<int>& ownerFlags,
                            int explode);
    // Members are copied; the copies belong to the new composite.
    VqGeImpCompositeCurve3d(const VqGeImpCompositeCurve3d& src);
    // Shares src's member objects.
    VqGeImpCompositeCurve3d& operator=(const VqGeImpCompositeCurve3d& src);
    ~VqGeImpCompositeCurve3d() override;

    // Entity slots.
    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpCompositeCurve3d* copy() const override;
    void eventModified(const VqGeLink& link) override;
    void eventDeleted(const VqGeLink& link) override;
    void eventSetInterval(const VqGeLink& link) override;
    int isEqualTo(const VqGeImpEntity3d& other,
                  const VqGeTol& tol = VqGeContext::gTol) const override;
    VqGeImpCompositeCurve3d& transformBy(const VqGeMatrix3d& mat) override;
    void* getExternalEntity() const override;

    // Members.
    VqGeImpCompositeCurve3d& set(const VqArray<void*>& curves, int explode);
    // ownerFlags may be null or shorter than curves (missing flags are 0).
    VqGeImpCompositeCurve3d& set(const VqArray<void*>& curves, const VqArray<int>* ownerFlags,
                                 int explode);
    void getCurveList(VqArray<void*>& curves) const;
    void getSegParams(VqArray<double>& params) const;
    void getInvalidArcs(VqArray<void*>& arcs) const;
    int numCurves() const { return mMembers.length(); }
    VqGeImpCurve3d* curveAt(int i) const { return static_cast<VqGeImpCurve3d*>(mMembers[i]); }
    // The member parameter of g; index -1 when there are no members (g is returned).
    double globalToLocalParam(double g, int& index, double& scale) const;
    double localToGlobalParam(double local, int index) const;
    // Members over a range: see the definition. tol compares points.
    void getIntervalCurves(const VqGeImpInterval& range, VqArray<void*>& curves,
                           VqGeImpInterval& firstInt, VqGeImpInterval& lastInt, VqGePoint3d& p1,
                           VqGePoint3d& p2, VqGePoint3d& p3, VqGePoint3d& p4,
                           const VqGeTol& tol) const;
    // Index range of the members that getIntervalCurves returns (first > last: none).
    void intervalCurveRange(const VqGeImpInterval& range, int& first, int& last,
                            VqGeImpInterval& firstInt, VqGeImpInterval& lastInt, VqGePoint3d& p1,
                            VqGePoint3d& p2, VqGePoint3d& p3, VqGePoint3d& p4,
                            const VqGeTol& tol) const;
    // The part of member i (first <= i <= last) that a range covers, from the outputs of
    // intervalCurveRange.
    void memberSubInterval(int i, int first, int last, const VqGeImpInterval& firstInt,
                           const VqGeImpInterval& lastInt, VqGeImpInterval& sub) const;
    // this, or a member at any depth of nesting, is crv.
    int holds(const VqGeImpCurve3d* crv) const;
    // Reshaping of circular-arc members so that neighbours meet; 1 when anything changed.
    int smooth(double param, const VqGeTol& tol);

    // Curve slots.
    using VqGeImpCurve3d::getInterval;
    void getInterval(VqGeImpInterval& intrvl, int extendLower, int extendUpper) const override;
    int setInterval() override;
    int setInterval(const VqGeImpInterval& intrvl, int notify) override;
    VqGeImpCompositeCurve3d& reverseParam() override;
    using VqGeImpCurve3d::getClosestPointTo;
    void getClosestPointTo(const VqGeImpCurve3d& crv, VqGeImpPointOnCurve3d& pntOnThis,
                           VqGeImpPointOnCurve3d& pntOnOther, const VqGeTol& tol) const override;
    void getClosestPointTo(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                           const VqGeTol& tol) const override;
    VqGeImpEntity3d* project(const VqGeImpPlanarEnt& pln, const VqGeVector3d& dir,
                             const VqGeTol& tol) const override;
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
    int explode(VqArray<void*>& curves, VqArray<int>& isNew,
                const VqGeImpInterval* intrvl) const override;
    using VqGeImpCurve3d::evalPoint;
    VqGePoint3d evalPoint(double param, int numDeriv, VqArray<VqGeVector3d>& derivs) override;
    VqGePoint3d evalPoint(double param) override;
    int area(double startParam, double endParam, double& value, const VqGeTol& tol) const override;
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
    int getSamplePoints(double fromParam, double toParam, double approxTol,
                        VqGeImpPointOnCurve3d& work, VqArray<VqGePoint3d>& points,
                        VqArray<double>& params, VqArray<VqGeVector3d>* firstDerivs,
                        VqArray<VqGeVector3d>* secondDerivs) const override;

protected:
    void evaluate(int order, VqGePointOnCurve3dData& data, int mode) const override;

private:
    // The member's interval with an unbounded side replaced by a finite stand-in.
    static void memberRange(const VqGeImpCurve3d& member, double& lo, double& hi);
    // Breaks from the members, then the interval over them.
    void rebuildBreaks();
    // The parameter on member i of the composite parameter g (g may lie outside its breaks).
    double globalToLocalIParam(double g, int i) const;
    // Member parameter per composite parameter over member i.
    double memberScale(int i) const;
    // Member index of g: the first member whose upper break is not below g, else the last.
    int memberIndexOf(double g) const;
    // The member list changed behind the composite's back (a member was edited or deleted).
    void memberChanged(const VqGeLink& link);
    // The intersection of range1 of this curve with range2 of other, by member pairs.
    int intersectRanges(const VqGeImpInterval& range1, const VqGeImpCurve3d& other,
                        const VqGeImpInterval& range2, const VqGeVector3d& projDir,
                        VqGeCurveIntData& data, const VqGeTol& tol) const;

    VqArray<void*> mMembers;
    VqArray<double> mBreaks;
    VqGeImpInterval mInterval;
    // Set while the composite edits its own members, whose events it then ignores.
    int mEditing;
};

#endif
