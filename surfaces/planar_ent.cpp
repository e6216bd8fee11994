// Public planar entities: planes and bounded planes.
#include "surfaces/imp_planar_ent.h"
#include "vqge_boundedplane.h"
#include "vqge_plane.h"

const VqGePlane VqGePlane::kXYPlane(0.0, 0.0, 1.0, 0.0);
const VqGePlane VqGePlane::kYZPlane(1.0, 0.0, 0.0, 0.0);
const VqGePlane VqGePlane::kZXPlane(0.0, 1.0, 0.0, 0.0);

VqGePlanarEnt::VqGePlanarEnt(VqGeImpPlanarEnt* imp) : VqGeSurface(imp) {}

VqGeImpPlanarEnt* VqGePlanarEnt::impPlanarEnt() const {
    return static_cast<VqGeImpPlanarEnt*>(mImp);
}

VqGePoint3d VqGePlanarEnt::closestPointToPlanarEnt(const VqGePlanarEnt& otherPln,
                                                   VqGePoint3d& pointOnOtherPln,
                                                   const VqGeTol& tol) const {
    if (!mImp || !otherPln.impPlanarEnt()) return VqGePoint3d();
    return impPlanarEnt()->closestPntPlanarEnt(*otherPln.impPlanarEnt(), pointOnOtherPln, tol);
}

int VqGePlanarEnt::isParallelTo(const VqGePlanarEnt& otherPlnEnt, const VqGeTol& tol) const {
    if (!mImp || !otherPlnEnt.impPlanarEnt()) return 0;
    return impPlanarEnt()->isParallelTo(*otherPlnEnt.impPlanarEnt(), tol);
}

int VqGePlanarEnt::isPerpendicularTo(const VqGePlanarEnt& linEnt, const VqGeTol& tol) const {
    if (!mImp || !linEnt.impPlanarEnt()) return 0;
    return impPlanarEnt()->isPerpendicularTo(*linEnt.impPlanarEnt(), tol);
}

int VqGePlanarEnt::isCoplanarTo(const VqGePlanarEnt& otherPlnEnt, const VqGeTol& tol) const {
    if (!mImp || !otherPlnEnt.impPlanarEnt()) return 0;
    return impPlanarEnt()->isCoplanarTo(*otherPlnEnt.impPlanarEnt(), tol);
}

void VqGePlanarEnt::get(VqGePoint3d& pnt1, VqGePoint3d& origin, VqGePoint3d& pnt2) const {
    if (mImp) impPlanarEnt()->get(pnt1, origin, pnt2);
}

void VqGePlanarEnt::get(VqGePoint3d& origin, VqGeVector3d& uAxis, VqGeVector3d& vAxis) const {
    if (mImp) impPlanarEnt()->get(origin, uAxis, vAxis);
}

VqGePoint3d VqGePlanarEnt::pointOnPlane() const {
    return mImp ? impPlanarEnt()->pointOnPlane() : VqGePoint3d();
}

VqGeVector3d VqGePlanarEnt::normal() const {
    return mImp ? impPlanarEnt()->normal() : VqGeVector3d();
}

void VqGePlanarEnt::getCoefficients(double& a, double& b, double& c, double& d) const {
    if (mImp) impPlanarEnt()->getCoefficients(a, b, c, d);
}

void VqGePlanarEnt::getCoordSystem(VqGePoint3d& origin, VqGeVector3d& axis1,
                                   VqGeVector3d& axis2) const {
    if (mImp) impPlanarEnt()->getCoordSystem(origin, axis1, axis2);
}

VqGePlane::VqGePlane() { adoptImp(new VqGeImpPlanarEnt(), VqGe::kPlane); }

VqGePlane::VqGePlane(const VqGePoint3d& origin, const VqGeVector3d& normal) {
    adoptImp(new VqGeImpPlanarEnt(origin, normal), VqGe::kPlane);
}

VqGePlane::VqGePlane(const VqGePoint3d& pntU, const VqGePoint3d& org, const VqGePoint3d& pntV) {
    adoptImp(new VqGeImpPlanarEnt(pntU, org, pntV, 0), VqGe::kPlane);
}

VqGePlane::VqGePlane(const VqGePoint3d& org, const VqGeVector3d& uAxis,
                     const VqGeVector3d& vAxis) {
    adoptImp(new VqGeImpPlanarEnt(org, uAxis, vAxis, 0), VqGe::kPlane);
}

VqGePlane::VqGePlane(double a, double b, double c, double d) {
    adoptImp(new VqGeImpPlanarEnt(a, b, c, d), VqGe::kPlane);
}

double VqGePlane::signedDistanceTo(const VqGePoint3d& pnt) const {
    return mImp ? impPlanarEnt()->signedDistanceTo(pnt) : 0.0;
}

VqGePlane& VqGePlane::set(const VqGePoint3d& pnt, const VqGeVector3d& normal) {
    if (mImp) impPlanarEnt()->set(pnt, normal);
    return *this;
}

VqGePlane& VqGePlane::set(const VqGePoint3d& pntU, const VqGePoint3d& org,
                          const VqGePoint3d& pntV) {
    if (mImp) impPlanarEnt()->set(pntU, org, pntV, 0);
    return *this;
}

VqGePlane& VqGePlane::set(double a, double b, double c, double d) {
    if (mImp) impPlanarEnt()->set(a, b, c, d);
    return *this;
}

VqGePlane& VqGePlane::set(const VqGePoint3d& org, const VqGeVector3d& uAxis,
                          const VqGeVector3d& vAxis) {
    if (mImp) impPlanarEnt()->set(org, uAxis, vAxis, 0);
    return *this;
}

VqGeBoundedPlane::VqGeBoundedPlane() {
    adoptImp(new VqGeImpPlanarEnt(VqGe::kBoundedPlane), VqGe::kBoundedPlane);
}

VqGeBoundedPlane::VqGeBoundedPlane(const VqGePoint3d& origin, const VqGeVector3d& uVec,
                                   const VqGeVector3d& vVec) {
    adoptImp(new VqGeImpPlanarEnt(origin, uVec, vVec, 1), VqGe::kBoundedPlane);
}

VqGeBoundedPlane::VqGeBoundedPlane(const VqGePoint3d& p1, const VqGePoint3d& origin,
                                   const VqGePoint3d& p2) {
    adoptImp(new VqGeImpPlanarEnt(p1, origin, p2, 1), VqGe::kBoundedPlane);
}

VqGeBoundedPlane& VqGeBoundedPlane::set(const VqGePoint3d& origin, const VqGeVector3d& uVec,
                                        const VqGeVector3d& vVec) {
    if (mImp) impPlanarEnt()->set(origin, uVec, vVec, 1);
    return *this;
}

VqGeBoundedPlane& VqGeBoundedPlane::set(const VqGePoint3d& p1, const VqGePoint3d& origin,
                                        const VqGePoint3d& p2) {
    if (mImp) impPlanarEnt()->set(p1, origin, p2, 1);
    return *this;
}
