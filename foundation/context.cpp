// Library globals: tolerance, hooks, switches and the version of this library.
#include <cmath>
#include <cstdlib>

#include "vqge_context.h"
#include "vqge_util.h"
#include "vqge_vector3d.h"
#include "vqge_version.h"

namespace {

void noError() {}
int noBreak() { return 0; }
void* defaultAlloc(size_t n) { return std::malloc(n); }
void defaultFree(void* p) { std::free(p); }

// Near the z axis the x-y rotation would be tiny, so the vector is turned about y instead.
void defaultOrthoVector(const VqGeVector3d& v, VqGeVector3d& result) {
    const double kNearAxis = 0.015625;
    if (std::fabs(v.x) < kNearAxis && std::fabs(v.y) < kNearAxis) {
        result.set(v.z, 0.0, -v.x);
        if (!result.isZeroLength(VqGeTol())) return;
    }
    result.set(-v.y, v.x, 0.0);
}

}  // namespace

VqGeTol VqGeContext::gTol;
void (*VqGeContext::gErrorFunc)() = noError;
void* (*VqGeContext::gAllocMem)(size_t) = defaultAlloc;
void (*VqGeContext::gFreeMem)(void*) = defaultFree;
void (*VqGeContext::gOrthoVector)(const VqGeVector3d&, VqGeVector3d&) = defaultOrthoVector;

int (*VqGeUtil::gBreakFunc)() = noBreak;
short VqGeUtil::exactOffset = 0;

// Built from its own bytes rather than copied from kReleasePyr, so it holds its value
// whatever order the globals are initialised in.
VqGeLibVersion VqGe::gLibVersion(2, 0, 0, 0);

// The module load entry of other platforms only turns off per-thread notifications.
