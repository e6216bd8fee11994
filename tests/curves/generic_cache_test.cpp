// Caching of the sample chains, the projected closest points between curves without
// projections of their own, the way back from a projection, and the public local searches.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "curves/curve_property_checks.h"
#include "curves/curve_sample_data.h"
#include "curves/imp_linear_ent3d.h"
#include "surfaces/imp_planar_ent.h"
#include "vqge_curve3d.h"
#include "vqge_interval.h"
#include "vqge_pointoncurve3d.h"
#include "vqge_util.h"

namespace {
struct ExactOffsetOn {
    ExactOffsetOn() { VqGeUtil::exactOffset = 1; }
    ~ExactOffsetOn() { VqGeUtil::exactOffset = 0; }
};

class PublicCurve : public VqGeCurve3d {
public:
    explicit PublicCurve(VqGeImpCurve3d* imp) : VqGeCurve3d(imp) {}
};
}  // namespace

TEST(GenericCache, SampleData_LinkedOnlyWhileExactOffsetsAreBuilt) {
    std::unique_ptr<FnCurve> c(FnCurve::circle(1.0));
    const VqGeImpInterval whole(0.0, 6.283185307179586);
    VqGeCurveSampleData* once = VqGeCurveSampleData::acquire(*c, whole, 3, nullptr);
    ASSERT_NE(once, nullptr);
    EXPECT_EQ(c->numMembers("Curve_SampleData"), 0);
    VqGeCurveSampleData::release(once);
    {
        ExactOffsetOn on;
        VqGeCurveSampleData* kept = VqGeCurveSampleData::acquire(*c, whole, 3, nullptr);
        ASSERT_NE(kept, nullptr);
        EXPECT_EQ(c->numMembers("Curve_SampleData"), 1);
        VqGeCurveSampleData::release(kept);
        // Asked again (in dimension 2 this time) it is the same object, mapped again.
        VqGeCurveSampleData* again = VqGeCurveSampleData::acquire(*c, whole, 2, nullptr);
        EXPECT_EQ(again, kept);
        EXPECT_EQ(again->dim(), 2);
        VqGeCurveSampleData::release(again);
    }
    // A change of the curve drops the cached chain.
    VqGeMatrix3d move;
    move.setToTranslation(VqGeVector3d(1, 0, 0));
    c->transformBy(move);
    EXPECT_EQ(c->numMembers("Curve_SampleData"), 0);
}

TEST(GenericCache, GetProjClosestPointTo_CurvesWithoutProjections_MeasureAcrossDirection) {
    // Two helices about parallel axes, seen along z: circles 3 apart centre to centre.
    std::unique_ptr<FnCurve> h1(FnCurve::helix(1.0, 0.3, 0.0, 12.0));
    VqGeMatrix3d move;
    move.setToTranslation(VqGeVector3d(3.0, 0, 5.0));
    std::unique_ptr<FnCurve> h2(FnCurve::helix(0.5, 0.1, 0.0, 12.0)->place(move));
    VqGeImpPointOnCurve3d a(h1.get()), b(h2.get());
    h1->VqGeImpCurve3d::getProjClosestPointTo(*h2, VqGeVector3d(0, 0, 2), a, b, VqGeContext::gTol);
    const VqGeVector3d gap = a.point() - b.point();
    EXPECT_NEAR(std::hypot(gap.x, gap.y), 1.5, 1e-8);
}

TEST(GenericCache, ReverseProject_PointOfTheFlatCurve_ComesBackOnTheCurve) {
    std::unique_ptr<FnCurve> h(FnCurve::helix(1.0, 0.3, 0.0, 6.0));
    std::unique_ptr<FnCurve> flat(FnCurve::circle(1.0));
    VqGeImpPointOnCurve3d onFlat(flat.get(), 2.0), back;
    const VqGeImpPlanarEnt plane(VqGePoint3d::kOrigin, VqGeVector3d::kZAxis);
    ASSERT_EQ(h->VqGeImpCurve3d::reverseProject(onFlat, plane, VqGeVector3d::kZAxis, back,
                                                VqGeContext::gTol),
              1);
    EXPECT_NEAR(back.parameter(), 2.0, 1e-9);
    VqGeMatrix3d away;
    away.setToTranslation(VqGeVector3d(5, 0, 0));
    std::unique_ptr<FnCurve> shifted(FnCurve::circle(1.0)->place(away));
    VqGeImpPointOnCurve3d miss(shifted.get(), 0.0);
    EXPECT_EQ(h->VqGeImpCurve3d::reverseProject(miss, plane, VqGeVector3d::kZAxis, back,
                                                VqGeContext::gTol),
              0);
    EXPECT_EQ(back.parameter(), 6.0);  // element() of the interval: its upper bound
}

TEST(GenericCache, PublicLocalClosestPoints_ForwardToTheCurve) {
    PublicCurve wave(FnCurve::sine(1.0, 1.0, -10.0, 10.0));
    VqGePointOnCurve3d pc(wave, 7.0);
    const VqGeInterval near(6.0, 9.0);
    wave.getLocalClosestPoints(VqGePoint3d(7.5, 5, 0), pc, &near);
    EXPECT_GT(pc.parameter(), 6.0);
    EXPECT_LT(pc.parameter(), 9.0);
    PublicCurve other(FnCurve::circle(0.5));
    VqGePointOnCurve3d a(wave, 0.3), b(other, 0.3);
    wave.getLocalClosestPoints(other, a, b);
    const VqGeVector3d d = a.point() - b.point();
    EXPECT_NEAR(d.dotProduct(a.deriv(1)), 0.0, 1e-8);
}
