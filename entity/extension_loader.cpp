// Extension library loader. The library is opened on first need and kept for the life of the
// process; a failed open is tried again at the next lookup. Each function has a slot of its
// own that is filled when the function is first found, so a missing function is looked up
// again at every call. Handle and slots are atomics rather than locked: racing threads can at
// worst open the library twice (the second handle is closed) or store the same address twice.
//
// Symbols carry the Itanium C++ ABI names of their signatures: _Z <len><name> <params> for
// free functions, _ZN <class> <function> E <params> for static members, C1 for the complete-
// object constructor; P pointer, R reference, K const, v void.
#include "entity/extension_loader.h"

#include <dlfcn.h>

#include <atomic>

// This platform's loader sends no per-thread attach/detach notifications: no load entry needed.

// clang-format off
// Classes with field input and output in the extension library, with their mangled names.
#define VQGE_EXT_FIELD_CLASSES(X)                                 \
    X(VqGeCone, "8VqGeCone")                                      \
    X(VqGeCylinder, "12VqGeCylinder")                             \
    X(VqGeTorus, "9VqGeTorus")                                    \
    X(VqGeOffsetSurface, "17VqGeOffsetSurface")                   \
    X(VqGeSphere, "10VqGeSphere")                                 \
    X(VqGeCurveBoundary, "17VqGeCurveBoundary")                   \
    X(VqGeExternalCurve2d, "19VqGeExternalCurve2d")               \
    X(VqGeExternalCurve3d, "19VqGeExternalCurve3d")               \
    X(VqGeExternalBoundedSurface, "26VqGeExternalBoundedSurface") \
    X(VqGeExternalSurface, "19VqGeExternalSurface")               \
    X(VqGeNurbSurface, "15VqGeNurbSurface")

// Classes whose default constructor the extension library provides.
#define VQGE_EXT_CTOR_CLASSES(X)                                  \
    X(VqGeCone, "8VqGeCone")                                      \
    X(VqGeCylinder, "12VqGeCylinder")                             \
    X(VqGeSphere, "10VqGeSphere")                                 \
    X(VqGeTorus, "9VqGeTorus")                                    \
    X(VqGeOffsetSurface, "17VqGeOffsetSurface")                   \
    X(VqGeExternalCurve2d, "19VqGeExternalCurve2d")               \
    X(VqGeExternalCurve3d, "19VqGeExternalCurve3d")               \
    X(VqGeExternalSurface, "19VqGeExternalSurface")               \
    X(VqGeExternalBoundedSurface, "26VqGeExternalBoundedSurface") \
    X(VqGeNurbSurface, "15VqGeNurbSurface")

namespace {

// A mangled source name is the name's length in decimal followed by the name.
constexpr bool isSourceName(const char* mangled, const char* name) {
    int len = 0;
    while (*mangled >= '0' && *mangled <= '9') len = len * 10 + (*mangled++ - '0');
    int i = 0;
    for (; name[i] != '\0'; ++i) {
        if (mangled[i] != name[i]) return false;
    }
    return mangled[i] == '\0' && i == len;
}

#define VQGE_EXT_CHECK_NAME(T, M) \
    static_assert(isSourceName(M, #T), "mangled length of " #T " is wrong");
VQGE_EXT_FIELD_CLASSES(VQGE_EXT_CHECK_NAME)
#undef VQGE_EXT_CHECK_NAME

enum Slot {
    kCreateCurve,
    kCreateSurface,
    kDeleteCurve,
    kDeleteSurface,
#define VQGE_EXT_SLOT(T, M) kOut_##T,
    VQGE_EXT_FIELD_CLASSES(VQGE_EXT_SLOT)
#undef VQGE_EXT_SLOT
#define VQGE_EXT_SLOT(T, M) kIn_##T,
    VQGE_EXT_FIELD_CLASSES(VQGE_EXT_SLOT)
#undef VQGE_EXT_SLOT
#define VQGE_EXT_SLOT(T, M) kCtor_##T,
    VQGE_EXT_CTOR_CLASSES(VQGE_EXT_SLOT)
#undef VQGE_EXT_SLOT
    kSlotCount
};

const char* const kSymbols[kSlotCount] = {
    "_Z23VqGeCreateExternalCurveRK15VqGeImpEntity3d",
    "_Z25VqGeCreateExternalSurfaceRK15VqGeImpEntity3d",
    "_Z23VqGeDeleteExternalCurvePv",
    "_Z25VqGeDeleteExternalSurfacePv",
#define VQGE_EXT_NAME(T, M) "_ZN11VqGeFileIOX9outFieldsEP9VqGeFilerRK" M "RK14VqGeLibVersion",
    VQGE_EXT_FIELD_CLASSES(VQGE_EXT_NAME)
#undef VQGE_EXT_NAME
#define VQGE_EXT_NAME(T, M) "_ZN11VqGeFileIOX8inFieldsEP9VqGeFilerR" M "RK14VqGeLibVersion",
    VQGE_EXT_FIELD_CLASSES(VQGE_EXT_NAME)
#undef VQGE_EXT_NAME
#define VQGE_EXT_NAME(T, M) "_ZN" M "C1Ev",
    VQGE_EXT_CTOR_CLASSES(VQGE_EXT_NAME)
#undef VQGE_EXT_NAME
};

// clang-format on

std::atomic<void*> gHandle{nullptr};
std::atomic<void*> gSlots[kSlotCount];

void* libraryHandle() {
    void* handle = gHandle.load(std::memory_order_acquire);
    if (handle) return handle;
    handle = dlopen(VqGeExtLib::kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        dlerror();  // the host's next dlerror() should not report our miss
        return nullptr;
    }
    void* expected = nullptr;
    if (!gHandle.compare_exchange_strong(expected, handle, std::memory_order_acq_rel)) {
        dlclose(handle);
        handle = expected;
    }
    return handle;
}

void* lookup(Slot slot) {
    void* fn = gSlots[slot].load(std::memory_order_acquire);
    if (fn) return fn;
    void* handle = libraryHandle();
    if (!handle) return nullptr;
    fn = dlsym(handle, kSymbols[slot]);
    if (!fn) {
        dlerror();
        return nullptr;
    }
    gSlots[slot].store(fn, std::memory_order_release);
    return fn;
}

typedef void* (*CreateFn)(const VqGeImpEntity3d&);
typedef void (*DeleteFn)(void*);
typedef void (*CtorFn)(void*);

}  // namespace

const char* const VqGeExtLib::kLibraryName = "libvqgex15.so";

void* VqGeExtLib::createExternalCurve(const VqGeImpEntity3d& entity) {
    CreateFn fn = reinterpret_cast<CreateFn>(lookup(kCreateCurve));
    return fn ? fn(entity) : nullptr;
}

void* VqGeExtLib::createExternalSurface(const VqGeImpEntity3d& entity) {
    CreateFn fn = reinterpret_cast<CreateFn>(lookup(kCreateSurface));
    return fn ? fn(entity) : nullptr;
}

// A null twin has nothing to release, so the library is not even asked.
void VqGeExtLib::deleteExternalCurve(void* external) {
    if (!external) return;
    DeleteFn fn = reinterpret_cast<DeleteFn>(lookup(kDeleteCurve));
    if (fn) fn(external);
}

void VqGeExtLib::deleteExternalSurface(void* external) {
    if (!external) return;
    DeleteFn fn = reinterpret_cast<DeleteFn>(lookup(kDeleteSurface));
    if (fn) fn(external);
}

#define VQGE_EXT_OUT(T, M)                                                            \
    Pelo::ErrorStatus VqGeExtLib::outFields(VqGeFiler* filer, const T& ent,           \
                                            const VqGeLibVersion& version) {          \
        typedef Pelo::ErrorStatus (*Fn)(VqGeFiler*, const T&, const VqGeLibVersion&); \
        Fn fn = reinterpret_cast<Fn>(lookup(kOut_##T));                               \
        return fn ? fn(filer, ent, version) : Pelo::eExtensionMissing;                \
    }
VQGE_EXT_FIELD_CLASSES(VQGE_EXT_OUT)
#undef VQGE_EXT_OUT

#define VQGE_EXT_IN(T, M)                                                       \
    Pelo::ErrorStatus VqGeExtLib::inFields(VqGeFiler* filer, T& ent,            \
                                           const VqGeLibVersion& version) {     \
        typedef Pelo::ErrorStatus (*Fn)(VqGeFiler*, T&, const VqGeLibVersion&); \
        Fn fn = reinterpret_cast<Fn>(lookup(kIn_##T));                          \
        return fn ? fn(filer, ent, version) : Pelo::eExtensionMissing;          \
    }
VQGE_EXT_FIELD_CLASSES(VQGE_EXT_IN)
#undef VQGE_EXT_IN

#define VQGE_EXT_CTOR(T, M)                                      \
    T* VqGeExtLib::construct(T* storage) {                       \
        if (!storage) return nullptr;                            \
        CtorFn fn = reinterpret_cast<CtorFn>(lookup(kCtor_##T)); \
        if (!fn) return nullptr;                                 \
        fn(storage);                                             \
        return storage;                                          \
    }
VQGE_EXT_CTOR_CLASSES(VQGE_EXT_CTOR)
#undef VQGE_EXT_CTOR

int VqGeExtLib::isLoaded() {
    return gHandle.load(std::memory_order_acquire) != nullptr;
}

int VqGeExtLib::numSymbols() {
    return kSlotCount;
}

const char* VqGeExtLib::symbolName(int slot) {
    return slot >= 0 && slot < kSlotCount ? kSymbols[slot] : nullptr;
}
