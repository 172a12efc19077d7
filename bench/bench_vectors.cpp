// Vector routines against OpenBLAS and Eigen at short, cache-resident and
// memory-bound lengths.  Each peer runs on the same operands in the same
// program; the ratio of the times is what counts.  Run single-threaded
// (OPENBLAS_NUM_THREADS=1).

#include <benchmark/benchmark.h>
#include <cblas.h>

#include <Eigen/Core>
#include <cstdint>
#include <vector>

#include "lynx/vectors.h"

namespace {

using Vec = Eigen::Map<Eigen::VectorXd>;
using ConstVec = Eigen::Map<const Eigen::VectorXd>;

struct Operands {
  explicit Operands(int64_t n) : a(static_cast<size_t>(n)), b(a.size()), y(a.size(), 0.0) {
    for (size_t i = 0; i < a.size(); ++i) {
      a[i] = 1.0 + 1e-3 * static_cast<double>(i % 97);
      b[i] = 0.5 - 1e-3 * static_cast<double>(i % 89);
    }
  }
  std::vector<double> a, b, y;
  int32_t n() const { return static_cast<int32_t>(a.size()); }
};

void finish(benchmark::State &state, int streams) {
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() * state.range(0) * streams *
                          static_cast<int64_t>(sizeof(double)));
}

// The peers are called through functions the compiler does not inline, as
// the library's routines are.
__attribute__((noinline)) double eigen_dot(const double *a, const double *b, int n) {
  return ConstVec(a, n).dot(ConstVec(b, n));
}
__attribute__((noinline)) double eigen_norm(const double *a, int n) {
  return ConstVec(a, n).norm();
}
__attribute__((noinline)) void eigen_add(double *y, const double *a, const double *b, int n) {
  Vec(y, n) = ConstVec(a, n) + ConstVec(b, n);
}
__attribute__((noinline)) void eigen_scale(double *y, double s, const double *a, int n) {
  Vec(y, n) = s * ConstVec(a, n);
}

void dot_lynx(benchmark::State &state) {
  Operands v(state.range(0));
  const int32_t n = v.n();
  for (auto _ : state) benchmark::DoNotOptimize(KXV_DOT(v.a.data(), v.b.data(), &n));
  finish(state, 2);
}
void dot_openblas(benchmark::State &state) {
  Operands v(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(cblas_ddot(v.n(), v.a.data(), 1, v.b.data(), 1));
  finish(state, 2);
}
void dot_eigen(benchmark::State &state) {
  Operands v(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(eigen_dot(v.a.data(), v.b.data(), v.n()));
  finish(state, 2);
}

void magntd_lynx(benchmark::State &state) {
  Operands v(state.range(0));
  const int32_t n = v.n();
  for (auto _ : state) benchmark::DoNotOptimize(KXV_MAGNTD(v.a.data(), &n));
  finish(state, 1);
}
void magntd_openblas(benchmark::State &state) {
  Operands v(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(cblas_dnrm2(v.n(), v.a.data(), 1));
  finish(state, 1);
}
void magntd_eigen(benchmark::State &state) {
  Operands v(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(eigen_norm(v.a.data(), v.n()));
  finish(state, 1);
}

// y = y + a, in place as daxpy (y = 1.0 * a + y) works, so that every peer
// reads two streams and writes one back over the first.
void add_lynx(benchmark::State &state) {
  Operands v(state.range(0));
  const int32_t n = v.n();
  for (auto _ : state) {
    KXV_ADD(v.y.data(), v.a.data(), v.y.data(), &n);
    benchmark::ClobberMemory();
  }
  finish(state, 2);
}
void add_openblas(benchmark::State &state) {
  Operands v(state.range(0));
  for (auto _ : state) {
    cblas_daxpy(v.n(), 1.0, v.a.data(), 1, v.y.data(), 1);
    benchmark::ClobberMemory();
  }
  finish(state, 2);
}
void add_eigen(benchmark::State &state) {
  Operands v(state.range(0));
  for (auto _ : state) {
    eigen_add(v.y.data(), v.a.data(), v.y.data(), v.n());
    benchmark::ClobberMemory();
  }
  finish(state, 2);
}

// y = s y, in place as dscal works.
void scale_lynx(benchmark::State &state) {
  Operands v(state.range(0));
  const int32_t n = v.n();
  const double s = 1.0000001;
  for (auto _ : state) {
    KXV_SCALE(v.a.data(), &s, v.a.data(), &n);
    benchmark::ClobberMemory();
  }
  finish(state, 1);
}
void scale_openblas(benchmark::State &state) {
  Operands v(state.range(0));
  for (auto _ : state) {
    cblas_dscal(v.n(), 1.0000001, v.a.data(), 1);
    benchmark::ClobberMemory();
  }
  finish(state, 1);
}
void scale_eigen(benchmark::State &state) {
  Operands v(state.range(0));
  for (auto _ : state) {
    eigen_scale(v.a.data(), 1.0000001, v.a.data(), v.n());
    benchmark::ClobberMemory();
  }
  finish(state, 1);
}

#define LYNX_SIZES ->Arg(8)->Arg(1000)->Arg(100000)

BENCHMARK(dot_lynx) LYNX_SIZES;
BENCHMARK(dot_openblas) LYNX_SIZES;
BENCHMARK(dot_eigen) LYNX_SIZES;
BENCHMARK(magntd_lynx) LYNX_SIZES;
BENCHMARK(magntd_openblas) LYNX_SIZES;
BENCHMARK(magntd_eigen) LYNX_SIZES;
BENCHMARK(add_lynx) LYNX_SIZES;
BENCHMARK(add_openblas) LYNX_SIZES;
BENCHMARK(add_eigen) LYNX_SIZES;
BENCHMARK(scale_lynx) LYNX_SIZES;
BENCHMARK(scale_openblas) LYNX_SIZES;
BENCHMARK(scale_eigen) LYNX_SIZES;

}  // namespace

BENCHMARK_MAIN();
