// NmBoundBlock containment and disjointness. Boxes answer directly; blocks with edges pose
// their question as a linear feasibility system for the exchange solver, where the edge
// coefficients are the non-negative column variables and t <= 1 rows bound them above.
#include <cmath>

#include "nm_boundblock.h"
#include "numeric/nm_matrix_exchange.h"
#include "nm_matrix.h"

namespace {

int finiteVector(const NmVector& v) {
    for (int i = 0; i < v.dim(); ++i)
        if (!std::isfinite(v[i])) return 0;
    return 1;
}

}  // namespace

double NmBoundBlock::span(int j, int i) const {
    if (isBox()) return i == j ? mMaxCorner[i] - mCorner[i] : 0.0;
    return mEdges[j][i];
}

int NmBoundBlock::contains(const NmVector& p, double tol) const {
    const int n = dim();
    if (isEmpty() || p.dim() != n) return 0;
    if (isBox()) {
        for (int i = 0; i < n; ++i)
            if (!(mCorner[i] <= p[i] && p[i] <= mMaxCorner[i])) return 0;
        return 1;
    }
    if (mEdgeCount == 0) {
        for (int i = 0; i < n; ++i)
            if (!(std::fabs(p[i] - mCorner[i]) <= tol)) return 0;
        return 1;
    }
    return containsSpan(p, tol);
}

int NmBoundBlock::containsSpan(const NmVector& p, double tol) const {
    // p - corner = sum t_j e_j (n equality rows), t_j <= 1 (k rows), t_j >= 0 (columns).
    const int n = dim();
    const int k = spanCount();
    NmExWork w(n + k, k);
    if (!w.ok()) return 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < k; ++j) w.a(i, j) = span(j, i);
        w.b(i) = p[i] - mCorner[i];
        w.rowState(i) = NmMatrix::kExEquality;
    }
    for (int j = 0; j < k; ++j) {
        w.a(n + j, j) = 1.0;
        w.b(n + j) = 1.0;
        w.rowState(n + j) = NmMatrix::kExRow;
        w.colState(j) = NmMatrix::kExColumn;
    }
    return w.feasible(tol);
}

int NmBoundBlock::isFinite() const {
    if (!finiteVector(mCorner) || !finiteVector(mMaxCorner)) return 0;
    for (int j = 0; j < mEdgeCount; ++j)
        if (!finiteVector(mEdges[j])) return 0;
    return 1;
}

int NmBoundBlock::isDisjoint(const NmBoundBlock& other, double tol) const {
    // Empty, mismatched or non-finite blocks share no point with anything.
    if (isEmpty() || other.isEmpty() || other.dim() != dim()) return 1;
    if (!isFinite() || !other.isFinite() || std::isnan(tol)) return 1;
    if (isBox() && other.isBox()) {
        for (int i = 0; i < dim(); ++i)
            if (mCorner[i] > other.mMaxCorner[i] || other.mCorner[i] > mMaxCorner[i]) return 1;
        return 0;
    }
    const int mine = spanCount() > 0;
    const int theirs = other.spanCount() > 0;
    if (mine && theirs) return edgesDisjoint(other, tol);
    if (mine) return !containsSpan(other.mCorner, tol);
    if (theirs) return !other.containsSpan(mCorner, tol);
    for (int i = 0; i < dim(); ++i)
        if (!(std::fabs(mCorner[i] - other.mCorner[i]) <= tol)) return 1;
    return 0;
}

int NmBoundBlock::edgesDisjoint(const NmBoundBlock& other, double tol) const {
    // corner_a + sum t e_a = corner_b + sum s e_b with t, s in [0, 1].
    const int n = dim();
    const int ka = spanCount();
    const int kb = other.spanCount();
    const int k = ka + kb;
    NmExWork w(n + k, k);
    if (!w.ok()) return 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < ka; ++j) w.a(i, j) = span(j, i);
        for (int j = 0; j < kb; ++j) w.a(i, ka + j) = -other.span(j, i);
        w.b(i) = other.mCorner[i] - mCorner[i];
        w.rowState(i) = NmMatrix::kExEquality;
    }
    for (int j = 0; j < k; ++j) {
        w.a(n + j, j) = 1.0;
        w.b(n + j) = 1.0;
        w.rowState(n + j) = NmMatrix::kExRow;
        w.colState(j) = NmMatrix::kExColumn;
    }
    return !w.feasible(tol);
}
