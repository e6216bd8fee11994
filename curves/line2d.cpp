// Public 2D line: constructors and set lift to z = 0 and forward to the linear implementation
// object.
#include "curves/imp_linear_ent3d.h"
#include "curves/vqge_lift.h"
#include "vqge_line2d.h"

VqGeLine2d::VqGeLine2d() {
    adoptImp(new VqGeImpLinearEnt3d(0, 0), VqGe::kLine2d);
}

VqGeLine2d::VqGeLine2d(const VqGePoint2d& pnt, const VqGeVector2d& vec) {
    adoptImp(new VqGeImpLinearEnt3d(vqLift(pnt), vqLift(vec), 0, 0), VqGe::kLine2d);
}

VqGeLine2d::VqGeLine2d(const VqGePoint2d& pnt1, const VqGePoint2d& pnt2) {
    adoptImp(new VqGeImpLinearEnt3d(vqLift(pnt1), vqLift(pnt2), 0, 0), VqGe::kLine2d);
}

VqGeLine2d& VqGeLine2d::set(const VqGePoint2d& pnt, const VqGeVector2d& vec) {
    if (impLinearEnt()) impLinearEnt()->set(vqLift(pnt), vqLift(vec), 0, 0);
    return *this;
}

VqGeLine2d& VqGeLine2d::set(const VqGePoint2d& pnt1, const VqGePoint2d& pnt2) {
    if (impLinearEnt()) impLinearEnt()->set(vqLift(pnt1), vqLift(pnt2), 0, 0);
    return *this;
}

const VqGeLine2d VqGeLine2d::kXAxis(VqGePoint2d(0, 0), VqGeVector2d(1, 0));
const VqGeLine2d VqGeLine2d::kYAxis(VqGePoint2d(0, 0), VqGeVector2d(0, 1));
