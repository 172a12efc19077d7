// The product of two 6x6 matrices, column-major with element (i, j) at
// position i + 6(j - 1):
//   P(i,j) = ((((A(i,1) B(1,j) + A(i,2) B(2,j)) + A(i,3) B(3,j))
//            + A(i,4) B(4,j)) + A(i,5) B(5,j)) + A(i,6) B(6,j).
// Column j of P is built from column j of B and all of A, the six rows side
// by side so that they can share vector instructions; the additions of each
// element keep exactly the order above.  P must not share storage with A or
// B.

#include "algebra/unroll.hpp"
#include "lynx/matrices.h"

namespace {

void m66(double *__restrict p, const double *__restrict a, const double *__restrict b) {
  for (int j = 0; j < 6; ++j) {
    const double *bj = b + 6 * j;
    double column[6];
    LYNX_UNROLL(6)
    for (int i = 0; i < 6; ++i) column[i] = a[i] * bj[0];
    LYNX_UNROLL(5)
    for (int k = 1; k < 6; ++k) {
      LYNX_UNROLL(6)
      for (int i = 0; i < 6; ++i) column[i] = column[i] + a[i + 6 * k] * bj[k];
    }
    LYNX_UNROLL(6)
    for (int i = 0; i < 6; ++i) p[i + 6 * j] = column[i];
  }
}

}  // namespace

extern "C" void LYNX_CALL M66(double *p, const double *a, const double *b) {
  m66(p, a, b);
}
