// Points and vectors against planes: plane coordinates, reflection, projection, angles.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "foundation/vqge_math.h"
#include "test_helpers.h"
#include "vqge_boundedplane.h"
#include "vqge_plane.h"

TEST(VqGePoint3d, Convert2d_NonOrthogonalAxes_RoundTrip) {
    std::mt19937 gen(8080);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 100; ++i) {
        const VqGePoint3d o(5 * unit(gen), 5 * unit(gen), 5 * unit(gen));
        const VqGeVector3d u(unit(gen), unit(gen), unit(gen)), v(unit(gen), unit(gen), unit(gen));
        if (u.crossProduct(v).length() < 0.2) continue;
        const VqGePlane pln(o, u, v);
        const VqGePoint2d st(3 * unit(gen), 3 * unit(gen));
        const VqGePoint3d p(pln, st);
        VqGePoint3d q;
        q.set(pln, st);
        EXPECT_LT(p.distanceTo(q), 1e-15);
        // The out-of-plane part is ignored.
        const VqGePoint2d back = (p + u.crossProduct(v) * unit(gen)).convert2d(pln);
        EXPECT_NEAR(back.x, st.x, 1e-10);
        EXPECT_NEAR(back.y, st.y, 1e-10);
        const VqGeVector2d w(unit(gen), unit(gen));
        const VqGeVector3d w3(pln, w);
        const VqGeVector2d wBack = w3.convert2d(pln);
        EXPECT_NEAR(wBack.x, w.x, 1e-10);
        EXPECT_NEAR(wBack.y, w.y, 1e-10);
    }
}

TEST(VqGePoint3d, MirrorProject_TiltedPlane) {
    const VqGePlane pln(VqGePoint3d(0, 0, 1), VqGeVector3d(0, 0, 2));
    VqGePoint3d p(1, 2, 4);
    p.mirror(pln);
    EXPECT_PT3_NEAR(p, 1, 2, -2, 1e-15);
    EXPECT_PT3_NEAR(VqGePoint3d(1, 2, 4).orthoProject(pln), 1, 2, 1, 1e-15);
    EXPECT_PT3_NEAR(VqGePoint3d(1, 2, 4).project(pln, VqGeVector3d(1, 0, 1)), -2, 2, 1, 1e-15);
    const VqGePlane tilted(VqGePoint3d(1, 1, 1), VqGeVector3d(1, 1, 0));
    VqGePoint3d q(3, 3, 7);
    q.mirror(tilted);
    EXPECT_PT3_NEAR(q, -1, -1, 7, 1e-14);
}

TEST(VqGeVector3d, AngleOnPlane_QuarterTurns) {
    const VqGePlane pln(VqGePoint3d(), VqGeVector3d(2, 0, 0), VqGeVector3d(1, 1, 0));
    EXPECT_NEAR(VqGeVector3d(1, 0, 0).angleOnPlane(pln), 0.0, 1e-15);
    EXPECT_NEAR(VqGeVector3d(0, 1, 0).angleOnPlane(pln), kVqHalfPi, 1e-15);
    EXPECT_NEAR(VqGeVector3d(0, -1, 5).angleOnPlane(pln), 3 * kVqHalfPi, 1e-15);
}

#include "vqge_line2d.h"

// A direction of any length reflects the same way.
TEST(VqGePoint2d, MirrorLine_LongDirection_TrueReflection) {
    const VqGeLine2d line(VqGePoint2d(0, 1), VqGeVector2d(3, 3));
    VqGePoint2d p(1, 0);
    p.mirror(line);
    EXPECT_PT2_NEAR(p, -1, 2, 1e-14);
}
