/* lynxUtility: curve interpolation: natural cubic, Akima and Renner splines.
 *
 * A function table of n knots, x[0..n-1] strictly increasing with ordinates
 * y[0..n-1], is fitted once into caller-owned coefficient arrays b, c, d;
 * on interval j the curve is
 *     S_j(xv) = y[j] + b[j] t + c[j] t^2 + d[j] t^3,   t = xv - x[j].
 * The ordinates serve as the constant coefficients (no copy is made).
 *
 * A plane curve through N + 1 ordered points P[0..N] (open, or closed when
 * P[0] == P[N]) is fitted segment by segment in the same form, with points
 * for coefficients and the segment parameter u in place of t.
 *
 * No routine keeps state or reports anything; the fits take scratch storage
 * for the length of the call only and leave their outputs untouched when it
 * cannot be had. */
#ifndef LYNX_SPLINES_H
#define LYNX_SPLINES_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

/* A plane point or vector: x, then y. Arrays of points are contiguous. */
typedef struct point {
  double x, y;
} point;

/* Natural cubic spline through n knots (x, y): fills b[0..n-2], c[0..n-1]
 * and d[0..n-2]; c[j] is half the second derivative at knot j and
 * c[0] = c[n-1] = 0.  Entries n-1 of b and d are not written.  n < 1 writes
 * nothing. */
LYNX_API void kx_spline_coeffs(int32_t n, const double *x, const double *y, double *b, double *c,
                               double *d);

/* Value s, first derivative ds and second derivative dds at xv of the
 * piecewise cubic with n knots x, ordinates a and coefficients b, c, d (from
 * kx_spline_coeffs or kx_akima_coeffs).  The interval is found by bisection
 * with x[mid] > xv; outside the table the end cubics are continued.  n < 1
 * writes quiet NaN into s, ds and dds. */
LYNX_API void kx_spline_interpolate(double xv, int32_t n, const double *x, const double *a,
                                    const double *b, const double *c, const double *d, double *s,
                                    double *ds, double *dds);

/* Akima's local cubic through the n + 1 points (x, y) of n intervals: fills
 * b, c, d[0..n-1] for evaluation with kx_spline_interpolate (knot count
 * n + 1).  Equal end ordinates make the end slopes wrap round.  n <= 0
 * writes nothing. */
LYNX_API void kx_akima_coeffs(int32_t n, const double *x, const double *y, double *b, double *c,
                              double *d);

/* Euclidean length of p: sqrt(p.x p.x + p.y p.y). */
LYNX_API double point_norm(point p);

/* Dot product p.y q.y + p.x q.x. */
LYNX_API double point_mult(point p, point q);

/* Componentwise sum (p.x + q.x, p.y + q.y). */
LYNX_API point point_add(point p, point q);

/* Renner's plane curve through the n + 1 points p of n segments: fills
 * b, c, d[0..n-1], so that segment i is p[i] + b[i] u + c[i] u^2 + d[i] u^3,
 * leaving p[i] with unit tangent b[i] and reaching p[i+1] at the segment's
 * parameter length.  n <= 0 writes nothing. */
LYNX_API void kx_renner_spline_coeffs(int32_t n, const point *p, point *b, point *c, point *d);

/* Point, first and second derivative at parameter t of the Renner curve of n
 * points a with coefficients b, c, d: segment k = floor(t) (0 below the
 * first point, n - 2 from the last on), evaluated at u = t - k.  n < 1
 * writes quiet NaN; n == 1 gives the single point with zero derivatives. */
LYNX_API void kx_renner_spline_interpolate(double t, int32_t n, const point *a, const point *b,
                                           const point *c, const point *d, point *p, point *dp,
                                           point *ddp);

LYNX_END_DECLS

#endif /* LYNX_SPLINES_H */
