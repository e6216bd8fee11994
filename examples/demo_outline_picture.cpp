// Demo section: the picture outline_and_fit.svg. Everything drawn comes from the library's own
// sampling and intersection; the road is drawn in site coordinates like the outline.
#include <cstdio>

#include "demo.h"
#include "svg_writer.h"

namespace {

const char* const kOutlineColor = "#2471a3";
const char* const kLineColor = "#222";
const char* const kCutColor = "#c0392b";
const char* const kPointColor = "#7d3c98";
const char* const kRoadColor = "#1e8449";

// Drawing coordinates back to site coordinates.
void toSite(VqArray<VqGePoint3d>& points) {
    const VqGeVector3d shift = kDemoSiteOrigin.asVector();
    for (int i = 0; i < points.length(); ++i) points[i] -= shift;
}

}  // namespace

void demoOutlineAndFitPicture() {
    demoSection("Picture: the outline, its cut, and the road fitted through digitised points");
    VqGeCompositeCurve3d outline;
    demoMakeOutline(outline);
    VqGeLineSeg3d sight;
    demoMakeSightLine(sight);
    VqGeCurveCurveInt3d cut(outline, sight);
    VqArray<VqGePoint3d> digitised, outlinePts, roadPts, sightPts;
    VqGeCubicSplineCurve3d road;
    demoMakeRoad(digitised, road);
    // 1 cm chord deviation: finer than a pixel at this scale.
    demoSampleCurve(outline, 0.01, outlinePts);
    demoSampleCurve(road, 0.01, roadPts);
    sight.getSamplePoints(2, sightPts);
    toSite(digitised);
    toSite(roadPts);
    std::printf("outline sampled by the library: %d points; fitted road: %d points\n",
                outlinePts.length(), roadPts.length());

    SvgWriter svg(-25.0, -10.0, 260.0, 150.0, 855);
    if (!svg.open("outline_and_fit.svg")) {
        std::printf("outline_and_fit.svg could not be written\n");
        return;
    }
    svg.axes(20.0);
    svg.polyline(outlinePts, kOutlineColor, 2.5, 0);
    svg.polyline(sightPts, kLineColor, 1.5, 1);
    svg.polyline(roadPts, kRoadColor, 2.0, 0);
    for (int i = 0; i < digitised.length(); ++i) svg.point(digitised[i], kPointColor, 3.5);
    for (int i = 0; i < cut.numIntPoints(); ++i) svg.ring(cut.intPoint(i), kCutColor, 6.0);
    svg.label(VqGePoint3d(100, 120, 0), "composite outline: 4 sides, 4 corner arcs",
              kOutlineColor, 0, -10);
    svg.label(sightPts[0], "sight line", kLineColor, -6, 18);
    // Numbered in the order the section printed them.
    char text[32];
    for (int i = 0; i < cut.numIntPoints(); ++i) {
        std::snprintf(text, sizeof text, "intersection %d", i + 1);
        // The first label sits right of its point, the others left, clear of the outline.
        svg.label(cut.intPoint(i), text, kCutColor, i == 0 ? 10 : -106, i == 0 ? 18 : -8);
    }
    svg.label(roadPts[roadPts.length() - 1], "cubic spline fit", kRoadColor, -100, -12);
    svg.label(digitised[0], "digitised points", kPointColor, -4, 20);
    svg.label(VqGePoint3d(20, 150, 0),
              "site coordinates in m (drawing coordinates less 512280, 6105370)", "#666", 8, 18);
    svg.close();
    std::printf("wrote outline_and_fit.svg (curves sampled by the library)\n");
}
