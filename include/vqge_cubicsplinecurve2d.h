// Public 2D cubic spline curve: the 3D implementation at z = 0.
#ifndef VQGE_CUBICSPLINECURVE2D_H
#define VQGE_CUBICSPLINECURVE2D_H

#include "vqge_splineent2d.h"

class VqGeImpCubicSplineCurve3d;

class VQGE_API VqGeCubicSplineCurve2d : public VqGeSplineEnt2d {
public:
    VqGeCubicSplineCurve2d();
    VqGeCubicSplineCurve2d(const VqGeCubicSplineCurve2d& src) : VqGeSplineEnt2d(src) {}
    VqGeCubicSplineCurve2d(const VqArray<VqGePoint2d>& fitPoints, const VqGeVector2d& startDeriv,
                           const VqGeVector2d& endDeriv, const VqGeTol& tol = VqGeContext::gTol);
    VqGeCubicSplineCurve2d(const VqArray<VqGePoint2d>& fitPoints,
                           const VqArray<VqGeVector2d>& firstDerivs,
                           const VqGeTol& tol = VqGeContext::gTol);
    VqGeCubicSplineCurve2d& operator=(const VqGeCubicSplineCurve2d& src) {
        VqGeSplineEnt2d::operator=(src);
        return *this;
    }

    int numFitPoints() const;
    VqGePoint2d fitPointAt(int idx) const;
    VqGeCubicSplineCurve2d& setFitPointAt(int idx, const VqGePoint2d& point);
    VqGeVector2d firstDerivAt(int idx) const;
    VqGeCubicSplineCurve2d& setFirstDerivAt(int idx, const VqGeVector2d& deriv);

    VqGeImpCubicSplineCurve3d* impCubicSpline() const;
};

#endif
