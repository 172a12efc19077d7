// The vector routines with a count of 3 (and 12 for clearing), written out
// inline for routines built on them, such as the tire-axis computation.  Each helper performs the
// very operations, in the same order and with the same operands, as the exported routine it stands
// for called with that count, so its results are the same to the bit; being inline, they spare the
// tire-axis routine a call through the export table for every small vector step.
#ifndef LYNX_SRC_ALGEBRA_VECTOR3_HPP
#define LYNX_SRC_ALGEBRA_VECTOR3_HPP

#include <cmath>
#include <cstdint>
#include <cstring>

namespace lynx::algebra {

// Below this length a vector counts as null (as in KXV_UNITV).
inline constexpr double kNullMagnitude = 1.0e-29;

// y(i) = a(j) b(k) - b(j) a(k), j and k the next indices cyclically: the
// vector product a x b (KXV_CROSS, n = 3).  y must not share storage with a
// or b.
inline void cross3(double *y, const double *a, const double *b) {
  y[0] = a[1] * b[2] - b[1] * a[2];
  y[1] = a[2] * b[0] - b[2] * a[0];
  y[2] = a[0] * b[1] - b[0] * a[1];
}

// y = s a (KXV_SCALE, n = 3); y may be a.
inline void scale3(double *y, double s, const double *a) {
  const double r0 = s * a[0];
  const double r1 = s * a[1];
  const double r2 = s * a[2];
  y[0] = r0;
  y[1] = r1;
  y[2] = r2;
}

// y = a + b (KXV_ADD, n = 3); y may be a or b.
inline void add3(double *y, const double *a, const double *b) {
  const double r0 = a[0] + b[0];
  const double r1 = a[1] + b[1];
  const double r2 = a[2] + b[2];
  y[0] = r0;
  y[1] = r1;
  y[2] = r2;
}

// y = a - b (KXV_SUB, n = 3); y may be a or b.
inline void sub3(double *y, const double *a, const double *b) {
  const double r0 = a[0] - b[0];
  const double r1 = a[1] - b[1];
  const double r2 = a[2] - b[2];
  y[0] = r0;
  y[1] = r1;
  y[2] = r2;
}

// y = a, each 64-bit word moved unchanged (KXV_ASSIGN, n = 3): signed
// zeros and NaN payloads come through.  All three words are read before any
// is stored.
inline void assign3(double *y, const double *a) {
  uint64_t w[3];
  std::memcpy(w, a, sizeof w);
  std::memcpy(y, w, sizeof w);
}

// y = twelve +0.0 (KXV_NULLV, n = 12): a whole axis system.
inline void clear12(double *y) {
  std::memset(y, 0, 12 * sizeof(double));
}

// ((0.0 + a1 b1) + a2 b2) + a3 b3 (KXV_DOT, n = 3).
inline double dot3(const double *a, const double *b) {
  double sum = 0.0;
  sum += a[0] * b[0];
  sum += a[1] * b[1];
  sum += a[2] * b[2];
  return sum;
}

// Unit vector (KXV_UNITV, n = 3): m = sqrt((a1^2 + a2^2) + a3^2); when
// m < 1.0e-29, y = 0 and the result is -1; otherwise y = (1 / m) a and the
// result is 0.  A NaN length is carried through.  y may be a.
inline int32_t unit3(double *y, const double *a) {
  double sum = a[0] * a[0];
  sum += a[1] * a[1];
  sum += a[2] * a[2];
  const double m = std::sqrt(sum);
  if (m < kNullMagnitude) {
    std::memset(y, 0, 3 * sizeof(double));
    return -1;
  }
  scale3(y, 1.0 / m, a);
  return 0;
}

}  // namespace lynx::algebra

#endif  // LYNX_SRC_ALGEBRA_VECTOR3_HPP
