// Spline base: bounding block, degeneracy and sampling.
#include <cmath>

#include "curves/imp_bound_block3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "entity/imp_position3d.h"
#include "splines/imp_spline_ent3d.h"

namespace {
const double kBlockSwell = 1e-8;
const double kShortInterval = 1e-4;
}  // namespace

// The generic block is tightened by the box of the control points. On a rational spline the
// curve lies in the hull of the Cartesian points (each stored point divided by its weight)
// when every weight is positive; the stored homogeneous points bound nothing (a box of them
// cut the curve's own block down to a box beside the curve), and with a weight that is not
// positive the hull holds no longer, so the generic block stands alone.
VqGeImpBoundBlock3d VqGeImpSplineEnt3d::boundBlock(int dim, const VqGeImpInterval& intrvl,
                                                   int oriented) const {
    VqGeImpBoundBlock3d block = VqGeImpCurve3d::boundBlock(dim, intrvl, oriented);
    if (oriented || mControlPoints.isEmpty()) return block;
    VqGePoint3d lo, hi;
    for (int i = 0; i < mControlPoints.length(); ++i) {
        const double w = storedWeight(i);
        if (!(w > 0.0)) return block;
        const VqGePoint3d p(mControlPoints[i].x / w, mControlPoints[i].y / w, mControlPoints[i].z / w);
        if (i == 0) lo = hi = p;
        lo.set(std::fmin(lo.x, p.x), std::fmin(lo.y, p.y), std::fmin(lo.z, p.z));
        hi.set(std::fmax(hi.x, p.x), std::fmax(hi.y, p.y), std::fmax(hi.z, p.z));
    }
    block.swell(kBlockSwell);
    VqGePoint3d gmin, gmax;
    block.getMinMaxPoints(gmin, gmax);
    const VqGePoint3d a(std::fmax(lo.x, gmin.x), std::fmax(lo.y, gmin.y), std::fmax(lo.z, gmin.z));
    const VqGePoint3d b(std::fmin(hi.x, gmax.x), std::fmin(hi.y, gmax.y), std::fmin(hi.z, gmax.z));
    return VqGeImpBoundBlock3d(a, b);
}

int VqGeImpSplineEnt3d::baseDegenerate(VqGeImpEntity3d*& entity, const VqGeTol& tol) const {
    entity = nullptr;
    if (mKnots.isEmpty() || mControlPoints.isEmpty()) {
        entity = static_cast<VqGeImpEntity3d*>(copy());
        return entity != nullptr;
    }
    const double span = mKnots.endParam() - mKnots.startParam();
    if (mInterval.isBounded() && mInterval.length() < kShortInterval * span) {
        const VqGePoint3d start = startPoint();
        if (start.isEqualTo(endPoint(), tol)) {
            VqGeImpPosition3d* pos = new VqGeImpPosition3d(start);
            if (pos) setEntityType(*pos, VqGe::kPosition3d, VqGe::kPosition2d);
            entity = pos;
        }
    }
    VqGeVector3d d[1];
    for (int i = 0; i < mKnots.length(); ++i) {
        evalAt(mKnots[i], 1, d);
        if (d[0].isZeroLength(tol)) {
            delete entity;
            entity = static_cast<VqGeImpEntity3d*>(copy());
            break;
        }
    }
    return entity != nullptr;
}

int VqGeImpSplineEnt3d::isDegenerate(VqGeImpEntity3d*& entity, const VqGeTol& tol) const {
    return baseDegenerate(entity, tol);
}

int VqGeImpSplineEnt3d::isDegenerate(VqGe::EntityId& id, const VqGeTol& tol) const {
    VqGeImpEntity3d* entity = nullptr;
    if (!isDegenerate(entity, tol)) return 0;
    if (!entity) return 0;
    id = entity->type(1);
    delete entity;
    return 1;
}

// Degree 1: the start point, then the vertices after it, each with its knot. The vertices
// stop before the end parameter and the end point closes the list, so a sub-range gives
// only what lies in it.
int VqGeImpSplineEnt3d::getSamplePoints(double fromParam, double toParam, double approxTol,
                                        VqGeImpPointOnCurve3d& work, VqArray<VqGePoint3d>& points,
                                        VqArray<double>& params, VqArray<VqGeVector3d>* firstDerivs,
                                        VqArray<VqGeVector3d>* secondDerivs) const {
    if (degree() != 1)
        return VqGeImpCurve3d::getSamplePoints(fromParam, toParam, approxTol, work, points, params,
                                               firstDerivs, secondDerivs);
    points.removeAll();
    params.removeAll();
    if (firstDerivs) firstDerivs->removeAll();
    if (secondDerivs) secondDerivs->removeAll();
    if (mKnots.isEmpty() || mControlPoints.isEmpty() || !(fromParam <= toParam)) return 0;
    const VqGeTol& gtol = VqGeContext::gTol;
    const double ktol = mKnots.tolerance();
    auto add = [&](double t) {
        VqGeVector3d d[2];
        const VqGePoint3d p = evalAt(t, 2, d);
        if (!points.isEmpty() && p.isEqualTo(points.last(), gtol)) return;
        points.append(p);
        params.append(t);
        if (firstDerivs) firstDerivs->append(d[0]);
        if (secondDerivs) secondDerivs->append(d[1]);
    };
    add(fromParam);
    const int offset = (mKnots.length() - mControlPoints.length()) / 2;
    for (int i = 0; i < mKnots.length(); ++i) {
        const double k = mKnots[i];
        if (k <= fromParam + ktol) continue;
        if (k >= toParam - ktol) break;
        if (i - offset < 0 || i - offset >= mControlPoints.length()) continue;
        add(k);
    }
    if (toParam > fromParam) add(toParam);
    return points.length();
}
