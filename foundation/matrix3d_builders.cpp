// Space matrix: translation, rotation, scaling, point reflection, frame alignment and the
// world/plane frames of a normal.
#include "vqge_matrix3d.h"
#include "vqge_quaternion.h"

VqGeMatrix3d& VqGeMatrix3d::setToTranslation(const VqGeVector3d& vec) {
    setToIdentity();
    return setTranslation(vec);
}

// T(center) x R x T(-center): the linear part is R and the translation center - R center.
VqGeMatrix3d& VqGeMatrix3d::setToRotation(double angle, const VqGeVector3d& axis,
                                          const VqGePoint3d& center) {
    const VqGePoint3d c = center;
    setToIdentity();
    VqGeQuaternion(angle, axis).getMatrix(*this);
    const VqGeVector3d moved = *this * c.asVector();
    return setTranslation(c.asVector() - moved);
}

VqGeMatrix3d& VqGeMatrix3d::setToScaling(double scaleAll, const VqGePoint3d& center) {
    const VqGePoint3d c = center;
    setToIdentity();
    mEntry[0][0] = mEntry[1][1] = mEntry[2][2] = scaleAll;
    return setTranslation(c.asVector() - c.asVector() * scaleAll);
}

// T(p) x diag(-1, -1, -1, 1) x T(-p).
VqGeMatrix3d& VqGeMatrix3d::setToMirroring(const VqGePoint3d& pnt) {
    const VqGePoint3d p = pnt;
    setToIdentity();
    mEntry[0][0] = mEntry[1][1] = mEntry[2][2] = -1.0;
    return setTranslation(p.asVector() * 2.0);
}

// To x From^-1; a degenerate from-system gives non-finite entries, like the plain inverse.
VqGeMatrix3d& VqGeMatrix3d::setToAlignCoordSys(
    const VqGePoint3d& fromOrigin, const VqGeVector3d& fromXAxis, const VqGeVector3d& fromYAxis,
    const VqGeVector3d& fromZAxis, const VqGePoint3d& toOrigin, const VqGeVector3d& toXAxis,
    const VqGeVector3d& toYAxis, const VqGeVector3d& toZAxis) {
    VqGeMatrix3d from, to;
    from.setCoordSystem(fromOrigin, fromXAxis, fromYAxis, fromZAxis);
    to.setCoordSystem(toOrigin, toXAxis, toYAxis, toZAxis);
    return setToProduct(to, from.invert());
}

namespace {
// The plane frame of a normal: x from the orthogonal-vector rule, y = n x x. False when the
// normal already points along z, where the frame is the world's own.
bool planeAxes(const VqGeVector3d& normal, VqGeVector3d& x, VqGeVector3d& y, VqGeVector3d& n) {
    if (normal.isCodirectionalTo(VqGeVector3d::kZAxis, VqGeContext::gTol)) return false;
    n = normal.normal(VqGeContext::gTol);
    x = n.perpVector().normal(VqGeContext::gTol);
    y = n.crossProduct(x);
    return true;
}
}  // namespace

// Rows x, y, n: world coordinates to plane coordinates.
VqGeMatrix3d& VqGeMatrix3d::setToWorldToPlane(const VqGeVector3d& normal) {
    VqGeVector3d x, y, n;
    const bool tilted = planeAxes(normal, x, y, n);
    setToIdentity();
    if (!tilted) return *this;
    for (unsigned int c = 0; c < 3; ++c) {
        mEntry[0][c] = x[c];
        mEntry[1][c] = y[c];
        mEntry[2][c] = n[c];
    }
    return *this;
}

// Columns x, y, n: the transpose of the world-to-plane matrix.
VqGeMatrix3d& VqGeMatrix3d::setToPlaneToWorld(const VqGeVector3d& normal) {
    VqGeVector3d x, y, n;
    const bool tilted = planeAxes(normal, x, y, n);
    setToIdentity();
    if (!tilted) return *this;
    return setCoordSystem(VqGePoint3d::kOrigin, x, y, n);
}

VqGeMatrix3d VqGeMatrix3d::translation(const VqGeVector3d& vec) {
    return VqGeMatrix3d().setToTranslation(vec);
}
VqGeMatrix3d VqGeMatrix3d::rotation(double angle, const VqGeVector3d& axis,
                                    const VqGePoint3d& center) {
    return VqGeMatrix3d().setToRotation(angle, axis, center);
}
VqGeMatrix3d VqGeMatrix3d::scaling(double scaleAll, const VqGePoint3d& center) {
    return VqGeMatrix3d().setToScaling(scaleAll, center);
}
VqGeMatrix3d VqGeMatrix3d::mirroring(const VqGePoint3d& pnt) {
    return VqGeMatrix3d().setToMirroring(pnt);
}
VqGeMatrix3d VqGeMatrix3d::alignCoordSys(const VqGePoint3d& fromOrigin,
                                         const VqGeVector3d& fromXAxis,
                                         const VqGeVector3d& fromYAxis,
                                         const VqGeVector3d& fromZAxis, const VqGePoint3d& toOrigin,
                                         const VqGeVector3d& toXAxis, const VqGeVector3d& toYAxis,
                                         const VqGeVector3d& toZAxis) {
    return VqGeMatrix3d().setToAlignCoordSys(fromOrigin, fromXAxis, fromYAxis, fromZAxis, toOrigin,
                                             toXAxis, toYAxis, toZAxis);
}
VqGeMatrix3d VqGeMatrix3d::worldToPlane(const VqGeVector3d& normal) {
    return VqGeMatrix3d().setToWorldToPlane(normal);
}
VqGeMatrix3d VqGeMatrix3d::planeToWorld(const VqGeVector3d& normal) {
    return VqGeMatrix3d().setToPlaneToWorld(normal);
}
