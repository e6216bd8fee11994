// NmVector and NmIntVec: storage, arithmetic and comparisons.
#include "nm_vector.h"

#include <cmath>
#include <limits>

#include "test_helpers.h"

TEST(NmVector, Construct_SmallLengths_AllocateNothing) {
    CountingHooks hooks;
    {
        const double p[4] = {1.0, 2.0, 3.0, 4.0};
        NmVector a;
        NmVector b(4);
        NmVector c(3, 7.5);
        NmVector d(4, p);
        NmVector e(d);
        a = d;
        b.reset(2, 1.0).reset(4).reset(c).reset(1, p);
        c.resize(1).resize(4);
        NmVector f = d + e - c;
        NmVector g = -d;
        NmVector h = 2.0 * d / 4.0;
        EXPECT_DOUBLE_EQ(f[0] + g[0] + h[0], 1.0 + 1.0 - 7.5 - 1.0 + 0.5);
        EXPECT_EQ(d.dim(), 4);
        EXPECT_EQ(e[3], 4.0);
    }
    EXPECT_EQ(CountingHooks::allocs(), 0);
}

TEST(NmVector, Resize_GrowToFiveAndShrinkToThree_MovesThroughHeapKeepingValues) {
    CountingHooks hooks;
    {
        const double p[4] = {1.0, 2.0, 3.0, 4.0};
        NmVector v(4, p);
        v.resize(5);
        EXPECT_EQ(v.dim(), 5);
        EXPECT_EQ(CountingHooks::allocs(), 1);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(v[i], p[i]);
        v[4] = 5.0;
        v.resize(8);
        EXPECT_EQ(CountingHooks::allocs(), 2);
        EXPECT_EQ(CountingHooks::frees(), 1);
        EXPECT_EQ(v[4], 5.0);
        v.resize(3);
        EXPECT_EQ(v.dim(), 3);
        EXPECT_EQ(hooks.outstanding(), 0);
        EXPECT_EQ(v[0], 1.0);
        EXPECT_EQ(v[1], 2.0);
        EXPECT_EQ(v[2], 3.0);
        v.resize(0);
        EXPECT_EQ(v.dim(), 0);
        EXPECT_EQ(v.data(), nullptr);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(NmVector, Reset_SameLength_ZeroFillsBothInlineAndHeap) {
    NmVector a(3, 2.0), b(9, 2.0);
    a.reset(3);
    b.reset(9);
    EXPECT_TRUE(a == 0.0);
    EXPECT_TRUE(b == 0.0);
    EXPECT_EQ(a.dim(), 3);
    EXPECT_EQ(b.dim(), 9);
}

TEST(NmVector, Copy_HeapAndInline_CopiesValuesNotStorage) {
    CountingHooks hooks;
    {
        NmVector a(6, 1.5);
        NmVector b(a);
        EXPECT_NE(a.data(), b.data());
        b[0] = 9.0;
        EXPECT_EQ(a[0], 1.5);
        NmVector c(2, 3.0);
        NmVector d(c);
        EXPECT_NE(c.data(), d.data());
        c = a;  // inline -> heap
        EXPECT_EQ(c.dim(), 6);
        a = d;  // heap -> inline
        EXPECT_EQ(a.dim(), 2);
        EXPECT_EQ(a[1], 3.0);
        a = a;
        EXPECT_EQ(a[1], 3.0);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(NmVector, Reset_FromOwnStorageWithNewLength_ReadsBeforeReleasing) {
    NmVector v(8);
    for (int i = 0; i < 8; ++i) v[i] = i + 1.0;
    v.reset(3, v.data() + 2);
    ASSERT_EQ(v.dim(), 3);
    EXPECT_EQ(v[0], 3.0);
    EXPECT_EQ(v[2], 5.0);
}

TEST(NmVector, Allocation_HookFails_LeavesEmptyVector) {
    CountingHooks hooks;
    CountingHooks::failAfter() = 0;
    NmVector v(10, 1.0);
    EXPECT_EQ(v.dim(), 0);
    NmVector w(4, 2.0);  // inline: unaffected by the failing hook
    EXPECT_EQ(w.dim(), 4);
    w.resize(12);
    EXPECT_EQ(w.dim(), 0);
    NmIntVec iv(5, -1);
    EXPECT_EQ(iv.dim(), 0);
    CountingHooks::failAfter() = -1;
}

TEST(NmVector, Arithmetic_InPlaceAndNew_ElementWise) {
    const double p[5] = {1, 2, 3, 4, 5};
    const double q[5] = {5, 4, 3, 2, 1};
    NmVector a(5, p), b(5, q);
    EXPECT_DOUBLE_EQ(a * b, 5 + 8 + 9 + 8 + 5);
    NmVector s = a + b;
    EXPECT_TRUE(s == 6.0);
    NmVector d = a - b;
    EXPECT_EQ(d[0], -4.0);
    EXPECT_EQ(d[4], 4.0);
    a *= 2.0;
    EXPECT_EQ(a[2], 6.0);
    a /= 4.0;
    EXPECT_EQ(a[2], 1.5);
    a.negate();
    EXPECT_EQ(a[4], -2.5);
    NmVector n = -b;
    EXPECT_EQ(n[0], -5.0);
    EXPECT_EQ(b[0], 5.0);
    EXPECT_EQ(NmVector() * NmVector(), 0.0);
}

TEST(NmVector, Arithmetic_ShorterArgument_NeverReadsPastItsEnd) {
    NmVector a(6, 1.0), b(2, 2.0);
    a += b;
    EXPECT_EQ(a[1], 3.0);
    EXPECT_EQ(a[2], 1.0);
    EXPECT_DOUBLE_EQ(a * b, 12.0);
    NmVector c = b - a;
    EXPECT_EQ(c.dim(), 2);
    EXPECT_EQ(c[0], -1.0);
}

TEST(NmVector, Coord_FunctionPerEntry_NewAndInPlace) {
    const double p[3] = {0.0, 4.0, 9.0};
    NmVector a(3, p);
    NmVector r = a.coord(std::sqrt);
    EXPECT_EQ(r[2], 3.0);
    EXPECT_EQ(a[2], 9.0);
    a.coordSet(std::sqrt);
    EXPECT_EQ(a[1], 2.0);
}

TEST(NmVector, Extremes_MixedSigns_MaxMinAbs) {
    const double p[5] = {1.0, -7.0, 3.0, 6.5, 0.0};
    NmVector a(5, p);
    EXPECT_EQ(a.vecMax(), 6.5);
    EXPECT_EQ(a.vecMin(), -7.0);
    EXPECT_EQ(a.vecAbs(), 7.0);
    EXPECT_EQ(NmVector().vecAbs(), 0.0);
}

TEST(NmVector, Equality_DifferenceUpTo1e12_Tolerated) {
    NmVector a(3, 1.0), b(3, 1.0);
    b[1] += 0.9e-12;
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a != b);
    b[1] += 1e-11;
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a == 1.0 + 5e-13);
    EXPECT_TRUE(a != 1.1);
    b.reset(3, std::numeric_limits<double>::quiet_NaN());
    EXPECT_FALSE(b == b);
    EXPECT_FALSE(a == NmVector(4, 1.0));
}

TEST(NmVector, Relations_AllEntries_NeitherLessNorGreaterEqualMayHold) {
    const double p[3] = {1.0, 5.0, 2.0};
    const double q[3] = {2.0, 4.0, 2.0};
    NmVector a(3, p), b(3, q);
    EXPECT_FALSE(a < b);
    EXPECT_FALSE(a >= b);
    EXPECT_FALSE(a > b);
    EXPECT_FALSE(a <= b);
    b[1] = 5.0;
    EXPECT_TRUE(a <= b);
    EXPECT_FALSE(a < b);
    EXPECT_TRUE(a < 5.5);
    EXPECT_TRUE(a >= 1.0);
    EXPECT_FALSE(a > 1.0);
    // No tolerance in the relations.
    EXPECT_TRUE(NmVector(1, 1.0) < NmVector(1, 1.0 + 1e-15));
    EXPECT_TRUE(NmVector(1, 1.0) == NmVector(1, 1.0 + 1e-15));
    EXPECT_TRUE(NmVector() < NmVector());
    EXPECT_TRUE(NmVector() >= 3.0);
    EXPECT_FALSE(NmVector(2, 0.0) <= NmVector(3, 1.0));
}

TEST(NmIntVec, Construct_FilledAndCopied_OwnStorage) {
    CountingHooks hooks;
    {
        NmIntVec perm(4, -1);
        EXPECT_EQ(perm.dim(), 4);
        EXPECT_EQ(perm[3], -1);
        NmIntVec z(3);
        EXPECT_EQ(z[2], 0);
        NmIntVec c(perm);
        c[0] = 7;
        EXPECT_EQ(perm[0], -1);
        z = c;
        EXPECT_EQ(z.dim(), 4);
        EXPECT_EQ(z[0], 7);
        z.reset(4, 2);
        EXPECT_EQ(z[0], 2);
        z.reset(0);
        EXPECT_EQ(z.dim(), 0);
        NmIntVec neg(-3);
        EXPECT_EQ(neg.dim(), 0);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}
