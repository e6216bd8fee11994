// A helix whose intersection operations write a known, recognisable result, so the tests of
// the intersection entity can watch when and how the curve is asked (and with which
// interval in force).
#ifndef VQGE_TEST_SCRIPTED_CURVE_H
#define VQGE_TEST_SCRIPTED_CURVE_H

#include "curves/imp_point_on_curve3d.h"
#include "curves/test_curve.h"
#include "vqge_curve3d.h"
#include "vqge_curveintdata.h"

class ScriptedCurve : public TestHelix {
public:
    explicit ScriptedCurve(double r = 1.0) : TestHelix(r, 0.5) {}
    ScriptedCurve(const ScriptedCurve& src) : TestHelix(src), mWithOverlap(src.mWithOverlap) {}
    ScriptedCurve* copy() const override { return new ScriptedCurve(*this); }

    using TestHelix::intersectWith;
    // One crossing at (lower bounds of both current intervals); an overlap when asked.
    int intersectWith(const VqGeImpCurve3d& other, const VqGeVector3d& dir, VqGeCurveIntData& data,
                      const VqGeTol& tol) const override {
        ++mWithCalls;
        mLastDir = dir;
        mLastTol = tol.equalPoint();
        VqGeImpInterval mine, theirs;
        getInterval(mine, 0, 0);
        other.getInterval(theirs, 0, 0);
        mSeenLower = mine.lowerBound();
        data.addIntPoint(VqGePoint3d(1, 2, 3), mine.lowerBound(), theirs.lowerBound(),
                         VqGe::kLeftRight, VqGe::kRightLeft, 1e-9);
        if (mWithOverlap) {
            data.addIntPoint(VqGePoint3d(4, 5, 6), 0.25, 0.75, VqGe::kLeftLeft, VqGe::kRightRight,
                             2e-9);
            data.addOverlap(VqGeImpInterval(1.0, 2.0), VqGeImpInterval(3.0, 4.0),
                            VqGePoint3d(1, 0, 0), VqGePoint3d(2, 0, 0), 0);
        }
        return 1;
    }
    int intersectWith(const VqGeImpInterval& range1, const VqGeImpInterval& range2,
                      const VqGeVector3d&, VqGeCurveIntData& data, const VqGeTol&) const override {
        ++mRangeCalls;
        data.addIntPoint(VqGePoint3d(7, 8, 9), range1.lowerBound(), range2.lowerBound(),
                         VqGe::kRightRight, VqGe::kRightRight, 0.0);
        return 1;
    }
    int intersectSelf(VqGeCurveIntData& data, const VqGeVector3d&, double,
                      const VqGeTol&) const override {
        ++mSelfCalls;
        VqGeImpInterval mine;
        getInterval(mine, 0, 0);
        data.addIntPoint(VqGePoint3d(0, 0, 1), mine.lowerBound(), mine.upperBound(),
                         VqGe::kLeftLeft, VqGe::kLeftLeft, 0.0);
        return 1;
    }

    // On the untransformed helix: the parameter follows from the height.
    int isOn(const VqGePoint3d& pnt, double& param, const VqGeTol& tol) const override {
        param = pnt.z / 0.5;
        VqGeImpPointOnCurve3d pc(this, param);
        return pc.point().isEqualTo(pnt, tol);
    }

    int mWithOverlap = 0;
    mutable int mWithCalls = 0;
    mutable int mRangeCalls = 0;
    mutable int mSelfCalls = 0;
    mutable double mSeenLower = -1.0;
    mutable double mLastTol = 0.0;
    mutable VqGeVector3d mLastDir;
};

// Public wrappers owning a test curve.
class TestCurve3d : public VqGeCurve3d {
public:
    explicit TestCurve3d(VqGeImpCurve3d* imp) : VqGeCurve3d(imp) {}
};

#endif
