// KXF_TIR_AXIS and VAR907 with arbitrary doubles: NaN, infinities, zero and
// parallel vectors, parameters of any magnitude and count.  Every operand
// and result is its own heap block of exactly its size.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "HxHost.h"
#include "lynx/tire.h"
#include "support/fuzz_input.hpp"

namespace {

std::unique_ptr<double[]> doubles(lynx_fuzz::Input &in, size_t n) {
  std::unique_ptr<double[]> out(new double[n]);
  for (size_t i = 0; i < n; ++i) out[i] = in.value<double>();
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  hxhost_log_clear();
  lynx_fuzz::Input in(data, size);

  const auto t = doubles(in, 1), a = doubles(in, 3), p = doubles(in, 3), b = doubles(in, 3),
             q = doubles(in, 3), s = doubles(in, 1);
  std::unique_ptr<double[]> axes[4];
  for (auto &axis : axes) axis.reset(new double[12]);
  std::unique_ptr<lynx_logical> in_range(new lynx_logical(7));
  std::unique_ptr<double> r(new double(1.5));
  const int32_t status =
      KXF_TIR_AXIS(in_range.get(), r.get(), axes[0].get(), axes[1].get(), axes[2].get(),
                   axes[3].get(), t.get(), a.get(), p.get(), b.get(), q.get(), s.get());
  if (status != 0 && status != -1) __builtin_trap();
  if (*in_range != 0 && *in_range != -1) __builtin_trap();

  // The host knows one vector of each direction for the elements 1, 2, 3.
  static const int32_t kIds[3] = {1, 2, 3};
  for (const char *kind : {"UVX", "UVY", "UVZ"}) {
    const auto values = doubles(in, 3);
    hxhost_set_vector(kind, kIds, values.get());
  }
  const int32_t npar = in.value<int8_t>() % 12;
  const auto par = doubles(in, npar > 0 ? static_cast<size_t>(npar) : 0);
  std::unique_ptr<int32_t> identifier(new int32_t(in.value<int32_t>()));
  std::unique_ptr<double> value(new double(0.25));
  VAR907(identifier.get(), nullptr, par.get(), &npar, nullptr, nullptr, value.get());
  return 0;
}
