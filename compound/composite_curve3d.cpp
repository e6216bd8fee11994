// Public 3D composite curve: constructors and the member list forward to the composite
// implementation object; members are given and returned as public 3D curves.
#include "compound/composite_wrap.h"
#include "vqge_compositecurve3d.h"

namespace {
// The objects behind the public curves; null entries stay null and are skipped.
void impsOf(const VqArray<void*>& curveList, VqArray<void*>& imps) {
    for (int i = 0; i < curveList.length(); ++i) {
        const VqGeCurve3d* crv = static_cast<const VqGeCurve3d*>(curveList[i]);
        imps.append(crv ? crv->impCurve() : nullptr);
    }
}
}  // namespace

VqGeCompositeCurve3d::VqGeCompositeCurve3d() {
    adoptImp(new VqGeImpCompositeCurve3d(), VqGe::kCompositeCurve3d);
    vqCompositeDefault(impComposite());
}

VqGeCompositeCurve3d::VqGeCompositeCurve3d(const VqArray<void*>& curveList) {
    adoptImp(new VqGeImpCompositeCurve3d(), VqGe::kCompositeCurve3d);
    setCurveList(curveList);
}

VqGeCompositeCurve3d::VqGeCompositeCurve3d(const VqArray<void*>& curveList,
                                           const VqArray<int>& isOwnerOfCurves) {
    adoptImp(new VqGeImpCompositeCurve3d(), VqGe::kCompositeCurve3d);
    setCurveList(curveList, isOwnerOfCurves);
}

VqGeImpCompositeCurve3d* VqGeCompositeCurve3d::impComposite() const {
    return static_cast<VqGeImpCompositeCurve3d*>(impCurve());
}

void VqGeCompositeCurve3d::getCurveList(VqArray<void*>& curveList) const {
    vqCompositeHandles(impComposite(), curveList, 0);
}

VqGeCompositeCurve3d& VqGeCompositeCurve3d::setCurveList(const VqArray<void*>& curveList) {
    VqArray<void*> imps(curveList.length(), 8);
    impsOf(curveList, imps);
    vqCompositeSet(impComposite(), imps, nullptr);
    return *this;
}

VqGeCompositeCurve3d& VqGeCompositeCurve3d::setCurveList(const VqArray<void*>& curveList,
                                                         const VqArray<int>& isOwnerOfCurves) {
    VqArray<void*> imps(curveList.length(), 8);
    impsOf(curveList, imps);
    vqCompositeSet(impComposite(), imps, &isOwnerOfCurves);
    return *this;
}

double VqGeCompositeCurve3d::globalToLocalParam(double param, int& segNum) const {
    double scale;
    segNum = -1;
    return impComposite() ? impComposite()->globalToLocalParam(param, segNum, scale) : param;
}

double VqGeCompositeCurve3d::localToGlobalParam(double param, int segNum) const {
    return impComposite() ? impComposite()->localToGlobalParam(param, segNum) : param;
}
