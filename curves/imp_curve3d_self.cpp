// Self-intersection of a curve by its sample chain.
//
// Outcomes: pairs (t1 < t2) with C(t1) = C(t2), configurations from the two branches for a
// planar curve and 1/1 otherwise; a periodic curve over exactly one period does not report
// the pair of its two ends, and a closed curve does not report its start/end joint.
// A distance other than 0 asks for the self-intersections of the offset curve at that
// distance, which the offset curves provide; the base curve has none to offer and reports
// nothing for it.
#include <cmath>

#include "curves/curve_int_solver.h"
#include "curves/imp_curve3d.h"
#include "curves/imp_curve3d_int.h"
#include "vqge_curveintdata.h"

using namespace vqgen;

namespace {
constexpr double kEndNear = 1e-7;
constexpr double kJointNear = 0.001;
constexpr double kPeriodSlack = 1.110223e-15;
// Parameters closer than this (relative to the range) are the same point of the curve.
constexpr double kSameParam = 1e-9;
}  // namespace

int intersectSelfOver(const VqGeImpCurve3d& crv, const VqGeImpInterval& range,
                      const VqGeVector3d& dir, VqGeCurveIntData& data, const VqGeTol& tol) {
    data.reset();
    WorkFrame frame;
    workFrame(crv, crv, dir, tol, frame);
    FindEval ev(crv, crv);
    const VqGeImpInterval span = finiteRange(range);
    IntSide side;
    VqGeCurveSampleData* d = sampledSide(crv, range, frame, side);
    if (!d) return 0;
    const double eps = tol.equalPoint() > 0.0 ? tol.equalPoint() : 1e-10;
    IntSolver solver(side, side, frame.dim, eps);
    solver.self(d->root(), d->root());
    const double lo = span.lowerBound(), hi = span.upperBound();
    double period = 0.0;
    const int onePeriod = crv.isPeriodic(period, 0) && std::fabs((hi - lo) - period) < kPeriodSlack;
    for (int i = 0; i < solver.numFound(); ++i) {
        double t1, t2;
        solver.found(i, t1, t2);
        if (t1 > t2) {
            const double s = t1;
            t1 = t2, t2 = s;
        }
        if (t2 - t1 <= kSameParam * (hi - lo)) continue;
        if (onePeriod && t1 - lo < kEndNear && hi - t2 < kEndNear) continue;
        addFound(ev, t1, t2, frame, data, tol);
    }
    VqGeCurveSampleData::release(d);
    return data.numIntPoints() > 0;
}

int VqGeImpCurve3d::intersectSelf(VqGeCurveIntData& data, const VqGeVector3d& projDir,
                                  double param, const VqGeTol& tol) const {
    data.reset();
    if (param != 0.0) return 0;
    VqGeImpInterval intrvl;
    getInterval(intrvl, 0, 0);
    intersectSelfOver(*this, intrvl, projDir, data, tol);
    VqGePoint3d start, end;
    if (intrvl.isBounded() && hasStartPoint(start) && hasEndPoint(end) &&
        start.isEqualTo(end, tol)) {
        for (int i = 0; i < data.numIntPoints(); ++i) {
            double t1, t2;
            data.getIntParams(i, t1, t2);
            if (data.intPnt(i).isEqualTo(start, tol) &&
                std::fabs(t1 - intrvl.lowerBound()) < kJointNear &&
                std::fabs(t2 - intrvl.upperBound()) < kJointNear) {
                data.removeIntPoint(i);
                break;
            }
        }
    }
    return data.numIntPoints() > 0;
}
