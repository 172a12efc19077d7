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
#include <cstring>

#include "HxUtility.h"
#include "frame/text.hpp"
#include "lynx/units.h"
#include "units/mapping.hpp"
#include "units/tables.hpp"

namespace units = lynx::units;
using lynx::text::Text;

namespace {

// The conversion proper.  An unrecognised name leaves its code as two
// blanks, which KXCONV reports as unknown and turns into 1.0.
void convert_names(const Text names[units::kQuantities], double *model_factors,
                   double *unit_factors) {
  char codes[units::kQuantities * units::kCodeLength];
  std::memset(codes, ' ', sizeof codes);
  units::map_names(names, codes);

  hx_logical has_units = LYNX_FALSE;
  double scales[4] = {1.0, 1.0, 1.0, 1.0};
  char model_codes[8];
  GTUNTS(&has_units, scales, model_codes, units::kCodeLength);
  double divisors[units::kQuantities];
  for (int q = 0; q < units::kQuantities; ++q) {
    const int slot = units::kQuantityFacts[q].host_slot;
    divisors[q] = slot >= 0 ? scales[slot] : 1.0;
  }

  KXCONV(codes, sizeof codes, unit_factors);
  for (int q = 0; q < units::kQuantities; ++q) {
    model_factors[q] = unit_factors[q] / divisors[q];
  }
}

}  // namespace

extern "C" {

void KXUNFN(const char *names, lynx_textlen, double *model_factors, double *unit_factors) {
  Text split[units::kQuantities];
  units::split_names(names, split);
  convert_names(split, model_factors, unit_factors);
}

void KXUNFN_F2C(const char *force, lynx_textlen force_length, const char *mass,
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
  KXUNFN_F2C(force, static_cast<lynx_textlen>(std::strlen(force)), mass,
             static_cast<lynx_textlen>(std::strlen(mass)), length,
             static_cast<lynx_textlen>(std::strlen(length)), time,
             static_cast<lynx_textlen>(std::strlen(time)), angle,
             static_cast<lynx_textlen>(std::strlen(angle)), model_factors, unit_factors);
}

}  // extern "C"
