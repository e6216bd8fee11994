// Linear entity: intersections with other linear entities (direct, projected, overlapping)
// and the double dispatch towards the other curve kinds. The pair itself is decided in
// imp_linear_ent3d_pair.cpp.
//
// Notation: o1, d1 origin and direction of this entity; o2, d2 of the other; w the
// projection direction.
#include "curves/imp_linear_ent3d.h"
#include "vqge_curveintdata.h"

int VqGeImpLinearEnt3d::intersectWith(const VqGeImpCurve3d& crv, const VqGeVector3d& projDir,
                                      VqGeCurveIntData& data, const VqGeTol& tol) const {
    data.reset();
    if (crv.isKindOf(VqGe::kLinearEnt3d, 0))
        return intersectLinear(static_cast<const VqGeImpLinearEnt3d&>(crv), projDir, data, tol);
    if (data.orderReversed()) return VqGeImpCurve3d::intersectWith(crv, projDir, data, tol);
    data.reverseOrder();
    const int result = crv.intersectWith(*this, projDir, data, tol);
    data.reverseOrder();
    return result;
}

int VqGeImpLinearEnt3d::unboundedOverlap(const VqGeImpCurve3d& crv, int& sameDirection,
                                         const VqGeTol& tol) const {
    if (!crv.isKindOf(VqGe::kLinearEnt3d, 0)) return 0;
    const VqGeImpLinearEnt3d& other = static_cast<const VqGeImpLinearEnt3d&>(crv);
    if (!mDirection.isParallelTo(other.mDirection, tol)) return 0;
    VqGeImpLinearEnt3d line;
    getLine(line);
    if (!line.isOn(other.mOrigin, tol)) return 0;
    sameDirection = mDirection.dotProduct(other.mDirection) > 0.0;
    return 1;
}

int VqGeImpLinearEnt3d::overlap(const VqGeImpLinearEnt3d& other, VqGeImpLinearEnt3d*& result,
                                const VqGeTol& tol) const {
    result = nullptr;
    VqGeCurveIntData data;
    if (!intersectLinear(other, VqGeVector3d(0, 0, 0), data, tol) || data.numOverlap() == 0)
        return 0;
    VqGeImpInterval range1, range2;
    VqGePoint3d start, end;
    int same;
    data.getOverlap(0, range1, range2, start, end, same);
    result = copy();
    if (!result) return 0;
    result->setInterval(range1, 1);
    return 1;
}

int VqGeImpLinearEnt3d::projIntersectWith(const VqGeImpLinearEnt3d& other,
                                          const VqGeVector3d& projDir, VqGePoint3d& pnt1,
                                          VqGePoint3d& pnt2, const VqGeTol& tol) const {
    const VqGeVector3d& d1 = mDirection;
    const VqGeVector3d& d2 = other.mDirection;
    if (d1.isParallelTo(projDir, VqGeContext::gTol)) {
        VqGeImpLinearEnt3d line;
        getLine(line);
        if (!line.intersectWithLine(other, pnt2, tol)) return 0;
        pnt1 = mOrigin;
        return 1;
    }
    if (d2.isParallelTo(projDir, VqGeContext::gTol)) {
        VqGeImpLinearEnt3d line;
        other.getLine(line);
        if (!intersectWithLine(line, pnt1, tol)) return 0;
        pnt2 = other.mOrigin;
        return 1;
    }
    const VqGeVector3d n = d2.crossProduct(projDir);
    const double along = d1.dotProduct(n);
    const double off = (other.mOrigin - mOrigin).dotProduct(n);
    const VqGeVector3d unitN = n.normal(VqGeContext::gTol);
    if (!(d1.normal(VqGeContext::gTol).isPerpendicularTo(unitN, tol) &&
          (mOrigin - other.mOrigin).dotProduct(unitN) < tol.equalPoint() &&
          (mOrigin - other.mOrigin).dotProduct(unitN) > -tol.equalPoint())) {
        // This entity crosses the plane through the other along projDir.
        if (along == 0.0) return 0;
        pnt1 = pointAt(off / along);
        if (!isWithinBounds(pnt1, tol)) return 0;
        const VqGeImpLinearEnt3d sight(pnt1, projDir, 0, 0);
        return other.intersectWithLine(sight, pnt2, tol);
    }
    // Both project onto one line: only touching end points count. Every pair the bounds
    // allow is tried in turn, so a touch at either end is found.
    const double s = d1.crossProduct(projDir).dotProduct(d2.crossProduct(projDir));
    const VqGeImpInterval& i1 = mInterval;
    const VqGeImpInterval& i2 = other.mInterval;
    VqGePoint3d a[2], b[2];
    int numPairs = 0;
    if (s > 0.0) {
        if (i1.isBoundedBelow() && i2.isBoundedAbove())
            a[numPairs] = startPoint(), b[numPairs++] = other.endPoint();
        if (i1.isBoundedAbove() && i2.isBoundedBelow())
            a[numPairs] = endPoint(), b[numPairs++] = other.startPoint();
    } else {
        if (i1.isBoundedBelow() && i2.isBoundedBelow())
            a[numPairs] = startPoint(), b[numPairs++] = other.startPoint();
        if (i1.isBoundedAbove() && i2.isBoundedAbove())
            a[numPairs] = endPoint(), b[numPairs++] = other.endPoint();
    }
    for (int k = 0; k < numPairs; ++k) {
        const VqGeImpLinearEnt3d sight(a[k], projDir, 0, 0);
        if (!sight.isOn(b[k], tol)) continue;
        pnt1 = a[k];
        pnt2 = b[k];
        return 1;
    }
    return 0;
}
