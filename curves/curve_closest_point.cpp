// Closest point of a public curve to a point, with the degenerate cases answered first, and
// the points on curves that default to the x axis line.
#include "curves/imp_curve3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "curves/vqge_lift.h"
#include "vqge_curve2d.h"
#include "vqge_curve3d.h"
#include "vqge_line2d.h"
#include "vqge_pointoncurve2d.h"
#include "vqge_pointoncurve3d.h"

namespace {
// A curve degenerate to a point answers its point; one degenerate to a segment answers the
// segment from its start to its end point; any other curve answers through its own slot.
VqGePoint3d closestOnCurve(const VqGeImpCurve3d& crv, const VqGePoint3d& pnt,
                           const VqGeTol& tol) {
    VqGe::EntityId id;
    if (crv.isDegenerate(id, VqGeContext::gTol)) {
        if (id == VqGe::kPosition3d || id == VqGe::kPosition2d) {
            VqGeImpInterval intrvl;
            crv.getInterval(intrvl, 0, 0);
            return const_cast<VqGeImpCurve3d&>(crv).evalPoint(intrvl.element());
        }
        if (id == VqGe::kLineSeg3d || id == VqGe::kLineSeg2d) {
            VqGePoint3d start, end;
            crv.hasStartPoint(start);
            crv.hasEndPoint(end);
            const VqGeImpLinearEnt3d seg(start, end, 1, 1);
            return seg.closestPointTo(pnt, tol);
        }
    }
    return crv.closestPointTo(pnt, tol);
}
}  // namespace

VqGePoint3d VqGeCurve3d::closestPointTo(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return impCurve() ? closestOnCurve(*impCurve(), pnt, tol) : VqGePoint3d();
}

VqGePoint2d VqGeCurve2d::closestPointTo(const VqGePoint2d& pnt, const VqGeTol& tol) const {
    return impCurve() ? vqDrop(closestOnCurve(*impCurve(), vqLift(pnt), tol)) : VqGePoint2d();
}

VqGePointOnCurve3d::VqGePointOnCurve3d() {
    adoptImp(new VqGeImpPointOnCurve3d(&VqGeImpLinearEnt3d::kXAxis), VqGe::kPointOnCurve3d);
}

VqGePointOnCurve2d::VqGePointOnCurve2d() {
    adoptImp(new VqGeImpPointOnCurve3d(VqGeLine2d::kXAxis.impCurve()), VqGe::kPointOnCurve2d);
}
