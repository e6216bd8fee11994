// Planar entity: construction, setters, identity, equality and transformation.
#include "surfaces/imp_planar_ent.h"

#include <cmath>

#include "entity/extension_loader.h"
#include "vqge_matrix3d.h"

const VqGeImpPlanarEnt VqGeImpPlanarEnt::kXYPlane(0.0, 0.0, 1.0, 0.0);
const VqGeImpPlanarEnt VqGeImpPlanarEnt::kYZPlane(1.0, 0.0, 0.0, 0.0);
const VqGeImpPlanarEnt VqGeImpPlanarEnt::kZXPlane(0.0, 1.0, 0.0, 0.0);

VqGeImpPlanarEnt::VqGeImpPlanarEnt() : VqGeImpPlanarEnt(VqGe::kPlane) {}

VqGeImpPlanarEnt::VqGeImpPlanarEnt(VqGe::EntityId id)
    : VqGeImpSurface(id),
      mBounds(0),
      mULower(0.0),
      mUUpper(0.0),
      mVLower(0.0),
      mVUpper(0.0),
      mOrigin(0.0, 0.0, 0.0),
      mVAxis(0.0, 1.0, 0.0),
      mUAxis(1.0, 0.0, 0.0) {}

VqGeImpPlanarEnt::VqGeImpPlanarEnt(double a, double b, double c, double d)
    : VqGeImpPlanarEnt(VqGe::kPlane) {
    set(a, b, c, d);
}

VqGeImpPlanarEnt::VqGeImpPlanarEnt(const VqGePoint3d& pnt, const VqGeVector3d& normal)
    : VqGeImpPlanarEnt(VqGe::kPlane) {
    set(pnt, normal);
}

VqGeImpPlanarEnt::VqGeImpPlanarEnt(const VqGePoint3d& origin, const VqGeVector3d& uAxis,
                                   const VqGeVector3d& vAxis, int bounded)
    : VqGeImpPlanarEnt(VqGe::kPlane) {
    set(origin, uAxis, vAxis, bounded);
}

VqGeImpPlanarEnt::VqGeImpPlanarEnt(const VqGePoint3d& uPnt, const VqGePoint3d& origin,
                                   const VqGePoint3d& vPnt, int bounded)
    : VqGeImpPlanarEnt(VqGe::kPlane) {
    set(uPnt, origin, vPnt, bounded);
}

VqGeImpPlanarEnt& VqGeImpPlanarEnt::operator=(const VqGeImpPlanarEnt& src) {
    if (this == &src) return *this;
    VqGeImpSurface::operator=(src);
    mBounds = src.mBounds;
    mULower = src.mULower;
    mUUpper = src.mUUpper;
    mVLower = src.mVLower;
    mVUpper = src.mVUpper;
    mOrigin = src.mOrigin;
    mVAxis = src.mVAxis;
    mUAxis = src.mUAxis;
    notifyModified();
    return *this;
}

void VqGeImpPlanarEnt::assign(const VqGePoint3d& origin, const VqGeVector3d& uAxis,
                              const VqGeVector3d& vAxis) {
    mOrigin = origin;
    mUAxis = uAxis;
    mVAxis = vAxis;
}

// The stored identity follows the bounds a setter gives; a plane that is given no bounds is a
// plane again.
void VqGeImpPlanarEnt::setBoundedUnit(int bounded) {
    VqGe::EntityId id = VqGe::kPlane;
    if (bounded) {
        mBounds = kAllBounds;
        mULower = mVLower = 0.0;
        mUUpper = mVUpper = 1.0;
        id = VqGe::kBoundedPlane;
    } else {
        mBounds = 0;
    }
    setEntityType(*this, id, id);
}

VqGeImpPlanarEnt& VqGeImpPlanarEnt::set(double a, double b, double c, double d) {
    const VqGeVector3d abc(a, b, c);
    const double h2 = abc.lengthSqrd();
    // No normal: the origin would be 0/0; the plane degenerates as the point-normal setter's
    // does for a zero normal, through the origin.
    if (!(h2 > 0.0)) return set(VqGePoint3d::kOrigin, abc);
    const VqGeVector3d n = abc / std::sqrt(h2);
    const VqGeVector3d u = n.perpVector();
    VqGeVector3d v = n.crossProduct(u);
    if (isNormalReversed()) v.negate();
    assign(VqGePoint3d::kOrigin - abc * (d / h2), u, v);
    setBoundedUnit(0);
    notifyModified();
    return *this;
}

VqGeImpPlanarEnt& VqGeImpPlanarEnt::set(const VqGePoint3d& pnt, const VqGeVector3d& normal) {
    const VqGeVector3d u = normal.perpVector().normal(VqGeContext::gTol);
    VqGeVector3d v = normal.crossProduct(u).normal(VqGeContext::gTol);
    if (isNormalReversed()) v.negate();
    assign(pnt, u, v);
    setBoundedUnit(0);
    notifyModified();
    return *this;
}

// The three points keep their places (a bounded plane must cover their parallelogram), so the
// normal sense is not carried over by turning v round: the points' own sense u x v is taken
// and the reversal flag cleared.
VqGeImpPlanarEnt& VqGeImpPlanarEnt::set(const VqGePoint3d& uPnt, const VqGePoint3d& origin,
                                        const VqGePoint3d& vPnt, int bounded) {
    setNormalReversed(0);
    assign(origin, uPnt - origin, vPnt - origin);
    setBoundedUnit(bounded);
    notifyModified();
    return *this;
}

VqGeImpPlanarEnt& VqGeImpPlanarEnt::set(const VqGePoint3d& origin, const VqGeVector3d& uAxis,
                                        const VqGeVector3d& vAxis, int bounded) {
    assign(origin, uAxis, vAxis);
    setBoundedUnit(bounded);
    notifyModified();
    return *this;
}

VqGeImpPlanarEnt& VqGeImpPlanarEnt::unbound() {
    mBounds = 0;
    notifyModified();
    return *this;
}

int VqGeImpPlanarEnt::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == VqGe::kPlanarEnt) return 1;
    if (isPublic && id == type(1)) return 1;
    return VqGeImpSurface::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeImpPlanarEnt::type(int isPublic) const {
    if (!isPublic) return VqGe::kPlanarEnt;
    const int id = entityType();
    return static_cast<VqGe::EntityId>(id < 0 ? -id : id);
}

VqGeImpPlanarEnt* VqGeImpPlanarEnt::copy() const { return new VqGeImpPlanarEnt(*this); }

int VqGeImpPlanarEnt::isEqualTo(const VqGeImpEntity3d& other, const VqGeTol& tol) const {
    if (&other == this) return 1;
    if (!VqGeImpSurface::isEqualTo(other, tol) || !other.isKindOf(VqGe::kPlanarEnt, 0)) return 0;
    const VqGeImpPlanarEnt& pln = static_cast<const VqGeImpPlanarEnt&>(other);
    return mOrigin.isEqualTo(pln.mOrigin, tol) && mUAxis.isEqualTo(pln.mUAxis, tol) &&
           mVAxis.isEqualTo(pln.mVAxis, tol);
}

VqGeImpPlanarEnt& VqGeImpPlanarEnt::transformBy(const VqGeMatrix3d& mat) {
    mOrigin.transformBy(mat);
    mUAxis.transformBy(mat);
    mVAxis.transformBy(mat);
    VqGeImpSurface::transformBy(mat);
    notifyTransformed(mat);
    return *this;
}

VqGeImpPlanarEnt& VqGeImpPlanarEnt::translateBy(const VqGeVector3d& vec) {
    mOrigin += vec;
    notifyTransformed(VqGeMatrix3d::translation(vec));
    return *this;
}

// The loader keeps the factory's address once it has been found.
void* VqGeImpPlanarEnt::getExternalEntity() const {
    return VqGeExtLib::createExternalSurface(*this);
}

void VqGeImpPlanarEnt::getEnvelope(VqGeImpInterval& intrvlU, VqGeImpInterval& intrvlV) const {
    intrvlU.set();
    intrvlV.set();
    if (mBounds & kULower) intrvlU.setLower(mULower);
    if (mBounds & kUUpper) intrvlU.setUpper(mUUpper);
    if (mBounds & kVLower) intrvlV.setLower(mVLower);
    if (mBounds & kVUpper) intrvlV.setUpper(mVUpper);
}

int VqGeImpPlanarEnt::setEnvelope(const VqGeImpInterval& intrvlU,
                                  const VqGeImpInterval& intrvlV) {
    mBounds = 0;
    if (intrvlU.isBoundedBelow()) {
        mBounds |= kULower;
        mULower = intrvlU.lowerBound();
    }
    if (intrvlU.isBoundedAbove()) {
        mBounds |= kUUpper;
        mUUpper = intrvlU.upperBound();
    }
    if (intrvlV.isBoundedBelow()) {
        mBounds |= kVLower;
        mVLower = intrvlV.lowerBound();
    }
    if (intrvlV.isBoundedAbove()) {
        mBounds |= kVUpper;
        mVUpper = intrvlV.upperBound();
    }
    notifySetInterval();
    return 1;
}

int VqGeImpPlanarEnt::isPeriodicInU(double&) const { return 0; }

int VqGeImpPlanarEnt::isPeriodicInV(double&) const { return 0; }
