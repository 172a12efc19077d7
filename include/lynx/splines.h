/* lynxUtility: curve interpolation: natural cubic, Akima and Renner splines.
 *
 * A function table of knots x[0..k-1], strictly increasing, with ordinates
 * y[0..k-1], is fitted once into caller-owned coefficient arrays b, c, d;
 * on interval j (from x[j] to x[j+1]) the curve is
 *     S_j(xv) = y[j] + b[j] t + c[j] t^2 + d[j] t^3,   t = xv - x[j].
 * The ordinates serve as the constant coefficients (no copy is made).
 *
 * A plane curve through ordered points P[0..m-1] (open, or closed when the
 * first and last points are equal) is fitted segment by segment in the same
 * form, with points for coefficients and the segment parameter u in place
 * of t.
 *
 * THE COUNT ARGUMENTS DIFFER FROM ROUTINE TO ROUTINE (they are the
 * interface and stay as they are):
 *   kx_spline_coeffs              number of knots      (points)
 *   kx_akima_coeffs               number of intervals  (points - 1)
 *   kx_spline_interpolate         number of knots      (points)
 *   kx_renner_spline_coeffs       number of segments   (points - 1)
 *   kx_renner_spline_interpolate  number of points
 * For a table of 8 points: kx_spline_coeffs(8, ...), kx_akima_coeffs(7, ...),
 * kx_spline_interpolate(xv, 8, ...) for either fit.  Passing the knot count
 * to kx_akima_coeffs reads one point past the end of x and y.
 *
 * No routine keeps state or reports anything; the fits take scratch storage
 * for the length of the call only and leave their outputs untouched when it
 * cannot be had. */
#ifndef LYNX_SPLINES_H
#define LYNX_SPLINES_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

/* A plane point or vector: x, then y.  Arrays of points are contiguous
 * (x0, y0, x1, y1, ...).  The short name `point` is the interface's own;
 * a program that has a `point` of its own defines LYNX_NO_SHORT_POINT
 * before including this header and uses `lynx_point`. */
typedef struct lynx_point {
  double x, y;
} lynx_point;
#ifndef LYNX_NO_SHORT_POINT
typedef lynx_point point;
#endif

#if defined(LYNX_ALL_ROUTINES)
/* Natural cubic spline through the knot_count knots (x, y).
 *   knot_count  number of knots (points) in x and y;
 *   b, c, d     knot_count doubles each, written: b[0..knot_count-2],
 *               c[0..knot_count-1] and d[0..knot_count-2]; entries
 *               knot_count-1 of b and d are not written.
 * c[j] is half the second derivative at knot j, and c[0] =
 * c[knot_count-1] = 0.  A knot_count below 1 writes nothing; one knot only
 * sets c[0] = 0. */
LYNX_API void kx_spline_coeffs(int32_t knot_count, const double *x, const double *y, double *b,
                               double *c, double *d);

/* Value, first and second derivative at xv of the piecewise cubic with
 * knot_count knots x, ordinates y and coefficients b, c, d, as filled by
 * kx_spline_coeffs or kx_akima_coeffs (for Akima pass the number of
 * points, its interval count + 1).  The interval is found by bisection with
 * x[mid] > xv, so an interior knot is evaluated on the interval to its
 * right; outside the table the end cubics are continued.  A knot_count
 * below 1 writes quiet NaN into all three results. */
LYNX_API void kx_spline_interpolate(double xv, int32_t knot_count, const double *x, const double *y,
                                    const double *b, const double *c, const double *d,
                                    double *value, double *first_derivative,
                                    double *second_derivative);

/* Akima's local cubic through the interval_count + 1 points (x, y).
 *   interval_count  number of intervals: ONE LESS than the number of points;
 *   x, y            interval_count + 1 doubles each, read;
 *   b, c, d         interval_count doubles each, written.
 * Evaluate with kx_spline_interpolate and the knot count interval_count + 1.
 * Equal first and last ordinates make the end slopes wrap round as for a
 * closed curve.  An interval_count of 0 or less writes nothing. */
LYNX_API void kx_akima_coeffs(int32_t interval_count, const double *x, const double *y, double *b,
                              double *c, double *d);

/* Euclidean length of p: sqrt(p.x p.x + p.y p.y). */
LYNX_API double point_norm(lynx_point p);

/* Dot product p.y q.y + p.x q.x. */
LYNX_API double point_mult(lynx_point p, lynx_point q);

/* Componentwise sum (p.x + q.x, p.y + q.y). */
LYNX_API lynx_point point_add(lynx_point p, lynx_point q);

/* Renner's plane curve through the segment_count + 1 points.
 *   segment_count  number of segments: ONE LESS than the number of points;
 *   points         segment_count + 1 points, read;
 *   b, c, d        segment_count points each, written.
 * Segment i is points[i] + b[i] u + c[i] u^2 + d[i] u^3: it leaves
 * points[i] with the unit tangent b[i] and reaches points[i+1] at the
 * segment's parameter length, which estimates its arc length.  The tangent
 * at a point is blended from its neighbouring chords; where that blend has
 * zero length (a cusp where the curve turns straight back, as at (1, 0) in
 * (-1, -1), (0, 0), (1, 0), (0, 0), (-1, -1)) the tangent there is taken as
 * zero, so the curve comes to rest at the cusp instead of giving NaN.
 * Consecutive points must differ: a chord of zero length gives NaN
 * coefficients.
 * A segment_count of 0 or less writes nothing. */
LYNX_API void kx_renner_spline_coeffs(int32_t segment_count, const lynx_point *points,
                                      lynx_point *b, lynx_point *c, lynx_point *d);

/* Point, first and second derivative at parameter t of the Renner curve
 * through point_count points with the coefficients b, c, d of
 * kx_renner_spline_coeffs (fitted with segment_count = point_count - 1).
 * Segment k = floor(t) (0 below the first point, point_count - 2 from the
 * last on) is evaluated at u = t - k, without scaling u by the segment's
 * parameter length.  A point_count below 1 writes quiet NaN; a single point
 * gives that point with zero derivatives. */
LYNX_API void kx_renner_spline_interpolate(double t, int32_t point_count, const lynx_point *points,
                                           const lynx_point *b, const lynx_point *c,
                                           const lynx_point *d, lynx_point *position,
                                           lynx_point *first_derivative,
                                           lynx_point *second_derivative);
#endif

LYNX_END_DECLS

#endif /* LYNX_SPLINES_H */
