#include "units/mapping.hpp"

#include <cstring>

#include "frame/message.hpp"
#include "units/host_units.hpp"

namespace lynx::units {

unsigned map_names(const text::Text names[kQuantities], char *codes) {
  char upper[kQuantities][kNameLength];
  int32_t lengths[kQuantities];
  for (int q = 0; q < kQuantities; ++q) {
    int32_t n = names[q].length < kNameLength ? names[q].length : kNameLength;
    if (n < 0) n = 0;
    if (n > 0) std::memcpy(upper[q], names[q].chars, static_cast<std::size_t>(n));
    text::upcase(upper[q], n);
    lengths[q] = n;
  }

  const HostUnits model = ask_host_units();

  unsigned mapped = 0;
  for (int q = 0; q < kQuantities; ++q) {
    const QuantityFacts &facts = kQuantityFacts[q];
    const text::Text name{upper[q], lengths[q]};
    const char *code = nullptr;
    if (name.length >= 2 && name.chars[0] == ' ' && name.chars[1] == ' ') {
      code = model.code_of(static_cast<Quantity>(q));
      report80(facts.undefined_name, kMappingIdentifier, kWarn);
    } else {
      code = find_name(static_cast<Quantity>(q), name);
      if (code == nullptr) {
        report80(facts.unrecognized_name, kMappingIdentifier, kStop);
        continue;
      }
    }
    codes[kCodeLength * q] = code[0];
    codes[kCodeLength * q + 1] = code[1];
    mapped |= 1u << q;
  }
  return mapped;
}

}  // namespace lynx::units
