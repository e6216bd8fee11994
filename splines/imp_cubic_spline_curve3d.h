// Implementation object of the public cubic spline curves, 2D and 3D: a NURBS curve that
// interpolates its fit data, evaluated in power basis (mode 1), with its own identity.
// Its fit-data setters rebuild the curve at once.
#ifndef VQGE_SPLINES_IMP_CUBIC_SPLINE_CURVE3D_H
#define VQGE_SPLINES_IMP_CUBIC_SPLINE_CURVE3D_H

#include "splines/imp_nurb_curve3d.h"

class VQGE_API VqGeImpCubicSplineCurve3d : public VqGeImpNurbCurve3d {
public:
    // Through (0,0,0) and (1,0,0).
    VqGeImpCubicSplineCurve3d();
    // End tangents; a zero vector leaves that end free (zero second derivative).
    VqGeImpCubicSplineCurve3d(const VqArray<VqGePoint3d>& fitPoints,
                              const VqGeVector3d& startTangent, const VqGeVector3d& endTangent,
                              const VqGeTol& fitTol = VqGeContext::gTol);
    // A tangent at every point.
    VqGeImpCubicSplineCurve3d(const VqArray<VqGePoint3d>& fitPoints,
                              const VqArray<VqGeVector3d>& fitTangents,
                              const VqGeTol& fitTol = VqGeContext::gTol, int isPeriodic = 0);
    // Hermite data sampled from curve within tol.
    VqGeImpCubicSplineCurve3d(const VqGeImpCurve3d& curve, double tol);
    VqGeImpCubicSplineCurve3d(const VqGeImpCubicSplineCurve3d& src);

    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpCubicSplineCurve3d* copy() const override;

    // Fit tangent i when there is one at every point, the given end tangent at an end, and
    // otherwise the curve's first derivative at fit parameter i (zero outside the range).
    VqGeVector3d firstDerivAt(int i) const;
    // 1 when set; the curve is rebuilt.
    int setFitPoint(int i, const VqGePoint3d& pnt);
    int setFirstDerivAt(int i, const VqGeVector3d& vec);

private:
    void finish();
};

#endif
