// Elliptic arc: tangent lines, the exact offset of a circular arc, and the circle tangent to
// three curves.
//
// Notation: X, Y the coordinates of a point in the arc's axes, a, b the radii. The ellipse's
// normal at (X, Y) points along b²X·majorAxis + a²Y·minorAxis (the gradient of
// X²/a² + Y²/b²); the tangent runs along that normal × the arc normal.
#include <cmath>

#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "entity/imp_position3d.h"

namespace {
const char* const kOffsetLink = "ExactOffsetCurve_Curve";
const double kTooFar = 1e66;
}  // namespace

int VqGeImpEllipArc3d::tangent(const VqGePoint3d& pnt, VqGeImpLinearEnt3d& line,
                               const VqGeTol& tol) const {
    const VqGeVector3d d = pnt - mCenter;
    const double x = d.dotProduct(mMajorAxis), y = d.dotProduct(mMinorAxis);
    if (!pnt.isEqualTo(mCenter + mMajorAxis * x + mMinorAxis * y, tol)) return 0;
    const double a2 = mMajorRadius * mMajorRadius, b2 = mMinorRadius * mMinorRadius;
    const VqGeVector3d w = mMajorAxis * (b2 * x) + mMinorAxis * (a2 * y);
    const VqGeVector3d dir = w.crossProduct(normal());
    if (!(dir.lengthSqrd() > 0.0)) return 0;
    line.set(pnt, dir.normal(VqGeContext::gTol), 0, 0);
    return 1;
}

// The size test compares magnitudes: a point far out on a negative axis is as far as one on
// the positive side.
int VqGeImpEllipArc3d::tangentCondition(const VqGePoint3d& pnt, int is2dForm, const VqGeTol& tol,
                                        VqGe::ErrorCondition& cond) const {
    cond = VqGe::kConditionOk;
    double far = std::fabs(pnt.x) > std::fabs(pnt.y) ? std::fabs(pnt.x) : std::fabs(pnt.y);
    if (!is2dForm && std::fabs(pnt.z) > far) far = std::fabs(pnt.z);
    if (far > kTooFar || far != far) {
        cond = VqGe::kPointTooFar;
        return 1;
    }
    if (mMajorRadius > mCenter.distanceTo(pnt) + tol.equalPoint()) {
        cond = VqGe::kPointInsideCircle;
        return 1;
    }
    if (isOn(pnt, VqGeContext::gTol)) {
        cond = VqGe::kPointOnCurve;
        return 1;
    }
    return 0;
}

VqGeImpEntity3d* VqGeImpEllipArc3d::exactOffset(double distance, const VqGeVector3d& normalDir,
                                                VqArray<double>* params1,
                                                VqArray<double>* params2,
                                                VqGe::OffsetCrvExtType extType,
                                                const VqGeTol& tol) const {
    if (!isCircular(tol))
        return VqGeImpCurve3d::exactOffset(distance, normalDir, params1, params2, extType, tol);
    const int both = params1 && params2;
    if (both) {
        params1->removeAll();
        params2->removeAll();
    }
    const VqGeVector3d unit = normalDir.normal(VqGeContext::gTol);
    const VqGeVector3d radial = mMajorAxis * mMajorRadius;
    if ((mCenter + radial).isEqualTo(mCenter - unit.crossProduct(mMinorAxis) * distance, tol)) {
        VqGeImpPosition3d* pos = new VqGeImpPosition3d(mCenter);
        if (pos) setEntityType(*pos, VqGe::kPosition3d, VqGe::kPosition2d);
        return pos;
    }
    const double f = normal().dotProduct(normalDir) >= 0.0 ? distance : -distance;
    VqGeImpEllipArc3d* offset = copy();
    if (!offset) return nullptr;
    double radius = mMajorRadius - f;
    if (radius < 0.0) {
        radius = -radius;
        offset->mMajorAxis = -offset->mMajorAxis;
        offset->mMinorAxis = -offset->mMinorAxis;
        if (both) {
            params1->append(mStartParam);
            params2->append(mEndParam);
        }
    }
    offset->mMajorRadius = offset->mMinorRadius = radius;
    offset->createLink(this, kOffsetLink);
    return offset;
}

// PENDING: the arc of a given radius tangent to two curves is the intersection of two
// offset curves, which arrive with the offset curve kind. Until then the construction
// reports failure and leaves the arc unchanged.
VqGeImpEllipArc3d& VqGeImpEllipArc3d::set(const VqGeImpCurve3d&, const VqGeImpCurve3d&, double,
                                          double&, double&, int& success) {
    success = 0;
    return *this;
}
