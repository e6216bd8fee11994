// Internal helpers of the numerical curve algorithms: interruption polling, the tolerance a
// search can actually reach at a given coordinate size, an allocation-free truncated solve
// of two unknowns, and a work evaluator that applies an optional affine map to what it reads.
#ifndef VQGE_CURVES_CURVE_GENERIC_UTIL_H
#define VQGE_CURVES_CURVE_GENERIC_UTIL_H

#include <cfloat>
#include <cmath>

#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "vqge_util.h"

namespace vqgen {

// Stands for an unbounded side where a finite number is needed.
constexpr double kFar21 = 1e21;

inline int breakRequested() { return VqGeUtil::gBreakFunc && VqGeUtil::gBreakFunc() != 0; }

inline int isFiniteValue(double v) { return std::isfinite(v) ? 1 : 0; }
inline int isFinitePoint(const VqGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

inline double maxAbs(const VqGePoint3d& p) {
    const double ax = std::fabs(p.x), ay = std::fabs(p.y), az = std::fabs(p.z);
    return ax > ay ? (ax > az ? ax : az) : (ay > az ? ay : az);
}

// A distance below tol cannot be asked of points whose coordinates are rounded at their
// size: coordinates near 1e8 carry about 1.5e-8 of rounding each (more once a
// placement matrix has acted on them), so the reachable tolerance is the larger of tol and
// eight units of rounding at that size.
inline double reachableTol(double tol, double magnitude) {
    const double rounding = 8.0 * DBL_EPSILON * (std::isfinite(magnitude) ? magnitude : 0.0);
    return tol > rounding ? tol : rounding;
}

// Solves the columns a, b (n = 2 or 3 rows, or 2n rows when stacked by the caller through
// the normal equations) for x with a*x0 + b*x1 = r in the least-squares sense: the
// normal equations are solved by pivoted elimination, and when a pivot is not above tol
// the eigen-solution that ignores eigenvalues not above tol is taken instead. m00, m01,
// m11 are the entries of the symmetric normal matrix, c0, c1 its right-hand side.
inline void forceSolve2(double m00, double m01, double m11, double c0, double c1, double tol,
                        double& x0, double& x1) {
    x0 = x1 = 0.0;
    const double det = m00 * m11 - m01 * m01;
    const double scale = std::fabs(m00) > std::fabs(m11) ? std::fabs(m00) : std::fabs(m11);
    if (scale > tol && std::fabs(det) > tol * scale && std::isfinite(det)) {
        x0 = (c0 * m11 - c1 * m01) / det;
        x1 = (m00 * c1 - m01 * c0) / det;
        return;
    }
    // Eigenvalues of the symmetric matrix and their eigenvectors.
    const double half = 0.5 * (m00 + m11);
    const double diff = 0.5 * (m00 - m11);
    const double root = std::sqrt(diff * diff + m01 * m01);
    const double lambda[2] = {half + root, half - root};
    for (int k = 0; k < 2; ++k) {
        if (!(lambda[k] > tol)) continue;
        double v0 = m01, v1 = lambda[k] - m00;
        if (std::fabs(v0) + std::fabs(v1) < 1e-300) {
            v0 = lambda[k] - m11;
            v1 = m01;
        }
        double len = std::sqrt(v0 * v0 + v1 * v1);
        if (!(len > 0.0)) {
            v0 = k == 0 ? 1.0 : 0.0;
            v1 = k == 0 ? 0.0 : 1.0;
            len = 1.0;
        }
        v0 /= len;
        v1 /= len;
        const double f = (v0 * c0 + v1 * c1) / lambda[k];
        x0 += f * v0;
        x1 += f * v1;
    }
}

// Least squares of [a b] x = r over the given rows.
inline void forceColumns(const double* a, const double* b, const double* r, int rows, double tol,
                         double& x0, double& x1) {
    double m00 = 0, m01 = 0, m11 = 0, c0 = 0, c1 = 0;
    for (int i = 0; i < rows; ++i) {
        m00 += a[i] * a[i];
        m01 += a[i] * b[i];
        m11 += b[i] * b[i];
        c0 += a[i] * r[i];
        c1 += b[i] * r[i];
    }
    forceSolve2(m00, m01, m11, c0, c1, tol, x0, x1);
}

// Work evaluation of a curve, with an optional affine map (rows of a 3x4 matrix) applied
// to points and vectors as they are read. Dimension 2 keeps x and y only.
class CurveEval {
public:
    CurveEval(const VqGeImpCurve3d* crv, int dim = 3) : mWork(crv), mDim(dim), mHasMap(0) {}
    void setMap(const double rows[3][4]) {
        mHasMap = 1;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 4; ++j) mMap[i][j] = rows[i][j];
    }
    int dim() const { return mDim; }
    const VqGeImpCurve3d* curve() const { return mWork.curve(); }

    // Point and derivatives 1..order (order 0 to 2) at t, as arrays of three.
    void eval(double t, int order, double p[3], double d1[3], double d2[3]) {
        mWork.setParameter(t);
        if (order > 0) mWork.deriv(order);
        put(mWork.point(), p, 1.0);
        if (order >= 1) put(mWork.deriv(1), d1, 0.0);
        if (order >= 2) put(mWork.deriv(2), d2, 0.0);
    }
    VqGePoint3d point(double t) { return mWork.point(t); }
    VqGeImpPointOnCurve3d& work() { return mWork; }

private:
    template <class V>
    void put(const V& v, double out[3], double w) const {
        const double in[3] = {v.x, v.y, v.z};
        for (int i = 0; i < 3; ++i) {
            out[i] = mHasMap ? mMap[i][0] * in[0] + mMap[i][1] * in[1] + mMap[i][2] * in[2] +
                                   w * mMap[i][3]
                             : in[i];
        }
        if (mDim == 2) out[2] = 0.0;
    }

    VqGeImpPointOnCurve3d mWork;
    int mDim;
    int mHasMap;
    double mMap[3][4];
};

inline double dot3(const double* a, const double* b, int n) {
    double s = 0.0;
    for (int i = 0; i < n; ++i) s += a[i] * b[i];
    return s;
}

}  // namespace vqgen

#endif
