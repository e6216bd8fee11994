// Fuzz target: NmMatrix decompositions, solvers, eigen-decomposition and the exchange
// solvers on hostile entries, tolerances, lengths, states and exchange counts. Matrices are
// capped at 12 x 12 so that every input runs in well under the time limit.
#include <cstdint>
#include <cstdlib>

#include "fuzz_input.h"
#include "nm_matrix.h"

namespace {

const int kMaxDim = 12;

NmVector vectorOf(FuzzInput& in, int n) {
    // Now and then a length that does not match what the operation expects.
    if (in.byte() > 240) n = in.count(kMaxDim + 1);
    NmVector v(n);
    for (int i = 0; i < v.dim(); ++i) v[i] = in.real();
    return v;
}

NmIntVec statesOf(FuzzInput& in, int n) {
    if (in.byte() > 240) n = in.count(kMaxDim + 1);
    NmIntVec s(n);
    for (int i = 0; i < s.dim(); ++i) s[i] = in.byte() < 230 ? in.pick(4) : in.integer();
    return s;
}

void exercise(FuzzInput& in, NmMatrix& m) {
    const int r = m.rowDim(), c = m.colDim();
    switch (in.pick(14)) {
        case 0: {
            NmIntVec perm;
            NmVector b = vectorOf(in, r);
            if (m.LUdecompose(perm)) m.solveAfterLUdecompose(b, perm);
            break;
        }
        case 1: {
            NmIntVec perm;
            NmVector b = vectorOf(in, r);
            if (m.decomposeLU(perm, in.tolerance())) m.solveLU(perm, b);
            break;
        }
        case 2: {
            NmIntVec perm;
            double sign = 0.0;
            NmVector b = vectorOf(in, r);
            if (m.decomposeLUScaling(perm, sign, in.tolerance())) m.solveLUs(perm, b);
            break;
        }
        case 3:
            (void)m.determinant(in.tolerance());
            break;
        case 4: {
            NmVector b = vectorOf(in, r);
            (void)m.symmetricLU(b, in.tolerance());
            break;
        }
        case 5:
            m.invert(in.tolerance());
            break;
        case 6: {
            bool ok = false;
            m.invertLUs(in.tolerance(), ok);
            break;
        }
        case 7: {
            NmVector b = vectorOf(in, r);
            (void)m.solve(b, in.tolerance());
            break;
        }
        case 8: {
            NmVector b = vectorOf(in, r);
            m.force(b, in.tolerance());
            break;
        }
        case 9: {
            NmVector values;
            (void)m.eigensystem(values);
            break;
        }
        case 10: {
            NmVector b = vectorOf(in, r);
            NmIntVec rs = statesOf(in, r), cs = statesOf(in, c);
            const double tol = in.tolerance();
            switch (in.pick(3)) {
                case 0:
                    (void)m.feasible(b, rs, cs, tol);
                    break;
                case 1:
                    (void)m.exequal(b, rs, cs, tol);
                    break;
                default:
                    (void)m.pivot(b, rs, cs, in.integer(), in.integer());
                    break;
            }
            break;
        }
        case 11: {
            NmVector b = vectorOf(in, r), cost = vectorOf(in, c);
            NmIntVec rs = statesOf(in, r), cs = statesOf(in, c);
            NmIntVec rl = statesOf(in, r), cl = statesOf(in, c);
            double value = in.real();
            int exchanges = in.integer();
            const double tol = in.tolerance();
            switch (in.pick(4)) {
                case 0:
                    (void)m.feasible(b, rs, cs, cost, value, rl, cl, tol, exchanges);
                    break;
                case 1:
                    (void)m.optimal(b, rs, cs, cost, value, rl, cl, tol, exchanges);
                    break;
                case 2:
                    (void)m.exequal(b, rs, cs, cost, value, rl, cl, tol, exchanges);
                    break;
                default:
                    (void)m.pivot(b, rs, cs, cost, value, rl, cl, in.integer(), in.integer());
                    break;
            }
            break;
        }
        case 12: {
            NmMatrix t(m);
            t.transpose();
            NmMatrix p = m * t;
            p *= p;
            p += p;
            p -= m;
            NmVector v = vectorOf(in, c);
            (void)(m * v);
            (void)(v * m);
            (void)m.row(in.integer());
            (void)m.column(in.integer());
            (void)m.diagonal();
            break;
        }
        default: {
            NmMatrix k(in.integer(), in.integer());
            k.reset(in.integer(), in.integer(), in.real(), in.real());
            k.setRow(in.integer(), vectorOf(in, c));
            k.setColumn(in.integer(), vectorOf(in, r));
            k = vectorOf(in, r);
            m *= in.real();
            m /= in.real();
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzInstallHooks(size_t(1) << 20);
    FuzzInput in(data, size);
    const int r = in.count(kMaxDim);
    const int c = in.flag() ? r : in.count(kMaxDim);
    NmMatrix m(r, c);
    const bool symmetric = in.flag();
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j)
            m(i, j) = symmetric && j < i && j < r && i < c ? m(j, i) : in.real();
    for (int step = 0; step < 4 && !in.empty(); ++step) exercise(in, m);
    return 0;
}
