/* Compiles only: a C program with a `point` of its own includes every public
 * header and reaches the plane-point routines through `lynx_point`. */
#define LYNX_NO_SHORT_POINT
#include "lynx/lynxUtility.h"

typedef struct point {
  int column, row;
} point;

double own_point_length(point p) {
  const lynx_point q = {(double)p.column, (double)p.row};
  return point_norm(q);
}
