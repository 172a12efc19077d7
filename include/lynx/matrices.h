/* lynxUtility: 3x3 and 6x6 matrices, tilde operations, frame transforms,
 * block index lists and array fill.
 *
 * Every argument is passed by address, counts included.  A 3x3 matrix is
 * nine doubles in column-major order, element (i, j) at position
 * i + 3(j - 1); a 6x6 matrix is 36 doubles, element (i, j) at i + 6(j - 1).
 * The tilde matrix of a 3-vector a is the skew-symmetric matrix with
 * (tilde a) b = a x b.  Results come back through the first argument and must
 * not share storage with an operand. */
#ifndef LYNX_MATRICES_H
#define LYNX_MATRICES_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

/* p = A b. */
LYNX_API void FSM31(double *p, const double *a, const double *b);
/* p = A^T b. */
LYNX_API void FSM3T1(double *p, const double *a, const double *b);
/* P = A B, each element (A(i,1) B(1,j) + A(i,2) B(2,j)) + A(i,3) B(3,j). */
LYNX_API void FSM33(double *p, const double *a, const double *b);
/* P = A^T B. */
LYNX_API void FSM3T3(double *p, const double *a, const double *b);

/* P = tilde a, stored as 0, a3, -a2, -a3, 0, a1, a2, -a1, 0; each negative
 * entry is 0 - x, so +0.0 for a zero component. */
LYNX_API void SKEW(double *p, const double *a);
/* p = a x b of 3-vectors, the tilde matrix of a applied to b.  The same
 * routine as FSCROSS. */
LYNX_API void T31(double *p, const double *a, const double *b);
/* P = (tilde a) B: column j is a x B(:, j). */
LYNX_API void T33(double *p, const double *a, const double *b);
/* P = (tilde a)^T B = -(tilde a) B: column j is B(:, j) x a. */
LYNX_API void T3T3(double *p, const double *a, const double *b);
/* P = (tilde a) B^T: column j is a x B(j, :). */
LYNX_API void T33T(double *p, const double *a, const double *b);

/* P = R^T M R, formed as R^T (M R). */
LYNX_API void TRANSFORMMATRIX(double *p, const double *r, const double *m);
/* P = R^T (tilde w) R, formed as R^T ((tilde w) R); the diagonal is computed,
 * not set to zero. */
LYNX_API void TRANSFORMSKEWMATRIX(double *p, const double *r, const double *w);

/* The 3-1-3 rotation matrix Rz(first) Rx(second) Rz(third) from the sine
 * and cosine of each angle; its columns are the rotated frame's axes. */
LYNX_API void FSEULMAT(double *p, const double *s1, const double *c1, const double *s2,
                       const double *c2, const double *s3, const double *c3);

/* Appends the n diagonal coordinates (i0 + k, j0 + k), k = 0..n-1, of a
 * block to the row and column lists at positions nz.. (counted from 1) and
 * adds n to nz.  Nothing happens for n <= 0 or nz < 1. */
LYNX_API void DIAG(int32_t *rows, int32_t *cols, int32_t *nz, const int32_t *i0, const int32_t *j0,
                   const int32_t *n);
/* Appends all ni x nj coordinates of the block with rows i0..i0+ni-1 and
 * columns j0..j0+nj-1, column by column with the row varying fastest, at
 * positions nz.. and adds ni nj to nz.  Nothing happens for ni < 1, nj < 1
 * or nz < 1. */
LYNX_API void BLOCK(int32_t *rows, int32_t *cols, int32_t *nz, const int32_t *i0, const int32_t *j0,
                    const int32_t *ni, const int32_t *nj);

/* P = A B for 6x6 matrices, each element's six products added left to
 * right. */
LYNX_API void M66(double *p, const double *a, const double *b);

/* y(i) = +0.0, i = 1..n; nothing for n <= 0.  The same routine as
 * KXV_NULLV. */
LYNX_API void FSZERO(double *y, const int32_t *n);

/* y(i) = 0 for n 32-bit integers; nothing for n <= 0. */
LYNX_API void ZEROI(int32_t *y, const int32_t *n);
/* The same routine as ZEROI under its second name. */
LYNX_API void FSIZERO(int32_t *y, const int32_t *n);

LYNX_END_DECLS

#endif /* LYNX_MATRICES_H */
