// Demo section: a curve fitted through digitised points. A surveyor's polyline of points
// along a road edge (drawing coordinates near 1e6) is turned into a smooth cubic spline, and
// the result is checked and sampled for display.
#include <cmath>
#include <cstdio>

#include "vqge.h"

void demoFit() {
    std::printf("\n== A curve fitted through digitised points\n");
    // Digitised points: a gentle S-bend, about 20 m apart, at drawing coordinates.
    VqArray<VqGePoint3d> pts;
    for (int i = 0; i < 12; ++i) {
        const double x = 20.0 * i;
        pts.append(VqGePoint3d(512300.0 + x, 6105400.0 + 15.0 * std::tanh((x - 110.0) / 40.0), 0));
    }
    // Interpolating cubic with a given heading at the start and a free end.
    const VqGeVector3d heading(1, 0, 0);
    VqGeCubicSplineCurve3d road(pts, heading, VqGeVector3d(0, 0, 0));
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
