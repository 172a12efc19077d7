// The three fits and their samples.
//
// The natural cubic spline and the Akima curve are functions y(x), sampled
// on an even grid over [x0, xn].  The Renner curve is a plane curve through
// the points; its samples run over the normalised parameter tau in [0, N],
// segment k = floor(tau) at the fraction tau - k of its parameter length
// T_k.  The library's evaluator takes the segment parameter unscaled (u in
// [0, 1) on segment k), so each segment is evaluated as a two-point curve
// of its own and T_k is recovered from the coefficients: the parameter at
// which the segment reaches the next point.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "curve.hpp"
#include "lynx/splines.h"

namespace curve {

namespace {

point relative(const point &b, const point &c, const point &d, double u) {
  return point{((b.x + c.x * u) + d.x * u * u) * u, ((b.y + c.y * u) + d.y * u * u) * u};
}

// The parameter length of a segment from p0 to p1: the root of
// (C(u) - p0).D = |D|^2 near the chord length, by Newton steps, checked
// against the end point and otherwise taken from a scan for the closest
// approach.
double segment_length(point p0, point p1, const point &b, const point &c, const point &d) {
  const point chord{p1.x - p0.x, p1.y - p0.y};
  const double length2 = chord.x * chord.x + chord.y * chord.y;
  const double chord_length = std::sqrt(length2);
  auto miss = [&](double u) {
    const point at = relative(b, c, d, u);
    return std::hypot(at.x - chord.x, at.y - chord.y);
  };
  double u = chord_length;
  for (int k = 0; k < 60; ++k) {
    const point at = relative(b, c, d, u);
    const point slope{b.x + 2 * c.x * u + 3 * d.x * u * u, b.y + 2 * c.y * u + 3 * d.y * u * u};
    const double f = (at.x * chord.x + at.y * chord.y) / length2 - 1.0;
    const double df = (slope.x * chord.x + slope.y * chord.y) / length2;
    if (!(df != 0.0)) break;
    const double step = f / df;
    u -= step;
    if (!(std::fabs(step) > 1e-15 * std::fabs(u))) break;
  }
  if (std::isfinite(u) && u > 0 && miss(u) <= 1e-9 * chord_length) return u;
  double best = chord_length, best_miss = miss(chord_length);
  for (int k = 1; k <= 4000; ++k) {
    const double v = 8.0 * chord_length * k / 4000;
    const double m = miss(v);
    if (m < best_miss) {
      best = v;
      best_miss = m;
    }
  }
  return best;
}

}  // namespace

bool sample_curves(const Table &table, int samples, Curves &curves, std::string &error) {
  const int n = static_cast<int>(table.x.size());
  const double *x = table.x.data();
  const double *y = table.y.data();
  const double x0 = x[0], span = x[n - 1] - x[0];
  auto grid = [&](int j) { return j == samples - 1 ? x[n - 1] : x0 + span * j / (samples - 1); };

  std::vector<double> b(n), c(n), d(n);
  auto sample_function = [&](std::vector<Sample> &out) {
    out.reserve(samples);
    for (int j = 0; j < samples; ++j) {
      const double xv = grid(j);
      double s, ds, dds;
      kx_spline_interpolate(xv, n, x, y, b.data(), c.data(), d.data(), &s, &ds, &dds);
      out.push_back(Sample{xv, xv, s, 1.0, ds});
    }
  };
  kx_spline_coeffs(n, x, y, b.data(), c.data(), d.data());
  sample_function(curves.cubic);
  kx_akima_coeffs(n - 1, x, y, b.data(), c.data(), d.data());
  sample_function(curves.akima);

  const int segments = n - 1;
  std::vector<point> p(n), pb(segments), pc(segments), pd(segments);
  for (int i = 0; i < n; ++i) p[i] = point{x[i], y[i]};
  kx_renner_spline_coeffs(segments, p.data(), pb.data(), pc.data(), pd.data());
  std::vector<double> length(segments);
  for (int k = 0; k < segments; ++k) {
    length[k] = segment_length(p[k], p[k + 1], pb[k], pc[k], pd[k]);
    if (!std::isfinite(length[k])) {
      error = "the Renner curve has no finite segment between the points of lines " +
              std::to_string(table.line[k]) + " and " + std::to_string(table.line[k + 1]);
      return false;
    }
  }
  curves.renner.reserve(samples);
  for (int j = 0; j < samples; ++j) {
    const double tau =
        j == samples - 1 ? segments : static_cast<double>(segments) * j / (samples - 1);
    const int k = std::min(static_cast<int>(tau), segments - 1);
    const double u = (tau - k) * length[k];
    point at, slope, curvature;
    kx_renner_spline_interpolate(u, 2, &p[k], &pb[k], &pc[k], &pd[k], &at, &slope, &curvature);
    curves.renner.push_back(Sample{tau, at.x, at.y, slope.x, slope.y});
  }
  return true;
}

}  // namespace curve
