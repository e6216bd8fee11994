// Fuzz target: polynomials (arithmetic, division, roots, Sturm counts and isolation) and
// second-order trigonometric polynomials on hostile coefficients and tolerances. Degrees are
// capped at 24 so that products and chains stay quick.
#include <cstdint>
#include <cstdlib>

#include "fuzz_input.h"
#include "nm_polynom.h"
#include "nm_trigpoly.h"

namespace {

const int kMaxDegree = 24;

void check(bool ok) {
    if (!ok) std::abort();
}

NmPolynom polyOf(FuzzInput& in) {
    const int degree = in.count(kMaxDegree + 1) - 1;
    NmPolynom p(degree);
    for (int i = 0; i <= p.degree(); ++i) p[i] = in.real();
    if (in.flag() && p.degree() > 1) {
        // A product of small factors: multiple and clustered roots.
        NmPolynom q(1.0);
        for (int k = in.count(6); k > 0; --k) {
            NmPolynom f(1);
            f[0] = in.real();
            f[1] = in.flag() ? 1.0 : in.real();
            for (int m = in.count(3); m >= 0; --m) q *= f;
        }
        if (q.degree() <= kMaxDegree) p = q;
    }
    return p;
}

void exercise(FuzzInput& in, NmPolynom& p, const NmPolynom& q) {
    switch (in.pick(12)) {
        case 0: {
            NmVector roots;
            const int n = p.root(roots);
            check(n >= 0 && n <= (p.degree() > 0 ? p.degree() : 0));
            break;
        }
        case 1: {
            double x = in.real(), y = in.real();
            (void)p.root(x);
            (void)p.polish(x);
            (void)p.root(x, y);
            break;
        }
        case 2:
            (void)p.rootCount(in.integer(), in.real());
            break;
        case 3:
            (void)p.rootCount(in.real(), in.real(), in.tolerance());
            break;
        case 4: {
            NmVector lo, hi;
            const int n = p.bracket(lo, hi, in.tolerance());
            check(n == -1 || (n == lo.dim() && n == hi.dim()));
            break;
        }
        case 5: {
            NmPolynom rem;
            NmPolynom quot(p);
            quot.euclid(q, rem);
            double r = 0.0;
            quot.euclid(in.real(), r);
            (void)(p / q);
            break;
        }
        case 6:
            if (p.degree() + q.degree() <= 2 * kMaxDegree) {
                NmPolynom s = p * q + p - q;
                s *= in.real();
                s /= in.real();
                s.negate().normalize(in.tolerance());
                (void)s.value(in.real());
            }
            break;
        case 7: {
            double lo = 0.0, hi = 0.0;
            p.estimate(in.real(), in.real(), lo, hi);
            double v = 0.0, d = 0.0, d2[3];
            p.d1value(in.real(), v, d);
            p.d2value(in.real(), d2);
            (void)p.longValue(in.real());
            (void)p.norm();
            (void)p.height();
            break;
        }
        case 8: {
            const NmPolynom d = p.derivative();
            NmPolynom r(d);
            r.reverse();
            (void)r[in.integer()];
            r[in.integer()] = in.real();
            break;
        }
        case 9:
            p.normalize(in.tolerance());
            break;
        case 10:
            p.reset(in.count(kMaxDegree + 1) - 1);
            for (int i = 0; i <= p.degree(); ++i) p[i] = in.real();
            break;
        default: {
            double c[6];
            for (double& v : c) v = in.real();
            const NmTrigPoly t(c[0], c[1], c[2], c[3], c[4], c[5], in.tolerance());
            NmVector angles, cosines, sines;
            const int n = t.solve(angles);
            check(n == angles.dim());
            (void)t.solve(cosines, sines);
            NmTrigPoly d;
            t.derivative(d);
            double v = 0.0, dv = 0.0;
            t.value(in.real(), v, dv);
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzInstallHooks(size_t(1) << 20);
    FuzzInput in(data, size);
    NmPolynom p = polyOf(in);
    const NmPolynom q = polyOf(in);
    for (int step = 0; step < 6 && !in.empty(); ++step) exercise(in, p, q);
    return 0;
}
