// Environment variables into fixed-length text.
#include <cstdlib>
#include <cstring>

#include "frame/text.hpp"
#include "lynx/frame.h"

// The name ends at its first blank or NUL; the routine's one heap
// allocation is the copy of the name that the look-up needs, released
// before returning.  When that copy cannot be had, or the value text has no
// room, the value is left as it was.
extern "C" void LYNX_CALL C_GETENV(const char *name, lynx_textlen, char *value,
                                   lynx_textlen value_length) {
  const int32_t size = lynx::text::length_of(value_length);
  if (size <= 0) return;
  const std::size_t name_chars = std::strlen(name);
  char *copy = static_cast<char *>(std::malloc(name_chars + 2));
  if (copy == nullptr) return;
  std::memcpy(copy, name, name_chars + 1);
  copy[name_chars + 1] = '\0';
  if (char *blank = std::strchr(copy, ' '); blank != nullptr) *blank = '\0';

  const char *found = std::getenv(copy);
  if (found != nullptr) {
    lynx::text::from_cstring(value, size, found);
  } else {
    lynx::text::copy(value, size, lynx::text::Text{"", 0});
  }
  std::free(copy);
}

extern "C" void LYNX_CALL ORB_GETENV(const char *name, lynx_textlen name_length, char *value,
                                     lynx_textlen value_length) {
  C_GETENV(name, name_length, value, value_length);
}
