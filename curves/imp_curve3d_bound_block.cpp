// PENDING: the numerical bounding block of a curve (sampled pieces) arrives with the generic
// curve algorithms; until then the base answers an empty (flat, unset) block.
#include "curves/imp_bound_block3d.h"
#include "curves/imp_curve3d.h"

VqGeImpBoundBlock3d VqGeImpCurve3d::boundBlock(int, const VqGeImpInterval&, int) const {
    return VqGeImpBoundBlock3d();
}

VqGeImpBoundBlock3d VqGeImpCurve3d::boundBlock(int dim, int oriented) const {
    VqGe::EntityId id;
    if (isDegenerate(id, VqGeContext::gTol)) {
        VqGePoint3d start, end;
        const int hasStart = hasStartPoint(start), hasEnd = hasEndPoint(end);
        if (!hasStart && !hasEnd) return VqGeImpBoundBlock3d();
        return VqGeImpBoundBlock3d(hasStart ? start : end, hasEnd ? end : start);
    }
    VqGeImpInterval intrvl;
    getInterval(intrvl, 0, 0);
    return boundBlock(dim, intrvl, oriented);
}
