// NmMatrix symmetric eigen-decomposition: Householder tridiagonalisation followed by the
// QL iteration with implicit shifts.
//
// Notation: a = the n x n symmetric matrix (its lower triangle is read), later the
// accumulated orthogonal transformation Q; d = diagonal, e = sub-diagonal of the
// tridiagonal form (e[i] couples rows i-1 and i during the reduction, rows i and i+1 during
// the iteration). On success column i of a is the unit eigenvector of d[i].
#include <cmath>

#include "nm_matrix.h"

namespace {

// Reduces a to tridiagonal form and leaves Q in a, the diagonal in d, the sub-diagonal in e.
void householder(NmMatrix& a, int n, double* d, double* e) {
    for (int i = n - 1; i > 0; --i) {
        const int l = i - 1;
        double h = 0.0;
        if (l > 0) {
            double scale = 0.0;
            for (int k = 0; k <= l; ++k) scale += std::fabs(a(i, k));
            if (scale < NmMatrix::kZeroTol) {
                // Row already (nearly) tridiagonal: no reflection.
                e[i] = a(i, l);
            } else {
                for (int k = 0; k <= l; ++k) {
                    a(i, k) /= scale;
                    h += a(i, k) * a(i, k);
                }
                double f = a(i, l);
                // Norm signed against the leading entry, so f - g does not cancel.
                double g = f >= 0.0 ? -std::sqrt(h) : std::sqrt(h);
                e[i] = scale * g;
                h -= f * g;
                a(i, l) = f - g;
                f = 0.0;
                for (int j = 0; j <= l; ++j) {
                    a(j, i) = a(i, j) / h;
                    g = 0.0;
                    for (int k = 0; k <= j; ++k) g += a(j, k) * a(i, k);
                    for (int k = j + 1; k <= l; ++k) g += a(k, j) * a(i, k);
                    e[j] = g / h;
                    f += e[j] * a(i, j);
                }
                const double hh = f / (h + h);
                for (int j = 0; j <= l; ++j) {
                    f = a(i, j);
                    g = e[j] - hh * f;
                    e[j] = g;
                    for (int k = 0; k <= j; ++k) a(j, k) -= f * e[k] + g * a(i, k);
                }
            }
        } else {
            e[i] = a(i, l);
        }
        d[i] = h;
    }
    d[0] = 0.0;
    e[0] = 0.0;
    // Accumulate the reflections; d[i] != 0 marks a row that was reflected.
    for (int i = 0; i < n; ++i) {
        if (d[i] != 0.0) {
            for (int j = 0; j < i; ++j) {
                double g = 0.0;
                for (int k = 0; k < i; ++k) g += a(i, k) * a(k, j);
                for (int k = 0; k < i; ++k) a(k, j) -= g * a(k, i);
            }
        }
        d[i] = a(i, i);
        a(i, i) = 1.0;
        for (int j = 0; j < i; ++j) {
            a(j, i) = 0.0;
            a(i, j) = 0.0;
        }
    }
}

// QL with implicit shifts; rotations go into the columns of z. 0 when an eigenvalue needs
// more than NmMatrix::kMaxEigenIter iterations.
int implicitQL(NmMatrix& z, int n, double* d, double* e) {
    for (int i = 1; i < n; ++i) e[i - 1] = e[i];
    e[n - 1] = 0.0;
    for (int l = 0; l < n; ++l) {
        int iter = 0;
        int m;
        do {
            for (m = l; m < n - 1; ++m) {
                const double dd = std::fabs(d[m]) + std::fabs(d[m + 1]);
                if (std::fabs(e[m]) + dd == dd) break;
            }
            if (m == l) break;
            if (iter++ == NmMatrix::kMaxEigenIter) return 0;
            double g = (d[l + 1] - d[l]) / (2.0 * e[l]);
            double r = std::hypot(g, 1.0);
            g = d[m] - d[l] + e[l] / (g + (g >= 0.0 ? std::fabs(r) : -std::fabs(r)));
            double s = 1.0, c = 1.0, p = 0.0;
            int i;
            for (i = m - 1; i >= l; --i) {
                double f = s * e[i];
                const double b = c * e[i];
                r = std::hypot(f, g);
                e[i + 1] = r;
                if (r == 0.0) {
                    // Underflow: the matrix split; restart the search from l.
                    d[i + 1] -= p;
                    e[m] = 0.0;
                    break;
                }
                s = f / r;
                c = g / r;
                g = d[i + 1] - p;
                r = (d[i] - g) * s + 2.0 * c * b;
                p = s * r;
                d[i + 1] = g + p;
                g = c * r - b;
                for (int k = 0; k < n; ++k) {
                    f = z(k, i + 1);
                    z(k, i + 1) = s * z(k, i) + c * f;
                    z(k, i) = c * z(k, i) - s * f;
                }
            }
            if (r == 0.0 && i >= l) continue;
            d[l] -= p;
            e[l] = g;
            e[m] = 0.0;
        } while (true);
    }
    return 1;
}

}  // namespace

int NmMatrix::eigensystem(NmVector& values) {
    const int n = mRows;
    values.reset(n);
    if (n == 0 || mCols != n || values.dim() != n) return 0;
    NmVector work(n);
    if (work.dim() != n) return 0;
    householder(*this, n, values.data(), work.data());
    return implicitQL(*this, n, values.data(), work.data());
}
