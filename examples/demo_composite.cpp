// Demo section: a composite outline built from segments, and what the host can ask of it.
#include <cstdio>

#include "demo.h"

void demoCompositeOutline() {
    std::printf("\n== A composite outline (a house front of five segments)\n");
    const VqGePoint3d corner[] = {VqGePoint3d(0, 0, 0), VqGePoint3d(8, 0, 0), VqGePoint3d(8, 5, 0),
                                  VqGePoint3d(4, 8, 0), VqGePoint3d(0, 5, 0), VqGePoint3d(0, 0, 0)};
    VqArray<void*> sides;
    VqArray<int> handOver;
    for (int i = 0; i < 5; ++i) {
        sides.append(new VqGeLineSeg3d(corner[i], corner[i + 1]));
        handOver.append(1);  // the outline owns its sides from now on
    }
    VqGeCompositeCurve3d outline(sides, handOver);
    VqGeInterval range;
    outline.getInterval(range);
    const double total = outline.length(range.lowerBound(), range.upperBound());
    std::printf("parameter range [%g, %g] (lengths of the sides), length %g\n", range.lowerBound(),
                range.upperBound(), total);
    std::printf("closed: %d\n", outline.isClosed());
    VqGePlane plane;
    if (outline.isPlanar(plane)) {
        const VqGeVector3d n = plane.normal();
        std::printf("planar, normal (%g, %g, %g)\n", n.x, n.y, n.z);
    }
    double area = 0.0;
    if (outline.area(range.lowerBound(), range.upperBound(), area))
        std::printf("area %g (counter-clockwise outlines come out negative)\n", area);
    int side;
    const double local = outline.globalToLocalParam(20.0, side);
    const VqGePoint3d p = outline.evalPoint(20.0);
    std::printf("parameter 20 lies on side %d at its parameter %g: (%g, %g, %g)\n", side, local,
                p.x, p.y, p.z);
    const double half = outline.paramAtLength(range.lowerBound(), 0.5 * total);
    const VqGePoint3d m = outline.evalPoint(half);
    std::printf("half way round: parameter %g, (%g, %g, %g)\n", half, m.x, m.y, m.z);
    const VqGeLineSeg3d ray(VqGePoint3d(-2, 5, 0), VqGePoint3d(10, 5, 0));
    VqGeCurveCurveInt3d cut(outline, ray);
    std::printf("the line y = 5 meets the outline %d time(s) (corners count once):\n",
                cut.numIntPoints());
    for (int i = 0; i < cut.numIntPoints(); ++i) {
        const VqGePoint3d q = cut.intPoint(i);
        std::printf("  (%g, %g, %g)\n", q.x, q.y, q.z);
    }
    const VqGePoint3d near = outline.closestPointTo(VqGePoint3d(6, 9, 0));
    std::printf("closest point to (6, 9, 0): (%g, %g, %g)\n", near.x, near.y, near.z);
}
