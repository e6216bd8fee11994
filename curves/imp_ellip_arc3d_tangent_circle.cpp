// Elliptic arc: the full circle tangent to three curves, taken in x and y.
//
// Notation: for a line with unit normal m and offset k (points x with m·x = k), a circle of
// centre p and radius r touches it when m·p − k = ±r. The eight sign choices give the (at most
// four distinct) circles tangent to three lines as 3 × 3 linear systems in (p.x, p.y, r).
// A general curve is first replaced by its tangent line at the reference parameter; the
// circle of those three lines then starts Newton steps on the six conditions
// (C_i − p)·T_i = 0 and |C_i − p|² − r² = 0 in (t_1, t_2, t_3, p.x, p.y, r).
//
// Choices: among the circles of three lines, one whose tangency points lie on the three
// entities' ranges is preferred; then the one whose tangency points lie nearest (sum of
// squared distances) to the three reference points. The first such circle wins a tie.
#include <cmath>

#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "nm_matrix.h"
#include "nm_vector.h"
#include "vqge_util.h"

namespace {
const int kMaxNewtonSteps = 44;

struct Line2 {
    double mx, my, k;  // unit normal and offset
    VqGePoint3d ref;   // the reference point
};

// 3 × 3 solve by Cramer's rule; 0 when singular.
int solve3(const double m[3][3], const double rhs[3], double out[3]) {
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    if (!(std::fabs(det) > 1e-14)) return 0;
    for (int c = 0; c < 3; ++c) {
        double a[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) a[i][j] = j == c ? rhs[i] : m[i][j];
        out[c] = (a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
                  a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
                  a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0])) /
                 det;
    }
    return 1;
}

VqGePoint3d footOn(const Line2& l, double px, double py) {
    const double s = l.mx * px + l.my * py - l.k;
    return VqGePoint3d(px - s * l.mx, py - s * l.my, 0.0);
}
}  // namespace

VqGeImpEllipArc3d& VqGeImpEllipArc3d::set(const VqGeImpCurve3d& crv1, const VqGeImpCurve3d& crv2,
                                          const VqGeImpCurve3d& crv3, double& t1, double& t2,
                                          double& t3, int& success) {
    success = 0;
    const VqGeImpCurve3d* crv[3] = {&crv1, &crv2, &crv3};
    double* t[3] = {&t1, &t2, &t3};
    Line2 lines[3];
    int allLinear = 1;
    for (int i = 0; i < 3; ++i) {
        VqGeImpPointOnCurve3d at(crv[i], *t[i]);
        const VqGePoint3d c = at.point();
        const VqGeVector3d d = at.deriv(1);
        const double len = std::sqrt(d.x * d.x + d.y * d.y);
        if (!(len > 0.0) || !std::isfinite(len)) return *this;
        lines[i].mx = -d.y / len;
        lines[i].my = d.x / len;
        lines[i].k = lines[i].mx * c.x + lines[i].my * c.y;
        lines[i].ref = VqGePoint3d(c.x, c.y, 0.0);
        if (!crv[i]->isKindOf(VqGe::kLinearEnt3d, 0)) allLinear = 0;
    }
    // Every circle tangent to the three lines; signs (+, s1, s2) cover each circle once.
    double best[3] = {0, 0, 0}, bestFit = 0.0;
    int found = 0, bestOnRange = 0;
    for (int signs = 0; signs < 4; ++signs) {
        const double sg[3] = {1.0, signs & 1 ? -1.0 : 1.0, signs & 2 ? -1.0 : 1.0};
        double m[3][3], rhs[3], sol[3];
        for (int i = 0; i < 3; ++i) {
            m[i][0] = lines[i].mx;
            m[i][1] = lines[i].my;
            m[i][2] = -sg[i];
            rhs[i] = lines[i].k;
        }
        if (!solve3(m, rhs, sol) || !std::isfinite(sol[2]) || std::fabs(sol[2]) <= 0.0) continue;
        double fit = 0.0;
        int onRange = 1;
        for (int i = 0; i < 3; ++i) {
            const VqGePoint3d foot = footOn(lines[i], sol[0], sol[1]);
            fit += (foot - lines[i].ref).lengthSqrd();
            if (allLinear &&
                !static_cast<const VqGeImpLinearEnt3d*>(crv[i])->isWithinBounds(
                    foot, VqGeContext::gTol))
                onRange = 0;
        }
        if (found && (onRange < bestOnRange || (onRange == bestOnRange && !(fit < bestFit))))
            continue;
        found = 1;
        bestOnRange = onRange;
        bestFit = fit;
        best[0] = sol[0], best[1] = sol[1], best[2] = std::fabs(sol[2]);
    }
    if (!found) return *this;
    double params[3] = {t1, t2, t3};
    if (!allLinear) {
        // Newton on (t1, t2, t3, px, py, r) from the circle of the tangent lines.
        double x[6] = {t1, t2, t3, best[0], best[1], best[2]};
        VqGeImpPointOnCurve3d work[3] = {VqGeImpPointOnCurve3d(crv[0]),
                                         VqGeImpPointOnCurve3d(crv[1]),
                                         VqGeImpPointOnCurve3d(crv[2])};
        NmMatrix jac(6, 6);
        NmVector rhs(6);
        int converged = 0;
        for (int it = 0; it < kMaxNewtonSteps && !converged; ++it) {
            if (VqGeUtil::gBreakFunc && VqGeUtil::gBreakFunc()) break;
            double norm = 0.0, scale = x[5] > 1.0 ? x[5] : 1.0;
            rhs.reset(6);
            for (int r = 0; r < 6; ++r)
                for (int c = 0; c < 6; ++c) jac(r, c) = 0.0;
            for (int i = 0; i < 3; ++i) {
                const VqGePoint3d c = work[i].point(x[i]);
                const VqGeVector3d tan = work[i].deriv(1), sec = work[i].deriv(2);
                const double ex = c.x - x[3], ey = c.y - x[4];
                const double f0 = ex * tan.x + ey * tan.y;
                const double f1 = ex * ex + ey * ey - x[5] * x[5];
                rhs[2 * i] = -f0;
                rhs[2 * i + 1] = -f1;
                norm += std::fabs(f0) / scale + std::fabs(f1) / (scale * scale);
                jac(2 * i, i) = tan.x * tan.x + tan.y * tan.y + ex * sec.x + ey * sec.y;
                jac(2 * i, 3) = -tan.x;
                jac(2 * i, 4) = -tan.y;
                jac(2 * i + 1, i) = 2.0 * (ex * tan.x + ey * tan.y);
                jac(2 * i + 1, 3) = -2.0 * ex;
                jac(2 * i + 1, 4) = -2.0 * ey;
                jac(2 * i + 1, 5) = -2.0 * x[5];
            }
            if (norm < 1e-13) {
                converged = 1;
                break;
            }
            NmMatrix solver(jac);
            solver.force(rhs, 1e-14);
            if (rhs.dim() != 6) break;
            for (int k = 0; k < 6; ++k) x[k] += rhs[k];
        }
        if (!converged || !(x[5] > 0.0)) return *this;
        for (int i = 0; i < 3; ++i) params[i] = x[i];
        best[0] = x[3], best[1] = x[4], best[2] = x[5];
    }
    const VqGePoint3d center(best[0], best[1], 0.0);
    if (allLinear) {
        for (int i = 0; i < 3; ++i)
            params[i] = crv[i]->paramOf(footOn(lines[i], best[0], best[1]), VqGeContext::gTol);
    }
    assign(center, VqGeVector3d::kXAxis, VqGeVector3d::kYAxis, best[2], best[2], 0.0, kTwoPi);
    t1 = params[0], t2 = params[1], t3 = params[2];
    success = 1;
    notifyModified();
    return *this;
}
