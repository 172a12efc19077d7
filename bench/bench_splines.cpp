// Curve interpolation against GSL, side by side in one run.
//   Cubic fit:   kx_spline_coeffs      vs gsl_interp_init (gsl_interp_cspline)
//   Evaluation:  one kx_spline_interpolate (value and both derivatives)
//                vs gsl_interp_eval + _eval_deriv + _eval_deriv2, no accelerator
//   Akima fit:   kx_akima_coeffs       vs gsl_interp_init (gsl_interp_akima)
//   Renner:      fit and evaluation, time per point against N (no peer)
// Queries are random abscissae over the table.
#include <benchmark/benchmark.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_interp.h>

#include <cmath>
#include <random>
#include <vector>

#include "lynx/splines.h"

namespace {

struct Table {
  explicit Table(int n) : x(n), y(n), b(n), c(n), d(n), queries(4096) {
    std::mt19937_64 rng(static_cast<unsigned>(n));
    std::uniform_real_distribution<double> gap(0.1, 1.0), value(-1.0, 1.0), unit(0.0, 1.0);
    double at = 0;
    for (int i = 0; i < n; ++i) {
      x[i] = at;
      y[i] = value(rng);
      at += gap(rng);
    }
    for (double &q : queries) q = x[0] + (x[n - 1] - x[0]) * unit(rng);
  }
  std::vector<double> x, y, b, c, d, queries;
};

void CubicFit_lynx(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  Table t(n);
  for (auto _ : state) {
    kx_spline_coeffs(n, t.x.data(), t.y.data(), t.b.data(), t.c.data(), t.d.data());
    benchmark::DoNotOptimize(t.b.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * n);
}

// GSL's fit of the given kind (cspline, akima) on the same table.
void Fit_gsl(benchmark::State &state, const gsl_interp_type *type) {
  const int n = static_cast<int>(state.range(0));
  Table t(n);
  gsl_interp *spline = gsl_interp_alloc(type, static_cast<size_t>(n));
  for (auto _ : state) {
    gsl_interp_init(spline, t.x.data(), t.y.data(), static_cast<size_t>(n));
    benchmark::DoNotOptimize(spline);
    benchmark::ClobberMemory();
  }
  gsl_interp_free(spline);
  state.SetItemsProcessed(state.iterations() * n);
}

void CubicEval_lynx(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  Table t(n);
  kx_spline_coeffs(n, t.x.data(), t.y.data(), t.b.data(), t.c.data(), t.d.data());
  size_t q = 0;
  for (auto _ : state) {
    double s, ds, dds;
    kx_spline_interpolate(t.queries[q], n, t.x.data(), t.y.data(), t.b.data(), t.c.data(),
                          t.d.data(), &s, &ds, &dds);
    benchmark::DoNotOptimize(s);
    benchmark::DoNotOptimize(ds);
    benchmark::DoNotOptimize(dds);
    q = (q + 1) & 4095;
  }
  state.SetItemsProcessed(state.iterations());
}

void CubicEval_gsl(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  Table t(n);
  gsl_interp *spline = gsl_interp_alloc(gsl_interp_cspline, static_cast<size_t>(n));
  gsl_interp_init(spline, t.x.data(), t.y.data(), static_cast<size_t>(n));
  size_t q = 0;
  for (auto _ : state) {
    const double xv = t.queries[q];
    double s = gsl_interp_eval(spline, t.x.data(), t.y.data(), xv, nullptr);
    double ds = gsl_interp_eval_deriv(spline, t.x.data(), t.y.data(), xv, nullptr);
    double dds = gsl_interp_eval_deriv2(spline, t.x.data(), t.y.data(), xv, nullptr);
    benchmark::DoNotOptimize(s);
    benchmark::DoNotOptimize(ds);
    benchmark::DoNotOptimize(dds);
    q = (q + 1) & 4095;
  }
  gsl_interp_free(spline);
  state.SetItemsProcessed(state.iterations());
}

void AkimaFit_lynx(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  Table t(n);
  for (auto _ : state) {
    kx_akima_coeffs(n - 1, t.x.data(), t.y.data(), t.b.data(), t.c.data(), t.d.data());
    benchmark::DoNotOptimize(t.b.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * n);
}

// A closed wavy loop of n points (n - 1 segments).
std::vector<point> loop(int n) {
  std::mt19937_64 rng(static_cast<unsigned>(n));
  std::uniform_real_distribution<double> jitter(-0.2, 0.2);
  std::vector<point> p(n);
  for (int i = 0; i + 1 < n; ++i) {
    const double angle = 2 * M_PI * (i + 0.5 + jitter(rng)) / (n - 1);
    const double r = 2.0 + 0.5 * std::sin(3 * angle);
    p[i] = point{r * std::cos(angle), r * std::sin(angle)};
  }
  p[n - 1] = p[0];
  return p;
}

void RennerFit(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<point> p = loop(n);
  std::vector<point> b(n), c(n), d(n);
  for (auto _ : state) {
    kx_renner_spline_coeffs(n - 1, p.data(), b.data(), c.data(), d.data());
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * n);
  state.SetComplexityN(n);
}

void RennerEval(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<point> p = loop(n);
  std::vector<point> b(n), c(n), d(n);
  kx_renner_spline_coeffs(n - 1, p.data(), b.data(), c.data(), d.data());
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::vector<double> queries(4096);
  for (double &q : queries) q = (n - 1) * unit(rng);
  size_t q = 0;
  for (auto _ : state) {
    point at, slope, curvature;
    kx_renner_spline_interpolate(queries[q], n, p.data(), b.data(), c.data(), d.data(), &at, &slope,
                                 &curvature);
    benchmark::DoNotOptimize(at);
    benchmark::DoNotOptimize(slope);
    benchmark::DoNotOptimize(curvature);
    q = (q + 1) & 4095;
  }
  state.SetItemsProcessed(state.iterations());
}

const int kSizes[] = {16, 1024, 65536};

void sizes(benchmark::internal::Benchmark *b) {
  for (int n : kSizes) b->Arg(n);
}

}  // namespace

BENCHMARK(CubicFit_lynx)->Apply(sizes);
BENCHMARK_CAPTURE(Fit_gsl, cspline, gsl_interp_cspline)->Apply(sizes);
BENCHMARK(CubicEval_lynx)->Apply(sizes);
BENCHMARK(CubicEval_gsl)->Apply(sizes);
BENCHMARK(AkimaFit_lynx)->Apply(sizes);
BENCHMARK_CAPTURE(Fit_gsl, akima, gsl_interp_akima)->Apply(sizes);
BENCHMARK(RennerFit)->Apply(sizes)->Complexity(benchmark::oN);
BENCHMARK(RennerEval)->Apply(sizes);

int main(int argc, char **argv) {
  gsl_set_error_handler_off();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
