// Per-object link bookkeeping: the head of the object's chain and the notifications that
// are running on it.
#ifndef VQGE_ENTITY_LINK_RECORD_H
#define VQGE_ENTITY_LINK_RECORD_H

#include "vqge_heap.h"
#include "vqge_link.h"

// The links one notification still has to deliver. Lives on the notifier's stack; the first
// few entries need no heap block. Removed links are nulled out, so indices stay stable while
// handlers run.
struct VqGeNotifyFrame {
    enum { kInline = 8, kGrow = 10 };

    VqGeNotifyFrame() : mItems(mInline), mCount(0), mCapacity(kInline), mOuter(nullptr) {}
    ~VqGeNotifyFrame() {
        if (mItems != mInline) VqGeContext::gFreeMem(mItems);
    }
    VqGeNotifyFrame(const VqGeNotifyFrame&) = delete;
    VqGeNotifyFrame& operator=(const VqGeNotifyFrame&) = delete;

    // 0 when the list could not grow.
    int append(VqGeLink* link);
    void withdraw(const VqGeLink* link);

    VqGeLink* mInline[kInline];
    VqGeLink** mItems;
    int mCount;
    int mCapacity;
    // The notification this one interrupted, if a handler started a second one.
    VqGeNotifyFrame* mOuter;
};

// Tells a loop running on an object whether a callback it made has deleted that object.
// Watches live on the stack and nest; the root destructor marks the watches of its object.
// Kept per thread, since separate objects may be used on separate threads.
class VqGeLifeWatch {
public:
    explicit VqGeLifeWatch(const void* obj);
    ~VqGeLifeWatch();
    VqGeLifeWatch(const VqGeLifeWatch&) = delete;
    VqGeLifeWatch& operator=(const VqGeLifeWatch&) = delete;

    int alive() const { return mAlive; }
    static void objectDying(const void* obj);

private:
    const void* mObj;
    int mAlive;
    VqGeLifeWatch* mNext;
};

struct VqGeLinkRecord {
    VQGE_HOOKED_NEW

    VqGeLinkRecord() : mHead(nullptr), mNotifying(nullptr) {}

    VqGeLink* mHead;
    // Innermost running notification; each frame points to the one it interrupted.
    VqGeNotifyFrame* mNotifying;
};

#endif
