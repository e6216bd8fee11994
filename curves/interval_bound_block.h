// Bounding block of a curve over one parameter interval, cached on the curve by a link and
// dropped as soon as the curve changes.
#ifndef VQGE_CURVES_INTERVAL_BOUND_BLOCK_H
#define VQGE_CURVES_INTERVAL_BOUND_BLOCK_H

#include "curves/imp_bound_block3d.h"
#include "entity/imp_object.h"
#include "vqge_interval.h"

class VqGeImpCurve3d;

class VQGE_API VqGeIntervalBoundBlock : public VqGeImpObject {
public:
    // The block cached for this interval and dimension, or null.
    static const VqGeIntervalBoundBlock* find(const VqGeImpCurve3d& crv,
                                              const VqGeImpInterval& intrvl, int dim);
    // Caches a copy of block on the curve; 0 when memory runs out (nothing is cached then).
    static int linkBoundBlock(const VqGeImpCurve3d& crv, const VqGeImpInterval& intrvl, int dim,
                              const VqGeImpBoundBlock3d& block);

    ~VqGeIntervalBoundBlock() override;
    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    VqGeImpObject* copy() const override { return nullptr; }
    void eventModified(const VqGeLink& link) override;
    void eventSetInterval(const VqGeLink& link) override;

    const VqGeImpInterval& interval() const { return mInterval; }
    const VqGeImpBoundBlock3d& block() const { return mBlock; }

private:
    VqGeIntervalBoundBlock(const VqGeImpInterval& intrvl, int dim,
                           const VqGeImpBoundBlock3d& block);

    VqGeImpInterval mInterval;
    int mDim;
    VqGeImpBoundBlock3d mBlock;
};

#endif
