// Bridges to the host's message service, output name and host strings,
// between its blank-padded texts and NUL-terminated strings.
#include <cstring>

#include "HxUtility.h"
#include "lynx/frame.h"

namespace {

// Size of kx_gtout's buffer, and of the host text it receives.
constexpr int32_t kOutputBytes = 80;

// Characters of a host string that kx_gtstrg's buffer holds (plus a NUL):
// 256, and 1024 in the 32-bit build.
#if defined(LYNX_LEGACY32)
constexpr int32_t kHostStringChars = 1024;
#else
constexpr int32_t kHostStringChars = 256;
#endif

}  // namespace

extern "C" int32_t kx_msg_to_all(const char *message) {
  return c_usrmes(1, message, 0, "INFO_NOPAD");
}

// The word is taken from the first 79 characters: it starts at the first
// character that is not a blank and ends before the next blank or NUL.  It
// is moved to the start of the buffer, so the buffer holds exactly the word.
extern "C" int32_t kx_gtout(char *buffer) {
  GTOUT(buffer, kOutputBytes);
  buffer[kOutputBytes - 1] = '\0';
  int32_t start = 0;
  while (buffer[start] == ' ') ++start;
  int32_t end = start;
  while (buffer[end] != ' ' && buffer[end] != '\0') ++end;
  const int32_t length = end - start;
  if (length == 0) {
    std::memcpy(buffer, "  ", 3);
    return 0;
  }
  if (start > 0) std::memmove(buffer, buffer + start, static_cast<std::size_t>(length));
  buffer[length] = '\0';
  return length;
}

// The host's count places the terminator; a count outside 0..256 (0..1024)
// would put it outside the caller's 257 (1025) bytes, so it is clamped
// first.
extern "C" void kx_gtstrg(int32_t identifier, char *buffer, int32_t *count, lynx_logical *last) {
  GTSTRG(&identifier, buffer, kHostStringChars, count, last);
  if (*count < 0) *count = 0;
  if (*count > kHostStringChars) *count = kHostStringChars;
  buffer[*count] = '\0';
}
