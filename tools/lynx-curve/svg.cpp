// The plot as SVG: the points and the three curves in a frame with ticks
// and labels, and a legend in the corner that the curves cross least.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "curve.hpp"

namespace curve {

namespace {

// The page and the margins around the plot area, in SVG user units.
constexpr double kWidth = 800, kHeight = 520;
constexpr double kLeft = 80, kRight = 24, kTop = 44, kBottom = 56;
constexpr double kPlotWidth = kWidth - kLeft - kRight, kPlotHeight = kHeight - kTop - kBottom;
// Ticks: their length, and how far their labels stand from the axis.
constexpr double kTick = 6, kBottomLabel = 20, kLeftLabel = 9;
// The legend's box, and the radius of a point's marker.
constexpr double kLegendWidth = 180, kLegendHeight = 84, kLegendInset = 10, kLegendRow = 20;
constexpr const char *kMarker = "3.5";
// The most ticks an axis gets; about seven are wanted.
constexpr int kMaxTicks = 50;

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

// One curve as drawn: its legend name and its stroke.
struct Line {
  const char *name;
  const char *colour;
  const char *dash;
  const std::vector<Sample> *samples;
};

// What is drawn, and where a value lies on the page.
struct Plot {
  const Table &table;
  Line lines[3];
  Range rx, ry;

  Plot(const Table &t, const Curves &curves)
      : table(t),
        lines{{"natural cubic spline", "#1f77b4", "", &curves.cubic},
              {"Akima", "#d62728", "6 3", &curves.akima},
              {"Renner", "#2ca02c", "2 2", &curves.renner}} {
    for (size_t i = 0; i < table.x.size(); ++i) rx.take(table.x[i]), ry.take(table.y[i]);
    for (const Line &line : lines) {
      for (const Sample &s : *line.samples) rx.take(s.x), ry.take(s.y);
    }
    rx.settle();
    ry.settle();
  }
  double x(double v) const { return kLeft + (v - rx.low) / (rx.high - rx.low) * kPlotWidth; }
  double y(double v) const { return kTop + (ry.high - v) / (ry.high - ry.low) * kPlotHeight; }
};

// The page, the clip path of the plot area and the title.
std::string draw_page(const std::string &title) {
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + label(kWidth) + "\" height=\"" +
         label(kHeight) + "\" viewBox=\"0 0 " + label(kWidth) + ' ' + label(kHeight) +
         "\" font-family=\"sans-serif\" font-size=\"12\">\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  svg += "<defs><clipPath id=\"plot\"><rect x=\"" + fixed(kLeft) + "\" y=\"" + fixed(kTop) +
         "\" width=\"" + fixed(kPlotWidth) + "\" height=\"" + fixed(kPlotHeight) +
         "\"/></clipPath></defs>\n";
  svg += "<text x=\"" + fixed(kWidth / 2) + "\" y=\"26\" text-anchor=\"middle\" font-size=\"15\">" +
         xml_escaped(title) + "</text>\n";
  return svg;
}

// The frame of the plot area, with ticks and labels on the left and bottom
// edges, and the names of the axes.
std::string draw_axes(const Plot &plot) {
  const double bottom = kTop + kPlotHeight;
  std::string svg = "<g stroke=\"#444\" fill=\"none\"><rect x=\"" + fixed(kLeft) + "\" y=\"" +
                    fixed(kTop) + "\" width=\"" + fixed(kPlotWidth) + "\" height=\"" +
                    fixed(kPlotHeight) + "\"/></g>\n";
  svg += "<g stroke=\"#444\">\n";
  std::string labels;
  const Range &rx = plot.rx, &ry = plot.ry;
  const double step_x = tick_step(rx.high - rx.low), step_y = tick_step(ry.high - ry.low);
  // Ticks at whole multiples of the step, counted rather than summed, so
  // that a step below the rounding of the values cannot stall the loop.
  const double first_x = std::ceil(rx.low / step_x), first_y = std::ceil(ry.low / step_y);
  for (int i = 0; i < kMaxTicks; ++i) {
    const double v = (first_x + i) * step_x + 0.0;  // + 0.0: no "-0"
    if (!(v <= rx.high)) break;
    const double px = plot.x(v);
    svg += "<line x1=\"" + fixed(px) + "\" y1=\"" + fixed(bottom) + "\" x2=\"" + fixed(px) +
           "\" y2=\"" + fixed(bottom + kTick) + "\"/>\n";
    labels += "<text x=\"" + fixed(px) + "\" y=\"" + fixed(bottom + kBottomLabel) +
              "\" text-anchor=\"middle\">" + label(v, step_x) + "</text>\n";
  }
  for (int i = 0; i < kMaxTicks; ++i) {
    const double v = (first_y + i) * step_y + 0.0;
    if (!(v <= ry.high)) break;
    const double py = plot.y(v);
    svg += "<line x1=\"" + fixed(kLeft - kTick) + "\" y1=\"" + fixed(py) + "\" x2=\"" +
           fixed(kLeft) + "\" y2=\"" + fixed(py) + "\"/>\n";
    labels += "<text x=\"" + fixed(kLeft - kLeftLabel) + "\" y=\"" + fixed(py + 4) +
              "\" text-anchor=\"end\">" + label(v, step_y) + "</text>\n";
  }
  svg += "</g>\n" + labels;
  svg += "<text x=\"" + fixed(kLeft + kPlotWidth / 2) + "\" y=\"" + fixed(kHeight - 12) +
         "\" text-anchor=\"middle\">" + xml_escaped(plot.table.x_name) + "</text>\n";
  svg += "<text x=\"18\" y=\"" + fixed(kTop + kPlotHeight / 2) +
         "\" text-anchor=\"middle\" transform=\"rotate(-90 18 " + fixed(kTop + kPlotHeight / 2) +
         ")\">" + xml_escaped(plot.table.y_name) + "</text>\n";
  return svg;
}

// The three curves, clipped to the plot area, and the points.
std::string draw_curves(const Plot &plot) {
  std::string svg = "<g clip-path=\"url(#plot)\" fill=\"none\" stroke-width=\"1.6\">\n";
  for (const Line &line : plot.lines) {
    svg += std::string("<polyline stroke=\"") + line.colour + '"';
    if (*line.dash) svg += std::string(" stroke-dasharray=\"") + line.dash + '"';
    svg += " points=\"";
    for (const Sample &s : *line.samples) {
      if (std::isfinite(s.x) && std::isfinite(s.y))
        svg += fixed(plot.x(s.x)) + ',' + fixed(plot.y(s.y)) + ' ';
    }
    svg += "\"/>\n";
  }
  svg += "</g>\n<g fill=\"black\">\n";
  for (size_t i = 0; i < plot.table.x.size(); ++i) {
    svg += "<circle cx=\"" + fixed(plot.x(plot.table.x[i])) + "\" cy=\"" +
           fixed(plot.y(plot.table.y[i])) + "\" r=\"" + kMarker + "\"/>\n";
  }
  svg += "</g>\n";
  return svg;
}

// The legend, in the corner of the plot area that the curves and points
// cross least (ties keep the first: upper left, then upper right).
std::string draw_legend(const Plot &plot) {
  double lx = kLeft + kPlotWidth - kLegendWidth - kLegendInset, ly = kTop + kLegendInset;
  size_t fewest = SIZE_MAX;
  for (int corner = 0; corner < 4; ++corner) {
    const double cx =
        corner % 2 ? kLeft + kPlotWidth - kLegendWidth - kLegendInset : kLeft + kLegendInset;
    const double cy =
        corner / 2 ? kTop + kPlotHeight - kLegendHeight - kLegendInset : kTop + kLegendInset;
    size_t covered = 0;
    auto count = [&](double x, double y) {
      const double px = plot.x(x), py = plot.y(y);
      if (px >= cx && px <= cx + kLegendWidth && py >= cy && py <= cy + kLegendHeight) ++covered;
    };
    for (size_t i = 0; i < plot.table.x.size(); ++i) count(plot.table.x[i], plot.table.y[i]);
    for (const Line &line : plot.lines) {
      for (const Sample &sample : *line.samples) count(sample.x, sample.y);
    }
    if (covered < fewest) {
      fewest = covered;
      lx = cx;
      ly = cy;
    }
  }
  std::string svg = "<g><rect x=\"" + fixed(lx) + "\" y=\"" + fixed(ly) + "\" width=\"" +
                    fixed(kLegendWidth) + "\" height=\"" + fixed(kLegendHeight) +
                    "\" fill=\"white\" fill-opacity=\"0.85\" stroke=\"#999\"/>\n";
  double row = ly + 18;
  for (const Line &line : plot.lines) {
    svg += "<line x1=\"" + fixed(lx + 10) + "\" y1=\"" + fixed(row - 4) + "\" x2=\"" +
           fixed(lx + 40) + "\" y2=\"" + fixed(row - 4) + "\" stroke=\"" + line.colour +
           "\" stroke-width=\"1.6\"" +
           (*line.dash ? std::string(" stroke-dasharray=\"") + line.dash + '"' : std::string()) +
           "/>\n";
    svg += "<text x=\"" + fixed(lx + 48) + "\" y=\"" + fixed(row) + "\">" + line.name + "</text>\n";
    row += kLegendRow;
  }
  svg += "<circle cx=\"" + fixed(lx + 25) + "\" cy=\"" + fixed(row - 4) + "\" r=\"" + kMarker +
         "\"/>\n";
  svg += "<text x=\"" + fixed(lx + 48) + "\" y=\"" + fixed(row) + "\">points</text>\n</g>\n";
  return svg;
}

}  // namespace

std::string to_svg(const Table &table, const Curves &curves, const std::string &title) {
  const Plot plot(table, curves);
  return draw_page(title) + draw_axes(plot) + draw_curves(plot) + draw_legend(plot) + "</svg>\n";
}

}  // namespace curve
