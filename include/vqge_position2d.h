// A fixed point in the plane as an entity; served with z = 0.
#ifndef VQGE_POSITION2D_H
#define VQGE_POSITION2D_H

#include "vqge_pointent2d.h"

class VQGE_API VqGePosition2d : public VqGePointEnt2d {
public:
    VqGePosition2d();
    VqGePosition2d(const VqGePoint2d& pnt);
    VqGePosition2d(double x, double y);
    VqGePosition2d(const VqGePosition2d& src) : VqGePointEnt2d(src) {}

    VqGePosition2d& set(const VqGePoint2d& pnt);
    VqGePosition2d& set(double x, double y);
    VqGePosition2d& operator=(const VqGePosition2d& src) {
        VqGeEntity2d::operator=(src);
        return *this;
    }
};

#endif
