// NmFuncDeriv all-roots search over n equal pieces of the stored bracket.
//
// Notation: a piece [a, b] has end values fa, fb and slopes da, db; a value below tol
// "is zero", a slope below tol / (b - a) "is flat". Each end carries a recorded-flag that
// neighbouring pieces share, so a root on a common end is listed once. m is the midpoint,
// [sa, sb] the interval that a local search runs on from its start point.
#include <cmath>

#include "numeric/nm_func_deriv.h"
#include "vqge_context.h"
#include "vqge_util.h"

namespace {

inline bool strictlySameSide(double u, double v) {
    return (u > 0 && v > 0) || (u < 0 && v < 0);
}
inline bool opposite(double u, double v) {
    return (u < 0 && v > 0) || (u > 0 && v < 0);
}

}  // namespace

struct NmFuncDeriv::RootList {
    NmVector* out;
    int count;
    int ok;
    // Splits still allowed; 0 also once the caller's break function asked to stop.
    int splitsLeft;

    bool maySplit() {
        if (splitsLeft <= 0) return false;
        if (VqGeUtil::gBreakFunc && VqGeUtil::gBreakFunc()) {
            splitsLeft = 0;
            return false;
        }
        --splitsLeft;
        return true;
    }

    void add(double t) {
        if (!ok) return;
        if (count == out->dim()) {
            const int want = count + kRootsGrowBy;
            out->resize(want);
            if (out->dim() != want) {
                ok = 0;
                return;
            }
        }
        (*out)[count++] = t;
    }
};

struct NmFuncDeriv::EndInfo {
    double t;
    double f;
    double d;
    bool recorded;
};

int NmFuncDeriv::examinePiece(RootList& list, EndInfo& ea, EndInfo& eb, double tol, int depth) {
    const double a = ea.t;
    const double b = eb.t;
    const double w = b - a;
    const bool zeroA = std::fabs(ea.f) < tol;
    const bool zeroB = std::fabs(eb.f) < tol;
    const double slopeTol = tol / w;
    const bool flatSlopeA = std::fabs(ea.d) < slopeTol;
    const bool flatSlopeB = std::fabs(eb.d) < slopeTol;
    if (zeroA && !ea.recorded) {
        list.add(a);
        ea.recorded = true;
    }
    if (zeroB && !eb.recorded) {
        list.add(b);
        eb.recorded = true;
    }
    if (ea.recorded && eb.recorded) return 1;
    if (flatSlopeA && flatSlopeB) return 1;

    const double m = 0.5 * (a + b);
    // Splitting ends where doubles run out, at the nesting limit, when the search has used
    // up its splits or when the caller breaks it off.
    if (depth >= kMaxSplitDepth || !(m > a && m < b) || !list.maySplit()) return 1;
    const double fm = compute(m);
    if (std::fabs(fm) < tol) {
        list.add(m);
        EndInfo em{m, fm, computeDeriv(m), true};
        examinePiece(list, ea, em, tol, depth + 1);
        examinePiece(list, em, eb, tol, depth + 1);
        return list.ok;
    }

    double sa = a, sb = b, start = m;
    if (zeroA && flatSlopeA) {
        if (strictlySameSide(fm, eb.f)) return 1;
        sa = m;
        start = 0.5 * (m + b);
    } else if (zeroB && flatSlopeB) {
        if (strictlySameSide(fm, ea.f)) return 1;
        sb = m;
        start = 0.5 * (a + m);
    } else if (zeroA || zeroB || !opposite(ea.f, eb.f)) {
        // No sign change between values that are not zero: an end root counts as recorded,
        // never as a sign change, or the root on a shared end would be found twice.
        if ((zeroA || zeroB) && (strictlySameSide(ea.d, eb.d) || flatSlopeA || flatSlopeB)) {
            return 1;
        }
        const double ta = ea.f + w * ea.d;
        const double tb = eb.f - w * eb.d;
        if ((ea.f > 0 && eb.f > 0 && ta > 0 && tb > 0) ||
            (ea.f < 0 && eb.f < 0 && ta < 0 && tb < 0)) {
            return 1;
        }
        const double g = std::fabs(eb.f) < std::fabs(ea.f) ? kGoldShort * a + kGoldLong * b
                                                           : kGoldLong * a + kGoldShort * b;
        EndInfo eg{g, compute(g), computeDeriv(g), false};
        examinePiece(list, ea, eg, tol, depth + 1);
        examinePiece(list, eg, eb, tol, depth + 1);
        return list.ok;
    }

    double x = start;
    if (!safeNewton(x, sa, sb, tol) && !NmFunc::root(x, sa, sb, tol)) return 1;
    list.add(x);
    return list.ok;
}

int NmFuncDeriv::allRoots(NmVector& roots, int n, double tol) {
    double lo = 0.0, hi = 0.0;
    bracket(lo, hi);
    if (hi < lo) {
        double s = lo;
        lo = hi;
        hi = s;
    }
    if (n < 1 || !std::isfinite(lo) || !std::isfinite(hi)) {
        roots.reset(0);
        return 0;
    }
    if (!(tol > 0.0)) {
        // Without a positive tolerance no value or slope can count as zero and end roots
        // go unseen: take the library's point tolerance instead.
        tol = std::fabs(VqGeContext::gTol.equalPoint());
        if (!(tol > 0.0)) tol = 1e-10;
    }
    roots.reset(n);
    if (roots.dim() != n) return 0;
    RootList list{&roots, 0, 1, kMaxSplits};
    if (lo == hi) {
        // A single point: it is the only candidate.
        if (std::fabs(compute(lo)) < tol) list.add(lo);
    } else {
        const double width = (hi - lo) / n;
        EndInfo left{lo, compute(lo), computeDeriv(lo), false};
        for (int i = 0; i < n && list.ok; ++i) {
            const double t = i == n - 1 ? hi : lo + (i + 1) * width;
            EndInfo right{t, compute(t), computeDeriv(t), false};
            examinePiece(list, left, right, tol, 0);
            left = right;
        }
    }
    if (!list.ok) {
        roots.reset(0);
        return 0;
    }
    roots.resize(list.count);
    if (roots.dim() != list.count) return 0;
    // Exchange sort: the lists are short and mostly in order already.
    for (int i = 0; i + 1 < list.count; ++i) {
        for (int j = i + 1; j < list.count; ++j) {
            if (roots[j] < roots[i]) {
                const double s = roots[i];
                roots[i] = roots[j];
                roots[j] = s;
            }
        }
    }
    return 1;
}
