// The demo's sections, one file each, and the printing they share. A new section is a file
// demo_<topic>.cpp defining one function declared here and one call in demo.cpp's main.
#ifndef VQGE_EXAMPLES_DEMO_H
#define VQGE_EXAMPLES_DEMO_H

#include "vqge.h"

void demoFoundation();
void demoLines();
void demoPlanes();
void demoIntersections();
// A footprint outline of sides and corner arcs: its facts and its cut by a sight line.
void demoCompositeOutline();
// A cubic spline through digitised points at drawing coordinates near 1e6.
void demoFit();
// The picture outline_and_fit.svg: the outline with its cut, the points and the fitted curve.
void demoOutlineAndFitPicture();
// A segment against a circular arc, end to end: lazy intersection, a transform of the arc,
// recomputation, and the picture typical_request.svg.
void demoArcs();

// The geometry the outline, fit and picture sections share. The outline and the sight line
// are in site coordinates (metres); the digitised points and the road through them are in
// drawing coordinates, which are site coordinates plus kDemoSiteOrigin.
extern const VqGePoint3d kDemoSiteOrigin;
void demoMakeOutline(VqGeCompositeCurve3d& outline);
void demoMakeSightLine(VqGeLineSeg3d& line);
void demoMakeRoad(VqArray<VqGePoint3d>& pts, VqGeCubicSplineCurve3d& road);

// Printing shared by the sections.
void demoSection(const char* title);
void demoPoint(const char* label, const VqGePoint3d& p);
void demoPoint2d(const char* label, const VqGePoint2d& p);
// The whole curve sampled by the library to within approxEps of chord deviation.
void demoSampleCurve(const VqGeCurve3d& crv, double approxEps, VqArray<VqGePoint3d>& points);
// The name of a configuration code ("kLeftRight"), or "code N" for a code without one.
const char* demoConfigName(VqGe::VqGeXConfig config);

#endif
