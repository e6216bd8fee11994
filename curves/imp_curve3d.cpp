// Base behaviour of the curve interface: interval ends, parameter and point tests, distances
// through the closest-point slots, and evaluation through a point on the curve.
#include "curves/imp_curve3d.h"

#include "curves/imp_bound_block3d.h"

#include "curves/imp_point_on_curve3d.h"
#include "entity/extension_loader.h"
#include "vqge_curveintdata.h"
#include "vqge_pointoncurvedata.h"

VqGeImpCurve3d::~VqGeImpCurve3d() {}

int VqGeImpCurve3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == (servesAs2d(isPublic) ? VqGe::kCurve2d : VqGe::kCurve3d)) return 1;
    return VqGeImpEntity3d::isKindOf(id, isPublic);
}

int VqGeImpCurve3d::isOn(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    double param;
    return isOn(pnt, param, tol);
}

void VqGeImpCurve3d::getInterval(VqGeImpInterval& intrvl, VqGePoint3d& start,
                                 VqGePoint3d& end) const {
    getInterval(intrvl, 0, 0);
    VqGeImpCurve3d* self = const_cast<VqGeImpCurve3d*>(this);  // evaluation leaves it as is
    if (intrvl.isBoundedBelow()) start = self->evalPoint(intrvl.lowerBound());
    if (intrvl.isBoundedAbove()) end = self->evalPoint(intrvl.upperBound());
    if (intrvl.isBoundedBelow() && !intrvl.isBoundedAbove()) end = start;
    if (intrvl.isBoundedAbove() && !intrvl.isBoundedBelow()) start = end;
}

int VqGeImpCurve3d::hasStartPoint(VqGePoint3d& pnt) const {
    VqGeImpInterval intrvl;
    VqGePoint3d end;
    getInterval(intrvl, pnt, end);
    return intrvl.isBoundedBelow();
}

int VqGeImpCurve3d::hasEndPoint(VqGePoint3d& pnt) const {
    VqGeImpInterval intrvl;
    VqGePoint3d start;
    getInterval(intrvl, start, pnt);
    return intrvl.isBoundedAbove();
}

double VqGeImpCurve3d::distanceTo(const VqGeImpSurface& srf, const VqGeTol& tol) const {
    VqGePoint3d onSrf;
    return closestPointTo(srf, onSrf, tol).distanceTo(onSrf);
}

double VqGeImpCurve3d::distanceTo(const VqGeImpCurve3d& crv, const VqGeTol& tol) const {
    VqGePoint3d onOther;
    return closestPointTo(crv, onOther, tol).distanceTo(onOther);
}

double VqGeImpCurve3d::distanceTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return closestPointTo(pnt, tol).distanceTo(pnt);
}

VqGePoint3d VqGeImpCurve3d::closestPointTo(const VqGeImpCurve3d& crv, VqGePoint3d& pntOnOther,
                                           const VqGeTol& tol) const {
    VqGeImpPointOnCurve3d onThis(this), onOther(&crv);
    getClosestPointTo(crv, onThis, onOther, tol);
    pntOnOther = onOther.point();
    return onThis.point();
}

VqGePoint3d VqGeImpCurve3d::closestPointTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    VqGeImpPointOnCurve3d work(this);
    getClosestPointTo(pnt, work, tol);
    return work.point();
}

int VqGeImpCurve3d::isOn(double param, const VqGeTol& tol) const {
    VqGeImpInterval intrvl;
    getInterval(intrvl, 0, 0);
    if (intrvl.contains(param)) return 1;
    VqGePoint3d start, end;
    const VqGePoint3d pnt = const_cast<VqGeImpCurve3d*>(this)->evalPoint(param);
    if (hasStartPoint(start) && pnt.isEqualTo(start, tol)) return 1;
    return hasEndPoint(end) && pnt.isEqualTo(end, tol);
}

int VqGeImpCurve3d::isOn(const VqGePoint3d& pnt, double& param, const VqGeTol& tol) const {
    VqGeImpPointOnCurve3d work(this);
    getClosestPointTo(pnt, work, tol);
    param = work.parameter();
    return work.point().isEqualTo(pnt, tol);
}

double VqGeImpCurve3d::paramOf(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    VqGeImpPointOnCurve3d work(this);
    getClosestPointTo(pnt, work, tol);
    return work.parameter();
}

int VqGeImpCurve3d::isClosed(const VqGeTol& tol) const {
    VqGeImpInterval intrvl;
    VqGePoint3d start, end;
    getInterval(intrvl, start, end);
    return intrvl.isBounded() && start.isEqualTo(end, tol);
}

VqGeImpEntity3d* VqGeImpCurve3d::project(const VqGeImpPlanarEnt&, const VqGeVector3d&,
                                         const VqGeTol&) const {
    return nullptr;
}

const VqGeImpCurve3d* VqGeImpCurve3d::offsetBaseCurve() const { return nullptr; }

// A curve that does not split into simpler curves.
int VqGeImpCurve3d::explode(VqArray<void*>& curves, VqArray<int>& isNew,
                            const VqGeImpInterval*) const {
    curves.removeAll();
    isNew.removeAll();
    return 0;
}

int VqGeImpCurve3d::isWithinBounds(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return isOn(pnt, tol);
}

VqGePoint3d VqGeImpCurve3d::evalPoint(double param, int numDeriv,
                                      VqArray<VqGeVector3d>& derivs) {
    VqGeImpPointOnCurve3d work(this, param);
    derivs.removeAll();
    for (int k = 1; k <= numDeriv && k <= VqGePointOnCurve3dData::kMaxDeriv; ++k)
        derivs.append(work.deriv(k));
    return work.point();
}

VqGePoint3d VqGeImpCurve3d::evalPoint(double param) {
    VqArray<VqGeVector3d> none;
    return evalPoint(param, 0, none);
}

namespace {
// Smallest power-of-two multiple of 1e-20 that moves param.
double sideStep(double param, double sign) {
    double h = 1e-20;
    while (param + sign * h == param) h *= 2.0;
    return h;
}
}  // namespace

VqGePoint3d VqGeImpCurve3d::evalPointOnLeft(double param, int numDeriv,
                                            VqArray<VqGeVector3d>& derivs) {
    return evalPoint(param - sideStep(param, -1.0), numDeriv, derivs);
}

VqGePoint3d VqGeImpCurve3d::evalPointOnRight(double param, int numDeriv,
                                             VqArray<VqGeVector3d>& derivs) {
    return evalPoint(param + sideStep(param, 1.0), numDeriv, derivs);
}

void VqGeImpCurve3d::setPoint(VqGeImpPointOnCurve3d& pntOnCrv, double param,
                              const VqGePoint3d& pnt) {
    pntOnCrv.setPoint(param, pnt);
}

VqGeEvaluatorDataCurve* VqGeImpCurve3d::curveEvalData(const VqGeImpPointOnCurve3d& pntOnCrv) {
    return pntOnCrv.data().evalData();
}

void VqGeImpCurve3d::deleteExternalEntity(void* ext) { VqGeExtLib::deleteExternalCurve(ext); }

// An unbounded side is replaced by a range of 1000 from the bounded one (or [-1000, 1000]).
void VqGeImpCurve3d::getSamplePoints(int numSample, VqArray<VqGePoint3d>& points) const {
    points.removeAll();
    if (numSample <= 0) return;
    VqGeImpInterval intrvl;
    getInterval(intrvl, 0, 0);
    double lo = -1000.0, hi = 1000.0;
    if (intrvl.isBounded()) {
        lo = intrvl.lowerBound();
        hi = intrvl.upperBound();
    } else if (intrvl.isBoundedBelow()) {
        lo = intrvl.lowerBound();
        hi = lo + 1000.0;
    } else if (intrvl.isBoundedAbove()) {
        hi = intrvl.upperBound();
        lo = hi - 1000.0;
    }
    double period;
    const int count = isPeriodic(period, 0) && numSample > 1 ? numSample - 1 : numSample;
    const double step = numSample > 1 ? (hi - lo) / (numSample - 1) : 0.0;
    VqGeImpCurve3d* self = const_cast<VqGeImpCurve3d*>(this);  // evaluation leaves it as is
    // One allocation for the whole output rather than one per grow length.
    if (count > 0 && points.length() + count > points.physicalLength())
        points.setPhysicalLength(points.length() + count);
    for (int i = 0; i < count; ++i) points.append(self->evalPoint(lo + i * step));
}
