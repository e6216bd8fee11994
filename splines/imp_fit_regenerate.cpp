// NURBS curve from fit data: the fitting constructors, regeneration and the interpolation test.
//
// Regeneration works on a copy of the fit data: approximation data are adjusted first, data
// without tangents at every point are compressed, then tangents at every point give the
// piecewise Hermite cubic and anything else the global cubic (C2, zero second derivative at
// an end without tangent). Closed data give a periodic curve: the Hermite pieces around the
// seam, or the periodic cubic that is C2 across it (end tangents play no part there).
#include <cmath>

#include "splines/imp_fit_data3d.h"
#include "splines/imp_fit_interp.h"
#include "splines/imp_nurb_curve3d.h"

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(const VqArray<VqGePoint3d>& fitPoints,
                                       const VqGeVector3d& startTangent,
                                       const VqGeVector3d& endTangent, int startDefined,
                                       int endDefined, const VqGeTol& fitTol)
    : VqGeImpNurbCurve3d(3, 0) {
    adoptFitData(new VqGeImpFitData3d(fitPoints, startTangent, endTangent, startDefined,
                                      endDefined, fitTol));
    regenerate();
}

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(const VqArray<VqGePoint3d>& fitPoints,
                                       const VqGeTol& fitTol)
    : VqGeImpNurbCurve3d(3, 0) {
    adoptFitData(new VqGeImpFitData3d(fitPoints, fitTol, 0));
    regenerate();
}

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(const VqArray<VqGePoint3d>& fitPoints,
                                       const VqArray<VqGeVector3d>& fitTangents,
                                       const VqGeTol& fitTol, int isPeriodic)
    : VqGeImpNurbCurve3d(3, 0) {
    adoptFitData(new VqGeImpFitData3d(fitPoints, fitTangents, fitTol, isPeriodic));
    regenerate();
}

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(const VqGeKnotVector& fitKnots,
                                       const VqArray<VqGePoint3d>& fitPoints,
                                       const VqArray<VqGeVector3d>& fitTangents,
                                       const VqGeTol& fitTol, int isPeriodic)
    : VqGeImpNurbCurve3d(3, 0) {
    adoptFitData(new VqGeImpFitData3d(fitKnots, fitPoints, fitTangents, fitTol, isPeriodic));
    regenerate();
}

namespace {

// Interpolation of degree p through pts at t; a periodic request closes the points first.
int interpolateDegree(int p, const VqArray<VqGePoint3d>& pts, const VqGeKnotVector& t,
                      int periodic, VqGeKnotVector& knots, VqArray<VqGePoint3d>& ctrl) {
    const int n = pts.length();
    if (n < 2 || t.length() != n) return 0;
    if (!periodic || pts[0] == pts[n - 1])
        return VqGeFitInterp::interpolate(p, pts.asArrayPtr(), t.asArrayPtr(), n, periodic, knots,
                                          ctrl);
    VqArray<VqGePoint3d> closed(pts);
    VqArray<double> params(n + 1, 8);
    for (int i = 0; i < n; ++i) params.append(t[i]);
    closed.append(pts[0]);
    params.append(t[n - 1] + pts[n - 1].distanceTo(pts[0]));
    if (closed.length() != n + 1 || params.length() != n + 1) return 0;
    return VqGeFitInterp::interpolate(p, closed.asArrayPtr(), params.asArrayPtr(), n + 1, 1,
                                      knots, ctrl);
}

// The periodic cubic through two or three distinct closed points: periodic storage needs
// more distinct control points than the degree, so the same C2 curve is written as Hermite
// pieces with its own tangents at the fit points, taken from its long form.
int periodicFew(const VqGePoint3d* F, const double* t, int m, VqGeKnotVector& knots,
                VqArray<VqGePoint3d>& ctrl) {
    VqGeKnotVector pk;
    VqArray<VqGePoint3d> pc;
    if (!VqGeFitInterp::cubicPeriodic(F, t, m + 1, pk, pc)) return 0;
    const double period = t[m] - t[0];
    VqGeKnotVector lk;
    VqArray<VqGePoint3d> lp;
    for (int j = -3; j <= m + 3; ++j) {
        const int q = (j >= 0 ? j : j - m + 1) / m;
        lk.append(t[j - q * m] + q * period);
    }
    for (int j = -3; j < m; ++j) lp.append(pc[((j % m) + m) % m]);
    if (lk.length() != m + 7 || lp.length() != m + 3) return 0;
    VqGeImpNurbCurve3d longForm(3, lk, lp, 0);
    VqGeVector3d tans[4];
    for (int i = 0; i <= m; ++i) {
        VqGeVector3d d[1];
        longForm.sidePoint(t[i < m ? i : 0], 1, 1, d);
        tans[i] = d[0];
    }
    return VqGeFitInterp::hermiteClosed(F, tans, t, m + 1, knots, ctrl);
}

}  // namespace

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(int degree, const VqArray<VqGePoint3d>& fitPoints,
                                       const VqGeTol& fitTol, int isPeriodic)
    : VqGeImpNurbCurve3d(degree, 0) {
    VqGeImpFitData3d* data = new VqGeImpFitData3d(fitPoints, fitTol, isPeriodic ? 1 : 0);
    if (!data) return;
    VqGeKnotVector knots;
    VqArray<VqGePoint3d> ctrl;
    if (interpolateDegree(degree, data->getFitPoints(), data->knots(), isPeriodic, knots, ctrl))
        define(degree, knots, ctrl, nullptr, isPeriodic ? 1 : 0);
    adoptFitData(data);
}

VqGeImpNurbCurve3d::VqGeImpNurbCurve3d(int degree, const VqGeImpSplineEnt3d& polyline,
                                       int isPeriodic)
    : VqGeImpNurbCurve3d(degree, 0) {
    VqArray<VqGePoint3d> pts(polyline.numControlPoints(), 8);
    for (int i = 0; i < polyline.numControlPoints(); ++i) pts.append(polyline.controlPointAt(i));
    VqGeKnotVector knots;
    VqArray<VqGePoint3d> ctrl;
    if (interpolateDegree(degree, pts, polyline.knots(), isPeriodic, knots, ctrl))
        define(degree, knots, ctrl, nullptr, isPeriodic ? 1 : 0);
}

int VqGeImpNurbCurve3d::regenerate() {
    if (!mFitData) return 0;
    VqGeImpFitData3d work(*mFitData);
    const int closed = work.isClosedSet();
    if (work.hasApproximationData()) work.adjustFitPoints();
    const int everyTangent = work.hasFitTangents();
    if (!everyTangent) work.compressFitData();
    int n = work.numFitPoints();
    if (closed && n >= 2 && !work.fitPointAt(0).isEqualTo(work.fitPointAt(n - 1),
                                                          work.adjustFitTolerance())) {
        work.addFitPointAt(n, work.fitPointAt(0));
        n = work.numFitPoints();
    }
    if (n < 2) return 0;
    const VqGePoint3d* F = work.getFitPoints().asArrayPtr();
    const double* t = work.knots().asArrayPtr();
    const VqArray<VqGeVector3d>& T = work.getFitTangents();
    VqGeKnotVector knots;
    VqArray<VqGePoint3d> ctrl;
    int periodic = 0, ok = 0;
    if (everyTangent && T.length() >= n - 1) {
        if (closed && n >= 3) {
            periodic = 1;
            ok = VqGeFitInterp::hermiteClosed(F, T.asArrayPtr(), t, n, knots, ctrl);
        } else if (T.length() == n) {
            ok = VqGeFitInterp::hermiteOpen(F, T.asArrayPtr(), t, n, knots, ctrl);
        }
    } else if (closed && n >= 3) {
        periodic = 1;
        ok = n <= 4 ? periodicFew(F, t, n - 1, knots, ctrl)
                    : VqGeFitInterp::cubicPeriodic(F, t, n, knots, ctrl);
    } else {
        VqGeVector3d s, e;
        const int hasS = work.getTangentAtStart(s), hasE = work.getTangentAtEnd(e);
        ok = VqGeFitInterp::cubicOpen(F, t, n, hasS ? &s : nullptr, hasE ? &e : nullptr, knots,
                                      ctrl);
    }
    if (!ok) return 0;
    VqGeImpFitData3d* keep = mFitData;
    mFitData = nullptr;  // the redefinition would drop it
    define(3, knots, ctrl, nullptr, periodic);
    mFitData = keep;
    return 1;
}

// Distances are compared with tol.equalPoint plus the rounding of coordinates of the fit
// points' size, so that drawing-scale data can pass. Derivative conditions are measured as
// lengths: the derivative error times the first (last) parameter step, the second derivative
// times its square. Closed data have no end conditions.
int VqGeImpNurbCurve3d::isInterpolating(const VqGeTol& tol) const {
    if (!mFitData || mKnots.isEmpty()) return 0;
    const VqGeImpFitData3d& fd = *mFitData;
    const int n = fd.numFitPoints();
    if (n < 2 || fd.knots().length() != n) return 0;
    double size = 0.0;
    for (int i = 0; i < n; ++i) {
        const VqGePoint3d& p = fd.fitPointAt(i);
        size = std::fmax(size, std::fmax(std::fabs(p.x), std::fmax(std::fabs(p.y), std::fabs(p.z))));
    }
    const double eps = tol.equalPoint() + 1e-13 * size;
    for (int i = 0; i < n; ++i)
        if (pointAt(fd.knotAt(i)).distanceTo(fd.fitPointAt(i)) > eps) return 0;
    if (fd.isClosedSet()) return 1;
    for (int end = 0; end < 2; ++end) {
        const double t = end ? fd.knotAt(n - 1) : fd.knotAt(0);
        const double h = end ? fd.knotAt(n - 1) - fd.knotAt(n - 2) : fd.knotAt(1) - fd.knotAt(0);
        VqGeVector3d d[2], given;
        sidePoint(t, end ? 0 : 1, 2, d);
        const int has = end ? fd.getTangentAtEnd(given) : fd.getTangentAtStart(given);
        if (fd.hasFitTangents()) {
            given = fd.fitTangentAt(end ? fd.numFitTangents() - 1 : 0);
            if ((d[0] - given).length() * h > eps) return 0;
        } else if (has) {
            if ((d[0] - given).length() * h > eps) return 0;
        } else if (d[1].length() * h * h > eps) {
            return 0;
        }
    }
    return 1;
}
