// Dot products and lengths.
//
// Sums of up to seven terms are added strictly left to right.  Longer sums
// go into sixteen partial sums, term i into partial sum i mod 16, which are
// then added pairwise in a fixed tree: the same order for every call and
// every instruction set, so the result depends only on the operands.  The
// partial sums let the compiler keep them in vector registers; on x86-64 ELF
// the loop is built a second time for AVX2 and picked at load time, with the
// same order of operations and therefore the same results.
//
// Squares and products are not scaled: a sum overflows to +infinity or
// underflows to zero exactly where its terms do.

#include <cmath>

#include "algebra/unroll.hpp"
#include "algebra/vector_kernels.hpp"
#include "lynx/vectors.h"

#if defined(__GNUC__) && defined(__x86_64__) && defined(__ELF__)
#define LYNX_LONG_SUM_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define LYNX_LONG_SUM_CLONES
#endif

namespace {

constexpr int32_t kLanes = 16;

// The sum of a(i) b(i) for n > 7 terms, in kLanes partial sums.
LYNX_LONG_SUM_CLONES double long_dot(const double *a, const double *b, int32_t n) {
  double part[kLanes] = {};
  int32_t i = 0;
  for (; n - i >= kLanes; i += kLanes) {
    LYNX_UNROLL(16)
    for (int32_t k = 0; k < kLanes; ++k) part[k] += a[i + k] * b[i + k];
  }
  for (int32_t k = 0; i < n; ++i, ++k) part[k] += a[i] * b[i];
  for (int32_t width = kLanes / 2; width > 0; width /= 2) {
    for (int32_t k = 0; k < width; ++k) part[k] += part[k + width];
  }
  return part[0];
}

}  // namespace

namespace lynx::algebra {

double dot(const double *a, const double *b, int32_t n) {
  if (n > kOrderedTerms) return long_dot(a, b, n);
  double sum = 0.0;
  for (int32_t i = 0; i < n; ++i) sum += a[i] * b[i];
  return sum;
}

double magnitude(const double *a, int32_t n) {
  double sum = a[0] * a[0];
  if (n < 2) return std::sqrt(sum);
  if (n > kOrderedTerms) return std::sqrt(long_dot(a, a, n));
  for (int32_t i = 1; i < n; ++i) sum += a[i] * a[i];
  return std::sqrt(sum);
}

}  // namespace lynx::algebra

extern "C" double KXV_DOT(const double *a, const double *b, const int32_t *n) {
  return lynx::algebra::dot(a, b, *n);
}

// For three terms the sum starts with the first product, not with 0.0, so
// a sum of negative zeros stays -0.0.
extern "C" double FSDOT(const double *a, const double *b, const int32_t *n) {
  const int32_t count = *n;
  if (count == 3) return (a[0] * b[0] + a[1] * b[1]) + a[2] * b[2];
  return lynx::algebra::dot(a, b, count);
}

extern "C" double KXV_MAGNTD(const double *a, const int32_t *n) {
  return lynx::algebra::magnitude(a, *n);
}

extern "C" double VECLTH(const double *a) {
  return std::sqrt((a[0] * a[0] + a[1] * a[1]) + a[2] * a[2]);
}
