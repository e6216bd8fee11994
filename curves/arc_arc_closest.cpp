// Elliptic arc against another elliptic arc: the closest pair of points.
//
// Outcomes (two coplanar circular arcs): a crossing of the two circles on both arcs (distance
// 0); a pair on the line of the centres, each point on its arc; a pair with an end point of
// either arc. The nearest wins, crossings first. Concentric arcs are decided by their end
// points. Any other pair of arcs is handed to the generic closest points of two curves.
//
// Notation: c1, R1 and c2, R2 the centres and radii, u the unit vector from c1 to c2. The
// stationary pairs of two coplanar circles are their crossings and the four pairs
// (c1 ± R1 u, c2 ± R2 u); all four are tried, so arcs of crossing circles whose crossings lie
// off the arcs still find their nearest interior pair.
#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "surfaces/imp_planar_ent.h"

void VqGeImpEllipArc3d::getClosestPointToArc(const VqGeImpEllipArc3d& arc,
                                             VqGeImpPointOnCurve3d& pntOnThis,
                                             VqGeImpPointOnCurve3d& pntOnOther,
                                             const VqGeTol& tol) const {
    VqGeImpPlanarEnt common;
    if (!isCircular(tol) || !arc.isCircular(tol) || !isCoplanarWith(arc, common, tol)) {
        VqGeImpCurve3d::getClosestPointTo(arc, pntOnThis, pntOnOther, tol);
        return;
    }
    pntOnThis.setCurve(this);
    pntOnOther.setCurve(&arc);
    VqGePoint3d p1, p2;
    double t1 = mStartParam, t2 = arc.mStartParam;
    if (mCenter.isEqualTo(arc.mCenter, tol)) {
        if (boundaryClosestPoints(arc, p1, p2, t1, t2, tol)) {
            setPoint(pntOnThis, t1, p1);
            setPoint(pntOnOther, t2, p2);
        }
        return;
    }
    VqGeImpEllipArc3d full1(*this), full2(arc);
    full1.mEndParam = full1.mStartParam + kTwoPi;
    full2.mEndParam = full2.mStartParam + kTwoPi;
    int num = 0, tangent = 0;
    VqGePoint3d x1, x2;
    full1.intersectWithArc(full2, num, x1, x2, tangent, tol);
    const VqGePoint3d crossings[2] = {x1, x2};
    for (int i = 0; i < num; ++i) {
        if (!isWithinBounds(crossings[i], tol) || !arc.isWithinBounds(crossings[i], tol)) continue;
        setPoint(pntOnThis, paramOf(crossings[i], tol), crossings[i]);
        setPoint(pntOnOther, arc.paramOf(crossings[i], tol), crossings[i]);
        return;
    }
    const VqGeVector3d u = (arc.mCenter - mCenter).normal(VqGeContext::gTol);
    int found = 0;
    double best = 0.0;
    for (int i = 0; i < 4; ++i) {
        const VqGePoint3d q1 = mCenter + u * (i & 1 ? -mMajorRadius : mMajorRadius);
        const VqGePoint3d q2 = arc.mCenter + u * (i & 2 ? arc.mMajorRadius : -arc.mMajorRadius);
        if (!isWithinBounds(q1, tol) || !arc.isWithinBounds(q2, tol)) continue;
        const double dist = q1.distanceTo(q2);
        if (found && !(dist < best)) continue;
        found = 1;
        best = dist;
        p1 = q1;
        p2 = q2;
    }
    VqGePoint3d b1, b2;
    double s1, s2;
    if (boundaryClosestPoints(arc, b1, b2, s1, s2, tol) && (!found || b1.distanceTo(b2) < best)) {
        setPoint(pntOnThis, s1, b1);
        setPoint(pntOnOther, s2, b2);
        return;
    }
    if (!found) return;
    setPoint(pntOnThis, paramOf(p1, tol), p1);
    setPoint(pntOnOther, arc.paramOf(p2, tol), p2);
}
