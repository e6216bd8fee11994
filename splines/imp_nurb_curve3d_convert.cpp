// NURBS curve from other curves: lines, polylines, other NURBS, Hermite cubics; projection.
#include <cmath>

#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "splines/imp_nurb_curve3d.h"
#include "surfaces/imp_planar_ent.h"
#include "vqge_matrix3d.h"

namespace {
const double kHermiteSolveTol = 1e-12;
const double kHermiteNear = 0.64;
const double kHermiteAway = 4.0;
}  // namespace

void VqGeImpNurbCurve3d::setFromLinear(const VqGeImpLinearEnt3d& line) {
    const VqGeImpInterval& iv = line.interval();
    double lo = 0.0, hi = 1.0;
    if (iv.isBounded()) {
        lo = iv.lowerBound();
        hi = iv.upperBound();
    } else if (iv.isBoundedAbove()) {
        hi = iv.upperBound();
        lo = hi - 1.0;
    } else if (iv.isBoundedBelow()) {
        lo = iv.lowerBound();
        hi = lo + 1.0;
    }
    setFromLine(line.pointAt(lo), line.pointAt(hi));
}

// The polyline's knots with both end knots doubled, its vertices as control points.
void VqGeImpNurbCurve3d::setFromSpline(const VqGeImpSplineEnt3d& polyline) {
    const VqGeKnotVector& src = polyline.knots();
    if (src.length() < 2) return;
    VqGeKnotVector knots(src);
    knots.insertAt(0, src[0]);
    knots.append(src.endParam());
    VqArray<VqGePoint3d> pts(polyline.numControlPoints(), 8);
    for (int i = 0; i < polyline.numControlPoints(); ++i) pts.append(polyline.controlPointAt(i));
    if (knots.length() != pts.length() + 2) return;
    define(1, knots, pts, nullptr, 0);
}

// Any NURBS is copied exactly (the fitted cubic of other kinds needs fit data, which this
// curve cannot hold yet); other kinds leave the curve without knots and points.
VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(const VqGeImpCurve3d& curve, const VqGeTol&)
    : VqGeImpNurbCurve3d(1, 0) {
    if (curve.isKindOf(VqGe::kPolyline3d, 0)) {
        setFromSpline(static_cast<const VqGeImpSplineEnt3d&>(curve));
    } else if (curve.isKindOf(VqGe::kLinearEnt3d, 0)) {
        setFromLinear(static_cast<const VqGeImpLinearEnt3d&>(curve));
    } else if (curve.isKindOf(VqGe::kEllipArc3d, 0)) {
        const VqGeImpEllipArc3d& arc = static_cast<const VqGeImpEllipArc3d&>(curve);
        setToArc(arc.center(), arc.majorAxis() * arc.majorRadius(), arc.minorAxis() * arc.minorRadius(),
                 arc.startAngle(), arc.endAngle());
    } else if (curve.isKindOf(VqGe::kNurbCurve3d, 0)) {
        const VqGeImpNurbCurve3d& src = static_cast<const VqGeImpNurbCurve3d&>(curve);
        mDegree = src.mDegree;
        mWeights = src.mWeights;
        mEvalMode = src.mEvalMode;
        VqGeImpSplineEnt3d::operator=(src);
    }
}

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(const VqGePoint3d& p0, const VqGeVector3d& t0,
                                       const VqGePoint3d& p1, const VqGeVector3d& t1, double a,
                                       double b)
    : VqGeImpNurbCurve3d(3, 0) {
    // Least squares of [t0 | t1] (u, v) = p1 - p0; parallel tangents take the shortest
    // (u, v), which is what the forced solve of a rank-one system gives.
    const VqGeVector3d d = p1 - p0;
    const double g00 = t0.dotProduct(t0), g01 = t0.dotProduct(t1), g11 = t1.dotProduct(t1);
    const double r0 = t0.dotProduct(d), r1 = t1.dotProduct(d);
    const double det = g00 * g11 - g01 * g01;
    double u = 0.0, v = 0.0;
    if (std::fabs(det) > kHermiteSolveTol * g00 * g11 && det != 0.0) {
        u = (r0 * g11 - r1 * g01) / det;
        v = (g00 * r1 - g01 * r0) / det;
    } else if (g00 > 0.0 || g11 > 0.0) {
        // Rank one: (u, v) = lambda (t0.t0, t0.t1) / |.|^2 along the common direction.
        const VqGeVector3d& base = g00 > 0.0 ? t0 : t1;
        const double bb = base.dotProduct(base);
        const double c0 = t0.dotProduct(base) / bb, c1 = t1.dotProduct(base) / bb;
        const double lambda = d.dotProduct(base) / bb;
        const double nrm = c0 * c0 + c1 * c1;
        if (nrm > 0.0) {
            u = lambda * c0 / nrm;
            v = lambda * c1 / nrm;
        }
    }
    double r;
    const int uIn = u >= 0.0 && u <= 1.0, vIn = v >= 0.0 && v <= 1.0;
    const double smaller = uIn && vIn ? std::fmin(u, v) : (uIn ? u : v);
    if ((uIn || vIn) && smaller < 1.0)
        r = smaller;
    else if (u > 1.0)
        r = (v > 1.0 && v < u) ? v : u;
    else if (u < 0.0 && v < 0.0)
        r = -1.0;
    else
        r = 1.0;
    const double s = r >= 0.0 ? kHermiteNear * r : kHermiteAway;
    const double k[8] = {a, a, a, a, b, b, b, b};
    VqArray<VqGePoint3d> pts(4, 8);
    pts.append(p0);
    pts.append(p0 + t0 * s);
    pts.append(p1 - t1 * s);
    pts.append(p1);
    define(3, VqGeKnotVector(8, k), pts, nullptr, 0);
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::setToHermiteCubic(const VqGePoint3d& p0,
                                                          const VqGePoint3d& p1,
                                                          const VqGeVector3d& t0,
                                                          const VqGeVector3d& t1, double a,
                                                          double b) {
    const double k[8] = {a, a, a, a, b, b, b, b};
    VqArray<VqGePoint3d> pts(4, 8);
    const double third = (b - a) / 3.0;
    pts.append(p0);
    pts.append(p0 + t0 * third);
    pts.append(p1 - t1 * third);
    pts.append(p1);
    define(3, VqGeKnotVector(8, k), pts, nullptr, 0);
    return *this;
}

// A copy mapped by the parallel projection; a direction within the plane has none.
VqGeImpEntity3d* VqGeImpNurbCurve3d::project(const VqGeImpPlanarEnt& pln, const VqGeVector3d& dir,
                                             const VqGeTol&) const {
    const VqGeVector3d n = pln.normal();
    const double across = dir.dotProduct(n);
    if (across == 0.0 || !std::isfinite(across)) return nullptr;
    // p' = p - dir ((p - o).n / across), as a matrix acting on column vectors.
    const VqGePoint3d o = pln.pointOnPlane();
    const double c = o.asVector().dotProduct(n) / across;
    VqGeMatrix3d m;
    for (int i = 0; i < 3; ++i) {
        const double di = i == 0 ? dir.x : (i == 1 ? dir.y : dir.z);
        m(i, 0) = (i == 0 ? 1.0 : 0.0) - di * n.x / across;
        m(i, 1) = (i == 1 ? 1.0 : 0.0) - di * n.y / across;
        m(i, 2) = (i == 2 ? 1.0 : 0.0) - di * n.z / across;
        m(i, 3) = di * c;
    }
    VqGeImpNurbCurve3d* out = copy();
    if (!out) return nullptr;
    out->transformBy(m);
    return out;
}
