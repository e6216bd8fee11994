// Public 2D elliptic arc: lifts to z = 0 and forwards to the arc implementation object.
#include "curves/arc_wrapper_common.h"
#include "curves/vqge_lift.h"
#include "vqge_circarc2d.h"
#include "vqge_elliparc2d.h"
#include "vqge_linearent2d.h"

VqGeEllipArc2d::VqGeEllipArc2d() { adoptImp(new VqGeImpEllipArc3d(), VqGe::kEllipArc2d); }

VqGeEllipArc2d::VqGeEllipArc2d(const VqGeCircArc2d& arc) {
    VqGeImpEllipArc3d* imp =
        arc.impEllipArc() ? new VqGeImpEllipArc3d(*arc.impEllipArc()) : new VqGeImpEllipArc3d();
    adoptImp(imp, VqGe::kEllipArc2d);
}

VqGeEllipArc2d::VqGeEllipArc2d(const VqGePoint2d& cent, const VqGeVector2d& majorAxis,
                               const VqGeVector2d& minorAxis, double majorRadius,
                               double minorRadius, double startAngle, double endAngle) {
    adoptImp(new VqGeImpEllipArc3d(vqLift(cent), vqLift(majorAxis), vqLift(minorAxis),
                                   majorRadius, minorRadius, startAngle, endAngle),
             VqGe::kEllipArc2d);
}

VqGeImpEllipArc3d* VqGeEllipArc2d::impEllipArc() const {
    return static_cast<VqGeImpEllipArc3d*>(impCurve());
}

VqGeEllipArc2d& VqGeEllipArc2d::set(const VqGePoint2d& cent, const VqGeVector2d& majorAxis,
                                    const VqGeVector2d& minorAxis, double majorRadius,
                                    double minorRadius, double startAngle, double endAngle) {
    if (impEllipArc())
        impEllipArc()->set(vqLift(cent), vqLift(majorAxis), vqLift(minorAxis), majorRadius,
                           minorRadius, startAngle, endAngle);
    return *this;
}

VqGeEllipArc2d& VqGeEllipArc2d::set(const VqGeCircArc2d& arc) {
    const VqGeImpEllipArc3d* src = arc.impEllipArc();
    if (!impEllipArc() || !src) return *this;
    impEllipArc()->set(src->center(), src->majorAxis(), src->minorAxis(), src->majorRadius(),
                       src->minorRadius(), src->startAngle(), src->endAngle());
    return *this;
}

int VqGeEllipArc2d::intersectWith(const VqGeLinearEnt2d& line, int& numInt, VqGePoint2d& p1,
                                  VqGePoint2d& p2, const VqGeTol& tol) const {
    return vqArcIntersectLine2d(impEllipArc(), line.impLinearEnt(), numInt, p1, p2, tol);
}

int VqGeEllipArc2d::isCircular(const VqGeTol& tol) const {
    return impEllipArc() ? impEllipArc()->isCircular(tol) : 0;
}

int VqGeEllipArc2d::isInside(const VqGePoint2d& pnt, const VqGeTol& tol) const {
    return impEllipArc() ? impEllipArc()->isInside(vqLift(pnt), tol) : 0;
}

int VqGeEllipArc2d::isClockWise() const {
    return impEllipArc() ? impEllipArc()->isClockWise() : 0;
}

VqGePoint2d VqGeEllipArc2d::center() const {
    return impEllipArc() ? vqDrop(impEllipArc()->center()) : VqGePoint2d();
}

VqGeVector2d VqGeEllipArc2d::majorAxis() const {
    return impEllipArc() ? vqDrop(impEllipArc()->majorAxis()) : VqGeVector2d();
}

VqGeVector2d VqGeEllipArc2d::minorAxis() const {
    return impEllipArc() ? vqDrop(impEllipArc()->minorAxis()) : VqGeVector2d();
}

double VqGeEllipArc2d::majorRadius() const {
    return impEllipArc() ? impEllipArc()->majorRadius() : 0.0;
}

double VqGeEllipArc2d::minorRadius() const {
    return impEllipArc() ? impEllipArc()->minorRadius() : 0.0;
}

double VqGeEllipArc2d::startAng() const {
    return impEllipArc() ? impEllipArc()->startAngle() : 0.0;
}

double VqGeEllipArc2d::endAng() const { return impEllipArc() ? impEllipArc()->endAngle() : 0.0; }

VqGePoint2d VqGeEllipArc2d::startPoint() const {
    return impEllipArc() ? vqDrop(impEllipArc()->startPoint()) : VqGePoint2d();
}

VqGePoint2d VqGeEllipArc2d::endPoint() const {
    return impEllipArc() ? vqDrop(impEllipArc()->endPoint()) : VqGePoint2d();
}

VqGeEllipArc2d& VqGeEllipArc2d::setAngles(double startAngle, double endAngle) {
    if (impEllipArc()) impEllipArc()->setAngles(startAngle, endAngle, 1);
    return *this;
}

VqGeEllipArc2d& VqGeEllipArc2d::setCenter(const VqGePoint2d& cent) {
    if (impEllipArc()) impEllipArc()->setCenter(vqLift(cent));
    return *this;
}

VqGeEllipArc2d& VqGeEllipArc2d::setAxes(const VqGeVector2d& majorAxis,
                                        const VqGeVector2d& minorAxis) {
    if (impEllipArc()) impEllipArc()->setAxes(vqLift(majorAxis), vqLift(minorAxis));
    return *this;
}

VqGeEllipArc2d& VqGeEllipArc2d::setMajorRadius(double radius) {
    if (impEllipArc()) impEllipArc()->setRadii(radius, impEllipArc()->minorRadius());
    return *this;
}

VqGeEllipArc2d& VqGeEllipArc2d::setMinorRadius(double radius) {
    if (impEllipArc()) impEllipArc()->setRadii(impEllipArc()->majorRadius(), radius);
    return *this;
}
