// Evaluating a piecewise cubic: finding the piece that holds an abscissa,
// and the cubic's value and derivatives on it.  The cubic spline's pieces
// start at the knots x[k] and are found by bisection; the Renner spline's
// segments start at the whole parameters k, where the bisection's result is
// known in closed form.  Both share the cubic.
#ifndef LYNX_INTERP_SEGMENT_HPP
#define LYNX_INTERP_SEGMENT_HPP

#include <cstddef>
#include <cstdint>

namespace lynx::interp {

// The number of halving steps of the bisection below over n >= 1 knots: the
// bit length of n - 1, that is p + 1 with p = floor(log2(n - 1)), and 0 for
// a single knot.  A piece [lo, hi] of L = hi - lo intervals splits at mid into
// floor(L/2) and ceil(L/2), so every piece at depth d spans floor((n-1)/2^d)
// or ceil((n-1)/2^d) intervals: two or more above depth p, one or two at
// depth p.  No path is longer than p + 1 steps.
inline int32_t halving_steps(int32_t n) {
  uint32_t intervals = static_cast<uint32_t>(n - 1);
  if (intervals == 0) return 0;
#if defined(__GNUC__)
  return 32 - __builtin_clz(intervals);
#else
  int32_t bits = 0;
  for (; intervals != 0; intervals >>= 1) ++bits;
  return bits;
#endif
}

// The index k of the piece [x[k], x[k+1]] that holds v, for n >= 1 knots
// x: bisection over the knot indices, lo = 0, hi = n - 1, while
// hi - lo > 1: mid = (lo + hi)/2, hi = mid if x[mid] > v, else lo = mid;
// k = lo.  The strict test puts a knot on the piece to its right and the
// last knot on the last piece, k = n - 2; abscissae below the first knot
// give k = 0 and those beyond the last (or not a number) k = n - 2, so that
// the end pieces continue outside the table.  With a single knot k = 0.
//
// The loop makes halving_steps(n) steps whatever the path: once
// hi - lo <= 1, mid = lo and a step leaves lo as it is.  Its count depends
// on n alone, and each step selects lo and hi from the comparison instead of
// branching on it (compilers make the selections conditional moves), so no
// abscissa pays for a mispredicted branch, and the step has few
// instructions.  Any table gives the bisection's own k, ascending or not.
inline int32_t segment_of(double v, int32_t n, const double *x) {
  std::size_t lo = 0;
  std::size_t hi = static_cast<std::size_t>(n - 1);
  for (int32_t step = halving_steps(n); step > 0; --step) {
    const std::size_t mid = (lo + hi) / 2;  // lo + hi < 2^32
    const bool left = x[mid] > v;
    hi = left ? mid : hi;
    lo = left ? lo : mid;
  }
  return static_cast<int32_t>(lo);
}

// The segment that segment_of selects for t among n >= 2 knots at the whole
// numbers 0, 1, ..., n - 1, without the search: the last knot at or below t,
// k = floor(t), held to 0 .. n - 2.  Every comparison mid > t fails for a
// t that is not a number, which therefore gets the last segment, as t >= n - 2
// does; t < 1, minus infinity included, gets the first.  Between, 1 <= t <
// n - 2 < 2^31, so t converts to a 32-bit integer and truncation is floor.
inline int32_t whole_segment_of(double t, int32_t n) {
  const int32_t last = n - 2;
  if (!(t < static_cast<double>(last))) return last;
  if (!(t >= 1.0)) return 0;
  return static_cast<int32_t>(t);
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
