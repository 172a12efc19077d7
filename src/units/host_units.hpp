// The model's units as the host reports them: one GTUNTS call, whose four
// scales and codes (time, length, force, mass) are read here by quantity.
#ifndef LYNX_SRC_UNITS_HOST_UNITS_HPP
#define LYNX_SRC_UNITS_HOST_UNITS_HPP

#include "units/tables.hpp"

namespace lynx::units {

struct HostUnits {
  // Whether the dataset has a UNITS statement (the host's logical).
  bool has_units;
  // One model unit in the base unit of its quantity, in the host's order;
  // 1.0 where the host writes nothing.
  double scales[kHostQuantities];
  // The model's unit codes, two characters each in the host's order;
  // blanks where the host writes nothing.
  char codes[kHostQuantities * kCodeLength];

  // The model's scale of a quantity: 1.0 for angle, the model's angle unit
  // being the radian.
  double scale_of(Quantity quantity) const {
    const int slot = kQuantityFacts[quantity].host_slot;
    return slot >= 0 ? scales[slot] : 1.0;
  }
  // The model's code of a quantity (two characters, no NUL): "RA" for angle.
  const char *code_of(Quantity quantity) const {
    const QuantityFacts &facts = kQuantityFacts[quantity];
    return facts.host_slot >= 0 ? codes + kCodeLength * facts.host_slot : facts.fixed_model_code;
  }
};

// Asks the host (GTUNTS) for the model's units.
HostUnits ask_host_units();

}  // namespace lynx::units

#endif  // LYNX_SRC_UNITS_HOST_UNITS_HPP
