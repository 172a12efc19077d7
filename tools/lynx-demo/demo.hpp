// lynx-demo: the library's main road, run on the embedded host.
#ifndef LYNX_DEMO_HPP
#define LYNX_DEMO_HPP

#include <cstdio>

namespace demo {

// Exit status of a usage error.
inline constexpr int kUsageError = 2;

// Prints the usage text to out.
void usage(std::FILE *out);

// Prints, as a small table, the host's log entries from index first on.
void print_reports(unsigned long first);

// Units mode: argv holds the arguments after the program name.
int run_units(int argc, char **argv);

// Property-file mode: argv holds the arguments after the program name, one
// of them the property file.
int run_file(int argc, char **argv);

// Tire-axis mode: argv holds the arguments after "tire-axis".
int run_tire_axis(int argc, char **argv);

}  // namespace demo

#endif  // LYNX_DEMO_HPP
