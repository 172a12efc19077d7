/* lynxUtility: vectors of doubles: sums, products, lengths, unit vectors.
 *
 * Every argument is passed by address, counts and scalars included.  A
 * vector is n consecutive doubles, element 1 first.  A count of zero or less
 * is an empty vector: nothing is read or written (KXV_MAGNTD excepted).
 * Results come back through the first argument, or as the function value of
 * the four double-valued functions.  The element-wise routines accept the
 * result array being the very array of an operand; arrays that overlap with
 * an offset are never allowed. */
#ifndef LYNX_VECTORS_H
#define LYNX_VECTORS_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

/* y(i) = a(i) + b(i), i = 1..n. */
LYNX_API void KXV_ADD(double *y, const double *a, const double *b, const int32_t *n);
/* The same routine as KXV_ADD under its second name. */
LYNX_API void AVEC(double *y, const double *a, const double *b, const int32_t *n);

/* y(i) = a(i) - b(i), i = 1..n. */
LYNX_API void KXV_SUB(double *y, const double *a, const double *b, const int32_t *n);

/* y(i) = s * a(i), the scalar second; s is read once before anything is
 * written, so it may be an element of y. */
LYNX_API void KXV_SCALE(double *y, const double *s, const double *a, const int32_t *n);
/* y(i) = s * a(i), the scalar third; otherwise as KXV_SCALE. */
LYNX_API void SVECDP(double *y, const double *a, const double *s, const int32_t *n);

/* y(i) = a(i), each 64-bit word copied unchanged (signed zeros, NaN
 * payloads). */
LYNX_API void KXV_ASSIGN(double *y, const double *a, const int32_t *n);
/* The same routine as KXV_ASSIGN under its second name. */
LYNX_API void COPYDP(double *y, const double *a, const int32_t *n);

/* y(i) = +0.0, i = 1..n. */
LYNX_API void KXV_NULLV(double *y, const int32_t *n);

/* The sum of a(i) * b(i), started from 0.0; 0.0 when n <= 0.  Up to seven
 * terms are added left to right; longer sums are split into partial sums. */
LYNX_API double KXV_DOT(const double *a, const double *b, const int32_t *n);
/* As KXV_DOT, except that n = 3 gives (a1 b1 + a2 b2) + a3 b3 without the
 * leading 0.0. */
LYNX_API double FSDOT(const double *a, const double *b, const int32_t *n);

/* The Euclidean length of a, without scaling.  a(1) is read whatever n is:
 * n < 2 returns |a(1)|. */
LYNX_API double KXV_MAGNTD(const double *a, const int32_t *n);
/* The length sqrt((x^2 + y^2) + z^2) of a 3-vector, without scaling. */
LYNX_API double VECLTH(const double *a);

/* Cyclic cross product: y(i) = a(j) b(k) - b(j) a(k) with j the index after
 * i and k the one after j, counted cyclically; for n = 3 the vector product
 * a x b.  y must not share storage with a or b. */
LYNX_API void KXV_CROSS(double *y, const double *a, const double *b, const int32_t *n);
/* The vector product y = a x b of 3-vectors; y must not share storage with
 * a or b.  The same routine as T31. */
LYNX_API void FSCROSS(double *y, const double *a, const double *b);

/* Unit vector: y = (1 / |a|) a and status 0; when |a| < 1.0e-29, y = 0 and
 * status -1.  y may be the array a. */
LYNX_API void KXV_UNITV(double *y, const double *a, const int32_t *n, int32_t *status);

/* Cleans and normalises a 3-vector in place: components below 1.0e-13 in
 * magnitude become +0.0; then, if the length is at least 1.0e-13, each
 * component is divided by it.  No status is reported. */
LYNX_API void VECUNI(double *a);

LYNX_END_DECLS

#endif /* LYNX_VECTORS_H */
