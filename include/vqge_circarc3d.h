// 3D circular arc, full circle by default: centre, normal, reference vector (angle 0),
// radius and the start and end angles measured about the normal from the reference vector.
#ifndef VQGE_CIRCARC3D_H
#define VQGE_CIRCARC3D_H

#include "vqge_curve3d.h"

class VqGeImpEllipArc3d;
class VqGeLine3d;
class VqGeLinearEnt3d;
class VqGePlanarEnt;
class VqGePlane;

class VQGE_API VqGeCircArc3d : public VqGeCurve3d {
public:
    // Unit circle about the origin in the XY plane.
    VqGeCircArc3d();
    VqGeCircArc3d(const VqGeCircArc3d& src) : VqGeCurve3d(src) {}
    VqGeCircArc3d(const VqGePoint3d& cent, const VqGeVector3d& nrm, double radius);
    VqGeCircArc3d(const VqGePoint3d& cent, const VqGeVector3d& nrm, const VqGeVector3d& refVec,
                  double radius, double startAngle = 0.0, double endAngle = 6.283185307179586);
    // The arc from startPoint through pnt to endPoint (the half ellipse on the line through
    // them when the three points are collinear).
    VqGeCircArc3d(const VqGePoint3d& startPoint, const VqGePoint3d& pnt,
                  const VqGePoint3d& endPoint);
    VqGeCircArc3d& operator=(const VqGeCircArc3d& src) {
        VqGeCurve3d::operator=(src);
        return *this;
    }

    VqGeCircArc3d& set(const VqGePoint3d& cent, const VqGeVector3d& nrm, double radius);
    VqGeCircArc3d& set(const VqGePoint3d& cent, const VqGeVector3d& nrm,
                       const VqGeVector3d& refVec, double radius, double startAngle,
                       double endAngle);
    VqGeCircArc3d& set(const VqGePoint3d& startPoint, const VqGePoint3d& pnt,
                       const VqGePoint3d& endPoint);
    // Condition 5, 6 or 7 for two identical points, 8 for collinear points; the arc is left
    // unchanged on a condition.
    VqGeCircArc3d& set(const VqGePoint3d& startPoint, const VqGePoint3d& pnt,
                       const VqGePoint3d& endPoint, VqGe::ErrorCondition& error);
    // The arc of the given radius tangent to two coplanar curves; param1, param2 in: reference
    // parameters, out: the tangency parameters. Not available yet: success is 0.
    VqGeCircArc3d& set(const VqGeCurve3d& curve1, const VqGeCurve3d& curve2, double radius,
                       double& param1, double& param2, int& success);
    // The full circle tangent to three curves in the XY plane; the parameters in: references,
    // out: tangency parameters. success is 0 (and nothing changes) when no circle is found.
    VqGeCircArc3d& set(const VqGeCurve3d& curve1, const VqGeCurve3d& curve2,
                       const VqGeCurve3d& curve3, double& param1, double& param2,
                       double& param3, int& success);

    // numInt points are written (0, 1 or 2).
    int intersectWith(const VqGeLinearEnt3d& line, int& numInt, VqGePoint3d& p1,
                      VqGePoint3d& p2, const VqGeTol& tol = VqGeContext::gTol) const;
    int intersectWith(const VqGeCircArc3d& arc, int& numInt, VqGePoint3d& p1, VqGePoint3d& p2,
                      const VqGeTol& tol = VqGeContext::gTol) const;
    int intersectWith(const VqGePlanarEnt& plane, int& numInt, VqGePoint3d& p1,
                      VqGePoint3d& p2, const VqGeTol& tol = VqGeContext::gTol) const;
    int projIntersectWith(const VqGeLinearEnt3d& line, const VqGeVector3d& projDir, int& numInt,
                          VqGePoint3d& pntOnArc1, VqGePoint3d& pntOnArc2,
                          VqGePoint3d& pntOnLine1, VqGePoint3d& pntOnLine2,
                          const VqGeTol& tol = VqGeContext::gTol) const;
    // The tangent line at pnt (a point of the arc's plane); 0 when there is none.
    int tangent(const VqGePoint3d& pnt, VqGeLine3d& line,
                const VqGeTol& tol = VqGeContext::gTol) const;
    // Condition 9 (point too far), 11 (inside the circle) or 10 (on the arc) and result 0.
    int tangent(const VqGePoint3d& pnt, VqGeLine3d& line, const VqGeTol& tol,
                VqGe::ErrorCondition& error) const;
    // The arc's point is returned; the plane's point goes out.
    VqGePoint3d closestPointToPlane(const VqGePlanarEnt& plane, VqGePoint3d& pointOnPlane,
                                    const VqGeTol& tol = VqGeContext::gTol) const;
    int isInside(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;

    VqGePoint3d center() const;
    VqGeVector3d normal() const;
    VqGeVector3d refVec() const;
    double radius() const;
    double startAng() const;
    double endAng() const;
    VqGePoint3d startPoint() const;
    VqGePoint3d endPoint() const;
    void getPlane(VqGePlane& plane) const;

    VqGeCircArc3d& setCenter(const VqGePoint3d& cent);
    VqGeCircArc3d& setAxes(const VqGeVector3d& nrm, const VqGeVector3d& refVec);
    VqGeCircArc3d& setRadius(double radius);
    VqGeCircArc3d& setAngles(double startAngle, double endAngle);

    VqGeImpEllipArc3d* impEllipArc() const;
};

#endif
