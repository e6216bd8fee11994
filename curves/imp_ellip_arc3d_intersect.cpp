// Elliptic arc: the intersection record against another curve, with configurations and
// tangency codes, and the self-intersections of an inward offset of the ellipse.
//
// Notation: w the projection direction, s = (n·w > 0) for this arc's normal n; T, T1, T2
// first derivatives at the point; d the line direction. Codes: 4 left-right, 8 right-left,
// 16 left-left, 32 right-right (tangent), 16384 end-to-end touch of one carrier.
#include <cmath>

#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "vqge_curveintdata.h"

namespace {
VqGeVector3d tangentAt(const VqGeImpEllipArc3d& arc, double t) {
    const double theta = VqGeImpEllipArc3d::adjustParam(arc.angleOffset() + t);
    return arc.minorAxis() * (arc.minorRadius() * std::cos(theta)) -
           arc.majorAxis() * (arc.majorRadius() * std::sin(theta));
}
}  // namespace

int VqGeImpEllipArc3d::intersectWith(const VqGeImpCurve3d& crv, const VqGeVector3d& projDir,
                                     VqGeCurveIntData& data, const VqGeTol& tol) const {
    data.reset();
    const int s = normal().dotProduct(projDir) > 0.0;
    VqGePoint3d pts[2];
    int num = 0, tangent = 0;
    if (crv.isKindOf(VqGe::kLinearEnt3d, 0)) {
        const VqGeImpLinearEnt3d& line = static_cast<const VqGeImpLinearEnt3d&>(crv);
        if (!intersectWithLine(line, num, pts[0], pts[1], tangent, tol)) return 0;
        const VqGeVector3d d = line.direction();
        for (int i = 0; i < num; ++i) {
            const double t = paramOf(pts[i], tol);
            const VqGeVector3d tan = tangentAt(*this, t);
            int cArc, cLine;
            if (tangent) {
                cLine = s ? VqGe::kRightRight : VqGe::kLeftLeft;
                cArc = (tan.dotProduct(d) > 0.0) == s ? VqGe::kLeftLeft : VqGe::kRightRight;
            } else {
                cArc = tan.crossProduct(d).dotProduct(projDir) > 0.0 ? VqGe::kLeftRight
                                                                     : VqGe::kRightLeft;
                cLine = cArc == VqGe::kLeftRight ? VqGe::kRightLeft : VqGe::kLeftRight;
            }
            data.addIntPoint(pts[i], t, line.paramOf(pts[i], tol), cArc, cLine, tol.equalPoint());
        }
        return 1;
    }
    if (crv.isKindOf(VqGe::kEllipArc3d, 0) && isCircular(tol) &&
        static_cast<const VqGeImpEllipArc3d&>(crv).isCircular(tol)) {
        const VqGeImpEllipArc3d& arc = static_cast<const VqGeImpEllipArc3d&>(crv);
        if (mCenter.isEqualTo(arc.mCenter, tol)) return overlap(arc, data, tol);
        if (!intersectWithArc(arc, num, pts[0], pts[1], tangent, tol)) return 0;
        const int sOther = arc.normal().dotProduct(projDir) > 0.0;
        for (int i = 0; i < num; ++i) {
            const double t1 = paramOf(pts[i], tol), t2 = arc.paramOf(pts[i], tol);
            int c1, c2;
            if (tangent) {
                c1 = arc.isInside(mCenter, tol) == sOther ? VqGe::kLeftLeft : VqGe::kRightRight;
                c2 = isInside(arc.mCenter, tol) == s ? VqGe::kLeftLeft : VqGe::kRightRight;
            } else {
                const VqGeVector3d c = tangentAt(*this, t1).crossProduct(tangentAt(arc, t2));
                c1 = c.dotProduct(projDir) > 0.0 ? VqGe::kLeftRight : VqGe::kRightLeft;
                // The second arc sees the crossing mirrored.
                c2 = c1 == VqGe::kLeftRight ? VqGe::kRightLeft : VqGe::kLeftRight;
            }
            data.addIntPoint(pts[i], t1, t2, c1, c2, tol.equalPoint());
        }
        return 1;
    }
    if (data.orderReversed()) return VqGeImpCurve3d::intersectWith(crv, projDir, data, tol);
    data.reverseOrder();
    const int result = crv.intersectWith(*this, projDir, data, tol);
    data.reverseOrder();
    return result;
}

int VqGeImpEllipArc3d::intersectWith(const VqGeImpInterval&, const VqGeImpInterval&,
                                     const VqGeVector3d&, VqGeCurveIntData& data,
                                     const VqGeTol&) const {
    data.reset();
    return 0;
}

// The inward offset of an ellipse by δ crosses itself where the offset points of two
// parameters symmetric about an axis meet on that axis.
int VqGeImpEllipArc3d::intersectSelf(VqGeCurveIntData& data, const VqGeVector3d& projDir,
                                     double offset, const VqGeTol& tol) const {
    data.reset();
    if (isCircular(tol)) return 0;
    if (offset * projDir.crossProduct(mMinorAxis).dotProduct(mMajorAxis) >= 0.0) return 0;
    const double delta = std::fabs(offset), a = mMajorRadius, b = mMinorRadius;
    const double den = a * a - b * b;
    if (!(den > 0.0)) return 0;
    double pairs[4][2];
    int num = 0;
    if ((mCenter + mMinorAxis * (delta - b)).isEqualTo(mCenter - mMinorAxis * (delta - b), tol)) {
        pairs[num][0] = 0.5 * kPi, pairs[num++][1] = 1.5 * kPi;
    } else {
        const double y = (b * b - delta * delta) / den;
        if (y > 0.0) {
            const double x = std::sqrt(y) * a / b;
            if (x < 1.0) {
                const double phi = std::acos(x);
                pairs[num][0] = kTwoPi - phi, pairs[num++][1] = phi;
                pairs[num][0] = kPi - phi, pairs[num++][1] = kPi + phi;
            }
        }
    }
    if ((mCenter + mMajorAxis * (delta - a)).isEqualTo(mCenter - mMajorAxis * (delta - a), tol)) {
        pairs[num][0] = 0.0, pairs[num++][1] = kPi;
    } else {
        const double y = (delta * delta - a * a) / den;
        if (y > 0.0) {
            const double x = std::sqrt(y) * b / a;
            if (x < 1.0) {
                const double phi = std::asin(x);
                pairs[num][0] = phi, pairs[num++][1] = kPi - phi;
                pairs[num][0] = kPi + phi, pairs[num++][1] = kTwoPi - phi;
            }
        }
    }
    const VqGeVector3d n = normal();
    for (int i = 0; i < num; ++i) {
        const double t1 = pairs[i][0] - mAngleOffset, t2 = pairs[i][1] - mAngleOffset;
        const VqGePoint3d c1 = pointAt(t1), c2 = pointAt(t2);
        if (!isWithinBounds(c1, tol) || !isWithinBounds(c2, tol) || c1.isEqualTo(c2, tol))
            continue;
        const VqGeVector3d u = n.crossProduct(tangentAt(*this, t1)).normal(VqGeContext::gTol);
        const VqGePoint3d q = c1 + u * delta;
        const int c = num == 1 ? VqGe::kRightRight : VqGe::kLeftRight;
        const int cOther = num == 1 ? VqGe::kRightRight : VqGe::kRightLeft;
        data.addIntPoint(q, normalizeParam(t1), normalizeParam(t2), c, cOther, tol.equalPoint());
    }
    return data.numIntPoints() > 0;
}
