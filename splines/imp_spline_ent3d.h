// Implementation base of every spline curve, 2D or 3D: a knot vector, the stored control
// points (homogeneous, point times weight, on a rational curve), the state flags with their
// change marks, and the active parameter interval. Derived kinds supply the degree and the
// evaluation; this level answers what all splines share.
#ifndef VQGE_SPLINES_IMP_SPLINE_ENT3D_H
#define VQGE_SPLINES_IMP_SPLINE_ENT3D_H

#include "curves/imp_curve3d.h"
#include "vqge_knotvector.h"
#include "vqge_point2d.h"

class VQGE_API VqGeImpSplineEnt3d : public VqGeImpCurve3d {
public:
    // Bits of flags().
    enum : unsigned char { kPeriodic = 2, kRational = 4, kLinearFound = 8, kPlanarFound = 16 };
    // Bits of dirtyFlags(): the periodic conversions, makeRational, and the two cached tests.
    enum : unsigned char { kPeriodicMark = 2, kRationalMark = 4, kLinearRun = 8, kPlanarRun = 16 };
    enum : unsigned char { kFreshMarks = 6 };

    ~VqGeImpSplineEnt3d() override;
    VqGeImpSplineEnt3d& operator=(const VqGeImpSplineEnt3d& src);

    // Entity slots.
    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    // Same type, same control points within tol and knot vectors equal by their tolerance.
    int isEqualTo(const VqGeImpEntity3d& other,
                  const VqGeTol& tol = VqGeContext::gTol) const override;
    VqGeImpSplineEnt3d& transformBy(const VqGeMatrix3d& mat) override;
    VqGeImpSplineEnt3d& translateBy(const VqGeVector3d& vec) override;

    // Knots and control points.
    int numKnots() const { return mKnots.length(); }
    const VqGeKnotVector& knots() const { return mKnots; }
    // 0 outside the knots.
    double knotAt(int i) const { return mKnots[i]; }
    virtual VqGeImpSplineEnt3d& setKnotAt(int i, double k);
    virtual int numControlPoints() const { return mControlPoints.length(); }
    // Cartesian point; the origin outside the range.
    virtual VqGePoint3d controlPointAt(int i) const;
    virtual VqGeImpSplineEnt3d& setControlPointAt(int i, const VqGePoint3d& pnt);
    const VqArray<VqGePoint3d>& storedPoints() const { return mControlPoints; }
    // Knots minus control points minus one, at least 0 (a clamped spline's degree).
    virtual int degree() const;
    int order() const { return degree() + 1; }
    int isRational() const { return (mFlags & kRational) != 0; }
    int isPeriodicStored() const { return (mFlags & kPeriodic) != 0; }
    unsigned char flags() const { return mFlags; }
    unsigned char dirtyFlags() const { return mDirtyFlags; }
    // Clears the cached linearity and planarity results (the run marks stay).
    void resetLinFlags() { mFlags = static_cast<unsigned char>(mFlags & ~(kLinearFound | kPlanarFound)); }

    // Degree minus the multiplicity of knot i, with knots compared at tol.equalPoint / order.
    int continuityAtKnot(int i, const VqGeTol& tol) const;
    double startParam() const { return mInterval.lowerBound(); }
    double endParam() const { return mInterval.upperBound(); }
    // Ends of the knot domain (the first and last knot when periodic).
    double startDomain() const;
    double endDomain() const;
    VqGePoint3d startPoint() const;
    VqGePoint3d endPoint() const;
    const VqGeImpInterval& interval() const { return mInterval; }

    // Curve slots.
    using VqGeImpCurve3d::getInterval;
    void getInterval(VqGeImpInterval& intrvl, int extendLower, int extendUpper) const override;
    // The full knot domain.
    int setInterval() override;
    int setInterval(const VqGeImpInterval& intrvl, int notify) override;
    VqGeImpSplineEnt3d& reverseParam() override;
    int isPeriodic(double& period, int mode) const override;
    int isClosed(const VqGeTol& tol) const override;
    int isLinear(VqGeImpLinearEnt3d& line, const VqGeTol& tol) const override;
    int isPlanar(VqGeImpPlanarEnt& pln, const VqGeTol& tol) const override;
    using VqGeImpCurve3d::boundBlock;
    VqGeImpBoundBlock3d boundBlock(int dim, const VqGeImpInterval& intrvl,
                                   int oriented) const override;
    // No knots or points: a copy; a vanishing interval: a position; a zero first derivative
    // at a knot: a copy.
    int isDegenerate(VqGeImpEntity3d*& entity, const VqGeTol& tol) const override;
    int isDegenerate(VqGe::EntityId& id, const VqGeTol& tol) const override;
    // Degree 1 returns its vertices; other degrees sample by tolerance.
    int getSamplePoints(double fromParam, double toParam, double approxTol,
                        VqGeImpPointOnCurve3d& work, VqArray<VqGePoint3d>& points,
                        VqArray<double>& params, VqArray<VqGeVector3d>* firstDerivs,
                        VqArray<VqGeVector3d>* secondDerivs) const override;

    // Point arrays between the 2D and 3D forms (z = 0 / z dropped).
    static void convertPntArr(const VqArray<VqGePoint2d>& src, VqArray<VqGePoint3d>& dst);
    static void convertPntArr(const VqArray<VqGePoint3d>& src, VqArray<VqGePoint2d>& dst);

protected:
    explicit VqGeImpSplineEnt3d(VqGe::EntityId id);
    VqGeImpSplineEnt3d(const VqGeImpSplineEnt3d& src);

    // Every change of knots, points, weights, degree or periodicity ends here: the derived
    // kinds drop their caches, then the dependants are told.
    virtual void definitionChanged();
    // Weight of stored point i (1 on a non-rational spline).
    virtual double storedWeight(int i) const;
    // The evaluation the shared queries use (point and up to three derivatives).
    virtual VqGePoint3d evalAt(double param, int numDeriv, VqGeVector3d* derivs) const = 0;
    // The spline base's degeneracy tests (no data, vanishing interval, zero derivative).
    int baseDegenerate(VqGeImpEntity3d*& entity, const VqGeTol& tol) const;
    // Stored index of public control-point index i (periodic storage maps it).
    int storedIndex(int i) const;

    VqGeKnotVector mKnots;
    VqArray<VqGePoint3d> mControlPoints;
    unsigned char mFlags;
    unsigned char mDirtyFlags;
    VqGeImpInterval mInterval;
};

#endif
