// Internal helpers for objects and buffers taken through the allocation hooks.
#ifndef VQGE_FOUNDATION_MEM_H
#define VQGE_FOUNDATION_MEM_H

#include <cstddef>
#include <new>
#include <utility>

#include "vqge_context.h"

// Creates a T in a block from gAllocMem; null when the hook fails.
// Only for classes without their own class-level operator new.
template <class T, class... Args>
T* vqNew(Args&&... args) {
    void* block = VqGeContext::gAllocMem(sizeof(T));
    if (!block) return nullptr;
    return new (block) T(std::forward<Args>(args)...);
}

// Destroys an object made by vqNew (exact type, not through a base pointer).
template <class T>
void vqDelete(T* obj) {
    if (!obj) return;
    obj->~T();
    VqGeContext::gFreeMem(obj);
}

// Uninitialised buffer of n plain values; null when n <= 0 or the hook fails.
template <class T>
T* vqAllocBuffer(long n) {
    if (n <= 0) return nullptr;
    return static_cast<T*>(VqGeContext::gAllocMem(sizeof(T) * static_cast<size_t>(n)));
}

inline void vqFreeBuffer(void* block) {
    if (block) VqGeContext::gFreeMem(block);
}

#endif
