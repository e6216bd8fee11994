// Root implementation object: destruction, kind test, default event handlers, and the
// per-thread life watches that let loops survive callbacks deleting their object.
#include "entity/imp_object.h"

#include "entity/link_record.h"

namespace {
thread_local VqGeLifeWatch* tWatches = nullptr;
}

VqGeLifeWatch::VqGeLifeWatch(const void* obj) : mObj(obj), mAlive(1), mNext(tWatches) {
    tWatches = this;
}

VqGeLifeWatch::~VqGeLifeWatch() {
    // Watches are stack objects, so they leave in the reverse order of arrival.
    tWatches = mNext;
}

void VqGeLifeWatch::objectDying(const void* obj) {
    for (VqGeLifeWatch* w = tWatches; w; w = w->mNext) {
        if (w->mObj == obj) w->mAlive = 0;
    }
}

VqGeImpObject::~VqGeImpObject() {
    VqGeLifeWatch::objectDying(this);
    if (!mLinks) return;
    // Waiting to be deleted is moot now; clearing our bits also keeps the removals below
    // from asking this object again while it is being destroyed.
    undoDelete();
    notifyDeleted();
    while (mLinks && mLinks->mHead) destroyLink(mLinks->mHead, this);
    if (mLinks) {
        delete mLinks;
        mLinks = nullptr;
    }
}

int VqGeImpObject::isKindOf(VqGe::EntityId id, int) const { return id == VqGe::kObject; }

void VqGeImpObject::eventModified(const VqGeLink&) {}

void VqGeImpObject::eventDeleted(const VqGeLink&) {}

void VqGeImpObject::eventTransformed(const VqGeLink& link, const VqGeMatrix3d&) {
    eventModified(link);
}

void VqGeImpObject::eventSetInterval(const VqGeLink&) {}
