// 2D composite curve: a chain of curves answered as one curve with one parameter.
#ifndef VQGE_COMPOSITECURVE2D_H
#define VQGE_COMPOSITECURVE2D_H

#include "vqge_curve2d.h"

class VqGeImpCompositeCurve3d;

class VQGE_API VqGeCompositeCurve2d : public VqGeCurve2d {
public:
    // One member: the segment from the origin to (1, 0).
    VqGeCompositeCurve2d();
    // curveList holds VqGeCurve2d pointers; their objects become members (a composite among
    // them is flattened into its members, curves that degenerate to a point are left out).
    explicit VqGeCompositeCurve2d(const VqArray<void*>& curveList);
    // A curve whose flag is nonzero is handed over: made with new by the caller, it belongs to
    // the composite from then on (object and handle) and goes when the composite lets it go.
    VqGeCompositeCurve2d(const VqArray<void*>& curveList, const VqArray<int>& isOwnerOfCurves);
    VqGeCompositeCurve2d(const VqGeCompositeCurve2d& src) : VqGeCurve2d(src) {}
    VqGeCompositeCurve2d& operator=(const VqGeCompositeCurve2d& src) {
        VqGeCurve2d::operator=(src);
        return *this;
    }

    // The members' public handles (VqGeCurve2d pointers), which the composite keeps.
    void getCurveList(VqArray<void*>& curveList) const;
    VqGeCompositeCurve2d& setCurveList(const VqArray<void*>& curveList);
    VqGeCompositeCurve2d& setCurveList(const VqArray<void*>& curveList,
                                       const VqArray<int>& isOwnerOfCurves);
    // The member parameter of param and the member's index; and back.
    double globalToLocalParam(double param, int& segNum) const;
    double localToGlobalParam(double param, int segNum) const;

private:
    VqGeImpCompositeCurve3d* impComposite() const;
};

#endif
