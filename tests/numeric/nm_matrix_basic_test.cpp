// NmMatrix construction, element access, rows and columns, arithmetic and products.
#include <climits>

#include "nm_matrix.h"
#include "test_helpers.h"

namespace {

NmMatrix fromRows(int r, int c, const double* v) {
    NmMatrix m(r, c);
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) m(i, j) = v[i * c + j];
    return m;
}

}  // namespace

TEST(NmMatrix, Construct_Forms_SizesAndEntries) {
    NmMatrix e;
    EXPECT_EQ(e.rowDim(), 0);
    EXPECT_EQ(e.colDim(), 0);
    NmMatrix z(3);
    EXPECT_EQ(z.rowDim(), 3);
    EXPECT_EQ(z(2, 1), 0.0);
    NmMatrix r(2, 5);
    int rows, cols;
    r.dim(rows, cols);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(cols, 5);
    NmMatrix d(3, 2.5);
    EXPECT_EQ(d(1, 1), 2.5);
    EXPECT_EQ(d(0, 1), 0.0);
    const double p[3] = {1.0, 2.0, 3.0};
    NmMatrix dv(NmVector(3, p));
    EXPECT_EQ(dv(2, 2), 3.0);
    EXPECT_EQ(dv(2, 0), 0.0);
    NmMatrix c(dv);
    c(0, 0) = 9.0;
    EXPECT_EQ(dv(0, 0), 1.0);
}

TEST(NmMatrix, Reset_SameSize_ZeroFillsAgain) {
    NmMatrix m(2, 3);
    m = 4.0;
    EXPECT_EQ(m(1, 2), 4.0);
    m.reset(2, 3);
    EXPECT_EQ(m(1, 2), 0.0);
    m = 1.0;
    m.reset(3, 2);  // same block size, new shape
    EXPECT_EQ(m.rowDim(), 3);
    EXPECT_EQ(m(2, 1), 0.0);
    m.reset(-1, 4);
    EXPECT_EQ(m.rowDim(), 0);
    EXPECT_EQ(m.colDim(), 0);
}

TEST(NmMatrix, ResetRotation_PlaneRotation_IdentityElsewhere) {
    NmMatrix m(3);
    m.reset(0, 2, 0.6, 0.8);
    EXPECT_EQ(m(0, 0), 0.6);
    EXPECT_EQ(m(2, 2), 0.6);
    EXPECT_EQ(m(0, 2), -0.8);
    EXPECT_EQ(m(2, 0), 0.8);
    EXPECT_EQ(m(1, 1), 1.0);
    m.reset(0, 7, 0.6, 0.8);
    EXPECT_EQ(m(0, 0), 1.0);
    EXPECT_EQ(m(0, 2), 0.0);
}

TEST(NmMatrix, AssignVector_KeepsSize_DiagonalFromVector) {
    NmMatrix m(2, 2);
    m = 5.0;
    m = NmVector(3, 7.0);
    EXPECT_EQ(m.rowDim(), 2);
    EXPECT_EQ(m(1, 1), 7.0);
    EXPECT_EQ(m(0, 1), 0.0);
    m.setDiagonal(-1.0);
    EXPECT_EQ(m(0, 0), -1.0);
}

TEST(NmMatrix, RowsAndColumns_GetSet_BadInputIgnored) {
    const double v[6] = {1, 2, 3, 4, 5, 6};
    NmMatrix m = fromRows(2, 3, v);
    NmVector r = m.row(1);
    ASSERT_EQ(r.dim(), 3);
    EXPECT_EQ(r[2], 6.0);
    NmVector c = m.column(2);
    ASSERT_EQ(c.dim(), 2);
    EXPECT_EQ(c[0], 3.0);
    NmVector d = m.diagonal();
    ASSERT_EQ(d.dim(), 2);
    EXPECT_EQ(d[1], 5.0);
    EXPECT_EQ(m.row(2).dim(), 0);
    EXPECT_EQ(m.column(-1).dim(), 0);

    m.setRow(0, NmVector(3, 9.0));
    EXPECT_EQ(m(0, 1), 9.0);
    m.setColumn(1, NmVector(2, -1.0));
    EXPECT_EQ(m(1, 1), -1.0);
    const NmMatrix before(m);
    m.setRow(5, NmVector(3, 0.0));
    m.setRow(1, NmVector(2, 0.0));
    m.setColumn(3, NmVector(2, 0.0));
    m.setColumn(0, NmVector(3, 0.0));
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_EQ(m(i, j), before(i, j));
}

TEST(NmMatrix, Transpose_SquareAndRectangular_Swapped) {
    const double v[6] = {1, 2, 3, 4, 5, 6};
    NmMatrix m = fromRows(2, 3, v);
    m.transpose();
    ASSERT_EQ(m.rowDim(), 3);
    ASSERT_EQ(m.colDim(), 2);
    EXPECT_EQ(m(0, 1), 4.0);
    EXPECT_EQ(m(2, 0), 3.0);
    EXPECT_EQ(m(2, 1), 6.0);
    NmMatrix s = fromRows(2, 2, v);
    s.transpose();
    EXPECT_EQ(s(0, 1), 3.0);
    EXPECT_EQ(s(1, 0), 2.0);
}

TEST(NmMatrix, ElementWise_MatchingAndMismatched_SumsOrUnchanged) {
    const double v[4] = {1, 2, 3, 4};
    NmMatrix a = fromRows(2, 2, v), b(2, 1.0);
    NmMatrix s = a + b;
    EXPECT_EQ(s(0, 0), 2.0);
    EXPECT_EQ(s(0, 1), 2.0);
    NmMatrix d = a - b;
    EXPECT_EQ(d(1, 1), 3.0);
    a += b;
    a -= b;
    a *= 2.0;
    a /= 4.0;
    EXPECT_EQ(a(1, 0), 1.5);
    NmMatrix big(3);
    a += big;
    EXPECT_EQ(a(1, 0), 1.5);
    EXPECT_EQ((a + big).rowDim(), 0);
    EXPECT_EQ((a - big).rowDim(), 0);
}

TEST(NmMatrix, Products_MatrixAndVectors_RowMajorSemantics) {
    const double v[6] = {1, 2, 3, 4, 5, 6};
    NmMatrix a = fromRows(2, 3, v);
    NmMatrix b = fromRows(3, 2, v);
    NmMatrix p = a * b;
    ASSERT_EQ(p.rowDim(), 2);
    ASSERT_EQ(p.colDim(), 2);
    EXPECT_EQ(p(0, 0), 22.0);
    EXPECT_EQ(p(0, 1), 28.0);
    EXPECT_EQ(p(1, 0), 49.0);
    EXPECT_EQ(p(1, 1), 64.0);
    EXPECT_EQ((a * a).rowDim(), 0);

    const double x[3] = {1, 0, -1};
    NmVector ax = a * NmVector(3, x);
    ASSERT_EQ(ax.dim(), 2);
    EXPECT_EQ(ax[0], -2.0);
    EXPECT_EQ(ax[1], -2.0);
    EXPECT_EQ((a * NmVector(2, 1.0)).dim(), 0);
    NmVector xa = NmVector(2, 1.0) * a;
    ASSERT_EQ(xa.dim(), 3);
    EXPECT_EQ(xa[2], 9.0);
    EXPECT_EQ((NmVector(3, 1.0) * a).dim(), 0);

    NmMatrix sq = fromRows(2, 2, v);
    NmMatrix rot(2);
    rot.reset(0, 1, 0.0, 1.0);
    sq *= rot;
    EXPECT_EQ(sq(0, 0), 2.0);
    EXPECT_EQ(sq(0, 1), -1.0);
    sq *= a;  // not of this size: ignored
    EXPECT_EQ(sq.colDim(), 2);
    EXPECT_EQ(sq(0, 0), 2.0);
}

TEST(NmMatrix, Memory_HooksOnlyAndAllReleased) {
    CountingHooks hooks;
    {
        NmMatrix a(5, 1.0);
        NmMatrix b(a);
        b.transpose();
        NmMatrix c = a * b;
        c.reset(6, 2);
        c.transpose();
        a = c;
        EXPECT_GT(CountingHooks::allocs(), 0);
    }
    EXPECT_EQ(hooks.outstanding(), 0);
    CountingHooks::failAfter() = 0;
    NmMatrix f(4, 4);
    EXPECT_EQ(f.rowDim(), 0);
    EXPECT_EQ(f.colDim(), 0);
    CountingHooks::failAfter() = -1;
}

// transpose of a matrix with a zero dimension and *= of 0 x 0 matrices handed memcpy a null
// block. They only change dimensions now.
TEST(NmMatrix, ZeroDimension_TransposeAndProducts_NoNullCopy) {
    for (int n : {0, 1, 3, 7}) {
        NmMatrix m(n, 0);
        m.transpose();
        EXPECT_EQ(m.rowDim(), 0);
        EXPECT_EQ(m.colDim(), n);
        m.transpose();
        EXPECT_EQ(m.rowDim(), n);
        EXPECT_EQ(m.colDim(), 0);
        NmMatrix z(0, n);
        // (n x 0) * (0 x n): n x n of zeros; (0 x n) * (n x 0): 0 x 0.
        const NmMatrix outer = m * z;
        ASSERT_EQ(outer.rowDim(), n);
        ASSERT_EQ(outer.colDim(), n);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) EXPECT_EQ(outer(i, j), 0.0);
        const NmMatrix inner = z * m;
        EXPECT_EQ(inner.rowDim() * inner.colDim(), 0);
        EXPECT_EQ((m * NmVector()).dim(), n);
        EXPECT_EQ((z * NmVector(n, 1.0)).dim(), 0);
    }
    NmMatrix e, f;
    e *= f;
    e *= 2.0;
    e += f;
    e.transpose();
    EXPECT_EQ(e.rowDim(), 0);
    EXPECT_EQ(e.colDim(), 0);
}

// rows * cols past INT_MAX used to overflow int before any check; such a block is refused
// like a failed allocation without asking the heap.
TEST(NmMatrix, EntryCountPastIntMax_RefusedAsEmptyWithoutRequest) {
    CountingHooks hooks;
    for (int r : {46341, 100000, 1 << 30}) {
        NmMatrix m(r, r);
        EXPECT_EQ(m.rowDim(), 0);
        EXPECT_EQ(m.colDim(), 0);
        NmMatrix k(2, 2);
        k.reset(r, INT_MAX);
        EXPECT_EQ(k.rowDim(), 0);
    }
    EXPECT_EQ(CountingHooks::allocs(), 3);  // the three 2 x 2 blocks only
    EXPECT_EQ(hooks.outstanding(), 0);
}
