// Position: the point entity with nothing but its point.
#include "entity/imp_position3d.h"

#include <cstdlib>

#include "vqge_matrix3d.h"

int VqGeImpPointEnt3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == (servesAs2d(isPublic) ? VqGe::kPointEnt2d : VqGe::kPointEnt3d)) return 1;
    return VqGeImpEntity3d::isKindOf(id, isPublic);
}

int VqGeImpPointEnt3d::isOn(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return pnt.isEqualTo(point(), tol);
}

VqGeImpPosition3d::VqGeImpPosition3d() : VqGeImpPointEnt3d(VqGe::kPosition3d) {}

VqGeImpPosition3d::VqGeImpPosition3d(const VqGePoint3d& pnt)
    : VqGeImpPointEnt3d(VqGe::kPosition3d), mPoint(pnt) {}

VqGeImpPosition3d::VqGeImpPosition3d(double x, double y, double z)
    : VqGeImpPointEnt3d(VqGe::kPosition3d), mPoint(x, y, z) {}

VqGeImpPosition3d& VqGeImpPosition3d::operator=(const VqGeImpPosition3d& src) {
    if (this == &src) return *this;
    VqGeImpPointEnt3d::operator=(src);
    mPoint = src.mPoint;
    notifyModified();
    return *this;
}

int VqGeImpPosition3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == (isPublic ? type(1) : VqGe::kPosition3d)) return 1;
    return VqGeImpPointEnt3d::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeImpPosition3d::type(int isPublic) const {
    if (!isPublic) return VqGe::kPosition3d;
    return static_cast<VqGe::EntityId>(std::abs(static_cast<int>(entityType())));
}

VqGeImpPosition3d* VqGeImpPosition3d::copy() const { return new VqGeImpPosition3d(*this); }

int VqGeImpPosition3d::isEqualTo(const VqGeImpEntity3d& other, const VqGeTol& tol) const {
    if (other.type(1) != type(1) || !other.isKindOf(VqGe::kPosition3d, 0)) return 0;
    return mPoint.isEqualTo(static_cast<const VqGeImpPosition3d&>(other).mPoint, tol);
}

VqGeImpPosition3d& VqGeImpPosition3d::transformBy(const VqGeMatrix3d& mat) {
    mPoint.transformBy(mat);
    notifyTransformed(mat);
    return *this;
}

VqGeImpPosition3d& VqGeImpPosition3d::translateBy(const VqGeVector3d& vec) {
    mPoint += vec;
    notifyTransformed(VqGeMatrix3d::translation(vec));
    return *this;
}

VqGeImpPosition3d& VqGeImpPosition3d::set(const VqGePoint3d& pnt) {
    mPoint = pnt;
    notifyModified();
    return *this;
}

VqGeImpPosition3d& VqGeImpPosition3d::set(double x, double y, double z) {
    return set(VqGePoint3d(x, y, z));
}
