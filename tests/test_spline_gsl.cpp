// The natural cubic spline against GSL's natural cubic spline on random
// tables: value, first and second derivative agree to 1e-12 relative.
#include <gsl/gsl_errno.h>
#include <gsl/gsl_interp.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "lynx/splines.h"
#include "support/random_source.hpp"

namespace {

// |ours - theirs| within 1e-12 of the larger of |theirs| and the scale of
// the quantity over the table.
::testing::AssertionResult agrees(double ours, double theirs, double scale) {
  const double tolerance = 1e-12 * std::max(std::fabs(theirs), scale);
  if (std::fabs(ours - theirs) <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << ours << " vs GSL " << theirs << " (tolerance " << tolerance << ")";
}

TEST(CubicSplineAgainstGsl, RandomTables) {
  gsl_set_error_handler_off();
  lynx_test::Random<std::mt19937_64> rng(20261207);
  int tables = 0;
  for (int n : {3, 4, 7, 32, 100, 513, 4000}) {
    for (int repeat = 0; repeat < 5; ++repeat, ++tables) {
      std::vector<double> x(n), y(n), b(n), c(n), d(n);
      double at = rng.uniform(-100.0, 100.0);
      for (int i = 0; i < n; ++i) {
        x[i] = at;
        y[i] = rng.uniform(-100.0, 100.0);
        at += rng.uniform(0.05, 3.0);
      }
      kx_spline_coeffs(n, x.data(), y.data(), b.data(), c.data(), d.data());

      gsl_interp *spline = gsl_interp_alloc(gsl_interp_cspline, static_cast<size_t>(n));
      ASSERT_NE(spline, nullptr);
      ASSERT_EQ(gsl_interp_init(spline, x.data(), y.data(), static_cast<size_t>(n)), GSL_SUCCESS);

      // Scales of value and derivatives over the table, from GSL.
      double scale[3] = {0, 0, 0};
      for (int i = 0; i < n; ++i) {
        scale[0] = std::max(scale[0], std::fabs(y[i]));
        scale[1] = std::max(
            scale[1], std::fabs(gsl_interp_eval_deriv(spline, x.data(), y.data(), x[i], nullptr)));
        scale[2] = std::max(
            scale[2], std::fabs(gsl_interp_eval_deriv2(spline, x.data(), y.data(), x[i], nullptr)));
      }
      for (int q = 0; q < 200; ++q) {
        // Random abscissae inside the table, plus every knot.
        const double xv = q < n ? x[q] : x[0] + (x[n - 1] - x[0]) * rng.uniform(0.0, 1.0);
        double s, ds, dds;
        kx_spline_interpolate(xv, n, x.data(), y.data(), b.data(), c.data(), d.data(), &s, &ds,
                              &dds);
        const double gs = gsl_interp_eval(spline, x.data(), y.data(), xv, nullptr);
        const double gds = gsl_interp_eval_deriv(spline, x.data(), y.data(), xv, nullptr);
        const double gdds = gsl_interp_eval_deriv2(spline, x.data(), y.data(), xv, nullptr);
        ASSERT_TRUE(agrees(s, gs, scale[0])) << "n = " << n << ", xv = " << xv;
        ASSERT_TRUE(agrees(ds, gds, scale[1])) << "n = " << n << ", xv = " << xv;
        ASSERT_TRUE(agrees(dds, gdds, scale[2])) << "n = " << n << ", xv = " << xv;
      }
      gsl_interp_free(spline);
    }
  }
  EXPECT_EQ(tables, 35);
}

}  // namespace
