// Normal point: the point of the curve whose normal plane holds p, nearest in parameter to
// the current one.
//
// Notation: g(t) = (p - C).C1, g1 = -|C1|^2 + (p - C).C2. Outcomes: 1 with the parameter
// stored when C - p vanishes or is perpendicular to C1; 0 when g1 vanishes, Newton runs out
// of steps or no sign change of g was sampled.
#include <cmath>

#include "curves/curve_generic_util.h"
#include "curves/imp_bound_block3d.h"
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "surfaces/imp_planar_ent.h"

namespace {
constexpr int kMaxNewton = 66;
constexpr double kFlatSlope = 1e-16;
}  // namespace

int VqGeImpCurve3d::getNormalPoint(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                                   const VqGeTol& tol) const {
    pntOnThis.setCurve(this);
    if (!vqgen::isFinitePoint(pnt)) return 0;
    VqGePoint3d p = pnt;
    VqGeImpPlanarEnt plane;
    if (isPlanar(plane, VqGeContext::gTol)) p = plane.closestPointTo(pnt, VqGeContext::gTol);
    VqGeImpInterval intrvl;
    getInterval(intrvl, 0, 0);
    const double lo = intrvl.isBoundedBelow() ? intrvl.lowerBound() : -1e6;
    const double hi = intrvl.isBoundedAbove() ? intrvl.upperBound() : 1e6;
    VqGePoint3d bmin, bmax;
    boundBlock(3, 1).getMinMaxPoints(bmin, bmax);
    double approx = 0.001 * bmin.distanceTo(bmax);
    if (!(approx > 0.0)) approx = tol.equalPoint() > 0.0 ? tol.equalPoint() : 1e-10;
    VqGeImpPointOnCurve3d work(this);
    VqArray<VqGePoint3d> points;
    VqArray<double> params;
    VqArray<VqGeVector3d> firsts;
    getSamplePoints(lo, hi, approx, work, points, params, &firsts, nullptr);
    double period = 0.0;
    const int periodic = isPeriodic(period, 0) && period > 0.0;
    const double current = pntOnThis.parameter();
    double start = 0.0, bestGap = 0.0;
    int have = 0;
    for (int i = 0; i + 1 < points.length(); ++i) {
        const double g0 = (p - points[i]).dotProduct(firsts[i]);
        const double g1 = (p - points[i + 1]).dotProduct(firsts[i + 1]);
        if (!((g0 <= 0.0 && g1 > 0.0) || (g0 >= 0.0 && g1 < 0.0) || g0 == 0.0)) continue;
        const double t = g0 == g1 ? params[i] : params[i] + (params[i + 1] - params[i]) * g0 / (g0 - g1);
        double gap = std::fabs(t - current);
        if (periodic) {
            gap = std::fmod(gap, period);
            if (period - gap < gap) gap = period - gap;
        }
        if (!have || gap < bestGap) have = 1, bestGap = gap, start = t;
    }
    if (!have) return 0;
    double t = start;
    for (int k = 0; k < kMaxNewton; ++k) {
        if (vqgen::breakRequested()) return 0;
        work.setParameter(t);
        work.deriv(2);
        const VqGeVector3d d = p - work.point();
        const VqGeVector3d d1 = work.deriv(1);
        if (d.isZeroLength(tol) || d.isPerpendicularTo(d1, tol)) {
            pntOnThis.setParameter(t);
            return 1;
        }
        const double g = d.dotProduct(d1);
        const double g1 = -d1.lengthSqrd() + d.dotProduct(work.deriv(2));
        if (!(std::fabs(g1) >= kFlatSlope)) return 0;
        t -= g / g1;
        if (periodic && (t < lo || t > hi)) t = lo + std::fmod(std::fmod(t - lo, period) + period, period);
        if (!std::isfinite(t)) return 0;
    }
    return 0;
}
