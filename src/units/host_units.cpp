#include "units/host_units.hpp"

#include <cstring>

#include "HxUtility.h"

namespace lynx::units {

HostUnits ask_host_units() {
  HostUnits units;
  hx_logical has_units = LYNX_FALSE;
  for (double &scale : units.scales) scale = 1.0;
  std::memset(units.codes, ' ', sizeof units.codes);
  GTUNTS(&has_units, units.scales, units.codes, kCodeLength);
  units.has_units = (has_units & 1) != 0;
  return units;
}

}  // namespace lynx::units
