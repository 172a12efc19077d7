// Similarity transforms by a rotation matrix R: P = R^T M R for a matrix and
// P = R^T (tilde w) R for the tilde matrix of a 3-vector.  The inner product
// goes into a local 3x3 array, then P = R^T T as FSM3T3 forms it.  The
// transformed tilde matrix equals the tilde matrix of R^T w only up to
// rounding: all nine elements are computed, the diagonal included.

#include "algebra/matrix_kernels.hpp"
#include "lynx/matrices.h"

extern "C" void LYNX_CALL TRANSFORMMATRIX(double *p, const double *r, const double *m) {
  double t[9];
  lynx::algebra::m33(t, m, r);
  lynx::algebra::m3t3(p, r, t);
}

extern "C" void LYNX_CALL TRANSFORMSKEWMATRIX(double *p, const double *r, const double *w) {
  double t[9];
  lynx::algebra::t33(t, w, r);
  lynx::algebra::m3t3(p, r, t);
}
