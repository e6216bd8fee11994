// 3D line segment over the parameters [0, 1] unless its interval was changed.
#ifndef VQGE_LINESEG3D_H
#define VQGE_LINESEG3D_H

#include "vqge_linearent3d.h"

class VQGE_API VqGeLineSeg3d : public VqGeLinearEnt3d {
public:
    // From the origin to (1, 0, 0).
    VqGeLineSeg3d();
    VqGeLineSeg3d(const VqGeLineSeg3d& src) : VqGeLinearEnt3d(src) {}
    // From pnt to pnt + vec.
    VqGeLineSeg3d(const VqGePoint3d& pnt, const VqGeVector3d& vec);
    VqGeLineSeg3d(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2);
    VqGeLineSeg3d& operator=(const VqGeLineSeg3d& src) {
        VqGeLinearEnt3d::operator=(src);
        return *this;
    }

    VqGeLineSeg3d& set(const VqGePoint3d& pnt, const VqGeVector3d& vec);
    VqGeLineSeg3d& set(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2);
    // The segment tangent to both curves; param1, param2 in: start values, out: the
    // tangency parameters. success is 0 when the iteration does not settle.
    VqGeLineSeg3d& set(const VqGeCurve3d& curve1, const VqGeCurve3d& curve2, double& param1,
                       double& param2, int& success);
    // The segment from pnt touching a planar curve; param in: the reference, out: the
    // tangency parameter. success is 0 when the curve is not planar, pnt is off its plane,
    // or no tangent is found.
    VqGeLineSeg3d& set(const VqGeCurve3d& curve, const VqGePoint3d& pnt, double& param,
                       int& success);

    // The plane through the midpoint with the direction as normal.
    void getBisector(VqGePlane& plane) const;
    VqGePoint3d baryComb(double blendCoeff) const;
    VqGePoint3d startPoint() const;
    VqGePoint3d midPoint() const;
    VqGePoint3d endPoint() const;
    using VqGeCurve3d::length;
    double length() const;
};

#endif
