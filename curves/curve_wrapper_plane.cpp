// Public curves against planes and lines: projection onto a plane, the curve's own plane or
// line, and the plane two curves share.
#include "curves/imp_curve3d.h"
#include "curves/imp_linear_ent3d.h"
#include "surfaces/imp_planar_ent.h"
#include "vqge_curve2d.h"
#include "vqge_curve3d.h"
#include "vqge_plane.h"

namespace {
VqGeImpPlanarEnt* impOf(const VqGePlane& pln) { return pln.impPlanarEnt(); }
}  // namespace

// The new entity (a curve, or a position when the curve projects to a point) is owned by the
// caller; null when there is no projection or memory ran out.
VqGeEntity3d* VqGeCurve3d::project(const VqGePlane& projectionPlane,
                                   const VqGeVector3d& projectDirection,
                                   const VqGeTol& tol) const {
    if (!impCurve() || !impOf(projectionPlane)) return nullptr;
    VqGeImpEntity3d* imp = impCurve()->project(*impOf(projectionPlane), projectDirection, tol);
    if (!imp) return nullptr;
    VqGeEntity3d* result = newEntity3d(imp);
    if (!result) delete imp;
    return result;
}

VqGeEntity3d* VqGeCurve3d::orthoProject(const VqGePlane& projectionPlane,
                                        const VqGeTol& tol) const {
    if (!impCurve() || !impOf(projectionPlane)) return nullptr;
    VqGeImpEntity3d* imp = impCurve()->orthoProject(*impOf(projectionPlane), tol);
    if (!imp) return nullptr;
    VqGeEntity3d* result = newEntity3d(imp);
    if (!result) delete imp;
    return result;
}

int VqGeCurve3d::isPlanar(VqGePlane& plane, const VqGeTol& tol) const {
    if (!impCurve() || !impOf(plane)) return 0;
    return impCurve()->isPlanar(*impOf(plane), tol);
}

int VqGeCurve3d::isCoplanarWith(const VqGeCurve3d& curve, VqGePlane& plane,
                                const VqGeTol& tol) const {
    if (!impCurve() || !curve.impCurve() || !impOf(plane)) return 0;
    return impCurve()->isCoplanarWith(*curve.impCurve(), *impOf(plane), tol);
}

#include "vqge_line3d.h"

int VqGeCurve3d::isLinear(VqGeLine3d& line, const VqGeTol& tol) const {
    VqGeImpEntity3d* lineImp = line.impEntity();
    if (!impCurve() || !lineImp) return 0;
    return impCurve()->isLinear(*static_cast<VqGeImpLinearEnt3d*>(lineImp), tol);
}

#include "vqge_line2d.h"

int VqGeCurve2d::isLinear(VqGeLine2d& line, const VqGeTol& tol) const {
    VqGeImpEntity3d* lineImp = line.impEntity();
    if (!impCurve() || !lineImp) return 0;
    return impCurve()->isLinear(*static_cast<VqGeImpLinearEnt3d*>(lineImp), tol);
}

