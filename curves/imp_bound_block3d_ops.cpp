// Bounding block: conversion to and from the numeric kernel's block, and the operations
// decided there (extension, containment, disjointness), swelling and transformation.
#include <cmath>

#include "curves/imp_bound_block3d.h"
#include "nm_boundblock.h"
#include "nm_vector.h"
#include "vqge_matrix3d.h"

namespace {
NmVector nmVec(int dim, const VqGePoint3d& p) {
    const double c[3] = {p.x, p.y, p.z};
    return NmVector(dim, c);
}
NmVector nmVec(int dim, const VqGeVector3d& v) {
    const double c[3] = {v.x, v.y, v.z};
    return NmVector(dim, c);
}
// Coordinate i of v, or 0 beyond its dimension.
double coord(const NmVector& v, int i) { return i < v.dim() ? v[i] : 0.0; }
}  // namespace

int VqGeImpBoundBlock3d::dimension() const { return type(1) == VqGe::kBoundBlock2d ? 2 : 3; }

void VqGeImpBoundBlock3d::nmBlock(NmBoundBlock& block) const {
    const int dim = dimension();
    if (mIsBox) {
        block.setBox(nmVec(dim, mBase), nmVec(dim, mBase + mDir[0] + mDir[1] + mDir[2]));
        return;
    }
    NmVector edges[3];
    int n = 0;
    for (int k = dim - 1; k >= 0; --k)
        if (!(mDir[k] == VqGeVector3d::kIdentity)) edges[n++] = nmVec(dim, mDir[k]);
    if (n == 0)
        block.setPoint(nmVec(dim, mBase));
    else
        block.setParallelepiped(nmVec(dim, mBase), n, edges);
}

VqGeImpBoundBlock3d& VqGeImpBoundBlock3d::set(const NmBoundBlock& block) {
    const NmVector& corner = block.corner();
    mBase.set(coord(corner, 0), coord(corner, 1), coord(corner, 2));
    for (int k = 0; k < 3; ++k) mDir[k] = VqGeVector3d::kIdentity;
    if (block.isBox()) {
        mIsBox = 1;
        const NmVector& hi = block.maxCorner();
        mDir[0].x = coord(hi, 0) - mBase.x;
        mDir[1].y = coord(hi, 1) - mBase.y;
        mDir[2].z = coord(hi, 2) - mBase.z;
    } else {
        mIsBox = 0;
        for (int k = 0; k < block.edgeCount() && k < 3; ++k) {
            const NmVector& e = block.edge(k);
            mDir[k].set(coord(e, 0), coord(e, 1), coord(e, 2));
        }
    }
    notifyModified();
    return *this;
}

VqGeImpBoundBlock3d& VqGeImpBoundBlock3d::extend(const VqGePoint3d& pnt) {
    NmBoundBlock block;
    nmBlock(block);
    block.extend(nmVec(dimension(), pnt));
    return set(block);
}

// The numeric box test takes no tolerance, but the far corner base + extents can round an ulp
// inside a point the box was extended to take in; a box therefore answers with the caller's
// tolerance on every side.
int VqGeImpBoundBlock3d::contains(const VqGePoint3d& pnt, double tol) const {
    if (mIsBox) {
        const VqGePoint3d hi = mBase + mDir[0] + mDir[1] + mDir[2];
        const double t = std::fabs(tol);
        for (unsigned i = 0; i < static_cast<unsigned>(dimension()); ++i)
            if (!(pnt[i] >= mBase[i] - t && pnt[i] <= hi[i] + t)) return 0;
        return 1;
    }
    NmBoundBlock block;
    nmBlock(block);
    return block.contains(nmVec(dimension(), pnt), tol);
}

int VqGeImpBoundBlock3d::isDisjoint(const VqGeImpBoundBlock3d& other, double tol) const {
    NmBoundBlock a, b;
    nmBlock(a);
    other.nmBlock(b);
    return a.isDisjoint(b, tol);
}

// Notation: L_k edge lengths, u_k unit edges, s the shortest edge, g the longest, m the middle.
void VqGeImpBoundBlock3d::getDirections(VqGeVector3d units[3], double lengths[3]) const {
    const double eps = VqGeContext::gTol.equalPoint();
    int s = 2, g = 0;
    for (int k = 0; k < 3; ++k) {
        lengths[k] = mDir[k].length();
        units[k] = lengths[k] >= eps ? mDir[k] / lengths[k] : VqGeVector3d::kIdentity;
    }
    for (int k = 0; k < 3; ++k) {
        if (lengths[k] < lengths[s]) s = k;
        if (lengths[k] > lengths[g]) g = k;
    }
    if (lengths[s] >= eps) return;
    static const VqGeVector3d* const kAxes[3] = {&VqGeVector3d::kXAxis, &VqGeVector3d::kYAxis,
                                                 &VqGeVector3d::kZAxis};
    if (mIsBox || lengths[g] < eps) {
        // A box keeps its edges along their own axes, so a flat edge grows along its axis and
        // never backwards: the box stays a box containing what it contained.
        for (int k = 0; k < 3; ++k)
            if (lengths[k] < eps) units[k] = *kAxes[k];
        return;
    }
    const int m = 3 - s - g;
    if (lengths[m] < eps) units[m] = units[g].perpVector().normal(VqGeContext::gTol);
    units[s] = units[g].crossProduct(units[m]).normal(VqGeContext::gTol);
}

VqGeImpBoundBlock3d& VqGeImpBoundBlock3d::swell(double d) {
    VqGeVector3d units[3];
    double lengths[3];
    getDirections(units, lengths);
    mBase -= (units[0] + units[1] + units[2]) * d;
    for (int k = 0; k < 3; ++k) mDir[k] = units[k] * (lengths[k] + 2.0 * d);
    notifyModified();
    return *this;
}

VqGeImpBoundBlock3d& VqGeImpBoundBlock3d::transformBy(const VqGeMatrix3d& mat) {
    const double kSmall = 1e-12;
    if (std::fabs(mat(3, 3)) < kSmall || std::fabs(mat(3, 0)) > kSmall ||
        std::fabs(mat(3, 1)) > kSmall || std::fabs(mat(3, 2)) > kSmall)
        return *this;  // projective: left unchanged
    if (mIsBox) {
        bool offDiagonal = false;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                if (i != j && std::fabs(mat(i, j)) > kSmall) offDiagonal = true;
        VqGePoint3d pmin, pmax;
        getMinMaxPoints(pmin, pmax);
        if (!offDiagonal) return set(mat * pmin, mat * pmax);
        const VqGeVector3d ext = pmax - pmin;
        mBase = pmin;
        mDir[0].set(ext.x, 0, 0);
        mDir[1].set(0, ext.y, 0);
        mDir[2].set(0, 0, ext.z);
        mIsBox = 0;
    }
    mBase = mat * mBase;
    for (int k = 0; k < 3; ++k) mDir[k] = mat * mDir[k];
    notifyTransformed(mat);
    return *this;
}
