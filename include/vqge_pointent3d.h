// Public base of the 3D point entities.
#ifndef VQGE_POINTENT3D_H
#define VQGE_POINTENT3D_H

#include "vqge_entity3d.h"
#include "vqge_point3d.h"

class VQGE_API VqGePointEnt3d : public VqGeEntity3d {
public:
    // The origin when the wrapper has no object (its construction ran out of memory).
    VqGePoint3d point3d() const;
    operator VqGePoint3d() const { return point3d(); }

protected:
    VqGePointEnt3d() {}
    explicit VqGePointEnt3d(VqGeImpEntity3d* imp) : VqGeEntity3d(imp) {}
    VqGePointEnt3d(VqGeImpEntity3d& imp, int borrow) : VqGeEntity3d(imp, borrow) {}
    VqGePointEnt3d(const VqGePointEnt3d& src) : VqGeEntity3d(src) {}
};

#endif
