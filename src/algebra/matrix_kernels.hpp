// 3x3 kernels shared by the exported products and the frame transforms.
// Matrices are column-major: element (i, j), counted from 0 here, lies at
// position i + 3j.  Each element is a sum of three products added left to
// right, (t1 + t2) + t3; the result must not share storage with an operand.
#ifndef LYNX_ALGEBRA_MATRIX_KERNELS_HPP
#define LYNX_ALGEBRA_MATRIX_KERNELS_HPP

#include "algebra/unroll.hpp"

namespace lynx::algebra {

// P = A B: P(i,j) = (A(i,1) B(1,j) + A(i,2) B(2,j)) + A(i,3) B(3,j).
inline void m33(double *__restrict p, const double *__restrict a, const double *__restrict b) {
  LYNX_UNROLL(3)
  for (int j = 0; j < 3; ++j) {
    LYNX_UNROLL(3)
    for (int i = 0; i < 3; ++i) {
      p[i + 3 * j] = (a[i] * b[3 * j] + a[i + 3] * b[3 * j + 1]) + a[i + 6] * b[3 * j + 2];
    }
  }
}

// P = A^T B: P(i,j) = (A(1,i) B(1,j) + A(2,i) B(2,j)) + A(3,i) B(3,j).
inline void m3t3(double *__restrict p, const double *__restrict a, const double *__restrict b) {
  LYNX_UNROLL(3)
  for (int j = 0; j < 3; ++j) {
    LYNX_UNROLL(3)
    for (int i = 0; i < 3; ++i) {
      p[i + 3 * j] =
          (a[3 * i] * b[3 * j] + a[3 * i + 1] * b[3 * j + 1]) + a[3 * i + 2] * b[3 * j + 2];
    }
  }
}

// P = (tilde a) B: column j is a x B(:, j).
inline void t33(double *__restrict p, const double *__restrict a, const double *__restrict b) {
  const double a1 = a[0], a2 = a[1], a3 = a[2];
  LYNX_UNROLL(3)
  for (int j = 0; j < 3; ++j) {
    const double *c = b + 3 * j;
    p[3 * j] = a2 * c[2] - a3 * c[1];
    p[3 * j + 1] = a3 * c[0] - a1 * c[2];
    p[3 * j + 2] = a1 * c[1] - a2 * c[0];
  }
}

}  // namespace lynx::algebra

#endif  // LYNX_ALGEBRA_MATRIX_KERNELS_HPP
