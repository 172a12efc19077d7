/* lynxUtility: unit codes, factors and unit-set conversion.
 *
 * A unit set has five slots in the order force, mass, length, time, angle.
 * Factors give one unit in the base units newton, kilogram, metre, second
 * and radian. */
#ifndef LYNX_UNITS_H
#define LYNX_UNITS_H

#include "lynx_conf.h"

LYNX_BEGIN_DECLS

/* Turns five 2-character unit codes (10 characters, upper-cased in place)
 * into five factors.  An unknown code is reported to the host with the end
 * word "STOP" and leaves 1.0 in its slot.  The passed length is not used. */
LYNX_API void KXCONV(char *codes, lynx_textlen codes_length, double *factors);

LYNX_END_DECLS

#endif /* LYNX_UNITS_H */
