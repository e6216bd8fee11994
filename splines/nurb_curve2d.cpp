// Public 2D NURBS curve: point arrays lifted to z = 0 and forwarded to the NURBS
// implementation object.
#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/vqge_lift.h"
#include "splines/nurb_curve_forwards.h"
#include "vqge_elliparc2d.h"
#include "vqge_lineseg2d.h"
#include "vqge_nurbcurve2d.h"

VqGeNurbCurve2d::VqGeNurbCurve2d() {
    adoptImp(new VqGeImpNurbCurve3d(), VqGe::kNurbCurve2d);
}

VqGeNurbCurve2d::VqGeNurbCurve2d(const VqGeLineSeg2d& linSeg) {
    adoptImp(linSeg.impLinearEnt() ? new VqGeImpNurbCurve3d(*linSeg.impLinearEnt())
                                   : new VqGeImpNurbCurve3d(),
             VqGe::kNurbCurve2d);
}

VqGeNurbCurve2d::VqGeNurbCurve2d(const VqGeEllipArc2d& ellipse) {
    adoptImp(ellipse.impEllipArc() ? new VqGeImpNurbCurve3d(*ellipse.impEllipArc())
                                   : new VqGeImpNurbCurve3d(),
             VqGe::kNurbCurve2d);
}

VqGeNurbCurve2d::VqGeNurbCurve2d(int degree, const VqGeKnotVector& knots,
                                 const VqArray<VqGePoint2d>& controlPoints, int isPeriodic) {
    VqArray<VqGePoint3d> pts;
    VqGeImpSplineEnt3d::convertPntArr(controlPoints, pts);
    adoptImp(new VqGeImpNurbCurve3d(degree, knots, pts, isPeriodic), VqGe::kNurbCurve2d);
}

VqGeNurbCurve2d::VqGeNurbCurve2d(int degree, const VqGeKnotVector& knots,
                                 const VqArray<VqGePoint2d>& controlPoints,
                                 const VqArray<double>& weights, int isPeriodic) {
    VqArray<VqGePoint3d> pts;
    VqGeImpSplineEnt3d::convertPntArr(controlPoints, pts);
    adoptImp(new VqGeImpNurbCurve3d(degree, knots, pts, weights, isPeriodic), VqGe::kNurbCurve2d);
}

VQGE_NURB_FORWARDS(VqGeNurbCurve2d)

void VqGeNurbCurve2d::getDefinitionData(int& degree, int& rational, int& periodic,
                                        VqGeKnotVector& knots, VqArray<VqGePoint2d>& controlPoints,
                                        VqArray<double>& weights) const {
    if (!impNurbCurve()) return;
    VqArray<VqGePoint3d> pts;
    impNurbCurve()->getDefinitionData(degree, rational, periodic, knots, pts, weights);
    VqGeImpSplineEnt3d::convertPntArr(pts, controlPoints);
}

VqGeNurbCurve2d& VqGeNurbCurve2d::setToHermiteCubic(const VqGePoint2d& p0, const VqGePoint2d& p1,
                                                    const VqGeVector2d& t0, const VqGeVector2d& t1,
                                                    double a, double b) {
    if (impNurbCurve())
        impNurbCurve()->setToHermiteCubic(vqLift(p0), vqLift(p1), vqLift(t0), vqLift(t1), a, b);
    return *this;
}
