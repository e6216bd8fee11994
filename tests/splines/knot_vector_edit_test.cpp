// Knot vector: insertion, removal, reversal, remapping, joining, splitting and storage hooks.
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "knot_vector_checks.h"
#include "test_helpers.h"
#include "vqge_knotvector.h"

TEST(VqGeKnotVector, Insert_InteriorValue_SortedPlacementAfterEqualKnot) {
    VqGeKnotVector kv = makeKnots({0, 0, 1, 1});
    kv.insert(0.5);
    EXPECT_KNOTS(kv, {0, 0, 0.5, 1, 1});
    kv.insert(0.5);
    EXPECT_KNOTS(kv, {0, 0, 0.5, 0.5, 1, 1});
    kv.insert(0.0).insert(0.75);
    EXPECT_KNOTS(kv, {0, 0, 0, 0.5, 0.5, 0.75, 1, 1});
}

TEST(VqGeKnotVector, Insert_OutsideRangeOrShortVector_StaysSorted) {
    VqGeKnotVector kv = makeKnots({0, 0, 1, 1});
    kv.insert(-1.0);
    EXPECT_KNOTS(kv, {-1, 0, 0, 1, 1});
    kv.insert(2.0);
    EXPECT_KNOTS(kv, {-1, 0, 0, 1, 1, 2});
    kv.insert(1.0);
    EXPECT_KNOTS(kv, {-1, 0, 0, 1, 1, 1, 2});
    VqGeKnotVector empty;
    empty.insert(3.0).insert(1.0).insert(2.0);
    EXPECT_KNOTS(empty, {1, 2, 3});
    kv.insert(std::numeric_limits<double>::quiet_NaN());  // lands somewhere, inside storage
    EXPECT_EQ(kv.length(), 8);
}

TEST(VqGeKnotVector, InsertAt_Multiplicity_ShiftsRestAndGrows) {
    VqGeKnotVector kv = makeKnots({0, 0, 0, 1, 1, 1});
    ASSERT_EQ(kv.physicalLength(), 8);
    kv.insertAt(3, 0.5, 3);
    EXPECT_KNOTS(kv, {0, 0, 0, 0.5, 0.5, 0.5, 1, 1, 1});
    EXPECT_EQ(kv.physicalLength(), 16);
    kv.insertAt(9, 2.0);
    kv.insertAt(0, -1.0);
    EXPECT_KNOTS(kv, {-1, 0, 0, 0, 0.5, 0.5, 0.5, 1, 1, 1, 2});
}

TEST(VqGeKnotVector, InsertAt_IndexOrMultiplicityOutOfRange_Ignored) {
    VqGeKnotVector kv = makeKnots({0, 1});
    kv.insertAt(-1, 5.0).insertAt(3, 5.0).insertAt(1, 5.0, 0).insertAt(1, 5.0, -4);
    EXPECT_KNOTS(kv, {0, 1});
    kv.insertAt(1, 5.0, std::numeric_limits<int>::max());
    EXPECT_EQ(kv.length(), 2);
}

TEST(VqGeKnotVector, AppendValue_ReturnsIndexAndGrowsByStep) {
    VqGeKnotVector kv;
    for (int i = 0; i < 9; ++i) EXPECT_EQ(kv.append(i), i);
    EXPECT_EQ(kv.physicalLength(), 16);
    EXPECT_EQ(kv.endParam(), 8.0);
}

TEST(VqGeKnotVector, RemoveAt_AndRemoveSubVector_CutAndClose) {
    VqGeKnotVector kv = makeKnots({0, 1, 2, 3, 4, 5});
    kv.removeSubVector(2, 10);
    EXPECT_KNOTS(kv, {0, 1});
    kv = makeKnots({0, 1, 2, 3, 4, 5});
    kv.removeSubVector(1, 2);
    EXPECT_KNOTS(kv, {0, 3, 4, 5});
    kv.removeSubVector(3, 3);
    EXPECT_KNOTS(kv, {0, 3, 4});
    kv.removeAt(1);
    EXPECT_KNOTS(kv, {0, 4});
    kv.removeAt(1);
    EXPECT_KNOTS(kv, {0});
    kv.removeAt(-1).removeAt(1).removeSubVector(-1, 0).removeSubVector(1, 5);
    kv.removeSubVector(0, -1);
    EXPECT_KNOTS(kv, {0});  // indices outside the knots are ignored
    VqGeKnotVector empty;
    empty.removeAt(0).removeSubVector(0, 0);
    EXPECT_EQ(empty.length(), 0);
}

TEST(VqGeKnotVector, Reverse_ReflectsAboutMidpoint) {
    VqGeKnotVector kv = makeKnots({0, 0, 1, 3, 3});
    kv.reverse();
    EXPECT_KNOTS(kv, {0, 0, 2, 3, 3});
    VqGeKnotVector shifted = makeKnots({1, 2, 2, 5});
    shifted.reverse();
    EXPECT_KNOTS(shifted, {1, 4, 4, 5});
    VqGeKnotVector empty;
    empty.reverse();
    EXPECT_EQ(empty.length(), 0);
}

TEST(VqGeKnotVector, SetRange_AffineMapWithExactEnds) {
    VqGeKnotVector kv = makeKnots({1, 1, 2, 3, 5, 5});
    kv.setRange(2, 6);
    EXPECT_KNOTS(kv, {2, 2, 3, 4, 6, 6});
    kv.setRange(0, 1);
    EXPECT_KNOTS(kv, {0, 0, 0.25, 0.5, 1, 1});
    kv = makeKnots({0, 0.1, 0.3, 0.7});
    kv.setRange(-0.3, 0.9);
    EXPECT_EQ(kv.startParam(), -0.3);
    EXPECT_EQ(kv.endParam(), 0.9);
    EXPECT_NEAR(kv[2], -0.3 + 1.2 * 0.3 / 0.7, 1e-15);
    kv.setRange(1, -1);  // reversed range flips the order, as the map says
    EXPECT_EQ(kv[0], 1.0);
    EXPECT_EQ(kv[3], -1.0);
}

TEST(VqGeKnotVector, SetRange_CoincidentEnds_AllKnotsToStartWithoutNaN) {
    VqGeKnotVector kv = makeKnots({2, 2, 2});
    kv.setRange(0, 1);
    EXPECT_KNOTS(kv, {0, 0, 0});
    VqGeKnotVector empty;
    empty.setRange(0, 1);
    EXPECT_EQ(empty.length(), 0);
}

TEST(VqGeKnotVector, AppendTail_Ratio_SharesTotalLength) {
    VqGeKnotVector head = makeKnots({0, 0, 1, 1});
    VqGeKnotVector tail = makeKnots({0, 0, 2, 2});
    head.append(tail, 0.0);  // lengths kept
    EXPECT_KNOTS(head, {0, 0, 1, 1, 1, 3, 3});
    EXPECT_KNOTS(tail, {1, 1, 3, 3});  // the tail is remapped in place
    head = makeKnots({0, 0, 1, 1});
    tail = makeKnots({0, 0, 2, 2});
    head.append(tail, 1.0);
    EXPECT_KNOTS(head, {0, 0, 1.5, 1.5, 1.5, 3, 3});
    head = makeKnots({0, 0, 1, 1});
    tail = makeKnots({5, 5, 6, 6});
    head.append(tail, 3.0);  // total 2 shared 3:1
    EXPECT_KNOTS(head, {0, 0, 1.5, 1.5, 1.5, 2, 2});
    // A ratio that is no ratio of lengths keeps them, as 0 does, instead of dividing by 0.
    for (double ratio : {-1.0, -0.5, std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::infinity()}) {
        head = makeKnots({0, 0, 1, 1});
        tail = makeKnots({0, 0, 2, 2});
        head.append(tail, ratio);
        EXPECT_KNOTS(head, {0, 0, 1, 1, 1, 3, 3});
    }
}

TEST(VqGeKnotVector, AppendTail_EmptyShortOrSelf_Sound) {
    VqGeKnotVector head = makeKnots({0, 1});
    VqGeKnotVector empty;
    head.append(empty, 1.0);
    EXPECT_KNOTS(head, {0, 1});
    VqGeKnotVector single = makeKnots({7});
    head.append(single, 0.0);
    EXPECT_KNOTS(head, {0, 1});  // a tail without length only replaces the end knot
    EXPECT_KNOTS(single, {1});
    VqGeKnotVector none(0.5);
    VqGeKnotVector tail = makeKnots({2, 3});
    none.append(tail, 1.0);
    EXPECT_KNOTS(none, {2, 3});
    EXPECT_EQ(none.tolerance(), 0.5);
    VqGeKnotVector self = makeKnots({0, 0, 1, 1});
    self.append(self, 0.0);
    EXPECT_KNOTS(self, {0, 0, 1, 1, 1, 2, 2});
}

TEST(VqGeKnotVector, Split_InsideSpan_PadsBothPartsWithCut) {
    VqGeKnotVector kv = makeKnots({0, 0, 0, 0, 1, 1, 1, 1}, 1e-6);
    VqGeKnotVector head, tail;
    EXPECT_EQ(kv.split(0.5, &head, 4, &tail, 4), 3);
    EXPECT_KNOTS(head, {0, 0, 0, 0, 0.5, 0.5, 0.5, 0.5});
    EXPECT_KNOTS(tail, {0.5, 0.5, 0.5, 0.5, 1, 1, 1, 1});
    EXPECT_EQ(head.tolerance(), 1e-6);
    EXPECT_EQ(tail.tolerance(), 1e-6);
}

TEST(VqGeKnotVector, Split_AtOrNearKnot_DropsTheKnotsAtTheCut) {
    VqGeKnotVector kv = makeKnots({0, 0, 0, 0, 0.5, 1, 1, 1, 1});
    VqGeKnotVector head, tail;
    EXPECT_EQ(kv.split(0.5, &head, 4, &tail, 4), 4);
    EXPECT_KNOTS(head, {0, 0, 0, 0, 0.5, 0.5, 0.5, 0.5});
    EXPECT_KNOTS(tail, {0.5, 0.5, 0.5, 0.5, 1, 1, 1, 1});
    const double below = 0.5 - 1e-12;
    EXPECT_EQ(kv.split(below, &head, 4, &tail, 4), 3);
    EXPECT_KNOTS(head, {0, 0, 0, 0, below, below, below, below});
    EXPECT_KNOTS(tail, {below, below, below, below, 1, 1, 1, 1});
    const double above = 0.5 + 1e-12;
    EXPECT_EQ(kv.split(above, &head, 4, &tail, 4), 4);
    EXPECT_KNOTS(head, {0, 0, 0, 0, above, above, above, above});
}

TEST(VqGeKnotVector, Split_AtEnds_WholeVectorOnOneSide) {
    VqGeKnotVector kv = makeKnots({0, 0, 0, 0, 1, 1, 1, 1});
    VqGeKnotVector head, tail;
    // The span is clamped to the last one, whose run reaches past it; the head must still
    // keep all four start knots.
    EXPECT_EQ(kv.split(1.0, &head, 4, &tail, 4), 6);
    EXPECT_KNOTS(head, {0, 0, 0, 0, 1, 1, 1, 1});
    EXPECT_KNOTS(tail, {1, 1, 1, 1});
    EXPECT_EQ(kv.split(0.0, &head, 4, &tail, 4), 3);
    EXPECT_KNOTS(head, {0, 0, 0, 0});
    EXPECT_KNOTS(tail, {0, 0, 0, 0, 1, 1, 1, 1});
}

TEST(VqGeKnotVector, Split_NullAliasedOrShortOutputs_Sound) {
    VqGeKnotVector kv = makeKnots({0, 0, 1, 2, 2});
    VqGeKnotVector tail;
    EXPECT_EQ(kv.split(1.5, nullptr, 2, &tail, 2), 2);
    EXPECT_KNOTS(tail, {1.5, 1.5, 2, 2});
    VqGeKnotVector self = kv;
    EXPECT_EQ(self.split(1.5, &self, 2, &tail, -3), 2);
    EXPECT_KNOTS(self, {0, 0, 1, 1.5, 1.5});
    EXPECT_KNOTS(tail, {2, 2});  // a negative pad counts as none
    VqGeKnotVector one = makeKnots({1});
    VqGeKnotVector untouched = makeKnots({9});
    EXPECT_EQ(one.split(1.0, &untouched, 2, &untouched, 2), -1);
    EXPECT_KNOTS(untouched, {9});
    EXPECT_EQ(VqGeKnotVector().split(0.0, &untouched, 1, nullptr, 1), -1);
}

namespace {
// A clamped knot vector of the given order with random interior knots of random multiplicity
// (below the order), all binary fractions.
std::vector<double> randomClamped(std::mt19937& rng, int order) {
    std::uniform_int_distribution<int> count(0, 6);
    std::uniform_int_distribution<int> mult(1, order > 1 ? order - 1 : 1);
    std::uniform_int_distribution<int> step(1, 16);
    std::vector<double> k(order, 0.0);
    double v = 0.0;
    const int interior = count(rng);
    for (int i = 0; i < interior; ++i) {
        v += step(rng) / 16.0;
        k.insert(k.end(), mult(rng), v);
    }
    v += step(rng) / 16.0;
    k.insert(k.end(), order, v);
    return k;
}
}  // namespace

// Cutting at a knot of multiplicity r with r copies on the head and one on the tail gives
// two parts that the join puts back together knot for knot; so does the other way round.
TEST(VqGeKnotVector, SplitThenAppend_RandomAtKnots_RestoresKnots) {
    std::mt19937 rng(20261207);
    int checked = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const int order = 1 + trial % 5;
        const std::vector<double> k = randomClamped(rng, order);
        VqGeKnotVector kv(static_cast<int>(k.size()), k.data(), 1e-9);
        VqArray<double> distinct;
        kv.getDistinctKnots(distinct);
        if (distinct.length() < 3) continue;
        std::uniform_int_distribution<int> pick(1, distinct.length() - 2);
        const double x = distinct[pick(rng)];
        int at = 0;
        while (kv[at] != x) ++at;
        const int r = kv.multiplicityAt(at);
        const bool headSide = trial % 2 == 0;
        // Half the joins keep lengths; the others state the ratio of the two parts.
        const double ratio = trial % 4 < 2 ? 0.0 : (x - k.front()) / (k.back() - x);
        VqGeKnotVector head(0.5), tail;
        kv.split(x, &head, headSide ? r : 1, &tail, headSide ? 1 : r);
        EXPECT_EQ(head.endParam(), x);
        EXPECT_EQ(tail.startParam(), x);
        head.append(tail, ratio);
        ASSERT_EQ(head.length(), kv.length()) << "trial " << trial;
        for (int i = 0; i < kv.length(); ++i) EXPECT_NEAR(head[i], kv[i], 1e-12) << i;
        ++checked;
    }
    EXPECT_GT(checked, 200);
}

// Against a model of the cut: the head holds the knots before x and the tail those after it,
// knots within the tolerance of x counting as the cut itself.
TEST(VqGeKnotVector, Split_RandomCuts_MatchModel) {
    std::mt19937 rng(77);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double tol = 1e-9;
    for (int trial = 0; trial < 400; ++trial) {
        const int order = 1 + trial % 4;
        const std::vector<double> k = randomClamped(rng, order);
        VqGeKnotVector kv(static_cast<int>(k.size()), k.data(), tol);
        double x = k.front() + unit(rng) * (k.back() - k.front());
        if (trial % 3 == 0) x = k[rng() % k.size()];  // on a knot
        if (trial % 3 == 1) x = k[rng() % k.size()] + (unit(rng) - 0.5) * 4.0 * tol;
        if (x < k.front() || x > k.back()) continue;
        const int he = static_cast<int>(rng() % 4), te = static_cast<int>(rng() % 4);
        std::vector<double> expHead, expTail;
        for (double v : k)
            if (v < x && x - v > tol) expHead.push_back(v);
        expHead.insert(expHead.end(), he, x);
        expTail.assign(te, x);
        for (double v : k)
            if (v > x && v - x > tol) expTail.push_back(v);
        VqGeKnotVector head, tail;
        const int m = kv.split(x, &head, he, &tail, te);
        ASSERT_GE(m, 0);
        ASSERT_LE(m, kv.length() - 2);
        EXPECT_EQ(knotsOf(head), expHead) << "trial " << trial << " x " << x;
        EXPECT_EQ(knotsOf(tail), expTail) << "trial " << trial << " x " << x;
    }
}

TEST(VqGeKnotVector, Hooks_EveryBlockReturned) {
    CountingHooks hooks;
    {
        VqGeKnotVector a = makeKnots({0, 0, 0, 0.5, 1, 1, 1});
        VqGeKnotVector b(a), c(2, a), head, tail;
        for (int i = 0; i < 30; ++i) b.insert(0.01 * i);
        a.split(0.25, &head, 3, &tail, 3);
        head.append(tail, 2.0);
        c = head;
        c.setPhysicalLength(100).setLogicalLength(300);
        b.append(b, 0.5);
        VqArray<double> d;
        a.getDistinctKnots(d);
        VqGeKnotVector e(d, 1e-9);
        e.removeSubVector(0, 100);
        const long before = CountingHooks::allocs();
        VqGeKnotVector* onHeap = new VqGeKnotVector(a);  // object and knots both hooked
        EXPECT_EQ(CountingHooks::allocs(), before + 2);
        delete onHeap;
        EXPECT_GT(hooks.outstanding(), 0);
    }
    EXPECT_GT(CountingHooks::allocs(), 0);
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeKnotVector, Hooks_AllocationFailure_LeavesEmptyVector) {
    CountingHooks hooks;
    const double k[] = {0, 1, 2};
    CountingHooks::failAfter() = 0;
    VqGeKnotVector made(3, k, 1e-9);
    EXPECT_EQ(made.length(), 0);
    EXPECT_EQ(made.physicalLength(), 0);
    EXPECT_EQ(made.asArrayPtr(), nullptr);
    CountingHooks::failAfter() = -1;
    VqGeKnotVector full(3, k, 1e-9);
    for (int i = 3; i < 8; ++i) full.append(i);
    ASSERT_EQ(full.length(), full.physicalLength());
    CountingHooks::failAfter() = 0;
    EXPECT_EQ(full.append(9.0), -1);
    EXPECT_EQ(full.length(), 0);
    EXPECT_EQ(full.physicalLength(), 0);
    VqGeKnotVector fromNull(3, nullptr, 1e-9);  // storage for 8 cannot be had either
    EXPECT_EQ(fromNull.physicalLength(), 0);
    VqGeKnotVector raised(3, VqGeKnotVector());
    EXPECT_EQ(raised.length(), 0);
    CountingHooks::failAfter() = -1;
    EXPECT_EQ(hooks.outstanding(), 0);
}
