// Demo section: lines, rays and segments in 3D and in 2D, and how "no result" is reported.
#include <cstdio>

#include "demo.h"

void demoLines() {
    demoSection("Lines, rays and segments");
    const VqGeLine3d line(VqGePoint3d(0, 0, -1), VqGeVector3d(1, 1, 2));
    demoPoint("closest point of the 3D line to (5, 0, 0): ",
              line.closestPointTo(VqGePoint3d(5, 0, 0)));
    const VqGeLineSeg3d seg(VqGePoint3d(1e8, 0, 0), VqGePoint3d(1e8 + 3e5, 4e5, 0));
    std::printf("a segment at drawing scale, from x = 1e8: length %.6g\n", seg.length());

    std::printf("2D: two segments in the plane\n");
    const VqGeLineSeg2d a(VqGePoint2d(0, 0), VqGePoint2d(4, 4));
    const VqGeLineSeg2d b(VqGePoint2d(0, 4), VqGePoint2d(4, 0));
    VqGePoint2d hit2d;
    if (a.intersectWith(b, hit2d)) demoPoint2d("  they cross at ", hit2d);
    const VqGeRay2d ray(VqGePoint2d(10, 0), VqGeVector2d(1, 0));
    std::printf("  the ray from (10, 0) along +x is on (12, 0): %d, on (8, 0): %d\n",
                ray.isOn(VqGePoint2d(12, 0)), ray.isOn(VqGePoint2d(8, 0)));

    // No result: the operation returns 0 and leaves its out-parameter as it was.
    const VqGeLineSeg2d c(VqGePoint2d(0, 1), VqGePoint2d(4, 5));
    VqGePoint2d untouched(-1, -1);
    const int found = a.intersectWith(c, untouched);
    std::printf("  parallel segments: intersectWith returns %d; the point stays (%g, %g)\n", found,
                untouched.x, untouched.y);
}
