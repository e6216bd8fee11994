// The demo's sections, one function per topic file.
#ifndef VQGE_EXAMPLES_DEMO_SECTIONS_H
#define VQGE_EXAMPLES_DEMO_SECTIONS_H

// A segment against a circular arc, end to end: lazy intersection, a transform of the arc,
// recomputation, and the picture typical_request.svg.
void demoArcs();

#endif
