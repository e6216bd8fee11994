// The polyline's chain of line segments and the intersections that run through it, against a
// segment-by-segment reference on seeded planar polylines at drawing scale.
#include "fit_checks.h"
#include "compound/imp_composite_curve3d.h"
#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "vqge_curveintdata.h"

using namespace fittest;

namespace {

const double kOff = 1e6;

// n planar vertices near (kOff, kOff, z) taking steps of about s in every direction.
VqArray<VqGePoint3d> planarPoints(Rng& rng, int n, double s, double z = 5.0) {
    VqArray<VqGePoint3d> pts;
    VqGePoint3d p(kOff + rng(-s, s), kOff + rng(-s, s), z);
    for (int i = 0; i < n; ++i) {
        pts.append(p);
        p += VqGeVector3d(rng(-s, s), rng(-s, s), 0.0);
    }
    return pts;
}

VqGePoint3d pointAt(const VqGeImpCurve3d& c, double t) {
    return const_cast<VqGeImpCurve3d&>(c).evalPoint(t);
}

// Points of a record, and those of every segment of poly against other, merged within eps.
void addUnique(VqArray<VqGePoint3d>& out, const VqGePoint3d& p, double eps) {
    for (int i = 0; i < out.length(); ++i)
        if (out[i].distanceTo(p) <= eps) return;
    out.append(p);
}

VqArray<VqGePoint3d> bySegments(const VqGeImpPolyline3d& poly, const VqGeImpCurve3d& other,
                                const VqGeTol& tol, double eps) {
    VqArray<VqGePoint3d> out;
    const VqArray<VqGePoint3d>& v = poly.getFitPoints();
    for (int i = 0; i + 1 < v.length(); ++i) {
        if (v[i] == v[i + 1]) continue;
        const VqGeImpLinearEnt3d seg(v[i], v[i + 1], 1, 1);
        VqGeCurveIntData rec;
        seg.intersectWith(other, VqGeVector3d(), rec, tol);
        for (int k = 0; k < rec.numIntPoints(); ++k) addUnique(out, rec.intPnt(k), eps);
    }
    return out;
}

// Every reported point lies on both curves at its parameters, no point is reported twice,
// and the points are those of the reference.
void checkAgainst(const VqGeImpPolyline3d& poly, const VqGeImpCurve3d& other,
                  const VqGeCurveIntData& rec, const VqArray<VqGePoint3d>& ref, double eps) {
    EXPECT_EQ(rec.numOverlap(), 0);
    ASSERT_EQ(rec.numIntPoints(), ref.length());
    for (int k = 0; k < rec.numIntPoints(); ++k) {
        double t1, t2;
        rec.getIntParams(k, t1, t2);
        const VqGePoint3d p = rec.intPnt(k);
        EXPECT_LE(pointAt(poly, t1).distanceTo(p), eps) << k;
        EXPECT_LE(pointAt(other, t2).distanceTo(p), eps) << k;
        int near = 0;
        for (int j = 0; j < ref.length(); ++j) near += ref[j].distanceTo(p) <= eps;
        EXPECT_EQ(near, 1) << k;
        for (int j = 0; j < k; ++j) EXPECT_GT(rec.intPnt(j).distanceTo(p), eps) << k << " " << j;
    }
}

// The record of (b, a) is that of (a, b) with the parameters swapped.
void checkSwapped(const VqGeCurveIntData& ab, const VqGeCurveIntData& ba, double eps) {
    ASSERT_EQ(ab.numIntPoints(), ba.numIntPoints());
    for (int k = 0; k < ab.numIntPoints(); ++k) {
        double s1, s2;
        ab.getIntParams(k, s1, s2);
        int found = 0;
        for (int j = 0; j < ba.numIntPoints(); ++j) {
            double t1, t2;
            ba.getIntParams(j, t1, t2);
            if (ba.intPnt(j).distanceTo(ab.intPnt(k)) <= eps &&
                std::fabs(t1 - s2) <= eps && std::fabs(t2 - s1) <= eps)
                ++found;
        }
        EXPECT_EQ(found, 1) << k;
    }
}

// Drawing-scale tolerance of the random cases, and the distance within which points agree.
const VqGeTol kTol = tolOfPoint(1e-7);
const double kEps = 1e-6;

// poly against other in both orders, each checked; the number of points found.
int checkBothOrders(const VqGeImpPolyline3d& poly, const VqGeImpCurve3d& other) {
    VqGeCurveIntData rec, rev;
    poly.intersectWith(other, VqGeVector3d(), rec, kTol);
    checkAgainst(poly, other, rec, bySegments(poly, other, kTol, kEps), kEps);
    other.intersectWith(poly, VqGeVector3d(), rev, kTol);
    checkSwapped(rec, rev, kEps);
    return rec.numIntPoints();
}

}  // namespace

TEST(VqGeImpPolyline3d, CompositeCurve_RandomPolylines_SegmentsMatchVertices) {
    Rng rng(4401u);
    for (int k = 0; k < 40; ++k) {
        VqArray<VqGePoint3d> pts = planarPoints(rng, rng.pick(2, 12), 1e3, rng(-1e6, 1e6));
        if (k % 3 == 0) pts.insertAt(1, pts[1]);  // a repeated vertex gives no member
        double t = rng(-50, 50);
        VqGeKnotVector kv(0, 8, 1e-9);
        for (int i = 0; i < pts.length(); ++i)
            kv.append(t += (i && pts[i] == pts[i - 1]) ? 0.0 : rng(0.1, 3.0));
        const VqGeImpPolyline3d chord(pts), sampled(kv, pts);
        const double eps = allowance(pts, 1e-11);
        VqGeImpCompositeCurve3d* comp = sampled.compositeCurve();
        ASSERT_NE(comp, nullptr);
        EXPECT_EQ(comp->numCurves(), pts.length() - 1 - (k % 3 == 0));
        VqArray<double> breaks;
        comp->getSegParams(breaks);
        for (int m = 0; m < comp->numCurves(); ++m) {
            const VqGeImpCurve3d* seg = comp->curveAt(m);
            EXPECT_EQ(seg->type(1), VqGe::kLineSeg3d);
            // Each member runs between consecutive vertices, and the map back is linear on it.
            for (double f : {0.0, 0.3, 1.0}) {
                const double g = breaks[m] + f * (breaks[m + 1] - breaks[m]);
                const VqGePoint3d p = pointAt(*comp, g);
                const double tp = sampled.polylineParamOf(*comp, g);
                EXPECT_LE(pointAt(sampled, tp).distanceTo(p), eps) << k << " " << m;
            }
        }
        // A chord-length polyline shares its parameters with a chain of two or more segments
        // (a single segment keeps its own).
        VqGeImpCompositeCurve3d* chain = chord.compositeCurve();
        ASSERT_NE(chain, nullptr);
        for (int s = 0; chain->numCurves() > 1 && s <= 8; ++s) {
            const double g = chord.endParam() * s / 8.0;
            EXPECT_LE(pointAt(*chain, g).distanceTo(pointAt(chord, g)), eps) << k;
        }
        delete chain;
        delete comp;
    }
}

TEST(VqGeImpPolyline3d, CompositeCurve_Degenerate_NullOrClosedChain) {
    VqArray<VqGePoint3d> same;
    for (int i = 0; i < 3; ++i) same.append(VqGePoint3d(kOff, kOff, 1));
    EXPECT_EQ(VqGeImpPolyline3d(same).compositeCurve(), nullptr);
    EXPECT_EQ(VqGeImpPolyline3d().compositeCurve(), nullptr);
    Rng rng(4402u);
    const VqGeImpPolyline3d loop(randomLoop(rng, 7, 1e3, kOff));
    VqGeImpCompositeCurve3d* comp = loop.compositeCurve();
    ASSERT_NE(comp, nullptr);
    EXPECT_TRUE(comp->isClosed(VqGeContext::gTol));
    delete comp;
    // A polyline of one point meets nothing, and asking does not fail.
    VqGeCurveIntData rec;
    const VqGeImpLinearEnt3d seg(VqGePoint3d(kOff - 1, kOff, 1), VqGePoint3d(kOff + 1, kOff, 1),
                                 1, 1);
    VqGeImpPolyline3d(same).intersectWith(seg, VqGeVector3d(), rec, kTol);
    EXPECT_EQ(rec.numOverlap(), 0);
}

TEST(VqGeImpPolyline3d, IntersectWith_RandomSegmentsAndArcs_MatchesSegmentBySegment) {
    Rng rng(4403u);
    int total = 0;
    for (int k = 0; k < 60; ++k) {
        const VqArray<VqGePoint3d> pts = planarPoints(rng, rng.pick(3, 15), 1e3);
        double t = 0.0;
        VqGeKnotVector kv(0, 8, 1e-9);
        for (int i = 0; i < pts.length(); ++i) kv.append(t += rng(0.5, 2.0));
        const VqGeImpPolyline3d poly = k % 2 ? VqGeImpPolyline3d(pts) : VqGeImpPolyline3d(kv, pts);
        const VqGePoint3d c = pts[rng.pick(0, pts.length() - 1)];
        const VqGeImpLinearEnt3d seg(c + VqGeVector3d(rng(-3e3, 3e3), rng(-3e3, 3e3), 0),
                                     c + VqGeVector3d(rng(-3e3, 3e3), rng(-3e3, 3e3), 0), 1, 1);
        const VqGeImpEllipArc3d arc(c + VqGeVector3d(rng(-5e2, 5e2), rng(-5e2, 5e2), 0),
                                    VqGeVector3d(0, 0, 1), rng(2e2, 2e3));
        const VqGeImpCurve3d* others[2] = {&seg, &arc};
        for (const VqGeImpCurve3d* other : others) total += checkBothOrders(poly, *other);
    }
    EXPECT_GT(total, 60);  // the samples do cross
}

TEST(VqGeImpPolyline3d, IntersectWith_RandomPolylines_BothOrdersAgree) {
    Rng rng(4404u);
    int total = 0;
    for (int k = 0; k < 40; ++k) {
        const VqGeImpPolyline3d a(planarPoints(rng, rng.pick(2, 12), 1e3));
        VqArray<VqGePoint3d> q = planarPoints(rng, rng.pick(2, 12), 1e3);
        // Every third pair shares a vertex: the meeting point comes once.
        if (k % 3 == 0)
            q[rng.pick(0, q.length() - 1)] = a.fitPointAt(rng.pick(0, a.numFitPoints() - 1));
        total += checkBothOrders(a, VqGeImpPolyline3d(q));
    }
    EXPECT_GT(total, 40);
}

// Through a vertex: one point, on the vertex's knot exactly, whichever curve asks.
TEST(VqGeImpPolyline3d, IntersectWith_ThroughVertex_ReportedOnceOnItsKnot) {
    VqArray<VqGePoint3d> pts;
    pts.append(VqGePoint3d(kOff, kOff, 0));
    pts.append(VqGePoint3d(kOff + 10, kOff + 10, 0));
    pts.append(VqGePoint3d(kOff + 20, kOff, 0));
    VqGeKnotVector kv(0, 8, 1e-9);
    kv.append(2.0);
    kv.append(7.0);
    kv.append(8.5);
    const VqGeImpPolyline3d poly(kv, pts);
    const VqGeImpLinearEnt3d seg(VqGePoint3d(kOff + 10, kOff - 5, 0),
                                 VqGePoint3d(kOff + 10, kOff + 20, 0), 1, 1);
    VqArray<VqGePoint3d> qs;
    qs.append(VqGePoint3d(kOff, kOff + 20, 0));
    qs.append(pts[1]);
    qs.append(VqGePoint3d(kOff + 20, kOff + 20, 0));
    const VqGeImpPolyline3d touching(qs);
    const VqGeTol tol = tolOfPoint(1e-9);
    const VqGeImpCurve3d* others[2] = {&seg, &touching};
    for (const VqGeImpCurve3d* other : others) {
        VqGeCurveIntData rec, rev;
        poly.intersectWith(*other, VqGeVector3d(), rec, tol);
        other->intersectWith(poly, VqGeVector3d(), rev, tol);
        ASSERT_EQ(rec.numIntPoints(), 1);
        ASSERT_EQ(rev.numIntPoints(), 1);
        double t1, t2, r1, r2;
        rec.getIntParams(0, t1, t2);
        rev.getIntParams(0, r1, r2);
        EXPECT_EQ(t1, 7.0);
        EXPECT_EQ(r2, 7.0);
        EXPECT_EQ(t2, r1);
        EXPECT_LE(rec.intPnt(0).distanceTo(pts[1]), 1e-9);
    }
}

// An edge lying along a segment is one overlap, its bounds on the polyline's knots.
TEST(VqGeImpPolyline3d, IntersectWith_AlongAnEdge_OverlapOnKnots) {
    VqArray<VqGePoint3d> pts;
    pts.append(VqGePoint3d(kOff, kOff, 0));
    pts.append(VqGePoint3d(kOff + 10, kOff, 0));
    pts.append(VqGePoint3d(kOff + 20, kOff, 0));
    pts.append(VqGePoint3d(kOff + 20, kOff + 10, 0));
    VqGeKnotVector kv(0, 8, 1e-9);
    for (double t : {0.0, 1.0, 3.0, 4.0}) kv.append(t);
    const VqGeImpPolyline3d poly(kv, pts);
    const VqGeImpLinearEnt3d seg(VqGePoint3d(kOff + 5, kOff, 0), VqGePoint3d(kOff + 15, kOff, 0),
                                 1, 1);
    VqGeCurveIntData rec;
    poly.intersectWith(seg, VqGeVector3d(), rec, tolOfPoint(1e-9));
    ASSERT_EQ(rec.numOverlap(), 1);
    EXPECT_EQ(rec.numIntPoints(), 0);
    VqGeImpInterval r1, r2;
    VqGePoint3d s, e;
    int same;
    ASSERT_TRUE(rec.getOverlap(0, r1, r2, s, e, same));
    EXPECT_NEAR(r1.lowerBound(), 0.5, 1e-9);
    EXPECT_NEAR(r1.upperBound(), 2.0, 1e-9);
    EXPECT_TRUE(same);
}
