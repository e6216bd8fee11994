// NmBoundBlock storage, forms, extension and translation.
#include "nm_boundblock.h"

#include <cmath>

#include "foundation/vqge_mem.h"
#include "nm_matrix.h"

namespace {

// Least-squares residual above which a point is taken as leaving the span of the edges.
constexpr double kExtendTol = 1e-12;

int allFinite(const NmVector& v) {
    for (int i = 0; i < v.dim(); ++i)
        if (!std::isfinite(v[i])) return 0;
    return 1;
}

}  // namespace

NmBoundBlock::NmBoundBlock() : mEdgeCount(0), mEdges(nullptr) {}

NmBoundBlock::NmBoundBlock(const NmVector& lo, const NmVector& hi) : NmBoundBlock() {
    setBox(lo, hi);
}

NmBoundBlock::NmBoundBlock(const NmVector& corner, int edgeCount, const NmVector* edges)
    : NmBoundBlock() {
    setParallelepiped(corner, edgeCount, edges);
}

NmBoundBlock::NmBoundBlock(const NmVector& point) : NmBoundBlock() { setPoint(point); }

NmBoundBlock::NmBoundBlock(const NmBoundBlock& src) : NmBoundBlock() { *this = src; }

NmBoundBlock::~NmBoundBlock() { releaseEdges(); }

NmBoundBlock& NmBoundBlock::operator=(const NmBoundBlock& src) {
    if (this == &src) return *this;
    if (src.isBox()) return setBox(src.mCorner, src.mMaxCorner);
    if (src.isEmpty()) return setEmpty();
    return setParallelepiped(src.mCorner, src.mEdgeCount, src.mEdges);
}

void NmBoundBlock::releaseEdges() {
    for (int j = 0; j < mEdgeCount; ++j) mEdges[j].~NmVector();
    vqFreeBuffer(mEdges);
    mEdges = nullptr;
    mEdgeCount = 0;
}

int NmBoundBlock::takeEdges(int n) {
    releaseEdges();
    if (n <= 0) return 1;
    mEdges = vqAllocBuffer<NmVector>(n);
    if (!mEdges) return 0;
    for (int j = 0; j < n; ++j) new (mEdges + j) NmVector();
    mEdgeCount = n;
    return 1;
}

NmBoundBlock& NmBoundBlock::setEmpty() {
    releaseEdges();
    mCorner.reset(0);
    mMaxCorner.reset(0);
    return *this;
}

NmBoundBlock& NmBoundBlock::setBox(const NmVector& lo, const NmVector& hi) {
    const int n = lo.dim();
    if (n < 1 || hi.dim() != n) return setEmpty();
    // Copies first: the corners may be this block's own.
    NmVector a(lo);
    NmVector b(hi);
    setEmpty();
    mCorner.reset(n);
    mMaxCorner.reset(n);
    if (a.dim() != n || b.dim() != n || mCorner.dim() != n || mMaxCorner.dim() != n)
        return setEmpty();
    for (int i = 0; i < n; ++i) {
        mCorner[i] = a[i] < b[i] ? a[i] : b[i];
        mMaxCorner[i] = a[i] < b[i] ? b[i] : a[i];
    }
    return *this;
}

NmBoundBlock& NmBoundBlock::setParallelepiped(const NmVector& corner, int edgeCount,
                                              const NmVector* edges) {
    const int n = corner.dim();
    if (n < 1 || edgeCount < 0 || (edgeCount > 0 && !edges)) return setEmpty();
    for (int j = 0; j < edgeCount; ++j)
        if (edges[j].dim() != n) return setEmpty();
    // The new edges are built before the old ones go: the arguments may be this block's.
    NmVector* fresh = vqAllocBuffer<NmVector>(edgeCount);
    if (edgeCount > 0 && !fresh) return setEmpty();
    int ok = 1;
    for (int j = 0; j < edgeCount; ++j) {
        new (fresh + j) NmVector(edges[j]);
        if (fresh[j].dim() != n) ok = 0;
    }
    NmVector base(corner);
    setEmpty();
    mEdges = fresh;
    mEdgeCount = edgeCount;
    mCorner = base;
    if (!ok || mCorner.dim() != n) setEmpty();
    return *this;
}

NmBoundBlock& NmBoundBlock::setPoint(const NmVector& point) {
    return setParallelepiped(point, 0, nullptr);
}

NmBoundBlock& NmBoundBlock::translateBy(const NmVector& v) {
    if (isEmpty() || v.dim() != dim()) return *this;
    mCorner += v;
    if (isBox()) mMaxCorner += v;
    return *this;
}

NmBoundBlock& NmBoundBlock::extend(const NmVector& p) {
    if (!allFinite(p)) return *this;
    if (isEmpty()) return setPoint(p);
    const int n = dim();
    if (p.dim() != n) return *this;
    if (isBox()) {
        for (int i = 0; i < n; ++i) {
            if (p[i] < mCorner[i]) mCorner[i] = p[i];
            if (p[i] > mMaxCorner[i]) mMaxCorner[i] = p[i];
        }
        return *this;
    }
    const int k = mEdgeCount;
    const NmVector d = p - mCorner;
    NmVector coef(d);
    NmVector residual(d);
    if (k > 0) {
        NmMatrix a(n, k);
        if (a.rowDim() != n || a.colDim() != k || coef.dim() != n) return *this;
        for (int j = 0; j < k; ++j)
            for (int i = 0; i < n; ++i) a(i, j) = mEdges[j][i];
        const NmMatrix edges(a);
        // Dependent edges make the normal equations singular; the truncated solve still
        // gives the best coefficients within the span.
        if (!a.solve(coef, kExtendTol)) {
            a = edges;
            coef = d;
            a.force(coef, kExtendTol);
        }
        if (coef.dim() != k || residual.dim() != n) return *this;
        for (int j = 0; j < k; ++j)
            for (int i = 0; i < n; ++i) residual[i] -= coef[j] * edges(i, j);
    }
    if (residual.dim() != n) return *this;
    if (residual.vecAbs() > kExtendTol) {
        // p leaves the span: d becomes one more edge. The old edges move over by copy.
        NmVector* grown = vqAllocBuffer<NmVector>(k + 1);
        if (!grown) return *this;
        for (int j = 0; j < k; ++j) new (grown + j) NmVector(mEdges[j]);
        new (grown + k) NmVector(d);
        for (int j = 0; j <= k; ++j)
            if (grown[j].dim() != n) {
                for (int m = 0; m <= k; ++m) grown[m].~NmVector();
                vqFreeBuffer(grown);
                return *this;
            }
        releaseEdges();
        mEdges = grown;
        mEdgeCount = k + 1;
        return *this;
    }
    for (int j = 0; j < k; ++j) {
        const double c = coef[j];
        if (c > 1.0) {
            mEdges[j] *= c;
        } else if (c < 0.0) {
            for (int i = 0; i < n; ++i) mCorner[i] += c * mEdges[j][i];
            mEdges[j] *= 1.0 - c;
        }
    }
    return *this;
}
