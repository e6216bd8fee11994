// Public 2D ray: constructors and set lift to z = 0 and forward to the linear implementation
// object.
#include "curves/imp_linear_ent3d.h"
#include "curves/vqge_lift.h"
#include "vqge_ray2d.h"

VqGeRay2d::VqGeRay2d() {
    adoptImp(new VqGeImpLinearEnt3d(1, 0), VqGe::kRay2d);
}

VqGeRay2d::VqGeRay2d(const VqGePoint2d& pnt, const VqGeVector2d& vec) {
    adoptImp(new VqGeImpLinearEnt3d(vqLift(pnt), vqLift(vec), 1, 0), VqGe::kRay2d);
}

VqGeRay2d::VqGeRay2d(const VqGePoint2d& pnt1, const VqGePoint2d& pnt2) {
    adoptImp(new VqGeImpLinearEnt3d(vqLift(pnt1), vqLift(pnt2), 1, 0), VqGe::kRay2d);
}

VqGeRay2d& VqGeRay2d::set(const VqGePoint2d& pnt, const VqGeVector2d& vec) {
    if (impLinearEnt()) impLinearEnt()->set(vqLift(pnt), vqLift(vec), 1, 0);
    return *this;
}

VqGeRay2d& VqGeRay2d::set(const VqGePoint2d& pnt1, const VqGePoint2d& pnt2) {
    if (impLinearEnt()) impLinearEnt()->set(vqLift(pnt1), vqLift(pnt2), 1, 0);
    return *this;
}
