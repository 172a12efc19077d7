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
// Every step is the kernel of the vector routine of the same name
// (algebra/vector_kernels.hpp) with a count of 3 (12 for clearing), laid
// out inline, so the results are those of the routines to the bit.  Only
// the first unit vector's status is tested: the other two cross products
// have the lengths of B and A.

#include "algebra/vector_kernels.hpp"
#include "lynx/tire.h"

namespace {

// The count of a 3-vector, and of an axis system.
constexpr int32_t kVector = 3;
constexpr int32_t kAxisSystem = 12;

// Offsets of the 3-vectors of an axis system after its x direction, which
// comes first.
constexpr int kY = 3;
constexpr int kZ = 6;
constexpr int kOrigin = 9;

// The directions of an axis system, x, y and z, and of its reversed twin,
// x, -1 y and -1 z.
inline void write_axis_pair(double *system, double *reversed, const double *x, const double *y,
                            const double *z) {
  using namespace lynx::algebra;
  copy(system, x, kVector);
  copy(system + kY, y, kVector);
  copy(system + kZ, z, kVector);
  copy(reversed, x, kVector);
  scale(reversed + kY, -1.0, y, kVector);
  scale(reversed + kZ, -1.0, z, kVector);
}

}  // namespace

extern "C" int32_t LYNX_CALL KXF_TIR_AXIS(lynx_logical *in_range, double *r, double *wheel,
                                          double *wheel_reversed, double *contact,
                                          double *contact_reversed, const double *t,
                                          const double *a, const double *p, const double *b,
                                          const double *q, const double *s) {
  using namespace lynx::algebra;

  double x[kVector];
  cross(x, a, b, kVector);
  if (unit_vector(x, x, kVector) != 0) {
    fill_zero(wheel, kAxisSystem);
    fill_zero(wheel_reversed, kAxisSystem);
    fill_zero(contact, kAxisSystem);
    fill_zero(contact_reversed, kAxisSystem);
    *r = 0.0;
    *in_range = LYNX_FALSE;
    return -1;
  }

  double yc[kVector];
  cross(yc, b, x, kVector);
  unit_vector(yc, yc, kVector);

  write_axis_pair(contact, contact_reversed, x, yc, b);

  double zw[kVector];
  cross(zw, x, a, kVector);
  unit_vector(zw, zw, kVector);

  write_axis_pair(wheel, wheel_reversed, x, a, zw);
  copy(wheel + kOrigin, p, kVector);
  copy(wheel_reversed + kOrigin, p, kVector);

  double v[kVector];
  double offset[kVector];
  subtract(v, p, q, kVector);
  scale(offset, *s, b, kVector);
  subtract(v, v, offset, kVector);

  const double distance = dot(v, b, kVector) / dot(zw, b, kVector);
  *r = distance;

  double drop[kVector];
  scale(drop, -distance, zw, kVector);
  add(contact + kOrigin, v, drop, kVector);
  copy(contact_reversed + kOrigin, contact + kOrigin, kVector);

  *in_range = *t > distance ? LYNX_TRUE : LYNX_FALSE;
  return 0;
}
