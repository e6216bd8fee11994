// Public bounding blocks: handles forwarding to the implementation object. A handle whose
// construction ran out of memory answers 0 and leaves its outputs alone.
#include "curves/imp_bound_block3d.h"
#include "curves/vqge_lift.h"
#include "vqge_boundblock2d.h"
#include "vqge_boundblock3d.h"


VqGeImpBoundBlock3d* VqGeBoundBlock3d::imp() const {
    return static_cast<VqGeImpBoundBlock3d*>(mImp);
}

VqGeBoundBlock3d::VqGeBoundBlock3d() {
    adoptImp(new VqGeImpBoundBlock3d(), VqGe::kBoundBlock3d);
}

VqGeBoundBlock3d::VqGeBoundBlock3d(const VqGeBoundBlock3d& src) : VqGeEntity3d(src) {}

VqGeBoundBlock3d::VqGeBoundBlock3d(const VqGePoint3d& base, const VqGeVector3d& dir1,
                                   const VqGeVector3d& dir2, const VqGeVector3d& dir3) {
    adoptImp(new VqGeImpBoundBlock3d(base, dir1, dir2, dir3), VqGe::kBoundBlock3d);
}

VqGeBoundBlock3d& VqGeBoundBlock3d::set(const VqGePoint3d& point1, const VqGePoint3d& point2) {
    if (imp()) imp()->set(point1, point2);
    return *this;
}

VqGeBoundBlock3d& VqGeBoundBlock3d::set(const VqGePoint3d& base, const VqGeVector3d& dir1,
                                        const VqGeVector3d& dir2, const VqGeVector3d& dir3) {
    if (imp()) imp()->set(base, dir1, dir2, dir3);
    return *this;
}

void VqGeBoundBlock3d::get(VqGePoint3d& base, VqGeVector3d& dir1, VqGeVector3d& dir2,
                           VqGeVector3d& dir3) const {
    if (imp()) imp()->get(base, dir1, dir2, dir3);
}

void VqGeBoundBlock3d::getMinMaxPoints(VqGePoint3d& point1, VqGePoint3d& point2) const {
    if (imp()) imp()->getMinMaxPoints(point1, point2);
}

VqGeBoundBlock3d& VqGeBoundBlock3d::extend(const VqGePoint3d& point) {
    if (imp()) imp()->extend(point);
    return *this;
}

VqGeBoundBlock3d& VqGeBoundBlock3d::swell(double distance) {
    if (imp()) imp()->swell(distance);
    return *this;
}

int VqGeBoundBlock3d::contains(const VqGePoint3d& point) const {
    return imp() && imp()->contains(point, VqGeContext::gTol.equalPoint());
}

int VqGeBoundBlock3d::isDisjoint(const VqGeBoundBlock3d& block) const {
    return imp() && block.imp() && imp()->isDisjoint(*block.imp(), VqGeContext::gTol.equalPoint());
}

VqGeBoundBlock3d& VqGeBoundBlock3d::operator=(const VqGeBoundBlock3d& block) {
    VqGeEntity3d::operator=(block);
    return *this;
}

int VqGeBoundBlock3d::isBox() const { return imp() && imp()->isBox(); }

VqGeBoundBlock3d& VqGeBoundBlock3d::setToBox(int toBox) {
    if (imp()) imp()->setToBox(toBox);
    return *this;
}

VqGeImpBoundBlock3d* VqGeBoundBlock2d::imp() const {
    return static_cast<VqGeImpBoundBlock3d*>(mImp);
}

VqGeBoundBlock2d::VqGeBoundBlock2d() {
    adoptImp(new VqGeImpBoundBlock3d(), VqGe::kBoundBlock2d);
}

VqGeBoundBlock2d::VqGeBoundBlock2d(const VqGeBoundBlock2d& src) : VqGeEntity2d(src) {}

VqGeBoundBlock2d::VqGeBoundBlock2d(const VqGePoint2d& base, const VqGeVector2d& dir1,
                                   const VqGeVector2d& dir2) {
    adoptImp(new VqGeImpBoundBlock3d(vqLift(base), vqLift(dir1), vqLift(dir2), VqGeVector3d::kIdentity),
             VqGe::kBoundBlock2d);
}

VqGeBoundBlock2d& VqGeBoundBlock2d::set(const VqGePoint2d& point1, const VqGePoint2d& point2) {
    if (imp()) imp()->set(vqLift(point1), vqLift(point2));
    return *this;
}

VqGeBoundBlock2d& VqGeBoundBlock2d::set(const VqGePoint2d& base, const VqGeVector2d& dir1,
                                        const VqGeVector2d& dir2) {
    if (imp()) imp()->set(vqLift(base), vqLift(dir1), vqLift(dir2), VqGeVector3d::kIdentity);
    return *this;
}

void VqGeBoundBlock2d::get(VqGePoint2d& base, VqGeVector2d& dir1, VqGeVector2d& dir2) const {
    if (!imp()) return;
    VqGePoint3d b;
    VqGeVector3d d1, d2, d3;
    imp()->get(b, d1, d2, d3);
    base.set(b.x, b.y);
    dir1.set(d1.x, d1.y);
    dir2.set(d2.x, d2.y);
}

void VqGeBoundBlock2d::getMinMaxPoints(VqGePoint2d& point1, VqGePoint2d& point2) const {
    if (!imp()) return;
    VqGePoint3d p1, p2;
    imp()->getMinMaxPoints(p1, p2);
    point1.set(p1.x, p1.y);
    point2.set(p2.x, p2.y);
}

VqGeBoundBlock2d& VqGeBoundBlock2d::extend(const VqGePoint2d& point) {
    if (imp()) imp()->extend(vqLift(point));
    return *this;
}

VqGeBoundBlock2d& VqGeBoundBlock2d::swell(double distance) {
    if (imp()) imp()->swell(distance);
    return *this;
}

int VqGeBoundBlock2d::contains(const VqGePoint2d& point) const {
    return imp() && imp()->contains(vqLift(point), VqGeContext::gTol.equalPoint());
}

int VqGeBoundBlock2d::isDisjoint(const VqGeBoundBlock2d& block) const {
    return imp() && block.imp() && imp()->isDisjoint(*block.imp(), VqGeContext::gTol.equalPoint());
}

VqGeBoundBlock2d& VqGeBoundBlock2d::operator=(const VqGeBoundBlock2d& block) {
    VqGeEntity2d::operator=(block);
    return *this;
}

int VqGeBoundBlock2d::isBox() const { return imp() && imp()->isBox(); }

VqGeBoundBlock2d& VqGeBoundBlock2d::setToBox(int toBox) {
    if (imp()) imp()->setToBox(toBox);
    return *this;
}
