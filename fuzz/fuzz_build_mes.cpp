// KX_BUILD_MES over every limit a caller can pass (the whole 32-bit range),
// with messages and inserts of any length and content.  Message and insert
// are heap blocks of exactly their length.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "lynx/frame.h"
#include "support/fuzz_input.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  lynx_fuzz::Input in(data, size);
  const int32_t limit = in.value<int32_t>();
  const size_t message_size = in.value<uint16_t>() % 300;
  const size_t insert_size = in.value<uint16_t>() % 300;
  std::vector<char> message = in.bytes(message_size);
  std::vector<char> insert = in.bytes(insert_size);
  const std::vector<char> before = message;
  KX_BUILD_MES(message.data(), static_cast<lynx_textlen>(message.size()), &limit, insert.data(),
               static_cast<lynx_textlen>(insert.size()));
  // A message whose "$" is missing or at or past the limit stays as it was.
  size_t marker = 0;
  while (marker < before.size() && before[marker] != '$') ++marker;
  if ((marker == before.size() || static_cast<int64_t>(marker) + 1 >= limit) && message != before) {
    __builtin_trap();
  }
  return 0;
}
