#include <cmath>
#include <random>

#include "test_helpers.h"
#include "vqge_line2d.h"
#include "vqge_line3d.h"
#include "vqge_plane.h"
#include "vqge_util.h"

TEST(VqGeUtil, CentroidAndMoments_PinnedValues) {
    VqArray<VqGePoint3d> pts;
    pts.append(VqGePoint3d(0, 0, 0));
    pts.append(VqGePoint3d(2, 0, 0));
    pts.append(VqGePoint3d(2, 2, 0));
    pts.append(VqGePoint3d(0, 2, 4));
    EXPECT_PT3_NEAR(VqGeUtil::centroidOf(pts), 1, 1, 1, 1e-15);
    double m[3][3];
    VqGeUtil::getMomentsOfInertiaOf(pts, m);
    EXPECT_DOUBLE_EQ(m[0][0], 4.0);
    EXPECT_DOUBLE_EQ(m[1][1], 4.0);
    EXPECT_DOUBLE_EQ(m[2][2], 12.0);
    EXPECT_DOUBLE_EQ(m[0][1], 0.0);
    EXPECT_DOUBLE_EQ(m[0][2], -4.0);  // not negated: the covariance-style scatter
    EXPECT_DOUBLE_EQ(m[2][1], 4.0);
    VqArray<VqGePoint2d> p2;
    p2.append(VqGePoint2d(1, 1));
    p2.append(VqGePoint2d(3, 3));
    double m2[2][2];
    VqGeUtil::getMomentsOfInertiaOf(p2, m2);
    EXPECT_DOUBLE_EQ(m2[0][1], 2.0);
    EXPECT_PT2_NEAR(VqGeUtil::centroidOf(p2), 2, 2, 0);
}

TEST(VqGeUtil, EmptyOrZeroWeight_ZeroResultOutputsUntouched) {
    VqArray<VqGePoint3d> none;
    VqArray<VqGePoint2d> none2;
    EXPECT_PT3_NEAR(VqGeUtil::centroidOf(none), 0, 0, 0, 0);
    VqGeLine3d line(VqGePoint3d(1, 2, 3), VqGeVector3d(0, 0, 1));
    VqGeLine2d line2(VqGePoint2d(1, 2), VqGeVector2d(0, 1));
    VqGePlane plane(VqGePoint3d(0, 0, 5), VqGeVector3d(0, 0, 1));
    EXPECT_EQ(VqGeUtil::getLineDefinedBy(none, line, 1e-6), 0);
    EXPECT_EQ(VqGeUtil::getLineDefinedBy(none2, line2, 1e-6), 0);
    EXPECT_EQ(VqGeUtil::getPlaneDefinedBy(none, plane, 1e-6), 0);
    EXPECT_PT3_NEAR(line.pointOnLine(), 1, 2, 3, 0);
    EXPECT_PT2_NEAR(line2.pointOnLine(), 1, 2, 0);
    VqArray<VqGePoint3d> pts;
    VqArray<double> w;
    for (int i = 0; i < 3; ++i) {
        pts.append(VqGePoint3d(i, i * i, 1));
        w.append(i == 1 ? 0.0 : 1.0);
    }
    EXPECT_EQ(VqGeUtil::getPlaneDefinedByHomogeneous(pts, w, plane, 1e-6), 0);
    w.removeLast();  // fewer weights than points
    EXPECT_EQ(VqGeUtil::getPlaneDefinedByHomogeneous(pts, w, plane, 1e-6), 0);
    EXPECT_PT3_NEAR(plane.pointOnPlane(), 0, 0, 5, 0);
}

TEST(VqGeUtil, LineFit2d_BandRecentredAndWidthTested) {
    const double t = 0.01;
    VqArray<VqGePoint2d> pts;
    for (int i = 0; i < 3; ++i) pts.append(VqGePoint2d(i * 10.0, 0.0));
    pts.append(VqGePoint2d(15.0, 2 * t * 0.9));  // band [0, 1.8t] not centred on the centroid
    VqGeLine2d line;
    ASSERT_EQ(VqGeUtil::getLineDefinedBy(pts, line, t), 1);
    EXPECT_TRUE(line.direction().isParallelTo(VqGeVector2d(1, 0), VqGeTol()) ||
                std::fabs(line.direction().y) < 1e-3);
    // Every point lies within t of the fitted line.
    for (int i = 0; i < pts.length(); ++i) EXPECT_LE(line.distanceTo(pts[i]), t + 1e-12);
    pts.append(VqGePoint2d(5.0, 2 * t + 0.02));
    VqGeLine2d untouched(VqGePoint2d(7, 7), VqGeVector2d(1, 1));
    EXPECT_EQ(VqGeUtil::getLineDefinedBy(pts, untouched, t), 0);
    EXPECT_PT2_NEAR(untouched.pointOnLine(), 7, 7, 0);
}

// Seeded random: planted lines and planes are recovered with noise below the tolerance and
// rejected with noise above it.
TEST(VqGeUtil, Fits_RandomPlantedLinesAndPlanes) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    const double tol = 1e-3;
    for (int trial = 0; trial < 30; ++trial) {
        const VqGePoint3d o(u(gen), u(gen), u(gen));
        const VqGeVector3d d = VqGeVector3d(u(gen), u(gen), u(gen)).normal();
        const VqGeVector3d n1 = d.perpVector(), n2 = d.crossProduct(n1);
        VqArray<VqGePoint3d> onLine, nearPlane;
        for (int i = 0; i < 20; ++i) {
            const double s = 10.0 * u(gen);
            onLine.append(o + d * s + n1 * (0.3 * tol * u(gen)) + n2 * (0.3 * tol * u(gen)));
            nearPlane.append(o + d * s + n1 * (5.0 * u(gen)) + n2 * (0.5 * tol * u(gen)));
        }
        VqGeLine3d line;
        ASSERT_EQ(VqGeUtil::getLineDefinedBy(onLine, line, tol), 1);
        EXPECT_TRUE(line.direction().isParallelTo(d, VqGeTol()) ||
                    line.direction().normal().crossProduct(d).length() < 1e-4);
        VqGePlane plane;
        ASSERT_EQ(VqGeUtil::getPlaneDefinedBy(nearPlane, plane, tol), 1);
        EXPECT_NEAR(std::fabs(plane.normal().dotProduct(n2)), 1.0, 1e-6);
        // Homogeneous form with doubled coordinates and weights 2 gives the same plane.
        VqArray<VqGePoint3d> doubled;
        VqArray<double> w;
        for (int i = 0; i < nearPlane.length(); ++i) {
            doubled.append(nearPlane[i] * 2.0);
            w.append(2.0);
        }
        VqGePlane hplane;
        ASSERT_EQ(VqGeUtil::getPlaneDefinedByHomogeneous(doubled, w, hplane, tol), 1);
        EXPECT_NEAR(std::fabs(hplane.normal().dotProduct(plane.normal())), 1.0, 1e-12);
        onLine.append(o + n1 * (3.0 * tol));
        EXPECT_EQ(VqGeUtil::getLineDefinedBy(onLine, line, tol), 0);
        nearPlane.append(o + n2 * (3.0 * tol));
        EXPECT_EQ(VqGeUtil::getPlaneDefinedBy(nearPlane, plane, tol), 0);
        EXPECT_NEAR(std::fabs(plane.normal().dotProduct(n2)), 1.0, 1e-3);  // still the fit
    }
}
