// Elliptic arc: the arc through three points, its condition-reporting form and the bulge
// form of the 2D circular arc.
//
// Notation: a = p2 − p1, b = p3 − p1, F the unit normal of the three points' plane; the
// circumcentre relative to p1 is ((|a|² b − |b|² a) × (a × b)) / (2 |a × b|²), the
// intersection of the two perpendicular bisectors without forming either.
#include <cfloat>
#include <cmath>

#include "curves/imp_ellip_arc3d.h"
#include "curves/vqge_angle.h"

namespace {
double maxAbs(const VqGePoint3d& p) {
    double m = std::fabs(p.x);
    if (std::fabs(p.y) > m) m = std::fabs(p.y);
    if (std::fabs(p.z) > m) m = std::fabs(p.z);
    return m;
}

// The plane normal of the three points; 0 when they count as collinear (F is then the
// fallback normal of the flat half ellipse).
int threePointNormal(const VqGeVector3d& a, const VqGeVector3d& b, VqGeVector3d& f) {
    const double ev = VqGeContext::gTol.equalVector();
    f = a.crossProduct(b);
    if (f.length() > ev) {
        f = f / f.length();
        return 1;
    }
    if (a.length() > ev && b.length() > ev) {
        const VqGeVector3d ua = a / a.length(), ub = b / b.length();
        f = ua.crossProduct(ub);
        if (f.length() < ev) {
            f = VqGeVector3d(0, 0, 1);
            if (std::fabs(a.z) > ev) f = a.perpVector().normal(VqGeContext::gTol);
        }
        return 0;
    }
    f = VqGeVector3d(0, 0, 1);
    return 0;
}
}  // namespace

void VqGeImpEllipArc3d::assignThreePoints(const VqGePoint3d& p1, const VqGePoint3d& p2,
                                          const VqGePoint3d& p3) {
    const VqGeVector3d a = p2 - p1, b = p3 - p1;
    VqGeVector3d f;
    const int planar = threePointNormal(a, b, f);
    const VqGeVector3d axb = a.crossProduct(b);
    const double den = 2.0 * axb.lengthSqrd();
    if (planar && den > 0.0 && std::isfinite(den)) {
        const VqGeVector3d rel = (b * a.lengthSqrd() - a * b.lengthSqrd()).crossProduct(axb) / den;
        const double r = rel.length();
        if (r > 0.0 && std::isfinite(r)) {
            mCenter = p1 + rel;
            mMajorAxis = -rel / r;
            mMinorAxis = f.crossProduct(mMajorAxis);
            mMajorRadius = mMinorRadius = r;
            mStartParam = 0.0;
            mEndParam = vqgeAngleAbout(p1 - mCenter, p3 - mCenter, f);
            mAngleOffset = 0.0;
            normalizeAngles();
            return;
        }
    }
    const double half = 0.5 * b.length();
    mMajorRadius = half;
    mMinorRadius = 0.0;
    mMajorAxis = b.normal(VqGeContext::gTol);
    mMinorAxis = mMajorAxis.crossProduct(f);
    mCenter = p1 + mMajorAxis * half;
    mStartParam = 0.0;
    mEndParam = kPi;
    mAngleOffset = 0.0;
}

VqGeImpEllipArc3d& VqGeImpEllipArc3d::set(const VqGePoint3d& p1, const VqGePoint3d& p2,
                                          const VqGePoint3d& p3) {
    assignThreePoints(p1, p2, p3);
    notifyModified();
    return *this;
}

VqGeImpEllipArc3d& VqGeImpEllipArc3d::set(const VqGePoint3d& p1, const VqGePoint3d& p2,
                                          const VqGePoint3d& p3, VqGe::ErrorCondition& cond) {
    cond = VqGe::kConditionOk;
    if (p1.x == p2.x && p1.y == p2.y && p1.z == p2.z) {
        cond = VqGe::kPoints12Equal;
    } else if (p1.x == p3.x && p1.y == p3.y && p1.z == p3.z) {
        cond = VqGe::kPoints13Equal;
    } else if (p2.x == p3.x && p2.y == p3.y && p2.z == p3.z) {
        cond = VqGe::kPoints23Equal;
    } else {
        const VqGeVector3d a = p2 - p1, b = p3 - p1, c = p3 - p2;
        const VqGeTol& gtol = VqGeContext::gTol;
        if (a.isParallelTo(b, gtol) || a.isParallelTo(c, gtol) || b.isParallelTo(c, gtol))
            cond = VqGe::kPointsCollinear;
    }
    if (cond != VqGe::kConditionOk) return *this;
    return set(p1, p2, p3);
}

namespace {
// The arc of the ellipse for the flat bulge form (see setBulge): its radii and start angle
// for centre distance k, and an estimate of how far it strays from the circle: the rounding
// of its own numbers plus its departure from the circle's shape, h²/(8k) (h/4 for the half
// ellipse, k = 0).
struct FlatBulge {
    double k = 0.0, root = 0.0, major = 0.0, minor = 0.0, error = 0.0;
    FlatBulge(double len, double height, double middleSize, double dist) : k(dist) {
        root = std::sqrt(height * (2.0 * k + height));
        minor = k + height;
        major = root > 0.0 ? 0.5 * len * (minor / root) : 0.5 * len;
        const double size = middleSize + k + (major > minor ? major : minor);
        error = 8.0 * DBL_EPSILON * size + (k > 0.0 ? height * height / (8.0 * k) : 0.25 * height);
        if (!(major >= minor) || !std::isfinite(error)) error = HUGE_VAL;
    }
};
}  // namespace

// A circle whose centre lies very far from the chord (|bulge| near 0) cannot give back its
// ends from the centre and the angles: the rounding of the centre's coordinates exceeds the
// point tolerance. Such an arc is stored as the arc of an ellipse through the same three
// points whose centre lies only k beyond the chord, its major axis along the chord: it
// gives back p1 and p2 to the rounding of its own numbers, leaves them along nearly the
// circle's end tangents and strays from the circle by about h²/(8k).
// Notation: L the chord, M its middle, h the height of the middle point over the chord,
// B = k + h and A = L·B / (2·√(h(2k + h))) the radii, θ0 = atan2(k, √(h(2k + h))) the start
// angle (π − θ0 the end), so that A cos θ0 = L/2 and B sin θ0 = k. A grows as √k, so k is
// chosen where the rounding of A balances the departure from the circle,
// k ≈ 2h·(h/(εL))^(2/3); the ellipse replaces the circle only where its estimated error is
// the smaller. At k = 0 the arc is the half ellipse on the chord, which also serves bulges
// beyond 1 whose height is capped (only bulges far beyond any drawing's use reach the cap).
VqGeImpEllipArc3d& VqGeImpEllipArc3d::setBulge(const VqGePoint3d& p1, const VqGePoint3d& p2,
                                               double value, int isHeight) {
    const VqGeVector3d d = p2 - p1;
    const double len = d.length();
    const VqGeVector3d n = len > 0.0 ? VqGeVector3d(-d.y, d.x, 0.0) / len : VqGeVector3d(0, 0, 0);
    double h = isHeight ? value : value * len * 0.5;
    const VqGePoint3d mid = p1 + d * 0.5 - n * h;
    assignThreePoints(p1, mid, p2);
    double scale = maxAbs(p1) > maxAbs(p2) ? maxAbs(p1) : maxAbs(p2);
    if (len > scale) scale = len;
    const double rounding = 64.0 * DBL_EPSILON * scale;
    const double slack = rounding + 0.1 * VqGeContext::gTol.equalPoint();
    const double endError = std::fmax(startPoint().distanceTo(p1), endPoint().distanceTo(p2));
    if (!(endError <= slack) && len > 0.0 && std::isfinite(h)) {
        const double cap = rounding / (2.0 * DBL_EPSILON);
        if (h > cap) h = cap;
        if (h < -cap) h = -cap;
        const double height = std::fabs(h);
        const VqGePoint3d middle = p1 + d * 0.5;
        const double middleSize = maxAbs(middle);
        const double ratio = height / (DBL_EPSILON * len);
        const double balanced = 2.0 * height * std::cbrt(ratio * ratio);
        FlatBulge best(len, height, middleSize, 0.0);
        static const double kTries[3] = {0.25, 1.0, 4.0};
        for (double f : kTries) {
            const FlatBulge cand(len, height, middleSize, f * balanced);
            if (cand.error < best.error) best = cand;
        }
        // The circle stays where it strays less (its ends are its only error).
        if (best.error < endError || !std::isfinite(endError)) {
            mCenter = middle + (h >= 0.0 ? n : -n) * best.k;
            mMajorAxis = d / -len;
            mMinorAxis = h >= 0.0 ? -n : n;
            mMajorRadius = best.major;
            mMinorRadius = best.minor;
            mStartParam = std::atan2(best.k, best.root);
            mEndParam = kPi - mStartParam;
            mAngleOffset = 0.0;
        }
    }
    notifyModified();
    return *this;
}
