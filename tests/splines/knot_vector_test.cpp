// Knot vector: construction, storage, multiplicities, membership and the span search.
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "knot_vector_checks.h"
#include "test_helpers.h"
#include "vqge_interval.h"
#include "vqge_knotvector.h"

TEST(VqGeKnotVector, Construct_EmptyForms_GrowEightNoStorage) {
    VqGeKnotVector kv;
    EXPECT_TRUE(kv.isEmpty());
    EXPECT_EQ(kv.physicalLength(), 0);
    EXPECT_EQ(kv.growLength(), 8);
    EXPECT_EQ(kv.asArrayPtr(), nullptr);
    EXPECT_EQ(kv.tolerance(), 1e-9);
    VqGeKnotVector hinted(100, 50, 1e-7);  // the storage hints are not kept
    EXPECT_EQ(hinted.length(), 0);
    EXPECT_EQ(hinted.physicalLength(), 0);
    EXPECT_EQ(hinted.growLength(), 8);
    EXPECT_EQ(hinted.tolerance(), 1e-7);
}

TEST(VqGeKnotVector, Construct_Copies_StorageAtLeastEightAndTolerance) {
    const double k[] = {0, 0, 1, 2, 2};
    VqGeKnotVector small(5, k, 1e-6);
    EXPECT_KNOTS(small, {0, 0, 1, 2, 2});
    EXPECT_EQ(small.physicalLength(), 8);
    EXPECT_EQ(small.tolerance(), 1e-6);
    std::vector<double> many(11, 3.0);
    EXPECT_EQ(VqGeKnotVector(11, many.data()).physicalLength(), 11);
    EXPECT_EQ(VqGeKnotVector(4, static_cast<const double*>(nullptr)).length(), 0);
    EXPECT_EQ(VqGeKnotVector(-3, k).length(), 0);

    VqArray<double> arr;
    for (double v : {0.0, 1.0, 1.0, 4.0}) arr.append(v);
    VqGeKnotVector a(arr, 1e-5);
    VqGeKnotVector b(a);
    EXPECT_KNOTS(b, {0, 1, 1, 4});
    EXPECT_EQ(b.tolerance(), 1e-5);
    b[0] = -1;
    EXPECT_EQ(a[0], 0.0);  // deep copy
}

TEST(VqGeKnotVector, Assign_KnotVectorTakesTolerance_ArrayAndSetAsStated) {
    VqGeKnotVector b(1e-8);
    b = makeKnots({0, 1, 2}, 1e-4);
    EXPECT_KNOTS(b, {0, 1, 2});
    EXPECT_EQ(b.tolerance(), 1e-4);
    b = b;
    EXPECT_KNOTS(b, {0, 1, 2});
    VqArray<double> arr;
    for (int i = 0; i < 12; ++i) arr.append(i * 0.5);
    b = arr;  // keeps this tolerance
    EXPECT_EQ(b.length(), 12);
    EXPECT_EQ(b[11], 5.5);
    EXPECT_EQ(b.tolerance(), 1e-4);
    b.set(3, b.asArrayPtr() + 1, 1e-3);  // overlapping source
    EXPECT_KNOTS(b, {0.5, 1, 1.5});
    EXPECT_EQ(b.tolerance(), 1e-3);
    b.set(2, nullptr, 1e-9);
    EXPECT_EQ(b.length(), 0);
}

TEST(VqGeKnotVector, Index_OutsideKnots_NeverReachesStorage) {
    VqGeKnotVector kv = makeKnots({1, 2, 3});
    const VqGeKnotVector& ckv = kv;
    EXPECT_EQ(ckv[-1], 0.0);
    EXPECT_EQ(ckv[3], 0.0);
    EXPECT_EQ(ckv[1000000], 0.0);
    kv[3] = 42.0;  // within the physical storage but not a knot
    kv[-5] = 42.0;
    EXPECT_EQ(kv[3], 0.0);
    EXPECT_KNOTS(kv, {1, 2, 3});
    VqGeKnotVector empty;
    empty[0] = 7.0;
    EXPECT_EQ(empty[0], 0.0);
    EXPECT_EQ(empty.length(), 0);
    EXPECT_EQ(empty.startParam(), 0.0);
    EXPECT_EQ(empty.endParam(), 0.0);
}

TEST(VqGeKnotVector, StorageLengths_GrowInStepsOrExactly) {
    VqGeKnotVector kv = makeKnots({1, 2, 3});
    kv.setLogicalLength(10);  // max(8 + 8, 10)
    EXPECT_EQ(kv.physicalLength(), 16);
    EXPECT_EQ(kv[2], 3.0);
    EXPECT_EQ(kv[9], 0.0);
    kv.setLogicalLength(40);  // max(16 + 8, 40)
    EXPECT_EQ(kv.physicalLength(), 40);
    kv.setLogicalLength(-2);
    EXPECT_EQ(kv.length(), 0);
    EXPECT_EQ(kv.physicalLength(), 40);
    kv = makeKnots({1, 2, 3, 4, 5});
    kv.setPhysicalLength(2);
    EXPECT_KNOTS(kv, {1, 2});
    EXPECT_EQ(kv.physicalLength(), 2);
    kv.setPhysicalLength(0);
    EXPECT_EQ(kv.length(), 0);
    EXPECT_EQ(kv.asArrayPtr(), nullptr);
    kv.setGrowLength(3).setTolerance(1e-4);
    EXPECT_EQ(kv.growLength(), 3);
    EXPECT_EQ(kv.tolerance(), 1e-4);
    kv.append(1.0);
    EXPECT_EQ(kv.physicalLength(), 3);
}

TEST(VqGeKnotVector, RaisedMultiplicity_RepeatsEveryDistinctKnot) {
    VqGeKnotVector src = makeKnots({0, 0, 0, 0.5, 1, 1, 1}, 1e-6);
    VqGeKnotVector up(1, src);
    EXPECT_KNOTS(up, {0, 0, 0, 0, 0.5, 0.5, 1, 1, 1, 1});
    EXPECT_EQ(up.tolerance(), 1e-6);
    EXPECT_EQ(up.length(), 1 * (src.numIntervals() + 1) + src.length());
    EXPECT_KNOTS(VqGeKnotVector(0, src), {0, 0, 0, 0.5, 1, 1, 1});
    // A negative raise takes knots away, never below none of a run.
    EXPECT_KNOTS(VqGeKnotVector(-1, src), {0, 0, 1, 1});
    EXPECT_EQ(VqGeKnotVector(2, VqGeKnotVector()).length(), 0);
}

TEST(VqGeKnotVector, RaisedMultiplicity_KnotsOneToleranceApart_StaysInStorage) {
    // 0 and 0.25 are separate runs (not within the tolerance) but not separate intervals
    // (not beyond it): sizing by intervals would leave the last run without room.
    VqGeKnotVector src = makeKnots({0, 0.25, 1}, 0.25);
    ASSERT_EQ(src.numIntervals(), 1);
    VqGeKnotVector up(2, src);
    EXPECT_KNOTS(up, {0, 0, 0, 0.25, 0.25, 0.25, 1, 1, 1});
    EXPECT_LE(up.length(), up.physicalLength());
    // Chained knots, each within the tolerance of its neighbour but not of the next one.
    VqGeKnotVector chain = makeKnots({0, 0.5, 1.0, 1.5}, 0.75);
    VqGeKnotVector upChain(1, chain);
    EXPECT_KNOTS(upChain, {0, 0, 0, 1.0, 1.0, 1.0});
    EXPECT_LE(upChain.length(), upChain.physicalLength());
}

TEST(VqGeKnotVector, Queries_ClampedExample_MultiplicityIntervalsDistinct) {
    VqGeKnotVector kv = makeKnots({0, 0, 0, 0.5, 1, 1, 1});
    EXPECT_EQ(kv.numIntervals(), 2);
    VqArray<double> distinct;
    distinct.append(99.0);  // replaced, not appended to
    EXPECT_EQ(kv.getDistinctKnots(distinct), 3);
    ASSERT_EQ(distinct.length(), 3);
    EXPECT_EQ(distinct[0], 0.0);
    EXPECT_EQ(distinct[1], 0.5);
    EXPECT_EQ(distinct[2], 1.0);
    EXPECT_EQ(kv.multiplicityAt(1), 3);
    EXPECT_EQ(kv.multiplicityAt(3), 1);
    EXPECT_EQ(kv.multiplicityAt(6), 3);
    EXPECT_EQ(kv.multiplicityAt(-1), 0);
    EXPECT_EQ(kv.multiplicityAt(7), 0);
    EXPECT_EQ(kv.startParam(), 0.0);
    EXPECT_EQ(kv.endParam(), 1.0);
    VqGeKnotVector empty;
    EXPECT_EQ(empty.numIntervals(), 0);
    EXPECT_EQ(empty.getDistinctKnots(distinct), 0);
    EXPECT_EQ(distinct.length(), 0);
}

TEST(VqGeKnotVector, Queries_KnotsOneToleranceApart_SameExceptForMultiplicity) {
    VqGeKnotVector kv = makeKnots({0, 0.25}, 0.25);
    EXPECT_EQ(kv.multiplicityAt(0), 1);
    EXPECT_EQ(kv.multiplicityAt(1), 1);
    EXPECT_EQ(kv.numIntervals(), 0);
    VqArray<double> distinct;
    EXPECT_EQ(kv.getDistinctKnots(distinct), 1);
    EXPECT_EQ(distinct[0], 0.0);
    EXPECT_TRUE(kv.isEqualTo(makeKnots({0.25, 0.5})));
    EXPECT_FALSE(kv.isEqualTo(makeKnots({0.25, 0.5 + 1e-9})));
}

TEST(VqGeKnotVector, IsEqualTo_UsesThisTolerance_LengthMustMatch) {
    VqGeKnotVector loose = makeKnots({0, 1}, 0.1);
    VqGeKnotVector tight = makeKnots({0.05, 1}, 0.0);
    EXPECT_TRUE(loose.isEqualTo(tight));
    EXPECT_FALSE(tight.isEqualTo(loose));
    EXPECT_FALSE(loose.isEqualTo(makeKnots({0, 1, 1}, 0.1)));
    EXPECT_TRUE(VqGeKnotVector().isEqualTo(VqGeKnotVector(0.5)));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(loose.isEqualTo(makeKnots({0, nan}, 0.1)));
}

TEST(VqGeKnotVector, Contains_OneToleranceOutside_IsOnStrictlyInside) {
    VqGeKnotVector kv = makeKnots({0, 0.5, 1}, 0.25);
    EXPECT_TRUE(kv.contains(-0.25));
    EXPECT_TRUE(kv.contains(1.25));
    EXPECT_FALSE(kv.contains(-0.375));
    EXPECT_FALSE(kv.contains(1.375));
    EXPECT_FALSE(kv.contains(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(VqGeKnotVector().contains(0.0));
    EXPECT_TRUE(kv.isOn(0.625));
    EXPECT_FALSE(kv.isOn(0.75));  // exactly one tolerance from 0.5 and 1
    EXPECT_TRUE(kv.isOn(-0.125));
    EXPECT_FALSE(VqGeKnotVector().isOn(0.0));
}

// Clusters of knots spread over less than a tolerance, separated by more than one: the
// ground truth for distinct knots and intervals is the cluster structure.
TEST(VqGeKnotVector, Queries_RandomClusters_AgreeWithBruteForce) {
    std::mt19937 rng(4101);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> clusterCount(1, 9);
    std::uniform_int_distribution<int> clusterSize(1, 5);
    const double tol = 1e-6;
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<double> knots, firsts;
        double base = unit(rng) * 10.0 - 5.0;
        const int clusters = clusterCount(rng);
        for (int c = 0; c < clusters; ++c) {
            base += tol * (1.5 + unit(rng) * (trial % 3 == 0 ? 1.0 : 1e5));
            const int size = clusterSize(rng);
            firsts.push_back(base);
            double v = base;
            for (int s = 0; s < size; ++s) {
                knots.push_back(v);
                v += unit(rng) * 0.2 * tol;  // a cluster spans at most 0.8 tol
            }
            base = v;
        }
        VqGeKnotVector kv(static_cast<int>(knots.size()), knots.data(), tol);
        EXPECT_EQ(kv.numIntervals(), clusters - 1);
        VqArray<double> distinct;
        ASSERT_EQ(kv.getDistinctKnots(distinct), clusters);
        for (int c = 0; c < clusters; ++c) EXPECT_EQ(distinct[c], firsts[c]);
        for (int i = 0; i < kv.length(); ++i) {
            int brute = 0;
            for (double k : knots) brute += std::fabs(k - knots[i]) < tol;
            ASSERT_EQ(kv.multiplicityAt(i), brute) << "trial " << trial << " knot " << i;
            EXPECT_TRUE(kv.isOn(knots[i] + 0.5 * tol));
        }
    }
}

// Arbitrary sorted knots, gaps on either side of the tolerance: the outward count equals a
// count over the whole vector.
TEST(VqGeKnotVector, MultiplicityAt_RandomSortedKnots_AgreesWithWholeVectorCount) {
    std::mt19937 rng(907);
    std::uniform_real_distribution<double> gap(0.0, 3.0);
    const double tol = 1.0;
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<double> knots;
        double v = 0.0;
        for (int i = 0; i < 12; ++i) {
            knots.push_back(v);
            v += std::floor(gap(rng) * 4.0) / 8.0;  // multiples of 1/8, hits 1.0 exactly
        }
        VqGeKnotVector kv(12, knots.data(), tol);
        for (int i = 0; i < 12; ++i) {
            int brute = 0;
            for (double k : knots) brute += std::fabs(k - knots[i]) < tol;
            ASSERT_EQ(kv.multiplicityAt(i), brute);
        }
    }
}

namespace {
// The span b with knot b <= x < knot b + 1, found by walking the whole vector.
int linearSpan(const std::vector<double>& k, double x) {
    for (int b = 0; b + 1 < static_cast<int>(k.size()); ++b)
        if (k[b] <= x && x < k[b + 1]) return b;
    return -1;
}
}  // namespace

TEST(VqGeKnotVector, GetInterval_RandomClampedVectors_AgreesWithLinearScan) {
    std::mt19937 rng(31415);
    std::uniform_int_distribution<int> count(0, 12);
    std::uniform_int_distribution<int> step(1, 8);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int checked = 0;
    for (int trial = 0; trial < 500; ++trial) {
        const int order = 1 + trial % 5;
        std::uniform_int_distribution<int> mult(1, order);
        std::vector<double> k(order, 0.0);
        double v = 0.0;
        for (int i = count(rng); i > 0; --i) {
            v += step(rng) / 8.0;
            k.insert(k.end(), mult(rng), v);
        }
        v += step(rng) / 8.0;
        k.insert(k.end(), order, v);
        VqGeKnotVector kv(static_cast<int>(k.size()), k.data());
        const int n = kv.length();
        std::vector<double> probes;
        for (int i = 0; i < 6; ++i)
            probes.push_back(k[order - 1] + unit(rng) * (k[n - order] - k[order - 1]));
        for (int i = order - 1; i < n - order; ++i) probes.push_back(k[i]);  // on knots
        for (double x : probes) {
            VqGeInterval iv(5.0, 6.0);
            const int b = kv.getInterval(order, x, iv);
            ASSERT_EQ(b, linearSpan(k, x)) << "trial " << trial << " x " << x;
            EXPECT_EQ(iv.lowerBound(), k[b]);
            EXPECT_EQ(iv.upperBound(), k[b + 1]);
            EXPECT_TRUE(iv.isBounded());
            ++checked;
        }
    }
    EXPECT_GT(checked, 3000);
}

TEST(VqGeKnotVector, GetInterval_DomainEndAndOutside_ClampedSpans) {
    VqGeKnotVector kv = makeKnots({0, 0, 0, 0, 1, 1, 1, 1});
    VqGeInterval iv;
    // The end of the domain is not below knot 4, so the search moves on to the empty span 4.
    EXPECT_EQ(kv.getInterval(4, 1.0, iv), 4);
    EXPECT_EQ(iv.lowerBound(), 1.0);
    EXPECT_EQ(iv.upperBound(), 1.0);
    // Whole-vector searches at and past the ends read no knot past the last.
    EXPECT_EQ(kv.getInterval(1, 1.0, iv), 6);
    EXPECT_EQ(kv.getInterval(1, 5.0, iv), 6);
    EXPECT_EQ(kv.getInterval(1, -5.0, iv), 0);
    const double special[] = {std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity()};
    const int orders[] = {
        -3, 0, 1, 2, 4, 5, 9, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()};
    for (int order : orders) {
        for (double x : special) {
            const int b = kv.getInterval(order, x, iv);
            EXPECT_GE(b, 0);
            EXPECT_LE(b, 6);
        }
        // The first probe, the middle of the vector, holds 0.5 whatever range is searched.
        EXPECT_EQ(kv.getInterval(order, 0.5, iv), 3);
    }
}

TEST(VqGeKnotVector, GetInterval_FewerThanTwoKnots_NoSpanIntervalUntouched) {
    VqGeInterval iv(2.0, 3.0);
    EXPECT_EQ(VqGeKnotVector().getInterval(1, 0.0, iv), -1);
    EXPECT_EQ(makeKnots({1}).getInterval(1, 1.0, iv), -1);
    EXPECT_EQ(iv.lowerBound(), 2.0);
    EXPECT_EQ(iv.upperBound(), 3.0);
    VqGeImpInterval imp;
    EXPECT_EQ(makeKnots({1, 2}).getInterval(1, 1.5, imp), 0);
    EXPECT_EQ(imp.lowerBound(), 1.0);
    EXPECT_EQ(imp.upperBound(), 2.0);
}
