// Dot products and lengths.
//
// Sums of up to seven terms are added strictly left to right.  Longer sums
// are split into partial sums, term i going to partial sum i mod m, and the
// partial sums are then added pairwise in a fixed tree: m = 4 below 32 terms
// and m = 16 from 32 terms on.  The order depends on the count alone, never
// on the processor, so a result is reproducible everywhere; the partial sums
// let the compiler keep them in vector registers.  As a sum started from
// 0.0, a zero result is +0.0.
//
// Squares and products are not scaled: a sum overflows to +infinity or
// underflows to zero exactly where its terms do.

#include <cmath>

#include "algebra/clones.hpp"
#include "algebra/unroll.hpp"
#include "algebra/vector_kernels.hpp"
#include "lynx/vectors.h"

namespace {

// Partial sums of a long sum; they are added in halves (kLanes to kHalfLanes
// to kQuarterLanes), and the last four in a fixed tree.
constexpr int32_t kLanes = 16;
constexpr int32_t kHalfLanes = kLanes / 2;
constexpr int32_t kQuarterLanes = kLanes / 4;

// The sum of a(i) b(i) for 8 to 31 terms, in four partial sums.  Kept out
// of line, so that the choice of sum stays small enough for the exported
// routines to take it inline.
#if defined(__GNUC__)
__attribute__((noinline))
#endif
double medium_dot(const double *a, const double *b, int32_t n) {
  double s0 = a[0] * b[0], s1 = a[1] * b[1], s2 = a[2] * b[2], s3 = a[3] * b[3];
  int32_t i = 4;
  for (; n - i >= 4; i += 4) {
    s0 += a[i] * b[i];
    s1 += a[i + 1] * b[i + 1];
    s2 += a[i + 2] * b[i + 2];
    s3 += a[i + 3] * b[i + 3];
  }
  if (i < n) s0 += a[i] * b[i];
  if (i + 1 < n) s1 += a[i + 1] * b[i + 1];
  if (i + 2 < n) s2 += a[i + 2] * b[i + 2];
  return 0.0 + ((s0 + s1) + (s2 + s3));
}

// The sum of a(i) b(i) for 32 terms or more, in kLanes partial sums.
LYNX_VECTOR_KERNEL(double, long_dot, (const double *a, const double *b, int32_t n), (a, b, n)) {
  double part[kLanes];
  LYNX_UNROLL(kLanes)
  for (int32_t k = 0; k < kLanes; ++k) part[k] = a[k] * b[k];
  int32_t i = kLanes;
  for (; n - i >= kLanes; i += kLanes) {
    LYNX_UNROLL(kLanes)
    for (int32_t k = 0; k < kLanes; ++k) part[k] += a[i + k] * b[i + k];
  }
  const int32_t rest = n - i;
  LYNX_UNROLL(kLanes)
  for (int32_t k = 0; k < kLanes - 1; ++k) {
    if (k < rest) part[k] += a[i + k] * b[i + k];
  }
  LYNX_UNROLL(kHalfLanes)
  for (int32_t k = 0; k < kHalfLanes; ++k) part[k] += part[k + kHalfLanes];
  LYNX_UNROLL(kQuarterLanes)
  for (int32_t k = 0; k < kQuarterLanes; ++k) part[k] += part[k + kQuarterLanes];
  return 0.0 + ((part[0] + part[2]) + (part[1] + part[3]));
}

}  // namespace

namespace lynx::algebra {

double sum_of_products(const double *a, const double *b, int32_t n) {
  return n < 2 * kLanes ? medium_dot(a, b, n) : long_dot(a, b, n);
}

}  // namespace lynx::algebra

extern "C" double LYNX_CALL KXV_DOT(const double *a, const double *b, const int32_t *n) {
  return lynx::algebra::dot(a, b, *n);
}

// For three terms the sum starts with the first product, not with 0.0, so
// a sum of negative zeros stays -0.0.
extern "C" double LYNX_CALL FSDOT(const double *a, const double *b, const int32_t *n) {
  const int32_t count = *n;
  if (count == 3) return (a[0] * b[0] + a[1] * b[1]) + a[2] * b[2];
  return lynx::algebra::dot(a, b, count);
}

extern "C" double LYNX_CALL KXV_MAGNTD(const double *a, const int32_t *n) {
  return lynx::algebra::magnitude(a, *n);
}

extern "C" double LYNX_CALL VECLTH(const double *a) {
  return std::sqrt((a[0] * a[0] + a[1] * a[1]) + a[2] * a[2]);
}
