// lynx-demo: the library's main road, run on the embedded host.
#ifndef LYNX_DEMO_HPP
#define LYNX_DEMO_HPP

#include <cstddef>
#include <cstdio>

#include "lynx/unit_codes.h"

namespace demo {

// Exit status of a usage error.
inline constexpr int kUsageError = 2;

// Names of the five quantities of a unit set, in its order.
inline constexpr const char *kQuantityNames[LYNX_QUANTITIES] = {"force", "mass", "length", "time",
                                                                "angle"};

// Prints the usage text to out.
void usage(std::FILE *out);

// Sets the model's units from --model-units T,L,F,M; says why and returns
// false when the codes are not four known ones.
bool set_model_units(const char *codes);

// The model's units as the host reports them (GTUNTS), in the host's order
// time, length, force, mass.
struct ModelUnits {
  bool has_units;                            // the dataset has a UNITS statement
  char codes[2 * LYNX_HOST_QUANTITY_COUNT];  // two characters each
  double scales[LYNX_HOST_QUANTITY_COUNT];   // one unit in its base unit
};

// Asks the host for the model's units.
ModelUnits model_units();

// Prints, as a small table, the host's log entries from index first on.
// Returns the run's exit status: 1, with a remark on standard error, when
// one of them is a "STOP" report, else 0.
int print_reports(size_t first);

// Says that option lacks its value; returns the usage error's status.
int missing_value(const char *option);

// Units mode: argv holds the arguments after the program name.
int run_units(int argc, char **argv);

// Property-file mode: argv holds the arguments after the program name, one
// of them the property file.
int run_file(int argc, char **argv);

// Tire-axis mode: argv holds the arguments after "tire-axis".
int run_tire_axis(int argc, char **argv);

}  // namespace demo

#endif  // LYNX_DEMO_HPP
