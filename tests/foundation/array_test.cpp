#include "test_helpers.h"

TEST(VqArray, Append_GrowsByGrowLengthFromLogicalLength) {
    VqArray<int> a;
    EXPECT_EQ(a.physicalLength(), 0);
    EXPECT_EQ(a.growLength(), 8);
    EXPECT_EQ(a.append(7), 0);
    EXPECT_EQ(a.physicalLength(), 8);
    for (int i = 1; i < 8; ++i) EXPECT_EQ(a.append(i), i);
    EXPECT_EQ(a.physicalLength(), 8);
    a.append(99);
    EXPECT_EQ(a.physicalLength(), 16);
    EXPECT_EQ(a.length(), 9);
    EXPECT_EQ(a.first(), 7);
    EXPECT_EQ(a.last(), 99);
}

TEST(VqArray, SetLogicalLength_GrowsToLargerOfNewAndPhysicalPlusGrow) {
    VqArray<double> a(4, 3);
    a.setLogicalLength(5);  // max(5, 4 + 3)
    EXPECT_EQ(a.physicalLength(), 7);
    EXPECT_EQ(a[4], 0.0);  // new elements are value-initialised
    a.setLogicalLength(20);
    EXPECT_EQ(a.physicalLength(), 20);
    a.setLogicalLength(-3);
    EXPECT_EQ(a.length(), 0);
}

TEST(VqArray, SetPhysicalLength_ReallocatesExactlyAndClampsLogical) {
    VqArray<int> a;
    for (int i = 0; i < 10; ++i) a.append(i);
    a.setPhysicalLength(4);
    EXPECT_EQ(a.physicalLength(), 4);
    EXPECT_EQ(a.length(), 4);
    EXPECT_EQ(a[3], 3);
    a.setPhysicalLength(0);
    EXPECT_EQ(a.length(), 0);
    EXPECT_EQ(a.asArrayPtr(), nullptr);
}

TEST(VqArray, InsertRemove_KeepOrderAndIgnoreBadIndices) {
    VqArray<int> a;
    a.append(1);
    a.append(3);
    a.insertAt(1, 2).insertAt(0, 0).insertAt(4, 4);
    a.insertAt(-1, 100).insertAt(9, 100);
    ASSERT_EQ(a.length(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(a[i], i);
    a.removeAt(2).removeFirst().removeLast();
    a.removeAt(-1).removeAt(17);
    ASSERT_EQ(a.length(), 2);
    EXPECT_EQ(a[0], 1);
    EXPECT_EQ(a[1], 3);
    a.removeAll();
    EXPECT_TRUE(a.isEmpty());
    a.removeFirst().removeLast();  // empty: nothing happens
    EXPECT_EQ(a.length(), 0);
}

TEST(VqArray, AppendOwnElement_WhileGrowing_CopiesValueFirst) {
    VqArray<VqGePoint3d> a(1, 1);
    a.append(VqGePoint3d(1, 2, 3));
    a.append(a[0]);  // the array reallocates while the argument points into it
    EXPECT_PT3_NEAR(a[1], 1, 2, 3, 0);
    a.insertAt(0, a[1]);
    EXPECT_PT3_NEAR(a[0], 1, 2, 3, 0);
    a.append(a);  // self-append doubles the contents
    EXPECT_EQ(a.length(), 6);
    EXPECT_PT3_NEAR(a[5], 1, 2, 3, 0);
}

TEST(VqArray, CopyAndAssign_AreDeepAndSelfSafe) {
    VqArray<int> a;
    for (int i = 0; i < 12; ++i) a.append(i);
    VqArray<int> b(a);
    b[0] = 42;
    EXPECT_EQ(a[0], 0);
    VqArray<int> c;
    c = a;
    c = c;
    EXPECT_EQ(c.length(), 12);
    EXPECT_EQ(c[11], 11);
}

TEST(VqArray, FindContainsReverseSetAll) {
    VqArray<int> a;
    for (int i = 0; i < 5; ++i) a.append(i * 10);
    int idx = -1;
    EXPECT_TRUE(a.find(30, idx));
    EXPECT_EQ(idx, 3);
    EXPECT_FALSE(a.find(31, idx));
    EXPECT_EQ(idx, 3);  // untouched when not found
    EXPECT_TRUE(a.contains(40));
    a.reverse();
    EXPECT_EQ(a[0], 40);
    EXPECT_EQ(a[4], 0);
    a.setAll(5);
    EXPECT_EQ(a[2], 5);
    // Point elements compare with the global tolerance.
    VqArray<VqGePoint3d> p;
    p.append(VqGePoint3d(1, 1, 1));
    EXPECT_TRUE(p.contains(VqGePoint3d(1 + 1e-11, 1, 1)));
}

TEST(VqArray, Storage_GoesThroughHooksAndBalances) {
    CountingHooks hooks;
    {
        VqArray<double> a;
        for (int i = 0; i < 100; ++i) a.append(i);
        VqArray<double> b(a), c;
        c = b;
        c.setPhysicalLength(3);
        EXPECT_GT(hooks.allocs(), 3);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqArray, FailedAllocation_LeavesArrayIntact) {
    CountingHooks hooks;
    VqArray<int> a(0, 2);
    a.append(1);
    a.append(2);
    CountingHooks::failAfter() = 0;
    EXPECT_EQ(a.append(3), -1);
    a.setLogicalLength(10).insertAt(0, 9);
    EXPECT_EQ(a.length(), 2);
    EXPECT_EQ(a[1], 2);
    CountingHooks::failAfter() = -1;
    EXPECT_EQ(a.append(3), 2);
}

TEST(VqArray, ZeroGrowLength_StillMakesRoom) {
    VqArray<int> a(0, 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(a.append(i), i);
    EXPECT_EQ(a.length(), 3);
}
