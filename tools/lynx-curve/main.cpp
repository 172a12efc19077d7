// lynx-curve: fits a curve given as two columns with the library's natural
// cubic spline, Akima curve and Renner curve, and writes the samples as CSV
// and a plot of the points and the three curves as SVG.
//
// Exit status: 0 done, 1 bad input (or more than 64 MiB of it), a curve
// that cannot be sampled, an output that cannot be written or too little
// memory, 2 bad usage.  Nothing is written unless the input is good, and
// every regular file is written whole or not at all.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "curve.hpp"
#include "lynx/version.h"

namespace {

constexpr int kDefaultSamples = 400;
constexpr int kMaxSamples = 1000000;

void usage(std::FILE *out) {
  std::fprintf(out,
               "usage: lynx-curve [--csv FILE] [--svg FILE] [--samples N] INPUT\n"
               "\n"
               "Fits the points of INPUT (two columns x, y; comma- or blank-separated; '#'\n"
               "starts a comment; '-' reads standard input) with a natural cubic spline, an\n"
               "Akima curve and a Renner curve, and samples each at N points.  A first line\n"
               "that names the columns is a header; with more than two columns, x and y are\n"
               "those named x and y.  INPUT may hold up to 64 MiB.\n"
               "\n"
               "  --csv FILE     write the samples as CSV: curve,t,x,y,dx,dy (default, with\n"
               "                 no --svg either: standard output)\n"
               "  --svg FILE     draw the points and the three curves as SVG\n"
               "                 (FILE '-': standard output; a symbolic link is followed)\n"
               "  --samples N    samples per curve, 2 to %d (default %d)\n"
               "  --version      the release version of the library\n"
               "  --help         this text\n",
               kMaxSamples, kDefaultSamples);
}

int usage_error(const std::string &message) {
  std::fprintf(stderr, "lynx-curve: %s\n", message.c_str());
  usage(stderr);
  return 2;
}

int failure(const std::string &message) {
  std::fprintf(stderr, "lynx-curve: %s\n", message.c_str());
  return 1;
}

int run(int argc, char **argv) {
  std::string input, csv_path, svg_path;
  bool have_input = false;
  int samples = kDefaultSamples;
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string &into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    if (!options_done && (arg == "--help" || arg == "-h")) {
      usage(stdout);
      return 0;
    } else if (!options_done && arg == "--version") {
      std::printf("lynx-curve (lynxUtility) %s\n", lynxUtility_build_version());
      return std::fflush(stdout) == 0 ? 0 : 1;
    } else if (!options_done && arg == "--") {
      options_done = true;
    } else if (!options_done && (arg == "--csv" || arg == "--svg")) {
      std::string &target = arg == "--csv" ? csv_path : svg_path;
      if (!value(target) || target.empty()) return usage_error(arg + " needs a file name");
    } else if (!options_done && arg == "--samples") {
      std::string text;
      if (!value(text)) return usage_error("--samples needs a number");
      char *end = nullptr;
      errno = 0;
      const long n = std::strtol(text.c_str(), &end, 10);
      if (text.empty() || *end != '\0' || errno != 0 || n < 2 || n > kMaxSamples) {
        return usage_error("--samples takes a whole number from 2 to " +
                           std::to_string(kMaxSamples) + ", not '" + text + "'");
      }
      samples = static_cast<int>(n);
    } else if (!options_done && arg.size() > 1 && arg[0] == '-') {
      return usage_error("unknown option '" + arg + "'");
    } else if (have_input) {
      return usage_error("more than one input file ('" + input + "' and '" + arg + "')");
    } else {
      input = arg;
      have_input = true;
    }
  }
  if (!have_input) return usage_error("no input file");

  curve::Table table;
  std::string error;
  const std::string name = input == "-" ? std::string("<stdin>") : input;
  std::FILE *in = input == "-" ? stdin : std::fopen(input.c_str(), "rb");
  if (in == nullptr) return failure(input + ": cannot open: " + std::strerror(errno));
  const bool read = curve::read_table(in, name, table, error);
  if (in != stdin) std::fclose(in);
  if (!read || !curve::check_table(table, name, error)) return failure(error);

  curve::Curves curves;
  if (!curve::sample_curves(table, samples, curves, error)) return failure(name + ": " + error);

  if (csv_path.empty() && svg_path.empty()) csv_path = "-";
  if (!csv_path.empty() && !curve::write_output(csv_path, curve::to_csv(curves), error)) {
    return failure(error);
  }
  if (!svg_path.empty() &&
      !curve::write_output(svg_path, curve::to_svg(table, curves, name), error)) {
    return failure(error);
  }
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  try {
    return run(argc, argv);
  } catch (const std::bad_alloc &) {
    return failure("out of memory");
  }
}
