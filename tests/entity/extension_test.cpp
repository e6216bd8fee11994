// Extension library absent: nothing on this program's search path provides it, so every
// extension operation reports absence, however often it is asked.
#include <gtest/gtest.h>

#include <cstring>

#include "entity/extension_loader.h"
#include "vqge_version.h"

namespace {

// Stands in for a public entity (two fields) and an implementation object; the loader only
// passes their addresses on.
struct Storage {
    alignas(16) unsigned char bytes[64];
    template <class T>
    T& as() {
        return *reinterpret_cast<T*>(bytes);
    }
};

bool untouched(const Storage& s, unsigned char fill) {
    for (unsigned char b : s.bytes) {
        if (b != fill) return false;
    }
    return true;
}

}  // namespace

TEST(VqGeExtLib, ExternalEntities_LibraryMissing_NullAndNothingHappens) {
    Storage entity;
    std::memset(entity.bytes, 0x5a, sizeof(entity.bytes));
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_EQ(VqGeExtLib::createExternalCurve(entity.as<const VqGeImpEntity3d>()), nullptr);
        EXPECT_EQ(VqGeExtLib::createExternalSurface(entity.as<const VqGeImpEntity3d>()), nullptr);
        VqGeExtLib::deleteExternalCurve(entity.bytes);
        VqGeExtLib::deleteExternalSurface(entity.bytes);
        VqGeExtLib::deleteExternalCurve(nullptr);
        EXPECT_FALSE(VqGeExtLib::isLoaded());
    }
    EXPECT_TRUE(untouched(entity, 0x5a));
}

TEST(VqGeExtLib, FieldFunctions_LibraryMissing_Status53ForEveryClass) {
    Storage ent;
    std::memset(ent.bytes, 0x33, sizeof(ent.bytes));
    const VqGeLibVersion version;
    VqGeFiler* filer = nullptr;
#define CHECK_MISSING(T)                                                                         \
    EXPECT_EQ(VqGeExtLib::outFields(filer, ent.as<const T>(), version), Pelo::eExtensionMissing) \
        << #T;                                                                                   \
    EXPECT_EQ(VqGeExtLib::inFields(filer, ent.as<T>(), version), Pelo::eExtensionMissing) << #T;
    CHECK_MISSING(VqGeCone)
    CHECK_MISSING(VqGeCylinder)
    CHECK_MISSING(VqGeTorus)
    CHECK_MISSING(VqGeOffsetSurface)
    CHECK_MISSING(VqGeSphere)
    CHECK_MISSING(VqGeCurveBoundary)
    CHECK_MISSING(VqGeExternalCurve2d)
    CHECK_MISSING(VqGeExternalCurve3d)
    CHECK_MISSING(VqGeExternalBoundedSurface)
    CHECK_MISSING(VqGeExternalSurface)
    CHECK_MISSING(VqGeNurbSurface)
#undef CHECK_MISSING
    EXPECT_TRUE(untouched(ent, 0x33));
    EXPECT_FALSE(VqGeExtLib::isLoaded());
}

TEST(VqGeExtLib, Construct_LibraryMissing_NullAndStorageUntouched) {
    Storage storage;
    std::memset(storage.bytes, 0x11, sizeof(storage.bytes));
#define CHECK_MISSING(T) EXPECT_EQ(VqGeExtLib::construct(&storage.as<T>()), nullptr) << #T;
    CHECK_MISSING(VqGeCone)
    CHECK_MISSING(VqGeCylinder)
    CHECK_MISSING(VqGeSphere)
    CHECK_MISSING(VqGeTorus)
    CHECK_MISSING(VqGeOffsetSurface)
    CHECK_MISSING(VqGeExternalCurve2d)
    CHECK_MISSING(VqGeExternalCurve3d)
    CHECK_MISSING(VqGeExternalSurface)
    CHECK_MISSING(VqGeExternalBoundedSurface)
    CHECK_MISSING(VqGeNurbSurface)
#undef CHECK_MISSING
    EXPECT_TRUE(untouched(storage, 0x11));
}

TEST(VqGeExtLib, SymbolNames_Table_DecoratedNamesAndBounds) {
    const int n = VqGeExtLib::numSymbols();
    ASSERT_EQ(n, 36);
    EXPECT_STREQ(VqGeExtLib::symbolName(0), "_Z23VqGeCreateExternalCurveRK15VqGeImpEntity3d");
    EXPECT_STREQ(VqGeExtLib::symbolName(4),
                 "_ZN11VqGeFileIOX9outFieldsEP9VqGeFilerRK8VqGeConeRK14VqGeLibVersion");
    for (int i = 0; i < n; ++i) {
        ASSERT_NE(VqGeExtLib::symbolName(i), nullptr);
        EXPECT_EQ(std::strncmp(VqGeExtLib::symbolName(i), "_Z", 2), 0);
    }
    EXPECT_EQ(VqGeExtLib::symbolName(n), nullptr);
    EXPECT_STREQ(VqGeExtLib::kLibraryName, "libvqgex15.so");
}
