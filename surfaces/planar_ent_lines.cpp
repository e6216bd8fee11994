// Public planar entities against linear entities: intersections and closest points whose
// results are lines, rays or segments.
#include "curves/imp_linear_ent3d.h"
#include "surfaces/imp_planar_ent.h"
#include "vqge_boundedplane.h"
#include "vqge_line3d.h"
#include "vqge_linearent3d.h"
#include "vqge_lineseg3d.h"
#include "vqge_plane.h"

namespace {
VqGeImpLinearEnt3d* impOf(const VqGeLinearEnt3d& line) { return line.impLinearEnt(); }
}  // namespace

int VqGePlanarEnt::intersectWith(const VqGeLinearEnt3d& linEnt, VqGePoint3d& pnt,
                                 const VqGeTol& tol) const {
    if (!mImp || !impOf(linEnt)) return 0;
    return impPlanarEnt()->intersectWith(*impOf(linEnt), pnt, tol);
}

VqGePoint3d VqGePlanarEnt::closestPointToLinearEnt(const VqGeLinearEnt3d& line,
                                                   VqGePoint3d& pointOnLine,
                                                   const VqGeTol& tol) const {
    if (!mImp || !impOf(line)) return VqGePoint3d();
    return impPlanarEnt()->closestPointTo(*impOf(line), pointOnLine, tol);
}

int VqGePlanarEnt::isParallelTo(const VqGeLinearEnt3d& linEnt, const VqGeTol& tol) const {
    if (!mImp || !impOf(linEnt)) return 0;
    return impPlanarEnt()->isParallelTo(*impOf(linEnt), tol);
}

int VqGePlanarEnt::isPerpendicularTo(const VqGeLinearEnt3d& linEnt, const VqGeTol& tol) const {
    if (!mImp || !impOf(linEnt)) return 0;
    return impPlanarEnt()->isPerpendicularTo(*impOf(linEnt), tol);
}

int VqGePlane::intersectWith(const VqGePlane& otherPln, VqGeLine3d& resultLine,
                             const VqGeTol& tol) const {
    if (!mImp || !otherPln.impPlanarEnt() || !impOf(resultLine)) return 0;
    return impPlanarEnt()->intersectWith(*otherPln.impPlanarEnt(), *impOf(resultLine), tol);
}

int VqGePlane::intersectWith(const VqGeBoundedPlane& bndPln, VqGeLineSeg3d& resultLineSeg,
                             const VqGeTol& tol) const {
    if (!mImp || !bndPln.impPlanarEnt() || !impOf(resultLineSeg)) return 0;
    return impPlanarEnt()->intersectWith(*bndPln.impPlanarEnt(), *impOf(resultLineSeg), tol);
}

int VqGeBoundedPlane::intersectWith(const VqGePlane& pln, VqGeLineSeg3d& resultLineSeg,
                                    const VqGeTol& tol) const {
    if (!mImp || !pln.impPlanarEnt() || !impOf(resultLineSeg)) return 0;
    return impPlanarEnt()->intersectWith(*pln.impPlanarEnt(), *impOf(resultLineSeg), tol);
}

int VqGeBoundedPlane::intersectWith(const VqGeBoundedPlane& pln, VqGeLineSeg3d& resultLineSeg,
                                    const VqGeTol& tol) const {
    if (!mImp || !pln.impPlanarEnt() || !impOf(resultLineSeg)) return 0;
    return impPlanarEnt()->intersectWith(*pln.impPlanarEnt(), *impOf(resultLineSeg), tol);
}
