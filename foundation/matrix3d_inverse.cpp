// Space matrix: the plain inverses, determinant and singularity test.
//
// Notation: B is the upper 3x3 block, t the translation column, r3 the projective row.
#include <cmath>

#include "vqge_matrix3d.h"

namespace {
// Beyond this distance from (0, 0, 0, 1) the projective row makes the matrix projective.
constexpr double kAffineEps = 1e-10;
// Rows whose entry in the pivot column is at most this are left alone by the elimination.
constexpr double kEliminateEps = 1e-10;

bool isAffine(const VqGeMatrix3d& m) {
    return std::fabs(m(3, 0)) <= kAffineEps && std::fabs(m(3, 1)) <= kAffineEps &&
           std::fabs(m(3, 2)) <= kAffineEps && std::fabs(1.0 - m(3, 3)) <= kAffineEps;
}

// B^-1 by cofactors, t' = -B^-1 t, r3 exactly (0, 0, 0, 1).
VqGeMatrix3d affineInverse(const VqGeMatrix3d& m) {
    VqGeMatrix3d inv;
    const double c00 = m(1, 1) * m(2, 2) - m(1, 2) * m(2, 1);
    const double c01 = m(0, 2) * m(2, 1) - m(0, 1) * m(2, 2);
    const double c02 = m(0, 1) * m(1, 2) - m(0, 2) * m(1, 1);
    const double c10 = m(1, 2) * m(2, 0) - m(1, 0) * m(2, 2);
    const double c11 = m(0, 0) * m(2, 2) - m(0, 2) * m(2, 0);
    const double c12 = m(0, 2) * m(1, 0) - m(0, 0) * m(1, 2);
    const double c20 = m(1, 0) * m(2, 1) - m(1, 1) * m(2, 0);
    const double c21 = m(0, 1) * m(2, 0) - m(0, 0) * m(2, 1);
    const double c22 = m(0, 0) * m(1, 1) - m(0, 1) * m(1, 0);
    const double d = m.det();
    inv(0, 0) = c00 / d;
    inv(0, 1) = c01 / d;
    inv(0, 2) = c02 / d;
    inv(1, 0) = c10 / d;
    inv(1, 1) = c11 / d;
    inv(1, 2) = c12 / d;
    inv(2, 0) = c20 / d;
    inv(2, 1) = c21 / d;
    inv(2, 2) = c22 / d;
    for (unsigned int r = 0; r < 3; ++r)
        inv(r, 3) = -(inv(r, 0) * m(0, 3) + inv(r, 1) * m(1, 3) + inv(r, 2) * m(2, 3));
    return inv;  // constructed as the identity, so r3 is exact
}

// Gauss-Jordan on [m | I] with partial pivoting; the earlier row keeps ties.
VqGeMatrix3d eliminationInverse(const VqGeMatrix3d& src) {
    VqGeMatrix3d a(src);
    VqGeMatrix3d inv;
    for (unsigned int i = 0; i < 4; ++i) {
        unsigned int piv = i;
        for (unsigned int r = i + 1; r < 4; ++r)
            if (std::fabs(a(r, i)) > std::fabs(a(piv, i))) piv = r;
        if (piv != i) {
            for (unsigned int c = 0; c < 4; ++c) {
                double t = a(i, c);
                a(i, c) = a(piv, c);
                a(piv, c) = t;
                t = inv(i, c);
                inv(i, c) = inv(piv, c);
                inv(piv, c) = t;
            }
        }
        const double p = a(i, i);
        for (unsigned int c = 0; c < 4; ++c) {
            a(i, c) /= p;
            inv(i, c) /= p;
        }
        for (unsigned int r = 0; r < 4; ++r) {
            const double f = a(r, i);
            if (r == i || !(std::fabs(f) > kEliminateEps)) continue;
            for (unsigned int c = 0; c < 4; ++c) {
                a(r, c) -= f * a(i, c);
                inv(r, c) -= f * inv(i, c);
            }
        }
    }
    return inv;
}
}  // namespace

VqGeMatrix3d VqGeMatrix3d::inverse() const {
    return isAffine(*this) ? affineInverse(*this) : eliminationInverse(*this);
}

VqGeMatrix3d& VqGeMatrix3d::invert() {
    *this = inverse();
    return *this;
}

// Expanded along the first column.
double VqGeMatrix3d::det() const {
    const double(&m)[4][4] = mEntry;
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[1][0] * (m[0][1] * m[2][2] - m[0][2] * m[2][1]) +
           m[2][0] * (m[0][1] * m[1][2] - m[0][2] * m[1][1]);
}

// Only degenerate or pairwise parallel axes count: three coplanar axes do not.
int VqGeMatrix3d::isSingular(const VqGeTol& tol) const {
    VqGePoint3d origin;
    VqGeVector3d x, y, z;
    getCoordSystem(origin, x, y, z);
    if (x.isZeroLength(tol) || y.isZeroLength(tol) || z.isZeroLength(tol)) return 1;
    return x.isParallelTo(y, tol) || y.isParallelTo(z, tol) || z.isParallelTo(x, tol);
}
