// Elliptic arc against a plane: the crossing points.
//
// Outcomes: no point (the arc's plane is parallel to the plane, or the ellipse stays on one
// side); one tangent point (the ellipse only touches the plane, or dips through it by no
// more than the tolerance: both crossings are then the same point within tolerance and are
// reported once, at the touching point); two crossing points. Points off the arc's range or
// outside a bounded plane are dropped.
//
// Notation: n the unit plane normal, q a point of the plane; α = n·A, β = n·B,
// γ = n·(center − q), E = √(α² + β²), φ0 = atan2(β, α). The signed distance of the arc point
// at angle θ is γ + E cos(θ − φ0); the ellipse reaches E − |γ| through the plane.
#include <cmath>

#include "curves/imp_ellip_arc3d.h"
#include "surfaces/imp_planar_ent.h"

namespace {
const double kParallelPlane = 1e-15;
}  // namespace

int VqGeImpEllipArc3d::planeParams(const VqGeVector3d& n, const VqGePoint3d& q,
                                   double params[2], VqGePoint3d pts[2], int& tangentFlag,
                                   double slack) const {
    return planeParams(n, n.dotProduct(mCenter - q), params, pts, tangentFlag, slack);
}

// The half angle h comes from atan2 of the two legs, well conditioned even for shallow
// crossings where the cosine form loses digits. The points take the cosine and sine of
// φ0 ± h from the sum formulas, so only the parameters need an arctangent.
int VqGeImpEllipArc3d::planeParams(const VqGeVector3d& n, double gamma, double params[2],
                                   VqGePoint3d pts[2], int& tangentFlag, double slack) const {
    tangentFlag = 0;
    const double alpha = n.dotProduct(mMajorAxis) * mMajorRadius;
    const double beta = n.dotProduct(mMinorAxis) * mMinorRadius;
    const double e = std::sqrt(alpha * alpha + beta * beta);
    if (!(e >= kParallelPlane) || !std::isfinite(gamma)) return 0;
    const double c0 = alpha / e, s0 = beta / e;
    const VqGeVector3d a = mMajorAxis * mMajorRadius, b = mMinorAxis * mMinorRadius;
    const double depth = e - std::fabs(gamma);
    if (std::fabs(depth) <= slack) {
        tangentFlag = 1;
        const double sign = gamma > 0.0 ? -1.0 : 1.0;
        pts[0] = mCenter + a * (sign * c0) + b * (sign * s0);
        params[0] = std::atan2(sign * s0, sign * c0) - mAngleOffset;
        return 1;
    }
    if (depth < 0.0) return 0;
    const double legA = -gamma, legB = std::sqrt(depth * (e + std::fabs(gamma)));
    const double hyp = std::sqrt(legA * legA + legB * legB);
    const double ch = legA / hyp, sh = legB / hyp;
    for (int k = 0; k < 2; ++k) {
        const double sg = k == 0 ? -1.0 : 1.0;
        const double c = c0 * ch - sg * s0 * sh, s = s0 * ch + sg * c0 * sh;
        pts[k] = mCenter + a * c + b * s;
        params[k] = std::atan2(s, c) - mAngleOffset;
    }
    return 2;
}

int VqGeImpEllipArc3d::intersectWithPlane(const VqGeImpPlanarEnt& pln, int& numInt,
                                          VqGePoint3d& p1, VqGePoint3d& p2, int& tangentFlag,
                                          const VqGeTol& tol) const {
    numInt = 0;
    tangentFlag = 0;
    const VqGeVector3d n = pln.normal();
    if (!(n.lengthSqrd() > 0.0)) return 0;
    double params[2];
    VqGePoint3d pts[2];
    const int num = planeParams(n / n.length(), pln.pointOnPlane(), params, pts, tangentFlag,
                                roundingTol(tol));
    VqGePoint3d* out[2] = {&p1, &p2};
    for (int i = 0; i < num; ++i) {
        double t = params[i];
        const VqGePoint3d& pnt = pts[i];
        if (!rangeWrap(mStartParam, mEndParam, t) && !isWithinBounds(pnt, tol)) continue;
        if (!pln.isWithinBounds(pnt, tol)) continue;
        *out[numInt++] = pnt;
    }
    if (numInt == 0) tangentFlag = 0;
    return numInt > 0;
}
