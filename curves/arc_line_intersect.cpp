// Elliptic arc against a linear entity: the crossing points, directly and as seen along a
// projection direction.
//
// Outcomes of intersectWithLine: no point; one point (a crossing, or a touch flagged as
// tangent: the line is tangent to the ellipse within tolerance, e.g. an arc continuing a
// segment); two crossing points. A point counts when it lies on the arc's range (or at one of
// its ends within tolerance) and on the linear entity's range (or at one of its ends). An end
// of either curve within the effective point tolerance of the other is a point of the pair
// (curves/curve_end_joints.h): a solved point near it snaps to it, else it is added.
// Outcomes of projIntersectWith: no point, or one or two pairs (a point on the arc and the
// point of the linear entity seen behind it along the direction).
//
// Notation: d the line direction, o its origin, n the arc normal. The line is cut out by a
// plane through o that contains d: normal (−d.y, d.x, 0) in the plane z = 0, d × n when the
// line crosses the arc's plane at an angle, d × (o − center) when it runs along n.
#include <cmath>

#include "curves/curve_end_joints.h"
#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "surfaces/imp_planar_ent.h"

namespace {
int isFlat(const VqGePoint3d& p) { return p.z == 0.0; }
int isFlat(const VqGeVector3d& v) { return v.z == 0.0; }
}  // namespace

int VqGeImpEllipArc3d::intersectWithLine(const VqGeImpLinearEnt3d& line, int& numInt,
                                         VqGePoint3d& p1, VqGePoint3d& p2, int& tangentFlag,
                                         const VqGeTol& tol) const {
    numInt = 0;
    tangentFlag = 0;
    const VqGeVector3d d = line.direction();
    const VqGePoint3d o = line.pointOnLine();
    if (d.isZeroLength(VqGeContext::gTol)) return 0;
    const int planar = isFlat(o) && isFlat(d) && isFlat(mCenter) && isFlat(mMajorAxis) &&
                       isFlat(mMinorAxis);
    const VqGeVector3d n = normal();
    VqGeVector3d cut;
    if (planar) {
        cut = VqGeVector3d(-d.y, d.x, 0.0);
    } else if (n.isParallelTo(d, tol)) {
        VqGeImpLinearEnt3d axis(o, d, 0, 0);
        if (axis.isOn(mCenter, tol)) return 0;
        cut = d.crossProduct(o - mCenter);
    } else {
        cut = d.crossProduct(n);
    }
    const double len = cut.length();
    if (!(len > 0.0)) return 0;
    const double slack = roundingTol(tol);
    VqGeTol wide(tol);
    wide.setEqualPoint(slack);
    double params[2];
    int tangent = 0;
    VqGePoint3d pts[2];
    const int num = planeParams(cut / len, o, params, pts, tangent, slack);
    VqGePoint3d* out[2] = {&p1, &p2};
    VqGePoint3d found[2];
    for (int i = 0; i < num; ++i) {
        double t = params[i];
        const VqGePoint3d& pnt = pts[i];
        if (!rangeWrap(mStartParam, mEndParam, t) && !isWithinBounds(pnt, wide)) continue;
        if (planar ? !line.isWithinBounds(pnt, wide) : !line.isOn(pnt, wide)) continue;
        found[numInt++] = pnt;
    }
    numInt = addEndJoints(line, found, numInt, tol);
    for (int i = 0; i < numInt; ++i) *out[i] = found[i];
    tangentFlag = numInt > 0 ? tangent : 0;
    return numInt > 0;
}

int VqGeImpEllipArc3d::addEndJoints(const VqGeImpLinearEnt3d& line, VqGePoint3d found[2],
                                    int num, const VqGeTol& tol) const {
    VqGeCurveEnds mine, theirs;
    mine.add(startPoint());
    mine.add(endPoint());
    const VqGeImpInterval& iv = line.interval();
    if (iv.isBoundedBelow()) theirs.add(line.startPoint());
    if (iv.isBoundedAbove()) theirs.add(line.endPoint());
    VqGeTolScale scale(tol);
    scale.add(mCenter).add(mine.pnt[0]).add(mine.pnt[1]).add(line.pointOnLine());
    for (int i = 0; i < theirs.num; ++i) scale.add(theirs.pnt[i]);
    if (!scale.isFinite()) return num;
    const double eps = scale.pointTol();
    return vqgeAddEndJoints(*this, mine, line, theirs, eps, jointReach(eps), found, num,
                            scale.tol());
}

double VqGeImpEllipArc3d::jointReach(double eps) const {
    const double rho = mMinorRadius > 0.0 ? mMajorRadius * mMajorRadius / mMinorRadius : 0.0;
    const double reach = std::sqrt(2.0 * rho * eps);
    return std::isfinite(reach) && reach > eps ? reach : eps;
}

int VqGeImpEllipArc3d::projIntersectWith(const VqGeImpLinearEnt3d& line,
                                         const VqGeVector3d& projDir, int& numInt,
                                         VqGePoint3d& pntOnArc1, VqGePoint3d& pntOnArc2,
                                         VqGePoint3d& pntOnLine1, VqGePoint3d& pntOnLine2,
                                         const VqGeTol& tol) const {
    numInt = 0;
    int tangent = 0;
    const VqGeVector3d d = line.direction();
    if (d.isParallelTo(projDir, VqGeContext::gTol)) {
        VqGeImpLinearEnt3d unbounded;
        line.getLine(unbounded);
        intersectWithLine(unbounded, numInt, pntOnArc1, pntOnArc2, tangent, tol);
        pntOnLine1 = pntOnLine2 = line.pointOnLine();
        return numInt > 0;
    }
    const VqGeImpPlanarEnt sight(line.pointOnLine(), d.crossProduct(projDir));
    VqGeImpPlanarEnt own;
    getPlane(own);
    VqGeImpLinearEnt3d common;
    if (!sight.intersectWith(own, common, tol)) return 0;
    VqGePoint3d a[2];
    int num = 0;
    if (!intersectWithLine(common, num, a[0], a[1], tangent, tol)) return 0;
    VqGePoint3d onArc[2], onLine[2];
    for (int i = num - 1; i >= 0; --i) {
        const VqGeImpLinearEnt3d ray(a[i], projDir, 0, 0);
        VqGePoint3d hit;
        if (!line.intersectWithLine(ray, hit, tol)) continue;
        onArc[numInt] = a[i];
        onLine[numInt++] = hit;
    }
    // The second arc point was tried first; keep the arc's order in the output.
    if (numInt == 2) {
        pntOnArc1 = onArc[1], pntOnLine1 = onLine[1];
        pntOnArc2 = onArc[0], pntOnLine2 = onLine[0];
    } else if (numInt == 1) {
        pntOnArc1 = onArc[0], pntOnLine1 = onLine[0];
    }
    return numInt > 0;
}
