// Public 2D circular arc: lifts to z = 0 and forwards to the arc implementation object; the
// normal is +z, or −z for a clockwise arc.
#include "curves/arc_wrapper_common.h"
#include "curves/vqge_lift.h"
#include "vqge_circarc2d.h"
#include "vqge_line2d.h"

namespace {
VqGeVector3d arcNormal(int isClockWise) {
    return isClockWise ? -VqGeVector3d::kZAxis : VqGeVector3d::kZAxis;
}
}  // namespace

VqGeCircArc2d::VqGeCircArc2d() { adoptImp(new VqGeImpEllipArc3d(), VqGe::kCircArc2d); }

VqGeCircArc2d::VqGeCircArc2d(const VqGePoint2d& cent, double radius, double startAngle,
                             double endAngle, const VqGeVector2d& refVec, int isClockWise) {
    VqGeImpEllipArc3d* imp = new VqGeImpEllipArc3d();
    if (imp)
        vqArcSetCircle(*imp, vqLift(cent), arcNormal(isClockWise), vqLift(refVec), radius,
                       startAngle, endAngle);
    adoptImp(imp, VqGe::kCircArc2d);
}

VqGeCircArc2d::VqGeCircArc2d(const VqGePoint2d& startPoint, const VqGePoint2d& pnt,
                             const VqGePoint2d& endPoint) {
    adoptImp(new VqGeImpEllipArc3d(vqLift(startPoint), vqLift(pnt), vqLift(endPoint)),
             VqGe::kCircArc2d);
}

VqGeCircArc2d::VqGeCircArc2d(const VqGePoint2d& startPoint, const VqGePoint2d& endPoint,
                             double value, int isHeight) {
    VqGeImpEllipArc3d* imp = new VqGeImpEllipArc3d();
    if (imp) imp->setBulge(vqLift(startPoint), vqLift(endPoint), value, isHeight);
    adoptImp(imp, VqGe::kCircArc2d);
}

VqGeImpEllipArc3d* VqGeCircArc2d::impEllipArc() const {
    return static_cast<VqGeImpEllipArc3d*>(impCurve());
}

VqGeCircArc2d& VqGeCircArc2d::set(const VqGePoint2d& cent, double radius, double startAngle,
                                  double endAngle, const VqGeVector2d& refVec, int isClockWise) {
    if (impEllipArc())
        vqArcSetCircle(*impEllipArc(), vqLift(cent), arcNormal(isClockWise), vqLift(refVec),
                       radius, startAngle, endAngle);
    return *this;
}

VqGeCircArc2d& VqGeCircArc2d::set(const VqGePoint2d& startPoint, const VqGePoint2d& pnt,
                                  const VqGePoint2d& endPoint) {
    if (impEllipArc()) impEllipArc()->set(vqLift(startPoint), vqLift(pnt), vqLift(endPoint));
    return *this;
}

VqGeCircArc2d& VqGeCircArc2d::set(const VqGePoint2d& startPoint, const VqGePoint2d& pnt,
                                  const VqGePoint2d& endPoint, VqGe::ErrorCondition& error) {
    error = VqGe::kConditionOk;
    if (impEllipArc())
        impEllipArc()->set(vqLift(startPoint), vqLift(pnt), vqLift(endPoint), error);
    return *this;
}

VqGeCircArc2d& VqGeCircArc2d::set(const VqGePoint2d& startPoint, const VqGePoint2d& endPoint,
                                  double value, int isHeight) {
    if (impEllipArc()) impEllipArc()->setBulge(vqLift(startPoint), vqLift(endPoint), value, isHeight);
    return *this;
}

VqGeCircArc2d& VqGeCircArc2d::set(const VqGeCurve2d& curve1, const VqGeCurve2d& curve2,
                                  double radius, double& param1, double& param2, int& success) {
    success = 0;
    if (impEllipArc() && curve1.impCurve() && curve2.impCurve())
        impEllipArc()->set(*curve1.impCurve(), *curve2.impCurve(), radius, param1, param2,
                           success);
    return *this;
}

VqGeCircArc2d& VqGeCircArc2d::set(const VqGeCurve2d& curve1, const VqGeCurve2d& curve2,
                                  const VqGeCurve2d& curve3, double& param1, double& param2,
                                  double& param3, int& success) {
    success = 0;
    if (impEllipArc() && curve1.impCurve() && curve2.impCurve() && curve3.impCurve())
        impEllipArc()->set(*curve1.impCurve(), *curve2.impCurve(), *curve3.impCurve(), param1,
                           param2, param3, success);
    return *this;
}

int VqGeCircArc2d::intersectWith(const VqGeLinearEnt2d& line, int& numInt, VqGePoint2d& p1,
                                 VqGePoint2d& p2, const VqGeTol& tol) const {
    return vqArcIntersectLine2d(impEllipArc(), line.impLinearEnt(), numInt, p1, p2, tol);
}

int VqGeCircArc2d::intersectWith(const VqGeCircArc2d& arc, int& numInt, VqGePoint2d& p1,
                                 VqGePoint2d& p2, const VqGeTol& tol) const {
    numInt = 0;
    if (!impEllipArc() || !arc.impEllipArc()) return 0;
    VqGePoint3d q1, q2;
    int tangent = 0;
    const int result =
        impEllipArc()->intersectWithArc(*arc.impEllipArc(), numInt, q1, q2, tangent, tol);
    if (numInt > 0) p1 = vqDrop(q1);
    if (numInt > 1) p2 = vqDrop(q2);
    return result;
}

int VqGeCircArc2d::tangent(const VqGePoint2d& pnt, VqGeLine2d& line, const VqGeTol& tol) const {
    if (!impEllipArc() || !line.impLinearEnt()) return 0;
    return impEllipArc()->tangent(vqLift(pnt), *line.impLinearEnt(), tol);
}

int VqGeCircArc2d::tangent(const VqGePoint2d& pnt, VqGeLine2d& line, const VqGeTol& tol,
                           VqGe::ErrorCondition& error) const {
    error = VqGe::kConditionOk;
    if (!impEllipArc() || !line.impLinearEnt()) return 0;
    if (impEllipArc()->tangentCondition(vqLift(pnt), 1, tol, error)) return 0;
    return impEllipArc()->tangent(vqLift(pnt), *line.impLinearEnt(), tol);
}

int VqGeCircArc2d::isInside(const VqGePoint2d& pnt, const VqGeTol& tol) const {
    return impEllipArc() ? impEllipArc()->isInside(vqLift(pnt), tol) : 0;
}

VqGePoint2d VqGeCircArc2d::center() const {
    return impEllipArc() ? vqDrop(impEllipArc()->center()) : VqGePoint2d();
}

double VqGeCircArc2d::radius() const { return impEllipArc() ? impEllipArc()->majorRadius() : 0.0; }

double VqGeCircArc2d::startAng() const { return impEllipArc() ? impEllipArc()->startAngle() : 0.0; }

double VqGeCircArc2d::endAng() const { return impEllipArc() ? impEllipArc()->endAngle() : 0.0; }

int VqGeCircArc2d::isClockWise() const { return impEllipArc() ? impEllipArc()->isClockWise() : 0; }

VqGeVector2d VqGeCircArc2d::refVec() const {
    return impEllipArc() ? vqDrop(impEllipArc()->majorAxis()) : VqGeVector2d();
}

VqGePoint2d VqGeCircArc2d::startPoint() const {
    return impEllipArc() ? vqDrop(impEllipArc()->startPoint()) : VqGePoint2d();
}

VqGePoint2d VqGeCircArc2d::endPoint() const {
    return impEllipArc() ? vqDrop(impEllipArc()->endPoint()) : VqGePoint2d();
}

VqGeCircArc2d& VqGeCircArc2d::setCenter(const VqGePoint2d& cent) {
    if (impEllipArc()) impEllipArc()->setCenter(vqLift(cent));
    return *this;
}

VqGeCircArc2d& VqGeCircArc2d::setRadius(double radius) {
    if (impEllipArc()) impEllipArc()->setRadii(radius, radius);
    return *this;
}

VqGeCircArc2d& VqGeCircArc2d::setAngles(double startAngle, double endAngle) {
    if (impEllipArc()) impEllipArc()->setAngles(startAngle, endAngle, 1);
    return *this;
}

VqGeCircArc2d& VqGeCircArc2d::setToComplement() {
    if (impEllipArc()) impEllipArc()->setToComplement();
    return *this;
}

VqGeCircArc2d& VqGeCircArc2d::setRefVec(const VqGeVector2d& vec) {
    if (impEllipArc()) impEllipArc()->setRefVec(vqLift(vec));
    return *this;
}
