// Composite curve: the area swept by the chord from a fixed centre, member by member.
//
// Notation: C the midpoint of the points at the range's ends, N = (0, 0, -1) the fixed normal,
// P(t) and P'(t) a member's point and first derivative at its own parameter t. The area is
// half the sum over members of the integral of ((P - C) x P') . N over the member's part of
// the range; the integral does not depend on how the member is parameterised, so no scale
// enters. With the normal fixed at (0, 0, -1), a chain running counter-clockwise in the XY
// plane (seen from +z) gives a negative area; callers rely on that sign.
#include "compound/imp_composite_curve3d.h"
#include "nm_func.h"

namespace {
struct AreaIntegrand {
    VqGeImpCurve3d* member;
    VqGePoint3d centre;
    VqArray<VqGeVector3d> derivs;
};

double areaIntegrand(void* handle, double t) {
    AreaIntegrand& f = *static_cast<AreaIntegrand*>(handle);
    const VqGePoint3d p = f.member->evalPoint(t, 1, f.derivs);
    if (f.derivs.isEmpty()) return 0.0;
    const VqGeVector3d cross = (p - f.centre).crossProduct(f.derivs[0]);
    return -cross.z;  // dot product with (0, 0, -1)
}
}  // namespace

// A range given backwards (from > to) is measured forwards and its area negated.
int VqGeImpCompositeCurve3d::area(double startParam, double endParam, double& value,
                                  const VqGeTol& tol) const {
    const int n = mMembers.length();
    if (n == 0 || !mInterval.contains(startParam) || !mInterval.contains(endParam)) return 0;
    VqGeImpCompositeCurve3d* self = const_cast<VqGeImpCompositeCurve3d*>(this);
    const double sign = startParam <= endParam ? 1.0 : -1.0;
    const double from = sign > 0 ? startParam : endParam;
    const double to = sign > 0 ? endParam : startParam;
    AreaIntegrand f;
    f.centre = self->evalPoint(from) + (self->evalPoint(to) - self->evalPoint(from)) * 0.5;
    double sum = 0.0;
    int any = 0;
    for (int i = 0; i < n; ++i) {
        if (!(mBreaks[i] < to && mBreaks[i + 1] > from)) continue;
        const double a = globalToLocalIParam(from > mBreaks[i] ? from : mBreaks[i], i);
        const double b = globalToLocalIParam(to < mBreaks[i + 1] ? to : mBreaks[i + 1], i);
        f.member = curveAt(i);
        NmFunc fn(&f, areaIntegrand);
        double s = 0.0, err = 0.0, failAt = 0.0;
        if (!fn.quadra(a, b, s, tol.equalPoint(), err, failAt)) return 0;
        sum += s;
        any = 1;
    }
    if (!any) return 0;
    value = 0.5 * sum * sign;
    return 1;
}
