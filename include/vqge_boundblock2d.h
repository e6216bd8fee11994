// Public 2D bounding block: the 3D block with z = 0 and the third edge zero.
#ifndef VQGE_BOUNDBLOCK2D_H
#define VQGE_BOUNDBLOCK2D_H

#include "vqge_entity2d.h"

class VqGeImpBoundBlock3d;

class VQGE_API VqGeBoundBlock2d : public VqGeEntity2d {
public:
    VqGeBoundBlock2d();
    VqGeBoundBlock2d(const VqGeBoundBlock2d& src);
    VqGeBoundBlock2d(const VqGePoint2d& base, const VqGeVector2d& dir1, const VqGeVector2d& dir2);

    VqGeBoundBlock2d& set(const VqGePoint2d& point1, const VqGePoint2d& point2);
    VqGeBoundBlock2d& set(const VqGePoint2d& base, const VqGeVector2d& dir1,
                          const VqGeVector2d& dir2);
    void get(VqGePoint2d& base, VqGeVector2d& dir1, VqGeVector2d& dir2) const;
    void getMinMaxPoints(VqGePoint2d& point1, VqGePoint2d& point2) const;
    VqGeBoundBlock2d& extend(const VqGePoint2d& point);
    VqGeBoundBlock2d& swell(double distance);
    int contains(const VqGePoint2d& point) const;
    int isDisjoint(const VqGeBoundBlock2d& block) const;
    VqGeBoundBlock2d& operator=(const VqGeBoundBlock2d& block);
    int isBox() const;
    VqGeBoundBlock2d& setToBox(int toBox);

private:
    VqGeImpBoundBlock3d* imp() const;
};

#endif
