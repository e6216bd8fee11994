// Discrete spline: spans of the source in power basis, grid counts from the deviation, grid
// walks by forward differences, and evaluation of the stored spans.
//
// Notation: interval i runs from knot k_i to k_(i+1), L = k_(i+1) - k_i, s = t - k_i; Q the
// span polynomial (offset from the knot's point K_i when non-rational, homogeneous when
// rational); M a bound of |Q''| over [0, L] (spanScale); n_i the step count, h = L / n_i.
// A chord of a step deviates from the curve by at most h^2 M / 8.
#include "splines/imp_discrete_spline3d.h"

#include <cmath>

#include "curves/imp_point_on_curve3d.h"
#include "splines/imp_nurb_curve3d.h"
#include "splines/imp_eval_copy.h"
#include "splines/imp_polyline3d.h"
#include "vqge_matrix3d.h"

namespace {

const int kMaxDegree = 15;
const int kMaxSteps = 1000;
const int kMaxKnots = 32767;

// Monomial coefficients c_0 .. c_p of the polynomial through (s_j, f_j), j = 0 .. p, by
// Newton's divided differences expanded from the innermost factor out.
void monomial(const double* s, double* f, int p, double* c) {
    for (int k = 1; k <= p; ++k)
        for (int j = p; j >= k; --j) f[j] = (f[j] - f[j - 1]) / (s[j] - s[j - k]);
    for (int j = 0; j <= p; ++j) c[j] = 0.0;
    c[0] = f[p];
    for (int k = p - 1; k >= 0; --k) {
        // c <- c * (x - s_k) + f_k
        for (int j = p; j >= 1; --j) c[j] = c[j - 1] - s[k] * c[j];
        c[0] = f[k] - s[k] * c[0];
    }
}

// Bound of |Q''| over [0, L]; exact for degrees 2 and 3, the extremes of the parabola for
// degree 4, the sum of the coefficient bounds above.
double secondDerivBound(const double* c, int p, double L) {
    if (p < 2) return 0.0;
    if (p == 2) return std::fabs(2 * c[2]);
    if (p == 3) return std::fmax(std::fabs(2 * c[2]), std::fabs(2 * c[2] + 6 * c[3] * L));
    if (p == 4) {
        auto q = [&](double s) { return std::fabs(2 * c[2] + 6 * c[3] * s + 12 * c[4] * s * s); };
        double m = std::fmax(q(0.0), q(L));
        if (c[4] != 0.0) {
            const double v = -6 * c[3] / (24 * c[4]);
            if (v > 0.0 && v < L) m = std::fmax(m, q(v));
        }
        return m;
    }
    double m = 0.0, pw = 1.0;
    for (int k = 2; k <= p; ++k, pw *= L) m += k * (k - 1) * std::fabs(c[k]) * pw;
    return m;
}

// m! S(k, m): the number of maps of k elements onto m.
double stirlingFact(int k, int m) {
    static double table[kMaxDegree + 1][kMaxDegree + 1];
    static bool ready = false;
    if (!ready) {
        // S(k, m) = m S(k-1, m) + S(k-1, m-1), then times m!.
        double S[kMaxDegree + 1][kMaxDegree + 1] = {};
        S[0][0] = 1.0;
        for (int a = 1; a <= kMaxDegree; ++a)
            for (int b = 1; b <= a; ++b) S[a][b] = b * S[a - 1][b] + S[a - 1][b - 1];
        for (int a = 0; a <= kMaxDegree; ++a) {
            double f = 1.0;
            for (int b = 0; b <= kMaxDegree; ++b) {
                if (b > 0) f *= b;
                table[a][b] = S[a][b] * f;
            }
        }
        ready = true;
    }
    return table[k][m];
}

double horner(const double* c, int p, double s, int deriv) {
    double v = 0.0;
    for (int k = p; k >= deriv; --k) {
        double f = 1.0;
        for (int r = 0; r < deriv; ++r) f *= k - r;
        v = v * s + f * c[k];
    }
    return v;
}

}  // namespace

VqGeImpDiscreteSpline3d::VqGeImpDiscreteSpline3d()
    : VqGeImpSplineEnt3d(VqGe::kDiscreteSpline3d),
      mDeviation(0.0),
      mDegree(0),
      mDimension(3),
      mNumKnots(0) {}

VqGeImpDiscreteSpline3d::VqGeImpDiscreteSpline3d(VqGeImpNurbCurve3d& curve, double deviation)
    : VqGeImpDiscreteSpline3d() {
    set(curve, deviation);
}

VqGeImpDiscreteSpline3d::VqGeImpDiscreteSpline3d(int degree, const VqGeKnotVector& knots,
                                                 const VqArray<VqGePoint3d>& points,
                                                 const VqArray<double>& weights, double deviation)
    : VqGeImpDiscreteSpline3d() {
    VqGeImpNurbCurve3d crv(degree, knots, points, weights, 0);
    set(crv, deviation);
}

VqGeImpDiscreteSpline3d::VqGeImpDiscreteSpline3d(int degree, const VqGeKnotVector& knots,
                                                 const VqArray<VqGePoint3d>& points,
                                                 int isPeriodic, double deviation)
    : VqGeImpDiscreteSpline3d() {
    VqGeImpNurbCurve3d crv(degree, knots, points, isPeriodic);
    set(crv, deviation);
}

VqGeImpDiscreteSpline3d::VqGeImpDiscreteSpline3d(const VqGeImpDiscreteSpline3d& src)
    : VqGeImpSplineEnt3d(src),
      mDeviation(src.mDeviation),
      mDegree(src.mDegree),
      mDimension(src.mDimension),
      mNumKnots(src.mNumKnots),
      mGridCount(src.mGridCount),
      mSpanScale(src.mSpanScale),
      mDiffCoeffs(src.mDiffCoeffs),
      mWeights(src.mWeights) {}

VqGeImpDiscreteSpline3d::~VqGeImpDiscreteSpline3d() {}

int VqGeImpDiscreteSpline3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == VqGe::kDiscreteSpline3d) return 1;
    return VqGeImpSplineEnt3d::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeImpDiscreteSpline3d::type(int) const { return VqGe::kDiscreteSpline3d; }

VqGeImpDiscreteSpline3d* VqGeImpDiscreteSpline3d::copy() const {
    return new VqGeImpDiscreteSpline3d(*this);
}

VqGeImpDiscreteSpline3d& VqGeImpDiscreteSpline3d::transformBy(const VqGeMatrix3d& mat) {
    const int p = mDegree, ni = numIntervals(), rational = mDimension == 4;
    const VqGeVector3d move = mat.translation();
    for (int i = 0; i < ni; ++i) {
        double* c = mDiffCoeffs.asArrayPtr() + i * stride();
        for (int k = 0; k <= p; ++k) {
            const VqGeVector3d v(c[k], c[p + 1 + k], c[2 * (p + 1) + k]);
            // Offsets take the linear part; homogeneous coordinates carry w times the move.
            VqGeVector3d m = mat * v;
            if (rational) m += move * c[3 * (p + 1) + k];
            c[k] = m.x, c[p + 1 + k] = m.y, c[2 * (p + 1) + k] = m.z;
        }
    }
    VqGeImpSplineEnt3d::transformBy(mat);
    buildGrids();
    return *this;
}

VqGePoint3d VqGeImpDiscreteSpline3d::controlPointAt(int i) const {
    return i >= 0 && i < mControlPoints.length() ? mControlPoints[i] : VqGePoint3d();
}

VqGeImpDiscreteSpline3d& VqGeImpDiscreteSpline3d::set(VqGeImpNurbCurve3d& curve,
                                                      double deviation) {
    mKnots.setLogicalLength(0);
    mControlPoints.removeAll();
    mWeights.removeAll();
    mGridCount.removeAll();
    mSpanScale.removeAll();
    mDiffCoeffs.removeAll();
    mNumKnots = 0;
    mDeviation = deviation;
    const int p = curve.degree();
    mDegree = static_cast<short>(p);
    mDimension = static_cast<short>(curve.isRational() ? 4 : 3);
    mInterval.set(0.0, 0.0);
    curve.setEvalMode(1);
    VqArray<double> all;
    curve.knots().getDistinctKnots(all);
    const double lo = curve.startParam(), hi = curve.endParam();
    if (p < 1 || p > kMaxDegree || !(hi > lo) || curve.numControlPoints() == 0) {
        definitionChanged();
        return *this;
    }
    // The distinct knots inside the curve's interval, bounded by its ends.
    const double eps = VqGeContext::gTol.equalPoint() * (1.0 + std::fabs(lo) + std::fabs(hi));
    mKnots.append(lo);
    for (int i = 0; i < all.length(); ++i)
        if (all[i] > mKnots[mKnots.length() - 1] + eps && all[i] < hi - eps) mKnots.append(all[i]);
    mKnots.append(hi);
    const int nk = mKnots.length();
    if (nk > kMaxKnots) {
        mKnots.setLogicalLength(0);
        definitionChanged();
        return *this;
    }
    const int dim = mDimension, rational = dim == 4;
    for (int i = 0; i < nk; ++i) {
        double w = 1.0;
        const VqGePoint3d pt = curve.evalPoint(mKnots[i], w);
        mControlPoints.append(pt);
        if (rational) mWeights.append(w);
    }
    mDiffCoeffs.setLogicalLength((nk - 1) * stride());
    if (mDiffCoeffs.length() != (nk - 1) * stride() || mControlPoints.length() != nk) {
        mKnots.setLogicalLength(0);
        mControlPoints.removeAll();
        definitionChanged();
        return *this;
    }
    // Span polynomials through p + 1 Chebyshev nodes inside each interval.
    double s[kMaxDegree + 1], f[4][kMaxDegree + 1];
    for (int i = 0; i + 1 < nk; ++i) {
        const double L = mKnots[i + 1] - mKnots[i];
        for (int j = 0; j <= p; ++j) {
            s[j] = 0.5 * L * (1.0 - std::cos(3.141592653589793 * (j + 0.5) / (p + 1)));
            const double t = mKnots[i] + s[j];
            if (rational) {
                double w = 1.0;
                const VqGePoint3d q = curve.evalPoint(t, w);
                f[0][j] = q.x * w, f[1][j] = q.y * w, f[2][j] = q.z * w, f[3][j] = w;
            } else {
                const VqGeVector3d q = curve.evalPoint(t) - mControlPoints[i];
                f[0][j] = q.x, f[1][j] = q.y, f[2][j] = q.z;
            }
        }
        double* dst = mDiffCoeffs.asArrayPtr() + i * stride();
        for (int c = 0; c < dim; ++c) monomial(s, f[c], p, dst + c * (p + 1));
    }
    mNumKnots = static_cast<short>(nk);
    mInterval.set(lo, hi);
    buildGrids();
    definitionChanged();
    return *this;
}

// The count keeps the chord within the deviation: at least L sqrt(M / (8 d)) steps, and never
// fewer than floor(sqrt(L M / d)) + 1; at most 1000 steps.
void VqGeImpDiscreteSpline3d::buildGrids() {
    const int p = mDegree, dim = mDimension, ni = numIntervals();
    mGridCount.setLogicalLength(ni);
    mSpanScale.setLogicalLength(ni);
    if (mGridCount.length() != ni || mSpanScale.length() != ni) {
        mGridCount.removeAll();
        mSpanScale.removeAll();
        return;
    }
    for (int i = 0; i < ni; ++i) {
        double* c = mDiffCoeffs.asArrayPtr() + i * stride();
        const double L = mKnots[i + 1] - mKnots[i];
        // M per coordinate (the span scale); the chord bound needs the length of Q'', at
        // most the root of the summed squares of the coordinate bounds.
        double M = 0.0, norm2 = 0.0;
        for (int k = 0; k < dim; ++k) {
            const double mk = secondDerivBound(c + k * (p + 1), p, L);
            M = std::fmax(M, mk);
            norm2 += mk * mk;
        }
        mSpanScale[i] = M;
        const double v = L * M, d = mDeviation > 0.0 ? mDeviation : 0.0;
        int n;
        if (!(v > d))
            n = 1;
        else if (!(v <= d * 1e6) || !(d > 0.0))
            n = kMaxSteps;
        else {
            const double need = std::ceil(L * std::sqrt(std::sqrt(norm2) / (8.0 * d)));
            n = static_cast<int>(std::fmax(std::floor(std::sqrt(v / d)) + 1.0, need));
            if (n > kMaxSteps) n = kMaxSteps;
        }
        mGridCount[i] = static_cast<short>(n);
        // Forward differences straight from the coefficients, without differencing values
        // (which would cancel): the m-th difference of s^k at 0 with step h is
        // h^k m! S(k, m), S the Stirling numbers of the second kind.
        const double h = L / n;
        double* fd = c + dim * (p + 1);
        for (int k = 0; k < dim; ++k) {
            const double* ck = c + k * (p + 1);
            double* out = fd + k * (p + 1);
            out[0] = ck[0];
            for (int m = 1; m <= p; ++m) {
                double sum = 0.0, hk = std::pow(h, m);
                for (int j = m; j <= p; ++j, hk *= h) sum += ck[j] * hk * stirlingFact(j, m);
                out[m] = sum;
            }
        }
    }
}

VqGeImpDiscreteSpline3d& VqGeImpDiscreteSpline3d::setDeviation(double d) {
    const int rebuild = d < mDeviation || d > 2.0 * mDeviation;
    mDeviation = d;
    if (rebuild) buildGrids();
    return *this;
}

int VqGeImpDiscreteSpline3d::numGridPointsAt(int i) const {
    return i >= 0 && i < mGridCount.length() ? mGridCount[i] + 1 : 0;
}

int VqGeImpDiscreteSpline3d::numGridPointsAt(int i, int j) const {
    if (i < 0 || j >= mGridCount.length() || i > j) return 0;
    int n = 1;
    for (int k = i; k <= j; ++k) n += mGridCount[k];
    return n;
}

int VqGeImpDiscreteSpline3d::evalPointArray(VqArray<VqGePoint3d>& points) const {
    return evalPointArray(0, numIntervals() - 1, points);
}

int VqGeImpDiscreteSpline3d::evalPointArray(int i, int j, VqArray<VqGePoint3d>& points) const {
    points.removeAll();
    const int total = numGridPointsAt(i, j);
    if (total == 0) return 0;
    points.setPhysicalLength(total);
    if (points.physicalLength() < total) return 0;
    const int p = mDegree, dim = mDimension, rational = dim == 4;
    double D[4][kMaxDegree + 1];
    for (int q = i; q <= j; ++q) {
        const double* fd = coeffs(q) + dim * (p + 1);
        for (int k = 0; k < dim; ++k)
            for (int m = 0; m <= p; ++m) D[k][m] = fd[k * (p + 1) + m];
        const VqGePoint3d& K = mControlPoints[q];
        for (int step = 0; step < mGridCount[q]; ++step) {
            if (step == 0)
                points.append(K);
            else if (rational)
                points.append(VqGePoint3d(D[0][0] / D[3][0], D[1][0] / D[3][0], D[2][0] / D[3][0]));
            else
                points.append(K + VqGeVector3d(D[0][0], D[1][0], D[2][0]));
            for (int k = 0; k < dim; ++k)
                for (int m = 0; m < p; ++m) D[k][m] += D[k][m + 1];
        }
    }
    points.append(mControlPoints[j + 1]);
    return points.length();
}

VqGePoint3d VqGeImpDiscreteSpline3d::evalAt(double param, int numDeriv,
                                            VqGeVector3d* derivs) const {
    for (int r = 0; r < numDeriv && derivs; ++r) derivs[r].set(0, 0, 0);
    const int ni = numIntervals();
    if (ni == 0) return mControlPoints.isEmpty() ? VqGePoint3d() : mControlPoints[0];
    int lo = 0, hi = ni;  // k[lo] <= param < k[hi]
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        (param < mKnots[mid] ? hi : lo) = mid;
    }
    const int p = mDegree, dim = mDimension;
    const double* c = coeffs(lo);
    const double s = param - mKnots[lo];
    const int nd = numDeriv < 0 ? 0 : (numDeriv > 3 ? 3 : numDeriv);
    double v[4][4];  // v[k][r]: derivative r of coordinate k
    for (int k = 0; k < dim; ++k)
        for (int r = 0; r <= nd; ++r) v[k][r] = horner(c + k * (p + 1), p, s, r);
    if (dim == 3) {
        for (int r = 1; r <= nd && derivs; ++r) derivs[r - 1].set(v[0][r], v[1][r], v[2][r]);
        return mControlPoints[lo] + VqGeVector3d(v[0][0], v[1][0], v[2][0]);
    }
    // Rational: C = A / w and the Leibniz rule for the derivatives.
    const int binom[4][4] = {{1, 0, 0, 0}, {1, 1, 0, 0}, {1, 2, 1, 0}, {1, 3, 3, 1}};
    double C[4][3];
    for (int r = 0; r <= nd; ++r)
        for (int k = 0; k < 3; ++k) {
            double a = v[k][r];
            for (int q = 1; q <= r; ++q) a -= binom[r][q] * v[3][q] * C[r - q][k];
            C[r][k] = a / v[3][0];
        }
    for (int r = 1; r <= nd && derivs; ++r) derivs[r - 1].set(C[r][0], C[r][1], C[r][2]);
    return VqGePoint3d(C[0][0], C[0][1], C[0][2]);
}

void VqGeImpDiscreteSpline3d::evaluate(int order, VqGePointOnCurve3dData& data, int) const {
    const VqGeImpDiscreteSpline3d* crv = evalTarget(this, data);
    if (!crv) return;
    VqGeVector3d d[3];
    const int n = order < 0 ? 0 : (order > 3 ? 3 : order);
    const VqGePoint3d p = crv->evalAt(data.parameter(), n, d);
    if (!data.pointIsComputed()) data.setPoint(p);
    for (int k = 1; k <= n; ++k)
        if (!data.derivIsComputed(k)) data.setDeriv(k, d[k - 1]);
}

int VqGeImpDiscreteSpline3d::setInterval() {
    const int n = mKnots.length();
    mInterval.set(n ? mKnots[0] : 0.0, n ? mKnots[n - 1] : 0.0);
    notifySetInterval();
    return 1;
}

// Split pieces are left to the source curve.
void VqGeImpDiscreteSpline3d::getSplitCurves(double, VqGeImpCurve3d*& piece1,
                                             VqGeImpCurve3d*& piece2) const {
    piece1 = piece2 = nullptr;
}

VqGeImpPolyline3d::VqGeImpPolyline3d(const VqGeImpDiscreteSpline3d& spline)
    : VqGeImpPolyline3d(0, spline.numIntervals() - 1, spline) {}

VqGeImpPolyline3d::VqGeImpPolyline3d(int i, int j, const VqGeImpDiscreteSpline3d& spline)
    : VqGeImpPolyline3d(VqGe::kPolyline3d) {
    VqArray<VqGePoint3d> pts;
    spline.evalPointArray(i, j, pts);
    assign(nullptr, pts, 0);
}
