// Mirroring of entities in a plane (3D) or a line (2D). The mirror plane is a planar
// entity; this file is built with the planar entities when they are part of the library.
#include "entity/imp_entity3d.h"
#include "vqge_entity2d.h"
#include "vqge_entity3d.h"
#include "vqge_matrix3d.h"

#if __has_include("vqge_plane.h") && __has_include("surfaces/imp_planar_ent.h")
#define VQGE_HAVE_PLANES 1
#include "surfaces/imp_planar_ent.h"
#include "vqge_plane.h"
#endif

#if defined(VQGE_HAVE_PLANES) && __has_include("vqge_line2d.h")
#define VQGE_HAVE_LINE2D 1
#include "vqge_line2d.h"
#endif

#ifdef VQGE_HAVE_PLANES

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

#else

// PENDING: the planar entities (VqGePlane, VqGeImpPlanarEnt) are not yet part of the build.
// Until they are, no VqGeImpPlanarEnt can exist, so nothing can reach this slot.
VqGeImpEntity3d& VqGeImpEntity3d::mirror(const VqGeImpPlanarEnt&) { return *this; }

#endif

#ifdef VQGE_HAVE_LINE2D

VqGeEntity2d& VqGeEntity2d::mirror(const VqGeLine2d& line) {
    if (!mImp) return *this;
    const VqGeVector2d d = line.direction();
    const VqGePoint2d p = line.pointOnLine();
    const VqGePlane plane(VqGePoint3d(p.x, p.y, 0.0), VqGeVector3d(-d.y, d.x, 0.0));
    const VqGeImpEntity3d* planeImp = plane.impEntity();
    if (planeImp) mImp->mirror(*static_cast<const VqGeImpPlanarEnt*>(planeImp));
    return *this;
}

#endif
