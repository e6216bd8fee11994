// Bounded plane: the parallelogram origin + s u + t v for s, t in [0, 1].
#ifndef VQGE_BOUNDEDPLANE_H
#define VQGE_BOUNDEDPLANE_H

#include "vqge_planarent.h"

class VqGeLineSeg3d;
class VqGePlane;

class VQGE_API VqGeBoundedPlane : public VqGePlanarEnt {
public:
    // The unit square of the XY plane's axes, without bounds until a setter bounds it.
    VqGeBoundedPlane();
    VqGeBoundedPlane(const VqGeBoundedPlane& src) : VqGePlanarEnt(src) {}
    VqGeBoundedPlane(const VqGePoint3d& origin, const VqGeVector3d& uVec,
                     const VqGeVector3d& vVec);
    VqGeBoundedPlane(const VqGePoint3d& p1, const VqGePoint3d& origin, const VqGePoint3d& p2);

    using VqGePlanarEnt::intersectWith;
    // The segment (or, for a half-bounded plane, the ray or line) where the two meet.
    int intersectWith(const VqGePlane& pln, VqGeLineSeg3d& resultLineSeg,
                      const VqGeTol& tol = VqGeContext::gTol) const;
    int intersectWith(const VqGeBoundedPlane& pln, VqGeLineSeg3d& resultLineSeg,
                      const VqGeTol& tol = VqGeContext::gTol) const;

    VqGeBoundedPlane& set(const VqGePoint3d& origin, const VqGeVector3d& uVec,
                          const VqGeVector3d& vVec);
    VqGeBoundedPlane& set(const VqGePoint3d& p1, const VqGePoint3d& origin,
                          const VqGePoint3d& p2);
    VqGeBoundedPlane& operator=(const VqGeBoundedPlane& src) {
        VqGeEntity3d::operator=(src);
        return *this;
    }
};

#endif
