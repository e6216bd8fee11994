// Space matrix: carrying a plane's 2D coordinate system through a transformation.
//
// Notation: M this matrix; (n, e) the plane's normal and elevation; (u, v) its 2D axes; primes
// mark images under M; (a, b) the axes of the transformed plane.
#include "vqge_matrix3d.h"

VqGeMatrix2d VqGeMatrix3d::convertToLocal(VqGeVector3d& normal, double& elev) const {
    const VqGePoint3d o(normal.x * elev, normal.y * elev, normal.z * elev);
    const VqGePoint3d oImg = *this * o;
    const VqGeVector3d u = normal.perpVector();
    const VqGeVector3d v = normal.crossProduct(u);
    const VqGeVector3d uImg = *this * u;
    const VqGeVector3d vImg = *this * v;

    // The new normal follows the image of the old one, also under a reflection.
    VqGeVector3d n = uImg.crossProduct(vImg).normal(VqGeContext::gTol);
    if (!(n.dotProduct(*this * normal) > 0.0)) n.negate();
    normal = n;
    elev = oImg.asVector().dotProduct(n);

    const VqGeVector3d a = n.perpVector();
    const VqGeVector3d b = n.crossProduct(a);
    const VqGeVector3d oVec = oImg.asVector();
    VqGeMatrix2d local;
    local(0, 0) = a.dotProduct(uImg);
    local(0, 1) = a.dotProduct(vImg);
    local(0, 2) = a.dotProduct(oVec);
    local(1, 0) = b.dotProduct(uImg);
    local(1, 1) = b.dotProduct(vImg);
    local(1, 2) = b.dotProduct(oVec);
    return local;  // the identity's last row (0, 0, 1) stays
}
