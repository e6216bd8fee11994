// Linear entity: evaluation, the parameter interval, point tests, lengths and blocks.
#include "curves/imp_bound_block3d.h"
#include "curves/imp_linear_ent3d.h"
#include "entity/imp_position3d.h"
#include "foundation/vqge_mem.h"
#include "vqge_curveintdata.h"
#include "vqge_matrix3d.h"
#include "vqge_pointoncurvedata.h"

namespace {
// Stand-ins for the unbounded sides of a block.
const double kBlockFar = 1e12;
const double kBlockSwell = 1e-8;
}  // namespace

void VqGeImpLinearEnt3d::evaluate(int order, VqGePointOnCurve3dData& data, int) const {
    if (!data.evalData()) {
        VqGeImpLinearEnt3d* own = copy();
        if (!own) return;
        if (data.transform()) own->transformBy(*data.transform());
        VqGeEvaluatorDataCurve* evalData = new VqGeEvaluatorDataCurve(own);
        if (!evalData) {
            delete own;
            return;
        }
        data.setEvalData(evalData);
    }
    const VqGeImpLinearEnt3d& line =
        *static_cast<const VqGeImpLinearEnt3d*>(data.evalData()->curve());
    if (!data.pointIsComputed()) data.setPoint(line.pointAt(data.parameter()));
    for (int k = 1; k <= order && k <= VqGePointOnCurve3dData::kMaxDeriv; ++k)
        if (!data.derivIsComputed(k))
            data.setDeriv(k, k == 1 ? line.mDirection : VqGeVector3d(0, 0, 0));
}

VqGePoint3d VqGeImpLinearEnt3d::evalPoint(double param) {
    return pointAt(param);
}

// Entries past the third order are zero rather than left unset.
VqGePoint3d VqGeImpLinearEnt3d::evalPoint(double param, int numDeriv,
                                          VqArray<VqGeVector3d>& derivs) {
    derivs.setLogicalLength(numDeriv > 0 ? numDeriv : 0);
    for (int k = 0; k < derivs.length(); ++k)
        derivs[k] = k == 0 ? mDirection : VqGeVector3d(0, 0, 0);
    return pointAt(param);
}

void VqGeImpLinearEnt3d::getInterval(VqGeImpInterval& intrvl, int extendLower,
                                     int extendUpper) const {
    intrvl = mInterval;
    if (extendLower && extendUpper) {
        intrvl.set();
    } else if (extendLower && mInterval.isBoundedAbove()) {
        intrvl.set(0, mInterval.upperBound());
    } else if (extendLower) {
        intrvl.set();
    } else if (extendUpper && mInterval.isBoundedBelow()) {
        intrvl.set(1, mInterval.lowerBound());
    } else if (extendUpper) {
        intrvl.set();
    }
}

int VqGeImpLinearEnt3d::setInterval() {
    if (mInterval.isBounded())
        mInterval.set(0.0, 1.0);
    else if (mInterval.isBoundedBelow())
        mInterval.set(1, 0.0);
    else if (mInterval.isBoundedAbove())
        mInterval.set(0, 0.0);
    else
        mInterval.set();
    notifySetInterval();
    return 1;
}

int VqGeImpLinearEnt3d::setInterval(const VqGeImpInterval& intrvl, int notify) {
    mInterval = intrvl;
    if (notify) notifySetInterval();
    return 1;
}

int VqGeImpLinearEnt3d::isOn(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    return closestPointTo(pnt, tol).isEqualTo(pnt, tol);
}

int VqGeImpLinearEnt3d::isOn(const VqGePoint3d& pnt, double& param, const VqGeTol& tol) const {
    if (!isOn(pnt, tol)) return 0;
    param = paramOf(pnt, VqGeContext::gTol);
    return 1;
}

int VqGeImpLinearEnt3d::isOn(double param, const VqGeTol& tol) const {
    if (mInterval.contains(param)) return 1;
    const VqGePoint3d pnt = pointAt(param);
    if (mInterval.isBoundedBelow() && pnt.isEqualTo(startPoint(), tol)) return 1;
    return mInterval.isBoundedAbove() && pnt.isEqualTo(endPoint(), tol);
}

// A zero direction gives 0 instead of dividing by zero.
double VqGeImpLinearEnt3d::paramOf(const VqGePoint3d& pnt, const VqGeTol&) const {
    const double len2 = mDirection.lengthSqrd();
    if (len2 == 0.0) return 0.0;
    return (pnt - mOrigin).dotProduct(mDirection) / len2;
}

int VqGeImpLinearEnt3d::isWithinBounds(const VqGePoint3d& pnt, const VqGeTol& tol) const {
    if (mInterval.isUnBounded()) return 1;
    const double t = paramOf(pnt, tol);
    if (mInterval.isBoundedBelow() && t < mInterval.lowerBound() &&
        !pnt.isEqualTo(startPoint(), tol))
        return 0;
    if (mInterval.isBoundedAbove() && t > mInterval.upperBound() && !pnt.isEqualTo(endPoint(), tol))
        return 0;
    return 1;
}

int VqGeImpLinearEnt3d::isClosed(const VqGeTol&) const {
    return 0;
}

int VqGeImpLinearEnt3d::isPeriodic(double&, int) const {
    return 0;
}

int VqGeImpLinearEnt3d::isLinear(VqGeImpLinearEnt3d& line, const VqGeTol&) const {
    getLine(line);
    return 1;
}

double VqGeImpLinearEnt3d::length(double fromParam, double toParam, double) const {
    return pointAt(fromParam).distanceTo(pointAt(toParam));
}

// A zero direction covers no length: the parameter stays.
double VqGeImpLinearEnt3d::paramAtLength(double fromParam, double len, int forward, double) const {
    const double unit = mDirection.length();
    if (unit == 0.0) return fromParam;
    return forward ? fromParam + len / unit : fromParam - len / unit;
}

int VqGeImpLinearEnt3d::isDegenerate(VqGe::EntityId& id, const VqGeTol& tol) const {
    if (!mDirection.isZeroLength(tol)) return 0;
    id = is2d() ? VqGe::kPosition2d : VqGe::kPosition3d;
    return 1;
}

int VqGeImpLinearEnt3d::isDegenerate(VqGeImpEntity3d*& entity, const VqGeTol& tol) const {
    entity = nullptr;
    if (!mDirection.isZeroLength(tol)) return 0;
    VqGeImpPosition3d* pos = new VqGeImpPosition3d(mOrigin);
    if (pos) setEntityType(*pos, VqGe::kPosition3d, VqGe::kPosition2d);
    entity = pos;
    return 1;
}

int VqGeImpLinearEnt3d::area(double, double, double& value, const VqGeTol&) const {
    value = 0.0;
    return 1;
}

int VqGeImpLinearEnt3d::intersectWith(const VqGeImpInterval&, const VqGeImpInterval&,
                                      const VqGeVector3d&, VqGeCurveIntData& data,
                                      const VqGeTol&) const {
    data.reset();
    return 0;
}

int VqGeImpLinearEnt3d::intersectSelf(VqGeCurveIntData& data, const VqGeVector3d&, double,
                                      const VqGeTol&) const {
    data.reset();
    return 0;
}

VqGeImpBoundBlock3d VqGeImpLinearEnt3d::boundBlock(int, const VqGeImpInterval& intrvl,
                                                   int oriented) const {
    const double lo = intrvl.isBoundedBelow() ? intrvl.lowerBound() : -kBlockFar;
    const double hi = intrvl.isBoundedAbove() ? intrvl.upperBound() : kBlockFar;
    const VqGePoint3d p1 = pointAt(lo), p2 = pointAt(hi);
    VqGeImpBoundBlock3d block;
    if (oriented)
        block.set(p1, p2 - p1, VqGeVector3d(0, 0, 0), VqGeVector3d(0, 0, 0));
    else
        block.set(p1, p2);
    block.swell(kBlockSwell);
    return block;
}

void VqGeImpLinearEnt3d::projectBlockTo(const VqGeImpBoundBlock3d& block,
                                        VqGeImpInterval& result) const {
    VqGePoint3d base;
    VqGeVector3d edge[3];
    block.get(base, edge[0], edge[1], edge[2]);
    double lo = closestParamTo(base, VqGeContext::gTol), hi = lo;
    for (int mask = 1; mask < 8; ++mask) {
        VqGePoint3d corner = base;
        for (int i = 0; i < 3; ++i)
            if (mask & (1 << i)) corner += edge[i];
        const double t = closestParamTo(corner, VqGeContext::gTol);
        if (t < lo) lo = t;
        if (t > hi) hi = t;
    }
    result.set(lo, hi);
}
