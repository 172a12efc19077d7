// lynx-curve: fits a tabulated curve three ways and writes samples and a plot.
#ifndef LYNX_CURVE_CURVE_HPP
#define LYNX_CURVE_CURVE_HPP

#include <cstdio>
#include <string>
#include <vector>

namespace curve {

struct Table {
  std::vector<double> x, y;
  std::vector<int> line;  // the input line of each point
};

// Reads two numeric columns, separated by commas and/or blanks; '#' starts
// a comment, blank lines are skipped.  On bad input returns false with a
// message naming the line.
bool read_table(std::FILE *in, const std::string &name, Table &table, std::string &error);

// Checks what the fits need: at least two points, abscissae increasing.
bool check_table(const Table &table, const std::string &name, std::string &error);

struct Sample {
  double t, x, y, dx, dy;
};

struct Curves {
  std::vector<Sample> cubic, akima, renner;
};

// Fits the natural cubic spline, the Akima curve and the Renner curve and
// samples each at `samples` points.  False if a fit cannot be made.
bool sample_curves(const Table &table, int samples, Curves &curves, std::string &error);

std::string to_csv(const Curves &curves);
std::string to_svg(const Table &table, const Curves &curves, const std::string &title);

// Writes text to path through a temporary file in the same directory and a
// rename, so that the file is either complete or not there.
bool write_atomically(const std::string &path, const std::string &text, std::string &error);

}  // namespace curve

#endif  // LYNX_CURVE_CURVE_HPP
