// Interpolation kernels behind fit-data regeneration and the interpolating constructors. Each
// fills knots and control points for a non-rational curve and returns 0 (outputs unusable)
// when the data cannot be interpolated. Parameters must increase strictly.
#ifndef VQGE_SPLINES_IMP_FIT_INTERP_H
#define VQGE_SPLINES_IMP_FIT_INTERP_H

#include "vqge_array.h"
#include "vqge_knotvector.h"
#include "vqge_point3d.h"
#include "vqge_vector3d.h"

struct VQGE_API VqGeFitInterp {
    // Cubic through n >= 2 points at parameters t: knots t0 x4, t1 .. tn-2, tn-1 x4 and n + 2
    // control points. A null end tangent asks for a zero second derivative at that end.
    static int cubicOpen(const VqGePoint3d* pts, const double* t, int n,
                         const VqGeVector3d* startTan, const VqGeVector3d* endTan,
                         VqGeKnotVector& knots, VqArray<VqGePoint3d>& ctrl);
    // Periodic cubic, C2 everywhere, through the closed points (pts[n-1] equals pts[0],
    // n >= 3): periodic storage of n knots t0 .. tn-1 and n control points, the last
    // repeating the first.
    static int cubicPeriodic(const VqGePoint3d* pts, const double* t, int n,
                             VqGeKnotVector& knots, VqArray<VqGePoint3d>& ctrl);
    // Piecewise Hermite cubic with tangent tans[i] at every point: double interior knots,
    // 2n + 4 knots and 2n control points.
    static int hermiteOpen(const VqGePoint3d* pts, const VqGeVector3d* tans, const double* t,
                           int n, VqGeKnotVector& knots, VqArray<VqGePoint3d>& ctrl);
    // The same closed (pts[n-1] equals pts[0], n >= 3, tans[0] serves the seam): periodic
    // storage of 2n - 1 knots and 2n - 1 control points.
    static int hermiteClosed(const VqGePoint3d* pts, const VqGeVector3d* tans, const double* t,
                             int n, VqGeKnotVector& knots, VqArray<VqGePoint3d>& ctrl);
    // Degree p through n > p points by averaged knots and full collocation: long-form knots
    // (n + p + 1) when open; when periodic (pts[n-1] equals pts[0]) the periodic storage.
    static int interpolate(int p, const VqGePoint3d* pts, const double* t, int n, int periodic,
                           VqGeKnotVector& knots, VqArray<VqGePoint3d>& ctrl);
    // The p + 1 basis values of span s (knots[s] <= x < knots[s + 1]) at x.
    static void basis(const double* knots, int s, int p, double x, double* out);
};

#endif
