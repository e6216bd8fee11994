// Services shared by the 3D and 2D composite handles: the default chain and the member list
// taken from public curves.
#ifndef VQGE_COMPOUND_COMPOSITE_WRAP_H
#define VQGE_COMPOUND_COMPOSITE_WRAP_H

#include "compound/imp_composite_curve3d.h"

// Gives comp its default member, the segment from the origin along x over [0, 1].
void vqCompositeDefault(VqGeImpCompositeCurve3d* comp);
// imps holds the members' objects; flags may be null. Handed-over objects take their handle
// with them (the handle is deleted with the object).
void vqCompositeSet(VqGeImpCompositeCurve3d* comp, const VqArray<void*>& imps,
                    const VqArray<int>* flags);
// The public handles of the members, 2D or 3D as asked.
void vqCompositeHandles(const VqGeImpCompositeCurve3d* comp, VqArray<void*>& handles, int is2d);

#endif
