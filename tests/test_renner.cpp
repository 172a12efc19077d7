// Renner's plane-curve spline and the point routines it is built from.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "lynx/splines.h"
#include "support/random_source.hpp"

namespace {

constexpr double kGuard = -12345.678;

// n points with a guard point on either side.
struct Guarded {
  explicit Guarded(size_t n) : cells(n + 2, point{kGuard, kGuard}) {}
  point *data() { return cells.data() + 1; }
  const point *data() const { return cells.data() + 1; }
  const point &operator[](size_t i) const { return cells[i + 1]; }
  bool guards_intact() const {
    return cells.front().x == kGuard && cells.front().y == kGuard && cells.back().x == kGuard &&
           cells.back().y == kGuard;
  }
  std::vector<point> cells;
};

struct Fit {
  explicit Fit(const std::vector<point> &points)
      : p(points), n(static_cast<int32_t>(points.size()) - 1), b(n), c(n), d(n) {
    kx_renner_spline_coeffs(n, p.data(), b.data(), c.data(), d.data());
  }
  bool guards_intact() const { return b.guards_intact() && c.guards_intact() && d.guards_intact(); }
  std::vector<point> p;
  int32_t n;
  Guarded b, c, d;
};

struct Eval {
  point p, dp, ddp;
};

Eval eval(double t, int32_t n, const point *a, const point *b, const point *c, const point *d) {
  point out[7];
  for (point &o : out) o = point{kGuard, kGuard};
  kx_renner_spline_interpolate(t, n, a, b, c, d, &out[1], &out[3], &out[5]);
  for (int g : {0, 2, 4, 6}) {
    EXPECT_EQ(out[g].x, kGuard);
    EXPECT_EQ(out[g].y, kGuard);
  }
  return Eval{out[1], out[3], out[5]};
}

// Segment i of a fit at its own parameter u (not the evaluator's t).
point segment_at(const Fit &f, int i, double u) {
  return point{f.p[i].x + f.b[i].x * u + f.c[i].x * u * u + f.d[i].x * u * u * u,
               f.p[i].y + f.b[i].y * u + f.c[i].y * u * u + f.d[i].y * u * u * u};
}
point segment_slope(const Fit &f, int i, double u) {
  return point{f.b[i].x + 2 * f.c[i].x * u + 3 * f.d[i].x * u * u,
               f.b[i].y + 2 * f.c[i].y * u + 3 * f.d[i].y * u * u};
}

// The parameter at which segment i reaches the next point, found by Newton
// steps on the distance along the chord.
double segment_end(const Fit &f, int i) {
  const point chord{f.p[i + 1].x - f.p[i].x, f.p[i + 1].y - f.p[i].y};
  const double length2 = chord.x * chord.x + chord.y * chord.y;
  double u = std::sqrt(length2);
  for (int k = 0; k < 50; ++k) {
    const point at = segment_at(f, i, u), slope = segment_slope(f, i, u);
    const double g = ((at.x - f.p[i].x) * chord.x + (at.y - f.p[i].y) * chord.y) / length2 - 1.0;
    const double dg = (slope.x * chord.x + slope.y * chord.y) / length2;
    u -= g / dg;
  }
  return u;
}

TEST(Point, Operations) {
  EXPECT_EQ(point_norm(point{3, 4}), 5.0);
  EXPECT_EQ(point_mult(point{1, 2}, point{3, 4}), 11.0);
  const point sum = point_add(point{1, 2}, point{3, 4});
  EXPECT_EQ(sum.x, 4.0);
  EXPECT_EQ(sum.y, 6.0);
}

TEST(Renner, StraightLineAtUnitSpeed) {
  // Each segment runs along its chord at unit speed, also where the line
  // folds back on itself and arrives at its last point going the other way.
  const Fit folded({{0, 0}, {1, 0}, {2, 0}, {1, 0}});
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(folded.b[i].x, folded.p[i + 1].x - folded.p[i].x) << i;
    EXPECT_EQ(folded.c[i].x, 0.0) << i;
    EXPECT_EQ(folded.d[i].x, 0.0) << i;
  }
  const Fit f({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
  EXPECT_TRUE(f.guards_intact());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(f.b[i].x, 1.0);
    EXPECT_EQ(f.b[i].y, 0.0);
    EXPECT_EQ(f.c[i].x, 0.0);
    EXPECT_EQ(f.c[i].y, 0.0);
    EXPECT_EQ(f.d[i].x, 0.0);
    EXPECT_EQ(f.d[i].y, 0.0);
  }
  const Eval e = eval(1.25, 4, f.p.data(), f.b.data(), f.c.data(), f.d.data());
  EXPECT_EQ(e.p.x, 1.25);
  EXPECT_EQ(e.p.y, 0.0);
  EXPECT_EQ(e.dp.x, 1.0);
  EXPECT_EQ(e.ddp.x, 0.0);
}

TEST(Renner, ClosedUnitSquare) {
  const Fit f({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}});
  EXPECT_TRUE(f.guards_intact());
  const double h = std::sqrt(0.5);
  const point tangents[] = {{h, -h}, {h, h}, {-h, h}, {-h, -h}};  // the corners' bisectors
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(f.b[i].x, tangents[i].x, 1e-15) << i;
    EXPECT_NEAR(f.b[i].y, tangents[i].y, 1e-15) << i;
    EXPECT_NEAR(segment_end(f, i), (24 - 6 * std::sqrt(2.0)) / 14, 1e-12) << i;
  }
  EXPECT_NEAR(segment_end(f, 0), 1.1081942, 5e-8);
  EXPECT_NEAR(f.c[0].x, 0.5285955, 5e-8);
  EXPECT_NEAR(f.c[0].y, 0.6380712, 5e-8);
  EXPECT_NEAR(f.d[0].x, -0.3179921, 5e-8);
  EXPECT_NEAR(f.d[0].y, 0.0, 1e-15);
  const point end = segment_at(f, 0, (24 - 6 * std::sqrt(2.0)) / 14);
  EXPECT_NEAR(end.x, 1.0, 1e-14);
  EXPECT_NEAR(end.y, 0.0, 1e-14);

  // Left open, with ends that share only their x, the square is fitted by
  // the open rule: its first point gets a unit tangent (the closed rule
  // would give it none).
  const Fit open({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(point_norm(open.b[i]), 1.0, 1e-15) << i;
}

// Each segment ends at the next point with the next point's tangent, and
// leaves its own point with a unit tangent.
TEST(Renner, SegmentsJoinWithTheNextTangent) {
  lynx_test::Random<std::mt19937> rng(43);
  for (bool closed : {false, true}) {
    for (int n : {2, 3, 9, 150, 1000}) {  // below and above the stack buffer
      if (closed && n < 9) continue;
      // A closed wavy loop with uneven spacing, or an open spiral.
      std::vector<point> pts;
      double angle = 0;
      for (int i = 0; i < n; ++i) {
        const double r = closed ? 2.0 + 0.5 * std::sin(3.0 * angle) : 1.0 + 0.2 * angle;
        pts.push_back(point{r * std::cos(angle), r * std::sin(angle)});
        angle += closed ? rng.uniform(0.2, 1.0) * 6.0 / n : rng.uniform(0.2, 1.0);
      }
      if (closed) pts.push_back(pts.front());
      const Fit f(pts);
      ASSERT_TRUE(f.guards_intact());
      for (int i = 0; i < f.n; ++i) {
        ASSERT_NEAR(point_norm(f.b[i]), 1.0, 1e-14) << i;
        const double u = segment_end(f, i);
        const point at = segment_at(f, i, u), slope = segment_slope(f, i, u);
        EXPECT_NEAR(at.x, f.p[i + 1].x, 1e-11) << "n " << n << " segment " << i;
        EXPECT_NEAR(at.y, f.p[i + 1].y, 1e-11) << "n " << n << " segment " << i;
        if (i + 1 < f.n || closed) {
          const point next = f.b[(i + 1) % f.n];
          EXPECT_NEAR(slope.x, next.x, 1e-10) << "n " << n << " segment " << i;
          EXPECT_NEAR(slope.y, next.y, 1e-10) << "n " << n << " segment " << i;
        } else {
          EXPECT_NEAR(point_norm(slope), 1.0, 1e-10) << "last segment of an open curve";
        }
        if (i + 1 == f.n && !closed && f.n > 1) {
          // The end rule mirrors the start rule: the curve arrives at its
          // last point against the tangent with which it leaves it reversed.
          const Fit r(std::vector<point>(pts.rbegin(), pts.rend()));
          EXPECT_NEAR(slope.x, -r.b[0].x, 1e-10) << "n " << n << ", end of an open curve";
          EXPECT_NEAR(slope.y, -r.b[0].y, 1e-10) << "n " << n << ", end of an open curve";
        }
      }
    }
  }
}

TEST(Renner, SegmentSearchAndParameter) {
  // Coefficients that name their segment: b[k] = (10^k, k), c = d = 0, so
  // p gives u and dp gives k.
  const point a[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}};
  const point b[] = {{1, 0}, {10, 1}, {100, 2}}, zero[] = {{0, 0}, {0, 0}, {0, 0}};
  struct Case {
    double t;
    int k;
    double u;
  };
  for (const Case &k : {Case{1.25, 1, 0.25}, Case{-0.5, 0, -0.5}, Case{7.0, 2, 5.0},
                        Case{2.0, 2, 0.0}, Case{3.0, 2, 1.0}, Case{0.0, 0, 0.0}}) {
    const Eval e = eval(k.t, 4, a, b, zero, zero);
    EXPECT_EQ(e.dp.y, k.k) << "t = " << k.t;
    EXPECT_EQ(e.p.x, a[k.k].x + b[k.k].x * k.u) << "t = " << k.t;
    EXPECT_EQ(e.ddp.x, 0.0);
  }
  // Position, first and second derivative with respect to the segment
  // parameter, x and y alike.
  const point c[] = {{0, 0}, {0.5, -1}, {0, 0}}, d[] = {{0, 0}, {0.25, 2}, {0, 0}};
  const Eval e = eval(1.5, 4, a, b, c, d);
  EXPECT_EQ(e.p.x, 1 + 10 * 0.5 + 0.5 * 0.25 + 0.25 * 0.125);
  EXPECT_EQ(e.p.y, 0 + 1 * 0.5 - 1 * 0.25 + 2 * 0.125);
  EXPECT_EQ(e.dp.x, 10 + 2 * 0.5 * 0.5 + 3 * 0.25 * 0.25);
  EXPECT_EQ(e.dp.y, 1 - 2 * 0.5 + 3 * 2 * 0.25);
  EXPECT_EQ(e.ddp.x, 2 * 0.5 + 6 * 0.25 * 0.5);
  EXPECT_EQ(e.ddp.y, -2 + 6 * 2 * 0.5);
}

TEST(Renner, DegenerateCounts) {
  for (int32_t n : {0, -1, INT32_MIN}) {
    kx_renner_spline_coeffs(n, nullptr, nullptr, nullptr, nullptr);
    const Eval e = eval(0.5, n, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(std::isnan(e.p.x) && std::isnan(e.p.y) && std::isnan(e.dp.x) &&
                std::isnan(e.dp.y) && std::isnan(e.ddp.x) && std::isnan(e.ddp.y))
        << n;
  }
  // One point and no segment: the fit writes nothing, the evaluation stays
  // at the point without reading any segment.
  const Fit f({{2, 3}});
  EXPECT_TRUE(f.guards_intact());
  EXPECT_EQ(f.b[0].x, kGuard);
  const Eval e = eval(0.7, 1, f.p.data(), nullptr, nullptr, nullptr);
  EXPECT_EQ(e.p.x, 2.0);
  EXPECT_EQ(e.p.y, 3.0);
  EXPECT_EQ(e.dp.x, 0.0);
  EXPECT_EQ(e.ddp.y, 0.0);
}

// Inside a straight run and at a corner between two runs the one-sided
// tangents are unit vectors whatever the chords' length, so long straight
// chords give straight segments with their length as parameter length.
// The unit chords of the diagonal runs dot to just above one: the sines are
// kept at zero, and the corner is not rounded off.
TEST(Renner, StraightRunsWithLongChords) {
  const Fit line({{0, 0}, {2, 0}, {4, 0}, {6, 0}});
  const Fit corner({{0, 0}, {2, 0}, {4, 0}, {4, 2}, {4, 4}});
  const Fit diagonal({{0, 0}, {3, 3}, {6, 6}, {9, 3}, {12, 0}});
  for (const Fit *f : {&line, &corner, &diagonal}) {
    EXPECT_TRUE(f->guards_intact());
    for (int i = 0; i < f->n; ++i) {
      EXPECT_EQ(point_norm(f->b[i]), 1.0) << i;
      EXPECT_EQ(f->c[i].x, 0.0) << i;
      EXPECT_EQ(f->c[i].y, 0.0) << i;
      EXPECT_EQ(f->d[i].x, 0.0) << i;
      EXPECT_EQ(f->d[i].y, 0.0) << i;
    }
  }
  EXPECT_EQ(corner.b[1].x, 1.0);  // arrives at the corner along x ...
  EXPECT_EQ(corner.b[2].y, 1.0);  // ... and leaves it along y
  EXPECT_EQ(eval(1.5, 4, line.p.data(), line.b.data(), line.c.data(), line.d.data()).p.x, 2.5);
}

// The open end rule can make an imagined chord of zero length: with a
// single segment, or when the second chord is twice the first.  Such a
// chord counts as perpendicular to its neighbours instead of giving 0/0.
TEST(Renner, ZeroImaginedChords) {
  const Fit single({{1, 1}, {4, 5}});
  EXPECT_EQ(single.b[0].x, 0.6);
  EXPECT_EQ(single.b[0].y, 0.8);
  const Fit doubled({{0, 0}, {1, 0}, {3, 0}});
  for (const Fit *f : {&single, &doubled}) {
    for (int i = 0; i < f->n; ++i) {
      EXPECT_EQ(point_norm(f->b[i]), 1.0) << i;
      EXPECT_NEAR(f->c[i].x, 0.0, 1e-15) << i;
      EXPECT_NEAR(f->c[i].y, 0.0, 1e-15) << i;
      EXPECT_NEAR(f->d[i].x, 0.0, 1e-15) << i;
      EXPECT_NEAR(f->d[i].y, 0.0, 1e-15) << i;
    }
  }
  EXPECT_NEAR(segment_end(single, 0), 5.0, 1e-14);
  EXPECT_EQ(
      eval(0.5, 3, doubled.p.data(), doubled.b.data(), doubled.c.data(), doubled.d.data()).p.x,
      0.5);
}

// Nearly parallel unit chords can round to a dot product just above one;
// the sine is then zero, not NaN.
TEST(Renner, ParallelChordsNeverGiveNaN) {
  std::vector<point> pts{{0, 0}};
  bool rounded_above_one = false;
  for (int trial = 1; trial < 60; ++trial) {
    const double s = 0.1 * trial;
    pts.push_back(point{pts.back().x + 0.1 * s, pts.back().y + 0.7 * s});
  }
  for (size_t i = 0; i + 2 < pts.size(); ++i) {
    const point u{pts[i + 1].x - pts[i].x, pts[i + 1].y - pts[i].y};
    const point v{pts[i + 2].x - pts[i + 1].x, pts[i + 2].y - pts[i + 1].y};
    const double nu = point_norm(u), nv = point_norm(v);
    const double dot = point_mult(point{u.x / nu, u.y / nu}, point{v.x / nv, v.y / nv});
    rounded_above_one = rounded_above_one || 1.0 - std::pow(dot, 2.0) < 0.0;
  }
  ASSERT_TRUE(rounded_above_one) << "the table no longer exercises the rounding";
  const Fit f(pts);
  for (int i = 0; i < f.n; ++i) {
    ASSERT_TRUE(std::isfinite(f.b[i].x) && std::isfinite(f.b[i].y)) << i;
    ASSERT_TRUE(std::isfinite(f.c[i].x) && std::isfinite(f.d[i].y)) << i;
    EXPECT_NEAR(f.b[i].y / f.b[i].x, 7.0, 1e-12) << i;
  }
}

TEST(Renner, CoincidentPointsStayInBounds) {
  const Fit f({{0, 0}, {1, 0}, {1, 0}, {2, 1}, {2, 1}});
  EXPECT_TRUE(f.guards_intact());
  eval(1.5, 5, f.p.data(), f.b.data(), f.c.data(), f.d.data());
  const Fit single({{1, 1}, {1, 1}});
  EXPECT_TRUE(single.guards_intact());
}

// At (1, 0) the curve turns straight back: the blended tangent there has zero
// length.  It is taken as zero, so the curve comes to rest at the cusp, and
// every coefficient stays a number.
TEST(Renner, CuspGetsAZeroTangentInsteadOfNaN) {
  const Fit f({{-1, -1}, {0, 0}, {1, 0}, {0, 0}, {-1, -1}});
  ASSERT_TRUE(f.guards_intact());
  for (int i = 0; i < f.n; ++i) {
    for (const point *q : {&f.b[i], &f.c[i], &f.d[i]}) {
      ASSERT_TRUE(std::isfinite(q->x) && std::isfinite(q->y)) << "segment " << i;
    }
  }
  EXPECT_EQ(f.b[2].x, 0.0);
  EXPECT_EQ(f.b[2].y, 0.0);
  // Segment 1 arrives at the cusp at rest, at its parameter length (the
  // positive root for the tangents b[1] and zero over the chord (1, 0)).
  const point sum = f.b[1];
  const double a = sum.x * sum.x + sum.y * sum.y, k = 6.0 * sum.x;
  const double end = (std::sqrt(36.0 * (16.0 - a) + k * k) - k) / (16.0 - a);
  const point at = segment_at(f, 1, end), slope = segment_slope(f, 1, end);
  EXPECT_NEAR(at.x, 1.0, 1e-12);
  EXPECT_NEAR(at.y, 0.0, 1e-12);
  EXPECT_NEAR(slope.x, 0.0, 1e-12);
  EXPECT_NEAR(slope.y, 0.0, 1e-12);
}

// The prefixed name of the point type is the same type as the short one.
static_assert(std::is_same_v<lynx_point, point>);

}  // namespace
