// Elliptic arc: parallel projection onto a plane along a direction, and the way back from a
// point of the projection to the arc.
//
// Notation: N the plane normal, q a plane point, w the direction; a point p projects to
// p − w ((p − q)·N)/(w·N) and a vector v to v − w (v·N)/(w·N). A' and B' are the projected
// scaled axes: conjugate semi-diameters of the projected ellipse, whose principal axes the
// rebuild finds while keeping every parameter on the projection of its arc point (so the
// projection may run clockwise about the arc's normal; its parameters are not reversed).
#include <cmath>

#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "entity/imp_position3d.h"
#include "surfaces/imp_planar_ent.h"

namespace {
struct Projector {
    VqGeVector3d n, w;
    VqGePoint3d q;
    double across;
    VqGePoint3d point(const VqGePoint3d& p) const { return p - w * ((p - q).dotProduct(n) / across); }
    VqGeVector3d vector(const VqGeVector3d& v) const { return v - w * (v.dotProduct(n) / across); }
};
}  // namespace

VqGeImpEntity3d* VqGeImpEllipArc3d::project(const VqGeImpPlanarEnt& pln, const VqGeVector3d& dir,
                                            const VqGeTol& tol) const {
    Projector pr = {pln.normal(), dir, pln.pointOnPlane(), pln.normal().dotProduct(dir)};
    if (!(pr.across != 0.0) || !std::isfinite(pr.across)) return nullptr;
    VqGe::EntityId id;
    if (isDegenerate(id, tol)) {
        if (id == VqGe::kPosition3d || id == VqGe::kPosition2d) {
            VqGeImpPosition3d* pos = new VqGeImpPosition3d(pr.point(mCenter));
            if (pos) setEntityType(*pos, VqGe::kPosition3d, VqGe::kPosition2d);
            return pos;
        }
        VqGeImpEntity3d* flat = nullptr;
        isDegenerate(flat, tol);
        if (!flat) return nullptr;
        VqGeImpEntity3d* result =
            static_cast<VqGeImpCurve3d*>(flat)->project(pln, dir, tol);
        delete flat;
        return result;
    }
    const VqGeVector3d a = mMajorAxis * mMajorRadius, b = mMinorAxis * mMinorRadius;
    const VqGeVector3d pa = pr.vector(a), pb = pr.vector(b), n = normal();
    if (dir.isPerpendicularTo(n, tol) || pa.isZeroLength(tol) || pb.isZeroLength(tol)) {
        // Seen edge on: the segment between the extremes across the direction of sight.
        const VqGeVector3d v = dir.crossProduct(n);
        const double va = v.dotProduct(a), vb = v.dotProduct(b);
        const double len = std::sqrt(va * va + vb * vb);
        const VqGeVector3d o = len > 0.0 ? -(a * va + b * vb) / len : VqGeVector3d(0, 0, 0);
        const VqGePoint3d s = pr.point(startPoint()), e = pr.point(endPoint());
        VqGePoint3d ends[2];
        for (int k = 0; k < 2; ++k) {
            const VqGePoint3d onArc = mCenter + (k == 0 ? o : -o);
            ends[k] = pr.point(onArc);
            if (isWithinBounds(onArc, tol)) continue;
            ends[k] = ends[k].distanceTo(s) < ends[k].distanceTo(e) ? s : e;
        }
        VqGeImpLinearEnt3d* seg = new VqGeImpLinearEnt3d(ends[0], ends[1], 1, 1);
        if (seg) setEntityType(*seg, VqGe::kLineSeg3d, VqGe::kLineSeg2d);
        return seg;
    }
    VqGeImpEllipArc3d* result = copy();
    if (!result) return nullptr;
    result->rebuildFromConjugate(pr.point(mCenter), pa, pb, pr.vector(mMinorAxis));
    const int circular = result->isCircular(tol);
    setEntityType(*result, circular ? VqGe::kCircArc3d : VqGe::kEllipArc3d,
                  circular ? VqGe::kCircArc2d : VqGe::kEllipArc2d);
    return result;
}

int VqGeImpEllipArc3d::reverseProject(const VqGeImpPointOnCurve3d& projected,
                                      const VqGeImpPlanarEnt& pln, const VqGeVector3d& dir,
                                      VqGeImpPointOnCurve3d& result, const VqGeTol& tol) const {
    Projector pr = {pln.normal(), dir, pln.pointOnPlane(), pln.normal().dotProduct(dir)};
    if (!(pr.across != 0.0) || !std::isfinite(pr.across)) return 0;
    const VqGePoint3d p = projected.point();
    const VqGePoint3d c = pr.point(mCenter);
    const VqGeVector3d a = pr.vector(mMajorAxis) * mMajorRadius;
    const VqGeVector3d b = pr.vector(mMinorAxis) * mMinorRadius;
    if ((c + a).isEqualTo(c, tol) || (c + b).isEqualTo(c, tol)) return 0;
    const VqGeVector3d d = p - c;
    const double aa = a.dotProduct(a), ab = a.dotProduct(b), bb = b.dotProduct(b);
    const double da = d.dotProduct(a), db = d.dotProduct(b);
    const double det = ab * ab - aa * bb;
    if (det == 0.0) return 0;
    const double x = (db * ab - bb * da) / det, y = (da * ab - db * aa) / det;
    const double t = normalizeParam(std::atan2(y, x) - mAngleOffset);
    result.setCurve(this);
    setPoint(result, t, pointAt(t));
    return pr.point(pointAt(t)).isEqualTo(p, tol);
}
