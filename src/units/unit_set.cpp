// Unit-set conversion: five unit names to the factors that carry a value
// from each named unit into the model's unit.
//
//   unit factor i  = factor of the code of name i (KXCONV), in the base unit
//   model factor i = unit factor i / divisor i
//
// where the divisors are the model's scales from GTUNTS in unit-set order:
// force scale 3, mass scale 4, length scale 2, time scale 1 (the host
// reports time, length, force, mass), and 1.0 for angle, the model's angle
// unit being the radian.  A zero scale gives IEEE infinity or NaN.
#include <cstdint>
#include <cstring>

#include "frame/text.hpp"
#include "lynx/units.h"
#include "units/host_units.hpp"
#include "units/mapping.hpp"
#include "units/tables.hpp"

namespace units = lynx::units;
using lynx::text::Text;

namespace {

// The name mapping, with its reports, into codes.  The 64-bit library
// applies it directly.  The 32-bit build calls the exported KXUNMP with the
// names laid into 12-character blank-padded slots; padding would make an
// empty name, or a single blank, look blank, which such a name is not (the
// mapping tests at least two characters for blank, and reports these as
// unrecognised).  Its slot then starts with a NUL, not blank and the first
// character of no unit name, so both builds give the same codes and reports.
void map_into(const Text names[units::kQuantities], char *codes) {
#if defined(LYNX_LEGACY32)
  char slots[units::kQuantities * units::kNameLength];
  for (int q = 0; q < units::kQuantities; ++q) {
    char *slot = slots + units::kNameLength * q;
    lynx::text::copy(slot, units::kNameLength, names[q]);
    if (names[q].length < 2 && slot[0] == ' ') slot[0] = '\0';
  }
  KXUNMP(slots, units::kNameLength, codes, units::kCodeLength);
#else
  units::map_names(names, codes);
#endif
}

// The conversion proper.  An unrecognised name leaves its code as two
// blanks, which KXCONV reports as unknown and turns into 1.0.
void convert_names(const Text names[units::kQuantities], double *model_factors,
                   double *unit_factors) {
  char codes[units::kQuantities * units::kCodeLength];
  std::memset(codes, ' ', sizeof codes);
  map_into(names, codes);

  const units::HostUnits model = units::ask_host_units();

  KXCONV(codes, sizeof codes, unit_factors);
  for (int q = 0; q < units::kQuantities; ++q) {
    model_factors[q] = unit_factors[q] / model.scale_of(static_cast<units::Quantity>(q));
  }
}

}  // namespace

extern "C" {

void LYNX_CALL KXUNFN(const char *names, lynx_textlen, double *model_factors,
                      double *unit_factors) {
  Text split[units::kQuantities];
  units::split_names(names, split);
  convert_names(split, model_factors, unit_factors);
}

void LYNX_CALL KXUNFN_F2C(const char *force, lynx_textlen force_length, const char *mass,
                          lynx_textlen mass_length, const char *length, lynx_textlen length_length,
                          const char *time, lynx_textlen time_length, const char *angle,
                          lynx_textlen angle_length, double *model_factors, double *unit_factors) {
  // The mapping reads min(length, 12) characters; a negative length is an
  // empty name.
  const Text names[units::kQuantities] = {
      {force, lynx::text::length_of(force_length)},   {mass, lynx::text::length_of(mass_length)},
      {length, lynx::text::length_of(length_length)}, {time, lynx::text::length_of(time_length)},
      {angle, lynx::text::length_of(angle_length)},
  };
  convert_names(names, model_factors, unit_factors);
}

void kx_kxunfn(const char *force, const char *mass, const char *length, const char *time,
               const char *angle, double *model_factors, double *unit_factors) {
  const char *const names[units::kQuantities] = {force, mass, length, time, angle};
  units::convert_strings(names, SIZE_MAX, model_factors, unit_factors);
}

}  // extern "C"

namespace lynx::units {

void convert_strings(const char *const names[kQuantities], std::size_t limit, double *model_factors,
                     double *unit_factors) {
  lynx_textlen lengths[kQuantities];
  for (int q = 0; q < kQuantities; ++q) {
    lengths[q] = static_cast<lynx_textlen>(text::bounded_length(names[q], limit));
  }
  KXUNFN_F2C(names[0], lengths[0], names[1], lengths[1], names[2], lengths[2], names[3], lengths[3],
             names[4], lengths[4], model_factors, unit_factors);
}

}  // namespace lynx::units
