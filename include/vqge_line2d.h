// Unbounded 2D line.
#ifndef VQGE_LINE2D_H
#define VQGE_LINE2D_H

#include "vqge_linearent2d.h"

class VQGE_API VqGeLine2d : public VqGeLinearEnt2d {
public:
    // Unbounded lines through the origin along the unit axis vectors.
    static const VqGeLine2d kXAxis;
    static const VqGeLine2d kYAxis;

    // Through the origin along x.
    VqGeLine2d();
    VqGeLine2d(const VqGeLine2d& src) : VqGeLinearEnt2d(src) {}
    VqGeLine2d(const VqGePoint2d& pnt, const VqGeVector2d& vec);
    VqGeLine2d(const VqGePoint2d& pnt1, const VqGePoint2d& pnt2);
    VqGeLine2d& operator=(const VqGeLine2d& src) {
        VqGeLinearEnt2d::operator=(src);
        return *this;
    }

    VqGeLine2d& set(const VqGePoint2d& pnt, const VqGeVector2d& vec);
    VqGeLine2d& set(const VqGePoint2d& pnt1, const VqGePoint2d& pnt2);
};

#endif
