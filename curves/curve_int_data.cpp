// Notation: r is the reversed flag (0 or 1); point i owns params[3i..3i+2] (first curve,
// second curve, tolerance) and configs[2i..2i+1]; overlap i owns overlapRanges[2i..2i+1] and
// the points numIntPoints() + 2i and the one after it.
#include "vqge_curveintdata.h"
#include "vqge_interval.h"

VqGeCurveIntData::VqGeCurveIntData() : mReversed(0) {}

VqGeCurveIntData::VqGeCurveIntData(const VqGeCurveIntData& src) : mReversed(0) { copyFrom(src); }

VqGeCurveIntData::~VqGeCurveIntData() { reset(); }

VqGeCurveIntData& VqGeCurveIntData::operator=(const VqGeCurveIntData& src) {
    if (this != &src) {
        reset();
        copyFrom(src);
    }
    return *this;
}

namespace {
// Room for extra more elements, doubling a full array; a failed reallocation leaves it as it
// was, and the append that follows reports the failure as before.
template <class T>
void reserveGeometric(VqArray<T>& arr, int extra) {
    const long need = static_cast<long>(arr.length()) + extra;
    if (need <= arr.physicalLength()) return;
    long target = 2L * arr.physicalLength();
    if (target < need) target = need;
    if (target > 0x3fffffffL) target = need;
    if (target <= 0x7fffffffL) arr.setPhysicalLength(static_cast<int>(target));
}
}  // namespace

// Each record owns its own copies of the overlap ranges.
void VqGeCurveIntData::copyFrom(const VqGeCurveIntData& src) {
    mPoints = src.mPoints;
    mParams = src.mParams;
    mConfigs = src.mConfigs;
    mOverlapFlags = src.mOverlapFlags;
    mReversed = src.mReversed;
    mOverlapRanges.removeAll();
    for (int i = 0; i < src.mOverlapRanges.length(); ++i) {
        const VqGeImpInterval* range = src.mOverlapRanges[i];
        mOverlapRanges.append(range ? new VqGeImpInterval(*range) : nullptr);
    }
}

void VqGeCurveIntData::reset() {
    for (int i = 0; i < mOverlapRanges.length(); ++i) delete mOverlapRanges[i];
    mPoints.removeAll();
    mParams.removeAll();
    mConfigs.removeAll();
    mOverlapRanges.removeAll();
    mOverlapFlags.removeAll();
}

void VqGeCurveIntData::addIntPoint(const VqGePoint3d& point, double param1, double param2,
                                   int config1, int config2, double tol) {
    // Records of many points grow geometrically, not by the arrays' grow length of 8.
    reserveGeometric(mPoints, 1);
    reserveGeometric(mParams, 3);
    reserveGeometric(mConfigs, 2);
    // Intersection points stay ahead of the overlap points.
    if (numOverlap() > 0)
        mPoints.insertAt(numIntPoints(), point);
    else
        mPoints.append(point);
    mParams.append(mReversed ? param2 : param1);
    mParams.append(mReversed ? param1 : param2);
    mParams.append(tol);
    mConfigs.append(mReversed ? config2 : config1);
    mConfigs.append(mReversed ? config1 : config2);
}

VqGePoint3d VqGeCurveIntData::intPnt(int i) const {
    return validPoint(i) ? mPoints[i] : VqGePoint3d();
}

void VqGeCurveIntData::getIntParams(int i, double& param1, double& param2) const {
    if (!validPoint(i)) {
        param1 = param2 = 0.0;
        return;
    }
    param1 = mParams[3 * i + mReversed];
    param2 = mParams[3 * i + 1 - mReversed];
}

void VqGeCurveIntData::getIntConfigs(int i, int& config1, int& config2) const {
    if (!validPoint(i)) {
        config1 = config2 = 0;
        return;
    }
    config1 = mConfigs[2 * i + mReversed];
    config2 = mConfigs[2 * i + 1 - mReversed];
}

double VqGeCurveIntData::intTol(int i) const { return validPoint(i) ? mParams[3 * i + 2] : 0.0; }

void VqGeCurveIntData::removeIntPoint(int i) {
    if (!validPoint(i)) return;
    mPoints.removeAt(i);
    for (int k = 0; k < 3; ++k) mParams.removeAt(3 * i);
    for (int k = 0; k < 2; ++k) mConfigs.removeAt(2 * i);
}

void VqGeCurveIntData::addOverlap(const VqGeImpInterval& range1, const VqGeImpInterval& range2,
                                  const VqGePoint3d& start, const VqGePoint3d& end,
                                  int sameDirection) {
    VqGeImpInterval* copy1 = new VqGeImpInterval(range1);
    VqGeImpInterval* copy2 = new VqGeImpInterval(range2);
    const int numRanges = mOverlapRanges.length(), numPoints = mPoints.length(),
              numFlags = mOverlapFlags.length();
    const bool inOrder = sameDirection != 0 || mReversed == 0;
    const bool ok = copy1 && copy2 && mOverlapRanges.append(mReversed ? copy2 : copy1) >= 0 &&
                    mOverlapRanges.append(mReversed ? copy1 : copy2) >= 0 &&
                    mPoints.append(inOrder ? start : end) >= 0 &&
                    mPoints.append(inOrder ? end : start) >= 0 &&
                    mOverlapFlags.append(sameDirection) >= 0;
    if (!ok) {
        // Out of memory: the overlap is not recorded and the arrays stay in step.
        mOverlapRanges.setLogicalLength(numRanges);
        mPoints.setLogicalLength(numPoints);
        mOverlapFlags.setLogicalLength(numFlags);
        delete copy1;
        delete copy2;
    }
}

int VqGeCurveIntData::getOverlap(int i, VqGeImpInterval& range1, VqGeImpInterval& range2,
                                 VqGePoint3d& start, VqGePoint3d& end, int& sameDirection) const {
    if (i < 0 || i >= numOverlap()) return 0;
    const VqGeImpInterval* r1 = mOverlapRanges[2 * i + mReversed];
    const VqGeImpInterval* r2 = mOverlapRanges[2 * i + 1 - mReversed];
    if (r1) range1 = *r1;
    if (r2) range2 = *r2;
    sameDirection = mOverlapFlags[i];
    const int k = numIntPoints() + 2 * i;
    const bool inOrder = sameDirection != 0 || mReversed == 0;
    start = inOrder ? mPoints[k] : mPoints[k + 1];
    end = inOrder ? mPoints[k + 1] : mPoints[k];
    return 1;
}
