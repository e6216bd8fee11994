// Cached bounding blocks of curves per parameter interval.
#include "curves/interval_bound_block.h"

#include "curves/imp_curve3d.h"

namespace {
const char* const kLink = "Curve_IntervalBoundBlock";
}

VqGeIntervalBoundBlock::VqGeIntervalBoundBlock(const VqGeImpInterval& intrvl, int dim,
                                               const VqGeImpBoundBlock3d& block)
    : mInterval(intrvl), mDim(dim), mBlock(block) {}

VqGeIntervalBoundBlock::~VqGeIntervalBoundBlock() {}

int VqGeIntervalBoundBlock::isKindOf(VqGe::EntityId id, int isPublic) const {
    return id == VqGe::kIntervalBoundBlock || VqGeImpObject::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeIntervalBoundBlock::type(int) const { return VqGe::kIntervalBoundBlock; }

// The curve changed or moved: the block no longer holds it.
void VqGeIntervalBoundBlock::eventModified(const VqGeLink& link) {
    link.owner()->removeLink(this, kLink);
}

void VqGeIntervalBoundBlock::eventSetInterval(const VqGeLink& link) { eventModified(link); }

const VqGeIntervalBoundBlock* VqGeIntervalBoundBlock::find(const VqGeImpCurve3d& crv,
                                                           const VqGeImpInterval& intrvl,
                                                           int dim) {
    for (VqGeLink* l = crv.firstLink(kLink); l; l = crv.nextLink(l, kLink)) {
        if (l->owner() != &crv) continue;
        const VqGeIntervalBoundBlock* b = static_cast<const VqGeIntervalBoundBlock*>(l->member());
        if (b->mDim == dim && b->mInterval == intrvl) return b;
    }
    return nullptr;
}

int VqGeIntervalBoundBlock::linkBoundBlock(const VqGeImpCurve3d& crv,
                                           const VqGeImpInterval& intrvl, int dim,
                                           const VqGeImpBoundBlock3d& block) {
    VqGeIntervalBoundBlock* cached = new VqGeIntervalBoundBlock(intrvl, dim, block);
    if (!cached) return 0;
    if (!crv.createLink(cached, kLink)) {
        delete cached;
        return 0;
    }
    cached->deleteIfNotUsed();  // waits on the link: it goes when the curve lets go
    return 1;
}
