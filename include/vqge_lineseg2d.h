// 2D line segment over the parameters [0, 1] unless its interval was changed.
#ifndef VQGE_LINESEG2D_H
#define VQGE_LINESEG2D_H

#include "vqge_linearent2d.h"

class VQGE_API VqGeLineSeg2d : public VqGeLinearEnt2d {
public:
    // From the origin to (1, 0).
    VqGeLineSeg2d();
    VqGeLineSeg2d(const VqGeLineSeg2d& src) : VqGeLinearEnt2d(src) {}
    VqGeLineSeg2d(const VqGePoint2d& pnt, const VqGeVector2d& vec);
    VqGeLineSeg2d(const VqGePoint2d& pnt1, const VqGePoint2d& pnt2);
    VqGeLineSeg2d& operator=(const VqGeLineSeg2d& src) {
        VqGeLinearEnt2d::operator=(src);
        return *this;
    }

    VqGeLineSeg2d& set(const VqGePoint2d& pnt, const VqGeVector2d& vec);
    VqGeLineSeg2d& set(const VqGePoint2d& pnt1, const VqGePoint2d& pnt2);
    // As the 3D forms: the segment tangent to two curves, or from pnt touching a curve.
    VqGeLineSeg2d& set(const VqGeCurve2d& curve1, const VqGeCurve2d& curve2, double& param1,
                       double& param2, int& success);
    VqGeLineSeg2d& set(const VqGeCurve2d& curve, const VqGePoint2d& pnt, double& param,
                       int& success);

    // The unbounded line through the midpoint with the direction turned a quarter left.
    void getBisector(VqGeLine2d& line) const;
    VqGePoint2d baryComb(double blendCoeff) const;
    VqGePoint2d startPoint() const;
    VqGePoint2d midPoint() const;
    VqGePoint2d endPoint() const;
    using VqGeCurve2d::length;
    double length() const;
};

#endif
