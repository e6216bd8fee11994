// Per-axis scale of space: componentwise products and the link with matrices.
#include "vqge_scale3d.h"

const VqGeScale3d VqGeScale3d::kIdentity;

VqGeScale3d& VqGeScale3d::set(double xFactor, double yFactor, double zFactor) {
    sx = xFactor;
    sy = yFactor;
    sz = zFactor;
    return *this;
}

VqGeScale3d VqGeScale3d::operator*(const VqGeScale3d& sclVec) const {
    return VqGeScale3d(sx * sclVec.sx, sy * sclVec.sy, sz * sclVec.sz);
}
VqGeScale3d& VqGeScale3d::setToProduct(const VqGeScale3d& sclVec1, const VqGeScale3d& sclVec2) {
    *this = sclVec1 * sclVec2;
    return *this;
}
VqGeScale3d& VqGeScale3d::operator*=(const VqGeScale3d& scl) {
    return setToProduct(*this, scl);
}
VqGeScale3d& VqGeScale3d::preMultBy(const VqGeScale3d& leftSide) {
    return setToProduct(leftSide, *this);
}
VqGeScale3d& VqGeScale3d::postMultBy(const VqGeScale3d& rightSide) {
    return setToProduct(*this, rightSide);
}
VqGeScale3d VqGeScale3d::operator*(double s) const {
    return VqGeScale3d(sx * s, sy * s, sz * s);
}
VqGeScale3d& VqGeScale3d::operator*=(double s) {
    return set(sx * s, sy * s, sz * s);
}
VqGeScale3d& VqGeScale3d::setToProduct(const VqGeScale3d& sclVec, double s) {
    return set(sclVec.sx * s, sclVec.sy * s, sclVec.sz * s);
}

VqGeScale3d VqGeScale3d::inverse() const {
    return VqGeScale3d(1.0 / sx, 1.0 / sy, 1.0 / sz);
}
VqGeScale3d& VqGeScale3d::invert() {
    *this = inverse();
    return *this;
}

int VqGeScale3d::isProportional(const VqGeTol& tol) const {
    return static_cast<VqGeMatrix3d>(*this).isUniScaledOrtho(tol);
}
int VqGeScale3d::isEqualTo(const VqGeScale3d& scaleVec, const VqGeTol& tol) const {
    return static_cast<VqGeMatrix3d>(*this).isEqualTo(static_cast<VqGeMatrix3d>(scaleVec), tol);
}

VqGeMatrix3d& VqGeScale3d::getMatrix(VqGeMatrix3d& mat) const {
    for (unsigned int r = 0; r < 3; ++r)
        for (unsigned int c = 0; c < 3; ++c) mat(r, c) = r == c ? (*this)[r] : 0.0;
    return mat;
}
VqGeScale3d::operator VqGeMatrix3d() const {
    VqGeMatrix3d mat;
    return getMatrix(mat);
}

namespace {
double columnLength(const VqGeMatrix3d& mat, unsigned int c) {
    return VqGeVector3d(mat(0, c), mat(1, c), mat(2, c)).length();
}
}  // namespace

// An orientation-reversing matrix gives its reflection to the z factor.
VqGeScale3d& VqGeScale3d::extractScale(const VqGeMatrix3d& mat) {
    set(columnLength(mat, 0), columnLength(mat, 1), columnLength(mat, 2));
    if (mat.det() < 0.0) sz = -sz;
    return *this;
}

VqGeScale3d& VqGeScale3d::removeScale(VqGeMatrix3d& mat) {
    set(columnLength(mat, 0), columnLength(mat, 1), columnLength(mat, 2));
    for (unsigned int c = 0; c < 3; ++c)
        for (unsigned int r = 0; r < 3; ++r) mat(r, c) /= (*this)[c];
    if (mat.det() < 0.0) {
        sz = -sz;
        for (unsigned int r = 0; r < 3; ++r) mat(r, 2) = -mat(r, 2);
    }
    return *this;
}
