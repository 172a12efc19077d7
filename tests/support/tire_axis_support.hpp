// Helpers for the tire-axis tests: the outputs of one call with guard words
// around each, and the same outputs from the computation written out step
// by step with the exported vector routines, which the routine must match
// to the bit.
#ifndef LYNX_TESTS_TIRE_AXIS_SUPPORT_HPP
#define LYNX_TESTS_TIRE_AXIS_SUPPORT_HPP

#include <array>
#include <cstdint>

#include "algebra_support.hpp"
#include "lynx/tire.h"
#include "tire_axis_steps.hpp"

namespace tire_test {

using algebra_test::Guarded;

// The inputs of one call.
struct AxisInputs {
  double t = 0.5;
  double a[3] = {0.0, 1.0, 0.0};
  double p[3] = {0.0, 0.0, 0.375};
  double b[3] = {0.0, 0.0, 1.0};
  double q[3] = {0.0, 0.0, 0.0};
  double s = 0.0;

  // The fourteen values in the order of the arguments: t, A, P, B, Q, s.
  std::array<double *, 14> values() {
    return {&t,    &a[0], &a[1], &a[2], &p[0], &p[1], &p[2],
            &b[0], &b[1], &b[2], &q[0], &q[1], &q[2], &s};
  }
};

// The outputs of one call, each in guarded storage filled with the
// sentinel, so that every element written and nothing beyond shows.
struct AxisOutputs {
  Guarded<int32_t> in_range{1};
  Guarded<double> r{1};
  Guarded<double> wheel{12};
  Guarded<double> wheel_reversed{12};
  Guarded<double> contact{12};
  Guarded<double> contact_reversed{12};
  int32_t status = 99;

  // The four axis systems: wheel, wheel reversed, contact, contact reversed.
  std::array<Guarded<double> *, 4> systems() {
    return {&wheel, &wheel_reversed, &contact, &contact_reversed};
  }
  bool guards_intact() const {
    return in_range.guards_intact() && r.guards_intact() && wheel.guards_intact() &&
           wheel_reversed.guards_intact() && contact.guards_intact() &&
           contact_reversed.guards_intact();
  }
};

inline AxisOutputs call_tire_axis(AxisInputs in) {
  AxisOutputs out;
  out.status = KXF_TIR_AXIS(out.in_range.data(), out.r.data(), out.wheel.data(),
                            out.wheel_reversed.data(), out.contact.data(),
                            out.contact_reversed.data(), &in.t, in.a, in.p, in.b, in.q, &in.s);
  return out;
}

// The tire-axis steps, one exported vector routine per step
// (tire_axis_steps.hpp).
inline AxisOutputs axis_by_steps(AxisInputs in) {
  AxisOutputs out;
  out.status = tire_steps::tire_axis_by_steps(
      out.in_range.data(), out.r.data(), out.wheel.data(), out.wheel_reversed.data(),
      out.contact.data(), out.contact_reversed.data(), &in.t, in.a, in.p, in.b, in.q, &in.s);
  return out;
}

}  // namespace tire_test

#endif  // LYNX_TESTS_TIRE_AXIS_SUPPORT_HPP
