// Planar entity: closest points to other planar entities, to curves and to other surfaces.
#include <cmath>

#include "curves/imp_curve3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "surfaces/imp_planar_ent.h"
#include "surfaces/imp_point_on_surface.h"
#include "vqge_util.h"

namespace {
void deleteCurves(VqGeImpCurve3d* curves[4]) {
    for (int i = 0; i < 4; ++i) {
        delete curves[i];
        curves[i] = nullptr;
    }
}

// The foot of pnt on the plane taken without bounds.
VqGePoint3d footOn(const VqGeImpPlanarEnt& pln, const VqGePoint3d& pnt) {
    return pnt - pln.normal() * pln.signedDistanceTo(pnt);
}
}  // namespace

VqGePoint3d VqGeImpPlanarEnt::closestPntPlanarEnt(const VqGeImpPlanarEnt& other,
                                                  VqGePoint3d& pntOnOther,
                                                  const VqGeTol& tol) const {
    const int thisBounded = isBounded(), otherBounded = other.isBounded();
    const int parallel = isParallelTo(other, tol);
    if (thisBounded && (otherBounded || !parallel)) {
        VqGePoint3d bestThis = mOrigin, bestOther = other.closestPointTo(mOrigin, tol);
        double bestDist = 0.0;
        int found = 0;
        VqGeImpCurve3d* edges[4] = {nullptr, nullptr, nullptr, nullptr};
        boundary(edges);
        for (int i = 0; i < 4; ++i) {
            if (!edges[i]) continue;
            VqGePoint3d onEdge;
            const VqGePoint3d onOther = other.closestPointTo(*edges[i], onEdge, tol);
            const double d = onEdge.distanceTo(onOther);
            if (!found || d < bestDist) {
                bestThis = onEdge;
                bestOther = onOther;
                bestDist = d;
                found = 1;
            }
        }
        deleteCurves(edges);
        if (otherBounded) {
            other.boundary(edges);
            for (int i = 0; i < 4; ++i) {
                if (!edges[i]) continue;
                VqGePoint3d onEdge;
                const VqGePoint3d onThis = closestPointTo(*edges[i], onEdge, tol);
                const double d = onEdge.distanceTo(onThis);
                if (!found || d < bestDist) {
                    bestThis = onThis;
                    bestOther = onEdge;
                    bestDist = d;
                    found = 1;
                }
            }
            deleteCurves(edges);
        }
        pntOnOther = bestOther;
        return bestThis;
    }
    if (thisBounded) {
        pntOnOther = other.closestPointTo(mOrigin, tol);
        return mOrigin;
    }
    if (parallel) {
        pntOnOther = other.mOrigin;
        return closestPointTo(other.mOrigin, tol);
    }
    if (otherBounded) {
        VqGePoint3d onThis;
        pntOnOther = other.closestPntPlanarEnt(*this, onThis, tol);
        return onThis;
    }
    VqGeImpLinearEnt3d line;
    intersectWith(other, line, tol);
    pntOnOther = line.pointOnLine();
    return pntOnOther;
}

VqGePoint3d VqGeImpPlanarEnt::closestToLinear(const VqGeImpLinearEnt3d& line,
                                              VqGePoint3d& pntOnLine, const VqGeTol& tol) const {
    VqGePoint3d hit;
    if (intersectWith(line, hit, tol)) {
        pntOnLine = hit;
        return hit;
    }
    const VqGeImpInterval& range = line.interval();
    if (range.isUnBounded() && !isBounded()) {
        pntOnLine = line.pointOnLine();
        return closestPointTo(pntOnLine, tol);
    }
    VqGePoint3d best = mOrigin, bestOnLine = line.pointOnLine();
    double bestDist = 0.0;
    int found = 0;
    if (isBounded()) {
        best = closestCurveToBoundary(line, bestOnLine, tol);
        bestDist = best.distanceTo(bestOnLine);
        found = 1;
    }
    int firstEnd = 1;
    for (int end = 0; end < 2; ++end) {
        const int present = end == 0 ? range.isBoundedBelow() : range.isBoundedAbove();
        if (!present) continue;
        const VqGePoint3d e = end == 0 ? line.startPoint() : line.endPoint();
        const VqGePoint3d proj = footOn(*this, e);
        if (isWithinBounds(proj, tol)) {
            const double d = proj.distanceTo(e);
            if ((!isBounded() && firstEnd) || !found || d < bestDist) {
                best = proj;
                bestOnLine = e;
                bestDist = d;
                found = 1;
            }
        }
        firstEnd = 0;
    }
    if (!found) {
        bestOnLine = line.pointOnLine();
        best = closestPointTo(bestOnLine, tol);
    }
    pntOnLine = bestOnLine;
    return best;
}

VqGePoint3d VqGeImpPlanarEnt::closestToArc(const VqGeImpCurve3d& arc, VqGePoint3d& pntOnArc,
                                           const VqGeTol& tol) const {
    VqGeImpPlanarEnt arcPlane;
    if (!arc.isPlanar(arcPlane, tol)) return closestToCurve(arc, pntOnArc, tol);
    if (isParallelTo(arcPlane, tol)) {
        if (isBounded()) return closestCurveToBoundary(arc, pntOnArc, tol);
        VqGeImpInterval range;
        arc.getInterval(range, 0, 0);
        VqGeImpPointOnCurve3d at(&arc, range.element());
        pntOnArc = at.point();
        return footOn(*this, pntOnArc);
    }
    VqGeImpLinearEnt3d common;
    if (!unboundedCopy().intersectWith(arcPlane.unboundedCopy(), common, tol))
        return closestToCurve(arc, pntOnArc, tol);
    VqGePoint3d onArc;
    common.closestPointTo(arc, onArc, tol);
    const VqGePoint3d proj = footOn(*this, onArc);
    if (isWithinBounds(proj, tol)) {
        pntOnArc = onArc;
        return proj;
    }
    return closestCurveToBoundary(arc, pntOnArc, tol);
}

namespace {
// Finite stand-ins for unbounded sides of a curve searched by sampling.
const double kOpenSpan = 100.0;
const int kSamples = 64;
const int kRefineSteps = 80;
}  // namespace

// Any other curve: samples of the distance from the curve to this plane over the curve's
// interval, the best sample refined by a golden-section search between its neighbours. The
// result is the point on the plane; the curve point goes out.
VqGePoint3d VqGeImpPlanarEnt::closestToCurve(const VqGeImpCurve3d& crv, VqGePoint3d& pntOnCrv,
                                             const VqGeTol& tol) const {
    VqGeImpInterval range;
    crv.getInterval(range, 0, 0);
    double lo = -kOpenSpan, hi = kOpenSpan;
    if (range.isBounded()) {
        lo = range.lowerBound();
        hi = range.upperBound();
    } else if (range.isBoundedBelow()) {
        lo = range.lowerBound();
        hi = lo + kOpenSpan;
    } else if (range.isBoundedAbove()) {
        hi = range.upperBound();
        lo = hi - kOpenSpan;
    }
    VqGeImpPointOnCurve3d at(&crv);
    auto dist = [&](double t) {
        const VqGePoint3d c = at.point(t);
        return closestPointTo(c, tol).distanceTo(c);
    };
    int best = 0;
    double bestDist = 0.0;
    const double step = (hi - lo) / kSamples;
    for (int i = 0; i <= kSamples; ++i) {
        const double d = dist(lo + i * step);
        if (i == 0 || d < bestDist) {
            best = i;
            bestDist = d;
        }
    }
    double a = lo + (best > 0 ? best - 1 : 0) * step;
    double b = lo + (best < kSamples ? best + 1 : kSamples) * step;
    const double g = 0.5 * (std::sqrt(5.0) - 1.0);
    double x1 = b - g * (b - a), x2 = a + g * (b - a);
    double f1 = dist(x1), f2 = dist(x2);
    for (int i = 0; i < kRefineSteps && b - a > 1e-15 * (1.0 + std::fabs(a)); ++i) {
        if (VqGeUtil::gBreakFunc && VqGeUtil::gBreakFunc()) break;
        if (f1 < f2) {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = b - g * (b - a);
            f1 = dist(x1);
        } else {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = a + g * (b - a);
            f2 = dist(x2);
        }
    }
    double t = f1 < f2 ? x1 : x2;
    if (bestDist <= (f1 < f2 ? f1 : f2)) t = lo + best * step;
    pntOnCrv = at.point(t);
    return closestPointTo(pntOnCrv, tol);
}

VqGePoint3d VqGeImpPlanarEnt::closestPointTo(const VqGeImpCurve3d& crv, VqGePoint3d& pntOnCrv,
                                             const VqGeTol& tol) const {
    if (crv.isKindOf(VqGe::kLinearEnt3d, 0))
        return closestToLinear(static_cast<const VqGeImpLinearEnt3d&>(crv), pntOnCrv, tol);
    if (crv.isKindOf(VqGe::kEllipArc3d, 0)) return closestToArc(crv, pntOnCrv, tol);
    return closestToCurve(crv, pntOnCrv, tol);
}

VqGePoint3d VqGeImpPlanarEnt::closestPointTo(const VqGeImpSurface& srf, VqGePoint3d& pntOnOther,
                                             const VqGeTol& tol) const {
    if (srf.isKindOf(VqGe::kPlanarEnt, 0))
        return closestPntPlanarEnt(static_cast<const VqGeImpPlanarEnt&>(srf), pntOnOther, tol);
    return VqGeImpSurface::closestPointTo(srf, pntOnOther, tol);
}

void VqGeImpPlanarEnt::getClosestPointTo(const VqGeImpCurve3d& crv,
                                         VqGeImpPointOnCurve3d& pntOnCrv,
                                         VqGeImpPointOnSurface& pntOnThis,
                                         const VqGeTol& tol) const {
    VqGePoint3d onCrv;
    const VqGePoint3d onThis = closestPointTo(crv, onCrv, tol);
    pntOnCrv.setCurve(&crv);
    VqGeImpCurve3d::setPoint(pntOnCrv, crv.paramOf(onCrv, tol), onCrv);
    setPoint(pntOnThis, paramOf(onThis, tol), onThis);
}

// Another planar entity is answered here; any other surface kind knows planes better than a
// plane knows it, so it is asked with the roles exchanged.
void VqGeImpPlanarEnt::getClosestPointTo(const VqGeImpSurface& srf,
                                         VqGeImpPointOnSurface& pntOnOther,
                                         VqGeImpPointOnSurface& pntOnThis,
                                         const VqGeTol& tol) const {
    if (!srf.isKindOf(VqGe::kPlanarEnt, 0)) {
        srf.getClosestPointTo(*this, pntOnThis, pntOnOther, tol);
        return;
    }
    const VqGeImpPlanarEnt& pln = static_cast<const VqGeImpPlanarEnt&>(srf);
    VqGePoint3d onOther;
    const VqGePoint3d onThis = closestPntPlanarEnt(pln, onOther, tol);
    pln.setPoint(pntOnOther, pln.paramOf(onOther, tol), onOther);
    setPoint(pntOnThis, paramOf(onThis, tol), onThis);
}
