// Shared checks and fixtures of the test suite.
#ifndef VQGE_TEST_HELPERS_H
#define VQGE_TEST_HELPERS_H

#include <gtest/gtest.h>

#include <cstdlib>

#include "vqge.h"

// Replaces the allocation hooks with counting ones for the life of the object.
class CountingHooks {
public:
    CountingHooks() : mOldAlloc(VqGeContext::gAllocMem), mOldFree(VqGeContext::gFreeMem) {
        allocs() = 0;
        frees() = 0;
        failAfter() = -1;
        VqGeContext::gAllocMem = &alloc;
        VqGeContext::gFreeMem = &release;
    }
    ~CountingHooks() {
        VqGeContext::gAllocMem = mOldAlloc;
        VqGeContext::gFreeMem = mOldFree;
    }
    static long& allocs() { static long n = 0; return n; }
    static long& frees() { static long n = 0; return n; }
    // After this many more successful allocations every request fails (-1: never).
    static long& failAfter() { static long n = -1; return n; }
    long outstanding() const { return allocs() - frees(); }

private:
    static void* alloc(size_t n) {
        if (failAfter() == 0) return nullptr;
        if (failAfter() > 0) --failAfter();
        ++allocs();
        return std::malloc(n);
    }
    static void release(void* p) {
        if (p) ++frees();
        std::free(p);
    }
    void* (*mOldAlloc)(size_t);
    void (*mOldFree)(void*);
};

#define EXPECT_PT3_NEAR(p, ex, ey, ez, eps) \
    do {                                     \
        EXPECT_NEAR((p).x, (ex), (eps));     \
        EXPECT_NEAR((p).y, (ey), (eps));     \
        EXPECT_NEAR((p).z, (ez), (eps));     \
    } while (0)

#define EXPECT_PT2_NEAR(p, ex, ey, eps)  \
    do {                                 \
        EXPECT_NEAR((p).x, (ex), (eps)); \
        EXPECT_NEAR((p).y, (ey), (eps)); \
    } while (0)

#endif
