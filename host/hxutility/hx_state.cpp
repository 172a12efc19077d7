#include "hx_state.hpp"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hx_text.hpp"
#include "lynx/unit_code_lookup.h"

namespace hxhost {

namespace {

// The quantity of each of the model units, in the host's order.
constexpr int kHostOrder[LYNX_HOST_QUANTITY_COUNT] = LYNX_HOST_QUANTITIES;

// The names of the quantities of a unit set, in its order.
constexpr const char *kQuantityNames[LYNX_QUANTITIES] = {"force", "mass", "length", "time",
                                                         "angle"};

// Why field, the slot's code as written, is not a unit code of the
// slot's quantity: the quantity's codes.
std::string unknown_code(int slot, const char *field, std::size_t length) {
  const int quantity = kHostOrder[slot];
  const std::string name = kQuantityNames[quantity];
  std::string known;
  int count = 0;
  const lynx_unit_code *rows = lynx_unit_code_rows(&count);
  for (int i = 0; i < count; ++i) {
    if (rows[i].quantity != quantity) continue;
    known += (known.empty() ? "" : ", ") + std::string(rows[i].code);
  }
  return "'" + std::string(field, length) + "' is not a " + name + " unit code (" + name +
         " codes: " + known + ")";
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

bool parse_model_units(const char *text, char codes[2 * LYNX_HOST_QUANTITY_COUNT],
                       double scales[LYNX_HOST_QUANTITY_COUNT], std::string *why) {
  // The fields between the commas, without the blanks around them.
  const char *field[LYNX_HOST_QUANTITY_COUNT];
  std::size_t length[LYNX_HOST_QUANTITY_COUNT];
  int fields = 0;
  for (const char *p = text;; ++p) {
    while (*p == ' ') ++p;
    const char *begin = p;
    while (*p != '\0' && *p != ',') ++p;
    const char *end = p;
    while (end > begin && end[-1] == ' ') --end;
    if (fields < LYNX_HOST_QUANTITY_COUNT) {
      field[fields] = begin;
      length[fields] = static_cast<std::size_t>(end - begin);
    }
    ++fields;
    if (*p == '\0') break;
  }
  if (fields != LYNX_HOST_QUANTITY_COUNT) {
    if (why != nullptr) {
      *why = "expected four unit codes T,L,F,M (time, length, force, mass), got " +
             std::to_string(fields);
    }
    return false;
  }
  char parsed_codes[2 * LYNX_HOST_QUANTITY_COUNT];
  double parsed_scales[LYNX_HOST_QUANTITY_COUNT];
  for (int slot = 0; slot < LYNX_HOST_QUANTITY_COUNT; ++slot) {
    char code[2] = {'\0', '\0'};
    const lynx_unit_code *row = nullptr;
    if (length[slot] == 2) {
      code[0] = hxtext::upper(field[slot][0]);
      code[1] = hxtext::upper(field[slot][1]);
      row = lynx_find_unit_code(kHostOrder[slot], code);
    }
    if (row == nullptr) {
      if (why != nullptr) *why = unknown_code(slot, field[slot], length[slot]);
      return false;
    }
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
  std::memcpy(s.codes, "S_M_N_KG", sizeof s.codes);
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
    const long shown = hxtext::meaningful_length(entry.text, kept);
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
