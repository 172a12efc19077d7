// Units mode: unit codes to factors, with the host's reports.
#include <cstdio>
#include <cstring>
#include <string>

#include "HxHost.h"
#include "demo.hpp"
#include "lynx/units.h"

namespace demo {

namespace {

// "FF,MM,LL,TT,AA" or "FFMMLLTTAA" into ten characters.
bool parse_codes(const char *text, char codes[10]) {
  std::string compact;
  const size_t length = std::strlen(text);
  if (length == 10 && std::strchr(text, ',') == nullptr) {
    compact = text;
  } else {
    std::string field;
    int fields = 0;
    for (size_t i = 0; i <= length; ++i) {
      if (i == length || text[i] == ',') {
        if (field.size() != 2) return false;
        compact += field;
        field.clear();
        ++fields;
      } else {
        field.push_back(text[i]);
      }
    }
    if (fields != 5) return false;
  }
  std::memcpy(codes, compact.data(), 10);
  return true;
}

// The model's units as five codes in unit-set order (angle: radian).
void model_codes(char codes[10]) {
  const ModelUnits units = model_units();
  const int order[LYNX_HOST_QUANTITY_COUNT] = LYNX_HOST_QUANTITIES;
  for (int slot = 0; slot < LYNX_HOST_QUANTITY_COUNT; ++slot) {
    std::memcpy(codes + 2 * order[slot], units.codes + 2 * slot, 2);
  }
  std::memcpy(codes + 2 * LYNX_ANGLE, LYNX_MODEL_ANGLE_CODE, 2);
}

}  // namespace

int run_units(int argc, char **argv) {
  const char *codes_arg = nullptr;
  for (int i = 0; i < argc; ++i) {
    const bool codes = std::strcmp(argv[i], "--codes") == 0;
    if (codes || std::strcmp(argv[i], "--model-units") == 0) {
      if (i + 1 >= argc) return missing_value(argv[i]);
      if (codes) {
        codes_arg = argv[++i];
      } else if (!set_model_units(argv[++i])) {
        return kUsageError;
      }
    } else {
      std::fprintf(stderr, "lynx-demo: unknown argument '%s'\n", argv[i]);
      usage(stderr);
      return kUsageError;
    }
  }

  char codes[10];
  if (codes_arg != nullptr) {
    if (!parse_codes(codes_arg, codes)) {
      std::fprintf(stderr, "lynx-demo: --codes '%s': expected five 2-character codes\n", codes_arg);
      return kUsageError;
    }
  } else {
    model_codes(codes);
  }

  const size_t first = hxhost_log_count();
  double factors[5];
  KXCONV(codes, 10, factors);

  std::printf("unit factors (one unit in newton, kilogram, metre, second, radian):\n");
  for (int q = 0; q < 5; ++q) {
    std::printf("  %-6s  %.2s  %.17g\n", kQuantityNames[q], codes + 2 * q, factors[q]);
  }
  return print_reports(first);
}

}  // namespace demo
