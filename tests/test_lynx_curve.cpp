// lynx-curve run on good and bad input: the samples it writes, its messages
// and exit status, and that bad input leaves no file behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/platform.hpp"

namespace fs = std::filesystem;

namespace {

// The output is standard output and standard error together.
using Result = lynx_test::CommandResult;
using lynx_test::shell_quoted;

Result run(const std::string &arguments) {
  return lynx_test::run_command(shell_quoted(LYNX_CURVE_EXE) + " " + arguments + " 2>&1");
}

class LynxCurve : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("lynx_curve_" + std::to_string(lynx_test::process_id()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string write(const std::string &name, const std::string &text) {
    std::ofstream(dir / name, std::ios::binary) << text;
    return (dir / name).string();
  }
  std::vector<std::string> files() const {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(dir))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path dir;
};

struct Row {
  std::string curve;
  double t, x, y, dx, dy;
};

std::vector<Row> parse_csv(const std::string &text, std::string &header) {
  std::istringstream in(text);
  std::getline(in, header);
  std::vector<Row> rows;
  std::string line;
  while (std::getline(in, line)) {
    Row r;
    std::istringstream fields(line);
    std::string f[6];
    for (std::string &field : f) std::getline(fields, field, ',');
    r.curve = f[0];
    r.t = std::strtod(f[1].c_str(), nullptr);
    r.x = std::strtod(f[2].c_str(), nullptr);
    r.y = std::strtod(f[3].c_str(), nullptr);
    r.dx = std::strtod(f[4].c_str(), nullptr);
    r.dy = std::strtod(f[5].c_str(), nullptr);
    rows.push_back(r);
  }
  return rows;
}

std::string slurp(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(LynxCurve, FitsTheExampleCurve) {
  const std::string example = std::string(LYNX_SOURCE_DIR) + "/examples/curve.csv";
  const std::string csv = (dir / "samples.csv").string(), svg = (dir / "plot.svg").string();
  // 11 segments and 45 samples: the Renner samples fall on every point.
  const Result r = run("--samples 45 --csv " + shell_quoted(csv) + " --svg " + shell_quoted(svg) +
                       " " + shell_quoted(example));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(r.output, "");
  EXPECT_EQ(files(), (std::vector<std::string>{"plot.svg", "samples.csv"}));

  const double px[] = {-12, -8, -5, -3, -1.5, 0, 1.5, 3, 5, 8, 12, 16};
  const double py[] = {-4.1, -4.1, -3.8, -3.0, -1.8, 0, 1.8, 3.0, 3.8, 4.1, 4.1, 4.1};
  std::string header;
  const std::vector<Row> rows = parse_csv(slurp(csv), header);
  EXPECT_EQ(header, "curve,t,x,y,dx,dy");
  ASSERT_EQ(rows.size(), 3u * 45);
  for (int c = 0; c < 3; ++c) {
    const char *name = c == 0 ? "cubic" : c == 1 ? "akima" : "renner";
    const Row &first = rows[45 * c], &last = rows[45 * c + 44];
    EXPECT_EQ(first.curve, name);
    EXPECT_EQ(last.curve, name);
    EXPECT_EQ(first.x, -12.0) << name;
    EXPECT_EQ(first.y, -4.1) << name;
    EXPECT_NEAR(last.x, 16.0, 1e-12) << name;
    EXPECT_NEAR(last.y, 4.1, 1e-12) << name;
  }
  for (int j = 0; j < 45; ++j) {
    const Row &cubic = rows[j], &akima = rows[45 + j], &renner = rows[90 + j];
    EXPECT_EQ(cubic.x, akima.x);
    EXPECT_NEAR(cubic.x, -12.0 + 28.0 * j / 44, 1e-12);
    EXPECT_EQ(cubic.dx, 1.0);
    EXPECT_NEAR(renner.t, 11.0 * j / 44, 1e-12);
    if (j % 4 == 0 && j < 44) {
      EXPECT_EQ(renner.x, px[j / 4]) << j;
      EXPECT_EQ(renner.y, py[j / 4]) << j;
      EXPECT_NEAR(std::hypot(renner.dx, renner.dy), 1.0, 1e-12) << "unit tangent at a point";
    }
  }
  // The flat run at the end: Akima stays on it, the cubic spline swings.
  double akima_off = 0, cubic_off = 0;
  for (int j = 0; j < 45; ++j) {
    if (rows[j].x > 8) cubic_off = std::max(cubic_off, std::fabs(rows[j].y - 4.1));
    if (rows[45 + j].x > 8) akima_off = std::max(akima_off, std::fabs(rows[45 + j].y - 4.1));
  }
  EXPECT_LT(akima_off, 1e-12);
  EXPECT_GT(cubic_off, 1e-3);

  const std::string plot = slurp(svg);
  EXPECT_EQ(plot.rfind("<?xml", 0), 0u);
  EXPECT_NE(plot.find("</svg>"), std::string::npos);
  for (const char *label : {"natural cubic spline", "Akima", "Renner", "points", "<polyline"}) {
    EXPECT_NE(plot.find(label), std::string::npos) << label;
  }
  // One marker per point, and one in the legend.
  size_t circles = 0;
  for (size_t at = plot.find("<circle"); at != std::string::npos;
       at = plot.find("<circle", at + 1)) {
    ++circles;
  }
  EXPECT_EQ(circles, 12u + 1u);
}

TEST_F(LynxCurve, BlankSeparatedInputToStandardOutput) {
  const std::string blanks = write("in.txt", "# comment\r\n0 1\r\n\r\n1\t 2  # note\r\n2 0\r\n");
  const std::string commas = write("in.csv", "0,1\n1, 2\n2 ,0\n");
  const Result a = run("--samples 3 " + shell_quoted(blanks));
  const Result b = run("--samples 3 " + shell_quoted(commas));
  ASSERT_EQ(a.status, 0) << a.output;
  EXPECT_EQ(a.output, b.output);
  std::string header;
  const std::vector<Row> rows = parse_csv(a.output, header);
  ASSERT_EQ(rows.size(), 9u);
  EXPECT_EQ(rows[1].curve, "cubic");
  EXPECT_EQ(rows[1].y, 2.0);    // at the middle knot
  EXPECT_EQ(rows[0].dy, 1.75);  // natural spline: slope 1.75 at x = 0
}

TEST_F(LynxCurve, BadInputWritesNothing) {
  struct Case {
    const char *text;
    const char *message;
  };
  const Case cases[] = {
      {"0,1\n1,abc\n", "in.csv:2: y value 'abc' is not a finite number"},
      {"# one point\n0,1\n", "in.csv: need at least two points, found 1"},
      {"", "in.csv: need at least two points, found 0"},
      {"0,0\n2,1\n\n1,3\n", "in.csv:4: x = 1 is not greater than x = 2 on line 2"},
      {"0,0\n0,1\n", "in.csv:2: x = 0 is not greater than x = 0 on line 1"},
      {"0,0\n1,2,3\n", "in.csv:2: expected two numbers, x and y, found 3 fields"},
      {"0,0\n1,\n", "in.csv:2: empty y field"},
      {"0,0\nnan,1\n", "in.csv:2: x value 'nan' is not a finite number"},
      {"0,0\n1,1e999\n", "in.csv:2: y value '1e999' is not a finite number"},
  };
  for (const Case &k : cases) {
    const std::string input = write("in.csv", k.text);
    const Result r = run("--csv " + shell_quoted((dir / "out.csv").string()) + " --svg " +
                         shell_quoted((dir / "out.svg").string()) + " " + shell_quoted(input));
    EXPECT_EQ(r.status, 1) << k.text;
    EXPECT_NE(r.output.find(k.message), std::string::npos) << r.output;
    EXPECT_EQ(files(), std::vector<std::string>{"in.csv"}) << "no output, no temporary file";
  }
  // A file that cannot be opened, and an output that cannot be created.
  Result r = run(shell_quoted((dir / "missing.csv").string()));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.output.find("missing.csv: cannot open"), std::string::npos) << r.output;
  const std::string good = write("in.csv", "0,0\n1,1\n");
  r = run("--csv " + shell_quoted((dir / "no" / "out.csv").string()) + " " + shell_quoted(good));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.output.find("cannot create"), std::string::npos) << r.output;
  EXPECT_EQ(files(), std::vector<std::string>{"in.csv"});
}

TEST_F(LynxCurve, UsageErrors) {
  const std::string good = write("in.csv", "0,0\n1,1\n");
  const std::vector<std::string> usage_cases = {"--bogus " + shell_quoted(good),
                                                std::string(""),
                                                "--samples 1 " + shell_quoted(good),
                                                "--samples x " + shell_quoted(good),
                                                "--csv",
                                                shell_quoted(good) + " " + shell_quoted(good)};
  for (const std::string &arguments : usage_cases) {
    const Result r = run(arguments);
    EXPECT_EQ(r.status, 2) << arguments;
    EXPECT_NE(r.output.find("usage: lynx-curve"), std::string::npos) << arguments;
  }
  EXPECT_NE(run("--bogus").output.find("unknown option '--bogus'"), std::string::npos);
  const Result help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("usage: lynx-curve"), std::string::npos);
  EXPECT_EQ(files(), std::vector<std::string>{"in.csv"});
}

}  // namespace
