#include "units/tables.hpp"

namespace lynx::units {

const char *find_name(Quantity quantity, text::Text upper_name) {
  for (const NameRow &row : kNameTable) {
    if (row.quantity == quantity && text::starts_with(upper_name, row.literal)) return row.code;
  }
  return nullptr;
}

}  // namespace lynx::units
