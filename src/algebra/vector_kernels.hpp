// Kernels of the vector routines: each operation written once, here.  The
// exported routines (src/algebra) call them with the count they are given;
// the routines built on them (the tire axis) call them with a fixed count,
// and the compiler lays them out inline, so those routines get the
// exported routines' results to the bit without a call for every small
// step.  The exported routines take every argument by address; these take
// counts and scalars by value.  None of them allocates or keeps state, and
// a count of zero or less reads and writes nothing.
#ifndef LYNX_ALGEBRA_VECTOR_KERNELS_HPP
#define LYNX_ALGEBRA_VECTOR_KERNELS_HPP

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Laid out in the caller, which may be built for another instruction set
// (the AVX2 clones of clones.hpp).
#if defined(__GNUC__)
#define LYNX_KERNEL inline __attribute__((always_inline))
#else
#define LYNX_KERNEL inline
#endif

namespace lynx::algebra {

// Sums longer than this many terms may be added in any order; shorter ones
// are added strictly left to right.
inline constexpr int32_t kOrderedTerms = 7;

// Below this length a vector counts as null.
inline constexpr double kNullMagnitude = 1.0e-29;

// Copies of at most this many words are laid out inline; longer ones go to
// memmove.
inline constexpr int32_t kInlineWords = 4;

// y(i) = +0.0 (all-zero words), i = 1..n.
LYNX_KERNEL void fill_zero(double *y, int32_t n) {
  if (n <= 0) return;
  std::memset(y, 0, static_cast<std::size_t>(n) * sizeof(double));
}

// y = a, each 64-bit word moved unchanged: signed zeros, infinities and the
// payloads of NaNs, signalling ones included, come through bit for bit.
// The arrays may overlap in any way: a short copy reads every word before
// it stores any, a long one is a memmove.
LYNX_KERNEL void copy(double *y, const double *a, int32_t n) {
  if (n <= 0 || y == a) return;
  if (n > kInlineWords) {
    std::memmove(y, a, static_cast<std::size_t>(n) * sizeof(double));
    return;
  }
  uint64_t words[kInlineWords];
  for (int32_t i = 0; i < n; ++i) std::memcpy(&words[i], a + i, sizeof(double));
  for (int32_t i = 0; i < n; ++i) std::memcpy(y + i, &words[i], sizeof(double));
}

// y(i) = op(a(i), b(i)), i = 1..n.  Each block of four elements is read in
// full before any of it is stored, so y may be a or b and the block can
// still be packed into vector instructions.  Arrays overlapping with an
// offset are not allowed.
template <class Op>
LYNX_KERNEL void map2(double *y, const double *a, const double *b, int32_t n, Op op) {
  int32_t i = 0;
  for (; n - i >= 4; i += 4) {
    const double r0 = op(a[i], b[i]);
    const double r1 = op(a[i + 1], b[i + 1]);
    const double r2 = op(a[i + 2], b[i + 2]);
    const double r3 = op(a[i + 3], b[i + 3]);
    y[i] = r0;
    y[i + 1] = r1;
    y[i + 2] = r2;
    y[i + 3] = r3;
  }
  for (; i < n; ++i) y[i] = op(a[i], b[i]);
}

// y = a + b; y may be a or b.
LYNX_KERNEL void add(double *y, const double *a, const double *b, int32_t n) {
  map2(y, a, b, n, [](double u, double v) { return u + v; });
}

// y = a - b; y may be a or b.
LYNX_KERNEL void subtract(double *y, const double *a, const double *b, int32_t n) {
  map2(y, a, b, n, [](double u, double v) { return u - v; });
}

// y(i) = s * a(i); y may be a.
LYNX_KERNEL void scale(double *y, double s, const double *a, int32_t n) {
  map2(y, a, a, n, [s](double u, double) { return s * u; });
}

// The cyclic cross product: for each i, with j the next index and k the one
// after it (cyclically), y(i) = a(j) b(k) - b(j) a(k); for n = 3 the vector
// product a x b.  Results are stored while the operands are still being
// read, so y must not share storage with a or b.
LYNX_KERNEL void cross(double *y, const double *a, const double *b, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    const int32_t j = (i + 1 == n) ? 0 : i + 1;
    const int32_t k = (j + 1 == n) ? 0 : j + 1;
    y[i] = a[j] * b[k] - b[j] * a[k];
  }
}

// The sum of a(i) b(i) for more than kOrderedTerms terms, in partial sums
// whose order depends on n alone (vector_sums.cpp).
double sum_of_products(const double *a, const double *b, int32_t n);

// The sum of a(i) b(i), 0.0 when n <= 0: ((0.0 + a1 b1) + a2 b2) + ... up
// to kOrderedTerms terms.
LYNX_KERNEL double dot(const double *a, const double *b, int32_t n) {
  if (n > kOrderedTerms) return sum_of_products(a, b, n);
  double sum = 0.0;
  for (int32_t i = 0; i < n; ++i) sum += a[i] * b[i];
  return sum;
}

// sqrt of the sum of a(i)^2 without scaling, (a1^2 + a2^2) + ... up to
// kOrderedTerms terms; a(1) is read whatever n is, and n < 2 gives |a(1)|.
LYNX_KERNEL double magnitude(const double *a, int32_t n) {
  double sum = a[0] * a[0];
  if (n < 2) return std::sqrt(sum);
  if (n > kOrderedTerms) return std::sqrt(sum_of_products(a, a, n));
  for (int32_t i = 1; i < n; ++i) sum += a[i] * a[i];
  return std::sqrt(sum);
}

// The unit vector of a: with m its magnitude, y = 0 and -1 when m < 1.0e-29,
// otherwise y = (1 / m) a and 0.  A NaN magnitude is carried through the
// scaling.  y may be a.
LYNX_KERNEL int32_t unit_vector(double *y, const double *a, int32_t n) {
  const double m = magnitude(a, n);
  if (m < kNullMagnitude) {
    fill_zero(y, n);
    return -1;
  }
  const double r = 1.0 / m;
  scale(y, r, a, n);
  return 0;
}

}  // namespace lynx::algebra

#endif  // LYNX_ALGEBRA_VECTOR_KERNELS_HPP
