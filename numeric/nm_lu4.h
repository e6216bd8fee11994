// Scaled LU of a 4 x 4 row-major block on caller storage, without heap traffic; the
// transformation-matrix inverse calls these directly.
#ifndef VQGE_NUMERIC_NM_LU4_H
#define VQGE_NUMERIC_NM_LU4_H

// Implicitly scaled Doolittle decomposition in place: 1/0. perm receives the pivot rows,
// sign the permutation's parity (+1/-1). Fails on a row whose largest entry is below tol
// or a pivot below tol (NaN fails too).
int nmDecomposeLU4(double a[16], int perm[4], double& sign, double tol);

// Solves with the factors of nmDecomposeLU4; b is replaced by the solution.
void nmSolveLU4(const double a[16], const int perm[4], double b[4]);

// Replaces a by its inverse: 1/0. On failure a is unchanged. An upper-triangular block is
// solved without decomposing, but still fails on a diagonal entry below tol (or zero, for
// any tol); an inverse with a non-finite entry is a failure too.
int nmInvertLU4(double a[16], double tol);

#endif
