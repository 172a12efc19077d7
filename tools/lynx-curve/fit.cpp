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
#include <cstdio>
#include <string>
#include <vector>

#include "curve.hpp"
#include "lynx/splines.h"

namespace curve {

namespace {

point relative(const point &b, const point &c, const point &d, double u) {
  return point{((b.x + c.x * u) + d.x * u * u) * u, ((b.y + c.y * u) + d.y * u * u) * u};
}

// The parameter length T of a segment from p0 to p1, at which it reaches
// p1.  The fit does not hand it out, but T is a root of the cubic
//   g(u) = (C(u) - p0).D - |D|^2,  D = p1 - p0,
// the distance travelled along the chord, and with tangents of at most unit
// length it lies between |D| and 3 |D|.  g is split at the roots of g' into
// stretches where it is monotone; each root in a stretch is found by Newton
// steps kept inside a shrinking bracket, and the root at which the curve
// comes closest to p1 is taken.  Where the curve arrives at p1 at rest (a
// cusp) g only touches zero, at a root of g', so those are tried too.  The
// work is bounded whatever the data: at most three stretches and a fixed
// number of steps in each.  NaN when the coefficients are not finite or no
// parameter brings the curve to p1 (within a billionth of the chord).
double segment_length(point p0, point p1, const point &b, const point &c, const point &d) {
  const point chord{p1.x - p0.x, p1.y - p0.y};
  const double e = chord.x * chord.x + chord.y * chord.y;
  const double length = std::sqrt(e);
  const double a1 = b.x * chord.x + b.y * chord.y;
  const double a2 = c.x * chord.x + c.y * chord.y;
  const double a3 = d.x * chord.x + d.y * chord.y;
  auto g = [&](double u) { return ((a3 * u + a2) * u + a1) * u - e; };
  auto dg = [&](double u) { return (3.0 * a3 * u + 2.0 * a2) * u + a1; };
  auto miss = [&](double u) {
    const point at = relative(b, c, d, u);
    return std::hypot(at.x - chord.x, at.y - chord.y);
  };
  if (!(e > 0.0) || !std::isfinite(e + a1 + a2 + a3)) return NAN;

  // The bracket, wider than the range T can take, cut at the roots of
  // g'(u) = 3 a3 u^2 + 2 a2 u + a1 (solved without cancellation).
  const double low = 0.5 * length, high = 4.0 * length;
  double stretch[4] = {low, high, NAN, NAN};
  size_t ends = 2;
  const double qa = 3.0 * a3, qb = 2.0 * a2, qc = a1;
  if (qa == 0.0) {
    if (qb != 0.0) stretch[ends++] = -qc / qb;
  } else {
    const double disc = qb * qb - 4.0 * qa * qc;
    if (disc >= 0.0) {
      const double q = -0.5 * (qb + std::copysign(std::sqrt(disc), qb));
      stretch[ends++] = q / qa;
      if (q != 0.0) stretch[ends++] = qc / q;
    }
  }
  // Roots of g' outside the bracket (or not numbers) go; the rest are put
  // in order.
  size_t kept = 0;
  for (size_t i = 0; i < ends; ++i) {
    const double u = stretch[i];
    if (!(u >= low && u <= high)) continue;
    size_t at = kept++;
    for (; at > 0 && stretch[at - 1] > u; --at) stretch[at] = stretch[at - 1];
    stretch[at] = u;
  }
  ends = kept;
  // The ends of the stretches, roots of g' among them, and a root in each.
  double candidates[7];
  size_t count = 0;
  for (size_t i = 0; i < ends; ++i) candidates[count++] = stretch[i];

  for (size_t i = 0; i + 1 < ends; ++i) {
    double a = stretch[i], z = stretch[i + 1];
    const double ga = g(a), gz = g(z);
    if (ga == 0.0 || gz == 0.0 || (ga < 0.0) == (gz < 0.0)) continue;
    const bool rising = ga < 0.0;
    double u = a - ga * (z - a) / (gz - ga);
    for (int step = 0; step < 200; ++step) {
      if (!(u > a && u < z)) u = a + 0.5 * (z - a);
      if (!(u > a && u < z)) break;  // a and z are neighbours
      const double gu = g(u);
      if (gu == 0.0) break;
      if ((gu < 0.0) == rising) {
        a = u;
      } else {
        z = u;
      }
      const double slope = dg(u);
      u = slope != 0.0 ? u - gu / slope : a + 0.5 * (z - a);
    }
    candidates[count++] = u > a && u < z ? u : (std::fabs(g(a)) <= std::fabs(g(z)) ? a : z);
  }

  double best = NAN, best_miss = HUGE_VAL;
  for (size_t i = 0; i < count; ++i) {
    const double u = candidates[i];
    const double m = miss(u);
    if (m < best_miss) {
      best = u;
      best_miss = m;
    }
  }
  return best_miss <= 1e-9 * length ? best : NAN;
}

// The first sample with a coordinate or derivative that is not finite, or
// nullptr.
const Sample *first_non_finite(const std::vector<Sample> &samples) {
  for (const Sample &s : samples) {
    if (!(std::isfinite(s.x) && std::isfinite(s.y) && std::isfinite(s.dx) && std::isfinite(s.dy))) {
      return &s;
    }
  }
  return nullptr;
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
      error = "the Renner curve's segment between the points of lines " +
              std::to_string(table.line[k]) + " and " + std::to_string(table.line[k + 1]) +
              " is not finite or does not reach the second point";
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

  // Rounding can defeat a fit (abscissae a few subnormals apart, say): a
  // curve with a sample that is not finite is refused, never written.
  std::string failed;
  const struct {
    const char *name, *parameter;
    const std::vector<Sample> *samples;
  } all[] = {{"the natural cubic spline", "x", &curves.cubic},
             {"the Akima curve", "x", &curves.akima},
             {"the Renner curve", "t", &curves.renner}};
  for (const auto &curve : all) {
    const Sample *bad = first_non_finite(*curve.samples);
    if (bad == nullptr) continue;
    char at[64];
    std::snprintf(at, sizeof at, " (first at %s = %.17g)", curve.parameter, bad->t);
    failed += (failed.empty() ? "" : ", ") + std::string(curve.name) + at;
  }
  if (!failed.empty()) {
    error = "samples that are not finite numbers from " + failed;
    return false;
  }
  return true;
}

}  // namespace curve
