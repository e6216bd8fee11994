// Points on surfaces: caching, events, derivatives and the public evaluation forms.
#include <gtest/gtest.h>

#include <random>

#include "foundation/vqge_math.h"
#include "surfaces/imp_planar_ent.h"
#include "surfaces/imp_point_on_surface.h"
#include "test_helpers.h"
#include "vqge_matrix3d.h"
#include "vqge_plane.h"
#include "vqge_pointonsurface.h"

namespace {
// The number of times each record of the point has been filled: counted by the cache flags,
// which are cleared at each new evaluation of a fresh cache.
class CountingPlane : public VqGeImpPlanarEnt {
public:
    CountingPlane(const VqGePoint3d& o, const VqGeVector3d& u, const VqGeVector3d& v)
        : VqGeImpPlanarEnt(o, u, v, 0) {}
    void evaluate(int order, VqGePointOnSurfaceData& data, int flag) const override {
        ++mEvaluations;
        VqGeImpPlanarEnt::evaluate(order, data, flag);
    }
    mutable int mEvaluations = 0;
};
}  // namespace

TEST(VqGeImpPointOnSurface, Point_TwiceEvaluatesOnce_SetParameterForcesNew) {
    CountingPlane pln(VqGePoint3d(1, 0, 0), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 2, 0));
    VqGeImpPointOnSurface pos(&pln, VqGePoint2d(1, 1));
    EXPECT_PT3_NEAR(pos.point(), 2, 2, 0, 0.0);
    EXPECT_PT3_NEAR(pos.point(), 2, 2, 0, 0.0);
    EXPECT_EQ(pln.mEvaluations, 1);
    pos.setParameter(VqGePoint2d(0, 1));
    EXPECT_PT3_NEAR(pos.point(), 1, 2, 0, 0.0);
    EXPECT_EQ(pln.mEvaluations, 2);
    EXPECT_PT3_NEAR(pos.uDeriv(1), 1, 0, 0, 0.0);
    EXPECT_PT3_NEAR(pos.vDeriv(1), 0, 2, 0, 0.0);
    EXPECT_PT3_NEAR(pos.mixedPartial(), 0, 0, 0, 0.0);
    EXPECT_PT3_NEAR(pos.uDeriv(2), 0, 0, 0, 0.0);
    EXPECT_PT3_NEAR(pos.uDeriv(3), 0, 0, 0, 0.0);
    EXPECT_PT3_NEAR(pos.normal(), 0, 0, 1, 1e-15);
}

TEST(VqGeImpPointOnSurface, SurfaceModified_CacheDropped) {
    VqGeImpPlanarEnt pln(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 0);
    VqGeImpPointOnSurface pos(&pln, VqGePoint2d(1, 1));
    EXPECT_PT3_NEAR(pos.point(), 1, 1, 0, 0.0);
    pln.translateBy(VqGeVector3d(0, 0, 5));
    EXPECT_PT3_NEAR(pos.point(), 1, 1, 5, 0.0);
    pln.set(VqGePoint3d(0, 0, 1), VqGeVector3d(2, 0, 0), VqGeVector3d(0, 1, 0), 0);
    EXPECT_PT3_NEAR(pos.point(), 2, 1, 1, 0.0);
    pln.reverseNormal();
    EXPECT_PT3_NEAR(pos.normal(), 0, 0, -1, 1e-15);
}

TEST(VqGeImpPointOnSurface, SurfaceDeleted_KeepsLastValuesWithoutSurface) {
    VqGeImpPlanarEnt* pln =
        new VqGeImpPlanarEnt(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 0);
    VqGeImpPointOnSurface pos(pln, VqGePoint2d(3, 4));
    EXPECT_PT3_NEAR(pos.point(), 3, 4, 0, 0.0);
    delete pln;
    EXPECT_EQ(pos.surface(), nullptr);
    EXPECT_PT3_NEAR(pos.data().point(), 3, 4, 0, 0.0);
    EXPECT_EQ(pos.data().pointIsComputed(), 0);
}

TEST(VqGeImpPointOnSurface, TransformBy_ComposedMatrix_SurfaceUntouched) {
    VqGeImpPlanarEnt pln(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 0);
    VqGeImpPointOnSurface pos(&pln, VqGePoint2d(1, 0));
    pos.transformBy(VqGeMatrix3d::translation(VqGeVector3d(0, 0, 2)));
    pos.transformBy(VqGeMatrix3d::rotation(kVqPi / 2, VqGeVector3d(0, 0, 1)));
    EXPECT_PT3_NEAR(pos.point(), 0, 1, 2, 1e-15);
    EXPECT_PT3_NEAR(pos.uDeriv(1), 0, 1, 0, 1e-15);
    EXPECT_PT3_NEAR(pln.pointOnPlane(), 0, 0, 0, 0.0);
    // A mirroring matrix turns the normal the point sees as the plane itself would.
    pos.transformBy(VqGeMatrix3d::mirroring(VqGePlane(VqGePoint3d(), VqGeVector3d(0, 0, 1))));
    EXPECT_PT3_NEAR(pos.point(), 0, 1, -2, 1e-15);
    EXPECT_PT3_NEAR(pos.normal(), 0, 0, -1, 1e-15);
    VqGeImpPointOnSurface copy(pos);
    EXPECT_EQ(copy.isEqualTo(pos), 1);
    EXPECT_PT3_NEAR(copy.point(), 0, 1, -2, 1e-15);
    copy.setParameter(VqGePoint2d(2, 0));
    EXPECT_EQ(copy.isEqualTo(pos), 0);
}

TEST(VqGeImpPointOnSurface, InverseTangent_IndependentAxes_RoundTrip) {
    std::mt19937 gen(1234);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 50; ++i) {
        const VqGeVector3d u(unit(gen), unit(gen), unit(gen)), v(unit(gen), unit(gen), unit(gen));
        if (u.crossProduct(v).length() < 0.2) continue;
        VqGeImpPlanarEnt pln(VqGePoint3d(), u, v, 0);
        VqGeImpPointOnSurface pos(&pln, VqGePoint2d(unit(gen), unit(gen)));
        const VqGeVector2d w(unit(gen), unit(gen));
        const VqGeVector2d back = pos.inverseTangentVector(pos.tangentVector(w));
        EXPECT_NEAR(back.x, w.x, 1e-12);
        EXPECT_NEAR(back.y, w.y, 1e-12);
    }
    // Dependent derivatives give no direction rather than non-finite values.
    VqGeImpPlanarEnt flat(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(2, 0, 0), 0);
    VqGeImpPointOnSurface pos(&flat);
    const VqGeVector2d none = pos.inverseTangentVector(VqGeVector3d(1, 0, 0));
    EXPECT_EQ(none.x, 0.0);
    EXPECT_EQ(none.y, 0.0);
}

TEST(VqGeImpPointOnSurface, SetSurface_SameNoChange_OtherRebinds) {
    VqGeImpPlanarEnt a(VqGePoint3d(), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 0);
    VqGeImpPlanarEnt b(VqGePoint3d(0, 0, 1), VqGeVector3d(1, 0, 0), VqGeVector3d(0, 1, 0), 0);
    VqGeImpPointOnSurface pos(&a, VqGePoint2d(1, 1));
    pos.point();
    pos.setSurface(&a);
    EXPECT_EQ(pos.data().pointIsComputed(), 1);
    EXPECT_EQ(a.numOwners("PointOnSurface_Surface"), 1);
    EXPECT_PT3_NEAR(pos.point(&b, VqGePoint2d(1, 1)), 1, 1, 1, 0.0);
    EXPECT_EQ(a.numOwners("PointOnSurface_Surface"), 0);
    EXPECT_EQ(b.numOwners("PointOnSurface_Surface"), 1);
    VqGeImpPointOnSurface dflt;
    EXPECT_EQ(dflt.surface(), &VqGeImpPlanarEnt::kXYPlane);
    EXPECT_EQ(dflt.type(0), VqGe::kPointOnSurface);
    EXPECT_EQ(dflt.type(1), VqGe::kPointOnSurface);
}

TEST(VqGePointOnSurface, Public_ForwardsAndSurfaceHandle) {
    CountingHooks hooks;
    {
        VqGePlane pln(VqGePoint3d(0, 0, 3), VqGeVector3d(0, 0, 1));
        VqGePointOnSurface pos(pln, VqGePoint2d(0, 0));
        EXPECT_PT3_NEAR(pos.point(), 0, 0, 3, 1e-15);
        EXPECT_EQ(pos.surface(), &pln);
        EXPECT_PT3_NEAR(pos.normal(), 0, 0, 1, 1e-15);
        VqGePointOnSurface dflt;
        EXPECT_PT3_NEAR(dflt.point(VqGePoint2d(2, 3)), 2, 3, 0, 0.0);
        VqGePointOnSurface closest(pln);
        pln.getClosestPointTo(VqGePoint3d(5, 6, 7), closest);
        EXPECT_PT3_NEAR(closest.point(), 5, 6, 3, 1e-14);
        EXPECT_LT(pln.evalPoint(closest.parameter()).distanceTo(VqGePoint3d(5, 6, 3)), 1e-14);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
}

TEST(VqGeSurface, EvalPoint_Orders_TwoOrFiveVectors) {
    const VqGePlane pln(VqGePoint3d(1, 1, 1), VqGeVector3d(2, 0, 0), VqGeVector3d(0, 3, 0));
    VqArray<VqGeVector3d> derivs;
    VqGeVector3d normal;
    EXPECT_PT3_NEAR(pln.evalPoint(VqGePoint2d(1, 1), 1, derivs, normal), 3, 4, 1, 0.0);
    ASSERT_EQ(derivs.length(), 2);
    EXPECT_PT3_NEAR(derivs[0], 2, 0, 0, 0.0);
    EXPECT_PT3_NEAR(derivs[1], 0, 3, 0, 0.0);
    EXPECT_PT3_NEAR(normal, 0, 0, 1, 1e-15);
    pln.evalPoint(VqGePoint2d(1, 1), 2, derivs);
    ASSERT_EQ(derivs.length(), 5);
    EXPECT_PT3_NEAR(derivs[1], 0, 0, 0, 0.0);
    EXPECT_PT3_NEAR(derivs[2], 0, 3, 0, 0.0);
    pln.evalPoint(VqGePoint2d(1, 1), 0, derivs);
    EXPECT_EQ(derivs.length(), 0);
}
