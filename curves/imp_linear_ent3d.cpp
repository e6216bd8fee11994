// Linear entity: construction, identity, set and the geometric accessors.
#include "curves/imp_linear_ent3d.h"

#include <cstdlib>

#include "vqge_matrix3d.h"

namespace {
// The 3D identity of the kind a pair of bound flags describes.
VqGe::EntityId kindId3d(int boundedBelow, int boundedAbove) {
    if (boundedBelow && boundedAbove) return VqGe::kLineSeg3d;
    return boundedBelow || boundedAbove ? VqGe::kRay3d : VqGe::kLine3d;
}
}  // namespace

const VqGeImpLinearEnt3d VqGeImpLinearEnt3d::kXAxis(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 0,
                                                    0);
const VqGeImpLinearEnt3d VqGeImpLinearEnt3d::kYAxis(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 1, 0), 0,
                                                    0);
const VqGeImpLinearEnt3d VqGeImpLinearEnt3d::kZAxis(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 0, 1), 0,
                                                    0);

VqGeImpLinearEnt3d::VqGeImpLinearEnt3d()
    : VqGeImpCurve3d(VqGe::kLine3d), mOrigin(0, 0, 0), mDirection(1, 0, 0) {}

VqGeImpLinearEnt3d::VqGeImpLinearEnt3d(int boundedBelow, int boundedAbove)
    : VqGeImpCurve3d(kindId3d(boundedBelow, boundedAbove)) {
    assign(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), boundedBelow, boundedAbove);
    // A ray of this form starts at 0 whichever side it is bounded on.
    if (boundedAbove && !boundedBelow) mInterval.set(0, 0.0);
}

VqGeImpLinearEnt3d::VqGeImpLinearEnt3d(const VqGePoint3d& pnt, const VqGeVector3d& dir,
                                       int boundedBelow, int boundedAbove)
    : VqGeImpCurve3d(kindId3d(boundedBelow, boundedAbove)) {
    assign(pnt, dir, boundedBelow, boundedAbove);
}

VqGeImpLinearEnt3d::VqGeImpLinearEnt3d(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2,
                                       int boundedBelow, int boundedAbove)
    : VqGeImpCurve3d(kindId3d(boundedBelow, boundedAbove)) {
    assign(pnt1, pnt2 - pnt1, boundedBelow, boundedAbove);
}

VqGeImpLinearEnt3d::VqGeImpLinearEnt3d(const VqGeImpLinearEnt3d& src)
    : VqGeImpCurve3d(src),
      mOrigin(src.mOrigin),
      mDirection(src.mDirection),
      mInterval(src.mInterval) {}

VqGeImpLinearEnt3d::VqGeImpLinearEnt3d(const VqGeImpCurve3d& crv1, const VqGeImpCurve3d& crv2,
                                       double& t1, double& t2, int& success)
    : VqGeImpCurve3d(VqGe::kLineSeg3d) {
    set(crv1, crv2, t1, t2, success);
}

VqGeImpLinearEnt3d::VqGeImpLinearEnt3d(const VqGeImpCurve3d& crv, const VqGePoint3d& pnt, double& t,
                                       int& success)
    : VqGeImpCurve3d(VqGe::kLineSeg3d) {
    set(crv, pnt, t, success);
}

VqGeImpLinearEnt3d& VqGeImpLinearEnt3d::operator=(const VqGeImpLinearEnt3d& src) {
    if (this == &src) return *this;
    VqGeImpCurve3d::operator=(src);
    mOrigin = src.mOrigin;
    mDirection = src.mDirection;
    mInterval = src.mInterval;
    notifyModified();
    return *this;
}

void VqGeImpLinearEnt3d::assign(const VqGePoint3d& pnt, const VqGeVector3d& dir, int boundedBelow,
                                int boundedAbove) {
    mOrigin = pnt;
    mDirection = dir;
    mInterval.set();
    if (boundedBelow) mInterval.setLower(0.0);
    if (boundedAbove) mInterval.setUpper(1.0);
}

int VqGeImpLinearEnt3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (!isPublic) {
        if (id == VqGe::kLinearEnt3d) return 1;
    } else if (id == type(1) || id == (is2d() ? VqGe::kLinearEnt2d : VqGe::kLinearEnt3d)) {
        return 1;
    }
    return VqGeImpCurve3d::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeImpLinearEnt3d::type(int isPublic) const {
    if (!isPublic) return VqGe::kLinearEnt3d;
    return static_cast<VqGe::EntityId>(std::abs(static_cast<int>(entityType())));
}

VqGeImpLinearEnt3d* VqGeImpLinearEnt3d::copy() const {
    return new VqGeImpLinearEnt3d(*this);
}

int VqGeImpLinearEnt3d::isEqualTo(const VqGeImpEntity3d& other, const VqGeTol& tol) const {
    if (other.type(1) != type(1) || !other.isKindOf(VqGe::kLinearEnt3d, 0)) return 0;
    const VqGeImpLinearEnt3d& line = static_cast<const VqGeImpLinearEnt3d&>(other);
    return mOrigin.isEqualTo(line.mOrigin, tol) && mDirection.isEqualTo(line.mDirection, tol);
}

VqGeImpLinearEnt3d& VqGeImpLinearEnt3d::transformBy(const VqGeMatrix3d& mat) {
    mOrigin.transformBy(mat);
    mDirection.transformBy(mat);
    notifyTransformed(mat);
    return *this;
}

VqGeImpLinearEnt3d& VqGeImpLinearEnt3d::translateBy(const VqGeVector3d& vec) {
    mOrigin += vec;
    notifyTransformed(VqGeMatrix3d::translation(vec));
    return *this;
}

// The kind follows the flags, but an entity keeps the dimension it serves: a 2D wrapper's
// object never turns into a 3D identity here.
VqGeImpLinearEnt3d& VqGeImpLinearEnt3d::set(const VqGePoint3d& pnt, const VqGeVector3d& dir,
                                            int boundedBelow, int boundedAbove) {
    assign(pnt, dir, boundedBelow, boundedAbove);
    const VqGe::EntityId id3d = kindId3d(boundedBelow, boundedAbove);
    const VqGe::EntityId id2d = static_cast<VqGe::EntityId>(id3d - 1);
    const int current = std::abs(static_cast<int>(entityType()));
    if (current != id3d && current != id2d) setEntityType(*this, id3d, id2d);
    notifyModified();
    return *this;
}

VqGeImpLinearEnt3d& VqGeImpLinearEnt3d::set(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2,
                                            int boundedBelow, int boundedAbove) {
    return set(pnt1, pnt2 - pnt1, boundedBelow, boundedAbove);
}

void VqGeImpLinearEnt3d::becomeSegment() {
    mInterval.set(0.0, 1.0);
    setEntityType(*this, VqGe::kLineSeg3d, VqGe::kLineSeg2d);
    notifyModified();
}

VqGePoint3d VqGeImpLinearEnt3d::midPoint() const {
    return pointAt((mInterval.lowerBound() + mInterval.upperBound()) * 0.5);
}

VqGePoint3d VqGeImpLinearEnt3d::baryComb(double blend) const {
    return pointAt(mInterval.lowerBound() * (1.0 - blend) + blend * mInterval.upperBound());
}

void VqGeImpLinearEnt3d::getLine(VqGeImpLinearEnt3d& line) const {
    line.set(mOrigin, mDirection, 0, 0);
}

int VqGeImpLinearEnt3d::isParallelTo(const VqGeImpLinearEnt3d& other, const VqGeTol& tol) const {
    return mDirection.isParallelTo(other.mDirection, tol);
}

int VqGeImpLinearEnt3d::isPerpendicularTo(const VqGeImpLinearEnt3d& other,
                                          const VqGeTol& tol) const {
    return mDirection.isPerpendicularTo(other.mDirection, tol);
}

int VqGeImpLinearEnt3d::isColinearTo(const VqGeImpLinearEnt3d& other, const VqGeTol& tol) const {
    if (!mDirection.isParallelTo(other.mDirection, tol)) return 0;
    VqGeImpLinearEnt3d line;
    getLine(line);
    return line.isOn(other.mOrigin, tol);
}
