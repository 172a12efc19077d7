// Property-file units through the library's own path: an arbitrary property
// file, read by the host's reader, then kx_read_file_units on it and ATRTOU
// on it as the reader's current file.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "HxHost.h"
#include "lynx/units.h"
#include "nolt_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  hxhost_log_clear();
  char error[160];
  const intptr_t source =
      nolt_open_text("fuzz.tir", reinterpret_cast<const char *>(data), size, error, sizeof error);
  if (source == 0) return 0;
  double model[5], unit[5];
  kx_read_file_units(source, static_cast<int32_t>(size), model, unit);
  nolt_select(source);
  const int32_t identifier = 7;
  std::vector<char> names(60, '#');
  ATRTOU(&identifier, names.data(), 60);
  nolt_close(source);
  return 0;
}
