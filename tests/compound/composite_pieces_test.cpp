// Composite curve: members over a range, explosion, splitting, bounding blocks, and the
// links to the members (ownership, edits and deletions reaching the composite).
#include "composite_fixtures.h"

namespace {

// Segments of lengths 2, 3 and 4 along x from the origin: breaks 0, 2, 5, 9.
VqGeImpCompositeCurve3d* straight234() {
    VqArray<VqGePoint3d> p;
    p.append(VqGePoint3d(0, 0, 0));
    p.append(VqGePoint3d(2, 0, 0));
    p.append(VqGePoint3d(2, 3, 0));
    p.append(VqGePoint3d(6, 3, 0));
    return polyline(p);
}

void freePieces(VqArray<void*>& curves, VqArray<int>& isNew) {
    for (int i = 0; i < curves.length(); ++i)
        if (isNew[i]) delete static_cast<VqGeImpCurve3d*>(curves[i]);
}

TEST(CompositePieces, GetIntervalCurves_RangesInsideAndOnJoints) {
    VqGeImpCompositeCurve3d* c = straight234();
    VqArray<void*> curves;
    VqGeImpInterval f, l;
    VqGePoint3d p1, p2, p3, p4;
    c->getIntervalCurves(VqGeImpInterval(1.0, 6.0), curves, f, l, p1, p2, p3, p4,
                         VqGeContext::gTol);
    ASSERT_EQ(curves.length(), 3);
    EXPECT_NEAR(f.lowerBound(), 0.5, 1e-15);
    EXPECT_NEAR(f.upperBound(), 1.0, 1e-15);
    EXPECT_NEAR(l.upperBound(), 0.25, 1e-15);
    EXPECT_TRUE(pointsNear(p1, VqGePoint3d(1, 0, 0), 0, 1e-15));
    EXPECT_TRUE(pointsNear(p2, VqGePoint3d(0, 0, 0), 0, 1e-15));
    EXPECT_TRUE(pointsNear(p3, VqGePoint3d(3, 3, 0), 0, 1e-15));
    EXPECT_TRUE(pointsNear(p4, VqGePoint3d(6, 3, 0), 0, 1e-15));
    // Starting on a joint: the member ending there takes no part.
    c->getIntervalCurves(VqGeImpInterval(2.0, 5.0), curves, f, l, p1, p2, p3, p4,
                         VqGeContext::gTol);
    ASSERT_EQ(curves.length(), 1);
    EXPECT_EQ(curves[0], c->curveAt(1));
    EXPECT_EQ(f.lowerBound(), 0.0);
    EXPECT_EQ(f.upperBound(), 1.0);
    // One member only, from inside to inside.
    c->getIntervalCurves(VqGeImpInterval(2.5, 3.5), curves, f, l, p1, p2, p3, p4,
                         VqGeContext::gTol);
    ASSERT_EQ(curves.length(), 1);
    EXPECT_NEAR(f.lowerBound(), 0.5 / 3.0, 1e-15);
    EXPECT_NEAR(f.upperBound(), 1.5 / 3.0, 1e-15);
    EXPECT_EQ(f.lowerBound(), l.lowerBound());
    EXPECT_EQ(f.upperBound(), l.upperBound());
    delete c;
}

// Regression: a range that starts at the very end of the chain must not wrap round to the
// first member and hand back the whole chain.
TEST(CompositePieces, GetIntervalCurves_RangeAtChainEnd_NoWrapToWholeChain) {
    VqGeImpCompositeCurve3d* c = straight234();
    VqArray<void*> curves;
    VqGeImpInterval f, l;
    VqGePoint3d p1, p2, p3, p4;
    c->getIntervalCurves(VqGeImpInterval(9.0, 9.0), curves, f, l, p1, p2, p3, p4,
                         VqGeContext::gTol);
    EXPECT_EQ(curves.length(), 0);
    c->getIntervalCurves(VqGeImpInterval(0.0, 0.0), curves, f, l, p1, p2, p3, p4,
                         VqGeContext::gTol);
    EXPECT_EQ(curves.length(), 0);
    delete c;
}

// Regression: a closed member (start and end coincide) starting the range must stay.
TEST(CompositePieces, GetIntervalCurves_ClosedMember_KeptAtItsStart) {
    VqArray<void*> list;
    list.append(new TestArc(VqGePoint3d(0, 0, 0), 1.0, 0.0, 2.0 * M_PI));
    list.append(newSeg(VqGePoint3d(1, 0, 0), VqGePoint3d(3, 0, 0)));
    VqGeImpCompositeCurve3d* c = ownedChain(list);
    VqGeImpInterval i;
    c->getInterval(i, 0, 0);
    VqArray<void*> curves;
    VqGeImpInterval f, l;
    VqGePoint3d p1, p2, p3, p4;
    c->getIntervalCurves(i, curves, f, l, p1, p2, p3, p4, VqGeContext::gTol);
    ASSERT_EQ(curves.length(), 2);
    EXPECT_EQ(curves[0], c->curveAt(0));
    delete c;
}

TEST(CompositePieces, Explode_RangeStartingInsideFirstMember_FirstPieceRestricted) {
    VqGeImpCompositeCurve3d* c = straight234();
    VqArray<void*> curves;
    VqArray<int> isNew;
    const VqGeImpInterval range(1.0, 9.0);
    EXPECT_EQ(c->explode(curves, isNew, &range), 1);
    ASSERT_EQ(curves.length(), 3);
    EXPECT_EQ(isNew[0], 1);
    EXPECT_EQ(isNew[1], 0);
    EXPECT_EQ(isNew[2], 0);
    const VqGeImpCurve3d* first = static_cast<VqGeImpCurve3d*>(curves[0]);
    VqGePoint3d s, e;
    EXPECT_TRUE(first->hasStartPoint(s));
    EXPECT_TRUE(first->hasEndPoint(e));
    EXPECT_TRUE(pointsNear(s, VqGePoint3d(1, 0, 0), 0, 1e-15));
    EXPECT_TRUE(pointsNear(e, VqGePoint3d(2, 0, 0), 0, 1e-15));
    EXPECT_EQ(curves[1], c->curveAt(1));
    freePieces(curves, isNew);
    // The whole interval: the members themselves.
    c->explode(curves, isNew, nullptr);
    ASSERT_EQ(curves.length(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(isNew[i], 0);
        EXPECT_EQ(curves[i], c->curveAt(i));
    }
    delete c;
}

// Pieces of a random range, laid end to end, run along the composite over that range.
TEST(CompositePieces, Explode_RandomRanges_PiecesFollowTheRange) {
    std::mt19937 rng(1321);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int trial = 0; trial < 20; ++trial) {
        VqGeImpCompositeCurve3d* c = randomChain(rng, 3 + trial % 5, 1, 2e6, 50.0);
        VqArray<double> b;
        c->getSegParams(b);
        double g0 = b.last() * u(rng), g1 = b.last() * u(rng);
        if (g0 > g1) std::swap(g0, g1);
        const VqGeImpInterval range(g0, g1);
        VqArray<void*> curves;
        VqArray<int> isNew;
        c->explode(curves, isNew, &range);
        double total = 0.0;
        for (int i = 0; i < curves.length(); ++i) {
            const VqGeImpCurve3d* p = static_cast<VqGeImpCurve3d*>(curves[i]);
            VqGeImpInterval pi;
            p->getInterval(pi, 0, 0);
            total += p->length(pi.lowerBound(), pi.upperBound(), 1e-10);
        }
        EXPECT_NEAR(total, c->length(g0, g1, 1e-10), 1e-7 * (1.0 + total));
        if (!curves.isEmpty()) {
            VqGePoint3d s, e;
            static_cast<VqGeImpCurve3d*>(curves[0])->hasStartPoint(s);
            static_cast<VqGeImpCurve3d*>(curves.last())->hasEndPoint(e);
            EXPECT_TRUE(pointsNear(s, c->evalPoint(g0), 1e-12, 1e-6));
            EXPECT_TRUE(pointsNear(e, c->evalPoint(g1), 1e-12, 1e-6));
        }
        freePieces(curves, isNew);
        delete c;
    }
}

TEST(CompositePieces, GetSplitCurves_InsideAndOnBounds) {
    VqGeImpCompositeCurve3d* c = straight234();
    VqGeImpCurve3d* a = nullptr;
    VqGeImpCurve3d* b = nullptr;
    c->getSplitCurves(0.0, a, b);
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(b, nullptr);
    c->getSplitCurves(9.5, a, b);
    EXPECT_EQ(a, nullptr);
    c->getSplitCurves(std::nan(""), a, b);
    EXPECT_EQ(a, nullptr);
    c->getSplitCurves(3.5, a, b);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->type(1), VqGe::kCompositeCurve3d);
    VqGeImpInterval ia, ib;
    a->getInterval(ia, 0, 0);
    b->getInterval(ib, 0, 0);
    EXPECT_EQ(ia.lowerBound(), 0.0);
    EXPECT_EQ(ia.upperBound(), 3.5);
    EXPECT_EQ(ib.lowerBound(), 3.5);
    EXPECT_EQ(ib.upperBound(), 9.0);
    VqGePoint3d e, s;
    a->hasEndPoint(e);
    b->hasStartPoint(s);
    EXPECT_TRUE(pointsNear(e, VqGePoint3d(2, 1.5, 0), 0, 1e-15));
    EXPECT_TRUE(pointsNear(s, e, 0, 0));
    EXPECT_NEAR(a->length(0, 3.5, 1e-10) + b->length(3.5, 9, 1e-10), 9.0, 1e-12);
    delete a;
    delete b;
    delete c;
}

TEST(CompositePieces, BoundBlock_RandomChains_HoldsTheCurve) {
    std::mt19937 rng(1322);
    for (int trial = 0; trial < 12; ++trial) {
        VqGeImpCompositeCurve3d* c = randomChain(rng, 2 + trial % 6, 1, 3e7, 400.0);
        VqGeImpInterval i;
        c->getInterval(i, 0, 0);
        for (int oriented = 0; oriented < 2; ++oriented) {
            const VqGeImpBoundBlock3d blk = c->boundBlock(3, i, oriented);
            EXPECT_EQ(blk.isBox(), oriented ? 0 : 1);
            for (int k = 0; k <= 200; ++k) {
                const double g = i.lowerBound() + (i.upperBound() - i.lowerBound()) * k / 200.0;
                EXPECT_TRUE(blk.contains(c->evalPoint(g), 1e-6)) << oriented << " " << k;
            }
        }
        // A part of the range has a block no larger than the whole.
        const double mid = 0.5 * (i.lowerBound() + i.upperBound());
        VqGePoint3d lo1, hi1, lo2, hi2;
        c->boundBlock(3, i, 0).getMinMaxPoints(lo1, hi1);
        c->boundBlock(3, VqGeImpInterval(i.lowerBound(), mid), 0).getMinMaxPoints(lo2, hi2);
        EXPECT_LE(lo1.x, lo2.x);
        EXPECT_GE(hi1.x, hi2.x);
        delete c;
    }
}

TEST(CompositeLinks, Set_SharedMembers_LinkedAndSurviveTheComposite) {
    VqGeImpLinearEnt3d a(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0), 1, 1);
    VqGeImpLinearEnt3d b(VqGePoint3d(1, 0, 0), VqGePoint3d(1, 1, 0), 1, 1);
    {
        VqArray<void*> list;
        list.append(&a);
        list.append(&b);
        VqGeImpCompositeCurve3d c(list, 1);
        EXPECT_TRUE(c.linked(&a, VqGeImpCompositeCurve3d::kMemberLink));
        EXPECT_EQ(a.numOwners(VqGeImpCompositeCurve3d::kMemberLink), 1);
        // Re-setting with one of them drops the other's link only.
        VqArray<void*> one;
        one.append(&b);
        c.set(one, 1);
        EXPECT_FALSE(c.linked(&a, VqGeImpCompositeCurve3d::kMemberLink));
        EXPECT_TRUE(c.linked(&b, VqGeImpCompositeCurve3d::kMemberLink));
    }
    EXPECT_EQ(b.numOwners(VqGeImpCompositeCurve3d::kMemberLink), 0);
    EXPECT_TRUE(pointsNear(b.endPoint(), VqGePoint3d(1, 1, 0), 0, 0));
}

TEST(CompositeLinks, MemberEdited_BreaksFollowAndDependantsHear) {
    VqGeImpLinearEnt3d a(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0), 1, 1);
    TestArc arc(VqGePoint3d(1, 1, 0), 1.0, -0.5 * M_PI, 0.0);
    VqArray<void*> list;
    list.append(&a);
    list.append(&arc);
    VqGeImpCompositeCurve3d c(list, 1);
    VqGeImpPointOnCurve3d poc(&c, 1.5);
    const VqGePoint3d before = poc.point();
    a.set(VqGePoint3d(0, 0, 0), VqGePoint3d(4, 0, 0), 1, 1);
    VqArray<double> b;
    c.getSegParams(b);
    EXPECT_NEAR(b[1], 4.0, 1e-15);
    EXPECT_NEAR(b[2], 4.0 + 0.5 * M_PI, 1e-9);
    const VqGePoint3d after = poc.point();  // the cached point was dropped
    EXPECT_TRUE(pointsNear(after, VqGePoint3d(1.5, 0, 0), 0, 1e-15));
    EXPECT_FALSE(pointsNear(after, before, 0, 1e-6));
    arc.setRadius(2.0);
    c.getSegParams(b);
    EXPECT_NEAR(b[2], 4.0 + M_PI, 1e-9);
    arc.setInterval(VqGeImpInterval(-0.5 * M_PI, 0.5 * M_PI), 1);
    c.getSegParams(b);
    EXPECT_NEAR(b[2], 4.0 + 2.0 * M_PI, 1e-9);
}

TEST(CompositeLinks, MemberDeleted_DroppedFromChain) {
    VqGeImpLinearEnt3d* a = newSeg(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0));
    VqGeImpLinearEnt3d* b = newSeg(VqGePoint3d(1, 0, 0), VqGePoint3d(1, 2, 0));
    VqGeImpLinearEnt3d* d = newSeg(VqGePoint3d(1, 2, 0), VqGePoint3d(4, 2, 0));
    VqArray<void*> list;
    list.append(a);
    list.append(b);
    list.append(d);
    VqGeImpCompositeCurve3d c(list, 1);
    VqGeImpPointOnCurve3d poc(&c, 2.0);
    EXPECT_TRUE(pointsNear(poc.point(), VqGePoint3d(1, 1, 0), 0, 1e-15));
    delete b;
    ASSERT_EQ(c.numCurves(), 2);
    EXPECT_EQ(c.curveAt(1), d);
    VqArray<double> br;
    c.getSegParams(br);
    EXPECT_NEAR(br[2], 4.0, 1e-15);
    EXPECT_TRUE(pointsNear(poc.point(), VqGePoint3d(2, 2, 0), 0, 1e-15));
    delete a;
    delete d;
    EXPECT_EQ(c.numCurves(), 0);
    EXPECT_TRUE(pointsNear(c.evalPoint(1.0), VqGePoint3d(), 0, 0));
}

// Handed-over members, copies and projections leave nothing behind.
TEST(CompositeLinks, Ownership_HandedOverCopiedAndSplit_NoLeaks) {
    CountingHooks hooks;
    {
        std::mt19937 rng(1323);
        VqGeImpCompositeCurve3d* c = randomChain(rng, 7, 1, 0.0, 3.0);
        VqGeImpCompositeCurve3d* copy = c->copy();
        VqGeImpCompositeCurve3d assigned;
        assigned = *c;  // shares c's members
        EXPECT_EQ(assigned.curveAt(0), c->curveAt(0));
        EXPECT_NE(copy->curveAt(0), c->curveAt(0));
        VqGeImpCurve3d* p1 = nullptr;
        VqGeImpCurve3d* p2 = nullptr;
        c->getSplitCurves(2.0, p1, p2);
        VqArray<void*> outer;
        outer.append(c);
        outer.append(copy);
        VqArray<int> flags;
        flags.append(1);
        flags.append(1);
        VqGeImpCompositeCurve3d* nested = new VqGeImpCompositeCurve3d(outer, flags, 1);
        EXPECT_EQ(nested->numCurves(), 14);
        delete p1;
        delete p2;
        delete nested;                       // c and copy were handed over and flattened away
        EXPECT_EQ(assigned.numCurves(), 7);  // the shared members wait on assigned
        VqGeImpPointOnCurve3d poc(&assigned, 1.0);
        EXPECT_TRUE(std::isfinite(poc.point().x));
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(CompositeLinks, Ownership_FailingAllocations_NoCrashNoLeak) {
    for (long fail = 0; fail < 60; ++fail) {
        CountingHooks hooks;
        {
            VqArray<void*> list;
            VqGeImpLinearEnt3d a(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0), 1, 1);
            VqGeImpLinearEnt3d b(VqGePoint3d(1, 0, 0), VqGePoint3d(1, 1, 0), 1, 1);
            CountingHooks::failAfter() = fail;
            list.append(&a);
            list.append(&b);
            VqGeImpCompositeCurve3d* c = new VqGeImpCompositeCurve3d(list, 1);
            if (c) {
                VqGeImpCompositeCurve3d* d = c->copy();
                VqGeImpPointOnCurve3d poc(c, 1.5);
                poc.point();
                delete d;
                delete c;
            }
            CountingHooks::failAfter() = -1;
        }
        EXPECT_EQ(hooks.outstanding(), 0) << fail;
    }
}

}  // namespace
