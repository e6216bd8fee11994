// Fuzz target: the function solvers (roots, minima, quadrature, all roots, line and
// conjugate-gradient minimisation) on caller functions decoded from the input: polynomials,
// oscillations, steps, poles, overflowing exponentials and functions that give NaN on part
// of their range, with hostile brackets, tolerances and refinement counts.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "fuzz_input.h"
#include "nm_func.h"
#include "nm_func_n.h"
#include "numeric/nm_func_deriv.h"
#include "numeric/nm_func_n_grad.h"

namespace {

struct Shape {
    int kind;
    double c[5];
    // Derivative callback: 0 true derivative, 1 constant c[4], 2 NaN.
    int derivKind;
};

double shapeValue(const Shape& s, double t) {
    switch (s.kind) {
        case 0:
            return (((s.c[4] * t + s.c[3]) * t + s.c[2]) * t + s.c[1]) * t + s.c[0];
        case 1:
            return s.c[0] * std::sin(s.c[1] * t) + s.c[2];
        case 2:
            return t < s.c[0] ? s.c[1] : s.c[2];
        case 3:
            return t > s.c[0] && t < s.c[1] ? std::numeric_limits<double>::quiet_NaN()
                                            : s.c[2] * t + s.c[3];
        case 4:
            return 1.0 / (t - s.c[0]) + s.c[1];
        default:
            return s.c[0] * std::exp(s.c[1] * t) - s.c[2];
    }
}

double shapeSlope(const Shape& s, double t) {
    if (s.derivKind == 1) return s.c[4];
    if (s.derivKind == 2) return std::numeric_limits<double>::quiet_NaN();
    switch (s.kind) {
        case 0:
            return ((4.0 * s.c[4] * t + 3.0 * s.c[3]) * t + 2.0 * s.c[2]) * t + s.c[1];
        case 1:
            return s.c[0] * s.c[1] * std::cos(s.c[1] * t);
        case 2:
            return 0.0;
        case 3:
            return s.c[2];
        case 4:
            return -1.0 / ((t - s.c[0]) * (t - s.c[0]));
        default:
            return s.c[0] * s.c[1] * std::exp(s.c[1] * t);
    }
}

double f1(void* h, double t) {
    return shapeValue(*static_cast<Shape*>(h), t);
}
double df1(void* h, double t) {
    return shapeSlope(*static_cast<Shape*>(h), t);
}

// Sum over coordinates of the one-variable shape at x_i - i.
double fn(void* h, const NmVector& x) {
    double s = 0.0;
    for (int i = 0; i < x.dim(); ++i) s += shapeValue(*static_cast<Shape*>(h), x[i] - i);
    return s;
}

NmVector gradn(void* h, const NmVector& x) {
    NmVector g(x.dim());
    for (int i = 0; i < g.dim(); ++i) g[i] = shapeSlope(*static_cast<Shape*>(h), x[i] - i);
    return g;
}

Shape shapeOf(FuzzInput& in) {
    Shape s;
    s.kind = in.pick(6);
    for (double& v : s.c) v = in.real();
    s.derivKind = in.byte() < 200 ? 0 : in.pick(3);
    return s;
}

NmVector vectorOf(FuzzInput& in, int n) {
    NmVector v(n);
    for (int i = 0; i < v.dim(); ++i) v[i] = in.real();
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzInstallHooks(size_t(1) << 20);
    FuzzInput in(data, size);
    Shape shape = shapeOf(in);
    const double lo = in.real(), hi = in.real();
    NmFunc f(&shape, in.byte() < 250 ? &f1 : nullptr, lo, hi);
    NmFuncDeriv fd(&shape, &f1, in.byte() < 250 ? &df1 : nullptr, lo, hi);
    for (int step = 0; step < 3 && !in.empty(); ++step) {
        switch (in.pick(10)) {
            case 0: {
                double x = in.real();
                (void)f.root(x, in.real(), in.real(), in.tolerance());
                (void)fd.root(x, in.real(), in.real(), in.tolerance());
                (void)fd.root(x, in.tolerance());
                break;
            }
            case 1: {
                double a = in.real(), x = in.real(), b = in.real(), fx = 0.0;
                const double tol = in.tolerance();
                (void)f.minimum(a, x, b, fx, tol);
                a = in.real();
                x = in.real();
                b = in.real();
                (void)fd.minimum(a, x, b, fx, tol);
                (void)fd.minimum(x, fx, in.tolerance());
                break;
            }
            case 2: {
                double s = 0.0;
                (void)f.simpson(s, in.tolerance());
                (void)f.simpson(in.real(), in.real(), s, in.tolerance());
                break;
            }
            case 3: {
                double s = 0.0;
                // Refinement counts past 24 levels cost 2^24 evaluations a level; keep them
                // from the time limit unless they are hostile in sign.
                int jmax = in.integer();
                if (jmax > 12) jmax = 12 + jmax % 4;
                (void)f.simpson(in.real(), in.real(), s, jmax, in.tolerance());
                break;
            }
            case 4: {
                double sum = 0.0;
                int jmax = in.integer();
                if (jmax > 10) jmax = 10;
                f.simpsonAdapt(in.real(), in.real(), in.real(), in.flag(), sum, jmax,
                               in.tolerance());
                break;
            }
            case 5: {
                double s = 0.0;
                (void)f.romberg(in.real(), in.real(), in.tolerance(), s);
                break;
            }
            case 6: {
                double s = 0.0, err = 0.0, failAt = 0.0;
                (void)f.quadra(in.real(), in.real(), s, in.tolerance(), err, failAt);
                break;
            }
            case 7: {
                NmVector roots;
                (void)fd.allRoots(roots, in.integer() % 64, in.tolerance());
                break;
            }
            case 8: {
                const int dim = in.count(4);
                NmVector boxLo = vectorOf(in, dim), boxHi = vectorOf(in, dim);
                NmFuncN g(&shape, dim, &fn, boxLo, boxHi);
                NmVector x = vectorOf(in, in.byte() < 240 ? dim : in.count(5));
                NmVector dir = vectorOf(in, dim);
                double fx = 0.0;
                (void)g.minOnRay(x, dir, fx, in.tolerance());
                break;
            }
            default: {
                const int dim = in.count(4);
                NmVector boxLo = vectorOf(in, dim), boxHi = vectorOf(in, dim);
                NmFuncNGrad g(&shape, dim, &fn, in.byte() < 240 ? &gradn : nullptr, boxLo, boxHi);
                NmVector x = vectorOf(in, dim);
                double fx = 0.0;
                if (in.flag()) {
                    NmVector dir = vectorOf(in, dim);
                    (void)g.minOnRay(x, dir, fx, in.tolerance());
                } else {
                    (void)g.minimum(x, fx, in.tolerance());
                }
                break;
            }
        }
    }
    return 0;
}
