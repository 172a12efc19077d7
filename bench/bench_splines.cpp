// Curve interpolation against GSL, side by side in one run.
//   Cubic fit:   kx_spline_coeffs      vs gsl_interp_init (gsl_interp_cspline)
//   Evaluation:  one kx_spline_interpolate (value and both derivatives)
//                vs gsl_interp_eval + _eval_deriv + _eval_deriv2, without an
//                accelerator and with one gsl_interp_accel kept over the run
//   Akima fit:   kx_akima_coeffs       vs gsl_interp_init (gsl_interp_akima)
//   Renner:      fit and evaluation, time per point against N (no peer)
// Evaluations run on two patterns of abscissae: random over the table, and
// the sweep of a simulation, which advances by an eighth of the mean knot
// spacing a call and wraps round at the end of the table.  Before timing,
// each evaluation row checks its results on its own pattern: ours against
// GSL's, the Renner curve at whole parameters against its points.
#include <benchmark/benchmark.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_interp.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "lynx/splines.h"

namespace {

struct Table {
  explicit Table(int n) : x(n), y(n), b(n), c(n), d(n) {
    std::mt19937_64 rng(static_cast<unsigned>(n));
    std::uniform_real_distribution<double> gap(0.1, 1.0), value(-1.0, 1.0);
    double at = 0;
    for (int i = 0; i < n; ++i) {
      x[i] = at;
      y[i] = value(rng);
      at += gap(rng);
    }
  }
  std::vector<double> x, y, b, c, d;
};

enum class Pattern { random, sweep };

// Abscissae over [first, last].  Random ones come from xorshift64 and never
// repeat within a run (a short repeating list lets the branch predictor
// learn a bisection's path); the sweep steps by a fixed amount and wraps.
class Abscissae {
 public:
  Abscissae(Pattern pattern, double first, double last, int knots)
      : pattern_(pattern), first_(first), span_(last - first), at_(first),
        step_(span_ / (knots - 1) / 8.0) {}
  double next() {
    if (pattern_ == Pattern::random) {
      state_ ^= state_ << 13;
      state_ ^= state_ >> 7;
      state_ ^= state_ << 17;
      return first_ + span_ * (static_cast<double>(state_ >> 11) * 0x1p-53);
    }
    const double v = at_;
    at_ += step_;
    if (at_ > first_ + span_) at_ -= span_;
    return v;
  }

 private:
  Pattern pattern_;
  double first_, span_, at_, step_;
  uint64_t state_ = 0x9E3779B97F4A7C15u;
};

struct Values {
  double s, ds, dds;
};

Values lynx_eval(const Table &t, double xv) {
  Values v;
  kx_spline_interpolate(xv, static_cast<int32_t>(t.x.size()), t.x.data(), t.y.data(), t.b.data(),
                        t.c.data(), t.d.data(), &v.s, &v.ds, &v.dds);
  return v;
}

Values gsl_eval(const Table &t, const gsl_interp *spline, gsl_interp_accel *accel, double xv) {
  return Values{gsl_interp_eval(spline, t.x.data(), t.y.data(), xv, accel),
                gsl_interp_eval_deriv(spline, t.x.data(), t.y.data(), xv, accel),
                gsl_interp_eval_deriv2(spline, t.x.data(), t.y.data(), xv, accel)};
}

// GSL's natural cubic spline on the table, with an accelerator or without.
struct GslSpline {
  GslSpline(const Table &t, bool accelerated)
      : spline(gsl_interp_alloc(gsl_interp_cspline, t.x.size())),
        accel(accelerated ? gsl_interp_accel_alloc() : nullptr) {
    gsl_interp_init(spline, t.x.data(), t.y.data(), t.x.size());
  }
  ~GslSpline() {
    if (accel != nullptr) gsl_interp_accel_free(accel);
    gsl_interp_free(spline);
  }
  GslSpline(const GslSpline &) = delete;
  GslSpline &operator=(const GslSpline &) = delete;
  gsl_interp *spline;
  gsl_interp_accel *accel;
};

// Ours and GSL's agree to 1e-9 of the larger size at 1000 abscissae of the
// pattern (GSL with the row's accelerator, so that it is checked too).
bool cubic_agrees(const Table &t, Pattern pattern, gsl_interp_accel *accel) {
  GslSpline peer(t, false);
  Abscissae queries(pattern, t.x.front(), t.x.back(), static_cast<int>(t.x.size()));
  for (int q = 0; q < 1000; ++q) {
    const double xv = queries.next();
    const Values ours = lynx_eval(t, xv), theirs = gsl_eval(t, peer.spline, accel, xv);
    for (const auto &[a, b] : {std::pair{ours.s, theirs.s}, std::pair{ours.ds, theirs.ds},
                               std::pair{ours.dds, theirs.dds}}) {
      if (!(std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b)))) return false;
    }
  }
  return true;
}

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

void CubicEval_lynx(benchmark::State &state, Pattern pattern) {
  const int n = static_cast<int>(state.range(0));
  Table t(n);
  kx_spline_coeffs(n, t.x.data(), t.y.data(), t.b.data(), t.c.data(), t.d.data());
  if (!cubic_agrees(t, pattern, nullptr)) state.SkipWithError("results differ from GSL's");
  Abscissae queries(pattern, t.x.front(), t.x.back(), n);
  for (auto _ : state) {
    const Values v = lynx_eval(t, queries.next());
    benchmark::DoNotOptimize(v);
  }
  state.SetItemsProcessed(state.iterations());
}

void CubicEval_gsl(benchmark::State &state, Pattern pattern, bool accelerated) {
  const int n = static_cast<int>(state.range(0));
  Table t(n);
  kx_spline_coeffs(n, t.x.data(), t.y.data(), t.b.data(), t.c.data(), t.d.data());
  GslSpline peer(t, accelerated);
  if (!cubic_agrees(t, pattern, peer.accel)) state.SkipWithError("results differ from ours");
  Abscissae queries(pattern, t.x.front(), t.x.back(), n);
  for (auto _ : state) {
    const Values v = gsl_eval(t, peer.spline, peer.accel, queries.next());
    benchmark::DoNotOptimize(v);
  }
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

struct Place {
  point p, dp, ddp;
};

void RennerEval(benchmark::State &state, Pattern pattern) {
  const int n = static_cast<int>(state.range(0));
  const std::vector<point> p = loop(n);
  std::vector<point> b(n), c(n), d(n);
  kx_renner_spline_coeffs(n - 1, p.data(), b.data(), c.data(), d.data());
  const auto at = [&](double t) {
    Place v;
    kx_renner_spline_interpolate(t, n, p.data(), b.data(), c.data(), d.data(), &v.p, &v.dp,
                                 &v.ddp);
    return v;
  };
  // A whole parameter j evaluates segment j at u = 0: the point itself.
  for (int j = 0; j + 1 < n; ++j) {
    const Place v = at(j);
    if (v.p.x != p[j].x || v.p.y != p[j].y) state.SkipWithError("the curve misses its points");
  }
  Abscissae queries(pattern, 0.0, n - 1.0, n);
  for (auto _ : state) {
    const Place v = at(queries.next());
    benchmark::DoNotOptimize(v);
  }
  state.SetItemsProcessed(state.iterations());
}

const int kSizes[] = {16, 64, 1024, 65536};

void sizes(benchmark::internal::Benchmark *b) {
  for (int n : kSizes) b->Arg(n);
}

}  // namespace

BENCHMARK(CubicFit_lynx)->Apply(sizes);
BENCHMARK_CAPTURE(Fit_gsl, cspline, gsl_interp_cspline)->Apply(sizes);
BENCHMARK_CAPTURE(CubicEval_lynx, random, Pattern::random)->Apply(sizes);
BENCHMARK_CAPTURE(CubicEval_gsl, random, Pattern::random, false)->Apply(sizes);
BENCHMARK_CAPTURE(CubicEval_gsl, random_accel, Pattern::random, true)->Apply(sizes);
BENCHMARK_CAPTURE(CubicEval_lynx, sweep, Pattern::sweep)->Apply(sizes);
BENCHMARK_CAPTURE(CubicEval_gsl, sweep, Pattern::sweep, false)->Apply(sizes);
BENCHMARK_CAPTURE(CubicEval_gsl, sweep_accel, Pattern::sweep, true)->Apply(sizes);
BENCHMARK(AkimaFit_lynx)->Apply(sizes);
BENCHMARK_CAPTURE(Fit_gsl, akima, gsl_interp_akima)->Apply(sizes);
BENCHMARK(RennerFit)->Apply(sizes)->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(RennerEval, random, Pattern::random)->Apply(sizes);
BENCHMARK_CAPTURE(RennerEval, sweep, Pattern::sweep)->Apply(sizes);

int main(int argc, char **argv) {
  gsl_set_error_handler_off();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
