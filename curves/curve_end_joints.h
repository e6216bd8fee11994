// Joints at the ends of two curves, added to the points a closed form solved for the pair.
//
// An end of one curve that lies within the effective point tolerance of the other curve is a
// point of the pair whatever the solved crossing says: a segment leaving an arc along its
// end tangent touches it at the end even where the solved touching point rounds off the
// arc's range, and two arcs on crossing circles meet at their shared end even where the
// solved crossing rounds a little away from it.
//
// Notation: A, B the two curves; eps the effective point tolerance of the pair; reach the
// distance within which a solved point stands for the same joint, max(eps, √(2·ρ·eps)) for
// the largest radius of curvature ρ of the pair (a touching point is only fixed to about
// √(2·ρ·eps) along the curves).
//
// Candidates, in this order: an end of A within eps of an end of B (reported at A's end), an
// end of A within eps of B, an end of B within eps of A. A candidate within reach of a solved
// point replaces it (the solved point snaps to the end); a candidate within eps of a point
// already taken from an end is the same joint; any other candidate is added while there is
// room for it.
#ifndef VQGE_CURVES_CURVE_END_JOINTS_H
#define VQGE_CURVES_CURVE_END_JOINTS_H

#include "curves/imp_curve3d.h"
#include "curves/vqge_tol_scale.h"

struct VqGeCurveEnds {
    int num = 0;
    VqGePoint3d pnt[2];
    void add(const VqGePoint3d& p) { pnt[num++] = p; }
};

// Adds the joints to pts[0 .. num) (room for two points); returns the new count.
int vqgeAddEndJoints(const VqGeImpCurve3d& a, const VqGeCurveEnds& endsA,
                     const VqGeImpCurve3d& b, const VqGeCurveEnds& endsB, double eps,
                     double reach, VqGePoint3d pts[2], int num, const VqGeTol& tol);

#endif
