// Lines at drawing scale: seeded crossings at coordinates up to 1e8, long nearly parallel
// segments, point-like segments, and non-finite input.
#include <cmath>
#include <limits>
#include <random>

#include "curves/imp_linear_ent3d.h"
#include "curves/joint_checks.h"
#include "curves/vqge_tol_scale.h"
#include "test_helpers.h"
#include "vqge_curveintdata.h"
#include "vqge_lineseg2d.h"
#include "vqge_lineseg3d.h"

namespace {
using Lin = VqGeImpLinearEnt3d;

using Rng = JointRandom;

VqGeVector3d unitXY(Rng& rng) {
    const double a = rng(0.0, 6.283185307179586);
    return VqGeVector3d(std::cos(a), std::sin(a), 0.0);
}

// The effective point tolerance of a pair (what the library allows for).
double pairTol(const VqGeTol& tol, const Lin& a, const Lin& b) {
    VqGeTolScale scale(tol);
    scale.add(a.startPoint()).add(a.endPoint()).add(b.startPoint()).add(b.endPoint());
    return scale.pointTol();
}

// A segment through c along dir, c lying at the fraction f of it.
Lin segmentThrough(const VqGePoint3d& c, const VqGeVector3d& dir, double len, double f) {
    return Lin(c - dir * (f * len), c + dir * ((1.0 - f) * len), 1, 1);
}

int intersect(const Lin& a, const Lin& b, VqGeCurveIntData& data,
              const VqGeTol& tol = VqGeContext::gTol) {
    return a.intersectWith(b, VqGeVector3d(0, 0, 1), data, tol);
}
}  // namespace

// The crossing of two walls is found wherever the drawing sits, in the plane z = c as in
// z = 0, through the 3D and the 2D classes alike.
TEST(LineSeg3d, IntersectWith_CrossingsInPlaneZAtDrawingScale_AllFoundAs2d) {
    Rng rng(90301u);
    const double shifts[4] = {0.0, 1e6, 1e7, 1e8};
    int checked = 0;
    for (int n = 0; n < 2000; ++n) {
        const double shift = shifts[n % 4];
        const VqGePoint3d c(shift + rng(-1e3, 1e3), -shift + rng(-1e3, 1e3), rng(-1e4, 1e4));
        const VqGeVector3d u = unitXY(rng), v = unitXY(rng);
        if (std::fabs(u.crossProduct(v).z) < 1e-3) continue;
        const Lin a = segmentThrough(c, u, rng(1.0, 1e5), rng(0.05, 0.95));
        const Lin b = segmentThrough(c, v, rng(1.0, 1e5), rng(0.05, 0.95));
        VqGeCurveIntData ab, ba;
        ASSERT_EQ(intersect(a, b, ab), 1) << n;
        ASSERT_EQ(intersect(b, a, ba), 1) << n;
        ASSERT_EQ(ab.numIntPoints(), 1);
        const VqGePoint3d p = ab.intPnt(0);
        const double eps = pairTol(VqGeContext::gTol, a, b);
        EXPECT_LE(a.closestPointTo(p, VqGeContext::gTol).distanceTo(p), eps);
        EXPECT_LE(b.closestPointTo(p, VqGeContext::gTol).distanceTo(p), eps);
        EXPECT_EQ(ba.intPnt(0).distanceTo(p), 0.0);
        // 2D: the same pair at z = 0 through the public classes.
        const VqGePoint3d s1 = a.startPoint(), e1 = a.endPoint(), s2 = b.startPoint(),
                          e2 = b.endPoint();
        const VqGeLineSeg2d a2(VqGePoint2d(s1.x, s1.y), VqGePoint2d(e1.x, e1.y));
        const VqGeLineSeg2d b2(VqGePoint2d(s2.x, s2.y), VqGePoint2d(e2.x, e2.y));
        VqGePoint2d p2;
        ASSERT_EQ(a2.intersectWith(b2, p2), 1) << n;
        EXPECT_EQ(p2.x, p.x);
        EXPECT_EQ(p2.y, p.y);
        ++checked;
    }
    EXPECT_GT(checked, 1900);
}

// Long segments crossing at tiny angles: an overlap exactly when they stay within the
// tolerance over the common stretch, one crossing point otherwise; never both, never none.
TEST(LineSeg3d, IntersectWith_LongNearlyParallelSegments_OverlapOnlyWithinTolerance) {
    Rng rng(90302u);
    int overlaps = 0, crossings = 0;
    for (int n = 0; n < 600; ++n) {
        const double shift = n % 2 ? 1e8 : 1e5;
        const VqGePoint3d c(shift + rng(-10, 10), shift + rng(-10, 10), n % 3 ? 0.0 : 250.5);
        const VqGeVector3d u = unitXY(rng);
        const double angle = std::exp(rng(std::log(1e-14), std::log(1e-6)));
        const VqGeVector3d v = u * std::cos(angle) + VqGeVector3d(-u.y, u.x, 0) * std::sin(angle);
        const double len = rng(1e4, 1e6);
        const Lin a = segmentThrough(c, u, len, 0.5);
        const Lin b = segmentThrough(c, v, len, 0.5);
        const double eps = pairTol(VqGeContext::gTol, a, b);
        // Separation of the far ends from the other line.
        const double apart = 0.5 * len * std::sin(angle);
        if (apart > 0.5 * eps && apart < 2.0 * eps) continue;  // too close to call
        VqGeCurveIntData ab, ba;
        intersect(a, b, ab);
        intersect(b, a, ba);
        EXPECT_EQ(ab.numIntPoints() + ab.numOverlap(), 1) << n;
        EXPECT_EQ(ab.numIntPoints(), ba.numIntPoints());
        EXPECT_EQ(ab.numOverlap(), ba.numOverlap());
        if (apart <= 0.5 * eps) {
            EXPECT_EQ(ab.numOverlap(), 1) << n;
            ++overlaps;
        } else {
            ASSERT_EQ(ab.numIntPoints(), 1) << n;
            const VqGePoint3d p = ab.intPnt(0);
            EXPECT_LE(a.closestPointTo(p, VqGeContext::gTol).distanceTo(p), eps);
            EXPECT_LE(b.closestPointTo(p, VqGeContext::gTol).distanceTo(p), eps);
            ++crossings;
        }
    }
    EXPECT_GT(overlaps, 50);
    EXPECT_GT(crossings, 50);
}

// A segment shorter than the tolerance is a point: it touches what it lies on, at any scale.
TEST(LineSeg3d, IntersectWith_PointLikeSegments_TouchWhereOnNothingElsewhere) {
    Rng rng(90303u);
    for (int n = 0; n < 400; ++n) {
        const double shift = n % 2 ? 1e8 : 0.0;
        const VqGePoint3d s(shift + rng(-1e3, 1e3), rng(-1e3, 1e3), n % 4 < 2 ? 0.0 : 7.25);
        const VqGeVector3d u = unitXY(rng);
        const Lin wall(s, s + u * rng(10.0, 1e4), 1, 1);
        const double eps = pairTol(VqGeContext::gTol, wall, wall);
        const VqGePoint3d on = wall.pointAt(rng(0.0, 1.0));
        const VqGePoint3d off = on + VqGeVector3d(-u.y, u.x, 0) * (10.0 * eps);
        const VqGeVector3d tiny = unitXY(rng) * (0.1 * eps);
        const Lin dotOn(on, on + tiny, 1, 1), dotOff(off, off + tiny, 1, 1);
        const Lin zero(on, VqGeVector3d(0, 0, 0), 1, 1);
        VqGeCurveIntData d1, d2, d3, d4;
        ASSERT_EQ(intersect(wall, dotOn, d1), 1) << n;
        ASSERT_EQ(d1.numIntPoints(), 1);
        int c1, c2;
        d1.getIntConfigs(0, c1, c2);
        EXPECT_EQ(c1, VqGe::kOverlapTouch);
        EXPECT_EQ(c2, VqGe::kOverlapTouch);
        EXPECT_EQ(intersect(dotOn, wall, d2), 1);
        EXPECT_EQ(intersect(zero, wall, d3), 1);
        EXPECT_EQ(intersect(wall, dotOff, d4), 0);
        EXPECT_EQ(d4.numIntPoints() + d4.numOverlap(), 0);
    }
}

// NaN or infinite coordinates, directions, bounds or tolerances: nothing found, at once.
TEST(VqGeImpLinearEnt3d, IntersectWith_NonFiniteInput_NothingFound) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Lin good(VqGePoint3d(0, 0, 0), VqGePoint3d(10, 10, 0), 1, 1);
    const Lin bad[6] = {Lin(VqGePoint3d(nan, 0, 0), VqGePoint3d(10, 0, 0), 1, 1),
                        Lin(VqGePoint3d(0, 10, 0), VqGePoint3d(inf, 0, 0), 1, 1),
                        Lin(VqGePoint3d(0, 10, 0), VqGeVector3d(nan, nan, nan), 0, 0),
                        Lin(VqGePoint3d(-inf, 10, 0), VqGeVector3d(1, -1, 0), 0, 0),
                        Lin(VqGePoint3d(0, 10, 0), VqGeVector3d(1, -1, 0), 1, 0),
                        Lin(VqGePoint3d(nan, nan, nan), VqGeVector3d(0, 0, 0), 1, 1)};
    VqGeTol nanTol;
    nanTol.setEqualPoint(nan);
    for (int k = 0; k < 7; ++k) {
        Lin e = k < 6 ? bad[k] : Lin(VqGePoint3d(0, 10, 0), VqGePoint3d(10, 0, 0), 1, 1);
        if (k == 4) e.setInterval(VqGeImpInterval(nan, 1.0), 0);
        const VqGeTol& tol = k == 6 ? nanTol : VqGeContext::gTol;
        VqGeCurveIntData ab, ba;
        EXPECT_EQ(intersect(good, e, ab, tol), 0) << k;
        EXPECT_EQ(intersect(e, good, ba, tol), 0) << k;
        EXPECT_EQ(ab.numIntPoints() + ab.numOverlap() + ba.numIntPoints() + ba.numOverlap(), 0);
        VqGePoint3d p;
        EXPECT_EQ(good.intersectWithLine(e, p, tol), 0);
        Lin* common = nullptr;
        EXPECT_EQ(good.overlap(e, common, tol), 0);
        EXPECT_EQ(common, nullptr);
    }
    // Through the public intersection entity, both dimensions.
    const VqGeLineSeg3d a3(VqGePoint3d(0, 0, 0), VqGePoint3d(10, 10, 0));
    const VqGeLineSeg3d b3(VqGePoint3d(0, 10, 0), VqGePoint3d(nan, 0, 0));
    EXPECT_EQ(VqGeCurveCurveInt3d(a3, b3).numIntPoints(), 0);
    const VqGeLineSeg2d a2(VqGePoint2d(0, 0), VqGePoint2d(10, 10));
    const VqGeLineSeg2d b2(VqGePoint2d(0, inf), VqGePoint2d(10, 0));
    const VqGeCurveCurveInt2d cci2(a2, b2);
    EXPECT_EQ(cci2.numIntPoints(), 0);
    EXPECT_EQ(cci2.overlapCount(), 0);
}

// The rounding allowance starts only where the coordinates' rounding passes the tolerance.
TEST(VqGeTolScale, PointTol_RaisedOnlyAboveTheTolerance) {
    VqGeTolScale small(VqGeContext::gTol);
    small.add(VqGePoint3d(1e3, -2e3, 5));
    EXPECT_EQ(small.pointTol(), 1e-10);
    EXPECT_EQ(small.tol().equalVector(), VqGeContext::gTol.equalVector());
    VqGeTolScale big(VqGeContext::gTol);
    big.add(VqGePoint3d(3, -1e8, 2)).check(VqGeVector3d(1, 2, 3));
    EXPECT_GT(big.pointTol(), 1.49e-8);   // one unit in the last place at 1e8
    EXPECT_LT(big.pointTol(), 1e-7);
    EXPECT_EQ(big.tol().equalPoint(), big.pointTol());
    EXPECT_TRUE(big.isFinite());
    VqGeTol negative;
    negative.setEqualPoint(-1e-3);
    EXPECT_EQ(VqGeTolScale(negative).add(1e8).pointTol(), 1e-3);
    EXPECT_FALSE(VqGeTolScale(VqGeContext::gTol).check(std::nan("")).isFinite());
    EXPECT_FALSE(VqGeTolScale(VqGeContext::gTol).add(HUGE_VAL).isFinite());
}

// The point-only intersection keeps no record: crossing, touching and overlapping pairs are
// decided without taking memory.
TEST(VqGeImpLinearEnt3d, IntersectWithLine_AnyOutcome_NoAllocation) {
    const Lin a(VqGePoint3d(1e7, 0, 0), VqGePoint3d(1e7 + 10, 10, 0), 1, 1);
    const Lin cross(VqGePoint3d(1e7, 10, 0), VqGePoint3d(1e7 + 10, 0, 0), 1, 1);
    const Lin touch(VqGePoint3d(1e7 + 10, 10, 0), VqGePoint3d(1e7 + 20, 20, 0), 1, 1);
    const Lin along(VqGePoint3d(1e7 + 5, 5, 0), VqGePoint3d(1e7 + 20, 20, 0), 1, 1);
    CountingHooks hooks;
    VqGePoint3d p;
    EXPECT_EQ(a.intersectWithLine(cross, p), 1);
    EXPECT_EQ(a.intersectWithLine(touch, p), 1);
    EXPECT_EQ(p.distanceTo(VqGePoint3d(1e7 + 10, 10, 0)), 0.0);
    EXPECT_EQ(a.intersectWithLine(along, p), 0);
    EXPECT_EQ(CountingHooks::allocs(), 0);
}
