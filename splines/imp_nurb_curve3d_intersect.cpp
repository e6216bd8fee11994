// NURBS intersection with another curve: the generic intersection on each piece between C1
// breaks and singular knots, each piece's ends moved off a singular knot.
#include <cmath>

#include "splines/imp_nurb_curve3d.h"
#include "vqge_curveintdata.h"

namespace {
const double kSingularShift = 1e-5;
const double kSameParam = 1e-6;
}  // namespace

int VqGeImpNurbCurve3d::intersectWith(const VqGeImpCurve3d& other, const VqGeVector3d& projDir,
                                      VqGeCurveIntData& data, const VqGeTol& tol) const {
    // Two NURBS in one plane: the Bezier route, in the order the generic route keeps (the
    // call arrives reversed, the overlap first).
    if (other.isKindOf(VqGe::kNurbCurve3d, 0) && !isPeriodicStored() &&
        !static_cast<const VqGeImpNurbCurve3d&>(other).isPeriodicStored()) {
        if (!data.orderReversed()) {
            data.reverseOrder();
            const int result = other.intersectWith(*this, projDir, data, tol);
            data.reverseOrder();
            return result;
        }
        if (overlap(other, data, tol)) return 1;
        if (intersectNurbPair(*this, static_cast<const VqGeImpNurbCurve3d&>(other), projDir, data,
                              tol))
            return data.numIntPoints() > 0;
    }
    return intersectCut(other, projDir, data, tol);
}

// The generic intersection on each piece between C1 breaks and singular knots.
int VqGeImpNurbCurve3d::intersectCut(const VqGeImpCurve3d& other, const VqGeVector3d& projDir,
                                     VqGeCurveIntData& data, const VqGeTol& tol) const {
    VqArray<double> cuts;
    getParamsOfC1Discontinuity(cuts, tol);
    VqArray<double> singular;
    VqArray<double> distinct;
    mKnots.getDistinctKnots(distinct);
    for (int i = 0; i < distinct.length(); ++i) {
        const double t = distinct[i];
        if (!mInterval.contains(t)) continue;
        VqGeVector3d d[1];
        sidePoint(t, 1, 1, d);
        VqGeVector3d dl[1];
        sidePoint(t, 0, 1, dl);
        if (!d[0].isZeroLength(tol) && !dl[0].isZeroLength(tol)) continue;
        singular.append(t);
        if (cuts.contains(t)) continue;
        int at = 0;
        while (at < cuts.length() && cuts[at] < t) ++at;
        cuts.insertAt(at, t);
    }
    if (cuts.isEmpty()) return VqGeImpCurve3d::intersectWith(other, projDir, data, tol);
    VqArray<double> ends;
    const double lower = mInterval.lowerBound(), upper = mInterval.upperBound();
    if (!mInterval.isEqualAtLower(cuts.first())) ends.append(lower);
    ends.append(cuts);
    if (!mInterval.isEqualAtUpper(cuts.last())) ends.append(upper);
    data.reset();
    int any = 0;
    for (int i = 0; i + 1 < ends.length(); ++i) {
        double s = ends[i], e = ends[i + 1];
        const double step = kSingularShift * (e - s);
        if (singular.contains(s)) s += step;
        if (singular.contains(e)) e -= step;
        if (!(s < e)) continue;
        VqGeImpNurbCurve3d* piece = copy();
        if (!piece) continue;
        piece->VqGeImpSplineEnt3d::setInterval(VqGeImpInterval(s, e, 1e-12), 1);
        VqGeCurveIntData part;
        if (piece->VqGeImpCurve3d::intersectWith(other, projDir, part, tol)) {
            any = 1;
            for (int j = 0; j < part.numIntPoints(); ++j) {
                const VqGePoint3d p = part.intPnt(j);
                double t1, t2;
                int c1, c2;
                part.getIntParams(j, t1, t2);
                part.getIntConfigs(j, c1, c2);
                int dup = 0;
                for (int k = 0; k < data.numIntPoints() && !dup; ++k) {
                    double s1, s2;
                    data.getIntParams(k, s1, s2);
                    dup = data.intPnt(k).isEqualTo(p, tol) && std::fabs(s1 - t1) < kSameParam &&
                          std::fabs(s2 - t2) < kSameParam;
                }
                if (!dup) data.addIntPoint(p, t1, t2, c1, c2, part.intTol(j));
            }
        }
        delete piece;
    }
    return any;
}
