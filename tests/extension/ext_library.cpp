// Stand-in extension library, built as libvqgex15.so. It provides the external curve functions
// and the field functions and constructors of every class except the NURB surface; the
// external surface functions are missing on purpose. Like a real extension it calls into the
// library's implementation classes and allocates through the host's hooks; those symbols are
// resolved when it is loaded, from the one copy of the library in the process.
#include "entity/imp_entity3d.h"
#include "ext_standins.h"
#include "vqge_context.h"

namespace {

int gLiveTwins = 0;
const void* gLastDeleted = nullptr;
int gLastId = 0;
const void* gLastFiler = nullptr;
const void* gLastEnt = nullptr;
const void* gLastVersion = nullptr;
int gStatus = 0;

Pelo::ErrorStatus recordCall(int id, const void* filer, const void* ent, const void* version) {
    gLastId = id;
    gLastFiler = filer;
    gLastEnt = ent;
    gLastVersion = version;
    return static_cast<Pelo::ErrorStatus>(gStatus);
}

}  // namespace

void* VqGeCreateExternalCurve(const VqGeImpEntity3d& ent) {
    TestTwin* twin = static_cast<TestTwin*>(VqGeContext::gAllocMem(sizeof(TestTwin)));
    if (!twin) return nullptr;
    twin->magic = kTwinMagic;
    twin->source = &ent;
    twin->owner = ent.entity3d(0);
    twin->isCurve = ent.isKindOf(VqGe::kCurve3d, 1);
    ++gLiveTwins;
    return twin;
}

void VqGeDeleteExternalCurve(void* ext) {
    gLastDeleted = ext;
    TestTwin* twin = static_cast<TestTwin*>(ext);
    if (twin && twin->magic == kTwinMagic) {
        twin->magic = 0;
        --gLiveTwins;
        VqGeContext::gFreeMem(twin);
    }
}

#define VQGEX_PRESENT(X)              \
    X(VqGeCone, 32)                   \
    X(VqGeCylinder, 30)               \
    X(VqGeTorus, 31)                  \
    X(VqGeOffsetSurface, 51)          \
    X(VqGeSphere, 29)                 \
    X(VqGeCurveBoundary, 90)          \
    X(VqGeExternalCurve2d, 55)        \
    X(VqGeExternalCurve3d, 54)        \
    X(VqGeExternalBoundedSurface, 58) \
    X(VqGeExternalSurface, 48)
VQGEX_PRESENT(VQGEX_DEFINE_IO)

VQGEX_DEFINE_CTOR(VqGeCone, 32)
VQGEX_DEFINE_CTOR(VqGeCylinder, 30)
VQGEX_DEFINE_CTOR(VqGeTorus, 31)
VQGEX_DEFINE_CTOR(VqGeOffsetSurface, 51)
VQGEX_DEFINE_CTOR(VqGeSphere, 29)
VQGEX_DEFINE_CTOR(VqGeExternalCurve2d, 55)
VQGEX_DEFINE_CTOR(VqGeExternalCurve3d, 54)
VQGEX_DEFINE_CTOR(VqGeExternalBoundedSurface, 58)
VQGEX_DEFINE_CTOR(VqGeExternalSurface, 48)

extern "C" {

int vqgexTestLiveTwins() {
    return gLiveTwins;
}

const void* vqgexTestLastDeleted() {
    return gLastDeleted;
}

void vqgexTestLastCall(int* id, const void** filer, const void** ent, const void** version) {
    *id = gLastId;
    *filer = gLastFiler;
    *ent = gLastEnt;
    *version = gLastVersion;
}

void vqgexTestSetStatus(int status) {
    gStatus = status;
}
}
