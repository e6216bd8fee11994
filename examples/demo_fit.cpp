// Demo section: a curve fitted through digitised points. A surveyor's polyline of points
// along a road edge (drawing coordinates near 1e6) is turned into a smooth cubic spline, and
// the result is checked and sampled for display.
#include <cmath>
#include <cstdio>

#include "demo.h"

const VqGePoint3d kDemoSiteOrigin(512280.0, 6105370.0, 0.0);

void demoMakeRoad(VqArray<VqGePoint3d>& pts, VqGeCubicSplineCurve3d& road) {
    // Digitised points: a gentle S-bend, 20 m apart, at drawing coordinates.
    pts.setLogicalLength(0);
    for (int i = 0; i < 12; ++i) {
        const double x = 20.0 * i;
        pts.append(kDemoSiteOrigin +
                   VqGeVector3d(20.0 + x, 30.0 + 15.0 * std::tanh((x - 110.0) / 40.0), 0));
    }
    // Interpolating cubic with a given heading at the start and a free end.
    road = VqGeCubicSplineCurve3d(pts, VqGeVector3d(1, 0, 0), VqGeVector3d(0, 0, 0));
}

void demoFit() {
    demoSection("A curve fitted through digitised points");
    VqArray<VqGePoint3d> pts;
    VqGeCubicSplineCurve3d road;
    demoMakeRoad(pts, road);
    std::printf("digitised points 20 m apart, from (%.3f, %.3f) to (%.3f, %.3f)\n", pts[0].x,
                pts[0].y, pts[pts.length() - 1].x, pts[pts.length() - 1].y);
    std::printf("%d fit points, %d control points, parameter range [%g, %g]\n",
                road.numFitPoints(), road.numControlPoints(), road.startParam(), road.endParam());
    // The fit parameters are the knots after the first three (chord lengths from 0).
    double worst = 0.0;
    for (int i = 0; i < road.numFitPoints(); ++i)
        worst = std::fmax(worst, road.evalPoint(road.knotAt(i + 3)).distanceTo(road.fitPointAt(i)));
    std::printf("largest miss of a fit point: %.3g\n", worst);
    const VqGeVector3d start = road.firstDerivAt(0);
    std::printf("start heading (%g, %g, %g)\n", start.x, start.y, start.z);

    // The same points as a polyline, and a discrete spline for drawing at 1 mm deviation.
    VqGePolyline3d chain(pts);
    std::printf("polyline length along its chords: %.4f\n", chain.endParam());
    VqGeNurbCurve3d asNurbs(3, road.knots(), [&] {
        VqArray<VqGePoint3d> cps;
        for (int i = 0; i < road.numControlPoints(); ++i) cps.append(road.controlPointAt(i));
        return cps;
    }());
    VqGeDiscreteSpline3d drawing(asNurbs, 1e-3);
    std::printf("discrete spline: %d knot intervals, %d grid points for 1 mm deviation\n",
                drawing.numIntervals(), drawing.numGridPoints());
}
