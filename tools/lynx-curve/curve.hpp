// lynx-curve: fits a tabulated curve three ways and writes samples and a plot.
#ifndef LYNX_CURVE_CURVE_HPP
#define LYNX_CURVE_CURVE_HPP

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace curve {

// The most lynx-curve reads: curve tables are small, and anything larger is
// refused before it fills memory.
inline constexpr size_t kMaxInputBytes = size_t{64} << 20;  // 64 MiB
inline constexpr size_t kMaxPoints = 10000000;

struct Table {
  std::vector<double> x, y;
  std::vector<int> line;                   // the input line of each point
  std::string x_name = "x", y_name = "y";  // from a header line
};

// Reads two numeric columns, separated by commas and/or blanks; '#' starts
// a comment, blank lines are skipped.  A first line that names columns is a
// header: x and y are then its two columns, or the columns it names x and
// y (so the samples lynx-curve writes, of one curve, read back).  On bad
// input returns false with a message naming the line.
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

// Writes text to what path names.  "-" is standard output.  A regular
// file, or a path where nothing is yet, is written through a temporary file
// beside it and a rename, so that it is either complete or as it was; a
// symbolic link is followed, and the file it leads to replaced (the link
// stays).  A device, a FIFO or a socket is written directly.
bool write_output(const std::string &path, const std::string &text, std::string &error);

}  // namespace curve

#endif  // LYNX_CURVE_CURVE_HPP
