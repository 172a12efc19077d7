#include "units/tables.hpp"

namespace lynx::units {

const UnitCode *find_code(Quantity quantity, const char *code) {
  for (const UnitCode &row : kCodeTable) {
    if (row.quantity == quantity && row.code[0] == code[0] && row.code[1] == code[1]) return &row;
  }
  return nullptr;
}

const char *find_name(Quantity quantity, text::Text upper_name) {
  for (const NameRow &row : kNameTable) {
    if (row.quantity == quantity && text::starts_with(upper_name, row.literal)) return row.code;
  }
  return nullptr;
}

}  // namespace lynx::units
