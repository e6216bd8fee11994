// Elliptic arc: axis-aligned and oriented bounding blocks in closed form.
//
// Notation: A, B the scaled axes, n = majorAxis × minorAxis; S, E the ends of the requested
// interval. Along a unit direction u the arc point center + cos θ A + sin θ B is extreme at
// θ = atan2(u·B, u·A), offset o = ((u·A) A + (u·B) B) / √((u·A)² + (u·B)²) from the centre.
#include <cmath>

#include "curves/imp_bound_block3d.h"
#include "curves/imp_ellip_arc3d.h"

namespace {
const double kBlockSwell = 1e-8;

VqGePoint3d footOnLine(const VqGePoint3d& p, const VqGePoint3d& base, const VqGeVector3d& unit) {
    return base + unit * (p - base).dotProduct(unit);
}
}  // namespace

VqGeImpBoundBlock3d VqGeImpEllipArc3d::boundBlock(int, const VqGeImpInterval& intrvl,
                                                  int oriented) const {
    // The block of the requested range, worked out on a copy so that the arc itself (and its
    // dependants) see no change.
    VqGeImpEllipArc3d arc(*this);
    if (intrvl.isBounded()) {
        arc.mStartParam = intrvl.lowerBound();
        arc.mEndParam = intrvl.upperBound() >= intrvl.lowerBound() ? intrvl.upperBound()
                                                                    : intrvl.lowerBound();
    }
    const VqGeVector3d a = mMajorAxis * mMajorRadius, b = mMinorAxis * mMinorRadius;
    const VqGeVector3d n = normal();
    const VqGePoint3d s = arc.startPoint(), e = arc.endPoint();
    // An angle of the ellipse on the arc's range (a whole turn is always inside).
    auto covers = [&](double angle) {
        double t = angle - mAngleOffset;
        return arc.mEndParam - arc.mStartParam >= kTwoPi ||
               rangeWrap(arc.mStartParam, arc.mEndParam, t);
    };
    VqGeImpBoundBlock3d block;
    VqGe::EntityId degenerateId;
    const int degenerate = arc.isDegenerate(degenerateId, VqGeContext::gTol);
    if (!oriented) {
        // A flat arc is bounded the same way: its extremes along each axis are where the
        // axis coordinate of the ellipse peaks, which the box of S and E alone would miss.
        block.set(s, e);
        VqGePoint3d lo = s, hi = s;
        block.getMinMaxPoints(lo, hi);
        for (unsigned int k = 0; k < 3; ++k) {
            const double h = std::sqrt(a[k] * a[k] + b[k] * b[k]);
            if (!(h > 0.0)) continue;
            const double top = std::atan2(b[k], a[k]);
            if (covers(top) && mCenter[k] + h > hi[k]) hi[k] = mCenter[k] + h;
            if (covers(top + kPi) && mCenter[k] - h < lo[k]) lo[k] = mCenter[k] - h;
        }
        block.set(lo, hi);
        block.swell(kBlockSwell);
        return block;
    }
    if (degenerate || arc.isClosed(VqGeContext::gTol)) {
        block.set(mCenter - a - b, a * 2.0, b * 2.0, VqGeVector3d(0, 0, 0));
        block.swell(kBlockSwell);
        return block;
    }
    const VqGeVector3d c = e - s;
    const double ev = VqGeContext::gTol.equalVector();
    if (c.crossProduct(n).lengthSqrd() <= ev * ev) {
        block.set(s, c, VqGeVector3d(0, 0, 0), VqGeVector3d(0, 0, 0));
        block.swell(kBlockSwell);
        return block;
    }
    auto extreme = [&](const VqGeVector3d& u, double& angle) {
        const double fa = u.dotProduct(a), fb = u.dotProduct(b);
        angle = std::atan2(fb, fa);
        const double len = std::sqrt(fa * fa + fb * fb);
        return len > 0.0 ? (a * fa + b * fb) / len : VqGeVector3d(0, 0, 0);
    };
    const VqGeVector3d f = c.crossProduct(n).normal(VqGeContext::gTol);
    double angleF;
    const VqGeVector3d o = extreme(f, angleF);
    VqGePoint3d q;
    if (covers(angleF))
        q = mCenter + o;
    else if (covers(angleF + kPi))
        q = mCenter - o;
    else
        q = arc.pointAt(0.5 * (arc.mStartParam + arc.mEndParam));
    const VqGeVector3d cu = c.normal(VqGeContext::gTol);
    double angleC;
    const VqGeVector3d oc = extreme(cu, angleC);
    VqGePoint3d first = mCenter - oc, second = mCenter + oc;
    double firstAngle = angleC + kPi, secondAngle = angleC;
    if (c.dotProduct(second - first) < 0.0) {
        const VqGePoint3d swap = first;
        first = second;
        second = swap;
        const double swapAngle = firstAngle;
        firstAngle = secondAngle;
        secondAngle = swapAngle;
    }
    first = covers(firstAngle) ? footOnLine(first, s, cu) : s;
    second = covers(secondAngle) ? footOnLine(second, s, cu) : e;
    const VqGePoint3d qFoot = footOnLine(q, first, cu);
    block.set(first, second - first, q - qFoot, VqGeVector3d(0, 0, 0));
    block.swell(kBlockSwell);
    return block;
}
