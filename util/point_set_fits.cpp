// Principal-axis fits of lines and planes to point sets.
// Notation: c the centroid, M the scatter matrix about c, u the fitted direction, n a normal.
#include <cmath>

#include "nm_matrix.h"
#include "nm_vector.h"
#include "vqge_line2d.h"
#include "vqge_line3d.h"
#include "vqge_plane.h"
#include "vqge_util.h"

namespace {
// Eigen-decomposition of the n x n scatter matrix; 0 when it fails (or memory runs out).
template <int N>
int principalAxes(const double moments[N][N], NmMatrix& m, NmVector& values) {
    m.reset(N, N);
    values = NmVector(N);
    if (m.rowDim() != N || values.dim() != N) return 0;
    for (int r = 0; r < N; ++r)
        for (int k = 0; k < N; ++k) m(r, k) = moments[r][k];
    return m.eigensystem(values);
}
}  // namespace

// The band of offsets about the principal line is re-centred before the line is set.
int VqGeUtil::getLineDefinedBy(const VqArray<VqGePoint2d>& points, VqGeLine2d& line, double tol) {
    if (points.isEmpty()) return 0;
    const VqGePoint2d c = centroidOf(points);
    double moments[2][2];
    getMomentsOfInertiaOf(points, moments);
    NmMatrix m;
    NmVector values;
    if (!principalAxes<2>(moments, m, values)) return 0;
    const int col = values[0] <= values[1] ? 1 : 0;
    const VqGeVector2d u(m(0, col), m(1, col));
    const VqGeVector2d n(-u.y, u.x);
    double smax = 0.0, smin = 0.0;
    for (int i = 0; i < points.length(); ++i) {
        const double s = n.dotProduct(points[i] - c);
        if (s > smax) smax = s;
        if (s < smin) smin = s;
    }
    if (!(smax - smin <= 2.0 * tol)) return 0;
    line.set(c + n * (0.5 * (smax + smin)), u);
    return 1;
}

// The line is set before the distance test, which may then fail.
int VqGeUtil::getLineDefinedBy(const VqArray<VqGePoint3d>& points, VqGeLine3d& line, double tol) {
    if (points.isEmpty()) return 0;
    const VqGePoint3d c = centroidOf(points);
    double moments[3][3];
    getMomentsOfInertiaOf(points, moments);
    NmMatrix m;
    NmVector values;
    if (!principalAxes<3>(moments, m, values)) return 0;
    int col = 0;
    for (int k = 1; k < 3; ++k)
        if (values[k] > values[col]) col = k;
    const VqGeVector3d u(m(0, col), m(1, col), m(2, col));
    line.set(c, u);
    for (int i = 0; i < points.length(); ++i) {
        const VqGePoint3d foot = c + u * u.dotProduct(points[i] - c);
        if (points[i].distanceTo(foot) > tol) return 0;
    }
    return 1;
}

// The plane is set before the distance test, which may then fail.
int VqGeUtil::getPlaneDefinedBy(const VqArray<VqGePoint3d>& points, VqGePlane& plane, double tol) {
    if (points.isEmpty()) return 0;
    const VqGePoint3d c = centroidOf(points);
    double moments[3][3];
    getMomentsOfInertiaOf(points, moments);
    NmMatrix m;
    NmVector values;
    if (!principalAxes<3>(moments, m, values)) return 0;
    int col = 0;
    for (int k = 1; k < 3; ++k)
        if (values[k] < values[col]) col = k;
    plane.set(c, VqGeVector3d(m(0, col), m(1, col), m(2, col)));
    for (int i = 0; i < points.length(); ++i)
        if (std::fabs(plane.signedDistanceTo(points[i])) > tol) return 0;
    return 1;
}

// A missing or zero weight cannot give an ordinary point: 0, plane untouched.
int VqGeUtil::getPlaneDefinedByHomogeneous(const VqArray<VqGePoint3d>& points,
                                           const VqArray<double>& weights, VqGePlane& plane,
                                           double tol) {
    const int n = points.length();
    if (n == 0 || weights.length() < n) return 0;
    VqArray<VqGePoint3d> ordinary(n > 8 ? n : 8, 8);
    for (int i = 0; i < n; ++i) {
        const double w = weights[i];
        if (w == 0.0 || !std::isfinite(w)) return 0;
        ordinary.append(points[i] / w);
    }
    return getPlaneDefinedBy(ordinary, plane, tol);
}
