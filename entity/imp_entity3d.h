// Implementation base of every geometric entity: the back-pointer to the public wrapper, the
// entity identity (negative when a 2D wrapper serves the object) and the default
// transformations.
#ifndef VQGE_ENTITY_IMP_ENTITY3D_H
#define VQGE_ENTITY_IMP_ENTITY3D_H

#include "entity/imp_object.h"
#include "vqge_context.h"
#include "vqge_point3d.h"
#include "vqge_tol.h"
#include "vqge_vector3d.h"

class VqGeEntity2d;
class VqGeEntity3d;
class VqGeImpPlanarEnt;
class VqGeMatrix3d;

class VQGE_API VqGeImpEntity3d : public VqGeImpObject {
public:
    // The copy has no owner, no links and a clear delete-wrapper flag.
    VqGeImpEntity3d(const VqGeImpEntity3d& src);
    ~VqGeImpEntity3d() override;
    // Copies the identity only (an object with an owner keeps its sign, which names the
    // owner's dimension); owner, links and flag stay.
    VqGeImpEntity3d& operator=(const VqGeImpEntity3d& src);

    // Slot 1: this level accepts kEntity2d or kEntity3d, then asks the root.
    int isKindOf(VqGe::EntityId id, int isPublic) const override;

    // Slots 8 to 16.
    virtual int isEqualTo(const VqGeImpEntity3d& other,
                          const VqGeTol& tol = VqGeContext::gTol) const = 0;
    virtual VqGeImpEntity3d& transformBy(const VqGeMatrix3d& mat) = 0;
    virtual VqGeImpEntity3d& translateBy(const VqGeVector3d& vec);
    virtual VqGeImpEntity3d& rotateBy(double angle, const VqGeVector3d& axis,
                                      const VqGePoint3d& center);
    virtual VqGeImpEntity3d& mirror(const VqGeImpPlanarEnt& pln);
    virtual VqGeImpEntity3d& scaleBy(double factor, const VqGePoint3d& center);
    virtual int isOn(const VqGePoint3d& pnt, const VqGeTol& tol = VqGeContext::gTol) const = 0;
    // An equivalent entity of the extension library, or null; the caller owns it.
    virtual void* getExternalEntity() const;
    // The twin kept with this object (made on first request); owned by this object.
    virtual void* getLinkedExternalEntity() const;

    int operator==(const VqGeImpEntity3d& other) const { return isEqualTo(other); }
    int operator!=(const VqGeImpEntity3d& other) const { return !isEqualTo(other); }

    // 1 when src may take this object's place under its wrapper: src is a kind of the public
    // class this object serves, so every forwarding of that wrapper's class still finds the
    // implementation class it expects.
    int isReplaceableBy(const VqGeImpEntity3d& src) const { return src.isKindOf(type(1), 1); }

    // The stored signed identity, as it is.
    short entityType() const { return mEntityType; }
    // Record wrapper as the owner. A wrapper made on demand and still held is deleted
    // first, since the object could no longer reach it.
    void setEntity3d(VqGeEntity3d* wrapper, VqGe::EntityId id);
    void setEntity2d(VqGeEntity2d* wrapper, VqGe::EntityId id);  // stores -|id|
    // Gives other the identity matching this object's dimension.
    void setEntityType(VqGeImpEntity3d& other, VqGe::EntityId id3d, VqGe::EntityId id2d) const;
    void setDeleteApiObj(int flag) { mDeleteApiObj = static_cast<short>(flag ? 1 : 0); }
    int deleteApiObj() const { return mDeleteApiObj; }

    // The owner wrapper of that dimension. With create set and no owner yet, a borrowing
    // wrapper is made, recorded as owner and deleted with this object. Null when the owner
    // is of the other dimension or the allocation fails.
    VqGeEntity3d* entity3d(int create = 0) const;
    VqGeEntity2d* entity2d(int create = 0) const;

    // A wrapper borrowing this object.
    operator VqGeEntity3d() const;

protected:
    explicit VqGeImpEntity3d(VqGe::EntityId id = VqGe::kEntity3d);
    // Flag set, stored identity negative: the 2D identity answers.
    int servesAs2d(int isPublic) const { return isPublic && mEntityType < 0; }

private:
    friend class VqGeEntity3d;
    friend class VqGeEntity2d;
    void setOwner(void* wrapper, int is2d, VqGe::EntityId id);
    // A borrowing wrapper's identity rule, for an object that has no owner yet.
    void takeBorrowerIdentity(int is2d);
    // Called by a wrapper that is going away while recorded as owner.
    void forgetOwner(const void* wrapper);
    void releaseDemandWrapper();
    // The assignment of both wrapper dimensions: the object the wrapper holds afterwards,
    // either held itself (assignment refused) or a fresh copy of src owned by the wrapper,
    // in which case held is deleted if the wrapper owned it.
    static VqGeImpEntity3d* assignToWrapper(void* wrapper, int is2d, VqGeImpEntity3d* held,
                                            int ownsHeld, const VqGeImpEntity3d* src);

    // VqGeEntity3d or VqGeEntity2d, told apart by the sign of mEntityType.
    void* mOwner;
    short mEntityType;
    short mDeleteApiObj;
};

#endif
