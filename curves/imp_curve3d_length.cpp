// Arc length of a curve by globally adaptive Gauss-Kronrod quadrature of its speed, and the
// parameter at a given length by Newton steps on the length kept inside a shrinking bracket.
//
// Notation: speed(t) = |C1(t)|; K and G are the 15-point Kronrod and embedded 7-point Gauss
// values of a stretch, e its error estimate; goal is the accepted total error. Along the walk
// u >= 0 counts parameter distance from the start in the walking direction sgn,
// r(u) = length walked - target, which never decreases.
//
// The speed of a general curve need not be smooth: knots of a spline bend it or make it jump,
// corners of a chain make it jump. A single nested rule estimates its error from how fast it
// converges, which such points defeat; here every stretch carries the Kronrod-Gauss difference
// as an independent error check, and the stretch with the largest error is halved until the
// total is below the goal, so the work gathers around the breaks wherever they are.
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "curves/curve_generic_util.h"
#include "curves/imp_curve3d.h"
#include "curves/imp_point_on_curve3d.h"

namespace {
constexpr int kMaxSteps = 200;
constexpr double kUnboundedReach = 1e21;
constexpr double kBothUnboundedReach = 1e11;

// First split of a range: a break anywhere is then seen by a stretch an eighth of it wide.
constexpr int kFirstPieces = 8;
// Stretches kept open at once; when full, the half with the smallest errors is settled.
constexpr int kOpenCapacity = 256;
// Halvings per integral: about 30 evaluations each, bounding the work of one call.
constexpr int kMaxHalvings = 4000;
// Rounding bounds the reachable relative accuracy of a sum of many stretches.
constexpr double kRelFloor = 1e-13;

// 15-point Kronrod abscissae on [-1, 1] (odd indices are the 7-point Gauss ones) and weights.
constexpr double kXk[8] = {0.991455371120812639206854697526329, 0.949107912342758524526189684047851,
                           0.864864423359769072789712788640926, 0.741531185599394439863864773280788,
                           0.586087235467691130294144845693013, 0.405845151377397166906606412076961,
                           0.207784955007898467600689403773245, 0.0};
constexpr double kWk[8] = {0.022935322010529224963732008058970, 0.063092092629978553290700663189204,
                           0.104790010322250183839876322541518, 0.140653259715525918745189590510238,
                           0.169004726639267902826583426598550, 0.190350578064785409913256402421014,
                           0.204432940075298892414161999234649, 0.209482141084727828012999174891714};
constexpr double kWg[4] = {0.129484966168869693270611432679082, 0.279705391489276667901467771423780,
                           0.381830050505118944950369775488975, 0.417959183673469387755102040816327};

struct Speed {
    VqGeImpPointOnCurve3d work;
    explicit Speed(const VqGeImpCurve3d* crv) : work(crv) {}
    double at(double t) { return work.deriv(1, t).length(); }
};

struct Stretch {
    double a, b, value, error;
};

// K over [a, b] and its error. The Kronrod-Gauss difference bounds K's error when the speed
// jumps between two nodes (to within a fifth); a jump or bend between an end and the outermost
// node is seen by neither rule, so the speed at each end is compared with its extrapolation
// from the two outermost nodes, and the mismatch over that gap's width is added. The rounding
// of the sum is the floor.
Stretch kronrod(Speed& sp, double a, double b) {
    const double c = 0.5 * (a + b), h = 0.5 * (b - a);
    double f[15];
    f[7] = sp.at(c);
    for (int i = 0; i < 7; ++i) {
        f[i] = sp.at(c - h * kXk[i]);
        f[14 - i] = sp.at(c + h * kXk[i]);
    }
    double k = kWk[7] * f[7], g = kWg[3] * f[7], absK = std::fabs(k);
    for (int i = 0; i < 7; ++i) {
        const double pair = f[i] + f[14 - i];
        k += kWk[i] * pair;
        absK += kWk[i] * (std::fabs(f[i]) + std::fabs(f[14 - i]));
        if (i % 2 == 1) g += kWg[i / 2] * pair;
    }
    const double w = std::fabs(h);
    const double gap = 1.0 - kXk[0], lever = gap / (kXk[0] - kXk[1]);
    const double fa = sp.at(a), fb = sp.at(b);
    const double edge = std::fabs(fa - (f[0] + (f[0] - f[1]) * lever)) +
                        std::fabs(fb - (f[14] + (f[14] - f[13]) * lever));
    Stretch s{a, b, k * h, (std::fabs(k - g) + 2.0 * gap * edge) * w};
    const double floor = 50.0 * DBL_EPSILON * absK * w;
    if (!(s.error > floor)) s.error = std::isnan(s.error) ? s.error : floor;
    return s;
}

// Makes room when every slot is open: the half of the stretches with the smallest errors is
// settled into running sums, which still count towards the total error.
void settleSmallest(Stretch* open, int& n, double& settledValue, double& settledError) {
    std::nth_element(open, open + n / 2, open + n,
                     [](const Stretch& x, const Stretch& y) { return x.error < y.error; });
    for (int i = 0; i < n / 2; ++i) {
        settledValue += open[i].value;
        settledError += open[i].error;
    }
    for (int i = n / 2; i < n; ++i) open[i - n / 2] = open[i];
    n -= n / 2;
}

double usableTol(double tol) {
    if (tol > 0.0 && std::isfinite(tol)) return tol;
    const double eps = VqGeContext::gTol.equalPoint();
    return eps > 0.0 ? eps : 1e-10;
}

// Signed integral of the speed from a to b to the relative accuracy tol; 0 when the speed
// gives no number. *failed is set when the accuracy was not reached (work bound, break
// request, stretches down to neighbouring doubles).
double integral(Speed& sp, double a, double b, double tol, int* failed = nullptr) {
    if (a == b || !std::isfinite(a) || !std::isfinite(b)) return 0.0;
    Stretch open[kOpenCapacity];
    int n = 0;
    double settledValue = 0.0, settledError = 0.0;
    int missed = 0;
    for (int i = 0; i < kFirstPieces; ++i) {
        const double lo = i == 0 ? a : a + (b - a) * i / kFirstPieces;
        const double hi = i + 1 == kFirstPieces ? b : a + (b - a) * (i + 1) / kFirstPieces;
        open[n++] = kronrod(sp, lo, hi);
    }
    const double rel = tol > kRelFloor ? tol : kRelFloor;
    for (int halving = 0;; ++halving) {
        double value = settledValue, error = settledError;
        int worst = 0;
        for (int i = 0; i < n; ++i) {
            value += open[i].value;
            error += open[i].error;
            if (open[i].error > open[worst].error) worst = i;
        }
        if (!std::isfinite(value) || !std::isfinite(error)) {
            if (failed) *failed = 1;
            return 0.0;
        }
        if (error <= rel * std::fabs(value) || n == 0) {
            if (failed && missed) *failed = 1;
            return value;
        }
        if (settledError > rel * std::fabs(value)) {
            // Stretches that could not be refined already hold more error than allowed.
            if (failed) *failed = 1;
            return value;
        }
        if (halving >= kMaxHalvings || vqgen::breakRequested()) {
            if (failed) *failed = 1;
            return value;
        }
        const Stretch s = open[worst];
        const double m = 0.5 * (s.a + s.b);
        if (!((m > s.a && m < s.b) || (m < s.a && m > s.b))) {
            // Down to neighbouring doubles: nothing finer can be asked of this stretch.
            settledValue += s.value;
            settledError += s.error;
            missed = 1;
            open[worst] = open[--n];
            continue;
        }
        if (n == kOpenCapacity) {
            settleSmallest(open, n, settledValue, settledError);
            continue;
        }
        open[worst] = kronrod(sp, s.a, m);
        open[n++] = kronrod(sp, m, s.b);
    }
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
    // tol bounds the residual length; the integrals are asked for it relative to the target.
    const double qtol = len > 1.0 ? tol / len : tol;
    const int farIsBound =
        periodic || (sgn > 0.0 ? intrvl.isBoundedAbove() : intrvl.isBoundedBelow());
    if (farIsBound) {
        // A length that overruns the curve ends on its bound.
        const double total = sgn * integral(sp, fromParam, end, qtol);
        if (!(total > len)) return end;
    }
    double a = 0.0, b = reach;  // r(a) < 0 <= r(b)
    double u = 0.0, r = -len;
    for (int step = 0; step < kMaxSteps; ++step) {
        if (vqgen::breakRequested()) break;
        if (std::fabs(r) < tol) break;
        const double t = fromParam + sgn * u;
        const double speed = sp.at(t);
        double un = speed > 0.0 && std::isfinite(speed) ? u - r / speed : 0.5 * (a + b);
        if (!(un > a && un < b)) un = 0.5 * (a + b);
        if (!(un > a && un < b)) break;  // the bracket is down to neighbouring doubles
        r += sgn * integral(sp, t, fromParam + sgn * un, qtol);
        u = un;
        if (r < 0.0)
            a = u;
        else
            b = u;
    }
    return fromParam + sgn * u;
}
