// 2D elliptic arc, full ellipse by default; counterclockwise when the minor axis lies a
// quarter turn to the left of the major axis, clockwise otherwise.
#ifndef VQGE_ELLIPARC2D_H
#define VQGE_ELLIPARC2D_H

#include "vqge_curve2d.h"

class VqGeCircArc2d;
class VqGeImpEllipArc3d;
class VqGeLinearEnt2d;

class VQGE_API VqGeEllipArc2d : public VqGeCurve2d {
public:
    VqGeEllipArc2d();
    VqGeEllipArc2d(const VqGeEllipArc2d& src) : VqGeCurve2d(src) {}
    explicit VqGeEllipArc2d(const VqGeCircArc2d& arc);
    VqGeEllipArc2d(const VqGePoint2d& cent, const VqGeVector2d& majorAxis,
                   const VqGeVector2d& minorAxis, double majorRadius, double minorRadius,
                   double startAngle = 0.0, double endAngle = 6.283185307179586);
    VqGeEllipArc2d& operator=(const VqGeEllipArc2d& src) {
        VqGeCurve2d::operator=(src);
        return *this;
    }

    VqGeEllipArc2d& set(const VqGePoint2d& cent, const VqGeVector2d& majorAxis,
                        const VqGeVector2d& minorAxis, double majorRadius, double minorRadius,
                        double startAngle = 0.0, double endAngle = 6.283185307179586);
    VqGeEllipArc2d& set(const VqGeCircArc2d& arc);

    int intersectWith(const VqGeLinearEnt2d& line, int& numInt, VqGePoint2d& p1,
                      VqGePoint2d& p2, const VqGeTol& tol = VqGeContext::gTol) const;
    int isCircular(const VqGeTol& tol = VqGeContext::gTol) const;
    int isInside(const VqGePoint2d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;
    int isClockWise() const;

    VqGePoint2d center() const;
    VqGeVector2d majorAxis() const;
    VqGeVector2d minorAxis() const;
    double majorRadius() const;
    double minorRadius() const;
    double startAng() const;
    double endAng() const;
    VqGePoint2d startPoint() const;
    VqGePoint2d endPoint() const;

    VqGeEllipArc2d& setAngles(double startAngle, double endAngle);
    VqGeEllipArc2d& setCenter(const VqGePoint2d& cent);
    VqGeEllipArc2d& setAxes(const VqGeVector2d& majorAxis, const VqGeVector2d& minorAxis);
    VqGeEllipArc2d& setMajorRadius(double radius);
    VqGeEllipArc2d& setMinorRadius(double radius);

    VqGeImpEllipArc3d* impEllipArc() const;
};

#endif
