// Evaluation record shared by a point on a curve and the curve that evaluates it, and the
// per-kind cache a curve keeps in it.
#ifndef VQGE_POINTONCURVEDATA_H
#define VQGE_POINTONCURVEDATA_H

#include "vqge_defs.h"
#include "vqge_heap.h"
#include "vqge_point3d.h"
#include "vqge_vector3d.h"

class VqGeMatrix3d;
class VqGeImpCurve3d;

// Per-kind cache created lazily by a curve's evaluation and owned by the point on the curve:
// a private copy of the curve (transformed by the point's transform when it has one) and the
// flags of what has been computed for the current parameter.
class VQGE_API VqGeEvaluatorDataCurve {
public:
    VQGE_HOOKED_NEW

    // Takes ownership of the curve copy.
    explicit VqGeEvaluatorDataCurve(VqGeImpCurve3d* curveCopy);
    virtual ~VqGeEvaluatorDataCurve();

    VqGeImpCurve3d* curve() const { return mCurve; }
    unsigned short computedFlags() const { return mFlags; }
    void orFlags(unsigned short bits) { mFlags = static_cast<unsigned short>(mFlags | bits); }
    void clearFlags() { mFlags = 0; }

private:
    VqGeEvaluatorDataCurve(const VqGeEvaluatorDataCurve&) = delete;
    VqGeEvaluatorDataCurve& operator=(const VqGeEvaluatorDataCurve&) = delete;

    unsigned short mFlags;
    VqGeImpCurve3d* mCurve;
};

// Plain record: copying copies the pointers, not what they point to.
class VQGE_API VqGePointOnCurve3dData {
public:
    enum { kMaxDeriv = 3 };

    VqGePointOnCurve3dData();

    double parameter() const { return mParam; }
    void setParameter(double param) { mParam = param; }
    VqGeMatrix3d* transform() const { return mTransform; }
    void setTransform(VqGeMatrix3d* mat) { mTransform = mat; }
    VqGeEvaluatorDataCurve* evalData() const { return mEvalData; }
    void setEvalData(VqGeEvaluatorDataCurve* data) { mEvalData = data; }

    // Both also mark the same bit in the evaluator data's flags when there is one.
    void setPoint(const VqGePoint3d& pnt);
    // Orders outside 1..3 are ignored.
    void setDeriv(int order, const VqGeVector3d& vec);
    int pointIsComputed() const { return (mFlags & 1) != 0; }
    int derivIsComputed(int order) const;
    const VqGePoint3d& point() const { return mPoint; }
    // The zero vector for an order outside 1..3.
    VqGeVector3d deriv(int order) const;
    unsigned short computedFlags() const { return mFlags; }
    // Clears the flags here and in the evaluator data.
    void clearComputed();

private:
    double mParam;
    VqGeMatrix3d* mTransform;
    VqGeEvaluatorDataCurve* mEvalData;
    VqGePoint3d mPoint;
    VqGeVector3d mDerivs[kMaxDeriv + 1];
    unsigned short mFlags;
};

#endif
