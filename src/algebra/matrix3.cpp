// Products of 3x3 matrices and 3-vectors, with a transpose folded into the
// routine.  Each element is (t1 + t2) + t3, the products taken in index
// order; the result must not share storage with an operand.

#include "algebra/matrix_kernels.hpp"
#include "lynx/matrices.h"

// p(i) = (A(i,1) b(1) + A(i,2) b(2)) + A(i,3) b(3).
extern "C" void LYNX_CALL FSM31(double *p, const double *a, const double *b) {
  const double b1 = b[0], b2 = b[1], b3 = b[2];
  for (int i = 0; i < 3; ++i) p[i] = (a[i] * b1 + a[i + 3] * b2) + a[i + 6] * b3;
}

// p(i) = (A(1,i) b(1) + A(2,i) b(2)) + A(3,i) b(3).
extern "C" void LYNX_CALL FSM3T1(double *p, const double *a, const double *b) {
  const double b1 = b[0], b2 = b[1], b3 = b[2];
  for (int i = 0; i < 3; ++i) p[i] = (a[3 * i] * b1 + a[3 * i + 1] * b2) + a[3 * i + 2] * b3;
}

extern "C" void LYNX_CALL FSM33(double *p, const double *a, const double *b) {
  lynx::algebra::m33(p, a, b);
}

extern "C" void LYNX_CALL FSM3T3(double *p, const double *a, const double *b) {
  lynx::algebra::m3t3(p, a, b);
}
