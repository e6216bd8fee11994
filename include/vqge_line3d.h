// Unbounded 3D line.
#ifndef VQGE_LINE3D_H
#define VQGE_LINE3D_H

#include "vqge_linearent3d.h"

class VQGE_API VqGeLine3d : public VqGeLinearEnt3d {
public:
    // Unbounded lines through the origin along the unit axis vectors.
    static const VqGeLine3d kXAxis;
    static const VqGeLine3d kYAxis;
    static const VqGeLine3d kZAxis;

    // Through the origin along x.
    VqGeLine3d();
    VqGeLine3d(const VqGeLine3d& src) : VqGeLinearEnt3d(src) {}
    VqGeLine3d(const VqGePoint3d& pnt, const VqGeVector3d& vec);
    VqGeLine3d(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2);
    VqGeLine3d& operator=(const VqGeLine3d& src) {
        VqGeLinearEnt3d::operator=(src);
        return *this;
    }

    VqGeLine3d& set(const VqGePoint3d& pnt, const VqGeVector3d& vec);
    VqGeLine3d& set(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2);
};

#endif
