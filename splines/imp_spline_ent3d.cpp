// Spline base: knot and control-point access, domain and closure, cached linearity and
// planarity, equality, transformation and reversal.
#include "splines/imp_spline_ent3d.h"

#include "curves/imp_linear_ent3d.h"
#include "surfaces/imp_planar_ent.h"
#include "vqge_line3d.h"
#include "vqge_matrix3d.h"
#include "vqge_plane.h"
#include "vqge_util.h"

VqGeImpSplineEnt3d::VqGeImpSplineEnt3d(VqGe::EntityId id)
    : VqGeImpCurve3d(id),
      mKnots(1e-9),
      mControlPoints(0, 8),
      mFlags(0),
      mDirtyFlags(kFreshMarks),
      mInterval(1e-12) {}

VqGeImpSplineEnt3d::VqGeImpSplineEnt3d(const VqGeImpSplineEnt3d& src)
    : VqGeImpCurve3d(src),
      mKnots(src.mKnots),
      mControlPoints(src.mControlPoints),
      mFlags(src.mFlags),
      mDirtyFlags(src.mDirtyFlags),
      mInterval(src.mInterval) {}

VqGeImpSplineEnt3d::~VqGeImpSplineEnt3d() {}

VqGeImpSplineEnt3d& VqGeImpSplineEnt3d::operator=(const VqGeImpSplineEnt3d& src) {
    if (this == &src) return *this;
    VqGeImpCurve3d::operator=(src);
    mKnots = src.mKnots;
    mControlPoints = src.mControlPoints;
    mFlags = src.mFlags;
    mDirtyFlags = src.mDirtyFlags;
    mInterval = src.mInterval;
    definitionChanged();
    return *this;
}

int VqGeImpSplineEnt3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == (servesAs2d(isPublic) ? VqGe::kSplineEnt2d : VqGe::kSplineEnt3d)) return 1;
    return VqGeImpCurve3d::isKindOf(id, isPublic);
}

void VqGeImpSplineEnt3d::definitionChanged() { notifyModified(); }

double VqGeImpSplineEnt3d::storedWeight(int) const { return 1.0; }

int VqGeImpSplineEnt3d::degree() const {
    const int d = mKnots.length() - mControlPoints.length() - 1;
    return d > 0 ? d : 0;
}

int VqGeImpSplineEnt3d::storedIndex(int i) const {
    const int n = mControlPoints.length();
    if (!isPeriodicStored() || n < 2) return i;
    return (i == 0 || i == n - 1) ? n - 2 : i - 1;
}

VqGeImpSplineEnt3d& VqGeImpSplineEnt3d::setKnotAt(int i, double k) {
    if (i < 0 || i >= mKnots.length()) return *this;
    mKnots[i] = k;
    definitionChanged();
    return *this;
}

VqGePoint3d VqGeImpSplineEnt3d::controlPointAt(int i) const {
    if (i < 0 || i >= mControlPoints.length()) return VqGePoint3d();
    const int s = storedIndex(i);
    const double w = storedWeight(s);
    const VqGePoint3d& p = mControlPoints[s];
    return w == 1.0 || w == 0.0 ? p : VqGePoint3d(p.x / w, p.y / w, p.z / w);
}

VqGeImpSplineEnt3d& VqGeImpSplineEnt3d::setControlPointAt(int i, const VqGePoint3d& pnt) {
    if (i < 0 || i >= mControlPoints.length()) return *this;
    const int s = storedIndex(i);
    const double w = storedWeight(s);
    mControlPoints[s] = VqGePoint3d(pnt.x * w, pnt.y * w, pnt.z * w);
    // The repeated point of periodic storage follows the first one.
    if (isPeriodicStored() && s == 0) mControlPoints.last() = mControlPoints[0];
    resetLinFlags();
    definitionChanged();
    return *this;
}

int VqGeImpSplineEnt3d::continuityAtKnot(int i, const VqGeTol& tol) const {
    if (i < 0 || i >= mKnots.length()) return degree();
    VqGeKnotVector work(mKnots);
    work.setTolerance(tol.equalPoint() / order());
    return degree() - work.multiplicityAt(i);
}

double VqGeImpSplineEnt3d::startDomain() const {
    if (mKnots.isEmpty()) return 0.0;
    if (isPeriodicStored()) return mKnots[0];
    const int i = degree() < mKnots.length() ? degree() : mKnots.length() - 1;
    return mKnots[i];
}

double VqGeImpSplineEnt3d::endDomain() const {
    if (mKnots.isEmpty()) return 0.0;
    if (isPeriodicStored()) return mKnots[mKnots.length() - 1];
    const int i = mKnots.length() - order();
    return mKnots[i >= 0 ? i : 0];
}

VqGePoint3d VqGeImpSplineEnt3d::startPoint() const { return evalAt(startParam(), 0, nullptr); }

VqGePoint3d VqGeImpSplineEnt3d::endPoint() const { return evalAt(endParam(), 0, nullptr); }

void VqGeImpSplineEnt3d::getInterval(VqGeImpInterval& intrvl, int, int) const {
    intrvl = mInterval;
}

int VqGeImpSplineEnt3d::setInterval() {
    mInterval.set(startDomain(), endDomain());
    notifySetInterval();
    return 1;
}

int VqGeImpSplineEnt3d::setInterval(const VqGeImpInterval& intrvl, int notify) {
    mInterval = intrvl;
    if (notify) notifySetInterval();
    return 1;
}

// The interval follows the knots: t maps to (first + last knot) - t.
VqGeImpSplineEnt3d& VqGeImpSplineEnt3d::reverseParam() {
    if (!mKnots.isEmpty()) {
        const double s = mKnots.startParam() + mKnots.endParam();
        const double lo = mInterval.lowerBound(), hi = mInterval.upperBound();
        mKnots.reverse();
        mInterval.set(s - hi, s - lo);
    }
    mControlPoints.reverse();
    definitionChanged();
    return *this;
}

int VqGeImpSplineEnt3d::isPeriodic(double& period, int) const {
    if (!isPeriodicStored() || mKnots.isEmpty()) return 0;
    period = mKnots.endParam() - mKnots.startParam();
    return 1;
}

int VqGeImpSplineEnt3d::isClosed(const VqGeTol& tol) const {
    if (mKnots.isEmpty() || mControlPoints.isEmpty()) return 0;
    if (startPoint().isEqualTo(endPoint(), tol)) return 1;
    if (!mInterval.isEqualAtLower(startDomain()) || !mInterval.isEqualAtUpper(endDomain()))
        return 0;
    const int k = order();
    if (mKnots.multiplicityAt(0) < k) return 0;
    if (!isPeriodicStored() && mKnots.multiplicityAt(mKnots.length() - 1) < k) return 0;
    return controlPointAt(0).isEqualTo(controlPointAt(mControlPoints.length() - 1), tol);
}

int VqGeImpSplineEnt3d::isLinear(VqGeImpLinearEnt3d& line, const VqGeTol& tol) const {
    VqGeImpSplineEnt3d* self = const_cast<VqGeImpSplineEnt3d*>(this);  // cache bits only
    if ((mDirtyFlags & kLinearRun) && !(mFlags & kLinearFound)) return 0;
    self->mDirtyFlags = static_cast<unsigned char>(mDirtyFlags | kLinearRun);
    VqGeLine3d fit;
    const int found = VqGeUtil::getLineDefinedBy(mControlPoints, fit, tol.equalPoint());
    if (found && fit.impLinearEnt()) line = *fit.impLinearEnt();
    self->mFlags = static_cast<unsigned char>(found ? (mFlags | kLinearFound)
                                                    : (mFlags & ~kLinearFound));
    return found;
}

int VqGeImpSplineEnt3d::isPlanar(VqGeImpPlanarEnt& pln, const VqGeTol& tol) const {
    VqGeImpSplineEnt3d* self = const_cast<VqGeImpSplineEnt3d*>(this);  // cache bits only
    if ((mDirtyFlags & kPlanarRun) && !(mFlags & kPlanarFound)) return 0;
    self->mDirtyFlags = static_cast<unsigned char>(mDirtyFlags | kPlanarRun);
    VqGePlane fit;
    int found;
    if (isRational()) {
        VqArray<double> w(mControlPoints.length(), 8);
        for (int i = 0; i < mControlPoints.length(); ++i) w.append(storedWeight(i));
        found = VqGeUtil::getPlaneDefinedByHomogeneous(mControlPoints, w, fit, tol.equalPoint());
    } else {
        found = VqGeUtil::getPlaneDefinedBy(mControlPoints, fit, tol.equalPoint());
    }
    if (found && fit.impPlanarEnt()) pln.set(fit.impPlanarEnt()->pointOnPlane(),
                                             fit.impPlanarEnt()->normal());
    self->mFlags = static_cast<unsigned char>(found ? (mFlags | kPlanarFound)
                                                    : (mFlags & ~kPlanarFound));
    return found;
}

int VqGeImpSplineEnt3d::isEqualTo(const VqGeImpEntity3d& other, const VqGeTol& tol) const {
    if (other.type(1) != type(1)) return 0;
    const VqGeImpSplineEnt3d& o = static_cast<const VqGeImpSplineEnt3d&>(other);
    if (o.mControlPoints.length() != mControlPoints.length()) return 0;
    for (int i = 0; i < mControlPoints.length(); ++i)
        if (!mControlPoints[i].isEqualTo(o.mControlPoints[i], tol)) return 0;
    return mKnots.isEqualTo(o.mKnots);
}

// A rational spline moves its Cartesian points: divide by the weight, map, multiply back.
VqGeImpSplineEnt3d& VqGeImpSplineEnt3d::transformBy(const VqGeMatrix3d& mat) {
    for (int i = 0; i < mControlPoints.length(); ++i) {
        const double w = storedWeight(i);
        VqGePoint3d& p = mControlPoints[i];
        if (w == 1.0 || w == 0.0) {
            p = mat * p;
        } else {
            const VqGePoint3d q = mat * VqGePoint3d(p.x / w, p.y / w, p.z / w);
            p.set(q.x * w, q.y * w, q.z * w);
        }
    }
    definitionChanged();
    notifyTransformed(mat);
    return *this;
}

VqGeImpSplineEnt3d& VqGeImpSplineEnt3d::translateBy(const VqGeVector3d& vec) {
    VqGeMatrix3d mat;
    mat.setToTranslation(vec);
    return transformBy(mat);
}

void VqGeImpSplineEnt3d::convertPntArr(const VqArray<VqGePoint2d>& src,
                                       VqArray<VqGePoint3d>& dst) {
    dst.setLogicalLength(src.length());
    for (int i = 0; i < src.length(); ++i) dst[i] = VqGePoint3d(src[i].x, src[i].y, 0.0);
}

void VqGeImpSplineEnt3d::convertPntArr(const VqArray<VqGePoint3d>& src,
                                       VqArray<VqGePoint2d>& dst) {
    dst.setLogicalLength(src.length());
    for (int i = 0; i < src.length(); ++i) dst[i] = VqGePoint2d(src[i].x, src[i].y);
}
