// Public surface: forwarding to the surface implementation object.
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "surfaces/imp_point_on_surface.h"
#include "surfaces/imp_surface.h"
#include "vqge_curve3d.h"
#include "vqge_pointoncurve3d.h"
#include "vqge_pointonsurface.h"
#include "vqge_surface.h"

VqGeSurface::VqGeSurface(VqGeImpSurface* imp) : VqGeEntity3d(imp) {}

VqGeSurface::VqGeSurface(VqGeImpSurface& imp, int borrow) : VqGeEntity3d(imp, borrow) {}

VqGeImpSurface* VqGeSurface::impSurface() const { return static_cast<VqGeImpSurface*>(mImp); }

VqGePoint2d VqGeSurface::paramOf(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return impSurface() ? impSurface()->paramOf(pnt, tol) : VqGePoint2d();
}

int VqGeSurface::isOn(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return impSurface() ? impSurface()->isOn(pnt, tol) : 0;
}

int VqGeSurface::isOn(const VqGePoint3d& pnt, VqGePoint2d& paramPoint,
                      const VqGeTol& tol) const {
    return impSurface() ? impSurface()->isOn(pnt, paramPoint, tol) : 0;
}

VqGePoint3d VqGeSurface::closestPointTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return impSurface() ? impSurface()->closestPointTo(pnt, tol) : VqGePoint3d();
}

VqGePoint3d VqGeSurface::closestPointTo(const VqGeCurve3d& crv, VqGePoint3d& pntOnCrv,
                                        const VqGeTol& tol) const {
    if (!impSurface() || !crv.impCurve()) return VqGePoint3d();
    return impSurface()->closestPointTo(*crv.impCurve(), pntOnCrv, tol);
}

VqGePoint3d VqGeSurface::closestPointTo(const VqGeSurface& srf, VqGePoint3d& pntOnOther,
                                        const VqGeTol& tol) const {
    if (!impSurface() || !srf.impSurface()) return VqGePoint3d();
    return impSurface()->closestPointTo(*srf.impSurface(), pntOnOther, tol);
}

void VqGeSurface::getClosestPointTo(const VqGePoint3d& pnt, VqGePointOnSurface& result,
                                    const VqGeTol& tol) const {
    if (impSurface() && result.impPointOnSurface())
        impSurface()->getClosestPointTo(pnt, *result.impPointOnSurface(), tol);
}

void VqGeSurface::getClosestPointTo(const VqGeCurve3d& crv, VqGePointOnCurve3d& pntOnCrv,
                                    VqGePointOnSurface& pntOnThis, const VqGeTol& tol) const {
    if (impSurface() && crv.impCurve() && pntOnCrv.impPointOnCurve() &&
        pntOnThis.impPointOnSurface())
        impSurface()->getClosestPointTo(*crv.impCurve(), *pntOnCrv.impPointOnCurve(),
                                        *pntOnThis.impPointOnSurface(), tol);
}

void VqGeSurface::getClosestPointTo(const VqGeSurface& srf, VqGePointOnSurface& pntOnOther,
                                    VqGePointOnSurface& pntOnThis, const VqGeTol& tol) const {
    if (impSurface() && srf.impSurface() && pntOnOther.impPointOnSurface() &&
        pntOnThis.impPointOnSurface())
        impSurface()->getClosestPointTo(*srf.impSurface(), *pntOnOther.impPointOnSurface(),
                                        *pntOnThis.impPointOnSurface(), tol);
}

double VqGeSurface::distanceTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return impSurface() ? impSurface()->distanceTo(pnt, tol) : 0.0;
}

double VqGeSurface::distanceTo(const VqGeCurve3d& crv, const VqGeTol& tol) const {
    return impSurface() && crv.impCurve() ? impSurface()->distanceTo(*crv.impCurve(), tol) : 0.0;
}

double VqGeSurface::distanceTo(const VqGeSurface& srf, const VqGeTol& tol) const {
    return impSurface() && srf.impSurface() ? impSurface()->distanceTo(*srf.impSurface(), tol)
                                            : 0.0;
}

int VqGeSurface::isNormalReversed() const {
    return impSurface() ? impSurface()->isNormalReversed() : 0;
}

VqGeSurface& VqGeSurface::reverseNormal() {
    if (impSurface()) impSurface()->reverseNormal();
    return *this;
}

void VqGeSurface::getEnvelope(VqGeInterval& intrvlX, VqGeInterval& intrvlY) const {
    if (impSurface())
        impSurface()->getEnvelope(*VqGeImpInterval::impInterval(intrvlX),
                                  *VqGeImpInterval::impInterval(intrvlY));
}

int VqGeSurface::isClosedInU(const VqGeTol& tol) const {
    return impSurface() ? impSurface()->isClosedInU(tol) : 0;
}

int VqGeSurface::isClosedInV(const VqGeTol& tol) const {
    return impSurface() ? impSurface()->isClosedInV(tol) : 0;
}

VqGePoint3d VqGeSurface::evalPoint(const VqGePoint2d& param) const {
    return impSurface() ? impSurface()->evalPoint(param) : VqGePoint3d();
}

VqGePoint3d VqGeSurface::evalPoint(const VqGePoint2d& param, int derivOrd,
                                   VqArray<VqGeVector3d>& derivatives) const {
    VqGeVector3d normal;
    return evalPoint(param, derivOrd, derivatives, normal);
}

// The record lives for this call only, so its cache goes with it.
VqGePoint3d VqGeSurface::evalPoint(const VqGePoint2d& param, int derivOrd,
                                   VqArray<VqGeVector3d>& derivatives,
                                   VqGeVector3d& normal) const {
    derivatives.setLogicalLength(0);
    if (!impSurface()) return VqGePoint3d();
    const int order = derivOrd < 0 ? 0 : (derivOrd > 2 ? 2 : derivOrd);
    VqGePointOnSurfaceData data;
    data.setParameter(param);
    impSurface()->evaluate(order, data, 1);
    for (int i = 1; i <= order; ++i) derivatives.append(data.uDeriv(i));
    for (int i = 1; i <= order; ++i) derivatives.append(data.vDeriv(i));
    if (order == 2) derivatives.append(data.mixedPartial());
    normal = impSurface()->evalNormal(data);
    delete data.evalData();
    return data.point();
}
