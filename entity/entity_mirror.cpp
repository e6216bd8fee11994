// Mirroring of entities in a plane (3D) or a line (2D). The mirror plane is a planar
// entity.
#include "entity/imp_entity3d.h"
#include "vqge_entity2d.h"
#include "vqge_entity3d.h"
#include "vqge_matrix3d.h"

#include "surfaces/imp_planar_ent.h"
#include "vqge_plane.h"

#include "vqge_line2d.h"

VqGeImpEntity3d& VqGeImpEntity3d::mirror(const VqGeImpPlanarEnt& pln) {
    // A borrowing handle is all a VqGePlane is; it does not displace the plane's own wrapper.
    const VqGeImpEntity3d& planeImp = pln;
    VqGeEntity3d handle(const_cast<VqGeImpEntity3d&>(planeImp), 1);
    const VqGePlane& plane = static_cast<const VqGePlane&>(handle);
    return transformBy(VqGeMatrix3d::mirroring(plane));
}

VqGeEntity3d& VqGeEntity3d::mirror(const VqGePlane& pln) {
    const VqGeImpEntity3d* planeImp = pln.impEntity();
    if (mImp && planeImp) mImp->mirror(*static_cast<const VqGeImpPlanarEnt*>(planeImp));
    return *this;
}

VqGeEntity2d& VqGeEntity2d::mirror(const VqGeLine2d& line) {
    if (!mImp) return *this;
    const VqGeVector2d d = line.direction();
    const VqGePoint2d p = line.pointOnLine();
    const VqGePlane plane(VqGePoint3d(p.x, p.y, 0.0), VqGeVector3d(-d.y, d.x, 0.0));
    const VqGeImpEntity3d* planeImp = plane.impEntity();
    if (planeImp) mImp->mirror(*static_cast<const VqGeImpPlanarEnt*>(planeImp));
    return *this;
}

