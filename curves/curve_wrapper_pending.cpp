// PENDING: the trimmed offset of a chain and the local closest-point searches arrive with the
// offset curves and the generic curve algorithms. Until then they find nothing: the offset
// list and the points on the curves are left as they are.
#include "vqge_curve2d.h"
#include "vqge_curve3d.h"

void VqGeCurve3d::getTrimmedOffset(double, const VqGeVector3d&, VqArray<void*>&,
                                   VqGe::OffsetCrvExtType, const VqGeTol&) const {}

void VqGeCurve3d::getLocalClosestPoints(const VqGePoint3d&, VqGePointOnCurve3d&,
                                        const VqGeInterval*, const VqGeTol&) const {}

void VqGeCurve3d::getLocalClosestPoints(const VqGeCurve3d&, VqGePointOnCurve3d&,
                                        VqGePointOnCurve3d&, const VqGeInterval*,
                                        const VqGeInterval*, const VqGeTol&) const {}

void VqGeCurve2d::getTrimmedOffset(double, VqArray<void*>&, VqGe::OffsetCrvExtType,
                                   const VqGeTol&) const {}

void VqGeCurve2d::getLocalClosestPoints(const VqGePoint2d&, VqGePointOnCurve2d&,
                                        const VqGeInterval*, const VqGeTol&) const {}

void VqGeCurve2d::getLocalClosestPoints(const VqGeCurve2d&, VqGePointOnCurve2d&,
                                        VqGePointOnCurve2d&, const VqGeInterval*,
                                        const VqGeInterval*, const VqGeTol&) const {}
