// Demo section: tolerances, version, vectors and matrices.
#include <cmath>
#include <cstdio>

#include "demo.h"

void demoFoundation() {
    demoSection("Foundation values");
    std::printf("library version %d.%d.%d.%d\n", VqGe::gLibVersion.majorVersion(),
                VqGe::gLibVersion.minorVersion(), VqGe::gLibVersion.correctiveVersion(),
                VqGe::gLibVersion.schemaVersion());
    const VqGeTol& tol = VqGeContext::gTol;
    std::printf("default tolerance: equalPoint %g, equalVector %g\n", tol.equalPoint(),
                tol.equalVector());
    std::printf("(0,0,0) == (1e-10,0,0): %d; (0,0,0) == (1.1e-10,0,0): %d\n",
                VqGePoint3d(0, 0, 0) == VqGePoint3d(1e-10, 0, 0),
                VqGePoint3d(0, 0, 0) == VqGePoint3d(1.1e-10, 0, 0));
    const VqGeVector3d u(1, 0, 0), v(0, 1, 0);
    std::printf("angle x->y about +z: %.6f; about -z: %.6f\n", u.angleTo(v, VqGeVector3d::kZAxis),
                u.angleTo(v, -VqGeVector3d::kZAxis));
    // A failure is reported through the condition code, and the vector comes back unchanged.
    VqGe::ErrorCondition cond;
    const VqGeVector3d bad =
        VqGeVector3d(1, 1, 1).project(VqGeVector3d::kZAxis, VqGeVector3d::kXAxis, tol, cond);
    std::printf("projection along a direction in the plane: condition %s, vector kept (%g, %g, %g)\n",
                cond == VqGe::kArgsPerpendicular ? "kArgsPerpendicular" : "other", bad.x, bad.y,
                bad.z);
    VqGePoint3d q(1, 0, 0);
    const double quarter = 2.0 * std::atan(1.0);
    q.transformBy(VqGeMatrix3d::rotation(quarter, VqGeVector3d::kZAxis, VqGePoint3d::kOrigin));
    demoPoint("(1,0,0) rotated a quarter turn about z: ", q);
}
