// Capped allocation hooks shared by the fuzz targets.
#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"

namespace {

size_t gCap = 0;

void* cappedAlloc(size_t n) {
    if (n >= (size_t(1) << 40)) {
        std::fprintf(stderr, "allocation request of %zu bytes: a wrapped size\n", n);
        std::abort();
    }
    if (n > gCap) return nullptr;
    return std::malloc(n);
}

void cappedFree(void* p) {
    std::free(p);
}

}  // namespace

void fuzzInstallHooks(size_t cap) {
    gCap = cap;
    VqGeContext::gAllocMem = &cappedAlloc;
    VqGeContext::gFreeMem = &cappedFree;
}
