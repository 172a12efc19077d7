// Evaluating a piecewise cubic: finding the piece that holds an abscissa,
// and the cubic's value and derivatives on it.  The cubic spline, whose
// pieces start at the knots x[k], and the Renner spline, whose segments start
// at the whole parameters k, share both steps.
#ifndef LYNX_INTERP_SEGMENT_HPP
#define LYNX_INTERP_SEGMENT_HPP

#include <cstdint>

namespace lynx::interp {

// The index k of the piece [knot(k), knot(k+1)] that holds v, for n >= 1
// ascending knots: bisection over the knot indices with the strict test
// knot(mid) > v.  A knot is evaluated on the piece to its right and the last
// knot on the last piece, k = n - 2; abscissae below the first knot give
// k = 0 and those beyond the last k = n - 2, so that the end pieces continue
// outside the table.  With a single knot k = 0.
template <typename Knot>
int32_t segment_of(double v, int32_t n, Knot knot) {
  int32_t lo = 0;
  int32_t hi = n - 1;
  while (hi - lo > 1) {
    const int32_t mid = lo + (hi - lo) / 2;  // (lo + hi) / 2 without overflow
    if (knot(mid) > v) {
      hi = mid;
    } else {
      lo = mid;
    }
  }
  return lo;
}

// The cubic a + b t + c t^2 + d t^3 at t, through the coefficients of one
// piece in caller-owned storage:
//   *s = a + b t + c t^2 + d t^3,  *ds = b + 2 c t + 3 d t^2,  *dds = 2 c + 6 d t.
// Each sum is grouped as written in the body, and each result is stored
// before the next is formed; the results are fixed to the bit.
inline void cubic_at(double t, const double *a, const double *b, const double *c, const double *d,
                     double *s, double *ds, double *dds) {
  *s = ((t * *b + *a) + (t * *c) * t) + ((t * *d) * t) * t;
  *ds = (*d * 3.0 * t * t) + ((*c * 2.0 * t) + *b);
  *dds = *d * 6.0 * t + *c * 2.0;
}

}  // namespace lynx::interp

#endif  // LYNX_INTERP_SEGMENT_HPP
