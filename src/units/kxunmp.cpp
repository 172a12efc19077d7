// Unit mapping alone: five 12-character names to five 2-character codes by
// the unit-name table.  The slot of an unrecognised name keeps whatever the
// caller's text held there; at most 10 characters are written.
#include "lynx/units.h"
#include "units/mapping.hpp"
#include "units/tables.hpp"

namespace units = lynx::units;

extern "C" void LYNX_CALL KXUNMP(const char *names, lynx_textlen, char *codes, lynx_textlen) {
  lynx::text::Text split[units::kQuantities];
  units::split_names(names, split);
  units::map_names(split, codes);
}
