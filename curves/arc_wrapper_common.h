// Shared steps of the public arc classes: the circle's axes from a normal and a reference
// vector, and the plane and line answers they forward.
#ifndef VQGE_CURVES_ARC_WRAPPER_COMMON_H
#define VQGE_CURVES_ARC_WRAPPER_COMMON_H

#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "surfaces/imp_planar_ent.h"
#include "vqge_point2d.h"

// The reference vector made perpendicular to the normal (a reference vector along the normal
// falls back on the normal's own perpendicular).
inline VqGeVector3d vqArcRefAxis(const VqGeVector3d& nrm, const VqGeVector3d& refVec) {
    const VqGeVector3d unit = nrm.normal(VqGeContext::gTol);
    VqGeVector3d ref = refVec - unit * refVec.dotProduct(unit);
    if (ref.isZeroLength(VqGeContext::gTol)) ref = unit.perpVector();
    return ref.normal(VqGeContext::gTol);
}

inline void vqArcSetCircle(VqGeImpEllipArc3d& imp, const VqGePoint3d& cent,
                           const VqGeVector3d& nrm, const VqGeVector3d& refVec, double radius,
                           double startAngle, double endAngle) {
    const VqGeVector3d major = vqArcRefAxis(nrm, refVec);
    const VqGeVector3d minor = nrm.normal(VqGeContext::gTol).crossProduct(major);
    imp.set(cent, major, minor, radius, radius, startAngle, endAngle);
}

// The arc's point on the closest pair with the plane; the plane's point goes out.
inline VqGePoint3d vqArcClosestToPlane(const VqGeImpEllipArc3d* imp, const VqGeImpPlanarEnt* pln,
                                       VqGePoint3d& pointOnPlane, const VqGeTol& tol) {
    if (!imp || !pln) return VqGePoint3d();
    VqGePoint3d onArc;
    pointOnPlane = pln->closestPointTo(*imp, onArc, tol);
    return onArc;
}

inline int vqArcIntersectPlane(const VqGeImpEllipArc3d* imp, const VqGeImpPlanarEnt* pln,
                               int& numInt, VqGePoint3d& p1, VqGePoint3d& p2,
                               const VqGeTol& tol) {
    numInt = 0;
    if (!imp || !pln) return 0;
    int tangent = 0;
    return imp->intersectWithPlane(*pln, numInt, p1, p2, tangent, tol);
}

inline int vqArcIntersectLine(const VqGeImpEllipArc3d* imp, const VqGeImpLinearEnt3d* line,
                              int& numInt, VqGePoint3d& p1, VqGePoint3d& p2,
                              const VqGeTol& tol) {
    numInt = 0;
    if (!imp || !line) return 0;
    int tangent = 0;
    return imp->intersectWithLine(*line, numInt, p1, p2, tangent, tol);
}

// The 2D form: the points dropped to x and y.
inline int vqArcIntersectLine2d(const VqGeImpEllipArc3d* imp, const VqGeImpLinearEnt3d* line,
                                int& numInt, VqGePoint2d& p1, VqGePoint2d& p2,
                                const VqGeTol& tol) {
    VqGePoint3d q1, q2;
    const int result = vqArcIntersectLine(imp, line, numInt, q1, q2, tol);
    if (numInt > 0) p1 = VqGePoint2d(q1.x, q1.y);
    if (numInt > 1) p2 = VqGePoint2d(q2.x, q2.y);
    return result;
}

#endif
