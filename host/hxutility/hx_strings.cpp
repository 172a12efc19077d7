// Host strings, the output name, solver vectors and the meaningful length
// of a text.
#include <cstring>

#include "hx_state.hpp"
#include "hx_text.hpp"

using hxhost::State;
using hxhost::state;

namespace {

// A text of length characters without its trailing blanks, upper-cased.
std::string upper(const char *text, long length) {
  return hxtext::upper(
      std::string(text, static_cast<size_t>(hxtext::meaningful_length(text, length))));
}

}  // namespace

extern "C" {

HX_API void HX_CALL GTOUT(char *text, hx_textlen text_length) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  hxtext::fill_blank_padded(text, static_cast<long>(text_length), s.output_name);
}

HX_API void HX_CALL GTSTRG(const int32_t *identifier, char *text, hx_textlen text_length,
                           int32_t *count, hx_logical *last) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  const long length = static_cast<long>(text_length);
  const auto found = s.strings.find(*identifier);
  const std::string value = found != s.strings.end() ? found->second : std::string();
  hxtext::fill_blank_padded(text, length, value);
  long n = static_cast<long>(value.size());
  if (n > length) n = length < 0 ? 0 : length;
  *count = static_cast<int32_t>(hxtext::meaningful_length(value.data(), n));
  if (last != nullptr) *last = found != s.strings.end() ? 0 : -1;
}

// Not in the 32-bit stand-in: the 32-bit lynxUtility carries its own.
#if !defined(HX_LEGACY32)
HX_API int32_t HX_CALL NCHARS(const char *text, hx_textlen text_length) {
  return static_cast<int32_t>(hxtext::meaningful_length(text, static_cast<long>(text_length)));
}
#endif

HX_API void HX_CALL SYSARY(const char *kind, hx_textlen kind_length, const int32_t *ids,
                           const int32_t *nids, double *values, int32_t *count,
                           hx_logical *error_flag) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  const long kind_chars = static_cast<long>(kind_length);
  hxhost_entry entry{};
  entry.routine = HXHOST_SYSARY;
  entry.length = kind_chars;
  const long kept =
      kind_chars < 0 ? 0 : (kind_chars > HXHOST_TEXT_MAX ? HXHOST_TEXT_MAX : kind_chars);
  if (kept > 0) std::memcpy(entry.text, kind, static_cast<size_t>(kept));
  entry.nids = *nids;
  hxhost::VectorKey key{upper(kind, kind_chars), {}};
  for (int32_t i = 0; i < *nids && i < 8; ++i) {
    entry.ids[i] = ids[i];
    key.ids.push_back(ids[i]);
  }
  hxhost::append(s, entry);

  const auto found = s.vectors.find(key);
  if (found == s.vectors.end()) {
    values[0] = values[1] = values[2] = 0.0;
    *count = 0;
    *error_flag = -1;
    return;
  }
  values[0] = found->second[0];
  values[1] = found->second[1];
  values[2] = found->second[2];
  *count = 3;
  *error_flag = 0;
}

HX_API void hxhost_set_output_name(const char *name) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  s.output_name = name != nullptr ? std::string(name).substr(0, 80) : "lynx";
}

HX_API void hxhost_set_string(int32_t identifier, const char *text) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  s.strings[identifier] = text != nullptr ? text : "";
}

HX_API void hxhost_set_vector(const char *kind, const int32_t *ids, const double *values) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  hxhost::VectorKey key{upper(kind, static_cast<long>(std::strlen(kind))),
                        {ids[0], ids[1], ids[2]}};
  s.vectors[key] = {values[0], values[1], values[2]};
}

}  // extern "C"
