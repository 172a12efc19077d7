// lynx-demo: runs the library's main road on the embedded host.
//
// Exit status: 0 done; 1 an input that cannot be read, or a run in which
// the host received a "STOP" report (a solver would end the run there);
// 2 bad usage.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "HxHost.h"
#include "demo.hpp"
#include "lynx/version.h"

namespace demo {

void usage(std::FILE *out) {
  std::fprintf(out,
               "usage: lynx-demo [--codes CODES] [--model-units T,L,F,M]\n"
               "       lynx-demo PROPERTY_FILE [--model-units T,L,F,M]\n"
               "       lynx-demo --version\n"
               "       lynx-demo tire-axis [--spin-axis X,Y,Z] [--wheel-centre X,Y,Z]\n"
               "                 [--road-normal X,Y,Z] [--road-point X,Y,Z] [--offset S]\n"
               "                 [--threshold T]\n"
               "\n"
               "The first form turns five unit codes into factors; the second reads the\n"
               "UNITS block of a tire property file as a tire model does and prints the\n"
               "names read, the unit factors and the model factors.\n"
               "\n"
               "  PROPERTY_FILE          a tire property file with a [UNITS] block (keys\n"
               "                         FORCE, MASS, LENGTH, TIME, ANGLE)\n"
               "  --codes CODES          five unit codes, force, mass, length, time, angle,\n"
               "                         as FF,MM,LL,TT,AA or 10 characters (default: the\n"
               "                         model's units)\n"
               "  --model-units T,L,F,M  the model's units as codes in the host's order time,\n"
               "                         length, force, mass (default: LYNX_MODEL_UNITS or\n"
               "                         S_,M_,N_,KG)\n"
               "  --version              the release version and the library's\n"
               "                         identification lines\n"
               "  --help                 this text\n"
               "\n"
               "tire-axis: the wheel and contact axis systems of a wheel over a road plane\n"
               "  --spin-axis X,Y,Z      spin-axis direction (default: 0,1,0)\n"
               "  --wheel-centre X,Y,Z   wheel centre (default: 0,0,0.375)\n"
               "  --road-normal X,Y,Z    road-plane normal, of unit length (default: 0,0,1)\n"
               "  --road-point X,Y,Z     point that places the plane (default: 0,0,0)\n"
               "  --offset S             offset of the plane along the normal (default: 0)\n"
               "  --threshold T          distance threshold (default: 0.5)\n"
               "\n"
               "Exit codes: 0 done; 1 an input that cannot be read, or a \"STOP\" report\n"
               "to the host; 2 bad usage.\n");
}

bool set_model_units(const char *codes) {
  char why[256] = "";
  if (hxhost_set_model_units_why(codes, why, sizeof why) == 0) return true;
  std::fprintf(stderr, "lynx-demo: --model-units '%s': %s\n", codes, why);
  return false;
}

ModelUnits model_units() {
  ModelUnits units;
  hx_logical has_units = 0;
  GTUNTS(&has_units, units.scales, units.codes, 2);
  units.has_units = (has_units & 1) != 0;
  return units;
}

int missing_value(const char *option) {
  std::fprintf(stderr, "lynx-demo: %s needs a value\n", option);
  usage(stderr);
  return kUsageError;
}

int print_reports(size_t first) {
  const size_t count = hxhost_log_count();
  if (count <= first) {
    std::printf("host reports: none\n");
    return 0;
  }
  std::printf("host reports:\n");
  const size_t dropped = hxhost_log_dropped();
  if (dropped > first) {
    std::printf("  (%zu earlier reports dropped by the host's log cap)\n", dropped - first);
  }
  std::printf("  %-8s %-6s %-10s %s\n", "routine", "end", "identifier", "text");
  bool stop = false;
  for (size_t i = dropped > first ? dropped : first; i < count; ++i) {
    hxhost_entry e;
    if (hxhost_log_entry(i, &e) != 0) continue;
    stop = stop || std::strcmp(e.end_word, "STOP") == 0 || std::strcmp(e.end_word, "stop") == 0;
    const char *routine = e.routine == HXHOST_ERRMES     ? "ERRMES"
                          : e.routine == HXHOST_C_ERRMES ? "c_errmes"
                          : e.routine == HXHOST_C_USRMES ? "c_usrmes"
                                                         : "SYSARY";
    long shown = e.length < HXHOST_TEXT_MAX ? e.length : HXHOST_TEXT_MAX;
    while (shown > 0 && e.text[shown - 1] == ' ') --shown;
    std::printf("  %-8s %-6s %-10d '%.*s'\n", routine, e.end_word, e.identifier,
                static_cast<int>(shown), e.text);
  }
  if (!stop) return 0;
  std::fflush(stdout);
  std::fprintf(stderr, "lynx-demo: the host received a STOP report; a solver would end the run\n");
  return 1;
}

namespace {

int print_version() {
  std::printf("lynx-demo (lynxUtility) %s\n", lynxUtility_build_version());
  lynxUtility_version();
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int run(int argc, char **argv) {
  // The demo prints the host's reports itself.
  hxhost_set_quiet(1);
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      usage(stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) return print_version();
  }
  if (argc > 1 && std::strcmp(argv[1], "tire-axis") == 0) {
    return run_tire_axis(argc - 2, argv + 2);
  }
  // An argument that is neither an option nor an option's value names a
  // property file.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--codes") == 0 || std::strcmp(argv[i], "--model-units") == 0) {
      ++i;
    } else if (argv[i][0] != '-') {
      return run_file(argc - 1, argv + 1);
    }
  }
  return run_units(argc - 1, argv + 1);
}

}  // namespace

}  // namespace demo

int main(int argc, char **argv) {
  try {
    return demo::run(argc, argv);
  } catch (const std::bad_alloc &) {
    std::fflush(stdout);
    std::fprintf(stderr, "lynx-demo: out of memory\n");
    return 1;
  }
}
