// Planar entities: setters, queries, bounds, edges, identity and transformation.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "curves/imp_linear_ent3d.h"
#include "surfaces/imp_planar_ent.h"
#include "test_helpers.h"
#include "vqge_boundedplane.h"
#include "vqge_matrix3d.h"
#include "vqge_plane.h"

namespace {
VqGeVector3d randomVector(std::mt19937& gen, double scale) {
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    return VqGeVector3d(scale * unit(gen), scale * unit(gen), scale * unit(gen));
}
}  // namespace

TEST(VqGePlane, SetCoefficients_OffsetPlane_OriginAndCoefficients) {
    VqGePlane pln;
    pln.set(0, 0, 2, -4);
    EXPECT_PT3_NEAR(pln.pointOnPlane(), 0, 0, 2, 1e-15);
    double a = 9, b = 9, c = 9, d = 9;
    pln.getCoefficients(a, b, c, d);
    EXPECT_NEAR(a, 0, 1e-15);
    EXPECT_NEAR(b, 0, 1e-15);
    EXPECT_NEAR(c, 1, 1e-15);
    EXPECT_NEAR(d, -2, 1e-15);
    EXPECT_EQ(pln.type(), VqGe::kPlane);
}

TEST(VqGePlane, Constants_CoordinatePlanes_Normals) {
    EXPECT_PT3_NEAR(VqGePlane::kXYPlane.normal(), 0, 0, 1, 1e-15);
    EXPECT_PT3_NEAR(VqGePlane::kYZPlane.normal(), 1, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(VqGePlane::kZXPlane.normal(), 0, 1, 0, 1e-15);
    EXPECT_PT3_NEAR(VqGeImpPlanarEnt::kXYPlane.normal(), 0, 0, 1, 1e-15);
    EXPECT_PT3_NEAR(VqGeImpPlanarEnt::kXYPlane.pointOnPlane(), 0, 0, 0, 0.0);
}

TEST(VqGeBoundedPlane, ThreePoints_Bounded_UnitSquareAndFourthCorner) {
    const VqGePoint3d pu(3, 1, 0), o(1, 1, 0), pv(2, 4, 1);
    VqGeBoundedPlane bp(pu, o, pv);
    EXPECT_EQ(bp.type(), VqGe::kBoundedPlane);
    VqGeInterval iu, iv;
    bp.getEnvelope(iu, iv);
    ASSERT_EQ(iu.isBounded(), 1);
    ASSERT_EQ(iv.isBounded(), 1);
    EXPECT_EQ(iu.lowerBound(), 0.0);
    EXPECT_EQ(iu.upperBound(), 1.0);
    EXPECT_EQ(iv.lowerBound(), 0.0);
    EXPECT_EQ(iv.upperBound(), 1.0);
    const VqGePoint3d corner = bp.evalPoint(VqGePoint2d(1, 1));
    EXPECT_PT3_NEAR(corner, 4, 4, 1, 1e-15);
    EXPECT_EQ(bp.isOn(corner), 1);
    EXPECT_EQ(bp.isOn(bp.evalPoint(VqGePoint2d(1.5, 0.5))), 0);
    VqGePoint3d a, b, c;
    bp.get(a, b, c);
    EXPECT_PT3_NEAR(a, 3, 1, 0, 0.0);
    EXPECT_PT3_NEAR(c, 2, 4, 1, 0.0);
}

TEST(VqGeBoundedPlane, Default_NoBounds_StoredIdBounded) {
    VqGeBoundedPlane bp;
    EXPECT_EQ(bp.type(), VqGe::kBoundedPlane);
    EXPECT_EQ(bp.isKindOf(VqGe::kPlanarEnt), 1);
    EXPECT_EQ(bp.isKindOf(VqGe::kSurface), 1);
    EXPECT_EQ(bp.isKindOf(VqGe::kPlane), 0);
    VqGeInterval iu, iv;
    bp.getEnvelope(iu, iv);
    EXPECT_EQ(iu.isUnBounded(), 1);
    EXPECT_EQ(iv.isUnBounded(), 1);
}

TEST(VqGeImpPlanarEnt, Identity_KindsAndTypes) {
    VqGeImpPlanarEnt pln;
    EXPECT_EQ(pln.type(0), VqGe::kPlanarEnt);
    EXPECT_EQ(pln.type(1), VqGe::kPlane);
    EXPECT_EQ(pln.isKindOf(VqGe::kPlane, 1), 1);
    EXPECT_EQ(pln.isKindOf(VqGe::kPlane, 0), 0);
    EXPECT_EQ(pln.isKindOf(VqGe::kSurface, 0), 1);
    EXPECT_EQ(pln.isKindOf(VqGe::kEntity3d, 1), 1);
    EXPECT_EQ(pln.isKindOf(VqGe::kObject, 0), 1);
    EXPECT_EQ(pln.isKindOf(VqGe::kCurve3d, 1), 0);
    pln.set(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 1);
    EXPECT_EQ(pln.type(1), VqGe::kBoundedPlane);
    // Unbounding keeps the stored identity.
    pln.unbound();
    EXPECT_EQ(pln.type(1), VqGe::kBoundedPlane);
    EXPECT_EQ(pln.isBounded(), 0);
}

TEST(VqGeImpPlanarEnt, ParamOf_NonOrthogonalAxes_RoundTrip) {
    std::mt19937 gen(271828);
    for (int i = 0; i < 200; ++i) {
        const VqGePoint3d o = VqGePoint3d::kOrigin + randomVector(gen, 10);
        const VqGeVector3d u = randomVector(gen, 3), v = randomVector(gen, 3);
        if (u.crossProduct(v).length() < 0.3) continue;
        const VqGeImpPlanarEnt pln(o + u, o, o + v, 0);
        EXPECT_EQ(pln.isOn(o + u), 1);
        EXPECT_EQ(pln.isOn(o), 1);
        EXPECT_EQ(pln.isOn(o + v), 1);
        std::uniform_real_distribution<double> coord(-5, 5);
        const VqGePoint2d st(coord(gen), coord(gen));
        const VqGePoint3d onPlane = pln.evalPoint(st);
        const VqGePoint3d lifted = onPlane + u.crossProduct(v).normal() * coord(gen);
        const VqGePoint2d back = pln.paramOf(lifted, VqGeContext::gTol);
        EXPECT_NEAR(back.x, st.x, 1e-9);
        EXPECT_NEAR(back.y, st.y, 1e-9);
        EXPECT_LT(pln.evalPoint(back).distanceTo(onPlane), 1e-9);
        EXPECT_LT(pln.closestPointTo(lifted, VqGeContext::gTol).distanceTo(onPlane), 1e-9);
    }
}

TEST(VqGeImpPlanarEnt, SetPointNormal_AxesUnitAndOrthogonal) {
    const VqGeVector3d n(1, 2, 2);
    VqGeImpPlanarEnt pln(VqGePoint3d(1, 1, 1), n);
    EXPECT_NEAR(pln.uAxis().length(), 1.0, 1e-15);
    EXPECT_NEAR(pln.vAxis().length(), 1.0, 1e-15);
    EXPECT_NEAR(pln.uAxis().dotProduct(pln.vAxis()), 0.0, 1e-15);
    EXPECT_PT3_NEAR(pln.normal(), 1.0 / 3, 2.0 / 3, 2.0 / 3, 1e-15);
    EXPECT_NEAR(pln.signedDistanceTo(VqGePoint3d(1, 1, 1) + n), 3.0, 1e-14);
    // With the normal reversed, setting a normal keeps normal() pointing along it.
    pln.reverseNormal();
    EXPECT_PT3_NEAR(pln.normal(), -1.0 / 3, -2.0 / 3, -2.0 / 3, 1e-15);
    pln.set(VqGePoint3d(1, 1, 1), n);
    EXPECT_EQ(pln.isNormalReversed(), 1);
    EXPECT_PT3_NEAR(pln.normal(), 1.0 / 3, 2.0 / 3, 2.0 / 3, 1e-15);
}

// The three-point setter keeps the points in place even when the normal was reversed: the
// bounded parallelogram must still cover them.
TEST(VqGeImpPlanarEnt, SetThreePoints_NormalReversed_PointsKept) {
    VqGeImpPlanarEnt pln;
    pln.reverseNormal();
    pln.set(VqGePoint3d(1, 0, 0), VqGePoint3d(0, 0, 0), VqGePoint3d(0, 1, 0), 1);
    VqGePoint3d pu, o, pv;
    pln.get(pu, o, pv);
    EXPECT_PT3_NEAR(pv, 0, 1, 0, 0.0);
    EXPECT_EQ(pln.isOn(VqGePoint3d(0.5, 0.5, 0)), 1);
    EXPECT_EQ(pln.isOn(VqGePoint3d(0.5, -0.5, 0)), 0);
    EXPECT_PT3_NEAR(pln.normal(), 0, 0, 1, 0.0);
}

TEST(VqGeImpPlanarEnt, CoordSystem_ReversedFlagIgnored) {
    VqGeImpPlanarEnt pln(VqGePoint3d(1, 2, 3), VqGeVector3d(2, 0, 0), VqGeVector3d(1, 1, 0), 0);
    pln.reverseNormal();
    VqGePoint3d o;
    VqGeVector3d a1, a2;
    pln.getCoordSystem(o, a1, a2);
    EXPECT_PT3_NEAR(o, 1, 2, 3, 0.0);
    EXPECT_PT3_NEAR(a1, 1, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(a2, 0, 1, 0, 1e-15);
    EXPECT_PT3_NEAR(pln.normal(), 0, 0, -1, 1e-15);
}

TEST(VqGeImpPlanarEnt, IsWithinBounds_OutsideByTolerance_Within) {
    const VqGeImpPlanarEnt pln(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 1);
    const VqGeTol tol;
    EXPECT_EQ(pln.isWithinBounds(VqGePoint3d(1 + 0.5e-10, 0.5, 0), tol), 1);
    EXPECT_EQ(pln.isWithinBounds(VqGePoint3d(1 + 1e-9, 0.5, 0), tol), 0);
    EXPECT_EQ(pln.isWithinBounds(VqGePoint3d(0.5, -1e-9, 0), tol), 0);
    EXPECT_EQ(pln.isWithinBounds(VqGePoint3d(0.5, 0.5, 7), tol), 1);  // bounds ignore height
}

TEST(VqGeImpPlanarEnt, Boundary_Parallelogram_CounterClockwiseEdges) {
    const VqGeImpPlanarEnt pln(VqGePoint3d(), VqGeVector3d(2, 0, 0), VqGeVector3d(1, 1, 0), 1);
    VqGeImpCurve3d* edges[4] = {};
    ASSERT_EQ(pln.boundary(edges), 1);
    const VqGePoint3d starts[4] = {{0, 0, 0}, {2, 0, 0}, {3, 1, 0}, {1, 1, 0}};
    const VqGePoint3d ends[4] = {{2, 0, 0}, {3, 1, 0}, {1, 1, 0}, {0, 0, 0}};
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(edges[i], nullptr);
        const VqGeImpLinearEnt3d* e = static_cast<VqGeImpLinearEnt3d*>(edges[i]);
        EXPECT_LT(e->startPoint().distanceTo(starts[i]), 1e-15) << i;
        EXPECT_LT(e->endPoint().distanceTo(ends[i]), 1e-15) << i;
        delete edges[i];
    }
}

TEST(VqGeImpPlanarEnt, Boundary_HalfBounded_OnlyPresentEdges) {
    VqGeImpPlanarEnt pln;
    pln.setEnvelope(VqGeImpInterval(1, 0.0), VqGeImpInterval());
    VqGeImpCurve3d* edges[4] = {};
    ASSERT_EQ(pln.boundary(edges), 1);
    EXPECT_EQ(edges[0], nullptr);
    EXPECT_EQ(edges[1], nullptr);
    EXPECT_EQ(edges[2], nullptr);
    ASSERT_NE(edges[3], nullptr);
    delete edges[3];
    pln.unbound();
    EXPECT_EQ(pln.boundary(edges), 0);
}

TEST(VqGeImpPlanarEnt, TransformBy_Mirror_TogglesReversedFlag) {
    VqGeImpPlanarEnt pln(VqGePoint3d(0, 0, 1), VqGeVector3d(0, 0, 1));
    const VqGePoint3d above(0.3, 0.2, 5);
    EXPECT_GT(pln.signedDistanceTo(above), 0.0);
    const VqGeMatrix3d m = VqGeMatrix3d::mirroring(VqGePlane(VqGePoint3d(), VqGeVector3d(0, 0, 1)));
    pln.transformBy(m);
    EXPECT_EQ(pln.isNormalReversed(), 1);
    VqGePoint3d image = above;
    image.transformBy(m);
    EXPECT_GT(pln.signedDistanceTo(image), 0.0);
    EXPECT_PT3_NEAR(pln.pointOnPlane(), 0, 0, -1, 1e-15);
    pln.transformBy(VqGeMatrix3d::rotation(0.5, VqGeVector3d(1, 0, 0)));
    EXPECT_EQ(pln.isNormalReversed(), 1);
}

TEST(VqGeImpPlanarEnt, IsEqualTo_CopyEqual_DifferencesDetected) {
    const VqGeImpPlanarEnt pln(VqGePoint3d(1, 0, 0), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 1);
    VqGeImpPlanarEnt* c = pln.copy();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->isEqualTo(pln), 1);
    c->reverseNormal();
    EXPECT_EQ(c->isEqualTo(pln), 0);
    c->reverseNormal();
    c->translateBy(VqGeVector3d(0, 0, 1e-6));
    EXPECT_EQ(c->isEqualTo(pln), 0);
    c->translateBy(VqGeVector3d(0, 0, -1e-6));
    c->unbound();
    EXPECT_EQ(c->isEqualTo(pln), 0);
    delete c;
    const VqGeImpPlanarEnt other(VqGePoint3d(1, 0, 0), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 0);
    EXPECT_EQ(other.isEqualTo(pln), 0);  // a plane and a bounded plane
}

TEST(VqGeImpPlanarEnt, ParallelPerpendicularCoplanar_Planes) {
    const VqGeImpPlanarEnt a(VqGePoint3d(), VqGeVector3d(0, 0, 1));
    const VqGeImpPlanarEnt b(VqGePoint3d(5, 5, 0), VqGeVector3d(0, 0, -3));
    const VqGeImpPlanarEnt c(VqGePoint3d(0, 0, 1), VqGeVector3d(0, 0, 1));
    const VqGeImpPlanarEnt d(VqGePoint3d(), VqGeVector3d(1, 0, 0));
    const VqGeTol tol;
    EXPECT_EQ(a.isParallelTo(b, tol), 1);
    EXPECT_EQ(a.isCoplanarTo(b, tol), 1);
    EXPECT_EQ(a.isCoplanarTo(c, tol), 0);
    EXPECT_EQ(a.isPerpendicularTo(d, tol), 1);
    EXPECT_EQ(a.isParallelTo(d, tol), 0);
    // Bounds do not matter for coplanarity.
    const VqGeImpPlanarEnt e(VqGePoint3d(50, 50, 0), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 1);
    EXPECT_EQ(a.isCoplanarTo(e, tol), 1);
}

TEST(VqGeImpPlanarEnt, ClosedInU_StripBoundInU_NotClosed) {
    VqGeImpPlanarEnt pln;
    pln.setEnvelope(VqGeImpInterval(0.0, 2.0), VqGeImpInterval());
    EXPECT_EQ(pln.isClosedInU(), 0);
    EXPECT_EQ(pln.isClosedInV(), 0);
    // A degenerate plane whose u axis is zero has coinciding u edges.
    VqGeImpPlanarEnt flat(VqGePoint3d(), VqGeVector3d(), VqGeVector3d(0, 1, 0), 1);
    EXPECT_EQ(flat.isClosedInU(), 1);
    EXPECT_EQ(flat.isClosedInV(), 0);
}

TEST(VqGeImpPlanarEnt, Allocation_PlanesAndEdges_Balanced) {
    CountingHooks hooks;
    {
        VqGePlane pln(VqGePoint3d(1, 2, 3), VqGeVector3d(0, 1, 1));
        VqGeBoundedPlane bp(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0));
        EXPECT_PT3_NEAR(bp.closestPointTo(VqGePoint3d(3, 0.5, 2)), 1, 0.5, 0, 1e-15);
        VqGePlane copy(pln);
        copy = pln;
        EXPECT_EQ(copy.isEqualTo(pln), 1);
    }
    EXPECT_GT(hooks.allocs(), 0);
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeImpPlanarEnt, ClosestPoint_BoundedOutside_OnBoundaryNeverFartherThanSamples) {
    std::mt19937 gen(99);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const VqGeImpPlanarEnt pln(VqGePoint3d(1, 1, 0), VqGeVector3d(2, 0, 0.5), VqGeVector3d(0.5, 1, 0), 1);
    for (int i = 0; i < 50; ++i) {
        const VqGePoint3d p = VqGePoint3d::kOrigin + randomVector(gen, 6);
        const VqGePoint3d q = pln.closestPointTo(p, VqGeContext::gTol);
        EXPECT_EQ(pln.isOn(q), 1);
        const double best = q.distanceTo(p);
        for (int k = 0; k < 40; ++k) {
            const VqGePoint3d s = pln.evalPoint(VqGePoint2d(unit(gen), unit(gen)));
            EXPECT_LE(best, s.distanceTo(p) + 1e-12);
        }
    }
}

TEST(VqGeImpPlanarEnt, SetCoefficients_ZeroNormal_FiniteThroughOrigin) {
    VqGeImpPlanarEnt pln;
    pln.set(0.0, 0.0, 0.0, 5.0);
    const VqGePoint3d o = pln.pointOnPlane();
    EXPECT_TRUE(std::isfinite(o.x) && std::isfinite(o.y) && std::isfinite(o.z));
    EXPECT_PT3_NEAR(o, 0, 0, 0, 0.0);
    EXPECT_EQ(pln.type(1), VqGe::kPlane);
}
