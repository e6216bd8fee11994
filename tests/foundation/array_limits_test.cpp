// VqArray growth near the limits of its int lengths: sizes are computed without overflow and
// a size that cannot be had leaves the array as it was.
#include <climits>

#include "capped_hooks.h"
#include "test_helpers.h"

namespace {

// An array of n ints 0..n-1 filling its storage exactly, with the given grow length.
VqArray<int> fullArray(int n, int grow) {
    VqArray<int> a(n, 8);
    for (int i = 0; i < n; ++i) a.append(i);
    a.setGrowLength(grow);
    return a;
}

void expectContents(const VqArray<int>& a, int n) {
    ASSERT_EQ(a.length(), n);
    for (int i = 0; i < n; ++i) EXPECT_EQ(a[i], i);
}

}  // namespace

// Logical length + grow length used to overflow int: the negative size reached the
// allocation hook as a huge size_t. A step past INT_MAX now falls back on the exact need.
TEST(VqArray, GrowLengthNearIntMax_GrowthOverflow_FallsBackOnExactNeed) {
    for (int grow : {INT_MAX, INT_MAX - 1, INT_MAX - 4}) {
        CappedHooks hooks;
        VqArray<int> a = fullArray(5, grow);
        EXPECT_EQ(a.append(5), 5);
        EXPECT_EQ(a.physicalLength(), 6);
        expectContents(a, 6);

        VqArray<int> b = fullArray(5, grow);
        b.insertAt(0, -1);
        ASSERT_EQ(b.length(), 6);
        EXPECT_EQ(b.physicalLength(), 6);
        EXPECT_EQ(b[0], -1);
        EXPECT_EQ(b[5], 4);

        VqArray<int> c = fullArray(5, grow);
        VqArray<int> tail = fullArray(3, 8);
        c.append(tail);
        ASSERT_EQ(c.length(), 8);
        EXPECT_EQ(c.physicalLength(), 8);
        EXPECT_EQ(c[7], 2);

        VqArray<int> d = fullArray(5, grow);
        d.setLogicalLength(7);
        EXPECT_EQ(d.physicalLength(), 7);
        EXPECT_EQ(d[6], 0);

        EXPECT_EQ(CappedHooks::refused(), 0);
        EXPECT_LE(CappedHooks::largest(), sizeof(int) * 8);
    }
}

// From an empty array a grow length near INT_MAX is a size that fits the length type but
// not the heap: the request is the true size and its failure leaves the array unchanged.
TEST(VqArray, GrowLengthNearIntMax_FromEmpty_RequestsTrueSizeAndFailsCleanly) {
    CappedHooks hooks;
    VqArray<double> a(0, INT_MAX);
    EXPECT_EQ(a.append(1.0), -1);
    EXPECT_EQ(a.length(), 0);
    EXPECT_EQ(a.physicalLength(), 0);
    EXPECT_EQ(CappedHooks::largest(), sizeof(double) * static_cast<size_t>(INT_MAX));
    a.insertAt(0, 2.0).setLogicalLength(1);
    EXPECT_EQ(a.length(), 0);
    EXPECT_EQ(a.asArrayPtr(), nullptr);
    EXPECT_EQ(CappedHooks::refused(), 3);
    a.setGrowLength(8);
    EXPECT_EQ(a.append(1.0), 0);
    EXPECT_EQ(a.physicalLength(), 8);
}

// Every grow length, hostile ones included, leaves a working array that took its storage
// only through the hooks.
TEST(VqArray, AnyGrowLength_AppendsInsertsAndBalances) {
    CappedHooks hooks;
    for (int grow : {INT_MIN, -1, 0, 1, 3, 8, 1 << 20, INT_MAX / 2}) {
        VqArray<int> a(0, 8);
        a.append(0);
        a.setGrowLength(grow);
        for (int i = 1; i < 20; ++i) {
            if (a.append(i) < 0) break;
        }
        if (a.length() == 20) expectContents(a, 20);
        EXPECT_GE(a.physicalLength(), a.length());
    }
    EXPECT_EQ(CappedHooks::live(), 0);
}
