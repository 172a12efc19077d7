// The model's units: codes and scale factors in the host's order time,
// length, force, mass, and whether the dataset has a UNITS statement.
#include <cstring>

#include "hx_state.hpp"

using hxhost::State;
using hxhost::state;

extern "C" {

HX_API void HX_CALL GTUNTS(hx_logical *has_units, double *scales, char *codes,
                           hx_textlen codes_length) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  ++s.gtunts_calls;
  *has_units = s.has_units ? -1 : 0;
  for (int i = 0; i < 4; ++i) scales[i] = s.scales[i];
  // Four elements of codes_length characters each, blank-padded.
  const long element = static_cast<long>(codes_length);
  for (int i = 0; i < 4 && element > 0; ++i) {
    char *out = codes + i * element;
    std::memset(out, ' ', static_cast<size_t>(element));
    std::memcpy(out, s.codes + 2 * i, static_cast<size_t>(element < 2 ? element : 2));
  }
}

HX_API int hxhost_set_model_units(const char *codes) {
  char parsed_codes[8];
  double parsed_scales[4];
  if (codes == nullptr || !hxhost::parse_model_units(codes, parsed_codes, parsed_scales)) return -1;
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  std::memcpy(s.codes, parsed_codes, sizeof parsed_codes);
  std::memcpy(s.scales, parsed_scales, sizeof parsed_scales);
  return 0;
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
