// Parameter rounding of the solver-vector component routine.
#ifndef LYNX_SRC_TIRE_VAR907_HPP
#define LYNX_SRC_TIRE_VAR907_HPP

#include <cstdint>

namespace lynx::tire {

// Nearest 32-bit integer, halves away from zero: value + 0.5 for zero and
// positive values, value - 0.5 for negative ones and NaN, truncated towards
// zero.  Results beyond the 32-bit range are clamped to its nearest end;
// NaN gives INT32_MIN.
int32_t round_parameter(double value);

}  // namespace lynx::tire

#endif  // LYNX_SRC_TIRE_VAR907_HPP
