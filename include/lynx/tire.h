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

/* The wheel-centre and contact-point axis systems of a wheel.
 *
 * Inputs, all in one global frame:
 *   threshold      distance below which the wheel counts as in contact;
 *   spin_axis      3 doubles, the wheel's spin-axis direction; used without
 *                  normalising (it becomes the wheel axes' y column as given);
 *   wheel_centre   3 doubles;
 *   road_normal    3 doubles, the road plane's normal; expected of unit
 *                  length and used without normalising;
 *   road_point     3 doubles, a point from which the road plane is placed;
 *   road_offset    offset of the road plane along road_normal: the plane
 *                  passes through road_point + road_offset * road_normal.
 * Outputs:
 *   in_range       true (-1) when threshold > distance, false (0) otherwise
 *                  (also when either is not a number);
 *   distance       from the wheel centre down to the road plane, measured
 *                  along the wheel's vertical zw (not the road normal);
 *   wheel_axes, wheel_axes_reversed, contact_axes, contact_axes_reversed
 *                  12 doubles each.
 * With x = unit(spin_axis x road_normal), yc = unit(road_normal x x) and
 * zw = unit(x x spin_axis):
 *   wheel_axes            = (x,  spin_axis,  zw, wheel_centre)
 *   wheel_axes_reversed   = (x, -spin_axis, -zw, wheel_centre)
 *   v = (wheel_centre - road_point) - road_offset road_normal
 *   distance = (v . road_normal) / (zw . road_normal), o = v + (-distance) zw
 *   contact_axes          = (x,  yc,  road_normal, o)
 *   contact_axes_reversed = (x, -yc, -road_normal, o)
 * The contact origin o is relative to road_point + road_offset road_normal.
 * Returns 0; or, when spin_axis x road_normal is null (shorter than
 * 1.0e-29: the axes parallel, or either zero), clears the four axis systems,
 * sets distance = 0 and in_range false and returns -1.  Nothing is reported
 * to the host. */
LYNX_API int32_t LYNX_CALL KXF_TIR_AXIS(lynx_logical *in_range, double *distance,
                                        double *wheel_axes, double *wheel_axes_reversed,
                                        double *contact_axes, double *contact_axes_reversed,
                                        const double *threshold, const double *spin_axis,
                                        const double *wheel_centre, const double *road_normal,
                                        const double *road_point, const double *road_offset);

#if defined(LYNX_ALL_ROUTINES)
/* One component of a solver vector, in the calling sequence of a routine
 * that defines a variable for the host:
 *   identifier   the caller's element identifier, used in every report;
 *   par, npar    the parameters and their count: par(2..4) are three element
 *                identifiers, par(5) the direction (1 "UVX", 2 "UVY",
 *                3 "UVZ", asked of the host through SYSARY), par(6) the
 *                component (1 x, 2 y, 3 z); par(1) and par(7..) are not read;
 *   value        receives the selected component.
 * The arguments in places 2, 5 and 6 belong to the calling sequence and are
 * not read.  Parameters are rounded to the nearest integer, halves away from
 * zero; a value that does not round into a 32-bit integer is clamped to the
 * nearest end of the range, and NaN gives the lowest 32-bit integer.  Faults
 * are reported through ERRMES with the caller's identifier and the end word
 * "stop": npar below 6 (nothing more is read, value is not written), a
 * direction other than 1 to 3 (no vector is asked for, value is not
 * written), a component other than 1 to 3 (value is not written). */
LYNX_API void LYNX_CALL VAR907(const int32_t *identifier, const void *not_read_2, const double *par,
                               const int32_t *npar, const void *not_read_5, const void *not_read_6,
                               double *value);
#endif

LYNX_END_DECLS

#endif /* LYNX_TIRE_H */
