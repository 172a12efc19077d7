// The samples as CSV, the plot as SVG, and writing a file whole or not at all.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "curve.hpp"
#include "output_platform.hpp"

namespace curve {

namespace {

std::string number(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

std::string fixed(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.2f", v);
  return buffer;
}

// A tick label with enough digits to tell ticks step apart.
std::string label(double v, double step) {
  char buffer[40];
  const double magnitude = std::fabs(v);
  int digits = 6;
  if (magnitude > 0 && step > 0) {
    digits = std::max(digits, static_cast<int>(std::ceil(std::log10(magnitude / step))) + 2);
  }
  std::snprintf(buffer, sizeof buffer, "%.*g", std::min(digits, 17), v);
  return buffer;
}

std::string label(double v) {
  return label(v, 0.0);
}

std::string xml_escaped(const std::string &text) {
  std::string out;
  for (char ch : text) {
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        if (static_cast<unsigned char>(ch) >= 0x20 || ch == '\t') out += ch;
    }
  }
  return out;
}

// A tick step of 1, 2 or 5 times a power of ten, about range / 6.
double tick_step(double range) {
  const double raw = range / 6.0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  const double scaled = raw / power;
  return (scaled < 1.5 ? 1.0 : scaled < 3.5 ? 2.0 : scaled < 7.5 ? 5.0 : 10.0) * power;
}

struct Range {
  double low = HUGE_VAL, high = -HUGE_VAL;
  void take(double v) {
    if (std::isfinite(v)) {
      low = std::min(low, v);
      high = std::max(high, v);
    }
  }
  // Widened by a margin.  A flat range, or one too narrow for its
  // magnitude to be told apart on a plot (values a few ulps apart), is
  // widened about its middle.
  void settle() {
    if (!(low <= high)) low = 0, high = 1;
    const double magnitude = std::max(std::fabs(low), std::fabs(high));
    if (high - low <= magnitude * 1e-9) {
      const double middle = low + (high - low) / 2;
      const double pad = std::max(std::fabs(middle) * 0.1, 1.0);
      low = middle - pad;
      high = middle + pad;
      return;
    }
    const double pad = (high - low) * 0.05;
    low -= pad;
    high += pad;
  }
};

// The most ticks an axis gets; about seven are wanted.
constexpr int kMaxTicks = 50;

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

std::string to_svg(const Table &table, const Curves &curves, const std::string &title) {
  const double width = 800, height = 520, left = 80, right = 24, top = 44, bottom = 56;
  const double plot_w = width - left - right, plot_h = height - top - bottom;
  Range rx, ry;
  for (size_t i = 0; i < table.x.size(); ++i) rx.take(table.x[i]), ry.take(table.y[i]);
  for (const auto *set : {&curves.cubic, &curves.akima, &curves.renner}) {
    for (const Sample &s : *set) rx.take(s.x), ry.take(s.y);
  }
  rx.settle();
  ry.settle();
  auto sx = [&](double v) { return left + (v - rx.low) / (rx.high - rx.low) * plot_w; };
  auto sy = [&](double v) { return top + (ry.high - v) / (ry.high - ry.low) * plot_h; };

  std::string svg;
  svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + label(width) + "\" height=\"" +
         label(height) + "\" viewBox=\"0 0 " + label(width) + ' ' + label(height) +
         "\" font-family=\"sans-serif\" font-size=\"12\">\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  svg += "<defs><clipPath id=\"plot\"><rect x=\"" + fixed(left) + "\" y=\"" + fixed(top) +
         "\" width=\"" + fixed(plot_w) + "\" height=\"" + fixed(plot_h) +
         "\"/></clipPath></defs>\n";
  svg += "<text x=\"" + fixed(width / 2) + "\" y=\"26\" text-anchor=\"middle\" font-size=\"15\">" +
         xml_escaped(title) + "</text>\n";

  // Axes: the frame of the plot area, with ticks and labels on the left and
  // bottom edges.
  svg += "<g stroke=\"#444\" fill=\"none\"><rect x=\"" + fixed(left) + "\" y=\"" + fixed(top) +
         "\" width=\"" + fixed(plot_w) + "\" height=\"" + fixed(plot_h) + "\"/></g>\n";
  svg += "<g stroke=\"#444\">\n";
  std::string labels;
  const double step_x = tick_step(rx.high - rx.low), step_y = tick_step(ry.high - ry.low);
  // Ticks at whole multiples of the step, counted rather than summed, so
  // that a step below the rounding of the values cannot stall the loop.
  const double first_x = std::ceil(rx.low / step_x), first_y = std::ceil(ry.low / step_y);
  for (int i = 0; i < kMaxTicks; ++i) {
    const double v = (first_x + i) * step_x + 0.0;  // + 0.0: no "-0"
    if (!(v <= rx.high)) break;
    const double px = sx(v);
    svg += "<line x1=\"" + fixed(px) + "\" y1=\"" + fixed(top + plot_h) + "\" x2=\"" + fixed(px) +
           "\" y2=\"" + fixed(top + plot_h + 6) + "\"/>\n";
    labels += "<text x=\"" + fixed(px) + "\" y=\"" + fixed(top + plot_h + 20) +
              "\" text-anchor=\"middle\">" + label(v, step_x) + "</text>\n";
  }
  for (int i = 0; i < kMaxTicks; ++i) {
    const double v = (first_y + i) * step_y + 0.0;
    if (!(v <= ry.high)) break;
    const double py = sy(v);
    svg += "<line x1=\"" + fixed(left - 6) + "\" y1=\"" + fixed(py) + "\" x2=\"" + fixed(left) +
           "\" y2=\"" + fixed(py) + "\"/>\n";
    labels += "<text x=\"" + fixed(left - 9) + "\" y=\"" + fixed(py + 4) +
              "\" text-anchor=\"end\">" + label(v, step_y) + "</text>\n";
  }
  svg += "</g>\n" + labels;
  svg += "<text x=\"" + fixed(left + plot_w / 2) + "\" y=\"" + fixed(height - 12) +
         "\" text-anchor=\"middle\">" + xml_escaped(table.x_name) + "</text>\n";
  svg += "<text x=\"18\" y=\"" + fixed(top + plot_h / 2) +
         "\" text-anchor=\"middle\" transform=\"rotate(-90 18 " + fixed(top + plot_h / 2) + ")\">" +
         xml_escaped(table.y_name) + "</text>\n";

  const struct {
    const char *name;
    const char *colour;
    const char *dash;
    const std::vector<Sample> *samples;
  } lines[] = {{"natural cubic spline", "#1f77b4", "", &curves.cubic},
               {"Akima", "#d62728", "6 3", &curves.akima},
               {"Renner", "#2ca02c", "2 2", &curves.renner}};
  svg += "<g clip-path=\"url(#plot)\" fill=\"none\" stroke-width=\"1.6\">\n";
  for (const auto &line : lines) {
    svg += std::string("<polyline stroke=\"") + line.colour + '"';
    if (*line.dash) svg += std::string(" stroke-dasharray=\"") + line.dash + '"';
    svg += " points=\"";
    for (const Sample &s : *line.samples) {
      if (std::isfinite(s.x) && std::isfinite(s.y))
        svg += fixed(sx(s.x)) + ',' + fixed(sy(s.y)) + ' ';
    }
    svg += "\"/>\n";
  }
  svg += "</g>\n<g fill=\"black\">\n";
  for (size_t i = 0; i < table.x.size(); ++i) {
    svg += "<circle cx=\"" + fixed(sx(table.x[i])) + "\" cy=\"" + fixed(sy(table.y[i])) +
           "\" r=\"3.5\"/>\n";
  }
  svg += "</g>\n";

  // Legend in the corner of the plot area that the curves cross least.
  const double legend_w = 180, legend_h = 84;
  double lx = left + plot_w - legend_w - 10, ly = top + 10;
  size_t fewest = SIZE_MAX;
  for (int corner = 0; corner < 4; ++corner) {
    const double cx = corner % 2 ? left + plot_w - legend_w - 10 : left + 10;
    const double cy = corner / 2 ? top + plot_h - legend_h - 10 : top + 10;
    size_t covered = 0;
    auto count = [&](double x, double y) {
      const double px = sx(x), py = sy(y);
      if (px >= cx && px <= cx + legend_w && py >= cy && py <= cy + legend_h) ++covered;
    };
    for (size_t i = 0; i < table.x.size(); ++i) count(table.x[i], table.y[i]);
    for (const auto &line : lines) {
      for (const Sample &sample : *line.samples) count(sample.x, sample.y);
    }
    if (covered < fewest) {  // ties keep the first: upper left, then upper right
      fewest = covered;
      lx = cx;
      ly = cy;
    }
  }
  svg += "<g><rect x=\"" + fixed(lx) + "\" y=\"" + fixed(ly) + "\" width=\"" + fixed(legend_w) +
         "\" height=\"" + fixed(legend_h) +
         "\" fill=\"white\" fill-opacity=\"0.85\" stroke=\"#999\"/>\n";
  double row = ly + 18;
  for (const auto &line : lines) {
    svg += "<line x1=\"" + fixed(lx + 10) + "\" y1=\"" + fixed(row - 4) + "\" x2=\"" +
           fixed(lx + 40) + "\" y2=\"" + fixed(row - 4) + "\" stroke=\"" + line.colour +
           "\" stroke-width=\"1.6\"" +
           (*line.dash ? std::string(" stroke-dasharray=\"") + line.dash + '"' : std::string()) +
           "/>\n";
    svg += "<text x=\"" + fixed(lx + 48) + "\" y=\"" + fixed(row) + "\">" + line.name + "</text>\n";
    row += 20;
  }
  svg += "<circle cx=\"" + fixed(lx + 25) + "\" cy=\"" + fixed(row - 4) + "\" r=\"3.5\"/>\n";
  svg += "<text x=\"" + fixed(lx + 48) + "\" y=\"" + fixed(row) + "\">points</text>\n</g>\n";
  svg += "</svg>\n";
  return svg;
}

namespace {

// Writes text to an open stream and closes it; false with errno set on
// failure.  sync: make the data durable first, where the platform does.
bool write_and_close(std::FILE *out, const std::string &text, bool sync) {
  bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  ok = std::fflush(out) == 0 && ok;
  ok = ok && (!sync || platform::sync(out));
  const int saved = errno;
  ok = std::fclose(out) == 0 && ok;
  if (!ok && saved != 0) errno = saved;
  return ok;
}

// Writes text to target through a temporary file beside it and a rename,
// so that target is either complete or as it was.  mode: the permissions
// to give the file, or -1 for those of a new file.
bool replace_atomically(const std::string &shown, const std::string &target,
                        const std::string &text, long mode, std::string &error) {
  std::string temporary;
  std::FILE *out = platform::create_beside(target, mode, temporary);
  if (out == nullptr) {
    error = shown + ": cannot create a temporary file beside it: " + std::strerror(errno);
    return false;
  }
  errno = 0;
  if (!write_and_close(out, text, true)) {
    error = shown + ": cannot write: " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  if (!platform::rename_over(temporary, target)) {
    error = shown + ": cannot rename the finished file into place: " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool write_output(const std::string &path, const std::string &text, std::string &error) {
  if (path == "-") {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
      error = "cannot write standard output: " + std::string(std::strerror(errno));
      return false;
    }
    return true;
  }
  platform::Destination where;
  if (!platform::destination(path, where, error)) return false;
  if (where.replace) return replace_atomically(path, where.target, text, where.mode, error);
  // A device, a FIFO or a socket: written directly, never replaced.
  std::FILE *out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) {
    error = path + ": cannot open: " + std::strerror(errno);
    return false;
  }
  errno = 0;
  if (!write_and_close(out, text, false)) {
    error = path + ": cannot write: " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace curve
