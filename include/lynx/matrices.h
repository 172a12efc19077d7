/* lynxUtility: 3x3 and 6x6 matrices, tilde operations, frame transforms,
 * block index lists and array fill.
 *
 * Every argument is passed by address, counts included.  A 3x3 matrix is
 * nine doubles in column-major order, element (i, j) at position
 * i + 3(j - 1); a 6x6 matrix is 36 doubles, element (i, j) at i + 6(j - 1).
 * The tilde matrix of a 3-vector a is the skew-symmetric matrix with
 * (tilde a) b = a x b.  Results come back through the first argument and must
 * not share storage with an operand.  In the comments below M(:, j) is
 * column j of M and M(j, :) its row j. */
#ifndef LYNX_MATRICES_H
#define LYNX_MATRICES_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

#if defined(LYNX_ALL_ROUTINES)
/* product = matrix vector (3x3 times 3-vector). */
LYNX_API void LYNX_CALL FSM31(double *product, const double *matrix, const double *vector);
/* product = matrix^T vector. */
LYNX_API void LYNX_CALL FSM3T1(double *product, const double *matrix, const double *vector);
/* product = left right, each element
 * (left(i,1) right(1,j) + left(i,2) right(2,j)) + left(i,3) right(3,j). */
LYNX_API void LYNX_CALL FSM33(double *product, const double *left, const double *right);
/* product = left^T right. */
LYNX_API void LYNX_CALL FSM3T3(double *product, const double *left, const double *right);
#endif

/* tilde = tilde a, stored as 0, a3, -a2, -a3, 0, a1, a2, -a1, 0; each
 * negative entry is 0 - x, so +0.0 for a zero component (the 32-bit Windows
 * library changes the sign instead: -0.0 for +0.0). */
LYNX_API void LYNX_CALL SKEW(double *tilde, const double *a);
/* cross = a x b of 3-vectors, the tilde matrix of a applied to b.  The same
 * routine as FSCROSS. */
LYNX_API void LYNX_CALL T31(double *cross, const double *a, const double *b);
/* product = (tilde a) matrix: column j is a x matrix(:, j). */
LYNX_API void LYNX_CALL T33(double *product, const double *a, const double *matrix);
/* product = (tilde a)^T matrix = -(tilde a) matrix: column j is
 * matrix(:, j) x a. */
LYNX_API void LYNX_CALL T3T3(double *product, const double *a, const double *matrix);
/* product = (tilde a) matrix^T: column j is a x matrix(j, :). */
LYNX_API void LYNX_CALL T33T(double *product, const double *a, const double *matrix);

#if defined(LYNX_ALL_ROUTINES)
/* transformed = rotation^T matrix rotation, formed as
 * rotation^T (matrix rotation). */
LYNX_API void LYNX_CALL TRANSFORMMATRIX(double *transformed, const double *rotation,
                                        const double *matrix);
/* transformed = rotation^T (tilde w) rotation, formed as
 * rotation^T ((tilde w) rotation); the diagonal is computed, not set to
 * zero. */
LYNX_API void LYNX_CALL TRANSFORMSKEWMATRIX(double *transformed, const double *rotation,
                                            const double *w);

/* The 3-1-3 rotation matrix Rz(first) Rx(second) Rz(third) from the sine
 * and cosine of each angle; its columns are the rotated frame's axes.  The
 * pairs are used as given (not checked to lie on the unit circle).  The two
 * negated terms, in element (1,2) and (2,3), are 0 - x (the 32-bit Windows
 * library: -x). */
LYNX_API void LYNX_CALL FSEULMAT(double *rotation, const double *sin_first, const double *cos_first,
                                 const double *sin_second, const double *cos_second,
                                 const double *sin_third, const double *cos_third);
#endif

/* Appends the `size` diagonal coordinates (first_row + k, first_col + k),
 * k = 0..size-1, of a square block to the row and column lists at positions
 * next.. (counted from 1) and adds `size` to next.  An empty pair of lists
 * has next = 1.  Nothing happens for size <= 0 or next < 1.  The lists must
 * have room for positions next..next+size-1. */
LYNX_API void LYNX_CALL DIAG(int32_t *rows, int32_t *cols, int32_t *next, const int32_t *first_row,
                             const int32_t *first_col, const int32_t *size);
/* Appends all row_count x col_count coordinates of the block with rows
 * first_row.. and columns first_col.., column by column with the row
 * varying fastest, at positions next.. and adds row_count col_count to
 * next.  Nothing happens for row_count < 1, col_count < 1 or next < 1. */
LYNX_API void LYNX_CALL BLOCK(int32_t *rows, int32_t *cols, int32_t *next, const int32_t *first_row,
                              const int32_t *first_col, const int32_t *row_count,
                              const int32_t *col_count);

/* product = left right for 6x6 matrices, each element's six products added
 * left to right. */
LYNX_API void LYNX_CALL M66(double *product, const double *left, const double *right);

#if defined(LYNX_ALL_ROUTINES)
/* values(i) = +0.0, i = 1..count; nothing for count <= 0.  The same
 * routine as KXV_NULLV. */
LYNX_API void LYNX_CALL FSZERO(double *values, const int32_t *count);
#endif

/* values(i) = 0 for count 32-bit integers; nothing for count <= 0. */
LYNX_API void LYNX_CALL ZEROI(int32_t *values, const int32_t *count);
#if defined(LYNX_ALL_ROUTINES)
/* The same routine as ZEROI under its second name. */
LYNX_API void LYNX_CALL FSIZERO(int32_t *values, const int32_t *count);
#endif

#if defined(LYNX_LEGACY32)
/* The 32-bit Windows library's older names: the same routines as FSM31,
 * FSM33, FSM3T1, FSEULMAT, FSZERO and FSIZERO, which it exports under these
 * names only. */
LYNX_API void LYNX_CALL M31(double *product, const double *matrix, const double *vector);
LYNX_API void LYNX_CALL M33(double *product, const double *left, const double *right);
LYNX_API void LYNX_CALL M3T1(double *product, const double *matrix, const double *vector);
LYNX_API void LYNX_CALL EULMAT(double *rotation, const double *sin_first, const double *cos_first,
                               const double *sin_second, const double *cos_second,
                               const double *sin_third, const double *cos_third);
LYNX_API void LYNX_CALL ZERO(double *values, const int32_t *count);
LYNX_API void LYNX_CALL IZERO(int32_t *values, const int32_t *count);
#endif

LYNX_END_DECLS

#endif /* LYNX_MATRICES_H */
