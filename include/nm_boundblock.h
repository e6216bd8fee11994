// Numeric kernel block: an n-dimensional box, parallelepiped or point.
#ifndef VQGE_NM_BOUNDBLOCK_H
#define VQGE_NM_BOUNDBLOCK_H

#include "nm_vector.h"
#include "vqge_defs.h"
#include "vqge_heap.h"

// Forms: box (minimum and maximum corner), parallelepiped (corner plus edge vectors: the
// points corner + sum t_j * edge_j with every t_j in [0, 1]) and point (corner, no edges;
// it behaves as a parallelepiped without edges). A block of dimension 0 is empty: it holds
// no point, contains nothing and is disjoint from every block.
//
// Setters given inconsistent lengths (corners or edges of differing dimension, a negative
// edge count) leave the block empty, as does a failed allocation. Operations with a point
// or block of another dimension change nothing and report no containment and disjointness.
class VQGE_API NmBoundBlock {
public:
    VQGE_HOOKED_NEW

    NmBoundBlock();
    // Box of two opposite corners, in any order: each coordinate is sorted into min and max.
    NmBoundBlock(const NmVector& lo, const NmVector& hi);
    NmBoundBlock(const NmVector& corner, int edgeCount, const NmVector* edges);
    explicit NmBoundBlock(const NmVector& point);
    NmBoundBlock(const NmBoundBlock& src);
    ~NmBoundBlock();
    NmBoundBlock& operator=(const NmBoundBlock& src);

    NmBoundBlock& setEmpty();
    NmBoundBlock& setBox(const NmVector& lo, const NmVector& hi);
    NmBoundBlock& setParallelepiped(const NmVector& corner, int edgeCount, const NmVector* edges);
    NmBoundBlock& setPoint(const NmVector& point);

    int dim() const { return mCorner.dim(); }
    int isEmpty() const { return mCorner.dim() == 0; }
    int isBox() const { return mMaxCorner.dim() != 0; }
    int isPoint() const { return !isEmpty() && !isBox() && mEdgeCount == 0; }
    // Base point: the minimum corner of a box.
    const NmVector& corner() const { return mCorner; }
    // Empty unless the block is a box.
    const NmVector& maxCorner() const { return mMaxCorner; }
    int edgeCount() const { return mEdgeCount; }
    // No bounds check.
    const NmVector& edge(int i) const { return mEdges[i]; }

    // Box: lo_i <= p_i <= hi_i on every coordinate, tol unused. Point: no coordinate differs
    // by more than tol. Parallelepiped: decided by the exchange solver with tol.
    int contains(const NmVector& p, double tol) const;
    int isDisjoint(const NmBoundBlock& other, double tol) const;
    // Grows the block to take in p; an empty block becomes the point p.
    NmBoundBlock& extend(const NmVector& p);
    NmBoundBlock& translateBy(const NmVector& v);

private:
    // Replaces the edge array by room for n edges (all empty vectors); 0 when that failed.
    int takeEdges(int n);
    void releaseEdges();
    int isFinite() const;
    // Parallelepiped containment, a box read as the parallelepiped of its extents.
    int containsSpan(const NmVector& p, double tol) const;
    int edgesDisjoint(const NmBoundBlock& other, double tol) const;
    // Edge count once a box is read as a parallelepiped, and component i of edge j.
    int spanCount() const { return isBox() ? dim() : mEdgeCount; }
    double span(int j, int i) const;

    NmVector mCorner;
    NmVector mMaxCorner;
    int mEdgeCount;
    NmVector* mEdges;
};

#endif
