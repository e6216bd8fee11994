// Implementation object of VqGePosition3d and VqGePosition2d: one point.
#ifndef VQGE_ENTITY_IMP_POSITION3D_H
#define VQGE_ENTITY_IMP_POSITION3D_H

#include "entity/imp_point_ent3d.h"

// Not exported: no extension derives from or receives a position.
class VqGeImpPosition3d : public VqGeImpPointEnt3d {
public:
    VqGeImpPosition3d();
    explicit VqGeImpPosition3d(const VqGePoint3d& pnt);
    VqGeImpPosition3d(double x, double y, double z);
    // Copies the point and the identity; no owner, no links.
    VqGeImpPosition3d(const VqGeImpPosition3d& src) = default;
    // Replaces the point and the identity, then tells the dependants.
    VqGeImpPosition3d& operator=(const VqGeImpPosition3d& src);

    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpPosition3d* copy() const override;
    // Same public type and equal points: a 2D and a 3D position never compare equal.
    int isEqualTo(const VqGeImpEntity3d& other,
                  const VqGeTol& tol = VqGeContext::gTol) const override;
    VqGeImpPosition3d& transformBy(const VqGeMatrix3d& mat) override;
    VqGeImpPosition3d& translateBy(const VqGeVector3d& vec) override;
    VqGePoint3d point() const override { return mPoint; }

    VqGeImpPosition3d& set(const VqGePoint3d& pnt);
    VqGeImpPosition3d& set(double x, double y, double z);

private:
    VqGePoint3d mPoint;
};

#endif
