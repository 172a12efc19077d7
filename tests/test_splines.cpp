// Natural cubic spline and Akima fits, evaluated with kx_spline_interpolate.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "lynx/splines.h"
#include "support/checking_tools.hpp"
#include "support/random_source.hpp"

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#endif

namespace {

constexpr double kGuard = -12345.678;

// n doubles with a guard value on either side, to see every write.
struct Guarded {
  explicit Guarded(size_t n) : cells(n + 2, kGuard) {}
  double *data() { return cells.data() + 1; }
  double &operator[](size_t i) { return cells[i + 1]; }
  bool guards_intact() const { return cells.front() == kGuard && cells.back() == kGuard; }
  std::vector<double> cells;
};

struct Eval {
  double s, ds, dds;
};

// One evaluation, with guards around each output.
Eval eval(double xv, int32_t n, const double *x, const double *a, const double *b, const double *c,
          const double *d) {
  double out[7] = {kGuard, 0, kGuard, 0, kGuard, 0, kGuard};
  kx_spline_interpolate(xv, n, x, a, b, c, d, &out[1], &out[3], &out[5]);
  EXPECT_EQ(out[0], kGuard);
  EXPECT_EQ(out[2], kGuard);
  EXPECT_EQ(out[4], kGuard);
  EXPECT_EQ(out[6], kGuard);
  return Eval{out[1], out[3], out[5]};
}

struct Fit {
  Fit(size_t n) : b(n), c(n), d(n) {}
  Guarded b, c, d;
  bool guards_intact() const { return b.guards_intact() && c.guards_intact() && d.guards_intact(); }
};

TEST(CubicSpline, ThreeKnotsCoefficientsAndEvaluations) {
  const double x[] = {0, 1, 2}, y[] = {0, 1, 0};
  Fit f(3);
  kx_spline_coeffs(3, x, y, f.b.data(), f.c.data(), f.d.data());
  EXPECT_EQ(f.b[0], 1.5);
  EXPECT_EQ(f.b[1], 0.0);
  EXPECT_EQ(f.c[0], 0.0);
  EXPECT_EQ(f.c[1], -1.5);
  EXPECT_EQ(f.c[2], 0.0);
  EXPECT_EQ(f.d[0], -0.5);
  EXPECT_EQ(f.d[1], 0.5);
  EXPECT_EQ(f.b[2], kGuard) << "entry n-1 of b belongs to no interval";
  EXPECT_EQ(f.d[2], kGuard) << "entry n-1 of d belongs to no interval";
  EXPECT_TRUE(f.guards_intact());

  struct Case {
    double xv, s, ds, dds;
  };
  const Case cases[] = {
      {0.5, 0.6875, 1.125, -1.5},  // inside interval 0
      {1.0, 1.0, 0.0, -3.0},       // an interior knot takes the interval to its right
      {2.0, 0.0, -1.5, 0.0},       // the last knot: last interval at t = h
      {3.0, -1.0, 0.0, 3.0},       // beyond the table: the last cubic continued
      {-1.0, -1.0, 0.0, 3.0},      // before the table: the first cubic continued
  };
  for (const Case &k : cases) {
    const Eval e = eval(k.xv, 3, x, y, f.b.data(), f.c.data(), f.d.data());
    EXPECT_EQ(e.s, k.s) << "xv = " << k.xv;
    EXPECT_EQ(e.ds, k.ds) << "xv = " << k.xv;
    EXPECT_EQ(e.dds, k.dds) << "xv = " << k.xv;
  }
  EXPECT_TRUE(std::isnan(eval(NAN, 3, x, y, f.b.data(), f.c.data(), f.d.data()).s));
}

TEST(CubicSpline, StraightLines) {
  // Two knots: the chord, also outside the knots.
  const double x2[] = {1, 3}, y2[] = {2, 6};
  Fit f2(2);
  kx_spline_coeffs(2, x2, y2, f2.b.data(), f2.c.data(), f2.d.data());
  EXPECT_EQ(f2.b[0], 2.0);
  EXPECT_EQ(f2.c[0], 0.0);
  EXPECT_EQ(f2.c[1], 0.0);
  EXPECT_EQ(f2.d[0], 0.0);
  EXPECT_EQ(f2.b[1], kGuard);
  EXPECT_EQ(f2.d[1], kGuard);
  const Eval e = eval(-1.0, 2, x2, y2, f2.b.data(), f2.c.data(), f2.d.data());
  EXPECT_EQ(e.s, -2.0);
  EXPECT_EQ(e.ds, 2.0);
  EXPECT_EQ(e.dds, 0.0);

  // Equally spaced knots on a line: exact slope, no curvature.
  std::vector<double> x, y;
  for (int i = 0; i < 7; ++i) {
    x.push_back(i);
    y.push_back(3.0 * i - 1.0);
  }
  Fit f(7);
  kx_spline_coeffs(7, x.data(), y.data(), f.b.data(), f.c.data(), f.d.data());
  for (int j = 0; j < 6; ++j) {
    EXPECT_EQ(f.b[j], 3.0) << j;
    EXPECT_EQ(f.c[j], 0.0) << j;
    EXPECT_EQ(f.d[j], 0.0) << j;
  }
  EXPECT_TRUE(f.guards_intact());
}

TEST(CubicSpline, KnotsAndNaturalEndsOnRandomTables) {
  lynx_test::Random<std::mt19937> rng(6);
  for (int n : {3, 4, 10, 65, 200, 1000}) {  // below and above the stack buffer
    std::vector<double> x(n), y(n);
    double at = rng.uniform(-5.0, 5.0);
    for (int i = 0; i < n; ++i) {
      x[i] = at;
      y[i] = rng.uniform(-5.0, 5.0);
      at += rng.uniform(0.1, 2.0);
    }
    Fit f(n);
    kx_spline_coeffs(n, x.data(), y.data(), f.b.data(), f.c.data(), f.d.data());
    ASSERT_TRUE(f.guards_intact()) << n;
    EXPECT_EQ(f.b[n - 1], kGuard);
    EXPECT_EQ(f.d[n - 1], kGuard);
    EXPECT_EQ(f.c[0], 0.0);
    EXPECT_EQ(f.c[n - 1], 0.0);
    for (int j = 0; j + 1 < n; ++j) {
      EXPECT_EQ(eval(x[j], n, x.data(), y.data(), f.b.data(), f.c.data(), f.d.data()).s, y[j]);
    }
    const Eval first = eval(x[0], n, x.data(), y.data(), f.b.data(), f.c.data(), f.d.data());
    EXPECT_EQ(first.dds, 0.0);
    const Eval last = eval(x[n - 1], n, x.data(), y.data(), f.b.data(), f.c.data(), f.d.data());
    EXPECT_NEAR(last.s, y[n - 1], 1e-12);
    EXPECT_NEAR(last.dds, 0.0, 1e-10);
    // Continuity of value, slope and curvature across each interior knot.
    for (int j = 1; j + 1 < n; ++j) {
      const double h = x[j] - x[j - 1];
      const double s =
          ((h * f.b[j - 1] + y[j - 1]) + (h * f.c[j - 1]) * h) + ((h * f.d[j - 1]) * h) * h;
      EXPECT_NEAR(s, y[j], 1e-11);
      EXPECT_NEAR(f.b[j - 1] + 2 * f.c[j - 1] * h + 3 * f.d[j - 1] * h * h, f.b[j], 1e-10);
      EXPECT_NEAR(f.c[j - 1] + 3 * f.d[j - 1] * h, f.c[j], 1e-10);
    }
  }
}

TEST(CubicSpline, DegenerateCounts) {
  // One knot: only the natural end condition is written; evaluation uses
  // the caller's entry 0.
  const double x[] = {2.0}, y[] = {5.0};
  Fit f(1);
  kx_spline_coeffs(1, x, y, f.b.data(), f.c.data(), f.d.data());
  EXPECT_EQ(f.c[0], 0.0);
  EXPECT_EQ(f.b[0], kGuard);
  EXPECT_EQ(f.d[0], kGuard);
  EXPECT_TRUE(f.guards_intact());
  const double b[] = {2.0}, c[] = {0.0}, d[] = {1.0};
  const Eval e = eval(3.0, 1, x, y, b, c, d);
  EXPECT_EQ(e.s, 8.0);
  EXPECT_EQ(e.ds, 5.0);
  EXPECT_EQ(e.dds, 6.0);

  // No knots or a negative count: nothing read (null arrays) and nothing
  // written by the fit; the evaluation gives quiet NaN.
  for (int32_t n : {0, -1, INT32_MIN}) {
    kx_spline_coeffs(n, nullptr, nullptr, nullptr, nullptr, nullptr);
    const Eval none = eval(1.0, n, nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(std::isnan(none.s) && std::isnan(none.ds) && std::isnan(none.dds)) << n;
  }
}

TEST(CubicSpline, UnorderedAbscissaeStayInBounds) {
  const double x[] = {0, 1, 1, 0.5, 2, 2}, y[] = {1, 2, 3, 4, 5, 6};
  Fit f(6);
  kx_spline_coeffs(6, x, y, f.b.data(), f.c.data(), f.d.data());
  EXPECT_TRUE(f.guards_intact());
  EXPECT_EQ(f.b[5], kGuard);
  for (double xv : {-1.0, 0.75, 1.0, 2.0, 3.0}) {
    eval(xv, 6, x, y, f.b.data(), f.c.data(), f.d.data());
  }
}

#if defined(__linux__)
// When the scratch block cannot be had the fits return with the outputs as
// they were.  Run in a child whose address space is capped just above what
// it already uses.
TEST(SplineScratch, FitsLeaveOutputsUntouchedWithoutMemory) {
#if defined(LYNX_TEST_ASAN) || defined(LYNX_TEST_TSAN)
  GTEST_SKIP() << "the sanitizer's shadow memory leaves no address space to cap";
#endif
  const int n = 1 << 20;  // scratch of several megabytes, beyond any stack buffer
  std::vector<double> x(n + 1), y(n + 1), b(n + 1, kGuard), c(n + 1, kGuard), d(n + 1, kGuard);
  std::vector<point> p(n + 1), pb(n, {kGuard, kGuard}), pc(n, {kGuard, kGuard}),
      pd(n, {kGuard, kGuard});
  for (int i = 0; i <= n; ++i) {
    x[i] = i;
    y[i] = std::sin(0.001 * i);
    p[i] = point{x[i], y[i]};
  }
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::ifstream statm("/proc/self/statm");
    unsigned long pages = 0;
    statm >> pages;
    const rlim_t limit = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (1u << 20);
    const rlimit cap{limit, limit};
    if (setrlimit(RLIMIT_AS, &cap) != 0) _exit(2);
    // An emulator may take the cap and not apply it (qemu-user does so).
    void *volatile probe = std::malloc(std::size_t{64} << 20);
    if (probe != nullptr) _exit(5);
    kx_spline_coeffs(n, x.data(), y.data(), b.data(), c.data(), d.data());
    kx_akima_coeffs(n, x.data(), y.data(), b.data(), c.data(), d.data());
    kx_renner_spline_coeffs(n, p.data(), pb.data(), pc.data(), pd.data());
    for (int i = 0; i < n; ++i) {
      if (b[i] != kGuard || c[i] != kGuard || d[i] != kGuard) _exit(3);
      if (pb[i].x != kGuard || pc[i].y != kGuard || pd[i].x != kGuard) _exit(4);
    }
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 5) GTEST_SKIP() << "the address-space cap does not take here";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  // With memory to spare the same fits do write.
  kx_spline_coeffs(n, x.data(), y.data(), b.data(), c.data(), d.data());
  EXPECT_NE(b[0], kGuard);
}
#else
TEST(SplineScratch, FitsLeaveOutputsUntouchedWithoutMemory) {
  GTEST_SKIP() << "needs fork and an address-space limit (Linux, without AddressSanitizer)";
}
#endif

// --- Akima ---------------------------------------------------------------

struct AkimaCase {
  const char *name;
  std::vector<double> x, y, b, c, d;
};

TEST(Akima, WorkedTables) {
  const AkimaCase cases[] = {
      {"straight line", {0, 1, 2, 3, 4}, {1, 3, 5, 7, 9}, {2, 2, 2, 2}, {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"|x|: closed rule keeps the corner",
       {-3, -2, -1, 0, 1, 2, 3},
       {3, 2, 1, 0, 1, 2, 3},
       {-1, -1, -1, 1, 1, 1},
       {0, 0, 0, 0, 0, 0},
       {0, 0, 0, 0, 0, 0}},
      {"equal ends, not periodic", {0, 1, 2}, {0, 1, 0}, {0, 0}, {3, -3}, {-2, 2}},
      {"open rule", {0, 1, 2, 3}, {0, 1, 2, 1}, {1, 1, 1}, {0, 0, -3}, {0, 0, 1}},
      {"open rule, unequal spacing",
       {0, 2, 4, 8},
       {0, 1, 2, 1},
       {0.5, 0.5, 0.5},
       {0, 0, -0.28125},
       {0, 0, 0.0234375}},
      {"closed rule", {0, 1, 2, 3}, {0, 1, 2, 0}, {1, 1, 1}, {0, 0, -9}, {0, 0, 6}},
      {"single interval", {0, 1}, {0, 2}, {3}, {-1}, {0}},
  };
  for (const AkimaCase &k : cases) {
    const int32_t n = static_cast<int32_t>(k.b.size());
    Fit f(n);
    kx_akima_coeffs(n, k.x.data(), k.y.data(), f.b.data(), f.c.data(), f.d.data());
    EXPECT_TRUE(f.guards_intact()) << k.name;
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(f.b[i], k.b[i]) << k.name << " b[" << i << "]";
      EXPECT_EQ(f.c[i], k.c[i]) << k.name << " c[" << i << "]";
      EXPECT_EQ(f.d[i], k.d[i]) << k.name << " d[" << i << "]";
    }
  }
}

TEST(Akima, EvaluatedWithTheCubicEvaluator) {
  // The tangent at the last point: -2 under the open rule, the first
  // interval's slope under the closed rule.
  const double x[] = {0, 1, 2, 3}, open_y[] = {0, 1, 2, 1}, closed_y[] = {0, 1, 2, 0};
  Fit f(3);
  kx_akima_coeffs(3, x, open_y, f.b.data(), f.c.data(), f.d.data());
  EXPECT_EQ(eval(3.0, 4, x, open_y, f.b.data(), f.c.data(), f.d.data()).ds, -2.0);
  kx_akima_coeffs(3, x, closed_y, f.b.data(), f.c.data(), f.d.data());
  EXPECT_EQ(eval(3.0, 4, x, closed_y, f.b.data(), f.c.data(), f.d.data()).ds, 1.0);

  // |x| is reproduced exactly on both sides of its corner.
  const double ax[] = {-3, -2, -1, 0, 1, 2, 3}, ay[] = {3, 2, 1, 0, 1, 2, 3};
  Fit g(6);
  kx_akima_coeffs(6, ax, ay, g.b.data(), g.c.data(), g.d.data());
  for (double xv : {-2.75, -0.5, 0.0, 0.25, 2.5}) {
    const Eval e = eval(xv, 7, ax, ay, g.b.data(), g.c.data(), g.d.data());
    EXPECT_EQ(e.s, std::fabs(xv)) << xv;
    EXPECT_EQ(e.ds, xv < 0 ? -1.0 : 1.0) << xv;
    EXPECT_EQ(e.dds, 0.0) << xv;
  }
}

TEST(Akima, DegenerateCountsAndTables) {
  for (int32_t n : {0, -1, INT32_MIN})
    kx_akima_coeffs(n, nullptr, nullptr, nullptr, nullptr, nullptr);

  // Equal and decreasing abscissae: no write outside the arrays.
  const double x[] = {0, 1, 1, 0.5, 2}, y[] = {1, 2, 3, 4, 1};
  Fit f(4);
  kx_akima_coeffs(4, x, y, f.b.data(), f.c.data(), f.d.data());
  EXPECT_TRUE(f.guards_intact());

  // A long table (heap scratch) on a line stays the line.
  std::vector<double> lx(2001), ly(2001);
  for (int i = 0; i <= 2000; ++i) {
    lx[i] = 0.5 * i;
    ly[i] = -0.25 * i + 7.0;
  }
  Fit g(2000);
  kx_akima_coeffs(2000, lx.data(), ly.data(), g.b.data(), g.c.data(), g.d.data());
  EXPECT_TRUE(g.guards_intact());
  for (int i = 0; i < 2000; ++i) {
    ASSERT_EQ(g.b[i], -0.5) << i;
    ASSERT_EQ(g.c[i], 0.0) << i;
    ASSERT_EQ(g.d[i], 0.0) << i;
  }
}

}  // namespace
