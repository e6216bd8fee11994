// Public point on a 2D curve.
#ifndef VQGE_POINTONCURVE2D_H
#define VQGE_POINTONCURVE2D_H

#include "vqge_pointent2d.h"

class VqGeCurve2d;
class VqGeImpPointOnCurve3d;

class VQGE_API VqGePointOnCurve2d : public VqGePointEnt2d {
public:
    // On the x axis line.
    VqGePointOnCurve2d();
    VqGePointOnCurve2d(const VqGeCurve2d& crv);
    VqGePointOnCurve2d(const VqGeCurve2d& crv, double param);
    VqGePointOnCurve2d(const VqGePointOnCurve2d& src) : VqGePointEnt2d(src) {}
    VqGePointOnCurve2d& operator=(const VqGePointOnCurve2d& src) {
        VqGeEntity2d::operator=(src);
        return *this;
    }

    // The curve's 2D wrapper (made on demand); null once the curve was deleted.
    const VqGeCurve2d* curve() const;
    double parameter() const;
    VqGePoint2d point() const;
    VqGePoint2d point(double param);
    VqGePoint2d point(const VqGeCurve2d& crv, double param);
    VqGeVector2d deriv(int order) const;
    VqGeVector2d deriv(int order, double param);
    VqGeVector2d deriv(int order, const VqGeCurve2d& crv, double param);
    VqGePointOnCurve2d& setCurve(const VqGeCurve2d& crv);
    VqGePointOnCurve2d& setParameter(double param);

    VqGeImpPointOnCurve3d* impPointOnCurve() const;
};

#endif
