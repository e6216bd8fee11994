// 2D circular arc, full circle by default: centre, radius, start and end angles measured
// from the reference vector, counterclockwise unless the clockwise flag is set.
#ifndef VQGE_CIRCARC2D_H
#define VQGE_CIRCARC2D_H

#include "vqge_curve2d.h"

class VqGeImpEllipArc3d;
class VqGeLine2d;
class VqGeLinearEnt2d;

class VQGE_API VqGeCircArc2d : public VqGeCurve2d {
public:
    VqGeCircArc2d();
    VqGeCircArc2d(const VqGeCircArc2d& src) : VqGeCurve2d(src) {}
    VqGeCircArc2d(const VqGePoint2d& cent, double radius, double startAngle = 0.0,
                  double endAngle = 6.283185307179586,
                  const VqGeVector2d& refVec = VqGeVector2d(1.0, 0.0), int isClockWise = 0);
    VqGeCircArc2d(const VqGePoint2d& startPoint, const VqGePoint2d& pnt,
                  const VqGePoint2d& endPoint);
    // Bulge form: the arc from startPoint to endPoint whose middle lies value (isHeight) or
    // value·|chord|/2 to the right of the chord.
    VqGeCircArc2d(const VqGePoint2d& startPoint, const VqGePoint2d& endPoint, double value,
                  int isHeight);
    VqGeCircArc2d& operator=(const VqGeCircArc2d& src) {
        VqGeCurve2d::operator=(src);
        return *this;
    }

    VqGeCircArc2d& set(const VqGePoint2d& cent, double radius, double startAngle,
                       double endAngle, const VqGeVector2d& refVec = VqGeVector2d(1.0, 0.0),
                       int isClockWise = 0);
    VqGeCircArc2d& set(const VqGePoint2d& startPoint, const VqGePoint2d& pnt,
                       const VqGePoint2d& endPoint);
    VqGeCircArc2d& set(const VqGePoint2d& startPoint, const VqGePoint2d& pnt,
                       const VqGePoint2d& endPoint, VqGe::ErrorCondition& error);
    VqGeCircArc2d& set(const VqGePoint2d& startPoint, const VqGePoint2d& endPoint, double value,
                       int isHeight);
    // As the 3D forms.
    VqGeCircArc2d& set(const VqGeCurve2d& curve1, const VqGeCurve2d& curve2, double radius,
                       double& param1, double& param2, int& success);
    VqGeCircArc2d& set(const VqGeCurve2d& curve1, const VqGeCurve2d& curve2,
                       const VqGeCurve2d& curve3, double& param1, double& param2,
                       double& param3, int& success);

    int intersectWith(const VqGeLinearEnt2d& line, int& numInt, VqGePoint2d& p1,
                      VqGePoint2d& p2, const VqGeTol& tol = VqGeContext::gTol) const;
    int intersectWith(const VqGeCircArc2d& arc, int& numInt, VqGePoint2d& p1, VqGePoint2d& p2,
                      const VqGeTol& tol = VqGeContext::gTol) const;
    int tangent(const VqGePoint2d& pnt, VqGeLine2d& line,
                const VqGeTol& tol = VqGeContext::gTol) const;
    int tangent(const VqGePoint2d& pnt, VqGeLine2d& line, const VqGeTol& tol,
                VqGe::ErrorCondition& error) const;
    int isInside(const VqGePoint2d& pnt, const VqGeTol& tol = VqGeContext::gTol) const;

    VqGePoint2d center() const;
    double radius() const;
    double startAng() const;
    double endAng() const;
    int isClockWise() const;
    VqGeVector2d refVec() const;
    VqGePoint2d startPoint() const;
    VqGePoint2d endPoint() const;

    VqGeCircArc2d& setCenter(const VqGePoint2d& cent);
    VqGeCircArc2d& setRadius(double radius);
    VqGeCircArc2d& setAngles(double startAngle, double endAngle);
    // The complementary arc between the same end points (the turning sense flips).
    VqGeCircArc2d& setToComplement();
    VqGeCircArc2d& setRefVec(const VqGeVector2d& vec);

    VqGeImpEllipArc3d* impEllipArc() const;
};

#endif
