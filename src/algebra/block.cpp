// Coordinate lists of matrix blocks.  Two parallel lists of 32-bit indices,
// positions counted from 1, receive the row and the column of each entry;
// the caller's fill position NZ is where the next coordinate goes (1 for
// empty lists) and grows by the number of coordinates appended.  DIAG
// appends the diagonal (I0 + k, J0 + k), k = 0..N-1, of a square block;
// BLOCK appends every entry of an NI x NJ block column by column, the row
// index varying fastest, as the elements of a column-major matrix.
//
// Indices wrap as 32-bit two's complement numbers.  A count of zero or less
// appends nothing; so does a fill position below 1, which would put the
// coordinates in front of the lists.

#include <cstdint>

#include "lynx/matrices.h"

namespace {

// a + b in 32-bit two's complement, without overflow in the language.
inline int32_t wrap_add(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace

extern "C" void LYNX_CALL DIAG(int32_t *rows, int32_t *cols, int32_t *nz, const int32_t *i0,
                               const int32_t *j0, const int32_t *n) {
  const int32_t count = *n;
  const int32_t first = *nz;
  if (count <= 0 || first < 1) return;
  const int32_t row0 = *i0, col0 = *j0;
  int32_t *row_out = rows + (first - 1);
  int32_t *col_out = cols + (first - 1);
  for (int32_t k = 0; k < count; ++k) {
    row_out[k] = wrap_add(row0, k);
    col_out[k] = wrap_add(col0, k);
  }
  *nz = wrap_add(first, count);
}

extern "C" void LYNX_CALL BLOCK(int32_t *rows, int32_t *cols, int32_t *nz, const int32_t *i0,
                                const int32_t *j0, const int32_t *ni, const int32_t *nj) {
  const int32_t n_rows = *ni, n_cols = *nj;
  const int32_t first = *nz;
  if (n_cols < 1 || n_rows < 1 || first < 1) return;
  const int32_t row0 = *i0, col0 = *j0;
  int32_t *row_out = rows + (first - 1);
  int32_t *col_out = cols + (first - 1);
  int64_t at = 0;
  for (int32_t j = 0; j < n_cols; ++j) {
    const int32_t col = wrap_add(col0, j);
    for (int32_t i = 0; i < n_rows; ++i, ++at) {
      row_out[at] = wrap_add(row0, i);
      col_out[at] = col;
    }
  }
  *nz = static_cast<int32_t>(static_cast<uint32_t>(first) + static_cast<uint32_t>(at));
}
