// The generic curve algorithms rerun over arcs, the first curve kind with closed forms to
// compare them with: seeded circles and ellipses in the plane and in space, near the origin
// and at coordinates up to 1e6, against segments and other arcs. The generic answers
// (asked through the base class) must agree with the dense references and with the arcs'
// own closed forms.
#include "tests/curves/arc_checks.h"
#include "tests/curves/curve_property_checks.h"

using namespace arctest;

namespace {
// Arc i of a seeded family: circular every other time, planar every third, far out every
// fourth (centre up to 1e6 from the origin, radii up to 1e3).
VqGeImpEllipArc3d familyArc(std::mt19937& rng, int i) {
    const int far = i % 4 == 3;
    return randomArc(rng, i % 2, i % 3 == 0, far ? 1e6 : 5.0, far ? 1e3 : 3.0);
}

// A segment through the arc's neighbourhood: from a point on the arc's ellipse plus an
// offset, so that it crosses or passes near the arc.
VqGeImpLinearEnt3d nearSegment(std::mt19937& rng, const VqGeImpEllipArc3d& arc) {
    const double r = arc.majorRadius();
    const VqGePoint3d on = arc.pointAt(uniform(rng, arc.startParam(), arc.endParam()));
    const VqGeVector3d planar = arc.center().z == 0.0 && arc.normal().isParallelTo(VqGeVector3d::kZAxis)
                                    ? VqGeVector3d(uniform(rng, -1, 1), uniform(rng, -1, 1), 0)
                                    : VqGeVector3d(uniform(rng, -1, 1), uniform(rng, -1, 1),
                                                   uniform(rng, -1, 1));
    const VqGePoint3d mid = on + planar * (0.2 * r);
    const VqGeVector3d dir = arc.majorAxis() * uniform(rng, -1, 1) + arc.minorAxis() * uniform(rng, -1, 1);
    return VqGeImpLinearEnt3d(mid - dir * r, mid + dir * r, 1, 1);
}

// An arc that shares the neighbourhood of the first (same scale of coordinates).
VqGeImpEllipArc3d neighbourArc(std::mt19937& rng, const VqGeImpEllipArc3d& arc, int i) {
    VqGeImpEllipArc3d other = randomArc(rng, i % 3 == 1, i % 3 == 0, 1.0, 1.0);
    const double r = arc.majorRadius();
    const VqGeVector3d shift =
        (arc.center() - VqGePoint3d::kOrigin) +
        VqGeVector3d(uniform(rng, -1, 1), uniform(rng, -1, 1), i % 3 == 0 ? 0.0 : uniform(rng, -1, 1)) * r;
    VqGeMatrix3d m;
    m.setToTranslation(shift);
    VqGeMatrix3d sc;
    sc.setToScaling(r, VqGePoint3d::kOrigin);
    other.transformBy(m * sc);
    return other;
}
}  // namespace

TEST(GenericOnArcs, ClosestPointLengthBlock_RandomArcs_MatchDenseReferences) {
    std::mt19937 rng(61);
    for (int i = 0; i < 40; ++i) {
        const VqGeImpEllipArc3d arc = familyArc(rng, i);
        SCOPED_TRACE(i);
        const double r = arc.majorRadius();
        for (int k = 0; k < 3; ++k) {
            const VqGePoint3d q = arc.center() + VqGeVector3d(uniform(rng, -2, 2), uniform(rng, -2, 2),
                                                              uniform(rng, -2, 2)) * r;
            props::checkClosestPoint(arc, q);
            // The generic search and the closed form agree on the distance.
            VqGeImpPointOnCurve3d generic(&arc), closed(&arc);
            arc.VqGeImpCurve3d::getClosestPointTo(q, generic, VqGeContext::gTol);
            arc.getClosestPointTo(q, closed, VqGeContext::gTol);
            EXPECT_NEAR(generic.point().distanceTo(q), closed.point().distanceTo(q),
                        1e-9 * props::scaleOf(arc));
        }
        props::checkLength(arc, arc.startParam(), arc.endParam());
        EXPECT_NEAR(arc.VqGeImpCurve3d::length(arc.startParam(), arc.endParam(), 1e-12),
                    arc.length(arc.startParam(), arc.endParam(), 1e-12), 1e-8 * r);
        props::checkParamAtLength(arc, arc.startParam(), arc.endParam());
        props::checkBlockContains(arc);
    }
}

TEST(GenericOnArcs, IntersectWith_ArcsAndSegments_MatchDenseScanAndClosedForms) {
    std::mt19937 rng(62);
    for (int i = 0; i < 40; ++i) {
        const VqGeImpEllipArc3d arc = familyArc(rng, i);
        const VqGeImpLinearEnt3d seg = nearSegment(rng, arc);
        const VqGeImpEllipArc3d other = neighbourArc(rng, arc, i);
        SCOPED_TRACE(i);
        props::checkIntersections(arc, seg);
        props::checkIntersections(seg, arc);
        props::checkIntersections(arc, other);
        props::checkIntersections(other, arc);
        // The arc's own answer (closed form or dispatch) agrees with the same scan.
        VqGeCurveIntData data;
        arc.intersectWith(seg, arc.normal(), data, VqGeContext::gTol);
        props::checkIntersectionRecord(arc, seg, data);
        arc.intersectWith(other, arc.normal(), data, VqGeContext::gTol);
        props::checkIntersectionRecord(arc, other, data);
    }
}

TEST(GenericOnArcs, GetClosestPointTo_ArcsAndSegments_NoFartherThanDenseSamples) {
    std::mt19937 rng(63);
    for (int i = 0; i < 40; ++i) {
        const VqGeImpEllipArc3d arc = familyArc(rng, i);
        const VqGeImpLinearEnt3d seg = nearSegment(rng, arc);
        const VqGeImpEllipArc3d other = neighbourArc(rng, arc, i);
        SCOPED_TRACE(i);
        const double scale = props::scaleOf(arc);
        const VqGeImpCurve3d* partners[2] = {&seg, &other};
        for (const VqGeImpCurve3d* c : partners) {
            VqGeImpPointOnCurve3d pa, pb;
            arc.VqGeImpCurve3d::getClosestPointTo(*c, pa, pb, VqGeContext::gTol);
            const double got = pa.point().distanceTo(pb.point());
            double dense = 1e300;
            for (int k = 0; k <= 1000; ++k) {
                const VqGePoint3d p = arc.pointAt(arc.startParam() + (arc.endParam() - arc.startParam()) * k / 1000);
                dense = std::min(dense, c->closestPointTo(p, VqGeContext::gTol).distanceTo(p));
            }
            EXPECT_LE(got, dense + 1e-9 * scale);
            // The other order and the arc's own answer find the same distance.
            VqGeImpPointOnCurve3d qa, qb;
            c->VqGeImpCurve3d::getClosestPointTo(arc, qb, qa, VqGeContext::gTol);
            EXPECT_NEAR(qa.point().distanceTo(qb.point()), got, 1e-9 * scale);
            arc.getClosestPointTo(*c, qa, qb, VqGeContext::gTol);
            EXPECT_NEAR(qa.point().distanceTo(qb.point()), got, 1e-9 * scale);
        }
    }
}
