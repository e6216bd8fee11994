// Arc length of a curve by adaptive quadrature of its speed, and the parameter at a given
// length by Newton steps on the length kept inside a shrinking bracket.
//
// Notation: speed(t) = |C1(t)|; along the walk u >= 0 counts parameter distance from the
// start in the walking direction sgn, r(u) = length walked - target, which never decreases.
#include <cmath>

#include "curves/curve_generic_util.h"
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"
#include "nm_func.h"

namespace {
constexpr int kMaxSteps = 200;
constexpr double kUnboundedReach = 1e21;
constexpr double kBothUnboundedReach = 1e11;

struct Speed {
    VqGeImpPointOnCurve3d work;
    explicit Speed(const VqGeImpCurve3d* crv) : work(crv) {}
    static double at(void* h, double t) {
        Speed& s = *static_cast<Speed*>(h);
        return s.work.deriv(1, t).length();
    }
};

double usableTol(double tol) {
    if (tol > 0.0 && std::isfinite(tol)) return tol;
    const double eps = VqGeContext::gTol.equalPoint();
    return eps > 0.0 ? eps : 1e-10;
}

// Signed integral of the speed from a to b; 0 when the quadrature gives no number.
double integral(Speed& sp, double a, double b, double tol, int* failed = nullptr) {
    if (a == b) return 0.0;
    NmFunc f(&sp, Speed::at);
    double s = 0.0, err = 0.0, failAt = 0.0;
    const int ok = f.quadra(a, b, s, tol, err, failAt);
    if (failed && !ok) *failed = 1;
    return std::isfinite(s) ? s : 0.0;
}
}  // namespace

// The integral is taken in the direction given; the length is its magnitude, so a reversed
// pair of parameters measures the same stretch.
double VqGeImpCurve3d::length(double fromParam, double toParam, double tol) const {
    if (!std::isfinite(fromParam) || !std::isfinite(toParam)) return 0.0;
    Speed sp(this);
    return std::fabs(integral(sp, fromParam, toParam, usableTol(tol)));
}

double VqGeImpCurve3d::paramAtLength(double fromParam, double len, int forward,
                                     double tol) const {
    if (!std::isfinite(fromParam) || !std::isfinite(len)) return fromParam;
    tol = usableTol(tol);
    Speed sp(this);
    VqGeImpInterval intrvl;
    getInterval(intrvl, 0, 0);
    double lo, hi;
    double period = 0.0;
    const int periodic = isPeriodic(period, 0) && period > 0.0;
    if (periodic) {
        lo = forward ? fromParam : fromParam - period;
        hi = forward ? fromParam + period : fromParam;
        int failed = 0;
        const double whole = std::fabs(integral(sp, fromParam, fromParam + period, tol, &failed));
        if (!failed && whole > 0.0) {
            // Whole laps bring the walk back to the start.
            len = std::fmod(len, whole);
        }
    } else if (intrvl.isBounded()) {
        lo = intrvl.lowerBound(), hi = intrvl.upperBound();
    } else if (intrvl.isBoundedBelow()) {
        lo = intrvl.lowerBound(), hi = lo + kUnboundedReach;
    } else if (intrvl.isBoundedAbove()) {
        hi = intrvl.upperBound(), lo = hi - kUnboundedReach;
    } else {
        lo = -kBothUnboundedReach, hi = kBothUnboundedReach;
    }
    // A negative length walks the other way.
    double sgn = forward ? 1.0 : -1.0;
    if (len < 0.0) sgn = -sgn, len = -len;
    if (periodic && sgn < 0.0 && forward) lo = fromParam - period, hi = fromParam;
    if (periodic && sgn > 0.0 && !forward) lo = fromParam, hi = fromParam + period;
    const double end = sgn > 0.0 ? hi : lo;
    double reach = sgn * (end - fromParam);  // u of the bracket's far end
    if (len == 0.0) return fromParam;
    if (!(reach > 0.0)) return reach < 0.0 ? end : fromParam;
    const int farIsBound =
        periodic || (sgn > 0.0 ? intrvl.isBoundedAbove() : intrvl.isBoundedBelow());
    if (farIsBound) {
        // A length that overruns the curve ends on its bound.
        const double total = sgn * integral(sp, fromParam, end, tol);
        if (!(total > len)) return end;
    }
    double a = 0.0, b = reach;  // r(a) < 0 <= r(b)
    double u = 0.0, r = -len;
    for (int step = 0; step < kMaxSteps; ++step) {
        if (vqgen::breakRequested()) break;
        if (std::fabs(r) < tol) break;
        const double t = fromParam + sgn * u;
        const double speed = Speed::at(&sp, t);
        double un = speed > 0.0 && std::isfinite(speed) ? u - r / speed : 0.5 * (a + b);
        if (!(un > a && un < b)) un = 0.5 * (a + b);
        if (!(un > a && un < b)) break;  // the bracket is down to neighbouring doubles
        r += sgn * integral(sp, t, fromParam + sgn * un, tol);
        u = un;
        if (r < 0.0)
            a = u;
        else
            b = u;
    }
    return fromParam + sgn * u;
}
