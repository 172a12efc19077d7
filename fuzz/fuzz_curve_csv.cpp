// lynx-curve's table reader on arbitrary input, through its own interface:
// the bytes are read as the input file, the table checked, and a table that
// passes is fitted and sampled as the tool does.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "curve.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::FILE *in =
      size > 0 ? fmemopen(const_cast<uint8_t *>(data), size, "rb") : std::fopen("/dev/null", "rb");
  if (in == nullptr) return 0;
  curve::Table table;
  std::string error;
  const bool read = curve::read_table(in, "fuzz.csv", table, error);
  std::fclose(in);
  if (!read) {
    if (error.empty()) __builtin_trap();  // a rejection says why
    return 0;
  }
  if (table.x.size() != table.y.size() || table.x.size() != table.line.size()) __builtin_trap();
  if (!curve::check_table(table, "fuzz.csv", error) || table.x.size() > 200) return 0;
  curve::Curves curves;
  curve::sample_curves(table, 16, curves, error);
  return 0;
}
