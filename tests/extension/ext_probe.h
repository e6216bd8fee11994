// What the stand-in extension libraries and the test programs share: the shape of a public
// wrapper, the twin record and the probe functions (found with dlsym, never linked).
#ifndef VQGE_TEST_EXT_PROBE_H
#define VQGE_TEST_EXT_PROBE_H

// Class, entity identity (the curve boundary has none of its own; 90 stands for it).
#define VQGEX_CLASSES(X)              \
    X(VqGeCone, 32)                   \
    X(VqGeCylinder, 30)               \
    X(VqGeTorus, 31)                  \
    X(VqGeOffsetSurface, 51)          \
    X(VqGeSphere, 29)                 \
    X(VqGeCurveBoundary, 90)          \
    X(VqGeExternalCurve2d, 55)        \
    X(VqGeExternalCurve3d, 54)        \
    X(VqGeExternalBoundedSurface, 58) \
    X(VqGeExternalSurface, 48)        \
    X(VqGeNurbSurface, 49)

// Every public entity is an implementation pointer and an ownership mark.
struct WrapperStorage {
    void* imp;
    int mark;
};

// The external twin the stand-in creates for an entity, in a block from the host's allocation
// hook. owner and isCurve are what the entity answered through the library's exported
// implementation interface (entity3d(0) and isKindOf(kCurve3d, 1)).
struct TestTwin {
    unsigned magic;
    const void* source;
    const void* owner;
    int isCurve;
};
const unsigned kTwinMagic = 0x7717u;

// Identifies the stand-in function a probe saw last.
enum TestFunction { kTestOutFields = 100, kTestInFields = 200 };

extern "C" {
// Twins created and not yet deleted, and the last pointer handed to the deleter.
typedef int (*TestLiveTwinsFn)();
typedef const void* (*TestLastDeletedFn)();
// The last field function called: its id (kTestOutFields or kTestInFields plus the class's
// entity identity) and the three arguments it received.
typedef void (*TestLastCallFn)(int* id, const void** filer, const void** ent, const void** version);
// The status every field function returns from now on.
typedef void (*TestSetStatusFn)(int status);
}

#endif
