// Matrix builders that take planes and lines; built once those classes are in the library.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "test_helpers.h"
#include "vqge_matrix2d.h"
#include "vqge_matrix3d.h"

#include "vqge_plane.h"

TEST(Matrix3d, MirroringPlane_RandomPlanes_ReflectsPoints) {
    std::mt19937 gen(5150);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 100; ++i) {
        const VqGePoint3d o(5 * unit(gen), 5 * unit(gen), 5 * unit(gen));
        const VqGeVector3d n = VqGeVector3d(unit(gen), unit(gen), unit(gen) + 1.5).normal();
        const VqGePlane pln(o, n);
        const VqGeMatrix3d m = VqGeMatrix3d::mirroring(pln);
        const VqGePoint3d p(5 * unit(gen), 5 * unit(gen), 5 * unit(gen));
        const double dist = (p - o).dotProduct(n);
        const VqGePoint3d want = p - n * (2.0 * dist);
        EXPECT_LT((m * p).distanceTo(want), 1e-12);
        EXPECT_NEAR(m.det(), -1.0, 1e-13);
        VqGeMatrix3d s;
        EXPECT_EQ(s.setToMirroring(pln).isEqualTo(m), 1);
    }
}

TEST(Matrix3d, Projection_AlongDirection_LandsOnPlane) {
    const VqGePlane pln(VqGePoint3d(0, 0, 2), VqGeVector3d(0, 0, 1));
    const VqGeVector3d dir(1, 0, -1);
    VqGeMatrix3d m = VqGeMatrix3d::translation(VqGeVector3d(1, 1, 1));
    m(3, 0) = 0.5;  // another projective row before: the builder resets it
    m.setToProjection(pln, dir);
    EXPECT_EQ(m(3, 0), 0.0);
    EXPECT_EQ(m(3, 3), 1.0);
    EXPECT_PT3_NEAR(m * VqGePoint3d(1, 1, 5), 4, 1, 2, 1e-15);
    EXPECT_PT3_NEAR(m * VqGePoint3d(7, 8, 2), 7, 8, 2, 1e-15);
    EXPECT_EQ(VqGeMatrix3d::projection(pln, dir).isEqualTo(m), 1);
    // A tilted plane and direction: the image lies on the plane and differs from p along dir.
    const VqGeVector3d n = VqGeVector3d(1, 2, 3).normal();
    const VqGePlane tilted(VqGePoint3d(1, -1, 2), n);
    const VqGeVector3d d(0.3, -1, 2);
    const VqGePoint3d p(4, 5, 6);
    const VqGePoint3d q = VqGeMatrix3d::projection(tilted, d) * p;
    EXPECT_NEAR((q - VqGePoint3d(1, -1, 2)).dotProduct(n), 0.0, 1e-13);
    EXPECT_LT((p - q).crossProduct(d).length(), 1e-12);
}

TEST(Matrix3d, WorldToPlane_Plane_MovesPlanePointToOrigin) {
    const VqGePoint3d o(1, 2, 3);
    const VqGePlane tilted(o, VqGeVector3d(1, 1, 1));
    const VqGeMatrix3d w = VqGeMatrix3d::worldToPlane(tilted);
    const VqGeMatrix3d p = VqGeMatrix3d::planeToWorld(tilted);
    EXPECT_PT3_NEAR(w * o, 0, 0, 0, 1e-14);
    EXPECT_PT3_NEAR(w * (o + tilted.normal()), 0, 0, 1, 1e-14);
    EXPECT_PT3_NEAR(p * VqGePoint3d::kOrigin, 1, 2, 3, 0.0);
    VqGeMatrix3d id = p * w;
    EXPECT_EQ(id.isEqualTo(VqGeMatrix3d::kIdentity, VqGeTol()), 1);
    // Along z the frame is the world's own, only moved.
    const VqGePlane flat(o, VqGeVector3d(0, 0, 4));
    EXPECT_EQ(VqGeMatrix3d::worldToPlane(flat).isEqualTo(
                  VqGeMatrix3d::translation(VqGeVector3d(-1, -2, -3))),
              1);
    VqGeMatrix3d s;
    EXPECT_EQ(s.setToPlaneToWorld(flat).isEqualTo(VqGeMatrix3d::translation(o.asVector())), 1);
    EXPECT_EQ(s.setToWorldToPlane(tilted).isEqualTo(w), 1);
}

#include "vqge_line3d.h"

TEST(Matrix3d, MirroringLine_HalfTurnAboutLine) {
    const VqGeLine3d line(VqGePoint3d(1, 0, 0), VqGeVector3d(0, 0, 2));
    const VqGeMatrix3d m = VqGeMatrix3d::mirroring(line);
    EXPECT_PT3_NEAR(m * VqGePoint3d(2, 0, 5), 0, 0, 5, 1e-15);
    EXPECT_PT3_NEAR(m * VqGePoint3d(1, 0, -3), 1, 0, -3, 1e-15);
    VqGeMatrix3d s;
    EXPECT_EQ(s.setToMirroring(line).isEqualTo(m), 1);
}

#include "vqge_line2d.h"

TEST(Matrix2d, MirroringLine_ReflectsAcrossLine) {
    const VqGeLine2d line(VqGePoint2d(0, 1), VqGeVector2d(2, 2));  // y = x + 1
    const VqGeMatrix2d m = VqGeMatrix2d::mirroring(line);
    EXPECT_PT2_NEAR(m * VqGePoint2d(1, 0), -1, 2, 1e-14);
    EXPECT_PT2_NEAR(m * VqGePoint2d(3, 4), 3, 4, 1e-14);
    double scale = 0, angle = 0;
    int mirror = 0;
    VqGeVector2d reflection;
    ASSERT_EQ(m.isConformal(scale, angle, mirror, reflection), 1);
    EXPECT_EQ(mirror, 1);
    EXPECT_PT2_NEAR(reflection, std::sqrt(0.5), std::sqrt(0.5), 1e-15);
    VqGeMatrix2d s;
    EXPECT_EQ(s.setToMirroring(line).isEqualTo(m), 1);
}

