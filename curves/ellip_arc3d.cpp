// Public 3D elliptic arc: constructors and set forward to the arc implementation object.
#include "curves/arc_wrapper_common.h"
#include "vqge_circarc3d.h"
#include "vqge_elliparc3d.h"
#include "vqge_linearent3d.h"
#include "vqge_plane.h"

VqGeEllipArc3d::VqGeEllipArc3d() { adoptImp(new VqGeImpEllipArc3d(), VqGe::kEllipArc3d); }

VqGeEllipArc3d::VqGeEllipArc3d(const VqGeCircArc3d& arc) {
    VqGeImpEllipArc3d* imp =
        arc.impEllipArc() ? new VqGeImpEllipArc3d(*arc.impEllipArc()) : new VqGeImpEllipArc3d();
    adoptImp(imp, VqGe::kEllipArc3d);
}

VqGeEllipArc3d::VqGeEllipArc3d(const VqGePoint3d& cent, const VqGeVector3d& majorAxis,
                               const VqGeVector3d& minorAxis, double majorRadius,
                               double minorRadius, double startAngle, double endAngle) {
    adoptImp(new VqGeImpEllipArc3d(cent, majorAxis, minorAxis, majorRadius, minorRadius,
                                   startAngle, endAngle),
             VqGe::kEllipArc3d);
}

VqGeImpEllipArc3d* VqGeEllipArc3d::impEllipArc() const {
    return static_cast<VqGeImpEllipArc3d*>(impCurve());
}

VqGeEllipArc3d& VqGeEllipArc3d::set(const VqGePoint3d& cent, const VqGeVector3d& majorAxis,
                                    const VqGeVector3d& minorAxis, double majorRadius,
                                    double minorRadius, double startAngle, double endAngle) {
    if (impEllipArc())
        impEllipArc()->set(cent, majorAxis, minorAxis, majorRadius, minorRadius, startAngle,
                           endAngle);
    return *this;
}

VqGeEllipArc3d& VqGeEllipArc3d::set(const VqGeCircArc3d& arc) {
    const VqGeImpEllipArc3d* src = arc.impEllipArc();
    if (!impEllipArc() || !src) return *this;
    impEllipArc()->set(src->center(), src->majorAxis(), src->minorAxis(), src->majorRadius(),
                       src->minorRadius(), src->startAngle(), src->endAngle());
    return *this;
}

int VqGeEllipArc3d::intersectWith(const VqGeLinearEnt3d& line, int& numInt, VqGePoint3d& p1,
                                  VqGePoint3d& p2, const VqGeTol& tol) const {
    return vqArcIntersectLine(impEllipArc(), line.impLinearEnt(), numInt, p1, p2, tol);
}

int VqGeEllipArc3d::intersectWith(const VqGePlanarEnt& plane, int& numInt, VqGePoint3d& p1,
                                  VqGePoint3d& p2, const VqGeTol& tol) const {
    return vqArcIntersectPlane(impEllipArc(), plane.impPlanarEnt(), numInt, p1, p2, tol);
}

int VqGeEllipArc3d::projIntersectWith(const VqGeLinearEnt3d& line, const VqGeVector3d& projDir,
                                      int& numInt, VqGePoint3d& pntOnEllipse1,
                                      VqGePoint3d& pntOnEllipse2, VqGePoint3d& pntOnLine1,
                                      VqGePoint3d& pntOnLine2, const VqGeTol& tol) const {
    numInt = 0;
    if (!impEllipArc() || !line.impLinearEnt()) return 0;
    return impEllipArc()->projIntersectWith(*line.impLinearEnt(), projDir, numInt, pntOnEllipse1,
                                            pntOnEllipse2, pntOnLine1, pntOnLine2, tol);
}

VqGePoint3d VqGeEllipArc3d::closestPointToPlane(const VqGePlanarEnt& plane,
                                                VqGePoint3d& pointOnPlane,
                                                const VqGeTol& tol) const {
    return vqArcClosestToPlane(impEllipArc(), plane.impPlanarEnt(), pointOnPlane, tol);
}

int VqGeEllipArc3d::isCircular(const VqGeTol& tol) const {
    return impEllipArc() ? impEllipArc()->isCircular(tol) : 0;
}

int VqGeEllipArc3d::isInside(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return impEllipArc() ? impEllipArc()->isInside(pnt, tol) : 0;
}

VqGePoint3d VqGeEllipArc3d::center() const {
    return impEllipArc() ? impEllipArc()->center() : VqGePoint3d();
}

VqGeVector3d VqGeEllipArc3d::majorAxis() const {
    return impEllipArc() ? impEllipArc()->majorAxis() : VqGeVector3d();
}

VqGeVector3d VqGeEllipArc3d::minorAxis() const {
    return impEllipArc() ? impEllipArc()->minorAxis() : VqGeVector3d();
}

double VqGeEllipArc3d::majorRadius() const {
    return impEllipArc() ? impEllipArc()->majorRadius() : 0.0;
}

double VqGeEllipArc3d::minorRadius() const {
    return impEllipArc() ? impEllipArc()->minorRadius() : 0.0;
}

VqGeVector3d VqGeEllipArc3d::normal() const {
    return impEllipArc() ? impEllipArc()->normal() : VqGeVector3d();
}

double VqGeEllipArc3d::startAng() const {
    return impEllipArc() ? impEllipArc()->startAngle() : 0.0;
}

double VqGeEllipArc3d::endAng() const { return impEllipArc() ? impEllipArc()->endAngle() : 0.0; }

VqGePoint3d VqGeEllipArc3d::startPoint() const {
    return impEllipArc() ? impEllipArc()->startPoint() : VqGePoint3d();
}

VqGePoint3d VqGeEllipArc3d::endPoint() const {
    return impEllipArc() ? impEllipArc()->endPoint() : VqGePoint3d();
}

void VqGeEllipArc3d::getPlane(VqGePlane& plane) const {
    if (impEllipArc() && plane.impPlanarEnt()) impEllipArc()->getPlane(*plane.impPlanarEnt());
}

VqGeEllipArc3d& VqGeEllipArc3d::setAngles(double startAngle, double endAngle) {
    if (impEllipArc()) impEllipArc()->setAngles(startAngle, endAngle, 1);
    return *this;
}

VqGeEllipArc3d& VqGeEllipArc3d::setCenter(const VqGePoint3d& cent) {
    if (impEllipArc()) impEllipArc()->setCenter(cent);
    return *this;
}

VqGeEllipArc3d& VqGeEllipArc3d::setAxes(const VqGeVector3d& majorAxis,
                                        const VqGeVector3d& minorAxis) {
    if (impEllipArc()) impEllipArc()->setAxes(majorAxis, minorAxis);
    return *this;
}

VqGeEllipArc3d& VqGeEllipArc3d::setMajorRadius(double radius) {
    if (impEllipArc()) impEllipArc()->setRadii(radius, impEllipArc()->minorRadius());
    return *this;
}

VqGeEllipArc3d& VqGeEllipArc3d::setMinorRadius(double radius) {
    if (impEllipArc()) impEllipArc()->setRadii(impEllipArc()->majorRadius(), radius);
    return *this;
}
