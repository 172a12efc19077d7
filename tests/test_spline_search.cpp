// The piece that each evaluation picks, against the specified bisection:
// lo = 0, hi = n - 1; while hi - lo > 1: mid = (lo + hi) / 2, hi = mid if
// knot(mid) > v, else lo = mid.  The tables are built to trip a search
// (repeated knots, descending runs, infinite and not-a-number knots, one and
// two knots) and the abscissae sit on every knot, next to it, at both ends,
// beyond them, at the infinities and at not-a-number.  Each result must be
// bit for bit the same routine's result on the bisection's piece alone.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "lynx/splines.h"
#include "support/random_source.hpp"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

template <typename Knot>
int32_t bisection(double v, int32_t n, Knot knot) {
  int32_t lo = 0, hi = n - 1;
  while (hi - lo > 1) {
    const int32_t mid = (lo + hi) / 2;
    if (knot(mid) > v) {
      hi = mid;
    } else {
      lo = mid;
    }
  }
  return lo;
}

template <typename T>
bool same_bits(const T &a, const T &b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// Each abscissa of a table: the knots and their neighbours, then the ends of
// the double range.
std::vector<double> abscissae_of(const std::vector<double> &knots) {
  std::vector<double> v{kInf, -kInf, kNaN, -0.0, 0.0, 1e300, -1e300, 2147483648.0, -2147483649.0};
  for (double k : knots) v.insert(v.end(), {k, std::nextafter(k, kInf), std::nextafter(k, -kInf)});
  return v;
}

TEST(SplineSearch, EveryTableAndAbscissaTakesTheBisectionsInterval) {
  lynx_test::Random<std::mt19937_64> rng(26);
  for (int32_t n : {1, 2, 3, 4, 5, 7, 8, 9, 16, 17, 31, 33, 64, 65, 100, 1023, 1024, 1025}) {
    std::vector<double> a(n), b(n), c(n), d(n);  // a different cubic on every interval
    for (int32_t i = 0; i < n; ++i) {
      a[i] = rng.uniform(-2.0, 2.0);
      b[i] = rng.uniform(-2.0, 2.0);
      c[i] = rng.uniform(-2.0, 2.0);
      d[i] = rng.uniform(-2.0, 2.0);
    }
    std::vector<double> ascending(n), repeated(n), descending_runs(n), unordered(n), odd(n);
    for (int32_t i = 0; i < n; ++i) {
      ascending[i] = (i == 0 ? -3.0 : ascending[i - 1] + rng.uniform(0.01, 1.0));
      repeated[i] = std::floor(i / 3.0);
      descending_runs[i] = (i % 7 < 4) ? i : n - i;
      unordered[i] = std::floor(rng.uniform(-3.0, 3.0));
      odd[i] = ascending[i];
    }
    odd.front() = -kInf;
    odd.back() = kInf;
    if (n > 4) odd[n / 2] = kNaN;
    for (const std::vector<double> *x : {&ascending, &repeated, &descending_runs, &unordered, &odd}) {
      for (double v : abscissae_of(*x)) {
        const int32_t k = bisection(v, n, [x](int32_t i) { return (*x)[i]; });
        double whole[3], piece[3];
        kx_spline_interpolate(v, n, x->data(), a.data(), b.data(), c.data(), d.data(), &whole[0],
                              &whole[1], &whole[2]);
        kx_spline_interpolate(v, 1, x->data() + k, &a[k], &b[k], &c[k], &d[k], &piece[0],
                              &piece[1], &piece[2]);
        ASSERT_TRUE(same_bits(whole, piece)) << "n = " << n << ", v = " << v << ", k = " << k;
      }
    }
  }
}

// The Renner segment comes from t directly; the knots are 0, 1, ..., n - 1.
TEST(SplineSearch, RennerSegmentIsTheBisectionsSegment) {
  lynx_test::Random<std::mt19937_64> rng(27);
  for (int32_t n : {2, 3, 4, 5, 8, 9, 17, 64, 1000}) {
    std::vector<point> p(n), b(n), c(n), d(n);
    for (std::vector<point> *v : {&p, &b, &c, &d}) {
      for (point &q : *v) q = point{rng.uniform(-2.0, 2.0), rng.uniform(-2.0, 2.0)};
    }
    std::vector<double> whole_numbers(n);
    for (int32_t i = 0; i < n; ++i) whole_numbers[i] = i;
    std::vector<double> ts = abscissae_of(whole_numbers);
    ts.insert(ts.end(), {n - 1.5, n + 0.5, 4294967296.0, 9007199254740992.0, -1e-300});
    for (double t : ts) {
      const int32_t k = bisection(t, n, [](int32_t i) { return static_cast<double>(i); });
      point whole[3], piece[3];
      kx_renner_spline_interpolate(t, n, p.data(), b.data(), c.data(), d.data(), &whole[0],
                                   &whole[1], &whole[2]);
      kx_renner_spline_interpolate(t - k, 2, &p[k], &b[k], &c[k], &d[k], &piece[0], &piece[1],
                                   &piece[2]);
      ASSERT_TRUE(same_bits(whole, piece)) << "n = " << n << ", t = " << t << ", k = " << k;
    }
  }
}

}  // namespace
