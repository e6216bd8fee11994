// NmMatrix Crout decompositions, their solves, determinant, inverse and Cholesky solve.
//
// Notation: A = n x n matrix, P*A = L*U. L (lower, with diagonal) and U (unit upper,
// strictly above the diagonal) share A's storage. perm[i] is the row swapped into row i
// at column i; a valid perm has perm[i] in [i, n).
#include <cmath>

#include "nm_matrix.h"

namespace {

// Row factor of column i: l(j,i) for the rows j >= i, pivot among them (first on ties).
// Also completes the U entries above the diagonal in column i.
int croutColumn(NmMatrix& a, int n, int i, double& best) {
    for (int j = 0; j < i; ++j) {
        double s = a(j, i);
        for (int k = 0; k < j; ++k) s -= a(j, k) * a(k, i);
        a(j, i) = s / a(j, j);
    }
    int piv = i;
    best = -1.0;
    for (int j = i; j < n; ++j) {
        double s = a(j, i);
        for (int k = 0; k < i; ++k) s -= a(j, k) * a(k, i);
        a(j, i) = s;
        if (std::fabs(s) > best) {
            best = std::fabs(s);
            piv = j;
        }
    }
    return piv;
}

void swapRows(NmMatrix& a, int n, int r1, int r2) {
    for (int k = 0; k < n; ++k) {
        const double t = a(r1, k);
        a(r1, k) = a(r2, k);
        a(r2, k) = t;
    }
}

// A solve may only read factors and a permutation that fit each other and b.
int solvable(const NmMatrix& a, const NmIntVec& perm, const NmVector& b) {
    const int n = a.rowDim();
    if (n == 0 || a.colDim() != n || perm.dim() != n || b.dim() != n) return 0;
    for (int i = 0; i < n; ++i)
        if (perm[i] < i || perm[i] >= n) return 0;
    return 1;
}

// Shared forward and backward substitution; skipZeros starts the forward sums at the
// first non-zero entry of the permuted right-hand side.
void croutSolve(const NmMatrix& a, const NmIntVec& perm, NmVector& b, bool skipZeros) {
    if (!solvable(a, perm, b)) return;
    const int n = a.rowDim();
    int first = skipZeros ? -1 : 0;
    for (int i = 0; i < n; ++i) {
        const int p = perm[i];
        double s = b[p];
        b[p] = b[i];
        if (first >= 0) {
            for (int k = first; k < i; ++k) s -= a(i, k) * b[k];
        } else if (s != 0.0) {
            first = i;
        }
        b[i] = s / a(i, i);
    }
    for (int i = n - 1; i >= 0; --i) {
        double s = b[i];
        for (int k = i + 1; k < n; ++k) s -= a(i, k) * b[k];
        b[i] = s;
    }
}

}  // namespace

int NmMatrix::LUdecompose(NmIntVec& perm) {
    const int n = mRows;
    if (n == 0 || mCols != n) return 0;
    for (int i = 0; i < n; ++i) {
        double big = kZeroTol;
        for (int j = 0; j < n; ++j)
            if (std::fabs((*this)(i, j)) > big) big = std::fabs((*this)(i, j));
        if (!(big > kZeroTol)) return 0;
    }
    perm.reset(n, -1);
    if (perm.dim() != n) return 0;
    for (int i = 0; i < n; ++i) {
        double best;
        const int piv = croutColumn(*this, n, i, best);
        // No tolerance here, but an exactly zero (or non-finite) pivot would divide by zero
        // in the next columns and hand back infinite factors as a success.
        if (!(best > 0.0) || !std::isfinite(best)) return 0;
        perm[i] = piv;
        if (piv != i) swapRows(*this, n, i, piv);
    }
    return 1;
}

void NmMatrix::solveAfterLUdecompose(NmVector& b, const NmIntVec& perm) const {
    croutSolve(*this, perm, b, true);
}

int NmMatrix::decomposeLU(NmIntVec& perm, double tol) {
    const int n = mRows;
    perm.reset(n, -1);
    if (n == 0 || mCols != n || perm.dim() != n) return 0;
    for (int i = 0; i < n; ++i) {
        double best;
        const int piv = croutColumn(*this, n, i, best);
        // A zero pivot fails even with tol <= 0; NaN fails every comparison.
        if (!(best >= tol) || !(best > 0.0) || !std::isfinite(best)) return 0;
        perm[i] = piv;
        if (piv != i) swapRows(*this, n, i, piv);
    }
    return 1;
}

void NmMatrix::solveLU(const NmIntVec& perm, NmVector& b) const {
    croutSolve(*this, perm, b, false);
}

double NmMatrix::determinant(double tol) {
    NmIntVec perm;
    if (!decomposeLU(perm, tol)) return 0.0;
    double det = 1.0;
    for (int i = 0; i < mRows; ++i) {
        det *= (*this)(i, i);
        if (perm[i] != i) det = -det;
    }
    return det;
}

NmMatrix& NmMatrix::invert(double tol) {
    // A singular (or non-square) matrix is left as it was rather than half overwritten.
    NmMatrix lu(*this);
    NmIntVec perm;
    if (lu.mRows != mRows || !lu.decomposeLU(perm, tol)) return *this;
    const int n = mRows;
    NmVector e(n);
    if (e.dim() != n) return *this;
    for (int i = 0; i < n; ++i) {
        e = 0.0;
        e[i] = 1.0;
        lu.solveLU(perm, e);
        setColumn(i, e);
    }
    return *this;
}

int NmMatrix::symmetricLU(NmVector& b, double tol) {
    const int n = b.dim();
    // The factor needs n x n entries; a smaller matrix names no pivot.
    if (mRows < n || mCols < n) return -1;
    NmMatrix& a = *this;
    for (int i = 0; i < n; ++i) {
        for (int j = i; j < n; ++j) {
            double g = a(i, j);
            for (int l = 0; l < i; ++l) g -= a(j, l) * a(i, l);
            if (j == i) {
                // A pivot of zero passes a negative tol but has no usable root.
                if (!(g > tol) || !(g > 0.0)) return i + 1;
                a(i, i) = std::sqrt(g);
            } else {
                a(j, i) = g / a(i, i);
            }
        }
    }
    for (int i = 0; i < n; ++i) {
        double s = b[i];
        for (int k = 0; k < i; ++k) s -= a(i, k) * b[k];
        b[i] = s / a(i, i);
    }
    for (int i = n - 1; i >= 0; --i) {
        double s = b[i];
        for (int k = i + 1; k < n; ++k) s -= a(k, i) * b[k];
        b[i] = s / a(i, i);
    }
    return 0;
}
