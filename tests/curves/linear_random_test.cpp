// Seeded random properties of the linear entities, and the balance of the allocation hooks.
#include <random>

#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "test_helpers.h"
#include "vqge_curveintdata.h"
#include "vqge_line2d.h"
#include "vqge_lineseg2d.h"
#include "vqge_lineseg3d.h"
#include "vqge_matrix3d.h"
#include "vqge_ray2d.h"

namespace {
using Lin = VqGeImpLinearEnt3d;

struct Rng {
    std::mt19937 gen{20261207u};
    double operator()(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(gen);
    }
    int kind() { return std::uniform_int_distribution<int>(0, 3)(gen); }
    VqGePoint3d point(double z = 1.0) {
        return VqGePoint3d((*this)(-5, 5), (*this)(-5, 5), z * (*this)(-5, 5));
    }
    VqGeVector3d vec(double z = 1.0) {
        return VqGeVector3d((*this)(-3, 3), (*this)(-3, 3), z * (*this)(-3, 3));
    }
};

// kind 0: line, 1: ray below, 2: ray above, 3: segment.
Lin* randomEntity(Rng& rng, double z = 1.0) {
    const int kind = rng.kind();
    return new Lin(rng.point(z), rng.vec(z), kind == 1 || kind == 3, kind == 2 || kind == 3);
}

// Sample parameters of the entity (unbounded sides replaced by a span of 50).
double sampleParam(const Lin& e, Rng& rng) {
    const VqGeImpInterval& iv = e.interval();
    const double lo =
        iv.isBoundedBelow() ? iv.lowerBound() : (iv.isBoundedAbove() ? iv.upperBound() - 50 : -25);
    const double hi = iv.isBoundedAbove() ? iv.upperBound() : lo + 50;
    return rng(lo, hi);
}
}  // namespace

TEST(VqGeImpLinearEnt3d, ClosestPointTo_Random_NeverFartherThanSamples) {
    Rng rng;
    for (int n = 0; n < 200; ++n) {
        Lin* e = randomEntity(rng);
        const VqGePoint3d q = rng.point();
        const VqGePoint3d c = e->closestPointTo(q, VqGeContext::gTol);
        EXPECT_TRUE(e->isOn(c));
        const double best = c.distanceTo(q);
        for (int k = 0; k < 40; ++k)
            EXPECT_LE(best, e->pointAt(sampleParam(*e, rng)).distanceTo(q) + 1e-12);
        delete e;
    }
}

TEST(VqGeImpLinearEnt3d, ClosestPointToLine_Random_NeverFartherThanSamplePairs) {
    Rng rng;
    for (int n = 0; n < 150; ++n) {
        Lin* a = randomEntity(rng);
        Lin* b = randomEntity(rng);
        VqGePoint3d onB;
        const VqGePoint3d onA = a->closestPointToLine(*b, onB, VqGeContext::gTol);
        EXPECT_TRUE(a->isOn(onA, VqGeTol()));
        EXPECT_TRUE(b->isOn(onB, VqGeTol()));
        const double best = onA.distanceTo(onB);
        for (int k = 0; k < 40; ++k) {
            const VqGePoint3d pa = a->pointAt(sampleParam(*a, rng));
            const VqGePoint3d pb = b->pointAt(sampleParam(*b, rng));
            EXPECT_LE(best, pa.distanceTo(pb) + 1e-9);
        }
        delete a;
        delete b;
    }
}

TEST(VqGeImpLinearEnt3d, IntersectWith_Random_PointsOnBothAndSymmetric) {
    Rng rng;
    int found = 0;
    for (int n = 0; n < 400; ++n) {
        // Half the pairs are planar so that crossings actually occur.
        const double z = n % 2 ? 0.0 : 1.0;
        Lin* a = randomEntity(rng, z);
        Lin* b = randomEntity(rng, z);
        VqGeCurveIntData ab, ba;
        const VqGeVector3d w(0, 0, 1);
        const int hit = a->intersectWith(*b, w, ab, VqGeContext::gTol);
        EXPECT_EQ(hit, b->intersectWith(*a, w, ba, VqGeContext::gTol));
        ASSERT_EQ(ab.numIntPoints(), ba.numIntPoints());
        for (int i = 0; i < ab.numIntPoints(); ++i) {
            ++found;
            const VqGePoint3d p = ab.intPnt(i);
            EXPECT_LT(a->closestPointTo(p, VqGeContext::gTol).distanceTo(p), 1e-9);
            EXPECT_LT(b->closestPointTo(p, VqGeContext::gTol).distanceTo(p), 1e-9);
            double s1, s2, t1, t2;
            ab.getIntParams(i, s1, s2);
            ba.getIntParams(i, t1, t2);
            EXPECT_NEAR(s1, t2, 1e-9);
            EXPECT_NEAR(s2, t1, 1e-9);
            EXPECT_LT(a->pointAt(s1).distanceTo(p), 1e-9);
            EXPECT_LT(b->pointAt(s2).distanceTo(p), 1e-9);
            int c1, c2, d1, d2;
            ab.getIntConfigs(i, c1, c2);
            ba.getIntConfigs(i, d1, d2);
            EXPECT_EQ(c1, d2);
            EXPECT_EQ(c2, d1);
        }
        delete a;
        delete b;
    }
    EXPECT_GT(found, 20);
}

TEST(VqGeLinearEnt2d, Random_TwoDEqualsLiftedThreeD) {
    Rng rng;
    for (int n = 0; n < 200; ++n) {
        const VqGePoint3d p1 = rng.point(0), p2 = rng.point(0), q1 = rng.point(0),
                          q2 = rng.point(0), probe = rng.point(0);
        const VqGeLineSeg2d a2(VqGePoint2d(p1.x, p1.y), VqGePoint2d(p2.x, p2.y));
        const VqGeRay2d b2(VqGePoint2d(q1.x, q1.y), VqGePoint2d(q2.x, q2.y));
        const VqGeLineSeg3d a3(p1, p2);
        const Lin b3(q1, q2, 1, 0);
        VqGePoint2d hit2;
        VqGePoint3d hit3;
        const int r3 = a3.impLinearEnt()->intersectWithLine(b3, hit3);
        ASSERT_EQ(a2.intersectWith(b2, hit2), r3);
        if (r3) EXPECT_PT2_NEAR(hit2, hit3.x, hit3.y, 1e-12);
        const VqGePoint2d probe2(probe.x, probe.y);
        EXPECT_NEAR(b2.distanceTo(probe2), b3.distanceTo(probe, VqGeContext::gTol), 1e-12);
        EXPECT_NEAR(b2.paramOf(probe2), b3.paramOf(probe, VqGeContext::gTol), 1e-12);
        VqGePoint2d o2;
        const VqGePoint2d m2 = a2.closestPointTo(b2, o2);
        VqGePoint3d o3;
        const VqGePoint3d m3 = a3.impLinearEnt()->closestPointToLine(b3, o3, VqGeContext::gTol);
        EXPECT_PT2_NEAR(m2, m3.x, m3.y, 1e-12);
        EXPECT_PT2_NEAR(o2, o3.x, o3.y, 1e-12);
    }
}

TEST(VqGeImpLinearEnt3d, PointOnCurve_Random_FollowsChangesAndDeletion) {
    Rng rng;
    for (int n = 0; n < 50; ++n) {
        Lin* e = randomEntity(rng);
        const double t = rng(-2, 2);
        VqGeImpPointOnCurve3d pc(e, t);
        EXPECT_LT(pc.point().distanceTo(e->pointAt(t)), 1e-12);
        e->set(rng.point(), rng.vec(), 1, 1);
        EXPECT_LT(pc.point().distanceTo(e->pointAt(t)), 1e-12);
        EXPECT_LT(pc.deriv(1).length() - e->direction().length(), 1e-12);
        const VqGeMatrix3d m = VqGeMatrix3d::rotation(rng(0, 3), rng.vec(), rng.point());
        e->transformBy(m);
        EXPECT_LT(pc.point().distanceTo(e->pointAt(t)), 1e-12);
        e->translateBy(rng.vec());
        EXPECT_LT(pc.point().distanceTo(e->pointAt(t)), 1e-12);
        e->reverseParam();
        EXPECT_LT(pc.point().distanceTo(e->pointAt(t)), 1e-12);
        delete e;
        EXPECT_EQ(pc.curve(), nullptr);
    }
}

TEST(VqGeImpLinearEnt3d, Hooks_ConstructCopySplitDelete_Balance) {
    CountingHooks hooks;
    {
        Rng rng;
        for (int n = 0; n < 30; ++n) {
            Lin* e = randomEntity(rng);
            Lin* c = e->copy();
            VqGeImpCurve3d *a = nullptr, *b = nullptr;
            e->getSplitCurves(0.5, a, b);
            VqGeImpPointOnCurve3d pc(c, 0.25);
            pc.point();
            pc.transformBy(VqGeMatrix3d::translation(VqGeVector3d(1, 0, 0)));
            pc.point();
            VqGeImpEntity3d* off = e->exactOffset(1.0, VqGeVector3d(0, 0, 1), nullptr, nullptr,
                                                  VqGe::kOffsetJoinExtend, VqGeContext::gTol);
            Lin* common = nullptr;
            c->overlap(*e, common);
            delete common;
            delete a;
            delete b;
            delete off;
            delete c;
            delete e;
        }
        VqGeLineSeg3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 1, 1));
        VqGeLineSeg3d copy(seg);
        VqGeCurve3d *a = nullptr, *b = nullptr;
        copy.getSplitCurves(0.5, a, b);
        delete a;
        delete b;
        VqGeLine2d line2;
        line2 = VqGeLine2d(VqGePoint2d(1, 1), VqGeVector2d(1, 0));
    }
    EXPECT_EQ(hooks.outstanding(), 0);
    EXPECT_GT(CountingHooks::allocs(), 100);
}

TEST(VqGeImpLinearEnt3d, Hooks_FailingAllocations_NoCrashNoLeak) {
    CountingHooks hooks;
    for (long k = 0; k < 12; ++k) {
        CountingHooks::failAfter() = k;
        Lin seg(VqGePoint3d(0, 0, 0), VqGePoint3d(2, 0, 0), 1, 1);
        VqGeImpCurve3d *a = nullptr, *b = nullptr;
        seg.getSplitCurves(0.5, a, b);
        EXPECT_EQ(a == nullptr, b == nullptr);
        delete a;
        delete b;
        VqGeImpPointOnCurve3d pc(&seg, 0.5);
        pc.point();
        VqGeLineSeg3d pub(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0));
        VqGeCurve3d *c = nullptr, *d = nullptr;
        pub.getSplitCurves(0.5, c, d);
        delete c;
        delete d;
        CountingHooks::failAfter() = -1;
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}
