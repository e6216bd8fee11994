// Joints of segments taken from drawings, and seeded chains of segments: every joint reported
// exactly once, in both orders, in 2D and 3D.
#include "curves/imp_linear_ent3d.h"
#include "curves/joint_checks.h"
#include "vqge_curveintdata.h"
#include "vqge_lineseg2d.h"
#include "vqge_lineseg3d.h"

namespace {
using Lin = VqGeImpLinearEnt3d;

VqGeTol pointTol(double eps) {
    VqGeTol tol;
    tol.setEqualPoint(eps);
    return tol;
}

// The pair through the public intersection in both orders and both dimensions.
struct PairOutcome {
    int points = 0, overlaps = 0;
    VqGePoint3d pnt;
    double t1 = 0, t2 = 0;
    VqGe::VqGeXConfig c1 = VqGe::kNotDefined, c2 = VqGe::kNotDefined;
    VqGeVector3d normal = VqGeVector3d(0, 0, 1);
};

PairOutcome run3d(const VqGeLineSeg3d& a, const VqGeLineSeg3d& b, const VqGeTol& tol) {
    VqGeCurveCurveInt3d cci(a, b, VqGeVector3d::kIdentity, tol);
    PairOutcome out;
    out.normal = cci.planeNormal();
    out.points = cci.numIntPoints();
    out.overlaps = cci.overlapCount();
    if (out.points > 0) {
        out.pnt = cci.intPoint(0);
        cci.getIntParams(0, out.t1, out.t2);
        cci.getIntConfigs(0, out.c1, out.c2);
    }
    return out;
}

PairOutcome run2d(const VqGeLineSeg2d& a, const VqGeLineSeg2d& b, const VqGeTol& tol) {
    VqGeCurveCurveInt2d cci(a, b, tol);
    PairOutcome out;
    out.points = cci.numIntPoints();
    out.overlaps = cci.overlapCount();
    if (out.points > 0) {
        const VqGePoint2d p = cci.intPoint(0);
        out.pnt = VqGePoint3d(p.x, p.y, 0.0);
        cci.getIntParams(0, out.t1, out.t2);
        cci.getIntConfigs(0, out.c1, out.c2);
    }
    return out;
}

// Runs the pair (p1 p2) x (q1 q2) as 3D and 2D segments in both orders; all four must agree.
PairOutcome runAll(const VqGePoint3d& p1, const VqGePoint3d& p2, const VqGePoint3d& q1,
                   const VqGePoint3d& q2, const VqGeTol& tol) {
    const VqGeLineSeg3d a3(p1, p2), b3(q1, q2);
    const VqGeLineSeg2d a2(jointFlat(p1), jointFlat(p2)), b2(jointFlat(q1), jointFlat(q2));
    const PairOutcome ab = run3d(a3, b3, tol), ba = run3d(b3, a3, tol);
    const PairOutcome ab2 = run2d(a2, b2, tol), ba2 = run2d(b2, a2, tol);
    const PairOutcome* others[3] = {&ba, &ab2, &ba2};
    for (int k = 0; k < 3; ++k) {
        const PairOutcome& o = *others[k];
        EXPECT_EQ(o.points, ab.points);
        EXPECT_EQ(o.overlaps, ab.overlaps);
        if (o.points != ab.points || ab.points == 0) continue;
        EXPECT_LT(o.pnt.distanceTo(ab.pnt), 1e-12);
        const int swapped = k != 1;
        EXPECT_EQ(swapped ? o.t2 : o.t1, ab.t1);
        EXPECT_EQ(swapped ? o.t1 : o.t2, ab.t2);
        // A normal derived from the curves turns with their order; where it lies nearly in
        // the plane of the two directions the side of the crossing is noise.
        const VqGeVector3d dd = (p2 - p1).normal().crossProduct((q2 - q1).normal());
        const double sideAb = dd.dotProduct(ab.normal), sideO = dd.dotProduct(o.normal);
        if (std::fabs(sideAb) < 1e-6 || std::fabs(sideO) < 1e-6) continue;
        const int same = (sideAb > 0.0) == (sideO > 0.0);
        const int oc1 = swapped ? o.c2 : o.c1, oc2 = swapped ? o.c1 : o.c2;
        EXPECT_EQ(same ? oc1 : jointFlipSide(oc1), ab.c1);
        EXPECT_EQ(same ? oc2 : jointFlipSide(oc2), ab.c2);
    }
    return ab;
}
}  // namespace

TEST(LineSeg3d, IntersectWith_SharedEndNearlyCollinear_ReportsJoint) {
    const VqGePoint3d p1(-7.629903810568066, 21.17222325025796, 0);
    const VqGePoint3d shared(-13.71414284285492, 17.65948620715426, 0);
    const VqGePoint3d q1(-14.0, 17.49444650052464, 0);
    const PairOutcome r = runAll(p1, shared, q1, shared, pointTol(3.1e-8));
    ASSERT_EQ(r.points, 1);
    EXPECT_EQ(r.overlaps, 0);
    EXPECT_EQ(r.pnt.distanceTo(shared), 0.0);
    EXPECT_EQ(r.t1, 1.0);
    EXPECT_EQ(r.t2, 1.0);
    // Collinear within tolerance: their common part is the one point.
    EXPECT_EQ(r.c1, VqGe::kOverlapTouch);
    EXPECT_EQ(r.c2, VqGe::kOverlapTouch);
}

TEST(LineSeg3d, IntersectWith_EndWithinToleranceCrossingBeyond_ReportsTouch) {
    const VqGePoint3d p1(244.63271628108552, 33.01018420121788, 0),
        p2(244.62333378108553, 33.02448253455121, 0);
    const VqGePoint3d q1(243.88691072552996, 33.94914781232899, 0),
        q2(244.6250865588633, 33.021811145662326, 0);
    const VqGeTol tol = pointTol(5.94e-7);
    const PairOutcome r = runAll(p1, p2, q1, q2, tol);
    ASSERT_EQ(r.points, 1);
    EXPECT_EQ(r.pnt.distanceTo(q2), 0.0);
    EXPECT_EQ(r.t2, 1.0);
    const VqGeLineSeg3d a(p1, p2);
    EXPECT_TRUE(a.isOn(r.pnt, tol));
    EXPECT_LT(a.evalPoint(r.t1).distanceTo(q2), 5.94e-7);
    EXPECT_TRUE(r.c1 == VqGe::kLeftRight || r.c1 == VqGe::kRightLeft);
    EXPECT_NE(r.c1, r.c2);
}

TEST(LineSeg3d, IntersectWith_ShortSegmentAlongLongOne_ReportsOverlap) {
    const VqGePoint3d p1(287.2437286111111, 35.99999999999619, 0),
        shared(287.91360166666664, 38.49999999999619, 0);
    const VqGePoint3d q1(287.89077638888887, 38.41481444444064, 0);
    const VqGeTol tol = pointTol(5.94e-7);
    const PairOutcome r = runAll(p1, shared, q1, shared, tol);
    EXPECT_EQ(r.points, 0);
    ASSERT_EQ(r.overlaps, 1);
    const VqGeLineSeg3d a(p1, shared), b(q1, shared);
    VqGeCurveCurveInt3d cci(a, b, VqGeVector3d::kIdentity, tol);
    VqGeInterval r1, r2;
    cci.getOverlapRanges(0, r1, r2);
    EXPECT_EQ(r1.upperBound(), 1.0);
    EXPECT_EQ(r2.lowerBound(), 0.0);
    EXPECT_EQ(r2.upperBound(), 1.0);
    EXPECT_LT(a.evalPoint(r1.lowerBound()).distanceTo(q1), 5.94e-7);
    EXPECT_EQ(cci.overlapDirection(), 1);
}

TEST(LineSeg3d, IntersectWith_LongPairApartAtFarEnd_SharedStartNoOverlap) {
    const VqGePoint3d o(0, 0, 0);
    const PairOutcome r = runAll(o, VqGePoint3d(1e6, 0, 0), o, VqGePoint3d(1e6, 1e-6, 0),
                                 VqGeContext::gTol);
    EXPECT_EQ(r.overlaps, 0);
    ASSERT_EQ(r.points, 1);
    EXPECT_EQ(r.pnt.distanceTo(o), 0.0);
    EXPECT_EQ(r.t1, 0.0);
    EXPECT_EQ(r.t2, 0.0);
    // The library's own point test agrees that the far ends are apart.
    EXPECT_FALSE(VqGeLineSeg3d(o, VqGePoint3d(1e6, 0, 0)).isOn(VqGePoint3d(1e6, 1e-6, 0)));
}

TEST(LineSeg3d, IntersectWith_ZeroLengthSegmentOnSegment_ReportsTouch) {
    const VqGePoint3d p(3.25, 1.625, 0);
    const PairOutcome r =
        runAll(VqGePoint3d(0, 0, 0), VqGePoint3d(10, 5, 0), p, p, VqGeContext::gTol);
    ASSERT_EQ(r.points, 1);
    EXPECT_EQ(r.overlaps, 0);
    EXPECT_EQ(r.pnt.distanceTo(p), 0.0);
    EXPECT_NEAR(r.t1, 0.325, 1e-15);
    EXPECT_EQ(r.c1, VqGe::kOverlapTouch);
    // Off the segment by more than the tolerance: nothing.
    const VqGePoint3d off(3.25, 1.625 + 1e-6, 0);
    EXPECT_EQ(runAll(VqGePoint3d(0, 0, 0), VqGePoint3d(10, 5, 0), off, off, VqGeContext::gTol)
                  .points,
              0);
}

TEST(LineSeg3d, IntersectWith_CollinearEndToEnd_TouchOrGap) {
    const VqGeTol tol = pointTol(1e-6);
    // Ends 0.5e-6 apart along the line: a touch; 2e-6 apart: nothing.
    for (int k = 0; k < 2; ++k) {
        const double gap = k == 0 ? 0.5e-6 : 2e-6;
        const PairOutcome r = runAll(VqGePoint3d(1e5, 0, 0), VqGePoint3d(1e5 + 10, 0, 0),
                                     VqGePoint3d(1e5 + 10 + gap, 0, 0),
                                     VqGePoint3d(1e5 + 20, 0, 0), tol);
        EXPECT_EQ(r.overlaps, 0);
        EXPECT_EQ(r.points, k == 0 ? 1 : 0);
        if (r.points) {
            EXPECT_EQ(r.c1, VqGe::kOverlapTouch);
        }
    }
}

TEST(LineSeg3d, IntersectWith_TJunctionExactEnd_EndReportedExactly) {
    // The end of the stem lies on the bar; the solved crossing may round, the end may not.
    const VqGePoint3d bar1(123456.789, 98765.4321, 17.5), bar2(123999.125, 99111.0625, 17.5);
    const VqGePoint3d foot = bar1 + (bar2 - bar1) * 0.375;
    const VqGePoint3d top = foot + VqGeVector3d(-345.6, 539.3, 0);
    const VqGeLineSeg3d bar(bar1, bar2), stem(top, foot);
    VqGeCurveCurveInt3d cci(stem, bar);
    ASSERT_EQ(cci.numIntPoints(), 1);
    EXPECT_EQ(cci.intPoint(0).distanceTo(foot), 0.0);
    double t1, t2;
    cci.getIntParams(0, t1, t2);
    EXPECT_EQ(t1, 1.0);
    EXPECT_TRUE(cci.isTransversal(0));
}

// The overlap record of the public linear overlap follows the distance decision too.
TEST(LinearEnt3d, Overlap_LongPairApartAtFarEnd_NoneWithinTolerance_Some) {
    const VqGeLineSeg3d a(VqGePoint3d(0, 0, 0), VqGePoint3d(1e6, 0, 0));
    const VqGeLineSeg3d b(VqGePoint3d(0, 0, 0), VqGePoint3d(1e6, 1e-6, 0));
    VqGeLinearEnt3d* common = nullptr;
    EXPECT_EQ(a.overlap(b, common), 0);
    EXPECT_EQ(common, nullptr);
    EXPECT_EQ(a.overlap(b, common, pointTol(2e-6)), 1);
    ASSERT_NE(common, nullptr);
    delete common;
}

namespace {
VqGeCurve3d* segmentOf(JointDim3d, const VqGePoint3d& p, const VqGePoint3d& q) {
    return new VqGeLineSeg3d(p, q);
}

VqGeCurve2d* segmentOf(JointDim2d, const VqGePoint3d& p, const VqGePoint3d& q) {
    return new VqGeLineSeg2d(jointFlat(p), jointFlat(q));
}

// Segments joining the vertices, closing back to the first when closed; with flip set every
// other segment runs backwards, as segments of drawings do.
template <class Dim>
void joinVertices(JointChain<Dim>& chain, const std::vector<VqGePoint3d>& pts, int closed,
                  int flip) {
    const int n = static_cast<int>(pts.size());
    chain.closed = closed;
    for (int i = 0; i + 1 < n + (closed ? 1 : 0); ++i) {
        const VqGePoint3d& p = pts[i];
        const VqGePoint3d& q = pts[(i + 1) % n];
        chain.add(flip && i % 2 ? segmentOf(Dim(), q, p) : segmentOf(Dim(), p, q));
    }
}

// Both dimensions (the 2D chain drops z), the default tolerance and the host's, segments
// along the chain and every other one reversed.
int checkVertices(const std::vector<VqGePoint3d>& pts, int closed) {
    const std::vector<VqGeTol> tols = jointTols(pts);
    int joints = 0;
    for (int flip = 0; flip < 2; ++flip)
        for (const VqGeTol& tol : tols) {
            JointChain<JointDim3d> c3;
            joinVertices(c3, pts, closed, flip);
            joints += checkChainJoints(c3, tol);
            checkChainCrossings(c3, tol);
            JointChain<JointDim2d> c2;
            joinVertices(c2, pts, closed, flip);
            joints += checkChainJoints(c2, tol);
            checkChainCrossings(c2, tol);
        }
    return joints;
}
}  // namespace

TEST(LineSeg3d, Joints_SeededClosedPolygons_EachJointOnceBothOrders) {
    JointRandom rng(1501u);
    int joints = 0;
    for (int n = 0; n < 40; ++n) {
        // Flat polygons, polygons in a plane z = c, and tilted ones.
        const int kind = n % 3;
        VqGeVector3d u(1, 0, 0), v(0, 1, 0);
        if (kind == 2) {
            u = VqGeVector3d(rng(-1, 1), rng(-1, 1), rng(-1, 1));
            u = u * (1.0 / u.length());
            v = u.perpVector();
        }
        std::vector<VqGePoint3d> pts = jointPolygon(rng, 3 + n % 9, 1e6, u, v);
        if (kind == 0)
            for (VqGePoint3d& p : pts) p.z = 0.0;
        joints += checkVertices(pts, 1);
    }
    EXPECT_GT(joints, 1000);
}

TEST(LineSeg3d, Joints_SeededOpenOutlines_EachJointOnceBothOrders) {
    JointRandom rng(1502u);
    int joints = 0;
    for (int n = 0; n < 40; ++n) joints += checkVertices(jointOutline(rng, 2 + n % 12, 1e6, n % 2), 0);
    EXPECT_GT(joints, 1000);
}
