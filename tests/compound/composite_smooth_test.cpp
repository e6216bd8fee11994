// Composite curve smoothing: circular arcs bent to meet their neighbours tangentially.
#include <cfloat>
#include <limits>

#include "composite_fixtures.h"
#include "curves/imp_ellip_arc3d.h"

namespace {

// Angle of two directions, exact for small angles.
double angleOf(const VqGeVector3d& a, const VqGeVector3d& b) {
    return std::atan2(a.crossProduct(b).length(), a.dotProduct(b));
}

struct Ends {
    VqGePoint3d s, e;
    VqGeVector3d ts, te;
};

Ends endsOf(VqGeImpCurve3d* c) {
    VqGeImpInterval i;
    c->getInterval(i, 0, 0);
    VqArray<VqGeVector3d> d;
    Ends r;
    r.s = c->evalPoint(i.lowerBound(), 1, d);
    r.ts = d[0];
    r.e = c->evalPoint(i.upperBound(), 1, d);
    r.te = d[0];
    return r;
}

int isCircArc(const VqGeImpCurve3d* c) {
    return c->isKindOf(VqGe::kEllipArc3d, 0) &&
           static_cast<const VqGeImpEllipArc3d*>(c)->isCircular();
}

// Kinds of member in the random chains.
enum Kind { kSeg, kCirc, kEllipse, kOther };

// The next member from p: a segment, a three-point circular arc (out of the plane when
// spatial), an elliptic arc or an arc of the suite's own kind, all of size up to maxLen.
VqGeImpCurve3d* nextMember(std::mt19937& rng, const VqGePoint3d& p, double maxLen, int spatial,
                           int kind, const VqGePoint3d* target) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const double len = maxLen * (0.1 + 0.9 * u(rng));
    const double h = 2.0 * M_PI * u(rng);
    VqGeVector3d dir(std::cos(h), std::sin(h), spatial ? u(rng) - 0.5 : 0.0);
    dir = dir.normal();
    VqGePoint3d q = target ? *target : p + dir * len;
    if (kind == kSeg) return newSeg(p, q);
    if (kind == kCirc) {
        const VqGeVector3d chord = q - p;
        VqGeVector3d side = VqGeVector3d(0, 0, 1).crossProduct(chord);
        if (spatial) side = side + VqGeVector3d(0, 0, chord.length() * (u(rng) - 0.5));
        side = side.normal();
        const double bulge = (u(rng) < 0.5 ? -1.0 : 1.0) * (0.1 + 0.8 * u(rng));
        const VqGePoint3d mid = p + chord * 0.5 + side * (bulge * 0.5 * chord.length());
        return new VqGeImpEllipArc3d(p, mid, q);
    }
    const double a = 0.3 + 1.5 * u(rng);
    if (kind == kEllipse) {
        const VqGeVector3d x(std::cos(h), std::sin(h), 0), y(-std::sin(h), std::cos(h), 0);
        const double ra = len, rb = 0.5 * len;
        const VqGePoint3d c = p - x * ra;  // start at angle 0
        return new VqGeImpEllipArc3d(c, x, y, ra, rb, 0.0, a);
    }
    const VqGePoint3d c = p - VqGeVector3d(len, 0, 0);
    return new TestArc(c, len, 0.0, a);
}

// A connected chain of count members from (offset, offset, 0); closed when asked (the last
// member then returns to the start: a segment or a circular arc).
VqGeImpCompositeCurve3d* kinkedChain(std::mt19937& rng, int count, int spatial, int closed,
                                     double offset, double maxLen, VqArray<int>& kinds) {
    std::uniform_int_distribution<int> pick(0, 5);
    const VqGePoint3d p0(offset, offset, 0.0);
    VqGePoint3d p = p0;
    VqArray<void*> curves;
    kinds.removeAll();
    for (int i = 0; i < count; ++i) {
        const int r = pick(rng);
        int kind = r < 2 ? kSeg : (r < 4 ? kCirc : (r == 4 ? kEllipse : kOther));
        const int last = closed && i == count - 1;
        if (last && kind != kSeg) kind = kCirc;
        VqGeImpCurve3d* c = nextMember(rng, p, maxLen, spatial, kind, last ? &p0 : nullptr);
        curves.append(c);
        kinds.append(kind);
        p = endsOf(c).e;
    }
    return ownedChain(curves);
}

double slackAt(const VqGePoint3d& p) {
    const double m = std::fabs(p.x) + std::fabs(p.y) + std::fabs(p.z);
    return 1e-9 + 64.0 * DBL_EPSILON * m;
}

void expectSameBreaksAsFresh(VqGeImpCompositeCurve3d* c) {
    VqArray<void*> members;
    c->getCurveList(members);
    VqGeImpCompositeCurve3d fresh(members, 0);
    VqArray<double> a, b;
    c->getSegParams(a);
    fresh.getSegParams(b);
    ASSERT_EQ(a.length(), b.length());
    for (int i = 0; i < a.length(); ++i) EXPECT_NEAR(a[i], b[i], 1e-9 * (1.0 + std::fabs(b[i])));
}

TEST(CompositeSmooth, Smooth_RandomKinkedChains_TreatedJointsTangentEndsKept) {
    std::mt19937 rng(5101);
    int treated = 0, reshaped = 0;
    for (int trial = 0; trial < 240; ++trial) {
        const int spatial = trial % 3 == 1, closed = trial % 4 == 3;
        const double offset = trial % 2 ? 1e6 : 3.0;
        const double maxLen = trial % 2 ? 1e3 : 4.0;
        VqArray<int> kinds;
        const int n = 2 + trial % 7;
        VqGeImpCompositeCurve3d* c = kinkedChain(rng, n, spatial, closed, offset, maxLen, kinds);
        ASSERT_EQ(c->numCurves(), n);
        VqArray<Ends> before;
        VqArray<void*> copies;
        for (int i = 0; i < n; ++i) {
            before.append(endsOf(c->curveAt(i)));
            copies.append(c->curveAt(i)->copy());
        }
        const int got = c->smooth(0.0, VqGeContext::gTol);
        int changed = 0;
        for (int i = 0; i < n; ++i) {
            VqGeImpCurve3d* m = c->curveAt(i);
            const VqGeImpCurve3d* old = static_cast<VqGeImpCurve3d*>(copies[i]);
            const Ends now = endsOf(m);
            // Joints stay where they were; the chain stays connected.
            EXPECT_TRUE(pointsNear(now.s, before[i].s, 0.0, slackAt(now.s))) << trial << " " << i;
            EXPECT_TRUE(pointsNear(now.e, before[i].e, 0.0, slackAt(now.e))) << trial << " " << i;
            if (i + 1 < n) {
                EXPECT_TRUE(pointsNear(now.e, endsOf(c->curveAt(i + 1)).s, 0.0, slackAt(now.e)));
            }
            const int same = m->isEqualTo(*old, VqGeContext::gTol) &&
                             angleOf(now.ts, before[i].ts) < 1e-9;
            if (!isCircArc(m)) {
                EXPECT_TRUE(same) << "untreated kind changed " << trial << " " << i;
            }
            if (!same) ++changed;
        }
        EXPECT_EQ(got, changed) << trial;
        reshaped += got;
        // The joint each arc answers for: the incoming one when its predecessor is fixed
        // before it, else the outgoing one (start of an open chain).
        for (int i = 0; i < n; ++i) {
            if (kinds[i] != kCirc) continue;
            int allArcs = 1;
            for (int k = 0; k < n; ++k) allArcs = allArcs && kinds[k] == kCirc;
            int a = i - 1, b = i;
            if (i == 0) {
                if (closed && !allArcs) {
                    a = n - 1;
                } else {
                    a = 0;
                    b = 1;
                }
            }
            const Ends ea = endsOf(c->curveAt(a)), eb = endsOf(c->curveAt(b));
            const VqGeVector3d chord = before[i].e - before[i].s;
            const VqGeVector3d want = b == i ? ea.te : eb.ts;
            // Along the chord only a line would do: the arc may stay as it was.
            if (angleOf(want, chord) < 1e-6 || angleOf(want, chord) > M_PI - 1e-6) continue;
            ++treated;
            EXPECT_LT(angleOf(ea.te, eb.ts), 1e-12) << trial << " joint " << a << "-" << b;
        }
        expectSameBreaksAsFresh(c);
        for (int i = 0; i < n; ++i) delete static_cast<VqGeImpCurve3d*>(copies[i]);
        delete c;
    }
    EXPECT_GT(treated, 150);
    EXPECT_GT(reshaped, 100);
}

// Headings carried across every joint: a G1 chain of segments and arcs at drawing scale.
VqGeImpCompositeCurve3d* smoothChain(std::mt19937& rng, int count, double offset,
                                     double maxLen) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    VqArray<void*> curves;
    VqGePoint3d p(offset, -offset, 0.0);
    double heading = 2.0 * M_PI * u(rng);
    for (int i = 0; i < count; ++i) {
        const double len = maxLen * (0.05 + 0.95 * u(rng));
        if (u(rng) < 0.6) {
            const double sweep = 0.2 + 2.0 * u(rng), turn = u(rng) < 0.5 ? 1.0 : -1.0;
            const VqGeVector3d left(-std::sin(heading), std::cos(heading), 0);
            const VqGePoint3d c = p + left * (turn * len);
            const VqGeVector3d x = (p - c).normal();
            const VqGeVector3d y = VqGeVector3d(0, 0, turn).crossProduct(x);
            VqGeImpEllipArc3d* arc = new VqGeImpEllipArc3d(c, x, y, len, len, 0.0, sweep);
            curves.append(arc);
            heading += turn * sweep;
            p = endsOf(arc).e;
        } else {
            const VqGePoint3d q = p + VqGeVector3d(std::cos(heading), std::sin(heading), 0) * len;
            curves.append(newSeg(p, q));
            p = q;
        }
    }
    return ownedChain(curves);
}

TEST(CompositeSmooth, Smooth_AlreadyTangentChains_ReturnsZeroAndKeepsAll) {
    std::mt19937 rng(5102);
    for (int trial = 0; trial < 60; ++trial) {
        const double offset = trial % 3 == 0 ? 1e8 : (trial % 3 == 1 ? 1e5 : 0.0);
        const double maxLen = trial % 2 ? 1e3 : 1.0;
        VqGeImpCompositeCurve3d* c = smoothChain(rng, 2 + trial % 8, offset, maxLen);
        VqGeImpCompositeCurve3d* before = c->copy();
        VqArray<double> b0, b1;
        c->getSegParams(b0);
        EXPECT_EQ(c->smooth(0.0, VqGeContext::gTol), 0) << trial;
        c->getSegParams(b1);
        EXPECT_TRUE(c->isEqualTo(*before, VqGeContext::gTol)) << trial;
        ASSERT_EQ(b0.length(), b1.length());
        for (int i = 0; i < b0.length(); ++i) EXPECT_EQ(b0[i], b1[i]);
        // A kinked chain once smoothed is smooth: a second pass changes nothing.
        VqArray<int> kinds;
        VqGeImpCompositeCurve3d* k = kinkedChain(rng, 2 + trial % 6, trial % 2, 0, offset,
                                                 maxLen, kinds);
        k->smooth(0.0, VqGeContext::gTol);
        EXPECT_EQ(k->smooth(0.0, VqGeContext::gTol), 0) << trial;
        delete k;
        delete before;
        delete c;
    }
}

TEST(CompositeSmooth, Smooth_SegmentArcSegment_ArcTakesIncomingTangentOutgoingStaysKinked) {
    // Segment along x into an arc that bulges down; then a segment along y.
    VqArray<void*> list;
    list.append(newSeg(VqGePoint3d(-2, 0, 0), VqGePoint3d(0, 0, 0)));
    list.append(new VqGeImpEllipArc3d(VqGePoint3d(0, 0, 0), VqGePoint3d(1, -0.4, 0),
                                      VqGePoint3d(2, 0, 0)));
    list.append(newSeg(VqGePoint3d(2, 0, 0), VqGePoint3d(2, 3, 0)));
    VqGeImpCompositeCurve3d* c = ownedChain(list);
    // Incoming tangent (1, 0) lies along the chord: no circle can take it.
    EXPECT_EQ(c->smooth(0.0, VqGeContext::gTol), 0);
    delete c;

    VqArray<void*> list2;
    list2.append(newSeg(VqGePoint3d(-2, -2, 0), VqGePoint3d(0, 0, 0)));
    list2.append(new VqGeImpEllipArc3d(VqGePoint3d(0, 0, 0), VqGePoint3d(1, -0.4, 0),
                                       VqGePoint3d(2, 0, 0)));
    list2.append(newSeg(VqGePoint3d(2, 0, 0), VqGePoint3d(2, 3, 0)));
    c = ownedChain(list2);
    VqArray<double> b0;
    c->getSegParams(b0);
    EXPECT_EQ(c->smooth(0.0, VqGeContext::gTol), 1);
    // Tangent (1, 1)/√2 at the origin through (2, 0): the quarter circle about (1, −1), radius
    // √2, turning clockwise and leaving along (1, −1)/√2.
    const VqGeImpEllipArc3d* arc = static_cast<const VqGeImpEllipArc3d*>(c->curveAt(1));
    EXPECT_PT3_NEAR(arc->center(), 1.0, -1.0, 0.0, 1e-12);
    EXPECT_NEAR(arc->majorRadius(), std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(arc->minorRadius(), std::sqrt(2.0), 1e-12);
    const Ends e = endsOf(c->curveAt(1));
    EXPECT_LT(angleOf(e.ts, VqGeVector3d(1, 1, 0)), 1e-14);
    EXPECT_LT(angleOf(e.te, VqGeVector3d(1, -1, 0)), 1e-14);
    EXPECT_GT(angleOf(e.te, endsOf(c->curveAt(2)).ts), 0.5);  // the kink left behind
    VqArray<double> b1;
    c->getSegParams(b1);
    EXPECT_NEAR(b1[2] - b1[1], 0.5 * M_PI * std::sqrt(2.0), 1e-9);
    EXPECT_NE(b0[2], b1[2]);
    delete c;
}

TEST(CompositeSmooth, Smooth_FirstArcOfOpenChain_FollowsSuccessor) {
    VqArray<void*> list;
    list.append(new VqGeImpEllipArc3d(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0.3, 0),
                                      VqGePoint3d(2, 0, 0)));
    list.append(newSeg(VqGePoint3d(2, 0, 0), VqGePoint3d(4, 2, 0)));
    VqGeImpCompositeCurve3d* c = ownedChain(list);
    EXPECT_EQ(c->smooth(0.0, VqGeContext::gTol), 1);
    const Ends e = endsOf(c->curveAt(0));
    EXPECT_LT(angleOf(e.te, VqGeVector3d(1, 1, 0)), 1e-14);
    EXPECT_TRUE(pointsNear(e.s, VqGePoint3d(0, 0, 0), 0.0, 1e-14));
    EXPECT_TRUE(pointsNear(e.e, VqGePoint3d(2, 0, 0), 0.0, 1e-14));
    delete c;
}

TEST(CompositeSmooth, Smooth_ClosedChainOfArcs_AllButClosingJointTangent) {
    // Three arcs around a triangle, each bulging outwards.
    const VqGePoint3d p[3] = {VqGePoint3d(0, 0, 0), VqGePoint3d(4, 0, 0), VqGePoint3d(1, 3, 0)};
    VqArray<void*> list;
    for (int i = 0; i < 3; ++i) {
        const VqGePoint3d& a = p[i];
        const VqGePoint3d& b = p[(i + 1) % 3];
        const VqGeVector3d out = VqGeVector3d(0, 0, -1).crossProduct(b - a).normal();
        list.append(new VqGeImpEllipArc3d(a, a + (b - a) * 0.5 + out * 0.5, b));
    }
    VqGeImpCompositeCurve3d* c = ownedChain(list);
    EXPECT_GE(c->smooth(0.0, VqGeContext::gTol), 2);
    EXPECT_LT(angleOf(endsOf(c->curveAt(0)).te, endsOf(c->curveAt(1)).ts), 1e-12);
    EXPECT_LT(angleOf(endsOf(c->curveAt(1)).te, endsOf(c->curveAt(2)).ts), 1e-12);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(pointsNear(endsOf(c->curveAt(i)).s, p[i], 0.0, 1e-12));
        EXPECT_TRUE(pointsNear(endsOf(c->curveAt(i)).e, p[(i + 1) % 3], 0.0, 1e-12));
    }
    delete c;
}

TEST(CompositeSmooth, Smooth_NestedComposite_OuterHearsOfNewLength) {
    VqArray<void*> list;
    list.append(newSeg(VqGePoint3d(-2, -2, 0), VqGePoint3d(0, 0, 0)));
    list.append(new VqGeImpEllipArc3d(VqGePoint3d(0, 0, 0), VqGePoint3d(1, -0.4, 0),
                                      VqGePoint3d(2, 0, 0)));
    VqGeImpCompositeCurve3d* inner = ownedChain(list);
    VqArray<void*> outerList;
    outerList.append(inner);
    VqGeImpCompositeCurve3d outer(outerList, 0);  // kept whole: the inner chain is its member
    ASSERT_EQ(outer.numCurves(), 1);
    EXPECT_EQ(inner->smooth(0.0, VqGeContext::gTol), 1);
    VqGeImpInterval i, j;
    inner->getInterval(i, 0, 0);
    outer.getInterval(j, 0, 0);
    EXPECT_NEAR(i.upperBound(), std::sqrt(8.0) + 0.5 * M_PI * std::sqrt(2.0), 1e-9);
    EXPECT_DOUBLE_EQ(j.upperBound(), i.upperBound());
    outer.set(VqArray<void*>(), 0);
    delete inner;
}

TEST(CompositeSmooth, Smooth_BadInputAndSharedMembers_CleanNoChange) {
    VqGeImpCompositeCurve3d empty;
    EXPECT_EQ(empty.smooth(0.0, VqGeContext::gTol), 0);
    // One member: no joint.
    VqArray<void*> one;
    one.append(new VqGeImpEllipArc3d(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 1, 0),
                                     VqGePoint3d(2, 0, 0)));
    VqGeImpCompositeCurve3d* c1 = ownedChain(one);
    EXPECT_EQ(c1->smooth(0.0, VqGeContext::gTol), 0);
    delete c1;
    // Tolerances that are not numbers, and points that are not: nothing is reshaped.
    VqArray<void*> list;
    list.append(newSeg(VqGePoint3d(-2, -2, 0), VqGePoint3d(0, 0, 0)));
    list.append(new VqGeImpEllipArc3d(VqGePoint3d(0, 0, 0), VqGePoint3d(1, -0.4, 0),
                                      VqGePoint3d(2, 0, 0)));
    VqGeImpCompositeCurve3d* c = ownedChain(list);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    VqGeTol bad;
    bad.setEqualPoint(nan);
    bad.setEqualVector(nan);
    EXPECT_EQ(c->smooth(nan, bad), 0);
    delete c;
    VqArray<void*> nanList;
    nanList.append(newSeg(VqGePoint3d(nan, 0, 0), VqGePoint3d(0, 0, 0)));
    nanList.append(new VqGeImpEllipArc3d(VqGePoint3d(0, 0, 0), VqGePoint3d(1, -0.4, 0),
                                         VqGePoint3d(2, 0, 0)));
    VqGeImpCompositeCurve3d* cn = ownedChain(nanList);
    cn->smooth(0.0, VqGeContext::gTol);
    for (int i = 0; i < cn->numCurves(); ++i) {
        const Ends e = endsOf(cn->curveAt(i));
        if (isCircArc(cn->curveAt(i))) {
            EXPECT_TRUE(pointsNear(e.e, VqGePoint3d(2, 0, 0), 0, 1e-12));
        }
    }
    delete cn;
    // An arc used twice in one chain cannot suit both places: it stays.
    VqGeImpEllipArc3d* shared = new VqGeImpEllipArc3d(VqGePoint3d(0, 0, 0),
                                                       VqGePoint3d(1, -0.4, 0),
                                                       VqGePoint3d(2, 0, 0));
    VqGeImpEllipArc3d keep(*shared);
    VqArray<void*> twice;
    twice.append(newSeg(VqGePoint3d(-2, -2, 0), VqGePoint3d(0, 0, 0)));
    twice.append(shared);
    twice.append(newSeg(VqGePoint3d(2, 0, 0), VqGePoint3d(0, 0, 0)));
    twice.append(shared);
    VqGeImpCompositeCurve3d* ct = ownedChain(twice);
    EXPECT_EQ(ct->smooth(0.0, VqGeContext::gTol), 0);
    EXPECT_TRUE(shared->isEqualTo(keep));
    delete ct;
}

}  // namespace
