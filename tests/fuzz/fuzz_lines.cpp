// Fuzz target: lines, rays and segments in 2D and 3D, planes and bounded planes, and the
// curve-curve intersection entity on hostile points, directions, intervals and tolerances.
#include <cstdint>
#include <cstdlib>

#include "fuzz_input.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

VqGeLinearEnt3d* linear3(FuzzInput& in) {
    const VqGePoint3d p = in.point3();
    const bool twoPoints = in.flag();
    const VqGePoint3d q = in.point3();
    const VqGeVector3d v(q.x, q.y, q.z);
    switch (in.pick(3)) {
        case 0:
            return twoPoints ? new VqGeLine3d(p, q) : new VqGeLine3d(p, v);
        case 1:
            return twoPoints ? new VqGeRay3d(p, q) : new VqGeRay3d(p, v);
        default:
            return twoPoints ? static_cast<VqGeLinearEnt3d*>(new VqGeLineSeg3d(p, q))
                             : new VqGeLineSeg3d(p, v);
    }
}

VqGeLinearEnt2d* linear2(FuzzInput& in) {
    const VqGePoint2d p = in.point2();
    const VqGePoint2d q = in.point2();
    const VqGeVector2d v(q.x, q.y);
    switch (in.pick(3)) {
        case 0:
            return new VqGeLine2d(p, v);
        case 1:
            return new VqGeRay2d(p, q);
        default:
            return new VqGeLineSeg2d(p, q);
    }
}

VqGeInterval intervalOf(FuzzInput& in) {
    VqGeInterval iv(in.tolerance());
    switch (in.pick(3)) {
        case 0:
            iv.set(in.real(), in.real());
            break;
        case 1:
            iv.set(in.integer(), in.real());
            break;
        default:
            break;
    }
    return iv;
}

void intersection3(FuzzInput& in, const VqGeCurve3d& a, const VqGeCurve3d& b) {
    VqGeCurveCurveInt3d cci;
    if (in.flag())
        cci.set(a, b, in.vector3(), in.tol());
    else
        cci.set(a, b, intervalOf(in), intervalOf(in), in.vector3(), in.tol());
    const int n = cci.numIntPoints();
    check(n >= 0);
    for (int k = 0; k < 3; ++k) {
        const int i = in.flag() ? in.pick(n + 1) : in.integer();
        (void)cci.intPoint(i);
        double p1 = 0.0, p2 = 0.0;
        cci.getIntParams(i, p1, p2);
        VqGe::VqGeXConfig c1, c2;
        cci.getIntConfigs(i, c1, c2);
        (void)cci.isTangential(i);
        (void)cci.isTransversal(i);
        (void)cci.intPointTol(i);
        VqGePointOnCurve3d poc;
        cci.getPointOnCurve1(i, poc);
        cci.getPointOnCurve2(i, poc);
        VqGeInterval r1, r2;
        cci.getOverlapRanges(i, r1, r2);
    }
    (void)cci.overlapCount();
    (void)cci.overlapDirection();
    cci.changeCurveOrder().orderWrt1().orderWrt2();
    (void)cci.numIntPoints();
}

void intersection2(FuzzInput& in, const VqGeCurve2d& a, const VqGeCurve2d& b) {
    VqGeCurveCurveInt2d cci(a, b, in.tol());
    const int n = cci.numIntPoints();
    check(n >= 0);
    const int i = in.flag() ? in.pick(n + 1) : in.integer();
    (void)cci.intPoint(i);
    (void)cci.isTangential(i);
    (void)cci.isTransversal(i);
    (void)cci.overlapCount();
    (void)cci.overlapDirection();
}

void lines3(FuzzInput& in) {
    VqGeLinearEnt3d* a = linear3(in);
    VqGeLinearEnt3d* b = linear3(in);
    const VqGeTol tol = in.tol();
    VqGePoint3d p, q;
    switch (in.pick(8)) {
        case 0:
            (void)a->intersectWith(*b, p, tol);
            (void)a->projIntersectWith(*b, in.vector3(), p, q, tol);
            break;
        case 1: {
            VqGeLinearEnt3d* o = nullptr;
            (void)a->overlap(*b, o, tol);
            delete o;
            break;
        }
        case 2:
            (void)a->isParallelTo(*b, tol);
            (void)a->isPerpendicularTo(*b, tol);
            (void)a->isColinearTo(*b, tol);
            (void)a->isOn(in.point3(), tol);
            (void)a->isOn(in.real(), tol);
            (void)a->paramOf(in.point3(), tol);
            break;
        case 3:
            (void)a->closestPointTo(in.point3(), tol);
            (void)a->closestPointTo(*b, q, tol);
            (void)a->distanceTo(*b, tol);
            break;
        case 4: {
            VqGeCurve3d* p1 = nullptr;
            VqGeCurve3d* p2 = nullptr;
            a->getSplitCurves(in.real(), p1, p2);
            delete p1;
            delete p2;
            VqArray<VqGePoint3d> pts;
            a->getSamplePoints(in.count(64) - 2, pts);
            (void)a->length(in.real(), in.real(), in.tolerance());
            (void)a->paramAtLength(in.real(), in.real(), in.flag(), in.tolerance());
            break;
        }
        case 5: {
            const VqGePlane plane(in.point3(), in.vector3());
            (void)a->intersectWith(plane, p, tol);
            (void)a->isOn(plane, tol);
            (void)a->isParallelTo(plane, tol);
            (void)a->isPerpendicularTo(plane, tol);
            VqGeEntity3d* e = a->project(plane, in.vector3(), tol);
            delete e;
            e = a->orthoProject(plane, tol);
            delete e;
            break;
        }
        case 6: {
            VqGeMatrix3d m;
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 4; ++c) m(r, c) = in.flag() ? (r == c ? 1.0 : 0.0) : in.real();
            a->transformBy(m);
            a->scaleBy(in.real(), in.point3());
            a->rotateBy(in.real(), in.vector3(), in.point3());
            VqGeInterval iv = intervalOf(in);
            (void)a->setInterval(iv);
            a->reverseParam();
            intersection3(in, *a, *b);
            break;
        }
        default:
            intersection3(in, *a, *b);
            break;
    }
    delete a;
    delete b;
}

void lines2(FuzzInput& in) {
    VqGeLinearEnt2d* a = linear2(in);
    VqGeLinearEnt2d* b = linear2(in);
    const VqGeTol tol = in.tol();
    VqGePoint2d p;
    (void)a->intersectWith(*b, p, tol);
    VqGeLinearEnt2d* o = nullptr;
    (void)a->overlap(*b, o, tol);
    delete o;
    (void)a->isColinearTo(*b, tol);
    intersection2(in, *a, *b);
    delete a;
    delete b;
}

void planes(FuzzInput& in) {
    const VqGeTol tol = in.tol();
    VqGePlane a;
    switch (in.pick(3)) {
        case 0:
            a.set(in.point3(), in.vector3());
            break;
        case 1:
            a.set(in.point3(), in.point3(), in.point3());
            break;
        default:
            a.set(in.real(), in.real(), in.real(), in.real());
            break;
    }
    const VqGePlane b(in.point3(), in.vector3(), in.vector3());
    const VqGeBoundedPlane bp(in.point3(), in.vector3(), in.vector3());
    VqGeLine3d line;
    VqGeLineSeg3d seg;
    (void)a.intersectWith(b, line, tol);
    (void)a.intersectWith(bp, seg, tol);
    (void)bp.intersectWith(a, seg, tol);
    (void)bp.intersectWith(bp, seg, tol);
    (void)a.signedDistanceTo(in.point3());
    (void)a.isCoplanarTo(b, tol);
    (void)a.isParallelTo(bp, tol);
    VqGePoint3d p, q;
    (void)a.closestPointToPlanarEnt(bp, p, tol);
    const VqGeLineSeg3d s(in.point3(), in.point3());
    (void)bp.closestPointToLinearEnt(s, q, tol);
    (void)bp.intersectWith(s, p, tol);
    double c[4];
    a.getCoefficients(c[0], c[1], c[2], c[3]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzInstallHooks();
    FuzzInput in(data, size);
    switch (in.pick(4)) {
        case 0:
        case 1:
            lines3(in);
            break;
        case 2:
            lines2(in);
            break;
        default:
            planes(in);
            break;
    }
    return 0;
}
