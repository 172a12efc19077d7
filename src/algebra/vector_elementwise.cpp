// Element-wise vector routines: sum, difference, scaling and copy.
//
// Element i of the result depends only on element i of each operand, and a
// count of zero or less reads and writes nothing.  The result may be the
// very array of an operand; arrays overlapping with an offset are not
// allowed, except in a copy, which moves the words as memmove does.  The
// loops are the kernels of vector_kernels.hpp, built here for the
// processor at hand (clones.hpp).

#include "algebra/clones.hpp"
#include "algebra/second_name.hpp"
#include "algebra/vector_kernels.hpp"
#include "lynx/vectors.h"

namespace {

LYNX_VECTOR_KERNEL(void, add_any, (double *y, const double *a, const double *b, int32_t n),
                   (y, a, b, n)) {
  lynx::algebra::add(y, a, b, n);
}

LYNX_VECTOR_KERNEL(void, subtract_any, (double *y, const double *a, const double *b, int32_t n),
                   (y, a, b, n)) {
  lynx::algebra::subtract(y, a, b, n);
}

LYNX_VECTOR_KERNEL(void, scale_any, (double *y, double s, const double *a, int32_t n),
                   (y, s, a, n)) {
  lynx::algebra::scale(y, s, a, n);
}

}  // namespace

extern "C" void LYNX_CALL KXV_ADD(double *y, const double *a, const double *b, const int32_t *n) {
  add_any(y, a, b, *n);
}

LYNX_SECOND_NAME(void, AVEC, KXV_ADD,
                 (double *y, const double *a, const double *b, const int32_t *n), (y, a, b, n))

extern "C" void LYNX_CALL KXV_SUB(double *y, const double *a, const double *b, const int32_t *n) {
  subtract_any(y, a, b, *n);
}

// The scalar is read once, after the count and before any element is
// stored, so it may itself be an element of y.
extern "C" void LYNX_CALL KXV_SCALE(double *y, const double *s, const double *a, const int32_t *n) {
  const int32_t count = *n;
  if (count <= 0) return;
  scale_any(y, *s, a, count);
}

// KXV_SCALE with the scalar in third place.
extern "C" void LYNX_CALL SVECDP(double *y, const double *a, const double *s, const int32_t *n) {
  KXV_SCALE(y, s, a, n);
}

extern "C" void LYNX_CALL KXV_ASSIGN(double *y, const double *a, const int32_t *n) {
  lynx::algebra::copy(y, a, *n);
}

LYNX_SECOND_NAME(void, COPYDP, KXV_ASSIGN, (double *y, const double *a, const int32_t *n),
                 (y, a, n))
