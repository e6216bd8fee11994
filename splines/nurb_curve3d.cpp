// Public 3D NURBS curve: constructors and forwarding to the NURBS implementation object.
#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "splines/nurb_curve_forwards.h"
#include "vqge_elliparc3d.h"
#include "vqge_lineseg3d.h"
#include "vqge_nurbcurve3d.h"

VqGeNurbCurve3d::VqGeNurbCurve3d() {
    adoptImp(new VqGeImpNurbCurve3d(), VqGe::kNurbCurve3d);
}

VqGeNurbCurve3d::VqGeNurbCurve3d(const VqGeLineSeg3d& linSeg) {
    adoptImp(linSeg.impLinearEnt() ? new VqGeImpNurbCurve3d(*linSeg.impLinearEnt())
                                   : new VqGeImpNurbCurve3d(),
             VqGe::kNurbCurve3d);
}

VqGeNurbCurve3d::VqGeNurbCurve3d(const VqGeEllipArc3d& ellipse) {
    adoptImp(ellipse.impEllipArc() ? new VqGeImpNurbCurve3d(*ellipse.impEllipArc())
                                   : new VqGeImpNurbCurve3d(),
             VqGe::kNurbCurve3d);
}

VqGeNurbCurve3d::VqGeNurbCurve3d(int degree, const VqGeKnotVector& knots,
                                 const VqArray<VqGePoint3d>& controlPoints, int isPeriodic) {
    adoptImp(new VqGeImpNurbCurve3d(degree, knots, controlPoints, isPeriodic), VqGe::kNurbCurve3d);
}

VqGeNurbCurve3d::VqGeNurbCurve3d(int degree, const VqGeKnotVector& knots,
                                 const VqArray<VqGePoint3d>& controlPoints,
                                 const VqArray<double>& weights, int isPeriodic) {
    adoptImp(new VqGeImpNurbCurve3d(degree, knots, controlPoints, weights, isPeriodic),
             VqGe::kNurbCurve3d);
}

VQGE_NURB_FORWARDS(VqGeNurbCurve3d)

void VqGeNurbCurve3d::getDefinitionData(int& degree, int& rational, int& periodic,
                                        VqGeKnotVector& knots, VqArray<VqGePoint3d>& controlPoints,
                                        VqArray<double>& weights) const {
    if (impNurbCurve())
        impNurbCurve()->getDefinitionData(degree, rational, periodic, knots, controlPoints, weights);
}

VqGeNurbCurve3d& VqGeNurbCurve3d::setToHermiteCubic(const VqGePoint3d& p0, const VqGePoint3d& p1,
                                                    const VqGeVector3d& t0, const VqGeVector3d& t1,
                                                    double a, double b) {
    if (impNurbCurve()) impNurbCurve()->setToHermiteCubic(p0, p1, t0, t1, a, b);
    return *this;
}
