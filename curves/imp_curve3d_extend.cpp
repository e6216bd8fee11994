// Extending two curves until they meet, the local intersection solve from given parameters,
// the bounds filter of intersection pairs, and the default overlap test of unbounded curves.
#include <cmath>

#include "curves/curve_int_solver.h"
#include "curves/imp_curve3d.h"
#include "curves/imp_linear_ent3d.h"
#include "vqge_curveintdata.h"

using namespace vqgen;

namespace {
constexpr double kLineReach = 1e10;
}

int VqGeImpCurve3d::unboundedOverlap(const VqGeImpCurve3d& other, int& sameDirection,
                                     const VqGeTol& tol) const {
    sameDirection = 1;
    return isEqualTo(other, tol);
}

int VqGeImpCurve3d::intersectLocal(const VqGeImpCurve3d& other, double& t1, double& t2, int dim,
                                   VqGePoint3d& pnt, const VqGeTol& tol) const {
    VqGeImpInterval i1, i2;
    getInterval(i1, 0, 0);
    other.getInterval(i2, 0, 0);
    const double lo1 = i1.isBoundedBelow() ? i1.lowerBound() : -kFar21;
    const double hi1 = i1.isBoundedAbove() ? i1.upperBound() : kFar21;
    CurveEval e1(this, dim), e2(&other, dim);
    IntSide s1, s2;
    s1.eval = &e1;
    double lo2, hi2, s = t1, t = t2;
    double base = 0.0;
    if (other.isKindOf(VqGe::kLinearEnt3d, 0)) {
        // The line as a segment between +-1e10 on unbounded sides, based at the start so
        // that the far ends cost no precision near it.
        const double lineLo = i2.isBoundedBelow() ? i2.lowerBound() : -kLineReach;
        const double lineHi = i2.isBoundedAbove() ? i2.upperBound() : kLineReach;
        base = t2 < lineLo ? lineLo : (t2 > lineHi ? lineHi : t2);
        if (!std::isfinite(base)) return 0;
        double pa[3], d1[3], dd[3];
        e2.eval(base, 1, pa, d1, dd);
        s2.isSegment = 1;
        for (int c = 0; c < 3; ++c) s2.a[c] = pa[c], s2.d[c] = d1[c];
        lo2 = lineLo - base, hi2 = lineHi - base;
        s2.tLo = lo2, s2.tHi = hi2, s2.tStart = 0.0;
        t = 0.0;
    } else {
        s2.eval = &e2;
        lo2 = i2.isBoundedBelow() ? i2.lowerBound() : -kFar21;
        hi2 = i2.isBoundedAbove() ? i2.upperBound() : kFar21;
    }
    if (!std::isfinite(s) || !std::isfinite(t)) return 0;
    s = s < lo1 ? lo1 : (s > hi1 ? hi1 : s);
    t = t < lo2 ? lo2 : (t > hi2 ? hi2 : t);
    IntSolver solver(s1, s2, dim, tol.equalPoint() > 0.0 ? tol.equalPoint() : 1e-10);
    if (!solver.solveFirst(s, t, lo1, hi1, lo2, hi2)) return 0;
    double p1[3], p2[3], dd[3];
    s1.at(s, 0, p1, dd, dd);
    s2.at(t, 0, p2, dd, dd);
    t1 = s;
    t2 = s2.isSegment ? base + t : t;
    // The midpoint of the two curve points, read in the curves' own coordinates.
    pnt = const_cast<VqGeImpCurve3d*>(this)->evalPoint(t1) +
          (const_cast<VqGeImpCurve3d&>(other).evalPoint(t2) -
           const_cast<VqGeImpCurve3d*>(this)->evalPoint(t1)) * 0.5;
    return 1;
}

void VqGeImpCurve3d::testIntPoints(const VqGeImpCurve3d& other, int& count,
                                   VqArray<VqGePoint3d>& onThis, VqArray<VqGePoint3d>& onOther,
                                   const VqGeTol& tol) const {
    const int same = &onThis == &onOther;
    int kept = 0;
    for (int i = 0; i < count && i < onThis.length() && i < onOther.length(); ++i) {
        if (!isWithinBounds(onThis[i], tol) || !other.isWithinBounds(onOther[i], tol)) continue;
        onThis[kept] = onThis[i];
        if (!same) onOther[kept] = onOther[i];
        ++kept;
    }
    count = kept;
    onThis.setLogicalLength(kept);
    if (!same) onOther.setLogicalLength(kept);
}

void VqGeImpCurve3d::testIntPoints(const VqGeImpCurve3d& other, int& count,
                                   VqArray<VqGePoint3d>& points, const VqGeTol& tol) const {
    testIntPoints(other, count, points, points, tol);
}

int VqGeImpCurve3d::extendCurves(VqGeImpCurve3d& other, double endParam, double startParam,
                                 const VqGeVector3d& projDir, const VqGeTol& tol) {
    VqGeImpInterval i1, i2;
    getInterval(i1, 0, 1);
    other.getInterval(i2, 1, 0);
    VqGeImpInterval keep1, keep2;
    getInterval(keep1, 0, 0);
    other.getInterval(keep2, 0, 0);
    // The intersection runs on the extended intervals, set quietly and put back after.
    setInterval(i1, 0);
    other.setInterval(i2, 0);
    VqGeCurveIntData data;
    intersectWith(other, projDir, data, tol);
    setInterval(keep1, 0);
    other.setInterval(keep2, 0);
    const int n = data.numIntPoints();
    if (n == 0) return 0;
    double p1 = 0.0, p2 = 0.0;
    const int periodic1 = isPeriodic(p1, 0) && p1 > 0.0;
    const int periodic2 = other.isPeriodic(p2, 0) && p2 > 0.0;
    if (n == 1) {
        VqGePoint3d start, end;
        const VqGePoint3d at = data.intPnt(0);
        if (periodic1 && hasStartPoint(start) && at.isEqualTo(start, tol)) return 0;
        if (periodic2 && other.hasEndPoint(end) && at.isEqualTo(end, tol)) return 0;
    }
    int won = 0;
    double best = 0.0, w1 = 0.0, w2 = 0.0;
    for (int i = 0; i < n; ++i) {
        double t1, t2;
        data.getIntParams(i, t1, t2);
        if (periodic1) {
            t1 = endParam + std::fmod(std::fmod(t1 - endParam, p1) + p1, p1);
            if (i1.isBoundedBelow() && t1 - p1 > i1.lowerBound()) continue;
        }
        if (periodic2) {
            t2 = startParam - std::fmod(std::fmod(startParam - t2, p2) + p2, p2);
            if (i2.isBoundedAbove() && t2 + p2 < i2.upperBound()) continue;
        }
        if (!(t1 > endParam && t2 < startParam)) continue;
        const double cost = std::fabs(t1 - endParam) + std::fabs(t2 - startParam);
        if (!won || cost < best) won = 1, best = cost, w1 = t1, w2 = t2;
    }
    if (!won) return 0;
    VqGeImpInterval n1(keep1), n2(keep2);
    n1.setUpper(w1);
    n2.setLower(w2);
    setInterval(n1, 1);
    other.setInterval(n2, 1);
    return 1;
}
