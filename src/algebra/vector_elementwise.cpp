// Element-wise vector routines: sum, difference, scaling and copy.
//
// Element i of the result depends only on element i of each operand, and a
// count of zero or less reads and writes nothing.  The result may be the
// very array of an operand; arrays overlapping with an offset are not
// allowed.

#include <cstring>

#include "algebra/clones.hpp"
#include "algebra/second_name.hpp"
#include "algebra/vector_kernels.hpp"
#include "lynx/vectors.h"

namespace {

// y(i) = op(a(i), b(i)), i = 1..n.  Each block of four elements is read in
// full before any of it is stored, so y may be a or b and the block can
// still be packed into vector instructions.
template <class Op>
inline void map2(double *y, const double *a, const double *b, int32_t n, Op op) {
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

LYNX_VECTOR_KERNEL(void, add, (double *y, const double *a, const double *b, int32_t n),
                   (y, a, b, n)) {
  map2(y, a, b, n, [](double x, double z) { return x + z; });
}

LYNX_VECTOR_KERNEL(void, subtract, (double *y, const double *a, const double *b, int32_t n),
                   (y, a, b, n)) {
  map2(y, a, b, n, [](double x, double z) { return x - z; });
}

}  // namespace

namespace lynx::algebra {

LYNX_VECTOR_KERNEL(void, scale, (double *y, double s, const double *a, int32_t n), (y, s, a, n)) {
  int32_t i = 0;
  for (; n - i >= 4; i += 4) {
    const double r0 = s * a[i];
    const double r1 = s * a[i + 1];
    const double r2 = s * a[i + 2];
    const double r3 = s * a[i + 3];
    y[i] = r0;
    y[i + 1] = r1;
    y[i + 2] = r2;
    y[i + 3] = r3;
  }
  for (; i < n; ++i) y[i] = s * a[i];
}

}  // namespace lynx::algebra

extern "C" void LYNX_CALL KXV_ADD(double *y, const double *a, const double *b, const int32_t *n) {
  add(y, a, b, *n);
}

LYNX_SECOND_NAME(void, AVEC, KXV_ADD,
                 (double *y, const double *a, const double *b, const int32_t *n), (y, a, b, n))

extern "C" void LYNX_CALL KXV_SUB(double *y, const double *a, const double *b, const int32_t *n) {
  subtract(y, a, b, *n);
}

// The scalar is read once, after the count and before any element is
// stored, so it may itself be an element of y.
extern "C" void LYNX_CALL KXV_SCALE(double *y, const double *s, const double *a, const int32_t *n) {
  const int32_t count = *n;
  if (count <= 0) return;
  lynx::algebra::scale(y, *s, a, count);
}

// KXV_SCALE with the scalar in third place.
extern "C" void LYNX_CALL SVECDP(double *y, const double *a, const double *s, const int32_t *n) {
  KXV_SCALE(y, s, a, n);
}

// A copy moves each 64-bit word unchanged: signed zeros, infinities and the
// payloads of NaNs, signalling ones included, come through bit for bit.
extern "C" void LYNX_CALL KXV_ASSIGN(double *y, const double *a, const int32_t *n) {
  const int32_t count = *n;
  if (count <= 0 || y == a) return;
  std::memmove(y, a, static_cast<size_t>(count) * sizeof(double));
}

LYNX_SECOND_NAME(void, COPYDP, KXV_ASSIGN, (double *y, const double *a, const int32_t *n),
                 (y, a, n))
