// Public composite curves, 3D and 2D: construction from public curves, ownership of handed-over
// curves, the member handles, and the 2D chain against its lifted 3D twin.
#include <random>

#include "test_helpers.h"

namespace {

TEST(CompositePublic, DefaultConstructor_OneUnitSegment) {
    VqGeCompositeCurve3d c3;
    EXPECT_EQ(c3.type(), VqGe::kCompositeCurve3d);
    VqArray<void*> list;
    c3.getCurveList(list);
    ASSERT_EQ(list.length(), 1);
    EXPECT_EQ(static_cast<VqGeCurve3d*>(list[0])->type(), VqGe::kLineSeg3d);
    EXPECT_PT3_NEAR(c3.evalPoint(1.0), 1, 0, 0, 0);
    VqGeInterval i;
    c3.getInterval(i);
    EXPECT_EQ(i.lowerBound(), 0.0);
    EXPECT_EQ(i.upperBound(), 1.0);
    VqGeCompositeCurve2d c2;
    EXPECT_EQ(c2.type(), VqGe::kCompositeCurve2d);
    c2.getCurveList(list);
    ASSERT_EQ(list.length(), 1);
    EXPECT_EQ(static_cast<VqGeCurve2d*>(list[0])->type(), VqGe::kLineSeg2d);
    EXPECT_PT2_NEAR(c2.evalPoint(0.5), 0.5, 0, 0);
}

TEST(CompositePublic, FromCurves_HandlesAreTheCallersAndEditsReachTheChain) {
    VqGeLineSeg3d a(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 0, 0));
    VqGeLineSeg3d b(VqGePoint3d(2, 0, 0), VqGePoint3d(2, 3, 0));
    VqArray<void*> in;
    in.append(&a);
    in.append(&b);
    {
        VqGeCompositeCurve3d c(in);
        VqArray<void*> out;
        c.getCurveList(out);
        ASSERT_EQ(out.length(), 2);
        EXPECT_EQ(out[0], &a);
        EXPECT_EQ(out[1], &b);
        int seg;
        EXPECT_NEAR(c.globalToLocalParam(2.5, seg), 1.0 / 6.0, 1e-15);
        EXPECT_EQ(seg, 1);
        EXPECT_NEAR(c.localToGlobalParam(0.5, 1), 3.5, 1e-15);
        b.set(VqGePoint3d(2, 0, 0), VqGePoint3d(2, 10, 0));
        EXPECT_NEAR(c.length(0, 12), 12.0, 1e-12);
        EXPECT_PT3_NEAR(c.evalPoint(12.0), 2, 10, 0, 1e-12);
        // A public copy holds copies: the callers' curves stay as they are.
        VqGeCompositeCurve3d copy(c);
        copy.transformBy(VqGeMatrix3d::translation(VqGeVector3d(0, 0, 5)));
        EXPECT_PT3_NEAR(a.startPoint(), 0, 0, 0, 0);
        EXPECT_PT3_NEAR(copy.evalPoint(0.0), 0, 0, 5, 0);
    }
    EXPECT_PT3_NEAR(b.endPoint(), 2, 10, 0, 0);  // the composite did not own them
}

TEST(CompositePublic, FromCurves_CurveGoesFirst_ChainDropsIt) {
    VqGeCompositeCurve3d c;
    {
        VqGeLineSeg3d a(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0));
        VqGeLineSeg3d b(VqGePoint3d(1, 0, 0), VqGePoint3d(1, 1, 0));
        VqArray<void*> in;
        in.append(&a);
        in.append(&b);
        c.setCurveList(in);
    }
    VqArray<void*> out;
    c.getCurveList(out);
    EXPECT_EQ(out.length(), 0);
    EXPECT_EQ(c.length(0, 1), 0.0);
}

TEST(CompositePublic, HandedOverCurves_ReleasedWithTheChain) {
    CountingHooks hooks;
    {
        VqArray<void*> in;
        VqArray<int> own;
        in.append(new VqGeLineSeg3d(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0)));
        in.append(new VqGeLineSeg3d(VqGePoint3d(1, 0, 0), VqGePoint3d(1, 0, 0)));  // a point
        in.append(new VqGeLineSeg3d(VqGePoint3d(1, 0, 0), VqGePoint3d(1, 4, 0)));
        for (int i = 0; i < 3; ++i) own.append(1);
        VqGeCompositeCurve3d c(in, own);
        VqArray<void*> out;
        c.getCurveList(out);
        ASSERT_EQ(out.length(), 2);
        EXPECT_EQ(out[0], in[0]);
        EXPECT_NEAR(c.length(0, 5), 5.0, 1e-12);
        // Replacing the list lets the old handed-over curves go.
        VqArray<void*> next;
        VqArray<int> nextOwn;
        next.append(new VqGeLineSeg3d(VqGePoint3d(0, 0, 0), VqGePoint3d(0, 0, 7)));
        nextOwn.append(1);
        c.setCurveList(next, nextOwn);
        EXPECT_NEAR(c.length(0, 1), 7.0, 1e-12);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(CompositePublic, Nested_PublicChainFlattened) {
    VqGeCompositeCurve3d inner;  // the unit segment
    VqGeLineSeg3d tail(VqGePoint3d(1, 0, 0), VqGePoint3d(1, 2, 0));
    VqArray<void*> in;
    in.append(&inner);
    in.append(&tail);
    VqGeCompositeCurve3d outer(in);
    VqArray<void*> out;
    outer.getCurveList(out);
    ASSERT_EQ(out.length(), 2);
    EXPECT_EQ(static_cast<VqGeCurve3d*>(out[0])->type(), VqGe::kLineSeg3d);
    EXPECT_NEAR(outer.length(0, 3), 3.0, 1e-12);
}

// The 2D chain against its lifted 3D twin: points, lengths, closest points, intersections.
TEST(CompositePublic, Composite2d_RandomChains_AgreesWithLifted3d) {
    std::mt19937 rng(1341);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int trial = 0; trial < 20; ++trial) {
        const int n = 2 + trial % 6;
        VqArray<VqGePoint2d> p;
        for (int k = 0; k <= n; ++k)
            p.append(VqGePoint2d(u(rng), u(rng)) * 1e4 + VqGeVector2d(5e7, 0));
        VqArray<void*> l2, l3;
        VqArray<int> own;
        for (int k = 0; k < n; ++k) {
            l2.append(new VqGeLineSeg2d(p[k], p[k + 1]));
            l3.append(new VqGeLineSeg3d(VqGePoint3d(p[k].x, p[k].y, 0),
                                        VqGePoint3d(p[k + 1].x, p[k + 1].y, 0)));
            own.append(1);
        }
        VqGeCompositeCurve2d c2(l2, own);
        VqGeCompositeCurve3d c3(l3, own);
        VqGeInterval i2, i3;
        c2.getInterval(i2);
        c3.getInterval(i3);
        EXPECT_EQ(i2.upperBound(), i3.upperBound());
        for (int k = 0; k <= 10; ++k) {
            const double g = i3.upperBound() * k / 10.0;
            const VqGePoint2d a = c2.evalPoint(g);
            const VqGePoint3d b = c3.evalPoint(g);
            EXPECT_EQ(a.x, b.x);
            EXPECT_EQ(a.y, b.y);
            const VqGePoint2d q(p[0].x + 1e4 * u(rng), p[0].y + 1e4 * u(rng));
            const VqGePoint2d near2 = c2.closestPointTo(q);
            const VqGePoint3d near3 = c3.closestPointTo(VqGePoint3d(q.x, q.y, 0));
            EXPECT_EQ(near2.x, near3.x);
            EXPECT_EQ(near2.y, near3.y);
        }
        const VqGeLineSeg2d s2(p[0] + VqGeVector2d(-3e3, 2e3), p[n] + VqGeVector2d(2e3, -3e3));
        const VqGeLineSeg3d s3(VqGePoint3d(p[0].x - 3e3, p[0].y + 2e3, 0),
                               VqGePoint3d(p[n].x + 2e3, p[n].y - 3e3, 0));
        VqGeCurveCurveInt2d x2(c2, s2);
        VqGeCurveCurveInt3d x3(c3, s3);
        ASSERT_EQ(x2.numIntPoints(), x3.numIntPoints());
        for (int k = 0; k < x2.numIntPoints(); ++k) {
            EXPECT_NEAR(x2.intPoint(k).x, x3.intPoint(k).x, 1e-6);
            EXPECT_NEAR(x2.intPoint(k).y, x3.intPoint(k).y, 1e-6);
        }
        VqArray<void*> h2;
        c2.getCurveList(h2);
        ASSERT_EQ(h2.length(), n);
        EXPECT_EQ(static_cast<VqGeCurve2d*>(h2[0])->type(), VqGe::kLineSeg2d);
    }
}

}  // namespace
