// Shared checks of the NURBS tests: seeded random curves and an independent evaluator
// (Cox-de Boor basis sums and derivative control points) to compare the library against.
#ifndef VQGE_TESTS_NURB_CHECKS_H
#define VQGE_TESTS_NURB_CHECKS_H

#include <cmath>
#include <random>
#include <vector>

#include "splines/imp_nurb_curve3d.h"
#include "test_helpers.h"

namespace nurbtest {

struct Rng {
    std::mt19937 gen;
    explicit Rng(unsigned seed) : gen(seed) {}
    double operator()(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(gen);
    }
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); }
};

struct Def {
    int degree = 3;
    std::vector<double> knots;
    std::vector<VqGePoint3d> pts;  // Cartesian
    std::vector<double> w;         // empty: non-rational
};

// Clamped curve with n points, random interior knots (some repeated), scale s, offset o.
inline Def randomDef(Rng& rng, int degree, int n, int rational, double s = 10.0, double o = 0.0) {
    Def d;
    d.degree = degree;
    for (int i = 0; i <= degree; ++i) d.knots.push_back(0.0);
    double k = 0.0;
    for (int i = 0; i < n - degree - 1; ++i) {
        if (i == 0 || rng(0, 1) > 0.15) k += rng(0.2, 2.0);
        d.knots.push_back(k);
    }
    k += rng(0.2, 2.0);
    for (int i = 0; i <= degree; ++i) d.knots.push_back(k);
    for (int i = 0; i < n; ++i) {
        // One draw per statement: the order of draws must not depend on the compiler's order
        // of evaluating arguments (the seeded inputs are the same under every compiler).
        const double z = rng(-s, s), y = o + rng(-s, s), x = o + rng(-s, s);
        d.pts.push_back(VqGePoint3d(x, y, z));
        if (rational) d.w.push_back(rng(0.3, 3.0));
    }
    return d;
}

inline VqGeImpNurbCurve3d* build(const Def& d, int periodic = 0) {
    VqGeKnotVector kv(static_cast<int>(d.knots.size()), d.knots.data());
    VqArray<VqGePoint3d> pts;
    for (const VqGePoint3d& p : d.pts) pts.append(p);
    if (d.w.empty()) return new VqGeImpNurbCurve3d(d.degree, kv, pts, periodic);
    VqArray<double> w;
    for (double x : d.w) w.append(x);
    return new VqGeImpNurbCurve3d(d.degree, kv, pts, w, periodic);
}

// Homogeneous control polygon: x, y, z, w.
struct H {
    double v[4];
};

// Value of a non-periodic B-spline with homogeneous points at t by the Cox-de Boor basis;
// the last span is closed on the right.
inline H basisSum(const std::vector<double>& U, const std::vector<H>& P, int p, double t) {
    const int n = static_cast<int>(P.size());
    std::vector<double> N(U.size(), 0.0);
    int last = -1;
    for (int j = 0; j + 1 < static_cast<int>(U.size()); ++j)
        if (U[j] < U[j + 1]) last = j;
    for (int j = 0; j + 1 < static_cast<int>(U.size()); ++j)
        N[j] = (U[j] <= t && t < U[j + 1]) || (j == last && t >= U[j + 1]) ? 1.0 : 0.0;
    for (int q = 1; q <= p; ++q)
        for (int j = 0; j + q + 1 < static_cast<int>(U.size()); ++j) {
            double a = 0.0, b = 0.0;
            if (U[j + q] != U[j]) a = (t - U[j]) / (U[j + q] - U[j]) * N[j];
            if (U[j + q + 1] != U[j + 1])
                b = (U[j + q + 1] - t) / (U[j + q + 1] - U[j + 1]) * N[j + 1];
            N[j] = a + b;
        }
    H r{{0, 0, 0, 0}};
    for (int j = 0; j < n; ++j)
        for (int c = 0; c < 4; ++c) r.v[c] += N[j] * P[j].v[c];
    return r;
}

// Homogeneous derivatives 0..3 from derivative control polygons.
inline void homDerivs(std::vector<double> U, std::vector<H> P, int p, double t, H out[4]) {
    for (int r = 0; r <= 3; ++r) {
        if (p < 0 || P.empty()) {
            out[r] = H{{0, 0, 0, 0}};
            continue;
        }
        out[r] = basisSum(U, P, p, t);
        std::vector<H> Q;
        for (int i = 0; i + 1 < static_cast<int>(P.size()); ++i) {
            const double den = U[i + p + 1] - U[i + 1];
            H q{{0, 0, 0, 0}};
            for (int c = 0; c < 4; ++c) q.v[c] = den != 0.0 ? p * (P[i + 1].v[c] - P[i].v[c]) / den : 0.0;
            Q.push_back(q);
        }
        U.erase(U.begin());
        U.pop_back();
        P = Q;
        --p;
    }
}

// Cartesian point and three derivatives of the definition at t (clamped, non-periodic).
inline VqGePoint3d reference(const Def& d, double t, VqGeVector3d der[3]) {
    std::vector<H> P;
    for (size_t i = 0; i < d.pts.size(); ++i) {
        const double w = d.w.empty() ? 1.0 : d.w[i];
        P.push_back(H{{d.pts[i].x * w, d.pts[i].y * w, d.pts[i].z * w, w}});
    }
    H A[4];
    homDerivs(d.knots, P, d.degree, t, A);
    double C[4][3];
    const int binom[4][4] = {{1, 0, 0, 0}, {1, 1, 0, 0}, {1, 2, 1, 0}, {1, 3, 3, 1}};
    for (int r = 0; r <= 3; ++r)
        for (int c = 0; c < 3; ++c) {
            double v = A[r].v[c];
            for (int i = 1; i <= r; ++i) v -= binom[r][i] * A[i].v[3] * C[r - i][c];
            C[r][c] = v / A[0].v[3];
        }
    for (int r = 1; r <= 3; ++r) der[r - 1].set(C[r][0], C[r][1], C[r][2]);
    return VqGePoint3d(C[0][0], C[0][1], C[0][2]);
}

inline double scaleOf(const VqGePoint3d& p) {
    return 1.0 + std::fmax(std::fabs(p.x), std::fmax(std::fabs(p.y), std::fabs(p.z)));
}

// Points of a and b agree at n parameters spread over a's interval.
inline void expectSameShape(const VqGeImpNurbCurve3d& a, const VqGeImpNurbCurve3d& b, double eps,
                            int n = 60) {
    const double lo = a.startParam(), hi = a.endParam();
    for (int i = 0; i <= n; ++i) {
        const double t = lo + (hi - lo) * i / n;
        const VqGePoint3d pa = a.pointAt(t), pb = b.pointAt(t);
        EXPECT_LT(pa.distanceTo(pb), eps * scaleOf(pa)) << "t=" << t;
    }
}

}  // namespace nurbtest

#endif
