// NmMatrix exact, least-squares and minimum-norm solves, and the forced (truncated
// eigenvalue) solve.
//
// Notation: A = this matrix (rows x cols), b = right-hand side. Under-determined systems
// go through M = A*At (minimum norm, x = At*y), over-determined ones through M = At*A
// (normal equations, c = At*b).
#include "nm_matrix.h"

namespace {

// M = A * At (rows x rows): dot products of rows.
NmMatrix rowGram(const NmMatrix& a) {
    const int r = a.rowDim(), c = a.colDim();
    NmMatrix m(r, r);
    if (m.rowDim() != r) return NmMatrix();
    for (int i = 0; i < r; ++i)
        for (int j = 0; j <= i; ++j) {
            double s = 0.0;
            for (int k = 0; k < c; ++k) s += a(i, k) * a(j, k);
            m(i, j) = s;
            m(j, i) = s;
        }
    return m;
}

// M = At * A (cols x cols): dot products of columns.
NmMatrix columnGram(const NmMatrix& a) {
    const int r = a.rowDim(), c = a.colDim();
    NmMatrix m(c, c);
    if (m.rowDim() != c) return NmMatrix();
    for (int i = 0; i < c; ++i)
        for (int j = 0; j <= i; ++j) {
            double s = 0.0;
            for (int k = 0; k < r; ++k) s += a(k, i) * a(k, j);
            m(i, j) = s;
            m(j, i) = s;
        }
    return m;
}

// At * v (length cols); v has length rows.
NmVector transposeTimes(const NmMatrix& a, const NmVector& v) {
    return v * a;
}

}  // namespace

int NmMatrix::solve(NmVector& b, double tol) {
    if (mRows == 0 || mCols == 0 || b.dim() != mRows) return 0;
    if (mRows == mCols) {
        NmIntVec perm;
        if (!decomposeLU(perm, tol)) return 0;
        solveLU(perm, b);
        return 1;
    }
    if (mRows < mCols) {
        NmMatrix m = rowGram(*this);
        NmVector y(b);
        if (y.dim() != b.dim() || !m.solve(y, tol)) return 0;
        NmVector x = transposeTimes(*this, y);
        if (x.dim() != mCols) return 0;
        b = x;
        return b.dim() == mCols;
    }
    NmMatrix m = columnGram(*this);
    NmVector c = transposeTimes(*this, b);
    if (c.dim() != mCols || !m.solve(c, tol)) return 0;
    b = c;
    return b.dim() == mCols;
}

void NmMatrix::force(NmVector& b, double tol) {
    // A right-hand side that does not fit gets the zero solution of the right length.
    if (b.dim() != mRows) {
        b.reset(mCols);
        return;
    }
    if (mRows == 0 || mCols == 0) {
        b.reset(mCols);
        return;
    }
    if (mRows < mCols) {
        NmMatrix m = rowGram(*this);
        m.force(b, tol);
        NmVector x = transposeTimes(*this, b);
        b.reset(x);
        if (b.dim() != mCols) b.reset(mCols);
        return;
    }
    if (mRows > mCols) {
        NmMatrix m = columnGram(*this);
        NmVector c = transposeTimes(*this, b);
        if (c.dim() != mCols) {
            b.reset(mCols);
            return;
        }
        m.force(c, tol);
        b = c;
        return;
    }
    const NmMatrix a(*this);
    NmIntVec perm;
    if (decomposeLU(perm, tol)) {
        solveLU(perm, b);
        return;
    }
    // Singular: pseudo-inverse restricted to the eigenvalues of At*A above tol.
    *this = columnGram(a);
    const NmVector c = transposeTimes(a, b);
    NmVector values;
    b.reset(mCols);
    // Without an eigen-decomposition (non-finite input) only the zero solution is safe.
    if (c.dim() != mCols || b.dim() != mCols || !eigensystem(values)) return;
    for (int i = 0; i < mCols; ++i) {
        if (!(values[i] > tol)) continue;
        double vc = 0.0;
        for (int k = 0; k < mRows; ++k) vc += (*this)(k, i) * c[k];
        const double f = vc / values[i];
        for (int k = 0; k < mRows; ++k) b[k] += f * (*this)(k, i);
    }
}
