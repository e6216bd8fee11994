// Public 3D NURBS curve: forwards to the NURBS implementation object.
#ifndef VQGE_NURBCURVE3D_H
#define VQGE_NURBCURVE3D_H

#include "vqge_splineent3d.h"

class VqGeImpNurbCurve3d;
class VqGeEllipArc3d;
class VqGeLineSeg3d;

class VQGE_API VqGeNurbCurve3d : public VqGeSplineEnt3d {
public:
    // Degree 1 from the origin to (1, 0, 0) over [0, 1].
    VqGeNurbCurve3d();
    VqGeNurbCurve3d(const VqGeNurbCurve3d& src) : VqGeSplineEnt3d(src) {}
    // Degree 1 over [0, length].
    explicit VqGeNurbCurve3d(const VqGeLineSeg3d& linSeg);
    // Degree 2, rational, over the arc's start and end angles: one piece per started quarter
    // turn.
    explicit VqGeNurbCurve3d(const VqGeEllipArc3d& ellipse);
    // As many knots as points: periodic storage (isPeriodic set); points + degree + 1 knots:
    // the long form, clamped onto its domain when it is not clamped.
    VqGeNurbCurve3d(int degree, const VqGeKnotVector& knots,
                     const VqArray<VqGePoint3d>& controlPoints, int isPeriodic = 0);
    VqGeNurbCurve3d(int degree, const VqGeKnotVector& knots,
                     const VqArray<VqGePoint3d>& controlPoints, const VqArray<double>& weights,
                     int isPeriodic = 0);
    VqGeNurbCurve3d& operator=(const VqGeNurbCurve3d& src) {
        VqGeSplineEnt3d::operator=(src);
        return *this;
    }

    int numWeights() const;
    double weightAt(int idx) const;
    VqGeNurbCurve3d& setWeightAt(int idx, double val);
    void getDefinitionData(int& degree, int& rational, int& periodic, VqGeKnotVector& knots,
                           VqArray<VqGePoint3d>& controlPoints, VqArray<double>& weights) const;
    int evalMode() const;
    VqGeNurbCurve3d& setEvalMode(int mode = 0);

    VqGeNurbCurve3d& makeRational(double weight = 1.0);
    VqGeNurbCurve3d& makeClosed();
    VqGeNurbCurve3d& makeOpen();
    VqGeNurbCurve3d& makePeriodic();
    VqGeNurbCurve3d& makeNonPeriodic();
    VqGeNurbCurve3d& insertKnot(double newKnot);
    VqGeNurbCurve3d& addKnot(double newKnot);
    VqGeNurbCurve3d& removeKnot(double knot, const VqGeTol& tol = VqGeContext::gTol);
    VqGeNurbCurve3d& elevateDegree(int plusDegree);
    VqGeNurbCurve3d& joinWith(const VqGeNurbCurve3d& curve);
    VqGeNurbCurve3d& hardTrimByParams(double a, double b);
    VqGeNurbCurve3d& hardTrim();
    VqGeNurbCurve3d& setToHermiteCubic(const VqGePoint3d& p0, const VqGePoint3d& p1, const VqGeVector3d& t0,
                                         const VqGeVector3d& t1, double a, double b);
    // Knots where the curve is not C1 / not G1 (the G1 search also reports knots outside a
    // narrowed interval). 1 when any.
    int getParamsOfC1Discontinuity(VqArray<double>& params,
                                   const VqGeTol& tol = VqGeContext::gTol) const;
    int getParamsOfG1Discontinuity(VqArray<double>& params,
                                   const VqGeTol& tol = VqGeContext::gTol) const;

    VqGeImpNurbCurve3d* impNurbCurve() const;
};

#endif
