// Inserting a text into a message at its marker "$".
//
// With K the position of the first "$", LM and LI the meaningful lengths of
// message and insert, and limit the longest meaningful result wanted:
//   M = min(limit - K + 1, LI)      characters of the insert are used,
//   L = min(limit - K - M + 1, LM - K)  message characters after the "$"
// follow them.  The result is message(1:K-1) // insert(1:M) //
// message(K+1:K+L): the insert replaces the "$", and (K - 1) + M + L never
// exceeds the limit.  It is written over the whole message, cut or
// blank-filled.
//
// Every piece is taken from the texts as they were on entry, so an insert
// that is itself part of the message (a word of the message put into its
// own marker) comes out whole.  The part from the marker on is built in a
// buffer on the stack and copied back.  A longer part is moved in place
// when the insert lies outside it, which is safe; only a long part whose
// insert lies inside it takes a buffer from the heap, released before the
// routine returns, and if none can be had the message is left unchanged.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "HxUtility.h"
#include "frame/nchars.hpp"
#include "frame/text.hpp"
#include "lynx/frame.h"

namespace {

// Rewritten parts up to this many characters are built on the stack.
constexpr int32_t kLocalLength = 1024;

// Whether [a, a + a_length) and [b, b + b_length) share a byte.
bool overlap(const char *a, int32_t a_length, const char *b, int32_t b_length) {
  const auto a0 = reinterpret_cast<std::uintptr_t>(a);
  const auto b0 = reinterpret_cast<std::uintptr_t>(b);
  return a_length > 0 && b_length > 0 && a0 < b0 + static_cast<std::uintptr_t>(b_length) &&
         b0 < a0 + static_cast<std::uintptr_t>(a_length);
}

// The insert's piece, the tail and blanks, `length` characters in all,
// into out (which overlaps neither source).
void assemble(char *out, int32_t length, const char *insert, int32_t m, const char *tail,
              int32_t l) {
  const int32_t insert_end = std::min(m, length);
  const int32_t tail_end = std::min(m + l, length);
  if (insert_end > 0) std::memcpy(out, insert, static_cast<std::size_t>(insert_end));
  if (tail_end > insert_end) {
    std::memcpy(out + insert_end, tail, static_cast<std::size_t>(tail_end - insert_end));
  }
  if (length > tail_end) {
    std::memset(out + tail_end, ' ', static_cast<std::size_t>(length - tail_end));
  }
}

}  // namespace

extern "C" void LYNX_CALL KX_BUILD_MES(char *message, lynx_textlen message_length,
                                       const int32_t *limit, const char *insert,
                                       lynx_textlen insert_length) {
  namespace text = lynx::text;
  // Lengths are 32-bit counts: the host is handed those, never the raw
  // slots, whose upper half a caller may have left undefined.
  const int32_t length = std::max(text::length_of(message_length), 0);
  const int32_t insert_chars = std::max(text::length_of(insert_length), 0);
  // The meaningful lengths come from NCHARS (the host's; the library's own
  // in the 32-bit build), kept within the texts.
  const int32_t lm = std::clamp(NCHARS(message, length), 0, length);
  const int32_t li = std::clamp(NCHARS(insert, insert_chars), 0, insert_chars);
  const int32_t k = text::index(text::Text{message, length}, text::literal("$"));
  const int32_t lim = *limit;
  if (k == 0 || k >= lim) return;

  const int32_t m = std::min(lim - k + 1, li);
  const int32_t l = std::max(std::min(lim - k - m + 1, lm - k), 0);

  // Positions from the "$" on are rewritten; those before it keep their
  // characters.
  const int32_t at = k - 1;  // 0-based position of the "$"
  char *const part = message + at;
  const int32_t part_length = length - at;
  const char *const tail = message + k;
  if (part_length <= kLocalLength) {
    char local[kLocalLength];
    assemble(local, part_length, insert, m, tail, l);
    std::memcpy(part, local, static_cast<std::size_t>(part_length));
  } else if (!overlap(insert, m, part, part_length)) {
    // The tail moves first (it may overlap itself), then the insert, which
    // the move cannot have touched, then the blanks.
    const int32_t insert_end = std::min(m, part_length);
    const int32_t tail_end = std::min(m + l, part_length);
    if (tail_end > insert_end) {
      std::memmove(part + insert_end, tail, static_cast<std::size_t>(tail_end - insert_end));
    }
    if (insert_end > 0) std::memcpy(part, insert, static_cast<std::size_t>(insert_end));
    if (part_length > tail_end) {
      std::memset(part + tail_end, ' ', static_cast<std::size_t>(part_length - tail_end));
    }
  } else {
    const std::unique_ptr<char[]> buffer(
        new (std::nothrow) char[static_cast<std::size_t>(part_length)]);
    if (!buffer) return;
    assemble(buffer.get(), part_length, insert, m, tail, l);
    std::memcpy(part, buffer.get(), static_cast<std::size_t>(part_length));
  }
}
