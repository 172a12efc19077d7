/* lynxUtility: tire kinematics: tire axis systems and solver vector components.
 *
 * Every argument is passed by address.  An axis system is twelve doubles:
 * the x, y and z directions and the origin, one 3-vector after another (a
 * 3x4 matrix stored column by column).  Logicals are written -1 (true) and
 * 0 (false). */
#ifndef LYNX_TIRE_H
#define LYNX_TIRE_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

/* The wheel-centre and contact-point axis systems of a wheel with spin axis
 * a and centre p over the road plane with normal b (used as given) through
 * q + s b:
 *   x = unit(a x b), yc = unit(b x x), zw = unit(x x a);
 *   wheel = (x, a, zw, p), wheel_reversed = (x, -a, -zw, p);
 *   v = (p - q) - s b, r = (v . b) / (zw . b), o = v + (-r) zw;
 *   contact = (x, yc, b, o), contact_reversed = (x, -yc, -b, o);
 *   in_range = (t > r).
 * Returns 0; or, when a x b is null (a parallel to b, or either zero),
 * clears the four axis systems, sets r = 0 and in_range false and returns
 * -1. */
LYNX_API int32_t KXF_TIR_AXIS(lynx_logical *in_range, double *r, double *wheel,
                              double *wheel_reversed, double *contact, double *contact_reversed,
                              const double *t, const double *a, const double *p, const double *b,
                              const double *q, const double *s);

/* One component of a solver vector: par(2..4) are three element
 * identifiers, par(5) the direction (1 "UVX", 2 "UVY", 3 "UVZ", asked of
 * the host through SYSARY), par(6) the component (1 x, 2 y, 3 z) stored in
 * value; par(1) is not read.  Parameters are rounded to the nearest
 * integer, halves away from zero; a value that does not round into a
 * 32-bit integer is clamped to the nearest end of the range, and NaN gives
 * the lowest 32-bit integer.  Faults are reported through ERRMES with the
 * caller's identifier and the end word "stop": npar below 6 (nothing more
 * is read, value is not written), a direction other than 1 to 3 (no vector
 * is asked for, value is not written), a component other than 1 to 3
 * (value is not written).  Arguments 2, 5 and 6 are not read. */
LYNX_API void VAR907(const int32_t *identifier, const void *unused2, const double *par,
                     const int32_t *npar, const void *unused5, const void *unused6, double *value);

LYNX_END_DECLS

#endif /* LYNX_TIRE_H */
