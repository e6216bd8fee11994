// Extending curves to meet, the local intersection solve, the bounds filter of pairs, and
// the interruption hook of the iterative searches.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "curves/curve_property_checks.h"
#include "curves/imp_linear_ent3d.h"
#include "vqge_util.h"

namespace {
int alwaysBreak() { return 1; }

struct BreakHook {
    BreakHook() : mOld(VqGeUtil::gBreakFunc) { VqGeUtil::gBreakFunc = alwaysBreak; }
    ~BreakHook() { VqGeUtil::gBreakFunc = mOld; }
    int (*mOld)();
};
}  // namespace

TEST(GenericExtend, ExtendCurves_MeetingAheadAndBehind_TrimOrRefuse) {
    VqGeImpLinearEnt3d a(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0), 1, 1);
    VqGeImpLinearEnt3d b(VqGePoint3d(2, 1, 0), VqGePoint3d(2, 3, 0), 1, 1);
    ASSERT_EQ(a.extendCurves(b, 1.0, 0.0, VqGeVector3d::kZAxis, VqGeContext::gTol), 1);
    VqGeImpInterval ia, ib;
    a.getInterval(ia, 0, 0);
    b.getInterval(ib, 0, 0);
    EXPECT_NEAR(ia.upperBound(), 2.0, 1e-12);
    EXPECT_NEAR(ib.lowerBound(), -0.5, 1e-12);
    // The extensions meet behind the end of the first segment: nothing changes.
    VqGeImpLinearEnt3d c(VqGePoint3d(0, 0, 0), VqGePoint3d(3, 0, 0), 1, 1);
    VqGeImpLinearEnt3d d(VqGePoint3d(2, 1, 0), VqGePoint3d(2, 3, 0), 1, 1);
    EXPECT_EQ(c.extendCurves(d, 1.0, 0.0, VqGeVector3d::kZAxis, VqGeContext::gTol), 0);
    c.getInterval(ia, 0, 0);
    d.getInterval(ib, 0, 0);
    EXPECT_EQ(ia.upperBound(), 1.0);
    EXPECT_EQ(ib.lowerBound(), 0.0);
}

TEST(GenericExtend, IntersectLocal_FromNearbyStarts_ConvergesOrLeavesArguments) {
    std::unique_ptr<FnCurve> circle(FnCurve::circle(2.0));
    VqGeImpLinearEnt3d line(VqGePoint3d(0, -1, 0), VqGeVector3d(1, 0, 0), 0, 0);  // y = -1
    double t1 = 5.5, t2 = 1.5;
    VqGePoint3d pnt;
    ASSERT_EQ(circle->intersectLocal(line, t1, t2, 2, pnt, VqGeContext::gTol), 1);
    EXPECT_LT(pnt.distanceTo(VqGePoint3d(std::sqrt(3.0), -1, 0)), 1e-9);
    EXPECT_LT(props::at(*circle, t1).distanceTo(props::at(line, t2)), 1e-9);
    VqGeImpLinearEnt3d far(VqGePoint3d(0, -5, 0), VqGeVector3d(1, 0, 0), 0, 0);
    double s1 = 5.5, s2 = 1.5;
    EXPECT_EQ(circle->intersectLocal(far, s1, s2, 2, pnt, VqGeContext::gTol), 0);
    EXPECT_EQ(s1, 5.5);
    EXPECT_EQ(s2, 1.5);
}

TEST(GenericExtend, TestIntPoints_KeepsPairsWithinBothCurves) {
    // The filter is protected: a test kind opens it.
    struct Probe : FnCurve {
        Probe() : FnCurve(FnCurve::kCircle, 0.0, 3.141592653589793) {}
        using VqGeImpCurve3d::testIntPoints;
    };
    std::unique_ptr<Probe> upper(new Probe);
    VqGeImpLinearEnt3d seg(VqGePoint3d(-2, 0.5, 0), VqGePoint3d(0, 0.5, 0), 1, 1);
    VqArray<VqGePoint3d> points;
    points.append(VqGePoint3d(-std::sqrt(0.75), 0.5, 0));  // on both
    points.append(VqGePoint3d(std::sqrt(0.75), 0.5, 0));   // off the segment
    points.append(VqGePoint3d(0, -1, 0));                  // off the arc
    int count = 3;
    upper->testIntPoints(seg, count, points, VqGeContext::gTol);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(points.length(), 1);
    EXPECT_LT(points[0].x, 0.0);
}

TEST(GenericExtend, BreakHook_StopsEverySearch_WithFiniteAnswers) {
    std::unique_ptr<FnCurve> a(FnCurve::sine(1.0, 5.0, -16.0, 16.0));
    std::unique_ptr<FnCurve> b(FnCurve::sine(0.7, 4.3, -16.0, 16.0));
    BreakHook hook;
    VqGeCurveIntData data;
    data.reverseOrder();
    a->VqGeImpCurve3d::intersectWith(*b, VqGeVector3d::kZAxis, data, VqGeContext::gTol);
    EXPECT_LT(data.numIntPoints(), 5);  // stopped before the search got far
    EXPECT_TRUE(std::isfinite(a->VqGeImpCurve3d::paramAtLength(0.0, 3.0, 1, 1e-12)));
    VqGeImpPointOnCurve3d pc(a.get());
    a->getLocalClosestPoints(VqGePoint3d(0, 3, 0), pc, nullptr, VqGeContext::gTol);
    EXPECT_TRUE(std::isfinite(pc.parameter()));
    VqGeImpPointOnCurve3d p1(a.get()), p2(b.get());
    a->VqGeImpCurve3d::getClosestPointTo(*b, p1, p2, VqGeContext::gTol);
    EXPECT_TRUE(std::isfinite(p1.parameter()) && std::isfinite(p2.parameter()));
}
