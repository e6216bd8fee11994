// External twins: the holder object and the linked twin of an entity.
#include "entity/imp_external_obj.h"

#include "entity/extension_loader.h"
#include "entity/imp_entity3d.h"

namespace {
const char* const kExternalLink = "Entity_ExternalObj";
}

VqGeImpExternalObj::VqGeImpExternalObj(void* external, VqGe::EntityId kind)
    : mExternal(external), mKind(kind) {}

VqGeImpExternalObj::~VqGeImpExternalObj() {
    if (mKind == VqGe::kSurface)
        VqGeExtLib::deleteExternalSurface(mExternal);
    else
        VqGeExtLib::deleteExternalCurve(mExternal);
    mExternal = nullptr;
}

int VqGeImpExternalObj::isKindOf(VqGe::EntityId id, int isPublic) const {
    if (id == VqGe::kExternalObj) return 1;
    return VqGeImpObject::isKindOf(id, isPublic);
}

VqGe::EntityId VqGeImpExternalObj::type(int) const { return VqGe::kExternalObj; }

VqGeImpObject* VqGeImpExternalObj::copy() const { return nullptr; }

void* VqGeImpEntity3d::getLinkedExternalEntity() const {
    for (VqGeLink* l = firstLink(kExternalLink); l; l = nextLink(l, kExternalLink)) {
        const VqGeImpObject* holder = l->member();
        if (l->owner() == this && holder->type(0) == VqGe::kExternalObj)
            return static_cast<const VqGeImpExternalObj*>(holder)->external();
    }
    // Nothing to keep when the extension library cannot make a twin; a later request tries
    // again.
    void* external = getExternalEntity();
    if (!external) return nullptr;
    const VqGe::EntityId kind = isKindOf(VqGe::kSurface, 1) ? VqGe::kSurface : VqGe::kCurve3d;
    VqGeImpExternalObj* holder = new VqGeImpExternalObj(external, kind);
    if (!holder) {
        VqGeImpExternalObj temporary(external, kind);  // releases the twin
        return nullptr;
    }
    if (!createLink(holder, kExternalLink)) {
        // Unlinked, the holder would vanish at once and leave the caller a dead twin.
        delete holder;
        return nullptr;
    }
    holder->deleteIfNotUsed();  // waits on the link: it goes when this entity goes
    return external;
}
