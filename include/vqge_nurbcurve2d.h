// Public 2D NURBS curve: forwards to the NURBS implementation object.
#ifndef VQGE_NURBCURVE2D_H
#define VQGE_NURBCURVE2D_H

#include "vqge_splineent2d.h"

class VqGeImpNurbCurve3d;
class VqGeEllipArc2d;
class VqGeLineSeg2d;

class VQGE_API VqGeNurbCurve2d : public VqGeSplineEnt2d {
public:
    // Degree 1 from the origin to (1, 0) over [0, 1].
    VqGeNurbCurve2d();
    VqGeNurbCurve2d(const VqGeNurbCurve2d& src) : VqGeSplineEnt2d(src) {}
    // Degree 1 over [0, length].
    explicit VqGeNurbCurve2d(const VqGeLineSeg2d& linSeg);
    // Degree 2, rational, over the arc's start and end angles.
    explicit VqGeNurbCurve2d(const VqGeEllipArc2d& ellipse);
    // As many knots as points: periodic storage (isPeriodic set); points + degree + 1 knots:
    // the long form, clamped onto its domain when it is not clamped.
    VqGeNurbCurve2d(int degree, const VqGeKnotVector& knots,
                     const VqArray<VqGePoint2d>& controlPoints, int isPeriodic = 0);
    VqGeNurbCurve2d(int degree, const VqGeKnotVector& knots,
                     const VqArray<VqGePoint2d>& controlPoints, const VqArray<double>& weights,
                     int isPeriodic = 0);
    VqGeNurbCurve2d& operator=(const VqGeNurbCurve2d& src) {
        VqGeSplineEnt2d::operator=(src);
        return *this;
    }

    int numWeights() const;
    double weightAt(int idx) const;
    VqGeNurbCurve2d& setWeightAt(int idx, double val);
    void getDefinitionData(int& degree, int& rational, int& periodic, VqGeKnotVector& knots,
                           VqArray<VqGePoint2d>& controlPoints, VqArray<double>& weights) const;
    int evalMode() const;
    VqGeNurbCurve2d& setEvalMode(int mode = 0);

    VqGeNurbCurve2d& makeRational(double weight = 1.0);
    VqGeNurbCurve2d& makeClosed();
    VqGeNurbCurve2d& makeOpen();
    VqGeNurbCurve2d& makePeriodic();
    VqGeNurbCurve2d& makeNonPeriodic();
    VqGeNurbCurve2d& insertKnot(double newKnot);
    VqGeNurbCurve2d& addKnot(double newKnot);
    VqGeNurbCurve2d& removeKnot(double knot, const VqGeTol& tol = VqGeContext::gTol);
    VqGeNurbCurve2d& elevateDegree(int plusDegree);
    VqGeNurbCurve2d& joinWith(const VqGeNurbCurve2d& curve);
    VqGeNurbCurve2d& hardTrimByParams(double a, double b);
    VqGeNurbCurve2d& hardTrim();
    VqGeNurbCurve2d& setToHermiteCubic(const VqGePoint2d& p0, const VqGePoint2d& p1, const VqGeVector2d& t0,
                                         const VqGeVector2d& t1, double a, double b);
    // Knots where the curve is not C1 / not G1 (the G1 search also reports knots outside a
    // narrowed interval). 1 when any.
    int getParamsOfC1Discontinuity(VqArray<double>& params,
                                   const VqGeTol& tol = VqGeContext::gTol) const;
    int getParamsOfG1Discontinuity(VqArray<double>& params,
                                   const VqGeTol& tol = VqGeContext::gTol) const;

    VqGeImpNurbCurve3d* impNurbCurve() const;
};

#endif
