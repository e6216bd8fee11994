// Local Newton solves of C1(s) = C2(t) inside given parameter ranges.
//
// Notation: F = C1(s) - C2(t); A1, A2 first and B1, B2 second derivatives; the first-order
// step solves [A1, -A2] (ds, dt) = -F; the second-order step with e = A1.A2 / |A1|^2 solves
// [e A1, -A2; e^2 B1, -B2] (u, dt) = (-F; A2 - e A1), ds = e u, so that at a touching point
// the points and the scaled tangents agree. tolAt is the tolerance reachable at the size of
// the coordinates involved.
#include "curves/curve_int_solver.h"

#include <cfloat>
#include <cmath>

#include "numeric/nm_func_n_grad.h"

namespace vqgen {

void IntSide::at(double t, int order, double p[3], double d1[3], double d2[3]) const {
    if (!isSegment) {
        eval->eval(t, order, p, d1, d2);
        return;
    }
    for (int c = 0; c < 3; ++c) {
        p[c] = a[c] + t * d[c];
        if (order >= 1) d1[c] = d[c];
        if (order >= 2) d2[c] = 0.0;
    }
}

IntSolver::IntSolver(const IntSide& s1, const IntSide& s2, int dim, double tol)
    : mS1(s1), mS2(s2), mDim(dim == 2 ? 2 : 3), mTol(tol), mStopped(0), mVisits(0) {}

int IntSolver::poll() {
    if (!mStopped && (breakRequested() || ++mVisits > kMaxVisits)) mStopped = 1;
    return mStopped;
}

double IntSolver::tolAt(const double* p1, const double* p2) const {
    double m = 0.0;
    for (int c = 0; c < 3; ++c) {
        if (std::fabs(p1[c]) > m) m = std::fabs(p1[c]);
        if (std::fabs(p2[c]) > m) m = std::fabs(p2[c]);
    }
    return reachableTol(mTol, m);
}

void IntSolver::add(double s, double t) {
    mFound.append(s);
    mFound.append(t);
}

namespace {
struct Gap {
    const IntSide* s1;
    const IntSide* s2;
    int dim;
    double p1[3], d1[3], p2[3], d2[3], dd[3];

    void at(const NmVector& x) {
        s1->at(x[0], 1, p1, d1, dd);
        s2->at(x[1], 1, p2, d2, dd);
    }
    static double value(void* h, const NmVector& x) {
        Gap& g = *static_cast<Gap*>(h);
        g.at(x);
        double r = 0.0;
        for (int c = 0; c < g.dim; ++c) r += (g.p1[c] - g.p2[c]) * (g.p1[c] - g.p2[c]);
        return r;
    }
    static NmVector grad(void* h, const NmVector& x) {
        Gap& g = *static_cast<Gap*>(h);
        g.at(x);
        NmVector r(2);
        for (int c = 0; c < g.dim; ++c) {
            const double f = g.p1[c] - g.p2[c];
            r[0] += 2.0 * f * g.d1[c];
            r[1] -= 2.0 * f * g.d2[c];
        }
        return r;
    }
};
}  // namespace

// Newton has run into both ends of one range: a descent on |F|^2 over both ranges decides.
int IntSolver::fallback(double& s, double& t, double sLo, double sHi, double tLo, double tHi) {
    Gap gap{&mS1, &mS2, mDim, {0}, {0}, {0}, {0}, {0}};
    NmVector lo(2), hi(2), x(2);
    lo[0] = sLo, lo[1] = tLo, hi[0] = sHi, hi[1] = tHi, x[0] = s, x[1] = t;
    NmFuncNGrad f(&gap, 2, Gap::value, Gap::grad, lo, hi);
    double fx = 0.0;
    f.minimum(x, fx, mTol * mTol);
    if (x.dim() != 2) return 0;
    Gap::value(&gap, x);
    if (!(std::sqrt(fx) < tolAt(gap.p1, gap.p2))) return 0;
    s = x[0], t = x[1];
    return 1;
}

// The stop at the reachable tolerance leaves a crossing up to eight units of rounding off
// both curves; one more step, kept only where it closes the gap, brings it to the rounding
// of the evaluation itself.
void IntSolver::polish(double& s, double& t, double ds, double dt, double gap, double sLo,
                       double sHi, double tLo, double tHi) {
    if (!(gap > 0.0) || !std::isfinite(ds) || !std::isfinite(dt)) return;
    double u = s + ds, v = t + dt;
    u = u < sLo ? sLo : (u > sHi ? sHi : u);
    v = v < tLo ? tLo : (v > tHi ? tHi : v);
    double p1[3], a1[3], p2[3], a2[3], dd[3];
    mS1.at(u, 0, p1, a1, dd);
    mS2.at(v, 0, p2, a2, dd);
    double f2 = 0.0;
    for (int c = 0; c < mDim; ++c) f2 += (p2[c] - p1[c]) * (p2[c] - p1[c]);
    if (std::sqrt(f2) < gap) s = u, t = v;
}

int IntSolver::solveFirst(double& s, double& t, double sLo, double sHi, double tLo,
                          double tHi) {
    double p1[3], a1[3], p2[3], a2[3], dd[3], r[3], b2[3];
    int atEnd[2][2] = {{0, 0}, {0, 0}};  // [variable][lower, upper] ever clamped
    for (int step = 0; step < kMaxSteps; ++step) {
        if (poll()) return 0;
        mS1.at(s, 1, p1, a1, dd);
        mS2.at(t, 1, p2, a2, dd);
        double f2 = 0.0;
        for (int c = 0; c < mDim; ++c) {
            r[c] = p2[c] - p1[c];
            b2[c] = -a2[c];
            f2 += r[c] * r[c];
        }
        // Points are only as fine as their parameters: at high speed one unit in the last
        // place of s moves C1(s) by more than the rounding of its coordinates.
        const double speed = std::fabs(s) * std::sqrt(dot3(a1, a1, mDim)) +
                             std::fabs(t) * std::sqrt(dot3(a2, a2, mDim));
        const double gap = std::sqrt(f2), tol = std::fmax(tolAt(p1, p2), 8.0 * DBL_EPSILON * speed);
        if (!std::isfinite(gap)) return 0;
        double ds, dt;
        forceColumns(a1, b2, r, mDim, kForceTol, ds, dt);
        if (gap < tol) {
            polish(s, t, ds, dt, gap, sLo, sHi, tLo, tHi);
            return 1;
        }
        const double l1 = std::sqrt(dot3(a1, a1, mDim)), l2 = std::sqrt(dot3(a2, a2, mDim));
        const double big = l1 > l2 ? l1 : l2;
        const double tiny = big > 0.0 ? 0.05 * tol / big : 0.0;
        if (std::fabs(ds) < tiny) ds = 0.0;
        if (std::fabs(dt) < tiny) dt = 0.0;
        // A variable resting on a bound and pushed outwards stays there.
        if ((s <= sLo && ds < 0.0) || (s >= sHi && ds > 0.0)) atEnd[0][ds > 0.0] = 1, ds = 0.0;
        if ((t <= tLo && dt < 0.0) || (t >= tHi && dt > 0.0)) atEnd[1][dt > 0.0] = 1, dt = 0.0;
        if (ds == 0.0 && dt == 0.0) return gap < 2.0 * tol;
        // The step is shortened to stay inside both ranges.
        double k = 1.0;
        int hit = -1, hitEnd = 0;
        if (s + ds < sLo) k = (sLo - s) / ds, hit = 0, hitEnd = 0;
        if (s + ds > sHi && (sHi - s) / ds < k) k = (sHi - s) / ds, hit = 0, hitEnd = 1;
        if (t + dt < tLo && (tLo - t) / dt < k) k = (tLo - t) / dt, hit = 1, hitEnd = 0;
        if (t + dt > tHi && (tHi - t) / dt < k) k = (tHi - t) / dt, hit = 1, hitEnd = 1;
        if (hit >= 0) {
            atEnd[hit][hitEnd] = 1;
            if (k < 1e-4 && !(atEnd[hit][0] && atEnd[hit][1])) return 0;
        }
        s += k * ds;
        t += k * dt;
        if (hit == 0) s = hitEnd ? sHi : sLo;
        if (hit == 1) t = hitEnd ? tHi : tLo;
        if ((atEnd[0][0] && atEnd[0][1]) || (atEnd[1][0] && atEnd[1][1]))
            return fallback(s, t, sLo, sHi, tLo, tHi);
    }
    return 0;
}

int IntSolver::solveSecond(double& s, double& t, double sLo, double sHi, double tLo,
                           double tHi) {
    if (!solveFirst(s, t, sLo, sHi, tLo, tHi)) return 0;
    double u = s, v = t;
    double p1[3], a1[3], b1[3], p2[3], a2[3], b2[3];
    double ca[6], cb[6], rr[6];
    for (int step = 0; step < kMaxSteps; ++step) {
        if (poll()) break;
        mS1.at(u, 2, p1, a1, b1);
        mS2.at(v, 2, p2, a2, b2);
        const double n1 = dot3(a1, a1, mDim);
        if (!(n1 >= 1e-30)) break;
        const double e = dot3(a1, a2, mDim) / n1;
        double gap = 0.0;
        for (int c = 0; c < mDim; ++c) {
            ca[c] = e * a1[c];
            cb[c] = -a2[c];
            rr[c] = p2[c] - p1[c];
            ca[mDim + c] = e * e * b1[c];
            cb[mDim + c] = -b2[c];
            rr[mDim + c] = a2[c] - e * a1[c];
            gap += rr[c] * rr[c];
        }
        const double tol = tolAt(p1, p2);
        double du, dv;
        forceColumns(ca, cb, rr, 2 * mDim, kForceTol, du, dv);
        double ds = e * du;
        const double l1 = std::sqrt(n1), l2 = std::sqrt(dot3(a2, a2, mDim));
        const double tiny = 0.05 * tol / (l1 > l2 ? l1 : l2);
        if (std::fabs(ds) < tiny && std::fabs(dv) < tiny) {
            if (std::sqrt(gap) < tol) s = u, t = v;
            break;
        }
        u += ds;
        v += dv;
        u = u < sLo ? sLo : (u > sHi ? sHi : u);
        v = v < tLo ? tLo : (v > tHi ? tHi : v);
        if (!std::isfinite(u) || !std::isfinite(v)) break;
    }
    return 1;
}

}  // namespace vqgen
