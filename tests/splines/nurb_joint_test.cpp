// Seeded chains of NURBS curves, polylines, segments and arcs meeting end to end: every
// joint reported exactly once, in both orders, in 2D and 3D, members running either way,
// with the default tolerance and 1e-9 of the extent.
#include "splines/spline_joint_pieces.h"

namespace {
const unsigned kSplineKinds = (1u << SplinePiece::kSeg) | (1u << SplinePiece::kNurb) |
                              (1u << SplinePiece::kArcNurb) | (1u << SplinePiece::kPoly);

// Members along the vertices, every other one reversed when flip is set.
std::vector<SplinePiece> splineEdges(JointRandom& rng, const std::vector<VqGePoint3d>& pts,
                                     int closed, const VqGeVector3d& nrm, int flip) {
    std::vector<SplinePiece> out;
    const int n = static_cast<int>(pts.size());
    for (int i = 0; i + 1 < n + (closed ? 1 : 0); ++i) {
        out.push_back(splineBetween(rng, pts[i], pts[(i + 1) % n], nrm, kSplineKinds));
        out.back().reversed = flip && i % 2;
    }
    return out;
}

// An outline leaving each member along its end tangent: splines after segments and arcs,
// segments and arcs after splines, splines after splines.
std::vector<SplinePiece> tangentChain(JointRandom& rng, int count, const VqGeVector3d& nrm,
                                      int flat, int flip, std::vector<VqGePoint3d>& pts) {
    VqGePoint3d at(rng(-1e6, 1e6), rng(-1e6, 1e6), flat ? 0.0 : rng(-1e6, 1e6));
    VqGeVector3d dir = jointDirection(rng, flat);
    dir = dir - nrm * dir.dotProduct(nrm);
    dir = dir * (1.0 / dir.length());
    std::vector<SplinePiece> out;
    pts.assign(1, at);
    for (int i = 0; i < count; ++i) {
        const unsigned kinds = i % 2 ? (1u << SplinePiece::kNurb)
                                     : (1u << SplinePiece::kSeg) | (1u << SplinePiece::kArc) |
                                           (1u << SplinePiece::kNurb);
        out.push_back(splineTangent(rng, at, dir, nrm, rng.length(1e-1, 1e5), kinds));
        at = out.back().end();
        dir = out.back().endTangent();
        pts.push_back(at);
    }
    if (flip)
        for (size_t i = 1; i < out.size(); i += 2) out[i].reversed = 1;
    return out;
}
}  // namespace

TEST(NurbCurve3d, Joints_SeededChains_EachJointOnceBothOrders) {
    JointRandom rng(3101u);
    int joints = 0;
    for (int n = 0; n < 48; ++n) {
        // Closed polygons (flat, or tilted with members leaving their plane) and open outlines.
        const int flat = n % 2 == 0, closed = n % 4 < 2;
        SCOPED_TRACE(testing::Message() << "chain " << n);
        VqGeVector3d nrm;
        const std::vector<VqGePoint3d> pts = splineChainVertices(rng, n, 3 + n % 7, 2 + n % 9, nrm);
        joints += checkSplineChain(splineEdges(rng, pts, closed, nrm, n % 8 >= 4), closed, flat,
                                   pts);
    }
    EXPECT_GT(joints, 500);
}

TEST(NurbCurve3d, Joints_SeededTangentChains_EachJointOnceBothOrders) {
    JointRandom rng(3102u);
    int joints = 0;
    for (int n = 0; n < 60; ++n) {
        const int flat = n % 2 == 0;
        SCOPED_TRACE(testing::Message() << "chain " << n);
        const VqGeVector3d nrm = flat ? VqGeVector3d(0, 0, 1) : jointDirection(rng, 0);
        std::vector<VqGePoint3d> pts;
        const std::vector<SplinePiece> pieces = tangentChain(rng, 2 + n % 8, nrm, flat, n % 4 >= 2, pts);
        joints += checkSplineChain(pieces, 0, flat, pts);
    }
    EXPECT_GT(joints, 450);
}

// Regression: the generic solver accepted a crossing once the two curves' points lay within
// eight units in the last place of their coordinates and reported the first curve's point,
// up to that far from the second curve (here 4.1e-10 off the NURBS arc, where the rounding
// of the coordinates allows 2.5e-10). The polyline's last segment and the tiny arc beyond
// its end cross a second time 6e-3 from the joint.
TEST(NurbCurve3d, Joints_PolylineThenTinyArc_SecondCrossingOnBoth) {
    SplinePiece poly, arc;
    poly.kind = SplinePiece::kPoly;
    poly.pts = {{-116109.0067367001, -278407.30944160558, 0},
                {-115959.84141723116, -278822.86474277964, 0},
                {-115927.7746681718, -279943.44893243082, 0}};
    arc.kind = SplinePiece::kArcNurb;
    arc.pts = {{-115927.7746681718, -279943.44893243082, 0},
               {-115927.79466623091, -279943.42302899249, 0},
               {-115927.82152272502, -279943.4417276344, 0}};
    checkSplineChain({poly, arc}, 0, 1, poly.pts);
}

// Regression: the tangential joint of this segment and the cubic leaving it, NURBS first,
// took the sampled search about 13 seconds (the segment, asked first, was sampled like a
// curve and halved to the last depth all along the contact); the answer was right.
TEST(NurbCurve3d, Joints_SegmentThenTangentCubic3d_ReportedOnce) {
    SplinePiece seg, cubic;
    seg.pts = {{274159.17704672483, -819344.27337566367, 855138.83694517997},
               {274165.88249522116, -819368.33789864474, 855159.40238489758}};
    cubic.kind = SplinePiece::kNurb;
    cubic.degree = 3;
    cubic.reversed = 1;
    cubic.pts = {{274165.88249522116, -819368.33789864474, 855159.40238489758},
                 {274179.7208148996, -819418.00087974186, 855201.84415882151},
                 {274237.90679147199, -819484.90199680871, 855196.64443799946},
                 {274205.06371974357, -819510.18683899031, 855281.16881371813}};
    std::vector<VqGePoint3d> pts = seg.pts;
    pts.push_back(cubic.pts.back());
    checkSplineChain({seg, cubic}, 0, 0, pts);
}

// Regression: a rational spline's clamped end evaluated many units in the last place away
// from its end control point at drawing scale, so a joint found exactly at the end parameter
// evaluated off the vertex. Ends of seeded splines (rational or not, degrees 1 to 5, either
// way) evaluate onto their vertices within the rounding of the weight division, with and
// without derivatives, in 3D and 2D.
TEST(NurbCurve3d, EvalPoint_RationalEndsAtDrawingScale_OnEndVertices) {
    JointRandom rng(3103u);
    for (int n = 0; n < 300; ++n) {
        const VqGePoint3d p(rng(-1e6, 1e6), rng(-1e6, 1e6), rng(-1e6, 1e6));
        const VqGePoint3d q = p + jointDirection(rng, 0) * rng.length(1e-2, 1e5);
        SplinePiece pc = splineBetween(rng, p, q, VqGeVector3d(0, 0, 0), 1u << SplinePiece::kNurb);
        pc.degree = 1 + n % 5;
        while (static_cast<int>(pc.pts.size()) < pc.degree + 1 + n % 3)
            pc.pts.insert(pc.pts.end() - 1, splineOffChord(rng, p, q, VqGeVector3d(), rng(0, 1), 0.3));
        pc.weights.clear();
        if (n % 4)
            for (size_t i = 0; i < pc.pts.size(); ++i) pc.weights.push_back(rng.length(0.1, 10.0));
        pc.reversed = n % 2;
        VqGeCurve3d* c3 = pc.build3d();
        VqGeCurve2d* c2 = pc.build2d();
        VqGeInterval iv;
        c3->getInterval(iv);
        const double ends[2] = {iv.lowerBound(), iv.upperBound()};
        for (int e = 0; e < 2; ++e) {
            const VqGePoint3d& want = (e == 0) != (pc.reversed != 0) ? pc.pts.front() : pc.pts.back();
            const double eps = 2.0 * DBL_EPSILON *
                               std::max({std::fabs(want.x), std::fabs(want.y), std::fabs(want.z)});
            VqArray<VqGeVector3d> d3;
            VqArray<VqGeVector2d> d2;
            EXPECT_LE(c3->evalPoint(ends[e]).distanceTo(want), eps) << n << " " << e;
            EXPECT_LE(c3->evalPoint(ends[e], 2, d3).distanceTo(want), eps) << n << " " << e;
            EXPECT_LE(c2->evalPoint(ends[e]).distanceTo(jointFlat(want)), eps) << n << " " << e;
            EXPECT_LE(c2->evalPoint(ends[e], 1, d2).distanceTo(jointFlat(want)), eps) << n << " " << e;
        }
        delete c3;
        delete c2;
    }
}
