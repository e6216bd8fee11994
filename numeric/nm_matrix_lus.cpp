// Implicitly scaled 4 x 4 LU (Doolittle order) and the inverse built on it.
//
// Notation: a = 4 x 4 row-major block, P*A = L*U with L unit lower (strictly below the
// diagonal) and U upper with its diagonal. scale[k] = 1 / largest |entry| of row k, carried
// along with row swaps; the pivot row maximises scale[k]*|a(k,j)|, ties to the later row.
#include <cmath>
#include <cstring>

#include "nm_matrix.h"
#include "numeric/nm_lu4.h"

namespace {

inline double& at(double* a, int i, int j) {
    return a[i * 4 + j];
}
inline double at(const double* a, int i, int j) {
    return a[i * 4 + j];
}

int isUpper4(const double* a) {
    for (int i = 1; i < 4; ++i)
        for (int j = 0; j < i; ++j)
            if (at(a, i, j) != 0.0) return 0;
    return 1;
}

}  // namespace

int nmDecomposeLU4(double a[16], int perm[4], double& sign, double tol) {
    double scale[4];
    sign = 1.0;
    for (int i = 0; i < 4; ++i) {
        double big = 0.0;
        for (int j = 0; j < 4; ++j)
            if (std::fabs(at(a, i, j)) > big) big = std::fabs(at(a, i, j));
        if (!(big >= tol) || !(big > 0.0)) return 0;
        scale[i] = 1.0 / big;
    }
    for (int j = 0; j < 4; ++j) {
        for (int k = 0; k < j; ++k) {
            double s = at(a, k, j);
            for (int m = 0; m < k; ++m) s -= at(a, k, m) * at(a, m, j);
            at(a, k, j) = s;
        }
        double big = -1.0;
        int piv = j;
        for (int k = j; k < 4; ++k) {
            double s = at(a, k, j);
            for (int m = 0; m < j; ++m) s -= at(a, k, m) * at(a, m, j);
            at(a, k, j) = s;
            const double w = scale[k] * std::fabs(s);
            if (w >= big) {
                big = w;
                piv = k;
            }
        }
        if (piv != j) {
            for (int m = 0; m < 4; ++m) {
                const double t = at(a, piv, m);
                at(a, piv, m) = at(a, j, m);
                at(a, j, m) = t;
            }
            sign = -sign;
            scale[piv] = scale[j];
        }
        perm[j] = piv;
        const double p = at(a, j, j);
        if (!(std::fabs(p) >= tol) || p == 0.0) return 0;
        const double inv = 1.0 / p;
        for (int k = j + 1; k < 4; ++k) at(a, k, j) *= inv;
    }
    return 1;
}

void nmSolveLU4(const double a[16], const int perm[4], double b[4]) {
    int first = -1;
    for (int i = 0; i < 4; ++i) {
        const int p = perm[i];
        double s = b[p];
        b[p] = b[i];
        if (first >= 0) {
            for (int j = first; j < i; ++j) s -= at(a, i, j) * b[j];
        } else if (s != 0.0) {
            first = i;
        }
        b[i] = s;
    }
    for (int i = 3; i >= 0; --i) {
        double s = b[i];
        for (int j = i + 1; j < 4; ++j) s -= at(a, i, j) * b[j];
        b[i] = s / at(a, i, i);
    }
}

int nmInvertLU4(double a[16], double tol) {
    double lu[16];
    int perm[4] = {0, 1, 2, 3};
    std::memcpy(lu, a, sizeof(lu));
    if (isUpper4(lu)) {
        // Already factored (L = I), but its pivots still need the decomposition's test:
        // a zero on the diagonal would otherwise give infinite entries reported as success.
        for (int i = 0; i < 4; ++i) {
            const double p = at(lu, i, i);
            if (!(std::fabs(p) >= tol) || p == 0.0) return 0;
        }
    } else {
        double sign;
        if (!nmDecomposeLU4(lu, perm, sign, tol)) return 0;
    }
    double inv[16];
    for (int c = 0; c < 4; ++c) {
        double e[4] = {0.0, 0.0, 0.0, 0.0};
        e[c] = 1.0;
        nmSolveLU4(lu, perm, e);
        for (int r = 0; r < 4; ++r) at(inv, r, c) = e[r];
    }
    // With tol at or near zero a tiny pivot can still overflow: that is no inverse either.
    for (int k = 0; k < 16; ++k)
        if (!std::isfinite(inv[k])) return 0;
    std::memcpy(a, inv, sizeof(inv));
    return 1;
}

// ---------------------------------------------------------------- NmMatrix members

int NmMatrix::decomposeLUScaling(NmIntVec& perm, double& sign, double tol) {
    sign = 1.0;
    perm.reset(4, -1);
    if (mRows != 4 || mCols != 4 || perm.dim() != 4) return 0;
    int p[4] = {-1, -1, -1, -1};
    const int ok = nmDecomposeLU4(mData, p, sign, tol);
    for (int i = 0; i < 4; ++i) perm[i] = p[i];
    return ok;
}

void NmMatrix::solveLUs(const NmIntVec& perm, NmVector& b) const {
    if (mRows != 4 || mCols != 4 || perm.dim() != 4 || b.dim() != 4) return;
    int p[4];
    for (int i = 0; i < 4; ++i) {
        if (perm[i] < i || perm[i] > 3) return;
        p[i] = perm[i];
    }
    nmSolveLU4(mData, p, b.data());
}

NmMatrix& NmMatrix::invertLUs(double tol, bool& ok) {
    ok = mRows == 4 && mCols == 4 && nmInvertLU4(mData, tol);
    return *this;
}
