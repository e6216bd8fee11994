// Composite curve: intersection with another curve, and of two ranges of the composite, by
// pairs of members.
//
// Notation: A the pieces of this curve over range 1 and B those of the other curve over
// range 2 (the other curve is split the same way when it is a composite, otherwise it is one
// piece); a piece is a member, its sub-interval and its index in the chain. g1, g2 are
// composite parameters, p1, p2 member parameters.
//
// Outcomes written into the record, in this curve's order (the record's reversed flag is
// honoured on insertion):
// - a crossing or touching point found by a member pair, once, with its composite
//   parameters; the same point reported by the two members on either side of a joint (or by
//   the last and the first member of a closed chain) is merged into one, whose configuration
//   is then taken from the members on either side: the same side before and after the joint
//   of the other curve is a touching (16 left, 32 right), otherwise a crossing (4 or 8);
// - an overlap of a member pair, clipped to the pieces' sub-intervals; overlaps of adjacent
//   members that continue each other are joined into one overlap of the chain;
// - points lying on a reported overlap are dropped (the overlap stands for them);
// - for two ranges of the same composite, the points where the curve only meets itself at
//   one parameter (the ranges touch) are dropped.
// Result: 1 when anything was recorded.
#include <cmath>

#include "compound/imp_composite_curve3d.h"
#include "curves/imp_bound_block3d.h"
#include "curves/vqge_tol_scale.h"
#include "vqge_curveintdata.h"

namespace {
struct Range {
    double lo, hi;
    int below, above;
};

struct Piece {
    const VqGeImpCurve3d* crv;
    Range sub;
    const VqGeImpCompositeCurve3d* chain;  // null for a curve that is not a composite
    int index;                             // in the chain
};

struct Hit {
    VqGePoint3d pnt;
    double g1, g2;
    int c1, c2;
    double tol;
};

struct Lap {
    Range r1, r2;
    VqGePoint3d start, end;
    int same;
};

Range toRange(const VqGeImpInterval& i) {
    Range r = {i.lowerBound(), i.upperBound(), i.isBoundedBelow(), i.isBoundedAbove()};
    return r;
}

VqGeImpInterval toInterval(const Range& r) {
    VqGeImpInterval i(1e-12);
    if (r.below) i.setLower(r.lo);
    if (r.above) i.setUpper(r.hi);
    return i;
}

VqGePoint3d pointOf(const VqGeImpCurve3d& crv, double t) {
    return const_cast<VqGeImpCurve3d&>(crv).evalPoint(t);  // evaluation leaves it as is
}

VqGeVector3d tangentOf(const VqGeImpCurve3d& crv, double t) {
    VqArray<VqGeVector3d> d;
    const_cast<VqGeImpCurve3d&>(crv).evalPoint(t, 1, d);
    return d.isEmpty() ? VqGeVector3d() : d[0];
}

const VqGeImpCompositeCurve3d* asComposite(const VqGeImpCurve3d& crv) {
    return crv.isKindOf(VqGe::kCompositeCurve3d, 0)
               ? static_cast<const VqGeImpCompositeCurve3d*>(&crv)
               : nullptr;
}

// Two parameters at one spot: composite parameters run like lengths, so the point tolerance
// serves, widened by the rounding of large values.
int nearParam(double a, double b, const VqGeTol& tol) {
    const double m = std::fabs(a) > std::fabs(b) ? std::fabs(a) : std::fabs(b);
    return std::fabs(a - b) <= 10.0 * tol.equalPoint() + 1e-9 * (m > 1.0 ? m : 1.0);
}

void splitPieces(const VqGeImpCurve3d& crv, const VqGeImpInterval& range, VqArray<Piece>& out) {
    out.removeAll();
    const VqGeImpCompositeCurve3d* comp = asComposite(crv);
    if (!comp) {
        Piece p = {&crv, toRange(range), nullptr, -1};
        out.append(p);
        return;
    }
    int first, last;
    VqGeImpInterval firstInt, lastInt;
    VqGePoint3d p1, p2, p3, p4;
    comp->intervalCurveRange(range, first, last, firstInt, lastInt, p1, p2, p3, p4,
                             VqGeContext::gTol);
    for (int i = first; i <= last; ++i) {
        VqGeImpInterval sub;
        comp->memberSubInterval(i, first, last, firstInt, lastInt, sub);
        Piece p = {comp->curveAt(i), toRange(sub), comp, i};
        out.append(p);
    }
}

// A piece over its member's whole interval keeps whatever the member reports; a narrower
// one keeps the parameters within its sub-interval.
int withinPiece(const Piece& p, double t, const VqGeTol& tol) {
    VqGeImpInterval own;
    p.crv->getInterval(own, 0, 0);
    if (p.sub.below && !(own.isBoundedBelow() && own.lowerBound() == p.sub.lo) && t < p.sub.lo &&
        !nearParam(t, p.sub.lo, tol))
        return 0;
    if (p.sub.above && !(own.isBoundedAbove() && own.upperBound() == p.sub.hi) && t > p.sub.hi &&
        !nearParam(t, p.sub.hi, tol))
        return 0;
    return 1;
}

// Clips r to the piece; 0 when nothing but a point is left.
int clipTo(Range& r, const Piece& p, const VqGeTol& tol) {
    int changed = 0;
    if (p.sub.below && (!r.below || r.lo < p.sub.lo)) {
        r.lo = p.sub.lo;
        r.below = 1;
        changed = 1;
    }
    if (p.sub.above && (!r.above || r.hi > p.sub.hi)) {
        r.hi = p.sub.hi;
        r.above = 1;
        changed = 1;
    }
    if (r.below && r.above && (r.hi < r.lo || nearParam(r.lo, r.hi, tol))) return -1;
    return changed;
}

double toGlobal(const Piece& p, double t) {
    return p.chain ? p.chain->localToGlobalParam(t, p.index) : t;
}

Range rangeToGlobal(const Piece& p, const Range& r) {
    Range g = r;
    g.lo = toGlobal(p, r.lo);
    g.hi = toGlobal(p, r.hi);
    return g;
}

// Box of a piece, for the rejection of disjoint pairs.
struct Box {
    VqGePoint3d lo, hi;
};

Box boxOf(const Piece& p) {
    const VqGeImpBoundBlock3d blk = p.crv->boundBlock(3, toInterval(p.sub), 0);
    Box b;
    blk.getMinMaxPoints(b.lo, b.hi);
    return b;
}

// The boxes are apart by more than the tolerance, or than the rounding of their coordinates
// where that is larger: the boxes of two members meeting end to end come from different
// numbers (an end point, a hull of control points) and may part by a few units in the last
// place at their joint.
int disjoint(const Box& a, const Box& b, double pointTol) {
    VqGeTol base;
    base.setEqualPoint(pointTol);
    const double tol = 4.0 * VqGeTolScale(base).add(a.lo).add(a.hi).add(b.lo).add(b.hi).pointTol();
    return a.hi.x + tol < b.lo.x || b.hi.x + tol < a.lo.x || a.hi.y + tol < b.lo.y ||
           b.hi.y + tol < a.lo.y || a.hi.z + tol < b.lo.z || b.hi.z + tol < a.lo.z;
}

// What the joint handling needs to know about one of the two curves.
struct CurveInfo {
    const VqGeImpCurve3d* crv;
    const VqGeImpCompositeCurve3d* chain;
    VqArray<double> breaks;
    VqGeImpInterval intrvl;
    int closed;
};

void initInfo(CurveInfo& info, const VqGeImpCurve3d& crv) {
    info.crv = &crv;
    info.chain = asComposite(crv);
    if (info.chain) info.chain->getSegParams(info.breaks);
    crv.getInterval(info.intrvl, 0, 0);
    info.closed = crv.isClosed(VqGeContext::gTol);
}

// Two parameters name one point of the curve: equal, or the two ends of a closed curve.
int sameSpot(const CurveInfo& info, double a, double b, const VqGeTol& tol) {
    if (nearParam(a, b, tol)) return 1;
    if (!info.closed || !info.intrvl.isBounded()) return 0;
    const double lo = info.intrvl.lowerBound(), hi = info.intrvl.upperBound();
    return (nearParam(a, lo, tol) && nearParam(b, hi, tol)) ||
           (nearParam(a, hi, tol) && nearParam(b, lo, tol));
}

// Two reports of one point name it by parameters this close: the members on either side of
// a joint each solve it to their own rounding, which on a short curve (a segment's [0, 1]
// over a thousandth of a unit) is far above an absolute parameter tolerance.
int sameReport(const CurveInfo& info, double a, double b, const VqGeTol& tol) {
    if (sameSpot(info, a, b, tol)) return 1;
    if (!info.intrvl.isBounded()) return 0;
    const double span = info.intrvl.upperBound() - info.intrvl.lowerBound();
    return std::fabs(a - b) <= 1e-6 * (span > 1.0 ? span : 1.0);
}

// g lies on a joint of the chain: the members before and after it (the last and the first
// for the joint of a closed chain).
int jointAt(const CurveInfo& info, double g, const VqGeTol& tol, int& left, int& right) {
    if (!info.chain) return 0;
    const int n = info.breaks.length() - 1;
    for (int k = 1; k < n; ++k) {
        if (nearParam(g, info.breaks[k], tol)) {
            left = k - 1;
            right = k;
            return 1;
        }
    }
    if (n >= 1 && info.closed &&
        (nearParam(g, info.breaks[0], tol) || nearParam(g, info.breaks[n], tol))) {
        left = n - 1;
        right = 0;
        return 1;
    }
    return 0;
}

void jointTangents(const CurveInfo& info, int left, int right, VqGeVector3d& before,
                   VqGeVector3d& after) {
    VqGeImpInterval a, b;
    info.chain->curveAt(left)->getInterval(a, 0, 0);
    info.chain->curveAt(right)->getInterval(b, 0, 0);
    before = tangentOf(*info.chain->curveAt(left), a.upperBound());
    after = tangentOf(*info.chain->curveAt(right), b.lowerBound());
}

// Configuration of a chain turning at a joint (tangent before, tangent after) against a
// curve of tangent t there; n is the side-deciding normal: the projection direction, or the
// plane of the turn, or of the first tangent and t. The chain crosses when it comes from one
// side and leaves to the other (4 when (before x t).n > 0, as a line crossing would give),
// touches when it comes and leaves on one side (16 left, 32 right); a tangent along t leaves
// the members' configuration as it was.
void jointConfig(const VqGeVector3d& before, const VqGeVector3d& after, const VqGeVector3d& t,
                 const VqGeVector3d& projDir, int& cChain, int& cOther) {
    VqGeVector3d n = projDir;
    if (n.isZeroLength()) n = before.crossProduct(after);
    if (n.isZeroLength()) n = before.crossProduct(t);
    if (n.isZeroLength()) return;
    const double sa = before.crossProduct(t).dotProduct(n);
    const double sb = after.crossProduct(t).dotProduct(n);
    if (sa > 0.0 && sb > 0.0) {
        cChain = VqGe::kLeftRight;
        cOther = VqGe::kRightLeft;
    } else if (sa < 0.0 && sb < 0.0) {
        cChain = VqGe::kRightLeft;
        cOther = VqGe::kLeftRight;
    } else if (sa > 0.0 && sb < 0.0) {
        cChain = cOther = VqGe::kLeftLeft;
    } else if (sa < 0.0 && sb > 0.0) {
        cChain = cOther = VqGe::kRightRight;
    }
}

int inRange(const Range& r, double g, const VqGeTol& tol) {
    if (r.below && g < r.lo && !nearParam(g, r.lo, tol)) return 0;
    if (r.above && g > r.hi && !nearParam(g, r.hi, tol)) return 0;
    return 1;
}

void sortRange(Range& r) {
    if (r.lo > r.hi) {
        const double t = r.lo;
        r.lo = r.hi;
        r.hi = t;
    }
}

// A member on a periodic parameter (an arc) may name a point of its range by a parameter a
// period away (an end angle given as its equivalent beyond a full turn); the chain maps its
// members' parameters linearly, so the parameter is taken back into the member's interval
// first, or the point lands a full turn's worth along the chain.
double intoMember(const Piece& p, double t, const VqGeTol& tol) {
    VqGeImpInterval own;
    p.crv->getInterval(own, 0, 0);
    double period = 0.0;
    if (!own.isBounded() || !p.crv->isPeriodic(period, 1) || !(period > 0.0) ||
        !std::isfinite(t))
        return t;
    const double lo = own.lowerBound(), hi = own.upperBound();
    if ((t >= lo || nearParam(t, lo, tol)) && (t <= hi || nearParam(t, hi, tol))) return t;
    // The equivalent nearest to the interval (on it when there is one).
    const double mid = 0.5 * (lo + hi);
    const double shifted = t - period * std::round((t - mid) / period);
    const double dOld = t < lo ? lo - t : t - hi;
    const double dNew = shifted < lo ? lo - shifted : (shifted > hi ? shifted - hi : 0.0);
    return dNew < dOld ? shifted : t;
}

// The member pair's record, clipped to the pieces and mapped to composite parameters.
void collectPair(const Piece& a, const Piece& b, const VqGeCurveIntData& rec, VqArray<Hit>& hits,
                 VqArray<Lap>& laps, const VqGeTol& tol) {
    for (int k = 0; k < rec.numIntPoints(); ++k) {
        double pa, pb;
        rec.getIntParams(k, pa, pb);
        pa = intoMember(a, pa, tol);
        pb = intoMember(b, pb, tol);
        if (!withinPiece(a, pa, tol) || !withinPiece(b, pb, tol)) continue;
        Hit h;
        h.pnt = rec.intPnt(k);
        h.g1 = toGlobal(a, pa);
        h.g2 = toGlobal(b, pb);
        rec.getIntConfigs(k, h.c1, h.c2);
        h.tol = rec.intTol(k);
        hits.append(h);
    }
    for (int k = 0; k < rec.numOverlap(); ++k) {
        VqGeImpInterval ra, rb;
        Lap lap;
        if (!rec.getOverlap(k, ra, rb, lap.start, lap.end, lap.same)) continue;
        lap.r1 = toRange(ra);
        lap.r2 = toRange(rb);
        const int cut1 = clipTo(lap.r1, a, tol);
        if (cut1 < 0) continue;
        if (cut1 > 0 && lap.r1.below && lap.r1.above) {
            lap.start = pointOf(*a.crv, lap.r1.lo);
            lap.end = pointOf(*a.crv, lap.r1.hi);
            Range r = {b.crv->paramOf(lap.start, tol), b.crv->paramOf(lap.end, tol), 1, 1};
            sortRange(r);
            lap.r2 = r;
        }
        const int cut2 = clipTo(lap.r2, b, tol);
        if (cut2 < 0) continue;
        if (cut2 > 0 && lap.r2.below && lap.r2.above) {
            lap.start = pointOf(*b.crv, lap.same ? lap.r2.lo : lap.r2.hi);
            lap.end = pointOf(*b.crv, lap.same ? lap.r2.hi : lap.r2.lo);
            Range r = {a.crv->paramOf(lap.start, tol), a.crv->paramOf(lap.end, tol), 1, 1};
            sortRange(r);
            lap.r1 = r;
        }
        lap.r1 = rangeToGlobal(a, lap.r1);
        lap.r2 = rangeToGlobal(b, lap.r2);
        laps.append(lap);
    }
}

// Overlaps in the order of the first curve; one that continues the previous on both curves
// (same direction, touching ranges) is joined to it.
void joinLaps(VqArray<Lap>& laps, const VqGeTol& tol) {
    for (int i = 1; i < laps.length(); ++i) {
        const Lap cur = laps[i];
        int j = i - 1;
        while (j >= 0 && laps[j].r1.lo > cur.r1.lo) {
            laps[j + 1] = laps[j];
            --j;
        }
        laps[j + 1] = cur;
    }
    for (int i = 0; i + 1 < laps.length();) {
        Lap& a = laps[i];
        const Lap& b = laps[i + 1];
        const int next1 = a.r1.above && b.r1.below && nearParam(a.r1.hi, b.r1.lo, tol);
        const int next2 = a.same ? a.r2.above && b.r2.below && nearParam(a.r2.hi, b.r2.lo, tol)
                                 : a.r2.below && b.r2.above && nearParam(a.r2.lo, b.r2.hi, tol);
        if (!(next1 && next2 && a.same == b.same)) {
            ++i;
            continue;
        }
        a.r1.hi = b.r1.hi;
        a.r1.above = b.r1.above;
        if (a.same) {
            a.r2.hi = b.r2.hi;
            a.r2.above = b.r2.above;
        } else {
            a.r2.lo = b.r2.lo;
            a.r2.below = b.r2.below;
        }
        a.end = b.end;
        laps.removeAt(i + 1);
    }
}
}  // namespace

int VqGeImpCompositeCurve3d::intersectRanges(const VqGeImpInterval& range1,
                                             const VqGeImpCurve3d& other,
                                             const VqGeImpInterval& range2,
                                             const VqGeVector3d& projDir, VqGeCurveIntData& data,
                                             const VqGeTol& tol) const {
    data.reset();
    VqArray<Piece> pa, pb;
    splitPieces(*this, range1, pa);
    splitPieces(other, range2, pb);
    if (pa.isEmpty() || pb.isEmpty()) return 0;
    const int self = &other == this;
    VqArray<Box> boxes(pb.length(), 8);
    for (int j = 0; j < pb.length(); ++j) boxes.append(boxOf(pb[j]));
    VqArray<Hit> hits;
    VqArray<Lap> laps;
    for (int i = 0; i < pa.length(); ++i) {
        const Piece& a = pa[i];
        const Box boxA = boxOf(a);
        for (int j = 0; j < pb.length(); ++j) {
            const Piece& b = pb[j];
            if (disjoint(boxA, boxes[j], tol.equalPoint())) continue;
            VqGeCurveIntData rec;
            if (self && a.index == b.index)
                a.crv->intersectWith(toInterval(a.sub), toInterval(b.sub), projDir, rec, tol);
            else
                a.crv->intersectWith(*b.crv, projDir, rec, tol);
            collectPair(a, b, rec, hits, laps, tol);
        }
    }
    joinLaps(laps, tol);

    CurveInfo mine, theirs;
    initInfo(mine, *this);
    initInfo(theirs, other);
    for (int i = 0; i < hits.length();) {
        const Hit& h = hits[i];
        int drop = self && sameSpot(mine, h.g1, h.g2, tol);
        for (int k = 0; !drop && k < laps.length(); ++k)
            drop = inRange(laps[k].r1, h.g1, tol) && inRange(laps[k].r2, h.g2, tol);
        // Two members meeting at a joint each compute the joint from their own numbers: at
        // drawing scale the two copies differ by the rounding of the coordinates.
        for (int k = 0; !drop && k < i; ++k)
            drop = hits[k].pnt.isEqualTo(h.pnt, VqGeTolScale(tol).add(h.pnt).tol()) &&
                   sameReport(mine, hits[k].g1, h.g1, tol) &&
                   sameReport(theirs, hits[k].g2, h.g2, tol);
        if (drop)
            hits.removeAt(i);
        else
            ++i;
    }
    for (int i = 0; i < hits.length(); ++i) {
        Hit& h = hits[i];
        int left, right;
        VqGeVector3d before, after;
        if (jointAt(mine, h.g1, tol, left, right)) {
            jointTangents(mine, left, right, before, after);
            jointConfig(before, after, tangentOf(other, h.g2), projDir, h.c1, h.c2);
        } else if (jointAt(theirs, h.g2, tol, left, right)) {
            jointTangents(theirs, left, right, before, after);
            jointConfig(before, after, tangentOf(*this, h.g1), projDir, h.c2, h.c1);
        }
    }
    for (int i = 0; i < hits.length(); ++i) {
        const Hit& h = hits[i];
        data.addIntPoint(h.pnt, h.g1, h.g2, h.c1, h.c2, h.tol);
    }
    for (int i = 0; i < laps.length(); ++i) {
        const Lap& l = laps[i];
        data.addOverlap(toInterval(l.r1), toInterval(l.r2), l.start, l.end, l.same);
    }
    return data.numIntPoints() > 0 || data.numOverlap() > 0;
}

int VqGeImpCompositeCurve3d::intersectWith(const VqGeImpCurve3d& other, const VqGeVector3d& projDir,
                                           VqGeCurveIntData& data, const VqGeTol& tol) const {
    VqGeImpInterval theirs(1e-12);
    other.getInterval(theirs, 0, 0);
    return intersectRanges(mInterval, other, theirs, projDir, data, tol);
}

int VqGeImpCompositeCurve3d::intersectWith(const VqGeImpInterval& range1,
                                           const VqGeImpInterval& range2,
                                           const VqGeVector3d& projDir, VqGeCurveIntData& data,
                                           const VqGeTol& tol) const {
    return intersectRanges(range1, *this, range2, projDir, data, tol);
}
