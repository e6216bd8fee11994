// Process-wide hooks: default tolerance, error hook, allocation hooks, orthogonal-vector rule.
#ifndef VQGE_CONTEXT_H
#define VQGE_CONTEXT_H

#include <cstddef>

#include "vqge_defs.h"
#include "vqge_tol.h"

class VqGeVector3d;

struct VQGE_API VqGeContext {
    static VqGeTol gTol;
    // Kept for the host; the library never calls it.
    static void (*gErrorFunc)();
    // Every heap block of the library goes through these two hooks.
    static void* (*gAllocMem)(size_t);
    static void (*gFreeMem)(void*);
    // Writes a vector orthogonal to the input, not normalised.
    static void (*gOrthoVector)(const VqGeVector3d&, VqGeVector3d&);
};

#endif
