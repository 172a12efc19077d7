// Helpers for the tire-axis tests: the outputs of one call with guard words
// around each, and the computation written out step by step with the
// exported vector routines, which the routine must match to the bit.
#ifndef LYNX_TESTS_TIRE_AXIS_SUPPORT_HPP
#define LYNX_TESTS_TIRE_AXIS_SUPPORT_HPP

#include <array>
#include <cstdint>

#include "algebra_support.hpp"
#include "lynx/tire.h"
#include "lynx/vectors.h"

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

// The tire-axis steps, one exported vector routine per step.
inline AxisOutputs axis_by_steps(AxisInputs in) {
  AxisOutputs out;
  const int32_t three = 3, twelve = 12;
  const double minus_one = -1.0;
  int32_t status = 0;
  double x[3], yc[3], zw[3], d[3], sb[3], v[3], drop[3];

  // 1. X = unit(A x B); a null cross product clears everything.
  KXV_CROSS(x, in.a, in.b, &three);
  KXV_UNITV(x, x, &three, &status);
  if (status == -1) {
    KXV_NULLV(out.wheel.data(), &twelve);
    KXV_NULLV(out.wheel_reversed.data(), &twelve);
    KXV_NULLV(out.contact.data(), &twelve);
    KXV_NULLV(out.contact_reversed.data(), &twelve);
    out.r[0] = 0.0;
    out.in_range[0] = LYNX_FALSE;
    out.status = -1;
    return out;
  }
  // 2. Yc = unit(B x X).
  KXV_CROSS(yc, in.b, x, &three);
  KXV_UNITV(yc, yc, &three, &status);
  // 3. Contact axes (X, Yc, B) and (X, -Yc, -B).
  KXV_ASSIGN(out.contact.data(), x, &three);
  KXV_ASSIGN(out.contact.data() + 3, yc, &three);
  KXV_ASSIGN(out.contact.data() + 6, in.b, &three);
  KXV_ASSIGN(out.contact_reversed.data(), x, &three);
  KXV_SCALE(out.contact_reversed.data() + 3, &minus_one, yc, &three);
  KXV_SCALE(out.contact_reversed.data() + 6, &minus_one, in.b, &three);
  // 4. Zw = unit(X x A).
  KXV_CROSS(zw, x, in.a, &three);
  KXV_UNITV(zw, zw, &three, &status);
  // 5. Wheel axes (X, A, Zw | P) and (X, -A, -Zw | P).
  KXV_ASSIGN(out.wheel.data(), x, &three);
  KXV_ASSIGN(out.wheel.data() + 3, in.a, &three);
  KXV_ASSIGN(out.wheel.data() + 6, zw, &three);
  KXV_ASSIGN(out.wheel.data() + 9, in.p, &three);
  KXV_ASSIGN(out.wheel_reversed.data(), x, &three);
  KXV_SCALE(out.wheel_reversed.data() + 3, &minus_one, in.a, &three);
  KXV_SCALE(out.wheel_reversed.data() + 6, &minus_one, zw, &three);
  KXV_ASSIGN(out.wheel_reversed.data() + 9, in.p, &three);
  // 6. V = (P - Q) - sB.
  KXV_SUB(d, in.p, in.q, &three);
  KXV_SCALE(sb, &in.s, in.b, &three);
  KXV_SUB(v, d, sb, &three);
  // 7. r = (V.B) / (Zw.B).
  out.r[0] = KXV_DOT(v, in.b, &three) / KXV_DOT(zw, in.b, &three);
  // 8. O = V + (-r) Zw, the origin of both contact systems.
  const double minus_r = -out.r[0];
  KXV_SCALE(drop, &minus_r, zw, &three);
  KXV_ADD(out.contact.data() + 9, v, drop, &three);
  KXV_ASSIGN(out.contact_reversed.data() + 9, out.contact.data() + 9, &three);
  // 9. The logical.
  out.in_range[0] = in.t > out.r[0] ? LYNX_TRUE : LYNX_FALSE;
  out.status = 0;
  return out;
}

}  // namespace tire_test

#endif  // LYNX_TESTS_TIRE_AXIS_SUPPORT_HPP
