// Events sent to dependants, and notifications whose handlers change the links under them.
#include <vector>

#include "entity/entity_probes.h"
#include "test_helpers.h"
#include "vqge_matrix3d.h"

namespace {

const char* const kPoc = "PointOnCurve3d_Curve3d";  // the owner depends on the member
const char* const kSamples = "Curve_SamplePoints";   // each end depends on the other

}  // namespace

TEST(VqGeImpObject, notifyModified_OwnerDependsOnMember_OnlyOwnerHears) {
    Probe point, curve;
    ASSERT_EQ(point.createLink(&curve, kPoc), 1);
    curve.notifyModified();
    EXPECT_EQ(point.modified, 1);
    point.notifyModified();
    EXPECT_EQ(curve.modified, 0);
}

TEST(VqGeImpObject, notifyEvents_EachKindReachesItsHandler) {
    Probe point, curve;
    ASSERT_EQ(point.createLink(&curve, kPoc), 1);
    curve.notifySetInterval();
    EXPECT_EQ(point.setInterval, 1);
    // The root's transformed handler forwards to modified.
    curve.notifyTransformed(VqGeMatrix3d::kIdentity);
    EXPECT_EQ(point.modified, 1);
    curve.notifyDeleted();
    EXPECT_EQ(point.deleted, 1);
    EXPECT_EQ(point.setInterval, 1);
}

TEST(VqGeImpObject, notify_WithoutLinks_DoesNothingAndAllocatesNothing) {
    CountingHooks hooks;
    Probe lone;
    lone.notifyModified();
    lone.notifyDeleted();
    EXPECT_EQ(hooks.allocs(), 0);
}

TEST(VqGeImpObject, notify_ManyDependants_AllHearOnceAndListIsReleased) {
    CountingHooks hooks;
    {
        Probe curve;
        Probe points[25];
        for (Probe& p : points) ASSERT_EQ(p.createLink(&curve, kPoc), 1);
        curve.notifyModified();
        for (const Probe& p : points) EXPECT_EQ(p.modified, 1);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeImpObject, Destruction_SendsDeletedThenRemovesLinks) {
    Probe point;
    Probe* curve = new Probe;
    ASSERT_EQ(point.createLink(curve, kPoc), 1);
    delete curve;
    EXPECT_EQ(point.deleted, 1);
    EXPECT_EQ(point.firstLink(), nullptr);
}

namespace {

// Removes every link of the object named by the context (the notifier).
void removeSenderLinks(Probe&, const VqGeLink& link) {
    VqGeImpObject* sender = link.member();
    sender->removeAllLinks();
}

void removeContextLink(Probe& self, const VqGeLink&) {
    Probe* target = static_cast<Probe*>(self.context);
    if (target) target->removeAllLinks(kPoc);
    self.context = nullptr;
}

void deleteSelf(Probe& self, const VqGeLink&) { delete &self; }

void deleteSender(Probe& self, const VqGeLink& link) {
    self.action = nullptr;  // the deleted event that follows must not delete again
    delete link.member();
}

void renotifySenderThenDropContext(Probe& self, const VqGeLink& link) {
    self.action = nullptr;  // only once
    link.member()->notifyModified();
    static_cast<Probe*>(self.context)->removeAllLinks(kPoc);
}

}  // namespace

// Chains are newest first: the point linked last hears first.
TEST(VqGeImpObject, notify_HandlerRemovesLaterLink_ThatOneIsNotNotified) {
    Probe curve, early, late;
    ASSERT_EQ(early.createLink(&curve, kPoc), 1);
    ASSERT_EQ(late.createLink(&curve, kPoc), 1);
    late.action = removeContextLink;
    late.context = &early;
    curve.notifyModified();
    EXPECT_EQ(late.modified, 1);
    EXPECT_EQ(early.modified, 0);
    EXPECT_EQ(early.firstLink(), nullptr);
}

TEST(VqGeImpObject, notify_HandlerRemovesAllSenderLinks_RestSkippedNothingLeaks) {
    CountingHooks hooks;
    {
        Probe curve;
        Probe points[12];  // more than fit in the notifier's inline list
        for (Probe& p : points) ASSERT_EQ(p.createLink(&curve, kPoc), 1);
        points[11].action = removeSenderLinks;  // newest: hears first
        curve.notifyModified();
        EXPECT_EQ(points[11].modified, 1);
        for (int i = 0; i < 11; ++i) EXPECT_EQ(points[i].modified, 0) << i;
        EXPECT_EQ(curve.firstLink(), nullptr);
        // The sender can notify again and link again after its record went away.
        ASSERT_EQ(points[0].createLink(&curve, kPoc), 1);
        curve.notifyModified();
        EXPECT_EQ(points[0].modified, 1);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeImpObject, notify_HandlerDeletesItself_OthersStillHear) {
    CountingHooks hooks;
    {
        Probe curve, first, last;
        ASSERT_EQ(first.createLink(&curve, kPoc), 1);
        Probe* middle = new Probe;
        ASSERT_EQ(middle->createLink(&curve, kPoc), 1);
        ASSERT_EQ(last.createLink(&curve, kPoc), 1);
        middle->action = deleteSelf;
        const int liveBefore = Probe::live();
        curve.notifyModified();
        EXPECT_EQ(Probe::live(), liveBefore - 1);
        EXPECT_EQ(first.modified, 1);
        EXPECT_EQ(last.modified, 1);
        EXPECT_EQ(curve.traverseLinks(), 2);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeImpObject, notify_HandlerDeletesSender_LoopStopsSafely) {
    CountingHooks hooks;
    {
        Probe first, last;
        Probe* curve = new Probe;
        ASSERT_EQ(first.createLink(curve, kPoc), 1);
        ASSERT_EQ(last.createLink(curve, kPoc), 1);
        last.action = deleteSender;
        curve->notifyModified();
        EXPECT_EQ(last.modified, 1);
        // The deleted event reached both; the interrupted modified event reached no one else.
        EXPECT_EQ(first.deleted, 1);
        EXPECT_EQ(first.modified, 0);
        EXPECT_EQ(first.firstLink(), nullptr);
        EXPECT_EQ(last.firstLink(), nullptr);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

// A handler starts a second notification on the same sender; once that returns, the first
// one must still see links removed later on.
TEST(VqGeImpObject, notify_NestedOnSameSender_OuterStillSkipsRemovedLinks) {
    Probe curve, early, late;
    ASSERT_EQ(early.createLink(&curve, kPoc), 1);
    ASSERT_EQ(late.createLink(&curve, kPoc), 1);
    late.action = renotifySenderThenDropContext;
    late.context = &early;
    curve.notifyModified();
    EXPECT_EQ(late.modified, 2);   // outer and inner
    EXPECT_EQ(early.modified, 1);  // inner only: the outer one found its link gone
}

TEST(VqGeImpObject, removeNotifyList_WithdrawsPendingLinkFromRunningNotification) {
    Probe curve, early, late;
    ASSERT_EQ(early.createLink(&curve, kPoc), 1);
    ASSERT_EQ(late.createLink(&curve, kPoc), 1);
    late.action = [](Probe& self, const VqGeLink& link) {
        VqGeImpObject* sender = link.member();
        sender->removeNotifyList(sender->nextLink(&link));
        self.action = nullptr;
    };
    curve.notifyModified();
    EXPECT_EQ(late.modified, 1);
    EXPECT_EQ(early.modified, 0);
    EXPECT_EQ(curve.traverseLinks(), 2);  // withdrawn, not removed
    curve.notifyModified();
    EXPECT_EQ(early.modified, 1);
}

TEST(VqGeImpObject, notify_MutualDependency_EachSideHearsTheOther) {
    Probe curve, samples;
    ASSERT_EQ(curve.createLink(&samples, kSamples), 1);
    curve.notifyModified();
    EXPECT_EQ(samples.modified, 1);
    samples.notifyModified();
    EXPECT_EQ(curve.modified, 1);
}
