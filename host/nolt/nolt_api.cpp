// The reader's interface: property files opened into handles, and the two
// look-ups that lynxUtility calls.  Its remarks and errors go to the host's
// message service (c_errmes), which logs them and writes them to standard
// error unless the host is quiet.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <set>
#include <utility>

#include "HxUtility.h"
#include "hx_text.hpp"
#include "nolt_host.h"
#include "nolt_reader.hpp"

namespace {

// The value buffer of rto_read_quoted_string is 12 bytes, and its size is
// not passed: values are cut to 11 characters and a terminator.
constexpr size_t kValueBuffer = 12;

// Skipped lines of a file remarked one by one; the rest in one remark.
constexpr size_t kSkipsReported = 20;

struct Registry {
  std::mutex lock;
  std::map<intptr_t, std::shared_ptr<const nolt::PropertyFile>> files;
  intptr_t next = 1;
  intptr_t current = 0;
  // Values already reported as cut: the handle, then "[BLOCK] KEY".
  std::set<std::pair<intptr_t, std::string>> cut_reported;
};

Registry &registry() {
  static Registry *instance = new Registry;
  return *instance;
}

std::shared_ptr<const nolt::PropertyFile> lookup(intptr_t handle) {
  Registry &r = registry();
  std::lock_guard<std::mutex> guard(r.lock);
  const auto found = r.files.find(handle);
  return found != r.files.end() ? found->second : nullptr;
}

// Sends a message of routine to the host: a remark ends with "WARN", a
// call the reader cannot answer with "STOP", as the host's other hard
// errors do.
void report(const char *routine, const std::string &message, const char *end_word) {
  c_errmes(1, (std::string(routine) + ": " + message).c_str(), 0, end_word);
}

// A look-up in a source that is not open: never opened, 0, or closed.
void report_unknown(const char *routine, intptr_t source, const char *what = "") noexcept {
  try {
    report(routine, "unknown property-file source " + std::to_string(source) + what, "STOP");
  } catch (const std::bad_alloc &) {
    c_errmes(1, "unknown property-file source (no memory to name it)", 0, "STOP");
  }
}

void give_error(const char *routine, const std::string &message, char *error, size_t error_size) {
  report(routine, message, "WARN");
  hxtext::copy_cut(message, error, error_size);
}

intptr_t add_file(const char *routine, const std::string &name, const std::string &text,
                  char *error, size_t error_size) {
  auto file = std::make_shared<nolt::PropertyFile>();
  std::string reason;
  if (!nolt::parse(name, text, *file, reason)) {
    give_error(routine, reason, error, error_size);
    return 0;
  }
  // Skipped lines are remarked one by one up to a cap, so that a file of
  // text that is no property file does not flood the host's log.
  const size_t skipped = file->skipped.size();
  for (size_t i = 0; i < skipped && i < kSkipsReported; ++i) {
    report(routine, nolt::skipped_remark(name, file->skipped[i]), "WARN");
  }
  if (skipped > kSkipsReported) {
    report(routine,
           name + ": " + std::to_string(skipped - kSkipsReported) +
               " more lines skipped, up to line " + std::to_string(file->skipped.back().line) +
               " (only the first " + std::to_string(kSkipsReported) + " are reported)",
           "WARN");
  }
  Registry &r = registry();
  std::lock_guard<std::mutex> guard(r.lock);
  const intptr_t handle = r.next++;
  r.files[handle] = std::move(file);
  r.current = handle;
  return handle;
}

// Reads the whole of path into text; false with the reason when it cannot
// be read (a directory, no permission, a read error) or holds more than a
// property file may.
bool read_source(const char *path, std::string &text, std::string &reason) {
  const std::string quoted = std::string("'") + path + "'";
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    reason = "cannot read property file " + quoted + ": it is a directory";
    return false;
  }
  std::FILE *in = std::fopen(path, "rb");
  if (in == nullptr) {
    reason = "cannot open property file " + quoted + ": " + std::strerror(errno);
    return false;
  }
  char chunk[65536];
  size_t got;
  bool too_large = false;
  while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
    if (got > NOLT_MAX_FILE_SIZE - text.size()) {
      too_large = true;
      break;
    }
    text.append(chunk, got);
  }
  const int saved = errno;
  const bool failed = std::ferror(in) != 0;
  std::fclose(in);
  if (too_large) {
    reason = "cannot read property file " + quoted + ": it holds more than " +
             std::to_string(NOLT_MAX_FILE_SIZE >> 20) + " MiB";
    return false;
  }
  if (failed) {
    reason = "cannot read property file " + quoted + ": " + std::strerror(saved);
    return false;
  }
  return true;
}

std::string text_of(const char *chars, intptr_t length, const int32_t *meaningful) {
  long n = static_cast<long>(length);
  if (meaningful != nullptr && *meaningful >= 0 && *meaningful < n) n = *meaningful;
  return std::string(chars, static_cast<size_t>(hxtext::meaningful_length(chars, n)));
}

}  // namespace

extern "C" {

NOLT_API intptr_t nolt_open(const char *path, char *error, size_t error_size) {
  if (path == nullptr) {
    give_error("nolt_open", "no property file named", error, error_size);
    return 0;
  }
  try {
    std::string text, reason;
    if (!read_source(path, text, reason)) {
      give_error("nolt_open", reason, error, error_size);
      return 0;
    }
    return add_file("nolt_open", path, text, error, error_size);
  } catch (const std::bad_alloc &) {
    give_error("nolt_open", std::string("cannot read property file '") + path + "': out of memory",
               error, error_size);
    return 0;
  }
}

NOLT_API intptr_t nolt_open_text(const char *name, const char *text, size_t text_size, char *error,
                                 size_t error_size) {
  const char *shown = name != nullptr ? name : "(text)";
  try {
    return add_file("nolt_open_text", shown, std::string(text, text_size), error, error_size);
  } catch (const std::bad_alloc &) {
    give_error("nolt_open_text",
               std::string("cannot read property file '") + shown + "': out of memory", error,
               error_size);
    return 0;
  }
}

NOLT_API int nolt_select(intptr_t handle) {
  Registry &r = registry();
  std::lock_guard<std::mutex> guard(r.lock);
  if (r.files.count(handle) == 0) return -1;
  r.current = handle;
  return 0;
}

NOLT_API void nolt_close(intptr_t handle) {
  Registry &r = registry();
  std::lock_guard<std::mutex> guard(r.lock);
  // A closed current file stays current, so that the fixed-length look-up
  // names it in its report.
  r.files.erase(handle);
  r.cut_reported.erase(r.cut_reported.lower_bound({handle, std::string()}),
                       r.cut_reported.lower_bound({handle + 1, std::string()}));
}

NOLT_API int32_t rto_read_quoted_string(intptr_t source, const char *block, const char *key,
                                        char *value) {
  const auto file = lookup(source);
  if (file == nullptr) {
    report_unknown("rto_read_quoted_string", source);
    return 0;
  }
  const std::string *found = file->find(block, key);
  if (found == nullptr) return 0;
  size_t n = found->size();
  if (n > kValueBuffer - 1) {
    n = kValueBuffer - 1;
    // Remarked once per open file and key, outside the registry's lock;
    // without memory for the remark the value is still given.
    try {
      const std::string place = "[" + hxtext::upper(block) + "] " + hxtext::upper(key);
      bool first;
      {
        Registry &r = registry();
        std::lock_guard<std::mutex> guard(r.lock);
        first = r.cut_reported.insert({source, place}).second;
      }
      if (first) {
        report("rto_read_quoted_string",
               file->name + " " + place + ": value '" + *found + "' cut to " +
                   std::to_string(kValueBuffer - 1) + " characters",
               "WARN");
      }
    } catch (const std::bad_alloc &) {
    }
  }
  std::memcpy(value, found->data(), n);
  value[n] = '\0';
  return 1;
}

NOLT_API void NOLT_CALL RTO_READ_QUOTED_STRING_F2C(const char *block, intptr_t block_length,
                                                   const int32_t *block_chars, const char *key,
                                                   intptr_t key_length, const int32_t *key_chars,
                                                   char *value, intptr_t value_length,
                                                   int32_t *error, int32_t *found) {
  intptr_t current;
  {
    Registry &r = registry();
    std::lock_guard<std::mutex> guard(r.lock);
    current = r.current;
  }
  const auto file = lookup(current);
  if (file == nullptr) report_unknown("RTO_READ_QUOTED_STRING_F2C", current, " (the current one)");
  const std::string *entry = file != nullptr ? file->find(text_of(block, block_length, block_chars),
                                                          text_of(key, key_length, key_chars))
                                             : nullptr;
  *error = file != nullptr ? 0 : -1;
  *found = entry != nullptr ? 1 : 0;
  if (entry == nullptr) return;
  hxtext::fill_blank_padded(value, static_cast<long>(value_length), *entry);
}

}  // extern "C"
