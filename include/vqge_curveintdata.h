// Result record of one curve-curve intersection: points, parameters, configurations and
// overlaps. With the reversed flag set every accessor exchanges the first and second curve,
// and entries added in that state are stored exchanged, so they read back as added.
#ifndef VQGE_CURVEINTDATA_H
#define VQGE_CURVEINTDATA_H

#include "vqge_array.h"
#include "vqge_defs.h"
#include "vqge_heap.h"
#include "vqge_point3d.h"

class VqGeImpInterval;

class VQGE_API VqGeCurveIntData {
public:
    VQGE_HOOKED_NEW

    VqGeCurveIntData();
    VqGeCurveIntData(const VqGeCurveIntData& src);
    ~VqGeCurveIntData();
    VqGeCurveIntData& operator=(const VqGeCurveIntData& src);

    // Empties the record; the reversed flag keeps its value.
    void reset();
    int numIntPoints() const { return mConfigs.length() / 2; }
    int numOverlap() const { return mOverlapRanges.length() / 2; }

    void addIntPoint(const VqGePoint3d& point, double param1, double param2, int config1,
                     int config2, double tol);
    // Accessors take an index below numIntPoints(); an index outside gives a zero result.
    VqGePoint3d intPnt(int i) const;
    void getIntParams(int i, double& param1, double& param2) const;
    void getIntConfigs(int i, int& config1, int& config2) const;
    double intTol(int i) const;
    void removeIntPoint(int i);

    void addOverlap(const VqGeImpInterval& range1, const VqGeImpInterval& range2,
                    const VqGePoint3d& start, const VqGePoint3d& end, int sameDirection);
    // Returns 0 and leaves the outputs alone for an index outside the overlaps.
    int getOverlap(int i, VqGeImpInterval& range1, VqGeImpInterval& range2, VqGePoint3d& start,
                   VqGePoint3d& end, int& sameDirection) const;

    void reverseOrder() { mReversed = !mReversed; }
    int orderReversed() const { return mReversed; }

private:
    void copyFrom(const VqGeCurveIntData& src);
    int validPoint(int i) const { return i >= 0 && i < numIntPoints(); }

    VqArray<VqGePoint3d> mPoints;
    VqArray<double> mParams;
    VqArray<int> mConfigs;
    VqArray<VqGeImpInterval*> mOverlapRanges;
    VqArray<int> mOverlapFlags;
    int mReversed;
};

#endif
