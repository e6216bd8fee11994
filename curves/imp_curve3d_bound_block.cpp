// Numerical bounding block of a curve over an interval: the hull of its sample chain, cached
// on the curve per interval. An unbounded side is replaced by a range of 1e6.
#include "curves/curve_generic_util.h"
#include "curves/curve_sample_data.h"
#include "curves/imp_bound_block3d.h"
#include "curves/imp_curve3d.h"
#include "curves/interval_bound_block.h"

namespace {
constexpr double kUnboundedReach = 1e6;
constexpr double kFinalSwell = 1e-8;

VqGeImpInterval finiteInterval(const VqGeImpInterval& intrvl) {
    double lo = intrvl.isBoundedBelow() ? intrvl.lowerBound() : -kUnboundedReach;
    double hi = intrvl.isBoundedAbove() ? intrvl.upperBound() : kUnboundedReach;
    if (!intrvl.isBoundedBelow() && intrvl.isBoundedAbove()) lo = hi - 2.0 * kUnboundedReach;
    if (intrvl.isBoundedBelow() && !intrvl.isBoundedAbove()) hi = lo + 2.0 * kUnboundedReach;
    return VqGeImpInterval(lo, hi);
}

void addPoint(void* ctx, const double* p) {
    static_cast<VqArray<VqGePoint3d>*>(ctx)->append(VqGePoint3d(p[0], p[1], p[2]));
}
}  // namespace

VqGeImpBoundBlock3d VqGeImpCurve3d::boundBlock(int dim, const VqGeImpInterval& intrvl,
                                               int oriented) const {
    const int d = dim == 2 ? 2 : 3;
    VqGeImpBoundBlock3d block;
    const VqGeIntervalBoundBlock* cached = VqGeIntervalBoundBlock::find(*this, intrvl, d);
    if (cached) {
        block = cached->block();
    } else {
        VqGeCurveSampleData* data =
            VqGeCurveSampleData::acquire(*this, finiteInterval(intrvl), d, nullptr);
        if (!data) return VqGeImpBoundBlock3d();
        data->prepare(data->root());
        VqArray<VqGePoint3d> hull;
        data->hullPoints(data->root(), addPoint, &hull);
        const VqGeSamplePiece& whole = data->piece(data->root());
        // The principal-axis block of the hull, widened like the chain's own box.
        block.set(hull, VqGeContext::gTol.equalPoint());
        VqGePoint3d base;
        VqGeVector3d e[3];
        block.get(base, e[0], e[1], e[2]);
        const int flat = e[0].isZeroLength() && e[1].isZeroLength() && e[2].isZeroLength();
        if (flat && hull.length() > 0) block.set(hull[0], hull[0]), block.setToBox(0);
        block.swell(whole.swell);
        VqGeCurveSampleData::release(data);
        VqGeIntervalBoundBlock::linkBoundBlock(*this, intrvl, d, block);
    }
    if (!oriented) {
        VqGePoint3d lo, hi;
        block.getMinMaxPoints(lo, hi);
        block.set(lo, hi);
    }
    block.swell(kFinalSwell);
    return block;
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
