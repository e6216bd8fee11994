// The external twin an entity keeps through an "Entity_ExternalObj" link.
#include "entity/entity_probes.h"
#include "entity/imp_external_obj.h"
#include "test_helpers.h"

namespace {
const char* const kTwinLink = "Entity_ExternalObj";
int gTwin;  // stands in for an extension entity; the missing library never frees it
}  // namespace

TEST(VqGeImpEntity3d, getLinkedExternalEntity_NoTwinAvailable_NullAndNoLink) {
    CountingHooks hooks;
    Probe entity;
    EXPECT_EQ(entity.getExternalEntity(), nullptr);
    EXPECT_EQ(entity.getLinkedExternalEntity(), nullptr);
    EXPECT_EQ(entity.firstLink(), nullptr);
    EXPECT_EQ(hooks.allocs(), 0);
}

TEST(VqGeImpEntity3d, getLinkedExternalEntity_MadeOnceKeptInWaitingHolder) {
    CountingHooks hooks;
    {
        Probe entity;
        entity.external = &gTwin;
        EXPECT_EQ(entity.getLinkedExternalEntity(), &gTwin);
        ASSERT_EQ(entity.numMembers(kTwinLink), 1);
        const VqGeImpObject* holder = entity.firstLink(kTwinLink)->member();
        EXPECT_EQ(holder->type(0), VqGe::kExternalObj);
        EXPECT_EQ(static_cast<const VqGeImpExternalObj*>(holder)->kind(), VqGe::kCurve3d);
        entity.external = nullptr;  // a second request must not ask for a new twin
        EXPECT_EQ(entity.getLinkedExternalEntity(), &gTwin);
        EXPECT_EQ(entity.numMembers(kTwinLink), 1);
        EXPECT_EQ(hooks.outstanding(), 4);  // holder, link, the two link records...
    }
    // ...and the holder went with the entity.
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeImpEntity3d, getLinkedExternalEntity_SurfaceKind_HolderKindSurface) {
    class SurfaceProbe : public Probe {
    public:
        int isKindOf(VqGe::EntityId id, int isPublic) const override {
            return id == VqGe::kSurface || Probe::isKindOf(id, isPublic);
        }
    };
    SurfaceProbe surface;
    surface.external = &gTwin;
    ASSERT_EQ(surface.getLinkedExternalEntity(), &gTwin);
    const VqGeImpObject* holder = surface.firstLink(kTwinLink)->member();
    EXPECT_EQ(static_cast<const VqGeImpExternalObj*>(holder)->kind(), VqGe::kSurface);
}

TEST(VqGeImpEntity3d, getLinkedExternalEntity_NoMemory_NullAndNothingLeft) {
    CountingHooks hooks;
    {
        Probe entity;
        entity.external = &gTwin;
        for (long budget = 0; budget < 3; ++budget) {
            CountingHooks::failAfter() = budget;
            EXPECT_EQ(entity.getLinkedExternalEntity(), nullptr) << budget;
            EXPECT_EQ(entity.firstLink(), nullptr);
            EXPECT_EQ(hooks.outstanding(), 0);
        }
        CountingHooks::failAfter() = -1;
    }
}

TEST(VqGeImpEntity3d, LinkedTwin_EntityModified_TwinKept) {
    Probe entity;
    entity.external = &gTwin;
    ASSERT_EQ(entity.getLinkedExternalEntity(), &gTwin);
    entity.notifyModified();
    EXPECT_EQ(entity.numMembers(kTwinLink), 1);
}
