// Overlap of two curves on one carrier: each curve's end points are mapped onto the other,
// the common parameter ranges are formed and recorded as overlaps, or as a single touching
// point when a common part shrinks to one point.
//
// Notation: a0, a1 are the parameters on this curve of the other's start and end; a range
// end at +-kFar stands for an unbounded side.
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "vqge_curveintdata.h"

namespace {
const double kFar = 1e50;

int isFar(double t) {
    return t <= -kFar || t >= kFar;
}

VqGePoint3d pointOf(const VqGeImpCurve3d& crv, double t) {
    return const_cast<VqGeImpCurve3d&>(crv).evalPoint(t);  // evaluation leaves it as is
}

VqGeImpInterval rangeOf(double lo, double hi) {
    if (isFar(lo) && isFar(hi)) return VqGeImpInterval();
    if (isFar(lo)) return VqGeImpInterval(0, hi);
    if (isFar(hi)) return VqGeImpInterval(1, lo);
    return VqGeImpInterval(lo, hi);
}

void clampTo(const VqGeImpInterval& intrvl, double& lo, double& hi) {
    if (intrvl.isBoundedBelow() && lo < intrvl.lowerBound()) lo = intrvl.lowerBound();
    if (intrvl.isBoundedAbove() && hi > intrvl.upperBound()) hi = intrvl.upperBound();
}
}  // namespace

double VqGeImpCurve3d::snapOverlapParam(double param, const VqGeImpCurve3d& other,
                                        double otherParam, int isStart, const VqGeTol& tol) const {
    VqGeImpInterval intrvl;
    VqGePoint3d start, end;
    getInterval(intrvl, start, end);
    const int closed = isClosed(VqGeContext::gTol);
    const VqGePoint3d pnt = pointOf(*this, param);
    if (intrvl.isBoundedBelow() && pnt.isEqualTo(start, tol)) {
        if (!closed) return intrvl.lowerBound();
        // On a closed curve the joint is both ends: the other curve's way decides.
        VqGeImpPointOnCurve3d mine(this, param), theirs(&other, otherParam);
        VqGeVector3d dir = theirs.deriv(1);
        if (!isStart) dir = -dir;
        return mine.deriv(1).dotProduct(dir) > 0.0 ? intrvl.lowerBound() : intrvl.upperBound();
    }
    if (intrvl.isBoundedAbove() && !closed && pnt.isEqualTo(end, tol)) return intrvl.upperBound();
    return param;
}

void VqGeImpCurve3d::getOverlapParams(const VqGeImpCurve3d& other, int sameDirection,
                                      double& atStart, double& atEnd, const VqGeTol& tol) const {
    VqGeImpInterval intrvl;
    VqGePoint3d start, end;
    other.getInterval(intrvl, start, end);
    if (intrvl.isBoundedBelow())
        atStart = snapOverlapParam(paramOf(start, tol), other, intrvl.lowerBound(), 1, tol);
    else
        atStart = sameDirection ? -kFar : kFar;
    if (intrvl.isBoundedAbove())
        atEnd = snapOverlapParam(paramOf(end, tol), other, intrvl.upperBound(), 0, tol);
    else
        atEnd = sameDirection ? kFar : -kFar;
}

// Case analysis: the other curve covers this one from a0 to a1 (forwards when both run the
// same way). On a curve that is not closed that is the range between them. On a closed curve
// a cover that passes the joint (a0 > a1 running forwards, a0 < a1 backwards) gives two
// candidates, one at each end of the interval; a candidate whose middle is not on the other
// curve is dropped. Each candidate is mapped back onto the other curve through its ends.
int VqGeImpCurve3d::overlap(const VqGeImpCurve3d& other, VqGeCurveIntData& data,
                            const VqGeTol& tol) const {
    data.reset();
    int same = 1;
    if (!unboundedOverlap(other, same, tol)) return 0;
    VqGeImpInterval mine, theirs;
    getInterval(mine, 0, 0);
    other.getInterval(theirs, 0, 0);
    if (type(0) == VqGe::kOffsetCurve3d && other.type(0) == VqGe::kOffsetCurve3d &&
        offsetBaseCurve() && offsetBaseCurve() == other.offsetBaseCurve() &&
        mine.isDisjoint(theirs))
        return 0;
    double a0, a1;
    getOverlapParams(other, same, a0, a1, tol);
    const int closed = isClosed(VqGeContext::gTol);
    const int checkMiddle = closed || other.isClosed(VqGeContext::gTol);
    double cand[2][2];
    int numCand = 0;
    const int wraps = closed && !isFar(a0) && !isFar(a1) && (same ? a0 > a1 : a0 < a1);
    if (wraps) {
        const double from = same ? a0 : a1, to = same ? a1 : a0;
        cand[0][0] = from, cand[0][1] = mine.upperBound();
        cand[1][0] = mine.lowerBound(), cand[1][1] = to;
        numCand = 2;
    } else {
        cand[0][0] = a0 < a1 ? a0 : a1;
        cand[0][1] = a0 < a1 ? a1 : a0;
        numCand = 1;
    }
    for (int c = 0; c < numCand; ++c) {
        double lo = cand[c][0], hi = cand[c][1];
        clampTo(mine, lo, hi);
        const VqGePoint3d pLo = pointOf(*this, lo), pHi = pointOf(*this, hi);
        const int single = !isFar(lo) && !isFar(hi) && pLo.isEqualTo(pHi, tol);
        if (hi < lo && !single) continue;
        if (checkMiddle && !isFar(lo) && !isFar(hi) &&
            !other.isOn(pointOf(*this, 0.5 * (lo + hi)), tol))
            continue;
        // The same stretch on the other curve.
        double uLo = isFar(lo) ? (same ? lo : -lo)
                               : other.snapOverlapParam(other.paramOf(pLo, tol), *this, lo, 1, tol);
        double uHi = isFar(hi) ? (same ? hi : -hi)
                               : other.snapOverlapParam(other.paramOf(pHi, tol), *this, hi, 0, tol);
        if (single) {
            data.addIntPoint(pLo, lo, uLo, VqGe::kOverlapTouch, VqGe::kOverlapTouch,
                             tol.equalPoint());
            continue;
        }
        if (uLo > uHi) {
            const double swap = uLo;
            uLo = uHi;
            uHi = swap;
        }
        clampTo(theirs, uLo, uHi);
        data.addOverlap(rangeOf(lo, hi), rangeOf(uLo, uHi), pLo, pHi, same);
    }
    return data.numIntPoints() > 0 || data.numOverlap() > 0;
}
