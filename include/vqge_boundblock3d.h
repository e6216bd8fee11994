// Public 3D bounding block: an axis-aligned box or a parallelepiped.
#ifndef VQGE_BOUNDBLOCK3D_H
#define VQGE_BOUNDBLOCK3D_H

#include "vqge_entity3d.h"

class VqGeImpBoundBlock3d;

class VQGE_API VqGeBoundBlock3d : public VqGeEntity3d {
public:
    // Flat block at the origin (all edges zero), not a box.
    VqGeBoundBlock3d();
    VqGeBoundBlock3d(const VqGeBoundBlock3d& src);
    VqGeBoundBlock3d(const VqGePoint3d& base, const VqGeVector3d& dir1, const VqGeVector3d& dir2,
                     const VqGeVector3d& dir3);

    // Box of two opposite corners, in any order.
    VqGeBoundBlock3d& set(const VqGePoint3d& point1, const VqGePoint3d& point2);
    VqGeBoundBlock3d& set(const VqGePoint3d& base, const VqGeVector3d& dir1,
                          const VqGeVector3d& dir2, const VqGeVector3d& dir3);
    void get(VqGePoint3d& base, VqGeVector3d& dir1, VqGeVector3d& dir2,
             VqGeVector3d& dir3) const;
    void getMinMaxPoints(VqGePoint3d& point1, VqGePoint3d& point2) const;
    VqGeBoundBlock3d& extend(const VqGePoint3d& point);
    VqGeBoundBlock3d& swell(double distance);
    // Within the global point tolerance.
    int contains(const VqGePoint3d& point) const;
    int isDisjoint(const VqGeBoundBlock3d& block) const;
    VqGeBoundBlock3d& operator=(const VqGeBoundBlock3d& block);
    int isBox() const;
    VqGeBoundBlock3d& setToBox(int toBox);

private:
    friend class VqGeImpBoundBlock3d;
    VqGeImpBoundBlock3d* imp() const;
};

#endif
