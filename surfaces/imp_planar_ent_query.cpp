// Planar entity: geometric queries, parameters, bounds, edges and evaluation.
//   o origin, u and v the axes, N = u x v (not unit), (s, t) the affine coordinates.
#include "curves/imp_linear_ent3d.h"
#include "foundation/vqge_mem.h"
#include "surfaces/imp_planar_ent.h"
#include "surfaces/imp_point_on_surface.h"
#include "vqge_matrix3d.h"

VqGeVector3d VqGeImpPlanarEnt::normal() const {
    const VqGeVector3d n = mUAxis.crossProduct(mVAxis).normal(VqGeContext::gTol);
    return isNormalReversed() ? -n : n;
}

void VqGeImpPlanarEnt::get(VqGePoint3d& origin, VqGeVector3d& uAxis, VqGeVector3d& vAxis) const {
    origin = mOrigin;
    uAxis = mUAxis;
    vAxis = mVAxis;
}

void VqGeImpPlanarEnt::get(VqGePoint3d& uPnt, VqGePoint3d& origin, VqGePoint3d& vPnt) const {
    origin = mOrigin;
    uPnt = mOrigin + mUAxis;
    vPnt = mOrigin + mVAxis;
}

void VqGeImpPlanarEnt::getCoefficients(double& a, double& b, double& c, double& d) const {
    const VqGeVector3d n = normal();
    a = n.x;
    b = n.y;
    c = n.z;
    d = -n.dotProduct(mOrigin.asVector());
}

// Right-handed about the geometric normal whatever the normal sense.
void VqGeImpPlanarEnt::getCoordSystem(VqGePoint3d& origin, VqGeVector3d& axis1,
                                      VqGeVector3d& axis2) const {
    const VqGeVector3d g = mUAxis.crossProduct(mVAxis).normal(VqGeContext::gTol);
    origin = mOrigin;
    axis1 = mUAxis.normal(VqGeContext::gTol);
    axis2 = g.crossProduct(mUAxis).normal(VqGeContext::gTol);
}

double VqGeImpPlanarEnt::signedDistanceTo(const VqGePoint3d& pnt) const {
    return (pnt - mOrigin).dotProduct(normal());
}

VqGePoint3d VqGeImpPlanarEnt::evalPoint(const VqGePoint2d& param) const {
    return mOrigin + mUAxis * param.x + mVAxis * param.y;
}

// Exact affine coordinates of the foot of pnt, for axes of any length and angle.
VqGePoint2d VqGeImpPlanarEnt::paramOf(const VqGePoint3d& pnt, const VqGeTol&) const {
    const VqGeVector3d w = pnt - mOrigin;
    const VqGeVector3d n = mUAxis.crossProduct(mVAxis);
    const VqGeVector3d nv = n.crossProduct(mVAxis), nu = n.crossProduct(mUAxis);
    return VqGePoint2d(nv.dotProduct(w) / nv.dotProduct(mUAxis),
                       nu.dotProduct(w) / nu.dotProduct(mVAxis));
}

// A point beyond a bound is still within when it lies on that edge's line within tol.
int VqGeImpPlanarEnt::isWithinBounds(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    if (!mBounds) return 1;
    const VqGePoint2d st = paramOf(pnt, tol);
    if ((mBounds & kULower) && st.x < mULower && !pnt.isEqualTo(evalPoint(mULower, st.y), tol))
        return 0;
    if ((mBounds & kUUpper) && st.x > mUUpper && !pnt.isEqualTo(evalPoint(mUUpper, st.y), tol))
        return 0;
    if ((mBounds & kVLower) && st.y < mVLower && !pnt.isEqualTo(evalPoint(st.x, mVLower), tol))
        return 0;
    if ((mBounds & kVUpper) && st.y > mVUpper && !pnt.isEqualTo(evalPoint(st.x, mVUpper), tol))
        return 0;
    return 1;
}

namespace {
// The line through pnt along dir restricted to the interval (of the kind its bounds give),
// reversed in parameter when asked. Null when memory runs out.
VqGeImpCurve3d* makeEdge(const VqGePoint3d& pnt, const VqGeVector3d& dir,
                         const VqGeImpInterval& range, int reverse) {
    VqGeImpLinearEnt3d* edge =
        new VqGeImpLinearEnt3d(pnt, dir, range.isBoundedBelow(), range.isBoundedAbove());
    if (!edge) return nullptr;
    edge->setInterval(range, 0);
    if (reverse) edge->reverseParam();
    return edge;
}
}  // namespace

// Counter-clockwise about u x v: bottom, right, top, left.
int VqGeImpPlanarEnt::boundary(VqGeImpCurve3d* curves[4]) const {
    VqGeImpInterval iu(1e-12), iv(1e-12);
    getEnvelope(iu, iv);
    curves[0] = (mBounds & kVLower) ? makeEdge(evalPoint(0.0, mVLower), mUAxis, iu, 0) : nullptr;
    curves[1] = (mBounds & kUUpper) ? makeEdge(evalPoint(mUUpper, 0.0), mVAxis, iv, 0) : nullptr;
    curves[2] = (mBounds & kVUpper) ? makeEdge(evalPoint(0.0, mVUpper), mUAxis, iu, 1) : nullptr;
    curves[3] = (mBounds & kULower) ? makeEdge(evalPoint(mULower, 0.0), mVAxis, iv, 1) : nullptr;
    return curves[0] || curves[1] || curves[2] || curves[3];
}

VqGePoint3d VqGeImpPlanarEnt::closestPointTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    const VqGePoint3d foot = pnt - normal() * signedDistanceTo(pnt);
    if (isWithinBounds(foot, tol)) return foot;
    return closestPointToBoundary(pnt, tol);
}

void VqGeImpPlanarEnt::getClosestPointTo(const VqGePoint3d& pnt, VqGeImpPointOnSurface& pntOnThis,
                                         const VqGeTol& tol) const {
    const VqGePoint3d q = closestPointTo(pnt, tol);
    setPoint(pntOnThis, paramOf(q, tol), q);
}

int VqGeImpPlanarEnt::isParallelTo(const VqGeImpLinearEnt3d& line, const VqGeTol& tol) const {
    return normal().isPerpendicularTo(line.direction(), tol);
}

int VqGeImpPlanarEnt::isPerpendicularTo(const VqGeImpLinearEnt3d& line,
                                        const VqGeTol& tol) const {
    return normal().isParallelTo(line.direction(), tol);
}

int VqGeImpPlanarEnt::isParallelTo(const VqGeImpPlanarEnt& pln, const VqGeTol& tol) const {
    return normal().isParallelTo(pln.normal(), tol);
}

int VqGeImpPlanarEnt::isPerpendicularTo(const VqGeImpPlanarEnt& pln, const VqGeTol& tol) const {
    return normal().isPerpendicularTo(pln.normal(), tol);
}

int VqGeImpPlanarEnt::isOnUnbounded(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return evalPoint(paramOf(pnt, tol)).isEqualTo(pnt, tol);
}

int VqGeImpPlanarEnt::isCoplanarTo(const VqGeImpPlanarEnt& pln, const VqGeTol& tol) const {
    return isOnUnbounded(pln.mOrigin, tol) && isParallelTo(pln, tol);
}

VqGeImpPlanarEnt VqGeImpPlanarEnt::unboundedCopy() const {
    VqGeImpPlanarEnt result(*this);
    result.mBounds = 0;
    return result;
}

namespace {
// The plane's frame as the point on the surface sees it (after its matrix).
class PlaneEvalData : public VqGeEvaluatorDataSurface {
public:
    PlaneEvalData(const VqGePoint3d& o, const VqGeVector3d& u, const VqGeVector3d& v, int flip)
        : mOrigin(o), mU(u), mV(v), mFlip(flip) {}
    VqGePoint3d mOrigin;
    VqGeVector3d mU, mV;
    int mFlip;
};
}  // namespace

void VqGeImpPlanarEnt::evaluate(int order, VqGePointOnSurfaceData& data, int flag) const {
    VqGePoint3d o = mOrigin;
    VqGeVector3d u = mUAxis, v = mVAxis;
    if (const PlaneEvalData* cache = static_cast<const PlaneEvalData*>(data.evalData())) {
        o = cache->mOrigin;
        u = cache->mU;
        v = cache->mV;
    } else {
        int flip = 0;
        if (const VqGeMatrix3d* m = data.transform()) {
            o.transformBy(*m);
            u.transformBy(*m);
            v.transformBy(*m);
            flip = m->det() < 0.0;
        }
        // Without memory for the cache the values are still computed, only not kept.
        data.setEvalData(vqNew<PlaneEvalData>(o, u, v, flip));
    }
    const VqGePoint2d st = data.parameter();
    data.setPoint(o + u * st.x + v * st.y);
    if (order >= 1 || flag) {
        data.setUDeriv(1, u);
        data.setVDeriv(1, v);
    }
    if (order >= 2) {
        data.setUDeriv(2, VqGeVector3d::kIdentity);
        data.setVDeriv(2, VqGeVector3d::kIdentity);
        data.setMixedPartial(VqGeVector3d::kIdentity);
    }
}

// The normal of the frame the point sees; a mirroring matrix on the point turns the sense
// round as transformBy does for the plane itself.
VqGeVector3d VqGeImpPlanarEnt::evalNormal(VqGePointOnSurfaceData& data) const {
    if (!data.evalData()) evaluate(0, data, 0);
    VqGeVector3d u = mUAxis, v = mVAxis;
    int flip = 0;
    if (const PlaneEvalData* cache = static_cast<const PlaneEvalData*>(data.evalData())) {
        u = cache->mU;
        v = cache->mV;
        flip = cache->mFlip;
    } else if (const VqGeMatrix3d* m = data.transform()) {
        u.transformBy(*m);
        v.transformBy(*m);
        flip = m->det() < 0.0;
    }
    VqGeVector3d n = u.crossProduct(v).normal(VqGeContext::gTol);
    if (isNormalReversed() != flip) n.negate();
    data.setNormal(n);
    return n;
}
