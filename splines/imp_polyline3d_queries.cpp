// Polyline queries: points on the polyline, parameters, closest points, projection onto a
// plane and the bounding block.
#include <algorithm>
#include <cmath>

#include "curves/imp_bound_block3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "splines/imp_polyline3d.h"
#include "surfaces/imp_planar_ent.h"

namespace {
const double kBlockSwell = 1e-8;
const double kFarAway = 1e199;
}  // namespace

// Only segments whose widened coordinate box holds the point are measured.
int VqGeImpPolyline3d::isOn(const VqGePoint3d& pnt, int& segIndex, double& frac,
                            const VqGeTol& tol) const {
    const int n = mControlPoints.length();
    const double eps = tol.equalPoint();
    double best = kFarAway;
    int found = 0;
    for (int i = 0; i + 1 < n; ++i) {
        const VqGePoint3d& a = mControlPoints[i];
        const VqGePoint3d& b = mControlPoints[i + 1];
        if (pnt.x < std::min(a.x, b.x) - eps || pnt.x > std::max(a.x, b.x) + eps ||
            pnt.y < std::min(a.y, b.y) - eps || pnt.y > std::max(a.y, b.y) + eps ||
            pnt.z < std::min(a.z, b.z) - eps || pnt.z > std::max(a.z, b.z) + eps)
            continue;
        const VqGeVector3d d = b - a;
        const double dd = d.dotProduct(d);
        double f = dd > 0.0 ? (pnt - a).dotProduct(d) / dd : 0.0;
        f = f < 0.0 ? 0.0 : (f > 1.0 ? 1.0 : f);
        const double dist = pnt.distanceTo(a + d * f);
        if (dist < best && dist <= eps) {
            best = dist;
            segIndex = i;
            frac = f;
            found = 1;
        }
    }
    return found;
}

int VqGeImpPolyline3d::isOn(double param, const VqGeTol& tol) const {
    const int n = mKnots.length();
    if (n == 0) return 0;
    return mKnots[0] - tol.equalPoint() <= param && param <= mKnots[n - 1] + tol.equalPoint();
}

int VqGeImpPolyline3d::isOn(const VqGePoint3d& pnt, double& param, const VqGeTol& tol) const {
    const double t = paramOf(pnt, tol);
    int seg;
    double frac;
    if (!isOn(pnt, seg, frac, tol)) return 0;
    param = t;
    return 1;
}

double VqGeImpPolyline3d::paramOf(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    int seg;
    double f;
    if (!isOn(pnt, seg, f, tol) || mKnots.length() != mControlPoints.length()) return -1.0;
    return mKnots[seg] * (1.0 - f) + f * mKnots[seg + 1];
}

// Every segment inside the interval is measured; the first nearest wins.
void VqGeImpPolyline3d::getClosestPointTo(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                                          const VqGeTol&) const {
    pntOnThis.setCurve(this);
    const int n = mControlPoints.length();
    if (n == 0 || mKnots.length() != n) return;
    if (n == 1) {
        setPoint(pntOnThis, mKnots[0], mControlPoints[0]);
        return;
    }
    const double lo = mInterval.isBoundedBelow() ? mInterval.lowerBound() : mKnots[0];
    const double hi = mInterval.isBoundedAbove() ? mInterval.upperBound() : mKnots[n - 1];
    double best = kFarAway, bestT = mKnots[0];
    VqGePoint3d bestP = mControlPoints[0];
    for (int i = 0; i + 1 < n; ++i) {
        const double k0 = mKnots[i], k1 = mKnots[i + 1];
        if (k1 < lo || k0 > hi) continue;
        const VqGePoint3d& a = mControlPoints[i];
        const VqGeVector3d d = mControlPoints[i + 1] - a;
        const double len = k1 - k0;
        // Fractions of the segment that lie inside the interval.
        double f0 = 0.0, f1 = 1.0;
        if (len > 0.0) {
            f0 = std::max(0.0, (lo - k0) / len);
            f1 = std::min(1.0, (hi - k0) / len);
        }
        const double dd = d.dotProduct(d);
        double f = dd > 0.0 ? (pnt - a).dotProduct(d) / dd : 0.0;
        f = f < f0 ? f0 : (f > f1 ? f1 : f);
        const VqGePoint3d q = a + d * f;
        const double dist = (pnt - q).dotProduct(pnt - q);
        if (dist < best) {
            best = dist;
            bestT = k0 + f * len;
            bestP = q;
        }
    }
    setPoint(pntOnThis, bestT, bestP);
}

// Closest to the line through pnt along dir: F is the squared distance of a vertex from that
// line, G the mixed term of two consecutive vertices; the perpendicular foot lies inside a
// segment when G lies between its two F values.
void VqGeImpPolyline3d::getProjClosestPointTo(const VqGePoint3d& pnt, const VqGeVector3d& dir,
                                              VqGeImpPointOnCurve3d& pntOnThis,
                                              const VqGeTol& tol) const {
    pntOnThis.setCurve(this);
    const int n = mControlPoints.length();
    if (n == 0 || mKnots.length() != n) return;
    const VqGeVector3d u = dir.normal(VqGeContext::gTol);
    auto sqDist = [&](int i, double& e) {
        const VqGeVector3d a = mControlPoints[i] - pnt;
        e = a.dotProduct(u);
        return a.dotProduct(a) - e * e;
    };
    double ePrev;
    double fPrev = sqDist(0, ePrev);
    double best = fPrev, bestT = mKnots[0];
    VqGePoint3d bestP = mControlPoints[0];
    for (int i = 1; i < n; ++i) {
        double e;
        const double f = sqDist(i, e);
        const double g = (mControlPoints[i - 1] - pnt).dotProduct(mControlPoints[i] - pnt) -
                         ePrev * e;
        double cand, candT;
        VqGePoint3d candP;
        if ((f - g) * (g - fPrev) <= 0.0) {
            const double q = f - 2.0 * g + fPrev;
            double s = 0.0;
            cand = fPrev;
            if (std::fabs(q) > tol.equalPoint()) {
                s = (fPrev - g) / q;
                cand = (f * fPrev - g * g) / q;
            }
            candP = mControlPoints[i - 1] + (mControlPoints[i] - mControlPoints[i - 1]) * s;
            candT = (1.0 - s) * mKnots[i - 1] + s * mKnots[i];
        } else {
            candT = mKnots[i];
            candP = mControlPoints[i];
            cand = f;
        }
        if (cand < best) {
            best = cand;
            bestT = candT;
            bestP = candP;
        }
        fPrev = f;
        ePrev = e;
    }
    setPoint(pntOnThis, bestT, bestP);
}

// Every vertex moves along dir onto the plane; the knots stay. Null when dir runs parallel
// to the plane.
VqGeImpEntity3d* VqGeImpPolyline3d::project(const VqGeImpPlanarEnt& pln, const VqGeVector3d& dir,
                                            const VqGeTol& tol) const {
    const VqGeVector3d nrm = pln.normal();
    const double dn = dir.dotProduct(nrm);
    if (dir.isZeroLength(tol) || std::fabs(dn) <= tol.equalVector() * dir.length()) return nullptr;
    VqGeImpPolyline3d* out = copy();
    if (!out) return nullptr;
    const VqGePoint3d origin = pln.pointOnPlane();
    for (int i = 0; i < out->mControlPoints.length(); ++i) {
        VqGePoint3d& p = out->mControlPoints[i];
        p = p + dir * ((origin - p).dotProduct(nrm) / dn);
    }
    out->resetLinFlags();
    return out;
}

// The vertices decide, whatever the interval; a nonzero flag gives the plain box, flag 0 the
// block of the vertex array.
VqGeImpBoundBlock3d VqGeImpPolyline3d::boundBlock(int, const VqGeImpInterval&, int flag) const {
    VqGeImpBoundBlock3d block;
    if (mControlPoints.isEmpty()) return block;
    if (flag) {
        block.set(mControlPoints[0], mControlPoints[0]);
        for (int i = 1; i < mControlPoints.length(); ++i) block.extend(mControlPoints[i]);
    } else {
        block.set(mControlPoints, VqGeContext::gTol.equalPoint());
    }
    block.swell(kBlockSwell);
    return block;
}
