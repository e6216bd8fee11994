// Sampling of a curve within an approximation tolerance, and the planarity and linearity
// tests on fixed sample counts.
//
// Notation: a pair (ta, Pa), (tb, Pb) of neighbouring samples passes when the curve at the
// middle and at the two Gauss-weighted points lies within delta of the chord's matching
// points; a failing pair gets the middle sample and both halves are tried, down to depth 20.
#include <cmath>

#include "curves/curve_generic_util.h"
#include "curves/imp_curve3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "surfaces/imp_planar_ent.h"
#include "vqge_line3d.h"
#include "vqge_plane.h"
#include "vqge_util.h"

namespace {
constexpr int kMaxDepth = 20;
constexpr double kNear = 0.6897362819286999569;
constexpr double kFar = 0.31026371807130004;

struct Sampler {
    VqGeImpPointOnCurve3d* work;
    double delta;
    VqArray<VqGePoint3d>* points;
    VqArray<double>* params;
    VqArray<VqGeVector3d>* first;
    VqArray<VqGeVector3d>* second;
    int stopped;

    void emit(double t, const VqGePoint3d& p) {
        points->append(p);
        params->append(t);
        if (first || second) {
            work->setParameter(t);
            if (first) first->append(work->deriv(1));
            if (second) second->append(work->deriv(2));
        }
    }
    int close(double t, const VqGePoint3d& onChord) {
        return work->point(t).distanceTo(onChord) < delta;
    }
    // Emits everything after a, up to and including b.
    void pair(double ta, const VqGePoint3d& pa, double tb, const VqGePoint3d& pb, int depth) {
        const double tm = 0.5 * (ta + tb);
        const VqGePoint3d pm = work->point(tm);
        int pass = depth >= kMaxDepth || stopped || !(tm > ta && tm < tb);
        if (!pass && vqgen::breakRequested()) stopped = pass = 1;
        if (!pass) {
            const VqGePoint3d mid = pa + (pb - pa) * 0.5;
            pass = pm.distanceTo(mid) < delta &&
                   close(kNear * ta + kFar * tb, pa + (pb - pa) * kFar) &&
                   close(kFar * ta + kNear * tb, pa + (pb - pa) * kNear);
        }
        if (pass) {
            emit(tb, pb);
            return;
        }
        pair(ta, pa, tm, pm, depth + 1);
        pair(tm, pm, tb, pb, depth + 1);
    }
};
}  // namespace

int VqGeImpCurve3d::getSamplePoints(double fromParam, double toParam, double approxTol,
                                    VqGeImpPointOnCurve3d& work, VqArray<VqGePoint3d>& points,
                                    VqArray<double>& params, VqArray<VqGeVector3d>* firstDerivs,
                                    VqArray<VqGeVector3d>* secondDerivs) const {
    points.removeAll();
    params.removeAll();
    if (firstDerivs) firstDerivs->removeAll();
    if (secondDerivs) secondDerivs->removeAll();
    // Without a finite range or a positive tolerance there is nothing to sample to.
    if (!std::isfinite(fromParam) || !std::isfinite(toParam) || !(approxTol > 0.0)) return 0;
    work.setCurve(this);
    Sampler s{&work, approxTol, &points, &params, firstDerivs, secondDerivs, 0};
    const VqGePoint3d pa = work.point(fromParam);
    s.emit(fromParam, pa);
    if (toParam != fromParam) s.pair(fromParam, pa, toParam, work.point(toParam), 0);
    return 1;
}

int VqGeImpCurve3d::isPlanar(VqGeImpPlanarEnt& pln, const VqGeTol& tol) const {
    VqArray<VqGePoint3d> points;
    getSamplePoints(17, points);
    VqGePlane plane;
    if (!VqGeUtil::getPlaneDefinedBy(points, plane, tol.equalPoint())) return 0;
    const VqGeImpPlanarEnt* found = plane.impPlanarEnt();
    if (!found) return 0;
    pln.set(found->pointOnPlane(), found->normal());
    return 1;
}

int VqGeImpCurve3d::isLinear(VqGeImpLinearEnt3d& line, const VqGeTol& tol) const {
    VqArray<VqGePoint3d> points;
    getSamplePoints(11, points);
    VqGeLine3d fit;
    if (!VqGeUtil::getLineDefinedBy(points, fit, tol.equalPoint())) return 0;
    const VqGeImpLinearEnt3d* found = fit.impLinearEnt();
    if (!found) return 0;
    line.set(found->pointOnLine(), found->direction(), 0, 0);
    return 1;
}
