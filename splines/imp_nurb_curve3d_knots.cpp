// NURBS knot edits: Boehm insertion, raising a knot's multiplicity, removal of surplus and
// full-break knots, and degree elevation.
//
// Notation: p degree, k = p + 1 order, P(j) stored homogeneous points (weight as fourth
// coordinate), u(j) knots; on a periodic curve N = stored count - 1 distinct points and the
// knots continue periodically (nurbPeriodicKnot). Degree elevation uses blossoms: the new point j
// is the blossom of the curve at the new knots j+1 .. j+q, read from the power form c(r) of a
// span around a as sum_r c(r) e_r(x - a) / binom(q, r), with e_r the elementary symmetric sums.
#include <algorithm>
#include <cmath>

#include "splines/imp_nurb_curve3d.h"
#include "splines/imp_nurb_eval_data.h"
#include "splines/nurb_periodic_index.h"

namespace {
struct H4 {
    double v[4];
};
}  // namespace

void VqGeImpNurbCurve3d::homogeneous(int i, double h[4]) const {
    const VqGePoint3d& p = mControlPoints[i];
    h[0] = p.x;
    h[1] = p.y;
    h[2] = p.z;
    h[3] = isRational() ? mWeights[i] : 1.0;
}

void VqGeImpNurbCurve3d::setHomogeneous(int i, const double h[4]) {
    mControlPoints[i].set(h[0], h[1], h[2]);
    if (isRational()) mWeights[i] = h[3];
}

// One insertion of param into span b; the new point array replaces the old.
int VqGeImpNurbCurve3d::insertOnce(double param, int b) {
    const int p = mDegree, n = mControlPoints.length(), len = mKnots.length();
    const int periodic = isPeriodicStored();
    const double* k = mKnots.asArrayPtr();
    VqArray<H4> out(n + 1, 8);
    out.setLogicalLength(n + 1);
    if (out.length() != n + 1) return 0;
    if (!periodic) {
        for (int j = 0; j <= n; ++j) {
            H4& q = out[j];
            if (j <= b - p) {
                homogeneous(j, q.v);
            } else if (j >= b + 1) {
                homogeneous(j - 1, q.v);
            } else {
                const double den = k[j + p] - k[j];
                const double alpha = den != 0.0 ? (param - k[j]) / den : 0.0;
                double a[4], c[4];
                homogeneous(j, a);
                homogeneous(j - 1, c);
                for (int r = 0; r < 4; ++r) q.v[r] = alpha * a[r] + (1.0 - alpha) * c[r];
            }
        }
    } else {
        const int nd = n - 1;  // distinct points before, nd + 1 after
        for (int j = 0; j <= nd; ++j) {
            int jj = 0, modified = 0;
            for (int q = 0; q < p; ++q)
                if (nurbWrapIndex(b - p + 1 + q, nd + 1) == j) {
                    jj = b - p + 1 + q;
                    modified = 1;
                }
            H4& q = out[j];
            if (modified) {
                const double lo = nurbPeriodicKnot(k, len, jj), den = nurbPeriodicKnot(k, len, jj + p) - lo;
                const double alpha = den != 0.0 ? (param - lo) / den : 0.0;
                double a[4], c[4];
                homogeneous(nurbWrapIndex(jj, nd), a);
                homogeneous(nurbWrapIndex(jj - 1, nd), c);
                for (int r = 0; r < 4; ++r) q.v[r] = alpha * a[r] + (1.0 - alpha) * c[r];
            } else if (j <= b - p) {
                homogeneous(j, q.v);
            } else {
                homogeneous(j - 1, q.v);
            }
        }
        out[nd + 1] = out[0];
    }
    mControlPoints.setLogicalLength(out.length());
    if (isRational()) mWeights.setLogicalLength(out.length());
    if (mControlPoints.length() != out.length() ||
        (isRational() && mWeights.length() != out.length()))
        return 0;
    for (int j = 0; j < out.length(); ++j) setHomogeneous(j, out[j].v);
    mKnots.insertAt(b + 1, param);
    return 1;
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::insertKnot(double param, int mult) {
    const int len = mKnots.length(), p = mDegree, k = p + 1;
    if (len < p + 2 || mControlPoints.length() < k || !std::isfinite(param) || mult <= 0)
        return *this;
    const int periodic = isPeriodicStored();
    if (periodic && numDistinct() < k) return *this;
    const double ktol = mKnots.tolerance();
    double t = bringParamToBounds(param);
    if (periodic && t >= mKnots[len - 1] - ktol) t = mKnots[0];
    if (!periodic && (t < startDomain() - ktol || t > endDomain() + ktol)) return *this;
    int e = 0;
    for (;;) {
        const int first = periodic ? 0 : p;
        const int last = periodic ? len - 2 : mControlPoints.length() - 1;
        const double* kk = mKnots.asArrayPtr();
        int b = static_cast<int>(std::upper_bound(kk + first + 1, kk + last + 1, t) - kk) - 1;
        b = std::min(std::max(b, first), last);
        if (std::fabs(t - mKnots[b]) < ktol) {
            t = mKnots[b];
            e = mKnots.multiplicityAt(b);
        } else if (std::fabs(mKnots[b + 1] - t) < ktol) {
            t = mKnots[b + 1];
            e = mKnots.multiplicityAt(b + 1);
        } else {
            e = 0;
        }
        break;
    }
    if (e >= k) return *this;
    if (mult > k - e) mult = k - e;
    for (int i = 0; i < mult; ++i) {
        const int curLen = mKnots.length();
        const int first = periodic ? 0 : p;
        const int last = periodic ? curLen - 2 : mControlPoints.length() - 1;
        const double* kk = mKnots.asArrayPtr();
        int b = static_cast<int>(std::upper_bound(kk + first + 1, kk + last + 1, t) - kk) - 1;
        b = std::min(std::max(b, first), last);
        if (!insertOnce(t, b)) break;
    }
    definitionChanged();
    return *this;
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::addKnot(double param, int mult) {
    const int len = mKnots.length();
    if (len < mDegree + 2 || !std::isfinite(param)) return *this;
    const int periodic = isPeriodicStored();
    const double ktol = mKnots.tolerance();
    double t = bringParamToBounds(param);
    if (periodic && t >= mKnots[len - 1] - ktol) t = mKnots[0];
    VqGeImpInterval span;
    const int b = mKnots.getInterval(periodic ? 1 : mDegree + 1, t, span);
    if (b < 0) return *this;
    int e = 0;
    if (std::fabs(t - mKnots[b]) < ktol)
        e = mKnots.multiplicityAt(b);
    else if (b + 1 < len && std::fabs(mKnots[b + 1] - t) < ktol)
        e = mKnots.multiplicityAt(b + 1);
    if (e < mult) insertKnot(t, mult - e);
    return *this;
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::removeKnot(double param, const VqGeTol& tol) {
    const int len = mKnots.length(), k = mDegree + 1;
    if (len < k + 1 || !mKnots.isOn(param)) return *this;
    const double ktol = mKnots.tolerance();
    int a = 0;
    while (a < len && !(std::fabs(mKnots[a] - param) < ktol)) ++a;
    if (a >= len) return *this;
    int m = mKnots.multiplicityAt(a);
    while (a > 0 && std::fabs(mKnots[a - 1] - param) < ktol) --a;
    const int periodic = isPeriodicStored();
    int changed = 0;
    if (m > k) {
        // The points between the two pieces shape no span.
        const int surplus = m - k;
        mKnots.removeSubVector(a, a + surplus - 1);
        for (int i = 0; i < surplus && a < mControlPoints.length(); ++i) {
            mControlPoints.removeAt(a);
            if (isRational()) mWeights.removeAt(a);
        }
        m = k;
        changed = 1;
    }
    if (m == k) {
        const VqGePoint3d left = sidePoint(param, 0, 0, nullptr);
        const VqGePoint3d right = sidePoint(param, 1, 0, nullptr);
        if (left.isEqualTo(right, tol)) {
            int idx = a;
            if (periodic) idx = nurbWrapIndex(idx, numDistinct());
            if (idx < mControlPoints.length()) {
                mKnots.removeAt(a);
                mControlPoints.removeAt(idx);
                if (isRational()) mWeights.removeAt(idx);
                if (periodic && mControlPoints.length() > 1) {
                    mControlPoints.last() = mControlPoints[0];
                    if (isRational()) mWeights.last() = mWeights[0];
                }
                changed = 1;
            }
        }
    }
    if (changed) definitionChanged();
    return *this;
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::elevateDegree(int plusDegree) {
    if (plusDegree <= 0 || mKnots.length() < mDegree + 2 || mControlPoints.isEmpty()) return *this;
    const int periodic = isPeriodicStored();
    VqGeKnotVector raised(plusDegree, mKnots);
    if (periodic) raised.removeSubVector(raised.length() - plusDegree, raised.length() - 1);
    const int q = mDegree + plusDegree, len = raised.length();
    const int count = periodic ? len - 1 : len - q - 1;
    if (count <= 0 || (periodic && count < q + 1)) return *this;
    VqArray<H4> out(count + 1, 8);
    out.setLogicalLength(count);
    if (out.length() != count) return *this;
    VqGeEvalDataNurbCrv* rec = evalData();
    if (!rec) return *this;
    const double* nk = raised.asArrayPtr();
    auto knot = [&](int j) { return periodic ? nurbPeriodicKnot(nk, len, j) : nk[std::min(std::max(j, 0), len - 1)]; };
    double binom[64];
    double e[64];
    const int qq = std::min(q, 62);
    binom[0] = 1.0;
    for (int r = 1; r <= qq; ++r) binom[r] = binom[r - 1] * (qq - r + 1) / r;
    for (int j = 0; j < count; ++j) {
        // A non-empty span under the support of point j, the middle one when there are several.
        int best = -1;
        for (int s = j; s <= j + q; ++s)
            if (knot(s) < knot(s + 1) && (best < 0 || std::abs(2 * s - (2 * j + q)) <
                                                           std::abs(2 * best - (2 * j + q))))
                best = s;
        H4& res = out[j];
        for (double& v : res.v) v = 0.0;
        if (best < 0) continue;
        double mid = 0.5 * (knot(best) + knot(best + 1));
        double shift = 0.0;
        if (periodic) {
            const double inside = bringParamToBounds(mid);
            shift = mid - inside;
            mid = inside;
        }
        setCurrentData(*rec, intervalParam(mid));
        const double* c = spanPower(*rec);
        const double a = rec->lo + shift;
        for (int r = 0; r <= qq; ++r) e[r] = 0.0;
        e[0] = 1.0;
        for (int i = 1; i <= qq; ++i) {
            const double y = knot(j + i) - a;
            for (int r = i; r >= 1; --r) e[r] += e[r - 1] * y;
        }
        for (int r = 0; r <= mDegree; ++r)
            for (int cc = 0; cc < rec->dim; ++cc) res.v[cc] += c[r * rec->dim + cc] * e[r] / binom[r];
        if (rec->dim == 3) res.v[3] = 1.0;
    }
    if (periodic) out.append(out[0]);
    mDegree = q;
    mKnots = raised;
    mControlPoints.setLogicalLength(out.length());
    if (isRational()) mWeights.setLogicalLength(out.length());
    for (int j = 0; j < out.length() && j < mControlPoints.length(); ++j) setHomogeneous(j, out[j].v);
    definitionChanged();
    return *this;
}
