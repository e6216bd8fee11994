// Rotation quaternion: construction from angles and vector pairs, matrices, Hamilton products.
#include <cmath>

#include "foundation/vqge_math.h"
#include "vqge_quaternion.h"

namespace {
// Rotations by less than this count as none in getAngleAndAxis.
constexpr double kNoRotation = 1e-10;
}  // namespace

const VqGeQuaternion VqGeQuaternion::kIdentity;

VqGeQuaternion::VqGeQuaternion(double angle, const VqGeVector3d& axis) {
    setToAngleAndAxis(angle, axis);
}

VqGeQuaternion::VqGeQuaternion(const VqGeVector3d& from, const VqGeVector3d& to,
                               const VqGeVector3d& axis)
    : w(1.0), x(0.0), y(0.0), z(0.0) {
    const VqGeTol& tol = VqGeContext::gTol;
    if (from.isParallelTo(to, tol)) {
        if (from.isCodirectionalTo(to, tol)) return;
        // Opposite vectors: any axis perpendicular to from gives the half-turn.
        const bool axisUsable = !axis.isZeroLength(tol) && axis.isPerpendicularTo(from, tol);
        setToAngleAndAxis(kVqPi, axisUsable ? axis : from.perpVector());
        return;
    }
    double c = to.normal(tol).dotProduct(from.normal(tol));
    if (c > 1.0) c = 1.0;
    if (!(c >= -1.0)) c = -1.0;  // also catches a value that is not a number
    setToAngleAndAxis(std::acos(c), from.crossProduct(to));
}

VqGeQuaternion& VqGeQuaternion::set(double ww, double xx, double yy, double zz) {
    w = ww;
    x = xx;
    y = yy;
    z = zz;
    return *this;
}

VqGeQuaternion& VqGeQuaternion::setToAngleAndAxis(double angle, const VqGeVector3d& axis) {
    const VqGeVector3d n = axis.normal(VqGeContext::gTol);
    const double s = std::sin(0.5 * angle);
    return set(std::cos(0.5 * angle), s * n.x, s * n.y, s * n.z);
}

double VqGeQuaternion::getAngleAndAxis(VqGeVector3d& axis) const {
    // A scalar part rounded just past +-1 would make acos fail and spoil the axis; clamped, it
    // reads as the rotation it stands for.
    double c = w;
    if (c > 1.0) c = 1.0;
    if (c < -1.0) c = -1.0;
    double a = 2.0 * std::acos(c);
    if (!(std::fabs(a) >= kNoRotation)) return 0.0;
    VqGeVector3d found = VqGeVector3d(x, y, z) / std::sin(0.5 * a);
    if (found.dotProduct(axis) < 0.0) {
        a = kVqTwoPi - a;
        found.negate();
    }
    axis = found;
    return a;
}

VqGeQuaternion& VqGeQuaternion::extractRotation(const VqGeMatrix3d& m) {
    const double t = m(0, 0) + m(1, 1) + m(2, 2);
    if (t > 0.0) {
        const double s = std::sqrt(t + 1.0);
        const double f = 0.5 / s;
        return set(0.5 * s, (m(2, 1) - m(1, 2)) * f, (m(0, 2) - m(2, 0)) * f,
                   (m(1, 0) - m(0, 1)) * f);
    }
    // Start from the largest diagonal entry; r00 keeps a tie with r11, r22 must be larger.
    unsigned int i = m(1, 1) > m(0, 0) ? 1 : 0;
    if (m(2, 2) > m(i, i)) i = 2;
    const unsigned int j = (i + 1) % 3, k = (i + 2) % 3;
    const double h = std::sqrt(m(i, i) - (m(k, k) + m(j, j)) + 1.0);
    const double f = 0.5 / h;
    double q[3];
    q[i] = 0.5 * h;
    q[j] = (m(i, j) + m(j, i)) * f;
    q[k] = (m(i, k) + m(k, i)) * f;
    return set((m(k, j) - m(j, k)) * f, q[0], q[1], q[2]);
}

VqGeMatrix3d& VqGeQuaternion::getMatrix(VqGeMatrix3d& m) const {
    m(0, 0) = 1.0 - 2.0 * (y * y + z * z);
    m(0, 1) = 2.0 * (x * y - w * z);
    m(0, 2) = 2.0 * (x * z + w * y);
    m(1, 0) = 2.0 * (x * y + w * z);
    m(1, 1) = 1.0 - 2.0 * (x * x + z * z);
    m(1, 2) = 2.0 * (y * z - w * x);
    m(2, 0) = 2.0 * (x * z - w * y);
    m(2, 1) = 2.0 * (y * z + w * x);
    m(2, 2) = 1.0 - 2.0 * (x * x + y * y);
    return m;
}
VqGeQuaternion::operator VqGeMatrix3d() const {
    VqGeMatrix3d m;
    return getMatrix(m);
}

VqGeQuaternion VqGeQuaternion::operator*(const VqGeQuaternion& q) const {
    return VqGeQuaternion(
        w * q.w - x * q.x - y * q.y - z * q.z, w * q.x + x * q.w + y * q.z - z * q.y,
        w * q.y - x * q.z + y * q.w + z * q.x, w * q.z + x * q.y - y * q.x + z * q.w, 0);
}
// The product goes through a temporary, so either operand may be this quaternion.
VqGeQuaternion& VqGeQuaternion::setToProduct(const VqGeQuaternion& quat1,
                                             const VqGeQuaternion& quat2) {
    *this = quat1 * quat2;
    return *this;
}
VqGeQuaternion& VqGeQuaternion::operator*=(const VqGeQuaternion& quat) {
    return setToProduct(*this, quat);
}
VqGeQuaternion& VqGeQuaternion::postMultBy(const VqGeQuaternion& rightSide) {
    return setToProduct(*this, rightSide);
}
VqGeQuaternion& VqGeQuaternion::preMultBy(const VqGeQuaternion& leftSide) {
    return setToProduct(leftSide, *this);
}

VqGeQuaternion& VqGeQuaternion::negate() {
    return set(-w, -x, -y, -z);
}
VqGeQuaternion& VqGeQuaternion::conjugateIt() {
    return set(w, -x, -y, -z);
}

int VqGeQuaternion::isEqualTo(const VqGeQuaternion& quat, const VqGeTol& tol) const {
    const double dw = w - quat.w, dx = x - quat.x, dy = y - quat.y, dz = z - quat.z;
    const double e = tol.equalPoint();
    return dw * dw + dx * dx + dy * dy + dz * dz <= e * e;
}
