// Jordan-exchange feasibility and optimisation on a tableau.
//
// Notation: tableau row i reads  s_i = b_i - sum_j a(i,j) x_j,  s_i being the row's variable
// (a slack, or an original variable after an exchange) and x_j the column's, which sits at
// 0. States: 0 = equality row (s_i must be 0), 1 and 3 = non-negative variable eligible for
// exchange, 2 = retired row. The live rows are feasible when every b_i >= -tol. An exchange
// on p = a(r,c) swaps s_r and x_c together with their states (and labels); a column that
// received an equality row's state 0 is never eligible again, which keeps that s_r at 0.
// The cost row is one more tableau row:  z = value - sum_j cost_j x_j.
#include "numeric/nm_matrix_exchange.h"

#include <cmath>

#include "foundation/vqge_mem.h"
#include "nm_matrix.h"

namespace {

inline int isEligible(int state) {
    return state == NmMatrix::kExRow || state == NmMatrix::kExColumn;
}

inline double& at(NmExTableau& t, int i, int j) { return t.a[i * t.cols + j]; }

// The exchange limit counts up from the caller's count: a negative count would lift it, so
// it starts at zero. A negative tolerance would let rounding noise drive the exchanges; it
// counts as zero. NaN stays NaN and is refused by the callers.
void clampLimits(double& tol, int* exchanges) {
    if (tol < 0.0) tol = 0.0;
    if (exchanges && *exchanges < 0) *exchanges = 0;
}

// Live row with the most negative b below -tol; -1 when none.
int mostNegativeRow(const NmExTableau& t, double tol) {
    int d = -1;
    double best = -tol;
    for (int i = 0; i < t.rows; ++i)
        if (isEligible(t.rowState[i]) && t.b[i] < best) {
            best = t.b[i];
            d = i;
        }
    return d;
}

// Eligible column of row d with the most negative entry below -tol; -1 when none.
int mostNegativeColumn(NmExTableau& t, int d, double tol) {
    int e = -1;
    double best = -tol;
    for (int j = 0; j < t.cols; ++j)
        if (isEligible(t.colState[j]) && at(t, d, j) < best) {
            best = at(t, d, j);
            e = j;
        }
    return e;
}

}  // namespace

int nmExAllFinite(const NmExTableau& t) {
    const long n = static_cast<long>(t.rows) * t.cols;
    for (long k = 0; k < n; ++k)
        if (!std::isfinite(t.a[k])) return 0;
    for (int i = 0; i < t.rows; ++i)
        if (!std::isfinite(t.b[i])) return 0;
    if (t.cost)
        for (int j = 0; j < t.cols; ++j)
            if (!std::isfinite(t.cost[j])) return 0;
    if (t.value && !std::isfinite(*t.value)) return 0;
    return 1;
}

int nmExPivot(NmExTableau& t, int r, int c) {
    if (r < 0 || r >= t.rows || c < 0 || c >= t.cols) return 0;
    double* ar = t.a + r * t.cols;
    const double p = ar[c];
    if (!(std::fabs(p) >= NmMatrix::kExPivotTol)) return 0;
    for (int j = 0; j < t.cols; ++j)
        if (j != c) ar[j] /= p;
    t.b[r] /= p;
    const double br = t.b[r];
    // With the pivot row already divided by p, a(r,j)*a(i,c)/p is ar[j]*f.
    for (int i = 0; i < t.rows; ++i) {
        if (i == r) continue;
        double* ai = t.a + i * t.cols;
        const double f = ai[c];
        if (f == 0.0) continue;
        for (int j = 0; j < t.cols; ++j)
            if (j != c) ai[j] -= ar[j] * f;
        ai[c] = -f / p;
        t.b[i] -= f * br;
    }
    if (t.cost) {
        const double f = t.cost[c];
        for (int j = 0; j < t.cols; ++j)
            if (j != c) t.cost[j] -= ar[j] * f;
        t.cost[c] = -f / p;
        if (t.value) *t.value -= br * f;
    }
    ar[c] = 1.0 / p;
    const int s = t.rowState[r];
    t.rowState[r] = t.colState[c];
    t.colState[c] = s;
    if (t.rowLabel && t.colLabel) {
        const int l = t.rowLabel[r];
        t.rowLabel[r] = t.colLabel[c];
        t.colLabel[c] = l;
    }
    return 1;
}

int nmExEqual(NmExTableau& t, double tol, int* exchanges) {
    for (int i = 0; i < t.rows; ++i) {
        if (t.rowState[i] != NmMatrix::kExEquality) continue;
        int e = -1;
        double best = 0.0;
        for (int j = 0; j < t.cols; ++j)
            if (isEligible(t.colState[j]) && std::fabs(at(t, i, j)) > best) {
                best = std::fabs(at(t, i, j));
                e = j;
            }
        if (e >= 0 && best >= tol) {
            if (exchanges && *exchanges >= NmMatrix::kMaxExchanges) return 0;
            // A pivot below kExPivotTol is refused (possible only with tol below it); the row
            // is then judged as one without a usable entry.
            if (nmExPivot(t, i, e)) {
                if (exchanges) ++*exchanges;
                continue;
            }
        }
        if (std::fabs(t.b[i]) >= tol) return 0;
        t.rowState[i] = NmMatrix::kExRetired;
    }
    return 1;
}

int nmExFeasible(NmExTableau& t, double tol) {
    if (!nmExEqual(t, tol, nullptr)) return 0;
    // The limit counts exchanges; feasibility is checked once more after the last one, so
    // a tableau without columns (nothing to exchange) is still judged on its b.
    const long limit = 2L * t.rows * t.cols;
    for (long done = 0;; ++done) {
        int d = -1;
        double bd = 1.0;
        for (int i = 0; i < t.rows; ++i)
            if (isEligible(t.rowState[i]) && t.b[i] < bd) {
                bd = t.b[i];
                d = i;
            }
        if (d < 0 || bd > -tol) return 1;
        if (done >= limit) return 0;
        int e = -1;
        double ae = 1.0;
        for (int j = 0; j < t.cols; ++j)
            if (isEligible(t.colState[j]) && at(t, d, j) < ae) {
                ae = at(t, d, j);
                e = j;
            }
        // No entry below -tol: s_d = b_d - (non-negative terms) stays below -tol. Retiring
        // the row would need b_d > -tol, which the choice of d rules out.
        if (e < 0 || ae > -tol) return 0;
        if (!nmExPivot(t, d, e)) return 0;
    }
}

int nmExFeasibleCost(NmExTableau& t, double tol, int& exchanges) {
    if (!nmExEqual(t, tol, &exchanges)) return 0;
    for (;;) {
        const int d = mostNegativeRow(t, tol);
        if (d < 0) return 1;
        const int e = mostNegativeColumn(t, d, tol);
        if (e < 0) return 0;
        if (exchanges >= NmMatrix::kMaxExchanges) return 0;
        if (!nmExPivot(t, d, e)) return 0;
        ++exchanges;
    }
}

int nmExOptimal(NmExTableau& t, double tol, int& exchanges) {
    if (!t.cost || !t.value) return 0;
    for (;;) {
        if (!nmExFeasibleCost(t, tol, exchanges)) return 0;
        int e = -1;
        double best = -tol;
        for (int j = 0; j < t.cols; ++j)
            if (isEligible(t.colState[j]) && t.cost[j] < best) {
                best = t.cost[j];
                e = j;
            }
        if (e < 0) return 1;
        // The largest entry of the column stands in for a ratio test; feasibility lost by
        // the exchange is restored by the next feasibility pass.
        int d = -1;
        double top = 0.0;
        for (int i = 0; i < t.rows; ++i)
            if (isEligible(t.rowState[i]) && (d < 0 || at(t, i, e) > top)) {
                top = at(t, i, e);
                d = i;
            }
        if (d < 0 || top < tol) return 0;
        if (exchanges >= NmMatrix::kMaxExchanges) return 0;
        if (!nmExPivot(t, d, e)) return 0;
        ++exchanges;
    }
}

// ---------------------------------------------------------------- stack-backed tableau

NmExWork::NmExWork(int rows, int cols) : mOk(1), mHeap(nullptr) {
    if (rows < 0 || cols < 0) {
        rows = cols = 0;
        mOk = 0;
    }
    const long entries = static_cast<long>(rows) * cols;
    mT = NmExTableau{mA, mB, mRowState, mColState, rows, cols,
                     nullptr, nullptr, nullptr, nullptr};
    if (entries > kInlineEntries || rows > kInlineLines || cols > kInlineLines) {
        const long bytes = static_cast<long>(sizeof(double)) * (entries + rows) +
                           static_cast<long>(sizeof(int)) * (rows + cols);
        mHeap = vqAllocBuffer<char>(bytes);
        if (!mHeap) {
            mT.rows = mT.cols = 0;
            mOk = 0;
            return;
        }
        double* d = static_cast<double*>(mHeap);
        mT.a = d;
        mT.b = d + entries;
        mT.rowState = reinterpret_cast<int*>(d + entries + rows);
        mT.colState = mT.rowState + rows;
    }
    for (long k = 0; k < entries; ++k) mT.a[k] = 0.0;
    for (int i = 0; i < rows; ++i) {
        mT.b[i] = 0.0;
        mT.rowState[i] = NmMatrix::kExEquality;
    }
    for (int j = 0; j < cols; ++j) mT.colState[j] = NmMatrix::kExEquality;
}

NmExWork::~NmExWork() { vqFreeBuffer(mHeap); }

int NmExWork::feasible(double tol) {
    if (!mOk || std::isnan(tol) || !nmExAllFinite(mT)) return 0;
    clampLimits(tol, nullptr);
    return nmExFeasible(mT, tol);
}

// ---------------------------------------------------------------- NmMatrix members

namespace {

// Tableau view of a matrix and its companions; 0 when their lengths do not fit.
int makeView(double* data, int rows, int cols, NmVector& b, NmIntVec& rowState,
             NmIntVec& colState, NmExTableau& t) {
    if (b.dim() != rows || rowState.dim() != rows || colState.dim() != cols) return 0;
    t = NmExTableau{data,
                    b.data(),
                    rows > 0 ? &rowState[0] : nullptr,
                    cols > 0 ? &colState[0] : nullptr,
                    rows,
                    cols,
                    nullptr,
                    nullptr,
                    nullptr,
                    nullptr};
    return 1;
}

int addObjective(NmVector& cost, double& value, NmIntVec& rowLabel, NmIntVec& colLabel,
                 NmExTableau& t) {
    if (cost.dim() != t.cols || rowLabel.dim() != t.rows || colLabel.dim() != t.cols) return 0;
    t.cost = cost.data();
    t.value = &value;
    t.rowLabel = t.rows > 0 ? &rowLabel[0] : nullptr;
    t.colLabel = t.cols > 0 ? &colLabel[0] : nullptr;
    return 1;
}

}  // namespace

int NmMatrix::feasible(NmVector& b, NmIntVec& rowState, NmIntVec& colState, double tol) {
    NmExTableau t;
    if (!makeView(mData, mRows, mCols, b, rowState, colState, t)) return 0;
    if (std::isnan(tol) || !nmExAllFinite(t)) return 0;
    clampLimits(tol, nullptr);
    return nmExFeasible(t, tol);
}

int NmMatrix::exequal(NmVector& b, NmIntVec& rowState, NmIntVec& colState, double tol) {
    NmExTableau t;
    if (!makeView(mData, mRows, mCols, b, rowState, colState, t)) return 0;
    if (std::isnan(tol) || !nmExAllFinite(t)) return 0;
    clampLimits(tol, nullptr);
    return nmExEqual(t, tol, nullptr);
}

int NmMatrix::pivot(NmVector& b, NmIntVec& rowState, NmIntVec& colState, int r, int c) {
    NmExTableau t;
    if (!makeView(mData, mRows, mCols, b, rowState, colState, t)) return 0;
    return nmExPivot(t, r, c);
}

int NmMatrix::exequal(NmVector& b, NmIntVec& rowState, NmIntVec& colState, NmVector& cost,
                      double& value, NmIntVec& rowLabel, NmIntVec& colLabel, double tol,
                      int& exchanges) {
    NmExTableau t;
    if (!makeView(mData, mRows, mCols, b, rowState, colState, t) ||
        !addObjective(cost, value, rowLabel, colLabel, t))
        return 0;
    if (std::isnan(tol) || !nmExAllFinite(t)) return 0;
    clampLimits(tol, &exchanges);
    return nmExEqual(t, tol, &exchanges);
}

int NmMatrix::feasible(NmVector& b, NmIntVec& rowState, NmIntVec& colState, NmVector& cost,
                       double& value, NmIntVec& rowLabel, NmIntVec& colLabel, double tol,
                       int& exchanges) {
    NmExTableau t;
    if (!makeView(mData, mRows, mCols, b, rowState, colState, t) ||
        !addObjective(cost, value, rowLabel, colLabel, t))
        return 0;
    if (std::isnan(tol) || !nmExAllFinite(t)) return 0;
    clampLimits(tol, &exchanges);
    return nmExFeasibleCost(t, tol, exchanges);
}

int NmMatrix::optimal(NmVector& b, NmIntVec& rowState, NmIntVec& colState, NmVector& cost,
                      double& value, NmIntVec& rowLabel, NmIntVec& colLabel, double tol,
                      int& exchanges) {
    NmExTableau t;
    if (!makeView(mData, mRows, mCols, b, rowState, colState, t) ||
        !addObjective(cost, value, rowLabel, colLabel, t))
        return 0;
    if (std::isnan(tol) || !nmExAllFinite(t)) return 0;
    clampLimits(tol, &exchanges);
    return nmExOptimal(t, tol, exchanges);
}

int NmMatrix::pivot(NmVector& b, NmIntVec& rowState, NmIntVec& colState, NmVector& cost,
                    double& value, NmIntVec& rowLabel, NmIntVec& colLabel, int r, int c) {
    NmExTableau t;
    if (!makeView(mData, mRows, mCols, b, rowState, colState, t) ||
        !addObjective(cost, value, rowLabel, colLabel, t))
        return 0;
    return nmExPivot(t, r, c);
}
