// Smoothing of a composite: circular-arc members are reshaped so that they meet their
// neighbours tangentially, the joint points staying where they are.
//
// Notation: S, E the start and end points of the arc member (in chain direction), d = E − S
// the chord, t the unit tangent the arc must take (at S, or at E when it follows its
// successor), θ the angle between t and d. The circle through S and E that touches t at its
// start has radius |d|² / (2 |t × d|), centre S + r (n × t) with n = t × d / |t × d|, and
// sweeps 2θ.
//
// The rule, one pass in chain order:
// - A member takes part when it is a circular arc (not a full circle) that occurs once in the
//   chain; every other member keeps its shape and serves only as a fixed neighbour.
// - An arc whose start meets its predecessor's end (within the point tolerance) is bent to
//   start along the predecessor's end tangent: the incoming tangent wins, so the joint at its
//   end may stay kinked when the successor is a fixed member.
// - An arc without such a predecessor (first member of an open chain, or after a gap) is bent
//   to end along its successor's start tangent, when the successor meets it.
// - A joint counts as kinked when the tangents differ by more than the vector tolerance,
//   widened to what the joint's coordinates can carry (at 1e8 a segment of 1e3 knows its
//   direction only to about 1e-11).
// - An arc is left as it is when the wanted tangent runs along the chord (the only curve
//   would be a line) or when the new circle cannot reproduce S and E within the point
//   tolerance (a nearly straight arc whose centre lies far out).
// - In a closed chain the pass starts after a member that is not reshaped, so every arc has
//   met its final predecessor; a closed chain of arcs only starts at member 0, whose
//   predecessor then is still to come: it follows its successor instead, and the closing
//   joint may stay kinked.
// The parameter argument selects nothing: every joint of the chain is looked at. The result
// is the number of members reshaped; the breaks are rebuilt from the new lengths and the
// dependants are told once.
#include <cfloat>
#include <cmath>

#include "compound/imp_composite_curve3d.h"
#include "curves/imp_ellip_arc3d.h"

namespace {
double maxAbs(const VqGePoint3d& p) {
    double m = std::fabs(p.x);
    if (std::fabs(p.y) > m) m = std::fabs(p.y);
    if (std::fabs(p.z) > m) m = std::fabs(p.z);
    return m;
}

// Point tolerance at a joint: the given one, or the rounding of its coordinates.
double pointSlack(const VqGePoint3d& p, const VqGeTol& tol) {
    const double rounding = 16.0 * DBL_EPSILON * maxAbs(p);
    return rounding > tol.equalPoint() ? rounding : tol.equalPoint();
}

struct MemberEnds {
    VqGePoint3d start, end;
    VqGeVector3d startTan, endTan;  // unit; zero when the member does not know it
    double size;                    // chord length, for the rounding of directions
};

VqGeVector3d unitOrZero(const VqGeVector3d& v) {
    const double len = v.length();
    if (!(len > 0.0) || !std::isfinite(len)) return VqGeVector3d(0, 0, 0);
    return v / len;
}

// The arc that passes S and E; tangent t (unit) at S when atStart, else at E.
// Returns 0 when no circle serves.
int tangentArc(const VqGePoint3d& s, const VqGePoint3d& e, const VqGeVector3d& t, int atStart,
               const VqGeTol& tol, VqGePoint3d& center, VqGeVector3d& major,
               VqGeVector3d& minor, double& radius, double& sweep) {
    // Built from the end that carries the tangent; the far end is the other one.
    const VqGePoint3d& p0 = atStart ? s : e;
    const VqGePoint3d& p1 = atStart ? e : s;
    const VqGeVector3d t0 = atStart ? t : -t;
    const VqGeVector3d d = p1 - p0;
    const double chord = d.length();
    const VqGeVector3d cross = t0.crossProduct(d);
    const double crossLen = cross.length();
    if (!(chord > 0.0) || !(crossLen > tol.equalVector() * chord) || !std::isfinite(crossLen))
        return 0;
    const VqGeVector3d n = cross / crossLen;
    radius = chord * chord / (2.0 * crossLen);
    sweep = 2.0 * std::atan2(crossLen, t0.dotProduct(d));
    center = p0 + n.crossProduct(t0) * radius;
    // The arc runs from S: about n when built from S, about −n when built from E.
    const VqGeVector3d axis = atStart ? n : -n;
    major = unitOrZero(s - center);
    minor = axis.crossProduct(major);
    if (major.isZeroLength(VqGeTol()) || !std::isfinite(radius) || !std::isfinite(sweep))
        return 0;
    const VqGePoint3d s1 = center + major * radius;
    const VqGePoint3d e1 = center + major * (radius * std::cos(sweep)) +
                           minor * (radius * std::sin(sweep));
    return s1.distanceTo(s) <= pointSlack(s, tol) && e1.distanceTo(e) <= pointSlack(e, tol);
}

// Tangents of a and b at their shared joint p differ by more than their rounding allows.
int isKink(const VqGeVector3d& a, const VqGeVector3d& b, const VqGePoint3d& p, double sizeA,
           double sizeB, const VqGeTol& tol) {
    const double size = sizeA < sizeB ? sizeA : sizeB;
    double angTol = tol.equalVector();
    if (size > 0.0) {
        const double rounding = 16.0 * DBL_EPSILON * maxAbs(p) / size;
        if (rounding > angTol) angTol = rounding;
    }
    // atan2 keeps the small angles that acos of the dot product rounds to 0 or 1.5e-8.
    return std::atan2(a.crossProduct(b).length(), a.dotProduct(b)) > angTol;
}
}  // namespace

int VqGeImpCompositeCurve3d::smooth(double, const VqGeTol& tol) {
    const int n = mMembers.length();
    if (n < 2) return 0;
    // Which members take part.
    VqArray<int> isArc(n, 8);
    VqArray<MemberEnds> ends(n, 8);
    isArc.setLogicalLength(n);
    ends.setLogicalLength(n);
    if (isArc.length() != n || ends.length() != n) return 0;
    VqArray<VqGeVector3d> derivs;
    for (int i = 0; i < n; ++i) {
        VqGeImpCurve3d* c = curveAt(i);
        double lo, hi;
        memberRange(*c, lo, hi);
        MemberEnds& m = ends[i];
        m.start = c->evalPoint(lo, 1, derivs);
        m.startTan = derivs.length() > 0 ? unitOrZero(derivs[0]) : VqGeVector3d(0, 0, 0);
        m.end = c->evalPoint(hi, 1, derivs);
        m.endTan = derivs.length() > 0 ? unitOrZero(derivs[0]) : VqGeVector3d(0, 0, 0);
        m.size = m.start.distanceTo(m.end);
        int once = 1;
        for (int j = 0; j < n && once; ++j)
            if (j != i && mMembers[j] == mMembers[i]) once = 0;
        isArc[i] = 0;
        if (once && c->isKindOf(VqGe::kEllipArc3d, 0)) {
            const VqGeImpEllipArc3d* a = static_cast<const VqGeImpEllipArc3d*>(c);
            isArc[i] = a->isCircular(tol) && !(m.size <= a->roundingTol(tol));
        }
    }
    auto meets = [&](int a, int b) {
        return ends[a].end.distanceTo(ends[b].start) <= pointSlack(ends[b].start, tol);
    };
    const int closed = meets(n - 1, 0);
    int first = 0;
    if (closed) {
        for (int i = 0; i < n; ++i)
            if (!isArc[i]) {
                first = (i + 1) % n;
                break;
            }
    }
    int changed = 0;
    ++mEditing;
    for (int k = 0; k < n; ++k) {
        const int i = (first + k) % n;
        if (!isArc[i]) continue;
        const int prev = i > 0 ? i - 1 : (closed ? n - 1 : -1);
        const int next = i + 1 < n ? i + 1 : (closed ? 0 : -1);
        // The predecessor is final unless it still comes later in this pass.
        const int prevFinal = prev >= 0 && (k > 0 || !isArc[prev]);
        MemberEnds& m = ends[i];
        VqGeVector3d want, have;
        int atStart;
        double otherSize;
        if (prevFinal && meets(prev, i)) {
            want = ends[prev].endTan;
            have = m.startTan;
            atStart = 1;
            otherSize = ends[prev].size;
        } else if (next >= 0 && meets(i, next)) {
            want = ends[next].startTan;
            have = m.endTan;
            atStart = 0;
            otherSize = ends[next].size;
        } else {
            continue;
        }
        if (want.isZeroLength(VqGeTol()) ||
            !isKink(want, have, atStart ? m.start : m.end, otherSize, m.size, tol))
            continue;
        VqGePoint3d center;
        VqGeVector3d major, minor;
        double radius, sweep;
        if (!tangentArc(m.start, m.end, want, atStart, tol, center, major, minor, radius, sweep))
            continue;
        VqGeImpEllipArc3d* arc = static_cast<VqGeImpEllipArc3d*>(curveAt(i));
        arc->set(center, major, minor, radius, radius, 0.0, sweep);
        ++changed;
        // Later members see the arc as it is now.
        double lo, hi;
        memberRange(*arc, lo, hi);
        arc->evalPoint(lo, 1, derivs);
        if (derivs.length() > 0) m.startTan = unitOrZero(derivs[0]);
        arc->evalPoint(hi, 1, derivs);
        if (derivs.length() > 0) m.endTan = unitOrZero(derivs[0]);
    }
    if (changed) rebuildBreaks();
    --mEditing;
    if (changed) notifyModified();
    return changed;
}
