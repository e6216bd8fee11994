// Public base of the 2D spline curves: knots, control points and what all splines share.
#ifndef VQGE_SPLINEENT2D_H
#define VQGE_SPLINEENT2D_H

#include "vqge_curve2d.h"
#include "vqge_knotvector.h"

class VqGeImpSplineEnt3d;

class VQGE_API VqGeSplineEnt2d : public VqGeCurve2d {
public:
    VqGeSplineEnt2d(const VqGeSplineEnt2d& src) : VqGeCurve2d(src) {}
    VqGeSplineEnt2d& operator=(const VqGeSplineEnt2d& src) {
        VqGeCurve2d::operator=(src);
        return *this;
    }

    int isRational() const;
    int degree() const;
    int order() const;
    int numKnots() const;
    const VqGeKnotVector& knots() const;
    double knotAt(int idx) const;
    VqGeSplineEnt2d& setKnotAt(int idx, double val);
    int numControlPoints() const;
    VqGePoint2d controlPointAt(int idx) const;
    VqGeSplineEnt2d& setControlPointAt(int idx, const VqGePoint2d& pnt);
    int continuityAtKnot(int idx, const VqGeTol& tol = VqGeContext::gTol) const;
    double startParam() const;
    double endParam() const;
    VqGePoint2d startPoint() const;
    VqGePoint2d endPoint() const;

    VqGeImpSplineEnt3d* impSplineEnt() const;

protected:
    VqGeSplineEnt2d() {}
};

#endif
