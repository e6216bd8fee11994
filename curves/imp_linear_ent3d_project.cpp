// Linear entity against planes: projection along a direction, the entity's own plane, and the
// plane of a planar curve for the tangent construction.
#include "curves/imp_linear_ent3d.h"
#include "entity/imp_position3d.h"
#include "surfaces/imp_planar_ent.h"

// A direction parallel to the plane has no projection (the result would not be finite).
VqGeImpEntity3d* VqGeImpLinearEnt3d::project(const VqGeImpPlanarEnt& pln, const VqGeVector3d& dir,
                                             const VqGeTol& tol) const {
    const VqGeVector3d n = pln.normal();
    const double across = dir.dotProduct(n);
    if (across == 0.0) return nullptr;
    const VqGePoint3d origin =
        mOrigin - dir * ((mOrigin - pln.pointOnPlane()).dotProduct(n) / across);
    if (dir.isParallelTo(mDirection, tol)) {
        VqGeImpPosition3d* pos = new VqGeImpPosition3d(origin);
        if (pos) setEntityType(*pos, VqGe::kPosition3d, VqGe::kPosition2d);
        return pos;
    }
    const VqGeVector3d vec = mDirection - dir * (mDirection.dotProduct(n) / across);
    const int below = mInterval.isBoundedBelow(), above = mInterval.isBoundedAbove();
    VqGeImpLinearEnt3d* line = new VqGeImpLinearEnt3d(origin, vec, below, above);
    if (!line) return nullptr;
    if (below && above)
        setEntityType(*line, VqGe::kLineSeg3d, VqGe::kLineSeg2d);
    else if (below || above)
        setEntityType(*line, VqGe::kRay3d, VqGe::kRay2d);
    else
        setEntityType(*line, VqGe::kLine3d, VqGe::kLine2d);
    return line;
}

int VqGeImpLinearEnt3d::isPlanar(VqGeImpPlanarEnt& pln, const VqGeTol&) const {
    pln.set(mOrigin, mDirection.perpVector());
    return 1;
}

// A curve serving a 2D wrapper lies in the XY plane by construction.
int VqGeImpLinearEnt3d::curvePlane(const VqGeImpCurve3d& crv, VqGePoint3d& pnt,
                                   VqGeVector3d& normal) {
    if (crv.entityType() < 0) {
        pnt = VqGePoint3d(0, 0, 0);
        normal = VqGeVector3d(0, 0, 1);
        return 1;
    }
    VqGeImpPlanarEnt pln;
    if (!crv.isPlanar(pln, VqGeContext::gTol)) return 0;
    pnt = pln.pointOnPlane();
    normal = pln.normal();
    return 1;
}
