// Public 2D linear entity: lifts arguments to z = 0, forwards to the linear implementation
// object and drops z from the results.
#include "curves/imp_linear_ent3d.h"
#include "curves/vqge_lift.h"
#include "vqge_line2d.h"

VqGeLinearEnt2d::VqGeLinearEnt2d(VqGeImpLinearEnt3d* imp) : VqGeCurve2d(imp) {}

VqGeImpLinearEnt3d* VqGeLinearEnt2d::impLinearEnt() const {
    return static_cast<VqGeImpLinearEnt3d*>(impCurve());
}

int VqGeLinearEnt2d::intersectWith(const VqGeLinearEnt2d& line, VqGePoint2d& intPnt,
                                   const VqGeTol& tol) const {
    if (!impLinearEnt() || !line.impLinearEnt()) return 0;
    VqGePoint3d pnt;
    if (!impLinearEnt()->intersectWithLine(*line.impLinearEnt(), pnt, tol)) return 0;
    intPnt = vqDrop(pnt);
    return 1;
}

int VqGeLinearEnt2d::overlap(const VqGeLinearEnt2d& line, VqGeLinearEnt2d*& result,
                             const VqGeTol& tol) const {
    result = nullptr;
    if (!impLinearEnt() || !line.impLinearEnt()) return 0;
    VqGeImpLinearEnt3d* common = nullptr;
    if (!impLinearEnt()->overlap(*line.impLinearEnt(), common, tol)) return 0;
    result = new VqGeLinearEnt2d(common);
    if (!result) {
        delete common;
        return 0;
    }
    return 1;
}

int VqGeLinearEnt2d::isParallelTo(const VqGeLinearEnt2d& line, const VqGeTol& tol) const {
    return impLinearEnt() && line.impLinearEnt() &&
           impLinearEnt()->isParallelTo(*line.impLinearEnt(), tol);
}

int VqGeLinearEnt2d::isPerpendicularTo(const VqGeLinearEnt2d& line, const VqGeTol& tol) const {
    return impLinearEnt() && line.impLinearEnt() &&
           impLinearEnt()->isPerpendicularTo(*line.impLinearEnt(), tol);
}

int VqGeLinearEnt2d::isColinearTo(const VqGeLinearEnt2d& line, const VqGeTol& tol) const {
    return impLinearEnt() && line.impLinearEnt() &&
           impLinearEnt()->isColinearTo(*line.impLinearEnt(), tol);
}

void VqGeLinearEnt2d::getPerpLine(const VqGePoint2d& pnt, VqGeLine2d& perpLine) const {
    const VqGeVector2d dir = direction();
    perpLine.set(pnt, VqGeVector2d(-dir.y, dir.x));
}

VqGePoint2d VqGeLinearEnt2d::pointOnLine() const {
    return impLinearEnt() ? vqDrop(impLinearEnt()->pointOnLine()) : VqGePoint2d();
}

VqGeVector2d VqGeLinearEnt2d::direction() const {
    return impLinearEnt() ? vqDrop(impLinearEnt()->direction()) : VqGeVector2d();
}

void VqGeLinearEnt2d::getLine(VqGeLine2d& line) const {
    if (impLinearEnt() && line.impLinearEnt()) impLinearEnt()->getLine(*line.impLinearEnt());
}
