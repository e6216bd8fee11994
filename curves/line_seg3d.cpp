// Public 3D line segment: constructors and set forward to the linear implementation object.
#include "curves/imp_linear_ent3d.h"
#include "vqge_lineseg3d.h"

VqGeLineSeg3d::VqGeLineSeg3d() {
    adoptImp(new VqGeImpLinearEnt3d(1, 1), VqGe::kLineSeg3d);
}

VqGeLineSeg3d::VqGeLineSeg3d(const VqGePoint3d& pnt, const VqGeVector3d& vec) {
    adoptImp(new VqGeImpLinearEnt3d(pnt, vec, 1, 1), VqGe::kLineSeg3d);
}

VqGeLineSeg3d::VqGeLineSeg3d(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2) {
    adoptImp(new VqGeImpLinearEnt3d(pnt1, pnt2, 1, 1), VqGe::kLineSeg3d);
}

VqGeLineSeg3d& VqGeLineSeg3d::set(const VqGePoint3d& pnt, const VqGeVector3d& vec) {
    if (impLinearEnt()) impLinearEnt()->set(pnt, vec, 1, 1);
    return *this;
}

VqGeLineSeg3d& VqGeLineSeg3d::set(const VqGePoint3d& pnt1, const VqGePoint3d& pnt2) {
    if (impLinearEnt()) impLinearEnt()->set(pnt1, pnt2, 1, 1);
    return *this;
}

VqGeLineSeg3d& VqGeLineSeg3d::set(const VqGeCurve3d& curve1, const VqGeCurve3d& curve2,
                                  double& param1, double& param2, int& success) {
    success = 0;
    if (impLinearEnt() && curve1.impCurve() && curve2.impCurve())
        impLinearEnt()->set(*curve1.impCurve(), *curve2.impCurve(), param1, param2, success);
    return *this;
}

VqGeLineSeg3d& VqGeLineSeg3d::set(const VqGeCurve3d& curve, const VqGePoint3d& pnt, double& param,
                                  int& success) {
    success = 0;
    if (impLinearEnt() && curve.impCurve())
        impLinearEnt()->set(*curve.impCurve(), pnt, param, success);
    return *this;
}

VqGePoint3d VqGeLineSeg3d::baryComb(double blendCoeff) const {
    return impLinearEnt() ? impLinearEnt()->baryComb(blendCoeff) : VqGePoint3d();
}

VqGePoint3d VqGeLineSeg3d::startPoint() const {
    return impLinearEnt() ? impLinearEnt()->startPoint() : VqGePoint3d();
}

VqGePoint3d VqGeLineSeg3d::midPoint() const {
    return impLinearEnt() ? impLinearEnt()->midPoint() : VqGePoint3d();
}

VqGePoint3d VqGeLineSeg3d::endPoint() const {
    return impLinearEnt() ? impLinearEnt()->endPoint() : VqGePoint3d();
}

double VqGeLineSeg3d::length() const {
    if (!impLinearEnt()) return 0.0;
    const VqGeImpInterval& intrvl = impLinearEnt()->interval();
    return impLinearEnt()->length(intrvl.lowerBound(), intrvl.upperBound(),
                                  VqGeContext::gTol.equalPoint());
}
