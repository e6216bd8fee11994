// Planes and lines at drawing scale: crossings at coordinates up to 1e8, ends that touch a
// plane within the tolerance, and non-finite input.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "curves/imp_linear_ent3d.h"
#include "curves/joint_checks.h"
#include "curves/vqge_tol_scale.h"
#include "surfaces/imp_planar_ent.h"
#include "test_helpers.h"

namespace {
using Rng = JointRandom;

VqGeVector3d unitVec(Rng& rng) {
    const VqGeVector3d v(rng(-1, 1), rng(-1, 1), rng(-1, 1));
    return v * (1.0 / v.length());
}

double tolAround(const VqGePoint3d& p) {
    VqGeTolScale scale(VqGeContext::gTol);
    return scale.add(p).pointTol();
}
}  // namespace

// A wall segment through a bounded plane is met wherever the model sits, and the point lies
// on both within the tolerance raised to the rounding of its coordinates.
TEST(VqGeImpPlanarEnt, IntersectLine_CrossingsAtDrawingScale_AllFound) {
    Rng rng(90311u);
    const double shifts[3] = {0.0, 1e6, 1e8};
    for (int n = 0; n < 1500; ++n) {
        const double shift = shifts[n % 3];
        const VqGePoint3d c(shift + rng(-1e3, 1e3), shift + rng(-1e3, 1e3), rng(-1e3, 1e3));
        const VqGeVector3d u = unitVec(rng) * rng(1.0, 1e4);
        VqGeVector3d v = unitVec(rng).crossProduct(u);
        if (v.length() < 1e-3 * u.length()) continue;
        v = v * (rng(1.0, 1e4) / v.length());
        const double s = rng(0.05, 0.95), t = rng(0.05, 0.95);
        const VqGeImpPlanarEnt face(c - u * s - v * t, u, v, 1);
        const VqGeVector3d d = unitVec(rng);
        const VqGeVector3d n3 = u.crossProduct(v);
        if (std::fabs(d.dotProduct(n3)) < 0.05 * n3.length()) continue;
        const double len = rng(1.0, 1e5), f = rng(0.05, 0.95);
        const VqGeImpLinearEnt3d seg(c - d * (f * len), c + d * ((1.0 - f) * len), 1, 1);
        VqGePoint3d p;
        ASSERT_EQ(face.intersectWith(seg, p, VqGeContext::gTol), 1) << n;
        const double eps = tolAround(c);
        EXPECT_LE(std::fabs(face.signedDistanceTo(p)), eps);
        EXPECT_LE(seg.closestPointTo(p, VqGeContext::gTol).distanceTo(p), eps);
        EXPECT_LE(p.distanceTo(c), 1e3 * eps);
    }
}

// A shallow segment whose end lies on the plane within the tolerance meets it at that end,
// though its line crosses the plane beyond the end.
TEST(VqGeImpPlanarEnt, IntersectLine_EndWithinToleranceCrossingBeyond_ReportsEnd) {
    VqGeTol tol;
    tol.setEqualPoint(1e-6);
    const VqGeImpPlanarEnt floor(VqGePoint3d(5e5, 5e5, 12.0), VqGeVector3d(0, 0, 1));
    const VqGePoint3d end(5e5 + 3.0, 5e5 - 2.0, 12.0 + 0.6e-6);
    // 0.01 rad above the floor: the line meets it 6e-5 beyond the end.
    const VqGeImpLinearEnt3d seg(end + VqGeVector3d(-100.0, 0.0, 1.0), end, 1, 1);
    VqGePoint3d p;
    ASSERT_EQ(floor.intersectWith(seg, p, tol), 1);
    EXPECT_EQ(p.distanceTo(end), 0.0);
    // Farther than the tolerance: nothing.
    const VqGePoint3d high(5e5 + 3.0, 5e5 - 2.0, 12.0 + 2e-6);
    const VqGeImpLinearEnt3d above(high + VqGeVector3d(-100.0, 0.0, 1.0), high, 1, 1);
    EXPECT_EQ(floor.intersectWith(above, p, tol), 0);
}

TEST(VqGeImpPlanarEnt, IntersectLine_NonFiniteInput_NothingFound) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const VqGeImpPlanarEnt good(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 0, 1));
    const VqGeImpPlanarEnt bad(VqGePoint3d(nan, 0, 0), VqGeVector3d(0, 0, 1));
    const VqGeImpLinearEnt3d seg(VqGePoint3d(0, 0, -1), VqGePoint3d(0, 0, 1), 1, 1);
    const VqGeImpLinearEnt3d badSeg(VqGePoint3d(0, 0, -1), VqGePoint3d(0, inf, 1), 1, 1);
    const VqGeImpLinearEnt3d badDir(VqGePoint3d(0, 0, -1), VqGeVector3d(nan, 0, 1), 0, 0);
    VqGePoint3d p;
    EXPECT_EQ(good.intersectWith(seg, p, VqGeContext::gTol), 1);
    EXPECT_EQ(bad.intersectWith(seg, p, VqGeContext::gTol), 0);
    EXPECT_EQ(good.intersectWith(badSeg, p, VqGeContext::gTol), 0);
    EXPECT_EQ(good.intersectWith(badDir, p, VqGeContext::gTol), 0);
    VqGeTol nanTol;
    nanTol.setEqualPoint(nan);
    EXPECT_EQ(good.intersectWith(seg, p, nanTol), 0);
}
