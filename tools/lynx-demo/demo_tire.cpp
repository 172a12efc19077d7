// Tire-axis mode: the wheel and contact axis systems for one wheel over a
// road plane, printed as 3x4 tables (columns x, y, z direction and origin).
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "demo.hpp"
#include "lynx/tire.h"

namespace demo {

namespace {

// One number, the whole text (no trailing characters, no overflow).
bool parse_number(const char *text, double *value) {
  if (*text == '\0') return false;
  char *end = nullptr;
  errno = 0;
  const double parsed = std::strtod(text, &end);
  if (*end != '\0' || (errno == ERANGE && std::isinf(parsed))) return false;
  *value = parsed;
  return true;
}

// "X,Y,Z": exactly three numbers separated by commas.
bool parse_vector(const char *text, double v[3]) {
  const char *start = text;
  for (int i = 0; i < 3; ++i) {
    const char *comma = std::strchr(start, ',');
    if ((comma == nullptr) != (i == 2)) return false;
    char field[64];
    const size_t length =
        comma != nullptr ? static_cast<size_t>(comma - start) : std::strlen(start);
    if (length == 0 || length >= sizeof field) return false;
    std::memcpy(field, start, length);
    field[length] = '\0';
    if (!parse_number(field, &v[i])) return false;
    start = comma != nullptr ? comma + 1 : start + length;
  }
  return true;
}

void print_axes(const char *label, const double axes[12]) {
  std::printf("%s:\n", label);
  std::printf("     %24s %24s %24s %24s\n", "x-axis", "y-axis", "z-axis", "origin");
  const char names[3] = {'x', 'y', 'z'};
  for (int row = 0; row < 3; ++row) {
    std::printf("  %c  ", names[row]);
    for (int column = 0; column < 4; ++column) {
      std::printf(" %24.17g", axes[3 * column + row]);
    }
    std::printf("\n");
  }
}

int usage_error(const char *message, const char *argument) {
  std::fprintf(stderr, "lynx-demo: tire-axis: %s '%s'\n", message, argument);
  usage(stderr);
  return kUsageError;
}

}  // namespace

int run_tire_axis(int argc, char **argv) {
  // The level road under the wheel centre.
  double spin_axis[3] = {0.0, 1.0, 0.0};
  double wheel_centre[3] = {0.0, 0.0, 0.375};
  double road_normal[3] = {0.0, 0.0, 1.0};
  double road_point[3] = {0.0, 0.0, 0.0};
  double offset = 0.0;
  double threshold = 0.5;

  struct VectorOption {
    const char *name;
    double *value;
  } const vector_options[] = {{"--spin-axis", spin_axis},
                              {"--wheel-centre", wheel_centre},
                              {"--road-normal", road_normal},
                              {"--road-point", road_point}};
  struct ScalarOption {
    const char *name;
    double *value;
  } const scalar_options[] = {{"--offset", &offset}, {"--threshold", &threshold}};

  for (int i = 0; i < argc; ++i) {
    bool known = false;
    for (const VectorOption &o : vector_options) {
      if (std::strcmp(argv[i], o.name) != 0) continue;
      if (i + 1 >= argc) return usage_error("missing value after", argv[i]);
      if (!parse_vector(argv[++i], o.value)) return usage_error("expected X,Y,Z, got", argv[i]);
      known = true;
    }
    for (const ScalarOption &o : scalar_options) {
      if (std::strcmp(argv[i], o.name) != 0) continue;
      if (i + 1 >= argc) return usage_error("missing value after", argv[i]);
      if (!parse_number(argv[++i], o.value)) return usage_error("expected a number, got", argv[i]);
      known = true;
    }
    if (!known) return usage_error("unknown argument", argv[i]);
  }

  lynx_logical in_range = 0;
  double r = 0.0;
  double wheel[12], wheel_reversed[12], contact[12], contact_reversed[12];
  const int32_t status =
      KXF_TIR_AXIS(&in_range, &r, wheel, wheel_reversed, contact, contact_reversed, &threshold,
                   spin_axis, wheel_centre, road_normal, road_point, &offset);

  std::printf("status: %d%s\n", static_cast<int>(status),
              status == 0 ? "" : " (spin axis parallel to the road normal: all outputs cleared)");
  print_axes("wheel axes", wheel);
  print_axes("wheel axes, reversed", wheel_reversed);
  print_axes("contact axes", contact);
  print_axes("contact axes, reversed", contact_reversed);
  std::printf("distance r: %.17g\n", r);
  std::printf("in range (threshold %.17g > r): %s (%d)\n", threshold,
              (in_range & 1) != 0 ? "true" : "false", static_cast<int>(in_range));
  return 0;
}

}  // namespace demo
