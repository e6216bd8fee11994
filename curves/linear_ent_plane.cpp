// Linear entities against planes: intersection, lying on, parallel and perpendicular tests,
// and the planes a line or segment defines.
#include "curves/imp_linear_ent3d.h"
#include "surfaces/imp_planar_ent.h"
#include "vqge_linearent3d.h"
#include "vqge_lineseg3d.h"
#include "vqge_planarent.h"
#include "vqge_plane.h"

int VqGeLinearEnt3d::intersectWith(const VqGePlanarEnt& plane, VqGePoint3d& intPnt,
                                   const VqGeTol& tol) const {
    if (!impLinearEnt() || !plane.impPlanarEnt()) return 0;
    return plane.impPlanarEnt()->intersectWith(*impLinearEnt(), intPnt, tol);
}

// The whole entity lies in the plane: its point on it and its direction across the normal.
int VqGeLinearEnt3d::isOn(const VqGePlane& plane, const VqGeTol& tol) const {
    const VqGeImpLinearEnt3d* line = impLinearEnt();
    const VqGeImpPlanarEnt* pln = plane.impPlanarEnt();
    if (!line || !pln) return 0;
    return pln->isOn(line->pointOnLine(), tol) && pln->isParallelTo(*line, tol);
}

int VqGeLinearEnt3d::isParallelTo(const VqGePlanarEnt& plane, const VqGeTol& tol) const {
    if (!impLinearEnt() || !plane.impPlanarEnt()) return 0;
    return plane.impPlanarEnt()->isParallelTo(*impLinearEnt(), tol);
}

int VqGeLinearEnt3d::isPerpendicularTo(const VqGePlanarEnt& plane, const VqGeTol& tol) const {
    if (!impLinearEnt() || !plane.impPlanarEnt()) return 0;
    return plane.impPlanarEnt()->isPerpendicularTo(*impLinearEnt(), tol);
}

void VqGeLinearEnt3d::getPerpPlane(const VqGePoint3d& pnt, VqGePlane& plane) const {
    if (impLinearEnt()) plane.set(pnt, impLinearEnt()->direction());
}

void VqGeLineSeg3d::getBisector(VqGePlane& plane) const {
    if (impLinearEnt()) plane.set(impLinearEnt()->midPoint(), impLinearEnt()->direction());
}
