// Members of VqGeNurbCurve3d and VqGeNurbCurve2d that take no points: the same forwarding for
// both dimensions. A wrapper without an object answers 0 and changes nothing.
#ifndef VQGE_SPLINES_NURB_CURVE_FORWARDS_H
#define VQGE_SPLINES_NURB_CURVE_FORWARDS_H

#include "splines/imp_nurb_curve3d.h"

#define VQGE_NURB_EDIT(Cls, name, params, args)   \
    Cls& Cls::name params {                        \
        if (impNurbCurve()) impNurbCurve()->name args; \
        return *this;                              \
    }

#define VQGE_NURB_FORWARDS(Cls)                                                                 \
    VqGeImpNurbCurve3d* Cls::impNurbCurve() const {                                             \
        return static_cast<VqGeImpNurbCurve3d*>(impCurve());                                    \
    }                                                                                           \
    int Cls::numWeights() const { return impNurbCurve() ? impNurbCurve()->numWeights() : 0; }  \
    double Cls::weightAt(int idx) const {                                                       \
        return impNurbCurve() ? impNurbCurve()->weightAt(idx) : 0.0;                            \
    }                                                                                           \
    int Cls::evalMode() const { return impNurbCurve() ? impNurbCurve()->evalMode() : 0; }      \
    int Cls::getParamsOfC1Discontinuity(VqArray<double>& params, const VqGeTol& tol) const {    \
        return impNurbCurve() ? impNurbCurve()->getParamsOfC1Discontinuity(params, tol) : 0;    \
    }                                                                                           \
    int Cls::getParamsOfG1Discontinuity(VqArray<double>& params, const VqGeTol& tol) const {    \
        return impNurbCurve() ? impNurbCurve()->getParamsOfG1Discontinuity(params, tol) : 0;    \
    }                                                                                           \
    Cls& Cls::joinWith(const Cls& curve) {                                                      \
        if (impNurbCurve() && curve.impNurbCurve()) impNurbCurve()->joinWith(*curve.impNurbCurve()); \
        return *this;                                                                           \
    }                                                                                           \
    VQGE_NURB_EDIT(Cls, setWeightAt, (int idx, double val), (idx, val))                         \
    VQGE_NURB_EDIT(Cls, setEvalMode, (int mode), (mode))                                        \
    VQGE_NURB_EDIT(Cls, makeRational, (double weight), (weight))                                \
    VQGE_NURB_EDIT(Cls, makeClosed, (), ())                                                     \
    VQGE_NURB_EDIT(Cls, makeOpen, (), ())                                                       \
    VQGE_NURB_EDIT(Cls, makePeriodic, (), ())                                                   \
    VQGE_NURB_EDIT(Cls, makeNonPeriodic, (), ())                                                \
    VQGE_NURB_EDIT(Cls, removeKnot, (double knot, const VqGeTol& tol), (knot, tol))             \
    VQGE_NURB_EDIT(Cls, elevateDegree, (int plusDegree), (plusDegree))                          \
    VQGE_NURB_EDIT(Cls, hardTrimByParams, (double a, double b), (a, b))                         \
    VQGE_NURB_EDIT(Cls, hardTrim, (), ())                                                       \
    Cls& Cls::insertKnot(double newKnot) {                                                      \
        if (impNurbCurve()) impNurbCurve()->insertKnot(newKnot, 1);                             \
        return *this;                                                                           \
    }                                                                                           \
    Cls& Cls::addKnot(double newKnot) {                                                         \
        if (impNurbCurve()) impNurbCurve()->addKnot(newKnot, 1);                                \
        return *this;                                                                           \
    }

#endif
