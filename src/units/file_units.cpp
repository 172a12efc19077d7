// Property-file units: the five keys of block "UNITS", read through the
// property-file reader in unit-set order (force, mass, length, time, angle).
#include "HxUtility.h"
#include "frame/message.hpp"
#include "frame/text.hpp"
#include "lynx/units.h"
#include "nolt.h"
#include "units/mapping.hpp"
#include "units/tables.hpp"

namespace units = lynx::units;
using lynx::text::Text;

// The keys and the block are text::literal views of string literals, so
// their characters are followed by the literal's terminator and can be
// handed to the reader as NUL-terminated strings.

extern "C" {

// Each name has a 12-byte buffer that the reader fills with a NUL-terminated
// value; a missing key is reported with "WARN" under the caller's identifier
// and its default name is put in its place.  The names then go, as
// kx_kxunfn hands them on, to KXUNFN_F2C; each is measured within its
// buffer (at most 12 characters), so a value left without a terminator is
// taken as 12 characters and nothing beyond the buffer is read.
void kx_read_file_units(intptr_t source, int32_t identifier, double *model_factors,
                        double *unit_factors) {
  char names[units::kQuantities][units::kNameLength];
  for (int q = 0; q < units::kQuantities; ++q) {
    const units::QuantityFacts &facts = units::kQuantityFacts[q];
    if (rto_read_quoted_string(source, units::kUnitsBlock.chars, facts.key.chars, names[q]) == 0) {
      c_errmes(1, facts.default_warning, identifier, lynx::kWarn.chars);
      const std::size_t n = lynx::text::bounded_length(facts.default_name, units::kNameLength - 1);
      for (std::size_t i = 0; i < n; ++i) names[q][i] = facts.default_name[i];
      names[q][n] = '\0';
    }
  }
  const char *const strings[units::kQuantities] = {names[0], names[1], names[2], names[3],
                                                   names[4]};
  units::convert_strings(strings, units::kNameLength, model_factors, unit_factors);
}

// Reads the five names into 12-character elements of the caller's array,
// whatever length is passed; a missing key is reported with "STOP" under the
// caller's identifier and its element keeps what the reader or the caller
// left there.
void LYNX_CALL ATRTOU(const int32_t *identifier, char *unit_names, lynx_textlen) {
  const int32_t block_chars = units::kUnitsBlock.length;
  for (int q = 0; q < units::kQuantities; ++q) {
    const units::QuantityFacts &facts = units::kQuantityFacts[q];
    const int32_t key_chars = facts.key.length;
    int32_t error = 0;
    int32_t found = 0;
    RTO_READ_QUOTED_STRING_F2C(units::kUnitsBlock.chars, units::kUnitsBlock.length, &block_chars,
                               facts.key.chars, facts.key.length, &key_chars,
                               unit_names + units::kNameLength * q, units::kNameLength, &error,
                               &found);
    if (found == 0) lynx::report_exact(facts.key_missing, *identifier, lynx::kStop);
  }
}

}  // extern "C"
