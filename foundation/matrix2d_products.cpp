// Plane matrix: identity, products, transposition, equality, inverse and determinant.
#include "vqge_matrix2d.h"

const VqGeMatrix2d VqGeMatrix2d::kIdentity;

VqGeMatrix2d::VqGeMatrix2d() {
    setToIdentity();
}

VqGeMatrix2d& VqGeMatrix2d::setToIdentity() {
    for (unsigned int r = 0; r < 3; ++r)
        for (unsigned int c = 0; c < 3; ++c) mEntry[r][c] = r == c ? 1.0 : 0.0;
    return *this;
}

VqGeMatrix2d VqGeMatrix2d::operator*(const VqGeMatrix2d& mat) const {
    VqGeMatrix2d prod;
    for (unsigned int r = 0; r < 3; ++r)
        for (unsigned int c = 0; c < 3; ++c) {
            double sum = 0.0;
            for (unsigned int k = 0; k < 3; ++k) sum += mEntry[r][k] * mat.mEntry[k][c];
            prod.mEntry[r][c] = sum;
        }
    return prod;
}

// The product goes through a temporary, so either operand may be this matrix.
VqGeMatrix2d& VqGeMatrix2d::setToProduct(const VqGeMatrix2d& mat1, const VqGeMatrix2d& mat2) {
    *this = mat1 * mat2;
    return *this;
}
VqGeMatrix2d& VqGeMatrix2d::operator*=(const VqGeMatrix2d& mat) {
    return setToProduct(*this, mat);
}
VqGeMatrix2d& VqGeMatrix2d::postMultBy(const VqGeMatrix2d& rightSide) {
    return setToProduct(*this, rightSide);
}
VqGeMatrix2d& VqGeMatrix2d::preMultBy(const VqGeMatrix2d& leftSide) {
    return setToProduct(leftSide, *this);
}

VqGeMatrix2d& VqGeMatrix2d::transposeIt() {
    for (unsigned int r = 0; r < 3; ++r)
        for (unsigned int c = r + 1; c < 3; ++c) {
            const double t = mEntry[r][c];
            mEntry[r][c] = mEntry[c][r];
            mEntry[c][r] = t;
        }
    return *this;
}
VqGeMatrix2d VqGeMatrix2d::transpose() const {
    VqGeMatrix2d t(*this);
    return t.transposeIt();
}

// Column by column as vectors; the projective row takes no part.
int VqGeMatrix2d::isEqualTo(const VqGeMatrix2d& mat, const VqGeTol& tol) const {
    for (unsigned int c = 0; c < 3; ++c) {
        const VqGeVector2d a(mEntry[0][c], mEntry[1][c]);
        const VqGeVector2d b(mat.mEntry[0][c], mat.mEntry[1][c]);
        if (!a.isEqualTo(b, tol)) return 0;
    }
    return 1;
}

// Cofactors of the full 3x3 matrix, projective or not; no singularity test, so a singular
// matrix gives non-finite entries.
VqGeMatrix2d VqGeMatrix2d::inverse() const {
    const double(&m)[3][3] = mEntry;
    VqGeMatrix2d inv;
    inv.mEntry[0][0] = m[1][1] * m[2][2] - m[1][2] * m[2][1];
    inv.mEntry[0][1] = m[0][2] * m[2][1] - m[0][1] * m[2][2];
    inv.mEntry[0][2] = m[0][1] * m[1][2] - m[0][2] * m[1][1];
    inv.mEntry[1][0] = m[1][2] * m[2][0] - m[1][0] * m[2][2];
    inv.mEntry[1][1] = m[0][0] * m[2][2] - m[0][2] * m[2][0];
    inv.mEntry[1][2] = m[0][2] * m[1][0] - m[0][0] * m[1][2];
    inv.mEntry[2][0] = m[1][0] * m[2][1] - m[1][1] * m[2][0];
    inv.mEntry[2][1] = m[0][1] * m[2][0] - m[0][0] * m[2][1];
    inv.mEntry[2][2] = m[0][0] * m[1][1] - m[0][1] * m[1][0];
    const double d =
        m[0][0] * inv.mEntry[0][0] + m[0][1] * inv.mEntry[1][0] + m[0][2] * inv.mEntry[2][0];
    for (unsigned int r = 0; r < 3; ++r)
        for (unsigned int c = 0; c < 3; ++c) inv.mEntry[r][c] /= d;
    return inv;
}

VqGeMatrix2d& VqGeMatrix2d::invert() {
    *this = inverse();
    return *this;
}

double VqGeMatrix2d::det() const {
    return mEntry[0][0] * mEntry[1][1] - mEntry[0][1] * mEntry[1][0];
}
