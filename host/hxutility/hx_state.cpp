#include "hx_state.hpp"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lynx/unit_codes.h"

namespace hxhost {

namespace {

// The quantity of each of the four model units, in the host's order.
constexpr int kHostOrder[4] = LYNX_HOST_QUANTITIES;

// A row of the unit-code list: the model's units are given by these codes.
struct UnitCode {
  int quantity;
  char code[3];
  double factor;
};

#define HX_CODE_ROW(quantity, code, factor, unit) {quantity, code, factor},
constexpr UnitCode kCodeTable[] = {LYNX_UNIT_CODES(HX_CODE_ROW)};
#undef HX_CODE_ROW

const UnitCode *lookup(int quantity, const char *code) {
  for (const auto &row : kCodeTable) {
    if (row.quantity == quantity && row.code[0] == code[0] && row.code[1] == code[1]) return &row;
  }
  return nullptr;
}

// The log's cap from LYNX_HOST_LOG_CAP, a whole number; the default when
// it is unset, and with a remark when it is not a whole number.
std::size_t log_cap_from_environment() {
  const char *text = std::getenv("LYNX_HOST_LOG_CAP");
  if (text == nullptr || *text == '\0') return HXHOST_LOG_CAP_DEFAULT;
  char *end = nullptr;
  errno = 0;
  const unsigned long long cap = std::strtoull(text, &end, 10);
  if (*text == '-' || *end != '\0' || errno != 0 || cap > SIZE_MAX) {
    std::fprintf(stderr,
                 "HxUtility: LYNX_HOST_LOG_CAP='%s' is not a whole number of log entries; "
                 "keeping the last %d\n",
                 text, HXHOST_LOG_CAP_DEFAULT);
    return HXHOST_LOG_CAP_DEFAULT;
  }
  return static_cast<std::size_t>(cap);
}

// Drops the oldest entries beyond the cap, counting them.
void trim(State &s) {
  while (s.log.size() > s.log_cap) {
    s.log.pop_front();
    ++s.log_dropped;
  }
}

}  // namespace

bool parse_model_units(const char *text, char codes[8], double scales[4]) {
  char parsed_codes[8];
  double parsed_scales[4];
  const char *p = text;
  for (int slot = 0; slot < 4; ++slot) {
    while (*p == ' ') ++p;
    char code[2];
    for (char &c : code) {
      if (*p == '\0' || *p == ',') return false;
      c = *p >= 'a' && *p <= 'z' ? static_cast<char>(*p - 32) : *p;
      ++p;
    }
    while (*p == ' ') ++p;
    if (slot < 3) {
      if (*p != ',') return false;
      ++p;
    } else if (*p != '\0') {
      return false;
    }
    const UnitCode *row = lookup(kHostOrder[slot], code);
    if (row == nullptr) return false;
    parsed_codes[2 * slot] = code[0];
    parsed_codes[2 * slot + 1] = code[1];
    parsed_scales[slot] = row->factor;
  }
  std::memcpy(codes, parsed_codes, sizeof parsed_codes);
  std::memcpy(scales, parsed_scales, sizeof parsed_scales);
  return true;
}

void load_defaults(State &s) {
  s.has_units = true;
  std::memcpy(s.codes, "S_M_N_KG", 8);
  for (double &scale : s.scales) scale = 1.0;
  const char *units = std::getenv("LYNX_MODEL_UNITS");
  if (units != nullptr && *units != '\0' && !parse_model_units(units, s.codes, s.scales)) {
    std::fprintf(stderr,
                 "HxUtility: LYNX_MODEL_UNITS='%s' is not four unit codes time,length,force,mass "
                 "(e.g. S_,MM,N_,KG); using S_,M_,N_,KG\n",
                 units);
  }
  const char *output = std::getenv("LYNX_OUTPUT_NAME");
  s.output_name = output != nullptr && *output != '\0' ? output : "lynx";
  const char *quiet = std::getenv("LYNX_HOST_QUIET");
  s.quiet = quiet != nullptr && std::strcmp(quiet, "1") == 0;
  s.strings.clear();
  s.vectors.clear();
  s.log.clear();
  s.log_cap = log_cap_from_environment();
  s.log_dropped = 0;
  s.gtunts_calls = 0;
}

State &state() {
  static State *instance = [] {
    auto *s = new State;
    load_defaults(*s);
    return s;
  }();
  return *instance;
}

void append(State &s, const hxhost_entry &entry) {
  s.log.push_back(entry);
  trim(s);
}

void log_message(State &s, hxhost_routine routine, int32_t flag, const char *text, long length,
                 int32_t identifier, const char *end_word, long end_word_length) {
  hxhost_entry entry{};
  entry.routine = routine;
  entry.flag = flag;
  entry.identifier = identifier;
  entry.length = length;
  const long kept = length < 0 ? 0 : (length > HXHOST_TEXT_MAX ? HXHOST_TEXT_MAX : length);
  if (kept > 0) std::memcpy(entry.text, text, static_cast<size_t>(kept));
  entry.text[kept] = '\0';
  entry.end_word_length = end_word_length;
  const long word_kept = end_word_length < 0 ? 0 : (end_word_length > 31 ? 31 : end_word_length);
  if (word_kept > 0) std::memcpy(entry.end_word, end_word, static_cast<size_t>(word_kept));
  entry.end_word[word_kept] = '\0';
  append(s, entry);
  if (!s.quiet) {
    long shown = kept;
    while (shown > 0 && entry.text[shown - 1] == ' ') --shown;
    std::fprintf(stderr, "%s [%d] %.*s\n", entry.end_word, identifier, static_cast<int>(shown),
                 entry.text);
  }
}

}  // namespace hxhost

using hxhost::State;
using hxhost::state;

extern "C" {

HX_API void hxhost_reset(void) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  hxhost::load_defaults(s);
}

HX_API void hxhost_set_quiet(int quiet) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  s.quiet = quiet != 0;
}

HX_API void hxhost_set_log_cap(size_t cap) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  s.log_cap = cap;
  hxhost::trim(s);
}

HX_API size_t hxhost_log_cap(void) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  return s.log_cap;
}

HX_API size_t hxhost_log_count(void) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  return s.log_dropped + s.log.size();
}

HX_API size_t hxhost_log_dropped(void) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  return s.log_dropped;
}

HX_API int hxhost_log_entry(size_t index, hxhost_entry *entry) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  if (entry == nullptr || index < s.log_dropped || index - s.log_dropped >= s.log.size()) {
    return -1;
  }
  *entry = s.log[index - s.log_dropped];
  return 0;
}

HX_API void hxhost_log_clear(void) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  s.log.clear();
  s.log_dropped = 0;
  s.gtunts_calls = 0;
}

HX_API long hxhost_gtunts_calls(void) {
  State &s = state();
  std::lock_guard<std::mutex> guard(s.lock);
  return s.gtunts_calls;
}

}  // extern "C"
