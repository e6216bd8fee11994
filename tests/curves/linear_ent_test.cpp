// The linear implementation object: construction, identity, set, evaluation, the interval
// rules, reversing, splitting, degeneracy, blocks and offsets.
#include "curves/imp_bound_block3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "entity/imp_position3d.h"
#include "test_helpers.h"
#include "vqge_lineseg2d.h"
#include "vqge_matrix3d.h"

namespace {
VqGeImpInterval intervalOf(const VqGeImpCurve3d& crv) {
    VqGeImpInterval iv;
    crv.getInterval(iv, 0, 0);
    return iv;
}
}  // namespace

TEST(VqGeImpLinearEnt3d, Construct_Flags_KindAndInterval) {
    VqGeImpLinearEnt3d line, seg(1, 1), below(1, 0), above(0, 1), none(0, 0);
    EXPECT_EQ(line.type(1), VqGe::kLine3d);
    EXPECT_EQ(line.type(0), VqGe::kLinearEnt3d);
    EXPECT_TRUE(intervalOf(line).isUnBounded());
    EXPECT_EQ(seg.type(1), VqGe::kLineSeg3d);
    EXPECT_DOUBLE_EQ(intervalOf(seg).lowerBound(), 0.0);
    EXPECT_DOUBLE_EQ(intervalOf(seg).upperBound(), 1.0);
    EXPECT_EQ(below.type(1), VqGe::kRay3d);
    EXPECT_TRUE(intervalOf(below).isBoundedBelow());
    EXPECT_FALSE(intervalOf(below).isBoundedAbove());
    EXPECT_EQ(above.type(1), VqGe::kRay3d);
    EXPECT_TRUE(intervalOf(above).isBoundedAbove());
    EXPECT_DOUBLE_EQ(intervalOf(above).upperBound(), 0.0);
    EXPECT_EQ(none.type(1), VqGe::kLine3d);
    VqGeImpLinearEnt3d fromPts(VqGePoint3d(1, 2, 3), VqGePoint3d(4, 6, 3), 1, 1);
    EXPECT_PT3_NEAR(fromPts.direction(), 3, 4, 0, 0);
    EXPECT_PT3_NEAR(fromPts.endPoint(), 4, 6, 3, 1e-15);
    EXPECT_PT3_NEAR(fromPts.midPoint(), 2.5, 4, 3, 1e-15);
    EXPECT_PT3_NEAR(fromPts.baryComb(0.25), 1.75, 3, 3, 1e-15);
}

TEST(VqGeImpLinearEnt3d, IsKindOf_PublicAndPrivate_LinearIds) {
    VqGeImpLinearEnt3d seg(1, 1);
    EXPECT_TRUE(seg.isKindOf(VqGe::kLinearEnt3d, 0));
    EXPECT_FALSE(seg.isKindOf(VqGe::kLineSeg3d, 0));
    EXPECT_TRUE(seg.isKindOf(VqGe::kLineSeg3d, 1));
    EXPECT_TRUE(seg.isKindOf(VqGe::kLinearEnt3d, 1));
    EXPECT_TRUE(seg.isKindOf(VqGe::kCurve3d, 1));
    EXPECT_FALSE(seg.isKindOf(VqGe::kRay3d, 1));
}

TEST(VqGeImpLinearEnt3d, Set_KindChangesIdButKeepsDimension) {
    VqGeImpLinearEnt3d seg(1, 1);
    seg.set(VqGePoint3d(1, 0, 0), VqGeVector3d(0, 2, 0), 0, 1);
    EXPECT_EQ(seg.entityType(), VqGe::kRay3d);
    EXPECT_TRUE(intervalOf(seg).isBoundedAbove());
    EXPECT_DOUBLE_EQ(intervalOf(seg).upperBound(), 1.0);
    // An object serving a 2D wrapper keeps the negative sign through a kind change.
    VqGeLineSeg2d flat;
    VqGeImpLinearEnt3d* imp = flat.impLinearEnt();
    imp->set(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 0, 0);
    EXPECT_EQ(imp->entityType(), -VqGe::kLine2d);
    EXPECT_EQ(flat.type(), VqGe::kLine2d);
    imp->set(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 1, 1);
    EXPECT_EQ(imp->entityType(), -VqGe::kLineSeg2d);
}

TEST(VqGeImpLinearEnt3d, Evaluate_PointOnCurve_PointAndDerivatives) {
    VqGeImpLinearEnt3d seg(VqGePoint3d(1, 1, 1), VqGeVector3d(2, 0, -1), 1, 1);
    VqGeImpPointOnCurve3d pc(&seg, 0.5);
    EXPECT_PT3_NEAR(pc.point(), 2, 1, 0.5, 1e-15);
    EXPECT_PT3_NEAR(pc.deriv(1), 2, 0, -1, 0);
    EXPECT_PT3_NEAR(pc.deriv(2), 0, 0, 0, 0);
    EXPECT_PT3_NEAR(pc.deriv(3), 0, 0, 0, 0);
    // The point's own transform applies to its private copy, not to the segment.
    pc.transformBy(VqGeMatrix3d::translation(VqGeVector3d(0, 0, 10)));
    EXPECT_PT3_NEAR(pc.point(), 2, 1, 10.5, 1e-14);
    EXPECT_PT3_NEAR(seg.evalPoint(0.5), 2, 1, 0.5, 1e-15);
}

TEST(VqGeImpLinearEnt3d, EvalPoint_Derivatives_CountFilledAndZeroBeyond) {
    VqGeImpLinearEnt3d line(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 2, 3), 0, 0);
    VqArray<VqGeVector3d> d;
    EXPECT_PT3_NEAR(line.evalPoint(2.0, 5, d), 2, 4, 6, 1e-15);
    ASSERT_EQ(d.length(), 5);
    EXPECT_PT3_NEAR(d[0], 1, 2, 3, 0);
    for (int k = 1; k < 5; ++k) EXPECT_PT3_NEAR(d[k], 0, 0, 0, 0);
    line.evalPoint(0.0, -3, d);
    EXPECT_EQ(d.length(), 0);
}

TEST(VqGeImpLinearEnt3d, GetInterval_ExtendFlags_DropBounds) {
    VqGeImpLinearEnt3d seg(1, 1);
    VqGeImpInterval iv;
    seg.getInterval(iv, 1, 0);
    EXPECT_FALSE(iv.isBoundedBelow());
    EXPECT_TRUE(iv.isBoundedAbove());
    seg.getInterval(iv, 0, 1);
    EXPECT_TRUE(iv.isBoundedBelow());
    EXPECT_FALSE(iv.isBoundedAbove());
    seg.getInterval(iv, 1, 1);
    EXPECT_TRUE(iv.isUnBounded());
}

TEST(VqGeImpLinearEnt3d, SetInterval_Natural_PerKind) {
    VqGeImpLinearEnt3d ray(0, 1);
    ray.setInterval(VqGeImpInterval(0, 5.0), 0);
    ray.setInterval();
    EXPECT_TRUE(intervalOf(ray).isBoundedAbove());
    EXPECT_FALSE(intervalOf(ray).isBoundedBelow());
    EXPECT_DOUBLE_EQ(intervalOf(ray).upperBound(), 0.0);
    VqGeImpLinearEnt3d seg(1, 1);
    seg.setInterval(VqGeImpInterval(-2.0, 3.0), 1);
    EXPECT_DOUBLE_EQ(intervalOf(seg).lowerBound(), -2.0);
    seg.setInterval();
    EXPECT_DOUBLE_EQ(intervalOf(seg).lowerBound(), 0.0);
    EXPECT_DOUBLE_EQ(intervalOf(seg).upperBound(), 1.0);
}

TEST(VqGeImpLinearEnt3d, ReverseParam_SegmentAndRay_SameSetOfPoints) {
    VqGeImpLinearEnt3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 0, 0), 1, 1);
    seg.reverseParam();
    EXPECT_DOUBLE_EQ(intervalOf(seg).lowerBound(), 0.0);
    EXPECT_DOUBLE_EQ(intervalOf(seg).upperBound(), 1.0);
    EXPECT_PT3_NEAR(seg.pointOnLine(), 2, 0, 0, 0);
    EXPECT_PT3_NEAR(seg.direction(), -2, 0, 0, 0);
    VqGeImpLinearEnt3d ray(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 1, 0);
    ray.setInterval(VqGeImpInterval(1, 3.0), 0);
    ray.reverseParam();
    EXPECT_TRUE(intervalOf(ray).isBoundedAbove());
    EXPECT_FALSE(intervalOf(ray).isBoundedBelow());
    EXPECT_DOUBLE_EQ(intervalOf(ray).upperBound(), -3.0);
    VqGePoint3d end;
    EXPECT_TRUE(ray.hasEndPoint(end));
    EXPECT_PT3_NEAR(end, 3, 0, 0, 0);
}

TEST(VqGeImpLinearEnt3d, IsOn_ParamAndPoint_BoundsAndTolerance) {
    VqGeImpLinearEnt3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0), 1, 1);
    EXPECT_TRUE(seg.isOn(1.0, VqGeContext::gTol));
    EXPECT_FALSE(seg.isOn(1.001, VqGeContext::gTol));
    EXPECT_TRUE(seg.isOn(1.0 + 1e-11, VqGeContext::gTol));  // equals the end point
    double t = -1;
    EXPECT_TRUE(seg.isOn(VqGePoint3d(0.25, 0, 0), t, VqGeContext::gTol));
    EXPECT_DOUBLE_EQ(t, 0.25);
    t = -1;
    EXPECT_FALSE(seg.isOn(VqGePoint3d(1.5, 0, 0), t, VqGeContext::gTol));
    EXPECT_DOUBLE_EQ(t, -1);
    EXPECT_FALSE(seg.isOn(VqGePoint3d(0.5, 1e-6, 0)));
    EXPECT_DOUBLE_EQ(seg.paramOf(VqGePoint3d(3, 7, 0), VqGeContext::gTol), 3.0);  // unclamped
}

TEST(VqGeImpLinearEnt3d, IsEqualTo_TypeOriginDirection) {
    VqGeImpLinearEnt3d a(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 1, 1);
    VqGeImpLinearEnt3d b(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 1, 0);
    VqGeImpLinearEnt3d c(VqGePoint3d(0, 0, 0), VqGeVector3d(2, 0, 0), 1, 1);
    VqGeImpLinearEnt3d copyA(a);
    EXPECT_TRUE(a.isEqualTo(copyA));
    EXPECT_FALSE(a.isEqualTo(b));  // ray against segment
    EXPECT_FALSE(a.isEqualTo(c));  // directions are compared unnormalised
}

TEST(VqGeImpLinearEnt3d, LengthAndParamAtLength_ScaledDirection) {
    VqGeImpLinearEnt3d line(VqGePoint3d(0, 0, 0), VqGeVector3d(3, 4, 0), 0, 0);
    EXPECT_DOUBLE_EQ(line.length(-1.0, 1.0, 1e-10), 10.0);
    EXPECT_DOUBLE_EQ(line.paramAtLength(1.0, 10.0, 1, 1e-10), 3.0);
    EXPECT_DOUBLE_EQ(line.paramAtLength(1.0, 10.0, 0, 1e-10), -1.0);
    VqGeImpLinearEnt3d dot(VqGePoint3d(1, 1, 1), VqGeVector3d(0, 0, 0), 1, 1);
    EXPECT_DOUBLE_EQ(dot.paramAtLength(0.5, 10.0, 1, 1e-10), 0.5);
    EXPECT_DOUBLE_EQ(dot.paramOf(VqGePoint3d(5, 5, 5), VqGeContext::gTol), 0.0);
}

TEST(VqGeImpLinearEnt3d, IsDegenerate_ZeroDirection_PositionOfDimension) {
    VqGeImpLinearEnt3d dot(VqGePoint3d(1, 2, 3), VqGeVector3d(0, 0, 0), 1, 1);
    VqGe::EntityId id = VqGe::kObject;
    EXPECT_TRUE(dot.isDegenerate(id, VqGeContext::gTol));
    EXPECT_EQ(id, VqGe::kPosition3d);
    VqGeImpEntity3d* ent = nullptr;
    EXPECT_TRUE(dot.isDegenerate(ent, VqGeContext::gTol));
    ASSERT_NE(ent, nullptr);
    EXPECT_EQ(ent->entityType(), VqGe::kPosition3d);
    EXPECT_PT3_NEAR(static_cast<VqGeImpPosition3d*>(ent)->point(), 1, 2, 3, 0);
    delete ent;
    VqGeLineSeg2d flat(VqGePoint2d(1, 1), VqGePoint2d(1, 1));
    EXPECT_TRUE(flat.impLinearEnt()->isDegenerate(id, VqGeContext::gTol));
    EXPECT_EQ(id, VqGe::kPosition2d);
    EXPECT_TRUE(flat.impLinearEnt()->isDegenerate(ent, VqGeContext::gTol));
    ASSERT_NE(ent, nullptr);
    EXPECT_EQ(ent->entityType(), -VqGe::kPosition2d);
    delete ent;
    VqGeImpLinearEnt3d seg(1, 1);
    ent = &seg;
    EXPECT_FALSE(seg.isDegenerate(ent, VqGeContext::gTol));
    EXPECT_EQ(ent, nullptr);
}

TEST(VqGeImpLinearEnt3d, GetSplitCurves_AtStartOrOutside_BothNull) {
    VqGeImpLinearEnt3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(4, 0, 0), 1, 1);
    VqGeImpCurve3d *a = &seg, *b = &seg;
    seg.getSplitCurves(0.0, a, b);
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(b, nullptr);
    seg.getSplitCurves(1.5, a, b);
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(b, nullptr);
}

TEST(VqGeImpLinearEnt3d, GetSplitCurves_SegmentAndLine_PiecesCoverEntity) {
    VqGeImpLinearEnt3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(4, 0, 0), 1, 1);
    VqGeImpCurve3d *a = nullptr, *b = nullptr;
    seg.getSplitCurves(0.25, a, b);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    VqGePoint3d s, e;
    EXPECT_EQ(a->type(1), VqGe::kLineSeg3d);
    EXPECT_TRUE(a->hasStartPoint(s) && a->hasEndPoint(e));
    EXPECT_PT3_NEAR(s, 0, 0, 0, 0);
    EXPECT_PT3_NEAR(e, 1, 0, 0, 1e-15);
    EXPECT_TRUE(b->hasStartPoint(s) && b->hasEndPoint(e));
    EXPECT_PT3_NEAR(s, 1, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(e, 4, 0, 0, 1e-15);
    delete a;
    delete b;
    VqGeImpLinearEnt3d line(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 0, 0);
    line.getSplitCurves(2.0, a, b);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->type(1), VqGe::kRay3d);
    EXPECT_EQ(b->type(1), VqGe::kRay3d);
    // The first piece runs towards the split point and ends there.
    EXPECT_FALSE(a->hasStartPoint(s));
    EXPECT_TRUE(a->hasEndPoint(e));
    EXPECT_PT3_NEAR(e, 2, 0, 0, 0);
    EXPECT_TRUE(a->isOn(VqGePoint3d(-50, 0, 0)));
    EXPECT_FALSE(a->isOn(VqGePoint3d(3, 0, 0)));
    EXPECT_TRUE(b->hasStartPoint(s));
    EXPECT_PT3_NEAR(s, 2, 0, 0, 0);
    EXPECT_TRUE(b->isOn(VqGePoint3d(50, 0, 0)));
    delete a;
    delete b;
}

TEST(VqGeImpLinearEnt3d, BoundBlock_SegmentAndRay_SwelledBox) {
    VqGeImpLinearEnt3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 1, 0), 1, 1);
    VqGePoint3d lo, hi;
    seg.boundBlock(3, intervalOf(seg), 0).getMinMaxPoints(lo, hi);
    EXPECT_PT3_NEAR(lo, -1e-8, -1e-8, -1e-8, 1e-15);
    EXPECT_PT3_NEAR(hi, 2 + 1e-8, 1 + 1e-8, 1e-8, 1e-15);
    const VqGeImpBoundBlock3d oriented = seg.boundBlock(3, intervalOf(seg), 1);
    EXPECT_FALSE(oriented.isBox());
    EXPECT_TRUE(oriented.contains(VqGePoint3d(1, 0.5, 0), 0));
    EXPECT_FALSE(oriented.contains(VqGePoint3d(1, 0.6, 0), 0));
    VqGeImpLinearEnt3d ray(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), 1, 0);
    ray.boundBlock(3, intervalOf(ray), 0).getMinMaxPoints(lo, hi);
    EXPECT_NEAR(hi.x, 1e12, 1.0);
    EXPECT_NEAR(lo.x, 0.0, 1e-7);
}

TEST(VqGeImpLinearEnt3d, ProjectBlockTo_Box_ClampedParams) {
    VqGeImpLinearEnt3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(10, 0, 0), 1, 1);
    VqGeImpBoundBlock3d block(VqGePoint3d(2, -1, -1), VqGePoint3d(4, 1, 1));
    VqGeImpInterval iv;
    seg.projectBlockTo(block, iv);
    EXPECT_NEAR(iv.lowerBound(), 0.2, 1e-15);
    EXPECT_NEAR(iv.upperBound(), 0.4, 1e-15);
    VqGeImpBoundBlock3d beyond(VqGePoint3d(8, 0, 0), VqGePoint3d(30, 1, 1));
    seg.projectBlockTo(beyond, iv);
    EXPECT_NEAR(iv.lowerBound(), 0.8, 1e-15);
    EXPECT_DOUBLE_EQ(iv.upperBound(), 1.0);
}

TEST(VqGeImpLinearEnt3d, ExactOffset_NormalCrossDirection_LinkedAndArraysEmptied) {
    VqGeImpLinearEnt3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 0, 0), 1, 1);
    VqArray<double> p1, p2;
    p1.append(1.0);
    p2.append(2.0);
    VqGeImpEntity3d* off = seg.exactOffset(3.0, VqGeVector3d(0, 0, 1), &p1, &p2,
                                           VqGe::kOffsetJoinExtend, VqGeContext::gTol);
    ASSERT_NE(off, nullptr);
    EXPECT_EQ(p1.length(), 0);
    EXPECT_EQ(p2.length(), 0);
    const VqGeImpLinearEnt3d* line = static_cast<VqGeImpLinearEnt3d*>(off);
    EXPECT_PT3_NEAR(line->pointOnLine(), 0, 3, 0, 1e-15);
    EXPECT_PT3_NEAR(line->direction(), 2, 0, 0, 0);
    EXPECT_TRUE(off->linked(&seg, "ExactOffsetCurve_Curve"));
    delete off;
    off = seg.exactOffset(1e-12, VqGeVector3d(0, 0, 1), nullptr, nullptr, VqGe::kOffsetJoinExtend,
                          VqGeContext::gTol);
    ASSERT_NE(off, nullptr);
    EXPECT_PT3_NEAR(static_cast<VqGeImpLinearEnt3d*>(off)->pointOnLine(), 0, 0, 0, 0);
    delete off;
}

TEST(VqGeImpLinearEnt3d, TransformAndTranslate_MoveGeometry) {
    VqGeImpLinearEnt3d seg(VqGePoint3d(1, 0, 0), VqGePoint3d(2, 0, 0), 1, 1);
    seg.transformBy(VqGeMatrix3d::scaling(2.0, VqGePoint3d(0, 0, 0)));
    EXPECT_PT3_NEAR(seg.pointOnLine(), 2, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(seg.direction(), 2, 0, 0, 1e-15);
    seg.translateBy(VqGeVector3d(0, 1, 0));
    EXPECT_PT3_NEAR(seg.pointOnLine(), 2, 1, 0, 1e-15);
    EXPECT_PT3_NEAR(seg.direction(), 2, 0, 0, 1e-15);
}

TEST(VqGeImpLinearEnt3d, AreaPlanarLinearClosed_Answers) {
    VqGeImpLinearEnt3d seg(VqGePoint3d(1, 0, 0), VqGePoint3d(2, 3, 0), 1, 1);
    double a = 5;
    EXPECT_TRUE(seg.area(0, 1, a, VqGeContext::gTol));
    EXPECT_EQ(a, 0.0);
    VqGeImpLinearEnt3d line;
    EXPECT_TRUE(seg.isLinear(line, VqGeContext::gTol));
    EXPECT_EQ(line.type(1), VqGe::kLine3d);
    EXPECT_TRUE(line.isOn(VqGePoint3d(3, 6, 0)));
    EXPECT_FALSE(seg.isClosed(VqGeContext::gTol));
    double period;
    EXPECT_FALSE(seg.isPeriodic(period, 0));
}
