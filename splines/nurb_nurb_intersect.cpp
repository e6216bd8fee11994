// NURBS against NURBS in one plane: crossings and touchings by Bezier subdivision.
//
// Outcomes: the crossings where the two curves meet at an angle (configurations 4/8), two
// crossings however close; touchings and stretches where the curves run within the
// tolerance (one point per touching, its configuration read like any other); the end
// points of either curve lying on the other (joints). Curves that are not in one plane,
// periodic curves, weights that are not positive and degrees above kMaxDegree take the
// sampled intersection for the whole pair, as does a pair that would need more than
// kMaxPairs comparisons.
//
// Notation: A, B the two curves; s, t their parameters; a piece is one Bezier segment of a
// curve over [lo, hi], its homogeneous control points (w·X, w·Y, w) in the plane's frame.
// The tangent directions of a piece with positive weights lie in the cone of its control
// polygon's edges, so two pieces whose cones (taken as lines) are disjoint cross at most
// once: the chord between two crossings would be parallel to a tangent of each. Such a pair
// is solved by Newton from the crossing of the chords; other pairs whose boxes and fat
// lines (the band of a piece's control points about its chord) meet are split in half until
// they part or their cones do. A pair still together after kMaxDepth splits is a touching:
// a damped search finds the nearest approach within it.
#include <cfloat>
#include <cmath>

#include "curves/curve_generic_util.h"
#include "curves/imp_curve3d_int.h"
#include "splines/imp_nurb_curve3d.h"
#include "vqge_curveintdata.h"

namespace {
constexpr int kMaxDegree = 9;
constexpr int kMaxDepth = 40;
constexpr int kMaxPairs = 20000;
constexpr int kNewtonSteps = 24;
// Sine of the least angle between the cones of a pair that Newton solves.
constexpr double kConeMargin = 1e-9;
constexpr double kParamNear = 1e-6;
constexpr double kPi = 3.141592653589793;

// de Casteljau on homogeneous points: the control points of the parts before and after the
// fraction f of the parameter range (neither may be q itself).
void deCasteljau(const double q[][3], int deg, double f, double left[][3], double right[][3]) {
    double t[kMaxDegree + 1][3];
    for (int i = 0; i <= deg; ++i)
        for (int c = 0; c < 3; ++c) t[i][c] = q[i][c];
    for (int c = 0; c < 3; ++c) left[0][c] = t[0][c], right[deg][c] = t[deg][c];
    for (int r = 1; r <= deg; ++r) {
        for (int i = 0; i <= deg - r; ++i)
            for (int c = 0; c < 3; ++c) t[i][c] = (1.0 - f) * t[i][c] + f * t[i + 1][c];
        for (int c = 0; c < 3; ++c) left[r][c] = t[0][c], right[deg - r][c] = t[deg - r][c];
    }
}

struct Piece {
    int deg;
    double lo, hi;
    double q[kMaxDegree + 1][3];
    double box[4];             // xmin, ymin, xmax, ymax
    double edge[kMaxDegree][2];  // control polygon edges (projected), zero ones dropped
    int numEdges;
    double turn;               // sum of the turns between consecutive edges (radians, about)

    void finish() {
        double px[kMaxDegree + 1] = {0.0}, py[kMaxDegree + 1] = {0.0};
        for (int i = 0; i <= deg; ++i) px[i] = q[i][0] / q[i][2], py[i] = q[i][1] / q[i][2];
        box[0] = box[2] = px[0];
        box[1] = box[3] = py[0];
        for (int i = 1; i <= deg; ++i) {
            box[0] = std::fmin(box[0], px[i]), box[2] = std::fmax(box[2], px[i]);
            box[1] = std::fmin(box[1], py[i]), box[3] = std::fmax(box[3], py[i]);
        }
        numEdges = 0;
        for (int i = 0; i < deg; ++i) {
            const double ex = px[i + 1] - px[i], ey = py[i + 1] - py[i];
            if (ex == 0.0 && ey == 0.0) continue;
            edge[numEdges][0] = ex, edge[numEdges][1] = ey;
            ++numEdges;
        }
        // The sine of each turn stands for the turn; a turn past a right angle counts as
        // wide at once.
        turn = numEdges == 0 ? kPi : 0.0;
        for (int i = 0; i + 1 < numEdges; ++i) {
            const double* e = edge[i];
            const double* f = edge[i + 1];
            const double dot = e[0] * f[0] + e[1] * f[1];
            const double crs = std::fabs(e[0] * f[1] - e[1] * f[0]);
            const double len = std::sqrt((e[0] * e[0] + e[1] * e[1]) * (f[0] * f[0] + f[1] * f[1]));
            turn += dot > 0.0 ? crs / len : 0.5 * kPi + crs / len;
        }
        if (!std::isfinite(turn)) turn = kPi;
    }
    double size() const { return std::fmax(box[2] - box[0], box[3] - box[1]); }
    // Splits at the middle of the parameter range.
    void split(Piece& left, Piece& right) const {
        left.deg = right.deg = deg;
        deCasteljau(q, deg, 0.5, left.q, right.q);
        const double mid = 0.5 * (lo + hi);
        left.lo = lo, left.hi = mid, right.lo = mid, right.hi = hi;
        left.finish();
        right.finish();
    }
};

int boxesMeet(const Piece& a, const Piece& b, double pad) {
    return a.box[0] <= b.box[2] + pad && b.box[0] <= a.box[2] + pad &&
           a.box[1] <= b.box[3] + pad && b.box[1] <= a.box[3] + pad;
}

// Every control point of q lies beyond the band of p's control points about p's chord (the
// fat line of p): the box test alone keeps a long slanted piece against everything near
// its diagonal.
int outsideBand(const Piece& p, const Piece& q, double pad) {
    const double ax = p.q[0][0] / p.q[0][2], ay = p.q[0][1] / p.q[0][2];
    const double nx = -(p.q[p.deg][1] / p.q[p.deg][2] - ay), ny = p.q[p.deg][0] / p.q[p.deg][2] - ax;
    const double len = std::sqrt(nx * nx + ny * ny);
    if (!(len > 0.0)) return 0;
    double lo = 0.0, hi = 0.0;
    for (int i = 1; i < p.deg; ++i) {
        const double d = ((p.q[i][0] / p.q[i][2] - ax) * nx + (p.q[i][1] / p.q[i][2] - ay) * ny) / len;
        lo = std::fmin(lo, d), hi = std::fmax(hi, d);
    }
    int below = 1, above = 1;
    for (int i = 0; i <= q.deg && (below || above); ++i) {
        const double d = ((q.q[i][0] / q.q[i][2] - ax) * nx + (q.q[i][1] / q.q[i][2] - ay) * ny) / len;
        if (!(d < lo - pad)) below = 0;
        if (!(d > hi + pad)) above = 0;
    }
    return below || above;
}

int piecesMeet(const Piece& a, const Piece& b, double pad) {
    return boxesMeet(a, b, pad) && !outsideBand(a, b, pad) && !outsideBand(b, a, pad);
}

// The cones of the edges, taken as lines, share no direction: every edge of one turns the
// same way into every edge of the other (a cross product of positive combinations is then
// a positive combination of those cross products, never zero).
int conesApart(const Piece& a, const Piece& b) {
    if (a.numEdges == 0 || b.numEdges == 0 || a.turn >= 0.5 * kPi || b.turn >= 0.5 * kPi) return 0;
    int sign = 0;
    for (int i = 0; i < a.numEdges; ++i)
        for (int j = 0; j < b.numEdges; ++j) {
            const double* e = a.edge[i];
            const double* f = b.edge[j];
            const double crs = e[0] * f[1] - e[1] * f[0];
            const double len = std::sqrt((e[0] * e[0] + e[1] * e[1]) * (f[0] * f[0] + f[1] * f[1]));
            if (!(std::fabs(crs) > kConeMargin * len)) return 0;
            const int sg = crs > 0.0 ? 1 : -1;
            if (sign && sg != sign) return 0;
            sign = sg;
        }
    return 1;
}

// The curve's Bezier pieces over its interval, control points mapped into the frame; 0 where
// the curve does not suit (periodic, weights not positive, degree too high, not finite).
int bezierPieces(const VqGeImpNurbCurve3d& crv, const vqgen::WorkFrame& frame,
                 VqArray<Piece>& out) {
    const int p = crv.degree(), n = crv.numControlPoints();
    const VqGeKnotVector& u = crv.knots();
    const int m = u.length() - 1;
    if (crv.isPeriodicStored() || p < 1 || p > kMaxDegree || m != n + p) return 0;
    VqGeImpInterval iv;
    crv.getInterval(iv, 0, 0);
    if (!iv.isBounded()) return 0;
    const double i0 = iv.lowerBound(), i1 = iv.upperBound();
    auto load = [&](int i, double* h) {
        const VqGePoint3d c = crv.controlPointAt(i);
        const double w = crv.weightAt(i);
        double x = c.x, y = c.y;
        if (frame.hasMap) {
            x = frame.map[0][0] * c.x + frame.map[0][1] * c.y + frame.map[0][2] * c.z + frame.map[0][3];
            y = frame.map[1][0] * c.x + frame.map[1][1] * c.y + frame.map[1][2] * c.z + frame.map[1][3];
        }
        h[0] = w * x, h[1] = w * y, h[2] = w;
        return w > 0.0 && std::isfinite(h[0]) && std::isfinite(h[1]) && std::isfinite(w);
    };
    Piece cur, next;
    cur.deg = next.deg = p;
    for (int i = 0; i <= p; ++i)
        if (!load(i, cur.q[i])) return 0;
    double alphas[kMaxDegree];
    int a = p, b = p + 1;
    while (b < m) {
        const int i = b;
        while (b < m && u[b + 1] == u[b]) ++b;
        const int mult = b - i + 1;
        if (mult > p && b < m) return 0;
        if (mult < p) {
            const double numer = u[b] - u[a];
            for (int j = p; j > mult; --j) alphas[j - mult - 1] = numer / (u[a + j] - u[a]);
            const int r = p - mult;
            for (int j = 1; j <= r; ++j) {
                const int save = r - j, s = mult + j;
                for (int k = p; k >= s; --k) {
                    const double al = alphas[k - s];
                    for (int c = 0; c < 3; ++c)
                        cur.q[k][c] = al * cur.q[k][c] + (1.0 - al) * cur.q[k - 1][c];
                }
                for (int c = 0; c < 3; ++c) next.q[save][c] = cur.q[p][c];
            }
        }
        cur.lo = u[a], cur.hi = u[b];
        if (cur.hi > i0 && cur.lo < i1 && cur.hi > cur.lo) out.append(cur);
        if (b < m) {
            for (int k = p - mult; k <= p; ++k)
                if (!load(b - p + k, next.q[k])) return 0;
            cur = next;
            a = b++;
        }
    }
    // Pieces reaching beyond the interval are cut at its ends (only the first and last do).
    for (int k = 0; k < out.length(); ++k) {
        Piece& pc = out[k];
        for (int side = 0; side < 2; ++side) {
            const double cut = side ? i1 : i0;
            if (!(cut > pc.lo && cut < pc.hi)) continue;
            const double f = (cut - pc.lo) / (pc.hi - pc.lo);
            double keep[kMaxDegree + 1][3], tail[kMaxDegree + 1][3];
            deCasteljau(pc.q, p, f, keep, tail);
            for (int j = 0; j <= p; ++j)
                for (int c = 0; c < 3; ++c) pc.q[j][c] = side ? keep[j][c] : tail[j][c];
            if (side)
                pc.hi = cut;
            else
                pc.lo = cut;
        }
    }
    for (int k = 0; k < out.length(); ++k) {
        out[k].finish();
        if (!std::isfinite(out[k].box[0] + out[k].box[1] + out[k].box[2] + out[k].box[3])) return 0;
    }
    return out.length() > 0;
}

struct PairSolver {
    const VqGeImpNurbCurve3d& a;
    const VqGeImpNurbCurve3d& b;
    double tol;
    double aLo, aHi, bLo, bHi;
    double damp;  // Levenberg damping, relative: nonzero where the tangents may be parallel

    // Newton on A(s) = B(t) from (s, t), kept within the curves' intervals; 1 with (s, t) at
    // a meeting.
    int solve(double& s, double& t) const {
        VqGeVector3d da[1], db[1];
        double best = HUGE_VAL;
        for (int step = 0; step < kNewtonSteps; ++step) {
            const VqGePoint3d pa = a.pointAt(s, 1, da), pb = b.pointAt(t, 1, db);
            const VqGeVector3d f = pa - pb;
            const double gap = f.length();
            const double m = vqgen::maxAbs(pa) > vqgen::maxAbs(pb) ? vqgen::maxAbs(pa) : vqgen::maxAbs(pb);
            // Points are only as fine as their parameters: at high speed one unit in the last
            // place of s moves A(s) by more than the rounding of its coordinates.
            const double speed = std::fabs(s) * da[0].length() + std::fabs(t) * db[0].length();
            const double reach = std::fmax(vqgen::reachableTol(tol, m), 8.0 * DBL_EPSILON * speed);
            const double l00 = da[0].dotProduct(da[0]), m01 = -da[0].dotProduct(db[0]);
            const double l11 = db[0].dotProduct(db[0]);
            const double m00 = l00 + damp * (l00 + l11), m11 = l11 + damp * (l00 + l11);
            const double c0 = -da[0].dotProduct(f), c1 = db[0].dotProduct(f);
            const double det = m00 * m11 - m01 * m01;
            if (!(std::fabs(det) > 1e-30 * m00 * m11) || !std::isfinite(gap)) return gap < reach;
            const double ds = (c0 * m11 - c1 * m01) / det, dt = (m00 * c1 - m01 * c0) / det;
            if (gap < reach && !(gap < best)) return 1;
            if (gap < reach && step > 0 && std::fabs(ds) * std::sqrt(m00) < 0.01 * reach) return 1;
            best = gap;
            const double ns = s + ds, nt = t + dt;
            if (!(ns >= aLo && ns <= aHi && nt >= bLo && nt <= bHi)) {
                if (gap < reach || !(damp > 0.0)) return gap < reach;
                // A damped search (a touching) slides along its bound instead.
                s = ns < aLo ? aLo : (ns > aHi ? aHi : ns);
                t = nt < bLo ? bLo : (nt > bHi ? bHi : nt);
                continue;
            }
            s = ns, t = nt;
        }
        const VqGePoint3d pa = a.pointAt(s), pb = b.pointAt(t);
        return pa.distanceTo(pb) < vqgen::reachableTol(tol, vqgen::maxAbs(pa));
    }
};

// Where the chords of the two pieces cross, as parameters of the pieces (clamped to them);
// 0 when the chords' lines cross well outside either chord.
int chordStart(const Piece& p, const Piece& q, double& s, double& t) {
    const double ax = p.q[0][0] / p.q[0][2], ay = p.q[0][1] / p.q[0][2];
    const double bx = p.q[p.deg][0] / p.q[p.deg][2], by = p.q[p.deg][1] / p.q[p.deg][2];
    const double cx = q.q[0][0] / q.q[0][2], cy = q.q[0][1] / q.q[0][2];
    const double dx = q.q[q.deg][0] / q.q[q.deg][2], dy = q.q[q.deg][1] / q.q[q.deg][2];
    const double ux = bx - ax, uy = by - ay, vx = dx - cx, vy = dy - cy;
    const double den = ux * vy - uy * vx;
    double f = 0.5, g = 0.5;
    int inside = 1;
    if (std::fabs(den) > 0.0) {
        f = ((cx - ax) * vy - (cy - ay) * vx) / den;
        g = ((cx - ax) * uy - (cy - ay) * ux) / den;
        inside = f > -0.25 && f < 1.25 && g > -0.25 && g < 1.25;
        if (!(f >= 0.0)) f = 0.0;
        if (!(f <= 1.0)) f = 1.0;
        if (!(g >= 0.0)) g = 0.0;
        if (!(g <= 1.0)) g = 1.0;
    }
    s = p.lo + f * (p.hi - p.lo);
    t = q.lo + g * (q.hi - q.lo);
    return inside;
}

// A crossing already recorded: the same parameters, or (for a shallow crossing, where the
// rounding of the coordinates lets Newton stop anywhere along the stretch the curves share
// within the tolerance) a point within that stretch that the curves stay together with.
int knownCrossing(const VqGeCurveIntData& data, const VqGePoint3d& pnt, double s, double t,
                  double tol, double sine, vqgen::FindEval& ev) {
    const double stretch = 4.0 * tol / (sine > 1e-12 ? sine : 1e-12);
    for (int i = 0; i < data.numIntPoints(); ++i) {
        double u1, u2;
        data.getIntParams(i, u1, u2);
        const double dist = data.intPnt(i).distanceTo(pnt);
        if (std::fabs(u1 - s) <= kParamNear && std::fabs(u2 - t) <= kParamNear && dist <= tol)
            return 1;
        if (dist <= stretch && vqgen::isKnownIntPoint(data, pnt, s, t, tol, ev)) return 1;
    }
    return 0;
}

struct PendingPair {
    int p, q;  // indices into the piece pool
    int depth;
};
}  // namespace

// 0 when the pair does not suit this route (nothing is recorded then).
int intersectNurbPair(const VqGeImpNurbCurve3d& a, const VqGeImpNurbCurve3d& b,
                      const VqGeVector3d& dir, VqGeCurveIntData& data, const VqGeTol& tol) {
    using namespace vqgen;
    WorkFrame frame;
    // The plane test of one curve against the other may decide by a hair at drawing scale:
    // either order proves them coplanar (the frame's normal follows dir in both).
    if ((!workFrame(a, b, dir, tol, frame) || frame.dim != 2) &&
        (!workFrame(b, a, dir, tol, frame) || frame.dim != 2))
        return 0;
    // One pool holds the pieces of both curves and every half made on the way.
    VqArray<Piece> pool, pb;
    pool.setGrowLength(256);
    if (!bezierPieces(a, frame, pool) || !bezierPieces(b, frame, pb)) return 0;
    const int numA = pool.length();
    pool.append(pb);
    data.reset();
    VqGeImpInterval ia, ib;
    a.getInterval(ia, 0, 0);
    b.getInterval(ib, 0, 0);
    PairSolver solver{a, b, tol.equalPoint() > 0.0 ? tol.equalPoint() : 1e-10, ia.lowerBound(),
                      ia.upperBound(), ib.lowerBound(), ib.upperBound(), 0.0};
    FindEval ev(a, b);
    VqArray<PendingPair> stack;
    stack.setGrowLength(256);
    VqArray<double> handOver;  // s0, s1, t0, t1 of the pairs left to the sampled intersection
    auto handOverPair = [&](double s0, double s1, double t0, double t1) {
        handOver.append(s0), handOver.append(s1), handOver.append(t0), handOver.append(t1);
    };
    auto pad = [&](const Piece& pc) {
        const double m = std::fmax(std::fmax(std::fabs(pc.box[0]), std::fabs(pc.box[2])),
                                   std::fmax(std::fabs(pc.box[1]), std::fabs(pc.box[3])));
        return reachableTol(solver.tol, m);
    };
    for (int i = 0; i < numA; ++i)
        for (int j = numA; j < pool.length(); ++j)
            if (piecesMeet(pool[i], pool[j], pad(pool[i]))) stack.append(PendingPair{i, j, 0});
    int visits = 0;
    while (!stack.isEmpty()) {
        if (++visits > kMaxPairs || breakRequested()) break;
        const PendingPair pr = stack.last();
        stack.removeLast();
        const int apart = conesApart(pool[pr.p], pool[pr.q]);
        if (apart) {
            const Piece& p = pool[pr.p];
            const Piece& q = pool[pr.q];
            double s, t;
            // Chords crossing far outside: split on (the boxes part soon if nothing meets).
            const int start = chordStart(p, q, s, t);
            // Newton stays near the pair, and a meeting counts for it only inside it (a
            // crossing on the border is found by both neighbours and recorded once).
            PairSolver local = solver;
            const double ws = 0.25 * (p.hi - p.lo), wt = 0.25 * (q.hi - q.lo);
            local.aLo = std::fmax(solver.aLo, p.lo - ws), local.aHi = std::fmin(solver.aHi, p.hi + ws);
            local.bLo = std::fmax(solver.bLo, q.lo - wt), local.bHi = std::fmin(solver.bHi, q.hi + wt);
            const double es = 1e-9 * (p.hi - p.lo), et = 1e-9 * (q.hi - q.lo);
            if (start && local.solve(s, t) && s >= p.lo - es && s <= p.hi + es && t >= q.lo - et &&
                t <= q.hi + et) {
                VqGeVector3d da[1], db[1];
                const VqGePoint3d p1 = a.pointAt(s, 1, da), p2 = b.pointAt(t, 1, db);
                const VqGePoint3d pnt = p1 + (p2 - p1) * 0.5;
                const double sine =
                    da[0].crossProduct(db[0]).length() / (da[0].length() * db[0].length());
                if (!knownCrossing(data, pnt, s, t, reachableTol(solver.tol, maxAbs(pnt)), sine, ev)) {
                    int c1 = VqGe::kNotDefined, c2 = VqGe::kNotDefined;
                    classifyConfig(a, s, b, t, frame.normal, tol, c1, c2);
                    data.addIntPoint(pnt, s, t, c1, c2, tol.equalPoint());
                }
                continue;
            }
            // Newton can stray from a single crossing on a wide pair: split further.
        }
        const Piece& p = pool[pr.p];
        const Piece& q = pool[pr.q];
        // Split down to the last level, the pair is a touching (or crossings closer than
        // the pieces): a damped search for the nearest approach within the two pieces,
        // recorded where the curves meet (once per touching: the curves stay together
        // between the finds of one).
        if (pr.depth >= kMaxDepth) {
            PairSolver local = solver;
            local.aLo = p.lo, local.aHi = p.hi, local.bLo = q.lo, local.bHi = q.hi;
            local.damp = 1e-9;
            double s, t;
            chordStart(p, q, s, t);
            if (local.solve(s, t)) addFound(ev, s, t, frame, data, tol);
            continue;
        }
        // Split a piece that turns too much for Newton, else the larger.
        const int wideP = p.turn >= 0.5 * kPi, wideQ = q.turn >= 0.5 * kPi;
        const int splitP = wideP != wideQ ? wideP : p.size() >= q.size();
        const int whole = splitP ? pr.p : pr.q, other = splitP ? pr.q : pr.p;
        const double grow = pad(pool[other]);
        Piece l, r;
        pool[whole].split(l, r);
        for (int k = 0; k < 2; ++k) {
            const Piece& half = k ? r : l;
            if (!piecesMeet(half, pool[other], grow)) continue;
            // The pool and the stack double as they grow (the arrays' own step is linear).
            pool.setGrowLength(pool.length() > 256 ? pool.length() : 256);
            stack.setGrowLength(stack.length() > 256 ? stack.length() : 256);
            const int at = pool.append(half);
            if (at < 0) {
                handOverPair(pool[pr.p].lo, pool[pr.p].hi, pool[pr.q].lo, pool[pr.q].hi);
                continue;
            }
            if (stack.append(splitP ? PendingPair{at, other, pr.depth + 1}
                                    : PendingPair{other, at, pr.depth + 1}) < 0)
                handOverPair(pool[pr.p].lo, pool[pr.p].hi, pool[pr.q].lo, pool[pr.q].hi);
        }
    }
    if (visits > kMaxPairs) {
        // A pathological pair: the sampled intersection takes all of it.
        data.reset();
        handOver.setLogicalLength(0);
        handOverPair(ia.lowerBound(), ia.upperBound(), ib.lowerBound(), ib.upperBound());
    }
    for (int k = 0; k + 3 < handOver.length(); k += 4) {
        VqGeCurveIntData part;
        intersectSampled(a, VqGeImpInterval(handOver[k], handOver[k + 1]), b,
                         VqGeImpInterval(handOver[k + 2], handOver[k + 3]), dir, part, tol);
        for (int i = 0; i < part.numIntPoints(); ++i) {
            double s, t;
            part.getIntParams(i, s, t);
            addFound(ev, s, t, frame, data, tol);
        }
    }
    addJoints(a, ia, b, ib, frame, ev, data, tol);
    return 1;
}
