// Planar entity: intersections with linear entities and with other planar entities.
//   N = u x v of this plane, D the direction of the line two planes share, P0 and d the point
//   and direction of a linear entity; an edge's entering mark is 1 when the common line enters
//   the parallelogram across that edge ((edge direction x D) . N > 0).
#include <cmath>

#include "curves/imp_linear_ent3d.h"
#include "curves/vqge_tol_scale.h"
#include "surfaces/imp_planar_ent.h"

// The bounds tests allow for the rounding of the solved point (the tolerance is raised to
// it, VqGeTolScale), and an end of the line that lies within that tolerance of the plane's
// part is met there whatever the solved parameter says. Non-finite input meets nothing.
int VqGeImpPlanarEnt::intersectWith(const VqGeImpLinearEnt3d& line, VqGePoint3d& pnt,
                                    const VqGeTol& tol) const {
    const VqGeImpInterval& iv = line.interval();
    VqGeTolScale scale(tol);
    scale.add(mOrigin).check(mUAxis).check(mVAxis).add(line.pointOnLine()).check(line.direction());
    if (iv.isBoundedBelow()) scale.check(iv.lowerBound()).add(line.startPoint());
    if (iv.isBoundedAbove()) scale.check(iv.upperBound()).add(line.endPoint());
    if (!scale.isFinite()) return 0;
    if (isParallelTo(line, tol)) return 0;
    const VqGeVector3d n = mUAxis.crossProduct(mVAxis);
    const VqGeVector3d d = line.direction();
    const VqGePoint3d p0 = line.pointOnLine();
    const double t = (mOrigin - p0).dotProduct(n) / d.dotProduct(n);
    pnt = p0 + d * t;
    const VqGeTol tolE = scale.add(pnt).tol();
    if (line.isOn(line.paramOf(pnt, tol), tolE) && isWithinBounds(pnt, tolE)) return 1;
    const double eps = tolE.equalPoint();
    for (int upper = 0; upper < 2; ++upper) {
        if (!(upper ? iv.isBoundedAbove() : iv.isBoundedBelow())) continue;
        const VqGePoint3d end = upper ? line.endPoint() : line.startPoint();
        if (std::fabs(signedDistanceTo(end)) > eps || !isWithinBounds(end, tolE)) continue;
        pnt = end;
        return 1;
    }
    return 0;
}

namespace {
// The common line of two planes taken without bounds; 0 when they are parallel.
int unboundedLine(const VqGeImpPlanarEnt& pln1, const VqGeImpPlanarEnt& pln2,
                  VqGeImpLinearEnt3d& line, const VqGeTol& tol) {
    if (pln1.isParallelTo(pln2, tol)) return 0;
    const VqGeVector3d n1 = pln1.normal(), n2 = pln2.normal();
    const VqGeVector3d d = n1.crossProduct(n2);
    // A line of the first plane across the second; it cannot be parallel to it.
    const VqGeVector3d across = n1.crossProduct(d);
    const VqGeVector3d n = pln2.uAxis().crossProduct(pln2.vAxis());
    const VqGePoint3d o1 = pln1.pointOnPlane();
    const double t = (pln2.pointOnPlane() - o1).dotProduct(n) / across.dotProduct(n);
    line.set(o1 + across * t, d, 0, 0);
    return 1;
}

// Writes the geometry and interval of src into dst, keeping dst's own identity when its kind
// allows.
void assignLine(VqGeImpLinearEnt3d& dst, const VqGeImpLinearEnt3d& src) {
    const VqGeImpInterval& iv = src.interval();
    dst.set(src.pointOnLine(), src.direction(), iv.isBoundedBelow(), iv.isBoundedAbove());
    dst.setInterval(iv, 1);
}
}  // namespace

int VqGeImpPlanarEnt::intersectWith(const VqGeImpPlanarEnt& pln, VqGeImpLinearEnt3d& line,
                                    const VqGeTol& tol) const {
    if (isParallelTo(pln, tol)) return 0;
    const int thisBounded = isBounded(), otherBounded = pln.isBounded();
    if (!thisBounded && !otherBounded) return unboundedLine(*this, pln, line, tol);
    if (thisBounded && !otherBounded) return intersectWithBoundedPlane(pln, line, tol);
    if (!thisBounded) return pln.intersectWithBoundedPlane(*this, line, tol);
    VqGeImpLinearEnt3d l1, l2;
    if (!pln.intersectWithBoundedPlane(unboundedCopy(), l1, tol)) return 0;
    if (!intersectWithBoundedPlane(pln.unboundedCopy(), l2, tol)) return 0;
    VqGeImpLinearEnt3d* common = nullptr;
    if (!l1.overlap(l2, common, tol) || !common) return 0;
    assignLine(line, *common);
    delete common;
    return 1;
}

// The strip case (no edge crossed) is left open by the plain edge rule; here the line is kept
// whole when it runs inside the plane along every bounded parameter, since it then lies
// entirely in the plane's part; otherwise there is no intersection.
int VqGeImpPlanarEnt::intersectWithBoundedPlane(const VqGeImpPlanarEnt& other,
                                                VqGeImpLinearEnt3d& line,
                                                const VqGeTol& tol) const {
    VqGeImpLinearEnt3d common;
    if (!unboundedLine(*this, other, common, tol)) return 0;
    const VqGeVector3d d = common.direction();
    const VqGeVector3d n = mUAxis.crossProduct(mVAxis);
    VqGeImpCurve3d* edges[4] = {nullptr, nullptr, nullptr, nullptr};
    boundary(edges);
    VqGePoint3d pts[4];
    int marks[4];
    int count = 0;
    for (int i = 0; i < 4; ++i) {
        if (!edges[i]) continue;
        const VqGeImpLinearEnt3d& edge = *static_cast<VqGeImpLinearEnt3d*>(edges[i]);
        VqGePoint3d p;
        if (common.intersectWithLine(edge, p, tol)) {
            pts[count] = p;
            marks[count] = edge.direction().crossProduct(d).dotProduct(n) > 0.0 ? 1 : 0;
            ++count;
        }
        delete edges[i];
    }
    // A corner is met by two edges: the same sense means the line passes through it, opposite
    // senses that it only touches the corner from outside.
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (!pts[j].isEqualTo(pts[i], tol)) continue;
            if (marks[j] != marks[i]) return 0;
            for (int k = j; k + 1 < count; ++k) {
                pts[k] = pts[k + 1];
                marks[k] = marks[k + 1];
            }
            --count;
            break;
        }
    }
    if (count == 0) {
        const int uBounded = (mBounds & (kULower | kUUpper)) != 0;
        const int vBounded = (mBounds & (kVLower | kVUpper)) != 0;
        if (uBounded && vBounded) return 0;
        if (uBounded && !d.isParallelTo(mVAxis, tol)) return 0;
        if (vBounded && !d.isParallelTo(mUAxis, tol)) return 0;
        if (!isWithinBounds(common.pointOnLine(), tol)) return 0;
        line.set(common.pointOnLine(), d, 0, 0);
        return 1;
    }
    if (count == 1) {
        line.set(pts[0], marks[0] ? d : -d, 1, 0);
        return 1;
    }
    int first = 0, second = 1;
    if (count > 2) {
        // Only a line along an edge can cross more than two edges: its ends are the extremes.
        for (int i = 0; i < count; ++i) {
            if ((pts[i] - pts[first]).dotProduct(d) < 0.0) first = i;
        }
        second = first;
        for (int i = 0; i < count; ++i) {
            if ((pts[i] - pts[second]).dotProduct(d) > 0.0) second = i;
        }
    }
    line.set(pts[first], pts[second], 1, 1);
    return 1;
}
