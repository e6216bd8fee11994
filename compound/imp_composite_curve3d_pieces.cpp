// Composite curve: the members over a parameter range with their sub-intervals, explosion
// into pieces, splitting and bounding blocks.
#include "compound/imp_composite_curve3d.h"
#include "curves/imp_bound_block3d.h"

namespace {
const double kBlockSwell = 1e-8;

// The range's bounds; an unbounded side is taken at the chain's end break.
void rangeBounds(const VqGeImpInterval& range, const VqArray<double>& breaks, double& lo,
                 double& hi) {
    lo = range.isBoundedBelow() ? range.lowerBound() : breaks[0];
    hi = range.isBoundedAbove() ? range.upperBound() : breaks[breaks.length() - 1];
}

VqGePoint3d pointOf(const VqGeImpCurve3d& crv, double t) {
    return const_cast<VqGeImpCurve3d&>(crv).evalPoint(t);  // evaluation leaves it as is
}
}  // namespace

// A range that starts at the very end of a member moves on to the next member, one that ends
// at the very start of a member moves back, so no member takes part with a single point. The
// end test compares points, but a member whose start and end coincide (a closed member) only
// moves on when the parameter is at that end; and the moves never wrap round the chain, which
// would turn a range that starts at the chain's end into the whole chain.
void VqGeImpCompositeCurve3d::intervalCurveRange(const VqGeImpInterval& range, int& first,
                                                 int& last, VqGeImpInterval& firstInt,
                                                 VqGeImpInterval& lastInt, VqGePoint3d& p1,
                                                 VqGePoint3d& p2, VqGePoint3d& p3, VqGePoint3d& p4,
                                                 const VqGeTol& tol) const {
    const int n = mMembers.length();
    first = 0;
    last = -1;
    if (n == 0) return;
    double g0, g1;
    rangeBounds(range, mBreaks, g0, g1);
    int i0, i1;
    double scale;
    const double l0 = globalToLocalParam(g0, i0, scale);
    const double l1 = globalToLocalParam(g1, i1, scale);

    VqGePoint3d e;
    p1 = pointOf(*curveAt(i0), l0);
    curveAt(i0)->getInterval(firstInt, p2, e);
    double lo, hi;
    memberRange(*curveAt(i0), lo, hi);
    if (p1.isEqualTo(e, tol) && hi - l0 <= l0 - lo) {
        ++i0;
        if (i0 < n) curveAt(i0)->getInterval(firstInt, 0, 0);
        p2 = p1;
    } else {
        firstInt.setLower(l0);
    }

    VqGePoint3d s;
    p3 = pointOf(*curveAt(i1), l1);
    curveAt(i1)->getInterval(lastInt, s, p4);
    memberRange(*curveAt(i1), lo, hi);
    if (p3.isEqualTo(s, tol) && l1 - lo <= hi - l1) {
        --i1;
        if (i1 >= 0) curveAt(i1)->getInterval(lastInt, 0, 0);
        p4 = p3;
    } else {
        lastInt.setUpper(l1);
    }

    if (i0 == i1) {
        const VqGeImpInterval a(firstInt), b(lastInt);
        firstInt = a;
        if (b.isBoundedAbove()) firstInt.setUpper(b.upperBound());
        lastInt = firstInt;
    }
    first = i0;
    last = i1;
}

void VqGeImpCompositeCurve3d::memberSubInterval(int i, int first, int last,
                                                const VqGeImpInterval& firstInt,
                                                const VqGeImpInterval& lastInt,
                                                VqGeImpInterval& sub) const {
    if (i == first)
        sub = firstInt;
    else if (i == last)
        sub = lastInt;
    else
        curveAt(i)->getInterval(sub, 0, 0);
}

void VqGeImpCompositeCurve3d::getIntervalCurves(const VqGeImpInterval& range,
                                                VqArray<void*>& curves, VqGeImpInterval& firstInt,
                                                VqGeImpInterval& lastInt, VqGePoint3d& p1,
                                                VqGePoint3d& p2, VqGePoint3d& p3, VqGePoint3d& p4,
                                                const VqGeTol& tol) const {
    int first, last;
    intervalCurveRange(range, first, last, firstInt, lastInt, p1, p2, p3, p4, tol);
    curves.removeAll();
    for (int i = first; i <= last; ++i) curves.append(mMembers[i]);
}

// A member cut by the range's start or end becomes a new piece over its part of the range.
// PENDING: such a piece is to be a zero-distance offset of the member restricted to that
// part, once offset curves exist; until then it is a copy of the member with that interval.
int VqGeImpCompositeCurve3d::explode(VqArray<void*>& curves, VqArray<int>& isNew,
                                     const VqGeImpInterval* intrvl) const {
    curves.removeAll();
    isNew.removeAll();
    int first, last;
    VqGeImpInterval firstInt, lastInt;
    VqGePoint3d p1, p2, p3, p4;
    intervalCurveRange(intrvl ? *intrvl : mInterval, first, last, firstInt, lastInt, p1, p2, p3, p4,
                       VqGeContext::gTol);
    for (int i = first; i <= last; ++i) {
        const VqGeImpCurve3d* member = curveAt(i);
        VqGeImpInterval sub;
        memberSubInterval(i, first, last, firstInt, lastInt, sub);
        VqArray<void*> pieces;
        VqArray<int> flags;
        if (member->explode(pieces, flags, &sub)) {
            for (int k = 0; k < pieces.length(); ++k) {
                curves.append(pieces[k]);
                isNew.append(k < flags.length() ? flags[k] : 0);
            }
            continue;
        }
        const int cut = (i == first && !p1.isEqualTo(p2, VqGeContext::gTol)) ||
                        (i == last && !p3.isEqualTo(p4, VqGeContext::gTol));
        VqGeImpCurve3d* piece = cut ? static_cast<VqGeImpCurve3d*>(member->copy()) : nullptr;
        if (piece) {
            piece->setInterval(sub, 0);
            curves.append(piece);
            isNew.append(1);
        } else {
            curves.append(const_cast<VqGeImpCurve3d*>(member));
            isNew.append(0);
        }
    }
    return 1;
}

// A parameter on a bound of the interval (within its tolerance) would leave an empty piece:
// like one outside the interval it gives no pieces.
void VqGeImpCompositeCurve3d::getSplitCurves(double param, VqGeImpCurve3d*& piece1,
                                             VqGeImpCurve3d*& piece2) const {
    piece1 = piece2 = nullptr;
    if (mMembers.isEmpty() || !mInterval.contains(param) || mInterval.isEqualAtLower(param) ||
        mInterval.isEqualAtUpper(param))
        return;
    VqGeImpCompositeCurve3d* a = new VqGeImpCompositeCurve3d(*this);
    VqGeImpCompositeCurve3d* b = a ? new VqGeImpCompositeCurve3d(*this) : nullptr;
    if (!a || !b || a->numCurves() != numCurves() || b->numCurves() != numCurves()) {
        delete a;
        delete b;
        return;
    }
    setEntityType(*a, VqGe::kCompositeCurve3d, VqGe::kCompositeCurve2d);
    setEntityType(*b, VqGe::kCompositeCurve3d, VqGe::kCompositeCurve2d);
    VqGeImpInterval lower(mInterval), upper(mInterval);
    lower.setUpper(param);
    upper.setLower(param);
    a->setInterval(lower, 0);
    b->setInterval(upper, 0);
    piece1 = a;
    piece2 = b;
}

VqGeImpBoundBlock3d VqGeImpCompositeCurve3d::boundBlock(int dim, const VqGeImpInterval& intrvl,
                                                        int oriented) const {
    int first, last;
    VqGeImpInterval firstInt, lastInt;
    VqGePoint3d p1, p2, p3, p4;
    intervalCurveRange(intrvl, first, last, firstInt, lastInt, p1, p2, p3, p4, VqGeContext::gTol);
    VqArray<VqGePoint3d> corners(8 * (last - first + 1 > 0 ? last - first + 1 : 1), 8);
    for (int i = first; i <= last; ++i) {
        VqGeImpInterval sub;
        memberSubInterval(i, first, last, firstInt, lastInt, sub);
        const VqGeImpBoundBlock3d blk = curveAt(i)->boundBlock(dim, sub, oriented);
        VqGePoint3d base;
        VqGeVector3d d[3];
        blk.get(base, d[0], d[1], d[2]);
        for (int mask = 0; mask < 8; ++mask) {
            VqGePoint3d c = base;
            for (int k = 0; k < 3; ++k)
                if (mask & (1 << k)) c += d[k];
            corners.append(c);
        }
    }
    VqGeImpBoundBlock3d block;
    if (corners.isEmpty()) {
        block.set(VqGePoint3d(), VqGePoint3d());
    } else if (oriented) {
        block.set(corners, VqGeContext::gTol.equalPoint());
    } else {
        VqGePoint3d lo = corners[0], hi = corners[0];
        for (int i = 1; i < corners.length(); ++i) {
            const VqGePoint3d& c = corners[i];
            if (c.x < lo.x) lo.x = c.x;
            if (c.y < lo.y) lo.y = c.y;
            if (c.z < lo.z) lo.z = c.z;
            if (c.x > hi.x) hi.x = c.x;
            if (c.y > hi.y) hi.y = c.y;
            if (c.z > hi.z) hi.z = c.z;
        }
        block.set(lo, hi);
    }
    block.swell(kBlockSwell);
    return block;
}
