// The interval table of the Akima and Renner fits: for n intervals of the
// curve, n + 4 slots in caller-owned scratch storage, slot i + 2 holding
// interval i (its slope, or its chord), and two imagined intervals at each
// end, slots 0 and 1 before the first and n + 2 and n + 3 after the last,
// so that every point has two intervals on either side.
#ifndef LYNX_INTERP_INTERVALS_HPP
#define LYNX_INTERP_INTERVALS_HPP

#include <cstdint>
#include <type_traits>

#include "lynx/splines.h"

namespace lynx::interp {

// Sets slot[i + 2] = interval(i) for the n >= 1 real intervals and the four
// imagined slots to zero.  With a single interval the end rules below read
// slot 3 (open) or slots 0 and 1 (closed) before they assign them; those
// reads see the zero.
template <typename T, typename Interval>
void lay_out_intervals(T *slot, int32_t n, Interval interval) {
  slot[0] = T{};
  slot[1] = T{};
  for (int32_t i = 0; i < n; ++i) slot[i + 2] = interval(i);
  slot[n + 2] = T{};
  slot[n + 3] = T{};
}

// The open end rule on one coordinate (at picks it out of a slot): the
// imagined intervals continue the change between the two real ones nearest
// each end by one and by two steps,
//   s[1] = 2 s[2] - s[3],      s[0] = 3 s[2] - 2 s[3],
//   s[n+2] = 2 s[n+1] - s[n],  s[n+3] = 3 s[n+1] - 2 s[n],
// assigned in this order: with a single interval s[3] is s[n+2], and the
// last two read the s[1] just formed.
template <typename T, typename Coordinate>
void continue_ends(T *slot, int32_t n, Coordinate at) {
  at(slot[1]) = 2.0 * at(slot[2]) - at(slot[3]);
  at(slot[0]) = 3.0 * at(slot[2]) - 2.0 * at(slot[3]);
  at(slot[n + 2]) = 2.0 * at(slot[n + 1]) - at(slot[n]);
  at(slot[n + 3]) = 3.0 * at(slot[n + 1]) - 2.0 * at(slot[n]);
}

// The imagined intervals of a closed curve repeat the last two real ones
// before the start and the first two after the end,
//   s[0] = s[n],  s[1] = s[n+1],  s[n+2] = s[2],  s[n+3] = s[3];
// those of an open one continue each end, a point's x coordinate first,
// then its y.
template <typename T>
void extend_ends(T *slot, int32_t n, bool closed) {
  if (closed) {
    slot[0] = slot[n];
    slot[1] = slot[n + 1];
    slot[n + 2] = slot[2];
    slot[n + 3] = slot[3];
  } else if constexpr (std::is_same_v<T, point>) {
    continue_ends(slot, n, [](point &s) -> double & { return s.x; });
    continue_ends(slot, n, [](point &s) -> double & { return s.y; });
  } else {
    continue_ends(slot, n, [](double &s) -> double & { return s; });
  }
}

}  // namespace lynx::interp

#endif  // LYNX_INTERP_INTERVALS_HPP
