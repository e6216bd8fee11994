// Demo section: the lazy curve-curve intersection entity in 3D and 2D, with configuration
// names, and what an empty result looks like.
#include <cstdio>

#include "demo.h"

namespace {

void printIntersection(const VqGeCurveCurveInt3d& cci) {
    const int n = cci.numIntPoints();
    std::printf("  %d intersection point(s), %d overlap(s)\n", n, cci.overlapCount());
    for (int i = 0; i < n; ++i) {
        double p1, p2;
        VqGe::VqGeXConfig c1, c2;
        cci.getIntParams(i, p1, p2);
        cci.getIntConfigs(i, c1, c2);
        demoPoint("  point ", cci.intPoint(i));
        std::printf("  parameters %.6g on curve 1, %.6g on curve 2; configurations %s (curve 1 "
                    "with respect to curve 2) and %s (curve 2 with respect to curve 1); %s\n",
                    p1, p2, demoConfigName(c1), demoConfigName(c2),
                    cci.isTransversal(i) ? "transversal" : "tangential");
    }
}

}  // namespace

void demoIntersections() {
    demoSection("Two curves intersected, moved and intersected again");
    VqGeLineSeg3d seg1(VqGePoint3d(0, 0, 0), VqGePoint3d(4, 4, 0));
    VqGeLineSeg3d seg2(VqGePoint3d(0, 4, 0), VqGePoint3d(4, 0, 0));
    VqGeCurveCurveInt3d cci(seg1, seg2);
    std::printf("intersection entity linked to both segments; nothing computed yet\n");
    printIntersection(cci);
    seg2.transformBy(VqGeMatrix3d::translation(VqGeVector3d(1, 0, 0)));
    std::printf("segment 2 moved by (1, 0, 0): the entity drops its result and recomputes\n");
    printIntersection(cci);
    seg2.transformBy(VqGeMatrix3d::translation(VqGeVector3d(10, 0, 0)));
    std::printf("segment 2 moved far away: no result is 0 points\n");
    printIntersection(cci);
    demoPoint("  and an index outside the points gives zero results: intPoint(0) = ",
              cci.intPoint(0));

    std::printf("2D: the same entity for curves in the plane\n");
    const VqGeLineSeg2d a(VqGePoint2d(-1e6, 0), VqGePoint2d(1e6, 0));
    const VqGeLineSeg2d b(VqGePoint2d(0, -5), VqGePoint2d(0, 5));
    const VqGeCurveCurveInt2d cci2d(a, b);
    if (cci2d.numIntPoints() == 1) {
        VqGe::VqGeXConfig c1, c2;
        cci2d.getIntConfigs(0, c1, c2);
        demoPoint2d("  one point: ", cci2d.intPoint(0));
        std::printf("  configurations %s / %s\n", demoConfigName(c1), demoConfigName(c2));
    }
}
