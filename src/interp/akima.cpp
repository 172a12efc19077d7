// Akima's local cubic through a function table of n intervals.
//
// With interval slopes m[2..n+1] (interval i in slot i+2) and two imagined
// intervals at each end, the tangent at point i blends the slopes on either
// side of it, each weighted by the change of slope on the far side:
//   wL = |m[i+1] - m[i]|,  wR = |m[i+3] - m[i+2]|,
//   t[i] = (m[i+2] - m[i+1]) wL / (wR + wL) + m[i+1].
// Where both weights vanish (a point inside a straight run, or a corner
// between two runs) the point keeps the slope of each neighbouring interval
// as a one-sided tangent, so straight runs and corners are reproduced.
//
// End slopes: when y[0] == y[n] the curve is taken as closed and the
// imagined intervals repeat the last two real ones before the start and the
// first two after the end; otherwise the slopes continue linearly beyond
// each end.  Each interval is then the Hermite cubic with its end tangents,
// in the layout of the cubic spline, evaluated by kx_spline_interpolate.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "interp/intervals.hpp"
#include "interp/scratch.hpp"
#include "lynx/splines.h"

namespace {

// Tables up to this many intervals (252) are fitted without touching the
// heap: their n + 4 slopes fill the 2 KiB buffer, 256 doubles.
constexpr std::size_t kLocalIntervals = lynx::interp::kLocalScratchBytes / sizeof(double) - 4;

struct Tangents {
  double left;   // used by the interval left of the point
  double right;  // used by the interval right of the point
};

// The tangents at point i from the four slopes m[i..i+3] around it.
inline Tangents tangents_at(const double *m, int32_t i) {
  const double w_left = std::fabs(m[i + 1] - m[i]);
  const double w_right = std::fabs(m[i + 3] - m[i + 2]);
  const double sum = w_right + w_left;
  if (sum == 0.0) return Tangents{m[i + 1], m[i + 2]};
  const double alpha = w_left / sum;
  const double t = (m[i + 2] - m[i + 1]) * alpha + m[i + 1];
  return Tangents{t, t};
}

}  // namespace

extern "C" void kx_akima_coeffs(int32_t n, const double *x, const double *y, double *b, double *c,
                                double *d) {
  if (n <= 0) return;
  const std::size_t intervals = static_cast<std::size_t>(n);
  lynx::interp::Scratch<double, kLocalIntervals + 4> scratch(intervals + 4);
  if (!scratch) return;
  double *const m = scratch.data();

  lynx::interp::lay_out_intervals(
      m, n, [x, y](int32_t i) { return (y[i + 1] - y[i]) / (x[i + 1] - x[i]); });
  lynx::interp::extend_ends(m, n, y[0] == y[n]);

  // Interval i runs from tangent tR[i] to tangent tL[i+1]; the tangents are
  // formed point by point as the intervals are filled.
  double t_start = tangents_at(m, 0).right;
  for (int32_t i = 0; i < n; ++i) {
    const Tangents next = tangents_at(m, i + 1);
    const double t_end = next.left;
    const double h = x[i + 1] - x[i];
    const double slope = m[i + 2];
    const double inv_h = 1.0 / h;
    const double inv_h2 = 1.0 / (h * h);
    b[i] = t_start;
    c[i] = ((3.0 * slope - 2.0 * t_start) - t_end) * inv_h;
    d[i] = ((t_end + t_start) - 2.0 * slope) * inv_h2;
    t_start = next.right;
  }
}
