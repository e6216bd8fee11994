// 3D ray: bounded on one side.
#ifndef VQGE_RAY3D_H
#define VQGE_RAY3D_H

#include "vqge_linearent3d.h"

class VQGE_API VqGeRay3d : public VqGeLinearEnt3d {
public:
    // From the origin along x, bounded below at 0.
    VqGeRay3d();
    VqGeRay3d(const VqGeRay3d& src) : VqGeLinearEnt3d(src) {}
    // Starts at pnt (parameter 0).
    VqGeRay3d(const VqGePoint3d& pnt, const VqGeVector3d& vec);
    VqGeRay3d(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2);
    VqGeRay3d& operator=(const VqGeRay3d& src) {
        VqGeLinearEnt3d::operator=(src);
        return *this;
    }

    VqGeRay3d& set(const VqGePoint3d& pnt, const VqGeVector3d& vec);
    VqGeRay3d& set(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2);
};

#endif
