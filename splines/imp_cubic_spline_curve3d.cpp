// Cubic spline curve: fit-data construction, identity, tangents at the fit points.
#include "splines/imp_cubic_spline_curve3d.h"

#include "splines/imp_fit_data3d.h"

namespace {

VqArray<VqGePoint3d> unitSegment() {
    VqArray<VqGePoint3d> pts(2, 8);
    pts.append(VqGePoint3d(0, 0, 0));
    pts.append(VqGePoint3d(1, 0, 0));
    return pts;
}

}  // namespace

void VqGeImpCubicSplineCurve3d::finish() { setEvalMode(1); }

VqGeImpCubicSplineCurve3d::VqGeImpCubicSplineCurve3d()
    : VqGeImpNurbCurve3d(unitSegment(), VqGeContext::gTol) {
    finish();
}

VqGeImpCubicSplineCurve3d::VqGeImpCubicSplineCurve3d(const VqArray<VqGePoint3d>& fitPoints,
                                                     const VqGeVector3d& startTangent,
                                                     const VqGeVector3d& endTangent,
                                                     const VqGeTol& fitTol)
    : VqGeImpNurbCurve3d(fitPoints, startTangent, endTangent, !startTangent.isZeroLength(),
                         !endTangent.isZeroLength(), fitTol) {
    finish();
}

VqGeImpCubicSplineCurve3d::VqGeImpCubicSplineCurve3d(const VqArray<VqGePoint3d>& fitPoints,
                                                     const VqArray<VqGeVector3d>& fitTangents,
                                                     const VqGeTol& fitTol, int isPeriodic)
    : VqGeImpNurbCurve3d(fitPoints, fitTangents, fitTol, isPeriodic) {
    finish();
}

VqGeImpCubicSplineCurve3d::VqGeImpCubicSplineCurve3d(const VqGeImpCurve3d& curve, double tol)
    : VqGeImpNurbCurve3d() {
    adoptFitData(new VqGeImpFitData3d(curve, tol));
    regenerate();
    finish();
}

VqGeImpCubicSplineCurve3d::VqGeImpCubicSplineCurve3d(const VqGeImpCubicSplineCurve3d& src)
    : VqGeImpNurbCurve3d(src) {}

int VqGeImpCubicSplineCurve3d::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == (servesAs2d(isPublic) ? VqGe::kCubicSplineCurve2d : VqGe::kCubicSplineCurve3d))
        return 1;
    return VqGeImpNurbCurve3d::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeImpCubicSplineCurve3d::type(int isPublic) const {
    return servesAs2d(isPublic) ? VqGe::kCubicSplineCurve2d : VqGe::kCubicSplineCurve3d;
}

VqGeImpCubicSplineCurve3d* VqGeImpCubicSplineCurve3d::copy() const {
    return new VqGeImpCubicSplineCurve3d(*this);
}

VqGeVector3d VqGeImpCubicSplineCurve3d::firstDerivAt(int i) const {
    const VqGeImpFitData3d* fd = fitData();
    if (!fd || i < 0 || i >= fd->numFitPoints()) return VqGeVector3d(0, 0, 0);
    if (fd->hasFitTangents() && i < fd->numFitTangents()) return fd->fitTangentAt(i);
    VqGeVector3d v;
    if (i == 0 && fd->getTangentAtStart(v)) return v;
    if (i == fd->numFitPoints() - 1 && fd->getTangentAtEnd(v)) return v;
    VqGeVector3d d[1];
    sidePoint(fd->knotAt(i), i == fd->numFitPoints() - 1 ? 0 : 1, 1, d);
    return d[0];
}

int VqGeImpCubicSplineCurve3d::setFitPoint(int i, const VqGePoint3d& pnt) {
    if (!setFitPointAt(i, pnt)) return 0;
    regenerate();
    finish();
    return 1;
}

// Tangents at every point take the vector in place; otherwise only the ends can be given.
int VqGeImpCubicSplineCurve3d::setFirstDerivAt(int i, const VqGeVector3d& vec) {
    const VqGeImpFitData3d* fd = fitData();
    if (!fd || i < 0 || i >= fd->numFitPoints()) return 0;
    int done = 0;
    if (fd->hasFitTangents()) {
        done = setFitTangentAt(i, vec);
    } else if (i == 0 || i == fd->numFitPoints() - 1) {
        VqGeVector3d s, e;
        int hs, he;
        getFitTangents(s, e, hs, he);
        if (i == 0) s = vec, hs = 1;
        if (i == fd->numFitPoints() - 1) e = vec, he = 1;
        done = setFitTangents(s, e, hs, he);
    }
    if (done) {
        regenerate();
        finish();
    }
    return done;
}
