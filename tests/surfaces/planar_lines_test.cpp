// Planes with lines through the public classes: intersections, lying on, the planes a line
// defines, the common plane of two curves and projection of curves onto planes.
#include <gtest/gtest.h>

#include "curves/imp_curve3d.h"
#include "surfaces/imp_planar_ent.h"
#include "test_helpers.h"
#include "vqge_boundedplane.h"
#include "vqge_line2d.h"
#include "vqge_line3d.h"
#include "vqge_lineseg2d.h"
#include "vqge_lineseg3d.h"
#include "vqge_plane.h"
#include "vqge_position3d.h"

TEST(VqGePlane, IntersectWithPlane_PublicLine_OnBoth) {
    const VqGePlane a(VqGePoint3d(0, 0, 1), VqGeVector3d(0, 0, 1));
    const VqGePlane b(VqGePoint3d(2, 0, 0), VqGeVector3d(1, 0, 0));
    VqGeLine3d line;
    ASSERT_EQ(a.intersectWith(b, line), 1);
    EXPECT_EQ(line.type(), VqGe::kLine3d);
    EXPECT_NEAR(line.pointOnLine().x, 2, 1e-15);
    EXPECT_NEAR(line.pointOnLine().z, 1, 1e-15);
    EXPECT_EQ(line.direction().isParallelTo(VqGeVector3d(0, 1, 0)), 1);
    EXPECT_EQ(a.intersectWith(a, line), 0);
}

TEST(VqGeBoundedPlane, IntersectWithPlane_PublicSegment_Clipped) {
    const VqGeBoundedPlane sq(VqGePoint3d(), VqGeVector3d(2, 0, 0), VqGeVector3d(0, 2, 0));
    const VqGePlane cut(VqGePoint3d(1, 0, 0), VqGeVector3d(1, 0, 0));
    VqGeLineSeg3d seg;
    ASSERT_EQ(sq.intersectWith(cut, seg), 1);
    EXPECT_NEAR(seg.startPoint().distanceTo(seg.endPoint()), 2.0, 1e-14);
    VqGeLineSeg3d seg2;
    ASSERT_EQ(cut.intersectWith(sq, seg2), 1);
    EXPECT_NEAR(seg2.midPoint().distanceTo(VqGePoint3d(1, 1, 0)), 0.0, 1e-14);
    VqGePoint3d p;
    const VqGeLineSeg3d down(VqGePoint3d(0.5, 0.5, 1), VqGePoint3d(0.5, 0.5, -1));
    EXPECT_EQ(sq.intersectWith(down, p), 1);
    EXPECT_PT3_NEAR(p, 0.5, 0.5, 0, 1e-15);
    EXPECT_EQ(down.intersectWith(sq, p), 1);
    EXPECT_EQ(sq.isPerpendicularTo(down), 1);
    EXPECT_EQ(sq.isParallelTo(down), 0);
    VqGePoint3d onLine;
    const VqGeLineSeg3d above(VqGePoint3d(3, 1, 1), VqGePoint3d(4, 1, 2));
    EXPECT_PT3_NEAR(sq.closestPointToLinearEnt(above, onLine), 2, 1, 0, 1e-12);
    EXPECT_PT3_NEAR(onLine, 3, 1, 1, 1e-12);
}

TEST(VqGeLinearEnt3d, PlaneQueries_OnParallelPerpPlaneBisector) {
    const VqGePlane pln(VqGePoint3d(0, 0, 1), VqGeVector3d(0, 0, 1));
    const VqGeLine3d inPlane(VqGePoint3d(5, 5, 1), VqGeVector3d(1, 2, 0));
    const VqGeLine3d above(VqGePoint3d(5, 5, 2), VqGeVector3d(1, 2, 0));
    EXPECT_EQ(inPlane.isOn(pln), 1);
    EXPECT_EQ(above.isOn(pln), 0);
    EXPECT_EQ(above.isParallelTo(pln), 1);
    EXPECT_EQ(above.isPerpendicularTo(pln), 0);
    VqGePlane perp;
    above.getPerpPlane(VqGePoint3d(1, 1, 1), perp);
    EXPECT_EQ(perp.normal().isParallelTo(VqGeVector3d(1, 2, 0)), 1);
    EXPECT_NEAR(perp.signedDistanceTo(VqGePoint3d(1, 1, 1)), 0.0, 1e-15);
    const VqGeLineSeg3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 0, 0));
    VqGePlane bis;
    seg.getBisector(bis);
    EXPECT_NEAR(bis.signedDistanceTo(VqGePoint3d(1, 7, -3)), 0.0, 1e-15);
    EXPECT_NEAR(bis.signedDistanceTo(VqGePoint3d(0, 0, 0)),
                -bis.signedDistanceTo(VqGePoint3d(2, 0, 0)), 1e-15);
}

TEST(VqGeCurve3d, IsCoplanarWith_Lines_PlaneHoldsBoth) {
    const VqGeLine3d a(VqGePoint3d(0, 0, 1), VqGeVector3d(1, 0, 0));
    const VqGeLine3d b(VqGePoint3d(0, 3, 1), VqGeVector3d(1, 1, 0));
    VqGePlane pln;
    ASSERT_EQ(a.isCoplanarWith(b, pln), 1);
    EXPECT_EQ(a.isOn(pln), 1);
    EXPECT_EQ(b.isOn(pln), 1);
    // Skew lines share no plane.
    const VqGeLine3d skew(VqGePoint3d(0, 3, 2), VqGeVector3d(1, 1, 0));
    EXPECT_EQ(a.isCoplanarWith(skew, pln), 0);
    // Parallel lines apart, and one line with itself.
    const VqGeLine3d parallel(VqGePoint3d(0, 4, 5), VqGeVector3d(-2, 0, 0));
    ASSERT_EQ(a.isCoplanarWith(parallel, pln), 1);
    EXPECT_EQ(a.isOn(pln), 1);
    EXPECT_EQ(parallel.isOn(pln), 1);
    ASSERT_EQ(a.isCoplanarWith(a, pln), 1);
    EXPECT_EQ(a.isOn(pln), 1);
}

TEST(VqGeCurve3d, IsCoplanarWith_TwoDimensional_XYPlane) {
    const VqGeLine2d a(VqGePoint2d(0, 0), VqGeVector2d(1, 0));
    const VqGeLineSeg2d b(VqGePoint2d(0, 1), VqGePoint2d(1, 3));
    VqGeImpPlanarEnt pln(VqGePoint3d(1, 1, 1), VqGeVector3d(1, 0, 0));
    ASSERT_EQ(a.impCurve()->isCoplanarWith(*b.impCurve(), pln, VqGeTol()), 1);
    EXPECT_PT3_NEAR(pln.normal(), 0, 0, 1, 1e-15);
    EXPECT_PT3_NEAR(pln.pointOnPlane(), 0, 0, 0, 0.0);
}

TEST(VqGeCurve3d, IsPlanarIsLinear_Segment) {
    const VqGeLineSeg3d seg(VqGePoint3d(1, 2, 3), VqGePoint3d(2, 2, 3));
    VqGePlane pln;
    ASSERT_EQ(seg.isPlanar(pln), 1);
    EXPECT_EQ(seg.isOn(pln), 1);
    VqGeLine3d line;
    ASSERT_EQ(seg.isLinear(line), 1);
    EXPECT_EQ(line.isOn(VqGePoint3d(7, 2, 3)), 1);
}

TEST(VqGeCurve3d, OrthoProject_SegmentOntoPlane_NewEntityOwned) {
    CountingHooks hooks;
    {
        const VqGePlane floor(VqGePoint3d(), VqGeVector3d(0, 0, 1));
        const VqGeLineSeg3d seg(VqGePoint3d(0, 0, 5), VqGePoint3d(1, 1, 7));
        VqGeEntity3d* proj = seg.orthoProject(floor);
        ASSERT_NE(proj, nullptr);
        ASSERT_EQ(proj->isKindOf(VqGe::kLinearEnt3d), 1);
        const VqGeLineSeg3d& flat = static_cast<const VqGeLineSeg3d&>(*proj);
        EXPECT_PT3_NEAR(flat.startPoint(), 0, 0, 0, 1e-15);
        EXPECT_PT3_NEAR(flat.endPoint(), 1, 1, 0, 1e-15);
        delete proj;
        // Along the segment's own direction it projects to a point.
        const VqGeLineSeg3d upright(VqGePoint3d(2, 3, 5), VqGePoint3d(2, 3, 7));
        VqGeEntity3d* dot = upright.project(floor, VqGeVector3d(0, 0, 1));
        ASSERT_NE(dot, nullptr);
        EXPECT_EQ(dot->type(), VqGe::kPosition3d);
        EXPECT_PT3_NEAR(static_cast<const VqGePosition3d*>(dot)->point3d(), 2, 3, 0, 1e-15);
        delete dot;
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeEntity3d, Mirror_PlaneAndLine2d_Reflects) {
    VqGeLineSeg3d seg(VqGePoint3d(0, 0, 1), VqGePoint3d(1, 0, 3));
    seg.mirror(VqGePlane(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 0, 1)));
    EXPECT_PT3_NEAR(seg.startPoint(), 0, 0, -1, 1e-15);
    EXPECT_PT3_NEAR(seg.endPoint(), 1, 0, -3, 1e-15);
    VqGeLineSeg2d seg2(VqGePoint2d(1, 0), VqGePoint2d(2, 0));
    seg2.mirror(VqGeLine2d(VqGePoint2d(0, 1), VqGeVector2d(5, 5)));
    EXPECT_PT2_NEAR(seg2.startPoint(), -1, 2, 1e-14);
    EXPECT_PT2_NEAR(seg2.endPoint(), -1, 3, 1e-14);
}
