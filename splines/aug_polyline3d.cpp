// Public augmented polyline: forwards to the augmented polyline implementation object.
#include "splines/imp_aug_polyline3d.h"
#include "vqge_augpolyline3d.h"
#include "vqge_curve3d.h"

VqGeAugPolyline3d::VqGeAugPolyline3d() : VqGePolyline3d(Adopt()) {
    adoptImp(new VqGeImpAugPolyline3d(), VqGe::kAugPolyline3d);
}

VqGeAugPolyline3d::VqGeAugPolyline3d(const VqGeCurve3d& curve, double fromParam, double toParam,
                                     double approxTol)
    : VqGePolyline3d(Adopt()) {
    adoptImp(curve.impCurve()
                 ? new VqGeImpAugPolyline3d(*curve.impCurve(), fromParam, toParam, approxTol, 1)
                 : new VqGeImpAugPolyline3d(),
             VqGe::kAugPolyline3d);
}

VqGeAugPolyline3d::VqGeAugPolyline3d(const VqGeKnotVector& knots,
                                     const VqArray<VqGePoint3d>& points,
                                     const VqArray<VqGeVector3d>& d1Vectors)
    : VqGePolyline3d(Adopt()) {
    adoptImp(new VqGeImpAugPolyline3d(knots, points, d1Vectors), VqGe::kAugPolyline3d);
}

VqGeAugPolyline3d::VqGeAugPolyline3d(const VqArray<VqGePoint3d>& points,
                                     const VqArray<VqGeVector3d>& d1Vectors)
    : VqGePolyline3d(Adopt()) {
    adoptImp(new VqGeImpAugPolyline3d(points, d1Vectors), VqGe::kAugPolyline3d);
}

VqGeImpAugPolyline3d* VqGeAugPolyline3d::impAugPolyline() const {
    return static_cast<VqGeImpAugPolyline3d*>(impCurve());
}

VqGePoint3d VqGeAugPolyline3d::getPoint(int idx) const {
    return impAugPolyline() ? impAugPolyline()->getPoint(idx) : VqGePoint3d();
}

VqGeAugPolyline3d& VqGeAugPolyline3d::setPoint(int idx, const VqGePoint3d& pnt) {
    if (impAugPolyline()) impAugPolyline()->setPoint(idx, pnt);
    return *this;
}

VqGeVector3d VqGeAugPolyline3d::getVector(int idx) const {
    return impAugPolyline() ? impAugPolyline()->getVector(idx) : VqGeVector3d(0, 0, 0);
}

VqGeAugPolyline3d& VqGeAugPolyline3d::setVector(int idx, const VqGeVector3d& vec) {
    if (impAugPolyline()) impAugPolyline()->setVector(idx, vec);
    return *this;
}

void VqGeAugPolyline3d::getD1Vectors(VqArray<VqGeVector3d>& d1Vectors) const {
    d1Vectors.removeAll();
    if (impAugPolyline()) d1Vectors = impAugPolyline()->getD1Vectors();
}

VqGeVector3d VqGeAugPolyline3d::getD2Vector(int idx) const {
    return impAugPolyline() ? impAugPolyline()->getD2Vector(idx) : VqGeVector3d(0, 0, 0);
}

VqGeAugPolyline3d& VqGeAugPolyline3d::setD2Vector(int idx, const VqGeVector3d& vec) {
    if (impAugPolyline()) impAugPolyline()->setD2Vector(idx, vec);
    return *this;
}

void VqGeAugPolyline3d::getD2Vectors(VqArray<VqGeVector3d>& d2Vectors) const {
    d2Vectors.removeAll();
    if (impAugPolyline()) d2Vectors = impAugPolyline()->getD2Vectors();
}

double VqGeAugPolyline3d::approxTol() const {
    return impAugPolyline() ? impAugPolyline()->approxTol() : 0.0;
}

VqGeAugPolyline3d& VqGeAugPolyline3d::setApproxTol(double approxTol) {
    if (impAugPolyline()) impAugPolyline()->setApproxTol(approxTol);
    return *this;
}
