// The model's units: codes and scale factors in the host's order time,
// length, force, mass, and whether the dataset has a UNITS statement.
#include <cstring>
#include <new>
#include <string>

#include "hx_state.hpp"
#include "hx_text.hpp"

using hxhost::State;
using hxhost::state;

extern "C" {

HX_API void HX_CALL GTUNTS(hx_logical *has_units, double *scales, char *codes,
                           hx_textlen codes_length) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  ++s.gtunts_calls;
  *has_units = s.has_units ? -1 : 0;
  for (int i = 0; i < LYNX_HOST_QUANTITY_COUNT; ++i) scales[i] = s.scales[i];
  // An element of codes_length characters for each, blank-padded.
  const long element = static_cast<long>(codes_length);
  for (int i = 0; i < LYNX_HOST_QUANTITY_COUNT && element > 0; ++i) {
    char *out = codes + i * element;
    std::memset(out, ' ', static_cast<size_t>(element));
    std::memcpy(out, s.codes + 2 * i, static_cast<size_t>(element < 2 ? element : 2));
  }
}

HX_API int hxhost_set_model_units_why(const char *codes, char *error, size_t error_size) {
  char parsed_codes[sizeof State::codes];
  double parsed_scales[LYNX_HOST_QUANTITY_COUNT];
  try {
    std::string why;
    if (codes == nullptr) {
      hxtext::copy_cut("no unit codes given", error, error_size);
      return -1;
    }
    if (!hxhost::parse_model_units(codes, parsed_codes, parsed_scales,
                                   error != nullptr && error_size > 0 ? &why : nullptr)) {
      hxtext::copy_cut(why, error, error_size);
      return -1;
    }
  } catch (const std::bad_alloc &) {
    // Only the reason needs memory: the codes are refused without it.
    hxtext::copy_cut("not four known unit codes (no memory to say why)", error, error_size);
    return -1;
  }
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  std::memcpy(s.codes, parsed_codes, sizeof parsed_codes);
  std::memcpy(s.scales, parsed_scales, sizeof parsed_scales);
  return 0;
}

HX_API int hxhost_set_model_units(const char *codes) {
  return hxhost_set_model_units_why(codes, nullptr, 0);
}

HX_API void hxhost_set_model_units_raw(const char *codes, const double *scales) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  std::memcpy(s.codes, codes, sizeof s.codes);
  std::memcpy(s.scales, scales, sizeof s.scales);
}

HX_API void hxhost_set_units_statement(int present) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  s.has_units = present != 0;
}

}  // extern "C"
