// Chain members for the joint checks of splines, polylines and composites: a member is first
// described in 3D (segment, three-point arc, NURBS from control points, NURBS from an arc,
// polyline through points) and then built as a 3D curve and, when flat, as a 2D curve with
// z dropped. Seeded makers draw members between two vertices and tangent continuations.
#ifndef VQGE_TESTS_SPLINE_JOINT_PIECES_H
#define VQGE_TESTS_SPLINE_JOINT_PIECES_H

#include <cstdio>
#include <string>

#include "curves/joint_checks.h"
#include "vqge_circarc2d.h"
#include "vqge_circarc3d.h"
#include "vqge_elliparc2d.h"
#include "vqge_elliparc3d.h"
#include "vqge_knotvector.h"
#include "vqge_lineseg2d.h"
#include "vqge_lineseg3d.h"
#include "vqge_nurbcurve2d.h"
#include "vqge_nurbcurve3d.h"
#include "vqge_polyline2d.h"
#include "vqge_polyline3d.h"

struct SplinePiece {
    enum Kind { kSeg, kArc, kNurb, kArcNurb, kPoly } kind = kSeg;
    // Segment ends, arc start/middle/end, control points or polyline points.
    std::vector<VqGePoint3d> pts;
    std::vector<double> weights;  // empty: non-rational
    int degree = 1;
    int reversed = 0;

    VqGePoint3d start() const { return pts.front(); }
    VqGePoint3d end() const { return pts.back(); }

    // Clamped, uniform interior knots.
    VqGeKnotVector knots() const {
        const int n = static_cast<int>(pts.size());
        std::vector<double> k;
        for (int i = 0; i <= degree; ++i) k.push_back(0.0);
        for (int i = 1; i < n - degree; ++i) k.push_back(i);
        for (int i = 0; i <= degree; ++i) k.push_back(n - degree);
        return VqGeKnotVector(static_cast<int>(k.size()), k.data());
    }
    template <class P>
    static VqArray<P> array(const std::vector<VqGePoint3d>& src, P (*conv)(const VqGePoint3d&)) {
        VqArray<P> out;
        for (const VqGePoint3d& p : src) out.append(conv(p));
        return out;
    }
    static VqGePoint3d same(const VqGePoint3d& p) { return p; }
    VqArray<double> weightArray() const {
        VqArray<double> w;
        for (double x : weights) w.append(x);
        return w;
    }

    VqGeCurve3d* build3d() const {
        VqGeCurve3d* crv = nullptr;
        switch (kind) {
            case kSeg: crv = new VqGeLineSeg3d(pts[0], pts[1]); break;
            case kArc: crv = new VqGeCircArc3d(pts[0], pts[1], pts[2]); break;
            case kArcNurb:
                crv = new VqGeNurbCurve3d(VqGeEllipArc3d(VqGeCircArc3d(pts[0], pts[1], pts[2])));
                break;
            case kNurb:
                crv = weights.empty()
                          ? new VqGeNurbCurve3d(degree, knots(), array(pts, same))
                          : new VqGeNurbCurve3d(degree, knots(), array(pts, same), weightArray());
                break;
            case kPoly: crv = new VqGePolyline3d(array(pts, same)); break;
        }
        if (reversed) crv->reverseParam();
        return crv;
    }
    VqGeCurve2d* build2d() const {
        VqGeCurve2d* crv = nullptr;
        const VqArray<VqGePoint2d> flat = array(pts, jointFlat);
        switch (kind) {
            case kSeg: crv = new VqGeLineSeg2d(flat[0], flat[1]); break;
            case kArc: crv = new VqGeCircArc2d(flat[0], flat[1], flat[2]); break;
            case kArcNurb:
                crv = new VqGeNurbCurve2d(VqGeEllipArc2d(VqGeCircArc2d(flat[0], flat[1], flat[2])));
                break;
            case kNurb:
                crv = weights.empty() ? new VqGeNurbCurve2d(degree, knots(), flat)
                                      : new VqGeNurbCurve2d(degree, knots(), flat, weightArray());
                break;
            case kPoly: crv = new VqGePolyline2d(flat); break;
        }
        if (reversed) crv->reverseParam();
        return crv;
    }
    // The size of the numbers the member is evaluated from where larger than its points: an
    // arc and a NURBS made from one are computed from the circle's centre and radius (a
    // nearly flat arc has its centre far beyond its ends).
    double scale() const {
        if (kind != kArc && kind != kArcNurb) return 0.0;
        const VqGeCircArc3d arc(pts[0], pts[1], pts[2]);
        const VqGePoint3d c = arc.center();
        return std::max({std::fabs(c.x), std::fabs(c.y), std::fabs(c.z)}) + arc.radius();
    }
    // The definition with 17 digits, to reproduce a failing member.
    std::string describe() const {
        char buf[96];
        std::string out = "kind " + std::to_string(kind) + " degree " + std::to_string(degree) +
                          " reversed " + std::to_string(reversed) + " points";
        for (const VqGePoint3d& p : pts) {
            std::snprintf(buf, sizeof buf, " (%.17g, %.17g, %.17g)", p.x, p.y, p.z);
            out += buf;
        }
        for (double w : weights) {
            std::snprintf(buf, sizeof buf, " w %.17g", w);
            out += buf;
        }
        return out;
    }
    // The unit tangent leaving the member's end (its end as drawn, before any reversal).
    VqGeVector3d endTangent() const {
        SplinePiece fwd = *this;
        fwd.reversed = 0;
        VqGeCurve3d* crv = fwd.build3d();
        VqGeInterval iv;
        VqGePoint3d s, e;
        crv->getInterval(iv, s, e);
        VqArray<VqGeVector3d> d;
        crv->evalPoint(iv.upperBound(), 1, d);
        delete crv;
        return d[0] * (1.0 / d[0].length());
    }
};

inline VqGeCurve3d* buildPiece(JointDim3d, const SplinePiece& pc) {
    return pc.build3d();
}
inline VqGeCurve2d* buildPiece(JointDim2d, const SplinePiece& pc) {
    return pc.build2d();
}

// A point off the chord p-q: at fraction f along it, moved sideways by `off` times its
// length within the plane of normal nrm (out of the plane as well when nrm is zero).
inline VqGePoint3d splineOffChord(JointRandom& rng, const VqGePoint3d& p, const VqGePoint3d& q,
                                  const VqGeVector3d& nrm, double f, double off) {
    const VqGeVector3d chord = q - p;
    VqGeVector3d side = nrm.isZeroLength() ? VqGeVector3d(rng(-1, 1), rng(-1, 1), rng(-1, 1))
                                           : nrm.crossProduct(chord);
    side = side - chord * (side.dotProduct(chord) / chord.dotProduct(chord));
    const double len = side.length();
    if (len == 0.0) return p + chord * f;
    return p + chord * f + side * (off * chord.length() / len);
}

// A member from p to q of a random kind among `kinds` (bits of 1 << Kind): a segment, an arc
// or NURBS arc through a middle off the chord, a degree-1 NURBS along the chord, a quadratic
// or cubic (now and then rational) NURBS through random control points, a polyline through
// points off the chord. nrm: the plane of the chain (zero for any direction).
inline SplinePiece splineBetween(JointRandom& rng, const VqGePoint3d& p, const VqGePoint3d& q,
                                 const VqGeVector3d& nrm, unsigned kinds) {
    SplinePiece pc;
    do pc.kind = static_cast<SplinePiece::Kind>(static_cast<int>(rng(0, 4.999)));
    while (!(kinds & (1u << pc.kind)));
    const double sign = rng(0, 1) < 0.5 ? -1.0 : 1.0;
    pc.pts.push_back(p);
    if (pc.kind == SplinePiece::kArc || pc.kind == SplinePiece::kArcNurb) {
        pc.pts.push_back(splineOffChord(rng, p, q, nrm, 0.5, sign * rng(0.02, 0.8)));
    } else if (pc.kind == SplinePiece::kNurb) {
        const double pick = rng(0, 1);
        pc.degree = pick < 0.25 ? 1 : (pick < 0.55 ? 2 : 3);
        const int inner = pc.degree == 1 ? 0 : pc.degree - 1 + static_cast<int>(rng(0, 3.999));
        for (int i = 0; i < inner; ++i) {
            const double f = (i + rng(0.2, 0.8)) / inner;
            pc.pts.push_back(splineOffChord(rng, p, q, nrm, f, rng(-0.4, 0.4)));
        }
        if (pc.degree > 1 && rng(0, 1) < 0.4)
            for (int i = 0; i < inner + 2; ++i) pc.weights.push_back(rng.length(0.2, 5.0));
    } else if (pc.kind == SplinePiece::kPoly) {
        const int inner = static_cast<int>(rng(0, 4.999));
        for (int i = 0; i < inner; ++i)
            pc.pts.push_back(splineOffChord(rng, p, q, nrm, (i + rng(0.2, 0.8)) / inner,
                                            rng(-0.3, 0.3)));
    }
    pc.pts.push_back(q);
    return pc;
}

// A member leaving `at` along the unit direction dir, of length about len: a segment, an arc
// turning about nrm either way, or a quadratic or cubic NURBS whose second control point lies
// on the tangent line (rational now and then).
inline SplinePiece splineTangent(JointRandom& rng, const VqGePoint3d& at, const VqGeVector3d& dir,
                                 const VqGeVector3d& nrm, double len, unsigned kinds) {
    SplinePiece pc;
    do pc.kind = static_cast<SplinePiece::Kind>(static_cast<int>(rng(0, 2.999)));
    while (!(kinds & (1u << pc.kind)));
    const VqGeVector3d side = (rng(0, 1) < 0.5 ? nrm : -nrm).crossProduct(dir);
    pc.pts.push_back(at);
    if (pc.kind == SplinePiece::kSeg) {
        pc.pts.push_back(at + dir * len);
    } else if (pc.kind == SplinePiece::kArc) {
        // Centre at r along side; sweep up to nearly a half turn.
        const double sweep = rng(0.05, 3.0), r = len / sweep;
        const VqGePoint3d c = at + side * r;
        pc.pts.push_back(c - side * (r * std::cos(sweep / 2)) + dir * (r * std::sin(sweep / 2)));
        pc.pts.push_back(c - side * (r * std::cos(sweep)) + dir * (r * std::sin(sweep)));
    } else {
        pc.degree = rng(0, 1) < 0.5 ? 2 : 3;
        pc.pts.push_back(at + dir * (len * rng(0.1, 0.5)));
        VqGePoint3d last = pc.pts.back();
        for (int i = 1; i < pc.degree + static_cast<int>(rng(0, 2.999)); ++i) {
            last = last + dir * (len * rng(0.1, 0.5)) + side * (len * rng(-0.4, 0.4));
            pc.pts.push_back(last);
        }
        if (rng(0, 1) < 0.4)
            for (size_t i = 0; i < pc.pts.size(); ++i) pc.weights.push_back(rng.length(0.2, 5.0));
    }
    return pc;
}

// The 2D member must be the 3D one with z dropped, or the 2D chain checks something else.
inline void expectSplineFlat(const SplinePiece& pc) {
    VqGeCurve3d* c3 = pc.build3d();
    VqGeCurve2d* c2 = pc.build2d();
    VqGeInterval i3, i2;
    VqGePoint3d s3, e3;
    VqGePoint2d s2, e2;
    c3->getInterval(i3, s3, e3);
    c2->getInterval(i2, s2, e2);
    const double eps = 1e-9 * (1.0 + s3.asVector().length() + pc.scale());
    EXPECT_LT(jointFlat(s3).distanceTo(s2), eps);
    EXPECT_LT(jointFlat(e3).distanceTo(e2), eps);
    const VqGePoint3d m3 = c3->evalPoint(0.5 * (i3.lowerBound() + i3.upperBound()));
    const VqGePoint2d m2 = c2->evalPoint(0.5 * (i2.lowerBound() + i2.upperBound()));
    EXPECT_LT(jointFlat(m3).distanceTo(m2), eps);
    delete c3;
    delete c2;
}

// Vertices of seeded chain n: closed polygons (n % 4 < 2) of polyCount vertices and open
// outlines of lineCount, flat (n even, also checked in 2D) or tilted; nrm receives the plane
// the members keep to (zero where they may leave it).
inline std::vector<VqGePoint3d> splineChainVertices(JointRandom& rng, int n, int polyCount,
                                                    int lineCount, VqGeVector3d& nrm) {
    const int flat = n % 2 == 0, closed = n % 4 < 2;
    std::vector<VqGePoint3d> pts;
    nrm = flat ? VqGeVector3d(0, 0, 1) : VqGeVector3d(0, 0, 0);
    if (closed) {
        VqGeVector3d u(1, 0, 0), v(0, 1, 0);
        if (!flat) {
            u = jointDirection(rng, 0);
            v = u.perpVector();
            v = v * (1.0 / v.length());
        }
        pts = jointPolygon(rng, polyCount, 1e6, u, v);
    } else {
        pts = jointOutline(rng, lineCount, 1e6, flat);
    }
    if (flat)
        for (VqGePoint3d& p : pts) p.z = 0.0;
    return pts;
}

// The joints of a chain, each traced with its members' kinds and ends.
template <class Dim>
int checkSplineJoints(const JointChain<Dim>& chain, const std::vector<SplinePiece>& pieces,
                      const VqGeTol& tol) {
    const int n = static_cast<int>(pieces.size());
    for (int i = 0; i < chain.numJoints(); ++i) {
        const SplinePiece& a = pieces[i];
        const SplinePiece& b = pieces[(i + 1) % n];
        SCOPED_TRACE(testing::Message() << "joint " << i << " kinds " << a.kind << "/" << b.kind
                                        << " degrees " << a.degree << "/" << b.degree
                                        << " reversed " << a.reversed << "/" << b.reversed
                                        << " rational " << !a.weights.empty() << "/"
                                        << !b.weights.empty() << " tol " << tol.equalPoint());
        const typename Dim::Curve& ca = *chain.curves[i];
        const typename Dim::Curve& cb = *chain.curves[(i + 1) % n];
        const testing::TestResult* res = 
            testing::UnitTest::GetInstance()->current_test_info()->result();
        const int before = res->total_part_count();
        checkJoint<Dim>(ca, cb, jointOf<Dim>(ca, cb), tol, chain.slack,
                        chain.scaleOf(i, (i + 1) % n));
        if (res->total_part_count() > before)
            ADD_FAILURE() << "members\n  " << a.describe() << "\n  " << b.describe();
    }
    return chain.numJoints();
}

// Checks the members as a 3D chain and, when flat, as a 2D chain, with both tolerances of the
// vertices; returns the number of joints checked.
inline int checkSplineChain(const std::vector<SplinePiece>& pieces, int closed, int flat,
                            const std::vector<VqGePoint3d>& pts) {
    int joints = 0;
    if (flat)
        for (const SplinePiece& pc : pieces) expectSplineFlat(pc);
    for (const VqGeTol& tol : jointTols(pts)) {
        JointChain<JointDim3d> c3;
        c3.closed = closed;
        for (const SplinePiece& pc : pieces) c3.add(pc.build3d(), pc.scale());
        joints += checkSplineJoints(c3, pieces, tol);
        checkChainCrossings(c3, tol);
        if (!flat) continue;
        JointChain<JointDim2d> c2;
        c2.closed = closed;
        for (const SplinePiece& pc : pieces) c2.add(pc.build2d(), pc.scale());
        joints += checkSplineJoints(c2, pieces, tol);
        checkChainCrossings(c2, tol);
    }
    return joints;
}

#endif
