// Area swept by a planar curve, containment of a point by a closed curve in x and y, and the
// orientation of a closed curve.
//
// Notation: k counts half-crossings of the ray from p in +x by the curve: a piece wholly to
// the right of p adds s(end) - s(start), s the sign of y - p.y at a piece end. k a multiple
// of 4 is outside; otherwise inside, on the side sign(k).
#include <cmath>

#include "curves/curve_generic_util.h"
#include "curves/curve_sample_data.h"
#include "curves/imp_bound_block3d.h"
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "nm_func.h"
#include "surfaces/imp_planar_ent.h"

namespace {
constexpr double kLevelTol = 1e-7;
constexpr double kScanStep = 0.058823529411764705;  // 1 / 17

struct Swept {
    VqGeImpPointOnCurve3d work;
    VqGePoint3d centre;
    VqGeVector3d normal;
    Swept(const VqGeImpCurve3d* crv) : work(crv) {}
    static double at(void* h, double t) {
        Swept& s = *static_cast<Swept*>(h);
        s.work.setParameter(t);
        s.work.deriv(1);
        return (s.work.point() - s.centre).crossProduct(s.work.deriv(1)).dotProduct(s.normal);
    }
};

// The fitted normal's sign is arbitrary: it is turned to point up the first axis it has a
// component along (z first), so that a counter-clockwise curve in the XY plane has a
// positive area.
VqGeVector3d orientedNormal(VqGeVector3d n) {
    const double c[3] = {n.z, n.y, n.x};
    for (int i = 0; i < 3; ++i) {
        if (std::fabs(c[i]) > 1e-12) return c[i] < 0.0 ? -n : n;
    }
    return n;
}

struct Crossings {
    VqGeCurveSampleData* data;
    double px, py, tol, lo, hi;
    int on, sum, stopped;

    int sideAt(int sample, int wholeEnd) const {
        const double dy = data->sample(sample).p[1] - py;
        if (!wholeEnd && std::fabs(dy) < kLevelTol) return 0;
        return dy > 0.0 ? 1 : (dy < 0.0 ? -1 : 0);
    }
    void piece(int index) {
        if (on || stopped) return;
        if (vqgen::breakRequested()) {
            stopped = 1;
            return;
        }
        data->prepare(index);
        const VqGeSamplePiece& pc = data->piece(index);
        if (pc.bmax[0] < px || pc.bmin[1] > py || pc.bmax[1] < py) return;
        if (pc.bmin[0] <= px) {
            // The block holds p: halve while both halves can still tell p from the curve.
            const double ex = pc.bmax[0] - pc.bmin[0], ey = pc.bmax[1] - pc.bmin[1];
            if (ex < tol || ey < tol) {
                on = 1;
                return;
            }
            const int c0 = data->child(index, 0);
            const int c1 = c0 >= 0 ? data->child(index, 1) : -1;
            if (c0 < 0 || c1 < 0) {
                on = 1;  // cannot be told apart any further
                return;
            }
            piece(c0);
            piece(c1);
            return;
        }
        const int first = data->piece(index).first, last = data->piece(index).last;
        const double t0 = data->sample(first).t, t1 = data->sample(last).t;
        sum += sideAt(last, t1 == lo || t1 == hi) - sideAt(first, t0 == lo || t0 == hi);
    }
};

// 2 on the curve, else k of the whole interval (through count).
int halfCrossings(const VqGeImpCurve3d& crv, double px, double py, double tol, int& count) {
    VqGeImpInterval intrvl;
    crv.getInterval(intrvl, 0, 0);
    count = 0;
    if (!std::isfinite(px) || !std::isfinite(py)) return 0;
    VqGeCurveSampleData* data = VqGeCurveSampleData::acquire(crv, intrvl, 2, nullptr);
    if (!data) return 0;
    Crossings c{data, px, py, tol, data->lower(), data->upper(), 0, 0, 0};
    c.piece(data->root());
    VqGeCurveSampleData::release(data);
    count = c.sum;
    return c.on ? 2 : 1;
}
}  // namespace

int VqGeImpCurve3d::area(double startParam, double endParam, double& value,
                         const VqGeTol& tol) const {
    VqGeImpPlanarEnt plane;
    if (!isPlanar(plane, tol)) return 0;
    VqGeImpInterval intrvl;
    getInterval(intrvl, 0, 0);
    if (!intrvl.contains(startParam) || !intrvl.contains(endParam)) return 0;
    const double lo = startParam < endParam ? startParam : endParam;
    const double hi = startParam < endParam ? endParam : startParam;
    Swept f(this);
    const VqGePoint3d a = f.work.point(startParam), b = f.work.point(endParam);
    f.centre = a + (b - a) * 0.5;
    f.normal = orientedNormal(plane.normal());
    NmFunc fn(&f, Swept::at);
    double s = 0.0, err = 0.0, failAt = 0.0;
    const double eps = tol.equalPoint() > 0.0 ? tol.equalPoint() : 1e-10;
    if (lo != hi && !fn.quadra(lo, hi, s, eps, err, failAt)) {
        // Corners make the integrand jump, which the quadrature cannot resolve to eps: the
        // area of a fine chain of samples (corners caught by the refinement) stands in.
        VqGePoint3d bmin, bmax;
        boundBlock(3, 0).getMinMaxPoints(bmin, bmax);
        const double delta = 1e-9 * bmin.distanceTo(bmax);
        VqArray<VqGePoint3d> pts;
        VqArray<double> params;
        if (!(delta > 0.0) ||
            !getSamplePoints(lo, hi, delta, f.work, pts, params, nullptr, nullptr))
            return 0;
        s = 0.0;
        for (int i = 0; i + 1 < pts.length(); ++i)
            s += (pts[i] - f.centre).crossProduct(pts[i + 1] - f.centre).dotProduct(f.normal);
    }
    if (!std::isfinite(s)) return 0;
    value = 0.5 * (startParam > endParam ? -s : s);
    return 1;
}

VqGe::PointContainment VqGeImpCurve3d::contains(const VqGePoint3d& pnt, int& side,
                                                const VqGeTol& tol) const {
    int k = 0;
    const int result = halfCrossings(*this, pnt.x, pnt.y, tol.equalPoint(), k);
    if (result == 2) return VqGe::kOnBoundary;
    if (result == 0 || k % 4 == 0) return VqGe::kOutside;
    side = k > 0;
    return VqGe::kInside;
}

// The test point stands on the left of the curve, where the tangent is steepest in y among
// 17 scan points, a small step off the curve: it is inside exactly when the curve runs
// counter-clockwise. The step starts at 1e-3 of the block diagonal and shrinks while the
// point is nearer to another part of the curve than the step would put it.
int VqGeImpCurve3d::isCounterClock() const {
    VqGeImpInterval intrvl;
    getInterval(intrvl, 0, 0);
    if (!intrvl.isBounded()) return 0;
    const double lo = intrvl.lowerBound(), hi = intrvl.upperBound();
    VqGeImpPointOnCurve3d work(this);
    double bestT = lo, bestSteep = -1.0;
    for (int i = 0; i < 17; ++i) {
        const double t = lo + (i + 0.5) * (hi - lo) * kScanStep;
        const VqGeVector3d d = work.deriv(1, t);
        const double len = std::sqrt(d.x * d.x + d.y * d.y);
        if (!(len > kLevelTol)) continue;
        const double steep = std::fabs(d.y) / len;
        if (steep > bestSteep) bestSteep = steep, bestT = t;
    }
    if (bestSteep < 0.0) return 0;
    const VqGeVector3d d = work.deriv(1, bestT);
    const VqGePoint3d at = work.point(bestT);
    const double len = std::sqrt(d.x * d.x + d.y * d.y);
    const VqGeVector3d left(-d.y / len, d.x / len, 0.0);
    VqGePoint3d lo3, hi3;
    boundBlock(2, 0).getMinMaxPoints(lo3, hi3);
    const double diag = std::sqrt((hi3.x - lo3.x) * (hi3.x - lo3.x) +
                                  (hi3.y - lo3.y) * (hi3.y - lo3.y));
    const VqGeTol& tol = VqGeContext::gTol;
    for (double step = 1e-3 * diag; step > 1e-9 * diag && step > 10.0 * tol.equalPoint();
         step *= 0.1) {
        const VqGePoint3d q(at.x + step * left.x, at.y + step * left.y, 0.0);
        // Another part of the curve passes between: look closer.
        VqGeImpPointOnCurve3d near(this);
        getClosestPointTo(VqGePoint3d(q.x, q.y, at.z), near, tol);
        const VqGePoint3d n = near.point();
        const double gap = std::sqrt((n.x - q.x) * (n.x - q.x) + (n.y - q.y) * (n.y - q.y));
        if (gap < 0.5 * step) continue;
        int k = 0;
        const int r = halfCrossings(*this, q.x, q.y, tol.equalPoint(), k);
        if (r != 1) continue;
        return k % 4 != 0;
    }
    return 0;
}
