// Plane matrix: translation, rotation, scaling, point reflection and frame alignment.
#include <cmath>

#include "foundation/vqge_math.h"
#include "vqge_matrix2d.h"

VqGeMatrix2d& VqGeMatrix2d::setToTranslation(const VqGeVector2d& vec) {
    setToIdentity();
    return setTranslation(vec);
}

// T(center) x R x T(-center): the linear part is R and the translation center - R center.
VqGeMatrix2d& VqGeMatrix2d::setToRotation(double angle, const VqGePoint2d& center) {
    const VqGePoint2d c = center;
    const double cs = std::cos(angle), sn = std::sin(angle);
    setToIdentity();
    mEntry[0][0] = cs;
    mEntry[0][1] = -sn;
    mEntry[1][0] = sn;
    mEntry[1][1] = cs;
    return setTranslation(VqGeVector2d(c.x - (cs * c.x - sn * c.y), c.y - (sn * c.x + cs * c.y)));
}

VqGeMatrix2d& VqGeMatrix2d::setToScaling(double scaleAll, const VqGePoint2d& center) {
    const VqGePoint2d c = center;
    setToIdentity();
    mEntry[0][0] = mEntry[1][1] = scaleAll;
    return setTranslation(VqGeVector2d(c.x - scaleAll * c.x, c.y - scaleAll * c.y));
}

// In the plane the point reflection is the half-turn about the point.
VqGeMatrix2d& VqGeMatrix2d::setToMirroring(const VqGePoint2d& pnt) {
    return setToRotation(kVqPi, pnt);
}

// To x From^-1; a degenerate from-system gives non-finite entries, like the plain inverse.
VqGeMatrix2d& VqGeMatrix2d::setToAlignCoordSys(const VqGePoint2d& fromOrigin,
                                               const VqGeVector2d& fromE0,
                                               const VqGeVector2d& fromE1,
                                               const VqGePoint2d& toOrigin,
                                               const VqGeVector2d& toE0, const VqGeVector2d& toE1) {
    VqGeMatrix2d from, to;
    from.setCoordSystem(fromOrigin, fromE0, fromE1);
    to.setCoordSystem(toOrigin, toE0, toE1);
    return setToProduct(to, from.invert());
}

VqGeMatrix2d VqGeMatrix2d::translation(const VqGeVector2d& vec) {
    return VqGeMatrix2d().setToTranslation(vec);
}
VqGeMatrix2d VqGeMatrix2d::rotation(double angle, const VqGePoint2d& center) {
    return VqGeMatrix2d().setToRotation(angle, center);
}
VqGeMatrix2d VqGeMatrix2d::scaling(double scaleAll, const VqGePoint2d& center) {
    return VqGeMatrix2d().setToScaling(scaleAll, center);
}
VqGeMatrix2d VqGeMatrix2d::mirroring(const VqGePoint2d& pnt) {
    return VqGeMatrix2d().setToMirroring(pnt);
}
VqGeMatrix2d VqGeMatrix2d::alignCoordSys(const VqGePoint2d& fromOrigin, const VqGeVector2d& fromE0,
                                         const VqGeVector2d& fromE1, const VqGePoint2d& toOrigin,
                                         const VqGeVector2d& toE0, const VqGeVector2d& toE1) {
    return VqGeMatrix2d().setToAlignCoordSys(fromOrigin, fromE0, fromE1, toOrigin, toE0, toE1);
}
