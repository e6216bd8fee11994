// Surface base: identity, equality, normal sense, and the generic algorithms that work for any
// surface through its closest-point, parameter and evaluation slots.
#include "surfaces/imp_surface.h"

#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "entity/extension_loader.h"
#include "surfaces/imp_point_on_surface.h"
#include "vqge_matrix3d.h"

VqGeImpSurface::~VqGeImpSurface() {}

int VqGeImpSurface::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == VqGe::kSurface) return 1;
    return VqGeImpEntity3d::isKindOf(id, isPublic);
}

int VqGeImpSurface::isEqualTo(const VqGeImpEntity3d& other, const VqGeTol&) const {
    if (&other == this) return 1;
    if (other.type(1) != type(1) || !other.isKindOf(VqGe::kSurface, 0)) return 0;
    const VqGeImpSurface& srf = static_cast<const VqGeImpSurface&>(other);
    if (srf.isNormalReversed() != isNormalReversed()) return 0;
    VqGeImpInterval u1, v1, u2, v2;
    getEnvelope(u1, v1);
    srf.getEnvelope(u2, v2);
    return u1 == u2 && v1 == v2;
}

VqGeImpSurface& VqGeImpSurface::transformBy(const VqGeMatrix3d& mat) {
    if (mat.det() < 0.0) toggleNormalReversed();
    return *this;
}

VqGeImpSurface& VqGeImpSurface::reverseNormal() {
    toggleNormalReversed();
    notifyModified();
    return *this;
}

int VqGeImpSurface::isOn(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    VqGePoint2d param;
    return isOn(pnt, param, tol);
}

int VqGeImpSurface::isOn(const VqGePoint3d& pnt, VqGePoint2d& param, const VqGeTol& tol) const {
    param = paramOf(pnt, tol);
    return evalPoint(param).isEqualTo(pnt, tol) && isWithinEnvelope(param, tol);
}

VqGePoint2d VqGeImpSurface::paramOf(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    VqGeImpPointOnSurface pos(this);
    getClosestPointTo(pnt, pos, tol);
    return pos.parameter();
}

VqGePoint3d VqGeImpSurface::closestPointTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    VqGeImpPointOnSurface pos(this);
    getClosestPointTo(pnt, pos, tol);
    return pos.point();
}

VqGePoint3d VqGeImpSurface::closestPointTo(const VqGeImpCurve3d& crv, VqGePoint3d& pntOnCrv,
                                           const VqGeTol& tol) const {
    VqGeImpPointOnCurve3d poc(&crv);
    VqGeImpPointOnSurface pos(this);
    getClosestPointTo(crv, poc, pos, tol);
    pntOnCrv = poc.point();
    return pos.point();
}

VqGePoint3d VqGeImpSurface::closestPointTo(const VqGeImpSurface& srf, VqGePoint3d& pntOnOther,
                                           const VqGeTol& tol) const {
    VqGeImpPointOnSurface onOther(&srf), onThis(this);
    getClosestPointTo(srf, onOther, onThis, tol);
    pntOnOther = onOther.point();
    return onThis.point();
}

void VqGeImpSurface::getClosestPointTo(const VqGeImpSurface&, VqGeImpPointOnSurface&,
                                       VqGeImpPointOnSurface&, const VqGeTol&) const {}

void VqGeImpSurface::getClosestPointTo(const VqGeImpCurve3d&, VqGeImpPointOnCurve3d&,
                                       VqGeImpPointOnSurface&, const VqGeTol&) const {}

void VqGeImpSurface::getClosestPointTo(const VqGePoint3d&, VqGeImpPointOnSurface&,
                                       const VqGeTol&) const {}

double VqGeImpSurface::distanceTo(const VqGeImpSurface& srf, const VqGeTol& tol) const {
    VqGePoint3d other;
    return closestPointTo(srf, other, tol).distanceTo(other);
}

double VqGeImpSurface::distanceTo(const VqGeImpCurve3d& crv, const VqGeTol& tol) const {
    VqGePoint3d onCrv;
    return closestPointTo(crv, onCrv, tol).distanceTo(onCrv);
}

double VqGeImpSurface::distanceTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return closestPointTo(pnt, tol).distanceTo(pnt);
}

namespace {
void deleteCurves(VqGeImpCurve3d* curves[4]) {
    for (int i = 0; i < 4; ++i) {
        delete curves[i];
        curves[i] = nullptr;
    }
}
}  // namespace

VqGePoint3d VqGeImpSurface::closestPointToBoundary(const VqGePoint3d& pnt,
                                                   const VqGeTol& tol) const {
    VqGeImpCurve3d* curves[4] = {nullptr, nullptr, nullptr, nullptr};
    boundary(curves);
    const VqGePoint3d result = closestPointToBoundary(pnt, curves, tol);
    deleteCurves(curves);
    return result;
}

VqGePoint3d VqGeImpSurface::closestCurveToBoundary(const VqGeImpCurve3d& crv,
                                                   VqGePoint3d& pntOnCrv,
                                                   const VqGeTol& tol) const {
    VqGeImpCurve3d* curves[4] = {nullptr, nullptr, nullptr, nullptr};
    boundary(curves);
    const VqGePoint3d result = closestCurveToBoundary(crv, curves, pntOnCrv, tol);
    deleteCurves(curves);
    return result;
}

// Without any edge the point itself is the answer: there is nothing closer to offer.
VqGePoint3d VqGeImpSurface::closestPointToBoundary(const VqGePoint3d& pnt,
                                                   VqGeImpCurve3d* const curves[4],
                                                   const VqGeTol& tol) const {
    VqGePoint3d best = pnt;
    double bestDist = 0.0;
    int found = 0;
    for (int i = 0; i < 4; ++i) {
        if (!curves[i]) continue;
        const VqGePoint3d q = curves[i]->closestPointTo(pnt, tol);
        const double d = q.distanceTo(pnt);
        if (!found || d < bestDist) {
            best = q;
            bestDist = d;
            found = 1;
        }
    }
    return best;
}

// Without any edge the curve point stays as given and is also the answer.
VqGePoint3d VqGeImpSurface::closestCurveToBoundary(const VqGeImpCurve3d& crv,
                                                   VqGeImpCurve3d* const curves[4],
                                                   VqGePoint3d& pntOnCrv,
                                                   const VqGeTol& tol) const {
    VqGePoint3d bestOnCrv = pntOnCrv, bestOnEdge = pntOnCrv;
    double bestDist = 0.0;
    int found = 0;
    for (int i = 0; i < 4; ++i) {
        if (!curves[i]) continue;
        VqGePoint3d e;
        const VqGePoint3d c = crv.closestPointTo(*curves[i], e, tol);
        const double d = c.distanceTo(e);
        if (!found || d < bestDist) {
            bestOnCrv = c;
            bestOnEdge = e;
            bestDist = d;
            found = 1;
        }
        if (c.isEqualTo(e, tol)) break;
    }
    pntOnCrv = bestOnCrv;
    return bestOnEdge;
}

int VqGeImpSurface::isWithinEnvelope(double u, double v, const VqGeTol& tol) const {
    VqGeImpInterval iu, iv;
    getEnvelope(iu, iv);
    double cu = u, cv = v;
    if (iu.isBoundedBelow() && cu < iu.lowerBound()) cu = iu.lowerBound();
    if (iu.isBoundedAbove() && cu > iu.upperBound()) cu = iu.upperBound();
    if (iv.isBoundedBelow() && cv < iv.lowerBound()) cv = iv.lowerBound();
    if (iv.isBoundedAbove() && cv > iv.upperBound()) cv = iv.upperBound();
    if (cu == u && cv == v) return 1;
    return evalPoint(VqGePoint2d(cu, cv)).isEqualTo(evalPoint(VqGePoint2d(u, v)), tol);
}

int VqGeImpSurface::isClosedInU(const VqGeTol& tol) const { return isClosedIn(1, tol); }

int VqGeImpSurface::isClosedInV(const VqGeTol& tol) const { return isClosedIn(0, tol); }

// Two off-centre sample lines across the other parameter, so that a symmetric surface does not
// pass by accident at its middle.
int VqGeImpSurface::isClosedIn(int alongU, const VqGeTol& tol) const {
    VqGeImpInterval iu, iv;
    getEnvelope(iu, iv);
    const VqGeImpInterval& own = alongU ? iu : iv;
    const VqGeImpInterval& cross = alongU ? iv : iu;
    if (!own.isBounded()) return 0;
    double lo = -100.0, hi = 100.0;
    if (cross.isBounded()) {
        lo = cross.lowerBound();
        hi = cross.upperBound();
    } else if (cross.isBoundedBelow()) {
        lo = cross.lowerBound();
        hi = lo + 100.0;
    } else if (cross.isBoundedAbove()) {
        hi = cross.upperBound();
        lo = hi - 100.0;
    }
    const double a = 0.37483625142309 * lo + 0.6251637485769099 * hi;
    const double b = 0.6251637485769099 * lo + 0.37483625142309 * hi;
    const double s0 = own.lowerBound(), s1 = own.upperBound();
    const double across[2] = {a, b};
    for (double c : across) {
        const VqGePoint2d p0 = alongU ? VqGePoint2d(s0, c) : VqGePoint2d(c, s0);
        const VqGePoint2d p1 = alongU ? VqGePoint2d(s1, c) : VqGePoint2d(c, s1);
        if (!evalPoint(p0).isEqualTo(evalPoint(p1), tol)) return 0;
    }
    return 1;
}

void VqGeImpSurface::setPoint(VqGeImpPointOnSurface& pos, const VqGePoint2d& param,
                              const VqGePoint3d& pnt) const {
    pos.setSurface(this);
    pos.setPoint(param, pnt);
}

void VqGeImpSurface::deleteExternalEntity(void* ext) { VqGeExtLib::deleteExternalSurface(ext); }
