// Renner's spline: a plane curve through ordered points P[0..n].
//
// Chords D[i+2] = P[i+1] - P[i], with two imagined chords at each end (the
// chords wrap round when P[0] == P[n], and otherwise continue linearly), and
// their unit vectors U.  At point i the sines of the angles between the two
// arriving and between the two leaving chords,
//   wa = sqrt(1 - (U[i].U[i+1])^2),  wb = sqrt(1 - (U[i+2].U[i+3])^2),
// weigh the leaving and the arriving chord into the unit tangent
//   v = (D[i+2] - D[i+1]) wa / (wa + wb) + D[i+1],  t = v / |v|.
// Where wa + wb = 0 (inside a straight run, or at a corner between two) the
// point keeps one-sided unit tangents along its arriving and leaving chords.
//
// Segment i is the cubic Hermite curve from P[i] with tangent t0 to P[i+1]
// with tangent t1 over the parameter length T, the positive root of
//   (16 - A) T^2 + 2 K T - 36 E = 0,
//   A = |t0 + t1|^2,  K = 6 (t0 + t1).D,  E = |D|^2,
// for which the curve moves at unit speed at the middle of the segment:
//   C(u) = P[i] + t0 u + c u^2 + d u^3,
//   c = 3/T^2 D - (2 t0 + t1)/T,  d = (t0 + t1)/T^2 - 2/T^3 D.
// Each expression is grouped as written here, coordinate by coordinate.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "interp/intervals.hpp"
#include "interp/point.hpp"
#include "interp/scratch.hpp"
#include "interp/segment.hpp"
#include "lynx/splines.h"

namespace {

using lynx::interp::add;
using lynx::interp::dot;
using lynx::interp::norm;

// Curves up to this many segments (124) are fitted without touching the
// heap: their n + 4 chords fill the 2 KiB buffer, 128 points.
constexpr std::size_t kLocalSegments = lynx::interp::kLocalScratchBytes / sizeof(point) - 4;

// The unit vector along a chord.  A chord of zero length, as the open end
// rule makes of the imagined chords of a single segment or of a run whose
// second chord is twice its first, has none: it gets the zero vector, which
// counts as perpendicular to every other chord, instead of 0/0.
point unit(point v) {
  const double length = norm(v);
  if (length == 0.0) return point{0.0, 0.0};
  return point{v.x / length, v.y / length};
}

// The sine of the angle between two unit chords.  Rounding can make
// 1 - (u.v)^2 slightly negative for parallel chords; it is clamped at zero
// (a not-a-number argument stays one).
double sine_between(point u, point v) {
  const double square = 1.0 - std::pow(dot(u, v), 2.0);
  return std::sqrt(square < 0.0 ? 0.0 : square);
}

struct Tangents {
  point left;   // with which the segment ending at the point arrives
  point right;  // with which the segment starting at the point leaves
};

// Tangents at point i from the chords D[i..i+3] and their unit vectors.
Tangents tangents_at(const point *chord, const point *unit_chord) {
  const double wa = sine_between(unit_chord[0], unit_chord[1]);
  const double wb = sine_between(unit_chord[2], unit_chord[3]);
  if (wa + wb == 0.0) return Tangents{unit_chord[1], unit_chord[2]};
  const double alpha = wa / (wa + wb);
  const point v{(chord[2].x - chord[1].x) * alpha + chord[1].x,
                (chord[2].y - chord[1].y) * alpha + chord[1].y};
  const point t = unit(v);
  return Tangents{t, t};
}

}  // namespace

extern "C" void kx_renner_spline_coeffs(int32_t n, const point *p, point *b, point *c, point *d) {
  if (n <= 0) return;
  const std::size_t segments = static_cast<std::size_t>(n);
  lynx::interp::Scratch<point, kLocalSegments + 4> scratch(segments + 4);
  if (!scratch) return;
  point *const chord = scratch.data();

  lynx::interp::lay_out_intervals(chord, n, [p](int32_t i) {
    return point{p[i + 1].x - p[i].x, p[i + 1].y - p[i].y};
  });
  lynx::interp::extend_ends(chord, n, p[0].x == p[n].x && p[0].y == p[n].y);

  // The four unit chords around the current point, slid along one slot per
  // point; the tangents are formed point by point as the segments are filled.
  point unit_chord[4] = {unit(chord[0]), unit(chord[1]), unit(chord[2]), unit(chord[3])};
  point t0 = tangents_at(chord, unit_chord).right;
  for (int32_t i = 0; i < n; ++i) {
    unit_chord[0] = unit_chord[1];
    unit_chord[1] = unit_chord[2];
    unit_chord[2] = unit_chord[3];
    unit_chord[3] = unit(chord[i + 4]);
    const Tangents next = tangents_at(chord + i + 1, unit_chord);
    const point t1 = next.left;
    const point chord_i = chord[i + 2];

    const point sum = add(t0, t1);
    const double a = std::pow(norm(sum), 2.0);
    const double k = 6.0 * dot(sum, chord_i);
    const double e = std::pow(norm(chord_i), 2.0);
    const double length = (std::sqrt(e * 36.0 * (16.0 - a) + std::pow(k, 2.0)) - k) / (16.0 - a);
    const double length2 = length * length;
    const double length3 = length2 * length;

    b[i] = t0;
    c[i] = point{(3.0 / length2) * chord_i.x - (2.0 * t0.x + t1.x) / length,
                 (3.0 / length2) * chord_i.y - (2.0 * t0.y + t1.y) / length};
    d[i] = point{(t0.x + t1.x) / length2 - (2.0 / length3) * chord_i.x,
                 (t0.y + t1.y) / length2 - (2.0 / length3) * chord_i.y};
    t0 = next.right;
  }
}

// Segment k = floor(t), the result of the bisection over the point indices
// with the strict test mid > t (k = 0 below the first point, n - 2 from the
// last on and for a t that is not a number), evaluated at u = t - k without
// scaling by the segment's parameter length.
extern "C" void kx_renner_spline_interpolate(double t, int32_t n, const point *a, const point *b,
                                             const point *c, const point *d, point *p, point *dp,
                                             point *ddp) {
  if (n < 1) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    *p = point{nan, nan};
    *dp = point{nan, nan};
    *ddp = point{nan, nan};
    return;
  }
  if (n == 1) {  // a single point and no segment: the curve stays there
    *p = a[0];
    *dp = point{0.0, 0.0};
    *ddp = point{0.0, 0.0};
    return;
  }
  const int32_t k = lynx::interp::whole_segment_of(t, n);
  const double u = t - static_cast<double>(k);
  lynx::interp::cubic_at(u, &a[k].x, &b[k].x, &c[k].x, &d[k].x, &p->x, &dp->x, &ddp->x);
  lynx::interp::cubic_at(u, &a[k].y, &b[k].y, &c[k].y, &d[k].y, &p->y, &dp->y, &ddp->y);
}
