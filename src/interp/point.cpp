#include "interp/point.hpp"

#include "lynx/splines.h"

extern "C" double point_norm(point p) {
  return lynx::interp::norm(p);
}

extern "C" double point_mult(point p, point q) {
  return lynx::interp::dot(p, q);
}

extern "C" point point_add(point p, point q) {
  return lynx::interp::add(p, q);
}
