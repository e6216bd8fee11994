// Planar entities: intersections with linear entities and with other planes.
#include <gtest/gtest.h>

#include <random>

#include "curves/imp_linear_ent3d.h"
#include "surfaces/imp_planar_ent.h"
#include "test_helpers.h"

namespace {
const VqGeTol kTol;

VqGeVector3d randomVector(std::mt19937& gen, double scale) {
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    return VqGeVector3d(scale * unit(gen), scale * unit(gen), scale * unit(gen));
}

VqGeImpPlanarEnt unitSquare() {
    return VqGeImpPlanarEnt(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 1);
}
}  // namespace

TEST(VqGeImpPlanarEnt, IntersectLine_Random_PointOnBoth) {
    std::mt19937 gen(4242);
    int hits = 0;
    for (int i = 0; i < 200; ++i) {
        const VqGeImpPlanarEnt pln(VqGePoint3d::kOrigin + randomVector(gen, 5),
                                   randomVector(gen, 1) + VqGeVector3d(0, 0, 0.2));
        const VqGeImpLinearEnt3d line(VqGePoint3d::kOrigin + randomVector(gen, 5),
                                      randomVector(gen, 2), 0, 0);
        VqGePoint3d p;
        if (!pln.intersectWith(line, p, kTol)) continue;
        ++hits;
        EXPECT_LT(std::fabs(pln.signedDistanceTo(p)), 1e-9);
        EXPECT_LT(line.closestPointTo(p, kTol).distanceTo(p), 1e-9);
    }
    EXPECT_GT(hits, 150);
}

TEST(VqGeImpPlanarEnt, IntersectLine_Parallel_ZeroPointUntouched) {
    const VqGeImpPlanarEnt pln(VqGePoint3d(), VqGeVector3d(0, 0, 1));
    const VqGeImpLinearEnt3d line(VqGePoint3d(0, 0, 1), VqGeVector3d(1, 1, 0), 0, 0);
    VqGePoint3d p(7, 7, 7);
    EXPECT_EQ(pln.intersectWith(line, p, kTol), 0);
    EXPECT_PT3_NEAR(p, 7, 7, 7, 0.0);
}

TEST(VqGeImpPlanarEnt, IntersectLine_SegmentShortOrOutside_ZeroPointWritten) {
    const VqGeImpPlanarEnt sq = unitSquare();
    const VqGeImpLinearEnt3d shortSeg(VqGePoint3d(0.5, 0.5, 2), VqGePoint3d(0.5, 0.5, 1), 1, 1);
    VqGePoint3d p;
    EXPECT_EQ(sq.intersectWith(shortSeg, p, kTol), 0);
    EXPECT_PT3_NEAR(p, 0.5, 0.5, 0, 1e-15);
    const VqGeImpLinearEnt3d outside(VqGePoint3d(2, 0.5, 1), VqGePoint3d(2, 0.5, -1), 1, 1);
    EXPECT_EQ(sq.intersectWith(outside, p, kTol), 0);
    const VqGeImpLinearEnt3d through(VqGePoint3d(0.5, 0.5, 1), VqGePoint3d(0.5, 0.5, -1), 1, 1);
    EXPECT_EQ(sq.intersectWith(through, p, kTol), 1);
}

TEST(VqGeImpPlanarEnt, IntersectPlanes_Parallel_NeverEvenCoincident) {
    const VqGeImpPlanarEnt a(VqGePoint3d(), VqGeVector3d(0, 0, 1));
    const VqGeImpPlanarEnt b(VqGePoint3d(1, 2, 0), VqGeVector3d(0, 0, -1));
    VqGeImpLinearEnt3d line;
    EXPECT_EQ(a.intersectWith(b, line, kTol), 0);
    EXPECT_EQ(a.intersectWith(a, line, kTol), 0);
}

TEST(VqGeImpPlanarEnt, IntersectPlanes_Random_LineOnBoth) {
    std::mt19937 gen(777);
    for (int i = 0; i < 200; ++i) {
        const VqGeImpPlanarEnt a(VqGePoint3d::kOrigin + randomVector(gen, 5), randomVector(gen, 1));
        const VqGeImpPlanarEnt b(VqGePoint3d::kOrigin + randomVector(gen, 5), randomVector(gen, 1));
        VqGeImpLinearEnt3d line;
        if (!a.intersectWith(b, line, kTol)) {
            EXPECT_EQ(a.isParallelTo(b, kTol), 1);
            continue;
        }
        EXPECT_EQ(line.interval().isUnBounded(), 1);
        for (double t : {-3.0, 0.0, 2.5}) {
            const VqGePoint3d p = line.pointAt(t);
            EXPECT_LT(std::fabs(a.signedDistanceTo(p)), 1e-8);
            EXPECT_LT(std::fabs(b.signedDistanceTo(p)), 1e-8);
        }
    }
}

TEST(VqGeImpPlanarEnt, IntersectBounded_ThroughCornerIntoInterior_Segment) {
    const VqGeImpPlanarEnt sq = unitSquare();
    // The plane x = y crosses the square's diagonal, entering at corner (0, 0).
    const VqGeImpPlanarEnt diag(VqGePoint3d(), VqGeVector3d(1, -1, 0));
    VqGeImpLinearEnt3d seg;
    ASSERT_EQ(sq.intersectWith(diag, seg, kTol), 1);
    ASSERT_EQ(seg.interval().isBounded(), 1);
    const VqGePoint3d s = seg.startPoint(), e = seg.endPoint();
    EXPECT_LT(std::fmin(s.distanceTo(VqGePoint3d(0, 0, 0)), e.distanceTo(VqGePoint3d(0, 0, 0))),
              1e-12);
    EXPECT_LT(std::fmin(s.distanceTo(VqGePoint3d(1, 1, 0)), e.distanceTo(VqGePoint3d(1, 1, 0))),
              1e-12);
}

TEST(VqGeImpPlanarEnt, IntersectBounded_TouchingCornerFromOutside_None) {
    const VqGeImpPlanarEnt sq = unitSquare();
    // The plane x + y = 0 touches the square only at its corner (0, 0).
    const VqGeImpPlanarEnt touch(VqGePoint3d(), VqGeVector3d(1, 1, 0));
    VqGeImpLinearEnt3d seg;
    EXPECT_EQ(sq.intersectWith(touch, seg, kTol), 0);
}

TEST(VqGeImpPlanarEnt, IntersectBounded_HalfBoundedOneEdge_RayIntoPlane) {
    VqGeImpPlanarEnt half;
    half.setEnvelope(VqGeImpInterval(), VqGeImpInterval(1, 0.0));  // y >= 0
    const VqGeImpPlanarEnt cut(VqGePoint3d(2, 0, 0), VqGeVector3d(1, 0, 0));  // x = 2
    VqGeImpLinearEnt3d ray;
    ASSERT_EQ(half.intersectWith(cut, ray, kTol), 1);
    EXPECT_EQ(ray.interval().isBoundedBelow(), 1);
    EXPECT_EQ(ray.interval().isBoundedAbove(), 0);
    EXPECT_PT3_NEAR(ray.startPoint(), 2, 0, 0, 1e-14);
    EXPECT_GT(ray.pointAt(1.0).y, 0.0);
    // The opposite normal gives the opposite common direction, and still a ray inwards.
    const VqGeImpPlanarEnt cutBack(VqGePoint3d(2, 0, 0), VqGeVector3d(-1, 0, 0));
    ASSERT_EQ(half.intersectWith(cutBack, ray, kTol), 1);
    EXPECT_GT(ray.pointAt(1.0).y, 0.0);
}

// A line inside a strip crosses no edge; it is the whole intersection.
TEST(VqGeImpPlanarEnt, IntersectBounded_LineInsideStrip_WholeLine) {
    VqGeImpPlanarEnt strip;
    strip.setEnvelope(VqGeImpInterval(0.0, 1.0), VqGeImpInterval());  // 0 <= x <= 1
    const VqGeImpPlanarEnt inside(VqGePoint3d(0.5, 0, 0), VqGeVector3d(1, 0, 0));
    VqGeImpLinearEnt3d line;
    ASSERT_EQ(strip.intersectWith(inside, line, kTol), 1);
    EXPECT_EQ(line.interval().isUnBounded(), 1);
    EXPECT_NEAR(line.pointOnLine().x, 0.5, 1e-15);
    EXPECT_EQ(line.direction().isParallelTo(VqGeVector3d(0, 1, 0)), 1);
    const VqGeImpPlanarEnt outside(VqGePoint3d(3, 0, 0), VqGeVector3d(1, 0, 0));
    EXPECT_EQ(strip.intersectWith(outside, line, kTol), 0);
    // Across the strip the line is cut to a segment.
    const VqGeImpPlanarEnt across(VqGePoint3d(0, 4, 0), VqGeVector3d(0, 1, 0));
    ASSERT_EQ(strip.intersectWith(across, line, kTol), 1);
    EXPECT_EQ(line.interval().isBounded(), 1);
    EXPECT_NEAR(line.startPoint().distanceTo(line.endPoint()), 1.0, 1e-14);
}

TEST(VqGeImpPlanarEnt, IntersectBounded_BothBounded_OverlapOfParts) {
    const VqGeImpPlanarEnt sq = unitSquare();
    // A vertical square in y = 0.5 spanning x in [0.5, 3].
    const VqGeImpPlanarEnt wall(VqGePoint3d(0.5, 0.5, -1), VqGeVector3d(2.5, 0, 0),
                                VqGeVector3d(0, 0, 2), 1);
    VqGeImpLinearEnt3d seg;
    ASSERT_EQ(sq.intersectWith(wall, seg, kTol), 1);
    const double x0 = std::fmin(seg.startPoint().x, seg.endPoint().x);
    const double x1 = std::fmax(seg.startPoint().x, seg.endPoint().x);
    EXPECT_NEAR(x0, 0.5, 1e-12);
    EXPECT_NEAR(x1, 1.0, 1e-12);
    EXPECT_NEAR(seg.startPoint().y, 0.5, 1e-12);
    // Moved away, the parts no longer meet.
    const VqGeImpPlanarEnt far(VqGePoint3d(2, 0.5, -1), VqGeVector3d(2.5, 0, 0),
                               VqGeVector3d(0, 0, 2), 1);
    EXPECT_EQ(sq.intersectWith(far, seg, kTol), 0);
}
