// Points and vectors by matrices: projective products of points, linear products of vectors,
// rotations between vectors and vectors as translations.
#include "vqge_matrix2d.h"
#include "vqge_matrix3d.h"
#include "vqge_point2d.h"
#include "vqge_point3d.h"
#include "vqge_quaternion.h"
#include "vqge_vector2d.h"
#include "vqge_vector3d.h"

// The projective row is tested exactly: an affine matrix never pays for the division.
VqGePoint3d operator*(const VqGeMatrix3d& mat, const VqGePoint3d& pnt) {
    VqGePoint3d res(mat(0, 0) * pnt.x + mat(0, 1) * pnt.y + mat(0, 2) * pnt.z + mat(0, 3),
                    mat(1, 0) * pnt.x + mat(1, 1) * pnt.y + mat(1, 2) * pnt.z + mat(1, 3),
                    mat(2, 0) * pnt.x + mat(2, 1) * pnt.y + mat(2, 2) * pnt.z + mat(2, 3));
    if (mat(3, 0) != 0.0 || mat(3, 1) != 0.0 || mat(3, 2) != 0.0 || mat(3, 3) != 1.0) {
        const double w = mat(3, 0) * pnt.x + mat(3, 1) * pnt.y + mat(3, 2) * pnt.z + mat(3, 3);
        res *= 1.0 / w;
    }
    return res;
}
VqGePoint3d& VqGePoint3d::setToProduct(const VqGeMatrix3d& mat, const VqGePoint3d& pnt) {
    *this = mat * pnt;  // computed whole before the store, so pnt may be this point
    return *this;
}
VqGePoint3d& VqGePoint3d::transformBy(const VqGeMatrix3d& leftSide) {
    return setToProduct(leftSide, *this);
}

VqGePoint2d operator*(const VqGeMatrix2d& mat, const VqGePoint2d& pnt) {
    VqGePoint2d res(mat(0, 0) * pnt.x + mat(0, 1) * pnt.y + mat(0, 2),
                    mat(1, 0) * pnt.x + mat(1, 1) * pnt.y + mat(1, 2));
    if (mat(2, 0) != 0.0 || mat(2, 1) != 0.0 || mat(2, 2) != 1.0) {
        const double w = mat(2, 0) * pnt.x + mat(2, 1) * pnt.y + mat(2, 2);
        res *= 1.0 / w;
    }
    return res;
}
VqGePoint2d& VqGePoint2d::setToProduct(const VqGeMatrix2d& mat, const VqGePoint2d& pnt) {
    *this = mat * pnt;
    return *this;
}
VqGePoint2d& VqGePoint2d::transformBy(const VqGeMatrix2d& leftSide) {
    return setToProduct(leftSide, *this);
}

// Vectors are differences of points: the translation and the projective row do not apply.
VqGeVector3d operator*(const VqGeMatrix3d& mat, const VqGeVector3d& vec) {
    return VqGeVector3d(mat(0, 0) * vec.x + mat(0, 1) * vec.y + mat(0, 2) * vec.z,
                        mat(1, 0) * vec.x + mat(1, 1) * vec.y + mat(1, 2) * vec.z,
                        mat(2, 0) * vec.x + mat(2, 1) * vec.y + mat(2, 2) * vec.z);
}
VqGeVector3d& VqGeVector3d::setToProduct(const VqGeMatrix3d& mat, const VqGeVector3d& vec) {
    *this = mat * vec;
    return *this;
}
VqGeVector3d& VqGeVector3d::transformBy(const VqGeMatrix3d& leftSide) {
    return setToProduct(leftSide, *this);
}

VqGeVector2d operator*(const VqGeMatrix2d& mat, const VqGeVector2d& vec) {
    return VqGeVector2d(mat(0, 0) * vec.x + mat(0, 1) * vec.y,
                        mat(1, 0) * vec.x + mat(1, 1) * vec.y);
}
VqGeVector2d& VqGeVector2d::setToProduct(const VqGeMatrix2d& mat, const VqGeVector2d& vec) {
    *this = mat * vec;
    return *this;
}
VqGeVector2d& VqGeVector2d::transformBy(const VqGeMatrix2d& leftSide) {
    return setToProduct(leftSide, *this);
}

VqGeMatrix3d VqGeVector3d::rotateTo(const VqGeVector3d& vec, const VqGeVector3d& axis) const {
    return VqGeQuaternion(*this, vec, axis);
}

VqGeVector3d::operator VqGeMatrix3d() const {
    return VqGeMatrix3d::translation(*this);
}
VqGeVector2d::operator VqGeMatrix2d() const {
    return VqGeMatrix2d::translation(*this);
}
