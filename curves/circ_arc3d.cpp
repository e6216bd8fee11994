// Public 3D circular arc: constructors and set forward to the arc implementation object. A
// wrapper without an object answers 0 or the zero value and changes nothing.
#include "curves/arc_wrapper_common.h"
#include "vqge_circarc3d.h"
#include "vqge_line3d.h"
#include "vqge_linearent3d.h"
#include "vqge_plane.h"

VqGeCircArc3d::VqGeCircArc3d() { adoptImp(new VqGeImpEllipArc3d(), VqGe::kCircArc3d); }

VqGeCircArc3d::VqGeCircArc3d(const VqGePoint3d& cent, const VqGeVector3d& nrm, double radius) {
    adoptImp(new VqGeImpEllipArc3d(cent, nrm, radius), VqGe::kCircArc3d);
}

VqGeCircArc3d::VqGeCircArc3d(const VqGePoint3d& cent, const VqGeVector3d& nrm,
                             const VqGeVector3d& refVec, double radius, double startAngle,
                             double endAngle) {
    VqGeImpEllipArc3d* imp = new VqGeImpEllipArc3d();
    if (imp) vqArcSetCircle(*imp, cent, nrm, refVec, radius, startAngle, endAngle);
    adoptImp(imp, VqGe::kCircArc3d);
}

VqGeCircArc3d::VqGeCircArc3d(const VqGePoint3d& startPoint, const VqGePoint3d& pnt,
                             const VqGePoint3d& endPoint) {
    adoptImp(new VqGeImpEllipArc3d(startPoint, pnt, endPoint), VqGe::kCircArc3d);
}

VqGeImpEllipArc3d* VqGeCircArc3d::impEllipArc() const {
    return static_cast<VqGeImpEllipArc3d*>(impCurve());
}

VqGeCircArc3d& VqGeCircArc3d::set(const VqGePoint3d& cent, const VqGeVector3d& nrm,
                                  double radius) {
    if (impEllipArc()) impEllipArc()->set(cent, nrm, radius);
    return *this;
}

VqGeCircArc3d& VqGeCircArc3d::set(const VqGePoint3d& cent, const VqGeVector3d& nrm,
                                  const VqGeVector3d& refVec, double radius, double startAngle,
                                  double endAngle) {
    if (impEllipArc()) vqArcSetCircle(*impEllipArc(), cent, nrm, refVec, radius, startAngle, endAngle);
    return *this;
}

VqGeCircArc3d& VqGeCircArc3d::set(const VqGePoint3d& startPoint, const VqGePoint3d& pnt,
                                  const VqGePoint3d& endPoint) {
    if (impEllipArc()) impEllipArc()->set(startPoint, pnt, endPoint);
    return *this;
}

VqGeCircArc3d& VqGeCircArc3d::set(const VqGePoint3d& startPoint, const VqGePoint3d& pnt,
                                  const VqGePoint3d& endPoint, VqGe::ErrorCondition& error) {
    error = VqGe::kConditionOk;
    if (impEllipArc()) impEllipArc()->set(startPoint, pnt, endPoint, error);
    return *this;
}

VqGeCircArc3d& VqGeCircArc3d::set(const VqGeCurve3d& curve1, const VqGeCurve3d& curve2,
                                  double radius, double& param1, double& param2, int& success) {
    success = 0;
    if (impEllipArc() && curve1.impCurve() && curve2.impCurve())
        impEllipArc()->set(*curve1.impCurve(), *curve2.impCurve(), radius, param1, param2,
                           success);
    return *this;
}

VqGeCircArc3d& VqGeCircArc3d::set(const VqGeCurve3d& curve1, const VqGeCurve3d& curve2,
                                  const VqGeCurve3d& curve3, double& param1, double& param2,
                                  double& param3, int& success) {
    success = 0;
    if (impEllipArc() && curve1.impCurve() && curve2.impCurve() && curve3.impCurve())
        impEllipArc()->set(*curve1.impCurve(), *curve2.impCurve(), *curve3.impCurve(), param1,
                           param2, param3, success);
    return *this;
}

int VqGeCircArc3d::intersectWith(const VqGeLinearEnt3d& line, int& numInt, VqGePoint3d& p1,
                                 VqGePoint3d& p2, const VqGeTol& tol) const {
    return vqArcIntersectLine(impEllipArc(), line.impLinearEnt(), numInt, p1, p2, tol);
}

int VqGeCircArc3d::intersectWith(const VqGeCircArc3d& arc, int& numInt, VqGePoint3d& p1,
                                 VqGePoint3d& p2, const VqGeTol& tol) const {
    numInt = 0;
    if (!impEllipArc() || !arc.impEllipArc()) return 0;
    int tangent = 0;
    return impEllipArc()->intersectWithArc(*arc.impEllipArc(), numInt, p1, p2, tangent, tol);
}

int VqGeCircArc3d::intersectWith(const VqGePlanarEnt& plane, int& numInt, VqGePoint3d& p1,
                                 VqGePoint3d& p2, const VqGeTol& tol) const {
    return vqArcIntersectPlane(impEllipArc(), plane.impPlanarEnt(), numInt, p1, p2, tol);
}

int VqGeCircArc3d::projIntersectWith(const VqGeLinearEnt3d& line, const VqGeVector3d& projDir,
                                     int& numInt, VqGePoint3d& pntOnArc1, VqGePoint3d& pntOnArc2,
                                     VqGePoint3d& pntOnLine1, VqGePoint3d& pntOnLine2,
                                     const VqGeTol& tol) const {
    numInt = 0;
    if (!impEllipArc() || !line.impLinearEnt()) return 0;
    return impEllipArc()->projIntersectWith(*line.impLinearEnt(), projDir, numInt, pntOnArc1,
                                            pntOnArc2, pntOnLine1, pntOnLine2, tol);
}

int VqGeCircArc3d::tangent(const VqGePoint3d& pnt, VqGeLine3d& line, const VqGeTol& tol) const {
    if (!impEllipArc() || !line.impLinearEnt()) return 0;
    return impEllipArc()->tangent(pnt, *line.impLinearEnt(), tol);
}

int VqGeCircArc3d::tangent(const VqGePoint3d& pnt, VqGeLine3d& line, const VqGeTol& tol,
                           VqGe::ErrorCondition& error) const {
    error = VqGe::kConditionOk;
    if (!impEllipArc() || !line.impLinearEnt()) return 0;
    if (impEllipArc()->tangentCondition(pnt, 0, tol, error)) return 0;
    return impEllipArc()->tangent(pnt, *line.impLinearEnt(), tol);
}

VqGePoint3d VqGeCircArc3d::closestPointToPlane(const VqGePlanarEnt& plane,
                                               VqGePoint3d& pointOnPlane,
                                               const VqGeTol& tol) const {
    return vqArcClosestToPlane(impEllipArc(), plane.impPlanarEnt(), pointOnPlane, tol);
}

int VqGeCircArc3d::isInside(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return impEllipArc() ? impEllipArc()->isInside(pnt, tol) : 0;
}

VqGePoint3d VqGeCircArc3d::center() const {
    return impEllipArc() ? impEllipArc()->center() : VqGePoint3d();
}

VqGeVector3d VqGeCircArc3d::normal() const {
    return impEllipArc() ? impEllipArc()->normal() : VqGeVector3d();
}

VqGeVector3d VqGeCircArc3d::refVec() const {
    return impEllipArc() ? impEllipArc()->majorAxis() : VqGeVector3d();
}

double VqGeCircArc3d::radius() const { return impEllipArc() ? impEllipArc()->majorRadius() : 0.0; }

double VqGeCircArc3d::startAng() const { return impEllipArc() ? impEllipArc()->startAngle() : 0.0; }

double VqGeCircArc3d::endAng() const { return impEllipArc() ? impEllipArc()->endAngle() : 0.0; }

VqGePoint3d VqGeCircArc3d::startPoint() const {
    return impEllipArc() ? impEllipArc()->startPoint() : VqGePoint3d();
}

VqGePoint3d VqGeCircArc3d::endPoint() const {
    return impEllipArc() ? impEllipArc()->endPoint() : VqGePoint3d();
}

void VqGeCircArc3d::getPlane(VqGePlane& plane) const {
    if (impEllipArc() && plane.impPlanarEnt()) impEllipArc()->getPlane(*plane.impPlanarEnt());
}

VqGeCircArc3d& VqGeCircArc3d::setCenter(const VqGePoint3d& cent) {
    if (impEllipArc()) impEllipArc()->setCenter(cent);
    return *this;
}

VqGeCircArc3d& VqGeCircArc3d::setAxes(const VqGeVector3d& nrm, const VqGeVector3d& refVec) {
    if (!impEllipArc()) return *this;
    const VqGeVector3d major = vqArcRefAxis(nrm, refVec);
    impEllipArc()->setAxes(major, nrm.normal(VqGeContext::gTol).crossProduct(major));
    return *this;
}

VqGeCircArc3d& VqGeCircArc3d::setRadius(double radius) {
    if (impEllipArc()) impEllipArc()->setRadii(radius, radius);
    return *this;
}

VqGeCircArc3d& VqGeCircArc3d::setAngles(double startAngle, double endAngle) {
    if (impEllipArc()) impEllipArc()->setAngles(startAngle, endAngle, 1);
    return *this;
}
