// Array fill: doubles set to +0.0 and 32-bit integers set to 0.  A count of
// zero or less writes nothing; otherwise exactly n elements are written.

#include <cstring>

#include "algebra/second_name.hpp"
#include "algebra/vector_kernels.hpp"
#include "lynx/matrices.h"
#include "lynx/vectors.h"

extern "C" void LYNX_CALL KXV_NULLV(double *y, const int32_t *n) {
  lynx::algebra::fill_zero(y, *n);
}

LYNX_SECOND_NAME(void, FSZERO, KXV_NULLV, (double *y, const int32_t *n), (y, n))

extern "C" void LYNX_CALL ZEROI(int32_t *y, const int32_t *n) {
  const int32_t count = *n;
  if (count <= 0) return;
  std::memset(y, 0, static_cast<size_t>(count) * sizeof(int32_t));
}

LYNX_SECOND_NAME(void, FSIZERO, ZEROI, (int32_t * y, const int32_t *n), (y, n))
