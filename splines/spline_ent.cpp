// Public spline bases, 3D and 2D: forward to the spline implementation object. A wrapper
// without an object answers 0 or the zero value and changes nothing.
#include "curves/vqge_lift.h"
#include "splines/imp_spline_ent3d.h"
#include "vqge_splineent2d.h"
#include "vqge_splineent3d.h"

namespace {
const VqGeKnotVector& noKnots() {
    static const VqGeKnotVector empty;
    return empty;
}
}  // namespace

#define VQGE_SPLINE_FORWARDS(Cls)                                                              \
    VqGeImpSplineEnt3d* Cls::impSplineEnt() const {                                            \
        return static_cast<VqGeImpSplineEnt3d*>(impCurve());                                   \
    }                                                                                          \
    int Cls::isRational() const { return impSplineEnt() ? impSplineEnt()->isRational() : 0; } \
    int Cls::degree() const { return impSplineEnt() ? impSplineEnt()->degree() : 0; }         \
    int Cls::order() const { return impSplineEnt() ? impSplineEnt()->order() : 0; }           \
    int Cls::numKnots() const { return impSplineEnt() ? impSplineEnt()->numKnots() : 0; }     \
    const VqGeKnotVector& Cls::knots() const {                                                 \
        return impSplineEnt() ? impSplineEnt()->knots() : noKnots();                           \
    }                                                                                          \
    double Cls::knotAt(int idx) const {                                                        \
        return impSplineEnt() && idx >= 0 && idx < numKnots() ? impSplineEnt()->knotAt(idx)   \
                                                              : 0.0;                           \
    }                                                                                          \
    Cls& Cls::setKnotAt(int idx, double val) {                                                 \
        if (impSplineEnt()) impSplineEnt()->setKnotAt(idx, val);                               \
        return *this;                                                                          \
    }                                                                                          \
    int Cls::numControlPoints() const {                                                        \
        return impSplineEnt() ? impSplineEnt()->numControlPoints() : 0;                        \
    }                                                                                          \
    int Cls::continuityAtKnot(int idx, const VqGeTol& tol) const {                             \
        return impSplineEnt() ? impSplineEnt()->continuityAtKnot(idx, tol) : 0;                \
    }                                                                                          \
    double Cls::startParam() const { return impSplineEnt() ? impSplineEnt()->startParam() : 0.0; } \
    double Cls::endParam() const { return impSplineEnt() ? impSplineEnt()->endParam() : 0.0; }

VQGE_SPLINE_FORWARDS(VqGeSplineEnt3d)
VQGE_SPLINE_FORWARDS(VqGeSplineEnt2d)

VqGePoint3d VqGeSplineEnt3d::controlPointAt(int idx) const {
    return impSplineEnt() ? impSplineEnt()->controlPointAt(idx) : VqGePoint3d();
}

VqGeSplineEnt3d& VqGeSplineEnt3d::setControlPointAt(int idx, const VqGePoint3d& pnt) {
    if (impSplineEnt()) impSplineEnt()->setControlPointAt(idx, pnt);
    return *this;
}

VqGePoint3d VqGeSplineEnt3d::startPoint() const {
    return impSplineEnt() ? impSplineEnt()->startPoint() : VqGePoint3d();
}

VqGePoint3d VqGeSplineEnt3d::endPoint() const {
    return impSplineEnt() ? impSplineEnt()->endPoint() : VqGePoint3d();
}

VqGePoint2d VqGeSplineEnt2d::controlPointAt(int idx) const {
    return impSplineEnt() ? vqDrop(impSplineEnt()->controlPointAt(idx)) : VqGePoint2d();
}

VqGeSplineEnt2d& VqGeSplineEnt2d::setControlPointAt(int idx, const VqGePoint2d& pnt) {
    if (impSplineEnt()) impSplineEnt()->setControlPointAt(idx, vqLift(pnt));
    return *this;
}

VqGePoint2d VqGeSplineEnt2d::startPoint() const {
    return impSplineEnt() ? vqDrop(impSplineEnt()->startPoint()) : VqGePoint2d();
}

VqGePoint2d VqGeSplineEnt2d::endPoint() const {
    return impSplineEnt() ? vqDrop(impSplineEnt()->endPoint()) : VqGePoint2d();
}
