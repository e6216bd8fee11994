// The shipped arrangement: this program links libvqge15.so alone and opens the stand-in built
// against that same library (linked/libvqgex15.so). The stand-in calls into implementation
// classes and the allocation hooks, so it loads only if the shared library exports them, and
// it must see the very globals this program set.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "entity/imp_entity3d.h"
#include "ext_probe.h"
#include "test_helpers.h"

namespace {

typedef void* (*CreateTwinFn)(const VqGeImpEntity3d&);
typedef void (*DeleteTwinFn)(void*);

// The stand-in, opened by path; closed again at the end of the test.
struct LinkedStandIn {
    LinkedStandIn() : handle(dlopen(VQGE_TEST_EXT_LINKED, RTLD_NOW | RTLD_LOCAL)) {}
    ~LinkedStandIn() {
        if (handle) dlclose(handle);
    }
    template <class Fn>
    Fn find(const char* name) const {
        return handle ? reinterpret_cast<Fn>(dlsym(handle, name)) : nullptr;
    }
    void* handle;
};

}  // namespace

TEST(VqGeExtension, LinkedAgainstSharedLibrary_CreatesTwin_OneCopyOfGlobals) {
    LinkedStandIn ext;
    ASSERT_NE(ext.handle, nullptr) << dlerror();
    // Decorated names of VqGeCreateExternalCurve(const VqGeImpEntity3d&) and
    // VqGeDeleteExternalCurve(void*), as the library's loader asks for them.
    CreateTwinFn create = ext.find<CreateTwinFn>("_Z23VqGeCreateExternalCurveRK15VqGeImpEntity3d");
    DeleteTwinFn destroy = ext.find<DeleteTwinFn>("_Z23VqGeDeleteExternalCurvePv");
    TestLiveTwinsFn live = ext.find<TestLiveTwinsFn>("vqgexTestLiveTwins");
    ASSERT_TRUE(create && destroy && live);

    CountingHooks hooks;
    {
        VqGeLineSeg3d seg(VqGePoint3d(1e8, -2e7, 3), VqGePoint3d(1e8 + 1e6, -2e7, 3));
        const long before = hooks.allocs();
        void* twin = create(*seg.impEntity());
        ASSERT_NE(twin, nullptr);
        const TestTwin* record = static_cast<const TestTwin*>(twin);
        EXPECT_EQ(record->magic, kTwinMagic);
        EXPECT_EQ(record->source, static_cast<const void*>(seg.impEntity()));
        EXPECT_EQ(record->owner, static_cast<const void*>(&seg));
        EXPECT_EQ(record->isCurve, 1);
        // The twin's block came from the hook this program installed.
        EXPECT_EQ(hooks.allocs(), before + 1);
        EXPECT_EQ(live(), 1);
        destroy(twin);
        EXPECT_EQ(live(), 0);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeExtension, SharedLibrary_InternalHelpers_NotVisibleToExtensions) {
    // Symbols of the loader and the link machinery stay inside the library.
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "_ZN10VqGeExtLib10numSymbolsEv"), nullptr);
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "_ZN13VqGeLifeWatch11objectDyingEPKv"), nullptr);
    // The implementation bases an extension derives from are there.
    EXPECT_NE(dlsym(RTLD_DEFAULT, "_ZTI13VqGeImpObject"), nullptr);
    EXPECT_NE(dlsym(RTLD_DEFAULT, "_ZTV15VqGeImpEntity3d"), nullptr);
}
