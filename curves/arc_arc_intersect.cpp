// Circular arc against another circular arc: the crossing points.
//
// Outcomes: no point; one point (a crossing, or a touch flagged as tangent: the circles are
// tangent within tolerance, e.g. an arc continuing another tangentially); two crossing
// points. An end of either arc within the effective point tolerance of the other is a point of
// the pair (curves/curve_end_joints.h): a solved crossing near it snaps to it, else it is
// added. Concentric arcs on one circle report the points where their common part shrinks to
// a point (their end-to-end joints) and no point for a common stretch; concentric arcs in two
// planes meet where their planes' common line cuts the circle.
//
// Notation: c1, R1 the centre and radius of the smaller circle (the one cut), c2, R2 the
// other's, D = c2 − c1. The radical plane of the two circles has the unit normal D/|D| and
// lies ((|D| − R2)(|D| + R2) + R1²) / (2|D|) beyond c1: formed relative to c1, so that
// centres far from the origin keep every significant digit (|c1|² − |c2|² would cancel
// them), and with the difference |D| − R2 taken first, which is exact where the small
// circle sits on the large one's rim.
#include <cmath>

#include "curves/curve_end_joints.h"
#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "surfaces/imp_planar_ent.h"
#include "vqge_curveintdata.h"

namespace {
int isFlat(const VqGeImpEllipArc3d& arc) {
    return arc.center().z == 0.0 && arc.majorAxis().z == 0.0 && arc.minorAxis().z == 0.0;
}
}  // namespace

int VqGeImpEllipArc3d::intersectWithArc(const VqGeImpEllipArc3d& arc, int& numInt,
                                        VqGePoint3d& p1, VqGePoint3d& p2, int& tangentFlag,
                                        const VqGeTol& tol) const {
    numInt = 0;
    tangentFlag = 0;
    const int planar = isFlat(*this) && isFlat(arc);
    const double slack = roundingTol(tol) > arc.roundingTol(tol) ? roundingTol(tol)
                                                                 : arc.roundingTol(tol);
    VqGeTol wide(tol);
    wide.setEqualPoint(slack);
    VqGePoint3d* out[2] = {&p1, &p2};
    if (mCenter.isEqualTo(arc.mCenter, tol)) {
        const VqGePoint3d mine = mCenter + mMajorAxis * mMajorRadius;
        const VqGePoint3d theirs = arc.mCenter + mMajorAxis * arc.mMajorRadius;
        if (!mine.isEqualTo(theirs, tol)) return 0;
        VqGeCurveIntData data;
        if (overlap(arc, data, tol)) {
            for (int i = 0; i < data.numIntPoints() && numInt < 2; ++i)
                *out[numInt++] = data.intPnt(i);
            return numInt > 0;
        }
        const VqGeVector3d dir = normal().crossProduct(arc.normal());
        if (dir.isZeroLength(VqGeContext::gTol)) return 0;
        const VqGeVector3d unit = dir.normal(VqGeContext::gTol);
        for (int k = 0; k < 2; ++k) {
            const VqGePoint3d pnt = mCenter + unit * (k == 0 ? mMajorRadius : -mMajorRadius);
            if (isWithinBounds(pnt, wide) && arc.isOn(pnt, wide)) *out[numInt++] = pnt;
        }
        return numInt > 0;
    }
    // The smaller circle is cut by the radical plane: a plane nearly tangent to the larger
    // circle would cut it where the rounding of R² moves the points by √(ulp(R²)).
    const int mineCut = mMajorRadius <= arc.mMajorRadius;
    const VqGeImpEllipArc3d& cut = mineCut ? *this : arc;
    const VqGeImpEllipArc3d& other = mineCut ? arc : *this;
    const VqGeVector3d d = other.mCenter - cut.mCenter;
    const double dist = d.length();
    const VqGeVector3d n = d / dist;
    const double rc = cut.mMajorRadius, ro = other.mMajorRadius;
    const double offset = ((dist - ro) * (dist + ro) + rc * rc) / (2.0 * dist);
    double params[2];
    int tangent = 0;
    VqGePoint3d pts[2], found[2];
    const int num = cut.planeParams(n, -offset, params, pts, tangent, slack);
    for (int i = 0; i < num; ++i) {
        double t = params[i];
        const VqGePoint3d& pnt = pts[i];
        if (!rangeWrap(cut.mStartParam, cut.mEndParam, t) && !cut.isWithinBounds(pnt, wide))
            continue;
        if (planar ? !other.isWithinBounds(pnt, wide) : !other.isOn(pnt, wide)) continue;
        found[numInt++] = pnt;
    }
    numInt = addEndJoints(arc, found, numInt, tol);
    for (int i = 0; i < numInt; ++i) *out[i] = found[i];
    tangentFlag = numInt > 0 ? tangent : 0;
    return numInt > 0;
}

int VqGeImpEllipArc3d::addEndJoints(const VqGeImpEllipArc3d& arc, VqGePoint3d found[2],
                                    int num, const VqGeTol& tol) const {
    VqGeCurveEnds mine, theirs;
    mine.add(startPoint());
    mine.add(endPoint());
    theirs.add(arc.startPoint());
    theirs.add(arc.endPoint());
    VqGeTolScale scale(tol);
    scale.add(mCenter).add(arc.mCenter);
    for (int i = 0; i < 2; ++i) scale.add(mine.pnt[i]).add(theirs.pnt[i]);
    if (!scale.isFinite()) return num;
    const double eps = scale.pointTol();
    const double reachA = jointReach(eps), reachB = arc.jointReach(eps);
    return vqgeAddEndJoints(*this, mine, arc, theirs, eps, reachA > reachB ? reachA : reachB,
                            found, num, scale.tol());
}
