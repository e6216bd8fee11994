// Demo: what a host sees when it builds, intersects and transforms geometry with the library.
#include <cstdio>

#include "demo_sections.h"
#include "vqge.h"

namespace {

const double kPi = 3.14159265358979323846;

void printPoint(const char* label, const VqGePoint3d& p) {
    std::printf("%s(%.6g, %.6g, %.6g)\n", label, p.x, p.y, p.z);
}

void foundation() {
    std::printf("== Foundation values\n");
    std::printf("library version %d.%d.%d.%d\n", VqGe::gLibVersion.majorVersion(),
                VqGe::gLibVersion.minorVersion(), VqGe::gLibVersion.correctiveVersion(),
                VqGe::gLibVersion.schemaVersion());
    const VqGeTol& tol = VqGeContext::gTol;
    std::printf("default tolerance: equalPoint %g, equalVector %g\n", tol.equalPoint(),
                tol.equalVector());
    std::printf("(0,0,0) == (1e-10,0,0): %d; (0,0,0) == (1.1e-10,0,0): %d\n",
                VqGePoint3d(0, 0, 0) == VqGePoint3d(1e-10, 0, 0),
                VqGePoint3d(0, 0, 0) == VqGePoint3d(1.1e-10, 0, 0));
    const VqGeVector3d u(1, 0, 0), v(0, 1, 0);
    std::printf("angle x->y about +z: %.6f; about -z: %.6f\n", u.angleTo(v, VqGeVector3d::kZAxis),
                u.angleTo(v, -VqGeVector3d::kZAxis));
    VqGe::ErrorCondition cond;
    const VqGeVector3d bad =
        VqGeVector3d(1, 1, 1).project(VqGeVector3d::kZAxis, VqGeVector3d::kXAxis, tol, cond);
    std::printf("projection along a direction in the plane: condition %d, vector kept (%g, %g, %g)\n",
                static_cast<int>(cond), bad.x, bad.y, bad.z);
    VqGePoint3d q(1, 0, 0);
    q.transformBy(VqGeMatrix3d::rotation(0.5 * kPi, VqGeVector3d::kZAxis, VqGePoint3d::kOrigin));
    printPoint("(1,0,0) rotated a quarter turn about z: ", q);
}

void linesAndPlanes() {
    std::printf("\n== Lines and planes\n");
    const VqGeLine3d line(VqGePoint3d(0, 0, -1), VqGeVector3d(1, 1, 2));
    const VqGePlane plane(VqGePoint3d(0, 0, 3), VqGeVector3d(0, 0, 1));
    VqGePoint3d hit;
    if (line.intersectWith(plane, hit)) printPoint("line meets the plane z = 3 at ", hit);
    VqGeLine3d meet;
    const VqGePlane tilted(VqGePoint3d(0, 0, 0), VqGeVector3d(1, 0, 0));
    if (plane.intersectWith(tilted, meet)) {
        printPoint("planes z = 3 and x = 0 meet along a line through ", meet.pointOnLine());
        const VqGeVector3d d = meet.direction();
        std::printf("  with direction (%g, %g, %g)\n", d.x, d.y, d.z);
    }
    printPoint("closest point of the line to (5, 0, 0): ",
               line.closestPointTo(VqGePoint3d(5, 0, 0)));
}

void printIntersection(const VqGeCurveCurveInt3d& cci) {
    const int n = cci.numIntPoints();
    std::printf("  %d intersection point(s), %d overlap(s)\n", n, cci.overlapCount());
    for (int i = 0; i < n; ++i) {
        double p1, p2;
        VqGe::VqGeXConfig c1, c2;
        cci.getIntParams(i, p1, p2);
        cci.getIntConfigs(i, c1, c2);
        printPoint("  point ", cci.intPoint(i));
        std::printf("  parameters %.6g on curve 1, %.6g on curve 2; configurations %d/%d; %s\n",
                    p1, p2, static_cast<int>(c1), static_cast<int>(c2),
                    cci.isTransversal(i) ? "transversal" : "tangential");
    }
}

void typicalRequest() {
    std::printf("\n== Two curves intersected, moved and intersected again\n");
    VqGeLineSeg3d seg1(VqGePoint3d(0, 0, 0), VqGePoint3d(4, 4, 0));
    VqGeLineSeg3d seg2(VqGePoint3d(0, 4, 0), VqGePoint3d(4, 0, 0));
    VqGeCurveCurveInt3d cci(seg1, seg2);
    std::printf("intersection entity linked to both segments; nothing computed yet\n");
    printIntersection(cci);
    seg2.transformBy(VqGeMatrix3d::translation(VqGeVector3d(1, 0, 0)));
    std::printf("segment 2 moved by (1, 0, 0): the entity drops its result and recomputes\n");
    printIntersection(cci);
    seg2.transformBy(VqGeMatrix3d::translation(VqGeVector3d(10, 0, 0)));
    std::printf("segment 2 moved far away:\n");
    printIntersection(cci);
}

}  // namespace

int main() {
    foundation();
    linesAndPlanes();
    typicalRequest();
    demoArcs();
    return 0;
}
