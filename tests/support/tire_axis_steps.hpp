// The tire-axis computation written out step by step, one exported vector
// routine per step, with the arguments of KXF_TIR_AXIS: the reference that
// the tests hold the routine to, bit for bit, and that the benchmark times
// beside it.  Needs only the public headers.
#ifndef LYNX_TESTS_TIRE_AXIS_STEPS_HPP
#define LYNX_TESTS_TIRE_AXIS_STEPS_HPP

#include <cstdint>

#include "lynx/tire.h"
#include "lynx/vectors.h"

namespace tire_steps {

inline int32_t tire_axis_by_steps(lynx_logical *in_range, double *r, double *wheel,
                                  double *wheel_reversed, double *contact, double *contact_reversed,
                                  const double *t, const double *a, const double *p,
                                  const double *b, const double *q, const double *s) {
  const int32_t three = 3, twelve = 12;
  const double minus_one = -1.0;
  int32_t status = 0;
  double x[3], yc[3], zw[3], d[3], sb[3], v[3], drop[3];

  // 1. X = unit(A x B); a null cross product clears everything.
  KXV_CROSS(x, a, b, &three);
  KXV_UNITV(x, x, &three, &status);
  if (status == -1) {
    KXV_NULLV(wheel, &twelve);
    KXV_NULLV(wheel_reversed, &twelve);
    KXV_NULLV(contact, &twelve);
    KXV_NULLV(contact_reversed, &twelve);
    *r = 0.0;
    *in_range = LYNX_FALSE;
    return -1;
  }
  // 2. Yc = unit(B x X).
  KXV_CROSS(yc, b, x, &three);
  KXV_UNITV(yc, yc, &three, &status);
  // 3. Contact axes (X, Yc, B) and (X, -Yc, -B).
  KXV_ASSIGN(contact, x, &three);
  KXV_ASSIGN(contact + 3, yc, &three);
  KXV_ASSIGN(contact + 6, b, &three);
  KXV_ASSIGN(contact_reversed, x, &three);
  KXV_SCALE(contact_reversed + 3, &minus_one, yc, &three);
  KXV_SCALE(contact_reversed + 6, &minus_one, b, &three);
  // 4. Zw = unit(X x A).
  KXV_CROSS(zw, x, a, &three);
  KXV_UNITV(zw, zw, &three, &status);
  // 5. Wheel axes (X, A, Zw | P) and (X, -A, -Zw | P).
  KXV_ASSIGN(wheel, x, &three);
  KXV_ASSIGN(wheel + 3, a, &three);
  KXV_ASSIGN(wheel + 6, zw, &three);
  KXV_ASSIGN(wheel + 9, p, &three);
  KXV_ASSIGN(wheel_reversed, x, &three);
  KXV_SCALE(wheel_reversed + 3, &minus_one, a, &three);
  KXV_SCALE(wheel_reversed + 6, &minus_one, zw, &three);
  KXV_ASSIGN(wheel_reversed + 9, p, &three);
  // 6. V = (P - Q) - sB.
  KXV_SUB(d, p, q, &three);
  KXV_SCALE(sb, s, b, &three);
  KXV_SUB(v, d, sb, &three);
  // 7. r = (V.B) / (Zw.B).
  const double distance = KXV_DOT(v, b, &three) / KXV_DOT(zw, b, &three);
  *r = distance;
  // 8. O = V + (-r) Zw, the origin of both contact systems.
  const double minus_r = -distance;
  KXV_SCALE(drop, &minus_r, zw, &three);
  KXV_ADD(contact + 9, v, drop, &three);
  KXV_ASSIGN(contact_reversed + 9, contact + 9, &three);
  // 9. The logical.
  *in_range = *t > distance ? LYNX_TRUE : LYNX_FALSE;
  return 0;
}

}  // namespace tire_steps

#endif  // LYNX_TESTS_TIRE_AXIS_STEPS_HPP
