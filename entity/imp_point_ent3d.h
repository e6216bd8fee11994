// Implementation base of the point entities (positions, points on curves and surfaces).
#ifndef VQGE_ENTITY_IMP_POINT_ENT3D_H
#define VQGE_ENTITY_IMP_POINT_ENT3D_H

#include "entity/imp_entity3d.h"

class VQGE_API VqGeImpPointEnt3d : public VqGeImpEntity3d {
public:
    // This level accepts kPointEnt2d or kPointEnt3d, then asks the entity level.
    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    // The point equals point() within tol.
    int isOn(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const override;

    // Slot 17.
    virtual VqGePoint3d point() const = 0;

protected:
    explicit VqGeImpPointEnt3d(VqGe::EntityId id = VqGe::kPointEnt3d) : VqGeImpEntity3d(id) {}
    VqGeImpPointEnt3d(const VqGeImpPointEnt3d& src) = default;
    VqGeImpPointEnt3d& operator=(const VqGeImpPointEnt3d& src) = default;
};

#endif
