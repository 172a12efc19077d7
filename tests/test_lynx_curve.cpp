// lynx-curve run on good and bad input: the samples it writes, its messages
// and exit status, and that bad input leaves no file behind.
#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/stat.h>
#endif

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

// Runs lynx-curve with arguments (shell words), under LYNX_TEST_LAUNCHER (a
// checking tool) when that is set, else under the build's emulator if any.  Where the system has
// timeout(1) the run is stopped after seconds, so that a hang fails the test
// instead of stalling the suite.
Result run(const std::string &arguments, int seconds = 60) {
  const char *launcher = std::getenv("LYNX_TEST_LAUNCHER");
#if defined(LYNX_CURVE_LAUNCHER)
  if (launcher == nullptr) launcher = LYNX_CURVE_LAUNCHER;
#endif
  const std::string limit = lynx_test::kWindows ? "" : "timeout " + std::to_string(seconds) + " ";
  return lynx_test::run_command(limit + (launcher != nullptr ? std::string(launcher) + " " : "") +
                                shell_quoted(LYNX_CURVE_EXE) + " " + arguments + " 2>&1");
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
    for (const auto &entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
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
  // 8 segments and 33 samples: the Renner samples fall on every point.
  const Result r = run("--samples 33 --csv " + shell_quoted(csv) + " --svg " + shell_quoted(svg) +
                       " " + shell_quoted(example));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(r.output, "");
  EXPECT_EQ(files(), (std::vector<std::string>{"plot.svg", "samples.csv"}));

  const double px[] = {0, 1, 2, 3, 4, 7, 10, 15, 20};
  const double py[] = {0, 2.6, 4.5, 5.2, 4.0, 3.5, 3.5, 3.5, 3.5};
  std::string header;
  const std::vector<Row> rows = parse_csv(slurp(csv), header);
  EXPECT_EQ(header, "curve,t,x,y,dx,dy");
  ASSERT_EQ(rows.size(), 3u * 33);
  for (int c = 0; c < 3; ++c) {
    const char *name = c == 0 ? "cubic" : c == 1 ? "akima" : "renner";
    const Row &first = rows[33 * c], &last = rows[33 * c + 32];
    EXPECT_EQ(first.curve, name);
    EXPECT_EQ(last.curve, name);
    EXPECT_EQ(first.x, 0.0) << name;
    EXPECT_EQ(first.y, 0.0) << name;
    EXPECT_NEAR(last.x, 20.0, 1e-12) << name;
    EXPECT_NEAR(last.y, 3.5, 1e-12) << name;
  }
  for (int j = 0; j < 33; ++j) {
    const Row &cubic = rows[j], &akima = rows[33 + j], &renner = rows[66 + j];
    EXPECT_EQ(cubic.x, akima.x);
    EXPECT_NEAR(cubic.x, 20.0 * j / 32, 1e-12);
    EXPECT_EQ(cubic.dx, 1.0);
    EXPECT_NEAR(renner.t, 8.0 * j / 32, 1e-12);
    if (j % 4 == 0 && j < 32) {
      EXPECT_EQ(renner.x, px[j / 4]) << j;
      EXPECT_EQ(renner.y, py[j / 4]) << j;
      EXPECT_NEAR(std::hypot(renner.dx, renner.dy), 1.0, 1e-12) << "unit tangent at a point";
    }
  }
  // After the peak the natural cubic spline swings well below the flat run
  // at 3.5; the Akima curve stays between the points.
  double cubic_low = HUGE_VAL, akima_low = HUGE_VAL;
  for (int j = 0; j < 33; ++j) {
    if (rows[j].x > 4) cubic_low = std::min(cubic_low, rows[j].y);
    if (rows[33 + j].x > 4) akima_low = std::min(akima_low, rows[33 + j].y);
  }
  EXPECT_LT(cubic_low, 3.3);
  EXPECT_EQ(akima_low, 3.5);

  const std::string plot = slurp(svg);
  EXPECT_EQ(plot.rfind("<?xml", 0), 0u);
  EXPECT_NE(plot.find("</svg>"), std::string::npos);
  for (const char *label : {"natural cubic spline", "Akima", "Renner", "points", "<polyline",
                            ">slip_angle_deg</text>", ">lateral_force_kN</text>"}) {
    EXPECT_NE(plot.find(label), std::string::npos) << label;
  }
  // One marker per point, and one in the legend.
  size_t circles = 0;
  for (size_t at = plot.find("<circle"); at != std::string::npos;
       at = plot.find("<circle", at + 1)) {
    ++circles;
  }
  EXPECT_EQ(circles, 9u + 1u);
}

// A first line that names the columns is a header; with more than two, x
// and y are the columns so named, so one curve of lynx-curve's own output
// reads back.
TEST_F(LynxCurve, HeaderLineNamesTheColumns) {
  const std::string plain = write("plain.csv", "0,1\n1,2\n2,0\n");
  const std::string named = write("named.csv", "# comment\nforce, slip\n0,1\n1,2\n2,0\n");
  const Result a = run("--samples 5 " + shell_quoted(plain));
  ASSERT_EQ(a.status, 0) << a.output;
  EXPECT_EQ(run("--samples 5 " + shell_quoted(named)).output, a.output);
  std::string own = "curve,t,x,y,dx,dy\n";
  std::istringstream lines(a.output);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("akima,", 0) == 0) own += line + "\n";
  }
  const Result b = run("--samples 5 " + shell_quoted(write("own.csv", own)));
  EXPECT_EQ(b.status, 0) << b.output;
  const Result c = run(shell_quoted(write("bad.csv", "a,b,c\n1,2,3\n")));
  EXPECT_EQ(c.status, 1);
  EXPECT_NE(c.output.find("bad.csv:1: the header names 3 columns; expected two, or columns "
                          "named x and y"),
            std::string::npos)
      << c.output;
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
      // Good points a fit cannot follow in double precision: refused, not
      // written as "nan".
      {"0,0\n5e-324,1\n1e-323,0\n",
       "in.csv: samples that are not finite numbers from the natural cubic spline"},
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
  // Endless input is refused at a bound, not read until memory runs out.
  if (!lynx_test::kWindows) {
    r = run("/dev/zero", 10);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("/dev/zero: the input holds more than 64 MiB"), std::string::npos)
        << r.output;
  }
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
  const Result version = run("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.output, "lynx-curve (lynxUtility) 2010.1.19.37\n");
  const Result help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("usage: lynx-curve"), std::string::npos);
  EXPECT_EQ(files(), std::vector<std::string>{"in.csv"});
}

// The output is written through to what its path names: a symbolic link is
// followed and stays a link, a FIFO's reader gets the text, "-" is standard
// output.
TEST_F(LynxCurve, WritesThroughToWhatThePathNames) {
#if defined(_WIN32)
  GTEST_SKIP() << "symbolic links, FIFOs and a POSIX shell are not there on Windows";
#else
  const std::string input = write("in.csv", "0,0\n1,1\n2,0\n");
  const Result plain = run("--samples 3 " + shell_quoted(input));
  ASSERT_EQ(plain.status, 0) << plain.output;

  const std::string target = write("target.csv", "old\n");
  fs::create_symlink("target.csv", dir / "link.csv");
  fs::create_symlink("new.csv", dir / "dangling.csv");
  Result r = run("--samples 3 --csv " + shell_quoted((dir / "link.csv").string()) + " --svg " +
                 shell_quoted((dir / "dangling.csv").string()) + " " + shell_quoted(input));
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(fs::is_symlink(dir / "link.csv"));
  EXPECT_EQ(slurp(target), plain.output);
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.csv"));
  EXPECT_EQ(slurp(dir / "new.csv").rfind("<?xml", 0), 0u);

  const std::string fifo = (dir / "fifo").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string got = (dir / "got.csv").string();
  r = run("--samples 3 --csv " + shell_quoted(fifo) + " " + shell_quoted(input) +
          " & timeout 20 cat " + shell_quoted(fifo) + " > " + shell_quoted(got) + "; wait $!");
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
  EXPECT_EQ(slurp(got), plain.output);

  r = run("--samples 3 --csv - --svg " + shell_quoted((dir / "plot.svg").string()) + " " +
          shell_quoted(input));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output, plain.output);
  EXPECT_FALSE(fs::exists(dir / "-"));
#endif
}

// A span of a few ulps (or a flat run) is widened for the plot, and its
// ticks are counted: the axis loop ends with a handful of distinct labels.
TEST_F(LynxCurve, TinySpanPlotsAFewTicks) {
  const std::string input = write("in.csv", "1,0\n1.0000000000000002,1\n");
  // A stalled loop grows the plot text without end: stopped after 10 s.
  const Result r =
      run("--svg " + shell_quoted((dir / "plot.svg").string()) + " " + shell_quoted(input), 10);
  ASSERT_EQ(r.status, 0) << r.output;
  const std::string plot = slurp(dir / "plot.svg");
  size_t ticks = 0;
  for (size_t at = plot.find("text-anchor=\"middle\">"); at != std::string::npos;
       at = plot.find("text-anchor=\"middle\">", at + 1)) {
    ++ticks;
  }
  EXPECT_GE(ticks, 4u);  // the title, the axis name and the x ticks
  EXPECT_LE(ticks, 20u);
}

// The Renner samples reach each segment's end: on a noisy table, where
// finding a segment's parameter length by Newton's steps fails, the last
// sample is the last point.
TEST_F(LynxCurve, RennerSamplesReachTheSegmentEnds) {
  const std::string input = write("noisy.csv",
                                  "0.000,0.001428\n0.001,-0.000422\n0.002,0.003562\n"
                                  "0.003,-0.002878\n0.004,0.010266\n0.005,0.011472\n");
  const Result r = run("--samples 2 " + shell_quoted(input));
  ASSERT_EQ(r.status, 0) << r.output;
  std::string header;
  const std::vector<Row> rows = parse_csv(r.output, header);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[5].curve, "renner");
  EXPECT_NEAR(rows[5].x, 0.005, 1e-15);
  EXPECT_NEAR(rows[5].y, 0.011472, 1e-15);
}

}  // namespace
