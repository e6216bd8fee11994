// Demo section: planes, a line meeting a plane, two planes meeting, and the parallel cases.
#include <cstdio>

#include "demo.h"

void demoPlanes() {
    demoSection("Planes");
    const VqGeLine3d line(VqGePoint3d(0, 0, -1), VqGeVector3d(1, 1, 2));
    const VqGePlane plane(VqGePoint3d(0, 0, 3), VqGeVector3d(0, 0, 1));
    VqGePoint3d hit;
    if (line.intersectWith(plane, hit)) demoPoint("line meets the plane z = 3 at ", hit);
    VqGeLine3d meet;
    const VqGePlane tilted(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0));
    if (plane.intersectWith(tilted, meet)) {
        demoPoint("planes z = 3 and x = 0 meet along a line through ", meet.pointOnLine());
        const VqGeVector3d d = meet.direction();
        std::printf("  with direction (%g, %g, %g)\n", d.x, d.y, d.z);
    }
    // No result: 0 is returned and the out-parameter keeps its value.
    const VqGeLine3d flat(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0));
    VqGePoint3d kept(7, 7, 7);
    std::printf("a line parallel to the plane: intersectWith returns %d; the point stays "
                "(%g, %g, %g)\n",
                flat.intersectWith(plane, kept), kept.x, kept.y, kept.z);
    const VqGePlane above(VqGePoint3d(0, 0, 10), VqGeVector3d(0, 0, 1));
    std::printf("two parallel planes: intersectWith returns %d\n", plane.intersectWith(above, meet));
}
