// Property files from arbitrary bytes: the reader either rejects the text
// or opens it (skipping lines it cannot read) and answers look-ups without
// writing past the 12-byte value buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "HxHost.h"
#include "nolt_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const size_t first = hxhost_log_count();
  const intptr_t source =
      nolt_open_text("fuzz.tir", reinterpret_cast<const char *>(data), size, nullptr, 0);
  // One report for a refused text; one per skipped line, 20 and a
  // summary at most, for an opened one.
  const size_t reports = hxhost_log_count() - first;
  if (source == 0 ? reports != 1 : reports > 21) __builtin_trap();
  if (source == 0) return 0;
  static const char *const kKeys[] = {"FORCE", "MASS", "LENGTH", "TIME", "ANGLE"};
  for (const char *key : kKeys) {
    char value[12];
    if (rto_read_quoted_string(source, "UNITS", key, value) != 0 &&
        std::memchr(value, '\0', sizeof value) == nullptr) {
      __builtin_trap();  // the value must be terminated within its buffer
    }
    char fixed[12];
    int32_t error = 0, found = 0;
    const int32_t block_chars = 5, key_chars = static_cast<int32_t>(std::strlen(key));
    RTO_READ_QUOTED_STRING_F2C("UNITS", 5, &block_chars, key, key_chars, &key_chars, fixed, 12,
                               &error, &found);
  }
  nolt_close(source);
  return 0;
}
