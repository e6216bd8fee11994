// Composite curve: reversal, transformation, closest points and the shape queries.
#include "composite_fixtures.h"

namespace {

VqGeImpCompositeCurve3d* square(double side, double z = 0.0) {
    VqArray<VqGePoint3d> p;
    p.append(VqGePoint3d(0, 0, z));
    p.append(VqGePoint3d(side, 0, z));
    p.append(VqGePoint3d(side, side, z));
    p.append(VqGePoint3d(0, side, z));
    p.append(VqGePoint3d(0, 0, z));
    return polyline(p);
}

TEST(CompositeReverse, ReverseParam_RandomChains_MirrorsPointsAndTwiceRestores) {
    std::mt19937 rng(1311);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int trial = 0; trial < 20; ++trial) {
        VqGeImpCompositeCurve3d* c = randomChain(rng, 1 + trial % 7, 1, 5e5, 300.0);
        VqGeImpCompositeCurve3d* before = c->copy();
        VqArray<double> b0;
        c->getSegParams(b0);
        VqArray<void*> m0;
        c->getCurveList(m0);
        c->reverseParam();
        VqArray<double> b1;
        c->getSegParams(b1);
        const int n = b0.length() - 1;
        // A chain keeps its breaks mirrored; a single member reverses its own parameters.
        for (int k = 0; k < 15; ++k) {
            const double g = b0[0] + (b0[n] - b0[0]) * u(rng);
            const double mirrored = b1[0] + (b0[n] - g) * (b1[n] - b1[0]) / (b0[n] - b0[0]);
            EXPECT_TRUE(pointsNear(c->evalPoint(mirrored), before->evalPoint(g), 1e-12, 1e-9));
        }
        c->reverseParam();
        VqArray<double> b2;
        c->getSegParams(b2);
        VqArray<void*> m2;
        c->getCurveList(m2);
        ASSERT_EQ(b2.length(), b0.length());
        for (int k = 0; k <= n; ++k) EXPECT_NEAR(b2[k], b0[k], 1e-9 * (1.0 + std::fabs(b0[k])));
        for (int k = 0; k < m0.length(); ++k) EXPECT_EQ(m2[k], m0[k]);
        EXPECT_TRUE(c->isEqualTo(*before, VqGeContext::gTol));
        delete before;
        delete c;
    }
}

TEST(CompositeReverse, ReverseParam_SubInterval_KeepsCoveringTheSameStretch) {
    VqGeImpCompositeCurve3d* c = square(2.0);
    c->setInterval(VqGeImpInterval(1.0, 3.0), 1);
    const VqGePoint3d s = c->evalPoint(1.0), e = c->evalPoint(3.0);
    c->reverseParam();
    VqGeImpInterval i;
    c->getInterval(i, 0, 0);
    EXPECT_NEAR(i.lowerBound(), 5.0, 1e-12);
    EXPECT_NEAR(i.upperBound(), 7.0, 1e-12);
    EXPECT_TRUE(pointsNear(c->evalPoint(7.0), s, 0, 1e-12));
    EXPECT_TRUE(pointsNear(c->evalPoint(5.0), e, 0, 1e-12));
    delete c;
}

TEST(CompositeTransform, TransformBy_Scaling_ScalesBreaksAndMovesPoints) {
    std::mt19937 rng(1312);
    VqGeImpCompositeCurve3d* c = randomChain(rng, 6, 1, 100.0, 20.0);
    VqGeImpCompositeCurve3d* before = c->copy();
    const VqGeMatrix3d m = VqGeMatrix3d::scaling(2.5, VqGePoint3d(3, 1, 0)) *
                           VqGeMatrix3d::rotation(0.4, VqGeVector3d::kZAxis, VqGePoint3d(1, 1, 1));
    c->transformBy(m);
    VqArray<double> b0, b1;
    before->getSegParams(b0);
    c->getSegParams(b1);
    for (int k = 0; k < b0.length(); ++k) EXPECT_NEAR(b1[k], 2.5 * b0[k], 1e-9 * b1.last());
    for (int k = 0; k <= 30; ++k) {
        const double g = b0.last() * k / 30.0;
        VqGePoint3d p = before->evalPoint(g);
        p.transformBy(m);
        EXPECT_TRUE(pointsNear(c->evalPoint(2.5 * g), p, 1e-12, 1e-9));
    }
    // Scaled breaks are still the members' lengths under a similarity.
    for (int i = 0; i < c->numCurves(); ++i) {
        VqGeImpInterval mi;
        c->curveAt(i)->getInterval(mi, 0, 0);
        EXPECT_NEAR(b1[i + 1] - b1[i],
                    c->curveAt(i)->length(mi.lowerBound(), mi.upperBound(), 1e-9),
                    1e-7 * b1.last());
    }
    delete before;
    delete c;
}

TEST(CompositeTransform, TransformBy_OneMember_BreaksStayMemberInterval) {
    VqArray<void*> one;
    one.append(newSeg(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 1, 0)));
    VqGeImpCompositeCurve3d* c = ownedChain(one);
    c->transformBy(VqGeMatrix3d::scaling(3.0, VqGePoint3d::kOrigin));
    VqArray<double> b;
    c->getSegParams(b);
    EXPECT_EQ(b[0], 0.0);
    EXPECT_EQ(b[1], 1.0);
    EXPECT_TRUE(pointsNear(c->evalPoint(1.0), VqGePoint3d(3, 3, 0), 0, 1e-14));
    delete c;
}

// Two routes to the closest point: the composite's search, and the best of all members'.
TEST(CompositeClosest, GetClosestPointTo_RandomPoints_MatchesBestMember) {
    std::mt19937 rng(1313);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int trial = 0; trial < 20; ++trial) {
        VqGeImpCompositeCurve3d* c = randomChain(rng, 2 + trial % 6, 1, 1e6, 1e3);
        VqGePoint3d start;
        c->hasStartPoint(start);
        for (int k = 0; k < 20; ++k) {
            const VqGePoint3d q = start + VqGeVector3d(u(rng), u(rng), 0.1 * u(rng)) * 3e3;
            VqGeImpPointOnCurve3d poc(c);
            c->getClosestPointTo(q, poc, VqGeContext::gTol);
            double best = 1e300;
            for (int i = 0; i < c->numCurves(); ++i) {
                VqGeImpPointOnCurve3d w(c->curveAt(i));
                c->curveAt(i)->getClosestPointTo(q, w, VqGeContext::gTol);
                const double d = w.point().distanceTo(q);
                if (d < best) best = d;
            }
            EXPECT_EQ(poc.curve(), c);
            EXPECT_NEAR(poc.point().distanceTo(q), best, 1e-9 * best + 1e-9);
            // The reported parameter gives the reported point.
            EXPECT_TRUE(pointsNear(c->evalPoint(poc.parameter()), poc.point(), 1e-12, 1e-6));
        }
        delete c;
    }
}

TEST(CompositeClosest, GetClosestPointTo_EqualDistances_EarlierMemberWins) {
    VqArray<VqGePoint3d> p;
    p.append(VqGePoint3d(0, 0, 0));
    p.append(VqGePoint3d(2, 0, 0));
    p.append(VqGePoint3d(4, 0, 0));
    VqGeImpCompositeCurve3d* c = polyline(p);
    c->reverseParam();
    VqGeImpCompositeCurve3d* d = polyline(p);
    // (1, 1) and (3, 1) are as far from both members' nearest points only at the joint: put the
    // query above the joint, so both members reach the same point (2, 0).
    VqGeImpPointOnCurve3d poc(d);
    d->getClosestPointTo(VqGePoint3d(2, 5, 0), poc, VqGeContext::gTol);
    EXPECT_NEAR(poc.parameter(), 2.0, 1e-15);
    // A point equally far from two separate stretches: the first member's answer is kept.
    VqArray<VqGePoint3d> v;
    v.append(VqGePoint3d(-1, 1, 0));
    v.append(VqGePoint3d(0, 0, 0));
    v.append(VqGePoint3d(1, 1, 0));
    VqGeImpCompositeCurve3d* vee = polyline(v);
    vee->getClosestPointTo(VqGePoint3d(-0.5, 2.5, 0), poc, VqGeContext::gTol);
    EXPECT_LT(poc.parameter(), std::sqrt(2.0));
    VqGeImpCompositeCurve3d* wide = polyline(v);
    wide->getClosestPointTo(VqGePoint3d(0, 3, 0), poc, VqGeContext::gTol);
    EXPECT_NEAR(poc.parameter(), 0.0, 1e-12);  // (-1, 1) and (1, 1) tie: the first member's
    delete wide;
    delete vee;
    delete c;
    delete d;
}

TEST(CompositeClosest, GetClosestPointTo_Segment_BestPairAmongMembers) {
    VqGeImpCompositeCurve3d* c = square(4.0);
    VqGeImpLinearEnt3d seg(VqGePoint3d(6, 1, 0), VqGePoint3d(9, 3, 0), 1, 1);
    VqGeImpPointOnCurve3d a(c), b(&seg);
    c->getClosestPointTo(seg, a, b, VqGeContext::gTol);
    EXPECT_TRUE(pointsNear(a.point(), VqGePoint3d(4, 1, 0), 0, 1e-12));
    EXPECT_TRUE(pointsNear(b.point(), VqGePoint3d(6, 1, 0), 0, 1e-12));
    EXPECT_NEAR(a.parameter(), 5.0, 1e-12);
    // The segment asks the composite (the pair is not linear-linear) and gets the same pair.
    VqGePoint3d onComposite;
    const VqGePoint3d onSeg = seg.closestPointTo(*c, onComposite, VqGeContext::gTol);
    EXPECT_TRUE(pointsNear(onSeg, VqGePoint3d(6, 1, 0), 0, 1e-12));
    EXPECT_TRUE(pointsNear(onComposite, VqGePoint3d(4, 1, 0), 0, 1e-12));
    delete c;
}

TEST(CompositeShape, IsClosed_SquareAndSubInterval) {
    VqGeImpCompositeCurve3d* c = square(3.0);
    EXPECT_TRUE(c->isClosed(VqGeContext::gTol));
    c->setInterval(VqGeImpInterval(0.0, 11.0), 0);
    EXPECT_FALSE(c->isClosed(VqGeContext::gTol));
    c->setInterval();
    EXPECT_TRUE(c->isClosed(VqGeContext::gTol));
    delete c;
    VqArray<VqGePoint3d> p;
    p.append(VqGePoint3d(0, 0, 0));
    p.append(VqGePoint3d(1, 0, 0));
    VqGeImpCompositeCurve3d* open = polyline(p);
    EXPECT_FALSE(open->isClosed(VqGeContext::gTol));
    delete open;
}

TEST(CompositeShape, IsLinear_ColinearChainAndBend) {
    VqArray<VqGePoint3d> p;
    p.append(VqGePoint3d(1e7, 1e7, 5));
    p.append(VqGePoint3d(1e7 + 3, 1e7 + 6, 5));
    p.append(VqGePoint3d(1e7 + 4, 1e7 + 8, 5));
    VqGeImpCompositeCurve3d* c = polyline(p);
    VqGeImpLinearEnt3d line;
    EXPECT_TRUE(c->isLinear(line, VqGeContext::gTol));
    EXPECT_TRUE(line.isOn(VqGePoint3d(1e7 + 8, 1e7 + 16, 5), VqGeContext::gTol));
    VqGeImpPlanarEnt pln;
    const VqGeImpPlanarEnt untouched = pln;
    EXPECT_TRUE(c->isPlanar(pln, VqGeContext::gTol));  // colinear lines: plane left as it was
    EXPECT_TRUE(pln.isEqualTo(untouched, VqGeContext::gTol));
    delete c;
    p.append(VqGePoint3d(1e7 + 4, 1e7 + 9, 5));
    VqGeImpCompositeCurve3d* bent = polyline(p);
    EXPECT_FALSE(bent->isLinear(line, VqGeContext::gTol));
    delete bent;
}

TEST(CompositeShape, IsPlanar_LinesArcsAndFailures) {
    // A tilted square: the plane comes from its first two sides.
    VqGeImpCompositeCurve3d* sq = square(2.0, 7.0);
    sq->transformBy(VqGeMatrix3d::rotation(0.3, VqGeVector3d(1, 1, 0), VqGePoint3d(1, 2, 3)));
    VqGeImpPlanarEnt pln;
    ASSERT_TRUE(sq->isPlanar(pln, VqGeContext::gTol));
    for (int k = 0; k <= 8; ++k) EXPECT_TRUE(pln.isOn(sq->evalPoint(k), VqGeContext::gTol));
    delete sq;
    // A line followed by an arc whose plane holds it; then one whose plane does not.
    VqArray<void*> ok;
    ok.append(newSeg(VqGePoint3d(-1, -1, 0), VqGePoint3d(1, -1, 0)));
    ok.append(new TestArc(VqGePoint3d(1, 0, 0), 1.0, -0.5 * M_PI, 0.5 * M_PI));
    VqGeImpCompositeCurve3d* good = ownedChain(ok);
    EXPECT_TRUE(good->isPlanar(pln, VqGeContext::gTol));
    EXPECT_TRUE(pln.normal().isParallelTo(VqGeVector3d::kZAxis));
    delete good;
    VqArray<void*> bad;
    bad.append(newSeg(VqGePoint3d(1, -1, -1), VqGePoint3d(1, -1, 0)));
    bad.append(new TestArc(VqGePoint3d(1, 0, 0), 1.0, -0.5 * M_PI, 0.5 * M_PI));
    VqGeImpCompositeCurve3d* off = ownedChain(bad);
    EXPECT_FALSE(off->isPlanar(pln, VqGeContext::gTol));
    delete off;
    // Two skew segments: not planar. Two parallel ones: the plane through both.
    VqArray<void*> skew;
    skew.append(newSeg(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0)));
    skew.append(newSeg(VqGePoint3d(1, 0, 0), VqGePoint3d(1, 0, 0.5)));
    skew.append(newSeg(VqGePoint3d(1, 0, 0.5), VqGePoint3d(1, 1, 0.5)));
    VqGeImpCompositeCurve3d* s = ownedChain(skew);
    EXPECT_FALSE(s->isPlanar(pln, VqGeContext::gTol));
    delete s;
    VqArray<void*> par;
    par.append(newSeg(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0)));
    par.append(newSeg(VqGePoint3d(1, 0, 1), VqGePoint3d(0, 0, 1)));
    VqGeImpCompositeCurve3d* pp = ownedChain(par);
    ASSERT_TRUE(pp->isPlanar(pln, VqGeContext::gTol));
    EXPECT_TRUE(pln.isOn(VqGePoint3d(0.5, 0, 1), VqGeContext::gTol));
    EXPECT_TRUE(pln.isOn(VqGePoint3d(0.5, 0, 0), VqGeContext::gTol));
    delete pp;
}

TEST(CompositeShape, IsEqualTo_SameMembersInOrderOnly) {
    VqGeImpCompositeCurve3d* a = square(2.0);
    VqGeImpCompositeCurve3d* b = a->copy();
    EXPECT_TRUE(a->isEqualTo(*b, VqGeContext::gTol));
    b->setInterval(VqGeImpInterval(0.0, 7.0), 1);
    EXPECT_FALSE(a->isEqualTo(*b, VqGeContext::gTol));
    b->setInterval();
    b->reverseParam();
    EXPECT_FALSE(a->isEqualTo(*b, VqGeContext::gTol));
    VqGeImpLinearEnt3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0), 1, 1);
    EXPECT_FALSE(a->isEqualTo(seg, VqGeContext::gTol));
    delete a;
    delete b;
}

TEST(CompositeShape, IsDegenerate_OnlyWhenEveryMemberIs) {
    VqGeImpCompositeCurve3d* c = square(1.0);
    VqGe::EntityId id;
    EXPECT_FALSE(c->isDegenerate(id, VqGeContext::gTol));
    VqGeImpEntity3d* e = reinterpret_cast<VqGeImpEntity3d*>(1);
    EXPECT_FALSE(c->isDegenerate(e, VqGeContext::gTol));
    EXPECT_EQ(e, nullptr);
    // Members shorter than a loose tolerance degenerate under it.
    VqGeTol loose;
    loose.setEqualPoint(10.0);
    loose.setEqualVector(10.0);
    EXPECT_TRUE(c->isDegenerate(id, loose));
    EXPECT_EQ(id, VqGe::kPosition3d);
    ASSERT_TRUE(c->isDegenerate(e, loose));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->type(1), VqGe::kPosition3d);
    EXPECT_TRUE(e->isOn(VqGePoint3d(0, 0, 0), VqGeContext::gTol));
    delete e;
    delete c;
}

TEST(CompositeProject, Project_TiltedOutline_LandsOnPlaneAndDropsPoints) {
    VqArray<VqGePoint3d> p;
    p.append(VqGePoint3d(0, 0, 5));
    p.append(VqGePoint3d(3, 0, 9));
    p.append(VqGePoint3d(3, 0, 12));  // seen along z this side is a point
    p.append(VqGePoint3d(3, 4, 1));
    VqGeImpCompositeCurve3d* c = polyline(p);
    VqGeImpEntity3d* e =
        c->project(VqGeImpPlanarEnt::kXYPlane, VqGeVector3d::kZAxis, VqGeContext::gTol);
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(e->isKindOf(VqGe::kCompositeCurve3d, 0));
    VqGeImpCompositeCurve3d* q = static_cast<VqGeImpCompositeCurve3d*>(e);
    EXPECT_EQ(q->numCurves(), 2);
    VqGeImpInterval i;
    q->getInterval(i, 0, 0);
    EXPECT_NEAR(i.upperBound(), 7.0, 1e-12);
    EXPECT_TRUE(pointsNear(q->evalPoint(3.0), VqGePoint3d(3, 0, 0), 0, 1e-12));
    delete q;  // the projected members go with it
    delete c;
}

// The fixed normal (0, 0, -1): a counter-clockwise outline seen from +z has a negative area.
TEST(CompositeArea, Area_SquareAndHalfDisk_SignedByFixedNormal) {
    VqGeImpCompositeCurve3d* c = square(3.0);
    double a = 0.0;
    ASSERT_TRUE(c->area(0.0, 12.0, a, VqGeContext::gTol));
    EXPECT_NEAR(a, -9.0, 1e-9);
    ASSERT_TRUE(c->area(12.0, 0.0, a, VqGeContext::gTol));
    EXPECT_NEAR(a, 9.0, 1e-9);
    EXPECT_FALSE(c->area(-1.0, 12.0, a, VqGeContext::gTol));
    EXPECT_TRUE(c->area(0.0, 3.0, a, VqGeContext::gTol));  // one side through the centre
    EXPECT_NEAR(a, 0.0, 1e-12);
    delete c;
    // Diameter then half circle (radius 2): the half disk, pi r^2 / 2.
    VqArray<void*> list;
    list.append(newSeg(VqGePoint3d(-2, 5, 0), VqGePoint3d(2, 5, 0)));
    list.append(new TestArc(VqGePoint3d(0, 5, 0), 2.0, 0.0, M_PI));
    VqGeImpCompositeCurve3d* d = ownedChain(list);
    VqGeImpInterval i;
    d->getInterval(i, 0, 0);
    ASSERT_TRUE(d->area(i.lowerBound(), i.upperBound(), a, VqGeContext::gTol));
    EXPECT_NEAR(a, -2.0 * M_PI, 1e-7);
    delete d;
}

TEST(CompositeExternal, GetExternalEntity_WithoutExtension_Null) {
    VqGeImpCompositeCurve3d* c = square(1.0);
    EXPECT_EQ(c->getExternalEntity(), nullptr);
    EXPECT_EQ(c->smooth(0.0, VqGeContext::gTol), 0);  // no arc members to reshape
    delete c;
}

}  // namespace
