// Knot vector output sizing and lengths near the limits of the length type.
#include <climits>
#include <random>
#include <vector>

#include "capped_hooks.h"
#include "knot_vector_checks.h"
#include "test_helpers.h"

// Appending one knot at a time grew the caller's array by 8 per step: n distinct knots cost
// about n^2/16 copies. The output is now sized once.
TEST(VqGeKnotVector, GetDistinctKnots_ManyKnots_OutputSizedOnceNotGrownByEight) {
    std::mt19937 rng(16);
    std::uniform_int_distribution<int> mult(1, 3);
    std::vector<double> k;
    const int distinct = 200000;
    for (int i = 0; i < distinct; ++i)
        for (int m = mult(rng); m > 0; --m) k.push_back(1e6 * i / distinct);
    const VqGeKnotVector kv(static_cast<int>(k.size()), k.data());
    CountingHooks hooks;
    VqArray<double> out;
    out.append(-1.0);  // earlier contents are replaced
    const long before = CountingHooks::allocs();
    EXPECT_EQ(kv.getDistinctKnots(out), distinct);
    EXPECT_EQ(CountingHooks::allocs() - before, 1);
    EXPECT_EQ(out.physicalLength(), distinct);
    for (int i = 0; i < distinct; ++i) ASSERT_EQ(out[i], 1e6 * i / distinct);
    // Storage already large enough is reused as it is.
    const long again = CountingHooks::allocs();
    EXPECT_EQ(kv.getDistinctKnots(out), distinct);
    EXPECT_EQ(CountingHooks::allocs(), again);
}

TEST(VqGeKnotVector, GetDistinctKnots_OutputAllocationFails_EmptyResult) {
    const VqGeKnotVector kv = makeKnots({0, 0, 1, 2, 2});
    CountingHooks hooks;
    VqArray<double> out;
    CountingHooks::failAfter() = 0;
    EXPECT_EQ(kv.getDistinctKnots(out), 0);
    EXPECT_EQ(out.length(), 0);
    CountingHooks::failAfter() = -1;
    EXPECT_EQ(kv.getDistinctKnots(out), 3);
}

// Physical length + grow length past INT_MAX falls back on the exact need; a size the
// heap refuses leaves the empty vector; no request ever exceeds the true size.
TEST(VqGeKnotVector, GrowLengthNearIntMax_NoOverflow_ExactNeedOrCleanFailure) {
    for (int grow : {INT_MAX, INT_MAX - 7, INT_MIN, -1, 0}) {
        CappedHooks hooks;
        VqGeKnotVector kv = makeKnots({0, 1, 2, 3, 4, 5, 6, 7});
        kv.setGrowLength(grow);
        EXPECT_EQ(kv.append(8.0), 8);
        EXPECT_EQ(kv.physicalLength(), 9);
        kv.insertAt(0, -1.0, 2);
        EXPECT_EQ(kv.length(), 11);
        kv.setLogicalLength(12);
        EXPECT_EQ(kv.physicalLength(), 12);
        EXPECT_EQ(kv[11], 0.0);
        EXPECT_EQ(CappedHooks::refused(), 0);
        EXPECT_LE(CappedHooks::largest(), sizeof(double) * 12);
    }
    CappedHooks hooks;
    VqGeKnotVector empty;
    empty.setPhysicalLength(0).setGrowLength(INT_MAX);
    EXPECT_EQ(empty.append(1.0), -1);
    EXPECT_EQ(empty.length(), 0);
    EXPECT_EQ(empty.physicalLength(), 0);
    EXPECT_EQ(CappedHooks::largest(), sizeof(double) * static_cast<size_t>(INT_MAX));
    VqGeKnotVector kv = makeKnots({0, 1});
    kv.insertAt(1, 0.5, INT_MAX);  // length + multiplicity does not fit: ignored
    EXPECT_KNOTS(kv, {0, 1});
    EXPECT_EQ(CappedHooks::live(), 1);
}
