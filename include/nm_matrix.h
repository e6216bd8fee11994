// Numeric kernel dense matrix with its decompositions and solvers.
#ifndef VQGE_NM_MATRIX_H
#define VQGE_NM_MATRIX_H

#include "nm_vector.h"
#include "vqge_defs.h"
#include "vqge_heap.h"

// Dense row-major matrix; entry (i, j) sits at index i * cols + j. The decompositions and
// solvers overwrite the matrix: callers that need it afterwards work on a copy. A failed
// allocation leaves a 0 x 0 matrix. Element-wise operations and products whose dimensions
// do not fit leave this matrix unchanged, and the value-returning ones give an empty
// (0 x 0 or length 0) result.
class VQGE_API NmMatrix {
public:
    VQGE_HOOKED_NEW

    // State codes of the rows and columns of an exchange tableau.
    enum ExchangeState {
        kExEquality = 0,  // equality row not yet eliminated
        kExRow = 1,       // row or column eligible for exchange
        kExRetired = 2,   // row retired
        kExColumn = 3     // row or column eligible for exchange
    };
    // Exchange limit of the nine-argument feasible and of optimal.
    static constexpr int kMaxExchanges = 66;
    // Pivot threshold of the exchanges in the four-argument feasible.
    static constexpr double kExPivotTol = 1e-12;
    // QL iterations allowed per eigenvalue.
    static constexpr int kMaxEigenIter = 66;
    // Row-size and Householder-scale threshold.
    static constexpr double kZeroTol = 1e-12;

    NmMatrix();
    explicit NmMatrix(int n);
    NmMatrix(int r, int c);
    NmMatrix(int n, double d);
    explicit NmMatrix(const NmVector& v);
    NmMatrix(const NmMatrix& src);
    ~NmMatrix();

    NmMatrix& reset(int n);
    NmMatrix& reset(int r, int c);
    // Identity of the current size with the plane rotation (i,i) = (j,j) = c, (i,j) = -s,
    // (j,i) = s; indices outside the matrix leave the plain identity.
    NmMatrix& reset(int i, int j, double c, double s);
    NmMatrix& setDiagonal(double d);
    NmMatrix& operator=(const NmMatrix& src);
    // Keeps the size; v's entries go onto the diagonal as far as both reach.
    NmMatrix& operator=(const NmVector& v);
    NmMatrix& operator=(double d);

    int rowDim() const { return mRows; }
    int colDim() const { return mCols; }
    void dim(int& r, int& c) const {
        r = mRows;
        c = mCols;
    }
    // No bounds check.
    double operator()(int i, int j) const { return mData[i * mCols + j]; }
    double& operator()(int i, int j) { return mData[i * mCols + j]; }

    // Empty vector when the index is out of range.
    NmVector row(int i) const;
    NmVector column(int j) const;
    NmVector diagonal() const;
    NmMatrix& setRow(int i, const NmVector& v);
    NmMatrix& setColumn(int j, const NmVector& v);
    NmMatrix& transpose();

    NmMatrix& operator+=(const NmMatrix& m);
    NmMatrix& operator-=(const NmMatrix& m);
    NmMatrix operator+(const NmMatrix& m) const;
    NmMatrix operator-(const NmMatrix& m) const;
    NmMatrix& operator*=(double s);
    NmMatrix& operator/=(double s);
    NmMatrix operator*(const NmMatrix& m) const;
    NmMatrix& operator*=(const NmMatrix& m);
    // Matrix times column vector (length rows).
    NmVector operator*(const NmVector& v) const;

    // --- LU decompositions (in place) and their solves ---
    // Crout P*A = L*U; rejects a row whose largest entry is at most 1e-12.
    int LUdecompose(NmIntVec& perm);
    void solveAfterLUdecompose(NmVector& b, const NmIntVec& perm) const;
    // Crout with a pivot test against tol.
    int decomposeLU(NmIntVec& perm, double tol);
    void solveLU(const NmIntVec& perm, NmVector& b) const;
    // Implicitly scaled Doolittle decomposition, 4 x 4 only.
    int decomposeLUScaling(NmIntVec& perm, double& sign, double tol);
    void solveLUs(const NmIntVec& perm, NmVector& b) const;

    // 0 when not square or singular; overwrites the matrix with its factors.
    double determinant(double tol);
    // Cholesky solve of the upper triangle; 0 on success, else the 1-based failing pivot.
    int symmetricLU(NmVector& b, double tol);
    NmMatrix& invert(double tol);
    // 4 x 4 only; on failure the matrix is unchanged and ok is false.
    NmMatrix& invertLUs(double tol, bool& ok);
    // Exact (square), minimum-norm (rows < cols) or least-squares (rows > cols) solve.
    int solve(NmVector& b, double tol);
    // Always yields a solution, truncating eigenvalues not above tol when singular.
    void force(NmVector& b, double tol);
    // Symmetric eigen-decomposition; column i then holds the eigenvector of values[i].
    int eigensystem(NmVector& values);

    // --- Jordan-exchange feasibility (tableau: this matrix with b as right-hand column) ---
    int feasible(NmVector& b, NmIntVec& rowState, NmIntVec& colState, double tol);
    int exequal(NmVector& b, NmIntVec& rowState, NmIntVec& colState, double tol);
    // Complete Jordan exchange on a(r, c); 0 (nothing changed) when the indices are out of
    // range or |a(r, c)| is below kExPivotTol.
    int pivot(NmVector& b, NmIntVec& rowState, NmIntVec& colState, int r, int c);
    // Variants carrying a cost row with its objective value and a second pair of label
    // vectors; exchanges counts the exchanges made so far, shared by feasible and optimal
    // against kMaxExchanges.
    int exequal(NmVector& b, NmIntVec& rowState, NmIntVec& colState, NmVector& cost, double& value,
                NmIntVec& rowLabel, NmIntVec& colLabel, double tol, int& exchanges);
    int feasible(NmVector& b, NmIntVec& rowState, NmIntVec& colState, NmVector& cost, double& value,
                 NmIntVec& rowLabel, NmIntVec& colLabel, double tol, int& exchanges);
    int optimal(NmVector& b, NmIntVec& rowState, NmIntVec& colState, NmVector& cost, double& value,
                NmIntVec& rowLabel, NmIntVec& colLabel, double tol, int& exchanges);
    int pivot(NmVector& b, NmIntVec& rowState, NmIntVec& colState, NmVector& cost, double& value,
              NmIntVec& rowLabel, NmIntVec& colLabel, int r, int c);

private:
    int isUpperTriangular() const;
    // Reallocates for r x c when the size differs (contents undefined); 0 x 0 on failure.
    void takeStorage(int r, int c);
    int count() const { return mRows * mCols; }

    int mRows;
    int mCols;
    double* mData;
};

// Row vector times matrix (length cols); empty when v's length is not rows.
VQGE_API NmVector operator*(const NmVector& v, const NmMatrix& m);

#endif
