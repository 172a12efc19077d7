// Kernels shared by the vector routines and the routines built on them.  The
// exported routines take every argument by address; these take counts and
// scalars by value.  None of them allocates or keeps state.
#ifndef LYNX_ALGEBRA_VECTOR_KERNELS_HPP
#define LYNX_ALGEBRA_VECTOR_KERNELS_HPP

#include <cstdint>

namespace lynx::algebra {

// Sums longer than this many terms may be added in any order; shorter ones
// are added strictly left to right.
inline constexpr int32_t kOrderedTerms = 7;

// y(i) = +0.0 (all-zero words), i = 1..n; nothing for n <= 0.
void fill_zero(double *y, int32_t n);

// y(i) = s * a(i); nothing for n <= 0.  y may be the array a.
void scale(double *y, double s, const double *a, int32_t n);

// The sum of a(i) b(i), 0.0 when n <= 0.
double dot(const double *a, const double *b, int32_t n);

// sqrt of the sum of a(i)^2 without scaling; a(1) is read whatever n is,
// and n < 2 gives |a(1)|.
double magnitude(const double *a, int32_t n);

}  // namespace lynx::algebra

#endif  // LYNX_ALGEBRA_VECTOR_KERNELS_HPP
