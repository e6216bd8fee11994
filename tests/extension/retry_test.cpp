// A load that fails is tried again: this program searches an empty folder for the extension
// library until the test copies the stand-in into it. One test only, since the library stays
// loaded for the rest of the process.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "entity/extension_loader.h"
#include "ext_probe.h"
#include "vqge_lineseg3d.h"
#include "vqge_version.h"

namespace {

// The stand-in asks the entity about itself, so it must be a real one.
struct TwinSource {
    VqGeLineSeg3d seg;
    const VqGeImpEntity3d& ref() const { return *seg.impEntity(); }
};

bool copyFile(const std::string& from, const std::string& to) {
    const std::string partial = to + ".part";
    {
        std::ifstream in(from, std::ios::binary);
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!in || !out) return false;
        out << in.rdbuf();
        if (!out) return false;
    }
    return std::rename(partial.c_str(), to.c_str()) == 0;
}

}  // namespace

TEST(VqGeExtLib, Load_FailsThenLibraryAppears_RetriedAndFound) {
    // The folder must exist before the first search, or the loader stops looking in it.
    mkdir(VQGE_TEST_EXT_DROP, 0755);
    const std::string dropped = std::string(VQGE_TEST_EXT_DROP) + "/" + VqGeExtLib::kLibraryName;
    std::remove(dropped.c_str());

    TwinSource entity;
    const VqGeLibVersion version;
    WrapperStorage storage = {nullptr, 0};
    EXPECT_EQ(VqGeExtLib::createExternalCurve(entity.ref()), nullptr);
    EXPECT_EQ(VqGeExtLib::outFields(nullptr, *reinterpret_cast<const VqGeCone*>(&storage), version),
              Pelo::eExtensionMissing);
    EXPECT_EQ(VqGeExtLib::construct(reinterpret_cast<VqGeCone*>(&storage)), nullptr);
    EXPECT_EQ(storage.mark, 0);
    EXPECT_FALSE(VqGeExtLib::isLoaded());

    ASSERT_TRUE(copyFile(VQGE_TEST_EXT_LIB, dropped));
    void* twin = VqGeExtLib::createExternalCurve(entity.ref());
    EXPECT_TRUE(VqGeExtLib::isLoaded());
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(static_cast<const TestTwin*>(twin)->source, static_cast<const void*>(entity.seg.impEntity()));
    EXPECT_EQ(VqGeExtLib::construct(reinterpret_cast<VqGeCone*>(&storage)),
              reinterpret_cast<VqGeCone*>(&storage));
    EXPECT_EQ(storage.mark, 37);

    // Once loaded the library is kept: taking the file away changes nothing.
    std::remove(dropped.c_str());
    void* second = VqGeExtLib::createExternalCurve(entity.ref());
    EXPECT_NE(second, nullptr);
    VqGeExtLib::deleteExternalCurve(twin);
    VqGeExtLib::deleteExternalCurve(second);
}
