// Public base of the 2D point entities.
#ifndef VQGE_POINTENT2D_H
#define VQGE_POINTENT2D_H

#include "vqge_entity2d.h"
#include "vqge_point2d.h"

class VQGE_API VqGePointEnt2d : public VqGeEntity2d {
public:
    // x and y of the served point; the origin when the wrapper has no object.
    VqGePoint2d point2d() const;
    operator VqGePoint2d() const { return point2d(); }

protected:
    VqGePointEnt2d() {}
    explicit VqGePointEnt2d(VqGeImpEntity3d* imp) : VqGeEntity2d(imp) {}
    VqGePointEnt2d(VqGeImpEntity3d& imp, int borrow) : VqGeEntity2d(imp, borrow) {}
    VqGePointEnt2d(const VqGePointEnt2d& src) : VqGeEntity2d(src) {}
};

#endif
