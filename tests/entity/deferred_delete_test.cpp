// Deferred deletion: objects that asked to go wait on their dependants and leave with them.
#include "entity/entity_probes.h"
#include "test_helpers.h"

namespace {

const char* const kPoc = "PointOnCurve3d_Curve3d";  // the owner depends on the member
const char* const kSamples = "Curve_SamplePoints";   // each end depends on the other

}  // namespace

TEST(VqGeImpObject, deleteIfNotUsed_NoLinks_DeletesAndReturnsOne) {
    CountingHooks hooks;
    const int live = Probe::live();
    Probe* p = new Probe;
    EXPECT_EQ(p->deleteIfNotUsed(), 1);
    EXPECT_EQ(Probe::live(), live);
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeImpObject, deleteIfNotUsed_OwnerDependsOnIt_WaitsUntilLinkRemoved) {
    CountingHooks hooks;
    {
        Probe curve;
        Probe* samples = new Probe;
        ASSERT_EQ(curve.createLink(samples, kSamples), 1);
        const int live = Probe::live();
        EXPECT_EQ(samples->deleteIfNotUsed(), 0);
        EXPECT_EQ(Probe::live(), live);
        EXPECT_EQ(curve.removeLink(samples, kSamples), 1);
        EXPECT_EQ(Probe::live(), live - 1);
        EXPECT_EQ(curve.firstLink(), nullptr);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeImpObject, deleteIfNotUsed_WaitingMember_GoesWithDeletedOwner) {
    CountingHooks hooks;
    const int live = Probe::live();
    Probe* curve = new Probe;
    Probe* samples = new Probe;
    ASSERT_EQ(curve->createLink(samples, kSamples), 1);
    ASSERT_EQ(samples->deleteIfNotUsed(), 0);
    delete curve;
    EXPECT_EQ(Probe::live(), live);
    EXPECT_EQ(hooks.outstanding(), 0);
}

// The curve waits on its point; the point does not wait on the curve (the member of this
// type does not depend on its owner), so asking the point removes both.
TEST(VqGeImpObject, deleteIfNotUsed_OneSidedDependency_DependantGoesAtOnceAndFreesWaiter) {
    CountingHooks hooks;
    const int live = Probe::live();
    Probe* point = new Probe;
    Probe* curve = new Probe;
    ASSERT_EQ(point->createLink(curve, kPoc), 1);
    EXPECT_EQ(curve->deleteIfNotUsed(), 0);
    EXPECT_EQ(point->deleteIfNotUsed(), 1);
    EXPECT_EQ(Probe::live(), live);
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeImpObject, deleteIfNotUsed_BothEndsAsk_BothGo) {
    CountingHooks hooks;
    const int live = Probe::live();
    Probe* curve = new Probe;
    Probe* samples = new Probe;
    ASSERT_EQ(curve->createLink(samples, kSamples), 1);
    EXPECT_EQ(samples->deleteIfNotUsed(), 0);
    // The curve's only dependant has itself asked to go, so the curve does not wait.
    EXPECT_EQ(curve->deleteIfNotUsed(), 1);
    EXPECT_EQ(Probe::live(), live);
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeImpObject, undoDelete_WithdrawsRequest_RemovalKeepsObject) {
    Probe curve;
    Probe* samples = new Probe;
    ASSERT_EQ(curve.createLink(samples, kSamples), 1);
    ASSERT_EQ(samples->deleteIfNotUsed(), 0);
    samples->undoDelete();
    const int live = Probe::live();
    EXPECT_EQ(curve.removeAllLinks(), 1);
    EXPECT_EQ(Probe::live(), live);
    delete samples;
}

TEST(VqGeImpObject, deleteIfNotUsed_SecondDependant_WaitsAgainUntilLastLetsGo) {
    CountingHooks hooks;
    {
        Probe curve1, curve2;
        Probe* samples = new Probe;
        ASSERT_EQ(curve1.createLink(samples, kSamples), 1);
        ASSERT_EQ(curve2.createLink(samples, kSamples), 1);
        const int live = Probe::live();
        ASSERT_EQ(samples->deleteIfNotUsed(), 0);
        EXPECT_EQ(curve2.removeAllLinks(), 1);  // re-asked: waits on curve1 now
        EXPECT_EQ(Probe::live(), live);
        EXPECT_EQ(curve1.numMembers(kSamples), 1);
        EXPECT_EQ(curve1.removeAllLinks(), 1);
        EXPECT_EQ(Probe::live(), live - 1);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

// A waiting object that drops its own links is deleted inside the call; the call must not
// touch it afterwards.
TEST(VqGeImpObject, removeAllLinks_OnWaitingObject_DeletesItSafely) {
    CountingHooks hooks;
    {
        Probe curve1, curve2;
        Probe* samples = new Probe;
        ASSERT_EQ(curve1.createLink(samples, kSamples), 1);
        ASSERT_EQ(curve2.createLink(samples, kSamples), 1);
        ASSERT_EQ(samples->deleteIfNotUsed(), 0);
        const int live = Probe::live();
        EXPECT_EQ(samples->removeAllLinks(), 1);
        EXPECT_EQ(Probe::live(), live - 1);
        EXPECT_EQ(curve1.firstLink(), nullptr);
        EXPECT_EQ(curve2.firstLink(), nullptr);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

// Deleting a waiting member inside the owner's destructor must not re-ask the owner.
TEST(VqGeImpObject, Destruction_OwnerWaitingOnMember_NoSecondDeletion) {
    CountingHooks hooks;
    const int live = Probe::live();
    Probe* curve = new Probe;
    Probe* samples = new Probe;
    ASSERT_EQ(curve->createLink(samples, kSamples), 1);
    ASSERT_EQ(curve->deleteIfNotUsed(), 0);  // the curve waits on its samples
    delete curve;
    EXPECT_EQ(Probe::live(), live + 1);
    EXPECT_EQ(samples->firstLink(), nullptr);
    delete samples;
    EXPECT_EQ(hooks.outstanding(), 0);
}
