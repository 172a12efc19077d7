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

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

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
               "                         identification lines (the compiler's options\n"
               "                         without the build's include directories)\n"
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

// File descriptors, under either platform's names.
#if defined(_WIN32)
int descriptor_of(std::FILE *stream) {
  return _fileno(stream);
}
int duplicate(int fd) {
  return _dup(fd);
}
int duplicate_onto(int fd, int onto) {
  return _dup2(fd, onto);
}
void close_descriptor(int fd) {
  _close(fd);
}
#else
int descriptor_of(std::FILE *stream) {
  return fileno(stream);
}
int duplicate(int fd) {
  return dup(fd);
}
int duplicate_onto(int fd, int onto) {
  return dup2(fd, onto);
}
void close_descriptor(int fd) {
  close(fd);
}
#endif

// The library's version report as it prints it, caught from standard
// output; empty when it cannot be caught (it has then gone to standard
// output as it is).
std::string caught_version_report() {
  std::fflush(stdout);
  std::FILE *catcher = std::tmpfile();
  const int saved = catcher != nullptr ? duplicate(descriptor_of(stdout)) : -1;
  if (saved < 0 || duplicate_onto(descriptor_of(catcher), descriptor_of(stdout)) < 0) {
    if (saved >= 0) close_descriptor(saved);
    if (catcher != nullptr) std::fclose(catcher);
    lynxUtility_version();
    return std::string();
  }
  lynxUtility_version();
  std::fflush(stdout);
  duplicate_onto(saved, descriptor_of(stdout));
  close_descriptor(saved);
  std::string report;
  std::rewind(catcher);
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, catcher)) > 0) report.append(chunk, got);
  std::fclose(catcher);
  return report;
}

// The report without its leading empty lines, and each options record
// without the include directories (-I PATH), which name directories of the
// build machine rather than anything about the build.
std::string shown_version_report(const std::string &report) {
  std::string out;
  size_t start = 0;
  while (start < report.size()) {
    size_t end = report.find('\n', start);
    if (end == std::string::npos) end = report.size();
    std::string line = report.substr(start, end - start);
    start = end + 1;
    if (line.empty() && out.empty()) continue;
    if (line.compare(0, 4, "ORB ") == 0 && line.compare(12, 7, "opts: (") == 0) {
      std::string kept;
      bool in_include = false;
      size_t at = 0;
      while (at < line.size()) {
        size_t next = line.find(' ', at);
        if (next == std::string::npos) next = line.size();
        const std::string word = line.substr(at, next - at);
        if (word.compare(0, 1, "-") == 0 || word.compare(0, 2, "(-") == 0) {
          in_include = word.compare(0, 2, "-I") == 0;
        }
        if (!in_include) kept += (kept.empty() ? "" : " ") + word;
        at = next + 1;
      }
      if (in_include) kept += ")";
      line = kept;
    }
    out += line + '\n';
  }
  return out;
}

int print_version() {
  const char *release = lynxUtility_build_version();
  std::printf("lynx-demo (lynxUtility) %s\n", release);
  std::fputs(shown_version_report(caught_version_report()).c_str(), stdout);
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
