// KXF_TIR_AXIS side by side with the same computation written inline with
// Eigen 3-vectors, and with the steps made through the exported vector
// routines one call each.  Every benchmark cycles through the same 256
// seeded inputs (spin axes of all orientations, unit road normals).
#include <benchmark/benchmark.h>

#include <Eigen/Dense>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "lynx/tire.h"
#include "tire_axis_steps.hpp"

namespace {

struct Inputs {
  double t, s;
  double a[3], p[3], b[3], q[3];
};

struct Outputs {
  lynx_logical in_range;
  double r;
  double wheel[12], wheel_reversed[12], contact[12], contact_reversed[12];
};

const std::vector<Inputs> &inputs() {
  static const std::vector<Inputs> cases = [] {
    std::mt19937_64 engine(2026);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<Inputs> v(256);
    for (Inputs &in : v) {
      for (int i = 0; i < 3; ++i) {
        in.a[i] = u(engine);
        in.b[i] = u(engine);
        in.p[i] = u(engine);
        in.q[i] = u(engine);
      }
      const double nb = std::sqrt(in.b[0] * in.b[0] + in.b[1] * in.b[1] + in.b[2] * in.b[2]);
      for (double &c : in.b) c /= nb;
      in.s = 0.1 * u(engine);
      in.t = u(engine);
    }
    return v;
  }();
  return cases;
}

// The computation inline with Eigen: the same steps, fixed-size vectors.
int32_t eigen_tire_axis(Outputs &o, const Inputs &in) {
  using V3 = Eigen::Vector3d;
  using Axes = Eigen::Map<Eigen::Matrix<double, 3, 4>>;
  const Eigen::Map<const V3> a(in.a), p(in.p), b(in.b), q(in.q);
  Axes wheel(o.wheel), wheel_reversed(o.wheel_reversed), contact(o.contact),
      contact_reversed(o.contact_reversed);
  V3 x = a.cross(b);
  const double mx = x.norm();
  if (mx < 1.0e-29) {
    wheel.setZero();
    wheel_reversed.setZero();
    contact.setZero();
    contact_reversed.setZero();
    o.r = 0.0;
    o.in_range = 0;
    return -1;
  }
  x *= 1.0 / mx;
  V3 yc = b.cross(x);
  yc *= 1.0 / yc.norm();
  contact.col(0) = x;
  contact.col(1) = yc;
  contact.col(2) = b;
  contact_reversed.col(0) = x;
  contact_reversed.col(1) = -1.0 * yc;
  contact_reversed.col(2) = -1.0 * b;
  V3 zw = x.cross(a);
  zw *= 1.0 / zw.norm();
  wheel.col(0) = x;
  wheel.col(1) = a;
  wheel.col(2) = zw;
  wheel.col(3) = p;
  wheel_reversed.col(0) = x;
  wheel_reversed.col(1) = -1.0 * a;
  wheel_reversed.col(2) = -1.0 * zw;
  wheel_reversed.col(3) = p;
  const V3 v = (p - q) - in.s * b;
  const double r = v.dot(b) / zw.dot(b);
  o.r = r;
  contact.col(3) = v + (-r) * zw;
  contact_reversed.col(3) = contact.col(3);
  o.in_range = in.t > r ? -1 : 0;
  return 0;
}

// The steps with one exported vector routine each: the reference that the
// tests hold the routine to (tests/support/tire_axis_steps.hpp).
int32_t steps_tire_axis(Outputs &o, const Inputs &in) {
  return tire_steps::tire_axis_by_steps(&o.in_range, &o.r, o.wheel, o.wheel_reversed, o.contact,
                                        o.contact_reversed, &in.t, in.a, in.p, in.b, in.q, &in.s);
}

int32_t lynx_tire_axis(Outputs &o, const Inputs &in) {
  return KXF_TIR_AXIS(&o.in_range, &o.r, o.wheel, o.wheel_reversed, o.contact, o.contact_reversed,
                      &in.t, in.a, in.p, in.b, in.q, &in.s);
}

// One computation per iteration, cycling through the same 256 inputs.
template <class Computation>
void BM_TireAxis(benchmark::State &state, Computation compute) {
  const std::vector<Inputs> &cases = inputs();
  Outputs o;
  benchmark::DoNotOptimize(&o);  // the outputs escape: every store is kept
  size_t k = 0;
  for (auto _ : state) {
    const Inputs &in = cases[k++ & 255];
    benchmark::DoNotOptimize(compute(o, in));
    benchmark::DoNotOptimize(o);
  }
}
BENCHMARK_CAPTURE(BM_TireAxis, KXF_TIR_AXIS, lynx_tire_axis);
BENCHMARK_CAPTURE(BM_TireAxis, Eigen, eigen_tire_axis);
BENCHMARK_CAPTURE(BM_TireAxis, ExportedSteps, steps_tire_axis);

}  // namespace

BENCHMARK_MAIN();
