// Unit vectors.
//
// KXV_UNITV multiplies by the reciprocal 1/|a|, formed once; a magnitude
// strictly below 1.0e-29 gives the null vector and status -1.  VECUNI first
// cleans components below 1.0e-13 in magnitude to +0.0, then divides each
// component by the length when that is at least 1.0e-13.  Comparisons with
// NaN fail: a NaN magnitude is carried through KXV_UNITV's scaling, and a
// NaN component leaves VECUNI's vector unnormalised.

#include <cmath>

#include "algebra/clones.hpp"
#include "algebra/vector_kernels.hpp"
#include "lynx/vectors.h"

namespace {

constexpr double kCleanThreshold = 1.0e-13;

LYNX_VECTOR_KERNEL(int32_t, unit_vector_any, (double *y, const double *a, int32_t n), (y, a, n)) {
  return lynx::algebra::unit_vector(y, a, n);
}

}  // namespace

extern "C" void LYNX_CALL KXV_UNITV(double *y, const double *a, const int32_t *n, int32_t *status) {
  *status = 0;
  const int32_t count = *n;
  if (unit_vector_any(y, a, count) != 0) *status = -1;
}

extern "C" void LYNX_CALL VECUNI(double *a) {
  for (int i = 0; i < 3; ++i) {
    if (std::fabs(a[i]) < kCleanThreshold) a[i] = 0.0;
  }
  const double x = a[0];
  const double y = a[1];
  const double z = a[2];
  const double length = std::sqrt((x * x + y * y) + z * z);
  if (std::fabs(length) >= kCleanThreshold) {
    a[0] = x / length;
    a[1] = y / length;
    a[2] = z / length;
  }
}
