// Allocation hooks that refuse large requests, for tests of sizes near the limits of the
// length types: a request above the cap fails as an exhausted heap would, and the largest
// request seen is kept so that a size wrapped by an overflow shows up.
#ifndef VQGE_TESTS_CAPPED_HOOKS_H
#define VQGE_TESTS_CAPPED_HOOKS_H

#include <cstddef>
#include <cstdlib>

#include "vqge_context.h"

class CappedHooks {
public:
    explicit CappedHooks(size_t cap = size_t(1) << 24)
        : mOldAlloc(VqGeContext::gAllocMem), mOldFree(VqGeContext::gFreeMem) {
        cap_() = cap;
        largest() = 0;
        refused() = 0;
        live() = 0;
        VqGeContext::gAllocMem = &alloc;
        VqGeContext::gFreeMem = &release;
    }
    ~CappedHooks() {
        VqGeContext::gAllocMem = mOldAlloc;
        VqGeContext::gFreeMem = mOldFree;
    }
    CappedHooks(const CappedHooks&) = delete;
    CappedHooks& operator=(const CappedHooks&) = delete;

    static size_t& largest() {
        static size_t n = 0;
        return n;
    }
    static long& refused() {
        static long n = 0;
        return n;
    }
    // Blocks handed out and not yet returned.
    static long& live() {
        static long n = 0;
        return n;
    }

private:
    static size_t& cap_() {
        static size_t n = 0;
        return n;
    }
    static void* alloc(size_t n) {
        if (n > largest()) largest() = n;
        if (n > cap_()) {
            ++refused();
            return nullptr;
        }
        void* p = std::malloc(n);
        if (p) ++live();
        return p;
    }
    static void release(void* p) {
        if (p) --live();
        std::free(p);
    }
    void* (*mOldAlloc)(size_t);
    void (*mOldFree)(void*);
};

#endif
