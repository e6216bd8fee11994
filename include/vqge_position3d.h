// A fixed point in space as an entity.
#ifndef VQGE_POSITION3D_H
#define VQGE_POSITION3D_H

#include "vqge_pointent3d.h"

class VQGE_API VqGePosition3d : public VqGePointEnt3d {
public:
    VqGePosition3d();
    VqGePosition3d(const VqGePoint3d& pnt);
    VqGePosition3d(double x, double y, double z);
    VqGePosition3d(const VqGePosition3d& src) : VqGePointEnt3d(src) {}

    VqGePosition3d& set(const VqGePoint3d& pnt);
    VqGePosition3d& set(double x, double y, double z);
    VqGePosition3d& operator=(const VqGePosition3d& src) {
        VqGeEntity3d::operator=(src);
        return *this;
    }
};

#endif
