// The samples as CSV: one line per sample, every number with the digits
// that give it back exactly.
#include <cstdio>
#include <string>
#include <vector>

#include "curve.hpp"

namespace curve {

namespace {

std::string number(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

}  // namespace

std::string to_csv(const Curves &curves) {
  std::string out = "curve,t,x,y,dx,dy\n";
  const struct {
    const char *name;
    const std::vector<Sample> *samples;
  } all[] = {{"cubic", &curves.cubic}, {"akima", &curves.akima}, {"renner", &curves.renner}};
  for (const auto &curve : all) {
    for (const Sample &s : *curve.samples) {
      out += std::string(curve.name) + ',' + number(s.t) + ',' + number(s.x) + ',' + number(s.y) +
             ',' + number(s.dx) + ',' + number(s.dy) + '\n';
    }
  }
  return out;
}

}  // namespace curve
