// Public wrappers: ownership marks, copying, assignment, borrowing, owners made on demand,
// and running out of memory.
#include "entity/entity_probes.h"
#include "entity/imp_position3d.h"
#include "test_helpers.h"
#include "vqge_link.h"
#include "vqge_matrix2d.h"
#include "vqge_position2d.h"
#include "vqge_position3d.h"

TEST(VqGeEntity3d, Construct_OwnsImpWithMark37_OwnerAndIdentitySet) {
    VqGePosition3d p(1, 2, 3);
    ASSERT_NE(p.impEntity(), nullptr);
    EXPECT_EQ(Peek3d::mark(p), 37);
    EXPECT_EQ(p.impEntity()->entity3d(), &p);
    EXPECT_EQ(p.impEntity()->entityType(), 5);
    EXPECT_EQ(p.impEntity()->deleteApiObj(), 0);
}

TEST(VqGeEntity2d, Construct_StoresNegatedIdentity_TypeIsPositive) {
    VqGePosition2d p(1, 2);
    ASSERT_NE(p.impEntity(), nullptr);
    EXPECT_EQ(Peek2d::mark(p), 37);
    EXPECT_EQ(p.impEntity()->entityType(), -4);
    EXPECT_EQ(p.type(), VqGe::kPosition2d);
    EXPECT_EQ(p.impEntity()->entity2d(), &p);
    EXPECT_EQ(p.impEntity()->entity3d(), nullptr);  // the owner is a 2D wrapper
    EXPECT_EQ(p.impEntity()->type(1), VqGe::kPosition2d);
}

TEST(VqGeEntity3d, CopyConstruction_IndependentObjectSameType) {
    VqGePosition3d a(1, 2, 3);
    VqGePosition3d b(a);
    ASSERT_NE(b.impEntity(), a.impEntity());
    EXPECT_EQ(Peek3d::mark(b), 37);
    EXPECT_EQ(b.impEntity()->entity3d(), &b);
    b.set(4, 5, 6);
    EXPECT_PT3_NEAR(a.point3d(), 1, 2, 3, 0);
    EXPECT_PT3_NEAR(b.point3d(), 4, 5, 6, 0);
    EXPECT_EQ(b.type(), VqGe::kPosition3d);
}

TEST(VqGeEntity2d, CopyConstruction_KeepsNegativeIdentity) {
    VqGePosition2d a(1, 2);
    VqGePosition2d b(a);
    EXPECT_EQ(b.impEntity()->entityType(), -4);
    EXPECT_EQ(b.type(), VqGe::kPosition2d);
    EXPECT_PT2_NEAR(b.point2d(), 1, 2, 0);
}

TEST(VqGeEntity3d, copy_NewBaseWrapperOwningCopy_PlainDeleteFreesAll) {
    CountingHooks hooks;
    {
        VqGePosition3d a(1, 2, 3);
        VqGeEntity3d* c = a.copy();
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->type(), VqGe::kPosition3d);
        EXPECT_NE(c->impEntity(), a.impEntity());
        EXPECT_EQ(Peek3d::mark(*c), 37);
        EXPECT_TRUE(*c == a);
        c->translateBy(VqGeVector3d(1, 0, 0));
        EXPECT_FALSE(*c == a);
        delete c;
        VqGePosition2d b(1, 2);
        VqGeEntity2d* d = b.copy();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->type(), VqGe::kPosition2d);
        EXPECT_EQ(d->impEntity()->entityType(), -4);
        delete d;
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeEntity3d, Assignment_OwnsFreshCopy_OldObjectDeleted) {
    CountingHooks hooks;
    {
        VqGePosition3d a(1, 2, 3);
        VqGePosition3d b(7, 8, 9);
        const VqGeImpEntity3d* old = b.impEntity();
        b = a;
        EXPECT_NE(b.impEntity(), a.impEntity());
        EXPECT_NE(b.impEntity(), nullptr);
        EXPECT_EQ(b.impEntity()->entity3d(), &b);
        EXPECT_PT3_NEAR(b.point3d(), 1, 2, 3, 0);
        (void)old;
        EXPECT_EQ(hooks.outstanding(), 2);  // two positions, nothing else
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeEntity3d, SelfAssignment_ChangesNothingAllocatesNothing) {
    CountingHooks hooks;
    VqGePosition3d a(1, 2, 3);
    VqGeImpEntity3d* imp = a.impEntity();
    const long before = hooks.allocs();
    VqGePosition3d& alias = a;
    a = alias;
    EXPECT_EQ(a.impEntity(), imp);
    EXPECT_EQ(Peek3d::mark(a), 37);
    EXPECT_EQ(hooks.allocs(), before);
    EXPECT_PT3_NEAR(a.point3d(), 1, 2, 3, 0);
    VqGePosition2d b(1, 2);
    VqGePosition2d& alias2 = b;
    VqGeImpEntity3d* imp2 = b.impEntity();
    b = alias2;
    EXPECT_EQ(b.impEntity(), imp2);
    EXPECT_PT2_NEAR(b.point2d(), 1, 2, 0);
}

// A borrowing wrapper of the target's own object as source: the copy is made before the
// old object goes.
TEST(VqGeEntity3d, Assignment_FromBorrowerOfOwnObject_CopiesBeforeDeleting) {
    CountingHooks hooks;
    {
        VqGePosition3d a(1, 2, 3);
        Peek3d borrower(*a.impEntity(), 1);
        // The borrower's object dies here; the borrower is not used again.
        static_cast<VqGeEntity3d&>(a) = borrower;
        EXPECT_PT3_NEAR(a.point3d(), 1, 2, 3, 0);
        EXPECT_EQ(a.impEntity()->entity3d(), &a);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeEntity3d, Assignment_NotifiesDependantsOfOldObject) {
    VqGePosition3d a(1, 2, 3), b(4, 5, 6);
    Probe watcher;
    ASSERT_EQ(watcher.createLink(b.impEntity(), "PointOnCurve3d_Curve3d"), 1);
    b = a;
    EXPECT_EQ(watcher.deleted, 1);
    EXPECT_EQ(watcher.firstLink(), nullptr);
}

TEST(VqGeEntity3d, BorrowingWrapper_Mark37Negative_NeitherDeletesNorOwnsObject) {
    CountingHooks hooks;
    {
        VqGeImpPosition3d* imp = new VqGeImpPosition3d(1, 2, 3);
        {
            Peek3d borrower(*imp, 1);
            EXPECT_EQ(Peek3d::mark(borrower), -37);
            EXPECT_EQ(borrower.type(), VqGe::kPosition3d);
            // Not recorded as owner, so nothing points at it once it is gone.
            EXPECT_EQ(imp->entity3d(), nullptr);
        }
        VqGeEntity3d* heap = Peek3d::borrow(*imp);
        ASSERT_NE(heap, nullptr);
        EXPECT_EQ(Peek3d::mark(*heap), -37);
        delete heap;
        EXPECT_PT3_NEAR(imp->point(), 1, 2, 3, 0);
        delete imp;
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeEntity3d, BorrowingWrapper_ObjectWithOwner_OwnerAndDimensionStay) {
    VqGePosition2d owner(1, 2);
    {
        Peek3d borrower(*owner.impEntity(), 1);
        EXPECT_EQ(owner.impEntity()->entity2d(), &owner);
        EXPECT_EQ(owner.impEntity()->entityType(), -4);
    }
    EXPECT_EQ(owner.impEntity()->entity2d(), &owner);
}

// The borrower of an object without owner gives it its own dimension.
TEST(VqGeEntity2d, BorrowingWrapper_ObjectWithoutOwner_TakesNegativeIdentity) {
    VqGeImpPosition3d imp(1, 2, 0);
    Peek2d borrower(imp, 1);
    EXPECT_EQ(imp.entityType(), -5);
    EXPECT_EQ(borrower.isKindOf(VqGe::kPointEnt2d), 1);
    EXPECT_EQ(imp.entity2d(), nullptr);
}

TEST(VqGeEntity2d, Factories_OwnAndBorrow) {
    CountingHooks hooks;
    {
        VqGeEntity2d* owned = Peek2d::own(new VqGeImpPosition3d(1, 2, 0));
        ASSERT_NE(owned, nullptr);
        EXPECT_EQ(Peek2d::mark(*owned), 37);
        EXPECT_EQ(owned->type(), VqGe::kPosition3d);  // the object's public identity
        EXPECT_EQ(owned->impEntity()->entityType(), -5);
        EXPECT_EQ(owned->isKindOf(VqGe::kPointEnt2d), 1);
        VqGeEntity2d* borrowed = Peek2d::borrow(*owned->impEntity());
        EXPECT_EQ(Peek2d::mark(*borrowed), -37);
        delete borrowed;
        delete owned;
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeImpEntity3d, entity3d_CreateOnDemand_MadeOnceDeletedOnceWithObject) {
    CountingHooks hooks;
    {
        VqGeImpPosition3d* imp = new VqGeImpPosition3d(1, 2, 3);
        EXPECT_EQ(imp->entity3d(0), nullptr);
        VqGeEntity3d* w = imp->entity3d(1);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(Peek3d::mark(*w), -37);
        EXPECT_EQ(imp->deleteApiObj(), 1);
        EXPECT_EQ(imp->entity3d(1), w);
        EXPECT_EQ(w->type(), VqGe::kPosition3d);
        EXPECT_EQ(hooks.outstanding(), 2);
        delete imp;
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeImpEntity3d, entity2d_CreateOnDemand_NegatesIdentity) {
    CountingHooks hooks;
    {
        VqGeImpPosition3d* imp = new VqGeImpPosition3d(1, 2, 0);
        VqGeEntity2d* w = imp->entity2d(1);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(imp->entityType(), -5);
        EXPECT_EQ(imp->entity3d(1), nullptr);  // the owner is 2D
        EXPECT_EQ(w->isKindOf(VqGe::kPointEnt2d), 1);
        delete imp;
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeImpEntity3d, OnDemandWrapper_ReplacedByOwningWrapper_NoLeakNoDoubleDelete) {
    CountingHooks hooks;
    {
        VqGeImpPosition3d* imp = new VqGeImpPosition3d(1, 2, 3);
        ASSERT_NE(imp->entity3d(1), nullptr);
        VqGeEntity3d* owner = Peek3d::own(imp);
        EXPECT_EQ(imp->entity3d(), owner);
        EXPECT_EQ(imp->deleteApiObj(), 0);
        delete owner;
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeImpEntity3d, ConversionToEntity3d_BorrowsObject) {
    VqGePosition3d p(1, 2, 3);
    {
        VqGeEntity3d view = *p.impEntity();
        EXPECT_EQ(view.impEntity(), p.impEntity());
        EXPECT_EQ(Peek3d::mark(view), -37);
        EXPECT_EQ(view.type(), VqGe::kPosition3d);
    }
    EXPECT_PT3_NEAR(p.point3d(), 1, 2, 3, 0);
    EXPECT_EQ(p.impEntity()->entity3d(), &p);
}

TEST(VqGeEntity3d, ConstructorOutOfMemory_WrapperWithoutObjectSafeToUseAndDestroy) {
    CountingHooks hooks;
    {
        CountingHooks::failAfter() = 0;
        VqGePosition3d p(1, 2, 3);
        VqGePosition2d q(1, 2);
        CountingHooks::failAfter() = -1;
        EXPECT_EQ(p.impEntity(), nullptr);
        EXPECT_EQ(Peek3d::mark(p), 37);
        EXPECT_EQ(p.type(), VqGe::kEntity3d);
        EXPECT_EQ(p.isKindOf(VqGe::kEntity3d), 0);
        EXPECT_EQ(p.isOn(VqGePoint3d(1, 2, 3)), 0);
        EXPECT_PT3_NEAR(p.point3d(), 0, 0, 0, 0);
        p.translateBy(VqGeVector3d(1, 1, 1)).scaleBy(2.0);
        p.set(1, 1, 1);
        EXPECT_EQ(p.copy(), nullptr);
        VqGePosition3d r(p);
        EXPECT_EQ(r.impEntity(), nullptr);
        VqGePosition3d s(4, 5, 6);
        s = p;  // an empty source is of no known kind: s keeps its object
        EXPECT_PT3_NEAR(s.point3d(), 4, 5, 6, 0);
        p = s;  // nor does an empty target, whose kind is unknown, take one
        EXPECT_EQ(p.impEntity(), nullptr);
        EXPECT_EQ(q.impEntity(), nullptr);
        EXPECT_EQ(q.type(), VqGe::kEntity2d);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeEntity3d, CopyOutOfMemory_CopyNullAssignmentKeepsOldObject) {
    CountingHooks hooks;
    {
        VqGePosition3d a(1, 2, 3), b(4, 5, 6);
        VqGeImpEntity3d* kept = b.impEntity();
        CountingHooks::failAfter() = 0;
        EXPECT_EQ(a.copy(), nullptr);
        b = a;
        VqGePosition3d c(a);
        CountingHooks::failAfter() = -1;
        EXPECT_EQ(b.impEntity(), kept);
        EXPECT_PT3_NEAR(b.point3d(), 4, 5, 6, 0);
        EXPECT_EQ(c.impEntity(), nullptr);
        // The wrapper itself cannot be allocated: its object copy is released again.
        CountingHooks::failAfter() = 1;
        EXPECT_EQ(a.copy(), nullptr);
        CountingHooks::failAfter() = -1;
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

// Creating, copying, assigning, linking and destroying entities leaves nothing behind.
TEST(VqGeEntity3d, Lifecycle_CountingHooks_Balanced) {
    CountingHooks hooks;
    {
        VqGePosition3d a(1, 2, 3);
        VqGePosition2d b(4, 5);
        VqGePosition3d c(a);
        VqGePosition2d d(b);
        c = a;
        d = b;
        VqGeEntity3d* e = a.copy();
        VqGeEntity2d* f = b.copy();
        ASSERT_EQ(a.impEntity()->createLink(c.impEntity(), "Curve_SamplePoints"), 1);
        ASSERT_EQ(e->impEntity()->createLink(a.impEntity(), "PointOnCurve3d_Curve3d"), 1);
        ASSERT_EQ(f->impEntity()->createLink(b.impEntity(), "PointOnCurve3d_Curve3d"), 1);
        c.impEntity()->deleteIfNotUsed();  // waits on a; goes when a goes
        VqGeImpPosition3d* loose = new VqGeImpPosition3d(0, 0, 1);
        ASSERT_NE(loose->entity3d(1), nullptr);
        b.transformBy(VqGeMatrix2d::rotation(0.5));
        a = c;  // a's old object goes, taking c's object with it
        EXPECT_EQ(c.impEntity(), nullptr);
        delete e;
        delete f;
        delete loose;
        EXPECT_GT(hooks.allocs(), 0);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

// Someone else deletes the object an owning wrapper holds: the wrapper is released instead
// of deleting it a second time.
TEST(VqGeEntity3d, ObjectDeletedUnderOwningWrapper_WrapperReleasedNoDoubleDelete) {
    CountingHooks hooks;
    {
        VqGePosition3d p(1, 2, 3);
        delete p.impEntity();
        EXPECT_EQ(p.impEntity(), nullptr);
        EXPECT_EQ(Peek3d::mark(p), 0);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}
