// Public 3D line: constructors and set forward to the linear implementation object.
#include "curves/imp_linear_ent3d.h"
#include "vqge_line3d.h"

VqGeLine3d::VqGeLine3d() {
    adoptImp(new VqGeImpLinearEnt3d(0, 0), VqGe::kLine3d);
}

VqGeLine3d::VqGeLine3d(const VqGePoint3d& pnt, const VqGeVector3d& vec) {
    adoptImp(new VqGeImpLinearEnt3d(pnt, vec, 0, 0), VqGe::kLine3d);
}

VqGeLine3d::VqGeLine3d(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2) {
    adoptImp(new VqGeImpLinearEnt3d(pnt1, pnt2, 0, 0), VqGe::kLine3d);
}

VqGeLine3d& VqGeLine3d::set(const VqGePoint3d& pnt, const VqGeVector3d& vec) {
    if (impLinearEnt()) impLinearEnt()->set(pnt, vec, 0, 0);
    return *this;
}

VqGeLine3d& VqGeLine3d::set(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2) {
    if (impLinearEnt()) impLinearEnt()->set(pnt1, pnt2, 0, 0);
    return *this;
}

const VqGeLine3d VqGeLine3d::kXAxis(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0));
const VqGeLine3d VqGeLine3d::kYAxis(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 1, 0));
const VqGeLine3d VqGeLine3d::kZAxis(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 0, 1));
