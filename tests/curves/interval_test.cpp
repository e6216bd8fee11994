// Parameter interval: bounds, point tests, ordering and the public handle's ownership.
#include <cmath>

#include "test_helpers.h"
#include "vqge_interval.h"

namespace {

const double kTol = 1e-12;

VqGeImpInterval above(double bound) {
    return VqGeImpInterval(0, bound, kTol);
}
VqGeImpInterval below(double bound) {
    return VqGeImpInterval(1, bound, kTol);
}

}  // namespace

TEST(VqGeImpInterval, Construct_EachForm_FlagsAndBounds) {
    VqGeImpInterval none;
    EXPECT_TRUE(none.isUnBounded());
    EXPECT_FALSE(none.isBoundedBelow());
    EXPECT_EQ(none.tolerance(), 1e-12);
    EXPECT_EQ(none.interval(), nullptr);

    VqGeImpInterval both(2.0, 5.0, 1e-6);
    EXPECT_TRUE(both.isBounded());
    EXPECT_EQ(both.lowerBound(), 2.0);
    EXPECT_EQ(both.upperBound(), 5.0);
    EXPECT_EQ(both.tolerance(), 1e-6);

    VqGeImpInterval lowerOnly(1, 3.0, kTol);
    EXPECT_TRUE(lowerOnly.isBoundedBelow());
    EXPECT_FALSE(lowerOnly.isBoundedAbove());
    EXPECT_EQ(lowerOnly.lowerBound(), 3.0);
    VqGeImpInterval upperOnly(0, 3.0, kTol);
    EXPECT_TRUE(upperOnly.isBoundedAbove());
    EXPECT_FALSE(upperOnly.isBoundedBelow());
    EXPECT_EQ(upperOnly.upperBound(), 3.0);

    // Two integers are a range; an int flag with a double bound is the one-sided form.
    VqGeImpInterval ints(0, 1);
    EXPECT_TRUE(ints.isBounded());
    EXPECT_EQ(ints.upperBound(), 1.0);
    ints.set(2, 3);
    EXPECT_TRUE(ints.isBounded());
    EXPECT_EQ(ints.lowerBound(), 2.0);
    VqGeInterval wrapper(1, 2.0);
    EXPECT_TRUE(wrapper.isBoundedBelow());
    EXPECT_FALSE(wrapper.isBoundedAbove());
    EXPECT_EQ(wrapper.tolerance(), 1e-12);
}

TEST(VqGeImpInterval, Set_Forms_OtherSideUnboundedOrKept) {
    VqGeImpInterval iv(0.0, 1.0, kTol);
    iv.set(1, 4.0);
    EXPECT_TRUE(iv.isBoundedBelow());
    EXPECT_FALSE(iv.isBoundedAbove());
    iv.setUpper(9.0);
    EXPECT_TRUE(iv.isBounded());
    EXPECT_EQ(iv.lowerBound(), 4.0);
    iv.set();
    EXPECT_TRUE(iv.isUnBounded());
    // The stored values stay readable whatever the flags say.
    double lo = 0.0;
    double hi = 0.0;
    iv.getBounds(lo, hi);
    EXPECT_EQ(lo, 4.0);
    EXPECT_EQ(hi, 9.0);
    iv.setLower(-1.0).setTolerance(0.5);
    EXPECT_TRUE(iv.isBoundedBelow());
    EXPECT_FALSE(iv.isBoundedAbove());
    EXPECT_EQ(iv.tolerance(), 0.5);
    // No ordering check.
    iv.set(3.0, 1.0);
    EXPECT_EQ(iv.lowerBound(), 3.0);
    EXPECT_EQ(iv.upperBound(), 1.0);
}

TEST(VqGeImpInterval, ElementAndLength_BoundednessCases_AsDefined) {
    EXPECT_EQ(below(3.0).element(), 3.0);
    EXPECT_EQ(VqGeImpInterval(1.0, 2.0, kTol).element(), 2.0);
    EXPECT_EQ(above(-4.0).element(), -4.0);
    EXPECT_EQ(VqGeImpInterval(kTol).element(), 0.0);

    VqGeImpInterval tiny(0.0, 1e-13, kTol);
    EXPECT_TRUE(tiny.isSingleton());
    EXPECT_EQ(tiny.length(), 0.0);
    EXPECT_EQ(VqGeImpInterval(1.0, 3.5, kTol).length(), 2.5);
    EXPECT_EQ(below(0.0).length(), -1.0);
    EXPECT_EQ(VqGeImpInterval(kTol).length(), -1.0);
    EXPECT_FALSE(VqGeImpInterval(0.0, 1e-11, kTol).isSingleton());
    EXPECT_FALSE(below(0.0).isSingleton());
}

TEST(VqGeImpInterval, ContainsValue_AtToleranceEdges_InsideOnlyWithinTolerance) {
    VqGeImpInterval unit(0.0, 1.0, kTol);
    EXPECT_TRUE(unit.contains(1.0 + 1e-13));
    EXPECT_FALSE(unit.contains(1.0 + 1e-11));
    EXPECT_TRUE(unit.contains(-1e-13));
    EXPECT_FALSE(unit.contains(-1e-11));
    EXPECT_TRUE(VqGeImpInterval(kTol).contains(1e300));
    EXPECT_TRUE(below(5.0).contains(1e300));
    EXPECT_FALSE(below(5.0).contains(4.0));
    EXPECT_FALSE(unit.contains(std::nan("")));
    EXPECT_FALSE(VqGeImpInterval(kTol).contains(std::nan("")));
}

TEST(VqGeImpInterval, IsEqualAtBounds_ValuesAndIntervals_UseThisTolerance) {
    VqGeImpInterval unit(0.0, 1.0, kTol);
    EXPECT_TRUE(unit.isEqualAtLower(5e-13));
    EXPECT_FALSE(unit.isEqualAtLower(5e-12));
    EXPECT_TRUE(unit.isEqualAtUpper(1.0));
    EXPECT_FALSE(below(1.0).isEqualAtUpper(1.0));

    EXPECT_TRUE(VqGeImpInterval(kTol).isEqualAtLower(above(1.0)));
    EXPECT_FALSE(unit.isEqualAtLower(above(1.0)));
    EXPECT_FALSE(above(1.0).isEqualAtLower(unit));
    EXPECT_TRUE(unit.isEqualAtUpper(above(1.0 + 1e-13)));
    EXPECT_TRUE(unit == VqGeImpInterval(1e-13, 1.0, 1.0));
    EXPECT_TRUE(unit != VqGeImpInterval(1e-11, 1.0, 1.0));
    // The left operand's tolerance decides.
    VqGeImpInterval loose(0.0, 1.0, 0.1);
    VqGeImpInterval shifted(0.05, 1.05, kTol);
    EXPECT_TRUE(loose == shifted);
    EXPECT_FALSE(shifted == loose);
}

TEST(VqGeImpInterval, ContainsInterval_BoundednessCombinations_AsDefined) {
    VqGeImpInterval unit(0.0, 1.0, kTol);
    EXPECT_TRUE(VqGeImpInterval(kTol).contains(VqGeImpInterval(kTol)));
    EXPECT_TRUE(unit.contains(VqGeImpInterval(0.25, 1.0, kTol)));
    EXPECT_FALSE(unit.contains(VqGeImpInterval(0.25, 1.5, kTol)));
    EXPECT_FALSE(unit.contains(VqGeImpInterval(kTol)));
    EXPECT_FALSE(unit.contains(above(0.5)));
    EXPECT_TRUE(above(2.0).contains(above(1.0)));
    EXPECT_FALSE(above(1.0).contains(above(2.0)));
    EXPECT_FALSE(below(0.0).contains(above(1.0)));
    EXPECT_TRUE(below(0.0).contains(below(1.0)));
    EXPECT_TRUE(below(0.0).contains(unit));
}

TEST(VqGeImpInterval, OrderingWithValues_BothOperandOrders_MirrorEachOther) {
    VqGeImpInterval unit(0.0, 1.0, kTol);
    EXPECT_TRUE(-0.5 < unit);
    EXPECT_FALSE(-1e-13 < unit);
    EXPECT_TRUE(unit < 1.5);
    EXPECT_FALSE(unit < 1.0);
    EXPECT_TRUE(-1e-13 <= unit);
    EXPECT_TRUE(unit <= 1.0);
    EXPECT_FALSE(unit <= 0.5);
    EXPECT_TRUE(unit > -0.5);
    EXPECT_TRUE(1.5 > unit);
    EXPECT_TRUE(unit >= 0.0);
    EXPECT_TRUE(1.0 >= unit);
    EXPECT_FALSE(0.5 >= unit);
    EXPECT_FALSE(-1e9 < above(1.0));
    EXPECT_FALSE(below(0.0) < 1e9);
}

TEST(VqGeImpInterval, OrderingOfIntervals_TouchingAndApart_ContinuousCountsForLessEqual) {
    VqGeImpInterval unit(0.0, 1.0, kTol);
    VqGeImpInterval next(1.0, 2.0, kTol);
    EXPECT_TRUE(unit <= next);
    EXPECT_FALSE(unit < next);
    EXPECT_TRUE(unit.isContinuousAtUpper(next));
    EXPECT_FALSE(next.isContinuousAtUpper(unit));
    EXPECT_TRUE(next >= unit);
    EXPECT_FALSE(next > unit);
    VqGeImpInterval far(2.0, 3.0, kTol);
    EXPECT_TRUE(unit < far);
    EXPECT_TRUE(far > unit);
    EXPECT_TRUE(unit.isDisjoint(far));
    EXPECT_TRUE(far.isDisjoint(unit));
    EXPECT_FALSE(unit.isDisjoint(next));
    EXPECT_TRUE(unit.intersectWith(next));
    EXPECT_FALSE(unit.intersectWith(far));
    EXPECT_FALSE(unit < below(0.5));
    EXPECT_FALSE(below(0.0) < far);
}

TEST(VqGeInterval, Constructors_OwnObjectAndAreItsInterval) {
    CountingHooks hooks;
    {
        VqGeInterval a(0.0, 1.0);
        VqGeInterval b(1, 2.0, kTol);
        VqGeInterval c(a);
        EXPECT_EQ(hooks.outstanding(), 3);
        EXPECT_EQ(VqGeImpInterval::impInterval(a)->interval(), &a);
        EXPECT_EQ(VqGeImpInterval::impInterval(c)->interval(), &c);
        EXPECT_NE(VqGeImpInterval::impInterval(c), VqGeImpInterval::impInterval(a));
        c.setUpper(7.0);
        EXPECT_EQ(a.upperBound(), 1.0);
        EXPECT_TRUE(b.isBoundedBelow());
        EXPECT_FALSE(b.isBoundedAbove());
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeInterval, Assignment_SelfAndBorrowed_HarmlessFreshCopy) {
    CountingHooks hooks;
    {
        VqGeInterval a(2.0, 3.0, 1e-6);
        a = a;
        EXPECT_EQ(a.lowerBound(), 2.0);
        EXPECT_EQ(a.upperBound(), 3.0);
        EXPECT_EQ(a.tolerance(), 1e-6);
        EXPECT_EQ(hooks.outstanding(), 1);

        VqGeInterval b;
        b = a;
        EXPECT_TRUE(b == a);
        EXPECT_EQ(VqGeImpInterval::impInterval(b)->interval(), nullptr);
        EXPECT_EQ(hooks.outstanding(), 2);

        // A wrapper borrowing an object may be assigned that very object.
        VqGeImpInterval embedded(5.0, 6.0, kTol);
        {
            VqGeInterval borrowed = embedded;
            EXPECT_EQ(embedded.interval(), &borrowed);
            const VqGeInterval& alias = borrowed;
            borrowed = alias;
            EXPECT_EQ(borrowed.lowerBound(), 5.0);
            borrowed.setLower(5.5);
            EXPECT_EQ(embedded.lowerBound(), 5.0);
        }
        EXPECT_EQ(hooks.outstanding(), 2);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeInterval, BorrowingWrapper_Destroyed_LeavesObjectAndForgetsItself) {
    CountingHooks hooks;
    VqGeImpInterval embedded(0.0, 1.0, kTol);
    {
        VqGeInterval view = embedded;
        EXPECT_EQ(VqGeImpInterval::impInterval(view), &embedded);
        view.setUpper(4.0);
        EXPECT_EQ(embedded.upperBound(), 4.0);
    }
    EXPECT_EQ(hooks.allocs(), 0);
    EXPECT_EQ(embedded.interval(), nullptr);
    EXPECT_EQ(embedded.upperBound(), 4.0);
}

TEST(VqGeInterval, AllocationFails_WrapperReadsUnboundedAndIgnoresSets) {
    CountingHooks hooks;
    CountingHooks::failAfter() = 0;
    VqGeInterval broken(0.0, 1.0);
    EXPECT_EQ(VqGeImpInterval::impInterval(broken), nullptr);
    EXPECT_TRUE(broken.isUnBounded());
    broken.set(2.0, 3.0);
    EXPECT_TRUE(broken.isUnBounded());
    CountingHooks::failAfter() = -1;
    VqGeInterval good(4.0, 5.0);
    VqGeInterval open(kTol);
    const VqGeImpInterval* before = VqGeImpInterval::impInterval(good);
    // Without memory for the fresh copy an owned object takes the values in place.
    CountingHooks::failAfter() = 0;
    good = open;
    CountingHooks::failAfter() = -1;
    EXPECT_EQ(VqGeImpInterval::impInterval(good), before);
    EXPECT_TRUE(good.isUnBounded());
}

TEST(VqGeInterval, ForwardedMembers_MatchImplementation) {
    VqGeInterval unit(0.0, 1.0);
    VqGeInterval next(1.0, 2.0);
    EXPECT_TRUE(unit <= next);
    EXPECT_FALSE(unit < next);
    EXPECT_TRUE(0.5 <= next);
    EXPECT_TRUE(3.0 > next);
    EXPECT_TRUE(2.0 >= next);
    EXPECT_FALSE(1.0 >= next);
    EXPECT_TRUE(-1.0 < unit);
    EXPECT_EQ(unit.element(), 1.0);
    EXPECT_TRUE(unit.contains(VqGeInterval(0.25, 0.5)));
    VqGeInterval result;
    EXPECT_EQ(unit.intersectWith(VqGeInterval(1, 0.5, kTol), result), 1);
    EXPECT_EQ(result.lowerBound(), 0.5);
    EXPECT_EQ(result.upperBound(), 1.0);
    VqGeInterval first;
    VqGeInterval second;
    EXPECT_EQ(unit.subtract(VqGeInterval(0.25, 0.5), first, second), 2);
    EXPECT_EQ(first.upperBound(), 0.25);
    EXPECT_EQ(second.lowerBound(), 0.5);
    VqGeInterval merged;
    unit.getMerge(next, merged);
    EXPECT_EQ(merged.upperBound(), 2.0);
    double param = 2.5;
    EXPECT_EQ(unit.isPeriodicallyOn(1.0, param), 1);
    EXPECT_NEAR(param, 0.5, 1e-15);
}
