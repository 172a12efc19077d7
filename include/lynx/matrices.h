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

/* p = a x b of 3-vectors, the tilde matrix of a applied to b.  The same
 * routine as FSCROSS. */
LYNX_API void T31(double *p, const double *a, const double *b);

/* y(i) = +0.0, i = 1..n; nothing for n <= 0.  The same routine as
 * KXV_NULLV. */
LYNX_API void FSZERO(double *y, const int32_t *n);

/* y(i) = 0 for n 32-bit integers; nothing for n <= 0. */
LYNX_API void ZEROI(int32_t *y, const int32_t *n);
/* The same routine as ZEROI under its second name. */
LYNX_API void FSIZERO(int32_t *y, const int32_t *n);

LYNX_END_DECLS

#endif /* LYNX_MATRICES_H */
