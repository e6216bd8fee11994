#include <cmath>

#include "test_helpers.h"

TEST(VqGeTol, Default_HoldsPointAndVectorBounds) {
    VqGeTol tol;
    EXPECT_EQ(tol.equalPoint(), 1e-10);
    EXPECT_EQ(tol.equalVector(), 1e-12);
    EXPECT_EQ(VqGeContext::gTol.equalPoint(), 1e-10);
    EXPECT_EQ(VqGeContext::gTol.equalVector(), 1e-12);
    tol.setEqualPoint(-1e-3);
    EXPECT_EQ(tol.equalPoint(), -1e-3);  // not validated
}

TEST(VqGeTol, NegativeValue_ActsAsMagnitudeInEqualityTests) {
    VqGeTol tol;
    tol.setEqualPoint(-1e-3);
    EXPECT_TRUE(VqGePoint3d(0, 0, 0).isEqualTo(VqGePoint3d(5e-4, 0, 0), tol));
    tol.setEqualVector(0.0);
    EXPECT_TRUE(VqGeVector3d(1, 2, 3).isEqualTo(VqGeVector3d(1, 2, 3), tol));
    EXPECT_FALSE(VqGeVector3d(1, 2, 3).isEqualTo(VqGeVector3d(1, 2, 3.0000000001), tol));
}

TEST(VqGeContext, Hooks_HaveWorkingDefaults) {
    void* p = VqGeContext::gAllocMem(16);
    ASSERT_NE(p, nullptr);
    VqGeContext::gFreeMem(p);
    VqGeContext::gErrorFunc();  // does nothing
    EXPECT_EQ(VqGeUtil::gBreakFunc(), 0);
    EXPECT_EQ(VqGeUtil::exactOffset, 0);
}

TEST(VqGeContext, OrthoVector_DefaultRule_PinnedValues) {
    VqGeVector3d r;
    VqGeContext::gOrthoVector(VqGeVector3d(0, 0, 1), r);
    EXPECT_PT3_NEAR(r, 1, 0, 0, 0);
    VqGeContext::gOrthoVector(VqGeVector3d(0.01, 0, 1), r);
    EXPECT_PT3_NEAR(r, 1, 0, -0.01, 0);
    VqGeContext::gOrthoVector(VqGeVector3d(1, 2, 3), r);
    EXPECT_PT3_NEAR(r, -2, 1, 0, 0);
    // The near-axis test is strict, so 1/64 takes the x-y rule.
    VqGeContext::gOrthoVector(VqGeVector3d(0.015625, 0, 1), r);
    EXPECT_PT3_NEAR(r, 0, 0.015625, 0, 0);
    VqGeContext::gOrthoVector(VqGeVector3d(0, 0, 0), r);
    EXPECT_TRUE(r.isZeroLength());
}

TEST(VqGeContext, OrthoVector_NearAxisZeroResult_FallsBackToXYRule) {
    // (z, 0, -x) is zero here, so the rule continues with (-y, x, 0).
    VqGeVector3d r;
    VqGeContext::gOrthoVector(VqGeVector3d(0, 0.01, 0), r);
    EXPECT_PT3_NEAR(r, -0.01, 0, 0, 0);
}

namespace {
void swapAxes(const VqGeVector3d& v, VqGeVector3d& r) { r.set(v.z, v.x, v.y); }
}  // namespace

TEST(VqGeVector3d, PerpVector_UsesReplaceableHookAndNormalises) {
    EXPECT_PT3_NEAR(VqGeVector3d(0, 0, 5).perpVector(), 1, 0, 0, 1e-15);
    VqGeVector3d p = VqGeVector3d(1, 2, 3).perpVector();
    EXPECT_NEAR(p.length(), 1.0, 1e-15);
    EXPECT_NEAR(p.dotProduct(VqGeVector3d(1, 2, 3)), 0.0, 1e-15);
    auto old = VqGeContext::gOrthoVector;
    VqGeContext::gOrthoVector = swapAxes;
    EXPECT_PT3_NEAR(VqGeVector3d(0, 0, 2).perpVector(), 1, 0, 0, 1e-15);
    VqGeContext::gOrthoVector = old;
}

TEST(VqGeLibVersion, Constants_HoldReleaseValues) {
    EXPECT_TRUE(VqGeLibVersion::kRelease0_95 == VqGeLibVersion(0, 0, 0, 0));
    EXPECT_TRUE(VqGeLibVersion::kReleaseMun == VqGeLibVersion(1, 0, 0, 0));
    EXPECT_TRUE(VqGeLibVersion::kReleasePyr == VqGeLibVersion(2, 0, 0, 0));
    EXPECT_TRUE(VqGe::gLibVersion == VqGeLibVersion::kReleasePyr);
    EXPECT_TRUE(VqGeLibVersion() == VqGeLibVersion::kReleasePyr);
}

TEST(VqGeLibVersion, Compare_BytewiseUnsignedInFieldOrder) {
    const VqGeLibVersion v1000(1, 0, 0, 0), v2000(2, 0, 0, 0), v1500(1, 5, 0, 0),
        v2001(2, 0, 0, 1), vFF(255, 255, 255, 255);
    EXPECT_EQ(v1000 < v2000, 1);
    EXPECT_EQ(v1500 < v2000, 1);
    EXPECT_EQ(v2001 > v2000, 1);
    EXPECT_EQ(v2000 < v2000, 0);
    EXPECT_EQ(v2000 <= v2000, 1);
    EXPECT_EQ(v2000 >= v2000, 1);
    EXPECT_EQ(v2000 > v2000, 0);
    EXPECT_EQ(v2000 != v2001, 1);
    EXPECT_EQ(VqGeLibVersion(200, 0, 0, 0) > VqGeLibVersion(100, 0, 0, 0), 1);
    for (const VqGeLibVersion* r :
         {&VqGeLibVersion::kRelease0_95, &VqGeLibVersion::kReleaseMun, &VqGeLibVersion::kReleasePyr}) {
        EXPECT_EQ(vFF > *r, 1);
        EXPECT_EQ(*r < vFF, 1);
    }
}

TEST(VqGeLibVersion, Setters_ChainAndReservedBytesIgnored) {
    VqGeLibVersion a(0, 0, 0, 0), b(3, 4, 5, 6);
    a.setMajorVersion(3).setMinorVersion(4).setCorrectiveVersion(5).setSchemaVersion(6);
    EXPECT_TRUE(a == b);
    EXPECT_EQ(a.majorVersion(), 3);
    EXPECT_EQ(a.schemaVersion(), 6);
    // Records that differ only in the reserved bytes compare equal.
    unsigned char raw[sizeof(VqGeLibVersion)];
    std::memcpy(raw, &b, sizeof raw);
    for (size_t i = 4; i < sizeof raw; ++i) raw[i] = 0xAB;
    VqGeLibVersion c;
    std::memcpy(static_cast<void*>(&c), raw, sizeof raw);
    EXPECT_TRUE(c == b);
    EXPECT_FALSE(c < b || c > b);
    a = a;  // self-assignment keeps the record
    EXPECT_TRUE(a == b);
}
