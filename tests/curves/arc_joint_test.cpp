// Seeded chains of circular arcs, elliptical arcs and segments meeting end to end: every
// joint reported exactly once, in both orders, in 2D and 3D (tilted out of the XY plane),
// members running either way, with the default tolerance and 1e-9 of the extent.
//
// A chain is first described as pieces in 3D (segment, arc through a bulge, arc about a
// centre, elliptical arc) and then built as 3D curves and, when flat, as 2D curves.
#include "curves/joint_checks.h"
#include "vqge_circarc2d.h"
#include "vqge_circarc3d.h"
#include "vqge_elliparc2d.h"
#include "vqge_elliparc3d.h"
#include "vqge_lineseg2d.h"
#include "vqge_lineseg3d.h"

namespace {
VqGeVector2d flatVec(const VqGeVector3d& v) {
    return VqGeVector2d(v.x, v.y);
}

struct Piece {
    enum Kind { kSeg, kBulge, kCirc, kEllip } kind = kSeg;
    VqGePoint3d p, q;          // segment and bulge ends
    double bulge = 0.0;        // middle of the arc at bulge·|pq|/2 right of pq (about nrm)
    VqGePoint3d c;             // centre of a circle or ellipse
    VqGeVector3d nrm, ref, minor;
    double r = 0.0, r2 = 0.0, sweep = 0.0;
    int reversed = 0;

    VqGePoint3d bulgeMiddle() const {
        const VqGeVector3d chord = q - p;
        VqGeVector3d right = chord.crossProduct(nrm);
        right = right * (bulge * chord.length() / (2.0 * right.length()));
        return p + chord * 0.5 + right;
    }
    VqGeCurve3d* build3d() const {
        VqGeCurve3d* crv = nullptr;
        switch (kind) {
            case kSeg: crv = new VqGeLineSeg3d(p, q); break;
            // No bulge form in 3D: the arc through the middle the 2D bulge form puts there.
            case kBulge: crv = new VqGeCircArc3d(p, bulgeMiddle(), q); break;
            case kCirc: crv = new VqGeCircArc3d(c, nrm, ref, r, 0.0, sweep); break;
            case kEllip: crv = new VqGeEllipArc3d(c, ref, minor, r, r2, 0.0, sweep); break;
        }
        if (reversed) crv->reverseParam();
        return crv;
    }
    VqGeCurve2d* build2d() const {
        VqGeCurve2d* crv = nullptr;
        switch (kind) {
            case kSeg: crv = new VqGeLineSeg2d(jointFlat(p), jointFlat(q)); break;
            case kBulge: crv = new VqGeCircArc2d(jointFlat(p), jointFlat(q), bulge, 0); break;
            case kCirc:
                crv = new VqGeCircArc2d(jointFlat(c), r, 0.0, sweep, flatVec(ref), nrm.z < 0.0);
                break;
            case kEllip:
                crv = new VqGeEllipArc2d(jointFlat(c), flatVec(ref), flatVec(minor), r, r2, 0.0,
                                         sweep);
                break;
        }
        if (reversed) crv->reverseParam();
        return crv;
    }
};

// The size of the numbers an arc is evaluated from: its centre's coordinates and radius (a
// nearly flat arc through a bulge has its centre far beyond its ends).
double pieceScale(const Piece& pc) {
    if (pc.kind == Piece::kSeg) return 0.0;
    VqGeCurve3d* crv = pc.build3d();
    double size = 0.0;
    if (crv->isKindOf(VqGe::kCircArc3d)) {
        const VqGeCircArc3d& arc = *static_cast<VqGeCircArc3d*>(crv);
        const VqGePoint3d c = arc.center();
        size = std::max({std::fabs(c.x), std::fabs(c.y), std::fabs(c.z)}) + arc.radius();
    } else if (crv->isKindOf(VqGe::kEllipArc3d)) {
        const VqGeEllipArc3d& arc = *static_cast<VqGeEllipArc3d*>(crv);
        const VqGePoint3d c = arc.center();
        size = std::max({std::fabs(c.x), std::fabs(c.y), std::fabs(c.z)}) + arc.majorRadius();
    }
    delete crv;
    return size;
}

VqGeCurve3d* buildPiece(JointDim3d, const Piece& pc) {
    return pc.build3d();
}
VqGeCurve2d* buildPiece(JointDim2d, const Piece& pc) {
    return pc.build2d();
}

// The 2D curve must be the 3D one with z dropped, or the 2D chain checks something else.
void expectSameFlat(const Piece& pc) {
    VqGeCurve3d* c3 = pc.build3d();
    VqGeCurve2d* c2 = pc.build2d();
    VqGeInterval i3, i2;
    VqGePoint3d s3, e3;
    VqGePoint2d s2, e2;
    c3->getInterval(i3, s3, e3);
    c2->getInterval(i2, s2, e2);
    const double eps = 1e-9 * (1.0 + s3.asVector().length());
    EXPECT_LT(jointFlat(s3).distanceTo(s2), eps);
    EXPECT_LT(jointFlat(e3).distanceTo(e2), eps);
    const VqGePoint3d m3 = c3->evalPoint(0.5 * (i3.lowerBound() + i3.upperBound()));
    const VqGePoint2d m2 = c2->evalPoint(0.5 * (i2.lowerBound() + i2.upperBound()));
    EXPECT_LT(jointFlat(m3).distanceTo(m2), eps);
    delete c3;
    delete c2;
}

// Checks the pieces as a 3D chain and, when flat, as a 2D chain, with both tolerances.
int checkPieces(const std::vector<Piece>& pieces, int closed, int flat,
                const std::vector<VqGePoint3d>& pts) {
    int joints = 0;
    if (flat)
        for (const Piece& pc : pieces) expectSameFlat(pc);
    for (const VqGeTol& tol : jointTols(pts)) {
        JointChain<JointDim3d> c3;
        c3.closed = closed;
        for (const Piece& pc : pieces) c3.add(buildPiece(JointDim3d(), pc), pieceScale(pc));
        joints += checkChainJoints(c3, tol);
        checkChainCrossings(c3, tol);
        if (!flat) continue;
        JointChain<JointDim2d> c2;
        c2.closed = closed;
        for (const Piece& pc : pieces) c2.add(buildPiece(JointDim2d(), pc), pieceScale(pc));
        joints += checkChainJoints(c2, tol);
        checkChainCrossings(c2, tol);
    }
    return joints;
}

// Edges of the polygon: arcs through a random bulge (now and then nearly flat) mixed with
// segments, every other member reversed when flip is set.
std::vector<Piece> bulgeEdges(JointRandom& rng, const std::vector<VqGePoint3d>& pts,
                              const VqGeVector3d& nrm, int flip) {
    std::vector<Piece> out;
    const int n = static_cast<int>(pts.size());
    for (int i = 0; i < n; ++i) {
        Piece pc;
        pc.p = pts[i];
        pc.q = pts[(i + 1) % n];
        pc.nrm = nrm;
        const double pick = rng(0, 1);
        if (pick > 0.25) {
            pc.kind = Piece::kBulge;
            const double mag = pick > 0.85 ? rng.length(1e-9, 1e-2) : rng(0.05, 1.8);
            pc.bulge = rng(0, 1) < 0.5 ? -mag : mag;
        }
        if (flip && i % 2) {
            std::swap(pc.p, pc.q);
            pc.bulge = -pc.bulge;
        }
        out.push_back(pc);
    }
    return out;
}

// An outline that leaves each piece along its end tangent: segments, fillet arcs, arcs
// continued on their own circle, smaller arcs tangent inside, arcs turning the other way
// and elliptical arcs, about the plane normal nrm.
std::vector<Piece> tangentOutline(JointRandom& rng, int count, const VqGeVector3d& nrm,
                                  int flat, int flip, std::vector<VqGePoint3d>& pts) {
    std::vector<Piece> out;
    VqGePoint3d at(rng(-1e6, 1e6), rng(-1e6, 1e6), flat ? 0.0 : rng(-1e6, 1e6));
    VqGeVector3d dir = jointDirection(rng, flat);
    dir = dir - nrm * dir.dotProduct(nrm);
    dir = dir * (1.0 / dir.length());
    pts.assign(1, at);
    int prev = -1;  // index of the previous piece when it is a circular arc
    for (int i = 0; i < count; ++i) {
        Piece pc;
        const int what = i % 2 == 0 ? 0 : static_cast<int>(rng(1, 5.999));
        if (what == 0 || (what == 2 && prev < 0)) {
            pc.p = at;
            pc.q = at + dir * rng.length(1e-1, 1e5);
        } else if (what == 4) {
            pc.kind = Piece::kEllip;
            const VqGeVector3d up = rng(0, 1) < 0.5 ? nrm : -nrm;
            pc.minor = dir;
            pc.ref = -up.crossProduct(dir);
            pc.r = rng.length(1e-1, 1e5);
            pc.r2 = pc.r * rng(0.05, 1.0);
            pc.c = at - pc.ref * pc.r;
            pc.sweep = rng(0.01, 3.0);
        } else {
            pc.kind = Piece::kCirc;
            if (what == 2) {
                // On the previous arc's circle, or a smaller one tangent inside it.
                const Piece& prevArc = out[prev];
                const double shrink = rng(0, 1) < 0.5 ? 1.0 : rng(0.05, 0.95);
                pc.nrm = prevArc.nrm;
                pc.r = prevArc.r * shrink;
                pc.ref = (at - prevArc.c) * (1.0 / (at - prevArc.c).length());
                pc.c = shrink == 1.0 ? prevArc.c : at - pc.ref * pc.r;
            } else {
                // A fillet, or (3) an arc turning the other way from the previous one.
                pc.nrm = (what == 3 && prev >= 0) ? -out[prev].nrm : (rng(0, 1) < 0.5 ? nrm : -nrm);
                pc.ref = -pc.nrm.crossProduct(dir);
                pc.r = rng.length(1e-1, 1e5);
                pc.c = at - pc.ref * pc.r;
            }
            pc.sweep = rng(0.01, 3.0);
        }
        // Continue from the piece's own end, along its end tangent.
        VqGeCurve3d* crv = pc.build3d();
        VqGeInterval iv;
        VqGePoint3d s, e;
        crv->getInterval(iv, s, e);
        VqArray<VqGeVector3d> d;
        crv->evalPoint(iv.upperBound(), 1, d);
        delete crv;
        if (pc.kind == Piece::kSeg) pc.q = e;
        at = e;
        dir = d[0] * (1.0 / d[0].length());
        pts.push_back(at);
        out.push_back(pc);
        prev = pc.kind == Piece::kCirc ? static_cast<int>(out.size()) - 1 : -1;
    }
    if (flip)
        for (size_t i = 1; i < out.size(); i += 2) out[i].reversed = 1;
    return out;
}
}  // namespace

TEST(CircArc3d, Joints_SeededBulgePolygons_EachJointOnceBothOrders) {
    JointRandom rng(2601u);
    int joints = 0;
    for (int n = 0; n < 36; ++n) {
        // Flat polygons (also checked in 2D) and tilted ones.
        const int flat = n % 2 == 0;
        VqGeVector3d u(1, 0, 0), v(0, 1, 0);
        if (!flat) {
            u = jointDirection(rng, 0);
            v = u.perpVector();
            v = v * (1.0 / v.length());
        }
        std::vector<VqGePoint3d> pts = jointPolygon(rng, 3 + n % 8, 1e6, u, v);
        if (flat)
            for (VqGePoint3d& p : pts) p.z = 0.0;
        for (int flip = 0; flip < 2; ++flip)
            joints += checkPieces(bulgeEdges(rng, pts, u.crossProduct(v), flip), 1, flat, pts);
    }
    EXPECT_GT(joints, 500);
}

TEST(CircArc3d, Joints_SeededTangentOutlines_EachJointOnceBothOrders) {
    JointRandom rng(2602u);
    int joints = 0;
    for (int n = 0; n < 40; ++n) {
        const int flat = n % 2 == 0;
        const VqGeVector3d nrm = flat ? VqGeVector3d(0, 0, 1) : jointDirection(rng, 0);
        std::vector<VqGePoint3d> pts;
        const std::vector<Piece> pieces = tangentOutline(rng, 2 + n % 11, nrm, flat, n % 4 >= 2, pts);
        joints += checkPieces(pieces, 0, flat, pts);
    }
    EXPECT_GT(joints, 500);
}

// Regression: a segment leaving an arc's end along the end tangent was not reported at all
// (the solved touching point rounded off the arc's range), in both orders and for circular
// and elliptical arcs, over seeded arcs at drawing scale.
TEST(CircArc3d, IntersectWith_SegmentLeavingTangentFromArcEnd_ReportsJoint) {
    JointRandom rng(2603u);
    for (int n = 0; n < 200; ++n) {
        const VqGePoint3d c(rng(-1e6, 1e6), rng(-1e6, 1e6), n % 2 ? rng(-1e6, 1e6) : 0.0);
        const VqGeVector3d ref = jointDirection(rng, n % 2 == 0);
        const VqGeVector3d nrm = n % 2 ? ref.perpVector() * (1.0 / ref.perpVector().length())
                                       : VqGeVector3d(0, 0, 1);
        const double r = rng.length(1e-1, 1e5), sweep = rng(0.01, 3.0);
        VqGeCurve3d* arc = n % 4 < 2 ? static_cast<VqGeCurve3d*>(
                                           new VqGeCircArc3d(c, nrm, ref, r, 0.0, sweep))
                                     : new VqGeEllipArc3d(c, ref, nrm.crossProduct(ref), r,
                                                          r * rng(0.05, 1.0), 0.0, sweep);
        VqGeInterval iv;
        VqGePoint3d s, e;
        arc->getInterval(iv, s, e);
        VqArray<VqGeVector3d> d;
        arc->evalPoint(iv.upperBound(), 1, d);
        VqGeLineSeg3d seg(e, e + d[0] * (rng.length(1e-1, 1e5) / d[0].length()));
        const VqGeTol tol = VqGeContext::gTol;
        const double eps = jointTol(tol, e, e, 1.0);
        VqGeCurveCurveInt3d ab(*arc, seg, VqGeVector3d::kIdentity, tol);
        VqGeCurveCurveInt3d ba(seg, *arc, VqGeVector3d::kIdentity, tol);
        ASSERT_EQ(ab.numIntPoints(), 1) << n;
        ASSERT_EQ(ba.numIntPoints(), 1) << n;
        EXPECT_LE(ab.intPoint(0).distanceTo(e), eps) << n;
        EXPECT_LE(ba.intPoint(0).distanceTo(e), eps) << n;
        delete arc;
    }
}
