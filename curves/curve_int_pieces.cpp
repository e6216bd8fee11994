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

// Along two pieces the tangents stay within their cones, so the side on which one curve
// crosses the other can change only when the crossing angle is within the pieces' turning:
// a steeper crossing is the only one the pair holds (crossings of pieces that are graphs
// over a common direction alternate in side).
int IntSolver::steepCrossing(double s, double t, double turn) const {
    double p[3], a1[3], a2[3], dd[3];
    mS1.at(s, 1, p, a1, dd);
    mS2.at(t, 1, p, a2, dd);
    const double l1 = std::sqrt(dot3(a1, a1, mDim)), l2 = std::sqrt(dot3(a2, a2, mDim));
    if (!(l1 > 0.0 && l2 > 0.0)) return 0;
    double c = std::fabs(dot3(a1, a2, mDim)) / (l1 * l2);
    if (c > 1.0) c = 1.0;
    return std::acos(c) > turn + 1e-9;
}

namespace {
// The oriented box of b seen along the axes of a: separated on one of them.
int separatedAlongFrame(const VqGeSamplePiece& a, const VqGeSamplePiece& b, int dim, double tol) {
    double centre[3], half[3];
    for (int k = 0; k < 3; ++k) half[k] = 0.5 * (b.fhi[k] - b.flo[k]);
    for (int c = 0; c < 3; ++c) {
        centre[c] = b.origin[c];
        for (int k = 0; k < dim; ++k) centre[c] += b.frame[k][c] * 0.5 * (b.flo[k] + b.fhi[k]);
    }
    for (int k = 0; k < dim; ++k) {
        const double* axis = a.frame[k];
        double mid = 0.0, reach = 0.0;
        for (int c = 0; c < 3; ++c) mid += (centre[c] - a.origin[c]) * axis[c];
        for (int j = 0; j < dim; ++j) reach += std::fabs(dot3(axis, b.frame[j], 3)) * half[j];
        if (mid - reach > a.fhi[k] + tol || mid + reach < a.flo[k] - tol) return 1;
    }
    return 0;
}

double angleAsLines(const NmVector& a, const NmVector& b) {
    const double la = std::sqrt(a * a), lb = std::sqrt(b * b);
    if (!(la > 0.0 && lb > 0.0)) return 0.0;
    double c = std::fabs(a * b) / (la * lb);
    if (c > 1.0) c = 1.0;
    return std::acos(c);
}
}  // namespace

int IntSolver::chordConesApart(const VqGeSamplePiece& p1, const VqGeSamplePiece& p2) const {
    if (!(p1.chordCos > 0.0 && p2.chordCos > 0.0)) return 0;
    double c = std::fabs(dot3(p1.frame[0], p2.frame[0], 3));
    if (c > 1.0) c = 1.0;
    return std::acos(c) > std::acos(p1.chordCos) + std::acos(p2.chordCos) + 1e-9;
}

int IntSolver::boxesDisjoint(const VqGeSamplePiece& p1, const VqGeSamplePiece& p2) const {
    for (int c = 0; c < mDim; ++c) {
        if (p1.bmin[c] > p2.bmax[c] + mTol || p2.bmin[c] > p1.bmax[c] + mTol) return 1;
    }
    return separatedAlongFrame(p1, p2, mDim, mTol) || separatedAlongFrame(p2, p1, mDim, mTol);
}

// Cones whose axes part by more than both can open are apart as lines; only closer ones
// need the exact test.
int IntSolver::conesApart(const VqGeSamplePiece& p1, const VqGeSamplePiece& p2) const {
    if (p1.cone.isEmpty() || p2.cone.isEmpty()) return 0;
    const double gap = angleAsLines(p1.cone.axis(), p2.cone.axis());
    if (gap > p1.halfTurn + p2.halfTurn + 1e-9) return 1;
    return p1.cone.isDisjointAsLines(p2.cone, 1e-10);
}

namespace {
// Narrows [t0, t1] to where a + t·d lies in [lo, hi]; 0 when nothing is left.
int clipSlab(double a, double d, double lo, double hi, double& t0, double& t1) {
    if (d == 0.0) return a >= lo && a <= hi;
    double u = (lo - a) / d, v = (hi - a) / d;
    if (u > v) {
        const double w = u;
        u = v;
        v = w;
    }
    if (u > t0) t0 = u;
    if (v < t1) t1 = v;
    return t0 <= t1;
}
}  // namespace

// Slab clipping of the segment against the box widened by the tolerance, then the same in
// the piece's own frame along its chord: a segment slanting past a thin piece crosses its
// axis box all along a tangential contact, which would be halved to the last depth for
// nothing.
int IntSolver::segmentMisses(const VqGeSamplePiece& pc) const {
    double t0 = mS2.tLo, t1 = mS2.tHi;
    for (int c = 0; c < mDim; ++c)
        if (!clipSlab(mS2.a[c], mS2.d[c], pc.bmin[c] - mTol, pc.bmax[c] + mTol, t0, t1)) return 1;
    for (int k = 0; k < mDim; ++k) {
        double a = 0.0, d = 0.0;
        for (int c = 0; c < mDim; ++c) {
            a += (mS2.a[c] - pc.origin[c]) * pc.frame[k][c];
            d += mS2.d[c] * pc.frame[k][c];
        }
        if (!clipSlab(a, d, pc.flo[k] - mTol, pc.fhi[k] + mTol, t0, t1)) return 1;
    }
    return 0;
}

void IntSolver::split(int p1, int p2) {
    VqGeCurveSampleData* d1 = mS1.data;
    VqGeCurveSampleData* d2 = mS2.data;
    const VqGeSamplePiece& a = d1->piece(p1);
    const VqGeSamplePiece& b = d2->piece(p2);
    // The piece that turns more is cut (the first on a tie).
    const int firstLarger = a.turn >= b.turn;
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

// Two simple pieces: one solve from their middles, first order when their cones are apart,
// second order when both turn little; a pair that turns more is split.
void IntSolver::simplePair(int i1, int i2, int apart) {
    const VqGeSamplePiece& p1 = mS1.data->piece(i1);
    const VqGeSamplePiece& p2 = mS2.data->piece(i2);
    if (!apart && (p1.turn >= kFlatTurn || p2.turn >= kFlatTurn)) {
        split(i1, i2);
        return;
    }
    const int depth = p1.depth + p2.depth;
    double s = mid(p1), t = mid(p2);
    const int ok = apart ? solveFirst(s, t, p1.lo, p1.hi, p2.lo, p2.hi)
                         : solveSecond(s, t, p1.lo, p1.hi, p2.lo, p2.hi);
    if (ok) add(s, t);
    // Pieces running alike can cross twice close together: look closer after a find,
    // unless the crossing is steeper than the two pieces can turn.
    // A failed solve on pieces that run alike retries only to the refining depth: along a
    // tangential contact every pair near the contact keeps meeting, and halving all of them
    // to the retry depth costs millions of pairs for the one touching already found.
    if (ok ? !apart && depth < kMaxRefineDepth && !steepCrossing(s, t, p1.turn + p2.turn)
           : depth < (apart ? kMaxRetryDepth : kMaxRefineDepth))
        split(i1, i2);
}

void IntSolver::pieces(int i1, int i2) {
    if (poll()) return;
    VqGeCurveSampleData* d1 = mS1.data;
    VqGeCurveSampleData* d2 = mS2.data;
    if (!d1->prepare(i1) || !d2->prepare(i2)) return;
    const VqGeSamplePiece& p1 = d1->piece(i1);
    const VqGeSamplePiece& p2 = d2->piece(i2);
    if (boxesDisjoint(p1, p2)) return;
    const double lo1 = p1.lo, hi1 = p1.hi, lo2 = p2.lo, hi2 = p2.hi;
    if (p1.chordCos > 0.0 && p2.chordCos > 0.0) {
        // Both pieces keep their tangents near their chords: the cones about the chords
        // decide as fitted cones would (simple pieces, apart or turning little).
        simplePair(i1, i2, chordConesApart(p1, p2));
        return;
    }
    d1->prepareCone(i1);
    d2->prepareCone(i2);
    const int apart = conesApart(p1, p2);
    if (p1.simple && p2.simple) {
        simplePair(i1, i2, apart);
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

// The piece's ends and middle against the segment: a piece that lies within the tolerance of
// the segment at all three is part of a contact and is not halved any further; t receives
// the segment parameter of its middle.
int IntSolver::alongSegment(const VqGeSamplePiece& pc, double& t) const {
    const double dLen2 = dot3(mS2.d, mS2.d, mDim);
    if (!(dLen2 > 0.0)) return 0;
    const double slack = mTol / std::sqrt(dLen2);
    const double at[3] = {pc.lo, pc.hi, mid(pc)};
    for (int k = 0; k < 3; ++k) {
        double pnt[3], dd[3];
        mS1.at(at[k], 0, pnt, dd, dd);
        double rel[3] = {0.0, 0.0, 0.0};
        for (int c = 0; c < mDim; ++c) rel[c] = pnt[c] - mS2.a[c];
        const double along = dot3(rel, mS2.d, mDim) / dLen2;
        double off2 = 0.0;
        for (int c = 0; c < mDim; ++c) {
            const double o = rel[c] - along * mS2.d[c];
            off2 += o * o;
        }
        // Near the segment itself, not only its line.
        if (!(std::sqrt(off2) <= mTol) || !(along >= mS2.tLo - slack && along <= mS2.tHi + slack))
            return 0;
        t = along;
    }
    return 1;
}

void IntSolver::segment(int i1) {
    if (poll()) return;
    VqGeCurveSampleData* d1 = mS1.data;
    if (!d1->prepare(i1)) return;
    const VqGeSamplePiece& p1 = d1->piece(i1);
    if (segmentMisses(p1)) return;
    d1->prepareCone(i1);
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
        double s = mid(p1), t = mS2.tStart;
        const int ok = along ? solveSecond(s, t, lo, hi, mS2.tLo, mS2.tHi)
                             : solveFirst(s, t, lo, hi, mS2.tLo, mS2.tHi);
        if (ok) add(s, t);
        // Along a contact: its middle stands for it (finds of one contact merge).
        if (!ok && alongSegment(p1, t)) {
            add(mid(p1), t);
            return;
        }
        if (ok ? along && p1.depth < kMaxRefineDepth && !steepCrossing(s, t, p1.turn)
               : p1.depth < (along || mDim == 3 ? kMaxRefineDepth : kMaxRetryDepth))
            halve();
        return;
    }
    if (p1.turn >= kFlatTurn) {
        halve();
        return;
    }
    const double ends[2] = {lo, hi};
    for (int k = 0; k < 2; ++k) {
        double s = ends[k], t = mS2.tStart;
        const int ok = along ? solveSecond(s, t, lo, hi, mS2.tLo, mS2.tHi)
                             : solveFirst(s, t, lo, hi, mS2.tLo, mS2.tHi);
        if (ok) add(s, t);
    }
}

void IntSolver::self(int ia, int ib) {
    if (poll()) return;
    VqGeCurveSampleData* d = mS1.data;
    if (!d->prepareCone(ia) || !d->prepareCone(ib)) return;
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
    const int apart = conesApart(a, b);
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
