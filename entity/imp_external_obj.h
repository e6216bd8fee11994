// Holder of one entity of the extension library: the external twin that an entity keeps
// through an "Entity_ExternalObj" link. The holder owns the twin.
#ifndef VQGE_ENTITY_IMP_EXTERNAL_OBJ_H
#define VQGE_ENTITY_IMP_EXTERNAL_OBJ_H

#include "entity/imp_object.h"

class VqGeImpExternalObj : public VqGeImpObject {
public:
    // kind: VqGe::kSurface for a surface twin, anything else (kCurve3d) for a curve.
    VqGeImpExternalObj(void* external, VqGe::EntityId kind);
    // Hands the twin to the extension library's surface or curve deleter.
    ~VqGeImpExternalObj() override;

    int isKindOf(VqGe::EntityId id, int isPublic) const override;
    VqGe::EntityId type(int isPublic) const override;
    // A twin cannot be duplicated without the extension library, and two holders must not
    // own one twin: always null.
    VqGeImpObject* copy() const override;

    void* external() const { return mExternal; }
    VqGe::EntityId kind() const { return mKind; }

private:
    VqGeImpExternalObj(const VqGeImpExternalObj&) = delete;
    VqGeImpExternalObj& operator=(const VqGeImpExternalObj&) = delete;

    void* mExternal;
    VqGe::EntityId mKind;
};

#endif
