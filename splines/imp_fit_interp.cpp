// Cubic interpolation kernels.
//
// Notation: F_i fit points at parameters t_i (i = 0 .. n-1); P_j control points; U the knot
// vector; N_j the cubic B-spline basis. Open global cubic: U = t0 x4, t1 .. tn-2, tn-1 x4, so
// at the simple knot t_i only N_i, N_i+1, N_i+2 are non-zero and the unknowns P_1 .. P_n form a
// tridiagonal system (the Thomas sweep, no pivoting: the collocation matrix of B-splines is
// totally positive and the end rows are diagonally dominant). Periodic: m = n - 1 distinct
// points, extended knots u_j = t_(j mod m) + floor(j / m) * period, span i shaped by P_(i-3 ..
// i) cyclically; the cyclic tridiagonal system is solved by Sherman-Morrison.
#include "splines/imp_fit_interp.h"

#include <cmath>

void VqGeFitInterp::basis(const double* U, int s, int p, double x, double* N) {
    double left[8], right[8];
    N[0] = 1.0;
    for (int j = 1; j <= p; ++j) {
        left[j] = x - U[s + 1 - j];
        right[j] = U[s + j] - x;
        double saved = 0.0;
        for (int r = 0; r < j; ++r) {
            const double den = right[r + 1] + left[j - r];
            const double tmp = den != 0.0 ? N[r] / den : 0.0;
            N[r] = saved + right[r + 1] * tmp;
            saved = left[j - r] * tmp;
        }
        N[j] = saved;
    }
}

namespace {

int increasing(const double* t, int n) {
    for (int i = 1; i < n; ++i)
        if (!(t[i] > t[i - 1]) || !std::isfinite(t[i])) return 0;
    return std::isfinite(t[0]);
}

// Solves a_j x_j-1 + b_j x_j + c_j x_j+1 = x_j (right-hand sides in x, overwritten) for j =
// 0 .. n-1; cw is scratch of n doubles. 0 on a vanishing pivot.
int thomas(const double* a, const double* b, const double* c, double* cw, VqGePoint3d* x, int n) {
    if (!(std::fabs(b[0]) > 0.0)) return 0;
    cw[0] = c[0] / b[0];
    x[0] = x[0] * (1.0 / b[0]);
    for (int j = 1; j < n; ++j) {
        const double m = b[j] - a[j] * cw[j - 1];
        if (!(std::fabs(m) > 1e-300)) return 0;
        cw[j] = c[j] / m;
        const VqGePoint3d& prev = x[j - 1];
        x[j].set((x[j].x - a[j] * prev.x) / m, (x[j].y - a[j] * prev.y) / m,
                 (x[j].z - a[j] * prev.z) / m);
    }
    for (int j = n - 2; j >= 0; --j) {
        const VqGePoint3d& nx = x[j + 1];
        x[j].set(x[j].x - cw[j] * nx.x, x[j].y - cw[j] * nx.y, x[j].z - cw[j] * nx.z);
    }
    return 1;
}

struct Scratch {
    VqArray<double> buf;
    double* take(int n) { return buf.asArrayPtr() + (used += n) - n; }
    int used = 0;
    explicit Scratch(int n) : buf(n, 8) { buf.setLogicalLength(n); }
    int ok(int n) const { return buf.length() == n; }
};

}  // namespace

int VqGeFitInterp::cubicOpen(const VqGePoint3d* F, const double* t, int n,
                             const VqGeVector3d* startTan, const VqGeVector3d* endTan,
                             VqGeKnotVector& knots, VqArray<VqGePoint3d>& ctrl) {
    if (n < 2 || !increasing(t, n)) return 0;
    const int nk = n + 6;
    knots.setLogicalLength(nk);
    ctrl.setLogicalLength(n + 2);
    Scratch s(4 * n);
    if (knots.length() != nk || ctrl.length() != n + 2 || !s.ok(4 * n)) return 0;
    double* U = knots.asArrayPtr();
    for (int j = 0; j < 4; ++j) U[j] = t[0], U[nk - 1 - j] = t[n - 1];
    for (int i = 1; i < n - 1; ++i) U[i + 3] = t[i];
    double *a = s.take(n), *b = s.take(n), *c = s.take(n), *cw = s.take(n);
    VqGePoint3d* P = &ctrl[0];
    VqGePoint3d* x = P + 1;  // unknowns P_1 .. P_n
    P[0] = F[0];
    P[n + 1] = F[n - 1];
    // Start row: the tangent fixes P_1; otherwise C''(t0) = 0 ties P_0, P_1, P_2.
    a[0] = 0.0;
    if (startTan) {
        b[0] = 1.0, c[0] = 0.0;
        x[0] = F[0] + *startTan * ((t[1] - t[0]) / 3.0);
    } else {
        const double d1 = U[4] - U[1], d2 = U[5] - U[2];
        b[0] = -(d1 + d2), c[0] = d1;
        x[0] = F[0] * (-d2);
    }
    for (int i = 1; i < n - 1; ++i) {
        double N[4];
        basis(U, i + 3, 3, t[i], N);
        a[i] = N[0], b[i] = N[1], c[i] = N[2];
        x[i] = F[i];
    }
    // End row, the mirror of the start row.
    c[n - 1] = 0.0;
    const int N1 = n + 1;
    if (endTan) {
        a[n - 1] = 0.0, b[n - 1] = 1.0;
        x[n - 1] = F[n - 1] - *endTan * ((t[n - 1] - t[n - 2]) / 3.0);
    } else {
        const double e1 = U[N1 + 3] - U[N1], e2 = U[N1 + 2] - U[N1 - 1];
        a[n - 1] = e1, b[n - 1] = -(e1 + e2);
        x[n - 1] = F[n - 1] * (-e2);
    }
    return thomas(a, b, c, cw, x, n);
}

int VqGeFitInterp::cubicPeriodic(const VqGePoint3d* F, const double* t, int n,
                                 VqGeKnotVector& knots, VqArray<VqGePoint3d>& ctrl) {
    const int m = n - 1;
    if (m < 2 || !increasing(t, n)) return 0;
    const double period = t[n - 1] - t[0];
    knots.setLogicalLength(n);
    ctrl.setLogicalLength(n);
    Scratch s(5 * m + 8);
    if (knots.length() != n || ctrl.length() != n || !s.ok(5 * m + 8)) return 0;
    for (int i = 0; i < n; ++i) knots[i] = t[i];
    auto ext = [&](int j) {
        const int q = (j >= 0 ? j : j - m + 1) / m;
        return t[j - q * m] + q * period;
    };
    double *a = s.take(m), *b = s.take(m), *c = s.take(m), *cw = s.take(m), *z = s.take(m);
    double* U = s.take(8);  // u_(i-3) .. u_(i+4) around span i
    VqGePoint3d* y = &ctrl[0];  // y_k = P_(k-2), so row i reads y_(i-1), y_i, y_(i+1)
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < 8; ++j) U[j] = ext(i - 3 + j);
        double N[4];
        basis(U, 3, 3, t[i], N);
        a[i] = N[0], b[i] = N[1], c[i] = N[2];
        y[i] = F[i];
    }
    if (m == 2) {
        // Two rows, each coupling both unknowns twice.
        const double p = b[0], q = a[0] + c[0], r = a[1] + c[1], w = b[1];
        const double det = p * w - q * r;
        if (!(std::fabs(det) > 1e-300)) return 0;
        const VqGePoint3d r0 = y[0], r1 = y[1];
        y[0] = VqGePoint3d((w * r0.x - q * r1.x) / det, (w * r0.y - q * r1.y) / det,
                           (w * r0.z - q * r1.z) / det);
        y[1] = VqGePoint3d((p * r1.x - r * r0.x) / det, (p * r1.y - r * r0.y) / det,
                           (p * r1.z - r * r0.z) / det);
    } else {
        // Corners: row 0 reaches y_(m-1) through a_0, row m-1 reaches y_0 through c_(m-1).
        const double beta = a[0], alpha = c[m - 1], gamma = -b[0];
        const double b0 = b[0], bl = b[m - 1];
        b[0] = b0 - gamma;
        b[m - 1] = bl - alpha * beta / gamma;
        a[0] = 0.0, c[m - 1] = 0.0;
        if (!thomas(a, b, c, cw, y, m)) return 0;
        // z solves the same system for u = (gamma, 0, .., 0, alpha), coordinate x only.
        VqArray<VqGePoint3d> zu(m, 8);
        zu.setLogicalLength(m);
        if (zu.length() != m) return 0;
        for (int k = 0; k < m; ++k) zu[k].set(k == 0 ? gamma : (k == m - 1 ? alpha : 0.0), 0, 0);
        if (!thomas(a, b, c, cw, &zu[0], m)) return 0;
        for (int k = 0; k < m; ++k) z[k] = zu[k].x;
        const double den = 1.0 + z[0] + beta * z[m - 1] / gamma;
        if (!(std::fabs(den) > 1e-300)) return 0;
        const double g = beta / gamma;
        const VqGeVector3d f((y[0].x + g * y[m - 1].x) / den, (y[0].y + g * y[m - 1].y) / den,
                             (y[0].z + g * y[m - 1].z) / den);
        for (int k = 0; k < m; ++k) y[k] = y[k] - f * z[k];
    }
    // Stored point j is P_j = y_(j+2 mod m); the last repeats the first.
    VqArray<VqGePoint3d> tmp(ctrl);
    if (tmp.length() != n) return 0;
    for (int j = 0; j < m; ++j) ctrl[j] = tmp[(j + 2) % m];
    ctrl[m] = ctrl[0];
    return 1;
}

int VqGeFitInterp::hermiteOpen(const VqGePoint3d* F, const VqGeVector3d* T, const double* t,
                               int n, VqGeKnotVector& knots, VqArray<VqGePoint3d>& ctrl) {
    if (n < 2 || !increasing(t, n)) return 0;
    knots.setLogicalLength(2 * n + 4);
    ctrl.setLogicalLength(2 * n);
    if (knots.length() != 2 * n + 4 || ctrl.length() != 2 * n) return 0;
    int k = 0;
    for (int j = 0; j < 4; ++j) knots[k++] = t[0];
    for (int i = 1; i < n - 1; ++i) knots[k++] = t[i], knots[k++] = t[i];
    for (int j = 0; j < 4; ++j) knots[k++] = t[n - 1];
    ctrl[0] = F[0];
    ctrl[1] = F[0] + T[0] * ((t[1] - t[0]) / 3.0);
    for (int i = 1; i < n - 1; ++i) {
        const double h = t[i + 1] - t[i - 1];
        const VqGeVector3d V = T[i] * (h / 3.0);
        // At the double knot the curve is v A + w B with v + w = 1.
        const double w = (t[i] - t[i - 1]) / h;
        ctrl[2 * i] = F[i] - V * w;
        ctrl[2 * i + 1] = ctrl[2 * i] + V;
    }
    ctrl[2 * n - 2] = F[n - 1] - T[n - 1] * ((t[n - 1] - t[n - 2]) / 3.0);
    ctrl[2 * n - 1] = F[n - 1];
    return 1;
}

int VqGeFitInterp::hermiteClosed(const VqGePoint3d* F, const VqGeVector3d* T, const double* t,
                                 int n, VqGeKnotVector& knots, VqArray<VqGePoint3d>& ctrl) {
    if (n < 3 || !increasing(t, n)) return 0;
    knots.setLogicalLength(2 * n - 1);
    ctrl.setLogicalLength(2 * n - 1);
    if (knots.length() != 2 * n - 1 || ctrl.length() != 2 * n - 1) return 0;
    for (int i = 0; i < n - 1; ++i) knots[2 * i] = t[i], knots[2 * i + 1] = t[i];
    knots[2 * n - 2] = t[n - 1];
    // The pair of fit point i sits at 2i - 2, 2i - 1; point 0 (the seam) at 2n - 4, 2n - 3.
    for (int i = 0; i < n - 1; ++i) {
        const double before = i == 0 ? t[n - 1] - t[n - 2] : t[i] - t[i - 1];
        const double h = before + (t[i + 1] - t[i]);
        const VqGeVector3d V = T[i] * (h / 3.0);
        const int at = i == 0 ? 2 * n - 4 : 2 * i - 2;
        ctrl[at] = F[i] - V * (before / h);
        ctrl[at + 1] = ctrl[at] + V;
    }
    ctrl[2 * n - 2] = ctrl[0];
    return 1;
}
