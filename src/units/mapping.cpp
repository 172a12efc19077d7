#include "units/mapping.hpp"

#include <cstring>

#include "HxUtility.h"
#include "frame/message.hpp"

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

  hx_logical has_units = LYNX_FALSE;
  double scales[4] = {0.0, 0.0, 0.0, 0.0};
  char model_codes[8];
  std::memset(model_codes, ' ', sizeof model_codes);
  GTUNTS(&has_units, scales, model_codes, kCodeLength);

  unsigned mapped = 0;
  for (int q = 0; q < kQuantities; ++q) {
    const QuantityFacts &facts = kQuantityFacts[q];
    const text::Text name{upper[q], lengths[q]};
    const char *code = nullptr;
    if (name.length >= 2 && name.chars[0] == ' ' && name.chars[1] == ' ') {
      code = facts.host_slot >= 0 ? model_codes + kCodeLength * facts.host_slot
                                  : facts.fixed_model_code;
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
