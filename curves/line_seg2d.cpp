// Public 2D line segment: constructors and set lift to z = 0 and forward to the linear
// implementation object.
#include "curves/imp_linear_ent3d.h"
#include "curves/vqge_lift.h"
#include "vqge_line2d.h"
#include "vqge_lineseg2d.h"

VqGeLineSeg2d::VqGeLineSeg2d() {
    adoptImp(new VqGeImpLinearEnt3d(1, 1), VqGe::kLineSeg2d);
}

VqGeLineSeg2d::VqGeLineSeg2d(const VqGePoint2d& pnt, const VqGeVector2d& vec) {
    adoptImp(new VqGeImpLinearEnt3d(vqLift(pnt), vqLift(vec), 1, 1), VqGe::kLineSeg2d);
}

VqGeLineSeg2d::VqGeLineSeg2d(const VqGePoint2d& pnt1, const VqGePoint2d& pnt2) {
    adoptImp(new VqGeImpLinearEnt3d(vqLift(pnt1), vqLift(pnt2), 1, 1), VqGe::kLineSeg2d);
}

VqGeLineSeg2d& VqGeLineSeg2d::set(const VqGePoint2d& pnt, const VqGeVector2d& vec) {
    if (impLinearEnt()) impLinearEnt()->set(vqLift(pnt), vqLift(vec), 1, 1);
    return *this;
}

VqGeLineSeg2d& VqGeLineSeg2d::set(const VqGePoint2d& pnt1, const VqGePoint2d& pnt2) {
    if (impLinearEnt()) impLinearEnt()->set(vqLift(pnt1), vqLift(pnt2), 1, 1);
    return *this;
}

VqGeLineSeg2d& VqGeLineSeg2d::set(const VqGeCurve2d& curve1, const VqGeCurve2d& curve2,
                                  double& param1, double& param2, int& success) {
    success = 0;
    if (impLinearEnt() && curve1.impCurve() && curve2.impCurve())
        impLinearEnt()->set(*curve1.impCurve(), *curve2.impCurve(), param1, param2, success);
    return *this;
}

VqGeLineSeg2d& VqGeLineSeg2d::set(const VqGeCurve2d& curve, const VqGePoint2d& pnt, double& param,
                                  int& success) {
    success = 0;
    if (impLinearEnt() && curve.impCurve())
        impLinearEnt()->set(*curve.impCurve(), vqLift(pnt), param, success);
    return *this;
}

void VqGeLineSeg2d::getBisector(VqGeLine2d& line) const {
    const VqGeVector2d dir = direction();
    line.set(midPoint(), VqGeVector2d(-dir.y, dir.x));
}

VqGePoint2d VqGeLineSeg2d::baryComb(double blendCoeff) const {
    return impLinearEnt() ? vqDrop(impLinearEnt()->baryComb(blendCoeff)) : VqGePoint2d();
}

VqGePoint2d VqGeLineSeg2d::startPoint() const {
    return impLinearEnt() ? vqDrop(impLinearEnt()->startPoint()) : VqGePoint2d();
}

VqGePoint2d VqGeLineSeg2d::midPoint() const {
    return impLinearEnt() ? vqDrop(impLinearEnt()->midPoint()) : VqGePoint2d();
}

VqGePoint2d VqGeLineSeg2d::endPoint() const {
    return impLinearEnt() ? vqDrop(impLinearEnt()->endPoint()) : VqGePoint2d();
}

double VqGeLineSeg2d::length() const {
    if (!impLinearEnt()) return 0.0;
    const VqGeImpInterval& intrvl = impLinearEnt()->interval();
    return impLinearEnt()->length(intrvl.lowerBound(), intrvl.upperBound(),
                                  VqGeContext::gTol.equalPoint());
}
