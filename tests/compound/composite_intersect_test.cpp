// Composite curve: intersections by member pairs, joints, overlaps and ranges of one chain.
#include "composite_fixtures.h"
#include "vqge_curveintdata.h"

namespace {

const VqGeVector3d kUp(0, 0, 1);

VqGeImpCompositeCurve3d* through(std::initializer_list<VqGePoint3d> pts) {
    VqArray<VqGePoint3d> p;
    for (const VqGePoint3d& q : pts) p.append(q);
    return polyline(p);
}

// The distinct points that the members of c report with other, one by one.
void memberByMember(const VqGeImpCompositeCurve3d& c, const VqGeImpCurve3d& other,
                    VqArray<VqGePoint3d>& pts) {
    pts.removeAll();
    for (int i = 0; i < c.numCurves(); ++i) {
        VqGeCurveIntData d;
        c.curveAt(i)->intersectWith(other, kUp, d, VqGeContext::gTol);
        for (int k = 0; k < d.numIntPoints(); ++k) {
            int seen = 0;
            for (int j = 0; j < pts.length(); ++j) seen |= pts[j].isEqualTo(d.intPnt(k), VqGeTol());
            if (!seen) pts.append(d.intPnt(k));
        }
    }
}

void checkHits(const VqGeImpCompositeCurve3d& c, const VqGeImpCurve3d& other,
               const VqGeCurveIntData& d) {
    for (int k = 0; k < d.numIntPoints(); ++k) {
        double g1, g2;
        d.getIntParams(k, g1, g2);
        EXPECT_TRUE(pointsNear(const_cast<VqGeImpCompositeCurve3d&>(c).evalPoint(g1), d.intPnt(k),
                               1e-12, 1e-7));
        EXPECT_TRUE(
            pointsNear(const_cast<VqGeImpCurve3d&>(other).evalPoint(g2), d.intPnt(k), 1e-12, 1e-7));
    }
}

// Two routes: the composite's intersection against the members' own, pair by pair.
TEST(CompositeIntersect, IntersectWith_RandomPolylinesAndSegments_MatchesMembers) {
    std::mt19937 rng(1331);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    int total = 0;
    for (int trial = 0; trial < 60; ++trial) {
        const double scale = trial % 2 ? 1e5 : 3.0;
        const VqGeVector3d shift(trial % 3 ? 1e7 : 0.0, -2e6, 0.0);
        VqArray<VqGePoint3d> p;
        for (int k = 0; k < 3 + trial % 8; ++k)
            p.append(VqGePoint3d(u(rng), u(rng), 0) * scale + shift);
        VqGeImpCompositeCurve3d* c = polyline(p);
        const VqGeImpLinearEnt3d seg(VqGePoint3d(u(rng), u(rng), 0) * scale + shift,
                                     VqGePoint3d(u(rng), u(rng), 0) * scale + shift, 1, 1);
        VqGeCurveIntData d;
        c->intersectWith(seg, kUp, d, VqGeContext::gTol);
        VqArray<VqGePoint3d> expect;
        memberByMember(*c, seg, expect);
        ASSERT_EQ(d.numIntPoints(), expect.length());
        EXPECT_EQ(d.numOverlap(), 0);
        checkHits(*c, seg, d);
        for (int k = 0; k < d.numIntPoints(); ++k) {
            int c1, c2;
            d.getIntConfigs(k, c1, c2);
            EXPECT_TRUE((c1 == VqGe::kLeftRight && c2 == VqGe::kRightLeft) ||
                        (c1 == VqGe::kRightLeft && c2 == VqGe::kLeftRight));
        }
        // The segment asks the composite and gets the same points, parameters exchanged.
        VqGeCurveIntData r;
        seg.intersectWith(*c, kUp, r, VqGeContext::gTol);
        ASSERT_EQ(r.numIntPoints(), d.numIntPoints());
        for (int k = 0; k < r.numIntPoints(); ++k) {
            double a1, a2, b1, b2;
            d.getIntParams(k, a1, a2);
            r.getIntParams(k, b1, b2);
            EXPECT_EQ(a1, b2);
            EXPECT_EQ(a2, b1);
        }
        total += d.numIntPoints();
        delete c;
    }
    EXPECT_GT(total, 20);
}

TEST(CompositeIntersect, IntersectWith_RandomPolylinePairs_MatchesMemberPairs) {
    std::mt19937 rng(1332);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int trial = 0; trial < 30; ++trial) {
        VqArray<VqGePoint3d> p, q;
        for (int k = 0; k < 3 + trial % 5; ++k) p.append(VqGePoint3d(u(rng), u(rng), 0) * 50.0);
        for (int k = 0; k < 2 + trial % 4; ++k) q.append(VqGePoint3d(u(rng), u(rng), 0) * 50.0);
        VqGeImpCompositeCurve3d* a = polyline(p);
        VqGeImpCompositeCurve3d* b = polyline(q);
        VqGeCurveIntData d;
        a->intersectWith(*b, kUp, d, VqGeContext::gTol);
        int expect = 0;
        for (int i = 0; i < a->numCurves(); ++i) {
            VqArray<VqGePoint3d> pts;
            memberByMember(*b, *a->curveAt(i), pts);
            expect += pts.length();
        }
        EXPECT_EQ(d.numIntPoints(), expect);
        checkHits(*a, *b, d);
        delete a;
        delete b;
    }
}

TEST(CompositeIntersect, IntersectWith_CrossingAtJoint_OnePointCrossingConfig) {
    VqGeImpCompositeCurve3d* c =
        through({VqGePoint3d(-1, -1, 0), VqGePoint3d(0, 0, 0), VqGePoint3d(1, 2, 0)});
    const VqGeImpLinearEnt3d seg(VqGePoint3d(-2, 0, 0), VqGePoint3d(2, 0, 0), 1, 1);
    VqGeCurveIntData d;
    ASSERT_TRUE(c->intersectWith(seg, kUp, d, VqGeContext::gTol));
    ASSERT_EQ(d.numIntPoints(), 1);
    double g1, g2;
    d.getIntParams(0, g1, g2);
    EXPECT_NEAR(g1, std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(g2, 0.5, 1e-12);
    // The same configuration as a straight crossing in the same direction.
    const VqGeImpLinearEnt3d straight(VqGePoint3d(-1, -1, 0), VqGePoint3d(1, 1, 0), 1, 1);
    VqGeCurveIntData s;
    straight.intersectWith(seg, kUp, s, VqGeContext::gTol);
    int a1, a2, b1, b2;
    d.getIntConfigs(0, a1, a2);
    s.getIntConfigs(0, b1, b2);
    EXPECT_EQ(a1, b1);
    EXPECT_EQ(a2, b2);
    delete c;
}

TEST(CompositeIntersect, IntersectWith_TouchingAtJoint_OnePointTouchingConfig) {
    VqGeImpCompositeCurve3d* up =
        through({VqGePoint3d(-1, 1, 0), VqGePoint3d(0, 0, 0), VqGePoint3d(1, 1, 0)});
    VqGeImpCompositeCurve3d* down =
        through({VqGePoint3d(-1, -1, 0), VqGePoint3d(0, 0, 0), VqGePoint3d(1, -1, 0)});
    const VqGeImpLinearEnt3d seg(VqGePoint3d(-2, 0, 0), VqGePoint3d(2, 0, 0), 1, 1);
    VqGeCurveIntData d, e;
    up->intersectWith(seg, kUp, d, VqGeContext::gTol);
    down->intersectWith(seg, kUp, e, VqGeContext::gTol);
    ASSERT_EQ(d.numIntPoints(), 1);
    ASSERT_EQ(e.numIntPoints(), 1);
    int c1, c2;
    d.getIntConfigs(0, c1, c2);
    EXPECT_EQ(c1, VqGe::kLeftLeft);  // above the segment, which runs along +x: its left
    EXPECT_EQ(c2, VqGe::kLeftLeft);
    e.getIntConfigs(0, c1, c2);
    EXPECT_EQ(c1, VqGe::kRightRight);
    // The segment's own view of the touch carries the same codes.
    VqGeCurveIntData r;
    seg.intersectWith(*up, kUp, r, VqGeContext::gTol);
    ASSERT_EQ(r.numIntPoints(), 1);
    r.getIntConfigs(0, c1, c2);
    EXPECT_EQ(c1, VqGe::kLeftLeft);
    delete up;
    delete down;
}

// Curves that meet only at their end points are reported as intersecting there.
TEST(CompositeIntersect, IntersectWith_EndToEnd_ReportedOnce) {
    VqGeImpCompositeCurve3d* c =
        through({VqGePoint3d(0, 0, 0), VqGePoint3d(1e6, 0, 0), VqGePoint3d(1e6, 1e6, 0)});
    const VqGeImpLinearEnt3d seg(VqGePoint3d(1e6, 1e6, 0), VqGePoint3d(2e6, 3e6, 0), 1, 1);
    VqGeCurveIntData d;
    ASSERT_TRUE(c->intersectWith(seg, kUp, d, VqGeContext::gTol));
    ASSERT_EQ(d.numIntPoints(), 1);
    double g1, g2;
    d.getIntParams(0, g1, g2);
    EXPECT_NEAR(g1, 2e6, 1e-6);
    EXPECT_NEAR(g2, 0.0, 1e-12);
    // Two chains meeting end to start, and a closed square crossed through its first corner.
    VqGeImpCompositeCurve3d* next = through({VqGePoint3d(1e6, 1e6, 0), VqGePoint3d(0, 2e6, 0)});
    c->intersectWith(*next, kUp, d, VqGeContext::gTol);
    EXPECT_EQ(d.numIntPoints(), 1);
    VqGeImpCompositeCurve3d* sq =
        through({VqGePoint3d(0, 0, 0), VqGePoint3d(2, 0, 0), VqGePoint3d(2, 2, 0),
                 VqGePoint3d(0, 2, 0), VqGePoint3d(0, 0, 0)});
    const VqGeImpLinearEnt3d diag(VqGePoint3d(-1, 1, 0), VqGePoint3d(1, -1, 0), 1, 1);
    sq->intersectWith(diag, kUp, d, VqGeContext::gTol);
    ASSERT_EQ(d.numIntPoints(), 1);
    int c1, c2;
    d.getIntConfigs(0, c1, c2);  // the square touches the diagonal at its corner, on its left
    EXPECT_EQ(c1, VqGe::kLeftLeft);
    const VqGeImpLinearEnt3d across(VqGePoint3d(-1, -1, 0), VqGePoint3d(3, 3, 0), 1, 1);
    sq->intersectWith(across, kUp, d, VqGeContext::gTol);
    ASSERT_EQ(d.numIntPoints(), 2);  // in at the corner, out at (2, 2)
    for (int k = 0; k < 2; ++k) {
        d.getIntConfigs(k, c1, c2);
        EXPECT_TRUE(c1 == VqGe::kLeftRight || c1 == VqGe::kRightLeft);
    }
    delete sq;
    delete next;
    delete c;
}

TEST(CompositeIntersect, IntersectWith_JointOnJoint_FourReportsMergedIntoOne) {
    VqGeImpCompositeCurve3d* a =
        through({VqGePoint3d(-1, -1, 0), VqGePoint3d(0, 0, 0), VqGePoint3d(1, 2, 0)});
    VqGeImpCompositeCurve3d* b =
        through({VqGePoint3d(-1, 1, 0), VqGePoint3d(0, 0, 0), VqGePoint3d(2, -1, 0)});
    VqGeCurveIntData d;
    ASSERT_TRUE(a->intersectWith(*b, kUp, d, VqGeContext::gTol));
    ASSERT_EQ(d.numIntPoints(), 1);
    EXPECT_TRUE(pointsNear(d.intPnt(0), VqGePoint3d(0, 0, 0), 0, 1e-15));
    int c1, c2;
    d.getIntConfigs(0, c1, c2);
    EXPECT_TRUE((c1 == VqGe::kLeftRight && c2 == VqGe::kRightLeft) ||
                (c1 == VqGe::kRightLeft && c2 == VqGe::kLeftRight));
    delete a;
    delete b;
}

TEST(CompositeIntersect, IntersectWith_OverlapAcrossJoint_OneOverlap) {
    VqGeImpCompositeCurve3d* c = through(
        {VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0), VqGePoint3d(3, 0, 0), VqGePoint3d(3, 1, 0)});
    const VqGeImpLinearEnt3d seg(VqGePoint3d(0.5, 0, 0), VqGePoint3d(2, 0, 0), 1, 1);
    VqGeCurveIntData d;
    ASSERT_TRUE(c->intersectWith(seg, kUp, d, VqGeContext::gTol));
    EXPECT_EQ(d.numIntPoints(), 0);
    ASSERT_EQ(d.numOverlap(), 1);
    VqGeImpInterval r1, r2;
    VqGePoint3d s, e;
    int same;
    d.getOverlap(0, r1, r2, s, e, same);
    EXPECT_NEAR(r1.lowerBound(), 0.5, 1e-12);
    EXPECT_NEAR(r1.upperBound(), 2.0, 1e-12);
    EXPECT_NEAR(r2.lowerBound(), 0.0, 1e-12);
    EXPECT_NEAR(r2.upperBound(), 1.0, 1e-12);
    EXPECT_TRUE(same);
    // Running the other way: still one overlap, opposite direction.
    const VqGeImpLinearEnt3d back(VqGePoint3d(2.5, 0, 0), VqGePoint3d(0.2, 0, 0), 1, 1);
    c->intersectWith(back, kUp, d, VqGeContext::gTol);
    ASSERT_EQ(d.numOverlap(), 1);
    d.getOverlap(0, r1, r2, s, e, same);
    EXPECT_FALSE(same);
    EXPECT_NEAR(r1.lowerBound(), 0.2, 1e-12);
    EXPECT_NEAR(r1.upperBound(), 2.5, 1e-12);
    EXPECT_EQ(d.numIntPoints(), 0);
    delete c;
}

TEST(CompositeIntersect, IntersectWith_SubIntervals_OnlyWithinRanges) {
    VqGeImpCompositeCurve3d* c =
        through({VqGePoint3d(0, 0, 0), VqGePoint3d(4, 0, 0), VqGePoint3d(4, 4, 0)});
    const VqGeImpLinearEnt3d v(VqGePoint3d(1, -1, 0), VqGePoint3d(1, 1, 0), 1, 1);
    const VqGeImpLinearEnt3d h(VqGePoint3d(3, 2, 0), VqGePoint3d(5, 2, 0), 1, 1);
    VqGeCurveIntData d;
    c->intersectWith(v, kUp, d, VqGeContext::gTol);
    EXPECT_EQ(d.numIntPoints(), 1);
    c->setInterval(VqGeImpInterval(2.0, 5.0), 1);
    c->intersectWith(v, kUp, d, VqGeContext::gTol);
    EXPECT_EQ(d.numIntPoints(), 0);
    c->intersectWith(h, kUp, d, VqGeContext::gTol);
    EXPECT_EQ(d.numIntPoints(), 0);  // (4, 2) is at parameter 6
    c->setInterval(VqGeImpInterval(2.0, 7.0), 1);
    c->intersectWith(h, kUp, d, VqGeContext::gTol);
    EXPECT_EQ(d.numIntPoints(), 1);
    delete c;
}

TEST(CompositeIntersect, IntersectWithRanges_FigureOfCrossingSides_FindsTheCrossingOnly) {
    // Sides 0 and 2 cross at (1, 1); neighbouring ranges touching at a parameter do not
    // count as meeting.
    VqGeImpCompositeCurve3d* c = through(
        {VqGePoint3d(0, 0, 0), VqGePoint3d(2, 2, 0), VqGePoint3d(2, 0, 0), VqGePoint3d(0, 2, 0)});
    VqArray<double> b;
    c->getSegParams(b);
    VqGeCurveIntData d;
    ASSERT_TRUE(c->intersectWith(VqGeImpInterval(b[0], b[1]), VqGeImpInterval(b[1], b[3]), kUp, d,
                                 VqGeContext::gTol));
    ASSERT_EQ(d.numIntPoints(), 1);
    EXPECT_TRUE(pointsNear(d.intPnt(0), VqGePoint3d(1, 1, 0), 0, 1e-12));
    double g1, g2;
    d.getIntParams(0, g1, g2);
    EXPECT_NEAR(g1, std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(g2, b[2] + std::sqrt(2.0), 1e-12);
    c->intersectWith(VqGeImpInterval(b[0], b[1]), VqGeImpInterval(b[1], b[2]), kUp, d,
                     VqGeContext::gTol);
    EXPECT_EQ(d.numIntPoints(), 0);
    delete c;
}

TEST(CompositeIntersect, IntersectWith_ReversedRecord_EntriesInCallersOrder) {
    VqGeImpCompositeCurve3d* c =
        through({VqGePoint3d(0, -1, 0), VqGePoint3d(0, 0.5, 0), VqGePoint3d(0, 1, 0)});
    const VqGeImpLinearEnt3d seg(VqGePoint3d(-1, 0, 0), VqGePoint3d(1, 0, 0), 1, 1);
    VqGeCurveIntData d;
    d.reverseOrder();
    c->intersectWith(seg, kUp, d, VqGeContext::gTol);
    ASSERT_EQ(d.numIntPoints(), 1);
    EXPECT_TRUE(d.orderReversed());
    double p1, p2;
    d.getIntParams(0, p1, p2);  // read as added
    EXPECT_NEAR(p1, 1.0, 1e-15);
    EXPECT_NEAR(p2, 0.5, 1e-15);
    d.reverseOrder();  // the caller's order: the segment first
    d.getIntParams(0, p1, p2);
    EXPECT_NEAR(p1, 0.5, 1e-15);
    EXPECT_NEAR(p2, 1.0, 1e-15);
    delete c;
}

}  // namespace
