// Three-dimensional vector: arithmetic, tolerance tests, angles, rotation and projection.
#include <cmath>

#include "foundation/vqge_math.h"
#include "vqge_vector3d.h"

const VqGeVector3d VqGeVector3d::kIdentity(0.0, 0.0, 0.0);
const VqGeVector3d VqGeVector3d::kXAxis(1.0, 0.0, 0.0);
const VqGeVector3d VqGeVector3d::kYAxis(0.0, 1.0, 0.0);
const VqGeVector3d VqGeVector3d::kZAxis(0.0, 0.0, 1.0);

VqGeVector3d& VqGeVector3d::operator*=(double scl) {
    x *= scl;
    y *= scl;
    z *= scl;
    return *this;
}
VqGeVector3d& VqGeVector3d::setToProduct(const VqGeVector3d& vec, double scl) {
    return set(vec.x * scl, vec.y * scl, vec.z * scl);
}
VqGeVector3d& VqGeVector3d::operator/=(double scl) {
    x /= scl;
    y /= scl;
    z /= scl;
    return *this;
}
VqGeVector3d& VqGeVector3d::operator+=(const VqGeVector3d& v) { return set(x + v.x, y + v.y, z + v.z); }
VqGeVector3d& VqGeVector3d::operator-=(const VqGeVector3d& v) { return set(x - v.x, y - v.y, z - v.z); }
VqGeVector3d& VqGeVector3d::setToSum(const VqGeVector3d& v1, const VqGeVector3d& v2) {
    return set(v1.x + v2.x, v1.y + v2.y, v1.z + v2.z);
}
VqGeVector3d& VqGeVector3d::negate() { return set(-x, -y, -z); }
VqGeVector3d& VqGeVector3d::set(double xx, double yy, double zz) {
    x = xx;
    y = yy;
    z = zz;
    return *this;
}

double VqGeVector3d::length() const { return std::sqrt(x * x + y * y + z * z); }

int VqGeVector3d::isEqualTo(const VqGeVector3d& vec, const VqGeTol& tol) const {
    const double e = tol.equalVector();
    return (*this - vec).lengthSqrd() <= e * e;
}
int VqGeVector3d::isZeroLength(const VqGeTol& tol) const { return isEqualTo(kIdentity, tol); }
int VqGeVector3d::isUnitLength(const VqGeTol& tol) const {
    const double len = length();
    if (!(len > 0.5)) return 0;
    return isEqualTo(*this / len, tol);
}

VqGeVector3d& VqGeVector3d::normalize(const VqGeTol& tol) {
    const double len = length();
    if (len > tol.equalVector()) *this *= 1.0 / len;
    return *this;
}
VqGeVector3d& VqGeVector3d::normalize(const VqGeTol& tol, VqGe::ErrorCondition& flag) {
    flag = VqGe::kConditionOk;
    if (isZeroLength(tol)) {
        flag = VqGe::kThisZeroLength;
        return *this;
    }
    return normalize(tol);
}
VqGeVector3d VqGeVector3d::normal(const VqGeTol& tol) const {
    VqGeVector3d v(*this);
    return v.normalize(tol);
}

// Direction tests normalise with the global tolerance and compare with the caller's.
int VqGeVector3d::isParallelTo(const VqGeVector3d& vec, const VqGeTol& tol) const {
    const VqGeVector3d u = normal(VqGeContext::gTol);
    VqGeVector3d v = vec.normal(VqGeContext::gTol);
    if (u.dotProduct(v) < 0.0) v.negate();
    return u.isEqualTo(v, tol);
}
int VqGeVector3d::isCodirectionalTo(const VqGeVector3d& vec, const VqGeTol& tol) const {
    return normal(VqGeContext::gTol).isEqualTo(vec.normal(VqGeContext::gTol), tol);
}
int VqGeVector3d::isPerpendicularTo(const VqGeVector3d& vec, const VqGeTol& tol) const {
    const double d = normal(VqGeContext::gTol).dotProduct(vec.normal(VqGeContext::gTol));
    return std::fabs(d) <= tol.equalVector();
}

namespace {
// The checks shared by the condition-reporting direction tests.
bool operandsValid(const VqGeVector3d& self, const VqGeVector3d& arg, const VqGeTol& tol,
                   VqGe::ErrorCondition& flag) {
    flag = VqGe::kConditionOk;
    if (self.isZeroLength(tol)) {
        flag = VqGe::kThisZeroLength;
        return false;
    }
    if (arg.isZeroLength(tol)) {
        flag = VqGe::kArg1ZeroLength;
        return false;
    }
    return true;
}
}  // namespace

int VqGeVector3d::isParallelTo(const VqGeVector3d& vec, const VqGeTol& tol,
                               VqGe::ErrorCondition& flag) const {
    return operandsValid(*this, vec, tol, flag) ? isParallelTo(vec, tol) : 0;
}
int VqGeVector3d::isCodirectionalTo(const VqGeVector3d& vec, const VqGeTol& tol,
                                    VqGe::ErrorCondition& flag) const {
    return operandsValid(*this, vec, tol, flag) ? isCodirectionalTo(vec, tol) : 0;
}
int VqGeVector3d::isPerpendicularTo(const VqGeVector3d& vec, const VqGeTol& tol,
                                    VqGe::ErrorCondition& flag) const {
    return operandsValid(*this, vec, tol, flag) ? isPerpendicularTo(vec, tol) : 0;
}

VqGeVector3d VqGeVector3d::perpVector() const {
    VqGeVector3d result;
    VqGeContext::gOrthoVector(*this, result);
    return result.normalize(VqGeTol());
}

double VqGeVector3d::angleTo(const VqGeVector3d& vec) const {
    const double c = dotProduct(vec) / (length() * vec.length());
    if (c > 1.0) return 0.0;
    if (c >= -1.0) return std::acos(c);
    return kVqPi;  // below -1 or not a number (a zero-length operand)
}
double VqGeVector3d::angleTo(const VqGeVector3d& vec, const VqGeVector3d& refVec) const {
    const double c = dotProduct(vec) / (length() * vec.length());
    if (c > 1.0) return 0.0;
    if (!(c >= -1.0)) return kVqPi;
    const double a = std::acos(c);
    return crossProduct(vec).dotProduct(refVec) >= 0.0 ? a : kVqTwoPi - a;
}

unsigned int VqGeVector3d::largestElement() const {
    const double ax = std::fabs(x), ay = std::fabs(y), az = std::fabs(z);
    unsigned int best = ay > ax ? 1 : 0;
    const double bestVal = best == 1 ? ay : ax;
    return az > bestVal ? 2 : best;
}

VqGeVector3d& VqGeVector3d::rotateBy(double angle, const VqGeVector3d& axis) {
    const VqGeVector3d n = axis.normal(VqGeContext::gTol);
    const VqGeVector3d p = n * dotProduct(n);
    const VqGeVector3d w = *this - p;
    const VqGeVector3d c = n.crossProduct(w);
    *this = p + c * std::sin(angle) + w * std::cos(angle);
    return *this;
}

VqGeVector3d& VqGeVector3d::mirror(const VqGeVector3d& normalToPlane) {
    return *this -= normalToPlane * (2.0 * dotProduct(normalToPlane));
}

VqGeVector3d VqGeVector3d::orthoProject(const VqGeVector3d& planeNormal) const {
    return *this - planeNormal * (dotProduct(planeNormal) / planeNormal.dotProduct(planeNormal));
}
VqGeVector3d VqGeVector3d::orthoProject(const VqGeVector3d& planeNormal, const VqGeTol& tol,
                                        VqGe::ErrorCondition& flag) const {
    flag = VqGe::kConditionOk;
    if (planeNormal.isZeroLength(tol)) {
        flag = VqGe::kArg1ZeroLength;
        return *this;
    }
    return orthoProject(planeNormal);
}

// A direction parallel to the plane divides by zero here; the reporting form guards it.
VqGeVector3d VqGeVector3d::project(const VqGeVector3d& planeNormal,
                                   const VqGeVector3d& projectDirection) const {
    return *this -
           projectDirection * (dotProduct(planeNormal) / projectDirection.dotProduct(planeNormal));
}
VqGeVector3d VqGeVector3d::project(const VqGeVector3d& planeNormal,
                                   const VqGeVector3d& projectDirection, const VqGeTol& tol,
                                   VqGe::ErrorCondition& flag) const {
    flag = VqGe::kConditionOk;
    if (planeNormal.isZeroLength(tol)) {
        flag = VqGe::kArg1ZeroLength;
    } else if (projectDirection.isZeroLength(tol)) {
        flag = VqGe::kArg2ZeroLength;
    } else if (projectDirection.isPerpendicularTo(planeNormal, tol)) {
        flag = VqGe::kArgsPerpendicular;
    }
    return flag == VqGe::kConditionOk ? project(planeNormal, projectDirection) : *this;
}
