/* lynxUtility: the unit vocabulary.
 *
 * The quantities of a unit set, the keys of a property file's UNITS block,
 * the order in which the host reports the model's units, and the unit
 * codes with their factors.  Constants and a row list only, no storage, so
 * that the library, the embedded host and the tools all take them from
 * here; unit_code_lookup.h looks the codes up. */
#ifndef LYNX_UNIT_CODES_H
#define LYNX_UNIT_CODES_H

/* The five slots of a unit set, in the library's order. */
enum lynx_quantity {
  LYNX_FORCE = 0,
  LYNX_MASS = 1,
  LYNX_LENGTH = 2,
  LYNX_TIME = 3,
  LYNX_ANGLE = 4
};
#define LYNX_QUANTITIES 5

/* The host reports the model's units (GTUNTS) for four quantities, in this
 * order.  Angle is not reported: the model's angle unit is the radian. */
#define LYNX_HOST_QUANTITY_COUNT 4
#define LYNX_HOST_QUANTITIES \
  { LYNX_TIME, LYNX_LENGTH, LYNX_FORCE, LYNX_MASS }
#define LYNX_MODEL_ANGLE_CODE "RA"

/* The block of a property file that holds the units, and its keys. */
#define LYNX_UNITS_BLOCK "UNITS"
#define LYNX_FORCE_KEY "FORCE"
#define LYNX_MASS_KEY "MASS"
#define LYNX_LENGTH_KEY "LENGTH"
#define LYNX_TIME_KEY "TIME"
#define LYNX_ANGLE_KEY "ANGLE"

/* The unit codes: ROW(quantity, code, factor, unit name) for each, where
 * the factor is one unit in the base unit of its quantity (newton,
 * kilogram, metre, second, radian), the double nearest the decimal value
 * written here.  A code is unique within its quantity. */
#define LYNX_UNIT_CODES(ROW)                          \
  ROW(LYNX_FORCE, "KF", 9.80665, "kilogram force")    \
  ROW(LYNX_FORCE, "N_", 1.0, "newton")                \
  ROW(LYNX_FORCE, "KN", 1000.0, "kilonewton")         \
  ROW(LYNX_FORCE, "PF", 4.4482216, "pound force")     \
  ROW(LYNX_FORCE, "KP", 4448.2216, "kilopound force") \
  ROW(LYNX_FORCE, "D_", 1.0e-5, "dyne")               \
  ROW(LYNX_FORCE, "OF", 0.27801385, "ounce force")    \
  ROW(LYNX_FORCE, "MN", 0.001, "millinewton")         \
  ROW(LYNX_FORCE, "CN", 0.01, "centinewton")          \
  ROW(LYNX_FORCE, "PL", 0.138254954376, "poundal")    \
  ROW(LYNX_MASS, "KG", 1.0, "kilogram")               \
  ROW(LYNX_MASS, "G_", 0.001, "gram")                 \
  ROW(LYNX_MASS, "LB", 0.45359237, "pound mass")      \
  ROW(LYNX_MASS, "KP", 453.59237, "kilopound mass")   \
  ROW(LYNX_MASS, "SL", 14.593902, "slug")             \
  ROW(LYNX_MASS, "OZ", 0.028349523, "ounce mass")     \
  ROW(LYNX_LENGTH, "KM", 1000.0, "kilometre")         \
  ROW(LYNX_LENGTH, "M_", 1.0, "metre")                \
  ROW(LYNX_LENGTH, "CM", 0.01, "centimetre")          \
  ROW(LYNX_LENGTH, "MM", 0.001, "millimetre")         \
  ROW(LYNX_LENGTH, "MI", 1609.344, "mile")            \
  ROW(LYNX_LENGTH, "FT", 0.3048, "foot")              \
  ROW(LYNX_LENGTH, "IN", 0.0254, "inch")              \
  ROW(LYNX_TIME, "HR", 3600.0, "hour")                \
  ROW(LYNX_TIME, "M_", 60.0, "minute")                \
  ROW(LYNX_TIME, "S_", 1.0, "second")                 \
  ROW(LYNX_TIME, "MS", 0.001, "millisecond")          \
  ROW(LYNX_ANGLE, "RA", 1.0, "radian")                \
  ROW(LYNX_ANGLE, "DE", 0.01745329, "degree")

#endif /* LYNX_UNIT_CODES_H */
