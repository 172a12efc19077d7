// Shared state of the embedded host: the model's units, registered strings
// and vectors, and the message log.  Every access holds the state's lock.
#ifndef HX_STATE_HPP
#define HX_STATE_HPP

#include <array>
#include <cstddef>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "HxHost.h"
#include "lynx/unit_codes.h"

namespace hxhost {

struct VectorKey {
  std::string kind;
  std::vector<int32_t> ids;
  bool operator<(const VectorKey &other) const {
    return std::tie(kind, ids) < std::tie(other.kind, other.ids);
  }
};

struct State {
  std::mutex lock;
  bool has_units = true;
  // The model's units in the host's order: two characters of code each,
  // and one unit in the base unit of its quantity.
  char codes[2 * LYNX_HOST_QUANTITY_COUNT] = {'S', '_', 'M', '_', 'N', '_', 'K', 'G'};
  double scales[LYNX_HOST_QUANTITY_COUNT] = {1.0, 1.0, 1.0, 1.0};
  std::string output_name = "lynx";
  std::map<int32_t, std::string> strings;
  std::map<VectorKey, std::array<double, 3>> vectors;
  bool quiet = false;
  std::deque<hxhost_entry> log;  // the most recent entries, at most log_cap
  std::size_t log_cap = HXHOST_LOG_CAP_DEFAULT;
  std::size_t log_dropped = 0;  // entries dropped since the log was cleared
  long gtunts_calls = 0;
};

// The host's state, set up from the environment on first use.
State &state();

// Sets the defaults and reads the environment again; the lock is held.
void load_defaults(State &s);

// Parses "S_,MM,N_,KG" into codes and scales; false, with the reason in
// *why unless why is null, when malformed or a code is unknown.
bool parse_model_units(const char *text, char codes[2 * LYNX_HOST_QUANTITY_COUNT],
                       double scales[LYNX_HOST_QUANTITY_COUNT], std::string *why = nullptr);

// Appends an entry to the log, dropping the oldest beyond the cap; the
// lock is held.
void append(State &s, const hxhost_entry &entry);

// Appends a message to the log and, unless quiet, writes it to standard
// error as one line; the lock is held.
void log_message(State &s, hxhost_routine routine, int32_t flag, const char *text, long length,
                 int32_t identifier, const char *end_word, long end_word_length);

}  // namespace hxhost

#endif  // HX_STATE_HPP
