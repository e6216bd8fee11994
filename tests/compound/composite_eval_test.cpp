// Composite curve: the member list, breaks, parameter mapping, evaluation and lengths.
#include "composite_fixtures.h"

namespace {

VqArray<void*> twoSegments23() {
    VqArray<void*> c;
    c.append(newSeg(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 0, 0)));
    c.append(newSeg(VqGePoint3d(2, 0, 0), VqGePoint3d(2, 3, 0)));
    return c;
}

TEST(CompositeSet, Set_SegmentsOfTwoAndThree_BreaksAreLengths) {
    VqGeImpCompositeCurve3d* c = ownedChain(twoSegments23());
    VqArray<double> b;
    c->getSegParams(b);
    ASSERT_EQ(b.length(), 3);
    EXPECT_DOUBLE_EQ(b[0], 0.0);
    EXPECT_DOUBLE_EQ(b[1], 2.0);
    EXPECT_DOUBLE_EQ(b[2], 5.0);
    VqGeImpInterval i;
    c->getInterval(i, 0, 0);
    EXPECT_DOUBLE_EQ(i.lowerBound(), 0.0);
    EXPECT_DOUBLE_EQ(i.upperBound(), 5.0);
    int index;
    double scale;
    EXPECT_DOUBLE_EQ(c->globalToLocalParam(2.0, index, scale), 1.0);
    EXPECT_EQ(index, 0);
    // 2.5 lies half a unit into the second member of length 3: a sixth of its [0, 1].
    EXPECT_NEAR(c->globalToLocalParam(2.5, index, scale), 1.0 / 6.0, 1e-15);
    EXPECT_EQ(index, 1);
    EXPECT_NEAR(scale, 1.0 / 3.0, 1e-15);
    EXPECT_TRUE(pointsNear(c->evalPoint(2.5), VqGePoint3d(2, 0.5, 0), 0, 1e-14));
    EXPECT_EQ(c->type(0), VqGe::kCompositeCurve3d);
    EXPECT_TRUE(c->isKindOf(VqGe::kCurve3d, 0));
    delete c;
}

TEST(CompositeSet, Set_OneMember_KeepsMemberIntervalAndParameters) {
    TestArc* arc = new TestArc(VqGePoint3d(1, 1, 0), 2.0, 0.25, 2.0);
    VqArray<void*> list;
    list.append(arc);
    VqGeImpCompositeCurve3d* c = ownedChain(list);
    VqArray<double> b;
    c->getSegParams(b);
    ASSERT_EQ(b.length(), 2);
    EXPECT_EQ(b[0], 0.25);
    EXPECT_EQ(b[1], 2.0);
    for (double t = 0.25; t <= 2.0; t += 0.125) {
        int index;
        double scale;
        EXPECT_EQ(c->globalToLocalParam(t, index, scale), t);
        EXPECT_EQ(c->localToGlobalParam(t, 0), t);
        EXPECT_TRUE(pointsNear(c->evalPoint(t), arc->evalPoint(t), 0, 0));
    }
    delete c;
}

TEST(CompositeSet, Set_PointMemberAndNestedChain_DroppedAndFlattened) {
    VqGeImpCompositeCurve3d* inner = ownedChain(twoSegments23());
    VqArray<void*> list;
    list.append(newSeg(VqGePoint3d(-1, 0, 0), VqGePoint3d(0, 0, 0)));
    list.append(newSeg(VqGePoint3d(0, 0, 0), VqGePoint3d(0, 0, 0)));  // a point
    list.append(inner);
    list.append(nullptr);
    VqGeImpCompositeCurve3d* outer = ownedChain(list);
    ASSERT_EQ(outer->numCurves(), 3);
    for (int i = 0; i < outer->numCurves(); ++i)
        EXPECT_FALSE(outer->curveAt(i)->isKindOf(VqGe::kCompositeCurve3d, 0));
    EXPECT_NEAR(outer->length(0, 6, 1e-10), 6.0, 1e-12);
    delete outer;  // the inner chain was handed over too and went when it was flattened
}

TEST(CompositeSet, Set_ChainThatHoldsItself_IsLeftOut) {
    VqGeImpCompositeCurve3d* c = ownedChain(twoSegments23());
    VqGeImpCompositeCurve3d outer;
    VqArray<void*> list;
    list.append(c);
    outer.set(list, 0);  // not exploded: c itself is the member
    ASSERT_EQ(outer.numCurves(), 1);
    VqArray<void*> cyclic;
    cyclic.append(&outer);
    c->set(cyclic, 0);  // c would hold outer, which holds c
    EXPECT_EQ(c->numCurves(), 0);
    VqArray<void*> selfList;
    selfList.append(&outer);
    outer.set(selfList, 0);
    EXPECT_EQ(outer.numCurves(), 0);
    delete c;
}

TEST(CompositeSet, Set_EmptyList_NoMembersAndSafeQueries) {
    VqArray<void*> none;
    VqGeImpCompositeCurve3d c(none, 1);
    EXPECT_EQ(c.numCurves(), 0);
    VqArray<VqGeVector3d> d;
    EXPECT_TRUE(pointsNear(c.evalPoint(1.0, 2, d), VqGePoint3d(), 0, 0));
    EXPECT_EQ(d.length(), 0);
    EXPECT_EQ(c.length(0, 1, 1e-9), 0.0);
    EXPECT_EQ(c.paramAtLength(0.5, 3.0, 1, 1e-9), 0.5);
    VqGeImpPointOnCurve3d p(&c, 0.3);
    EXPECT_TRUE(pointsNear(p.point(), VqGePoint3d(), 0, 0));
    VqGe::EntityId id;
    EXPECT_FALSE(c.isDegenerate(id, VqGeContext::gTol));
    VqGeImpCurve3d* a;
    VqGeImpCurve3d* b;
    c.getSplitCurves(0.0, a, b);
    EXPECT_EQ(a, nullptr);
    VqGeImpLinearEnt3d line;
    EXPECT_FALSE(c.isLinear(line, VqGeContext::gTol));
}

// Evaluation at a random composite parameter equals the member's at the mapped parameter,
// derivative k scaled by scale^k, both through evalPoint and through a point on the curve
// (whose per-member cache is exercised by revisiting members in random order).
TEST(CompositeEval, EvalPoint_RandomChains_MatchesMembersScaled) {
    std::mt19937 rng(1301);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int trial = 0; trial < 40; ++trial) {
        const double offset = trial % 2 ? 1e7 : -3.0;
        VqGeImpCompositeCurve3d* c =
            randomChain(rng, 2 + trial % 9, 1, offset, trial % 3 ? 1e5 : 2.0);
        VqGeImpInterval i;
        c->getInterval(i, 0, 0);
        VqGeImpPointOnCurve3d poc(c);
        for (int k = 0; k < 60; ++k) {
            const double g = i.lowerBound() + (i.upperBound() - i.lowerBound()) * u(rng);
            int index;
            double scale;
            const double local = c->globalToLocalParam(g, index, scale);
            VqArray<VqGeVector3d> dc, dm;
            const VqGePoint3d pc = c->evalPoint(g, 3, dc);
            const VqGePoint3d pm = c->curveAt(index)->evalPoint(local, 3, dm);
            ASSERT_EQ(dc.length(), 3);
            EXPECT_TRUE(pointsNear(pc, pm, 0, 0));
            double f = 1.0;
            for (int d = 0; d < 3; ++d) {
                f *= scale;
                EXPECT_TRUE(vectorsNear(dc[d], dm[d] * f, 1e-14));
            }
            poc.setParameter(g);
            EXPECT_TRUE(pointsNear(poc.point(), pc, 1e-15, 1e-15));
            for (int d = 1; d <= 3; ++d) EXPECT_TRUE(vectorsNear(poc.deriv(d), dc[d - 1], 1e-12));
            EXPECT_NEAR(c->localToGlobalParam(local, index), g, 1e-9 * (1.0 + std::fabs(g)));
        }
        delete c;
    }
}

TEST(CompositeEval, Evaluate_PointWithTransform_TransformsThePoint) {
    std::mt19937 rng(1302);
    VqGeImpCompositeCurve3d* c = randomChain(rng, 6, 1, 10.0, 5.0);
    const VqGeMatrix3d m = VqGeMatrix3d::rotation(0.7, VqGeVector3d(1, 2, 3), VqGePoint3d(4, 5, 6));
    VqGeImpPointOnCurve3d poc(c);
    poc.transformBy(m);
    VqGeImpInterval i;
    c->getInterval(i, 0, 0);
    for (int k = 0; k <= 20; ++k) {
        const double g = i.lowerBound() + (i.upperBound() - i.lowerBound()) * k / 20.0;
        VqGePoint3d expect = c->evalPoint(g);
        expect.transformBy(m);
        EXPECT_TRUE(pointsNear(poc.point(g), expect, 1e-14, 1e-12));
    }
    delete c;
}

TEST(CompositeEval, EvalPoint_BadParameters_AnswerAMemberWithoutCrashing) {
    VqGeImpCompositeCurve3d* c = ownedChain(twoSegments23());
    VqArray<VqGeVector3d> d;
    const VqGePoint3d p = c->evalPoint(std::nan(""), 3, d);
    EXPECT_TRUE(std::isnan(p.x) || std::isfinite(p.x));
    EXPECT_EQ(d.length(), 3);
    // Beyond the ends the end members continue linearly.
    EXPECT_TRUE(pointsNear(c->evalPoint(-1.0), VqGePoint3d(-1, 0, 0), 0, 1e-14));
    EXPECT_TRUE(pointsNear(c->evalPoint(8.0), VqGePoint3d(2, 6, 0), 0, 1e-14));
    int index;
    double scale;
    c->globalToLocalParam(std::numeric_limits<double>::infinity(), index, scale);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(c->localToGlobalParam(0.5, 99), c->localToGlobalParam(0.5, 1));
    delete c;
}

TEST(CompositeLength, Length_RandomChains_SumOfMembers) {
    std::mt19937 rng(1303);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int trial = 0; trial < 30; ++trial) {
        VqGeImpCompositeCurve3d* c = randomChain(rng, 1 + trial % 8, 1, 1e6, 1e4);
        double sum = 0.0;
        for (int i = 0; i < c->numCurves(); ++i) {
            VqGeImpInterval mi;
            c->curveAt(i)->getInterval(mi, 0, 0);
            sum += c->curveAt(i)->length(mi.lowerBound(), mi.upperBound(), 1e-10);
        }
        VqGeImpInterval i;
        c->getInterval(i, 0, 0);
        const double total = c->length(i.lowerBound(), i.upperBound(), 1e-10);
        EXPECT_NEAR(total, sum, 1e-9 * sum);
        // Parameter at length and length agree both ways, forwards and backwards.
        for (int k = 0; k < 10; ++k) {
            const double from = i.lowerBound() + (i.upperBound() - i.lowerBound()) * 0.3 * u(rng);
            const double want = (total - c->length(i.lowerBound(), from, 1e-10)) * u(rng);
            const double to = c->paramAtLength(from, want, 1, 1e-10);
            EXPECT_NEAR(c->length(from, to, 1e-10), want, 1e-8 * total);
            const double back = c->paramAtLength(to, -want, 1, 1e-10);
            EXPECT_NEAR(back, from, 1e-8 * total);
        }
        EXPECT_EQ(c->paramAtLength(i.lowerBound() + 0.1, 0.0, 1, 1e-10), i.lowerBound() + 0.1);
        VqArray<double> b;
        c->getSegParams(b);
        EXPECT_EQ(c->paramAtLength(i.lowerBound(), 2.0 * total + 1.0, 1, 1e-10), b.last());
        EXPECT_EQ(c->paramAtLength(i.upperBound(), 2.0 * total + 1.0, 0, 1e-10), b[0]);
        // A backward range across members measures nothing (within one member, the member
        // measures it as it does).
        if (c->numCurves() > 1) {
            EXPECT_EQ(c->length(i.upperBound(), i.lowerBound(), 1e-10), 0.0);
        }
        delete c;
    }
}

TEST(CompositeLength, Breaks_MemberOfUnmeasuredLength_CountsItsParameterSpan) {
    // A helix-like member whose length the base algorithms cannot give yet, or an arc of a
    // given radius: either way no member collapses onto one composite parameter.
    VqArray<void*> list;
    list.append(newSeg(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0)));
    list.append(new TestArc(VqGePoint3d(1, 1, 0), 1.0, -0.5 * M_PI, 0.0));
    VqGeImpCompositeCurve3d* c = ownedChain(list);
    VqArray<double> b;
    c->getSegParams(b);
    ASSERT_EQ(b.length(), 3);
    EXPECT_NEAR(b[2] - b[1], 0.5 * M_PI, 1e-9);
    delete c;
}

TEST(CompositeLength, Breaks_LineMemberInChain_UsesFiniteStandIn) {
    VqArray<void*> list;
    list.append(newSeg(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0)));
    list.append(new VqGeImpLinearEnt3d(VqGePoint3d(1, 0, 0), VqGeVector3d(0, 1, 0), 1, 0));  // ray
    VqGeImpCompositeCurve3d* c = ownedChain(list);
    VqArray<double> b;
    c->getSegParams(b);
    ASSERT_EQ(b.length(), 3);
    EXPECT_TRUE(std::isfinite(b[2]));
    EXPECT_GT(b[2], b[1]);
    EXPECT_TRUE(pointsNear(c->evalPoint(b[1] + 5.0), VqGePoint3d(1, 5, 0), 0, 1e-9));
    delete c;
    // One unbounded member: the composite is that line, with its parameters and interval.
    VqArray<void*> one;
    one.append(new VqGeImpLinearEnt3d(VqGePoint3d(0, 0, 0), VqGeVector3d(2, 0, 0), 0, 0));
    VqGeImpCompositeCurve3d* l = ownedChain(one);
    VqGeImpInterval i;
    l->getInterval(i, 0, 0);
    EXPECT_TRUE(i.isUnBounded());
    EXPECT_TRUE(pointsNear(l->evalPoint(-3e7), VqGePoint3d(-6e7, 0, 0), 0, 0));
    delete l;
}

}  // namespace

namespace {

// Evaluation over a long chain takes no memory once the point's cache holds its members.
TEST(CompositeEval, Evaluate_LongChain_NoAllocationPerCall) {
    std::mt19937 rng(1304);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    VqGeImpCompositeCurve3d* c = randomChain(rng, 100, 0, 0.0, 5.0);
    VqGeImpInterval i;
    c->getInterval(i, 0, 0);
    VqGeImpPointOnCurve3d poc(c);
    VqArray<VqGeVector3d> d(3, 8);
    VqArray<double> b;
    c->getSegParams(b);
    for (int k = 0; k + 1 < b.length(); ++k) poc.point(0.5 * (b[k] + b[k + 1]));  // fills the cache
    CountingHooks hooks;
    for (int k = 0; k < 1000; ++k) {
        const double g = i.lowerBound() + (i.upperBound() - i.lowerBound()) * u(rng);
        c->evalPoint(g);
        c->evalPoint(g, 3, d);
        poc.setParameter(g);
        poc.point();
        poc.deriv(2);
    }
    EXPECT_EQ(CountingHooks::allocs(), 0);
    delete c;
}

}  // namespace
