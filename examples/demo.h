// The demo's sections, one file each, and the printing they share. A new section is a file
// demo_<topic>.cpp defining one function declared here and one call in demo.cpp's main.
#ifndef VQGE_EXAMPLES_DEMO_H
#define VQGE_EXAMPLES_DEMO_H

#include "vqge.h"

void demoFoundation();
void demoLines();
void demoPlanes();
void demoIntersections();
void demoCompositeOutline();
// A segment against a circular arc, end to end: lazy intersection, a transform of the arc,
// recomputation, and the picture typical_request.svg.
void demoArcs();

// Printing shared by the sections.
void demoSection(const char* title);
void demoPoint(const char* label, const VqGePoint3d& p);
void demoPoint2d(const char* label, const VqGePoint2d& p);
// The name of a configuration code ("kLeftRight"), or "code N" for a code without one.
const char* demoConfigName(VqGe::VqGeXConfig config);

#endif
