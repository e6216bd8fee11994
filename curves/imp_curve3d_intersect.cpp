// Intersection of two curves (any kinds) and of two ranges of one curve by their sample
// chains.
//
// Outcomes, in the order the record is filled:
//   - the other kind answers first (double dispatch); a call that arrives reversed tries
//     the overlap of the two curves and returns its overlaps and single touching points;
//   - crossings and touchings found by the piece comparison, configurations 4/8 for a
//     crossing of coplanar curves, 16/32 for a touching on one side, 2 where a tangent is
//     undefined or the sides cannot be told, 1/1 for curves that are not coplanar;
//   - end points of either curve that lie on the other (joints, tangential joints), which
//     a Newton start inside the pieces may not reach.
// A point is dropped when the record holds one equal within the tolerance whose two
// parameters lie within 1e-6 of the new ones.
//
// Notation: w the projection direction; the plane of coplanar curves is mapped onto XY by
// the rows u = n.perpVector() normalised, v = n x u, n (translation -(row . plane point)).
#include <cfloat>
#include <cmath>

#include "curves/curve_int_solver.h"
#include "curves/imp_bound_block3d.h"
#include "curves/imp_curve3d.h"
#include "curves/imp_curve3d_int.h"
#include "curves/imp_linear_ent3d.h"
#include "surfaces/imp_planar_ent.h"
#include "vqge_curveintdata.h"

namespace vqgen {

namespace {
constexpr double kParamNear = 1e-6;
constexpr double kLineReach = 1e6;
constexpr double kSideTol = 1e-10;

VqGeVector3d tangentOf(VqGeImpPointOnCurve3d& w, int& fromSecond, int& none) {
    fromSecond = none = 0;
    VqGeVector3d t = w.deriv(1);
    if (t.isZeroLength()) {
        t = w.deriv(2);
        fromSecond = 1;
        if (t.isZeroLength()) none = 1;
    }
    return t;
}
}  // namespace

void classifyConfig(const VqGeImpCurve3d& c1, double t1, const VqGeImpCurve3d& c2, double t2,
                    const VqGeVector3d& dir, const VqGeTol& tol, int& config1, int& config2) {
    VqGeImpPointOnCurve3d w1(&c1, t1), w2(&c2, t2);
    int sec1, none1, sec2, none2;
    const VqGeVector3d T1 = tangentOf(w1, sec1, none1), T2 = tangentOf(w2, sec2, none2);
    const VqGeVector3d w = dir.isZeroLength() ? VqGeVector3d::kZAxis : dir.normal();
    if (none1 || none2) {
        config1 = config2 = VqGe::kUnknown;
        return;
    }
    if (T1.isParallelTo(T2, tol)) {
        // Tangential: compare the signed curvatures across the common tangent.
        auto side = [&](const VqGeVector3d& TX, VqGeImpPointOnCurve3d& X, const VqGeVector3d& TY,
                        VqGeImpPointOnCurve3d& Y, int ySecond) {
            if (ySecond) return static_cast<int>(VqGe::kUnknown);
            const VqGeVector3d m = w.crossProduct(TY / TY.length());
            const double kY = m.dotProduct(Y.deriv(2)) / TY.lengthSqrd();
            const double kX = m.dotProduct(X.deriv(2)) / TX.lengthSqrd();
            if (kY - kX > kSideTol) return static_cast<int>(VqGe::kRightRight);
            if (kX - kY > kSideTol) return static_cast<int>(VqGe::kLeftLeft);
            return static_cast<int>(VqGe::kUnknown);
        };
        config1 = side(T1, w1, T2, w2, sec2);
        config2 = side(T2, w2, T1, w1, sec1);
        return;
    }
    const int leftRight = T1.crossProduct(T2).dotProduct(w) > 0.0;
    config1 = leftRight ? VqGe::kLeftRight : VqGe::kRightLeft;
    config2 = leftRight ? VqGe::kRightLeft : VqGe::kLeftRight;
}

namespace {
// Parameters of one point of the curve: near each other, or the two ends of a closed curve.
int sameSpot(const VqGeImpCurve3d* crv, double u, double t) {
    if (std::fabs(u - t) <= kParamNear) return 1;
    if (!crv) return 0;
    VqGeImpInterval intrvl;
    crv->getInterval(intrvl, 0, 0);
    if (!intrvl.isBounded()) return 0;
    const double lo = intrvl.lowerBound(), hi = intrvl.upperBound();
    const int uEnd = std::fabs(u - lo) <= kParamNear || std::fabs(u - hi) <= kParamNear;
    const int tEnd = std::fabs(t - lo) <= kParamNear || std::fabs(t - hi) <= kParamNear;
    if (!uEnd || !tEnd) return 0;
    VqGeImpPointOnCurve3d w(crv, lo);
    const VqGePoint3d start = w.point(), end = w.point(hi);
    const double size = maxAbs(start) > maxAbs(end) ? maxAbs(start) : maxAbs(end);
    return start.distanceTo(end) <= reachableTol(VqGeContext::gTol.equalPoint(), size);
}
}  // namespace

namespace {
// The curves are within 2 tol of each other at the quarter points between the parameter
// pairs (u1, u2) and (t1, t2) (the solver accepts a meeting at twice the tolerance). The
// middle goes first: two distinct crossings part most between them, so most known points
// are rejected after one evaluation per curve.
int staysTogether(FindEval& ev, double u1, double t1, double u2, double t2, double tol) {
    static const double kOrder[3] = {0.5, 0.25, 0.75};
    for (double f : kOrder) {
        const double gap =
            ev.w1.point(u1 + f * (t1 - u1)).distanceTo(ev.w2.point(u2 + f * (t2 - u2)));
        if (!(gap <= 2.0 * tol)) return 0;
    }
    return 1;
}
}  // namespace

int isKnownIntPoint(const VqGeCurveIntData& data, const VqGePoint3d& pnt, double t1, double t2,
                    double tol, FindEval& ev) {
    for (int i = 0; i < data.numIntPoints(); ++i) {
        double u1, u2;
        data.getIntParams(i, u1, u2);
        const int close = data.intPnt(i).distanceTo(pnt) <= tol;
        if (close && sameSpot(&ev.c1, u1, t1) && sameSpot(&ev.c2, u2, t2)) return i + 1;
        // A touching is found from several starts, at points spread along the stretch where
        // the curves stay within the tolerance of each other (long where they touch from the
        // same side): one meeting when they stay together all the way between the finds.
        if (staysTogether(ev, u1, t1, u2, t2, tol)) return i + 1;
    }
    return 0;
}

int workFrame(const VqGeImpCurve3d& c1, const VqGeImpCurve3d& c2, const VqGeVector3d& dir,
              const VqGeTol& tol, WorkFrame& frame) {
    frame.dim = 3;
    frame.hasMap = 0;
    frame.normal = dir;
    VqGeImpPlanarEnt plane;
    if (!c1.isCoplanarWith(c2, plane, tol)) return 0;
    frame.dim = 2;
    VqGeVector3d n = plane.normal().normal();
    if (!dir.isZeroLength() && n.dotProduct(dir) < 0.0) n = -n;
    frame.normal = n;
    if (n.isEqualTo(VqGeVector3d::kZAxis, tol)) return 1;
    const VqGeVector3d u = n.perpVector().normal();
    const VqGeVector3d v = n.crossProduct(u);
    const VqGeVector3d rows[3] = {u, v, n};
    const VqGePoint3d o = plane.pointOnPlane();
    for (int i = 0; i < 3; ++i) {
        frame.map[i][0] = rows[i].x;
        frame.map[i][1] = rows[i].y;
        frame.map[i][2] = rows[i].z;
        frame.map[i][3] = -(rows[i].x * o.x + rows[i].y * o.y + rows[i].z * o.z);
    }
    frame.hasMap = 1;
    return 1;
}

VqGeMatrix3d frameMatrix(const WorkFrame& frame) {
    VqGeMatrix3d m;
    if (!frame.hasMap) return m;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j) m(i, j) = frame.map[i][j];
    return m;
}

namespace {
int record(FindEval& ev, double t1, double t2, const VqGePoint3d& pnt, const WorkFrame& frame,
           VqGeCurveIntData& data, const VqGeTol& tol, int replaceBelow) {
    // Finds of one meeting agree to what the solver could reach: the rounding of the
    // coordinates, or of the parameters where the curves run fast.
    ev.w1.point(t1);
    ev.w2.point(t2);
    const double speed =
        std::fabs(t1) * ev.w1.deriv(1).length() + std::fabs(t2) * ev.w2.deriv(1).length();
    const double reach = reachableTol(tol.equalPoint(), maxAbs(pnt));
    const double near = reach > 8.0 * DBL_EPSILON * speed ? reach : 8.0 * DBL_EPSILON * speed;
    const int known = isKnownIntPoint(data, pnt, t1, t2, std::isfinite(near) ? near : reach, ev);
    if (known > replaceBelow) return 0;
    if (known) data.removeIntPoint(known - 1);
    int config1 = VqGe::kNotDefined, config2 = VqGe::kNotDefined;
    if (frame.dim == 2)
        classifyConfig(ev.c1, t1, ev.c2, t2, frame.normal, tol, config1, config2);
    data.addIntPoint(pnt, t1, t2, config1, config2, tol.equalPoint());
    return known ? -1 : 1;
}
}  // namespace

// The solver stops where the two curves' points agree to the reachable tolerance: the
// point halfway lies within half that gap of both, and is the same in either order.
int addFound(FindEval& ev, double t1, double t2, const WorkFrame& frame,
             VqGeCurveIntData& data, const VqGeTol& tol) {
    const VqGePoint3d p1 = ev.w1.point(t1), p2 = ev.w2.point(t2);
    return record(ev, t1, t2, p1 + (p2 - p1) * 0.5, frame, data, tol, 0);
}

int addJointFound(FindEval& ev, double t1, double t2, int onSecond, const WorkFrame& frame,
                  VqGeCurveIntData& data, const VqGeTol& tol, int replaceBelow) {
    const VqGePoint3d end = onSecond ? ev.w2.point(t2) : ev.w1.point(t1);
    return record(ev, t1, t2, end, frame, data, tol, replaceBelow);
}

VqGeCurveSampleData* sampledSide(const VqGeImpCurve3d& crv, const VqGeImpInterval& range,
                                 const WorkFrame& frame, IntSide& side) {
    const VqGeMatrix3d map = frameMatrix(frame);
    VqGeCurveSampleData* d = VqGeCurveSampleData::acquire(crv, finiteRange(range), frame.dim,
                                                          frame.hasMap ? &map : nullptr);
    if (!d) return nullptr;
    side.data = d;
    side.eval = d->evaluator();
    return d;
}

VqGeImpInterval finiteRange(const VqGeImpInterval& intrvl) {
    const double lo = intrvl.isBoundedBelow() ? intrvl.lowerBound() : -kLineReach;
    const double hi = intrvl.isBoundedAbove() ? intrvl.upperBound() : kLineReach;
    return VqGeImpInterval(lo, hi);
}

// Ends of one curve lying on the other: joints are intersections even where the pieces'
// Newton starts cannot reach them. A joint stands in for a solved point of the same meeting
// (one the curves stay together with): where the curves part at a small angle, the solver
// stops anywhere along the stretch within the tolerance, the joint is exact.
void addJoints(const VqGeImpCurve3d& c1, const VqGeImpInterval& i1, const VqGeImpCurve3d& c2,
               const VqGeImpInterval& i2, const WorkFrame& frame, FindEval& ev,
               VqGeCurveIntData& data, const VqGeTol& tol) {
    int solved = data.numIntPoints();
    for (int side = 0; side < 2; ++side) {
        const VqGeImpCurve3d& from = side ? c2 : c1;
        const VqGeImpCurve3d& onto = side ? c1 : c2;
        const VqGeImpInterval& fromI = side ? i2 : i1;
        const VqGeImpInterval& ontoI = side ? i1 : i2;
        for (int end = 0; end < 2; ++end) {
            if (end ? !fromI.isBoundedAbove() : !fromI.isBoundedBelow()) continue;
            const double t = end ? fromI.upperBound() : fromI.lowerBound();
            VqGeImpPointOnCurve3d at(&from, t);
            const VqGePoint3d p = at.point();
            if (!isFinitePoint(p)) continue;
            VqGeImpPointOnCurve3d near(&onto);
            onto.getClosestPointTo(p, near, tol);
            double u = near.parameter();
            if (!ontoI.contains(u)) continue;
            const VqGePoint3d q = near.point();
            const double m = maxAbs(p) > maxAbs(q) ? maxAbs(p) : maxAbs(q);
            if (!(p.distanceTo(q) <= reachableTol(tol.equalPoint(), m))) continue;
            if (addJointFound(ev, side ? u : t, side ? t : u, side, frame, data, tol, solved) < 0)
                --solved;
        }
    }
}
}  // namespace vqgen

using namespace vqgen;

int intersectSampled(const VqGeImpCurve3d& c1, const VqGeImpInterval& range1,
                     const VqGeImpCurve3d& c2, const VqGeImpInterval& range2,
                     const VqGeVector3d& dir, VqGeCurveIntData& data, const VqGeTol& tol) {
    // A line first is taken second, where it is compared as a segment: sampled like a
    // curve, a line lying along a tangential contact is halved to the last depth.
    if (&c1 != &c2 && c1.isKindOf(VqGe::kLinearEnt3d, 0) && !c2.isKindOf(VqGe::kLinearEnt3d, 0)) {
        VqGeCurveIntData swapped;
        const int result = intersectSampled(c2, range2, c1, range1, dir, swapped, tol);
        data.reset();
        for (int i = 0; i < swapped.numIntPoints(); ++i) {
            double t2, t1;
            int config2, config1;
            swapped.getIntParams(i, t2, t1);
            swapped.getIntConfigs(i, config2, config1);
            data.addIntPoint(swapped.intPnt(i), t1, t2, config1, config2, swapped.intTol(i));
        }
        return result;
    }
    data.reset();
    WorkFrame frame;
    workFrame(c1, c2, dir, tol, frame);
    FindEval ev(c1, c2);
    IntSide s1;
    VqGeCurveSampleData* d1 = sampledSide(c1, range1, frame, s1);
    if (!d1) return 0;
    const double eps = tol.equalPoint() > 0.0 ? tol.equalPoint() : 1e-10;
    if (c2.isKindOf(VqGe::kLinearEnt3d, 0)) {
        const VqGeImpLinearEnt3d& line = static_cast<const VqGeImpLinearEnt3d&>(c2);
        double lo = range2.isBoundedBelow() ? range2.lowerBound() : -kLineReach;
        double hi = range2.isBoundedAbove() ? range2.upperBound() : kLineReach;
        // An unbounded side reaches at least across the whole of the other curve, wherever
        // it lies: a fixed reach would miss crossings far out at drawing scale.
        if (!range2.isBounded()) {
            VqGeImpInterval shadow;
            VqGeImpLinearEnt3d axis(line);
            axis.setInterval(VqGeImpInterval(-1e300, 1e300), 0);
            axis.projectBlockTo(c1.boundBlock(3, range1.isBounded() ? range1 : finiteRange(range1), 0),
                                shadow);
            const double pad = 1.0 + 1e-6 * (shadow.upperBound() - shadow.lowerBound());
            if (!range2.isBoundedBelow() && shadow.lowerBound() - pad < lo)
                lo = shadow.lowerBound() - pad;
            if (!range2.isBoundedAbove() && shadow.upperBound() + pad > hi)
                hi = shadow.upperBound() + pad;
        }
        CurveEval lineEval(&c2, frame.dim);
        if (frame.hasMap) lineEval.setMap(frame.map);
        // Based at the line's point nearest the middle of the first curve's box, so that
        // the points near the curve keep their own precision.
        VqGeImpBoundBlock3d box = c1.boundBlock(3, finiteRange(range1), 0);
        VqGePoint3d bmin, bmax;
        box.getMinMaxPoints(bmin, bmax);
        double base = line.closestParamTo(bmin + (bmax - bmin) * 0.5, VqGeContext::gTol);
        base = base < lo ? lo : (base > hi ? hi : base);
        double pa[3], da[3], dd[3];
        lineEval.eval(base, 1, pa, da, dd);
        IntSide s2;
        s2.isSegment = 1;
        for (int c = 0; c < 3; ++c) s2.a[c] = pa[c], s2.d[c] = da[c];
        s2.tLo = lo - base, s2.tHi = hi - base, s2.tStart = 0.5 * (s2.tLo + s2.tHi);
        IntSolver solver(s1, s2, frame.dim, eps);
        solver.segment(d1->root());
        for (int i = 0; i < solver.numFound(); ++i) {
            double s, t;
            solver.found(i, s, t);
            const double u = line.paramOf(ev.w1.point(s), tol);
            addFound(ev, s, u, frame, data, tol);
        }
    } else {
        IntSide s2;
        VqGeCurveSampleData* d2 = sampledSide(c2, range2, frame, s2);
        if (d2) {
            IntSolver solver(s1, s2, frame.dim, eps);
            solver.pieces(d1->root(), d2->root());
            for (int i = 0; i < solver.numFound(); ++i) {
                double s, t;
                solver.found(i, s, t);
                // Two ranges of one curve meet trivially where they share a parameter.
                if (&c1 == &c2 && std::fabs(s - t) <= kParamNear) continue;
                addFound(ev, s, t, frame, data, tol);
            }
            VqGeCurveSampleData::release(d2);
        }
    }
    VqGeCurveSampleData::release(d1);
    if (&c1 != &c2) addJoints(c1, range1, c2, range2, frame, ev, data, tol);
    return data.numIntPoints() > 0;
}

int VqGeImpCurve3d::intersectWith(const VqGeImpCurve3d& other, const VqGeVector3d& projDir,
                                  VqGeCurveIntData& data, const VqGeTol& tol) const {
    if (!data.orderReversed()) {
        data.reverseOrder();
        const int result = other.intersectWith(*this, projDir, data, tol);
        data.reverseOrder();
        return result;
    }
    if (overlap(other, data, tol)) return 1;
    VqGeImpInterval i1, i2;
    getInterval(i1, 0, 0);
    other.getInterval(i2, 0, 0);
    return intersectSampled(*this, i1, other, i2, projDir, data, tol);
}

int VqGeImpCurve3d::intersectWith(const VqGeImpInterval& range1, const VqGeImpInterval& range2,
                                  const VqGeVector3d& projDir, VqGeCurveIntData& data,
                                  const VqGeTol& tol) const {
    data.reset();
    VqGeImpInterval common;
    if (!range1.intersectWith(range2, common) || common.isSingleton())
        return intersectSampled(*this, range1, *this, range2, projDir, data, tol);
    // Overlapping ranges: the self-intersections of their union that pair the two ranges.
    VqGeImpInterval both;
    range1.getMerge(range2, both);
    VqGeCurveIntData all;
    intersectSelfOver(*this, both, projDir, all, tol);
    for (int i = 0; i < all.numIntPoints(); ++i) {
        double a, b;
        all.getIntParams(i, a, b);
        int c1, c2;
        all.getIntConfigs(i, c1, c2);
        if (!(range1.contains(a) && range2.contains(b))) {
            const double s = a;
            a = b, b = s;
            const int c = c1;
            c1 = c2, c2 = c;
        }
        if (range1.contains(a) && range2.contains(b))
            data.addIntPoint(all.intPnt(i), a, b, c1, c2, all.intTol(i));
    }
    return data.numIntPoints() > 0;
}
