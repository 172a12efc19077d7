/* lynxUtility: unit codes, factors and unit-set conversion.
 *
 * A unit set has five slots in the order force, mass, length, time, angle.
 * Factors give one unit in the base units newton, kilogram, metre, second
 * and radian. */
#ifndef LYNX_UNITS_H
#define LYNX_UNITS_H

#include "lynx_conf.h"
#include "unit_codes.h"

LYNX_BEGIN_DECLS

/* Turns five 2-character unit codes (10 characters, upper-cased in place)
 * into five factors, each the value of one unit in newton, kilogram, metre,
 * second or radian.  An unknown code is reported to the host with the end
 * word "STOP" and leaves 1.0 in its slot.  The passed length is not used. */
LYNX_API void LYNX_CALL KXCONV(char *codes, lynx_textlen codes_length, double *factors);

/* Unit-set conversion.  Five unit names (force, mass, length, time, angle)
 * are mapped to unit codes by the unit-name table; unit_factors[i] receives
 * the factor of name i in its base unit, model_factors[i] that factor
 * divided by the model's scale of the quantity (1.0 for angle), so that a
 * value in the named unit times model_factors[i] is in the model's unit.
 * A blank name takes the model's unit ("WARN", identifier 900); an
 * unrecognised name is reported ("STOP", identifier 900), and KXCONV, given
 * two blanks for it, reports that code too and leaves its unit factor 1.0
 * (its model factor is then 1.0 divided by the model's scale).  The caller's names
 * are not changed. */

/* names: five 12-character names laid end to end (60 characters); the
 * passed length is not used. */
LYNX_API void LYNX_CALL KXUNFN(const char *names, lynx_textlen names_length, double *model_factors,
                               double *unit_factors);

/* The same for five separate texts; each name is the first min(length, 12)
 * characters of its text (a negative length counts as an empty name). */
LYNX_API void LYNX_CALL KXUNFN_F2C(const char *force_name, lynx_textlen force_name_length,
                                   const char *mass_name, lynx_textlen mass_name_length,
                                   const char *length_name, lynx_textlen length_name_length,
                                   const char *time_name, lynx_textlen time_name_length,
                                   const char *angle_name, lynx_textlen angle_name_length,
                                   double *model_factors, double *unit_factors);

#if defined(LYNX_ALL_ROUTINES)
/* The same for five NUL-terminated strings.  An empty string is a name of
 * length 0: unrecognised ("STOP"), not blank. */
LYNX_API void kx_kxunfn(const char *force_name, const char *mass_name, const char *length_name,
                        const char *time_name, const char *angle_name, double *model_factors,
                        double *unit_factors);
#endif

/* Property-file units.  Reads the keys FORCE, MASS, LENGTH, TIME and ANGLE
 * of block UNITS through the property-file reader; source, the reader's
 * handle of the open file, is handed to it unread.  A missing key is
 * reported with "WARN" under the caller's identifier and replaced by its
 * default (newton, kg, meter, second, radian).  The five names are then
 * converted as by KXUNFN_F2C. */
LYNX_API void kx_read_file_units(intptr_t source, int32_t identifier, double *model_factors,
                                 double *unit_factors);

/* Reads the five unit names of block UNITS of the reader's current file into
 * unit_names, 12 characters each, blank-padded, whatever length is passed.
 * A missing key is reported with "STOP" under *identifier and its element
 * is left as it was. */
LYNX_API void LYNX_CALL ATRTOU(const int32_t *identifier, char *unit_names,
                               lynx_textlen unit_names_length);

/* The model's scale factors: one model unit of time, mass, length or force
 * in second, kilogram, metre or newton, as the host reports it.  Without a
 * UNITS statement in the dataset: a "STOP" report (identifier 0) and 1.0. */
LYNX_API double LYNX_CALL GET_TIME_CONV(void);
LYNX_API double LYNX_CALL GET_MASS_CONV(void);
LYNX_API double LYNX_CALL GET_LENGTH_CONV(void);
LYNX_API double LYNX_CALL GET_FORCE_CONV(void);

/* Unit mapping alone: five 12-character names (60 characters) to five
 * 2-character codes (10 characters), by the unit-name table, with the
 * reports of KXUNFN.  The slot of an unrecognised name keeps the caller's
 * content; both passed lengths are not used. */
LYNX_API void LYNX_CALL KXUNMP(const char *names, lynx_textlen names_length, char *codes,
                               lynx_textlen codes_length);

LYNX_END_DECLS

#endif /* LYNX_UNITS_H */
