// Curve base: orthogonal projection onto a plane and the common plane of two curves.
//   o1, o2 the lines' points, d1, d2 their unit directions, eps the point tolerance.
#include <cmath>

#include "curves/imp_curve3d.h"
#include "curves/imp_linear_ent3d.h"
#include "surfaces/imp_planar_ent.h"

VqGeImpEntity3d* VqGeImpCurve3d::orthoProject(const VqGeImpPlanarEnt& pln,
                                              const VqGeTol& tol) const {
    return project(pln, pln.normal(), tol);
}

namespace {
// The whole line lies in the plane: its point on it, its direction across the normal.
int lineOnPlane(const VqGeImpLinearEnt3d& line, const VqGeImpPlanarEnt& pln,
                const VqGeTol& tol) {
    const VqGePoint3d o = line.pointOnLine();
    return pln.closestPointTo(o, tol).isEqualTo(o, tol) &&
           pln.normal().isPerpendicularTo(line.direction(), tol);
}
}  // namespace

int VqGeImpCurve3d::isCoplanarWith(const VqGeImpCurve3d& other, VqGeImpPlanarEnt& pln,
                                   const VqGeTol& tol) const {
    if (entityType() < 0 && other.entityType() < 0) {
        pln.set(VqGePoint3d::kOrigin, VqGeVector3d::kZAxis);
        return 1;
    }
    VqGeImpLinearEnt3d line1, line2;
    const int linear1 = isLinear(line1, tol);
    const int linear2 = other.isLinear(line2, tol);
    if (linear1 && linear2) {
        const double eps = tol.equalPoint();
        const VqGePoint3d o1 = line1.pointOnLine(), o2 = line2.pointOnLine();
        const VqGeVector3d d1 = line1.direction().normal(VqGeContext::gTol);
        const VqGeVector3d d2 = line2.direction().normal(VqGeContext::gTol);
        const VqGeVector3d n = d1.crossProduct(d2);
        const VqGeVector3d gap = o2 - o1;
        if (n.length() >= eps) {
            if (!(std::fabs(gap.dotProduct(n)) < eps)) return 0;
            pln.set(o1, n);
            return 1;
        }
        if (gap.length() >= eps && !d1.isParallelTo(gap, tol))
            pln.set(o1, gap.crossProduct(d1));
        else
            pln.set(o1, d1.perpVector());
        return 1;
    }
    if (linear1 || linear2) {
        const VqGeImpCurve3d& curved = linear1 ? other : *this;
        const VqGeImpLinearEnt3d& line = linear1 ? line1 : line2;
        VqGeImpPlanarEnt found;
        if (!curved.isPlanar(found, tol) || !lineOnPlane(line, found, tol)) return 0;
        pln = found;
        return 1;
    }
    VqGeImpPlanarEnt plane1, plane2;
    if (!isPlanar(plane1, tol) || !other.isPlanar(plane2, tol)) return 0;
    if (!plane1.isCoplanarTo(plane2, tol)) return 0;
    pln = plane1;
    return 1;
}
