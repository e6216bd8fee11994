// Demo section: the typical request of a host, a segment intersected with a circular arc, the
// arc moved, the intersection recomputed, and a picture of both states.
#include <cstdio>

#include "demo.h"
#include "svg_writer.h"
#include "vqge.h"

namespace {

const double kPi = 3.14159265358979323846;
const char* const kBeforeColor = "#c0392b";
const char* const kAfterColor = "#2471a3";

void printPoint(const char* label, const VqGePoint3d& p) {
    std::printf("%s(%.6f, %.6f, %.6f)\n", label, p.x, p.y, p.z);
}

const char* configName(VqGe::VqGeXConfig c) {
    switch (c) {
        case VqGe::kLeftRight: return "left to right";
        case VqGe::kRightLeft: return "right to left";
        case VqGe::kLeftLeft: return "touches from the left";
        case VqGe::kRightRight: return "touches from the right";
        case VqGe::kOverlapTouch: return "end-to-end touch";
        default: return "other";
    }
}

// Prints the intersection and returns the number of points (copied into pts).
int report(const VqGeCurveCurveInt3d& cci, VqGePoint3d pts[2]) {
    const int n = cci.numIntPoints();
    std::printf("  %d intersection point(s)\n", n);
    for (int i = 0; i < n; ++i) {
        double p1, p2;
        VqGe::VqGeXConfig c1, c2;
        cci.getIntParams(i, p1, p2);
        cci.getIntConfigs(i, c1, c2);
        if (i < 2) pts[i] = cci.intPoint(i);
        printPoint("  point ", cci.intPoint(i));
        std::printf("    segment parameter %.6f (%s), arc angle %.6f rad = %.3f deg (%s), %s\n",
                    p1, configName(c1), p2, p2 * 180.0 / kPi, configName(c2),
                    cci.isTransversal(i) ? "crossing" : "tangential");
    }
    return n < 2 ? n : 2;
}

}  // namespace

void demoArcs() {
    std::printf("\n== Typical request: a segment and a circular arc\n");
    VqGeLineSeg3d seg(VqGePoint3d(-3.0, 0.5, 0.0), VqGePoint3d(3.0, 1.5, 0.0));
    VqGeCircArc3d arc(VqGePoint3d(0.0, 0.0, 0.0), VqGeVector3d::kZAxis, VqGeVector3d::kXAxis, 2.0,
                      0.0, 0.75 * 2.0 * kPi);
    std::printf("segment from (-3, 0.5, 0) to (3, 1.5, 0)\n");
    std::printf("arc about the origin, radius 2, normal +z, from 0 to 270 degrees\n");
    VqGeCurveCurveInt3d cci(seg, arc);
    std::printf("intersection entity made and linked to both curves; nothing computed yet\n");
    VqGePoint3d before[2], after[2];
    std::printf("first query computes:\n");
    const int numBefore = report(cci, before);

    VqArray<VqGePoint3d> segPts, arcBefore, arcAfter;
    seg.getSamplePoints(2, segPts);
    demoSampleCurve(arc, 1e-3, arcBefore);

    const VqGeMatrix3d move =
        VqGeMatrix3d::translation(VqGeVector3d(0.8, -0.6, 0.0)) *
        VqGeMatrix3d::rotation(kPi / 6.0, VqGeVector3d::kZAxis, VqGePoint3d::kOrigin);
    arc.transformBy(move);
    std::printf("arc rotated by 30 degrees about the z axis and moved by (0.8, -0.6, 0):\n");
    printPoint("  new centre ", arc.center());
    std::printf("the intersection entity dropped its result; the next query recomputes:\n");
    const int numAfter = report(cci, after);
    demoSampleCurve(arc, 1e-3, arcAfter);

    SvgWriter svg(-4.0, -3.5, 4.0, 3.5);
    if (!svg.open("typical_request.svg")) {
        std::printf("typical_request.svg could not be written\n");
        return;
    }
    svg.axes(1.0);
    svg.polyline(arcBefore, kBeforeColor, 2.0, 1);
    svg.polyline(arcAfter, kAfterColor, 2.0, 0);
    svg.polyline(segPts, "#222", 2.0, 0);
    svg.label(segPts[0], "segment", "#222", -10, 18);
    svg.label(arcBefore[arcBefore.length() * 5 / 6], "arc before", kBeforeColor, -82, 4);
    svg.label(arcAfter[arcAfter.length() - 1], "arc after transformBy", kAfterColor, 8, 14);
    // Rings before, dots after: a point that hardly moved shows as a dot inside a ring.
    for (int i = 0; i < numBefore; ++i) svg.ring(before[i], kBeforeColor, 7.0);
    for (int i = 0; i < numAfter; ++i) svg.point(after[i], kAfterColor, 4.0);
    const VqGePoint3d corner(-4.0, 3.5, 0.0);
    svg.label(corner, "ring: intersection before the move", kBeforeColor, 10, 22);
    svg.label(corner, "dot: intersection after the move", kAfterColor, 10, 40);
    svg.close();
    std::printf("wrote typical_request.svg (curves sampled by the library)\n");
}
