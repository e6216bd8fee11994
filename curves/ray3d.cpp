// Public 3D ray: constructors and set forward to the linear implementation object.
#include "curves/imp_linear_ent3d.h"
#include "vqge_ray3d.h"

VqGeRay3d::VqGeRay3d() {
    adoptImp(new VqGeImpLinearEnt3d(1, 0), VqGe::kRay3d);
}

VqGeRay3d::VqGeRay3d(const VqGePoint3d& pnt, const VqGeVector3d& vec) {
    adoptImp(new VqGeImpLinearEnt3d(pnt, vec, 1, 0), VqGe::kRay3d);
}

VqGeRay3d::VqGeRay3d(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2) {
    adoptImp(new VqGeImpLinearEnt3d(pnt1, pnt2, 1, 0), VqGe::kRay3d);
}

VqGeRay3d& VqGeRay3d::set(const VqGePoint3d& pnt, const VqGeVector3d& vec) {
    if (impLinearEnt()) impLinearEnt()->set(pnt, vec, 1, 0);
    return *this;
}

VqGeRay3d& VqGeRay3d::set(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2) {
    if (impLinearEnt()) impLinearEnt()->set(pnt1, pnt2, 1, 0);
    return *this;
}
