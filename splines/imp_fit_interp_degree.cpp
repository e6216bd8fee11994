// Interpolation of any degree by averaged knots and a full collocation matrix.
//
// Notation: p degree, n fit points F_i at t_i. Open: U = t0 x(p+1), u_i = (t_(i-p) + .. +
// t_(i-1)) / p for i = p+1 .. n-1, tn-1 x(p+1); row i of the n x n matrix holds N_j(t_i), the
// first and last rows forced to unit rows. Periodic: m = n - 1 distinct points, knot k_j the
// average of the p parameters centred on t_j (cyclic, period added past the ends), the knots
// then shifted so that k_0 = t_0; column indices wrap modulo m.
#include <cmath>

#include "nm_matrix.h"
#include "nm_vector.h"
#include "splines/imp_fit_interp.h"

namespace {

const int kMaxDegree = 7;

int solveColumns(NmMatrix& A, const VqGePoint3d* F, int rows, VqGePoint3d* out) {
    NmIntVec perm;
    if (!A.LUdecompose(perm)) return 0;
    NmVector b(rows);
    if (b.dim() != rows) return 0;
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < rows; ++i) b[i] = c == 0 ? F[i].x : (c == 1 ? F[i].y : F[i].z);
        A.solveAfterLUdecompose(b, perm);
        for (int i = 0; i < rows; ++i) {
            if (!std::isfinite(b[i])) return 0;
            (c == 0 ? out[i].x : (c == 1 ? out[i].y : out[i].z)) = b[i];
        }
    }
    return 1;
}

}  // namespace

int VqGeFitInterp::interpolate(int p, const VqGePoint3d* F, const double* t, int n, int periodic,
                               VqGeKnotVector& knots, VqArray<VqGePoint3d>& ctrl) {
    if (p < 1 || p > kMaxDegree || n < 2) return 0;
    for (int i = 1; i < n; ++i)
        if (!(t[i] > t[i - 1]) || !std::isfinite(t[i])) return 0;
    double N[kMaxDegree + 1];
    if (!periodic) {
        if (n <= p) return 0;
        const int nk = n + p + 1;
        knots.setLogicalLength(nk);
        ctrl.setLogicalLength(n);
        NmMatrix A(n, n);
        if (knots.length() != nk || ctrl.length() != n || A.rowDim() != n) return 0;
        double* U = knots.asArrayPtr();
        for (int j = 0; j <= p; ++j) U[j] = t[0], U[nk - 1 - j] = t[n - 1];
        for (int i = p + 1; i < n; ++i) {
            double s = 0.0;
            for (int j = i - p; j < i; ++j) s += t[j];
            U[i] = s / p;
        }
        int span = p;
        for (int i = 1; i < n - 1; ++i) {
            while (span < n - 1 && t[i] >= U[span + 1]) ++span;
            basis(U, span, p, t[i], N);
            for (int j = 0; j <= p; ++j) A(i, span - p + j) = N[j];
        }
        A(0, 0) = 1.0;
        A(n - 1, n - 1) = 1.0;
        return solveColumns(A, F, n, &ctrl[0]);
    }
    const int m = n - 1;
    if (m <= p) return 0;
    const double period = t[n - 1] - t[0];
    auto param = [&](int j) {
        const int q = (j >= 0 ? j : j - m + 1) / m;
        return t[j - q * m] + q * period;
    };
    knots.setLogicalLength(n);
    ctrl.setLogicalLength(n);
    VqArray<double> ext(m + 2 * p + 2, 8);
    ext.setLogicalLength(m + 2 * p + 2);
    NmMatrix A(m, m);
    if (knots.length() != n || ctrl.length() != n || A.rowDim() != m ||
        ext.length() != m + 2 * p + 2)
        return 0;
    const int back = (p - 1) / 2;
    for (int j = 0; j < m; ++j) {
        double s = 0.0;
        for (int r = 0; r < p; ++r) s += param(j - back + r);
        knots[j] = s / p;
    }
    const double shift = t[0] - knots[0];
    for (int j = 0; j < m; ++j) knots[j] += shift;
    knots[m] = knots[0] + period;
    // ext[e] holds u_(e - p - 1), the stored knots continued by the period on both sides.
    for (int e = 0; e < m + 2 * p + 2; ++e) {
        const int j = e - p - 1;
        const int q = (j >= 0 ? j : j - m + 1) / m;
        ext[e] = knots[j - q * m] + q * period;
    }
    for (int i = 0; i < m; ++i) {
        int s = 0;
        while (s < m - 1 && t[i] >= knots[s + 1]) ++s;
        basis(ext.asArrayPtr(), s + p + 1, p, t[i], N);
        for (int j = 0; j <= p; ++j) {
            const int col = ((s - p + j) % m + m) % m;
            A(i, col) += N[j];
        }
    }
    if (!solveColumns(A, F, m, &ctrl[0])) return 0;
    ctrl[m] = ctrl[0];
    return 1;
}
