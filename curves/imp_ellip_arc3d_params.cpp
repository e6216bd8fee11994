// Elliptic arc: angle reduction, parameter tests, closure, degeneracy and splitting.
#include <cmath>

#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "entity/imp_position3d.h"
#include "surfaces/imp_planar_ent.h"

namespace {
const double kAdjustFmod = 176.0;
const double kWindowTop = 6.1831853071795862;  // 2π − 0.1
const double kWindowBottom = -0.1;
const double kClosedSpan = 4.71238898038469;   // 3π/2
const double kPointSpan = 0.785398163397448279;  // π/4
}  // namespace

double VqGeImpEllipArc3d::adjustParam(double x) {
    if (std::fabs(x) > kAdjustFmod) x = std::fmod(x, kTwoPi);
    for (int i = 0; i < 64 && x >= kWindowTop; ++i) x -= kTwoPi;
    for (int i = 0; i < 64 && x < kWindowBottom; ++i) x += kTwoPi;
    return x;
}

// Whole turns are counted first so that far parameters do not loop; the last steps settle
// the rounding of the count.
int VqGeImpEllipArc3d::rangeWrap(double lower, double upper, double& t) {
    if (t < lower) {
        const double turns = std::floor((lower - t) / kTwoPi);
        if (std::isfinite(turns)) t += turns * kTwoPi;
        for (int i = 0; i < 4 && t < lower; ++i) t += kTwoPi;
    }
    if (t > upper) {
        const double turns = std::floor((t - upper) / kTwoPi);
        if (std::isfinite(turns)) t -= turns * kTwoPi;
        for (int i = 0; i < 4 && t > upper; ++i) t -= kTwoPi;
    }
    return t >= lower;
}

double VqGeImpEllipArc3d::normalizeParam(double t) const {
    const double t0 = t;
    rangeWrap(mStartParam, mEndParam, t);
    if (t < mStartParam && mEndParam < t0 && mStartParam - t > t0 - mEndParam) return t0;
    return t;
}

void VqGeImpEllipArc3d::normalizeAngles() {
    double s = mStartParam;
    rangeWrap(0.0, kTwoPi, s);
    mStartParam = s;
    if (isClosed(VqGeContext::gTol)) {
        if (mStartParam > 0.01) mStartParam -= kTwoPi;
        mEndParam = mStartParam + kTwoPi;
        return;
    }
    double e = mEndParam;
    rangeWrap(0.0, kTwoPi, e);
    mEndParam = e;
    if (mStartParam > mEndParam) mStartParam -= kTwoPi;
}

VqGePoint3d VqGeImpEllipArc3d::pointAt(double param) const {
    const double a = adjustParam(mAngleOffset + param);
    const double c = std::cos(a), s = std::sin(a);
    return mCenter + mMajorAxis * (c * mMajorRadius) + mMinorAxis * (s * mMinorRadius);
}

// A zero radius leaves the angle to the other coordinate alone instead of dividing by zero.
double VqGeImpEllipArc3d::paramOf(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    const VqGeVector3d d = pnt - mCenter;
    const VqGeVector3d n = normal();
    const double h = d.dotProduct(n);
    if (pnt.isEqualTo(mCenter + n * h, tol)) return 0.0;
    const double x = mMajorRadius > 0.0 ? d.dotProduct(mMajorAxis) / mMajorRadius
                                        : d.dotProduct(mMajorAxis);
    const double y = mMinorRadius > 0.0 ? d.dotProduct(mMinorAxis) / mMinorRadius
                                        : d.dotProduct(mMinorAxis);
    return normalizeParam(std::atan2(y, x) - mAngleOffset);
}

int VqGeImpEllipArc3d::isOn(const VqGePoint3d& pnt, double& param, const VqGeTol& tol) const {
    const VqGeVector3d d = pnt - mCenter;
    const double h = d.dotProduct(normal());
    if (h > tol.equalPoint() || h < -tol.equalPoint()) return 0;
    const double x = mMajorRadius > 0.0 ? d.dotProduct(mMajorAxis) / mMajorRadius
                                        : d.dotProduct(mMajorAxis);
    const double y = mMinorRadius > 0.0 ? d.dotProduct(mMinorAxis) / mMinorRadius
                                        : d.dotProduct(mMinorAxis);
    double t = std::atan2(y, x) - mAngleOffset;
    if (!pointAt(t).isEqualTo(pnt, tol)) return 0;
    if (rangeWrap(mStartParam, mEndParam, t)) {
        param = t;
        return 1;
    }
    if (pnt.isEqualTo(startPoint(), tol)) {
        param = mStartParam;
        return 1;
    }
    if (pnt.isEqualTo(endPoint(), tol)) {
        param = mEndParam;
        return 1;
    }
    return 0;
}

int VqGeImpEllipArc3d::isOn(double param, const VqGeTol& tol) const {
    double t = param;
    if (rangeWrap(mStartParam, mEndParam, t)) return 1;
    const VqGePoint3d pnt = pointAt(param);
    return pnt.isEqualTo(startPoint(), tol) || pnt.isEqualTo(endPoint(), tol);
}

int VqGeImpEllipArc3d::isWithinBounds(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    double t = paramOf(pnt, VqGeContext::gTol);
    if (rangeWrap(mStartParam, mEndParam, t)) return 1;
    return pnt.isEqualTo(startPoint(), tol) || pnt.isEqualTo(endPoint(), tol);
}

int VqGeImpEllipArc3d::isClosed(const VqGeTol& tol) const {
    if (!(mEndParam - mStartParam > kClosedSpan)) return 0;
    return startPoint().isEqualTo(endPoint(), tol);
}

int VqGeImpEllipArc3d::isPeriodic(double& period, int mode) const {
    period = kTwoPi;
    return mode ? 1 : isClosed(VqGeContext::gTol);
}

// The stored identity only names the public class; whether the radii agree is what counts
// (a circle under a non-uniform scale is an ellipse even behind a circular wrapper).
int VqGeImpEllipArc3d::isCircular(const VqGeTol& tol) const {
    return (mCenter + mMajorAxis * mMajorRadius).isEqualTo(mCenter + mMajorAxis * mMinorRadius,
                                                           tol);
}

int VqGeImpEllipArc3d::isPlanar(VqGeImpPlanarEnt& pln, const VqGeTol&) const {
    getPlane(pln);
    return 1;
}

void VqGeImpEllipArc3d::getPlane(VqGeImpPlanarEnt& pln) const {
    pln.set(mCenter, mMajorAxis, mMinorAxis, 0);
}

int VqGeImpEllipArc3d::isInside(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    const VqGeVector3d d = pnt - mCenter;
    const double x = d.dotProduct(mMajorAxis), y = d.dotProduct(mMinorAxis);
    const double a2 = mMajorRadius * mMajorRadius, b2 = mMinorRadius * mMinorRadius;
    if (!(x * x * b2 + y * y * a2 < a2 * b2)) return 0;
    const double h = d.dotProduct(normal());
    if (h > tol.equalPoint() || h < -tol.equalPoint()) return 0;
    VqGeImpEllipArc3d full(*this);
    full.mStartParam = 0.0;
    full.mEndParam = kTwoPi;
    double t;
    return !full.isOn(pnt, t, tol);
}

int VqGeImpEllipArc3d::unboundedOverlap(const VqGeImpCurve3d& crv, int& sameDirection,
                                        const VqGeTol& tol) const {
    if (!crv.isKindOf(VqGe::kEllipArc3d, 0)) return 0;
    const VqGeImpEllipArc3d& other = static_cast<const VqGeImpEllipArc3d&>(crv);
    if (!mCenter.isEqualTo(other.mCenter, tol)) return 0;
    if (isCircular(tol)) {
        if (!other.isCircular(tol)) return 0;
        if (!(mCenter + mMajorAxis * mMajorRadius)
                 .isEqualTo(other.mCenter + mMajorAxis * other.mMajorRadius, tol))
            return 0;
        if (!normal().isParallelTo(other.normal(), tol)) return 0;
    } else {
        VqGeVector3d a = other.mMajorAxis * other.mMajorRadius;
        VqGeVector3d b = other.mMinorAxis * other.mMinorRadius;
        if (a.dotProduct(mMajorAxis) < 0.0) a = -a;
        if (b.dotProduct(mMinorAxis) < 0.0) b = -b;
        if (!(mCenter + a).isEqualTo(mCenter + mMajorAxis * mMajorRadius, tol) ||
            !(mCenter + b).isEqualTo(mCenter + mMinorAxis * mMinorRadius, tol))
            return 0;
    }
    sameDirection = normal().dotProduct(other.normal()) > 0.0;
    return 1;
}

int VqGeImpEllipArc3d::isDegenerate(VqGe::EntityId& id, const VqGeTol& tol) const {
    const int t1 = mCenter.isEqualTo(mCenter + mMajorAxis * mMajorRadius, tol);
    const int t2 = mCenter.isEqualTo(mCenter + mMinorAxis * mMinorRadius, tol);
    if ((t1 && t2) ||
        (mEndParam - mStartParam < kPointSpan && startPoint().isEqualTo(endPoint(), tol))) {
        id = is2d() ? VqGe::kPosition2d : VqGe::kPosition3d;
        return 1;
    }
    if (t1 || t2) {
        id = is2d() ? VqGe::kLineSeg2d : VqGe::kLineSeg3d;
        return 1;
    }
    return 0;
}

// The segment spans what the arc covers along its surviving axis: the end points and each
// axis extremity that lies on the arc.
int VqGeImpEllipArc3d::isDegenerate(VqGeImpEntity3d*& entity, const VqGeTol& tol) const {
    entity = nullptr;
    VqGe::EntityId id;
    if (!isDegenerate(id, tol)) return 0;
    if (id == VqGe::kPosition3d || id == VqGe::kPosition2d) {
        VqGeImpPosition3d* pos = new VqGeImpPosition3d(startPoint());
        if (pos) setEntityType(*pos, VqGe::kPosition3d, VqGe::kPosition2d);
        entity = pos;
        return 1;
    }
    const int alongMajor = !mCenter.isEqualTo(mCenter + mMajorAxis * mMajorRadius, tol);
    const VqGeVector3d axis = alongMajor ? mMajorAxis : mMinorAxis;
    const double radius = alongMajor ? mMajorRadius : mMinorRadius;
    double lo = (startPoint() - mCenter).dotProduct(axis), hi = lo;
    const double e = (endPoint() - mCenter).dotProduct(axis);
    if (e < lo) lo = e;
    if (e > hi) hi = e;
    const double plusAngle = alongMajor ? 0.0 : 0.5 * kPi;
    if (isOn(plusAngle - mAngleOffset, VqGeContext::gTol)) hi = radius;
    if (isOn(plusAngle + kPi - mAngleOffset, VqGeContext::gTol)) lo = -radius;
    VqGeImpLinearEnt3d* seg =
        new VqGeImpLinearEnt3d(mCenter + axis * lo, mCenter + axis * hi, 1, 1);
    if (seg) setEntityType(*seg, VqGe::kLineSeg3d, VqGe::kLineSeg2d);
    entity = seg;
    return 1;
}

// Both pieces or neither: when the second cannot be allocated the first is released.
void VqGeImpEllipArc3d::getSplitCurves(double param, VqGeImpCurve3d*& piece1,
                                       VqGeImpCurve3d*& piece2) const {
    piece1 = piece2 = nullptr;
    double t = param;
    if (!rangeWrap(mStartParam, mEndParam, t)) return;
    const VqGePoint3d q = pointAt(t);
    if (q.isEqualTo(startPoint(), VqGeContext::gTol) || q.isEqualTo(endPoint(), VqGeContext::gTol))
        return;
    VqGeImpEllipArc3d* first = copy();
    if (!first) return;
    VqGeImpEllipArc3d* second = copy();
    if (!second) {
        delete first;
        return;
    }
    first->mEndParam = t;
    second->mStartParam = t;
    piece1 = first;
    piece2 = second;
}
