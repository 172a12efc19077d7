// The name mapping: five unit names (force, mass, length, time, angle) to
// five unit codes, by the unit-name table.
#ifndef LYNX_SRC_UNITS_MAPPING_HPP
#define LYNX_SRC_UNITS_MAPPING_HPP

#include <cstddef>

#include "frame/text.hpp"
#include "units/tables.hpp"

namespace lynx::units {

// Identifier of the name mapping's reports.
inline constexpr int32_t kMappingIdentifier = 900;

// Maps five names to codes.  Each name is its first min(length, 12)
// characters, upper-cased in a copy (the caller's text is not changed).
// The host's model units are asked for once, before any name is tested.
//   - a name whose first two characters are blanks takes the model's code
//     of its quantity ("RA" for angle), with a "WARN" report;
//   - a name that passes a row of the unit-name table takes its code;
//   - any other name is reported with "STOP" and gets no code.
// Codes are written into codes[2q], codes[2q+1]; the slot of an
// unrecognised name is left as it was.  Returns a mask with bit q set for
// each quantity q that got a code.
unsigned map_names(const text::Text names[kQuantities], char *codes);

// The work of kx_kxunfn: five NUL-terminated names (force, mass, length,
// time, angle), each measured up to its NUL but within limit characters,
// handed with their lengths to KXUNFN_F2C.  kx_read_file_units converts
// its names this way in both builds; the 32-bit build has no kx_kxunfn.
void convert_strings(const char *const names[kQuantities], std::size_t limit, double *model_factors,
                     double *unit_factors);

// Views of five 12-character names laid end to end (60 characters).
inline void split_names(const char *names, text::Text split[kQuantities]) {
  for (int q = 0; q < kQuantities; ++q) split[q] = text::Text{names + kNameLength * q, kNameLength};
}

}  // namespace lynx::units

#endif  // LYNX_SRC_UNITS_MAPPING_HPP
