// NmMatrix Jordan-exchange feasibility, pivots and the objective-carrying forms.
#include <climits>
#include <cmath>
#include <limits>
#include <random>

#include "nm_matrix.h"
#include "test_helpers.h"

namespace {

NmMatrix fromRows(int r, int c, const double* v) {
    NmMatrix m(r, c);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) m(i, j) = v[i * c + j];
    return m;
}

NmVector vec(int n, const double* v) { return NmVector(n, v); }

NmIntVec states(int n, const int* v) {
    NmIntVec s(n);
    for (int i = 0; i < n; ++i) s[i] = v[i];
    return s;
}

// The standard-form LP used by the objective tests:
//   x + 2y <= 4,  3x + y <= 6,  x, y >= 0;  maximise x + y (optimum 2.8 at (1.6, 1.2)).
struct SmallLp {
    NmMatrix a;
    NmVector b;
    NmIntVec rowState;
    NmIntVec colState;
    NmVector cost;
    double value;
    NmIntVec rowLabel;
    NmIntVec colLabel;
    SmallLp() : value(0.0) {
        const double av[] = {1, 2, 3, 1};
        const double bv[] = {4, 6};
        const double cv[] = {-1, -1};
        a = fromRows(2, 2, av);
        b = vec(2, bv);
        rowState.reset(2, NmMatrix::kExRow);
        colState.reset(2, NmMatrix::kExColumn);
        cost = vec(2, cv);
        // Labels: rows carry slacks 10, 11; columns the variables 0 (x) and 1 (y).
        rowLabel.reset(2);
        rowLabel[0] = 10;
        rowLabel[1] = 11;
        colLabel.reset(2);
        colLabel[0] = 0;
        colLabel[1] = 1;
    }
};

}  // namespace

TEST(NmMatrixExchange, Pivot_TwoByTwo_MatchesJordanExchange) {
    const double av[] = {2, 4, 1, 3};
    const double bv[] = {6, 5};
    NmMatrix a = fromRows(2, 2, av);
    NmVector b = vec(2, bv);
    NmIntVec rs(2, NmMatrix::kExEquality);
    NmIntVec cs(2, NmMatrix::kExColumn);
    ASSERT_EQ(1, a.pivot(b, rs, cs, 0, 0));
    EXPECT_DOUBLE_EQ(0.5, a(0, 0));    // 1/p
    EXPECT_DOUBLE_EQ(2.0, a(0, 1));    // a(r,j)/p
    EXPECT_DOUBLE_EQ(-0.5, a(1, 0));   // -a(i,c)/p
    EXPECT_DOUBLE_EQ(1.0, a(1, 1));    // 3 - 4*1/2
    EXPECT_DOUBLE_EQ(3.0, b[0]);       // b_r/p
    EXPECT_DOUBLE_EQ(2.0, b[1]);       // 5 - 1*6/2
    // The states swap: the eliminated equality leaves 0 on its column.
    EXPECT_EQ(NmMatrix::kExColumn, rs[0]);
    EXPECT_EQ(NmMatrix::kExEquality, cs[0]);
}

TEST(NmMatrixExchange, Pivot_Twice_RestoresTableauSeeded) {
    std::mt19937 rng(4242);
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    for (int trial = 0; trial < 50; ++trial) {
        const int r = 1 + static_cast<int>(rng() % 5);
        const int c = 1 + static_cast<int>(rng() % 5);
        NmMatrix a(r, c);
        NmVector b(r);
        for (int i = 0; i < r; ++i) {
            b[i] = u(rng);
            for (int j = 0; j < c; ++j) a(i, j) = u(rng);
        }
        const int pr = static_cast<int>(rng() % r);
        const int pc = static_cast<int>(rng() % c);
        a(pr, pc) += a(pr, pc) < 0 ? -0.5 : 0.5;
        const NmMatrix a0(a);
        const NmVector b0(b);
        NmIntVec rs(r, NmMatrix::kExRow);
        NmIntVec cs(c, NmMatrix::kExColumn);
        ASSERT_EQ(1, a.pivot(b, rs, cs, pr, pc));
        ASSERT_EQ(1, a.pivot(b, rs, cs, pr, pc));
        for (int i = 0; i < r; ++i) {
            EXPECT_NEAR(b0[i], b[i], 1e-9);
            for (int j = 0; j < c; ++j) EXPECT_NEAR(a0(i, j), a(i, j), 1e-9);
        }
    }
}

TEST(NmMatrixExchange, Pivot_BadIndexOrTinyPivot_RefusedAndUnchanged) {
    const double av[] = {1e-13, 1, 2, 3};
    const double bv[] = {1, 2};
    NmMatrix a = fromRows(2, 2, av);
    NmVector b = vec(2, bv);
    NmIntVec rs(2, NmMatrix::kExRow);
    NmIntVec cs(2, NmMatrix::kExColumn);
    EXPECT_EQ(0, a.pivot(b, rs, cs, 0, 0));
    EXPECT_EQ(0, a.pivot(b, rs, cs, -1, 0));
    EXPECT_EQ(0, a.pivot(b, rs, cs, 2, 0));
    EXPECT_EQ(0, a.pivot(b, rs, cs, 0, 2));
    EXPECT_EQ(1e-13, a(0, 0));
    EXPECT_EQ(1.0, b[0]);
    EXPECT_EQ(NmMatrix::kExRow, rs[0]);
    EXPECT_EQ(NmMatrix::kExColumn, cs[0]);
}

TEST(NmMatrixExchange, Exequal_DependentRows_RetiredOrInfeasibleByRhs) {
    // Row 1 is twice row 0: once row 0 is eliminated it has nothing left but its b.
    const double av[] = {1, 2, 2, 4};
    for (double b1 : {2.0, 3.0}) {
        NmMatrix a = fromRows(2, 2, av);
        const double bv[] = {1, b1};
        NmVector b = vec(2, bv);
        NmIntVec rs(2, NmMatrix::kExEquality);
        NmIntVec cs(2, NmMatrix::kExColumn);
        const int ok = a.exequal(b, rs, cs, 1e-9);
        EXPECT_EQ(b1 == 2.0 ? 1 : 0, ok);
        // The largest entry of row 0 (column 1) was the pivot; the states swapped.
        EXPECT_EQ(NmMatrix::kExColumn, rs[0]);
        EXPECT_EQ(NmMatrix::kExEquality, cs[1]);
        EXPECT_EQ(NmMatrix::kExColumn, cs[0]);
        if (ok) {
            EXPECT_EQ(NmMatrix::kExRetired, rs[1]);
        }
    }
}

TEST(NmMatrixExchange, Feasible_IntervalConstraints_DecidedByBoundsAndTolerance) {
    // x = v (equality), x <= 1, x >= 0 by the column state.
    const double av[] = {1, 1};
    for (double v : {-0.5, 0.0, 0.5, 1.0, 1.5}) {
        NmMatrix a = fromRows(2, 1, av);
        const double bv[] = {v, 1.0};
        NmVector b = vec(2, bv);
        const int rsv[] = {NmMatrix::kExEquality, NmMatrix::kExRow};
        NmIntVec rs = states(2, rsv);
        NmIntVec cs(1, NmMatrix::kExColumn);
        EXPECT_EQ(v >= 0.0 && v <= 1.0 ? 1 : 0, a.feasible(b, rs, cs, 1e-12)) << v;
    }
    // The tolerance widens the bounds.
    for (double tol : {1e-9, 1e-6}) {
        NmMatrix a = fromRows(2, 1, av);
        const double bv[] = {1.0 + 1e-7, 1.0};
        NmVector b = vec(2, bv);
        const int rsv[] = {NmMatrix::kExEquality, NmMatrix::kExRow};
        NmIntVec rs = states(2, rsv);
        NmIntVec cs(1, NmMatrix::kExColumn);
        EXPECT_EQ(tol > 1e-7 ? 1 : 0, a.feasible(b, rs, cs, tol)) << tol;
    }
}

TEST(NmMatrixExchange, Feasible_RetiredAndFixedColumns_NotUsed) {
    // Column 0 has state 0 (not eligible): -x0 <= -1 cannot be met by moving x0.
    const double av[] = {-1, 0};
    const double bv[] = {-1};
    NmMatrix a = fromRows(1, 2, av);
    NmVector b = vec(1, bv);
    NmIntVec rs(1, NmMatrix::kExRow);
    const int csv[] = {NmMatrix::kExEquality, NmMatrix::kExColumn};
    NmIntVec cs = states(2, csv);
    EXPECT_EQ(0, a.feasible(b, rs, cs, 1e-12));
    // A retired row is no constraint at all.
    a = fromRows(1, 2, av);
    b = vec(1, bv);
    rs.reset(1, NmMatrix::kExRetired);
    cs = states(2, csv);
    EXPECT_EQ(1, a.feasible(b, rs, cs, 1e-12));
}

TEST(NmMatrixExchange, Feasible_NoColumns_JudgedOnRightHandSide) {
    NmMatrix a(2, 0);
    const double ok[] = {0.0, 3.0};
    NmVector b = vec(2, ok);
    NmIntVec rs(2, NmMatrix::kExRow);
    NmIntVec cs;
    EXPECT_EQ(1, a.feasible(b, rs, cs, 1e-12));
    const double bad[] = {0.0, -3.0};
    b = vec(2, bad);
    EXPECT_EQ(0, a.feasible(b, rs, cs, 1e-12));
    NmMatrix empty;
    NmVector none;
    NmIntVec noRows;
    EXPECT_EQ(1, empty.feasible(none, noRows, cs, 1e-12));
}

TEST(NmMatrixExchange, AllForms_DimensionMismatch_ReturnZeroUnchanged) {
    const double av[] = {1, 2, 3, 4, 5, 6};
    NmMatrix a = fromRows(3, 2, av);
    NmVector b(3, 1.0);
    NmIntVec rs(3, NmMatrix::kExRow);
    NmIntVec cs(2, NmMatrix::kExColumn);
    NmVector shortB(2, -1.0);
    NmIntVec shortRs(2, NmMatrix::kExEquality);
    NmIntVec longCs(3, NmMatrix::kExColumn);
    EXPECT_EQ(0, a.feasible(shortB, rs, cs, 1e-9));
    EXPECT_EQ(0, a.feasible(b, shortRs, cs, 1e-9));
    EXPECT_EQ(0, a.feasible(b, rs, longCs, 1e-9));
    EXPECT_EQ(0, a.exequal(shortB, rs, cs, 1e-9));
    EXPECT_EQ(0, a.pivot(b, rs, longCs, 0, 0));
    for (int k = 0; k < 6; ++k) EXPECT_EQ(av[k], a(k / 2, k % 2));
    EXPECT_EQ(-1.0, shortB[0]);
    EXPECT_EQ(NmMatrix::kExEquality, shortRs[0]);
    // The objective-carrying forms check the cost row and the labels as well.
    SmallLp lp;
    NmVector shortCost(1, -1.0);
    NmIntVec shortLabels(1, 0);
    int exchanges = 0;
    EXPECT_EQ(0, lp.a.optimal(lp.b, lp.rowState, lp.colState, shortCost, lp.value, lp.rowLabel,
                              lp.colLabel, 1e-12, exchanges));
    EXPECT_EQ(0, lp.a.feasible(lp.b, lp.rowState, lp.colState, lp.cost, lp.value, shortLabels,
                               lp.colLabel, 1e-12, exchanges));
    EXPECT_EQ(0, lp.a.exequal(lp.b, lp.rowState, lp.colState, lp.cost, lp.value, lp.rowLabel,
                              shortLabels, 1e-12, exchanges));
    EXPECT_EQ(0, lp.a.pivot(lp.b, lp.rowState, lp.colState, shortCost, lp.value, lp.rowLabel,
                            lp.colLabel, 0, 0));
    EXPECT_EQ(0, exchanges);
    EXPECT_EQ(1.0, lp.a(0, 0));
}

TEST(NmMatrixExchange, Feasible_NonFiniteInput_ReturnsZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double bad : {nan, inf}) {
        const double av[] = {1, bad};
        NmMatrix a = fromRows(2, 1, av);
        NmVector b(2, 1.0);
        NmIntVec rs(2, NmMatrix::kExRow);
        NmIntVec cs(1, NmMatrix::kExColumn);
        EXPECT_EQ(0, a.feasible(b, rs, cs, 1e-9));
        const double ones[] = {1, 1};
        NmMatrix c = fromRows(2, 1, ones);
        NmVector bb(2, 1.0);
        bb[1] = bad;
        EXPECT_EQ(0, c.feasible(bb, rs, cs, 1e-9));
    }
    NmMatrix a(1, 1.0);
    NmVector b(1, 1.0);
    NmIntVec rs(1, NmMatrix::kExRow);
    NmIntVec cs(1, NmMatrix::kExColumn);
    EXPECT_EQ(0, a.feasible(b, rs, cs, nan));
}

TEST(NmMatrixExchange, Feasible_RandomSystems_AgreeWithKnownPointSeeded) {
    // Systems built around a known admissible point are feasible; pushing one row's bound
    // past what its non-negative variables can reach makes them infeasible.
    std::mt19937 rng(20240607);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int trial = 0; trial < 400; ++trial) {
        const int m = 2 + static_cast<int>(rng() % 5);
        const int n = 1 + static_cast<int>(rng() % 4);
        const int eq = static_cast<int>(rng() % 2);
        NmMatrix a(m, n);
        NmVector x(n);
        NmVector b(m);
        NmIntVec rs(m, NmMatrix::kExRow);
        for (int j = 0; j < n; ++j) x[j] = 0.5 * (u(rng) + 1.0);
        for (int i = 0; i < m; ++i) {
            double s = 0.0;
            for (int j = 0; j < n; ++j) {
                a(i, j) = u(rng);
                s += a(i, j) * x[j];
            }
            b[i] = s + (i < eq ? 0.0 : 0.1 * (u(rng) + 1.0));
            if (i < eq) rs[i] = NmMatrix::kExEquality;
        }
        NmMatrix a2(a);
        NmVector b2(b);
        NmIntVec rs2(rs);
        NmIntVec cs(n, NmMatrix::kExColumn);
        EXPECT_EQ(1, a.feasible(b, rs, cs, 1e-9)) << "trial " << trial;
        // Row m-1 made all-positive with a negative bound: nothing non-negative meets it.
        for (int j = 0; j < n; ++j) a2(m - 1, j) = std::fabs(a2(m - 1, j)) + 0.1;
        b2[m - 1] = -0.5;
        rs2[m - 1] = NmMatrix::kExRow;
        cs.reset(n, NmMatrix::kExColumn);
        EXPECT_EQ(0, a2.feasible(b2, rs2, cs, 1e-9)) << "trial " << trial;
    }
}

TEST(NmMatrixExchange, Optimal_SmallLp_ReachesOptimumWithLabels) {
    SmallLp lp;
    int exchanges = 0;
    ASSERT_EQ(1, lp.a.optimal(lp.b, lp.rowState, lp.colState, lp.cost, lp.value, lp.rowLabel,
                              lp.colLabel, 1e-10, exchanges));
    EXPECT_NEAR(2.8, lp.value, 1e-12);
    EXPECT_GT(exchanges, 0);
    EXPECT_LE(exchanges, NmMatrix::kMaxExchanges);
    // Both variables ended in rows; their right-hand sides are their values.
    double x = -1.0;
    double y = -1.0;
    for (int i = 0; i < 2; ++i) {
        if (lp.rowLabel[i] == 0) x = lp.b[i];
        if (lp.rowLabel[i] == 1) y = lp.b[i];
    }
    EXPECT_NEAR(1.6, x, 1e-12);
    EXPECT_NEAR(1.2, y, 1e-12);
    for (int j = 0; j < 2; ++j) EXPECT_GE(lp.cost[j], 0.0);
}

TEST(NmMatrixExchange, Optimal_Unbounded_ReturnsZero) {
    // x - y <= 1 leaves x + y unbounded above.
    const double av[] = {1, -1};
    const double bv[] = {1};
    const double cv[] = {-1, -1};
    NmMatrix a = fromRows(1, 2, av);
    NmVector b = vec(1, bv);
    NmIntVec rs(1, NmMatrix::kExRow);
    NmIntVec cs(2, NmMatrix::kExColumn);
    NmVector cost = vec(2, cv);
    double value = 0.0;
    NmIntVec rl(1, 0);
    NmIntVec cl(2, 0);
    int exchanges = 0;
    EXPECT_EQ(0, a.optimal(b, rs, cs, cost, value, rl, cl, 1e-10, exchanges));
}

TEST(NmMatrixExchange, PivotWithCost_UpdatesCostValueAndLabels) {
    SmallLp lp;
    ASSERT_EQ(1, lp.a.pivot(lp.b, lp.rowState, lp.colState, lp.cost, lp.value, lp.rowLabel,
                            lp.colLabel, 1, 0));
    // Pivot p = 3 on (1, 0): x enters row 1 with x = 2 - y/3 - s1/3.
    EXPECT_DOUBLE_EQ(1.0 / 3.0, lp.cost[0]);         // -c_c/p
    EXPECT_DOUBLE_EQ(-1.0 + 1.0 / 3.0, lp.cost[1]);  // c_j - a(r,j)/p * c_c
    EXPECT_DOUBLE_EQ(2.0, lp.value);                 // value - b_r/p * c_c
    EXPECT_EQ(0, lp.rowLabel[1]);
    EXPECT_EQ(11, lp.colLabel[0]);
    EXPECT_EQ(NmMatrix::kExColumn, lp.rowState[1]);
    EXPECT_EQ(NmMatrix::kExRow, lp.colState[0]);
}

TEST(NmMatrixExchange, FeasibleWithCost_ExchangeLimit_Holds) {
    // -x <= -1 needs one exchange: refused once the shared counter is at the limit.
    const double av[] = {-1};
    const double bv[] = {-1};
    const double cv[] = {1};
    for (int start : {NmMatrix::kMaxExchanges - 1, NmMatrix::kMaxExchanges}) {
        NmMatrix a = fromRows(1, 1, av);
        NmVector b = vec(1, bv);
        NmIntVec rs(1, NmMatrix::kExRow);
        NmIntVec cs(1, NmMatrix::kExColumn);
        NmVector cost = vec(1, cv);
        double value = 0.0;
        NmIntVec rl(1, 0);
        NmIntVec cl(1, 1);
        int exchanges = start;
        const int ok = a.feasible(b, rs, cs, cost, value, rl, cl, 1e-12, exchanges);
        EXPECT_EQ(start < NmMatrix::kMaxExchanges ? 1 : 0, ok);
        EXPECT_LE(exchanges, NmMatrix::kMaxExchanges);
    }
    // A tableau that is already feasible needs no exchange, even at the limit.
    SmallLp lp;
    int exchanges = NmMatrix::kMaxExchanges;
    EXPECT_EQ(1, lp.a.feasible(lp.b, lp.rowState, lp.colState, lp.cost, lp.value, lp.rowLabel,
                               lp.colLabel, 1e-12, exchanges));
    EXPECT_EQ(0, lp.a.optimal(lp.b, lp.rowState, lp.colState, lp.cost, lp.value, lp.rowLabel,
                              lp.colLabel, 1e-12, exchanges));
    EXPECT_EQ(NmMatrix::kMaxExchanges, exchanges);
}

// A negative exchange count lifted the limit of 66 and a negative tolerance made every row
// and entry eligible: 1 x 1 tableaus pivoted back and forth for up to 2^31 exchanges. The
// count now starts at zero and the tolerance counts as zero.
TEST(NmMatrixExchange, FeasibleOptimal_NegativeCountAndTolerance_ClampedAndBounded) {
    for (double tol : {-10.0, -1e-12, -HUGE_VAL}) {
        for (int start : {-1, -1000, INT_MIN}) {
            const double av[] = {1};
            const double bv[] = {1};
            const double cv[] = {1};
            for (int opt = 0; opt < 2; ++opt) {
                NmMatrix a = fromRows(1, 1, av);
                NmVector b = vec(1, bv);
                NmIntVec rs(1, NmMatrix::kExRow), cs(1, NmMatrix::kExColumn);
                NmVector cost = vec(1, cv);
                double value = 0.0;
                NmIntVec rl(1, 0), cl(1, 1);
                int exchanges = start;
                const int ok = opt ? a.optimal(b, rs, cs, cost, value, rl, cl, tol, exchanges)
                                   : a.feasible(b, rs, cs, cost, value, rl, cl, tol, exchanges);
                // Feasible as posed (b >= 0) and optimal at x = 0 (cost >= 0): no exchange.
                EXPECT_EQ(ok, 1);
                EXPECT_EQ(exchanges, 0);
                EXPECT_EQ(a(0, 0), 1.0);
            }
            NmMatrix a = fromRows(1, 1, av);
            NmVector b = vec(1, bv);
            NmIntVec rs(1, NmMatrix::kExRow), cs(1, NmMatrix::kExColumn);
            EXPECT_EQ(a.feasible(b, rs, cs, tol), 1);
            EXPECT_EQ(a(0, 0), 1.0);
        }
    }
    // Seeded tableaus under hostile counts and tolerances: the shared counter never passes
    // the limit and every call returns.
    std::mt19937 rng(6);
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    for (int trial = 0; trial < 300; ++trial) {
        const int r = 1 + trial % 5, c = 1 + (trial / 5) % 4;
        NmMatrix a(r, c);
        NmVector b(r), cost(c);
        for (int i = 0; i < r; ++i) {
            b[i] = u(rng);
            for (int j = 0; j < c; ++j) a(i, j) = u(rng);
        }
        for (int j = 0; j < c; ++j) cost[j] = u(rng);
        NmIntVec rs(r, NmMatrix::kExRow), cs(c, NmMatrix::kExColumn), rl(r, 0), cl(c, 1);
        double value = 0.0;
        int exchanges = -(trial * 7919);
        const double tol = trial % 2 ? -std::fabs(u(rng)) : -1e-12;
        a.optimal(b, rs, cs, cost, value, rl, cl, tol, exchanges);
        EXPECT_GE(exchanges, 0);
        EXPECT_LE(exchanges, NmMatrix::kMaxExchanges);
    }
}
