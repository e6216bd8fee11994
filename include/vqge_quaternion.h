// Rotation quaternion: scalar part w, vector part (x, y, z).
#ifndef VQGE_QUATERNION_H
#define VQGE_QUATERNION_H

#include "vqge_context.h"
#include "vqge_defs.h"
#include "vqge_matrix3d.h"
#include "vqge_tol.h"
#include "vqge_vector3d.h"

class VQGE_API VqGeQuaternion {
public:
    constexpr VqGeQuaternion() : w(1.0), x(0.0), y(0.0), z(0.0) {}
    // Counter-clockwise rotation by angle about axis.
    VqGeQuaternion(double angle, const VqGeVector3d& axis);
    // The rotation that turns from onto to; axis is used only for a half-turn between opposite
    // vectors, and replaced by from.perpVector() when it is zero or not perpendicular to from.
    VqGeQuaternion(const VqGeVector3d& from, const VqGeVector3d& to,
                   const VqGeVector3d& axis = VqGeVector3d::kIdentity);
    VqGeQuaternion(const VqGeQuaternion& src) = default;
    VqGeQuaternion& operator=(const VqGeQuaternion& src) = default;

    static const VqGeQuaternion kIdentity;

    VqGeQuaternion& setToAngleAndAxis(double angle, const VqGeVector3d& axis);
    // Returns the angle; axis (read first as a hint of orientation) receives the axis. A
    // rotation by less than 1e-10 returns 0 and leaves axis untouched.
    double getAngleAndAxis(VqGeVector3d& axis) const;
    // From the upper 3x3 block of a rotation matrix.
    VqGeQuaternion& extractRotation(const VqGeMatrix3d& mat);
    // Writes the rotation into the upper 3x3 block of mat only; no normalisation.
    VqGeMatrix3d& getMatrix(VqGeMatrix3d& mat) const;
    operator VqGeMatrix3d() const;

    // Hamilton products.
    VqGeQuaternion operator*(const VqGeQuaternion& quat) const;
    VqGeQuaternion& operator*=(const VqGeQuaternion& quat);  // this = this x quat
    VqGeQuaternion& preMultBy(const VqGeQuaternion& leftSide);
    VqGeQuaternion& postMultBy(const VqGeQuaternion& rightSide);
    // Either argument may be this quaternion.
    VqGeQuaternion& setToProduct(const VqGeQuaternion& quat1, const VqGeQuaternion& quat2);

    VqGeQuaternion operator-() const { return VqGeQuaternion(-w, -x, -y, -z, 0); }
    VqGeQuaternion& negate();
    VqGeQuaternion conjugate() const { return VqGeQuaternion(w, -x, -y, -z, 0); }
    VqGeQuaternion& conjugateIt();

    // Four-dimensional distance compared with equalPoint.
    int operator==(const VqGeQuaternion& quat) const { return isEqualTo(quat); }
    int operator!=(const VqGeQuaternion& quat) const { return !isEqualTo(quat); }
    int isEqualTo(const VqGeQuaternion& quat, const VqGeTol& tol = VqGeContext::gTol) const;

    VqGeQuaternion& set(double ww, double xx, double yy, double zz);

    double w, x, y, z;

private:
    constexpr VqGeQuaternion(double ww, double xx, double yy, double zz, int)
        : w(ww), x(xx), y(yy), z(zz) {}
};

#endif
