// Two-dimensional vector: arithmetic, tolerance tests, angles, rotation and reflection.
#include <cmath>

#include "foundation/vqge_math.h"
#include "vqge_vector2d.h"

const VqGeVector2d VqGeVector2d::kIdentity(0.0, 0.0);
const VqGeVector2d VqGeVector2d::kXAxis(1.0, 0.0);
const VqGeVector2d VqGeVector2d::kYAxis(0.0, 1.0);

VqGeVector2d& VqGeVector2d::operator*=(double scl) { return set(x * scl, y * scl); }
VqGeVector2d& VqGeVector2d::setToProduct(const VqGeVector2d& vec, double scl) {
    return set(vec.x * scl, vec.y * scl);
}
VqGeVector2d& VqGeVector2d::operator/=(double scl) { return set(x / scl, y / scl); }
VqGeVector2d& VqGeVector2d::operator+=(const VqGeVector2d& v) { return set(x + v.x, y + v.y); }
VqGeVector2d& VqGeVector2d::operator-=(const VqGeVector2d& v) { return set(x - v.x, y - v.y); }
VqGeVector2d& VqGeVector2d::setToSum(const VqGeVector2d& v1, const VqGeVector2d& v2) {
    return set(v1.x + v2.x, v1.y + v2.y);
}
VqGeVector2d& VqGeVector2d::negate() { return set(-x, -y); }
VqGeVector2d& VqGeVector2d::set(double xx, double yy) {
    x = xx;
    y = yy;
    return *this;
}

double VqGeVector2d::length() const { return std::sqrt(x * x + y * y); }

int VqGeVector2d::isEqualTo(const VqGeVector2d& vec, const VqGeTol& tol) const {
    const double e = tol.equalVector();
    return (*this - vec).lengthSqrd() <= e * e;
}
int VqGeVector2d::isZeroLength(const VqGeTol& tol) const { return isEqualTo(kIdentity, tol); }
int VqGeVector2d::isUnitLength(const VqGeTol& tol) const {
    const double len = length();
    if (!(len > 0.5)) return 0;
    return isEqualTo(*this / len, tol);
}

VqGeVector2d& VqGeVector2d::normalize(const VqGeTol& tol) {
    const double len = length();
    if (len > tol.equalVector()) *this *= 1.0 / len;
    return *this;
}
VqGeVector2d& VqGeVector2d::normalize(const VqGeTol& tol, VqGe::ErrorCondition& flag) {
    flag = VqGe::kConditionOk;
    if (isZeroLength(tol)) {
        flag = VqGe::kThisZeroLength;
        return *this;
    }
    return normalize(tol);
}
VqGeVector2d VqGeVector2d::normal(const VqGeTol& tol) const {
    VqGeVector2d v(*this);
    return v.normalize(tol);
}

int VqGeVector2d::isParallelTo(const VqGeVector2d& vec, const VqGeTol& tol) const {
    const VqGeVector2d u = normal(VqGeContext::gTol);
    VqGeVector2d v = vec.normal(VqGeContext::gTol);
    if (u.dotProduct(v) < 0.0) v.negate();
    return u.isEqualTo(v, tol);
}
int VqGeVector2d::isCodirectionalTo(const VqGeVector2d& vec, const VqGeTol& tol) const {
    return normal(VqGeContext::gTol).isEqualTo(vec.normal(VqGeContext::gTol), tol);
}
int VqGeVector2d::isPerpendicularTo(const VqGeVector2d& vec, const VqGeTol& tol) const {
    const double d = normal(VqGeContext::gTol).dotProduct(vec.normal(VqGeContext::gTol));
    return std::fabs(d) <= tol.equalVector();
}

namespace {
bool operandsValid(const VqGeVector2d& self, const VqGeVector2d& arg, const VqGeTol& tol,
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

int VqGeVector2d::isParallelTo(const VqGeVector2d& vec, const VqGeTol& tol,
                               VqGe::ErrorCondition& flag) const {
    return operandsValid(*this, vec, tol, flag) ? isParallelTo(vec, tol) : 0;
}
int VqGeVector2d::isCodirectionalTo(const VqGeVector2d& vec, const VqGeTol& tol,
                                    VqGe::ErrorCondition& flag) const {
    return operandsValid(*this, vec, tol, flag) ? isCodirectionalTo(vec, tol) : 0;
}
int VqGeVector2d::isPerpendicularTo(const VqGeVector2d& vec, const VqGeTol& tol,
                                    VqGe::ErrorCondition& flag) const {
    return operandsValid(*this, vec, tol, flag) ? isPerpendicularTo(vec, tol) : 0;
}

// 1e-10 is a fixed bound on x, not a tolerance.
double VqGeVector2d::angle() const {
    if (std::fabs(x) > 1e-10) {
        double a = std::atan(y / x);
        if (x < 0.0) a += kVqPi;
        if (a < 0.0) a += kVqTwoPi;
        return a;
    }
    return y > 0.0 ? kVqHalfPi : 3.0 * kVqHalfPi;
}

double VqGeVector2d::angleTo(const VqGeVector2d& vec) const {
    const double c = dotProduct(vec) / (length() * vec.length());
    if (c > 1.0) return 0.0;
    if (c >= -1.0) return std::acos(c);
    return kVqPi;
}

VqGeVector2d& VqGeVector2d::rotateBy(double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    return set(x * c - y * s, x * s + y * c);
}

VqGeVector2d& VqGeVector2d::mirror(const VqGeVector2d& line) {
    const VqGeVector2d n(-line.y, line.x);
    const double a = dotProduct(line), b = dotProduct(n);
    return set(a * line.x - b * n.x, a * line.y - b * n.y);
}
