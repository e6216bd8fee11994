// 2D ray: bounded on one side.
#ifndef VQGE_RAY2D_H
#define VQGE_RAY2D_H

#include "vqge_linearent2d.h"

class VQGE_API VqGeRay2d : public VqGeLinearEnt2d {
public:
    // From the origin along x, bounded below at 0.
    VqGeRay2d();
    VqGeRay2d(const VqGeRay2d& src) : VqGeLinearEnt2d(src) {}
    VqGeRay2d(const VqGePoint2d& pnt, const VqGeVector2d& vec);
    VqGeRay2d(const VqGePoint2d& pnt1, const VqGePoint2d& pnt2);
    VqGeRay2d& operator=(const VqGeRay2d& src) {
        VqGeLinearEnt2d::operator=(src);
        return *this;
    }

    VqGeRay2d& set(const VqGePoint2d& pnt, const VqGeVector2d& vec);
    VqGeRay2d& set(const VqGePoint2d& pnt1, const VqGePoint2d& pnt2);
};

#endif
