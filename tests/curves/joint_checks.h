// Joint checks over the public curve interface, shared by every curve kind.
//
// Drawings are chains of curves that meet end to end, each member running either way. For
// every joint of a chain (where one member meets the next, and for a closed chain where the
// last meets the first) the intersection of the two members, asked in both orders through
// VqGeCurveCurveInt2d/3d, must report the joint exactly once:
//   - exactly one intersection point within a wide radius of the joint, and it lies within
//     the effective tolerance of the joint (VqGeTolScale: the tolerance, or the rounding of
//     the coordinates where larger, times the chain's slack);
//   - no overlap (the chains never fold back onto themselves);
//   - its parameters evaluate (evalPoint) to the joint on each curve;
//   - the two orders agree, parameters and configurations exchanged (a derived 3D plane
//     normal turns with the order, and the sides of the configurations with it);
//   - any other point (two arcs on crossing circles meet twice) lies on both curves.
// Non-adjacent members may cross anywhere: their points must lie on both curves, in either
// order.
//
// A curve kind plugs in by building chains of its public curves in 2D and in 3D:
//     JointChain<JointDim3d> chain;            // or JointChain<JointDim2d>
//     chain.closed = 1;
//     chain.add(new VqGeLineSeg3d(p, q));      // the chain owns and deletes its curves
//     checkChainJoints(chain, tol);            // gtest expectations; number of joints checked
// The vertex generators below (jointPolygon, jointOutline) give seeded vertex sequences at
// drawing scale that every kind can join with its own curves (segments, arcs through a
// bulge, splines through the vertices).
#ifndef VQGE_TESTS_JOINT_CHECKS_H
#define VQGE_TESTS_JOINT_CHECKS_H

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <random>
#include <vector>

#include "curves/vqge_tol_scale.h"
#include "test_helpers.h"

struct JointDim3d {
    using Curve = VqGeCurve3d;
    using Int = VqGeCurveCurveInt3d;
    using Point = VqGePoint3d;
    static Int* intersect(const Curve& a, const Curve& b, const VqGeTol& tol) {
        return new Int(a, b, VqGeVector3d::kIdentity, tol);
    }
    static VqGePoint3d lift(const Point& p) { return p; }
    static VqGeVector3d normal(const Int& cci) { return cci.planeNormal(); }
    static VqGeVector3d tangent(const Curve& crv, double t) {
        VqArray<VqGeVector3d> d;
        crv.evalPoint(t, 1, d);
        return d.length() > 0 ? d[0] : VqGeVector3d(0, 0, 0);
    }
};

struct JointDim2d {
    using Curve = VqGeCurve2d;
    using Int = VqGeCurveCurveInt2d;
    using Point = VqGePoint2d;
    static Int* intersect(const Curve& a, const Curve& b, const VqGeTol& tol) {
        return new Int(a, b, tol);
    }
    static VqGePoint3d lift(const Point& p) { return VqGePoint3d(p.x, p.y, 0.0); }
    static VqGeVector3d normal(const Int&) { return VqGeVector3d(0, 0, 1); }
    static VqGeVector3d tangent(const Curve& crv, double t) {
        VqArray<VqGeVector2d> d;
        crv.evalPoint(t, 1, d);
        return d.length() > 0 ? VqGeVector3d(d[0].x, d[0].y, 0.0) : VqGeVector3d(0, 0, 0);
    }
};

// The configuration seen from the other side of the plane: the crossing and tangential
// codes exchange their two sides, the others stay.
inline int jointFlipSide(int config) {
    switch (config) {
        case VqGe::kLeftRight: return VqGe::kRightLeft;
        case VqGe::kRightLeft: return VqGe::kLeftRight;
        case VqGe::kLeftLeft: return VqGe::kRightRight;
        case VqGe::kRightRight: return VqGe::kLeftLeft;
        default: return config;
    }
}

template <class Dim>
struct JointChain {
    using Curve = typename Dim::Curve;
    std::vector<Curve*> curves;
    int closed = 0;
    // Multiplies the tolerance of the point checks, for kinds whose evaluation rounds more
    // than a few units in the last place (1 for lines).
    double slack = 1.0;

    JointChain() = default;
    JointChain(const JointChain&) = delete;
    JointChain& operator=(const JointChain&) = delete;
    ~JointChain() {
        for (Curve* c : curves) delete c;
    }
    // The size of the numbers a member is built from, where larger than its points (the
    // centre and radius of an arc): its evaluation rounds at that size.
    std::vector<double> scales;
    void add(Curve* crv, double scale = 0.0) {
        curves.push_back(crv);
        scales.push_back(scale);
    }
    double scaleOf(int i, int k) const { return std::max(scales[i], scales[k]); }
    int numJoints() const {
        const int n = static_cast<int>(curves.size());
        return n < 2 ? 0 : (closed ? n : n - 1);
    }
};

// The effective tolerance of a check around the given points, for curves built from numbers
// up to `size`.
inline double jointTol(const VqGeTol& tol, const VqGePoint3d& p, const VqGePoint3d& q,
                       double slack, double size = 0.0) {
    VqGeTolScale scale(tol);
    scale.add(p).add(q).add(VqGePoint3d(size, 0.0, 0.0));
    return slack * scale.pointTol();
}

// The joint of two members: the end of a nearest to an end of b (members may run either
// way along the chain).
template <class Dim>
typename Dim::Point jointOf(const typename Dim::Curve& a, const typename Dim::Curve& b) {
    VqGeInterval iv;
    typename Dim::Point ea[2], eb[2];
    a.getInterval(iv, ea[0], ea[1]);
    b.getInterval(iv, eb[0], eb[1]);
    int best = 0;
    double dist = HUGE_VAL;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            const double d = Dim::lift(ea[i]).distanceTo(Dim::lift(eb[j]));
            if (d < dist) dist = d, best = i;
        }
    return ea[best];
}

// The joint of a and b at point j, asked in both orders.
template <class Dim>
void checkJoint(const typename Dim::Curve& a, const typename Dim::Curve& b,
                const typename Dim::Point& j, const VqGeTol& tol, double slack,
                double size = 0.0) {
    using Int = typename Dim::Int;
    Int* ab = Dim::intersect(a, b, tol);
    Int* ba = Dim::intersect(b, a, tol);
    const VqGePoint3d j3 = Dim::lift(j);
    const double eps = jointTol(tol, j3, j3, slack, size);
    // Wide enough to catch a joint reported twice at slightly different places, but within
    // a quarter of the shorter member's chord: a tiny member may genuinely cross its
    // neighbour again that close to the joint.
    VqGeInterval iv;
    typename Dim::Point ea[2], eb[2];
    a.getInterval(iv, ea[0], ea[1]);
    b.getInterval(iv, eb[0], eb[1]);
    const double chord = std::min(Dim::lift(ea[0]).distanceTo(Dim::lift(ea[1])),
                                  Dim::lift(eb[0]).distanceTo(Dim::lift(eb[1])));
    const double radius = std::max(10.0 * eps, std::min(1e3 * eps, 0.25 * chord));
    const int n = ab->numIntPoints();
    EXPECT_EQ(n, ba->numIntPoints());
    EXPECT_EQ(ab->overlapCount(), 0);
    EXPECT_EQ(ba->overlapCount(), 0);
    int atJoint = 0, kAb = -1;
    for (int k = 0; k < n; ++k) {
        const VqGePoint3d p = Dim::lift(ab->intPoint(k));
        if (p.distanceTo(j3) <= radius) {
            ++atJoint;
            kAb = k;
            continue;
        }
        const double far = jointTol(tol, p, p, slack, size);
        EXPECT_LE(a.distanceTo(ab->intPoint(k), tol), far);
        EXPECT_LE(b.distanceTo(ab->intPoint(k), tol), far);
    }
    EXPECT_EQ(atJoint, 1) << "joint at " << j3.x << ", " << j3.y << ", " << j3.z << " kinds "
                          << a.type() << "/" << b.type() << " points " << n << " tol "
                          << tol.equalPoint();
    int kBa = -1;
    for (int k = 0; k < ba->numIntPoints(); ++k)
        if (Dim::lift(ba->intPoint(k)).distanceTo(j3) <= radius) kBa = k;
    if (kAb >= 0 && kBa >= 0) {
        EXPECT_LE(Dim::lift(ab->intPoint(kAb)).distanceTo(j3), eps);
        EXPECT_LE(Dim::lift(ba->intPoint(kBa)).distanceTo(j3), eps);
        double s1, s2, t1, t2;
        ab->getIntParams(kAb, s1, s2);
        ba->getIntParams(kBa, t1, t2);
        // A point is only as fine as its parameter: one unit in the last place of t moves
        // it by |t|·|C'(t)| units in the last place.
        auto at = [&](const typename Dim::Curve& c, double t) {
            return eps + 8.0 * DBL_EPSILON * std::fabs(t) * Dim::tangent(c, t).length();
        };
        EXPECT_LE(Dim::lift(a.evalPoint(s1)).distanceTo(j3), at(a, s1));
        EXPECT_LE(Dim::lift(b.evalPoint(s2)).distanceTo(j3), at(b, s2));
        EXPECT_LE(Dim::lift(a.evalPoint(t2)).distanceTo(j3), at(a, t2));
        EXPECT_LE(Dim::lift(b.evalPoint(t1)).distanceTo(j3), at(b, t1));
        VqGe::VqGeXConfig c1, c2, d1, d2;
        ab->getIntConfigs(kAb, c1, c2);
        ba->getIntConfigs(kBa, d1, d2);
        // The side of a crossing is read against the plane normal; where the tangents are
        // nearly parallel, or the normal lies nearly in their plane, it is noise.
        const VqGeVector3d ta = Dim::tangent(a, s1), tb = Dim::tangent(b, s2);
        const VqGeVector3d nab = Dim::normal(*ab), nba = Dim::normal(*ba);
        const double scale = ta.length() * tb.length();
        const double sideAb = ta.crossProduct(tb).dotProduct(nab) / (scale * nab.length());
        const double sideBa = ta.crossProduct(tb).dotProduct(nba) / (scale * nba.length());
        if (std::fabs(sideAb) > 1e-6 && std::fabs(sideBa) > 1e-6) {
            const int same = (sideAb > 0.0) == (sideBa > 0.0);
            EXPECT_EQ(c1, same ? d2 : jointFlipSide(d2));
            EXPECT_EQ(c2, same ? d1 : jointFlipSide(d1));
        }
    }
    delete ab;
    delete ba;
}

// Every joint of the chain; returns the number of joints checked.
template <class Dim>
int checkChainJoints(const JointChain<Dim>& chain, const VqGeTol& tol) {
    const int n = static_cast<int>(chain.curves.size());
    for (int i = 0; i < chain.numJoints(); ++i) {
        const typename Dim::Curve& a = *chain.curves[i];
        const typename Dim::Curve& b = *chain.curves[(i + 1) % n];
        checkJoint<Dim>(a, b, jointOf<Dim>(a, b), tol, chain.slack, chain.scaleOf(i, (i + 1) % n));
    }
    return chain.numJoints();
}

// Members that do not share a joint: whatever they report lies on both, in both orders.
template <class Dim>
void checkChainCrossings(const JointChain<Dim>& chain, const VqGeTol& tol) {
    using Int = typename Dim::Int;
    const int n = static_cast<int>(chain.curves.size());
    for (int i = 0; i < n; ++i)
        for (int k = i + 2; k < n; ++k) {
            if (chain.closed && i == 0 && k == n - 1) continue;
            const typename Dim::Curve& a = *chain.curves[i];
            const typename Dim::Curve& b = *chain.curves[k];
            Int* ab = Dim::intersect(a, b, tol);
            Int* ba = Dim::intersect(b, a, tol);
            EXPECT_EQ(ab->numIntPoints(), ba->numIntPoints());
            EXPECT_EQ(ab->overlapCount(), ba->overlapCount());
            for (int m = 0; m < ab->numIntPoints(); ++m) {
                const VqGePoint3d p = Dim::lift(ab->intPoint(m));
                const double eps = jointTol(tol, p, p, chain.slack, chain.scaleOf(i, k));
                EXPECT_LE(a.distanceTo(ab->intPoint(m), tol), eps);
                EXPECT_LE(b.distanceTo(ab->intPoint(m), tol), eps);
            }
            delete ab;
            delete ba;
        }
}

// Extent of the vertices: the host's tolerance is 1e-9 of it.
inline double jointExtent(const std::vector<VqGePoint3d>& pts) {
    double lo[3] = {pts[0].x, pts[0].y, pts[0].z}, hi[3] = {lo[0], lo[1], lo[2]};
    for (const VqGePoint3d& p : pts) {
        const double c[3] = {p.x, p.y, p.z};
        for (int i = 0; i < 3; ++i) lo[i] = std::min(lo[i], c[i]), hi[i] = std::max(hi[i], c[i]);
    }
    return VqGeVector3d(hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]).length();
}

// The two tolerances every chain is checked with: the default one and the host's, 1e-9 of
// the drawing's extent.
inline std::vector<VqGeTol> jointTols(const std::vector<VqGePoint3d>& pts) {
    VqGeTol host;
    host.setEqualPoint(1e-9 * jointExtent(pts));
    return {VqGeContext::gTol, host};
}

inline VqGePoint2d jointFlat(const VqGePoint3d& p) {
    return VqGePoint2d(p.x, p.y);
}

// A unit vector of random direction (in the XY plane when flat).
template <class Rng>
VqGeVector3d jointDirection(Rng& rng, int flat) {
    for (;;) {
        const VqGeVector3d d(rng(-1, 1), rng(-1, 1), flat ? 0.0 : rng(-1, 1));
        const double len = d.length();
        if (len > 0.1) return d * (1.0 / len);
    }
}

// Seeded vertex sequences at drawing scale.
struct JointRandom {
    std::mt19937 gen;
    explicit JointRandom(unsigned seed) : gen(seed) {}
    double operator()(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(gen);
    }
    // A length spread over several decades, as in drawings (from lo to hi, log-uniform).
    double length(double lo, double hi) {
        return std::exp((*this)(std::log(lo), std::log(hi)));
    }
};

// Vertices of a simple closed polygon (star-shaped about a centre at up to `reach` from the
// origin), in the plane through the centre spanned by u and v; some vertices are nudged onto
// the line of their neighbours so that the turn there is nearly straight. The last vertex is
// not repeated.
inline std::vector<VqGePoint3d> jointPolygon(JointRandom& rng, int count, double reach,
                                             const VqGeVector3d& u, const VqGeVector3d& v) {
    const VqGePoint3d centre(rng(-reach, reach), rng(-reach, reach), rng(-reach, reach));
    const double size = rng.length(1.0, 1e5);
    std::vector<double> angles;
    for (int i = 0; i < count; ++i) angles.push_back(rng(0.0, 6.283185307179586));
    std::sort(angles.begin(), angles.end());
    std::vector<VqGePoint3d> pts;
    for (double a : angles) {
        const double r = size * rng(0.3, 1.0);
        pts.push_back(centre + u * (r * std::cos(a)) + v * (r * std::sin(a)));
    }
    for (int i = 1; i + 1 < count; i += 3) {
        // Nearly on the chord of its neighbours, off it by a tiny fraction of the chord.
        const VqGePoint3d& p = pts[i - 1];
        const VqGePoint3d& q = pts[i + 1];
        const double f = rng(0.2, 0.8), off = rng.length(1e-13, 1e-6);
        const VqGeVector3d chord = q - p;
        VqGeVector3d side = u.crossProduct(v).crossProduct(chord);
        const double len = side.length();
        if (len == 0.0) continue;
        side = side * (chord.length() * off / len);
        const VqGePoint3d cand = p + chord * f + side;
        // Keep it only where the polygon stays star-shaped (same turn as the chord).
        if ((cand - centre).crossProduct(q - centre).dotProduct(u.crossProduct(v)) > 0.0 &&
            (p - centre).crossProduct(cand - centre).dotProduct(u.crossProduct(v)) > 0.0)
            pts[i] = cand;
    }
    return pts;
}

// Vertices of an open outline: steps of lengths over several decades whose heading turns by
// at most 170 degrees (never back onto the previous step), now and then nearly straight.
// flat: all vertices at z = 0.
inline std::vector<VqGePoint3d> jointOutline(JointRandom& rng, int count, double reach,
                                             int flat) {
    VqGePoint3d p(rng(-reach, reach), rng(-reach, reach), flat ? 0.0 : rng(-reach, reach));
    VqGeVector3d dir(rng(-1, 1), rng(-1, 1), flat ? 0.0 : rng(-1, 1));
    dir = dir * (1.0 / dir.length());
    std::vector<VqGePoint3d> pts(1, p);
    for (int i = 1; i < count; ++i) {
        const double len = rng.length(1e-2, 1e5);
        p = p + dir * len;
        pts.push_back(p);
        // Turn about a random axis (the z axis when flat).
        VqGeVector3d axis = flat ? VqGeVector3d(0, 0, 1)
                                 : VqGeVector3d(rng(-1, 1), rng(-1, 1), rng(-1, 1));
        axis = axis - dir * axis.dotProduct(dir);
        if (axis.length() == 0.0) continue;
        axis = axis * (1.0 / axis.length());
        const double turn = i % 4 == 0 ? rng.length(1e-12, 1e-5) : rng(-2.967, 2.967);
        const VqGeVector3d side = axis.crossProduct(dir);
        dir = dir * std::cos(turn) + side * std::sin(turn);
        dir = dir * (1.0 / dir.length());
    }
    return pts;
}

#endif
