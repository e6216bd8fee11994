// Linear entity: clamped closest points, the closest pair of two linear entities and the
// closest points as seen along a direction.
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"

namespace {
// Tolerance for normalising the cut-plane normals of two nearly parallel lines.
VqGeTol tinyVectorTol() {
    VqGeTol tol;
    tol.setEqualVector(1e-60);
    return tol;
}

// Parameter where the unbounded line o + s d meets the plane through p with normal n.
double cutParam(const VqGePoint3d& o, const VqGeVector3d& d, const VqGePoint3d& p,
                const VqGeVector3d& n) {
    const double denom = d.dotProduct(n);
    return denom == 0.0 ? 0.0 : (p - o).dotProduct(n) / denom;
}
}  // namespace

double VqGeImpLinearEnt3d::closestParamTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    double t = 0.0;
    if (!mDirection.isZeroLength(tol))
        t = (pnt - mOrigin).dotProduct(mDirection) / mDirection.lengthSqrd();
    if (mInterval.isBoundedBelow() && t < mInterval.lowerBound()) t = mInterval.lowerBound();
    if (mInterval.isBoundedAbove() && t > mInterval.upperBound()) t = mInterval.upperBound();
    return t;
}

VqGePoint3d VqGeImpLinearEnt3d::closestPointTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return pointAt(closestParamTo(pnt, tol));
}

VqGePoint3d VqGeImpLinearEnt3d::closestPointTo(const VqGeImpCurve3d& crv, VqGePoint3d& pntOnOther,
                                               const VqGeTol& tol) const {
    if (crv.isKindOf(VqGe::kLinearEnt3d, 0))
        return closestPointToLine(static_cast<const VqGeImpLinearEnt3d&>(crv), pntOnOther, tol);
    VqGePoint3d onThis;
    pntOnOther = crv.closestPointTo(*this, onThis, tol);
    return onThis;
}

void VqGeImpLinearEnt3d::getClosestPointTo(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                                           const VqGeTol& tol) const {
    pntOnThis.setCurve(this);
    const double t = closestParamTo(pnt, tol);
    setPoint(pntOnThis, t, pointAt(t));
}

void VqGeImpLinearEnt3d::getClosestPointTo(const VqGeImpCurve3d& crv,
                                           VqGeImpPointOnCurve3d& pntOnThis,
                                           VqGeImpPointOnCurve3d& pntOnOther,
                                           const VqGeTol& tol) const {
    pntOnThis.setCurve(this);
    pntOnOther.setCurve(&crv);
    if (!crv.isKindOf(VqGe::kLinearEnt3d, 0)) {
        crv.getClosestPointTo(*this, pntOnOther, pntOnThis, tol);
        return;
    }
    const VqGeImpLinearEnt3d& other = static_cast<const VqGeImpLinearEnt3d&>(crv);
    VqGePoint3d onOther;
    const VqGePoint3d onThis = closestPointToLine(other, onOther, tol);
    setPoint(pntOnThis, paramOf(onThis, tol), onThis);
    setPoint(pntOnOther, other.paramOf(onOther, tol), onOther);
}

VqGePoint3d VqGeImpLinearEnt3d::closestPointToLine(const VqGeImpLinearEnt3d& other,
                                                   VqGePoint3d& pntOnOther,
                                                   const VqGeTol& tol) const {
    const VqGeVector3d& d1 = mDirection;
    const VqGeVector3d& d2 = other.mDirection;
    if (d1.isZeroLength(tol)) {
        pntOnOther = other.closestPointTo(mOrigin, tol);
        return mOrigin;
    }
    if (d2.isZeroLength(tol)) {
        pntOnOther = other.mOrigin;
        return closestPointTo(other.mOrigin, tol);
    }
    if (!d1.isParallelTo(d2, VqGeContext::gTol)) {
        const VqGeVector3d n = d1.crossProduct(d2);
        const VqGeTol tiny = tinyVectorTol();
        const VqGeVector3d m2 = d2.crossProduct(n).normal(tiny);
        const VqGeVector3d m1 = d1.crossProduct(n).normal(tiny);
        const VqGePoint3d q1 = pointAt(cutParam(mOrigin, d1, other.mOrigin, m2));
        const VqGePoint3d q2 = other.pointAt(cutParam(other.mOrigin, d2, mOrigin, m1));
        if (isWithinBounds(q1, VqGeContext::gTol) && other.isWithinBounds(q2, VqGeContext::gTol)) {
            pntOnOther = q2;
            return q1;
        }
    }
    VqGePoint3d p1, p2;
    double t1, t2;
    if (boundaryClosestPoints(other, p1, p2, t1, t2, tol)) {
        pntOnOther = p2;
        return p1;
    }
    pntOnOther = other.closestPointTo(mOrigin, VqGeContext::gTol);
    return mOrigin;
}

void VqGeImpLinearEnt3d::getProjClosestPointTo(const VqGePoint3d& pnt, const VqGeVector3d& dir,
                                               VqGeImpPointOnCurve3d& pntOnThis,
                                               const VqGeTol& tol) const {
    const VqGeImpLinearEnt3d sight(pnt, dir, 0, 0);
    VqGeImpPointOnCurve3d onSight(&sight);
    getClosestPointTo(sight, pntOnThis, onSight, tol);
}

int VqGeImpLinearEnt3d::getNormalPoint(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                                       const VqGeTol& tol) const {
    const double t = closestParamTo(pnt, tol);
    const VqGePoint3d q = pointAt(t);
    const VqGeVector3d off = pnt - q;
    if (!off.isZeroLength(tol) && !off.isPerpendicularTo(mDirection, tol)) return 0;
    pntOnThis.setCurve(this);
    setPoint(pntOnThis, t, q);
    return 1;
}

int VqGeImpLinearEnt3d::reverseProject(const VqGeImpPointOnCurve3d& projected,
                                       const VqGeImpPlanarEnt&, const VqGeVector3d&,
                                       VqGeImpPointOnCurve3d& result, const VqGeTol&) const {
    result.setCurve(this);
    result.setParameter(projected.parameter());
    return 1;
}
