// The tilde (cross-product) operator: the skew-symmetric matrix of a
// 3-vector a, with (tilde a) b = a x b, built as a matrix or applied to the
// columns or rows of a matrix.  Each element is one difference of two
// products; the result must not share storage with an operand.

#include "algebra/matrix_kernels.hpp"
#include "algebra/negate.hpp"
#include "lynx/matrices.h"

// Storage order 0, a3, -a2, -a3, 0, a1, a2, -a1, 0.  Each negative entry is
// 0 - x, so it is +0.0 for a zero component of either sign (the 32-bit
// build: -x, see negate.hpp).
extern "C" void LYNX_CALL SKEW(double *p, const double *a) {
  using lynx::algebra::negated;
  const double a1 = a[0], a2 = a[1], a3 = a[2];
  p[0] = 0.0;
  p[1] = a3;
  p[2] = negated(a2);
  p[3] = negated(a3);
  p[4] = 0.0;
  p[5] = a1;
  p[6] = a2;
  p[7] = negated(a1);
  p[8] = 0.0;
}

// Column j of P is a x B(:, j).
extern "C" void LYNX_CALL T33(double *p, const double *a, const double *b) {
  lynx::algebra::t33(p, a, b);
}

// P = (tilde a)^T B: column j of P is B(:, j) x a.
extern "C" void LYNX_CALL T3T3(double *p, const double *a, const double *b) {
  const double a1 = a[0], a2 = a[1], a3 = a[2];
  for (int j = 0; j < 3; ++j) {
    const double *c = b + 3 * j;
    p[3 * j] = a3 * c[1] - a2 * c[2];
    p[3 * j + 1] = a1 * c[2] - a3 * c[0];
    p[3 * j + 2] = a2 * c[0] - a1 * c[1];
  }
}

// P = (tilde a) B^T: column j of P is a x B(j, :).
extern "C" void LYNX_CALL T33T(double *p, const double *a, const double *b) {
  const double a1 = a[0], a2 = a[1], a3 = a[2];
  for (int j = 0; j < 3; ++j) {
    const double r1 = b[j], r2 = b[j + 3], r3 = b[j + 6];
    p[3 * j] = a2 * r3 - a3 * r2;
    p[3 * j + 1] = a3 * r1 - a1 * r3;
    p[3 * j + 2] = a1 * r2 - a2 * r1;
  }
}
