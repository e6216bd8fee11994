// Planar entities: closest points to other planes and to curves.
#include <gtest/gtest.h>

#include <random>

#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "surfaces/imp_point_on_surface.h"
#include "surfaces/imp_planar_ent.h"
#include "test_helpers.h"
#include "tests/curves/test_curve.h"

namespace {
const VqGeTol kTol;
}

TEST(VqGeImpPlanarEnt, ClosestToPlane_UnboundedParallel_OriginOfOther) {
    const VqGeImpPlanarEnt a(VqGePoint3d(), VqGeVector3d(0, 0, 1));
    const VqGeImpPlanarEnt b(VqGePoint3d(3, 4, 2), VqGeVector3d(0, 0, 1));
    VqGePoint3d onB;
    const VqGePoint3d onA = a.closestPntPlanarEnt(b, onB, kTol);
    EXPECT_PT3_NEAR(onB, 3, 4, 2, 0.0);
    EXPECT_PT3_NEAR(onA, 3, 4, 0, 1e-15);
}

TEST(VqGeImpPlanarEnt, ClosestToPlane_BothUnboundedCrossing_SamePoint) {
    const VqGeImpPlanarEnt a(VqGePoint3d(), VqGeVector3d(0, 0, 1));
    const VqGeImpPlanarEnt b(VqGePoint3d(1, 0, 0), VqGeVector3d(1, 0, 1));
    VqGePoint3d onB;
    const VqGePoint3d onA = a.closestPntPlanarEnt(b, onB, kTol);
    EXPECT_LT(onA.distanceTo(onB), 1e-14);
    EXPECT_NEAR(a.signedDistanceTo(onA), 0.0, 1e-14);
    EXPECT_NEAR(b.signedDistanceTo(onA), 0.0, 1e-14);
}

TEST(VqGeImpPlanarEnt, ClosestToPlane_BoundedAboveTilted_NearestEdge) {
    const VqGeImpPlanarEnt floor(VqGePoint3d(), VqGeVector3d(0, 0, 1));
    // A square tilted up from z = 1 to z = 2 along x.
    const VqGeImpPlanarEnt tile(VqGePoint3d(0, 0, 1), VqGeVector3d(1, 0, 1), VqGeVector3d(0, 1, 0), 1);
    VqGePoint3d onFloor;
    const VqGePoint3d onTile = tile.closestPntPlanarEnt(floor, onFloor, kTol);
    EXPECT_NEAR(onTile.z, 1.0, 1e-12);
    EXPECT_NEAR(onTile.x, 0.0, 1e-12);
    EXPECT_NEAR(onFloor.z, 0.0, 1e-12);
    EXPECT_NEAR(onTile.distanceTo(onFloor), 1.0, 1e-12);
    // Asked the other way round, the roles are exchanged.
    VqGePoint3d onTile2;
    const VqGePoint3d onFloor2 = floor.closestPntPlanarEnt(tile, onTile2, kTol);
    EXPECT_NEAR(onFloor2.distanceTo(onTile2), 1.0, 1e-12);
    EXPECT_NEAR(onTile2.z, 1.0, 1e-12);
}

TEST(VqGeImpPlanarEnt, ClosestToLine_Crossing_IntersectionOnBoth) {
    const VqGeImpPlanarEnt pln(VqGePoint3d(), VqGeVector3d(0, 0, 1));
    const VqGeImpLinearEnt3d line(VqGePoint3d(1, 1, 1), VqGeVector3d(0, 1, -1), 0, 0);
    VqGePoint3d onLine;
    const VqGePoint3d onPln = pln.closestPointTo(line, onLine, kTol);
    EXPECT_PT3_NEAR(onPln, 1, 2, 0, 1e-14);
    EXPECT_PT3_NEAR(onLine, 1, 2, 0, 1e-14);
}

TEST(VqGeImpPlanarEnt, ClosestToLine_SegmentAbove_NearEndProjected) {
    const VqGeImpPlanarEnt pln(VqGePoint3d(), VqGeVector3d(0, 0, 1));
    const VqGeImpLinearEnt3d seg(VqGePoint3d(0, 0, 3), VqGePoint3d(1, 0, 1), 1, 1);
    VqGePoint3d onSeg;
    const VqGePoint3d onPln = pln.closestPointTo(seg, onSeg, kTol);
    EXPECT_PT3_NEAR(onSeg, 1, 0, 1, 1e-14);
    EXPECT_PT3_NEAR(onPln, 1, 0, 0, 1e-14);
}

TEST(VqGeImpPlanarEnt, ClosestToLine_BoundedPlaneLineOutside_NotFartherThanSamples) {
    std::mt19937 gen(31337);
    std::uniform_real_distribution<double> unit(-1.0, 1.0), param(0.0, 1.0);
    const VqGeImpPlanarEnt sq(VqGePoint3d(), VqGeVector3d(2, 0, 0), VqGeVector3d(0.5, 1, 0), 1);
    for (int i = 0; i < 40; ++i) {
        const VqGePoint3d a(4 * unit(gen), 4 * unit(gen), 0.5 + param(gen));
        const VqGePoint3d b(4 * unit(gen), 4 * unit(gen), 0.5 + param(gen));
        const VqGeImpLinearEnt3d seg(a, b, 1, 1);
        VqGePoint3d onSeg;
        const VqGePoint3d onPln = sq.closestPointTo(seg, onSeg, kTol);
        EXPECT_EQ(sq.isOn(onPln), 1);
        EXPECT_EQ(seg.isOn(onSeg, kTol), 1);
        const double best = onPln.distanceTo(onSeg);
        for (int k = 0; k < 30; ++k) {
            const VqGePoint3d s = sq.evalPoint(VqGePoint2d(param(gen), param(gen)));
            const VqGePoint3d c = seg.pointAt(param(gen));
            EXPECT_LE(best, s.distanceTo(c) + 1e-9);
        }
    }
}


// A curve kind without a closed form: the sampled search finds the lowest helix point.
TEST(VqGeImpPlanarEnt, ClosestToCurve_Helix_LowestPointAboveFloor) {
    const TestHelix helix(1.0, 0.5);  // z from 0 to pi over one turn
    const VqGeImpPlanarEnt tilted(VqGePoint3d(0, 0, -1), VqGeVector3d(0.2, 0, 1));
    VqGePoint3d onHelix;
    const VqGePoint3d onPlane = tilted.closestPointTo(helix, onHelix, kTol);
    const double best = onPlane.distanceTo(onHelix);
    EXPECT_NEAR(tilted.signedDistanceTo(onPlane), 0.0, 1e-12);
    VqGeImpPointOnCurve3d at(&helix);
    for (int i = 0; i <= 400; ++i) {
        const VqGePoint3d c = at.point(6.283185307179586 * i / 400);
        EXPECT_LE(best, std::fabs(tilted.signedDistanceTo(c)) + 1e-9);
    }
    VqGeImpPointOnCurve3d poc;
    VqGeImpPointOnSurface pos;
    tilted.getClosestPointTo(helix, poc, pos, kTol);
    EXPECT_EQ(poc.curve(), &helix);
    EXPECT_EQ(pos.surface(), &tilted);
    EXPECT_LT(pos.point().distanceTo(onPlane), 1e-12);
    EXPECT_NEAR(tilted.distanceTo(helix, kTol), best, 1e-12);
}
