// Elliptic arc: construction, identity, setters and transformations.
//
// Notation: A = majorRadius·majorAxis, B = minorRadius·minorAxis; M a transformation and
// A' = M·A, B' = M·B its images (conjugate semi-diameters of the image ellipse).
#include "curves/imp_ellip_arc3d.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "vqge_matrix3d.h"

namespace {
// Lifts end above start by whole turns without looping on huge or non-finite values.
double liftAbove(double end, double start) {
    const double twoPi = VqGeImpEllipArc3d::kTwoPi;
    if (!(end < start)) return end;
    const double turns = std::floor((start - end) / twoPi);
    if (std::isfinite(turns)) end += turns * twoPi;
    for (int i = 0; i < 4 && end < start; ++i) end += twoPi;
    return end;
}

// Brings an angle into [-π, π] by whole turns.
double toHalfTurn(double a) {
    const double pi = VqGeImpEllipArc3d::kPi, twoPi = VqGeImpEllipArc3d::kTwoPi;
    if (!std::isfinite(a)) return 0.0;
    a = std::remainder(a, twoPi);
    if (a > pi) a -= twoPi;
    if (a < -pi) a += twoPi;
    return a;
}
}  // namespace

VqGeImpEllipArc3d::VqGeImpEllipArc3d()
    : VqGeImpCurve3d(VqGe::kEllipArc3d),
      mCenter(0, 0, 0),
      mMajorAxis(1, 0, 0),
      mMinorAxis(0, 1, 0),
      mMinorRadius(1.0),
      mMajorRadius(1.0),
      mStartParam(0.0),
      mEndParam(kTwoPi),
      mAngleOffset(0.0) {}

VqGeImpEllipArc3d::VqGeImpEllipArc3d(const VqGePoint3d& center, const VqGeVector3d& majorAxis,
                                     const VqGeVector3d& minorAxis, double majorRadius,
                                     double minorRadius)
    : VqGeImpEllipArc3d() {
    assign(center, majorAxis, minorAxis, majorRadius, minorRadius, 0.0, kTwoPi);
}

VqGeImpEllipArc3d::VqGeImpEllipArc3d(const VqGePoint3d& center, const VqGeVector3d& majorAxis,
                                     const VqGeVector3d& minorAxis, double majorRadius,
                                     double minorRadius, double startAngle, double endAngle)
    : VqGeImpEllipArc3d() {
    assign(center, majorAxis, minorAxis, majorRadius, minorRadius, startAngle, endAngle);
}

VqGeImpEllipArc3d::VqGeImpEllipArc3d(const VqGePoint3d& center, const VqGeVector3d& normal,
                                     double radius)
    : VqGeImpEllipArc3d() {
    const VqGeVector3d major = normal.perpVector().normal(VqGeContext::gTol);
    assign(center, major, normal.crossProduct(major), radius, radius, 0.0, kTwoPi);
}

VqGeImpEllipArc3d::VqGeImpEllipArc3d(const VqGePoint3d& p1, const VqGePoint3d& p2,
                                     const VqGePoint3d& p3)
    : VqGeImpEllipArc3d() {
    assignThreePoints(p1, p2, p3);
}

VqGeImpEllipArc3d::VqGeImpEllipArc3d(const VqGeImpEllipArc3d& src)
    : VqGeImpCurve3d(src),
      mCenter(src.mCenter),
      mMajorAxis(src.mMajorAxis),
      mMinorAxis(src.mMinorAxis),
      mMinorRadius(src.mMinorRadius),
      mMajorRadius(src.mMajorRadius),
      mStartParam(src.mStartParam),
      mEndParam(src.mEndParam),
      mAngleOffset(src.mAngleOffset) {}

VqGeImpEllipArc3d& VqGeImpEllipArc3d::operator=(const VqGeImpEllipArc3d& src) {
    if (this == &src) return *this;
    VqGeImpCurve3d::operator=(src);
    mCenter = src.mCenter;
    mMajorAxis = src.mMajorAxis;
    mMinorAxis = src.mMinorAxis;
    mMinorRadius = src.mMinorRadius;
    mMajorRadius = src.mMajorRadius;
    mStartParam = src.mStartParam;
    mEndParam = src.mEndParam;
    mAngleOffset = src.mAngleOffset;
    notifyModified();
    return *this;
}

void VqGeImpEllipArc3d::assign(const VqGePoint3d& center, const VqGeVector3d& majorAxis,
                               const VqGeVector3d& minorAxis, double majorRadius,
                               double minorRadius, double startAngle, double endAngle) {
    mCenter = center;
    mMajorAxis = majorAxis.normal(VqGeContext::gTol);
    mMinorAxis = minorAxis.normal(VqGeContext::gTol);
    if (majorRadius < 0.0) mMajorAxis = -mMajorAxis;
    if (minorRadius < 0.0) mMinorAxis = -mMinorAxis;
    mMajorRadius = std::fabs(majorRadius);
    mMinorRadius = std::fabs(minorRadius);
    mStartParam = startAngle;
    mEndParam = liftAbove(endAngle, startAngle);
    mAngleOffset = 0.0;
}

int VqGeImpEllipArc3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (!isPublic) {
        if (id == VqGe::kEllipArc3d) return 1;
    } else if (id == type(1)) {
        return 1;
    }
    return VqGeImpCurve3d::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeImpEllipArc3d::type(int isPublic) const {
    if (!isPublic) return VqGe::kEllipArc3d;
    return static_cast<VqGe::EntityId>(std::abs(static_cast<int>(entityType())));
}

VqGeImpEllipArc3d* VqGeImpEllipArc3d::copy() const { return new VqGeImpEllipArc3d(*this); }

void VqGeImpEllipArc3d::setCircularKind(int circular) {
    if (circular)
        setEntityType(*this, VqGe::kCircArc3d, VqGe::kCircArc2d);
    else
        setEntityType(*this, VqGe::kEllipArc3d, VqGe::kEllipArc2d);
}

int VqGeImpEllipArc3d::isEqualTo(const VqGeImpEntity3d& other, const VqGeTol& tol) const {
    if (other.type(1) != type(1) || !other.isKindOf(VqGe::kEllipArc3d, 0)) return 0;
    const VqGeImpEllipArc3d& arc = static_cast<const VqGeImpEllipArc3d&>(other);
    if (!mCenter.isEqualTo(arc.mCenter, tol) || !startPoint().isEqualTo(arc.startPoint(), tol) ||
        !endPoint().isEqualTo(arc.endPoint(), tol))
        return 0;
    if (isCircular(tol)) return normal().isEqualTo(arc.normal(), tol);
    const VqGeVector3d a1 = mMajorAxis * mMajorRadius, b1 = mMinorAxis * mMinorRadius;
    const VqGeVector3d a2 = arc.mMajorAxis * arc.mMajorRadius, b2 = arc.mMinorAxis * arc.mMinorRadius;
    const VqGePoint3d& c = mCenter;
    if ((c + a1).isEqualTo(c + a2, tol) && (c + b1).isEqualTo(c + b2, tol)) return 1;
    return (c + a1).isEqualTo(c - a2, tol) && (c + b1).isEqualTo(c - b2, tol);
}

// A similarity keeps the arc's shape: the axes stay unit and perpendicular after dividing by
// the scale. Any other transform (non-uniform scale, shear) turns the images of A and B into
// conjugate semi-diameters, so the ellipse is rebuilt from them.
VqGeImpEllipArc3d& VqGeImpEllipArc3d::transformBy(const VqGeMatrix3d& mat) {
    const VqGeVector3d ma = mat * mMajorAxis, mb = mat * mMinorAxis;
    const double la = ma.length(), lb = mb.length();
    const double rel = 1e-12 * (la > lb ? la : lb);
    const int similar = la > 0.0 && std::fabs(la - lb) <= rel && std::fabs(ma.dotProduct(mb)) <= rel * la;
    if (!similar) {
        transformGeneral(mat);
    } else {
        mCenter.transformBy(mat);
        mMajorAxis = ma / la;
        mMinorAxis = mb / la;
        mMajorRadius *= la;
        mMinorRadius *= la;
    }
    notifyTransformed(mat);
    return *this;
}

void VqGeImpEllipArc3d::transformGeneral(const VqGeMatrix3d& mat) {
    VqGePoint3d center = mCenter;
    center.transformBy(mat);
    rebuildFromConjugate(center, mat * (mMajorAxis * mMajorRadius),
                         mat * (mMinorAxis * mMinorRadius), mat * mMinorAxis);
}

// Principal axes of the conjugate pair A', B': the angle φ with
// tan 2φ = 2 A'·B' / (|A'|² − |B'|²) makes U = cos φ A' + sin φ B' and
// V = cos φ B' − sin φ A' perpendicular, and the point at angle θ becomes the point at θ − φ,
// so every parameter keeps its point.
void VqGeImpEllipArc3d::rebuildFromConjugate(const VqGePoint3d& center, const VqGeVector3d& a,
                                             const VqGeVector3d& b,
                                             const VqGeVector3d& minorHint) {
    mCenter = center;
    const double phi = 0.5 * std::atan2(2.0 * a.dotProduct(b), a.lengthSqrd() - b.lengthSqrd());
    const double c = std::cos(phi), s = std::sin(phi);
    VqGeVector3d u = a * c + b * s, v = b * c - a * s;
    double offset = mAngleOffset - phi;
    if (v.lengthSqrd() > u.lengthSqrd()) {
        const VqGeVector3d w = u;
        u = v;
        v = -w;
        offset -= 0.5 * kPi;
    }
    const double lu = u.length(), lv = v.length();
    if (lu > 0.0) mMajorAxis = u / lu;
    if (lv > 0.0) {
        mMinorAxis = v / lv;
    } else {
        // A flattened image: the minor direction from the hint, made perpendicular.
        VqGeVector3d perp = minorHint - mMajorAxis * minorHint.dotProduct(mMajorAxis);
        if (perp.isZeroLength(VqGeContext::gTol)) perp = mMajorAxis.perpVector();
        mMinorAxis = perp.normal(VqGeContext::gTol);
    }
    mMajorRadius = lu;
    mMinorRadius = lv;
    mAngleOffset = toHalfTurn(offset);
}

VqGeImpEllipArc3d& VqGeImpEllipArc3d::translateBy(const VqGeVector3d& vec) {
    mCenter += vec;
    notifyTransformed(VqGeMatrix3d::translation(vec));
    return *this;
}

// A negative factor is a point reflection: the radii stay positive and the axes turn over.
VqGeImpEllipArc3d& VqGeImpEllipArc3d::scaleBy(double factor, const VqGePoint3d& center) {
    mCenter = center + (mCenter - center) * factor;
    mMajorRadius *= std::fabs(factor);
    mMinorRadius *= std::fabs(factor);
    if (factor < 0.0) {
        mMajorAxis = -mMajorAxis;
        mMinorAxis = -mMinorAxis;
    }
    notifyTransformed(VqGeMatrix3d::scaling(factor, center));
    return *this;
}

VqGeImpEllipArc3d& VqGeImpEllipArc3d::set(const VqGePoint3d& center, const VqGeVector3d& majorAxis,
                                          const VqGeVector3d& minorAxis, double majorRadius,
                                          double minorRadius) {
    return set(center, majorAxis, minorAxis, majorRadius, minorRadius, 0.0, kTwoPi);
}

VqGeImpEllipArc3d& VqGeImpEllipArc3d::set(const VqGePoint3d& center, const VqGeVector3d& majorAxis,
                                          const VqGeVector3d& minorAxis, double majorRadius,
                                          double minorRadius, double startAngle,
                                          double endAngle) {
    assign(center, majorAxis, minorAxis, majorRadius, minorRadius, startAngle, endAngle);
    notifyModified();
    return *this;
}

VqGeImpEllipArc3d& VqGeImpEllipArc3d::set(const VqGePoint3d& center, const VqGeVector3d& normal,
                                          double radius) {
    const VqGeVector3d major = normal.perpVector().normal(VqGeContext::gTol);
    const VqGeVector3d minor = normal.crossProduct(major).normal(VqGeContext::gTol);
    return set(center, major, minor, std::fabs(radius), std::fabs(radius), 0.0, kTwoPi);
}

VqGeImpEllipArc3d& VqGeImpEllipArc3d::setAngles(double startAngle, double endAngle, int notify) {
    mStartParam = startAngle - mAngleOffset;
    mEndParam = liftAbove(endAngle - mAngleOffset, mStartParam);
    if (notify) notifySetInterval();
    return *this;
}

VqGeImpEllipArc3d& VqGeImpEllipArc3d::setCenter(const VqGePoint3d& center) {
    mCenter = center;
    notifyModified();
    return *this;
}

VqGeImpEllipArc3d& VqGeImpEllipArc3d::setAxes(const VqGeVector3d& majorAxis,
                                              const VqGeVector3d& minorAxis) {
    mMajorAxis = majorAxis.normal(VqGeContext::gTol);
    mMinorAxis = minorAxis.normal(VqGeContext::gTol);
    notifyModified();
    return *this;
}

// Negative radii are stored as their magnitudes with the axis turned over, as in set.
VqGeImpEllipArc3d& VqGeImpEllipArc3d::setRadii(double majorRadius, double minorRadius) {
    if (majorRadius < 0.0) mMajorAxis = -mMajorAxis;
    if (minorRadius < 0.0) mMinorAxis = -mMinorAxis;
    mMajorRadius = std::fabs(majorRadius);
    mMinorRadius = std::fabs(minorRadius);
    notifyModified();
    return *this;
}

VqGeImpEllipArc3d& VqGeImpEllipArc3d::setToComplement() {
    const VqGeVector3d n = normal();
    mMinorAxis = mMajorAxis.crossProduct(n);
    return setAngles(kTwoPi - startAngle(), kTwoPi - endAngle(), 1);
}

VqGeImpEllipArc3d& VqGeImpEllipArc3d::setRefVec(const VqGeVector3d& vec) {
    return setAxes(vec, normal().crossProduct(vec));
}

int VqGeImpEllipArc3d::setInterval() {
    return setInterval(VqGeImpInterval(0.0, kTwoPi), 1);
}

int VqGeImpEllipArc3d::setInterval(const VqGeImpInterval& intrvl, int notify) {
    setAngles(intrvl.lowerBound() + mAngleOffset, intrvl.upperBound() + mAngleOffset, notify);
    return 1;
}

void VqGeImpEllipArc3d::getInterval(VqGeImpInterval& intrvl, int extendLower,
                                    int extendUpper) const {
    if (extendLower)
        intrvl.set(mEndParam - kTwoPi, mEndParam);
    else if (extendUpper)
        intrvl.set(mStartParam, mStartParam + kTwoPi);
    else
        intrvl.set(mStartParam, mEndParam);
}

VqGeImpEllipArc3d& VqGeImpEllipArc3d::reverseParam() {
    mMajorAxis = -mMajorAxis;
    mAngleOffset = toHalfTurn(kPi - mStartParam - mEndParam - mAngleOffset);
    notifyModified();
    return *this;
}

// Coordinates grow the rounding of every computed point: at 1e8 one unit in the last place
// is 1.5e-8, far above the default point tolerance.
double VqGeImpEllipArc3d::roundingTol(const VqGeTol& tol) const {
    double mag = std::fabs(mCenter.x);
    if (std::fabs(mCenter.y) > mag) mag = std::fabs(mCenter.y);
    if (std::fabs(mCenter.z) > mag) mag = std::fabs(mCenter.z);
    mag += mMajorRadius > mMinorRadius ? mMajorRadius : mMinorRadius;
    const double rounding = 8.0 * DBL_EPSILON * mag;
    return rounding > tol.equalPoint() ? rounding : tol.equalPoint();
}
