// Spline fits and evaluations on arbitrary tables: any doubles (equal,
// decreasing, infinite or NaN abscissae included) and any count that
// matches the arrays.  Every array is its own heap block of exactly the
// size the count implies, so a read or write past it is caught.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "lynx/splines.h"

namespace {

std::vector<double> doubles(const uint8_t *data, size_t size) {
  std::vector<double> out(size / sizeof(double));
  if (!out.empty()) std::memcpy(out.data(), data, out.size() * sizeof(double));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 1) return 0;
  const uint8_t mode = data[0];
  const std::vector<double> values = doubles(data + 1, size - 1);
  // The table: knots (x, y) taken in pairs; the last value is the query.
  const int32_t knots = static_cast<int32_t>(values.size() / 2);
  if (knots < 1) return 0;
  std::vector<double> x(knots), y(knots);
  for (int32_t i = 0; i < knots; ++i) {
    x[i] = values[2 * i];
    y[i] = values[2 * i + 1];
  }
  const double query = values.size() % 2 ? values.back() : 0.5;
  double s, ds, dds;

  if (mode % 3 == 0) {
    std::vector<double> b(knots), c(knots), d(knots);
    kx_spline_coeffs(knots, x.data(), y.data(), b.data(), c.data(), d.data());
    kx_spline_interpolate(query, knots, x.data(), y.data(), b.data(), c.data(), d.data(), &s, &ds,
                          &dds);
  } else if (mode % 3 == 1) {
    const int32_t intervals = knots - 1;
    std::vector<double> b(intervals), c(intervals), d(intervals);
    kx_akima_coeffs(intervals, x.data(), y.data(), b.data(), c.data(), d.data());
    if (intervals > 0) {
      kx_spline_interpolate(query, knots, x.data(), y.data(), b.data(), c.data(), d.data(), &s, &ds,
                            &dds);
    }
  } else {
    std::vector<point> p(knots);
    for (int32_t i = 0; i < knots; ++i) p[i] = point{x[i], y[i]};
    const int32_t segments = knots - 1;
    std::vector<point> b(segments), c(segments), d(segments);
    kx_renner_spline_coeffs(segments, p.data(), b.data(), c.data(), d.data());
    point q, dq, ddq;
    if (segments > 0) {
      kx_renner_spline_interpolate(query, knots, p.data(), b.data(), c.data(), d.data(), &q, &dq,
                                   &ddq);
    }
  }
  return 0;
}
