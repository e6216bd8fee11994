// NmFunc trapezoid refinement, Simpson (plain and marching) and Romberg integration.
//
// Notation: level n of the trapezoid rule adds m = 2^(n-2) midpoints of spacing h; t_j is
// the level-j trapezoid value, S_j = (4 t_j - t_(j-1)) / 3 the Simpson value.
#include <climits>
#include <cmath>
#include <limits>

#include "nm_func.h"
#include "vqge_util.h"

namespace {

// Deepest trapezoid level refined: 2^24 new points. The solvers stop far below it (Simpson
// at 2^19, Romberg at 2^18); only a caller's own jmax can reach it, and deeper levels are
// left unrefined rather than shifting past the width of a long.
constexpr int kMaxTrapLevel = NmFunc::kTrapMaxLevel;
// Spacing below which a level adds nothing.
constexpr double kMinSpacing = 1e-12;
// Remainder below which a Simpson march has arrived.
constexpr double kMarchArrived = 1e-8;
// Consecutive halvings a Simpson march tries before it gives up on a piece.
constexpr int kMaxMarchHalvings = 64;
// Pieces one march may try in all. A step that keeps failing at twice its length and
// succeeding at its length never grows, and would cross a range of 1e308 in 1e300 steps.
constexpr long kMaxMarchPieces = 1L << 12;

// Polynomial extrapolation to 0 through (xa[i], ya[i]), i < n (Neville's scheme); dy is
// the last correction, the error estimate.
void nevilleAtZero(const double* xa, const double* ya, int n, double& y, double& dy) {
    double c[NmFunc::kRombergMaxRefine];
    double d[NmFunc::kRombergMaxRefine];
    int ns = 0;
    double dif = std::fabs(xa[0]);
    for (int i = 0; i < n; ++i) {
        const double dift = std::fabs(xa[i]);
        if (dift < dif) {
            ns = i;
            dif = dift;
        }
        c[i] = ya[i];
        d[i] = ya[i];
    }
    y = ya[ns--];
    dy = 0.0;
    for (int m = 1; m < n; ++m) {
        for (int i = 0; i < n - m; ++i) {
            const double ho = xa[i];
            const double hp = xa[i + m];
            const double w = c[i + 1] - d[i];
            const double den = w / (ho - hp);
            d[i] = hp * den;
            c[i] = ho * den;
        }
        dy = 2 * (ns + 1) < n - m ? c[ns + 1] : d[ns--];
        y += dy;
    }
}

}  // namespace

void NmFunc::trapezoid(double a, double b, double& s, int n) {
    if (n <= 1) {
        s = (b - a) * (compute(a) + compute(b)) / 2.0;
        return;
    }
    if (n > kMaxTrapLevel) return;
    const long m = 1L << (n - 2);
    const double h = (b - a) / static_cast<double>(m);
    if (std::fabs(h) < kMinSpacing) return;
    double sum = 0.0;
    for (long k = 0; k < m; ++k) sum += compute(a + h / 2.0 + static_cast<double>(k) * h);
    s = (s + h * sum) / 2.0;
}

int NmFunc::simpson(double a, double b, double& s, int jmax, double eps) {
    double sPrev = 1e41;
    double tPrev = 1e21;
    double t = 0.0;
    // Past the deepest level the trapezoid value stands still, which would pass for
    // convergence; and a huge jmax would only spin.
    const int levels = jmax < kMaxTrapLevel ? jmax : kMaxTrapLevel;
    // A negative accuracy can never be met and a NaN one never compares: both count as 0.
    if (!(eps >= 0.0)) eps = 0.0;
    for (int j = 1; j <= levels; ++j) {
        trapezoid(a, b, t, j);
        const double sj = (4.0 * t - tPrev) / 3.0;
        // A NaN integrand (or inf - inf) stays NaN at every finer level.
        if (std::isnan(sj)) break;
        if (j > 4 && std::fabs(sj - sPrev) <= eps * std::fabs(sPrev)) {
            s = sj;
            return j;
        }
        sPrev = sj;
        tPrev = t;
    }
    return jmax < INT_MAX ? jmax + 1 : INT_MAX;
}

int NmFunc::simpson(double a, double b, double& s, double eps) {
    return simpson(a, b, s, kSimpsonMaxRefine, eps) < kSimpsonMaxRefine + 1 ? 1 : 0;
}

int NmFunc::simpson(double& s, double eps) {
    return simpson(mLo, mHi, s, eps);
}

void NmFunc::simpsonAdapt(double a, double b, double step, int fromEnd, double& sum, int jmax,
                          double eps) {
    sum = 0.0;
    double sign = 1.0;
    if (b < a) {
        // March over the sorted range and give the integral its orientation at the end.
        double t = a;
        a = b;
        b = t;
        sign = -1.0;
    }
    if (!(a < b)) {
        if (a != b) sum = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    double h = step;
    if (!(h > 0.0) || !std::isfinite(h)) h = b - a;
    // simpson converges within this many levels or not at all.
    const int levels = jmax < kMaxTrapLevel ? jmax : kMaxTrapLevel;
    int halvings = 0;
    for (long pieces = 0;; ++pieces) {
        // Out of pieces, or broken off by the caller: the march has no result.
        if (pieces >= kMaxMarchPieces || (VqGeUtil::gBreakFunc && VqGeUtil::gBreakFunc())) {
            sum = std::numeric_limits<double>::quiet_NaN();
            return;
        }
        // Forward the piece is [a, m] and the remainder [m, b]; from the end the piece is
        // [m, b] and the remainder [a, m].
        const double m = fromEnd ? (b - h > a ? b - h : a) : (a + h < b ? a + h : b);
        double piece = 0.0;
        const int ok = fromEnd ? simpson(m, b, piece, jmax, eps) <= levels
                               : simpson(a, m, piece, jmax, eps) <= levels;
        if (!ok) {
            // A piece that will not converge however short it gets (jmax below 5, a
            // non-finite integrand) ends the march with NaN instead of halving forever.
            if (++halvings > kMaxMarchHalvings) {
                sum = std::numeric_limits<double>::quiet_NaN();
                return;
            }
            h *= 0.5;
            continue;
        }
        halvings = 0;
        sum += piece;
        const double rest = fromEnd ? m - a : b - m;
        if (std::fabs(rest) <= kMarchArrived) break;
        double restValue = 0.0;
        if (rest >= h || (fromEnd ? simpson(a, m, restValue, jmax, eps)
                                  : simpson(m, b, restValue, jmax, eps)) > levels) {
            if (fromEnd) {
                b = m;
            } else {
                a = m;
            }
            h *= 2.0;
            continue;
        }
        sum += restValue;
        break;
    }
    sum *= sign;
}

int NmFunc::romberg(double a, double b, double eps, double& s) {
    double hs[kRombergMaxRefine];
    double ts[kRombergMaxRefine];
    double t = 0.0;
    double h = 1.0;
    for (int j = 1; j <= kRombergMaxRefine; ++j) {
        trapezoid(a, b, t, j);
        hs[j - 1] = h;
        ts[j - 1] = t;
        if (j >= 3) {
            double estimate = 0.0;
            double error = 0.0;
            nevilleAtZero(hs, ts, j, estimate, error);
            if (std::fabs(error) < eps) {
                // The estimate carries its own sign (the trapezoid values already follow the
                // orientation of [a, b]); taking its magnitude would flip the integral of a
                // negative integrand.
                s = estimate;
                return 1;
            }
        }
        h *= 0.25;
    }
    s = t;
    return 0;
}
