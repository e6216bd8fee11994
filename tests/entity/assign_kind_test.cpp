// Assignment through base references: a handle keeps the kind it serves. Every public class
// family is assigned every other, at drawing scale; a foreign source leaves the target as it
// was, a source of the target's kind replaces its object.
#include <string>
#include <vector>

#include "entity/imp_entity3d.h"
#include "test_helpers.h"

namespace {

// Curves and a surface the dependent samples (points on curves and surfaces, intersections)
// stay linked to for the whole program.
const VqGeLineSeg3d& segA() {
    static const VqGeLineSeg3d seg(VqGePoint3d(1e8, 2e7, 5), VqGePoint3d(1e8 + 1e6, 2e7 + 1e6, 5));
    return seg;
}
const VqGeLineSeg3d& segB() {
    static const VqGeLineSeg3d seg(VqGePoint3d(1e8, 2e7 + 1e6, 5), VqGePoint3d(1e8 + 1e6, 2e7, 5));
    return seg;
}
const VqGePlane& planeA() {
    static const VqGePlane plane(VqGePoint3d(-3e7, 4e6, 1e5), VqGeVector3d(0.3, -0.2, 1));
    return plane;
}
const VqGeLineSeg2d& seg2A() {
    static const VqGeLineSeg2d seg(VqGePoint2d(-5e7, 1e8), VqGePoint2d(-5e7 + 1e6, 1e8 + 1e6));
    return seg;
}
const VqGeLineSeg2d& seg2B() {
    static const VqGeLineSeg2d seg(VqGePoint2d(-5e7, 1e8 + 1e6), VqGePoint2d(-5e7 + 1e6, 1e8));
    return seg;
}

template <class Base>
struct Sample {
    const char* name;
    Base* (*make)();  // a base wrapper owning an object of the sample's kind
};

const std::vector<Sample<VqGeEntity3d>>& samples3d() {
    static const std::vector<Sample<VqGeEntity3d>> all = {
        {"position", [] { return VqGePosition3d(1e8, -2e7, 3).copy(); }},
        {"point on curve", [] { return VqGePointOnCurve3d(segA(), 0.25).copy(); }},
        {"point on surface",
         [] { return VqGePointOnSurface(planeA(), VqGePoint2d(1e5, -2e5)).copy(); }},
        {"line", [] { return VqGeLine3d(VqGePoint3d(1e8, 0, 0), VqGeVector3d(1, 2, 3)).copy(); }},
        {"ray", [] { return VqGeRay3d(VqGePoint3d(0, 1e8, 0), VqGeVector3d(-1, 0, 1)).copy(); }},
        {"segment",
         [] { return VqGeLineSeg3d(VqGePoint3d(1e8, 0, 0), VqGePoint3d(1e8 + 1e6, 1, 0)).copy(); }},
        {"plane", [] { return VqGePlane(VqGePoint3d(0, 0, 1e7), VqGeVector3d(1, 1, 1)).copy(); }},
        {"bounded plane",
         [] {
             return VqGeBoundedPlane(VqGePoint3d(1e8, 0, 0), VqGeVector3d(1e6, 0, 0),
                                     VqGeVector3d(0, 1e6, 0))
                 .copy();
         }},
        {"bound block",
         [] {
             return VqGeBoundBlock3d(VqGePoint3d(1e8, 1e8, 0), VqGeVector3d(1e6, 0, 0),
                                     VqGeVector3d(0, 1e6, 0), VqGeVector3d(0, 0, 1e6))
                 .copy();
         }},
        {"curve-curve intersection", [] { return VqGeCurveCurveInt3d(segA(), segB()).copy(); }},
    };
    return all;
}

const std::vector<Sample<VqGeEntity2d>>& samples2d() {
    static const std::vector<Sample<VqGeEntity2d>> all = {
        {"position", [] { return VqGePosition2d(1e8, -2e7).copy(); }},
        {"point on curve", [] { return VqGePointOnCurve2d(seg2A(), 0.75).copy(); }},
        {"line", [] { return VqGeLine2d(VqGePoint2d(1e8, 0), VqGeVector2d(1, 2)).copy(); }},
        {"ray", [] { return VqGeRay2d(VqGePoint2d(0, 1e8), VqGeVector2d(-1, 1)).copy(); }},
        {"segment",
         [] { return VqGeLineSeg2d(VqGePoint2d(1e8, 0), VqGePoint2d(1e8 + 1e6, 1)).copy(); }},
        {"bound block",
         [] {
             return VqGeBoundBlock2d(VqGePoint2d(1e8, 1e8), VqGeVector2d(1e6, 0),
                                     VqGeVector2d(0, 1e6))
                 .copy();
         }},
        {"curve-curve intersection", [] { return VqGeCurveCurveInt2d(seg2A(), seg2B()).copy(); }},
    };
    return all;
}

// Assigns every sample to every other through the base class. Sources are moved away from
// their sample first, so that a replaced object is told from the kept one; samples that
// cannot move (intersections follow their curves) are compared by object instead.
template <class Base, class Vector>
void assignEveryPair(const std::vector<Sample<Base>>& samples, const Vector& shift) {
    for (const Sample<Base>& to : samples) {
        for (const Sample<Base>& from : samples) {
            SCOPED_TRACE(std::string(from.name) + " assigned to " + to.name);
            Base* target = to.make();
            Base* kept = target->copy();
            Base* source = from.make();
            ASSERT_TRUE(target && kept && source);
            source->translateBy(shift);
            const VqGe::EntityId kind = target->type();
            const VqGeImpEntity3d* before = target->impEntity();
            *target = *source;
            if (source->type() == kind) {
                EXPECT_NE(target->impEntity(), before);
                EXPECT_TRUE(target->isEqualTo(*source));
            } else {
                EXPECT_EQ(target->impEntity(), before);
                EXPECT_EQ(target->type(), kind);
                EXPECT_TRUE(target->isEqualTo(*kept));
                EXPECT_EQ(target->isKindOf(kind), 1);
            }
            delete source;
            delete kept;
            delete target;
        }
    }
}

// The shared curves live past every hook a test installs.
void makeSharedCurves() {
    segA();
    segB();
    planeA();
    seg2A();
    seg2B();
}

}  // namespace

TEST(VqGeEntity3d, AssignThroughBase_EveryFamilyPair_ForeignKeptSameKindReplaced) {
    makeSharedCurves();
    CountingHooks hooks;
    assignEveryPair(samples3d(), VqGeVector3d(250.5, -1e3, 7));
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeEntity2d, AssignThroughBase_EveryFamilyPair_ForeignKeptSameKindReplaced) {
    makeSharedCurves();
    CountingHooks hooks;
    assignEveryPair(samples2d(), VqGeVector2d(250.5, -1e3));
    EXPECT_EQ(hooks.outstanding(), 0);
}

// The reported crash: a segment assigned to a plane through VqGeEntity3d& left the plane
// serving a linear object, and plane.normal() downcast it.
TEST(VqGeEntity3d, AssignSegmentToPlaneThroughBase_PlaneKeptNoInvalidDowncast) {
    VqGeLineSeg3d seg(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0));
    VqGePlane plane(VqGePoint3d(1e8, 0, 0), VqGeVector3d(0, 0, 2));
    VqGeEntity3d& e = plane;
    e = seg;
    EXPECT_EQ(plane.type(), VqGe::kPlane);
    EXPECT_PT3_NEAR(plane.normal(), 0, 0, 1, 0);
    EXPECT_EQ(plane.isOn(VqGePoint3d(1e8 + 5, -7, 0)), 1);
}

// The silent variant: a line assigned to a segment through VqGeCurve3d& made a VqGeLineSeg3d
// whose type() said line.
TEST(VqGeCurve3d, AssignLineToSegmentThroughBase_SegmentStaysSegment) {
    VqGeLineSeg3d seg(VqGePoint3d(1e8, 1, 2), VqGePoint3d(1e8 + 1e6, 1, 2));
    VqGeCurve3d& c = seg;
    c = VqGeLine3d(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 1, 0));
    EXPECT_EQ(seg.type(), VqGe::kLineSeg3d);
    EXPECT_PT3_NEAR(seg.endPoint(), 1e8 + 1e6, 1, 2, 0);
    // A segment is still welcome through the same reference.
    c = VqGeLineSeg3d(VqGePoint3d(0, 0, 0), VqGePoint3d(3, 4, 0));
    EXPECT_PT3_NEAR(seg.endPoint(), 3, 4, 0, 0);
    EXPECT_NEAR(seg.length(), 5.0, 1e-15);
}

TEST(VqGePlanarEnt, AssignPlaneToBoundedPlaneThroughBase_BoundedPlaneKept) {
    VqGeBoundedPlane bounded(VqGePoint3d(0, 0, 0), VqGeVector3d(2, 0, 0), VqGeVector3d(0, 3, 0));
    VqGePlanarEnt& pe = bounded;
    pe = VqGePlane(VqGePoint3d(0, 0, 5), VqGeVector3d(0, 0, 1));
    EXPECT_EQ(bounded.type(), VqGe::kBoundedPlane);
    EXPECT_EQ(bounded.isOn(VqGePoint3d(1, 1, 0)), 1);
    EXPECT_EQ(bounded.isOn(VqGePoint3d(5, 1, 0)), 0);
    pe = VqGeBoundedPlane(VqGePoint3d(0, 0, 5), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0));
    EXPECT_EQ(bounded.isOn(VqGePoint3d(0.5, 0.5, 5)), 1);
}

TEST(VqGeEntity3d, AssignPositionToPointOnCurveThroughBase_PointOnCurveKept) {
    VqGePointOnCurve3d poc(segA(), 0.5);
    VqGeEntity3d& e = poc;
    e = VqGePosition3d(1, 2, 3);
    EXPECT_EQ(poc.type(), VqGe::kPointOnCurve3d);
    EXPECT_DOUBLE_EQ(poc.parameter(), 0.5);
    EXPECT_PT3_NEAR(poc.point3d(), 1e8 + 5e5, 2e7 + 5e5, 5, 1e-7);
}

TEST(VqGeEntity3d, AssignBlockToIntersectionThroughBase_IntersectionStillAnswers) {
    VqGeCurveCurveInt3d cci(segA(), segB());
    VqGeEntity3d& e = cci;
    e = VqGeBoundBlock3d();
    EXPECT_EQ(cci.type(), VqGe::kCurveCurveInt3d);
    ASSERT_EQ(cci.numIntPoints(), 1);
    EXPECT_PT3_NEAR(cci.intPoint(0), 1e8 + 5e5, 2e7 + 5e5, 5, 1e-6);
}

TEST(VqGeCurve2d, AssignLineToSegmentThroughBase_SegmentStaysSegment) {
    VqGeLineSeg2d seg(VqGePoint2d(-1e8, 0), VqGePoint2d(-1e8 + 1e6, 0));
    VqGeCurve2d& c = seg;
    c = VqGeLine2d(VqGePoint2d(0, 0), VqGeVector2d(0, 1));
    c = VqGeRay2d(VqGePoint2d(0, 0), VqGeVector2d(0, 1));
    EXPECT_EQ(seg.type(), VqGe::kLineSeg2d);
    EXPECT_PT2_NEAR(seg.endPoint(), -1e8 + 1e6, 0, 0);
}

// A 2D handle never takes the object of a 3D handle lent to it: the kinds differ by sign.
TEST(VqGeEntity2d, AssignFromBorrowerOfThreeDimensionalObject_TargetKept) {
    VqGeLineSeg3d seg3(VqGePoint3d(0, 0, 0), VqGePoint3d(1, 0, 0));
    VqGeLineSeg2d seg2(VqGePoint2d(5, 5), VqGePoint2d(6, 5));
    VqGeEntity2d* borrower = seg3.impEntity()->entity2d(0);
    EXPECT_EQ(borrower, nullptr);  // the object's owner is 3D
    VqGeCurve2d& c = seg2;
    c = VqGeLineSeg2d(VqGePoint2d(1, 1), VqGePoint2d(2, 2));
    EXPECT_PT2_NEAR(seg2.startPoint(), 1, 1, 0);
    EXPECT_EQ(seg2.impEntity()->entityType(), -VqGe::kLineSeg2d);
}

// The negated 2D identity is a value of VqGe::EntityId (its underlying type is fixed), so
// copying and assigning 2D entities loads only representable values. The braced
// initialisation below compiles only for an enumeration with a fixed underlying type.
TEST(VqGeEntity2d, CopyAndAssignSegment_NegatedIdentityRepresentable_Kept) {
    constexpr VqGe::EntityId negated{-VqGe::kLineSeg2d};
    static_assert(static_cast<int>(negated) == -22, "negated 2D identity");
    VqGeLineSeg2d a(VqGePoint2d(0, 0), VqGePoint2d(1e6, 0));
    VqGeLineSeg2d b(a);
    VqGeLineSeg2d c;
    c = a;
    for (const VqGeLineSeg2d* s : {&a, &b, &c}) {
        EXPECT_EQ(s->impEntity()->entityType(), negated);
        EXPECT_EQ(s->type(), VqGe::kLineSeg2d);
    }
    VqGeEntity2d* copy = c.copy();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->impEntity()->entityType(), negated);
    delete copy;
}
