// Demo section: a composite outline of segments and circular arcs (a building footprint with
// rounded corners, in site coordinates: metres), and what the host can ask of it.
#include <cmath>
#include <cstdio>

#include "demo.h"

namespace {

const double kPi = 3.14159265358979323846;
// The footprint: the rectangle [60, 200] x [60, 120] with corners rounded at radius 15.
const double kLeft = 60.0, kRight = 200.0, kBottom = 60.0, kTop = 120.0, kRadius = 15.0;

// The unit direction of a member's tangent at its start (atEnd 0) or end (atEnd 1).
VqGeVector3d tangentAt(const VqGeCurve3d& member, int atEnd) {
    VqGeInterval range;
    member.getInterval(range);
    VqArray<VqGeVector3d> derivs;
    member.evalPoint(atEnd ? range.upperBound() : range.lowerBound(), 1, derivs);
    return derivs[0].normal();
}

}  // namespace

void demoMakeOutline(VqGeCompositeCurve3d& outline) {
    // Counter-clockwise from the bottom side: side, corner arc, side, corner arc, ...
    const VqGePoint3d arcCentre[] = {VqGePoint3d(kRight - kRadius, kBottom + kRadius, 0),
                                     VqGePoint3d(kRight - kRadius, kTop - kRadius, 0),
                                     VqGePoint3d(kLeft + kRadius, kTop - kRadius, 0),
                                     VqGePoint3d(kLeft + kRadius, kBottom + kRadius, 0)};
    // Each arc starts where the side before it ends: straight below, right, above, left of
    // its centre, and turns a quarter about +z.
    const VqGeVector3d arcStart[] = {VqGeVector3d(0, -1, 0), VqGeVector3d(1, 0, 0),
                                     VqGeVector3d(0, 1, 0), VqGeVector3d(-1, 0, 0)};
    VqArray<void*> members;
    VqArray<int> handOver;
    for (int i = 0; i < 4; ++i) {
        const int before = (i + 3) % 4;  // the arc this side follows
        const VqGePoint3d sideStart =
            arcCentre[before] + kRadius * VqGeVector3d::kZAxis.crossProduct(arcStart[before]);
        members.append(new VqGeLineSeg3d(sideStart, arcCentre[i] + kRadius * arcStart[i]));
        members.append(new VqGeCircArc3d(arcCentre[i], VqGeVector3d::kZAxis, arcStart[i], kRadius,
                                         0.0, 0.5 * kPi));
        handOver.append(1);  // the outline owns its members from now on
        handOver.append(1);
    }
    outline.setCurveList(members, handOver);
}

void demoMakeSightLine(VqGeLineSeg3d& line) {
    line.set(VqGePoint3d(30, 52, 0), VqGePoint3d(230, 130, 0));
}

void demoCompositeOutline() {
    demoSection("A composite outline (a footprint: four sides joined by four corner arcs)");
    std::printf("site coordinates in metres: the rectangle [%g, %g] x [%g, %g] with corners "
                "rounded at radius %g\n",
                kLeft, kRight, kBottom, kTop, kRadius);
    VqGeCompositeCurve3d outline;
    demoMakeOutline(outline);
    VqArray<void*> members;
    outline.getCurveList(members);
    double worstTurn = 0.0;
    for (int i = 0; i < members.length(); ++i) {
        const VqGeCurve3d& here = *static_cast<VqGeCurve3d*>(members[i]);
        const VqGeCurve3d& next = *static_cast<VqGeCurve3d*>(members[(i + 1) % members.length()]);
        worstTurn = std::fmax(worstTurn, tangentAt(here, 1).angleTo(tangentAt(next, 0)));
    }
    std::printf("%d members; largest change of direction at a joint: %.3g deg (tangential)\n",
                members.length(), worstTurn * 180.0 / kPi);

    VqGeInterval range;
    outline.getInterval(range);
    const double total = outline.length(range.lowerBound(), range.upperBound());
    const double sharpTotal = 2.0 * (kRight - kLeft + kTop - kBottom);
    std::printf("parameter range [%g, %g], length %.6f m (sharp rectangle %g, less 8 r, plus "
                "2 pi r: %.6f)\n",
                range.lowerBound(), range.upperBound(), total, sharpTotal,
                sharpTotal - 8.0 * kRadius + 2.0 * kPi * kRadius);
    std::printf("closed: %s\n", outline.isClosed() ? "yes" : "no");
    VqGePlane plane;
    if (outline.isPlanar(plane)) {
        const VqGeVector3d n = plane.normal();
        std::printf("planar, normal (%g, %g, %g)\n", n.x, n.y, n.z);
    }
    double area = 0.0;
    if (outline.area(range.lowerBound(), range.upperBound(), area))
        std::printf("area %.6f m2 (sign taken about (0, 0, -1): counter-clockwise outlines "
                    "come out negative; rectangle less four corner pieces: %.6f)\n",
                    area, (kRight - kLeft) * (kTop - kBottom) - (4.0 - kPi) * kRadius * kRadius);
    int member;
    const double global = 0.5 * (range.lowerBound() + range.upperBound());
    const double local = outline.globalToLocalParam(global, member);
    demoPoint("half way through the parameter range: ", outline.evalPoint(global));
    std::printf("  (member %d, a %s, at its own parameter %g)\n", member,
                member % 2 ? "corner arc, angle in radians" : "side", local);
    const VqGePoint3d from(215, 135, 0);
    demoPoint("closest point to (215, 135, 0), off the upper right corner: ",
              outline.closestPointTo(from));
    std::printf("  (expected on the corner arc at 45 deg: (%.6g, %.6g, 0))\n",
                kRight - kRadius + kRadius * std::cos(0.25 * kPi),
                kTop - kRadius + kRadius * std::sin(0.25 * kPi));

    VqGeLineSeg3d sight;
    demoMakeSightLine(sight);
    VqGeCurveCurveInt3d cut(outline, sight);
    std::printf("a sight line from (30, 52, 0) to (230, 130, 0) meets the outline %d time(s):\n",
                cut.numIntPoints());
    for (int i = 0; i < cut.numIntPoints(); ++i) {
        double onOutline, onLine;
        cut.getIntParams(i, onOutline, onLine);
        VqGe::VqGeXConfig outlineWrtLine, lineWrtOutline;
        cut.getIntConfigs(i, outlineWrtLine, lineWrtOutline);
        outline.globalToLocalParam(onOutline, member);
        demoPoint("  ", cut.intPoint(i));
        std::printf("    outline parameter %.6f (member %d, a %s), %s; line parameter %.6f, %s\n",
                    onOutline, member, member % 2 ? "corner arc" : "side",
                    demoConfigName(outlineWrtLine), onLine, demoConfigName(lineWrtOutline));
    }
}
