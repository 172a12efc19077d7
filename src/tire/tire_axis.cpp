// Tire axis systems from the spin axis, the wheel centre and the road plane.
//
// With A the spin-axis direction, P the wheel centre, B the road normal
// (used as given, expected of unit length), Q a point and s an offset that
// place the plane through Q + sB:
//
//   X  = unit(A x B)     longitudinal direction, in the road plane
//   Yc = unit(B x X)     lateral direction in the road plane
//   Zw = unit(X x A)     wheel-plane direction perpendicular to the spin axis
//   V  = (P - Q) - sB    the wheel centre relative to Q + sB
//   r  = (V.B) / (Zw.B)  distance from P down to the plane along -Zw
//   O  = V + (-r)Zw      where that line meets the plane, relative to Q + sB
//
// Wheel axes (X, A, Zw | P) and contact axes (X, Yc, B | O), each also with
// its y and z directions reversed (each multiplied by -1).  A null A x B
// (A parallel to B, or either zero) leaves no axis system to build: all
// four are cleared and the result is -1.
//
// Every step is the vector routine of the same name with a count of 3 (12
// for clearing), written out inline in algebra/vector3.hpp with the same
// operations, so the results are those of the routines to the bit.  Only
// the first unit vector's status is tested: the other two cross products
// have the lengths of B and A.

#include "algebra/vector3.hpp"
#include "lynx/tire.h"

namespace {

// Column offsets of the four 3-vectors of an axis system.
constexpr int kX = 0;
constexpr int kY = 3;
constexpr int kZ = 6;
constexpr int kOrigin = 9;

// The directions of an axis system, x, y and z, and of its reversed twin,
// x, -1 y and -1 z.
inline void write_axis_pair(double *system, double *reversed, const double *x, const double *y,
                            const double *z) {
  using namespace lynx::algebra;
  assign3(system + kX, x);
  assign3(system + kY, y);
  assign3(system + kZ, z);
  assign3(reversed + kX, x);
  scale3(reversed + kY, -1.0, y);
  scale3(reversed + kZ, -1.0, z);
}

}  // namespace

extern "C" int32_t LYNX_CALL KXF_TIR_AXIS(lynx_logical *in_range, double *r, double *wheel,
                                          double *wheel_reversed, double *contact,
                                          double *contact_reversed, const double *t,
                                          const double *a, const double *p, const double *b,
                                          const double *q, const double *s) {
  using namespace lynx::algebra;

  double x[3];
  cross3(x, a, b);
  if (unit3(x, x) != 0) {
    clear12(wheel);
    clear12(wheel_reversed);
    clear12(contact);
    clear12(contact_reversed);
    *r = 0.0;
    *in_range = LYNX_FALSE;
    return -1;
  }

  double yc[3];
  cross3(yc, b, x);
  unit3(yc, yc);

  write_axis_pair(contact, contact_reversed, x, yc, b);

  double zw[3];
  cross3(zw, x, a);
  unit3(zw, zw);

  write_axis_pair(wheel, wheel_reversed, x, a, zw);
  assign3(wheel + kOrigin, p);
  assign3(wheel_reversed + kOrigin, p);

  double v[3];
  double offset[3];
  sub3(v, p, q);
  scale3(offset, *s, b);
  sub3(v, v, offset);

  const double distance = dot3(v, b) / dot3(zw, b);
  *r = distance;

  double drop[3];
  scale3(drop, -distance, zw);
  add3(contact + kOrigin, v, drop);
  assign3(contact_reversed + kOrigin, contact + kOrigin);

  *in_range = *t > distance ? LYNX_TRUE : LYNX_FALSE;
  return 0;
}
