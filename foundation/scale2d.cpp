// Per-axis scale of the plane: componentwise products and the link with matrices.
#include "vqge_scale2d.h"

const VqGeScale2d VqGeScale2d::kIdentity;

VqGeScale2d& VqGeScale2d::set(double xFactor, double yFactor) {
    sx = xFactor;
    sy = yFactor;
    return *this;
}

VqGeScale2d VqGeScale2d::operator*(const VqGeScale2d& sclVec) const {
    return VqGeScale2d(sx * sclVec.sx, sy * sclVec.sy);
}
VqGeScale2d& VqGeScale2d::setToProduct(const VqGeScale2d& sclVec1, const VqGeScale2d& sclVec2) {
    *this = sclVec1 * sclVec2;
    return *this;
}
VqGeScale2d& VqGeScale2d::operator*=(const VqGeScale2d& scl) {
    return setToProduct(*this, scl);
}
VqGeScale2d& VqGeScale2d::preMultBy(const VqGeScale2d& leftSide) {
    return setToProduct(leftSide, *this);
}
VqGeScale2d& VqGeScale2d::postMultBy(const VqGeScale2d& rightSide) {
    return setToProduct(*this, rightSide);
}
VqGeScale2d VqGeScale2d::operator*(double s) const {
    return VqGeScale2d(sx * s, sy * s);
}
VqGeScale2d& VqGeScale2d::operator*=(double s) {
    return set(sx * s, sy * s);
}
VqGeScale2d& VqGeScale2d::setToProduct(const VqGeScale2d& sclVec, double s) {
    return set(sclVec.sx * s, sclVec.sy * s);
}

VqGeScale2d VqGeScale2d::inverse() const {
    return VqGeScale2d(1.0 / sx, 1.0 / sy);
}
VqGeScale2d& VqGeScale2d::invert() {
    *this = inverse();
    return *this;
}

int VqGeScale2d::isProportional(const VqGeTol& tol) const {
    return static_cast<VqGeMatrix2d>(*this).isUniScaledOrtho(tol);
}
int VqGeScale2d::isEqualTo(const VqGeScale2d& scaleVec, const VqGeTol& tol) const {
    return static_cast<VqGeMatrix2d>(*this).isEqualTo(static_cast<VqGeMatrix2d>(scaleVec), tol);
}

VqGeMatrix2d& VqGeScale2d::getMatrix(VqGeMatrix2d& mat) const {
    mat(0, 0) = sx;
    mat(0, 1) = 0.0;
    mat(1, 0) = 0.0;
    mat(1, 1) = sy;
    return mat;
}
VqGeScale2d::operator VqGeMatrix2d() const {
    VqGeMatrix2d mat;
    return getMatrix(mat);
}

namespace {
double columnLength(const VqGeMatrix2d& mat, unsigned int c) {
    return VqGeVector2d(mat(0, c), mat(1, c)).length();
}
}  // namespace

// In the plane an orientation-reversing matrix gives its reflection to the x factor.
VqGeScale2d& VqGeScale2d::extractScale(const VqGeMatrix2d& mat) {
    set(columnLength(mat, 0), columnLength(mat, 1));
    if (mat.det() < 0.0) sx = -sx;
    return *this;
}

VqGeScale2d& VqGeScale2d::removeScale(VqGeMatrix2d& mat) {
    set(columnLength(mat, 0), columnLength(mat, 1));
    for (unsigned int r = 0; r < 2; ++r) {
        mat(r, 0) /= sx;
        mat(r, 1) /= sy;
    }
    if (mat.det() < 0.0) {
        sx = -sx;
        mat(0, 0) = -mat(0, 0);
        mat(1, 0) = -mat(1, 0);
    }
    return *this;
}
