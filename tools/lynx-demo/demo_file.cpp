// Property-file mode: the units of a tire property file as a tire model
// gets them, through kx_read_file_units, with the host's reports.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "HxHost.h"
#include "demo.hpp"
#include "lynx/units.h"
#include "nolt_host.h"

namespace demo {

namespace {

// Identifier of the element on whose behalf the demo reads the file.
constexpr int32_t kIdentifier = 1;

// The keys of block UNITS, in unit-set order.
constexpr const char *kKeys[LYNX_QUANTITIES] = {LYNX_FORCE_KEY, LYNX_MASS_KEY, LYNX_LENGTH_KEY,
                                                LYNX_TIME_KEY, LYNX_ANGLE_KEY};

// Prints the model's units as the host reports them.
void print_model_units() {
  const ModelUnits units = model_units();
  const char *codes = units.codes;
  const double *scales = units.scales;
  std::printf("model units (time, length, force, mass): %.2s %.2s %.2s %.2s", codes, codes + 2,
              codes + 4, codes + 6);
  std::printf("  scales %.15g %.15g %.15g %.15g  UNITS statement: %s\n", scales[0], scales[1],
              scales[2], scales[3], units.has_units ? "yes" : "no");
}

}  // namespace

int run_file(int argc, char **argv) {
  const char *path = nullptr;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--model-units") == 0) {
      if (i + 1 >= argc) return missing_value(argv[i]);
      if (!set_model_units(argv[++i])) return kUsageError;
    } else if (std::strcmp(argv[i], "--codes") == 0) {
      std::fprintf(stderr, "lynx-demo: --codes does not go with a property file\n");
      usage(stderr);
      return kUsageError;
    } else if (argv[i][0] == '-' || path != nullptr) {
      std::fprintf(stderr, "lynx-demo: unexpected argument '%s'\n", argv[i]);
      usage(stderr);
      return kUsageError;
    } else {
      path = argv[i];
    }
  }

  // The reports from here on are listed at the end: the lines the reader
  // skipped, then the reader's and the library's remarks on the units.
  const size_t first = hxhost_log_count();
  char error[512] = "";
  const intptr_t source = nolt_open(path, error, sizeof error);
  if (source == 0) {
    // The reader's own report goes to the quiet host's log: say why here.
    std::fprintf(stderr, "lynx-demo: %s\n", error);
    return 1;
  }

  std::printf("property file: %s\n", path);
  print_model_units();

  // The names as the reader gives them, for the table; the library reads
  // them again itself.  The reader's remarks count among the reports.
  char names[5][12];
  bool present[5];
  for (int q = 0; q < 5; ++q) {
    present[q] = rto_read_quoted_string(source, LYNX_UNITS_BLOCK, kKeys[q], names[q]) != 0;
    names[q][11] = '\0';
  }

  double model_factors[5];
  double unit_factors[5];
  kx_read_file_units(source, kIdentifier, model_factors, unit_factors);

  std::printf(
      "units of block UNITS (a value in the file's unit times the model factor is in\n"
      "the model's unit; the unit factor gives it in newton, kilogram, metre, second,\n"
      "radian):\n");
  std::printf("  %-8s %-8s %-15s %-22s %s\n", "quantity", "key", "name read", "unit factor",
              "model factor");
  for (int q = 0; q < 5; ++q) {
    char shown[16];
    if (present[q]) {
      std::snprintf(shown, sizeof shown, "'%.11s'", names[q]);
    } else {
      std::snprintf(shown, sizeof shown, "(missing)");
    }
    std::printf("  %-8s %-8s %-15s %-22.15g %.15g\n", kQuantityNames[q], kKeys[q], shown,
                unit_factors[q], model_factors[q]);
  }
  const int status = print_reports(first);
  nolt_close(source);
  return status;
}

}  // namespace demo
