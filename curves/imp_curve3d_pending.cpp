// PENDING: the numerical defaults of the curve interface (closest points, projections,
// lengths, sampling, planarity, containment, orientation, area, generic intersection and
// overlap) arrive with the generic curve algorithms. Until then each answers "nothing found":
// outputs untouched, result 0 or null, and a length of 0. Every curve kind that answers
// these in closed form overrides them.
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "vqge_curveintdata.h"

VqGePoint3d VqGeImpCurve3d::closestPointTo(const VqGeImpSurface&, VqGePoint3d& pntOnSrf,
                                           const VqGeTol&) const {
    return pntOnSrf;
}

void VqGeImpCurve3d::getClosestPointTo(const VqGeImpSurface&, VqGeImpPointOnCurve3d&,
                                       VqGeImpPointOnSurface&, const VqGeTol&) const {}

void VqGeImpCurve3d::getClosestPointTo(const VqGeImpCurve3d&, VqGeImpPointOnCurve3d&,
                                       VqGeImpPointOnCurve3d&, const VqGeTol&) const {}

void VqGeImpCurve3d::getClosestPointTo(const VqGePoint3d&, VqGeImpPointOnCurve3d&,
                                       const VqGeTol&) const {}

VqGePoint3d VqGeImpCurve3d::projClosestPointTo(const VqGeImpCurve3d& crv, const VqGeVector3d& dir,
                                               VqGePoint3d& pntOnOther, const VqGeTol& tol) const {
    VqGeImpPointOnCurve3d onThis(this), onOther(&crv);
    getProjClosestPointTo(crv, dir, onThis, onOther, tol);
    pntOnOther = onOther.point();
    return onThis.point();
}

VqGePoint3d VqGeImpCurve3d::projClosestPointTo(const VqGePoint3d& pnt, const VqGeVector3d& dir,
                                               const VqGeTol& tol) const {
    VqGeImpPointOnCurve3d onThis(this);
    getProjClosestPointTo(pnt, dir, onThis, tol);
    return onThis.point();
}

void VqGeImpCurve3d::getProjClosestPointTo(const VqGeImpCurve3d&, const VqGeVector3d&,
                                           VqGeImpPointOnCurve3d&, VqGeImpPointOnCurve3d&,
                                           const VqGeTol&) const {}

void VqGeImpCurve3d::getProjClosestPointTo(const VqGePoint3d&, const VqGeVector3d&,
                                           VqGeImpPointOnCurve3d&, const VqGeTol&) const {}

int VqGeImpCurve3d::getNormalPoint(const VqGePoint3d&, VqGeImpPointOnCurve3d&,
                                   const VqGeTol&) const {
    return 0;
}

VqGeImpEntity3d* VqGeImpCurve3d::exactOffset(double, const VqGeVector3d&, VqArray<double>*,
                                             VqArray<double>*, VqGe::OffsetCrvExtType,
                                             const VqGeTol&) const {
    return nullptr;
}

VqGe::PointContainment VqGeImpCurve3d::contains(const VqGePoint3d&, int&, const VqGeTol&) const {
    return VqGe::kOutside;
}

int VqGeImpCurve3d::isCounterClock() const { return 0; }

int VqGeImpCurve3d::isPlanar(VqGeImpPlanarEnt&, const VqGeTol&) const { return 0; }

int VqGeImpCurve3d::isLinear(VqGeImpLinearEnt3d&, const VqGeTol&) const { return 0; }

double VqGeImpCurve3d::length(double, double, double) const { return 0.0; }

double VqGeImpCurve3d::paramAtLength(double fromParam, double, int, double) const {
    return fromParam;
}

int VqGeImpCurve3d::area(double, double, double&, const VqGeTol&) const { return 0; }

int VqGeImpCurve3d::reverseProject(const VqGeImpPointOnCurve3d&, const VqGeImpPlanarEnt&,
                                   const VqGeVector3d&, VqGeImpPointOnCurve3d&,
                                   const VqGeTol&) const {
    return 0;
}

int VqGeImpCurve3d::intersectWith(const VqGeImpInterval&, const VqGeImpInterval&,
                                  const VqGeVector3d&, VqGeCurveIntData& data,
                                  const VqGeTol&) const {
    data.reset();
    return 0;
}

int VqGeImpCurve3d::intersectWith(const VqGeImpCurve3d&, const VqGeVector3d&,
                                  VqGeCurveIntData& data, const VqGeTol&) const {
    data.reset();
    return 0;
}

int VqGeImpCurve3d::intersectSelf(VqGeCurveIntData& data, const VqGeVector3d&, double,
                                  const VqGeTol&) const {
    data.reset();
    return 0;
}

int VqGeImpCurve3d::unboundedOverlap(const VqGeImpCurve3d&, int&, const VqGeTol&) const {
    return 0;
}

int VqGeImpCurve3d::getSamplePoints(double, double, double, VqGeImpPointOnCurve3d&,
                                    VqArray<VqGePoint3d>&, VqArray<double>&,
                                    VqArray<VqGeVector3d>*, VqArray<VqGeVector3d>*) const {
    return 0;
}
