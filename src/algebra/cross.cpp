// Cross products.
//
// The cyclic form takes, for each i = 1..n, j = (i mod n) + 1 and
// k = (j mod n) + 1 and forms y(i) = a(j) b(k) - b(j) a(k); for n = 3 this is
// the vector product a x b.  Results are stored while the operands are still
// being read, so y must not share storage with a or b.

#include "algebra/second_name.hpp"
#include "algebra/vector_kernels.hpp"
#include "lynx/matrices.h"
#include "lynx/vectors.h"

extern "C" void LYNX_CALL KXV_CROSS(double *y, const double *a, const double *b, const int32_t *n) {
  lynx::algebra::cross(y, a, b, *n);
}

// y = a x b of 3-vectors, also exported as T31 (the tilde matrix of a
// applied to b).
extern "C" void LYNX_CALL FSCROSS(double *y, const double *a, const double *b) {
  y[0] = a[1] * b[2] - a[2] * b[1];
  y[1] = a[2] * b[0] - a[0] * b[2];
  y[2] = a[0] * b[1] - a[1] * b[0];
}

LYNX_SECOND_NAME(void, T31, FSCROSS, (double *y, const double *a, const double *b), (y, a, b))
