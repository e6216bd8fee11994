// Test doubles for the entity frame: an implementation object that records the events it
// hears and can run an action from a handler, and a peek into the protected wrapper parts.
#ifndef VQGE_TESTS_ENTITY_PROBES_H
#define VQGE_TESTS_ENTITY_PROBES_H

#include "entity/imp_entity3d.h"
#include "vqge_entity2d.h"
#include "vqge_entity3d.h"

class Probe : public VqGeImpEntity3d {
public:
    // Runs inside a handler, after the event was counted.
    using Action = void (*)(Probe& self, const VqGeLink& link);

    explicit Probe(VqGe::EntityId id = VqGe::kEntity3d) : VqGeImpEntity3d(id) { ++live(); }
    Probe(const Probe& src) : VqGeImpEntity3d(src) { ++live(); }
    ~Probe() override { --live(); }

    static int& live() {
        static int n = 0;
        return n;
    }

    VqGe::EntityId type(int isPublic) const override {
        return isPublic ? static_cast<VqGe::EntityId>(entityType() < 0 ? -entityType()
                                                                       : entityType())
                        : VqGe::kEntity3d;
    }
    Probe* copy() const override { return new Probe(*this); }
    int isEqualTo(const VqGeImpEntity3d& other, const VqGeTol&) const override {
        return &other == this;
    }
    Probe& transformBy(const VqGeMatrix3d& mat) override {
        notifyTransformed(mat);
        return *this;
    }
    int isOn(const VqGePoint3d&, const VqGeTol&) const override { return 0; }
    void* getExternalEntity() const override { return external; }

    void eventModified(const VqGeLink& link) override { hear(modified, link); }
    void eventDeleted(const VqGeLink& link) override { hear(deleted, link); }
    void eventSetInterval(const VqGeLink& link) override { hear(setInterval, link); }
    // eventTransformed is left to the root, which forwards to eventModified.

    int modified = 0;
    int deleted = 0;
    int setInterval = 0;
    Action action = nullptr;
    void* context = nullptr;
    void* external = nullptr;

private:
    void hear(int& counter, const VqGeLink& link) {
        ++counter;
        if (action) action(*this, link);
    }
};

// Reaches the protected parts of the 3D wrapper.
struct Peek3d : VqGeEntity3d {
    Peek3d(VqGeImpEntity3d& imp, int) : VqGeEntity3d(imp, 1) {}
    static int mark(const VqGeEntity3d& e) { return e.*(&Peek3d::mMark); }
    static VqGeEntity3d* own(VqGeImpEntity3d* imp) { return newEntity3d(imp); }
    static VqGeEntity3d* borrow(VqGeImpEntity3d& imp) { return newEntity3d(imp, 1); }
};

struct Peek2d : VqGeEntity2d {
    Peek2d(VqGeImpEntity3d& imp, int) : VqGeEntity2d(imp, 1) {}
    static int mark(const VqGeEntity2d& e) { return e.*(&Peek2d::mMark); }
    static VqGeEntity2d* own(VqGeImpEntity3d* imp) { return newEntity2d(imp); }
    static VqGeEntity2d* borrow(VqGeImpEntity3d& imp) { return newEntity2d(imp, 1); }
};

#endif
