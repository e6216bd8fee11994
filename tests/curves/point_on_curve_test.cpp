#include "curves/imp_point_on_curve3d.h"
#include "test_curve.h"
#include "test_helpers.h"

namespace {
const double kPi = 3.14159265358979323846;
}

TEST(VqGeImpPointOnCurve3d, Point_CachesUntilParameterSet) {
    TestHelix helix;
    VqGeImpPointOnCurve3d pc(&helix, 0.0);
    EXPECT_PT3_NEAR(pc.point(), 1, 0, 0, 1e-15);
    EXPECT_EQ(helix.mEvalCount, 1);
    pc.point();
    EXPECT_EQ(helix.mEvalCount, 1);  // cached
    pc.point(kPi / 2);
    pc.point(kPi / 2);  // the same parameter again still re-evaluates
    EXPECT_EQ(helix.mEvalCount, 3);
    EXPECT_PT3_NEAR(pc.point(), 0, 1, 0.25 * kPi, 1e-15);
    EXPECT_EQ(helix.mEvalCount, 3);
    EXPECT_PT3_NEAR(pc.deriv(1), -1, 0, 0.5, 1e-15);
    EXPECT_PT3_NEAR(pc.deriv(7), 0, 0, 0, 0);  // orders beyond 3 give zero
}

TEST(VqGeImpPointOnCurve3d, TransformBy_MovesPointNotCurve) {
    TestHelix helix;
    VqGeImpPointOnCurve3d pc(&helix, 0.0);
    const VqGeMatrix3d m = VqGeMatrix3d::translation(VqGeVector3d(0, 0, 5));
    pc.transformBy(m);
    pc.transformBy(m);
    EXPECT_PT3_NEAR(pc.point(), 1, 0, 10, 1e-15);
    VqGeImpPointOnCurve3d plain(&helix, 0.0);
    EXPECT_PT3_NEAR(plain.point(), 1, 0, 0, 1e-15);
    VqGeImpPointOnCurve3d copied(pc);  // the copy owns its own transform
    pc.setCurve(&helix);              // same curve: no effect
    EXPECT_PT3_NEAR(copied.point(), 1, 0, 10, 1e-15);
    EXPECT_TRUE(copied.isEqualTo(pc));
    EXPECT_FALSE(copied.isEqualTo(plain));
}

TEST(VqGeImpPointOnCurve3d, CurveEvents_DropCacheOrDetach) {
    TestHelix* helix = new TestHelix();
    VqGeImpPointOnCurve3d pc(helix, 0.0);
    EXPECT_PT3_NEAR(pc.point(), 1, 0, 0, 1e-15);
    helix->setRadius(2.0);  // modified event: the cached point and private copy go
    EXPECT_PT3_NEAR(pc.point(), 2, 0, 0, 1e-15);
    helix->transformBy(VqGeMatrix3d::translation(VqGeVector3d(1, 0, 0)));
    EXPECT_PT3_NEAR(pc.point(), 3, 0, 0, 1e-15);
    delete helix;
    EXPECT_EQ(pc.curve(), nullptr);
    EXPECT_FALSE(pc.data().pointIsComputed());
    // The curve is linked, not owned, and gets nothing back when the point changes.
    TestHelix other;
    pc.setCurve(&other);
    EXPECT_EQ(other.numOwners("PointOnCurve3d_Curve3d"), 1);
    pc.setParameter(1.0);
    EXPECT_EQ(other.mEvalCount, 0);
}

TEST(VqGeImpPointOnCurve3d, Curvature_HelixClosedForm) {
    TestHelix helix(2.0, 1.0);
    VqGeImpPointOnCurve3d pc(&helix);
    double k = 0.0;
    VqGeVector3d n;
    ASSERT_EQ(pc.curvature(0.3, k, n), 1);
    EXPECT_NEAR(k, 2.0 / 5.0, 1e-14);  // r / (r^2 + c^2)
    EXPECT_NEAR(n.dotProduct(pc.deriv(1)), 0.0, 1e-14);
    TestHelix flat(0.0, 0.0);  // a point: singular everywhere
    VqGeImpPointOnCurve3d ps(&flat);
    k = -1.0;
    EXPECT_EQ(ps.curvature(0.3, k), 0);
    EXPECT_EQ(k, -1.0);
    EXPECT_TRUE(ps.isSingular());
}

TEST(VqGeImpCurve3d, EvalPointOnLeftRight_SmallestMovingStep) {
    TestHelix helix;
    VqArray<VqGeVector3d> d;
    helix.evalPointOnLeft(0.0, 1, d);
    EXPECT_EQ(helix.mLastParam, -1e-20);
    helix.evalPointOnRight(0.0, 2, d);
    EXPECT_EQ(helix.mLastParam, 1e-20);
    EXPECT_EQ(d.length(), 2);
    helix.evalPointOnRight(1.0, 0, d);
    EXPECT_GT(helix.mLastParam, 1.0);
    EXPECT_LT(helix.mLastParam, 1.0 + 1e-15);
    EXPECT_EQ(d.length(), 0);
}

TEST(VqGeImpCurve3d, IntervalEnds_OneSidedGivesThatPointTwice) {
    TestHelix helix;
    VqGeImpInterval iv;
    VqGePoint3d s, e;
    helix.getInterval(iv, s, e);
    EXPECT_PT3_NEAR(s, 1, 0, 0, 1e-15);
    EXPECT_PT3_NEAR(e, 1, 0, kPi, 1e-14);
    EXPECT_FALSE(helix.isClosed(VqGeContext::gTol));
    helix.setInterval(VqGeImpInterval(0, kPi / 2, 1e-12), 1);
    helix.getInterval(iv, s, e);
    helix.setInterval(VqGeImpInterval(1, kPi / 2, 1e-12), 1);  // bounded below only
    VqGePoint3d p;
    EXPECT_EQ(helix.hasStartPoint(p), 1);
    EXPECT_PT3_NEAR(p, 0, 1, 0.25 * kPi, 1e-15);
    EXPECT_EQ(helix.hasEndPoint(p), 0);
    EXPECT_PT3_NEAR(p, 0, 1, 0.25 * kPi, 1e-15);
    // Parameters inside the interval are on the curve.
    EXPECT_TRUE(helix.isOn(100.0, VqGeContext::gTol));
    EXPECT_FALSE(helix.isOn(0.0, VqGeContext::gTol));
}

TEST(VqGeImpPointOnCurve3d, Lifecycle_BalancesHooksAndLinks) {
    CountingHooks hooks;
    {
        TestHelix* helix = new TestHelix();
        VqGeImpPointOnCurve3d a(helix, 1.0), b;
        a.point();
        a.transformBy(VqGeMatrix3d::translation(VqGeVector3d(1, 2, 3)));
        a.point();
        b = a;
        b = b;
        VqGeImpPointOnCurve3d* c = a.copy();
        EXPECT_EQ(helix->numOwners("PointOnCurve3d_Curve3d"), 3);
        delete c;
        delete helix;
        EXPECT_EQ(b.curve(), nullptr);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}
