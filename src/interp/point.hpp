// Arithmetic on plane points, shared by the exported point routines and the
// Renner fit so that both round alike.
#ifndef LYNX_INTERP_POINT_HPP
#define LYNX_INTERP_POINT_HPP

#include <cmath>

#include "lynx/splines.h"

namespace lynx::interp {

// sqrt(x x + y y), without scaling against overflow.
inline double norm(point p) {
  return std::sqrt(p.x * p.x + p.y * p.y);
}

// The dot product, y terms first.
inline double dot(point p, point q) {
  return p.y * q.y + p.x * q.x;
}

inline point add(point p, point q) {
  return point{p.x + q.x, p.y + q.y};
}

}  // namespace lynx::interp

#endif  // LYNX_INTERP_POINT_HPP
