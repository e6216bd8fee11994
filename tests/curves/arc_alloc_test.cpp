// The arc hot paths take no memory per call: intersections with lines and circles, closest
// points to points, and evaluation through a point on the arc once its cache exists.
#include "tests/curves/arc_checks.h"
#include "tests/test_helpers.h"

TEST(VqGeImpEllipArc3d, HotPaths_RepeatedCalls_NoHeapAllocation) {
    const VqGeImpEllipArc3d circle(VqGePoint3d(1, 2, 0), VqGeVector3d(0, 0, 1), 3.0);
    const VqGeImpEllipArc3d other(VqGePoint3d(3, 2, 0), VqGeVector3d(0, 0, 1), 2.0);
    const VqGeImpEllipArc3d ell(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0),
                                5.0, 2.0);
    const VqGeImpLinearEnt3d seg(VqGePoint3d(-5, 1, 0), VqGePoint3d(6, 3.5, 0), 1, 1);
    const VqGeImpLinearEnt3d skew(VqGePoint3d(-5, 1, 2), VqGePoint3d(6, 3.5, -1), 1, 1);
    VqGeImpPointOnCurve3d pc(&ell, 0.0);
    pc.deriv(2);  // the evaluator cache is made once
    VqArray<VqGeVector3d> derivs;
    VqGeImpEllipArc3d evalArc(ell);
    evalArc.evalPoint(0.5, 2, derivs);
    CountingHooks hooks;
    VqGePoint3d p1, p2;
    int num = 0, tangent = 0;
    for (int i = 0; i < 100; ++i) {
        const double x = -8.0 + 0.16 * i;
        circle.intersectWithLine(seg, num, p1, p2, tangent, VqGeContext::gTol);
        circle.intersectWithLine(skew, num, p1, p2, tangent, VqGeContext::gTol);
        circle.intersectWithArc(other, num, p1, p2, tangent, VqGeContext::gTol);
        ell.closestPointTo(VqGePoint3d(x, 0.5 * x + 1.0, 3.0), VqGeContext::gTol);
        circle.closestPointTo(VqGePoint3d(x, 1.0, 0.0), VqGeContext::gTol);
        pc.point(0.03 * i);
        pc.deriv(1);
        pc.deriv(2);
        evalArc.evalPoint(0.03 * i, 2, derivs);
    }
    EXPECT_EQ(CountingHooks::allocs(), 0);
}
