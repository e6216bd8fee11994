// The curve a point-on-curve evaluation runs on: the curve itself, or, when the evaluation
// carries a transform, a transformed copy made once and kept in the evaluation data.
#ifndef VQGE_SPLINES_IMP_EVAL_COPY_H
#define VQGE_SPLINES_IMP_EVAL_COPY_H

#include "vqge_matrix3d.h"
#include "vqge_pointoncurvedata.h"

// Null when the copy cannot be made.
template <class Curve>
const Curve* evalTarget(const Curve* self, VqGePointOnCurve3dData& data) {
    if (!data.transform()) return self;
    if (!data.evalData()) {
        Curve* own = self->copy();
        if (!own) return nullptr;
        own->transformBy(*data.transform());
        VqGeEvaluatorDataCurve* rec = new VqGeEvaluatorDataCurve(own);
        if (!rec) {
            delete own;
            return nullptr;
        }
        data.setEvalData(rec);
    }
    return static_cast<const Curve*>(data.evalData()->curve());
}

#endif
