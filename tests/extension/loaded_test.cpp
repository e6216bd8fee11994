// The loader against the stand-in libvqgex15.so, which this program finds through its RPATH.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "entity/extension_loader.h"
#include "ext_probe.h"
#include "test_helpers.h"
#include "vqge_lineseg3d.h"
#include "vqge_version.h"

namespace {

// The stand-in asks the entity about itself, so it must be a real one.
struct TwinSource {
    VqGeLineSeg3d seg;
    const VqGeImpEntity3d& ref() const { return *seg.impEntity(); }
};

// The stand-in the loader opened (opening by path finds the same, already loaded, object).
void* loadedStandIn() {
    return dlopen(VQGE_TEST_EXT_LIB, RTLD_NOW | RTLD_NOLOAD);
}

template <class Fn>
Fn probe(const char* name) {
    void* handle = loadedStandIn();
    Fn fn = handle ? reinterpret_cast<Fn>(dlsym(handle, name)) : nullptr;
    if (handle) dlclose(handle);
    return fn;
}

struct LastCall {
    int id = 0;
    const void* filer = nullptr;
    const void* ent = nullptr;
    const void* version = nullptr;
};

LastCall lastCall() {
    LastCall call;
    TestLastCallFn fn = probe<TestLastCallFn>("vqgexTestLastCall");
    if (fn) fn(&call.id, &call.filer, &call.ent, &call.version);
    return call;
}

void setStatus(int status) {
    TestSetStatusFn fn = probe<TestSetStatusFn>("vqgexTestSetStatus");
    ASSERT_NE(fn, nullptr);
    fn(status);
}

VqGeFiler* fakeFiler() {
    static int filer;
    return reinterpret_cast<VqGeFiler*>(&filer);
}

}  // namespace

TEST(VqGeExtLib, CreateExternalCurve_LibraryPresent_TwinOfEntityDeletedByLibrary) {
    TwinSource entity;
    void* twin = VqGeExtLib::createExternalCurve(entity.ref());
    ASSERT_NE(twin, nullptr);
    EXPECT_TRUE(VqGeExtLib::isLoaded());
    void* handle = loadedStandIn();
    ASSERT_NE(handle, nullptr);
    dlclose(handle);
    const TestTwin* record = static_cast<const TestTwin*>(twin);
    EXPECT_EQ(record->magic, kTwinMagic);
    EXPECT_EQ(record->source, static_cast<const void*>(entity.seg.impEntity()));

    TestLiveTwinsFn live = probe<TestLiveTwinsFn>("vqgexTestLiveTwins");
    ASSERT_NE(live, nullptr);
    const int before = live();
    VqGeExtLib::deleteExternalCurve(twin);
    EXPECT_EQ(live(), before - 1);
    EXPECT_EQ(probe<TestLastDeletedFn>("vqgexTestLastDeleted")(), twin);

    // A null twin is not handed over at all.
    VqGeExtLib::deleteExternalCurve(nullptr);
    EXPECT_EQ(probe<TestLastDeletedFn>("vqgexTestLastDeleted")(), twin);
}

// The stand-in reaches the library's globals and implementation classes: its twin block comes
// from the hook this program installed, and the entity answered its questions.
TEST(VqGeExtLib, CreateExternalCurve_ExtensionCallsIntoLibrary_SameHooksAndEntityAnswers) {
    CountingHooks hooks;
    TwinSource entity;
    const long before = hooks.allocs();
    void* twin = VqGeExtLib::createExternalCurve(entity.ref());
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(hooks.allocs(), before + 1);
    const TestTwin* record = static_cast<const TestTwin*>(twin);
    EXPECT_EQ(record->owner, static_cast<const void*>(&entity.seg));
    EXPECT_EQ(record->isCurve, 1);
    const long freed = hooks.frees();
    VqGeExtLib::deleteExternalCurve(twin);
    EXPECT_EQ(hooks.frees(), freed + 1);
}

TEST(VqGeExtLib, ExternalSurface_FunctionsMissing_NullAndNothingHappens) {
    TwinSource entity;
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(VqGeExtLib::createExternalSurface(entity.ref()), nullptr);
    }
    EXPECT_TRUE(VqGeExtLib::isLoaded());
    TestTwin block = {kTwinMagic, nullptr, nullptr, 0};
    VqGeExtLib::deleteExternalSurface(&block);
    EXPECT_EQ(block.magic, kTwinMagic);
    // The curve deleter that does exist never saw the surface's block.
    EXPECT_NE(probe<TestLastDeletedFn>("vqgexTestLastDeleted")(), static_cast<const void*>(&block));
}

TEST(VqGeExtLib, FieldFunctions_PresentClasses_ArgumentsAndStatusPassedThrough) {
    const VqGeLibVersion version(2, 0, 0, 0);
    WrapperStorage storage = {nullptr, 0};
    VqGeExtLib::outFields(fakeFiler(), *reinterpret_cast<const VqGeCone*>(&storage), version);
    setStatus(7);
#define CHECK_FIELDS(T, ID)                                                                     \
    if (ID != 49) {                                                                             \
        EXPECT_EQ(                                                                              \
            VqGeExtLib::outFields(fakeFiler(), *reinterpret_cast<const T*>(&storage), version), \
            7);                                                                                 \
        LastCall out = lastCall();                                                              \
        EXPECT_EQ(out.id, kTestOutFields + ID) << #T;                                           \
        EXPECT_EQ(out.filer, static_cast<const void*>(fakeFiler()));                            \
        EXPECT_EQ(out.ent, static_cast<const void*>(&storage));                                 \
        EXPECT_EQ(out.version, static_cast<const void*>(&version));                             \
        EXPECT_EQ(VqGeExtLib::inFields(nullptr, *reinterpret_cast<T*>(&storage), version), 7);  \
        LastCall in = lastCall();                                                               \
        EXPECT_EQ(in.id, kTestInFields + ID) << #T;                                             \
        EXPECT_EQ(in.filer, nullptr);                                                           \
        EXPECT_EQ(in.ent, static_cast<const void*>(&storage));                                  \
    }
    VQGEX_CLASSES(CHECK_FIELDS)
#undef CHECK_FIELDS
    setStatus(0);
    EXPECT_EQ(
        VqGeExtLib::outFields(fakeFiler(), *reinterpret_cast<const VqGeTorus*>(&storage), version),
        Pelo::eOk);
}

TEST(VqGeExtLib, FieldFunctions_NurbSurfaceMissing_Status53AndNoCall) {
    const VqGeLibVersion version;
    WrapperStorage storage = {nullptr, 0};
    VqGeExtLib::outFields(fakeFiler(), *reinterpret_cast<const VqGeSphere*>(&storage), version);
    const LastCall before = lastCall();
    EXPECT_EQ(before.id, kTestOutFields + 29);
    WrapperStorage nurb = {nullptr, 0};
    EXPECT_EQ(VqGeExtLib::outFields(fakeFiler(), *reinterpret_cast<const VqGeNurbSurface*>(&nurb),
                                    version),
              Pelo::eExtensionMissing);
    EXPECT_EQ(
        VqGeExtLib::inFields(fakeFiler(), *reinterpret_cast<VqGeNurbSurface*>(&nurb), version),
        Pelo::eExtensionMissing);
    EXPECT_EQ(lastCall().id, before.id);
    EXPECT_EQ(lastCall().ent, before.ent);
}

TEST(VqGeExtLib, Construct_PresentClasses_DefaultObjectBuiltInStorage){
#define CHECK_CTOR(T, ID)                                                       \
    {                                                                           \
        WrapperStorage storage = {nullptr, 0};                                  \
        T* obj = VqGeExtLib::construct(reinterpret_cast<T*>(&storage));         \
        EXPECT_EQ(static_cast<void*>(obj), static_cast<void*>(&storage)) << #T; \
        EXPECT_EQ(storage.mark, 37) << #T;                                      \
        EXPECT_EQ(reinterpret_cast<unsigned long>(storage.imp), ID##ul) << #T;  \
    }
    CHECK_CTOR(VqGeCone, 32) CHECK_CTOR(VqGeCylinder, 30) CHECK_CTOR(VqGeSphere, 29)
        CHECK_CTOR(VqGeTorus, 31) CHECK_CTOR(VqGeOffsetSurface, 51)
            CHECK_CTOR(VqGeExternalCurve2d, 55) CHECK_CTOR(VqGeExternalCurve3d, 54)
                CHECK_CTOR(VqGeExternalSurface, 48) CHECK_CTOR(VqGeExternalBoundedSurface, 58)
#undef CHECK_CTOR
}

TEST(VqGeExtLib, Construct_MissingOrNullStorage_NullAndStorageUntouched) {
    WrapperStorage storage = {nullptr, 5};
    EXPECT_EQ(VqGeExtLib::construct(reinterpret_cast<VqGeNurbSurface*>(&storage)), nullptr);
    EXPECT_EQ(storage.mark, 5);
    EXPECT_EQ(storage.imp, nullptr);
    EXPECT_EQ(VqGeExtLib::construct(static_cast<VqGeCone*>(nullptr)), nullptr);
}

// Every decorated name is what the compiler emits for the signature: each one is exported by
// the stand-in or by the library holding the functions the stand-in leaves out, never both.
TEST(VqGeExtLib, SymbolNames_EveryName_MatchesCompiledSignature) {
    TwinSource entity;
    VqGeExtLib::createExternalSurface(entity.ref());
    void* present = loadedStandIn();
    ASSERT_NE(present, nullptr);
    void* rest = dlopen(VQGE_TEST_EXT_REST, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(rest, nullptr) << dlerror();
    const int n = VqGeExtLib::numSymbols();
    EXPECT_EQ(n, 4 + 11 + 11 + 10);
    int missing = 0;
    for (int i = 0; i < n; ++i) {
        const char* name = VqGeExtLib::symbolName(i);
        ASSERT_NE(name, nullptr);
        const bool inPresent = dlsym(present, name) != nullptr;
        const bool inRest = dlsym(rest, name) != nullptr;
        EXPECT_TRUE(inPresent != inRest) << name;
        if (inRest) ++missing;
    }
    EXPECT_EQ(missing, 5);
    EXPECT_EQ(VqGeExtLib::symbolName(-1), nullptr);
    EXPECT_EQ(VqGeExtLib::symbolName(n), nullptr);
    dlclose(rest);
    dlclose(present);
}
