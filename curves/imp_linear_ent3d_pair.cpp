// Linear entity against linear entity, decided by distance: crossings, joints at the ends,
// overlaps and touches.
//
// Notation: A the first entity of the pair, B the second; o, d origin and direction; eps the
// effective point tolerance of the pair (VqGeTolScale over both entities' end points, or
// origins for unbounded sides); W = [wLo, wHi] the window, the parameters of A whose points
// face B (A's interval cut to the projection of B onto A's line).
//
// Outcomes, tried in this order:
//   1. Nothing: a non-finite origin, direction, bound or tolerance.
//   2. Touch (16384, 16384): a point-like entity (zero direction, or a segment not longer than
//      eps) within eps of the other; else nothing.
//   3. Overlap: W is longer than eps and both its ends lie within eps of B, so A stays within
//      eps of B over W (the distance is convex along A). A window unbounded on a side belongs
//      to two entities unbounded the same way: they stay together only when their directions
//      are parallel (the angle test) and W's finite ends, or B's origin, lie within eps.
//   4. Collinear (every bounded end of each entity within eps of the other's line; two rays or
//      lines also need parallel directions): their common part is at most a point, so the
//      result is a touch (16384, 16384) at the joint below, or nothing.
//   5. Crossing (configurations 4 and 8 by the side of the projection direction): the joint
//      below when there is one, else the solved crossing of the two lines when it lies within
//      eps of both (eps raised to the rounding of the solved point).
//   Joint, first found: an end of A and an end of B within eps of each other (the shared end,
//   reported at A's end with both bounds), an end of A within eps of B, an end of B within
//   eps of A. The angle between the lines does not enter: an end that lies on the other entity
//   is met there whatever the solved crossing of the lines says.
//
// The pair is solved in one canonical order of the two entities, so that (A, B) and (B, A)
// give the same answer with the roles exchanged.
#include <cmath>

#include "curves/imp_linear_ent3d.h"
#include "curves/vqge_tol_scale.h"
#include "vqge_curveintdata.h"

namespace {
using Lin = VqGeImpLinearEnt3d;

// Parameter that stands for the far end of an unbounded overlap range.
const double kFar = 1e50;

struct Ends {
    int num = 0;
    VqGePoint3d pnt[2];
    double param[2] = {0.0, 0.0};
};

struct PairResult {
    int kind = 0;  // 0 nothing, 1 point, 2 overlap
    VqGePoint3d pnt;
    double t1 = 0.0, t2 = 0.0;
    int config1 = VqGe::kOverlapTouch, config2 = VqGe::kOverlapTouch;
    double eps = 0.0;
    VqGeImpInterval range1, range2;
    int same = 1;
};

Ends endsOf(const Lin& e) {
    Ends ends;
    const VqGeImpInterval& iv = e.interval();
    if (iv.isBoundedBelow()) {
        ends.pnt[ends.num] = e.startPoint();
        ends.param[ends.num++] = iv.lowerBound();
    }
    if (iv.isBoundedAbove()) {
        ends.pnt[ends.num] = e.endPoint();
        ends.param[ends.num++] = iv.upperBound();
    }
    return ends;
}

void addToScale(VqGeTolScale& scale, const Lin& e) {
    const VqGeImpInterval& iv = e.interval();
    scale.add(e.pointOnLine()).check(e.direction());
    if (iv.isBoundedBelow()) scale.check(iv.lowerBound()).add(e.startPoint());
    if (iv.isBoundedAbove()) scale.check(iv.upperBound()).add(e.endPoint());
}

// Strict order on the defining data; equal data either way round give the same answer.
int precedes(const Lin& a, const Lin& b) {
    const VqGeImpInterval& ia = a.interval();
    const VqGeImpInterval& ib = b.interval();
    const VqGePoint3d oa = a.pointOnLine(), ob = b.pointOnLine();
    const VqGeVector3d da = a.direction(), db = b.direction();
    const double ka[8] = {oa.x, oa.y, oa.z, da.x, da.y, da.z,
                          ia.isBoundedBelow() ? ia.lowerBound() : -HUGE_VAL,
                          ia.isBoundedAbove() ? ia.upperBound() : HUGE_VAL};
    const double kb[8] = {ob.x, ob.y, ob.z, db.x, db.y, db.z,
                          ib.isBoundedBelow() ? ib.lowerBound() : -HUGE_VAL,
                          ib.isBoundedAbove() ? ib.upperBound() : HUGE_VAL};
    for (int i = 0; i < 8; ++i)
        if (ka[i] != kb[i]) return ka[i] < kb[i];
    return 0;
}

double distToEntity(const Lin& e, const VqGePoint3d& pnt) {
    return e.pointAt(e.closestParamTo(pnt, VqGeContext::gTol)).distanceTo(pnt);
}

double distToLine(const Lin& e, const VqGePoint3d& pnt) {
    const VqGeVector3d d = e.direction();
    const VqGeVector3d w = pnt - e.pointOnLine();
    const double len2 = d.lengthSqrd();
    if (len2 == 0.0) return w.length();
    return (w - d * (w.dotProduct(d) / len2)).length();
}

int isPointLike(const Lin& e, double eps, const VqGeTol& tol) {
    if (e.direction().isZeroLength(tol)) return 1;
    const VqGeImpInterval& iv = e.interval();
    return iv.isBounded() &&
           e.direction().length() * std::fabs(iv.upperBound() - iv.lowerBound()) <= eps;
}

double pointLikeParam(const Lin& e) {
    const VqGeImpInterval& iv = e.interval();
    return iv.isBoundedBelow() ? iv.lowerBound() : (iv.isBoundedAbove() ? iv.upperBound() : 0.0);
}

void setPoint(PairResult& res, const VqGePoint3d& pnt, double t1, double t2) {
    res.kind = 1;
    res.pnt = pnt;
    res.t1 = t1;
    res.t2 = t2;
}

void touchPointLike(const Lin& a, const Lin& b, int aPoint, double eps, PairResult& res) {
    if (aPoint) {
        const double ta = pointLikeParam(a);
        const VqGePoint3d pa = a.pointAt(ta);
        if (distToEntity(b, pa) <= eps)
            setPoint(res, pa, ta, b.closestParamTo(pa, VqGeContext::gTol));
        return;
    }
    const double tb = pointLikeParam(b);
    const VqGePoint3d pb = b.pointAt(tb);
    if (distToEntity(a, pb) <= eps) setPoint(res, pb, a.closestParamTo(pb, VqGeContext::gTol), tb);
}

// The parameters on A's line covered by B's projection; an unbounded side of B reaches to
// +-infinity unless B is perpendicular to A.
void projectedRange(const Lin& a, const Lin& b, double& lo, double& hi) {
    const VqGeImpInterval& ib = b.interval();
    const double along = a.direction().dotProduct(b.direction());
    const double atOrigin = a.paramOf(b.pointOnLine(), VqGeContext::gTol);
    const double sign = along > 0.0 ? 1.0 : (along < 0.0 ? -1.0 : 0.0);
    const double far = sign == 0.0 ? atOrigin : HUGE_VAL;
    const double fromLo = ib.isBoundedBelow() ? a.paramOf(b.startPoint(), VqGeContext::gTol)
                                              : (sign == 0.0 ? far : -sign * far);
    const double fromHi = ib.isBoundedAbove() ? a.paramOf(b.endPoint(), VqGeContext::gTol)
                                              : (sign == 0.0 ? far : sign * far);
    lo = fromLo < fromHi ? fromLo : fromHi;
    hi = fromLo < fromHi ? fromHi : fromLo;
}

// A bound of e is taken for a parameter whose point lies within eps of that end.
double snapToBound(const Lin& e, double t, double eps) {
    const VqGeImpInterval& iv = e.interval();
    const VqGePoint3d p = e.pointAt(t);
    if (iv.isBoundedBelow() && p.distanceTo(e.startPoint()) <= eps) return iv.lowerBound();
    if (iv.isBoundedAbove() && p.distanceTo(e.endPoint()) <= eps) return iv.upperBound();
    return t;
}

VqGeImpInterval rangeOf(double lo, double hi) {
    const int below = !std::isinf(lo), above = !std::isinf(hi);
    if (below && above) return VqGeImpInterval(lo, hi);
    if (below) return VqGeImpInterval(1, lo);
    if (above) return VqGeImpInterval(0, hi);
    return VqGeImpInterval();
}

int overlapStretch(const Lin& a, const Lin& b, double eps, const VqGeTol& tol, PairResult& res) {
    double pLo, pHi;
    projectedRange(a, b, pLo, pHi);
    const VqGeImpInterval& ia = a.interval();
    double wLo = ia.isBoundedBelow() && ia.lowerBound() > pLo ? ia.lowerBound() : pLo;
    double wHi = ia.isBoundedAbove() && ia.upperBound() < pHi ? ia.upperBound() : pHi;
    if (!(wLo <= wHi)) return 0;
    const int loFar = std::isinf(wLo), hiFar = std::isinf(wHi);
    if (loFar || hiFar) {
        if (!a.direction().isParallelTo(b.direction(), tol)) return 0;
        if (!loFar && distToEntity(b, a.pointAt(wLo)) > eps) return 0;
        if (!hiFar && distToEntity(b, a.pointAt(wHi)) > eps) return 0;
        if (loFar && hiFar && distToLine(a, b.pointOnLine()) > eps) return 0;
    } else {
        if (a.direction().length() * (wHi - wLo) <= eps) return 0;
        if (distToEntity(b, a.pointAt(wLo)) > eps || distToEntity(b, a.pointAt(wHi)) > eps)
            return 0;
    }
    const int same = a.direction().dotProduct(b.direction()) > 0.0;
    if (!loFar) wLo = snapToBound(a, wLo, eps);
    if (!hiFar) wHi = snapToBound(a, wHi, eps);
    // The same stretch on B: the clamped feet of W's ends, or B's far side.
    double u0 = loFar ? (same ? -HUGE_VAL : HUGE_VAL)
                      : snapToBound(b, b.closestParamTo(a.pointAt(wLo), VqGeContext::gTol), eps);
    double u1 = hiFar ? (same ? HUGE_VAL : -HUGE_VAL)
                      : snapToBound(b, b.closestParamTo(a.pointAt(wHi), VqGeContext::gTol), eps);
    if (u0 > u1) {
        const double swap = u0;
        u0 = u1;
        u1 = swap;
    }
    res.kind = 2;
    res.same = same;
    res.range1 = rangeOf(wLo, wHi);
    res.range2 = rangeOf(u0, u1);
    return 1;
}

int isCollinear(const Lin& a, const Lin& b, const Ends& ea, const Ends& eb, double eps,
                const VqGeTol& tol) {
    if (!(a.interval().isBounded() && b.interval().isBounded()) &&
        !a.direction().isParallelTo(b.direction(), tol))
        return 0;
    for (int i = 0; i < ea.num; ++i)
        if (distToLine(b, ea.pnt[i]) > eps) return 0;
    for (int j = 0; j < eb.num; ++j)
        if (distToLine(a, eb.pnt[j]) > eps) return 0;
    return 1;
}

int findJoint(const Lin& a, const Lin& b, const Ends& ea, const Ends& eb, double eps,
              PairResult& res) {
    int bi = -1, bj = -1;
    double best = eps;
    for (int i = 0; i < ea.num; ++i)
        for (int j = 0; j < eb.num; ++j) {
            const double dist = ea.pnt[i].distanceTo(eb.pnt[j]);
            if (dist <= best) best = dist, bi = i, bj = j;
        }
    if (bi >= 0) {
        setPoint(res, ea.pnt[bi], ea.param[bi], eb.param[bj]);
        return 1;
    }
    best = eps;
    for (int i = 0; i < ea.num; ++i) {
        const double dist = distToEntity(b, ea.pnt[i]);
        if (dist <= best) best = dist, bi = i;
    }
    if (bi >= 0) {
        setPoint(res, ea.pnt[bi], ea.param[bi], b.closestParamTo(ea.pnt[bi], VqGeContext::gTol));
        return 1;
    }
    best = eps;
    for (int j = 0; j < eb.num; ++j) {
        const double dist = distToEntity(a, eb.pnt[j]);
        if (dist <= best) best = dist, bj = j;
    }
    if (bj < 0) return 0;
    setPoint(res, eb.pnt[bj], a.closestParamTo(eb.pnt[bj], VqGeContext::gTol), eb.param[bj]);
    return 1;
}

// The crossing of the two lines, eliminated along the two axes where d1 x d2 is best
// conditioned; the point lies on B's line.
int solveCrossing(const Lin& a, const Lin& b, VqGePoint3d& pnt) {
    const VqGePoint3d o1 = a.pointOnLine(), o2 = b.pointOnLine();
    const VqGeVector3d d1 = a.direction(), d2 = b.direction();
    const unsigned int k = (d1.crossProduct(d2).largestElement() + 1) % 3;
    const unsigned int j = (k + 1) % 3;
    const double denom = d1[j] * d2[k] - d1[k] * d2[j];
    if (denom == 0.0) return 0;
    const double s = (d1[j] * (o1[k] - o2[k]) - d1[k] * (o1[j] - o2[j])) / denom;
    if (!std::isfinite(s)) return 0;
    pnt = b.pointAt(s);
    return 1;
}

void solvePair(const Lin& a, const Lin& b, const VqGeVector3d& projDir, const VqGeTol& tol,
               PairResult& res) {
    VqGeTolScale scale(tol);
    addToScale(scale, a);
    addToScale(scale, b);
    scale.check(projDir);
    if (!scale.isFinite()) return;
    const double eps = scale.pointTol();
    res.eps = eps;
    const int aPoint = isPointLike(a, eps, tol);
    if (aPoint || isPointLike(b, eps, tol)) {
        touchPointLike(a, b, aPoint, eps, res);
        return;
    }
    if (overlapStretch(a, b, eps, tol, res)) return;
    const Ends ea = endsOf(a), eb = endsOf(b);
    if (isCollinear(a, b, ea, eb, eps, tol)) {
        findJoint(a, b, ea, eb, eps, res);
        return;
    }
    const int leftRight = a.direction().crossProduct(b.direction()).dotProduct(projDir) > 0.0;
    res.config1 = leftRight ? VqGe::kLeftRight : VqGe::kRightLeft;
    res.config2 = leftRight ? VqGe::kRightLeft : VqGe::kLeftRight;
    if (findJoint(a, b, ea, eb, eps, res)) return;
    VqGePoint3d pnt;
    if (!solveCrossing(a, b, pnt)) return;
    const double epsP = scale.add(pnt).pointTol();
    if (distToEntity(a, pnt) > epsP || distToEntity(b, pnt) > epsP) return;
    res.eps = epsP;
    setPoint(res, pnt, a.paramOf(pnt, VqGeContext::gTol), b.paramOf(pnt, tol));
}

double farParam(const VqGeImpInterval& iv, int upper) {
    if (upper) return iv.isBoundedAbove() ? iv.upperBound() : kFar;
    return iv.isBoundedBelow() ? iv.lowerBound() : -kFar;
}
}  // namespace

// Points only, without a record (no allocation): a common stretch gives no point, a touch
// of two collinear entities does.
int VqGeImpLinearEnt3d::intersectWithLine(const VqGeImpLinearEnt3d& other, VqGePoint3d& pnt,
                                          const VqGeTol& tol) const {
    PairResult res;
    const VqGeVector3d noDir(0, 0, 0);
    if (precedes(other, *this))
        solvePair(other, *this, noDir, tol, res);
    else
        solvePair(*this, other, noDir, tol, res);
    if (res.kind != 1) return 0;
    pnt = res.pnt;
    return 1;
}

int VqGeImpLinearEnt3d::intersectLinear(const VqGeImpLinearEnt3d& other,
                                        const VqGeVector3d& projDir, VqGeCurveIntData& data,
                                        const VqGeTol& tol) const {
    const int swapped = precedes(other, *this);
    PairResult res;
    if (swapped)
        solvePair(other, *this, projDir, tol, res);
    else
        solvePair(*this, other, projDir, tol, res);
    if (res.kind == 1) {
        if (swapped)
            data.addIntPoint(res.pnt, res.t2, res.t1, res.config2, res.config1, res.eps);
        else
            data.addIntPoint(res.pnt, res.t1, res.t2, res.config1, res.config2, res.eps);
        return 1;
    }
    if (res.kind != 2) return 0;
    const VqGeImpInterval& mine = swapped ? res.range2 : res.range1;
    const VqGeImpInterval& theirs = swapped ? res.range1 : res.range2;
    // Start and end are this entity's points at its range ends.
    data.addOverlap(mine, theirs, pointAt(farParam(mine, 0)), pointAt(farParam(mine, 1)),
                    res.same);
    return 1;
}
