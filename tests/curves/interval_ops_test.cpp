// Interval combinations: intersection, merge, subtraction, overlap, split, extension and the
// periodic parameter, with a sampled brute-force check of subtraction and intersection.
#include <cmath>
#include <random>

#include "test_helpers.h"
#include "vqge_interval.h"

namespace {

const double kTol = 1e-12;
const double kTwoPi = 6.283185307179586;

VqGeImpInterval range(double lower, double upper) {
    return VqGeImpInterval(lower, upper, kTol);
}
VqGeImpInterval below(double bound) {
    return VqGeImpInterval(1, bound, kTol);
}
VqGeImpInterval above(double bound) {
    return VqGeImpInterval(0, bound, kTol);
}

void expectRange(const VqGeImpInterval& iv, double lower, double upper) {
    EXPECT_TRUE(iv.isBounded());
    EXPECT_EQ(iv.lowerBound(), lower);
    EXPECT_EQ(iv.upperBound(), upper);
}

}  // namespace

TEST(VqGeImpInterval, IntersectWith_OverlapAndApart_ResultAndFlag) {
    VqGeImpInterval result(0.5);
    EXPECT_EQ(range(0.0, 1.0).intersectWith(below(0.5), result), 1);
    expectRange(result, 0.5, 1.0);
    EXPECT_EQ(result.tolerance(), 0.5);
    EXPECT_EQ(range(0.0, 1.0).intersectWith(range(2.0, 3.0), result), 0);
    EXPECT_EQ(result.lowerBound(), 2.0);
    EXPECT_EQ(result.upperBound(), 1.0);
    EXPECT_EQ(below(0.0).intersectWith(VqGeImpInterval(kTol), result), 1);
    EXPECT_TRUE(result.isBoundedBelow());
    EXPECT_FALSE(result.isBoundedAbove());
    EXPECT_EQ(below(2.0).intersectWith(above(1.0), result), 0);
    // The result may be one of the operands.
    VqGeImpInterval self = range(0.0, 4.0);
    EXPECT_EQ(self.intersectWith(range(1.0, 9.0), self), 1);
    expectRange(self, 1.0, 4.0);
}

TEST(VqGeImpInterval, Merge_BoundedOnlyWhereBothAre_ToleranceOfThis) {
    VqGeImpInterval unit(0.0, 1.0, 1e-3);
    VqGeImpInterval result;
    unit.getMerge(below(0.5), result);
    EXPECT_TRUE(result.isBoundedBelow());
    EXPECT_FALSE(result.isBoundedAbove());
    EXPECT_EQ(result.lowerBound(), 0.0);
    EXPECT_EQ(result.tolerance(), 1e-3);
    unit.getMerge(range(3.0, 5.0), result);
    expectRange(result, 0.0, 5.0);
    VqGeImpInterval other = range(-2.0, 0.5);
    unit.getMerge(other, other);
    expectRange(other, -2.0, 1.0);
    unit.merge(above(0.5));
    EXPECT_FALSE(unit.isBoundedBelow());
    EXPECT_EQ(unit.upperBound(), 1.0);
}

TEST(VqGeImpInterval, Subtract_InnerEdgeTouchingAndSame_CountsAndPieces) {
    VqGeImpInterval unit = range(0.0, 1.0);
    VqGeImpInterval first(0.25);
    VqGeImpInterval second(0.5);
    EXPECT_EQ(unit.subtract(range(0.25, 0.5), first, second), 2);
    expectRange(first, 0.0, 0.25);
    expectRange(second, 0.5, 1.0);
    EXPECT_EQ(first.tolerance(), 0.25);
    EXPECT_EQ(second.tolerance(), 0.5);
    EXPECT_EQ(unit.subtract(range(0.0, 0.5), first, second), 1);
    expectRange(first, 0.5, 1.0);
    EXPECT_EQ(unit.subtract(range(1.0, 2.0), first, second), 1);
    expectRange(first, 0.0, 1.0);
    EXPECT_EQ(first.tolerance(), kTol);
    EXPECT_EQ(range(1.0, 2.0).subtract(unit, first, second), 1);
    expectRange(first, 1.0, 2.0);
    EXPECT_EQ(unit.subtract(unit, first, second), 0);
    EXPECT_EQ(range(0.25, 0.5).subtract(unit, first, second), 0);

    EXPECT_EQ(VqGeImpInterval(kTol).subtract(range(1.0, 2.0), first, second), 2);
    EXPECT_FALSE(first.isBoundedBelow());
    EXPECT_EQ(first.upperBound(), 1.0);
    EXPECT_FALSE(second.isBoundedAbove());
    EXPECT_EQ(second.lowerBound(), 2.0);
}

TEST(VqGeImpInterval, IsOverlapAtUpper_Cases_OnlyTrueOverlapAtUpperEnd) {
    VqGeImpInterval result;
    EXPECT_EQ(range(0.0, 1.0).isOverlapAtUpper(range(0.5, 2.0), result), 1);
    expectRange(result, 0.5, 1.0);
    EXPECT_EQ(range(0.0, 1.0).isOverlapAtUpper(below(0.5), result), 1);
    EXPECT_EQ(range(0.0, 1.0).isOverlapAtUpper(range(0.5, 0.75), result), 0);
    EXPECT_EQ(range(0.0, 1.0).isOverlapAtUpper(range(1.0, 2.0), result), 0);
    EXPECT_EQ(range(0.0, 1.0).isOverlapAtUpper(range(0.0, 2.0), result), 0);
    EXPECT_EQ(range(0.0, 1.0).isOverlapAtUpper(range(3.0, 4.0), result), 0);
    EXPECT_EQ(range(0.0, 1.0).isOverlapAtUpper(range(0.5, 0.5), result), 0);
    EXPECT_EQ(below(0.0).isOverlapAtUpper(range(0.5, 2.0), result), 0);
    EXPECT_EQ(range(0.0, 1.0).isOverlapAtUpper(above(2.0), result), 0);
    EXPECT_EQ(range(0.0, 1.0).isOverlapAtUpper(range(-1.0, 2.0), result), 0);
}

TEST(VqGeImpInterval, SplitAndExtend_InsideOutsideAndUnbounded_AsDefined) {
    VqGeImpInterval unit(0.0, 1.0, 1e-3);
    VqGeImpInterval left;
    VqGeImpInterval right;
    EXPECT_EQ(unit.split(0.25, left, right), 1);
    expectRange(left, 0.0, 0.25);
    expectRange(right, 0.25, 1.0);
    EXPECT_EQ(left.tolerance(), 1e-3);
    EXPECT_EQ(unit.split(2.0, left, right), 0);
    expectRange(left, 0.0, 0.25);
    // Splitting into the interval itself still yields both halves.
    VqGeImpInterval whole = range(0.0, 1.0);
    EXPECT_EQ(whole.split(0.5, whole, right), 1);
    expectRange(whole, 0.0, 0.5);
    expectRange(right, 0.5, 1.0);

    VqGeImpInterval grow = range(0.0, 1.0);
    grow.extend(-2.0).extend(3.0).extend(0.5);
    expectRange(grow, -2.0, 3.0);
    VqGeImpInterval half = below(0.0);
    half.extend(9.0);
    EXPECT_FALSE(half.isBoundedAbove());
    EXPECT_EQ(half.lowerBound(), 0.0);
}

TEST(VqGeImpInterval, IsPeriodicallyOn_ParamOutside_BroughtInOrBetweenCopies) {
    double param = -0.1;
    EXPECT_EQ(range(0.0, kTwoPi).isPeriodicallyOn(kTwoPi, param), 1);
    EXPECT_NEAR(param, kTwoPi - 0.1, 1e-15);
    param = 1.5;
    EXPECT_EQ(range(0.0, 1.0).isPeriodicallyOn(2.0, param), 0);
    EXPECT_EQ(param, -0.5);
    param = 20.5;
    EXPECT_EQ(range(0.0, 1.0).isPeriodicallyOn(1.0, param), 1);
    EXPECT_EQ(param, 0.5);
    param = 1e9;
    EXPECT_EQ(below(0.0).isPeriodicallyOn(1.0, param), 1);
    EXPECT_EQ(param, 1e9);
    // Far away: the answer still lands in range, by a jump rather than a billion steps.
    param = -1e9 - 0.25;
    EXPECT_EQ(range(0.0, 1.0).isPeriodicallyOn(1.0, param), 1);
    EXPECT_NEAR(param, 0.75, 1e-6);
}

TEST(VqGeImpInterval, IsPeriodicallyOn_UnusablePeriodOrParam_ZeroAndParamKept) {
    VqGeImpInterval unit = range(0.0, 1.0);
    const double periods[] = {0.0, -1.0, std::nan(""), HUGE_VAL};
    for (double period : periods) {
        double param = 5.0;
        EXPECT_EQ(unit.isPeriodicallyOn(period, param), 0) << period;
        EXPECT_EQ(param, 5.0);
        param = -5.0;
        EXPECT_EQ(unit.isPeriodicallyOn(period, param), 0) << period;
        EXPECT_EQ(param, -5.0);
        param = 0.5;
        EXPECT_EQ(unit.isPeriodicallyOn(period, param), 1) << period;
    }
    double param = 1e300;
    EXPECT_EQ(unit.isPeriodicallyOn(1.0, param), 0);
    EXPECT_EQ(param, 1e300);
    param = std::nan("");
    EXPECT_EQ(unit.isPeriodicallyOn(1.0, param), 0);
    // A period lost in the parameter's rounding cannot move it.
    VqGeImpInterval far(1e17, 1e17 + 64.0, kTol);
    param = 1e17 - 4096.0;
    EXPECT_EQ(far.isPeriodicallyOn(3.0, param), 0);
    EXPECT_EQ(param, 1e17 - 4096.0);
}

// Intervals over a small grid of bounds, so touching, equal and nested cases come up often;
// sample points sit well away from every bound, where membership is unambiguous.
TEST(VqGeImpInterval, SubtractAndIntersect_RandomIntervals_AgreeWithSampledPoints) {
    std::mt19937 rng(20261207u);
    std::uniform_int_distribution<int> bound(0, 6);
    std::uniform_int_distribution<int> kind(0, 3);
    auto randomInterval = [&]() {
        int a = bound(rng);
        int b = bound(rng);
        if (a > b) std::swap(a, b);
        switch (kind(rng)) {
            case 0:
                return VqGeImpInterval(kTol);
            case 1:
                return VqGeImpInterval(1, double(a), kTol);
            case 2:
                return VqGeImpInterval(0, double(b), kTol);
            default:
                return VqGeImpInterval(double(a), double(b), kTol);
        }
    };
    auto in = [](const VqGeImpInterval& iv, double x) {
        return (!iv.isBoundedBelow() || x > iv.lowerBound()) &&
               (!iv.isBoundedAbove() || x < iv.upperBound());
    };
    for (int round = 0; round < 2000; ++round) {
        const VqGeImpInterval i = randomInterval();
        const VqGeImpInterval j = randomInterval();
        VqGeImpInterval first;
        VqGeImpInterval second;
        const int count = i.subtract(j, first, second);
        VqGeImpInterval both;
        const int meets = i.intersectWith(j, both);
        EXPECT_EQ(meets, i.intersectWith(j));
        ASSERT_GE(count, 0);
        ASSERT_LE(count, 2);
        for (double x = -1.55; x < 7.6; x += 0.1) {
            const bool inI = in(i, x);
            const bool inJ = in(j, x);
            const bool inPieces = (count > 0 && in(first, x)) || (count > 1 && in(second, x));
            ASSERT_EQ(inI && !inJ, inPieces) << "round " << round << " x " << x;
            if (meets) {
                ASSERT_EQ(inI && inJ, in(both, x)) << "round " << round << " x " << x;
            } else {
                ASSERT_FALSE(inI && inJ) << "round " << round << " x " << x;
            }
        }
    }
}
