// Bounding block: construction, setters, identity and the corner bounds.
#include "curves/imp_bound_block3d.h"

#include "nm_boundblock.h"
#include "nm_matrix.h"
#include "nm_vector.h"
#include "vqge_util.h"

VqGeImpBoundBlock3d::VqGeImpBoundBlock3d() : VqGeImpEntity3d(VqGe::kBoundBlock3d), mIsBox(0) {}

VqGeImpBoundBlock3d::VqGeImpBoundBlock3d(const VqGeImpBoundBlock3d& src)
    : VqGeImpEntity3d(src), mIsBox(src.mIsBox), mBase(src.mBase) {
    for (int k = 0; k < 3; ++k) mDir[k] = src.mDir[k];
}

VqGeImpBoundBlock3d::VqGeImpBoundBlock3d(const VqGePoint3d& p1, const VqGePoint3d& p2)
    : VqGeImpBoundBlock3d() {
    set(p1, p2);
}

VqGeImpBoundBlock3d::VqGeImpBoundBlock3d(const VqGePoint3d& base, const VqGeVector3d& d0,
                                         const VqGeVector3d& d1, const VqGeVector3d& d2)
    : VqGeImpBoundBlock3d() {
    set(base, d0, d1, d2);
}

VqGeImpBoundBlock3d::VqGeImpBoundBlock3d(const VqArray<VqGePoint3d>& points, double tol)
    : VqGeImpBoundBlock3d() {
    set(points, tol);
}

VqGeImpBoundBlock3d::VqGeImpBoundBlock3d(const NmBoundBlock& block) : VqGeImpBoundBlock3d() {
    set(block);
}

VqGeImpBoundBlock3d& VqGeImpBoundBlock3d::operator=(const VqGeImpBoundBlock3d& src) {
    if (this == &src) return *this;
    VqGeImpEntity3d::operator=(src);
    mIsBox = src.mIsBox;
    mBase = src.mBase;
    for (int k = 0; k < 3; ++k) mDir[k] = src.mDir[k];
    notifyModified();
    return *this;
}

VqGe::EntityId VqGeImpBoundBlock3d::type(int isPublic) const {
    if (!isPublic) return VqGe::kBoundBlock3d;
    const int id = entityType();
    return static_cast<VqGe::EntityId>(id < 0 ? -id : id);
}

int VqGeImpBoundBlock3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == type(isPublic)) return 1;
    return VqGeImpEntity3d::isKindOf(id, isPublic);
}

VqGeImpBoundBlock3d* VqGeImpBoundBlock3d::copy() const { return new VqGeImpBoundBlock3d(*this); }

int VqGeImpBoundBlock3d::isEqualTo(const VqGeImpEntity3d& other, const VqGeTol& tol) const {
    if (other.type(1) != type(1) || !other.isKindOf(VqGe::kBoundBlock3d, 0)) return 0;
    const VqGeImpBoundBlock3d& b = static_cast<const VqGeImpBoundBlock3d&>(other);
    if (!mBase.isEqualTo(b.mBase, tol) || mIsBox != b.mIsBox) return 0;
    for (int k = 0; k < 3; ++k)
        if (!mDir[k].isEqualTo(b.mDir[k], tol)) return 0;
    return 1;
}

int VqGeImpBoundBlock3d::isOn(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return contains(pnt, tol.equalPoint());
}

VqGeImpBoundBlock3d& VqGeImpBoundBlock3d::set(const VqGePoint3d& p1, const VqGePoint3d& p2) {
    VqGePoint3d lo = p1, hi = p1;
    for (unsigned i = 0; i < 3; ++i) {
        if (p2[i] < lo[i]) lo[i] = p2[i];
        if (p2[i] > hi[i]) hi[i] = p2[i];
    }
    mIsBox = 1;
    mBase = lo;
    for (unsigned k = 0; k < 3; ++k) {
        mDir[k] = VqGeVector3d::kIdentity;
        mDir[k][k] = hi[k] - lo[k];
    }
    notifyModified();
    return *this;
}

VqGeImpBoundBlock3d& VqGeImpBoundBlock3d::set(const VqGePoint3d& base, const VqGeVector3d& d0,
                                              const VqGeVector3d& d1, const VqGeVector3d& d2) {
    mIsBox = 0;
    mBase = base;
    mDir[0] = d0;
    mDir[1] = d1;
    mDir[2] = d2;
    notifyModified();
    return *this;
}

// Notation: c the centroid, a_k the principal axes (eigenvector columns), [lo_k, hi_k] the
// extent of the points along a_k measured from c.
VqGeImpBoundBlock3d& VqGeImpBoundBlock3d::set(const VqArray<VqGePoint3d>& points, double tol) {
    const VqGePoint3d c = VqGeUtil::centroidOf(points);
    double moments[3][3];
    VqGeUtil::getMomentsOfInertiaOf(points, moments);
    NmMatrix m(3, 3);
    NmVector values(3);
    if (m.rowDim() != 3 || m.colDim() != 3) return *this;  // no memory
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k) m(r, k) = moments[r][k];
    if (!m.eigensystem(values)) return *this;
    VqGeVector3d axes[3];
    double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        axes[k].set(m(0, k), m(1, k), m(2, k));
        for (int i = 0; i < points.length(); ++i) {
            const double f = (points[i] - c).dotProduct(axes[k]);
            if (f < lo[k]) lo[k] = f;
            if (f > hi[k]) hi[k] = f;
        }
    }
    mIsBox = 0;
    mBase = c;
    int n = 0;
    for (int k = 0; k < 3; ++k) {
        if (hi[k] - lo[k] > tol) {
            mBase += axes[k] * lo[k];
            mDir[n++] = axes[k] * (hi[k] - lo[k]);
        }
    }
    for (; n < 3; ++n) mDir[n] = VqGeVector3d::kIdentity;
    notifyModified();
    return *this;
}

void VqGeImpBoundBlock3d::get(VqGePoint3d& base, VqGeVector3d& d0, VqGeVector3d& d1,
                              VqGeVector3d& d2) const {
    base = mBase;
    d0 = mDir[0];
    d1 = mDir[1];
    d2 = mDir[2];
}

void VqGeImpBoundBlock3d::getMinMaxPoints(VqGePoint3d& pmin, VqGePoint3d& pmax) const {
    pmin = pmax = mBase;
    for (int corner = 1; corner < 8; ++corner) {
        VqGePoint3d p = mBase;
        for (int k = 0; k < 3; ++k)
            if (corner & (1 << k)) p += mDir[k];
        for (unsigned i = 0; i < 3; ++i) {
            if (p[i] < pmin[i]) pmin[i] = p[i];
            if (p[i] > pmax[i]) pmax[i] = p[i];
        }
    }
}

VqGeImpBoundBlock3d& VqGeImpBoundBlock3d::setToBox(int isBox) {
    mIsBox = isBox ? 1 : 0;
    return *this;
}
