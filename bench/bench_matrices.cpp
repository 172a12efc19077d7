// 3x3 and 6x6 products against Eigen's fixed-size products.  The Eigen
// products are called through functions the compiler does not inline, as
// the library's routines are, on the same operands.

#include <benchmark/benchmark.h>

#include <Eigen/Core>
#include <Eigen/Geometry>

#include "lynx/matrices.h"

namespace {

using M3 = Eigen::Matrix3d;
using M6 = Eigen::Matrix<double, 6, 6>;
using V3 = Eigen::Vector3d;

__attribute__((noinline)) void eigen_m33(double *p, const double *a, const double *b) {
  Eigen::Map<M3>(p).noalias() = Eigen::Map<const M3>(a) * Eigen::Map<const M3>(b);
}
__attribute__((noinline)) void eigen_m3t3(double *p, const double *a, const double *b) {
  Eigen::Map<M3>(p).noalias() = Eigen::Map<const M3>(a).transpose() * Eigen::Map<const M3>(b);
}
// Column j of P is a x B(:, j).
__attribute__((noinline)) void eigen_t33(double *p, const double *a, const double *b) {
  const Eigen::Map<const V3> av(a);
  const Eigen::Map<const M3> bm(b);
  Eigen::Map<M3> pm(p);
  for (int j = 0; j < 3; ++j) pm.col(j) = av.cross(bm.col(j));
}
__attribute__((noinline)) void eigen_m66(double *p, const double *a, const double *b) {
  Eigen::Map<M6>(p).noalias() = Eigen::Map<const M6>(a) * Eigen::Map<const M6>(b);
}

struct Operands {
  Operands() {
    for (int i = 0; i < 36; ++i) {
      a[i] = 0.25 + 0.01 * i;
      b[i] = 1.5 - 0.02 * i;
    }
  }
  double a[36], b[36], p[36];
};

template <void (*F)(double *, const double *, const double *)>
void run(benchmark::State &state) {
  Operands v;
  for (auto _ : state) {
    benchmark::DoNotOptimize(v.a);
    benchmark::DoNotOptimize(v.b);
    F(v.p, v.a, v.b);
    benchmark::ClobberMemory();
  }
}

BENCHMARK(run<FSM33>)->Name("m33/lynx_FSM33");
BENCHMARK(run<eigen_m33>)->Name("m33/eigen");
BENCHMARK(run<FSM3T3>)->Name("m3t3/lynx_FSM3T3");
BENCHMARK(run<eigen_m3t3>)->Name("m3t3/eigen");
BENCHMARK(run<T33>)->Name("t33/lynx_T33");
BENCHMARK(run<eigen_t33>)->Name("t33/eigen");
BENCHMARK(run<M66>)->Name("m66/lynx_M66");
BENCHMARK(run<eigen_m66>)->Name("m66/eigen");

}  // namespace

BENCHMARK_MAIN();
