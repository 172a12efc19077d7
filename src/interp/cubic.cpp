// Natural cubic spline through a function table.
//
// On interval j, [x[j], x[j+1]] with h[j] = x[j+1] - x[j], the spline is
//   S_j(x) = y[j] + b[j] t + c[j] t^2 + d[j] t^3,   t = x - x[j],
// where c[j] is half the second derivative at knot j.  Continuity of the
// first derivative at the interior knots gives the tridiagonal system
//   h[i-1] c[i-1] + 2 (h[i-1] + h[i]) c[i] + h[i] c[i+1] = alpha[i],
//   alpha[i] = 3/h[i] (y[i+1] - y[i]) - 3/h[i-1] (y[i] - y[i-1]),
// closed by the natural end conditions c[0] = c[n-1] = 0.  One forward
// elimination sweep (pivots l[i], multipliers mu[i], reduced right-hand
// sides z[i]) and a back substitution solve it; b and d then follow from c.
//
// Every expression below is grouped as the sweep defines it (3/h formed
// before the product, (2 c[j] + c[j+1]) h[j] formed before the division by
// 3): the coefficients are fixed to the bit.  alpha[i] and l[i] are used
// only at step i and so live in registers; h, mu, z and the chord slopes
// (y[i+1] - y[i]) / h[i] are carved out of one block of scratch storage.
//
// The elimination is a chain, mu[i-1] -> l[i] -> mu[i] (a product, a
// difference and a division a knot, and z[i] beside it), and the back
// substitution needs its end.  The quotients that depend on the data alone,
// 3/h[i] and the chord slope of b[i], are formed in the sweep, where they
// fill the time the chain leaves the divider idle; the back substitution
// keeps only the two divisions that need c.
#include <cstddef>
#include <cstdint>
#include <limits>

#include "interp/scratch.hpp"
#include "interp/segment.hpp"
#include "lynx/splines.h"

namespace {

// The scratch arrays of a fit: h, mu, z and the chord slopes.
constexpr std::size_t kScratchArrays = 4;

// Tables up to this many knots (64) are fitted without touching the heap:
// four arrays of 64 doubles fill the 2 KiB buffer.
constexpr std::size_t kLocalKnots =
    lynx::interp::kLocalScratchBytes / (kScratchArrays * sizeof(double));

}  // namespace

extern "C" void kx_spline_coeffs(int32_t n, const double *x, const double *y, double *b, double *c,
                                 double *d) {
  if (n < 1) return;
  if (n == 1) {  // no interval: only the natural end condition
    c[0] = 0.0;
    return;
  }
  const std::size_t knots = static_cast<std::size_t>(n);
  lynx::interp::Scratch<double, kScratchArrays * kLocalKnots> scratch(kScratchArrays * knots);
  if (!scratch) return;
  double *const h = scratch.data();
  double *const mu = h + knots;
  double *const z = mu + knots;
  double *const slope = z + knots;

  // Forward sweep, l[0] = 1, mu[0] = z[0] = 0.  Each step forms h[i] and the
  // chord slope of interval i, then alpha[i], then l[i], mu[i], z[i].  What
  // the next step reads of this one (h[i], mu[i], z[i], 3/h[i] and
  // y[i+1] - y[i]) it takes from registers, not back from the arrays, so
  // that the chain does not wait on the store.
  double h_prev = x[1] - x[0];
  double rise_prev = y[1] - y[0];
  double three_over_h_prev = 3.0 / h_prev;
  double mu_prev = 0.0;
  double z_prev = 0.0;
  h[0] = h_prev;
  slope[0] = rise_prev / h_prev;
  mu[0] = mu_prev;
  z[0] = z_prev;
  for (int32_t i = 1; i <= n - 2; ++i) {
    const double hi = x[i + 1] - x[i];
    const double rise = y[i + 1] - y[i];
    const double three_over_h = 3.0 / hi;
    const double alpha = three_over_h * rise - three_over_h_prev * rise_prev;
    const double l = 2.0 * (x[i + 1] - x[i - 1]) - h_prev * mu_prev;
    mu_prev = hi / l;
    z_prev = (alpha - h_prev * z_prev) / l;
    h[i] = hi;
    slope[i] = rise / hi;
    mu[i] = mu_prev;
    z[i] = z_prev;
    h_prev = hi;
    three_over_h_prev = three_over_h;
    rise_prev = rise;
  }

  // Back substitution from the natural end c[n-1] = 0 (l[n-1] = 1,
  // z[n-1] = 0).
  double c_next = 0.0;
  c[n - 1] = c_next;
  for (int32_t j = n - 2; j >= 0; --j) {
    const double cj = z[j] - mu[j] * c_next;
    c[j] = cj;
    b[j] = slope[j] - ((2.0 * cj + c_next) * h[j]) / 3.0;
    d[j] = (c_next - cj) / (3.0 * h[j]);
    c_next = cj;
  }
}

// A knot abscissa is evaluated on the interval to its right (the last knot
// on the last interval), and abscissae outside the table continue the end
// cubics.  Value and derivatives come from the one lookup.
extern "C" void kx_spline_interpolate(double xv, int32_t n, const double *x, const double *a,
                                      const double *b, const double *c, const double *d, double *s,
                                      double *ds, double *dds) {
  if (n < 1) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    *s = nan;
    *ds = nan;
    *dds = nan;
    return;
  }
  const int32_t k = lynx::interp::segment_of(xv, n, x);
  lynx::interp::cubic_at(xv - x[k], &a[k], &b[k], &c[k], &d[k], s, ds, dds);
}
