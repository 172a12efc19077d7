// The unit vocabulary: quantities, unit codes with their factors, and the
// unit-name table.  Every routine of the units family takes its codes,
// factors, names and messages from here.
#ifndef LYNX_SRC_UNITS_TABLES_HPP
#define LYNX_SRC_UNITS_TABLES_HPP

#include <cstdint>

#include "frame/text.hpp"
#include "lynx/unit_code_lookup.h"
#include "lynx/unit_codes.h"

namespace lynx::units {

// The five slots of a unit set, in the library's order.
enum Quantity : int {
  kForce = LYNX_FORCE,
  kMass = LYNX_MASS,
  kLength = LYNX_LENGTH,
  kTime = LYNX_TIME,
  kAngle = LYNX_ANGLE
};
inline constexpr int kQuantities = LYNX_QUANTITIES;
// The model units that the host reports (GTUNTS), without angle.
inline constexpr int kHostQuantities = LYNX_HOST_QUANTITY_COUNT;

// Length of a unit name, and of a unit code.
inline constexpr int32_t kNameLength = 12;
inline constexpr int32_t kCodeLength = 2;

// Position of a quantity among the four model units that GTUNTS reports, or
// -1 for angle, which the host does not report.
constexpr int host_slot_of(Quantity quantity) {
  constexpr int order[kHostQuantities] = LYNX_HOST_QUANTITIES;
  for (int slot = 0; slot < kHostQuantities; ++slot) {
    if (order[slot] == quantity) return slot;
  }
  return -1;
}

// Everything the units family says about one quantity.
struct QuantityFacts {
  // host_slot_of(the quantity).
  int host_slot;
  // Code of a blank angle name (the model's angle unit is the radian).
  const char *fixed_model_code;
  // KXCONV's report of an unknown code; the code follows directly.
  text::Text unknown_code;
  // Name mapping: blank name ("WARN"), unrecognised name ("STOP").
  text::Text undefined_name;
  text::Text unrecognized_name;
  // Property file: key in block "UNITS", default name, and the warning for
  // a missing key; the error for a missing key when no default is taken.
  text::Text key;
  const char *default_name;
  const char *default_warning;
  text::Text key_missing;
  // Model-unit query: the report when the dataset has no UNITS statement
  // (empty for angle, which has no query).
  text::Text no_units_statement;
};

inline constexpr QuantityFacts kQuantityFacts[kQuantities] = {
    {host_slot_of(kForce), nullptr, text::literal("KXCONV: Program Fault Unknown force units:"),
     text::literal(" Undefined -> Force Units Set to Model Units"),
     text::literal(" Unrecognized Type of Force Units"), text::literal(LYNX_FORCE_KEY), "newton",
     "Force units undefined : Using newtons", text::literal("TIRE PROP FILE FORCE UNITS UNDEFINED"),
     text::literal("get_force_conv: no UNITS statement in dataset.")},
    {host_slot_of(kMass), nullptr, text::literal("KXCONV: Program Fault Unknown mass units:"),
     text::literal(" Undefined -> Mass Units Set to Model Units"),
     text::literal(" Unrecognized Type of Mass Units"), text::literal(LYNX_MASS_KEY), "kg",
     "Mass units undefined : Using kilograms", text::literal("TIRE PROP FILE MASS UNITS UNDEFINED"),
     text::literal("get_mass_conv: no UNITS statement in dataset.")},
    {host_slot_of(kLength), nullptr, text::literal("KXCONV: Program Fault Unknown length units:"),
     text::literal(" Undefined -> Length Units Set to Model Units"),
     text::literal(" Unrecognized Type of Length Units"), text::literal(LYNX_LENGTH_KEY), "meter",
     "Length units undefined : Using meters",
     text::literal("TIRE PROP FILE LENGTH UNITS UNDEFINED"),
     text::literal("get_length_conv: no UNITS statement in dataset.")},
    {host_slot_of(kTime), nullptr, text::literal("KXCONV: Program Fault Unknown time units:"),
     text::literal(" Undefined -> Time Units Set to Model Units"),
     text::literal(" Unrecognized Type of Time Units"), text::literal(LYNX_TIME_KEY), "second",
     "Time units undefined : Using seconds", text::literal("TIRE PROP FILE TIME UNITS UNDEFINED"),
     text::literal("get_time_conv: no UNITS statement in dataset.")},
    {host_slot_of(kAngle), LYNX_MODEL_ANGLE_CODE,
     text::literal("KXCONV: Program Fault Unknown angle units:"),
     text::literal(" Undefined -> Angle Units Set to Model Units"),
     text::literal(" Unrecognized Type of Angle Units"), text::literal(LYNX_ANGLE_KEY), "radian",
     "Angle units undefined : Using radians", text::literal("TIRE PROP FILE ANGLE UNITS UNDEFINED"),
     text::literal("")},
};

// The block of a property file that holds the units.
inline constexpr text::Text kUnitsBlock = text::literal(LYNX_UNITS_BLOCK);

// The code table: the rows of the unit-code list (lynx/unit_code_lookup.h),
// each factor one unit in the base unit of its quantity.
using UnitCode = lynx_unit_code;

// The unit-name table: a name (upper-cased) passes a row when its leading
// characters equal the row's literal; the rows of a quantity are tried in
// order and the first that passes gives the code.
struct NameRow {
  Quantity quantity;
  text::Text literal;
  char code[3];
};

inline constexpr NameRow kNameTable[] = {
    {kForce, text::literal("KG_FORCE"), "KF"},
    {kForce, text::literal("NEWTON"), "N_"},
    {kForce, text::literal("N"), "N_"},
    {kForce, text::literal("KNEWTON"), "KN"},
    {kForce, text::literal("KN"), "KN"},
    {kForce, text::literal("POUND_FORCE"), "PF"},
    {kForce, text::literal("KPOUND_FORCE"), "KP"},
    {kForce, text::literal("DYNE"), "D_"},
    {kForce, text::literal("OUNCE_FORCE"), "OF"},
    {kMass, text::literal("KG"), "KG"},
    {kMass, text::literal("GRAM"), "G_"},
    {kMass, text::literal("POUND_MASS"), "LB"},
    {kMass, text::literal("KPOUND_MASS"), "KP"},
    {kMass, text::literal("SLUG"), "SL"},
    {kMass, text::literal("OUNCE_MASS"), "OZ"},
    {kLength, text::literal("KM"), "KM"},
    {kLength, text::literal("METER"), "M_"},
    {kLength, text::literal("CM"), "CM"},
    {kLength, text::literal("MM"), "MM"},
    {kLength, text::literal("MILE"), "MI"},
    {kLength, text::literal("FOOT"), "FT"},
    {kLength, text::literal("IN"), "IN"},
    {kTime, text::literal("MILLI"), "MS"},
    {kTime, text::literal("SEC"), "S_"},
    {kTime, text::literal("MIN"), "M_"},
    {kTime, text::literal("HOUR"), "HR"},
    {kAngle, text::literal("DEG"), "DE"},
    {kAngle, text::literal("RAD"), "RA"},
};

// The entry of the code table for a quantity and a two-character code
// (compared as given, so upper-case it first), or nullptr.
inline const UnitCode *find_code(Quantity quantity, const char *code) {
  return lynx_find_unit_code(quantity, code);
}

// The code of the first row of the unit-name table that an upper-cased name
// passes, or nullptr.
const char *find_name(Quantity quantity, text::Text upper_name);

}  // namespace lynx::units

#endif  // LYNX_SRC_UNITS_TABLES_HPP
