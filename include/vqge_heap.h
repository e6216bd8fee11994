// Class-level allocation through the library's hooks. A class that declares
// VQGE_HOOKED_NEW is created with a plain new-expression and freed with a plain delete,
// and its storage comes from VqGeContext::gAllocMem. When the hook returns null the
// new-expression yields null and no constructor runs.
#ifndef VQGE_HEAP_H
#define VQGE_HEAP_H

#include <cstddef>

#include "vqge_context.h"

#define VQGE_HOOKED_NEW                                                                     \
    static void* operator new(size_t n) noexcept { return VqGeContext::gAllocMem(n); }     \
    static void* operator new[](size_t n) noexcept { return VqGeContext::gAllocMem(n); }   \
    static void operator delete(void* p) noexcept {                                         \
        if (p) VqGeContext::gFreeMem(p);                                                    \
    }                                                                                       \
    static void operator delete[](void* p) noexcept {                                       \
        if (p) VqGeContext::gFreeMem(p);                                                    \
    }                                                                                       \
    static void* operator new(size_t, void* where) noexcept { return where; }              \
    static void operator delete(void*, void*) noexcept {}

#endif
