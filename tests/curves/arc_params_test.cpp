// Arc parameters and shape queries: angle reduction, range tests, closure, reversal, split,
// degeneracy, length, area, sampling, blocks and transformations.
#include "tests/curves/arc_checks.h"
#include "tests/test_helpers.h"
#include "curves/imp_bound_block3d.h"
#include "vqge_curveintdata.h"

using namespace arctest;

TEST(VqGeImpEllipArc3d, AdjustParam_FarAndNearAngles_InWindow) {
    EXPECT_NEAR(VqGeImpEllipArc3d::adjustParam(200.0), std::fmod(200.0, kTwoPi) - 0.0, 1e-12);
    EXPECT_NEAR(VqGeImpEllipArc3d::adjustParam(6.2), 6.2 - kTwoPi, 1e-15);
    EXPECT_NEAR(VqGeImpEllipArc3d::adjustParam(-0.05), -0.05, 0);
    EXPECT_NEAR(VqGeImpEllipArc3d::adjustParam(-0.2), -0.2 + kTwoPi, 1e-15);
    std::mt19937 rng(1);
    for (int i = 0; i < 1000; ++i) {
        const double x = uniform(rng, -1e6, 1e6);
        const double y = VqGeImpEllipArc3d::adjustParam(x);
        EXPECT_GE(y, -0.1);
        EXPECT_LT(y, kTwoPi - 0.1);
        EXPECT_NEAR(std::sin(y), std::sin(x), 1e-9);
    }
    EXPECT_TRUE(std::isnan(VqGeImpEllipArc3d::adjustParam(NAN)));
}

TEST(VqGeImpEllipArc3d, RangeWrap_FarParameters_WholeTurnsWithoutLooping) {
    double t = 1e12;
    EXPECT_TRUE(VqGeImpEllipArc3d::rangeWrap(0.0, kTwoPi, t));
    EXPECT_GE(t, 0.0);
    EXPECT_LE(t, kTwoPi);
    t = 4.0;
    EXPECT_FALSE(VqGeImpEllipArc3d::rangeWrap(0.0, 1.0, t));
    t = NAN;
    EXPECT_FALSE(VqGeImpEllipArc3d::rangeWrap(0.0, 1.0, t));
    t = -INFINITY;
    EXPECT_FALSE(VqGeImpEllipArc3d::rangeWrap(0.0, 1.0, t));
}

TEST(VqGeImpEllipArc3d, ParamOf_RandomArcs_RoundTripsAndCentreGivesZero) {
    std::mt19937 rng(2);
    for (int i = 0; i < 500; ++i) {
        const VqGeImpEllipArc3d arc = randomArc(rng, i % 2, i % 3 == 0);
        EXPECT_EQ(arc.paramOf(arc.center(), VqGeContext::gTol), 0.0);
        const double t = uniform(rng, arc.startParam(), arc.endParam());
        const double back = arc.paramOf(arc.pointAt(t), VqGeContext::gTol);
        EXPECT_LE(arc.pointAt(back).distanceTo(arc.pointAt(t)), 1e-12);
        EXPECT_GE(back, arc.startParam() - 1e-12);
        EXPECT_LE(back, arc.endParam() + 1e-12);
        double p;
        EXPECT_TRUE(arc.isOn(arc.pointAt(t), p, VqGeContext::gTol));
        EXPECT_TRUE(arc.isOn(t + 4 * kTwoPi, VqGeContext::gTol));
        EXPECT_FALSE(arc.isOn(arc.pointAt(t) + arc.normal() * 1e-6, p, VqGeContext::gTol));
    }
}

TEST(VqGeImpEllipArc3d, IsOn_OutsideRange_OnlyNearTheEnds) {
    VqGeImpEllipArc3d arc(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 2, 1, 0,
                          0.5 * kPi);
    double p;
    EXPECT_FALSE(arc.isOn(arc.pointAt(kPi), p, VqGeContext::gTol));
    EXPECT_TRUE(arc.isOn(arc.pointAt(-1e-12), p, VqGeContext::gTol));
    EXPECT_FALSE(arc.isOn(3.0, VqGeContext::gTol));
    EXPECT_TRUE(arc.isWithinBounds(arc.pointAt(1.0), VqGeContext::gTol));
    EXPECT_FALSE(arc.isWithinBounds(arc.pointAt(4.0), VqGeContext::gTol));
}

TEST(VqGeImpEllipArc3d, IsClosed_ThreeQuarterTurn_NeverClosed) {
    VqGeImpEllipArc3d arc(VqGePoint3d(), VqGeVector3d(0, 0, 1), 0.0);  // zero radius
    arc.setAngles(0.0, 1.5 * kPi, 0);
    EXPECT_FALSE(arc.isClosed(VqGeContext::gTol));
    arc.setAngles(0.0, kTwoPi, 0);
    EXPECT_TRUE(arc.isClosed(VqGeContext::gTol));
    double period = 0;
    EXPECT_TRUE(arc.isPeriodic(period, 0));
    EXPECT_EQ(period, kTwoPi);
}

TEST(VqGeImpEllipArc3d, ReverseParam_Random_PointsSwapEndsAndTwiceIsIdentity) {
    std::mt19937 rng(4);
    for (int i = 0; i < 200; ++i) {
        VqGeImpEllipArc3d arc = randomArc(rng, i % 2, 0);
        const VqGeImpEllipArc3d orig(arc);
        arc.reverseParam();
        const double s = arc.startParam(), e = arc.endParam();
        for (int k = 0; k <= 8; ++k) {
            const double t = s + (e - s) * k / 8;
            EXPECT_LE(arc.pointAt(s + e - t).distanceTo(orig.pointAt(t)), 1e-12);
        }
        arc.reverseParam();
        for (int k = 0; k <= 8; ++k) {
            const double t = s + (e - s) * k / 8;
            EXPECT_LE(arc.pointAt(t).distanceTo(orig.pointAt(t)), 1e-12);
        }
    }
}

TEST(VqGeImpEllipArc3d, GetInterval_Flags_OneTurnAtTheKeptEnd) {
    VqGeImpEllipArc3d arc(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 1, 1, 1, 2);
    VqGeImpInterval iv;
    arc.getInterval(iv, 0, 0);
    EXPECT_EQ(iv.lowerBound(), 1.0);
    EXPECT_EQ(iv.upperBound(), 2.0);
    arc.getInterval(iv, 1, 0);
    EXPECT_EQ(iv.lowerBound(), 2.0 - kTwoPi);
    arc.getInterval(iv, 0, 1);
    EXPECT_EQ(iv.upperBound(), 1.0 + kTwoPi);
    arc.setInterval(VqGeImpInterval(0.5, 0.7), 1);
    EXPECT_EQ(arc.startParam(), 0.5);
    arc.setInterval();
    EXPECT_EQ(arc.endParam(), kTwoPi);
}

TEST(VqGeImpEllipArc3d, GetSplitCurves_InsideAndAtEnds_PiecesOrNone) {
    VqGeImpEllipArc3d arc(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 2, 1, 0, 3);
    VqGeImpCurve3d *a = nullptr, *b = nullptr;
    arc.getSplitCurves(1.0 + kTwoPi, a, b);
    ASSERT_TRUE(a && b);
    const VqGeImpEllipArc3d& p1 = *static_cast<VqGeImpEllipArc3d*>(a);
    const VqGeImpEllipArc3d& p2 = *static_cast<VqGeImpEllipArc3d*>(b);
    EXPECT_NEAR(p1.endParam(), 1.0, 1e-12);
    EXPECT_NEAR(p2.startParam(), 1.0, 1e-12);
    EXPECT_LE(p1.endPoint().distanceTo(p2.startPoint()), 1e-15);
    delete a;
    delete b;
    arc.getSplitCurves(0.0, a, b);
    EXPECT_TRUE(a == nullptr && b == nullptr);
    arc.getSplitCurves(4.0, a, b);
    EXPECT_TRUE(a == nullptr && b == nullptr);
}

TEST(VqGeImpEllipArc3d, IsDegenerate_FlatAndPointArcs_SegmentSpansTheCover) {
    VqGeImpEllipArc3d flat(VqGePoint3d(1, 0, 0), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 3, 0,
                           -1.0, 2.0);
    VqGe::EntityId id;
    ASSERT_TRUE(flat.isDegenerate(id, VqGeContext::gTol));
    EXPECT_EQ(id, VqGe::kLineSeg3d);
    VqGeImpEntity3d* ent = nullptr;
    ASSERT_TRUE(flat.isDegenerate(ent, VqGeContext::gTol));
    ASSERT_TRUE(ent != nullptr);
    const VqGeImpLinearEnt3d& seg = *static_cast<VqGeImpLinearEnt3d*>(ent);
    // The angle 0 lies on [-1, 2]: the segment reaches the vertex at x = 4.
    EXPECT_NEAR(std::max(seg.startPoint().x, seg.endPoint().x), 4.0, 1e-15);
    EXPECT_NEAR(std::min(seg.startPoint().x, seg.endPoint().x), 1.0 + 3 * std::cos(2.0), 1e-15);
    delete ent;
    VqGeImpEllipArc3d dot(VqGePoint3d(1, 2, 3), VqGeVector3d(0, 0, 1), 0.0);
    ASSERT_TRUE(dot.isDegenerate(id, VqGeContext::gTol));
    EXPECT_EQ(id, VqGe::kPosition3d);
    VqGeImpEllipArc3d tiny(VqGePoint3d(), VqGeVector3d(0, 0, 1), 1.0);
    tiny.setAngles(0.0, 1e-11, 0);
    EXPECT_TRUE(tiny.isDegenerate(id, VqGeContext::gTol));
    VqGeImpEllipArc3d fine;
    EXPECT_FALSE(fine.isDegenerate(id, VqGeContext::gTol));
}

TEST(VqGeImpEllipArc3d, LengthAndArea_FullTurns_KnownValues) {
    VqGeImpEllipArc3d unit;
    double area = 0;
    ASSERT_TRUE(unit.area(0, kTwoPi, area, VqGeContext::gTol));
    EXPECT_NEAR(area, kPi, 1e-14);
    EXPECT_FALSE(unit.area(0, 7.0, area, VqGeContext::gTol));
    EXPECT_NEAR(unit.length(0, kTwoPi, 1e-10), kTwoPi, 1e-14);
    EXPECT_NEAR(unit.length(0, 1.0, 1e-10), 1.0, 1e-14);
    // Ellipse a = 2, b = 1: circumference 9.688448220547675.
    VqGeImpEllipArc3d ell(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 2, 1);
    EXPECT_NEAR(ell.length(0, kTwoPi, 1e-10), 9.688448220547675, 1e-8);
    EXPECT_NEAR(ell.length(0, 3 * kTwoPi, 1e-10), 3 * 9.688448220547675, 1e-7);
}

TEST(VqGeImpEllipArc3d, Length_RandomEllipseArcs_AgreesWithPolygon) {
    std::mt19937 rng(6);
    for (int i = 0; i < 60; ++i) {
        const VqGeImpEllipArc3d arc = randomArc(rng, 0, 0);
        double poly = 0;
        const int n = 20000;
        VqGePoint3d prev = arc.startPoint();
        for (int k = 1; k <= n; ++k) {
            const VqGePoint3d p =
                arc.pointAt(arc.startParam() + (arc.endParam() - arc.startParam()) * k / n);
            poly += p.distanceTo(prev);
            prev = p;
        }
        const double len = arc.length(arc.startParam(), arc.endParam(), 1e-10);
        EXPECT_NEAR(len, poly, 1e-6 * len);
        // Back again: the parameter at that length is the end.
        const double t = arc.paramAtLength(arc.startParam(), len * 0.4, 1, 1e-10);
        EXPECT_NEAR(arc.length(arc.startParam(), t, 1e-10), 0.4 * len, 1e-7 * len);
    }
}

TEST(VqGeImpEllipArc3d, GetSamplePoints_ZeroTolerance_CapsTheCount) {
    VqGeImpEllipArc3d arc;
    VqGeImpPointOnCurve3d work;
    VqArray<VqGePoint3d> pts;
    VqArray<double> params;
    VqArray<VqGeVector3d> d1;
    ASSERT_TRUE(arc.getSamplePoints(0, kTwoPi, 0.0, work, pts, params, &d1, nullptr));
    EXPECT_GT(pts.length(), 2);
    EXPECT_LE(pts.length(), 1501);
    EXPECT_EQ(d1.length(), pts.length());
    for (int i = 0; i < pts.length(); ++i)
        EXPECT_LE(pts[i].distanceTo(arc.pointAt(params[i])), 1e-12);
    EXPECT_TRUE(arc.getSamplePoints(0, 1e9, 1e-3, work, pts, params, nullptr, nullptr));
    EXPECT_EQ(pts.length(), 1501);
    EXPECT_FALSE(arc.getSamplePoints(0, NAN, 1e-3, work, pts, params, nullptr, nullptr));
    // The chord error stays within the requested tolerance.
    ASSERT_TRUE(arc.getSamplePoints(0, 2.0, 1e-4, work, pts, params, nullptr, nullptr));
    for (int i = 1; i < pts.length(); ++i) {
        const VqGePoint3d mid((pts[i].x + pts[i - 1].x) / 2, (pts[i].y + pts[i - 1].y) / 2, 0);
        EXPECT_LE(1.0 - mid.distanceTo(VqGePoint3d()), 1e-4 + 1e-12);
    }
}

TEST(VqGeImpEllipArc3d, BoundBlock_RandomArcs_HoldsEverySampleAndIsTight) {
    std::mt19937 rng(7);
    for (int i = 0; i < 300; ++i) {
        VqGeImpEllipArc3d arc = randomArc(rng, i % 3 == 0, i % 2);
        if (i % 10 == 0) arc.setRadii(arc.majorRadius(), 0.0);  // flat arcs too
        if (i % 7 == 0) arc.setAngles(arc.startAngle(), arc.startAngle() + kTwoPi, 0);
        VqGeImpInterval iv;
        arc.getInterval(iv, 0, 0);
        for (int oriented = 0; oriented < 2; ++oriented) {
            const VqGeImpBoundBlock3d block = arc.boundBlock(3, iv, oriented);
            VqGePoint3d lo(1e300, 1e300, 1e300), hi(-1e300, -1e300, -1e300);
            for (int k = 0; k <= 2000; ++k) {
                const VqGePoint3d p =
                    arc.pointAt(arc.startParam() + (arc.endParam() - arc.startParam()) * k / 2000);
                EXPECT_TRUE(block.contains(p, 1e-9)) << i << " oriented " << oriented;
                for (unsigned c = 0; c < 3; ++c) {
                    lo[c] = std::min(lo[c], p[c]);
                    hi[c] = std::max(hi[c], p[c]);
                }
            }
            if (!oriented) {
                VqGePoint3d bmin, bmax;
                block.getMinMaxPoints(bmin, bmax);
                for (unsigned c = 0; c < 3; ++c) {
                    EXPECT_NEAR(bmin[c], lo[c], 1e-3) << i;
                    EXPECT_NEAR(bmax[c], hi[c], 1e-3) << i;
                }
            }
        }
    }
}

TEST(VqGeImpEllipArc3d, BoundBlock_FlatFullEllipse_CoversBothVertices) {
    VqGeImpEllipArc3d flat(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 5, 0);
    VqGeImpInterval iv;
    flat.getInterval(iv, 0, 0);
    VqGePoint3d lo, hi;
    flat.boundBlock(3, iv, 0).getMinMaxPoints(lo, hi);
    EXPECT_NEAR(lo.x, -5.0, 1e-7);
    EXPECT_NEAR(hi.x, 5.0, 1e-7);
}

TEST(VqGeImpEllipArc3d, TransformBy_NonSimilarity_EvaluatesOntoTransformedPoints) {
    std::mt19937 rng(8);
    for (int i = 0; i < 200; ++i) {
        VqGeImpEllipArc3d arc = randomArc(rng, i % 2, i % 3 == 0);
        const VqGeImpEllipArc3d orig(arc);
        VqGeMatrix3d m;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c) m(r, c) = uniform(rng, -2, 2);
        if (i % 4 == 0) {  // a pure non-uniform scale
            m = VqGeMatrix3d();
            m(0, 0) = 3.0;
            m(1, 1) = 0.5;
        }
        arc.transformBy(m);
        EXPECT_NEAR(arc.majorAxis().length(), 1.0, 1e-12);
        EXPECT_NEAR(arc.minorAxis().length(), 1.0, 1e-12);
        EXPECT_NEAR(arc.majorAxis().dotProduct(arc.minorAxis()), 0.0, 1e-12);
        EXPECT_GE(arc.majorRadius(), arc.minorRadius());
        for (int k = 0; k <= 16; ++k) {
            const double t = orig.startParam() + (orig.endParam() - orig.startParam()) * k / 16;
            VqGePoint3d expected = orig.pointAt(t);
            expected.transformBy(m);
            EXPECT_LE(arc.pointAt(t).distanceTo(expected), 1e-11 * (1 + expected.asVector().length()))
                << i;
        }
        // The closed forms follow the new shape: the closest point is on the new curve.
        const VqGePoint3d probe = arc.center() + arc.majorAxis() * 10.0;
        EXPECT_LE(arc.closestPointTo(probe, VqGeContext::gTol).distanceTo(probe),
                  sampledDistance(arc, probe, 4000) + 1e-9);
    }
}

TEST(VqGeCircArc3d, TransformBy_NonUniformScale_CircleBecomesEllipse) {
    VqGeCircArc3d arc(VqGePoint3d(1, 1, 0), VqGeVector3d(0, 0, 1), 2.0);
    VqGeMatrix3d m;
    m(0, 0) = 2.0;
    arc.transformBy(m);
    EXPECT_FALSE(arc.impEllipArc()->isCircular());
    EXPECT_NEAR(arc.impEllipArc()->majorRadius(), 4.0, 1e-14);
    EXPECT_NEAR(arc.impEllipArc()->minorRadius(), 2.0, 1e-14);
    EXPECT_NEAR(arc.length(0, kTwoPi), 19.376896441095350, 1e-7);
}

TEST(VqGeImpEllipArc3d, ScaleBy_NegativeFactor_PointReflectionKeepsRadiiPositive) {
    VqGeImpEllipArc3d arc(VqGePoint3d(1, 0, 0), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 2, 1,
                          0, 1);
    const VqGePoint3d p = arc.pointAt(0.5);
    arc.scaleBy(-2.0, VqGePoint3d(0, 0, 0));
    EXPECT_EQ(arc.majorRadius(), 4.0);
    EXPECT_EQ(arc.minorRadius(), 2.0);
    EXPECT_PT3_NEAR(arc.pointAt(0.5), -2 * p.x, -2 * p.y, 0, 1e-14);
    arc.translateBy(VqGeVector3d(1, 1, 1));
    EXPECT_PT3_NEAR(arc.center(), -1, 1, 1, 1e-15);
}

TEST(VqGeImpEllipArc3d, Evaluate_PointOnCurve_DerivativesMatchDifferences) {
    std::mt19937 rng(9);
    for (int i = 0; i < 50; ++i) {
        const VqGeImpEllipArc3d arc = randomArc(rng, 0, 0);
        const double t = uniform(rng, arc.startParam(), arc.endParam()), h = 1e-5;
        VqGeImpPointOnCurve3d pc(&arc, t);
        const VqGeVector3d d1 = (arc.pointAt(t + h) - arc.pointAt(t - h)) / (2 * h);
        EXPECT_LE((pc.deriv(1) - d1).length(), 1e-8);
        EXPECT_LE((pc.deriv(2) - (arc.center() - arc.pointAt(t))).length(), 1e-12);
        EXPECT_LE((pc.deriv(3) + pc.deriv(1)).length(), 1e-12);
        EXPECT_LE(pc.point().distanceTo(arc.pointAt(t)), 1e-12);
        VqArray<VqGeVector3d> ds;
        VqGeImpEllipArc3d copy(arc);
        copy.evalPoint(t, 5, ds);
        ASSERT_EQ(ds.length(), 5);
        EXPECT_LE((ds[4] - ds[0]).length(), 1e-12);
    }
}

TEST(VqGeImpEllipArc3d, IsEqualToAndOverlap_SameCircleDifferentArcs) {
    VqGeImpEllipArc3d a(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 1, 1, 0, 1);
    VqGeImpEllipArc3d b(a);
    EXPECT_TRUE(a.isEqualTo(b));
    b.setAngles(0, 2, 0);
    EXPECT_FALSE(a.isEqualTo(b));
    int same = -1;
    EXPECT_TRUE(a.unboundedOverlap(b, same, VqGeContext::gTol));
    EXPECT_EQ(same, 1);
    b.reverseParam();
    EXPECT_TRUE(a.unboundedOverlap(b, same, VqGeContext::gTol));
    EXPECT_EQ(same, 0);
    VqGeImpEllipArc3d c(VqGePoint3d(), VqGeVector3d(0, 0, 1), 2.0);
    EXPECT_FALSE(a.unboundedOverlap(c, same, VqGeContext::gTol));
    EXPECT_TRUE(a.isInside(VqGePoint3d(0.5, 0, 0)));
    EXPECT_FALSE(a.isInside(VqGePoint3d(1, 0, 0)));
    EXPECT_FALSE(a.isInside(VqGePoint3d(0.5, 0, 1)));
}
