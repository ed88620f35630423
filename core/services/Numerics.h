// Eigenvalues of small symmetric matrices (principal stresses) and an in-place sort.
// Matrices are n x n doubles stored row by row: element (i, j) at index i * n + j.
#pragma once

// Threshold Jacobi method. A (symmetric, only its diagonal and upper triangle are read) is
// overwritten; eigenvalues[i] is the final diagonal, unsorted; column j of V is the unit
// eigenvector of eigenvalues[j]. n < 1 does nothing.
void JacobiEigen(double* eigenvalues, double* V, double* A, int n);

// Ascending selection sort; of equal values the first stays first. n < 1 does nothing.
void SortAscending(double* values, int n);
