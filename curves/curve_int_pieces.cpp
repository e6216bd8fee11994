// Recursive comparison of sample pieces: two curves, a curve and a segment, a curve and
// itself. Pieces whose boxes are apart give nothing; pieces that turn little are solved;
// the rest are halved.
//
// Notation: P1, P2 the pieces compared (A, B for the self comparison); "simple" pieces keep
// all tangents on one side of their cone's axis; turn is the cone's opening angle. A solve
// that fails on pieces whose boxes still meet halves the pair again (up to kMaxRetryDepth
// halvings in all), so a crossing is not lost to a Newton start that was too far away; a
// solve that succeeds on pieces whose cones overlap also halves the pair (up to
// kMaxRefineDepth), since such pieces may cross twice close together.
#include <cmath>

#include "curves/curve_int_solver.h"

namespace vqgen {

namespace {
double mid(const VqGeSamplePiece& p) { return 0.5 * (p.lo + p.hi); }

NmVector asVector(const double* d, int dim) { return NmVector(dim, d); }
}  // namespace

int IntSolver::boxesDisjoint(const VqGeSamplePiece& p1, const VqGeSamplePiece& p2) const {
    for (int c = 0; c < mDim; ++c) {
        if (p1.bmin[c] > p2.bmax[c] + mTol || p2.bmin[c] > p1.bmax[c] + mTol) return 1;
    }
    return 0;
}

// Slab clipping of the segment against the box widened by the tolerance.
int IntSolver::segmentMisses(const VqGeSamplePiece& pc) const {
    double t0 = 0.0, t1 = 1.0;
    for (int c = 0; c < mDim; ++c) {
        const double lo = pc.bmin[c] - mTol, hi = pc.bmax[c] + mTol;
        const double a = mS2.a[c], d = mS2.d[c];
        if (d == 0.0) {
            if (a < lo || a > hi) return 1;
            continue;
        }
        double u = (lo - a) / d, v = (hi - a) / d;
        if (u > v) {
            const double w = u;
            u = v;
            v = w;
        }
        if (u > t0) t0 = u;
        if (v < t1) t1 = v;
        if (t0 > t1) return 1;
    }
    return 0;
}

void IntSolver::split(int p1, int p2) {
    VqGeCurveSampleData* d1 = mS1.data;
    VqGeCurveSampleData* d2 = mS2.data;
    const int firstLarger = d1->piece(p1).turn >= d2->piece(p2).turn;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int cutFirst = attempt == 0 ? firstLarger : !firstLarger;
        VqGeCurveSampleData* d = cutFirst ? d1 : d2;
        const int which = cutFirst ? p1 : p2;
        const int c0 = d->child(which, 0);
        const int c1 = c0 >= 0 ? d->child(which, 1) : -1;
        if (c0 < 0 || c1 < 0) continue;
        if (cutFirst) {
            pieces(c0, p2);
            pieces(c1, p2);
        } else {
            pieces(p1, c0);
            pieces(p1, c1);
        }
        return;
    }
}

void IntSolver::pieces(int i1, int i2) {
    if (poll()) return;
    VqGeCurveSampleData* d1 = mS1.data;
    VqGeCurveSampleData* d2 = mS2.data;
    if (!d1->prepare(i1) || !d2->prepare(i2)) return;
    const VqGeSamplePiece& p1 = d1->piece(i1);
    const VqGeSamplePiece& p2 = d2->piece(i2);
    if (boxesDisjoint(p1, p2)) return;
    const double tol = 1e-10;
    const int apart = p1.cone.isDisjointAsLines(p2.cone, tol);
    const double lo1 = p1.lo, hi1 = p1.hi, lo2 = p2.lo, hi2 = p2.hi;
    const int depth = p1.depth + p2.depth;
    if (p1.simple && p2.simple) {
        if (!apart && (p1.turn >= kFlatTurn || p2.turn >= kFlatTurn)) {
            split(i1, i2);
            return;
        }
        double s = mid(p1), t = mid(p2);
        const int ok = apart ? solveFirst(s, t, lo1, hi1, lo2, hi2)
                             : solveSecond(s, t, lo1, hi1, lo2, hi2);
        if (ok) add(s, t);
        // Pieces running alike can cross twice close together: look closer after a find.
        if (ok ? !apart && depth < kMaxRefineDepth : depth < kMaxRetryDepth) split(i1, i2);
        return;
    }
    if (p1.turn >= kTinyTurn || p2.turn >= kTinyTurn) {
        split(i1, i2);
        return;
    }
    double starts[4][2];
    int n = 0;
    if (p1.simple) {
        starts[n][0] = mid(p1), starts[n++][1] = lo2;
        starts[n][0] = mid(p1), starts[n++][1] = hi2;
    } else if (p2.simple) {
        starts[n][0] = lo1, starts[n++][1] = mid(p2);
        starts[n][0] = hi1, starts[n++][1] = mid(p2);
    } else {
        starts[n][0] = lo1, starts[n++][1] = lo2;
        starts[n][0] = hi1, starts[n++][1] = lo2;
        starts[n][0] = lo1, starts[n++][1] = hi2;
        starts[n][0] = hi1, starts[n++][1] = hi2;
    }
    for (int k = 0; k < n; ++k) {
        double s = starts[k][0], t = starts[k][1];
        const int ok = apart ? solveFirst(s, t, lo1, hi1, lo2, hi2)
                             : solveSecond(s, t, lo1, hi1, lo2, hi2);
        if (ok) add(s, t);
    }
}

void IntSolver::segment(int i1) {
    if (poll()) return;
    VqGeCurveSampleData* d1 = mS1.data;
    if (!d1->prepare(i1)) return;
    const VqGeSamplePiece& p1 = d1->piece(i1);
    if (segmentMisses(p1)) return;
    const int along = p1.cone.containsLine(asVector(mS2.d, mDim), 1e-10);
    const double lo = p1.lo, hi = p1.hi;
    auto halve = [&]() {
        const int c0 = d1->child(i1, 0);
        const int c1 = c0 >= 0 ? d1->child(i1, 1) : -1;
        if (c0 < 0 || c1 < 0) return;
        segment(c0);
        segment(c1);
    };
    if (p1.simple) {
        if (along && p1.turn >= kFlatTurn) {
            halve();
            return;
        }
        double s = mid(p1), t = 0.5;
        const int ok = along ? solveSecond(s, t, lo, hi, 0.0, 1.0)
                             : solveFirst(s, t, lo, hi, 0.0, 1.0);
        if (ok) add(s, t);
        if (ok ? along && p1.depth < kMaxRefineDepth : p1.depth < kMaxRetryDepth) halve();
        return;
    }
    if (p1.turn >= kFlatTurn) {
        halve();
        return;
    }
    const double ends[2] = {lo, hi};
    for (int k = 0; k < 2; ++k) {
        double s = ends[k], t = 0.5;
        const int ok = along ? solveSecond(s, t, lo, hi, 0.0, 1.0)
                             : solveFirst(s, t, lo, hi, 0.0, 1.0);
        if (ok) add(s, t);
    }
}

void IntSolver::self(int ia, int ib) {
    if (poll()) return;
    VqGeCurveSampleData* d = mS1.data;
    if (!d->prepare(ia) || !d->prepare(ib)) return;
    const VqGeSamplePiece& a = d->piece(ia);
    const VqGeSamplePiece& b = d->piece(ib);
    double ea = 0.0, eb = 0.0;
    for (int c = 0; c < mDim; ++c) {
        if (a.bmax[c] - a.bmin[c] > ea) ea = a.bmax[c] - a.bmin[c];
        if (b.bmax[c] - b.bmin[c] > eb) eb = b.bmax[c] - b.bmin[c];
    }
    if (ea < mTol || eb < mTol) return;
    if (a.hi < b.lo && boxesDisjoint(a, b)) return;
    const double tol = 1e-10;
    if (ia == ib) {
        if ((!a.simple || a.turn >= 1.0) && a.turn >= kTinyTurn) {
            const int h1 = d->child(ia, 0);
            const int h2 = h1 >= 0 ? d->child(ia, 1) : -1;
            if (h1 < 0 || h2 < 0) return;
            self(h1, h1);
            self(h1, h2);
            self(h2, h2);
        }
        return;
    }
    if (b.lo == a.hi) {
        if (a.turn < kTinyTurn && b.turn < kTinyTurn) return;
        if (a.simple && b.simple && a.cone.opposite().isDisjoint(b.cone, tol)) return;
    }
    const int apart = a.cone.isDisjointAsLines(b.cone, tol);
    if (a.simple && b.simple && (apart || (a.turn < kFlatTurn && b.turn < kFlatTurn))) {
        double s = mid(a), t = mid(b);
        const int ok = apart ? solveFirst(s, t, a.lo, a.hi, b.lo, b.hi)
                             : solveSecond(s, t, a.lo, a.hi, b.lo, b.hi);
        if (ok) {
            add(s, t);
            return;
        }
        if (a.depth + b.depth >= kMaxRetryDepth || b.lo == a.hi) return;
    }
    const int cutA = a.turn >= b.turn;
    const int which = cutA ? ia : ib;
    const int c0 = d->child(which, 0);
    const int c1 = c0 >= 0 ? d->child(which, 1) : -1;
    if (c0 < 0 || c1 < 0) return;
    if (cutA) {
        self(c0, ib);
        self(c1, ib);
    } else {
        self(ia, c0);
        self(ia, c1);
    }
}

}  // namespace vqgen
