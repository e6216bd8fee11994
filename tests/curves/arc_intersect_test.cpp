// Arc intersections with lines, arcs and planes: membership of every point, completeness
// against a dense sign-change scan, symmetry of the record, 2D against a tilted 3D copy,
// tangency, drawing scale, and joints of chains.
#include <algorithm>
#include <cfloat>
#include <vector>

#include "tests/curves/arc_checks.h"
#include "tests/test_helpers.h"
#include "surfaces/imp_planar_ent.h"
#include "vqge_curveintdata.h"

using namespace arctest;

namespace {
// Arc parameters where the signed function g changes sign between dense samples.
template <class G>
std::vector<double> signChanges(const VqGeImpEllipArc3d& arc, G g, int n = 20000) {
    std::vector<double> out;
    double prevT = arc.startParam(), prev = g(arc.pointAt(prevT));
    for (int k = 1; k <= n; ++k) {
        const double t = arc.startParam() + (arc.endParam() - arc.startParam()) * k / n;
        const double v = g(arc.pointAt(t));
        if ((prev < 0) != (v < 0)) out.push_back(0.5 * (t + prevT));
        prev = v;
        prevT = t;
    }
    return out;
}

int countNear(const VqGePoint3d* pts, int num, const VqGePoint3d& p, double eps) {
    int n = 0;
    for (int i = 0; i < num; ++i)
        if (pts[i].distanceTo(p) <= eps) ++n;
    return n;
}

VqGeImpLinearEnt3d randomSegment(std::mt19937& rng, int planar) {
    const VqGePoint3d a(uniform(rng, -9, 9), uniform(rng, -9, 9), planar ? 0 : uniform(rng, -1, 1));
    const VqGePoint3d b(uniform(rng, -9, 9), uniform(rng, -9, 9), planar ? 0 : uniform(rng, -1, 1));
    return VqGeImpLinearEnt3d(a, b, 1, 1);
}
}  // namespace

TEST(VqGeImpEllipArc3d, IntersectWithLine_RandomPlanarPairs_OnBothAndNoneMissing) {
    std::mt19937 rng(31);
    int total = 0;
    for (int i = 0; i < 400; ++i) {
        const VqGeImpEllipArc3d arc = randomArc(rng, i % 2, 1);
        const VqGeImpLinearEnt3d seg = randomSegment(rng, 1);
        VqGePoint3d pts[2];
        int num = 0, tangent = 0;
        arc.intersectWithLine(seg, num, pts[0], pts[1], tangent, VqGeContext::gTol);
        total += num;
        for (int k = 0; k < num; ++k) {
            EXPECT_TRUE(onArc(arc, pts[k], 1e-9)) << i;
            EXPECT_TRUE(onLine(seg, pts[k], 1e-9)) << i;
        }
        const VqGeVector3d d = seg.direction();
        const VqGeVector3d m(-d.y, d.x, 0);
        const auto side = [&](const VqGePoint3d& p) { return (p - seg.pointOnLine()).dotProduct(m); };
        for (double t : signChanges(arc, side)) {
            const VqGePoint3d p = arc.pointAt(t);
            const double q = seg.paramOf(p, VqGeContext::gTol);
            if (q < 1e-6 || q > 1 - 1e-6) continue;
            EXPECT_EQ(countNear(pts, num, p, 1e-3), 1) << i << " crossing at t " << t;
        }
    }
    EXPECT_GT(total, 50);
}

TEST(VqGeImpEllipArc3d, IntersectWithArc_RandomCirclePairs_OnBothAndNoneMissing) {
    std::mt19937 rng(32);
    int total = 0;
    for (int i = 0; i < 400; ++i) {
        const int planar = i % 2;
        const VqGeImpEllipArc3d a = randomArc(rng, 1, planar);
        VqGeImpEllipArc3d b = randomArc(rng, 1, planar);
        if (!planar) {  // the same plane, another centre
            const VqGePoint3d c = a.center() + a.majorAxis() * uniform(rng, -4, 4) +
                                  a.minorAxis() * uniform(rng, -4, 4);
            b.set(c, a.majorAxis(), a.minorAxis(), b.majorRadius(), b.majorRadius(),
                  b.startAngle(), b.endAngle());
        }
        VqGePoint3d pts[2];
        int num = 0, tangent = 0;
        a.intersectWithArc(b, num, pts[0], pts[1], tangent, VqGeContext::gTol);
        total += num;
        for (int k = 0; k < num; ++k) {
            EXPECT_TRUE(onArc(a, pts[k], 1e-9)) << i;
            EXPECT_TRUE(onArc(b, pts[k], 1e-9)) << i;
        }
        const auto power = [&](const VqGePoint3d& p) {
            return p.distanceTo(b.center()) - b.majorRadius();
        };
        for (double t : signChanges(a, power)) {
            const VqGePoint3d p = a.pointAt(t);
            if (sampledDistance(b, p, 20000) > 2e-3) continue;  // off the other arc's range
            double bt = b.paramOf(p, VqGeContext::gTol);
            if (bt - b.startParam() < 1e-6 || b.endParam() - bt < 1e-6) continue;
            EXPECT_EQ(countNear(pts, num, p, 1e-3), 1) << i;
        }
    }
    EXPECT_GT(total, 50);
}

TEST(VqGeImpEllipArc3d, IntersectWith_RecordBothWays_ExchangedParamsAndMirroredConfigs) {
    std::mt19937 rng(33);
    int seen = 0;
    for (int i = 0; i < 300; ++i) {
        const VqGeImpEllipArc3d a = randomArc(rng, 1, 1);
        const VqGeImpEllipArc3d b = randomArc(rng, 1, 1);
        const VqGeImpLinearEnt3d seg = randomSegment(rng, 1);
        const VqGeImpCurve3d* others[2] = {&b, &seg};
        for (const VqGeImpCurve3d* other : others) {
            VqGeCurveIntData ab, ba;
            a.intersectWith(*other, VqGeVector3d(0, 0, 1), ab, VqGeContext::gTol);
            other->intersectWith(a, VqGeVector3d(0, 0, 1), ba, VqGeContext::gTol);
            ASSERT_EQ(ab.numIntPoints(), ba.numIntPoints()) << i;
            for (int k = 0; k < ab.numIntPoints(); ++k) {
                ++seen;
                int match = -1;
                for (int j = 0; j < ba.numIntPoints(); ++j)
                    if (ab.intPnt(k).distanceTo(ba.intPnt(j)) < 1e-9) match = j;
                ASSERT_GE(match, 0) << i;
                double p1, p2, q1, q2;
                int c1, c2, e1, e2;
                ab.getIntParams(k, p1, p2);
                ba.getIntParams(match, q1, q2);
                ab.getIntConfigs(k, c1, c2);
                ba.getIntConfigs(match, e1, e2);
                EXPECT_NEAR(p1, q2, 1e-9);
                EXPECT_NEAR(p2, q1, 1e-9);
                EXPECT_EQ(c1, e2);
                EXPECT_EQ(c2, e1);
                if (c1 == VqGe::kLeftRight) {
                    EXPECT_EQ(c2, VqGe::kRightLeft);
                }
                if (c1 == VqGe::kRightLeft) {
                    EXPECT_EQ(c2, VqGe::kLeftRight);
                }
                EXPECT_LE(a.pointAt(p1).distanceTo(ab.intPnt(k)), 1e-9);
            }
        }
    }
    EXPECT_GT(seen, 50);
}

TEST(VqGeCircArc2d, IntersectWith_TiltedThreeDimensionalCopy_SamePoints) {
    std::mt19937 rng(34);
    for (int i = 0; i < 200; ++i) {
        const VqGePoint2d c1(uniform(rng, -5, 5), uniform(rng, -5, 5)), c2(uniform(rng, -5, 5), uniform(rng, -5, 5));
        const double r1 = uniform(rng, 1, 4), r2 = uniform(rng, 1, 4);
        const double s1 = uniform(rng, 0, 6), s2 = uniform(rng, 0, 6);
        const VqGeCircArc2d a(c1, r1, s1, s1 + uniform(rng, 1, 6));
        const VqGeCircArc2d b(c2, r2, s2, s2 + uniform(rng, 1, 6), VqGeVector2d(1, 0), i % 2);
        const VqGeLineSeg2d seg(VqGePoint2d(uniform(rng, -9, 9), uniform(rng, -9, 9)),
                                VqGePoint2d(uniform(rng, -9, 9), uniform(rng, -9, 9)));
        const VqGeMatrix3d rot =
            VqGeMatrix3d::rotation(uniform(rng, 0.2, 1.2), randomUnit(rng), VqGePoint3d(1, 2, 3));
        const auto lift = [&](const VqGeCircArc2d& arc) {
            VqGeCircArc3d out(VqGePoint3d(arc.center().x, arc.center().y, 0),
                              VqGeVector3d(0, 0, arc.isClockWise() ? -1 : 1),
                              VqGeVector3d(arc.refVec().x, arc.refVec().y, 0), arc.radius(),
                              arc.startAng(), arc.endAng());
            out.transformBy(rot);
            return out;
        };
        VqGeCircArc3d a3 = lift(a), b3 = lift(b);
        VqGeLineSeg3d seg3(VqGePoint3d(seg.startPoint().x, seg.startPoint().y, 0),
                           VqGePoint3d(seg.endPoint().x, seg.endPoint().y, 0));
        seg3.transformBy(rot);
        int n2 = 0, n3 = 0;
        VqGePoint2d p[2];
        VqGePoint3d q[2];
        a.intersectWith(b, n2, p[0], p[1]);
        a3.intersectWith(b3, n3, q[0], q[1]);
        ASSERT_EQ(n2, n3) << i;
        for (int k = 0; k < n2; ++k) {
            VqGePoint3d lifted(p[k].x, p[k].y, 0);
            lifted.transformBy(rot);
            EXPECT_EQ(countNear(q, n3, lifted, 1e-9), 1) << i;
        }
        a.intersectWith(seg, n2, p[0], p[1]);
        a3.intersectWith(seg3, n3, q[0], q[1]);
        ASSERT_EQ(n2, n3) << i;
        for (int k = 0; k < n2; ++k) {
            VqGePoint3d lifted(p[k].x, p[k].y, 0);
            lifted.transformBy(rot);
            EXPECT_EQ(countNear(q, n3, lifted, 1e-9), 1) << i;
        }
    }
}

TEST(VqGeImpEllipArc3d, IntersectWithPlane_AtRadiusDistance_OneTangentPoint) {
    const VqGeImpEllipArc3d circle(VqGePoint3d(1, 1, 1), VqGeVector3d(0, 0, 1), 2.0);
    const VqGeImpPlanarEnt touching(VqGePoint3d(3, 0, 0), VqGeVector3d(1, 0, 0));
    int num = 0, tangent = 0;
    VqGePoint3d p1, p2;
    ASSERT_TRUE(circle.intersectWithPlane(touching, num, p1, p2, tangent, VqGeContext::gTol));
    EXPECT_EQ(num, 1);
    EXPECT_EQ(tangent, 1);
    EXPECT_PT3_NEAR(p1, 3, 1, 1, 1e-15);
    const VqGeImpPlanarEnt across(VqGePoint3d(2, 0, 0), VqGeVector3d(1, 0, 0));
    ASSERT_TRUE(circle.intersectWithPlane(across, num, p1, p2, tangent, VqGeContext::gTol));
    EXPECT_EQ(num, 2);
    EXPECT_EQ(tangent, 0);
    EXPECT_NEAR(p1.x, 2.0, 1e-14);
    EXPECT_NEAR(std::fabs(p1.y - 1.0), std::sqrt(3.0), 1e-14);
    const VqGeImpPlanarEnt parallel(VqGePoint3d(0, 0, 1), VqGeVector3d(0, 0, 1));
    EXPECT_FALSE(circle.intersectWithPlane(parallel, num, p1, p2, tangent, VqGeContext::gTol));
    EXPECT_EQ(num, 0);
    const VqGeImpPlanarEnt missing(VqGePoint3d(3.1, 0, 0), VqGeVector3d(1, 0, 0));
    EXPECT_FALSE(circle.intersectWithPlane(missing, num, p1, p2, tangent, VqGeContext::gTol));
}

TEST(VqGeCircArc3d, IntersectWith_PlaneRandom_PointsOnBoth) {
    std::mt19937 rng(35);
    for (int i = 0; i < 200; ++i) {
        const VqGeImpEllipArc3d imp = randomArc(rng, 1, 0);
        const VqGeCircArc3d arc(imp.center(), imp.normal(), imp.majorAxis(), imp.majorRadius(),
                                imp.startAngle(), imp.endAngle());
        const VqGePlane plane(imp.center() + randomUnit(rng) * uniform(rng, 0, 3), randomUnit(rng));
        int num = 0;
        VqGePoint3d p[2];
        arc.intersectWith(plane, num, p[0], p[1]);
        for (int k = 0; k < num; ++k) {
            EXPECT_NEAR(plane.signedDistanceTo(p[k]), 0.0, 1e-12);
            EXPECT_TRUE(onArc(*arc.impEllipArc(), p[k], 1e-9));
        }
        const auto side = [&](const VqGePoint3d& q) { return plane.signedDistanceTo(q); };
        int expected = 0;
        for (double t : signChanges(*arc.impEllipArc(), side)) {
            (void)t;
            ++expected;
        }
        EXPECT_EQ(num, expected) << i;
    }
}

TEST(VqGeImpEllipArc3d, IntersectWithArc_CentresAtDrawingScale_CrossingsOnBothCircles) {
    std::mt19937 rng(36);
    for (int i = 0; i < 200; ++i) {
        const double scale = i < 100 ? 1e7 : 1e8;
        const VqGePoint3d c1(uniform(rng, -scale, scale), uniform(rng, -scale, scale), 0);
        const double r1 = uniform(rng, 10, 1e4), r2 = uniform(rng, 10, 1e4);
        const double dist = uniform(rng, std::fabs(r1 - r2) * 1.01 + 1e-3, (r1 + r2) * 0.99);
        const double ang = uniform(rng, 0, kTwoPi);
        const VqGePoint3d c2 = c1 + VqGeVector3d(std::cos(ang), std::sin(ang), 0) * dist;
        const VqGeImpEllipArc3d a(c1, VqGeVector3d(0, 0, 1), r1), b(c2, VqGeVector3d(0, 0, 1), r2);
        VqGePoint3d p[2];
        int num = 0, tangent = 0;
        ASSERT_TRUE(a.intersectWithArc(b, num, p[0], p[1], tangent, VqGeContext::gTol)) << i;
        EXPECT_EQ(num, 2);
        const double eps = 8 * 2.3e-16 * scale;
        for (int k = 0; k < num; ++k) {
            EXPECT_NEAR(p[k].distanceTo(c1), r1, eps) << i;
            EXPECT_NEAR(p[k].distanceTo(c2), r2, eps) << i;
        }
    }
    // A small circle on the rim of a large one, either arc first. Regression: the radical
    // line, nearly tangent to the large circle, cut it where the rounding of R² put the
    // points 1e-7 off the small circle.
    for (int i = 0; i < 200; ++i) {
        const VqGePoint3d c1(uniform(rng, -1e6, 1e6), uniform(rng, -1e6, 1e6), 0);
        const double r1 = std::exp(uniform(rng, std::log(1e3), std::log(1e7)));
        const double r2 = std::exp(uniform(rng, std::log(1e-2), std::log(10.0)));
        const double dist = r1 + r2 * uniform(rng, -0.99, 0.99);
        const double ang = uniform(rng, 0, kTwoPi);
        const VqGePoint3d c2 = c1 + VqGeVector3d(std::cos(ang), std::sin(ang), 0) * dist;
        const VqGeImpEllipArc3d a(c1, VqGeVector3d(0, 0, 1), r1), b(c2, VqGeVector3d(0, 0, 1), r2);
        const double size = std::max({std::fabs(c1.x), std::fabs(c1.y)}) + r1;
        const double eps = 8 * DBL_EPSILON * size;
        for (int order = 0; order < 2; ++order) {
            VqGePoint3d p[2];
            int num = 0, tangent = 0;
            (order ? b : a).intersectWithArc(order ? a : b, num, p[0], p[1], tangent,
                                             VqGeContext::gTol);
            EXPECT_EQ(num, 2) << i;
            for (int k = 0; k < num; ++k) {
                EXPECT_NEAR(p[k].distanceTo(c1), r1, eps) << i;
                EXPECT_NEAR(p[k].distanceTo(c2), r2, eps) << i;
            }
        }
    }
}

TEST(VqGeImpEllipArc3d, IntersectWith_ChainJoints_EachReportedOnce) {
    const VqGeTol& tol = VqGeContext::gTol;
    const VqGeVector3d up(0, 0, 1);
    // A segment ending where an arc starts, crossing into it at an angle.
    const VqGeImpLinearEnt3d seg(VqGePoint3d(-1, -1, 0), VqGePoint3d(1, 0, 0), 1, 1);
    const VqGeImpEllipArc3d quarter(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 1,
                                    1, 0, 0.5 * kPi);
    // A segment continuing the arc tangentially at its end, and one leading into its start.
    const VqGeImpLinearEnt3d tangentOut(VqGePoint3d(0, 1, 0), VqGePoint3d(-3, 1, 0), 1, 1);
    const VqGeImpLinearEnt3d tangentIn(VqGePoint3d(1, -2, 0), VqGePoint3d(1, 0, 0), 1, 1);
    // An arc of the same circle continuing it, and a smaller arc continuing it tangentially.
    const VqGeImpEllipArc3d sameCircle(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0),
                                       1, 1, 0.5 * kPi, kPi);
    const VqGeImpEllipArc3d smaller(VqGePoint3d(0, 0.5, 0), VqGeVector3d(1, 0, 0),
                                    VqGeVector3d(0, 1, 0), 0.5, 0.5, 0.5 * kPi, kPi);
    const VqGeImpCurve3d* others[5] = {&seg, &tangentOut, &tangentIn, &sameCircle, &smaller};
    const VqGePoint3d joints[5] = {VqGePoint3d(1, 0, 0), VqGePoint3d(0, 1, 0), VqGePoint3d(1, 0, 0),
                                   VqGePoint3d(0, 1, 0), VqGePoint3d(0, 1, 0)};
    for (int k = 0; k < 5; ++k) {
        for (int order = 0; order < 2; ++order) {
            VqGeCurveIntData data;
            if (order == 0)
                quarter.intersectWith(*others[k], up, data, tol);
            else
                others[k]->intersectWith(quarter, up, data, tol);
            ASSERT_EQ(data.numIntPoints(), 1) << "joint " << k << " order " << order;
            EXPECT_LE(data.intPnt(0).distanceTo(joints[k]), 1e-12) << k;
            EXPECT_EQ(data.numOverlap(), 0) << k;
        }
    }
    // The same joints far from the origin.
    const VqGeVector3d far(3e7, -7e7, 0);
    VqGeImpEllipArc3d q2(quarter), s2(smaller);
    q2.translateBy(far);
    s2.translateBy(far);
    VqGeImpLinearEnt3d t2(tangentOut);
    t2.translateBy(far);
    VqGeCurveIntData data;
    q2.intersectWith(t2, up, data, tol);
    EXPECT_EQ(data.numIntPoints(), 1);
    q2.intersectWith(s2, up, data, tol);
    EXPECT_EQ(data.numIntPoints(), 1);
}

TEST(VqGeCurveCurveInt3d, SegmentAndArc_TransformedArc_ResultFollows) {
    VqGeLineSeg3d seg(VqGePoint3d(-3, 0.5, 0), VqGePoint3d(3, 0.5, 0));
    VqGeCircArc3d arc(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 0, 1), 1.0);
    VqGeCurveCurveInt3d cci(seg, arc);
    ASSERT_EQ(cci.numIntPoints(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(cci.intPoint(i).y, 0.5, 1e-15);
        EXPECT_NEAR(std::fabs(cci.intPoint(i).x), std::sqrt(0.75), 1e-15);
        EXPECT_TRUE(cci.isTransversal(i));
    }
    arc.transformBy(VqGeMatrix3d::translation(VqGeVector3d(0, -0.5, 0)));
    ASSERT_EQ(cci.numIntPoints(), 1);
    EXPECT_PT3_NEAR(cci.intPoint(0), 0, 0.5, 0, 1e-12);
    EXPECT_TRUE(cci.isTangential(0));
    arc.setRadius(0.25);
    EXPECT_EQ(cci.numIntPoints(), 0);
}

TEST(VqGeEllipArc3d, ProjIntersectWith_LineAboveThePlane_PairsAlignedAlongTheDirection) {
    std::mt19937 rng(37);
    int pairs = 0;
    for (int i = 0; i < 200; ++i) {
        const VqGeImpEllipArc3d imp = randomArc(rng, i % 2, 1);
        const VqGeEllipArc3d arc(imp.center(), imp.majorAxis(), imp.minorAxis(), imp.majorRadius(),
                                 imp.minorRadius(), imp.startAngle(), imp.endAngle());
        const VqGeLineSeg3d seg(VqGePoint3d(uniform(rng, -9, 9), uniform(rng, -9, 9), 5),
                                VqGePoint3d(uniform(rng, -9, 9), uniform(rng, -9, 9), 7));
        const VqGeVector3d w(0, 0, 1);
        int num = 0;
        VqGePoint3d a1, a2, l1, l2;
        arc.projIntersectWith(seg, w, num, a1, a2, l1, l2);
        const VqGePoint3d onArcPts[2] = {a1, a2}, onLinePts[2] = {l1, l2};
        for (int k = 0; k < num; ++k, ++pairs) {
            EXPECT_TRUE(onArc(imp, onArcPts[k], 1e-9)) << i;
            EXPECT_TRUE(seg.isOn(onLinePts[k], VqGeTol())) << i;
            EXPECT_NEAR(onArcPts[k].x, onLinePts[k].x, 1e-9) << i;
            EXPECT_NEAR(onArcPts[k].y, onLinePts[k].y, 1e-9) << i;
        }
        // The same as the plane intersection of the segment's shadow.
        const VqGeLineSeg3d shadow(VqGePoint3d(seg.startPoint().x, seg.startPoint().y, 0),
                                   VqGePoint3d(seg.endPoint().x, seg.endPoint().y, 0));
        int numShadow = 0;
        VqGePoint3d s1, s2;
        arc.intersectWith(shadow, numShadow, s1, s2);
        EXPECT_EQ(num, numShadow) << i;
    }
    EXPECT_GT(pairs, 20);
}
