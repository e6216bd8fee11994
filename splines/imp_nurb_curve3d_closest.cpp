// NURBS closest point and point containment.
//
// Each span of the interval is a candidate; the box of its control points bounds its
// distance from below (convex hull, all weights positive), so spans that cannot beat the
// best point so far are skipped. A span is sampled (more densely the farther its control
// polygon turns: a sharply turning span hides minima between few samples), and every
// sample that is nearer than its
// neighbours seeds a safeguarded Newton search on g(t) = C'(t).(C(t) - q). The search stops
// when a step moves the curve point by less than a small share of the point tolerance, or
// of the rounding of the coordinates involved when that is larger: distances are compared in
// model space, so spans of very different parameter lengths behave alike.
//
// Every evaluation of a span stays on that span's own polynomial: its right end is taken one
// representable parameter inside (bIn), since the knot itself belongs to the next span, whose
// derivatives point elsewhere at a kink and whose point differs at a break. A best point at bIn
// is handed back as the knot when the curve is continuous there; at a break it stays bIn, the
// nearest parameter to the left limit the curve can be evaluated at.
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "curves/imp_point_on_curve3d.h"
#include "splines/imp_nurb_curve3d.h"
#include "splines/imp_nurb_eval_data.h"
#include "splines/nurb_periodic_index.h"
#include "vqge_util.h"

namespace {
const int kMaxNewton = 40;
const double kStepShare = 1e-3;
const double kRoundingUlps = 8.0;

double maxAbs(const VqGePoint3d& p) {
    return std::fmax(std::fabs(p.x), std::fmax(std::fabs(p.y), std::fabs(p.z)));
}

double boxDist2(const double* b, const VqGePoint3d& q) {
    const double c[3] = {q.x, q.y, q.z};
    double s = 0.0;
    for (int i = 0; i < 3; ++i) {
        const double d = c[i] < b[i] ? b[i] - c[i] : (c[i] > b[i + 3] ? c[i] - b[i + 3] : 0.0);
        s += d * d;
    }
    return s;
}
}  // namespace

// Calls fn with each Cartesian control point of span s, in order.
template <class Fn>
static void forSpanPoints(const VqGeImpNurbCurve3d& crv, int s, Fn fn) {
    const VqArray<VqGePoint3d>& pts = crv.storedPoints();
    const VqArray<double>& w = crv.storedWeights();
    const int rational = crv.isRational(), p = crv.degree(), n = pts.length();
    const int periodic = crv.isPeriodicStored(), nd = periodic ? n - 1 : n;
    for (int r = 0; r <= p; ++r) {
        int i = s - p + r;
        if (periodic)
            i = nurbWrapIndex(i, nd);
        else if (i < 0 || i >= n)
            continue;
        const double inv = rational && w[i] != 0.0 ? 1.0 / w[i] : 1.0;
        fn(VqGePoint3d(pts[i].x * inv, pts[i].y * inv, pts[i].z * inv));
    }
}

// Boxes of the Cartesian control points of every span; unusable when a weight is not positive.
static void buildBoxes(const VqGeImpNurbCurve3d& crv, VqGeEvalDataNurbCrv& rec) {
    const VqArray<double>& w = crv.storedWeights();
    if (crv.isRational())
        for (int i = 0; i < w.length(); ++i)
            if (!(w[i] > 0.0)) {
                rec.boxesValid = -1;
                return;
            }
    for (int s = 0; s < rec.numSpans; ++s) {
        double* b = rec.boxes + 6 * s;
        b[0] = b[1] = b[2] = DBL_MAX;
        b[3] = b[4] = b[5] = -DBL_MAX;
        forSpanPoints(crv, s, [b](const VqGePoint3d& c) {
            const double v[3] = {c.x, c.y, c.z};
            for (int k = 0; k < 3; ++k) {
                b[k] = std::fmin(b[k], v[k]);
                b[k + 3] = std::fmax(b[k + 3], v[k]);
            }
        });
    }
    rec.boxesValid = 1;
}

// How far the control polygon of span s turns (the sum of the angles between its edges, by
// their sines and the sign of their cosines): a span that turns far may hold a nearest point
// between the samples that suffice for a gentle one.
static double spanTurn(const VqGeImpNurbCurve3d& crv, int s) {
    VqGePoint3d c[3];
    int m = 0;
    double turn = 0.0;
    forSpanPoints(crv, s, [&](const VqGePoint3d& pnt) {
        c[0] = c[1], c[1] = c[2], c[2] = pnt;
        if (++m < 3) return;
        const VqGeVector3d e = c[1] - c[0], f = c[2] - c[1];
        const double le = e.length(), lf = f.length();
        if (!(le > 0.0 && lf > 0.0)) return;
        const double sine = e.crossProduct(f).length() / (le * lf);
        turn += e.dotProduct(f) >= 0.0 ? sine : 2.0 - sine;
    });
    return std::isfinite(turn) ? turn : 4.0;
}

namespace {
struct Search {
    const VqGeImpNurbCurve3d& crv;
    VqGePoint3d q;
    double tol;
    double bestT;
    double bestD2;
    int broken;
    int cur = 0;           // knot index of the span searched
    double bIn = 0.0;      // right end of the current span as evaluated (see above)
    double bKnot = 0.0;    // the knot bIn stands for
    double bestKnot = NAN; // that knot when the best point sits at bIn, else NaN

    void consider(double t, const VqGePoint3d& c) {
        const double d2 = (c - q).lengthSqrd();
        if (d2 < bestD2) {
            bestD2 = d2;
            bestT = t;
            bestKnot = t == bIn && bIn != bKnot ? bKnot : NAN;
        }
    }

    // The best parameter, a span end moved inside handed back as its knot when the point at
    // the knot is as near (the curve is continuous there).
    double result() const {
        if (std::isnan(bestKnot)) return bestT;
        const double dk = crv.pointAt(bestKnot).distanceTo(q), db = std::sqrt(bestD2);
        const double slack = kRoundingUlps * DBL_EPSILON * (maxAbs(q) + db) + 1e-3 * tol;
        return dk <= db + slack ? bestKnot : bestT;
    }

    // Safeguarded Newton on g(t) = C'.(C - q) over [lo, hi], from t; returns where it stopped.
    double refine(double t, double lo, double hi) {
        VqGeVector3d d[2];
        for (int it = 0; it < kMaxNewton; ++it) {
            if (VqGeUtil::gBreakFunc && VqGeUtil::gBreakFunc()) {
                broken = 1;
                return t;
            }
            const VqGePoint3d c = crv.spanPointAt(cur, t, 2, d);
            consider(t, c);
            const VqGeVector3d r = c - q;
            const double g = d[0].dotProduct(r);
            double gp = d[1].dotProduct(r) + d[0].lengthSqrd();
            if (!(gp > 0.0)) gp = d[0].lengthSqrd();
            if (!(gp > 0.0)) return t;
            // Keep the bracket of the sign change of g.
            if (g > 0.0)
                hi = std::fmin(hi, t);
            else if (g < 0.0)
                lo = std::fmax(lo, t);
            else
                return t;
            double tn = t - g / gp;
            if (!(tn > lo && tn < hi)) tn = (g > 0.0 ? (lo + t) : (t + hi)) / 2.0;
            const double move = std::fabs(tn - t) * d[0].length();
            const double stop = std::fmax(kStepShare * tol,
                                          kRoundingUlps * DBL_EPSILON * (maxAbs(c) + maxAbs(q)));
            t = tn;
            if (move <= stop || hi - lo <= 0.0) {
                consider(t, crv.spanPointAt(cur, t, 0, nullptr));
                return t;
            }
        }
        return t;
    }

    // Span i clipped to [a, b]; innerEnd: b is a knot inside the knot range, so the span is
    // searched up to just below it. Every evaluation is on the span's own polynomial.
    void span(int i, double a, double b, int samples, int innerEnd) {
        cur = i;
        double ts[32];
        double ds[32];
        VqGePoint3d cs[32];
        if (samples > 32) samples = 32;
        bKnot = b;
        bIn = innerEnd && b > a ? std::nextafter(b, a) : b;
        for (int j = 0; j < samples; ++j) {
            ts[j] = j + 1 == samples ? bIn : std::fmin(a + (b - a) * j / (samples - 1), bIn);
            cs[j] = crv.spanPointAt(cur, ts[j], 0, nullptr);
            ds[j] = (cs[j] - q).lengthSqrd();
            consider(ts[j], cs[j]);
        }
        // Parameter of q's foot on the chord from sample j0 to j0 + 1, by the fraction along
        // it; NaN when the foot falls outside the chord.
        auto chordSeed = [&](int j0) {
            const VqGeVector3d e = cs[j0 + 1] - cs[j0];
            const double l2 = e.lengthSqrd();
            const double f = l2 > 0.0 ? e.dotProduct(q - cs[j0]) / l2 : -1.0;
            return f > 0.0 && f < 1.0 ? ts[j0] + f * (ts[j0 + 1] - ts[j0]) : NAN;
        };
        for (int j = 0; j < samples && !broken; ++j) {
            const int left = j == 0 || ds[j] <= ds[j - 1];
            const int right = j + 1 == samples || ds[j] <= ds[j + 1];
            if (!left || !right) continue;
            const double lo = ts[j > 0 ? j - 1 : 0], hi = ts[j + 1 < samples ? j + 1 : j];
            const double r = refine(ts[j], lo, hi);
            // Stuck at the sample or a bracket end: g keeps one sign there, though a root may
            // lie between the samples (speed changing by orders of magnitude within a span
            // hides it). A neighbouring chord that q projects into is searched from that foot.
            if (broken || (r != ts[j] && r > lo && r < hi)) continue;
            const double sl = j > 0 ? chordSeed(j - 1) : NAN;
            if (!std::isnan(sl)) refine(sl, lo, ts[j]);
            const double sr = j + 1 < samples && !broken ? chordSeed(j) : NAN;
            if (!std::isnan(sr)) refine(sr, ts[j], hi);
        }
    }
};
}  // namespace

double VqGeImpNurbCurve3d::closestParamTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    const int len = mKnots.length(), p = mDegree;
    if (len < p + 2 || mControlPoints.isEmpty()) return startParam();
    if (mEvalMode != 1) const_cast<VqGeImpNurbCurve3d*>(this)->setEvalMode(1);
    VqGeEvalDataNurbCrv* rec = evalData();
    const double lo = mInterval.isBoundedBelow() ? mInterval.lowerBound() : startDomain();
    const double hi = mInterval.isBoundedAbove() ? mInterval.upperBound() : endDomain();
    Search s{*this, pnt, tol.equalPoint(), lo, DBL_MAX, 0};
    s.consider(lo, pointAt(lo));
    if (!std::isfinite(pnt.x) || !std::isfinite(pnt.y) || !std::isfinite(pnt.z)) return lo;
    if (rec && rec->boxesValid == 0) buildBoxes(*this, *rec);
    const int useBoxes = rec && rec->boxesValid == 1;
    const int periodic = isPeriodicStored();
    const int first = periodic ? 0 : p, last = periodic ? len - 2 : mControlPoints.length() - 1;
    const int samples = 2 * p + 3;
    const double knotEnd = mKnots[periodic ? len - 1 : std::max(len - p - 1, 0)];
    auto clipped = [&](int i, double& a, double& b) {
        a = std::fmax(mKnots[i], lo);
        b = std::fmin(mKnots[i + 1], hi);
        return mKnots[i] < mKnots[i + 1] && a <= b;
    };
    // The span's right end is its own only at the end of the knot range or of the interval.
    auto innerEnd = [&](int i, double b) { return b == mKnots[i + 1] && b < knotEnd; };
    // The span whose box is nearest goes first, so the bound prunes the rest early.
    int start = -1;
    double startLb = DBL_MAX;
    double a, b;
    for (int i = first; i <= last; ++i) {
        if (!clipped(i, a, b)) continue;
        const double lb = useBoxes ? boxDist2(rec->boxes + 6 * i, pnt) : 0.0;
        if (lb < startLb) {
            startLb = lb;
            start = i;
        }
    }
    // A span turning through a half turn or more is sampled about four times as densely;
    // one that turns less than half a radian keeps the plain count.
    auto samplesOf = [&](int i) {
        const int more = static_cast<int>(8.0 * std::fmax(std::fmin(spanTurn(*this, i), 4.0) - 0.5, 0.0));
        return samples + more > 32 ? 32 : samples + more;
    };
    if (start >= 0 && clipped(start, a, b))
        s.span(start, a, b, samplesOf(start), innerEnd(start, b));
    for (int i = first; i <= last && !s.broken; ++i) {
        if (i == start || !clipped(i, a, b)) continue;
        if (useBoxes && boxDist2(rec->boxes + 6 * i, pnt) > s.bestD2) continue;
        s.span(i, a, b, samplesOf(i), innerEnd(i, b));
    }
    s.bIn = s.bKnot = hi;
    s.consider(hi, pointAt(hi));
    return s.result();
}

void VqGeImpNurbCurve3d::getClosestPointTo(const VqGePoint3d& pnt, VqGeImpPointOnCurve3d& pntOnThis,
                                           const VqGeTol& tol) const {
    pntOnThis.setCurve(this);
    const double t = closestParamTo(pnt, tol);
    setPoint(pntOnThis, t, pointAt(t));
}

int VqGeImpNurbCurve3d::isOn(const VqGePoint3d& pnt, double& param, const VqGeTol& tol) const {
    if (mKnots.length() < mDegree + 2 || mControlPoints.isEmpty()) return 0;
    const double t = closestParamTo(pnt, tol);
    if (!pointAt(t).isEqualTo(pnt, tol)) return 0;
    param = t;
    return 1;
}
