// PENDING: the trimmed offset of a curve is built by the offset curves, which arrive in
// their own change. Until then the offset list is left as it is.
#include "vqge_curve2d.h"
#include "vqge_curve3d.h"

void VqGeCurve3d::getTrimmedOffset(double, const VqGeVector3d&, VqArray<void*>&,
                                   VqGe::OffsetCrvExtType, const VqGeTol&) const {}

void VqGeCurve2d::getTrimmedOffset(double, VqArray<void*>&, VqGe::OffsetCrvExtType,
                                   const VqGeTol&) const {}
