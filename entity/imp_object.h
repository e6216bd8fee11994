// Root of every implementation object: identity and kind tests, copying, and the typed
// links and events that tie dependent objects together.
#ifndef VQGE_ENTITY_IMP_OBJECT_H
#define VQGE_ENTITY_IMP_OBJECT_H

#include "vqge_defs.h"
#include "vqge_heap.h"
#include "vqge_link.h"

class VqGeMatrix3d;
struct VqGeLinkRecord;
struct VqGeNotifyFrame;

class VQGE_API VqGeImpObject {
public:
    VQGE_HOOKED_NEW

    VqGeImpObject() : mLinks(nullptr) {}
    // A copy starts without links.
    VqGeImpObject(const VqGeImpObject&) : mLinks(nullptr) {}
    // Links belong to the object, not to its value: nothing is copied.
    VqGeImpObject& operator=(const VqGeImpObject&) { return *this; }

    // Virtual operations, in slot order.
    // 0. Sends the deleted event, then removes every link.
    virtual ~VqGeImpObject();
    // 1. Nonzero isPublic asks about the public class. The root's own test (called by
    //    derived classes as their last step) accepts kObject only.
    virtual int isKindOf(VqGe::EntityId id, int isPublic) const = 0;
    // 2. Nonzero isPublic: the public identity; 0: the implementation class's own.
    virtual VqGe::EntityId type(int isPublic) const = 0;
    // 3. Null when the allocation fails.
    virtual VqGeImpObject* copy() const = 0;
    // 4-7. Events from the objects this one depends on.
    virtual void eventModified(const VqGeLink& link);
    virtual void eventDeleted(const VqGeLink& link);
    virtual void eventTransformed(const VqGeLink& link, const VqGeMatrix3d& mat);
    virtual void eventSetInterval(const VqGeLink& link);

    // Links. The link structure is not part of the object's value, so these are const.
    // 0 when name is not a link type, member is null or this object, or no memory.
    int createLink(const VqGeImpObject* member, const char* name) const;
    int removeLink(const VqGeImpObject* member, const char* name) const;
    int removeAllLinks(const char* name) const;
    int removeAllLinks() const;
    // The object's chain, newest first, whatever role the object plays in each link.
    VqGeLink* firstLink() const;
    VqGeLink* nextLink(const VqGeLink* link) const;
    VqGeLink* firstLink(const char* name) const;
    VqGeLink* nextLink(const VqGeLink* link, const char* name) const;
    // Links of that type in which this object is the member / the owner.
    int numOwners(const char* name) const;
    int numMembers(const char* name) const;
    int linked(const VqGeImpObject* other, const char* name) const;

    // Deletes the object unless something still depends on it; then it waits on the first
    // such link and goes when that dependant lets go. 1 if the object was deleted.
    int deleteIfNotUsed() const;
    void undoDelete() const;

    void notifyModified() const;
    void notifyDeleted() const;
    void notifyTransformed(const VqGeMatrix3d& mat) const;
    void notifySetInterval() const;
    // Withdraws link from every notification in progress on this object.
    void removeNotifyList(const VqGeLink* link) const;
    // Walks the chain; returns the number of links.
    int traverseLinks() const;

private:
    enum EventKind { kModified, kDeleted, kTransformed, kSetInterval };
    void notify(EventKind kind, const VqGeMatrix3d* mat) const;
    // dying: the object whose destructor runs the removal; it is not asked again.
    void destroyLink(VqGeLink* link, const VqGeImpObject* dying) const;
    void unhook(VqGeLink* link) const;
    void releaseRecordIfIdle() const;
    int hasRole(const VqGeLink* link) const;

    mutable VqGeLinkRecord* mLinks;
};

#endif
