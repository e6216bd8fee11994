// Public point entities and positions, 3D and 2D.
#include "entity/imp_position3d.h"
#include "vqge_position2d.h"
#include "vqge_position3d.h"

VqGePoint3d VqGePointEnt3d::point3d() const {
    return mImp ? static_cast<const VqGeImpPointEnt3d*>(mImp)->point() : VqGePoint3d::kOrigin;
}

VqGePoint2d VqGePointEnt2d::point2d() const {
    if (!mImp) return VqGePoint2d::kOrigin;
    const VqGePoint3d p = static_cast<const VqGeImpPointEnt3d*>(mImp)->point();
    return VqGePoint2d(p.x, p.y);
}

VqGePosition3d::VqGePosition3d() { adoptImp(new VqGeImpPosition3d(), VqGe::kPosition3d); }

VqGePosition3d::VqGePosition3d(const VqGePoint3d& pnt) {
    adoptImp(new VqGeImpPosition3d(pnt), VqGe::kPosition3d);
}

VqGePosition3d::VqGePosition3d(double x, double y, double z) {
    adoptImp(new VqGeImpPosition3d(x, y, z), VqGe::kPosition3d);
}

VqGePosition3d& VqGePosition3d::set(const VqGePoint3d& pnt) {
    if (mImp) static_cast<VqGeImpPosition3d*>(mImp)->set(pnt);
    return *this;
}

VqGePosition3d& VqGePosition3d::set(double x, double y, double z) {
    return set(VqGePoint3d(x, y, z));
}

VqGePosition2d::VqGePosition2d() { adoptImp(new VqGeImpPosition3d(), VqGe::kPosition2d); }

VqGePosition2d::VqGePosition2d(const VqGePoint2d& pnt) {
    adoptImp(new VqGeImpPosition3d(pnt.x, pnt.y, 0.0), VqGe::kPosition2d);
}

VqGePosition2d::VqGePosition2d(double x, double y) {
    adoptImp(new VqGeImpPosition3d(x, y, 0.0), VqGe::kPosition2d);
}

VqGePosition2d& VqGePosition2d::set(const VqGePoint2d& pnt) {
    if (mImp) static_cast<VqGeImpPosition3d*>(mImp)->set(pnt.x, pnt.y, 0.0);
    return *this;
}

VqGePosition2d& VqGePosition2d::set(double x, double y) { return set(VqGePoint2d(x, y)); }
