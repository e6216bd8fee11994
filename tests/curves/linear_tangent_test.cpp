// Tangent constructions of a segment: tangent to two curves, and from a point to a planar
// curve, on the helix test curve (planar only when its pitch is 0).
#include <cmath>

#include "curves/imp_linear_ent3d.h"
#include "surfaces/imp_planar_ent.h"
#include "test_curve.h"
#include "test_helpers.h"
#include "vqge_matrix3d.h"

namespace {
const double kPi = 3.14159265358979323846;

// The helix answers its plane itself (the generic planarity test is not in the tree yet):
// the XY plane when the pitch is 0.
class PlanarHelix : public TestHelix {
public:
    PlanarHelix(double r, double c) : TestHelix(r, c), mPitch(c) {}
    int isPlanar(VqGeImpPlanarEnt& pln, const VqGeTol&) const override {
        if (mPitch != 0.0) return 0;
        pln.set(VqGePoint3d(0, 0, 0), VqGeVector3d(0, 0, 1));
        return 1;
    }

private:
    double mPitch;
};
}  // namespace

TEST(VqGeImpLinearEnt3d, SetTangentFromPoint_Circle_TouchesAtSixtyDegrees) {
    PlanarHelix circle(1.0, 0.0);
    double t = 1.0;
    int ok = 0;
    VqGeImpLinearEnt3d seg(circle, VqGePoint3d(2, 0, 0), t, ok);
    ASSERT_TRUE(ok);
    EXPECT_NEAR(t, kPi / 3, 1e-9);
    EXPECT_EQ(seg.type(1), VqGe::kLineSeg3d);
    EXPECT_PT3_NEAR(seg.startPoint(), 2, 0, 0, 1e-12);
    EXPECT_PT3_NEAR(seg.endPoint(), 0.5, std::sqrt(0.75), 0, 1e-9);
    // The other tangent from a reference below the x axis.
    t = 5.0;
    seg.set(circle, VqGePoint3d(2, 0, 0), t, ok);
    ASSERT_TRUE(ok);
    EXPECT_NEAR(t, 2 * kPi - kPi / 3, 1e-9);
}

TEST(VqGeImpLinearEnt3d, SetTangentFromPoint_PointOnCurve_ZeroDirection) {
    PlanarHelix circle(1.0, 0.0);
    double t = 0.2;
    int ok = 0;
    VqGeImpLinearEnt3d seg(circle, VqGePoint3d(1, 0, 0), t, ok);
    ASSERT_TRUE(ok);
    EXPECT_NEAR(t, 0.0, 1e-9);
    EXPECT_TRUE(seg.direction().isZeroLength());
}

TEST(VqGeImpLinearEnt3d, SetTangentFromPoint_OffPlaneOrNotPlanar_Fails) {
    PlanarHelix circle(1.0, 0.0);
    double t = 1.0;
    int ok = 1;
    VqGeImpLinearEnt3d seg(circle, VqGePoint3d(2, 0, 1), t, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(seg.type(1), VqGe::kLineSeg3d);
    EXPECT_DOUBLE_EQ(t, 1.0);
    PlanarHelix helix(1.0, 0.5);
    ok = 1;
    seg.set(helix, VqGePoint3d(2, 0, 0), t, ok);
    EXPECT_FALSE(ok);
}

TEST(VqGeImpLinearEnt3d, SetTangentToTwoCurves_TwoCircles_OuterTangent) {
    PlanarHelix c1(1.0, 0.0), c2(1.0, 0.0);
    c2.transformBy(VqGeMatrix3d::translation(VqGeVector3d(4, 0, 0)));
    double t1 = 1.4, t2 = 1.75;
    int ok = 0;
    VqGeImpLinearEnt3d seg(c1, c2, t1, t2, ok);
    ASSERT_TRUE(ok);
    EXPECT_NEAR(t1, kPi / 2, 1e-9);
    EXPECT_NEAR(t2, kPi / 2, 1e-9);
    EXPECT_EQ(seg.type(1), VqGe::kLineSeg3d);
    EXPECT_PT3_NEAR(seg.startPoint(), 0, 1, 0, 1e-9);
    EXPECT_PT3_NEAR(seg.endPoint(), 4, 1, 0, 1e-9);
}

TEST(VqGeImpLinearEnt3d, SetTangentToTwoCurves_ConcentricCircles_NoTangent) {
    PlanarHelix c1(1.0, 0.0), c2(2.0, 0.0);
    double t1 = 0.3, t2 = 2.0;
    int ok = 1;
    VqGeImpLinearEnt3d seg(c1, c2, t1, t2, ok);
    EXPECT_FALSE(ok);
}
