// Unit-set conversion and property-file units on the stand-in host: calls
// per second of KXUNFN and kx_read_file_units, with KXCONV alone (the
// factor lookup both of them end in) for scale.  The host is quiet and the
// names raise no reports, so the log does not grow.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

#include "HxHost.h"
#include "lynx/units.h"
#include "nolt_host.h"

namespace {

void quiet_si_host() {
  hxhost_reset();
  hxhost_set_quiet(1);
  hxhost_set_model_units("S_,MM,N_,KG");
}

void BM_KXCONV(benchmark::State &state) {
  quiet_si_host();
  char codes[11] = "KFKGMMS_DE";
  double factors[5];
  for (auto _ : state) {
    KXCONV(codes, 10, factors);
    benchmark::DoNotOptimize(factors);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_KXCONV);

void BM_KXUNFN(benchmark::State &state) {
  quiet_si_host();
  const char names[] =
      "kg_force    "
      "kg          "
      "mm          "
      "second      "
      "deg         ";
  double model[5];
  double unit[5];
  for (auto _ : state) {
    KXUNFN(names, 60, model, unit);
    benchmark::DoNotOptimize(model);
    benchmark::DoNotOptimize(unit);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_KXUNFN);

void BM_kx_read_file_units(benchmark::State &state) {
  quiet_si_host();
  char error[256] = "";
  const intptr_t source =
      nolt_open(LYNX_SOURCE_DIR "/examples/tire_units_nonsi.tir", error, sizeof error);
  if (source == 0) {
    state.SkipWithError(error);
    return;
  }
  double model[5];
  double unit[5];
  for (auto _ : state) {
    kx_read_file_units(source, 1, model, unit);
    benchmark::DoNotOptimize(model);
    benchmark::DoNotOptimize(unit);
  }
  state.SetItemsProcessed(state.iterations());
  if (hxhost_log_count() != 0) state.SkipWithError("the host was sent reports");
  nolt_close(source);
}
BENCHMARK(BM_kx_read_file_units);

}  // namespace

BENCHMARK_MAIN();
