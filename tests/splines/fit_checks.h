// Shared checks of the fit-data, interpolation and polyline tests: seeded point sets and the
// interpolation conditions measured on a curve.
#ifndef VQGE_TESTS_FIT_CHECKS_H
#define VQGE_TESTS_FIT_CHECKS_H

#include <cmath>
#include <vector>

#include "nurb_checks.h"
#include "splines/imp_aug_polyline3d.h"
#include "splines/imp_fit_data3d.h"
#include "splines/imp_nurb_curve3d.h"
#include "splines/imp_polyline3d.h"

namespace fittest {

using nurbtest::Rng;
using nurbtest::scaleOf;

// n points wandering from offset o with steps of about s (never repeating a point).
inline VqArray<VqGePoint3d> randomPoints(Rng& rng, int n, double s, double o = 0.0) {
    VqArray<VqGePoint3d> pts;
    VqGePoint3d p(o + rng(-s, s), o + rng(-s, s), rng(-s, s));
    for (int i = 0; i < n; ++i) {
        pts.append(p);
        p += VqGeVector3d(rng(0.2, 1.0) * s, rng(-s, s), rng(-s, s) * 0.5);
    }
    return pts;
}

inline VqArray<VqGeVector3d> randomVectors(Rng& rng, int n, double s) {
    VqArray<VqGeVector3d> v;
    for (int i = 0; i < n; ++i) v.append(VqGeVector3d(rng(0.5, 1.5) * s, rng(-s, s), rng(-s, s)));
    return v;
}

// A closed loop of n distinct points around (o, o, 0) with radius about r; the first point
// is repeated at the end.
inline VqArray<VqGePoint3d> randomLoop(Rng& rng, int n, double r, double o = 0.0) {
    VqArray<VqGePoint3d> pts;
    for (int i = 0; i < n; ++i) {
        const double a = 2.0 * 3.141592653589793 * (i + rng(-0.3, 0.3)) / n;
        const double rr = r * rng(0.7, 1.3);
        pts.append(VqGePoint3d(o + rr * std::cos(a), o + rr * std::sin(a), rng(-0.2, 0.2) * r));
    }
    pts.append(pts[0]);
    return pts;
}

inline VqGeTol tolOfPoint(double eps) {
    VqGeTol t;
    t.setEqualPoint(eps);
    return t;
}

// Allowance for rounding at the size of the coordinates.
inline double allowance(const VqArray<VqGePoint3d>& pts, double rel = 1e-12) {
    double s = 1.0;
    for (int i = 0; i < pts.length(); ++i) s = std::fmax(s, scaleOf(pts[i]));
    return rel * s;
}

// The curve meets every fit point at its fit parameter.
inline void expectThroughFitPoints(const VqGeImpNurbCurve3d& c, const VqGeImpFitData3d& fd,
                                   double eps) {
    for (int i = 0; i < fd.numFitPoints(); ++i)
        EXPECT_LT(c.pointAt(fd.knotAt(i)).distanceTo(fd.fitPointAt(i)), eps) << "fit point " << i;
}

// Left and right limits of the first r derivatives agree at t (relative to their size).
inline void expectContinuous(const VqGeImpNurbCurve3d& c, double tLeft, double tRight, int r,
                             double rel) {
    VqGeVector3d l[3], rt[3];
    const VqGePoint3d pl = c.sidePoint(tLeft, 0, r, l);
    const VqGePoint3d pr = c.sidePoint(tRight, 1, r, rt);
    EXPECT_LT(pl.distanceTo(pr), rel * scaleOf(pl));
    for (int k = 0; k < r; ++k)
        EXPECT_LT((l[k] - rt[k]).length(), rel * (1.0 + l[k].length())) << "derivative " << k + 1;
}

// An augmented polyline sampled from src over its interval: knots, points and derivative
// vectors are the source's own; the tie to the source goes with the source.
inline void checkAugAgainstSource(const VqGeImpNurbCurve3d& src, int numDerivs) {
    VqGeImpAugPolyline3d aug(src, src.startParam(), src.endParam(), 1e-3, numDerivs);
    const int n = aug.numFitPoints();
    ASSERT_GE(n, 2);
    EXPECT_EQ(aug.type(1), VqGe::kAugPolyline3d);
    EXPECT_EQ(aug.sourceCurve(), &src);
    EXPECT_EQ(aug.approxTol(), 1e-3);
    const VqArray<VqGeVector3d>& d1 = aug.getD1Vectors();
    const VqArray<VqGeVector3d>& d2 = aug.getD2Vectors();
    ASSERT_EQ(d1.length(), n);
    ASSERT_EQ(d2.length(), n);
    for (int i = 0; i < n; ++i) {
        VqGeVector3d ref[2];
        const VqGePoint3d p = src.pointAt(aug.knotAt(i), 2, ref);
        EXPECT_LT(p.distanceTo(aug.getPoint(i)), 1e-12 * scaleOf(p));
        // At a vertex of a polyline source the sampled derivative is one of the two sides.
        if (src.degree() > 1) {
            EXPECT_LT((ref[0] - aug.getVector(i)).length(), 1e-9 * (1 + ref[0].length()));
            EXPECT_LT((ref[1] - aug.getD2Vector(i)).length(), 1e-8 * (1 + ref[1].length()));
        }
    }
    EXPECT_EQ(aug.getVector(n).length(), 0.0);
}

}  // namespace fittest

#endif
