// Demo: the library's foundation values at work.
#include <cstdio>

#include "vqge.h"

int main() {
    std::printf("vqge library version %d.%d.%d.%d\n", VqGe::gLibVersion.majorVersion(),
                VqGe::gLibVersion.minorVersion(), VqGe::gLibVersion.correctiveVersion(),
                VqGe::gLibVersion.schemaVersion());
    const VqGeTol& tol = VqGeContext::gTol;
    std::printf("default tolerance: equalPoint %g, equalVector %g\n", tol.equalPoint(),
                tol.equalVector());

    VqGePoint3d a(0, 0, 0), b(1e-10, 0, 0), c(1.1e-10, 0, 0);
    std::printf("(0,0,0) == (1e-10,0,0): %d; (0,0,0) == (1.1e-10,0,0): %d\n", a == b, a == c);

    VqGeVector3d u(1, 0, 0), v(0, 1, 0);
    std::printf("angle x->y about +z: %.6f; about -z: %.6f\n", u.angleTo(v, VqGeVector3d::kZAxis),
                u.angleTo(v, -VqGeVector3d::kZAxis));
    VqGeVector3d p = VqGeVector3d(1, 2, 3).perpVector();
    std::printf("unit perpendicular of (1,2,3): (%.6f, %.6f, %.6f)\n", p.x, p.y, p.z);

    VqGe::ErrorCondition cond;
    VqGeVector3d proj = VqGeVector3d(1, 1, 1).project(VqGeVector3d::kZAxis, VqGeVector3d(1, 0, 1),
                                                      tol, cond);
    std::printf("(1,1,1) projected along (1,0,1) onto z=0: (%g, %g, %g), condition %d\n", proj.x,
                proj.y, proj.z, static_cast<int>(cond));
    VqGeVector3d bad = VqGeVector3d(1, 1, 1).project(VqGeVector3d::kZAxis, VqGeVector3d::kXAxis,
                                                     tol, cond);
    std::printf("projection along a direction in the plane: condition %d, vector kept (%g, %g, %g)\n",
                static_cast<int>(cond), bad.x, bad.y, bad.z);

    VqGePoint3d q(1, 0, 0);
    q.rotateBy(0.5 * 3.14159265358979323846, VqGeVector3d::kZAxis, VqGePoint3d(0, 0, 0));
    std::printf("(1,0,0) rotated a quarter turn about z: (%.6f, %.6f, %.6f)\n", q.x, q.y, q.z);
    std::printf("angle of 2D (1,-1): %.6f\n", VqGeVector2d(1, -1).angle());
    return 0;
}
