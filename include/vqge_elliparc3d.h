// 3D elliptic arc, full ellipse by default: centre, unit major and minor axes, their radii,
// and the start and end angles (the point at angle θ is
// center + cos θ·majorRadius·majorAxis + sin θ·minorRadius·minorAxis).
#ifndef VQGE_ELLIPARC3D_H
#define VQGE_ELLIPARC3D_H

#include "vqge_curve3d.h"

class VqGeCircArc3d;
class VqGeImpEllipArc3d;
class VqGeLinearEnt3d;
class VqGePlanarEnt;
class VqGePlane;

class VQGE_API VqGeEllipArc3d : public VqGeCurve3d {
public:
    VqGeEllipArc3d();
    VqGeEllipArc3d(const VqGeEllipArc3d& src) : VqGeCurve3d(src) {}
    explicit VqGeEllipArc3d(const VqGeCircArc3d& arc);
    VqGeEllipArc3d(const VqGePoint3d& cent, const VqGeVector3d& majorAxis,
                   const VqGeVector3d& minorAxis, double majorRadius, double minorRadius,
                   double startAngle = 0.0, double endAngle = 6.283185307179586);
    VqGeEllipArc3d& operator=(const VqGeEllipArc3d& src) {
        VqGeCurve3d::operator=(src);
        return *this;
    }

    VqGeEllipArc3d& set(const VqGePoint3d& cent, const VqGeVector3d& majorAxis,
                        const VqGeVector3d& minorAxis, double majorRadius, double minorRadius,
                        double startAngle = 0.0, double endAngle = 6.283185307179586);
    VqGeEllipArc3d& set(const VqGeCircArc3d& arc);

    int intersectWith(const VqGeLinearEnt3d& line, int& numInt, VqGePoint3d& p1,
                      VqGePoint3d& p2, const VqGeTol& tol = VqGeContext::gTol) const;
    int intersectWith(const VqGePlanarEnt& plane, int& numInt, VqGePoint3d& p1,
                      VqGePoint3d& p2, const VqGeTol& tol = VqGeContext::gTol) const;
    int projIntersectWith(const VqGeLinearEnt3d& line, const VqGeVector3d& projDir, int& numInt,
                          VqGePoint3d& pntOnEllipse1, VqGePoint3d& pntOnEllipse2,
                          VqGePoint3d& pntOnLine1, VqGePoint3d& pntOnLine2,
                          const VqGeTol& tol = VqGeContext::gTol) const;
    VqGePoint3d closestPointToPlane(const VqGePlanarEnt& plane, VqGePoint3d& pointOnPlane,
                                    const VqGeTol& tol = VqGeContext::gTol) const;
    int isCircular(const VqGeTol& tol = VqGeContext::gTol) const;
    int isInside(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;

    VqGePoint3d center() const;
    VqGeVector3d majorAxis() const;
    VqGeVector3d minorAxis() const;
    double majorRadius() const;
    double minorRadius() const;
    VqGeVector3d normal() const;
    double startAng() const;
    double endAng() const;
    VqGePoint3d startPoint() const;
    VqGePoint3d endPoint() const;
    void getPlane(VqGePlane& plane) const;

    VqGeEllipArc3d& setAngles(double startAngle, double endAngle);
    VqGeEllipArc3d& setCenter(const VqGePoint3d& cent);
    VqGeEllipArc3d& setAxes(const VqGeVector3d& majorAxis, const VqGeVector3d& minorAxis);
    VqGeEllipArc3d& setMajorRadius(double radius);
    VqGeEllipArc3d& setMinorRadius(double radius);

    VqGeImpEllipArc3d* impEllipArc() const;
};

#endif
