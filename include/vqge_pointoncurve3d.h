// Public point on a 3D curve: a parameter on a curve, evaluated on demand.
#ifndef VQGE_POINTONCURVE3D_H
#define VQGE_POINTONCURVE3D_H

#include "vqge_pointent3d.h"

class VqGeCurve3d;
class VqGeImpPointOnCurve3d;

class VQGE_API VqGePointOnCurve3d : public VqGePointEnt3d {
public:
    // On the x axis line.
    VqGePointOnCurve3d();
    VqGePointOnCurve3d(const VqGeCurve3d& crv);
    VqGePointOnCurve3d(const VqGeCurve3d& crv, double param);
    VqGePointOnCurve3d(const VqGePointOnCurve3d& src) : VqGePointEnt3d(src) {}
    VqGePointOnCurve3d& operator=(const VqGePointOnCurve3d& src) {
        VqGeEntity3d::operator=(src);
        return *this;
    }

    // The curve's public wrapper (made on demand); null once the curve was deleted.
    const VqGeCurve3d* curve() const;
    double parameter() const;
    VqGePoint3d point() const;
    VqGePoint3d point(double param);
    VqGePoint3d point(const VqGeCurve3d& crv, double param);
    VqGeVector3d deriv(int order) const;
    VqGeVector3d deriv(int order, double param);
    VqGeVector3d deriv(int order, const VqGeCurve3d& crv, double param);
    VqGePointOnCurve3d& setCurve(const VqGeCurve3d& crv);
    VqGePointOnCurve3d& setParameter(double param);

    VqGeImpPointOnCurve3d* impPointOnCurve() const;
};

#endif
