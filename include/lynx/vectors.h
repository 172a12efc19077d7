/* lynxUtility: vectors of doubles: sums, products, lengths, unit vectors.
 *
 * Every argument is passed by address, counts and scalars included.  A
 * vector is `count` consecutive doubles, element 1 first.  A count of zero
 * or less is an empty vector: nothing is written, and nothing is read except
 * by KXV_MAGNTD and KXV_UNITV, which read a(1) whatever the count (so `a`
 * must hold at least one element).  Results come back through the first
 * argument, or as the function value of the four double-valued functions.
 * The element-wise routines accept the result array being the very array of
 * an operand; arrays that overlap with an offset are never allowed. */
#ifndef LYNX_VECTORS_H
#define LYNX_VECTORS_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

/* sum(i) = a(i) + b(i), i = 1..count. */
LYNX_API void LYNX_CALL KXV_ADD(double *sum, const double *a, const double *b,
                                const int32_t *count);
/* The same routine as KXV_ADD under its second name. */
LYNX_API void LYNX_CALL AVEC(double *sum, const double *a, const double *b, const int32_t *count);

/* difference(i) = a(i) - b(i), i = 1..count. */
LYNX_API void LYNX_CALL KXV_SUB(double *difference, const double *a, const double *b,
                                const int32_t *count);

/* scaled(i) = scale * a(i), the scalar second; the scale is read once
 * before anything is written, so it may be an element of `scaled`. */
LYNX_API void LYNX_CALL KXV_SCALE(double *scaled, const double *scale, const double *a,
                                  const int32_t *count);
#if defined(LYNX_ALL_ROUTINES)
/* scaled(i) = scale * a(i), the scalar third; otherwise as KXV_SCALE. */
LYNX_API void LYNX_CALL SVECDP(double *scaled, const double *a, const double *scale,
                               const int32_t *count);
#endif

/* copy(i) = a(i), each 64-bit word copied unchanged (signed zeros, NaN
 * payloads). */
LYNX_API void LYNX_CALL KXV_ASSIGN(double *copy, const double *a, const int32_t *count);
#if defined(LYNX_ALL_ROUTINES)
/* The same routine as KXV_ASSIGN under its second name. */
LYNX_API void LYNX_CALL COPYDP(double *copy, const double *a, const int32_t *count);
#endif

/* vector(i) = +0.0, i = 1..count. */
LYNX_API void LYNX_CALL KXV_NULLV(double *vector, const int32_t *count);

/* The sum of a(i) * b(i), started from 0.0; 0.0 when count <= 0.  Up to
 * seven terms are added left to right; longer sums are split into partial
 * sums. */
LYNX_API double LYNX_CALL KXV_DOT(const double *a, const double *b, const int32_t *count);
#if defined(LYNX_ALL_ROUTINES)
/* As KXV_DOT, except that count = 3 gives (a1 b1 + a2 b2) + a3 b3 without
 * the leading 0.0. */
LYNX_API double LYNX_CALL FSDOT(const double *a, const double *b, const int32_t *count);
#endif

/* The Euclidean length of a, without scaling.  a(1) is read whatever the
 * count is: a count below 2 returns |a(1)|. */
LYNX_API double LYNX_CALL KXV_MAGNTD(const double *a, const int32_t *count);
#if defined(LYNX_ALL_ROUTINES)
/* The length sqrt((x^2 + y^2) + z^2) of a 3-vector, without scaling. */
LYNX_API double LYNX_CALL VECLTH(const double *a);
#endif

/* Cyclic cross product: cross(i) = a(j) b(k) - b(j) a(k) with j the index
 * after i and k the one after j, counted cyclically; for count = 3 the
 * vector product a x b.  `cross` must not share storage with a or b. */
LYNX_API void LYNX_CALL KXV_CROSS(double *cross, const double *a, const double *b,
                                  const int32_t *count);
#if defined(LYNX_ALL_ROUTINES)
/* The vector product cross = a x b of 3-vectors; `cross` must not share
 * storage with a or b.  The same routine as T31. */
LYNX_API void LYNX_CALL FSCROSS(double *cross, const double *a, const double *b);
#endif

/* Unit vector: unit = (1 / |a|) a, each element multiplied by the
 * reciprocal, and status 0; when |a| < 1.0e-29 (KXV_MAGNTD), unit = 0 and
 * status -1.  `unit` may be the array a.  With a count of 0 or less nothing
 * is written to `unit`, but a(1) is still read: status is -1 when
 * |a(1)| < 1.0e-29 and 0 otherwise. */
LYNX_API void LYNX_CALL KXV_UNITV(double *unit, const double *a, const int32_t *count,
                                  int32_t *status);

#if defined(LYNX_ALL_ROUTINES)
/* Cleans and normalises a 3-vector in place: components below 1.0e-13 in
 * magnitude become +0.0; then, if the length is at least 1.0e-13, each
 * component is divided by it.  No status is reported. */
LYNX_API void LYNX_CALL VECUNI(double *vector);
#endif

#if defined(LYNX_LEGACY32)
/* The 32-bit Windows library's older names: the same routines as COPYDP,
 * FSCROSS, FSDOT and SVECDP, which it exports under these names only. */
LYNX_API void LYNX_CALL COPYD(double *copy, const double *a, const int32_t *count);
LYNX_API void LYNX_CALL CROSS(double *cross, const double *a, const double *b);
LYNX_API double LYNX_CALL DOT(const double *a, const double *b, const int32_t *count);
LYNX_API void LYNX_CALL SVEC(double *scaled, const double *a, const double *scale,
                             const int32_t *count);
#endif

LYNX_END_DECLS

#endif /* LYNX_VECTORS_H */
