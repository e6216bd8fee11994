// Public 2D composite curve: constructors and the member list forward to the composite
// implementation object; members are given and returned as public 2D curves.
#include "compound/composite_wrap.h"
#include "vqge_compositecurve2d.h"

namespace {
// The objects behind the public curves; null entries stay null and are skipped.
void impsOf(const VqArray<void*>& curveList, VqArray<void*>& imps) {
    for (int i = 0; i < curveList.length(); ++i) {
        const VqGeCurve2d* crv = static_cast<const VqGeCurve2d*>(curveList[i]);
        imps.append(crv ? crv->impCurve() : nullptr);
    }
}
}  // namespace

VqGeCompositeCurve2d::VqGeCompositeCurve2d() {
    adoptImp(new VqGeImpCompositeCurve3d(), VqGe::kCompositeCurve2d);
    vqCompositeDefault(impComposite());
}

VqGeCompositeCurve2d::VqGeCompositeCurve2d(const VqArray<void*>& curveList) {
    adoptImp(new VqGeImpCompositeCurve3d(), VqGe::kCompositeCurve2d);
    setCurveList(curveList);
}

VqGeCompositeCurve2d::VqGeCompositeCurve2d(const VqArray<void*>& curveList,
                                           const VqArray<int>& isOwnerOfCurves) {
    adoptImp(new VqGeImpCompositeCurve3d(), VqGe::kCompositeCurve2d);
    setCurveList(curveList, isOwnerOfCurves);
}

VqGeImpCompositeCurve3d* VqGeCompositeCurve2d::impComposite() const {
    return static_cast<VqGeImpCompositeCurve3d*>(impCurve());
}

void VqGeCompositeCurve2d::getCurveList(VqArray<void*>& curveList) const {
    vqCompositeHandles(impComposite(), curveList, 1);
}

VqGeCompositeCurve2d& VqGeCompositeCurve2d::setCurveList(const VqArray<void*>& curveList) {
    VqArray<void*> imps(curveList.length(), 8);
    impsOf(curveList, imps);
    vqCompositeSet(impComposite(), imps, nullptr);
    return *this;
}

VqGeCompositeCurve2d& VqGeCompositeCurve2d::setCurveList(const VqArray<void*>& curveList,
                                                         const VqArray<int>& isOwnerOfCurves) {
    VqArray<void*> imps(curveList.length(), 8);
    impsOf(curveList, imps);
    vqCompositeSet(impComposite(), imps, &isOwnerOfCurves);
    return *this;
}

double VqGeCompositeCurve2d::globalToLocalParam(double param, int& segNum) const {
    double scale;
    segNum = -1;
    return impComposite() ? impComposite()->globalToLocalParam(param, segNum, scale) : param;
}

double VqGeCompositeCurve2d::localToGlobalParam(double param, int segNum) const {
    return impComposite() ? impComposite()->localToGlobalParam(param, segNum) : param;
}
