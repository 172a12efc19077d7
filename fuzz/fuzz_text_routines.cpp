// The routines that take caller texts, on arbitrary bytes and lengths: unit
// names, unit codes, message building and environment look-up.  Every text
// is its own heap block, so a read or write past it is caught.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "HxHost.h"
#include "lynx/lynxUtility.h"

namespace {

// Takes the next n bytes of the input (fewer at its end).
std::vector<char> take(const uint8_t *&data, size_t &size, size_t n) {
  const size_t k = n < size ? n : size;
  std::vector<char> out(data, data + k);
  data += k;
  size -= k;
  return out;
}

uint8_t byte(const uint8_t *&data, size_t &size) {
  if (size == 0) return 0;
  --size;
  return *data++;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  hxhost_log_clear();

  // Five unit names of any length up to 20.
  std::vector<char> names[5];
  for (auto &name : names) name = take(data, size, byte(data, size) % 21);
  double model[5], unit[5];
  KXUNFN_F2C(names[0].data(), static_cast<lynx_textlen>(names[0].size()), names[1].data(),
             static_cast<lynx_textlen>(names[1].size()), names[2].data(),
             static_cast<lynx_textlen>(names[2].size()), names[3].data(),
             static_cast<lynx_textlen>(names[3].size()), names[4].data(),
             static_cast<lynx_textlen>(names[4].size()), model, unit);

  // Unit codes: exactly ten characters.
  std::vector<char> codes = take(data, size, 10);
  codes.resize(10, ' ');
  double factors[5];
  KXCONV(codes.data(), 10, factors);

  // A message with a marker, a limit and an insert.
  std::vector<char> message = take(data, size, byte(data, size) % 64 + 1);
  // Any 32-bit limit, taken from four bytes.
  int32_t limit = 0;
  for (int i = 0; i < 4; ++i)
    limit = static_cast<int32_t>(static_cast<uint32_t>(limit) << 8 | byte(data, size));
  std::vector<char> insert = take(data, size, byte(data, size) % 64);
  KX_BUILD_MES(message.data(), static_cast<lynx_textlen>(message.size()), &limit, insert.data(),
               static_cast<lynx_textlen>(insert.size()));

  // An environment look-up: the name is NUL-terminated, the value any size.
  std::vector<char> name = take(data, size, byte(data, size) % 32);
  name.push_back('\0');
  std::vector<char> value(byte(data, size) % 40 + 1);
  C_GETENV(name.data(), static_cast<lynx_textlen>(name.size()), value.data(),
           static_cast<lynx_textlen>(value.size()));
  return 0;
}
