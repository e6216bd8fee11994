// Public 3D cubic spline curve: interpolates its fit points (and the given tangents).
#ifndef VQGE_CUBICSPLINECURVE3D_H
#define VQGE_CUBICSPLINECURVE3D_H

#include "vqge_splineent3d.h"

class VqGeImpCubicSplineCurve3d;

class VQGE_API VqGeCubicSplineCurve3d : public VqGeSplineEnt3d {
public:
    VqGeCubicSplineCurve3d();
    VqGeCubicSplineCurve3d(const VqGeCubicSplineCurve3d& src) : VqGeSplineEnt3d(src) {}
    // A zero end tangent leaves that end free (zero second derivative there).
    VqGeCubicSplineCurve3d(const VqArray<VqGePoint3d>& fitPoints, const VqGeVector3d& startDeriv,
                           const VqGeVector3d& endDeriv, const VqGeTol& tol = VqGeContext::gTol);
    VqGeCubicSplineCurve3d(const VqArray<VqGePoint3d>& fitPoints,
                           const VqArray<VqGeVector3d>& firstDerivs,
                           const VqGeTol& tol = VqGeContext::gTol);
    // The curve sampled within tol.
    VqGeCubicSplineCurve3d(const VqGeCurve3d& curve, double tol = 1e-6);
    VqGeCubicSplineCurve3d& operator=(const VqGeCubicSplineCurve3d& src) {
        VqGeSplineEnt3d::operator=(src);
        return *this;
    }

    int numFitPoints() const;
    VqGePoint3d fitPointAt(int idx) const;
    // The curve is rebuilt.
    VqGeCubicSplineCurve3d& setFitPointAt(int idx, const VqGePoint3d& point);
    VqGeVector3d firstDerivAt(int idx) const;
    VqGeCubicSplineCurve3d& setFirstDerivAt(int idx, const VqGeVector3d& deriv);

    VqGeImpCubicSplineCurve3d* impCubicSpline() const;
};

#endif
