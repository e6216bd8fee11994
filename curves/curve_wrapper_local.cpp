// Public local closest-point searches of 2D and 3D curves, forwarded to the curve object
// (2D arguments lifted to z = 0).
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "curves/vqge_lift.h"
#include "vqge_curve2d.h"
#include "vqge_curve3d.h"
#include "vqge_pointoncurve2d.h"
#include "vqge_pointoncurve3d.h"

namespace {
const VqGeImpInterval* impOf(const VqGeInterval* iv) {
    return iv ? VqGeImpInterval::impInterval(*iv) : nullptr;
}
}  // namespace

void VqGeCurve3d::getLocalClosestPoints(const VqGePoint3d& pnt, VqGePointOnCurve3d& approxPnt,
                                        const VqGeInterval* nbhd, const VqGeTol& tol) const {
    if (impCurve() && approxPnt.impPointOnCurve())
        impCurve()->getLocalClosestPoints(pnt, *approxPnt.impPointOnCurve(), impOf(nbhd), tol);
}

void VqGeCurve3d::getLocalClosestPoints(const VqGeCurve3d& other, VqGePointOnCurve3d& onThis,
                                        VqGePointOnCurve3d& onOther, const VqGeInterval* nbhd1,
                                        const VqGeInterval* nbhd2, const VqGeTol& tol) const {
    if (impCurve() && other.impCurve() && onThis.impPointOnCurve() && onOther.impPointOnCurve())
        impCurve()->getLocalClosestPoints(*other.impCurve(), *onThis.impPointOnCurve(),
                                          *onOther.impPointOnCurve(), impOf(nbhd1),
                                          impOf(nbhd2), tol);
}

void VqGeCurve2d::getLocalClosestPoints(const VqGePoint2d& pnt, VqGePointOnCurve2d& approxPnt,
                                        const VqGeInterval* nbhd, const VqGeTol& tol) const {
    if (impCurve() && approxPnt.impPointOnCurve())
        impCurve()->getLocalClosestPoints(vqLift(pnt), *approxPnt.impPointOnCurve(), impOf(nbhd),
                                          tol);
}

void VqGeCurve2d::getLocalClosestPoints(const VqGeCurve2d& other, VqGePointOnCurve2d& onThis,
                                        VqGePointOnCurve2d& onOther, const VqGeInterval* nbhd1,
                                        const VqGeInterval* nbhd2, const VqGeTol& tol) const {
    if (impCurve() && other.impCurve() && onThis.impPointOnCurve() && onOther.impPointOnCurve())
        impCurve()->getLocalClosestPoints(*other.impCurve(), *onThis.impPointOnCurve(),
                                          *onOther.impPointOnCurve(), impOf(nbhd1),
                                          impOf(nbhd2), tol);
}
