// Linear entity: segments tangent to two curves and tangent lines from a point to a planar
// curve, both by Newton iteration.
//
// Notation: C(t) a curve point, T = C'(t), S = C''(t); u x v is the planar cross product
// u.x v.y - u.y v.x for the two-curve form. n is the plane normal of the point form.
#include <cmath>

#include "curves/imp_bound_block3d.h"
#include "curves/imp_linear_ent3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "nm_matrix.h"
#include "nm_vector.h"

namespace {
const int kMaxNewtonSteps = 44;

double cross2(const VqGeVector3d& u, const VqGeVector3d& v) {
    return u.x * v.y - u.y * v.x;
}
}  // namespace

VqGeImpLinearEnt3d& VqGeImpLinearEnt3d::set(const VqGeImpCurve3d& crv1, const VqGeImpCurve3d& crv2,
                                            double& t1, double& t2, int& success) {
    becomeSegment();
    success = 0;
    VqGeImpPointOnCurve3d w1(&crv1), w2(&crv2);
    NmMatrix jac(2, 2);
    NmVector step(2);
    double stepLen = 0.0;
    for (int i = 0; i < kMaxNewtonSteps; ++i) {
        const VqGePoint3d c1 = w1.point(t1), c2 = w2.point(t2);
        const VqGeVector3d d = c2 - c1;
        mOrigin = c1;
        mDirection = d;
        const VqGeVector3d tan1 = w1.deriv(1), tan2 = w2.deriv(1);
        const double f1 = cross2(tan1, d), f2 = cross2(tan2, d);
        if (std::sqrt(f1 * f1 + f2 * f2) < 1e-14) {
            success = 1;
            notifyModified();
            return *this;
        }
        const double mixed = cross2(tan1, tan2);
        jac(0, 0) = cross2(w1.deriv(2), d);
        jac(0, 1) = mixed;
        jac(1, 0) = mixed;
        jac(1, 1) = cross2(w2.deriv(2), d);
        step.reset(2);
        step[0] = f1;
        step[1] = f2;
        NmMatrix work(jac);
        work.force(step, 1e-14);
        if (step.dim() != 2) break;
        t1 -= step[0];
        t2 -= step[1];
        stepLen = std::sqrt(step[0] * step[0] + step[1] * step[1]);
    }
    success = stepLen < VqGeContext::gTol.equalPoint();
    notifyModified();
    return *this;
}

double VqGeImpLinearEnt3d::tangentStart(const VqGeImpCurve3d& crv, const VqGePoint3d& pnt,
                                        const VqGeVector3d& normal, double ref) {
    VqGeImpInterval intrvl;
    crv.getInterval(intrvl, 0, 0);
    if (!intrvl.isBounded()) return ref;
    VqGePoint3d base;
    VqGeVector3d e0, e1, e2;
    crv.boundBlock(3, 1).get(base, e0, e1, e2);
    const double diag = (e0 + e1 + e2).length();
    VqGeImpPointOnCurve3d work(&crv);
    VqArray<VqGePoint3d> points;
    VqArray<double> params;
    VqArray<VqGeVector3d> derivs;
    if (diag <= 0.0 ||
        !crv.getSamplePoints(intrvl.lowerBound(), intrvl.upperBound(), 0.001 * diag, work, points,
                             params, &derivs, nullptr) ||
        derivs.length() != points.length() || params.length() != points.length())
        return ref;
    double best = ref, bestDist = -1.0, prev = 0.0;
    for (int i = 0; i < points.length(); ++i) {
        const double g = (points[i] - pnt).dotProduct(derivs[i].crossProduct(normal));
        if (i > 0 && ((prev <= 0.0 && g >= 0.0) || (prev >= 0.0 && g <= 0.0))) {
            // The residual's root, linearly interpolated between the two samples.
            const double w = prev == g ? 0.5 : prev / (prev - g);
            const double t = params[i - 1] + w * (params[i] - params[i - 1]);
            const double dist = std::fabs(t - ref);
            if (bestDist < 0.0 || dist < bestDist) best = t, bestDist = dist;
        }
        prev = g;
    }
    return best;
}

// The step solves the in-plane system C(t) - p - s C'(t) = 0 for (t, s) (the line through
// p touching the curve at t); a near-singular system (determinant below 1e-12) fails.
VqGeImpLinearEnt3d& VqGeImpLinearEnt3d::set(const VqGeImpCurve3d& crv, const VqGePoint3d& pnt,
                                            double& t, int& success) {
    becomeSegment();
    VqGePoint3d planePnt;
    VqGeVector3d normal;
    success = curvePlane(crv, planePnt, normal);
    if (!success) return *this;
    normal.normalize(VqGeContext::gTol);
    const double off = (pnt - planePnt).dotProduct(normal);
    if (off > VqGeContext::gTol.equalPoint() || off < -VqGeContext::gTol.equalPoint()) {
        success = 0;
        return *this;
    }
    const VqGeVector3d ax1 = normal.perpVector().normal(VqGeContext::gTol);
    const VqGeVector3d ax2 = normal.crossProduct(ax1);
    double period;
    const int periodic = crv.isPeriodic(period, 0);
    VqGeImpInterval intrvl;
    crv.getInterval(intrvl, 0, 0);
    double param = tangentStart(crv, pnt, normal, t);
    VqGeImpPointOnCurve3d work(&crv);
    NmMatrix jac(2, 2);
    NmVector rhs(2);
    success = 0;
    for (int i = 0; i < kMaxNewtonSteps; ++i) {
        const VqGePoint3d c = work.point(param);
        const VqGeVector3d tan = work.deriv(1);
        mOrigin = c;
        mDirection = pnt - c;
        if (mDirection.length() < VqGeContext::gTol.equalPoint()) {
            mDirection = VqGeVector3d(0, 0, 0);
            success = 1;
            break;
        }
        if (mDirection.isParallelTo(tan, VqGeContext::gTol)) {
            mOrigin = pnt;
            mDirection = c - pnt;
            success = 1;
            break;
        }
        const double tan2 = tan.lengthSqrd();
        if (tan2 == 0.0) break;
        const VqGeVector3d chord = c - pnt;
        const double s = chord.dotProduct(tan) / tan2;
        const VqGeVector3d f = chord - tan * s;
        const VqGeVector3d dfdt = tan - work.deriv(2) * s;
        jac(0, 0) = dfdt.dotProduct(ax1);
        jac(0, 1) = -tan.dotProduct(ax1);
        jac(1, 0) = dfdt.dotProduct(ax2);
        jac(1, 1) = -tan.dotProduct(ax2);
        const double det = jac(0, 0) * jac(1, 1) - jac(0, 1) * jac(1, 0);
        if (std::fabs(det) < 1e-12) break;
        rhs.reset(2);
        rhs[0] = -f.dotProduct(ax1);
        rhs[1] = -f.dotProduct(ax2);
        NmMatrix solver(jac);
        solver.force(rhs, 1e-12);
        if (rhs.dim() != 2) break;
        param += rhs[0];
        if (!periodic) {
            if (intrvl.isBoundedBelow() && param < intrvl.lowerBound()) param = intrvl.lowerBound();
            if (intrvl.isBoundedAbove() && param > intrvl.upperBound()) param = intrvl.upperBound();
        }
    }
    if (success) t = param;
    notifyModified();
    return *this;
}
