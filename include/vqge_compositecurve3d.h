// 3D composite curve: a chain of curves answered as one curve with one parameter.
#ifndef VQGE_COMPOSITECURVE3D_H
#define VQGE_COMPOSITECURVE3D_H

#include "vqge_curve3d.h"

class VqGeImpCompositeCurve3d;

class VQGE_API VqGeCompositeCurve3d : public VqGeCurve3d {
public:
    // One member: the segment from the origin to (1, 0, 0).
    VqGeCompositeCurve3d();
    // curveList holds VqGeCurve3d pointers; their objects become members (a composite among
    // them is flattened into its members, curves that degenerate to a point are left out).
    explicit VqGeCompositeCurve3d(const VqArray<void*>& curveList);
    // A curve whose flag is nonzero is handed over: made with new by the caller, it belongs to
    // the composite from then on (object and handle) and goes when the composite lets it go.
    VqGeCompositeCurve3d(const VqArray<void*>& curveList, const VqArray<int>& isOwnerOfCurves);
    VqGeCompositeCurve3d(const VqGeCompositeCurve3d& src) : VqGeCurve3d(src) {}
    VqGeCompositeCurve3d& operator=(const VqGeCompositeCurve3d& src) {
        VqGeCurve3d::operator=(src);
        return *this;
    }

    // The members' public handles (VqGeCurve3d pointers), which the composite keeps.
    void getCurveList(VqArray<void*>& curveList) const;
    VqGeCompositeCurve3d& setCurveList(const VqArray<void*>& curveList);
    VqGeCompositeCurve3d& setCurveList(const VqArray<void*>& curveList,
                                       const VqArray<int>& isOwnerOfCurves);
    // The member parameter of param and the member's index; and back.
    double globalToLocalParam(double param, int& segNum) const;
    double localToGlobalParam(double param, int segNum) const;

private:
    VqGeImpCompositeCurve3d* impComposite() const;
};

#endif
