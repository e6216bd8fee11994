// Shared fixtures and checks of the arc tests: seeded random arcs, lines and ellipses, dense
// sampling references and the curve-membership checks.
#ifndef VQGE_TESTS_ARC_CHECKS_H
#define VQGE_TESTS_ARC_CHECKS_H

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "curves/imp_ellip_arc3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "vqge.h"

namespace arctest {

const double kPi = 3.141592653589793;
const double kTwoPi = 6.283185307179586;

inline double uniform(std::mt19937& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

inline VqGeVector3d randomUnit(std::mt19937& rng) {
    for (;;) {
        VqGeVector3d v(uniform(rng, -1, 1), uniform(rng, -1, 1), uniform(rng, -1, 1));
        const double len = v.length();
        if (len > 0.1 && len <= 1.0) return v / len;
    }
}

// A random arc in the plane z = 0 (planar) or in a random plane; circular when asked. The
// centre lies within +-scale of the origin, the radii between 0.1 and 1 times size.
inline VqGeImpEllipArc3d randomArc(std::mt19937& rng, int circular, int planar, double scale = 5.0,
                                   double size = 3.0) {
    const VqGePoint3d c(uniform(rng, -scale, scale), uniform(rng, -scale, scale),
                        planar ? 0.0 : uniform(rng, -scale, scale));
    VqGeVector3d n = planar ? VqGeVector3d(0, 0, uniform(rng, 0, 1) < 0.5 ? -1 : 1)
                            : randomUnit(rng);
    VqGeVector3d major = n.perpVector().normal();
    major.rotateBy(uniform(rng, 0, kTwoPi), n);
    const VqGeVector3d minor = n.crossProduct(major);
    const double a = uniform(rng, 0.1, 1.0) * size;
    const double b = circular ? a : uniform(rng, 0.1, 1.0) * size;
    const double s = uniform(rng, -kTwoPi, kTwoPi);
    const double span = uniform(rng, 0.2, kTwoPi);
    VqGeImpEllipArc3d arc(c, major, minor, a, b, s, s + span);
    return arc;
}

// Smallest distance from pnt to n + 1 samples of the arc over its range.
inline double sampledDistance(const VqGeImpEllipArc3d& arc, const VqGePoint3d& pnt, int n,
                              double* atParam = nullptr) {
    double best = 1e300;
    for (int i = 0; i <= n; ++i) {
        const double t = arc.startParam() + (arc.endParam() - arc.startParam()) * i / n;
        const double d = arc.pointAt(t).distanceTo(pnt);
        if (d < best) {
            best = d;
            if (atParam) *atParam = t;
        }
    }
    return best;
}

// Distance from pnt to the arc's ellipse measured densely (the full turn).
inline double ellipseDistance(const VqGeImpEllipArc3d& arc, const VqGePoint3d& pnt) {
    VqGeImpEllipArc3d full(arc);
    full.setAngles(0.0, kTwoPi, 0);
    double t = 0.0;
    double best = sampledDistance(full, pnt, 4000, &t);
    // Polish by golden section around the best sample.
    double lo = t - kTwoPi / 4000, hi = t + kTwoPi / 4000;
    for (int i = 0; i < 80; ++i) {
        const double m1 = lo + 0.382 * (hi - lo), m2 = lo + 0.618 * (hi - lo);
        if (full.pointAt(m1).distanceTo(pnt) < full.pointAt(m2).distanceTo(pnt))
            hi = m2;
        else
            lo = m1;
    }
    const double d = full.pointAt(0.5 * (lo + hi)).distanceTo(pnt);
    return d < best ? d : best;
}

// The point lies on the arc's ellipse within eps and on its range (within half a step of
// 20000 samples).
inline ::testing::AssertionResult onArc(const VqGeImpEllipArc3d& arc, const VqGePoint3d& p,
                                        double eps) {
    const double r = arc.majorRadius() > arc.minorRadius() ? arc.majorRadius() : arc.minorRadius();
    const double step = (arc.endParam() - arc.startParam()) * r / 20000;
    const double d = sampledDistance(arc, p, 20000);
    const double e = ellipseDistance(arc, p);
    if (d <= eps + step && e <= eps) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "point (" << p.x << ", " << p.y << ", " << p.z
                                         << ") off the arc: range " << d << ", ellipse " << e;
}

inline ::testing::AssertionResult onLine(const VqGeImpLinearEnt3d& line, const VqGePoint3d& p,
                                         double eps) {
    const VqGePoint3d q = line.closestPointTo(p, VqGeContext::gTol);
    if (q.distanceTo(p) <= eps) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "point off the line by " << q.distanceTo(p);
}

}  // namespace arctest

#endif
