// NURBS evaluation pipeline: parameter to bounds, span choice, de Boor for plain points,
// power basis with Horner for derivatives, homogeneous division for rational curves.
//
// Notation as in imp_nurb_eval_data.h; h is the homogeneous point, A(r) its r-th derivative,
// w(r) that of the weight, C(r) = (A(r) - sum_{i=1..r} binom(r,i) w(i) C(r-i)) / w.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "curves/imp_point_on_curve3d.h"
#include "foundation/vqge_mem.h"
#include "splines/imp_nurb_curve3d.h"
#include "splines/imp_nurb_eval_data.h"
#include "splines/nurb_periodic_index.h"
#include "vqge_matrix3d.h"
#include "vqge_pointoncurvedata.h"

namespace {
const double kBoundsFactor = 1.110223e-15;
const double kSpanDelta = 1e-8;
// Knot differences at most this share of the span's own length count as zero. Every
// difference the coefficients divide by spans the current span, so on a non-empty span none
// is zero; a fixed absolute threshold would zero the coefficients of every curve whose spans
// are shorter than it (knots scaled into [0, 1e-8]) and return points far off the curve.
const double kTinyKnotDiff = 1e-8;
const int kMaxDeriv = 3;
}  // namespace

VqGeEvalDataNurbCrv* VqGeEvalDataNurbCrv::create(int dim, int order, int numSpans) {
    if (dim <= 0 || order <= 0 || numSpans < 0) return nullptr;
    const long k = order;
    const long doubles = k * dim + (2 * k - 1) + k * dim + (2 * k * k + 4 * k) + k * dim +
                         static_cast<long>(numSpans) * k * dim + 6L * numSpans;
    const long bytes = static_cast<long>(sizeof(VqGeEvalDataNurbCrv)) +
                       doubles * static_cast<long>(sizeof(double)) + numSpans;
    void* block = VqGeContext::gAllocMem(static_cast<size_t>(bytes));
    if (!block) return nullptr;
    VqGeEvalDataNurbCrv* rec = static_cast<VqGeEvalDataNurbCrv*>(block);
    double* d = reinterpret_cast<double*>(rec + 1);
    rec->dim = dim;
    rec->order = order;
    rec->span = -1;
    rec->lo = rec->hi = -1.0;
    rec->table = d;
    d += k * dim;
    rec->knots = d;
    d += 2 * k - 1;
    rec->pts = d;
    d += k * dim;
    rec->scratch = d;
    d += 2 * k * k + 4 * k;
    rec->fwd = d;
    d += k * dim;
    for (long i = 0; i < 2 * k - 1; ++i) rec->knots[i] = 0.0;
    rec->power = nullptr;
    rec->fwdValid = 0;
    rec->localsValid = 0;
    rec->fwdStep = 0.0;
    rec->numSpans = numSpans;
    rec->allPower = d;
    d += static_cast<long>(numSpans) * k * dim;
    rec->boxes = d;
    d += 6L * numSpans;
    rec->boxesValid = 0;
    rec->allValid = reinterpret_cast<unsigned char*>(d);
    std::memset(rec->allValid, 0, static_cast<size_t>(numSpans));
    return rec;
}

void VqGeEvalDataNurbCrv::destroy(VqGeEvalDataNurbCrv* rec) {
    if (rec) VqGeContext::gFreeMem(rec);
}

void VqGeImpNurbCurve3d::releaseEvalData() const {
    VqGeEvalDataNurbCrv::destroy(mEvalData);
    mEvalData = nullptr;
}

VqGeEvalDataNurbCrv* VqGeImpNurbCurve3d::evalData() const {
    if (!mEvalData) mEvalData = VqGeEvalDataNurbCrv::create(dim(), mDegree + 1, mKnots.length());
    return mEvalData;
}

VqGeImpNurbCurve3d& VqGeImpNurbCurve3d::setEvalMode(int mode) {
    if (mode != mEvalMode) releaseEvalData();
    mEvalMode = mode;
    return *this;
}

double VqGeImpNurbCurve3d::bringParamToBounds(double t) const {
    if (!isPeriodicStored() || mKnots.length() < 2 || !std::isfinite(t)) return t;
    const double s = mKnots[0], e = mKnots[mKnots.length() - 1], period = e - s;
    if (!(period > 0.0)) return t;
    if (t > e + std::fabs(e) * kBoundsFactor || t < s - std::fabs(s) * kBoundsFactor) {
        // One reduction instead of a subtraction per period keeps huge parameters bounded.
        double r = std::fmod(t - s, period);
        if (r < 0.0) r += period;
        t = s + r;
    }
    return t;
}

double VqGeImpNurbCurve3d::intervalParam(double t) const {
    const int len = mKnots.length();
    if (len < 2) return t;
    const int periodic = isPeriodicStored();
    const double s = periodic ? mKnots[0] : mKnots[std::min(mDegree, len - 1)];
    const double e = periodic ? mKnots[len - 1] : mKnots[std::max(len - mDegree - 1, 0)];
    const double delta = std::min((e - s) / 2.0, kSpanDelta);
    if (s <= t && t < e) return t;
    if (t >= e) {
        const double x = e - delta;
        if (x != e) return x;
        for (int j = len - 2; j >= 0; --j)
            if (mKnots[j] < mKnots[j + 1] && mKnots[j + 1] <= e)
                return (mKnots[j] + mKnots[j + 1]) / 2.0;
        return e;
    }
    const double x = s + delta;
    if (x != s) return x;
    for (int j = 0; j < len; ++j)
        if (mKnots[j] > s) return (s + mKnots[j]) / 2.0;
    return s;
}

int VqGeImpNurbCurve3d::numDistinct() const {
    const int n = mControlPoints.length();
    return isPeriodicStored() ? n - 1 : n;
}

// Span whose knots hold x (the right-open span); fromLeft picks the span that ends at x.
static int findSpan(const double* k, int first, int last, double x, int fromLeft) {
    const double* from = k + first + 1;
    const double* to = k + last + 1;
    // Branch-free halving (conditional moves): random parameters defeat branch prediction.
    // Afterwards it is the first knot >= x (fromLeft) or > x in [from, to].
    const double* it = from;
    long n = to - from;
    if (n > 0) {
        while (n > 1) {
            const long half = n / 2;
            it = (fromLeft ? it[half - 1] < x : it[half - 1] <= x) ? it + half : it;
            n -= half;
        }
        it += fromLeft ? *it < x : *it <= x;
    }
    int b = static_cast<int>(it - k) - 1;
    if (b < first) b = first;
    if (b > last) b = last;
    return b;
}

// Makes b the current span; its local data are loaded on first need (loadLocals).
static void loadSpan(VqGeEvalDataNurbCrv& rec, int b, const double* knots) {
    rec.span = b;
    rec.lo = knots[b];
    rec.hi = knots[b + 1];
    rec.power = nullptr;
    rec.fwdValid = 0;
    rec.localsValid = 0;
}

// Local knots of the current span (periodically extended when needed) and its homogeneous
// points.
static void loadLocals(const VqGeImpNurbCurve3d& crv, VqGeEvalDataNurbCrv& rec) {
    if (rec.localsValid) return;
    const int p = rec.order - 1, dim = rec.dim, b = rec.span;
    const double* knots = crv.knots().asArrayPtr();
    const int numKnots = crv.knots().length(), periodic = crv.isPeriodicStored();
    const int distinct = periodic ? numKnots - 1 : 0;
    for (int m = 0; m < 2 * p; ++m) {
        const int j = b - p + 1 + m;
        rec.knots[m] = periodic ? nurbPeriodicKnot(knots, numKnots, j)
                                : knots[std::min(std::max(j, 0), numKnots - 1)];
    }
    const VqArray<VqGePoint3d>& pts = crv.storedPoints();
    const VqArray<double>& w = crv.storedWeights();
    const int n = pts.length();
    for (int r = 0; r <= p; ++r) {
        const int i = periodic ? nurbWrapIndex(b - p + r, distinct) : std::min(std::max(b - p + r, 0), n - 1);
        double* q = rec.pts + r * dim;
        q[0] = pts[i].x;
        q[1] = pts[i].y;
        q[2] = pts[i].z;
        if (dim == 4) q[3] = w[i];
    }
    rec.localsValid = 1;
}

void VqGeImpNurbCurve3d::setCurrentData(VqGeEvalDataNurbCrv& rec, double x) const {
    const int len = mKnots.length();
    const int periodic = isPeriodicStored();
    const int first = periodic ? 0 : mDegree;
    const int last = periodic ? len - 2 : mControlPoints.length() - 1;
    const int b = findSpan(mKnots.asArrayPtr(), first, std::max(first, last), x, 0);
    loadSpan(rec, b, mKnots.asArrayPtr());
}

// Power coefficients by the derivatives of the basis functions at the span start.
const double* VqGeImpNurbCurve3d::spanPower(VqGeEvalDataNurbCrv& rec) const {
    if (rec.power) return rec.power;
    const int p = rec.order - 1, k = rec.order, dim = rec.dim;
    double* out = rec.allPower + static_cast<long>(rec.span) * k * dim;
    if (rec.span >= 0 && rec.span < rec.numSpans && rec.allValid[rec.span]) {
        rec.power = out;
        return out;
    }
    loadLocals(*this, rec);
    double* ndu = rec.scratch;         // k x k
    double* a = ndu + k * k;           // 2 x k
    double* left = a + 2 * k;          // k
    double* right = left + k;          // k
    double* ders = right + k;          // k x k
    const double* L = rec.knots;
    const double u = L[p > 0 ? p - 1 : 0];
    const double tiny = kTinyKnotDiff * (rec.hi - rec.lo);
    ndu[0] = 1.0;
    for (int j = 1; j <= p; ++j) {
        left[j] = u - L[p - j];
        right[j] = L[p - 1 + j] - u;
        double saved = 0.0;
        for (int r = 0; r < j; ++r) {
            const double den = right[r + 1] + left[j - r];
            ndu[j * k + r] = den;
            const double temp = !(std::fabs(den) > tiny) ? 0.0 : ndu[r * k + j - 1] / den;
            ndu[r * k + j] = saved + right[r + 1] * temp;
            saved = left[j - r] * temp;
        }
        ndu[j * k + j] = saved;
    }
    for (int j = 0; j <= p; ++j) ders[j] = ndu[j * k + p];
    for (int r = 0; r <= p; ++r) {
        double* a0 = a;
        double* a1 = a + k;
        a0[0] = 1.0;
        for (int d = 1; d <= p; ++d) {
            double dv = 0.0;
            const int rk = r - d, pk = p - d;
            if (r >= d) {
                const double den = ndu[(pk + 1) * k + rk];
                a1[0] = !(std::fabs(den) > tiny) ? 0.0 : a0[0] / den;
                dv = a1[0] * ndu[rk * k + pk];
            }
            const int j1 = rk >= -1 ? 1 : -rk;
            const int j2 = (r - 1 <= pk) ? d - 1 : p - r;
            for (int j = j1; j <= j2; ++j) {
                const double den = ndu[(pk + 1) * k + rk + j];
                a1[j] = !(std::fabs(den) > tiny) ? 0.0 : (a0[j] - a0[j - 1]) / den;
                dv += a1[j] * ndu[(rk + j) * k + pk];
            }
            if (r <= pk) {
                const double den = ndu[(pk + 1) * k + r];
                a1[d] = !(std::fabs(den) > tiny) ? 0.0 : -a0[d - 1] / den;
                dv += a1[d] * ndu[r * k + pk];
            }
            ders[d * k + r] = dv;
            double* t = a0;
            a0 = a1;
            a1 = t;
        }
    }
    // c_j = sum_r N_r^(j)(u) P_r / j!, where N^(j) carries the factor p! / (p - j)!.
    double fact = 1.0, scale = 1.0;
    for (int d = 0; d <= p; ++d) {
        if (d > 0) {
            fact *= d;
            scale *= p - d + 1;
        }
        for (int c = 0; c < dim; ++c) {
            double s = 0.0;
            for (int r = 0; r <= p; ++r) s += ders[d * k + r] * rec.pts[r * dim + c];
            out[d * dim + c] = s * scale / fact;
        }
    }
    if (rec.span >= 0 && rec.span < rec.numSpans) rec.allValid[rec.span] = 1;
    rec.power = out;
    return out;
}

namespace {
// de Boor at x over the loaded span; h receives dim coordinates.
template <int DIM>
void deBoorDim(VqGeEvalDataNurbCrv& rec, double x, double* h) {
    const int p = rec.order - 1;
    double* d = rec.table;
    for (int i = 0; i < rec.order * DIM; ++i) d[i] = rec.pts[i];
    const double* L = rec.knots;
    for (int r = 1; r <= p; ++r) {
        for (int j = p; j >= r; --j) {
            const double lo = L[j - 1], den = L[j + p - r] - lo;
            const double alpha = den != 0.0 ? (x - lo) / den : 0.0;
            double* dj = d + j * DIM;
            const double* dm = dj - DIM;
            for (int c = 0; c < DIM; ++c) dj[c] = dm[c] + alpha * (dj[c] - dm[c]);
        }
    }
    for (int c = 0; c < DIM; ++c) h[c] = d[p * DIM + c];
}

void deBoor(VqGeEvalDataNurbCrv& rec, double x, double* h) {
    if (rec.dim == 4)
        deBoorDim<4>(rec, x, h);
    else
        deBoorDim<3>(rec, x, h);
}

// Horner with derivatives for a fixed coordinate count and order, all coordinates in one
// pass so the compiler keeps the partial sums in registers.
template <int DIM, int N>
void hornerFixed(const double* coef, int p, double v, double* out) {
    double D[N + 1][DIM] = {};
    for (int j = p; j >= 0; --j) {
        const double* cj = coef + j * DIM;
        for (int r = N; r >= 1; --r)
            for (int c = 0; c < DIM; ++c) D[r][c] = D[r][c] * v + D[r - 1][c];
        for (int c = 0; c < DIM; ++c) D[0][c] = D[0][c] * v + cj[c];
    }
    double f = 1.0;
    for (int r = 0; r <= N; ++r) {
        if (r > 1) f *= r;
        for (int c = 0; c < DIM; ++c) out[r * DIM + c] = D[r][c] * f;
    }
}

template <int DIM>
void hornerDim(const double* coef, int p, double v, int n, double* out) {
    switch (n) {
        case 0: return hornerFixed<DIM, 0>(coef, p, v, out);
        case 1: return hornerFixed<DIM, 1>(coef, p, v, out);
        case 2: return hornerFixed<DIM, 2>(coef, p, v, out);
        default: return hornerFixed<DIM, kMaxDeriv>(coef, p, v, out);
    }
}

// Horner with derivatives: out[r * dim + c] = r-th derivative at v, r = 0..n (n <= 3).
void horner(const double* coef, int p, int dim, double v, int n, double* out) {
    if (dim == 4)
        hornerDim<4>(coef, p, v, n, out);
    else
        hornerDim<3>(coef, p, v, n, out);
}

// Cartesian point and derivatives from homogeneous ones (A[r*4 + c]).
VqGePoint3d divide(const double* A, int n, VqGeVector3d* derivs) {
    const double w = A[3];
    const double inv = w != 0.0 ? 1.0 / w : 0.0;
    double C[kMaxDeriv + 1][3];
    static const double binom[4][4] = {{1, 0, 0, 0}, {1, 1, 0, 0}, {1, 2, 1, 0}, {1, 3, 3, 1}};
    for (int r = 0; r <= n; ++r) {
        for (int c = 0; c < 3; ++c) {
            double v = A[r * 4 + c];
            for (int i = 1; i <= r; ++i) v -= binom[r][i] * A[i * 4 + 3] * C[r - i][c];
            C[r][c] = v * inv;
        }
        if (r > 0) derivs[r - 1].set(C[r][0], C[r][1], C[r][2]);
    }
    return VqGePoint3d(C[0][0], C[0][1], C[0][2]);
}
}  // namespace

VqGeEvalDataNurbCrv* VqGeImpNurbCurve3d::spanRecord(double param, double& t, double& x) const {
    VqGeEvalDataNurbCrv* rec = evalData();
    t = bringParamToBounds(param);
    x = intervalParam(t);
    if (rec && (rec->span < 0 || !(rec->lo <= x && x < rec->hi))) setCurrentData(*rec, x);
    return rec;
}

VqGePoint3d VqGeImpNurbCurve3d::evalAt(double param, int numDeriv, VqGeVector3d* derivs) const {
    if (numDeriv > kMaxDeriv) {
        for (int r = kMaxDeriv; r < numDeriv; ++r) derivs[r].set(0.0, 0.0, 0.0);
        numDeriv = kMaxDeriv;
    }
    if (numDeriv < 0 || !derivs) numDeriv = 0;
    if (mKnots.length() < 2 || mControlPoints.isEmpty() ||
        mKnots.length() < mDegree + 2) {
        for (int r = 0; r < numDeriv; ++r) derivs[r].set(0.0, 0.0, 0.0);
        return VqGePoint3d();
    }
    double t, x;
    VqGeEvalDataNurbCrv* rec = spanRecord(param, t, x);
    if (!rec) return VqGePoint3d();
    return evalLoaded(*rec, t, x, numDeriv, derivs);
}

VqGePoint3d VqGeImpNurbCurve3d::evalLoaded(VqGeEvalDataNurbCrv& rec, double t, double x,
                                          int numDeriv, VqGeVector3d* derivs) const {
    const int dim = rec.dim;
    double A[(kMaxDeriv + 1) * 4];
    if (numDeriv == 0 && mEvalMode == 0 && t == x) {
        loadLocals(*this, rec);
        deBoor(rec, t, A);
    } else {
        horner(spanPower(rec), rec.order - 1, dim, t - rec.lo, numDeriv, A);
    }
    const VqGePoint3d pnt = dim == 4 ? divide(A, numDeriv, derivs) : VqGePoint3d(A[0], A[1], A[2]);
    if (dim != 4)
        for (int r = 1; r <= numDeriv; ++r)
            derivs[r - 1].set(A[r * 3], A[r * 3 + 1], A[r * 3 + 2]);
    // A clamped end is its control point: the power basis (and the homogeneous division)
    // rounds there by many units in the last place at drawing scale, and the curves of a
    // drawing meet at exactly these points.
    const int len = mKnots.length(), n = mControlPoints.length();
    if (isPeriodicStored() || len != n + mDegree + 1) return pnt;
    if (t == mKnots[0] && mKnots[mDegree] == t) return controlPointAt(0);
    if (t == mKnots[len - 1] && mKnots[len - 1 - mDegree] == t) return controlPointAt(n - 1);
    return pnt;
}

const double* VqGeImpNurbCurve3d::spanCoefficients(int i) const {
    VqGeEvalDataNurbCrv* rec = evalData();
    if (!rec || i < 0 || i + 1 >= mKnots.length() || i >= rec->numSpans) return nullptr;
    if (rec->allValid[i]) return rec->allPower + static_cast<long>(i) * rec->order * rec->dim;
    if (rec->span != i) loadSpan(*rec, i, mKnots.asArrayPtr());
    return spanPower(*rec);
}

VqGePoint3d VqGeImpNurbCurve3d::spanPointAt(int i, double t, int numDeriv, VqGeVector3d* derivs) const {
    if (numDeriv > kMaxDeriv) {
        for (int r = kMaxDeriv; r < numDeriv; ++r) derivs[r].set(0.0, 0.0, 0.0);
        numDeriv = kMaxDeriv;
    }
    if (numDeriv < 0 || !derivs) numDeriv = 0;
    const double* coef = mKnots.length() >= mDegree + 2 && !mControlPoints.isEmpty() ? spanCoefficients(i) : nullptr;
    if (!coef) return evalAt(t, numDeriv, derivs);
    double A[(kMaxDeriv + 1) * 4];
    const int dim = this->dim();
    horner(coef, mDegree, dim, t - mKnots[i], numDeriv, A);
    if (dim == 4) return divide(A, numDeriv, derivs);
    for (int r = 1; r <= numDeriv; ++r) derivs[r - 1].set(A[r * 3], A[r * 3 + 1], A[r * 3 + 2]);
    return VqGePoint3d(A[0], A[1], A[2]);
}

// C' = (A' - w' C) / w with C = A / w, so |C'| = |A' w - A w'| / w^2.
double VqGeImpNurbCurve3d::spanSpeedAt(int i, double t) const {
    const double* coef = mKnots.length() >= mDegree + 2 && !mControlPoints.isEmpty() ? spanCoefficients(i) : nullptr;
    if (!coef) {
        VqGeVector3d d[1];
        evalAt(t, 1, d);
        return d[0].length();
    }
    double A[8];
    const double v = t - mKnots[i];
    if (!isRational()) {
        // Only the derivative is wanted: Horner on the derivative's own coefficients, half
        // the work of the point and derivative together (lengths spend most time here).
        const int p = mDegree;
        if (p < 1) return 0.0;
        double dx = p * coef[3 * p], dy = p * coef[3 * p + 1], dz = p * coef[3 * p + 2];
        for (int j = p - 1; j >= 1; --j) {
            dx = dx * v + j * coef[3 * j];
            dy = dy * v + j * coef[3 * j + 1];
            dz = dz * v + j * coef[3 * j + 2];
        }
        return std::sqrt(dx * dx + dy * dy + dz * dz);
    }
    hornerFixed<4, 1>(coef, mDegree, v, A);
    const double w = A[3], dw = A[7];
    if (w == 0.0) return 0.0;
    const double x = A[4] * w - A[0] * dw, y = A[5] * w - A[1] * dw, z = A[6] * w - A[2] * dw;
    return std::sqrt(x * x + y * y + z * z) / (w * w);
}

VqGePoint3d VqGeImpNurbCurve3d::sidePoint(double param, int fromRight, int numDeriv,
                                          VqGeVector3d* derivs) const {
    if (mKnots.length() < mDegree + 2 || mControlPoints.isEmpty()) return evalAt(param, numDeriv, derivs);
    VqGeEvalDataNurbCrv* rec = evalData();
    if (!rec) return VqGePoint3d();
    if (numDeriv > kMaxDeriv) numDeriv = kMaxDeriv;
    if (numDeriv < 0 || !derivs) numDeriv = 0;
    const double t = bringParamToBounds(param);
    const int len = mKnots.length();
    const int periodic = isPeriodicStored();
    const int first = periodic ? 0 : mDegree;
    const int last = periodic ? len - 2 : mControlPoints.length() - 1;
    int b = findSpan(mKnots.asArrayPtr(), first, std::max(first, last), t, !fromRight);
    // Skip empty spans so the limit comes from a real piece of the curve.
    if (fromRight)
        while (b < last && !(mKnots[b] < mKnots[b + 1])) ++b;
    else
        while (b > first && !(mKnots[b] < mKnots[b + 1])) --b;
    if (rec->span != b) loadSpan(*rec, b, mKnots.asArrayPtr());
    const int saved = mEvalMode;
    const_cast<VqGeImpNurbCurve3d*>(this)->mEvalMode = 1;  // Horner on the chosen span
    const VqGePoint3d p = evalLoaded(*rec, t, t, numDeriv, derivs);
    const_cast<VqGeImpNurbCurve3d*>(this)->mEvalMode = saved;
    return p;
}

VqGePoint3d VqGeImpNurbCurve3d::evalPoint(double param) { return evalAt(param, 0, nullptr); }

VqGePoint3d VqGeImpNurbCurve3d::evalPoint(double param, int numDeriv,
                                          VqArray<VqGeVector3d>& derivs) {
    derivs.setLogicalLength(numDeriv > 0 ? numDeriv : 0);
    return evalAt(param, numDeriv, derivs.asArrayPtr());
}

VqGePoint3d VqGeImpNurbCurve3d::evalPoint(double param, double& weight) {
    double h[4];
    const VqGePoint3d hp = evalCannonPoint(param);
    h[3] = 1.0;
    if (isRational()) {
        VqGeEvalDataNurbCrv* rec = evalData();
        h[3] = rec ? rec->table[mDegree * 4 + 3] : 1.0;
    }
    weight = h[3];
    const double inv = weight != 0.0 ? 1.0 / weight : 0.0;
    return VqGePoint3d(hp.x * inv, hp.y * inv, hp.z * inv);
}

// Always by de Boor, so the weight is left in the table for evalPoint (param, weight).
VqGePoint3d VqGeImpNurbCurve3d::evalCannonPoint(double param) {
    if (mKnots.length() < mDegree + 2 || mControlPoints.isEmpty()) return VqGePoint3d();
    double t, x;
    VqGeEvalDataNurbCrv* rec = spanRecord(param, t, x);
    if (!rec) return VqGePoint3d();
    double h[4];
    loadLocals(*this, *rec);
    deBoor(*rec, t, h);
    return VqGePoint3d(h[0], h[1], h[2]);
}

// The array form of sidePoint: derivs sized to numDeriv, orders above three zero.
static VqGePoint3d sidePointInto(const VqGeImpNurbCurve3d& crv, double param, int fromRight,
                                 int numDeriv, VqArray<VqGeVector3d>& derivs) {
    derivs.setLogicalLength(numDeriv > 0 ? numDeriv : 0);
    for (int r = kMaxDeriv; r < derivs.length(); ++r) derivs[r].set(0.0, 0.0, 0.0);
    return crv.sidePoint(param, fromRight, numDeriv, derivs.asArrayPtr());
}

VqGePoint3d VqGeImpNurbCurve3d::evalPointOnLeft(double param, int numDeriv,
                                                VqArray<VqGeVector3d>& derivs) {
    return sidePointInto(*this, param, 0, numDeriv, derivs);
}

VqGePoint3d VqGeImpNurbCurve3d::evalPointOnRight(double param, int numDeriv,
                                                 VqArray<VqGeVector3d>& derivs) {
    return sidePointInto(*this, param, 1, numDeriv, derivs);
}

// Stepped sampling: forward differences of step (t - span start) / degree, marched degree
// steps from the span start.
VqGePoint3d VqGeImpNurbCurve3d::evalPntInForwardDiffBasis(double param) const {
    if (mDegree < 1) return evalAt(param, 0, nullptr);
    if (mKnots.length() < mDegree + 2 || mControlPoints.isEmpty()) return VqGePoint3d();
    double t, x;
    VqGeEvalDataNurbCrv* rec = spanRecord(param, t, x);
    if (!rec) return VqGePoint3d();
    const int p = mDegree, dim = rec->dim;
    const double step = (t - rec->lo) / p;
    const double* coef = spanPower(*rec);
    double* f = rec->fwd;
    if (!rec->fwdValid || rec->fwdStep != step) {
        double v[4 * (kMaxDeriv + 1)];
        for (int i = 0; i <= p; ++i) {
            horner(coef, p, dim, step * i, 0, v);
            for (int c = 0; c < dim; ++c) f[i * dim + c] = v[c];
        }
        // Row i becomes the i-th forward difference at the span start.
        for (int lvl = 1; lvl <= p; ++lvl)
            for (int i = p; i >= lvl; --i)
                for (int c = 0; c < dim; ++c) f[i * dim + c] -= f[(i - 1) * dim + c];
        rec->fwdValid = 1;
        rec->fwdStep = step;
    }
    double cur[4 * 8];
    double* g = dim * (p + 1) <= 32 ? cur : rec->table;
    std::memcpy(g, f, sizeof(double) * static_cast<size_t>(dim * (p + 1)));
    for (int s = 0; s < p; ++s)
        for (int i = 0; i < p; ++i)
            for (int c = 0; c < dim; ++c) g[i * dim + c] += g[(i + 1) * dim + c];
    if (dim == 3) return VqGePoint3d(g[0], g[1], g[2]);
    const double inv = g[3] != 0.0 ? 1.0 / g[3] : 0.0;
    return VqGePoint3d(g[0] * inv, g[1] * inv, g[2] * inv);
}

// Point-on-curve protocol: the record holds a private copy, transformed when asked.
void VqGeImpNurbCurve3d::evaluate(int order, VqGePointOnCurve3dData& data, int) const {
    if (!data.evalData()) {
        VqGeImpNurbCurve3d* own = copy();
        if (!own) return;
        if (data.transform()) own->transformBy(*data.transform());
        VqGeEvaluatorDataCurve* evalRec = new VqGeEvaluatorDataCurve(own);
        if (!evalRec) {
            delete own;
            return;
        }
        data.setEvalData(evalRec);
    }
    const VqGeImpNurbCurve3d& crv = *static_cast<const VqGeImpNurbCurve3d*>(data.evalData()->curve());
    const int n = order < 0 ? 0 : (order > kMaxDeriv ? kMaxDeriv : order);
    VqGeVector3d d[kMaxDeriv];
    const VqGePoint3d p = crv.evalAt(data.parameter(), n, d);
    if (!data.pointIsComputed()) data.setPoint(p);
    for (int k = 1; k <= n; ++k)
        if (!data.derivIsComputed(k)) data.setDeriv(k, d[k - 1]);
}
