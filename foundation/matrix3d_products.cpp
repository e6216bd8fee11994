// Space matrix: identity, products, transposition and equality.
#include "vqge_matrix3d.h"

const VqGeMatrix3d VqGeMatrix3d::kIdentity;

VqGeMatrix3d::VqGeMatrix3d() {
    setToIdentity();
}

VqGeMatrix3d& VqGeMatrix3d::setToIdentity() {
    for (unsigned int r = 0; r < 4; ++r)
        for (unsigned int c = 0; c < 4; ++c) mEntry[r][c] = r == c ? 1.0 : 0.0;
    return *this;
}

VqGeMatrix3d VqGeMatrix3d::operator*(const VqGeMatrix3d& mat) const {
    VqGeMatrix3d prod;
    for (unsigned int r = 0; r < 4; ++r)
        for (unsigned int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (unsigned int k = 0; k < 4; ++k) sum += mEntry[r][k] * mat.mEntry[k][c];
            prod.mEntry[r][c] = sum;
        }
    return prod;
}

// The product goes through a temporary, so either operand may be this matrix.
VqGeMatrix3d& VqGeMatrix3d::setToProduct(const VqGeMatrix3d& mat1, const VqGeMatrix3d& mat2) {
    *this = mat1 * mat2;
    return *this;
}
VqGeMatrix3d& VqGeMatrix3d::operator*=(const VqGeMatrix3d& mat) {
    return setToProduct(*this, mat);
}
VqGeMatrix3d& VqGeMatrix3d::postMultBy(const VqGeMatrix3d& rightSide) {
    return setToProduct(*this, rightSide);
}
VqGeMatrix3d& VqGeMatrix3d::preMultBy(const VqGeMatrix3d& leftSide) {
    return setToProduct(leftSide, *this);
}

VqGeMatrix3d& VqGeMatrix3d::transposeIt() {
    for (unsigned int r = 0; r < 4; ++r)
        for (unsigned int c = r + 1; c < 4; ++c) {
            const double t = mEntry[r][c];
            mEntry[r][c] = mEntry[c][r];
            mEntry[c][r] = t;
        }
    return *this;
}
VqGeMatrix3d VqGeMatrix3d::transpose() const {
    VqGeMatrix3d t(*this);
    return t.transposeIt();
}

// Column by column as vectors; the projective row takes no part.
int VqGeMatrix3d::isEqualTo(const VqGeMatrix3d& mat, const VqGeTol& tol) const {
    for (unsigned int c = 0; c < 4; ++c) {
        const VqGeVector3d a(mEntry[0][c], mEntry[1][c], mEntry[2][c]);
        const VqGeVector3d b(mat.mEntry[0][c], mat.mEntry[1][c], mat.mEntry[2][c]);
        if (!a.isEqualTo(b, tol)) return 0;
    }
    return 1;
}
