// A helix (r cos t, r sin t, c t) as a curve kind of the test suite, for the base behaviour of
// the curve interface and the point on a curve.
#ifndef VQGE_TEST_CURVE_H
#define VQGE_TEST_CURVE_H

#include <cmath>

#include "curves/imp_curve3d.h"
#include "foundation/vqge_mem.h"
#include "vqge_matrix3d.h"
#include "vqge_pointoncurvedata.h"

class TestHelix : public VqGeImpCurve3d {
public:
    TestHelix(double r = 1.0, double c = 0.5)
        : VqGeImpCurve3d(VqGe::kCurve3d), mR(r), mC(c), mInterval(0.0, 6.283185307179586) {}
    TestHelix(const TestHelix& src)
        : VqGeImpCurve3d(src), mR(src.mR), mC(src.mC), mM(src.mM), mInterval(src.mInterval) {}

    VqGe::EntityId type(int) const override { return VqGe::kCurve3d; }
    TestHelix* copy() const override { return new TestHelix(*this); }
    int isEqualTo(const VqGeImpEntity3d& other, const VqGeTol&) const override {
        return &other == this;
    }
    TestHelix& transformBy(const VqGeMatrix3d& mat) override {
        mM.preMultBy(mat);
        notifyTransformed(mat);
        return *this;
    }
    void getInterval(VqGeImpInterval& intrvl, int, int) const override { intrvl = mInterval; }
    using VqGeImpCurve3d::getInterval;
    using VqGeImpCurve3d::isOn;
    int setInterval() override { return setInterval(VqGeImpInterval(0.0, 6.283185307179586), 1); }
    int setInterval(const VqGeImpInterval& intrvl, int notify) override {
        mInterval = intrvl;
        if (notify) notifySetInterval();
        return 1;
    }
    TestHelix& reverseParam() override { return *this; }
    int isPeriodic(double&, int) const override { return 0; }
    int isDegenerate(VqGeImpEntity3d*& ent, const VqGeTol&) const override {
        ent = nullptr;
        return 0;
    }
    int isDegenerate(VqGe::EntityId&, const VqGeTol&) const override { return 0; }
    void getSplitCurves(double, VqGeImpCurve3d*& a, VqGeImpCurve3d*& b) const override {
        a = b = nullptr;
    }
    void setRadius(double r) {
        mR = r;
        notifyModified();
    }

    // Counts evaluations and remembers the last parameter evaluated.
    mutable int mEvalCount = 0;
    mutable double mLastParam = 0.0;

protected:
    void evaluate(int order, VqGePointOnCurve3dData& data, int) const override {
        ++mEvalCount;
        if (!data.evalData()) {
            TestHelix* own = copy();
            if (data.transform()) own->transformBy(*data.transform());
            data.setEvalData(vqNew<VqGeEvaluatorDataCurve>(own));
        }
        const TestHelix& h = *static_cast<const TestHelix*>(data.evalData()->curve());
        const double t = data.parameter(), c = std::cos(t), s = std::sin(t);
        mLastParam = t;
        if (!data.pointIsComputed())
            data.setPoint(h.mM * VqGePoint3d(h.mR * c, h.mR * s, h.mC * t));
        const VqGeVector3d d[4] = {VqGeVector3d(), VqGeVector3d(-h.mR * s, h.mR * c, h.mC),
                                   VqGeVector3d(-h.mR * c, -h.mR * s, 0),
                                   VqGeVector3d(h.mR * s, -h.mR * c, 0)};
        for (int k = 1; k <= order && k <= 3; ++k)
            if (!data.derivIsComputed(k)) data.setDeriv(k, h.mM * d[k]);
    }

private:
    double mR, mC;
    VqGeMatrix3d mM;
    VqGeImpInterval mInterval;
};

#endif
