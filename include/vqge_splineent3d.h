// Public base of the 3D spline curves: knots, control points and what all splines share.
#ifndef VQGE_SPLINEENT3D_H
#define VQGE_SPLINEENT3D_H

#include "vqge_curve3d.h"
#include "vqge_knotvector.h"

class VqGeImpSplineEnt3d;

class VQGE_API VqGeSplineEnt3d : public VqGeCurve3d {
public:
    VqGeSplineEnt3d(const VqGeSplineEnt3d& src) : VqGeCurve3d(src) {}
    VqGeSplineEnt3d& operator=(const VqGeSplineEnt3d& src) {
        VqGeCurve3d::operator=(src);
        return *this;
    }

    int isRational() const;
    int degree() const;
    int order() const;
    int numKnots() const;
    const VqGeKnotVector& knots() const;
    double knotAt(int idx) const;
    VqGeSplineEnt3d& setKnotAt(int idx, double val);
    int numControlPoints() const;
    VqGePoint3d controlPointAt(int idx) const;
    VqGeSplineEnt3d& setControlPointAt(int idx, const VqGePoint3d& pnt);
    // Degree minus the multiplicity of knot idx.
    int continuityAtKnot(int idx, const VqGeTol& tol = VqGeContext::gTol) const;
    double startParam() const;
    double endParam() const;
    VqGePoint3d startPoint() const;
    VqGePoint3d endPoint() const;

    VqGeImpSplineEnt3d* impSplineEnt() const;

protected:
    VqGeSplineEnt3d() {}
};

#endif
