// Services shared by the 3D and 2D composite handles.
#include "compound/composite_wrap.h"

#include "curves/imp_linear_ent3d.h"
#include "vqge_entity2d.h"
#include "vqge_entity3d.h"

void vqCompositeDefault(VqGeImpCompositeCurve3d* comp) {
    if (!comp) return;
    VqGeImpLinearEnt3d* seg = new VqGeImpLinearEnt3d(1, 1);
    if (!seg) return;
    comp->setEntityType(*seg, VqGe::kLineSeg3d, VqGe::kLineSeg2d);
    VqArray<void*> list;
    VqArray<int> flags;
    list.append(seg);
    flags.append(1);
    comp->set(list, &flags, 1);
    if (comp->numCurves() == 0) delete seg;  // its link could not be made
}

void vqCompositeSet(VqGeImpCompositeCurve3d* comp, const VqArray<void*>& imps,
                    const VqArray<int>* flags) {
    if (!comp) return;
    if (flags) {
        for (int i = 0; i < imps.length() && i < flags->length(); ++i) {
            VqGeImpCurve3d* c = static_cast<VqGeImpCurve3d*>(imps[i]);
            if (c && (*flags)[i]) c->setDeleteApiObj(1);
        }
    }
    comp->set(imps, flags, 1);
    // A handed-over curve that did not become a member (a point, or a composite that was
    // flattened) has nobody left to release it.
    VqArray<void*> members;
    comp->getCurveList(members);
    for (int i = 0; flags && i < imps.length() && i < flags->length(); ++i) {
        VqGeImpCurve3d* c = static_cast<VqGeImpCurve3d*>(imps[i]);
        if (c && (*flags)[i] && !members.contains(c) && c != comp) c->deleteIfNotUsed();
    }
}

void vqCompositeHandles(const VqGeImpCompositeCurve3d* comp, VqArray<void*>& handles, int is2d) {
    handles.removeAll();
    if (!comp) return;
    for (int i = 0; i < comp->numCurves(); ++i) {
        const VqGeImpCurve3d* c = comp->curveAt(i);
        if (is2d)
            handles.append(c->entity2d(1));
        else
            handles.append(c->entity3d(1));
    }
}
