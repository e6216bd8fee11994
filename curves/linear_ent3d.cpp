// Public 3D linear entity: forwards to the linear implementation object. A wrapper without
// an object answers 0 or the zero value and changes nothing.
#include "curves/imp_linear_ent3d.h"
#include "vqge_line3d.h"

VqGeLinearEnt3d::VqGeLinearEnt3d(VqGeImpLinearEnt3d* imp) : VqGeCurve3d(imp) {}

VqGeImpLinearEnt3d* VqGeLinearEnt3d::impLinearEnt() const {
    return static_cast<VqGeImpLinearEnt3d*>(impCurve());
}

int VqGeLinearEnt3d::intersectWith(const VqGeLinearEnt3d& line, VqGePoint3d& intPnt,
                                   const VqGeTol& tol) const {
    if (!impLinearEnt() || !line.impLinearEnt()) return 0;
    return impLinearEnt()->intersectWithLine(*line.impLinearEnt(), intPnt, tol);
}

int VqGeLinearEnt3d::projIntersectWith(const VqGeLinearEnt3d& line, const VqGeVector3d& projDir,
                                       VqGePoint3d& pntOnThisLine, VqGePoint3d& pntOnOtherLine,
                                       const VqGeTol& tol) const {
    if (!impLinearEnt() || !line.impLinearEnt()) return 0;
    return impLinearEnt()->projIntersectWith(*line.impLinearEnt(), projDir, pntOnThisLine,
                                             pntOnOtherLine, tol);
}

int VqGeLinearEnt3d::overlap(const VqGeLinearEnt3d& line, VqGeLinearEnt3d*& result,
                             const VqGeTol& tol) const {
    result = nullptr;
    if (!impLinearEnt() || !line.impLinearEnt()) return 0;
    VqGeImpLinearEnt3d* common = nullptr;
    if (!impLinearEnt()->overlap(*line.impLinearEnt(), common, tol)) return 0;
    result = new VqGeLinearEnt3d(common);
    if (!result) {
        delete common;
        return 0;
    }
    return 1;
}

int VqGeLinearEnt3d::isParallelTo(const VqGeLinearEnt3d& line, const VqGeTol& tol) const {
    return impLinearEnt() && line.impLinearEnt() &&
           impLinearEnt()->isParallelTo(*line.impLinearEnt(), tol);
}

int VqGeLinearEnt3d::isPerpendicularTo(const VqGeLinearEnt3d& line, const VqGeTol& tol) const {
    return impLinearEnt() && line.impLinearEnt() &&
           impLinearEnt()->isPerpendicularTo(*line.impLinearEnt(), tol);
}

int VqGeLinearEnt3d::isColinearTo(const VqGeLinearEnt3d& line, const VqGeTol& tol) const {
    return impLinearEnt() && line.impLinearEnt() &&
           impLinearEnt()->isColinearTo(*line.impLinearEnt(), tol);
}

VqGePoint3d VqGeLinearEnt3d::pointOnLine() const {
    return impLinearEnt() ? impLinearEnt()->pointOnLine() : VqGePoint3d();
}

VqGeVector3d VqGeLinearEnt3d::direction() const {
    return impLinearEnt() ? impLinearEnt()->direction() : VqGeVector3d();
}

void VqGeLinearEnt3d::getLine(VqGeLine3d& line) const {
    if (impLinearEnt() && line.impLinearEnt()) impLinearEnt()->getLine(*line.impLinearEnt());
}
