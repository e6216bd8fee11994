// Discrete spline: a sampled image of a NURBS curve for fast drawing. The base holds the
// curve's distinct knots and its points there; every knot interval carries the span's
// power-basis polynomial and a grid of evenly spaced parameters, walked by forward
// differences, whose step count keeps the chords within the deviation of the curve.
//
// diffCoeffs layout, per interval i and coordinate c (dimension coordinates, the weight last
// when rational): degree + 1 power coefficients in the local parameter s = t - knot i, then
// degree + 1 forward-difference start values for the grid step (the first is 0 for the
// Cartesian coordinates of a non-rational curve, which are walked as offsets from the knot's
// point to keep drawing-scale coordinates exact).
#ifndef VQGE_SPLINES_IMP_DISCRETE_SPLINE3D_H
#define VQGE_SPLINES_IMP_DISCRETE_SPLINE3D_H

#include "splines/imp_spline_ent3d.h"

class VqGeImpNurbCurve3d;

class VQGE_API VqGeImpDiscreteSpline3d : public VqGeImpSplineEnt3d {
public:
    VqGeImpDiscreteSpline3d();
    VqGeImpDiscreteSpline3d(VqGeImpNurbCurve3d& curve, double deviation);
    VqGeImpDiscreteSpline3d(int degree, const VqGeKnotVector& knots,
                            const VqArray<VqGePoint3d>& points, const VqArray<double>& weights,
                            double deviation);
    VqGeImpDiscreteSpline3d(int degree, const VqGeKnotVector& knots,
                            const VqArray<VqGePoint3d>& points, int isPeriodic,
                            double deviation);
    VqGeImpDiscreteSpline3d(const VqGeImpDiscreteSpline3d& src);
    ~VqGeImpDiscreteSpline3d() override;

    // Sets the curve's evaluation mode to 1 (power basis), as drawing does.
    VqGeImpDiscreteSpline3d& set(VqGeImpNurbCurve3d& curve, double deviation);

    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpDiscreteSpline3d* copy() const override;
    // Affine maps: the span polynomials move with the points and the grids are recounted.
    VqGeImpDiscreteSpline3d& transformBy(const VqGeMatrix3d& mat) override;

    // The grids are rebuilt only when d is below the current deviation or above twice it.
    VqGeImpDiscreteSpline3d& setDeviation(double d);
    double deviation() const { return mDeviation; }
    int degree() const override { return mDegree; }
    int dimension() const { return mDimension; }
    int numIntervals() const { return mNumKnots > 1 ? mNumKnots - 1 : 0; }
    // Step count + 1 (0 outside the range).
    int numGridPointsAt(int i) const;
    // Step counts of intervals i .. j + 1 (0 for an empty or invalid range).
    int numGridPointsAt(int i, int j) const;
    int numGridPoints() const { return numGridPointsAt(0, numIntervals() - 1); }
    // Grid points of all intervals, or of intervals i .. j; returns their number.
    int evalPointArray(VqArray<VqGePoint3d>& points) const;
    int evalPointArray(int i, int j, VqArray<VqGePoint3d>& points) const;
    // Point of the curve at distinct knot i.
    VqGePoint3d fitPointAt(int i) const { return controlPointAt(i); }
    VqGePoint3d controlPointAt(int i) const override;
    // Point (and first derivative when d1 is given) of the stored spans at param.
    VqGePoint3d pointOnSpans(double param, VqGeVector3d* d1) const {
        return evalAt(param, d1 ? 1 : 0, d1);
    }
    double spanScale(int i) const { return i >= 0 && i < mSpanScale.length() ? mSpanScale[i] : 0.0; }

    using VqGeImpSplineEnt3d::setInterval;
    int setInterval() override;
    // No pieces: both outputs become null.
    void getSplitCurves(double param, VqGeImpCurve3d*& piece1,
                        VqGeImpCurve3d*& piece2) const override;

protected:
    void evaluate(int order, VqGePointOnCurve3dData& data, int mode) const override;
    VqGePoint3d evalAt(double param, int numDeriv, VqGeVector3d* derivs) const override;

private:
    // Step counts and forward-difference start values from the stored coefficients.
    void buildGrids();
    int stride() const { return 2 * (mDegree + 1) * mDimension; }
    const double* coeffs(int i) const { return mDiffCoeffs.asArrayPtr() + i * stride(); }

    double mDeviation;
    short mDegree;
    short mDimension;
    short mNumKnots;
    VqArray<short> mGridCount;
    VqArray<double> mSpanScale;
    VqArray<double> mDiffCoeffs;
    VqArray<double> mWeights;  // at the knots, when rational
};

#endif
