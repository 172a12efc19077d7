// kx_gtout and kx_gtstrg over whatever the host hands back.  This program
// defines the host's GTOUT and GTSTRG itself, so the library's calls reach
// them instead of the stand-in's: they fill the caller's whole text with
// the fuzzer's bytes (blanks, NULs and all) and report any count.  Both
// buffers are heap blocks of exactly the size the routines promise to use.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "HxUtility.h"
#include "lynx/frame.h"
#include "support/fuzz_input.hpp"

namespace {

std::vector<char> g_text;  // what the host writes, repeated to fill
int32_t g_count = 0;       // the count GTSTRG reports
hx_logical g_last = 0;

void fill(char *text, hx_textlen length) {
  for (hx_textlen i = 0; i < length; ++i) {
    text[i] = g_text.empty() ? ' ' : g_text[static_cast<size_t>(i) % g_text.size()];
  }
}

}  // namespace

extern "C" HX_API void GTOUT(char *text, hx_textlen text_length) {
  fill(text, text_length);
}

extern "C" HX_API void GTSTRG(const int32_t *, char *text, hx_textlen text_length, int32_t *count,
                              hx_logical *last) {
  fill(text, text_length);
  *count = g_count;
  if (last != nullptr) *last = g_last;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  lynx_fuzz::Input in(data, size);
  g_count = in.value<int32_t>();
  g_last = in.value<int32_t>();
  g_text = in.bytes(in.left());

  std::vector<char> name(80);
  const int32_t length = kx_gtout(name.data());
  // The word and its terminator, no blank inside; no word: two blanks.
  if (length < 0 || length > 79) __builtin_trap();
  if (length == 0 ? std::memcmp(name.data(), "  ", 3) != 0
                  : name[static_cast<size_t>(length)] != '\0' ||
                        std::memchr(name.data(), ' ', static_cast<size_t>(length)) != nullptr) {
    __builtin_trap();
  }

  std::vector<char> value(257);
  int32_t count = -1;
  lynx_logical last = 0;
  kx_gtstrg(static_cast<int32_t>(size), value.data(), &count, &last);
  if (count < 0 || count > 256 || value[static_cast<size_t>(count)] != '\0') __builtin_trap();
  return 0;
}
