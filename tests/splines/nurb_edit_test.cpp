// NURBS edits keep the shape: knot insertion and removal, degree elevation, split and join,
// reversal, rational and periodic conversions; derivative curves against derivatives.
#include <cstdio>

#include "nurb_checks.h"
#include <cstring>

#include "curves/imp_linear_ent3d.h"
#include "vqge_lineseg3d.h"
#include "vqge_matrix3d.h"

using namespace nurbtest;

namespace {
// Random plain, rational or periodic curve (periodic: a clamped closed curve made periodic).
VqGeImpNurbCurve3d* randomCurve(Rng& rng, int n, int kind) {
    const int degree = rng.pick(1, 4);
    Def d = randomDef(rng, degree, rng.pick(degree + 2, degree + 10), kind == 1 || n % 5 == 0);
    if (kind == 2) {
        d.pts.back() = d.pts.front();
        if (!d.w.empty()) d.w.back() = d.w.front();
    }
    VqGeImpNurbCurve3d* c = build(d, kind == 2);
    return c;
}
}  // namespace

TEST(VqGeImpNurbCurve3d, InsertRemoveElevate_RandomCurves_ShapeUnchanged) {
    Rng rng(4242u);
    for (int n = 0; n < 90; ++n) {
        const int kind = n % 3;
        VqGeImpNurbCurve3d* c = randomCurve(rng, n, kind);
        ASSERT_GE(c->numKnots(), 2);
        EXPECT_EQ(c->isPeriodicStored(), kind == 2 ? 1 : 0) << n;
        const VqGeImpNurbCurve3d before(*c);
        const double t = rng(c->startDomain(), c->endDomain());
        const int knots = c->numKnots();
        SCOPED_TRACE(testing::Message() << "n=" << n << " kind=" << kind << " deg=" << c->degree()
                                        << " pts=" << c->numControlPoints());
        c->insertKnot(t, 1);
        EXPECT_EQ(c->numKnots(), knots + 1) << n;
        {
            SCOPED_TRACE("insert once");
            expectSameShape(before, *c, 1e-11, 10);
        }
        c->removeKnot(t);  // a simple knot is never lowered
        EXPECT_EQ(c->numKnots(), knots + 1);
        c->insertKnot(t, c->order());
        {
            SCOPED_TRACE("full break");
            expectSameShape(before, *c, 1e-11, 10);
        }
        c->removeKnot(t);
        {
            SCOPED_TRACE("removed");
            expectSameShape(before, *c, 1e-11, 10);
        }
        const int deg = c->degree();
        c->elevateDegree(rng.pick(1, 2));
        EXPECT_GT(c->degree(), deg);
        SCOPED_TRACE("elevated");
        expectSameShape(before, *c, 1e-9, 10);
        delete c;
    }
}

TEST(VqGeImpNurbCurve3d, InsertKnot_FullBreak_TwoEqualPointsAndCapped) {
    Rng rng(3u);
    Def d = randomDef(rng, 3, 8, 0);
    VqGeImpNurbCurve3d* c = build(d);
    const double t = 0.5 * (d.knots[4] + d.knots[5]) + 1e-3;
    const int n0 = c->numControlPoints();
    c->insertKnot(t, 9);  // capped at the order
    EXPECT_EQ(c->numControlPoints(), n0 + 4);
    int equal = 0;
    for (int i = 0; i + 1 < c->numControlPoints(); ++i)
        equal += c->controlPointAt(i).isEqualTo(c->controlPointAt(i + 1));
    EXPECT_EQ(equal, 1);
    c->insertKnot(t, 1);  // full already
    EXPECT_EQ(c->numControlPoints(), n0 + 4);
    delete c;
}

TEST(VqGeImpNurbCurve3d, AddKnot_RaisesOnlyUpToRequested) {
    const double k[9] = {0, 0, 0, 0, 1, 2, 2, 2, 2};
    VqArray<VqGePoint3d> pts;
    for (int i = 0; i < 5; ++i) pts.append(VqGePoint3d(i, i * i, 0));
    VqGeImpNurbCurve3d c(3, VqGeKnotVector(9, k), pts);
    c.addKnot(1.0, 2);
    EXPECT_EQ(c.numKnots(), 10);
    c.addKnot(1.0, 2);
    EXPECT_EQ(c.numKnots(), 10);
    c.insertKnot(1.0, 1);
    c.addKnot(1.0, 2);  // multiplicity 3 stays
    EXPECT_EQ(c.numKnots(), 11);
}

TEST(VqGeImpNurbCurve3d, SplitJoin_RandomCurves_ReproduceCurve) {
    Rng rng(555u);
    for (int n = 0; n < 60; ++n) {
        VqGeImpNurbCurve3d* c = randomCurve(rng, n, n % 2);
        const double t = rng(c->startDomain() + 0.01, c->endDomain() - 0.01);
        VqGeImpCurve3d *a = nullptr, *b = nullptr;
        c->getSplitCurves(t, a, b);
        ASSERT_TRUE(a && b);
        VqGeImpNurbCurve3d* head = static_cast<VqGeImpNurbCurve3d*>(a);
        VqGeImpNurbCurve3d* tail = static_cast<VqGeImpNurbCurve3d*>(b);
        EXPECT_NEAR(head->endDomain(), t, 1e-12);
        EXPECT_NEAR(tail->startDomain(), t, 1e-12);
        for (int k = 0; k < 20; ++k) {
            const double s1 = rng(c->startDomain(), t), s2 = rng(t, c->endDomain());
            EXPECT_LT(head->pointAt(s1).distanceTo(c->pointAt(s1)), 1e-10);
            EXPECT_LT(tail->pointAt(s2).distanceTo(c->pointAt(s2)), 1e-10);
        }
        head->joinWith(*tail);
        EXPECT_NEAR(head->endDomain(), c->endDomain(), 1e-9);
        expectSameShape(*c, *head, 1e-9);
        EXPECT_LE(head->numKnots(), c->numKnots() + c->order());
        delete head;
        delete tail;
        delete c;
    }
}

TEST(VqGeImpNurbCurve3d, JoinWith_TwoCubicsMeeting_KnotCountAndShape) {
    Rng rng(8u);
    Def d1 = randomDef(rng, 3, 6, 0), d2 = randomDef(rng, 3, 5, 0);
    d2.pts.front() = d1.pts.back();
    VqGeImpNurbCurve3d* a = build(d1);
    VqGeImpNurbCurve3d* b = build(d2);
    const VqGeImpNurbCurve3d first(*a);
    const int expected = a->numKnots() + b->numKnots() - 4 - 1;  // one copy of the joint removed
    a->joinWith(*b);
    EXPECT_EQ(a->numKnots(), expected);
    EXPECT_EQ(a->degree(), 3);
    for (int k = 0; k <= 20; ++k) {
        const double t = d1.knots.back() * k / 20.0;
        EXPECT_LT(a->pointAt(t).distanceTo(first.pointAt(t)), 1e-12);
    }
    EXPECT_LT(a->endPoint().distanceTo(b->endPoint()), 1e-12);
    delete a;
    delete b;
}

TEST(VqGeImpNurbCurve3d, HardTrim_Random_KeepsPiece) {
    Rng rng(21u);
    for (int n = 0; n < 40; ++n) {
        VqGeImpNurbCurve3d* c = randomCurve(rng, n, n % 3);
        const VqGeImpNurbCurve3d before(*c);
        double a = rng(c->startDomain(), c->endDomain()), b = rng(c->startDomain(), c->endDomain());
        if (a > b) std::swap(a, b);
        if (b - a < 1e-3) b = a + 1e-3;
        if (b > c->endDomain()) continue;
        c->hardTrimByParams(a, b);
        EXPECT_FALSE(c->isPeriodicStored());
        EXPECT_NEAR(c->startDomain(), a, 1e-12);
        EXPECT_NEAR(c->endDomain(), b, 1e-12);
        for (int k = 0; k <= 20; ++k) {
            const double t = a + (b - a) * k / 20.0;
            EXPECT_LT(c->pointAt(t).distanceTo(before.pointAt(t)), 1e-10) << n;
        }
        delete c;
    }
}

TEST(VqGeImpNurbCurve3d, DerivativeCurve_MatchesDerivatives) {
    Rng rng(31u);
    for (int n = 0; n < 40; ++n) {
        const int periodic = n % 2;
        VqGeImpNurbCurve3d* c = randomCurve(rng, 1, periodic ? 2 : 0);
        if (c->degree() < 2) {
            delete c;
            continue;
        }
        VqGeImpNurbCurve3d d1, d2;
        c->getDerivativeCurve(1, d1);
        c->getDerivativeCurve(2, d2);
        EXPECT_EQ(d1.degree(), c->degree() - 1);
        EXPECT_EQ(d1.isPeriodicStored(), periodic);
        for (int k = 0; k < 30; ++k) {
            const double t = rng(c->startDomain(), c->endDomain());
            VqGeVector3d der[3];
            c->pointAt(t, 2, der);
            EXPECT_LT((d1.pointAt(t).asVector() - der[0]).length(), 1e-9 * (1 + der[0].length())) << n;
            EXPECT_LT((d2.pointAt(t).asVector() - der[1]).length(), 1e-8 * (1 + der[1].length())) << n;
            const double h = 1e-6;
            const VqGeVector3d fd = (c->pointAt(t + h) - c->pointAt(t - h)) / (2 * h);
            EXPECT_LT((fd - der[0]).length(), 1e-4 * (1 + der[0].length()));
        }
        delete c;
    }
}

// Regression: the wrap-around difference of a periodic curve used the stored repeat of the
// first point and came out as the zero vector.
TEST(VqGeImpNurbCurve3d, DerivativeCurve_PeriodicFirstPoint_NotZero) {
    const double k[5] = {0, 1, 2, 3, 4};
    VqArray<VqGePoint3d> pts;
    pts.append(VqGePoint3d(1, 0, 0));
    pts.append(VqGePoint3d(0, 1, 0));
    pts.append(VqGePoint3d(-1, 0, 0));
    pts.append(VqGePoint3d(0, -1, 0));
    pts.append(VqGePoint3d(1, 0, 0));
    VqGeImpNurbCurve3d c(2, VqGeKnotVector(5, k), pts, 1);
    VqGeImpNurbCurve3d d;
    c.getDerivativeCurve(1, d);
    EXPECT_GT(d.storedPoints()[0].asVector().length(), 0.5);
}

// Regression: on a curve that is not periodic the literal steps duplicated end knots and
// dropped the last control point.
TEST(VqGeImpNurbCurve3d, MakeNonPeriodic_NotPeriodic_Unchanged) {
    Rng rng(2u);
    Def d = randomDef(rng, 3, 7, 1);
    VqGeImpNurbCurve3d* c = build(d);
    const VqGeImpNurbCurve3d before(*c);
    c->makeNonPeriodic();
    EXPECT_TRUE(c->isEqualTo(before));
    delete c;
}

TEST(VqGeImpNurbCurve3d, PeriodicRoundTrip_ShapeAndDefinitionData) {
    Rng rng(12u);
    for (int n = 0; n < 30; ++n) {
        VqGeImpNurbCurve3d* c = randomCurve(rng, n, 2);
        ASSERT_TRUE(c->isPeriodicStored());
        const VqGeImpNurbCurve3d before(*c);
        int deg, rat, per;
        VqGeKnotVector kv;
        VqArray<VqGePoint3d> pts;
        VqArray<double> w;
        c->getDefinitionData(deg, rat, per, kv, pts, w);
        // Regression: the long form carried one control point too many.
        EXPECT_EQ(kv.length(), pts.length() + deg + 1);
        EXPECT_EQ(rat ? w.length() : pts.length(), pts.length());
        c->makeNonPeriodic();
        EXPECT_FALSE(c->isPeriodicStored());
        EXPECT_EQ(c->numKnots(), c->numControlPoints() + c->degree() + 1);
        expectSameShape(before, *c, 1e-10);
        c->makePeriodic();
        EXPECT_TRUE(c->isPeriodicStored());
        expectSameShape(before, *c, 1e-10);
        c->reverseParam();
        const double s = before.startDomain() + before.endDomain();
        for (int k = 0; k < 20; ++k) {
            const double t = rng(before.startDomain(), before.endDomain());
            EXPECT_LT(c->pointAt(s - t).distanceTo(before.pointAt(t)), 1e-10) << n;
        }
        delete c;
    }
}

TEST(VqGeImpNurbCurve3d, ReverseParam_Random_SameTrace) {
    Rng rng(13u);
    for (int n = 0; n < 30; ++n) {
        VqGeImpNurbCurve3d* c = randomCurve(rng, n, n % 2);
        const VqGeImpNurbCurve3d before(*c);
        c->reverseParam();
        const double s = before.startDomain() + before.endDomain();
        for (int k = 0; k < 20; ++k) {
            const double t = rng(before.startDomain(), before.endDomain());
            EXPECT_LT(c->pointAt(s - t).distanceTo(before.pointAt(t)), 1e-11);
        }
        EXPECT_NEAR(c->startParam(), before.startParam(), 1e-12);
        delete c;
    }
}

TEST(VqGeImpNurbCurve3d, MakeRational_Two_PointsUnchangedWeightsTwo) {
    Rng rng(14u);
    Def d = randomDef(rng, 3, 9, 0);
    VqGeImpNurbCurve3d* c = build(d);
    const VqGeImpNurbCurve3d before(*c);
    c->makeRational(2.0);
    EXPECT_TRUE(c->isRational());
    for (int i = 0; i < c->numWeights(); ++i) EXPECT_EQ(c->weightAt(i), 2.0);
    expectSameShape(before, *c, 1e-13);
    c->setWeightAt(3, 5.0);
    EXPECT_EQ(c->weightAt(3), 5.0);
    EXPECT_LT(c->controlPointAt(3).distanceTo(before.controlPointAt(3)), 1e-13);
    delete c;
}

TEST(VqGeImpNurbCurve3d, TransformBy_Rational_MapsPoints) {
    Rng rng(15u);
    Def d = randomDef(rng, 3, 9, 1);
    VqGeImpNurbCurve3d* c = build(d);
    const VqGeImpNurbCurve3d before(*c);
    VqGeMatrix3d m;
    m.setToRotation(0.7, VqGeVector3d(1, 2, 3), VqGePoint3d(4, 5, 6));
    c->transformBy(m);
    for (int k = 0; k < 30; ++k) {
        const double t = rng(0, d.knots.back());
        EXPECT_LT(c->pointAt(t).distanceTo(m * before.pointAt(t)), 1e-11);
    }
    delete c;
}

TEST(VqGeImpNurbCurve3d, Constructors_LineBezierHermiteUnclamped) {
    VqGeLineSeg3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(3, 4, 0));
    VqGeImpNurbCurve3d line(*static_cast<VqGeImpLinearEnt3d*>(seg.impEntity()));
    ASSERT_EQ(line.numKnots(), 4);
    EXPECT_EQ(line.knotAt(2), 5.0);
    EXPECT_LT(line.pointAt(2.5).distanceTo(VqGePoint3d(1.5, 2, 0)), 1e-15);
    VqArray<VqGePoint3d> pts;
    pts.append(VqGePoint3d(0, 0, 0));
    pts.append(VqGePoint3d(1, 2, 0));
    pts.append(VqGePoint3d(3, 0, 1));
    VqGeImpNurbCurve3d bez(pts);
    EXPECT_EQ(bez.degree(), 2);
    EXPECT_LT(bez.pointAt(0.5).distanceTo(VqGePoint3d(1.25, 1, 0.25)), 1e-15);
    VqGeImpNurbCurve3d herm;
    herm.setToHermiteCubic(VqGePoint3d(0, 0, 0), VqGePoint3d(3, 0, 0), VqGeVector3d(0, 3, 0),
                           VqGeVector3d(0, -3, 0), 0, 3);
    EXPECT_LT(herm.controlPointAt(1).distanceTo(VqGePoint3d(0, 3, 0)), 1e-15);
    EXPECT_LT(herm.controlPointAt(2).distanceTo(VqGePoint3d(3, 3, 0)), 1e-15);
    VqGeVector3d der[1];
    herm.pointAt(0.0, 1, der);
    EXPECT_LT((der[0] - VqGeVector3d(0, 3, 0)).length(), 1e-14);
    // Tangents pointing away from each other take the scale 4.
    VqGeImpNurbCurve3d away(VqGePoint3d(0, 0, 0), VqGeVector3d(-1, 0.1, 0), VqGePoint3d(1, 0, 0),
                            VqGeVector3d(-1, -0.1, 0));
    EXPECT_LT(away.controlPointAt(1).distanceTo(VqGePoint3d(-4, 0.4, 0)), 1e-14);
    // An unclamped long form is clamped onto its domain.
    Rng rng(16u);
    Def d;
    d.degree = 3;
    for (int i = 0; i < 12; ++i) d.knots.push_back(i);
    for (int i = 0; i < 8; ++i) d.pts.push_back(VqGePoint3d(rng(-5, 5), rng(-5, 5), rng(-5, 5)));
    VqGeKnotVector kv(12, d.knots.data());
    VqArray<VqGePoint3d> up;
    for (auto& p : d.pts) up.append(p);
    VqGeImpNurbCurve3d clamped(3, kv, up);
    EXPECT_EQ(clamped.knots().multiplicityAt(0), 4);
    EXPECT_EQ(clamped.startDomain(), 3.0);
    EXPECT_EQ(clamped.endDomain(), 8.0);
    for (int k = 0; k <= 20; ++k) {
        const double t = 3.0 + 5.0 * k / 20.0;
        VqGeVector3d ref[3];
        EXPECT_LT(clamped.pointAt(t).distanceTo(reference(d, t, ref)), 1e-12);
    }
}

TEST(VqGeImpNurbCurve3d, RationalQuarterCircles_StayOnCircle) {
    Rng rng(17u);
    for (int n = 0; n < 20; ++n) {
        const double r = rng(1e-3, 1e6), a = rng(-3, 3), h = rng(0.1, 1.5707963267948966);
        const double c = std::cos(h / 2), tn = std::tan(h / 2);
        const double k[6] = {a, a, a, a + h, a + h, a + h};
        VqArray<VqGePoint3d> pts;
        VqArray<double> w;
        pts.append(VqGePoint3d(r * std::cos(a), r * std::sin(a), 0));
        pts.append(VqGePoint3d(r * (std::cos(a) - tn * std::sin(a)), r * (std::sin(a) + tn * std::cos(a)), 0));
        pts.append(VqGePoint3d(r * std::cos(a + h), r * std::sin(a + h), 0));
        w.append(1);
        w.append(c);
        w.append(1);
        VqGeImpNurbCurve3d arc(2, VqGeKnotVector(6, k), pts, w);
        for (int j = 0; j < 50; ++j) {
            const VqGePoint3d p = arc.pointAt(rng(a, a + h));
            EXPECT_NEAR(p.asVector().length() / r, 1.0, 1e-14);
        }
    }
}

TEST(VqGeImpNurbCurve3d, Record_AppendsExactLayout) {
    const char* path = "nurb_record_test.bin";
    std::remove(path);
    const double k[6] = {0, 0, 0, 1, 1, 1};
    VqArray<VqGePoint3d> pts;
    VqArray<double> w;
    pts.append(VqGePoint3d(1, 0, 0));
    pts.append(VqGePoint3d(1, 1, 0));
    pts.append(VqGePoint3d(0, 1, 0));
    w.append(1);
    w.append(0.5);
    w.append(1);
    VqGeImpNurbCurve3d arc(2, VqGeKnotVector(6, k), pts, w);
    ASSERT_TRUE(arc.record(path));
    ASSERT_TRUE(arc.record(path));
    std::FILE* f = std::fopen(path, "rb");
    ASSERT_TRUE(f);
    unsigned char buf[1024];
    const size_t got = std::fread(buf, 1, sizeof buf, f);
    std::fclose(f);
    std::remove(path);
    const size_t one = 4 + 4 + 4 + 6 * 8 + 4 + 4 + 3 * 4 * 8;
    ASSERT_EQ(got, 2 * one);
    int32_t deg, per, nk;
    std::memcpy(&deg, buf, 4);
    std::memcpy(&per, buf + 4, 4);
    std::memcpy(&nk, buf + 8, 4);
    EXPECT_EQ(deg, 2);
    EXPECT_EQ(per, 0);
    EXPECT_EQ(nk, 6);
    double w1;
    std::memcpy(&w1, buf + 12 + 48 + 8 + 32 + 24, 8);
    EXPECT_EQ(w1, 0.5);
    EXPECT_EQ(std::memcmp(buf, buf + one, one), 0);
    EXPECT_FALSE(arc.record("/nonexistent-dir/x.bin"));
}
